// Our WebView2 declarations against the ABI facts of runtime 137.0.3296.44, not against the header
// that shell and test runtime share (a slip there passes under Wine and crashes on a real runtime).

#include <shobjidl.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#include "webview2/taskbar_win.h"
#include "webview2/webview2_abi.h"

namespace corvane {
namespace {

std::string Text(const GUID& id) {
  wchar_t text[39] = {};
  StringFromGUID2(id, text, 39);
  return std::string(text + 1, text + 37);  // without the braces
}

// A slot is measured by calling the method on a probe whose vtable entries record their own index
// and take the method's parameters, so even a wrong slot is a well-formed call (ICoreWebView2_23,
// the longest chain, has 126 slots).
template <class Result, class... Args>
struct Probe {
  template <std::size_t Slot>
  static Result STDMETHODCALLTYPE Record(void*, Args...) {
    called = Slot;
    return Result{};
  }
  static inline std::size_t called;
  using Entry = Result(STDMETHODCALLTYPE*)(void*, Args...);
  template <std::size_t... Slots>
  static std::array<Entry, 128> Table(std::index_sequence<Slots...>) {
    return {&Record<Slots>...};
  }
  static inline const std::array<Entry, 128> vtable = Table(std::make_index_sequence<128>());
};

// One letter per parameter, for how it is passed: p pointer or handle, i 32-bit integer or enum,
// R a RECT by value.
template <class T>
constexpr char kShape = std::is_pointer_v<T>                                           ? 'p'
                        : std::is_same_v<T, RECT>                                      ? 'R'
                        : (std::is_integral_v<T> || std::is_enum_v<T>)&&sizeof(T) == 4 ? 'i'
                                                                                       : '?';

// The slot followed by the shape, as "23pi". `Interface` must declare `method` itself: a pointer
// to an inherited method has the base's class type and does not compile here.
template <class Interface, class Result, class... Args>
std::string Measure(Result (STDMETHODCALLTYPE Interface::*method)(Args...)) {
  // Only a vtable pointer, written as bytes and reached through a volatile: the compiler knows
  // nothing of the object and makes the vtable call the shell makes.
  alignas(void*) unsigned char object[sizeof(void*)];
  const void* table = Probe<Result, Args...>::vtable.data();
  std::memcpy(object, &table, sizeof table);
  Interface* volatile probe = reinterpret_cast<Interface*>(object);
  Probe<Result, Args...>::called = 128;
  (probe->*method)(std::decay_t<Args>{}...);
  return std::to_string(Probe<Result, Args...>::called) + std::string{kShape<Args>...};
}

void Expect(const std::string& measured, const char* expected, const char* method) {
  EXPECT_EQ(measured, expected) << method;
}

// ROW(_2, "IID", M(add_DOMContentLoaded, 64pp)): ICoreWebView2_2 with that IID, whose own method
// add_DOMContentLoaded sits at slot 64 and takes two pointers. GP(X, ...) stands for get_X and
// put_X. Methods neither the shell nor the test runtime uses are left out: a slip in one shifts
// the measured methods after it.
#define M(Name, SlotAndShape) Expect(Measure<I>(&I::Name), #SlotAndShape, #Name)
#define GP(Name, Get, Put) M(get_##Name, Get), M(put_##Name, Put)
#define ROW(Name, Iid, ...)                           \
  [] {                                                \
    using I = ICoreWebView2##Name;                    \
    SCOPED_TRACE("ICoreWebView2" #Name);              \
    EXPECT_EQ(Text(IID_ICoreWebView2##Name), Iid);    \
    EXPECT_EQ(&IID_ICoreWebView2##Name, &IidOf<I>()); \
    __VA_ARGS__;                                      \
  }()

TEST(WebView2Abi, EveryInterfaceHasItsTableIidAndEveryMethodInUseItsTableSlot) {
  ROW(Environment, "B96D755E-0319-4E92-A296-23436F46A1FC", M(CreateCoreWebView2Controller, 3pp),
      M(CreateWebResourceResponse, 4pippp));
  ROW(Environment2, "41F3632B-5EF4-404F-AD82-2D606C5A9A21");
  ROW(Environment3, "80A22AE3-BE7C-4CE2-AFE1-5A50056CDEEB");
  ROW(Environment4, "20944379-6DCF-41D6-A0A0-ABC0FC50DE0D");
  ROW(Environment5, "319E423D-E0D7-4B8D-9254-AE9475DE9B17", M(add_BrowserProcessExited, 12pp));
  ROW(Environment6, "E59EE362-ACBD-4857-9A8E-D3644D9459A9");
  ROW(Environment7, "43C22296-3BBD-43A4-9C00-5C0DF6DD29A2");
  ROW(Environment8, "D6EB91DD-C3D2-45E5-BD29-6DC2BC4DE9CF");
  ROW(Environment9, "F06F41BF-4B5A-49D8-B9F6-FA16CD29F274");
  ROW(Environment10, "EE0EB9DF-6F12-46CE-B53F-3F47B9C928E0");
  ROW(Environment11, "F0913DC6-A0EC-42EF-9805-91DFF3A2966A");
  ROW(Environment12, "F503DB9B-739F-48DD-B151-FDFCF253F54E");
  ROW(Environment13, "AF641F58-72B2-11EE-B962-0242AC120002");
  ROW(Environment14, "A5E9FAD9-C875-59DA-9BD7-473AA5CA1CEF",
      M(CreateWebFileSystemDirectoryHandle, 27pip), M(CreateObjectCollection, 28ipp));
  ROW(, "76ECEACB-0462-4D94-AC83-423A6793775E", M(get_Settings, 3p), M(get_Source, 4p),
      M(Navigate, 5p), M(add_NavigationStarting, 7pp), M(add_NavigationCompleted, 15pp),
      M(add_PermissionRequested, 23pp), M(add_ProcessFailed, 25pp), M(Reload, 31),
      M(PostWebMessageAsJson, 32p), M(add_WebMessageReceived, 34pp),
      M(add_NewWindowRequested, 44pp), M(add_DocumentTitleChanged, 46pp), M(get_DocumentTitle, 48p),
      M(OpenDevToolsWindow, 51), M(add_ContainsFullScreenElementChanged, 52pp),
      M(get_ContainsFullScreenElement, 54p), M(add_WebResourceRequested, 55pp),
      M(AddWebResourceRequestedFilter, 57pi), M(add_WindowCloseRequested, 59pp));
  ROW(_2, "9E8F0CF8-E670-4B5E-B2BC-73E061E3184C", M(add_DOMContentLoaded, 64pp));
  ROW(_3, "A0D6DF20-3B92-416D-AA0C-437A9C727857");
  ROW(_4, "20D02D59-6DF2-42DC-BD06-F98A694B1302");
  ROW(_5, "BEDB11B8-D63C-11EB-B8BC-0242AC130003");
  ROW(_6, "499AADAC-D92C-4589-8A75-111BFC167795");
  ROW(_7, "79C24D83-09A3-45AE-9418-487F32A58740");
  ROW(_8, "E9632730-6E1E-43AB-B7B8-7B2C9E62E094");
  ROW(_9, "4D7B2EAB-9FDC-468D-B998-A9260B5ED651");
  ROW(_10, "B1690564-6F5A-4983-8E48-31D1143FECDB");
  ROW(_11, "0BE78E56-C193-4051-B943-23B460C08BDB");
  ROW(_12, "35D69927-BCFA-4566-9349-6B3E0D154CAC");
  ROW(_13, "F75F09A8-667E-4983-88D6-C8773F315E84");
  ROW(_14, "6DAA4F10-4A90-4753-8898-77C5DF534165");
  ROW(_15, "517B2D1D-7DAE-4A66-A4F4-10352FFB9518");
  ROW(_16, "0EB34DC9-9F91-41E1-8639-95CD5943906B");
  ROW(_17, "702E75D4-FD44-434D-9D70-1A68A6B1192A");
  ROW(_18, "7A626017-28BE-49B2-B865-3BA2B3522D90");
  ROW(_19, "6921F954-79B0-437F-A997-C85811897C68");
  ROW(_20, "B4BC1926-7305-11EE-B962-0242AC120002");
  ROW(_21, "C4980DEA-587B-43B9-8143-3EF3BF552D95");
  ROW(_22, "DB75DFC7-A857-4632-A398-6969DDE26C0A",
      M(AddWebResourceRequestedFilterWithRequestSourceKinds, 123pii));
  ROW(_23, "508F0DB5-90C4-5872-90A7-267A91377502",
      M(PostWebMessageAsJsonWithAdditionalObjects, 125pp));
  ROW(Controller, "4D00C0D1-9434-4EB6-8078-8697A560334F", GP(IsVisible, 3p, 4i), GP(Bounds, 5p, 6R),
      M(MoveFocus, 12i), M(add_AcceleratorKeyPressed, 19pp),
      M(NotifyParentWindowPositionChanged, 23), M(Close, 24), M(get_CoreWebView2, 25p));
  ROW(Settings, "E562E4F0-D7FA-43AC-8D71-C05150499F00", GP(IsScriptEnabled, 3p, 4i),
      GP(IsWebMessageEnabled, 5p, 6i), GP(AreDefaultScriptDialogsEnabled, 7p, 8i),
      GP(IsStatusBarEnabled, 9p, 10i), GP(AreDevToolsEnabled, 11p, 12i),
      GP(AreDefaultContextMenusEnabled, 13p, 14i), GP(AreHostObjectsAllowed, 15p, 16i),
      GP(IsZoomControlEnabled, 17p, 18i), GP(IsBuiltInErrorPageEnabled, 19p, 20i));
  ROW(Settings2, "EE9A0F68-F46C-4E32-AC23-EF8CAC224D2A");
  ROW(Settings3, "FDB5AB74-AF33-4854-84F0-0A631DEB5EBA",
      GP(AreBrowserAcceleratorKeysEnabled, 23p, 24i));
  ROW(WebMessageReceivedEventArgs, "0F99A40C-E962-4207-9E92-E3D542EFF849", M(get_Source, 3p),
      M(get_WebMessageAsJson, 4p), M(TryGetWebMessageAsString, 5p));
  ROW(NewWindowRequestedEventArgs, "34ACB11C-FC37-4418-9132-F9C21D1EAFB9", M(get_Uri, 3p),
      M(put_Handled, 6i), M(get_Handled, 7p), M(get_IsUserInitiated, 8p));
  ROW(PermissionRequestedEventArgs, "973AE2EF-FF18-4894-8FB2-3C758F046810", M(get_Uri, 3p),
      M(get_PermissionKind, 4p), M(get_IsUserInitiated, 5p), GP(State, 6p, 7i));
  ROW(NavigationStartingEventArgs, "5B495469-E119-438A-9B18-7604F25F2E49", M(get_Uri, 3p),
      M(get_IsUserInitiated, 4p), GP(Cancel, 7p, 8i));
  ROW(WebResourceRequestedEventArgs, "453E667F-12C7-49D4-BE6D-DDBE7956F57A", M(get_Request, 3p),
      GP(Response, 4p, 5p));
  ROW(AcceleratorKeyPressedEventArgs, "9F760F8A-FB79-42BE-9990-7B56900FA9C7",
      M(get_KeyEventKind, 3p), M(get_VirtualKey, 4p), GP(Handled, 7p, 8i));
  ROW(DOMContentLoadedEventArgs, "16B1E21A-C503-44F2-84C9-70ABA5031283");
  ROW(NavigationCompletedEventArgs, "30D68B7D-20D9-4752-A9CA-EC8448FBB5C1", M(get_IsSuccess, 3p),
      M(get_WebErrorStatus, 4p));
  ROW(ProcessFailedEventArgs, "8155A9A4-1474-4A86-8CAE-151B0FA6B8CA", M(get_ProcessFailedKind, 3p));
  ROW(BrowserProcessExitedEventArgs, "1F00663F-AF8C-4782-9CDD-DD01C52E34CB",
      M(get_BrowserProcessExitKind, 3p), M(get_BrowserProcessId, 4p));
  ROW(WebResourceRequest, "97055CD4-512C-4264-8B5F-E3F446CEA6A5", GP(Uri, 3p, 4p),
      GP(Content, 7p, 8p), M(get_Headers, 9p));
  ROW(HttpRequestHeaders, "E86CAC0E-5523-465C-B536-8FB9FC8C8C60", M(GetHeader, 3pp),
      M(Contains, 5pp));
  ROW(HttpHeadersCollectionIterator, "0702FC30-F43B-47BB-AB52-A42CB552AD9F");
  ROW(WebResourceResponse, "AAFCC94F-FA27-48FD-97DF-830EF75AAEC9", GP(Content, 3p, 4p),
      GP(StatusCode, 6p, 7i), GP(ReasonPhrase, 8p, 9p));
  ROW(HttpResponseHeaders, "03C5FF5A-9B45-4A88-881C-89A9F328619C");
  ROW(FileSystemHandle, "C65100AC-0DE2-5551-A362-23D9BD1D0E1F", M(get_Path, 4p));
  ROW(ObjectCollectionView, "0F36FD87-4F69-4415-98DA-888F89FB9A33", M(get_Count, 3p));
  ROW(ObjectCollection, "5CFEC11C-25BD-4E8D-9E1A-7ACDAEEEC047");
  ROW(Deferral, "C10E7F7B-B585-46F0-A623-8BEFBF3E4EE0");
  ROW(EnvironmentOptions, "2FDE08A8-1E9A-4766-8C05-95A9CEB9D1C5",
      GP(AdditionalBrowserArguments, 3p, 4p), GP(Language, 5p, 6p),
      GP(TargetCompatibleBrowserVersion, 7p, 8p),
      GP(AllowSingleSignOnUsingOSPrimaryAccount, 9p, 10i));
  ROW(EnvironmentOptions2, "FF85C98A-1BA7-4A6B-90C8-2B752C89E9E2",
      GP(ExclusiveUserDataFolderAccess, 3p, 4i));
  ROW(EnvironmentOptions3, "4A5C436E-A9E3-4A2E-89C3-910D3513F5CC",
      GP(IsCustomCrashReportingEnabled, 3p, 4i));
  ROW(EnvironmentOptions4, "AC52D13F-0D38-475A-9DCA-876580D6793E",
      M(GetCustomSchemeRegistrations, 3pp), M(SetCustomSchemeRegistrations, 4ip));
  ROW(EnvironmentOptions5, "0AE35D64-C47F-4464-814E-259C345D1501",
      GP(EnableTrackingPrevention, 3p, 4i));
  ROW(EnvironmentOptions6, "57D29CC3-C84F-42A0-B0E2-EFFBD5E179DE",
      GP(AreBrowserExtensionsEnabled, 3p, 4i));
  ROW(EnvironmentOptions7, "C48D539F-E39F-441C-AE68-1F66E570BDC5", GP(ChannelSearchKind, 3p, 4i),
      GP(ReleaseChannels, 5p, 6i));
  ROW(EnvironmentOptions8, "7C7ECF51-E918-5CAF-853C-E9A2BCC27775", GP(ScrollBarStyle, 3p, 4i));
  ROW(CreateCoreWebView2EnvironmentCompletedHandler, "4E8A3389-C9D8-4BD2-B6B5-124FEE6CC14D",
      M(Invoke, 3ip));
  ROW(CreateCoreWebView2ControllerCompletedHandler, "6C4819F3-C9B7-4260-8127-C9F5BDE7F68C",
      M(Invoke, 3ip));
  ROW(DOMContentLoadedEventHandler, "4BAC7E9C-199E-49ED-87ED-249303ACF019", M(Invoke, 3pp));
  ROW(WebMessageReceivedEventHandler, "57213F19-00E6-49FA-8E07-898EA01ECBD2", M(Invoke, 3pp));
  ROW(NewWindowRequestedEventHandler, "D4C185FE-C81C-4989-97AF-2D3FA7AB5651", M(Invoke, 3pp));
  ROW(WindowCloseRequestedEventHandler, "5C19E9E0-092F-486B-AFFA-CA8231913039", M(Invoke, 3pp));
  ROW(ContainsFullScreenElementChangedEventHandler, "E45D98B1-AFEF-45BE-8BAF-6C7728867F73",
      M(Invoke, 3pp));
  ROW(PermissionRequestedEventHandler, "15E1C6A3-C72A-4DF3-91D7-D097FBEC6BFD", M(Invoke, 3pp));
  ROW(NavigationStartingEventHandler, "9ADBE429-F36D-432B-9DDC-F8881FBD76E3", M(Invoke, 3pp));
  ROW(WebResourceRequestedEventHandler, "AB00B74C-15F1-4646-80E8-E76341D25D71", M(Invoke, 3pp));
  ROW(DocumentTitleChangedEventHandler, "F5F2B923-953E-4042-9F95-F3A118E1AFD4", M(Invoke, 3pp));
  ROW(AcceleratorKeyPressedEventHandler, "B29C7E28-FA79-41A8-8E44-65811C76DCB2", M(Invoke, 3pp));
  ROW(WebMessageReceivedEventArgs2, "06FC7AB7-C90C-4297-9389-33CA01CF6D5E");
  ROW(NewWindowRequestedEventArgs2, "BBC7BAED-74C6-4C92-B63A-7F5AEAE03DE3");
  ROW(NewWindowRequestedEventArgs3, "842BED3C-6AD6-4DD9-B938-28C96667AD66");
  ROW(PermissionRequestedEventArgs2, "74D7127F-9DE6-4200-8734-42D6FB4FF741");
  ROW(PermissionRequestedEventArgs3, "E61670BC-3DCE-4177-86D2-C629AE3CB6AC");
  ROW(WebResourceRequestedEventArgs2, "9C562C24-B219-4D7F-92F6-B187FBBADD56");
  ROW(NavigationStartingEventArgs2, "9086BE93-91AA-472D-A7E0-579F2BA006AD");
  ROW(NavigationStartingEventArgs3, "DDFFE494-4942-4BD2-AB73-35B8FF40E19F");
  ROW(AcceleratorKeyPressedEventArgs2, "03B2C8C8-7799-4E34-BD66-ED26AA85F2BF");
  ROW(Controller2, "C979903E-D4CA-4228-92EB-47EE3FA96EAB");
  ROW(Controller3, "F9614724-5D2B-41DC-AEF7-73D62B51543B");
  ROW(Controller4, "97D418D5-A426-4E49-A151-E1A10F327D9E");
  ROW(WindowFeatures, "5EAF559F-B46E-4397-8860-E422F287FF1E");
  ROW(File, "F2C19559-6BC1-4583-A757-90021BE9AFEC");
  ROW(CustomSchemeRegistration, "D60AC92C-37A6-4B26-A39E-95CFE59047BB");
  ROW(AddScriptToExecuteOnDocumentCreatedCompletedHandler, "B99369F3-9B11-47B5-BC6F-8E7895FCEA17");
  ROW(BasicAuthenticationRequestedEventHandler, "58B4D6C2-18D4-497E-B39B-9A96533FA278");
  ROW(BrowserProcessExitedEventHandler, "FA504257-A216-4911-A860-FE8825712861", M(Invoke, 3pp));
  ROW(CallDevToolsProtocolMethodCompletedHandler, "5C4889F0-5EF6-4C5A-952C-D8F1B92D0574");
  ROW(CapturePreviewCompletedHandler, "697E05E9-3D8F-45FA-96F4-8FFE1EDEDAF5");
  ROW(ClearServerCertificateErrorActionsCompletedHandler, "3B40AAC6-ACFE-4FFD-8211-F607B96E2D5B");
  ROW(ClientCertificateRequestedEventHandler, "D7175BA2-BCC3-11EB-8529-0242AC130003");
  ROW(ContentLoadingEventHandler, "364471E7-F2BE-4910-BDBA-D72077D51C4B");
  ROW(ContextMenuItem, "7AED49E3-A93F-497A-811C-749C6B6B6C65");
  ROW(ContextMenuRequestedEventHandler, "04D3FE1D-AB87-42FB-A898-DA241D35B63C");
  ROW(ControllerOptions, "12AAE616-8CCB-44EC-BCB3-EB1831881635");
  ROW(CookieManager, "177CD9E7-B6F5-451A-94A0-5D7A3A4C4141");
  ROW(CreateCoreWebView2CompositionControllerCompletedHandler,
      "02FAB84B-1428-4FB7-AD45-1B2E64736184");
  ROW(DevToolsProtocolEventReceiver, "B32CA51A-8371-45E9-9317-AF021D080367");
  ROW(DownloadStartingEventHandler, "EFEDC989-C396-41CA-83F7-07F845A55724");
  ROW(ExecuteScriptCompletedHandler, "49511172-CC67-4BCA-9923-137112F4C4CC");
  ROW(ExecuteScriptWithResultCompletedHandler, "1BB5317B-8238-4C67-A7FF-BAF6558F289D");
  ROW(FaviconChangedEventHandler, "2913DA94-833D-4DE0-8DCA-900FC524A1A4");
  ROW(FocusChangedEventHandler, "05EA24BD-6452-4926-9014-4B82B498135D");
  ROW(FrameCreatedEventHandler, "38059770-9BAA-11EB-A8B3-0242AC130003");
  ROW(FrameInfo, "DA86B8A1-BDF3-4F11-9955-528CEFA59727");
  ROW(GetFaviconCompletedHandler, "A2508329-7DA8-49D7-8C05-FA125E4AEE8D");
  ROW(GetProcessExtendedInfosCompletedHandler, "F45E55AA-3BC2-11EE-BE56-0242AC120002");
  ROW(HistoryChangedEventHandler, "C79A420C-EFD9-4058-9295-3E8B4BCAB645");
  ROW(IsDefaultDownloadDialogOpenChangedEventHandler, "3117DA26-AE13-438D-BD46-EDBEB2C4CE81");
  ROW(IsDocumentPlayingAudioChangedEventHandler, "5DEF109A-2F4B-49FA-B7F6-11C39E513328");
  ROW(IsMutedChangedEventHandler, "57D90347-CD0E-4952-A4A2-7483A2756F08");
  ROW(LaunchingExternalUriSchemeEventHandler, "74F712E0-8165-43A9-A13F-0CCE597E75DF");
  ROW(MoveFocusRequestedEventHandler, "69035451-6DC7-4CB8-9BCE-B2BD70AD289F");
  ROW(NavigationCompletedEventHandler, "D33A35BF-1C49-4F98-93AB-006E0533FE1C", M(Invoke, 3pp));
  ROW(NewBrowserVersionAvailableEventHandler, "F9A2976E-D34E-44FC-ADEE-81B6B57CA914");
  ROW(PointerInfo, "E6995887-D10D-4F5D-9359-4CE46E4F96B9");
  ROW(PrintCompletedHandler, "8FD80075-ED08-42DB-8570-F5D14977461E");
  ROW(PrintSettings, "377F3721-C74E-48CA-8DB1-DF68E51D60E2");
  ROW(PrintToPdfCompletedHandler, "CCF1EF04-FD8E-4D5F-B2DE-0983E41B8C36");
  ROW(PrintToPdfStreamCompletedHandler, "4C9F8229-8F93-444F-A711-2C0DFD6359D5");
  ROW(ProcessFailedEventHandler, "79E0AEA4-990B-42D9-AA1D-0FCC2E5BC7F1", M(Invoke, 3pp));
  ROW(ProcessInfoCollection, "402B99CD-A0CC-4FA5-B7A5-51D86A1D2339");
  ROW(ProcessInfosChangedEventHandler, "F4AF0C39-44B9-40E9-8B11-0484CFB9E0A1");
  ROW(Profile, "79110AD3-CD5D-4373-8BC3-C60658F17A5F");
  ROW(RasterizationScaleChangedEventHandler, "9C98C8B1-AC53-427E-A345-3049B5524BBE");
  ROW(ScriptDialogOpeningEventHandler, "EF381BF9-AFA8-4E37-91C4-8AC48524BDFB");
  ROW(ServerCertificateErrorDetectedEventHandler, "969B3A26-D85E-4795-8199-FEF57344DA22");
  ROW(SharedBuffer, "B747A495-0C6F-449E-97B8-2F81E9D6AB43");
  ROW(SourceChangedEventHandler, "3C067F9F-5388-4772-8B48-79F7EF1AB37C");
  ROW(StatusBarTextChangedEventHandler, "A5E3B0D0-10DF-4156-BFAD-3B43867ACAC6");
  ROW(TrySuspendCompletedHandler, "00F206A7-9D17-4605-91F6-4E8E4DE192E3");
  ROW(WebResourceResponseReceivedEventHandler, "7DE9898A-24F5-40C3-A2DE-D4F458E69828");
  ROW(ZoomFactorChangedEventHandler, "B52D71D6-C4DF-4543-A90C-64A3E60F38CB");
  // IDs written by hand though system headers have them: a typo shows only as no fullscreen hint.
  EXPECT_EQ(Text(kTaskbarListClassId), Text(CLSID_TaskbarList));
  EXPECT_EQ(Text(kTaskbarList2InterfaceId), Text(IID_ITaskbarList2));
}

#undef ROW
#undef M
#undef GP

// Enum values the shell passes or the test runtime reports, in this order, and the structs passed
// by value or filled in for the shell.
static_assert(
    std::array<int, 14>{
        COREWEBVIEW2_WEB_RESOURCE_CONTEXT_ALL, COREWEBVIEW2_WEB_RESOURCE_CONTEXT_DOCUMENT,
        COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC, COREWEBVIEW2_PERMISSION_STATE_DEFAULT,
        COREWEBVIEW2_PERMISSION_STATE_ALLOW, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_WRITE,
        COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_FILE, COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_DIRECTORY,
        COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP,
        COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN, COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP,
        COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE, COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT} ==
    std::array<int, 14>{0, 1, 0, 0, 1, 1, 0, 1, 0, 1, 2, 3, 0, 0});
static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, ScanCode) == 4 &&
              offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, IsKeyReleased) == 20 &&
              sizeof(COREWEBVIEW2_PHYSICAL_KEY_STATUS) == 24 && sizeof(COREWEBVIEW2_COLOR) == 4);

// The loader's exports, as start-up looks them up by name.
static_assert(std::is_same_v<CreateCoreWebView2EnvironmentWithOptionsFn,
                             HRESULT(STDAPICALLTYPE*)(
                                 PCWSTR, PCWSTR, ICoreWebView2EnvironmentOptions*,
                                 ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler*)>);
static_assert(std::is_same_v<GetAvailableCoreWebView2BrowserVersionStringFn,
                             HRESULT(STDAPICALLTYPE*)(PCWSTR, LPWSTR*)>);

}  // namespace
}  // namespace corvane
