// Checks our WebView2 declarations against the ABI fact table of runtime 137.0.3296.44: the IID
// of every declared interface, and the absolute vtable slot and argument shape of every method
// that the shell calls, that the shell implements for the runtime, or that the test runtime
// models. The expected values are copied from the fact table, never from the header: the shell
// and the test runtime are built from the same header, so a slip there passes every test under
// Wine and crashes on a real runtime.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#include "webview2/webview2_abi.h"

namespace corvane {
namespace {

std::string IidText(const IID& iid) {
  char text[40];
  std::snprintf(text, sizeof text, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned long>(iid.Data1), iid.Data2, iid.Data3, iid.Data4[0],
                iid.Data4[1], iid.Data4[2], iid.Data4[3], iid.Data4[4], iid.Data4[5], iid.Data4[6],
                iid.Data4[7]);
  return text;
}

struct IidRow {
  const char* name;
  const IID& constant;
  const IID& trait;
  const char* expected;
};

// Rows name interfaces without their common prefix: IID_ROW(_2, ...) is ICoreWebView2_2.
#define IID_ROW(Name, Text) \
  { "ICoreWebView2" #Name, IID_ICoreWebView2##Name, IidOf<ICoreWebView2##Name>(), Text }

TEST(WebView2Abi, EveryInterfaceHasTheTableIid) {
  const IidRow rows[] = {
      IID_ROW(Environment, "B96D755E-0319-4E92-A296-23436F46A1FC"),
      IID_ROW(Environment2, "41F3632B-5EF4-404F-AD82-2D606C5A9A21"),
      IID_ROW(Environment3, "80A22AE3-BE7C-4CE2-AFE1-5A50056CDEEB"),
      IID_ROW(Environment4, "20944379-6DCF-41D6-A0A0-ABC0FC50DE0D"),
      IID_ROW(Environment5, "319E423D-E0D7-4B8D-9254-AE9475DE9B17"),
      IID_ROW(Environment6, "E59EE362-ACBD-4857-9A8E-D3644D9459A9"),
      IID_ROW(Environment7, "43C22296-3BBD-43A4-9C00-5C0DF6DD29A2"),
      IID_ROW(Environment8, "D6EB91DD-C3D2-45E5-BD29-6DC2BC4DE9CF"),
      IID_ROW(Environment9, "F06F41BF-4B5A-49D8-B9F6-FA16CD29F274"),
      IID_ROW(Environment10, "EE0EB9DF-6F12-46CE-B53F-3F47B9C928E0"),
      IID_ROW(Environment11, "F0913DC6-A0EC-42EF-9805-91DFF3A2966A"),
      IID_ROW(Environment12, "F503DB9B-739F-48DD-B151-FDFCF253F54E"),
      IID_ROW(Environment13, "AF641F58-72B2-11EE-B962-0242AC120002"),
      IID_ROW(Environment14, "A5E9FAD9-C875-59DA-9BD7-473AA5CA1CEF"),
      IID_ROW(, "76ECEACB-0462-4D94-AC83-423A6793775E"),
      IID_ROW(_2, "9E8F0CF8-E670-4B5E-B2BC-73E061E3184C"),
      IID_ROW(_3, "A0D6DF20-3B92-416D-AA0C-437A9C727857"),
      IID_ROW(_4, "20D02D59-6DF2-42DC-BD06-F98A694B1302"),
      IID_ROW(_5, "BEDB11B8-D63C-11EB-B8BC-0242AC130003"),
      IID_ROW(_6, "499AADAC-D92C-4589-8A75-111BFC167795"),
      IID_ROW(_7, "79C24D83-09A3-45AE-9418-487F32A58740"),
      IID_ROW(_8, "E9632730-6E1E-43AB-B7B8-7B2C9E62E094"),
      IID_ROW(_9, "4D7B2EAB-9FDC-468D-B998-A9260B5ED651"),
      IID_ROW(_10, "B1690564-6F5A-4983-8E48-31D1143FECDB"),
      IID_ROW(_11, "0BE78E56-C193-4051-B943-23B460C08BDB"),
      IID_ROW(_12, "35D69927-BCFA-4566-9349-6B3E0D154CAC"),
      IID_ROW(_13, "F75F09A8-667E-4983-88D6-C8773F315E84"),
      IID_ROW(_14, "6DAA4F10-4A90-4753-8898-77C5DF534165"),
      IID_ROW(_15, "517B2D1D-7DAE-4A66-A4F4-10352FFB9518"),
      IID_ROW(_16, "0EB34DC9-9F91-41E1-8639-95CD5943906B"),
      IID_ROW(_17, "702E75D4-FD44-434D-9D70-1A68A6B1192A"),
      IID_ROW(_18, "7A626017-28BE-49B2-B865-3BA2B3522D90"),
      IID_ROW(_19, "6921F954-79B0-437F-A997-C85811897C68"),
      IID_ROW(_20, "B4BC1926-7305-11EE-B962-0242AC120002"),
      IID_ROW(_21, "C4980DEA-587B-43B9-8143-3EF3BF552D95"),
      IID_ROW(_22, "DB75DFC7-A857-4632-A398-6969DDE26C0A"),
      IID_ROW(_23, "508F0DB5-90C4-5872-90A7-267A91377502"),
      IID_ROW(Controller, "4D00C0D1-9434-4EB6-8078-8697A560334F"),
      IID_ROW(Settings, "E562E4F0-D7FA-43AC-8D71-C05150499F00"),
      IID_ROW(Settings2, "EE9A0F68-F46C-4E32-AC23-EF8CAC224D2A"),
      IID_ROW(Settings3, "FDB5AB74-AF33-4854-84F0-0A631DEB5EBA"),
      IID_ROW(WebMessageReceivedEventArgs, "0F99A40C-E962-4207-9E92-E3D542EFF849"),
      IID_ROW(NewWindowRequestedEventArgs, "34ACB11C-FC37-4418-9132-F9C21D1EAFB9"),
      IID_ROW(PermissionRequestedEventArgs, "973AE2EF-FF18-4894-8FB2-3C758F046810"),
      IID_ROW(NavigationStartingEventArgs, "5B495469-E119-438A-9B18-7604F25F2E49"),
      IID_ROW(WebResourceRequestedEventArgs, "453E667F-12C7-49D4-BE6D-DDBE7956F57A"),
      IID_ROW(AcceleratorKeyPressedEventArgs, "9F760F8A-FB79-42BE-9990-7B56900FA9C7"),
      IID_ROW(DOMContentLoadedEventArgs, "16B1E21A-C503-44F2-84C9-70ABA5031283"),
      IID_ROW(NavigationCompletedEventArgs, "30D68B7D-20D9-4752-A9CA-EC8448FBB5C1"),
      IID_ROW(ProcessFailedEventArgs, "8155A9A4-1474-4A86-8CAE-151B0FA6B8CA"),
      IID_ROW(BrowserProcessExitedEventArgs, "1F00663F-AF8C-4782-9CDD-DD01C52E34CB"),
      IID_ROW(WebResourceRequest, "97055CD4-512C-4264-8B5F-E3F446CEA6A5"),
      IID_ROW(HttpRequestHeaders, "E86CAC0E-5523-465C-B536-8FB9FC8C8C60"),
      IID_ROW(HttpHeadersCollectionIterator, "0702FC30-F43B-47BB-AB52-A42CB552AD9F"),
      IID_ROW(WebResourceResponse, "AAFCC94F-FA27-48FD-97DF-830EF75AAEC9"),
      IID_ROW(HttpResponseHeaders, "03C5FF5A-9B45-4A88-881C-89A9F328619C"),
      IID_ROW(FileSystemHandle, "C65100AC-0DE2-5551-A362-23D9BD1D0E1F"),
      IID_ROW(ObjectCollectionView, "0F36FD87-4F69-4415-98DA-888F89FB9A33"),
      IID_ROW(ObjectCollection, "5CFEC11C-25BD-4E8D-9E1A-7ACDAEEEC047"),
      IID_ROW(Deferral, "C10E7F7B-B585-46F0-A623-8BEFBF3E4EE0"),
      IID_ROW(EnvironmentOptions, "2FDE08A8-1E9A-4766-8C05-95A9CEB9D1C5"),
      IID_ROW(EnvironmentOptions2, "FF85C98A-1BA7-4A6B-90C8-2B752C89E9E2"),
      IID_ROW(EnvironmentOptions3, "4A5C436E-A9E3-4A2E-89C3-910D3513F5CC"),
      IID_ROW(EnvironmentOptions4, "AC52D13F-0D38-475A-9DCA-876580D6793E"),
      IID_ROW(EnvironmentOptions5, "0AE35D64-C47F-4464-814E-259C345D1501"),
      IID_ROW(EnvironmentOptions6, "57D29CC3-C84F-42A0-B0E2-EFFBD5E179DE"),
      IID_ROW(EnvironmentOptions7, "C48D539F-E39F-441C-AE68-1F66E570BDC5"),
      IID_ROW(EnvironmentOptions8, "7C7ECF51-E918-5CAF-853C-E9A2BCC27775"),
      IID_ROW(CreateCoreWebView2EnvironmentCompletedHandler,
              "4E8A3389-C9D8-4BD2-B6B5-124FEE6CC14D"),
      IID_ROW(CreateCoreWebView2ControllerCompletedHandler, "6C4819F3-C9B7-4260-8127-C9F5BDE7F68C"),
      IID_ROW(DOMContentLoadedEventHandler, "4BAC7E9C-199E-49ED-87ED-249303ACF019"),
      IID_ROW(WebMessageReceivedEventHandler, "57213F19-00E6-49FA-8E07-898EA01ECBD2"),
      IID_ROW(NewWindowRequestedEventHandler, "D4C185FE-C81C-4989-97AF-2D3FA7AB5651"),
      IID_ROW(WindowCloseRequestedEventHandler, "5C19E9E0-092F-486B-AFFA-CA8231913039"),
      IID_ROW(ContainsFullScreenElementChangedEventHandler, "E45D98B1-AFEF-45BE-8BAF-6C7728867F73"),
      IID_ROW(PermissionRequestedEventHandler, "15E1C6A3-C72A-4DF3-91D7-D097FBEC6BFD"),
      IID_ROW(NavigationStartingEventHandler, "9ADBE429-F36D-432B-9DDC-F8881FBD76E3"),
      IID_ROW(WebResourceRequestedEventHandler, "AB00B74C-15F1-4646-80E8-E76341D25D71"),
      IID_ROW(DocumentTitleChangedEventHandler, "F5F2B923-953E-4042-9F95-F3A118E1AFD4"),
      IID_ROW(AcceleratorKeyPressedEventHandler, "B29C7E28-FA79-41A8-8E44-65811C76DCB2"),
      IID_ROW(WebMessageReceivedEventArgs2, "06FC7AB7-C90C-4297-9389-33CA01CF6D5E"),
      IID_ROW(NewWindowRequestedEventArgs2, "BBC7BAED-74C6-4C92-B63A-7F5AEAE03DE3"),
      IID_ROW(NewWindowRequestedEventArgs3, "842BED3C-6AD6-4DD9-B938-28C96667AD66"),
      IID_ROW(PermissionRequestedEventArgs2, "74D7127F-9DE6-4200-8734-42D6FB4FF741"),
      IID_ROW(PermissionRequestedEventArgs3, "E61670BC-3DCE-4177-86D2-C629AE3CB6AC"),
      IID_ROW(WebResourceRequestedEventArgs2, "9C562C24-B219-4D7F-92F6-B187FBBADD56"),
      IID_ROW(NavigationStartingEventArgs2, "9086BE93-91AA-472D-A7E0-579F2BA006AD"),
      IID_ROW(NavigationStartingEventArgs3, "DDFFE494-4942-4BD2-AB73-35B8FF40E19F"),
      IID_ROW(AcceleratorKeyPressedEventArgs2, "03B2C8C8-7799-4E34-BD66-ED26AA85F2BF"),
      IID_ROW(Controller2, "C979903E-D4CA-4228-92EB-47EE3FA96EAB"),
      IID_ROW(Controller3, "F9614724-5D2B-41DC-AEF7-73D62B51543B"),
      IID_ROW(Controller4, "97D418D5-A426-4E49-A151-E1A10F327D9E"),
      IID_ROW(WindowFeatures, "5EAF559F-B46E-4397-8860-E422F287FF1E"),
      IID_ROW(File, "F2C19559-6BC1-4583-A757-90021BE9AFEC"),
      IID_ROW(CustomSchemeRegistration, "D60AC92C-37A6-4B26-A39E-95CFE59047BB"),
      IID_ROW(AddScriptToExecuteOnDocumentCreatedCompletedHandler,
              "B99369F3-9B11-47B5-BC6F-8E7895FCEA17"),
      IID_ROW(BasicAuthenticationRequestedEventHandler, "58B4D6C2-18D4-497E-B39B-9A96533FA278"),
      IID_ROW(BrowserProcessExitedEventHandler, "FA504257-A216-4911-A860-FE8825712861"),
      IID_ROW(CallDevToolsProtocolMethodCompletedHandler, "5C4889F0-5EF6-4C5A-952C-D8F1B92D0574"),
      IID_ROW(CapturePreviewCompletedHandler, "697E05E9-3D8F-45FA-96F4-8FFE1EDEDAF5"),
      IID_ROW(ClearServerCertificateErrorActionsCompletedHandler,
              "3B40AAC6-ACFE-4FFD-8211-F607B96E2D5B"),
      IID_ROW(ClientCertificateRequestedEventHandler, "D7175BA2-BCC3-11EB-8529-0242AC130003"),
      IID_ROW(ContentLoadingEventHandler, "364471E7-F2BE-4910-BDBA-D72077D51C4B"),
      IID_ROW(ContextMenuItem, "7AED49E3-A93F-497A-811C-749C6B6B6C65"),
      IID_ROW(ContextMenuRequestedEventHandler, "04D3FE1D-AB87-42FB-A898-DA241D35B63C"),
      IID_ROW(ControllerOptions, "12AAE616-8CCB-44EC-BCB3-EB1831881635"),
      IID_ROW(CookieManager, "177CD9E7-B6F5-451A-94A0-5D7A3A4C4141"),
      IID_ROW(CreateCoreWebView2CompositionControllerCompletedHandler,
              "02FAB84B-1428-4FB7-AD45-1B2E64736184"),
      IID_ROW(DevToolsProtocolEventReceiver, "B32CA51A-8371-45E9-9317-AF021D080367"),
      IID_ROW(DownloadStartingEventHandler, "EFEDC989-C396-41CA-83F7-07F845A55724"),
      IID_ROW(ExecuteScriptCompletedHandler, "49511172-CC67-4BCA-9923-137112F4C4CC"),
      IID_ROW(ExecuteScriptWithResultCompletedHandler, "1BB5317B-8238-4C67-A7FF-BAF6558F289D"),
      IID_ROW(FaviconChangedEventHandler, "2913DA94-833D-4DE0-8DCA-900FC524A1A4"),
      IID_ROW(FocusChangedEventHandler, "05EA24BD-6452-4926-9014-4B82B498135D"),
      IID_ROW(FrameCreatedEventHandler, "38059770-9BAA-11EB-A8B3-0242AC130003"),
      IID_ROW(FrameInfo, "DA86B8A1-BDF3-4F11-9955-528CEFA59727"),
      IID_ROW(GetFaviconCompletedHandler, "A2508329-7DA8-49D7-8C05-FA125E4AEE8D"),
      IID_ROW(GetProcessExtendedInfosCompletedHandler, "F45E55AA-3BC2-11EE-BE56-0242AC120002"),
      IID_ROW(HistoryChangedEventHandler, "C79A420C-EFD9-4058-9295-3E8B4BCAB645"),
      IID_ROW(IsDefaultDownloadDialogOpenChangedEventHandler,
              "3117DA26-AE13-438D-BD46-EDBEB2C4CE81"),
      IID_ROW(IsDocumentPlayingAudioChangedEventHandler, "5DEF109A-2F4B-49FA-B7F6-11C39E513328"),
      IID_ROW(IsMutedChangedEventHandler, "57D90347-CD0E-4952-A4A2-7483A2756F08"),
      IID_ROW(LaunchingExternalUriSchemeEventHandler, "74F712E0-8165-43A9-A13F-0CCE597E75DF"),
      IID_ROW(MoveFocusRequestedEventHandler, "69035451-6DC7-4CB8-9BCE-B2BD70AD289F"),
      IID_ROW(NavigationCompletedEventHandler, "D33A35BF-1C49-4F98-93AB-006E0533FE1C"),
      IID_ROW(NewBrowserVersionAvailableEventHandler, "F9A2976E-D34E-44FC-ADEE-81B6B57CA914"),
      IID_ROW(PointerInfo, "E6995887-D10D-4F5D-9359-4CE46E4F96B9"),
      IID_ROW(PrintCompletedHandler, "8FD80075-ED08-42DB-8570-F5D14977461E"),
      IID_ROW(PrintSettings, "377F3721-C74E-48CA-8DB1-DF68E51D60E2"),
      IID_ROW(PrintToPdfCompletedHandler, "CCF1EF04-FD8E-4D5F-B2DE-0983E41B8C36"),
      IID_ROW(PrintToPdfStreamCompletedHandler, "4C9F8229-8F93-444F-A711-2C0DFD6359D5"),
      IID_ROW(ProcessFailedEventHandler, "79E0AEA4-990B-42D9-AA1D-0FCC2E5BC7F1"),
      IID_ROW(ProcessInfoCollection, "402B99CD-A0CC-4FA5-B7A5-51D86A1D2339"),
      IID_ROW(ProcessInfosChangedEventHandler, "F4AF0C39-44B9-40E9-8B11-0484CFB9E0A1"),
      IID_ROW(Profile, "79110AD3-CD5D-4373-8BC3-C60658F17A5F"),
      IID_ROW(RasterizationScaleChangedEventHandler, "9C98C8B1-AC53-427E-A345-3049B5524BBE"),
      IID_ROW(ScriptDialogOpeningEventHandler, "EF381BF9-AFA8-4E37-91C4-8AC48524BDFB"),
      IID_ROW(ServerCertificateErrorDetectedEventHandler, "969B3A26-D85E-4795-8199-FEF57344DA22"),
      IID_ROW(SharedBuffer, "B747A495-0C6F-449E-97B8-2F81E9D6AB43"),
      IID_ROW(SourceChangedEventHandler, "3C067F9F-5388-4772-8B48-79F7EF1AB37C"),
      IID_ROW(StatusBarTextChangedEventHandler, "A5E3B0D0-10DF-4156-BFAD-3B43867ACAC6"),
      IID_ROW(TrySuspendCompletedHandler, "00F206A7-9D17-4605-91F6-4E8E4DE192E3"),
      IID_ROW(WebResourceResponseReceivedEventHandler, "7DE9898A-24F5-40C3-A2DE-D4F458E69828"),
      IID_ROW(ZoomFactorChangedEventHandler, "B52D71D6-C4DF-4543-A90C-64A3E60F38CB"),
  };
  for (const IidRow& row : rows) {
    EXPECT_EQ(IidText(row.constant), row.expected) << row.name;
    EXPECT_EQ(&row.constant, &row.trait) << row.name;
  }
}

#undef IID_ROW

// A slot is measured by calling the method, through the declaration, on a probe object whose
// vtable entries record their own index. Every entry takes the method's own parameters, so even
// a wrong slot is a well-formed call (__stdcall callees pop their arguments on x86), and nothing
// depends on how a compiler encodes pointers to members: MinGW and MSVC measure alike. The
// longest chain, ICoreWebView2_23, has 126 slots.
constexpr std::size_t kProbeSlots = 128;

template <class Result, class... Args>
struct Probe {
  using Entry = Result(STDMETHODCALLTYPE*)(void*, Args...);

  template <std::size_t Slot>
  static Result STDMETHODCALLTYPE Record(void*, Args...) {
    called = Slot;
    return Result{};
  }
  template <std::size_t... Slots>
  static constexpr std::array<Entry, kProbeSlots> Table(std::index_sequence<Slots...>) {
    return {{&Record<Slots>...}};
  }

  static inline std::size_t called = kProbeSlots;
  static constexpr std::array<Entry, kProbeSlots> vtable =
      Table(std::make_index_sequence<kProbeSlots>());
};

// One letter per parameter, for how it is passed: p pointer or handle, r reference, i 32-bit
// integer or enum, q 64-bit integer, d double, and the structs passed by value: R RECT, P POINT,
// T EventRegistrationToken, C COREWEBVIEW2_COLOR.
template <class T>
constexpr char ShapeOf() {
  if constexpr (std::is_pointer_v<T>)
    return 'p';
  else if constexpr (std::is_reference_v<T>)
    return 'r';
  else if constexpr (std::is_same_v<T, double>)
    return 'd';
  else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
    return sizeof(T) == 4 ? 'i' : sizeof(T) == 8 ? 'q' : '?';
  else if constexpr (std::is_same_v<T, RECT>)
    return 'R';
  else if constexpr (std::is_same_v<T, POINT>)
    return 'P';
  else if constexpr (std::is_same_v<T, EventRegistrationToken>)
    return 'T';
  else if constexpr (std::is_same_v<T, COREWEBVIEW2_COLOR>)
    return 'C';
  else
    return '?';
}

struct Measured {
  std::size_t slot;
  std::string shape;
};

// `method` must be declared by `Interface` itself: a pointer to an inherited method has the
// base's class type and does not compile here.
template <class Interface, class Result, class... Args>
Measured Measure(Result (STDMETHODCALLTYPE Interface::*method)(Args...)) {
  using P = Probe<Result, Args...>;
  // The object is nothing but its vtable pointer. It is written as bytes, which no alias analysis
  // may move past the call, and reached through a volatile, so the compiler knows nothing of it
  // and makes the same vtable call the shell makes.
  alignas(void*) unsigned char object[sizeof(void*)];
  const typename P::Entry* table = P::vtable.data();
  std::memcpy(object, &table, sizeof table);
  Interface* volatile probe = reinterpret_cast<Interface*>(object);
  P::called = kProbeSlots;
  (probe->*method)(std::decay_t<Args>{}...);
  return {P::called, {ShapeOf<Args>()...}};
}

struct SlotRow {
  const char* method;
  Measured actual;
  std::size_t slot;
  const char* shape;
};

// SLOT(_2, add_DOMContentLoaded, 64, pp): ICoreWebView2_2's method at slot 64, taking two pointers.
#define SLOT(Name, Method, Slot, Shape)                                          \
  {                                                                              \
    "ICoreWebView2" #Name "::" #Method,                                          \
        Measure<ICoreWebView2##Name>(&ICoreWebView2##Name::Method), Slot, #Shape \
  }

TEST(WebView2Abi, EveryMethodInUseSitsInItsTableSlot) {
  using QueryInterfaceFn = HRESULT (STDMETHODCALLTYPE IUnknown::*)(REFIID, void**);
  const SlotRow rows[] = {
      {"IUnknown::QueryInterface", Measure<IUnknown>(QueryInterfaceFn{&IUnknown::QueryInterface}),
       0, "rp"},
      {"IUnknown::AddRef", Measure<IUnknown>(&IUnknown::AddRef), 1, ""},
      {"IUnknown::Release", Measure<IUnknown>(&IUnknown::Release), 2, ""},
      SLOT(Environment, CreateCoreWebView2Controller, 3, pp),
      SLOT(Environment, CreateWebResourceResponse, 4, pippp),
      SLOT(Environment, get_BrowserVersionString, 5, p),
      SLOT(Environment7, get_UserDataFolder, 15, p),
      SLOT(Environment14, CreateWebFileSystemFileHandle, 26, pip),
      SLOT(Environment14, CreateWebFileSystemDirectoryHandle, 27, pip),
      SLOT(Environment14, CreateObjectCollection, 28, ipp),
      SLOT(, get_Settings, 3, p),
      SLOT(, get_Source, 4, p),
      SLOT(, Navigate, 5, p),
      SLOT(, add_NavigationStarting, 7, pp),
      SLOT(, remove_NavigationStarting, 8, T),
      SLOT(, add_PermissionRequested, 23, pp),
      SLOT(, remove_PermissionRequested, 24, T),
      SLOT(, PostWebMessageAsJson, 32, p),
      SLOT(, PostWebMessageAsString, 33, p),
      SLOT(, add_WebMessageReceived, 34, pp),
      SLOT(, remove_WebMessageReceived, 35, T),
      SLOT(, add_NewWindowRequested, 44, pp),
      SLOT(, remove_NewWindowRequested, 45, T),
      SLOT(, add_DocumentTitleChanged, 46, pp),
      SLOT(, remove_DocumentTitleChanged, 47, T),
      SLOT(, get_DocumentTitle, 48, p),
      SLOT(, OpenDevToolsWindow, 51, ),
      SLOT(, add_NavigationCompleted, 15, pp),
      SLOT(, remove_NavigationCompleted, 16, T),
      SLOT(, add_ProcessFailed, 25, pp),
      SLOT(, remove_ProcessFailed, 26, T),
      SLOT(, Reload, 31, ),
      SLOT(Environment5, add_BrowserProcessExited, 12, pp),
      SLOT(Environment5, remove_BrowserProcessExited, 13, T),
      SLOT(NavigationCompletedEventArgs, get_IsSuccess, 3, p),
      SLOT(NavigationCompletedEventArgs, get_WebErrorStatus, 4, p),
      SLOT(NavigationCompletedEventArgs, get_NavigationId, 5, p),
      SLOT(ProcessFailedEventArgs, get_ProcessFailedKind, 3, p),
      SLOT(BrowserProcessExitedEventArgs, get_BrowserProcessExitKind, 3, p),
      SLOT(BrowserProcessExitedEventArgs, get_BrowserProcessId, 4, p),
      SLOT(NavigationCompletedEventHandler, Invoke, 3, pp),
      SLOT(ProcessFailedEventHandler, Invoke, 3, pp),
      SLOT(BrowserProcessExitedEventHandler, Invoke, 3, pp),
      SLOT(, add_ContainsFullScreenElementChanged, 52, pp),
      SLOT(, remove_ContainsFullScreenElementChanged, 53, T),
      SLOT(, get_ContainsFullScreenElement, 54, p),
      SLOT(, add_WebResourceRequested, 55, pp),
      SLOT(, remove_WebResourceRequested, 56, T),
      SLOT(, AddWebResourceRequestedFilter, 57, pi),
      SLOT(, RemoveWebResourceRequestedFilter, 58, pi),
      SLOT(, add_WindowCloseRequested, 59, pp),
      SLOT(, remove_WindowCloseRequested, 60, T),
      SLOT(_2, add_DOMContentLoaded, 64, pp),
      SLOT(_2, remove_DOMContentLoaded, 65, T),
      SLOT(_2, get_Environment, 67, p),
      SLOT(_23, PostWebMessageAsJsonWithAdditionalObjects, 125, pp),
      SLOT(Controller, get_IsVisible, 3, p),
      SLOT(Controller, put_IsVisible, 4, i),
      SLOT(Controller, get_Bounds, 5, p),
      SLOT(Controller, put_Bounds, 6, R),
      SLOT(Controller, get_ZoomFactor, 7, p),
      SLOT(Controller, put_ZoomFactor, 8, d),
      SLOT(Controller, MoveFocus, 12, i),
      SLOT(Controller, add_AcceleratorKeyPressed, 19, pp),
      SLOT(Controller, remove_AcceleratorKeyPressed, 20, T),
      SLOT(Controller, get_ParentWindow, 21, p),
      SLOT(Controller, put_ParentWindow, 22, p),
      SLOT(Controller, NotifyParentWindowPositionChanged, 23, ),
      SLOT(Controller, Close, 24, ),
      SLOT(Controller, get_CoreWebView2, 25, p),
      SLOT(Settings, get_IsScriptEnabled, 3, p),
      SLOT(Settings, put_IsScriptEnabled, 4, i),
      SLOT(Settings, get_IsWebMessageEnabled, 5, p),
      SLOT(Settings, put_IsWebMessageEnabled, 6, i),
      SLOT(Settings, get_AreDefaultScriptDialogsEnabled, 7, p),
      SLOT(Settings, put_AreDefaultScriptDialogsEnabled, 8, i),
      SLOT(Settings, get_IsStatusBarEnabled, 9, p),
      SLOT(Settings, put_IsStatusBarEnabled, 10, i),
      SLOT(Settings, get_AreDevToolsEnabled, 11, p),
      SLOT(Settings, put_AreDevToolsEnabled, 12, i),
      SLOT(Settings, get_AreDefaultContextMenusEnabled, 13, p),
      SLOT(Settings, put_AreDefaultContextMenusEnabled, 14, i),
      SLOT(Settings, get_AreHostObjectsAllowed, 15, p),
      SLOT(Settings, put_AreHostObjectsAllowed, 16, i),
      SLOT(Settings, get_IsZoomControlEnabled, 17, p),
      SLOT(Settings, put_IsZoomControlEnabled, 18, i),
      SLOT(Settings, get_IsBuiltInErrorPageEnabled, 19, p),
      SLOT(Settings, put_IsBuiltInErrorPageEnabled, 20, i),
      SLOT(Settings2, get_UserAgent, 21, p),
      SLOT(Settings2, put_UserAgent, 22, p),
      SLOT(Settings3, get_AreBrowserAcceleratorKeysEnabled, 23, p),
      SLOT(Settings3, put_AreBrowserAcceleratorKeysEnabled, 24, i),
      SLOT(WebMessageReceivedEventArgs, get_Source, 3, p),
      SLOT(WebMessageReceivedEventArgs, get_WebMessageAsJson, 4, p),
      SLOT(WebMessageReceivedEventArgs, TryGetWebMessageAsString, 5, p),
      SLOT(NewWindowRequestedEventArgs, get_Uri, 3, p),
      SLOT(NewWindowRequestedEventArgs, put_NewWindow, 4, p),
      SLOT(NewWindowRequestedEventArgs, get_NewWindow, 5, p),
      SLOT(NewWindowRequestedEventArgs, put_Handled, 6, i),
      SLOT(NewWindowRequestedEventArgs, get_Handled, 7, p),
      SLOT(NewWindowRequestedEventArgs, get_IsUserInitiated, 8, p),
      SLOT(NewWindowRequestedEventArgs, GetDeferral, 9, p),
      SLOT(PermissionRequestedEventArgs, get_Uri, 3, p),
      SLOT(PermissionRequestedEventArgs, get_PermissionKind, 4, p),
      SLOT(PermissionRequestedEventArgs, get_IsUserInitiated, 5, p),
      SLOT(PermissionRequestedEventArgs, get_State, 6, p),
      SLOT(PermissionRequestedEventArgs, put_State, 7, i),
      SLOT(PermissionRequestedEventArgs, GetDeferral, 8, p),
      SLOT(NavigationStartingEventArgs, get_Uri, 3, p),
      SLOT(NavigationStartingEventArgs, get_IsUserInitiated, 4, p),
      SLOT(NavigationStartingEventArgs, get_IsRedirected, 5, p),
      SLOT(NavigationStartingEventArgs, get_RequestHeaders, 6, p),
      SLOT(NavigationStartingEventArgs, get_Cancel, 7, p),
      SLOT(NavigationStartingEventArgs, put_Cancel, 8, i),
      SLOT(NavigationStartingEventArgs, get_NavigationId, 9, p),
      SLOT(WebResourceRequestedEventArgs, get_Request, 3, p),
      SLOT(WebResourceRequestedEventArgs, get_Response, 4, p),
      SLOT(WebResourceRequestedEventArgs, put_Response, 5, p),
      SLOT(WebResourceRequestedEventArgs, GetDeferral, 6, p),
      SLOT(WebResourceRequestedEventArgs, get_ResourceContext, 7, p),
      SLOT(AcceleratorKeyPressedEventArgs, get_KeyEventKind, 3, p),
      SLOT(AcceleratorKeyPressedEventArgs, get_VirtualKey, 4, p),
      SLOT(AcceleratorKeyPressedEventArgs, get_KeyEventLParam, 5, p),
      SLOT(AcceleratorKeyPressedEventArgs, get_PhysicalKeyStatus, 6, p),
      SLOT(AcceleratorKeyPressedEventArgs, get_Handled, 7, p),
      SLOT(AcceleratorKeyPressedEventArgs, put_Handled, 8, i),
      SLOT(DOMContentLoadedEventArgs, get_NavigationId, 3, p),
      SLOT(WebResourceRequest, get_Uri, 3, p),
      SLOT(WebResourceRequest, put_Uri, 4, p),
      SLOT(WebResourceRequest, get_Method, 5, p),
      SLOT(WebResourceRequest, put_Method, 6, p),
      SLOT(WebResourceRequest, get_Content, 7, p),
      SLOT(WebResourceRequest, put_Content, 8, p),
      SLOT(WebResourceRequest, get_Headers, 9, p),
      SLOT(HttpRequestHeaders, GetHeader, 3, pp),
      SLOT(HttpRequestHeaders, GetHeaders, 4, pp),
      SLOT(HttpRequestHeaders, Contains, 5, pp),
      SLOT(HttpRequestHeaders, SetHeader, 6, pp),
      SLOT(HttpRequestHeaders, RemoveHeader, 7, p),
      SLOT(HttpRequestHeaders, GetIterator, 8, p),
      SLOT(HttpHeadersCollectionIterator, GetCurrentHeader, 3, pp),
      SLOT(HttpHeadersCollectionIterator, get_HasCurrentHeader, 4, p),
      SLOT(HttpHeadersCollectionIterator, MoveNext, 5, p),
      SLOT(WebResourceResponse, get_Content, 3, p),
      SLOT(WebResourceResponse, put_Content, 4, p),
      SLOT(WebResourceResponse, get_StatusCode, 6, p),
      SLOT(WebResourceResponse, put_StatusCode, 7, i),
      SLOT(WebResourceResponse, get_ReasonPhrase, 8, p),
      SLOT(WebResourceResponse, put_ReasonPhrase, 9, p),
      SLOT(FileSystemHandle, get_Kind, 3, p),
      SLOT(FileSystemHandle, get_Path, 4, p),
      SLOT(FileSystemHandle, get_Permission, 5, p),
      SLOT(ObjectCollectionView, get_Count, 3, p),
      SLOT(ObjectCollectionView, GetValueAtIndex, 4, ip),
      SLOT(ObjectCollection, RemoveValueAtIndex, 5, i),
      SLOT(ObjectCollection, InsertValueAtIndex, 6, ip),
      SLOT(Deferral, Complete, 3, ),
      SLOT(EnvironmentOptions, get_AdditionalBrowserArguments, 3, p),
      SLOT(EnvironmentOptions, put_AdditionalBrowserArguments, 4, p),
      SLOT(EnvironmentOptions, get_Language, 5, p),
      SLOT(EnvironmentOptions, put_Language, 6, p),
      SLOT(EnvironmentOptions, get_TargetCompatibleBrowserVersion, 7, p),
      SLOT(EnvironmentOptions, put_TargetCompatibleBrowserVersion, 8, p),
      SLOT(EnvironmentOptions, get_AllowSingleSignOnUsingOSPrimaryAccount, 9, p),
      SLOT(EnvironmentOptions, put_AllowSingleSignOnUsingOSPrimaryAccount, 10, i),
      SLOT(EnvironmentOptions2, get_ExclusiveUserDataFolderAccess, 3, p),
      SLOT(EnvironmentOptions2, put_ExclusiveUserDataFolderAccess, 4, i),
      SLOT(EnvironmentOptions3, get_IsCustomCrashReportingEnabled, 3, p),
      SLOT(EnvironmentOptions3, put_IsCustomCrashReportingEnabled, 4, i),
      SLOT(EnvironmentOptions4, GetCustomSchemeRegistrations, 3, pp),
      SLOT(EnvironmentOptions4, SetCustomSchemeRegistrations, 4, ip),
      SLOT(EnvironmentOptions5, get_EnableTrackingPrevention, 3, p),
      SLOT(EnvironmentOptions5, put_EnableTrackingPrevention, 4, i),
      SLOT(EnvironmentOptions6, get_AreBrowserExtensionsEnabled, 3, p),
      SLOT(EnvironmentOptions6, put_AreBrowserExtensionsEnabled, 4, i),
      SLOT(EnvironmentOptions7, get_ChannelSearchKind, 3, p),
      SLOT(EnvironmentOptions7, put_ChannelSearchKind, 4, i),
      SLOT(EnvironmentOptions7, get_ReleaseChannels, 5, p),
      SLOT(EnvironmentOptions7, put_ReleaseChannels, 6, i),
      SLOT(EnvironmentOptions8, get_ScrollBarStyle, 3, p),
      SLOT(EnvironmentOptions8, put_ScrollBarStyle, 4, i),
      SLOT(CreateCoreWebView2EnvironmentCompletedHandler, Invoke, 3, ip),
      SLOT(CreateCoreWebView2ControllerCompletedHandler, Invoke, 3, ip),
      SLOT(DOMContentLoadedEventHandler, Invoke, 3, pp),
      SLOT(WebMessageReceivedEventHandler, Invoke, 3, pp),
      SLOT(NewWindowRequestedEventHandler, Invoke, 3, pp),
      SLOT(WindowCloseRequestedEventHandler, Invoke, 3, pp),
      SLOT(ContainsFullScreenElementChangedEventHandler, Invoke, 3, pp),
      SLOT(PermissionRequestedEventHandler, Invoke, 3, pp),
      SLOT(NavigationStartingEventHandler, Invoke, 3, pp),
      SLOT(WebResourceRequestedEventHandler, Invoke, 3, pp),
      SLOT(DocumentTitleChangedEventHandler, Invoke, 3, pp),
      SLOT(AcceleratorKeyPressedEventHandler, Invoke, 3, pp),
      SLOT(WebMessageReceivedEventArgs2, get_AdditionalObjects, 6, p),
  };
  for (const SlotRow& row : rows) {
    EXPECT_EQ(row.actual.slot, row.slot) << row.method;
    EXPECT_EQ(row.actual.shape, row.shape) << row.method;
  }
}

#undef SLOT

// Enum values the shell passes or the test runtime reports, and the structs passed by value or
// filled in for the shell.
static_assert(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_ALL == 0);
static_assert(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_DOCUMENT == 1);
static_assert(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC == 0);
static_assert(COREWEBVIEW2_PERMISSION_STATE_DEFAULT == 0);
static_assert(COREWEBVIEW2_PERMISSION_STATE_ALLOW == 1);
static_assert(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_WRITE == 1);
static_assert(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_FILE == 0);
static_assert(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_DIRECTORY == 1);
static_assert(COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN == 0 && COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP == 1);
static_assert(COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN == 2);
static_assert(COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP == 3);
static_assert(COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE == 0);
static_assert(COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT == 0);
static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, ScanCode) == 4);
static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, IsKeyReleased) == 20);
static_assert(sizeof(COREWEBVIEW2_PHYSICAL_KEY_STATUS) == 24 && sizeof(COREWEBVIEW2_COLOR) == 4);
static_assert(sizeof(EventRegistrationToken) == 8 && sizeof(RECT) == 16);

// The loader's exports, as start-up looks them up by name.
static_assert(std::is_same_v<CreateCoreWebView2EnvironmentWithOptionsFn,
                             HRESULT(STDAPICALLTYPE*)(
                                 PCWSTR, PCWSTR, ICoreWebView2EnvironmentOptions*,
                                 ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler*)>);
static_assert(std::is_same_v<GetAvailableCoreWebView2BrowserVersionStringFn,
                             HRESULT(STDAPICALLTYPE*)(PCWSTR, LPWSTR*)>);

}  // namespace
}  // namespace corvane
