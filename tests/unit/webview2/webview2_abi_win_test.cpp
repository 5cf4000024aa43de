// Checks our WebView2 declarations against the ABI fact table of runtime 137.0.3296.44: every
// method's absolute vtable slot and exact signature, every interface ID, the enum values and the
// struct layouts. The expected values below were produced from the fact table's rows, not from
// the header, so a slip in either shows up here.
//
// Slots are read from pointers to virtual member functions: on the Itanium C++ ABI that MinGW
// uses, such a pointer holds 1 + slot * sizeof(void*) and no this-adjustment. MSVC encodes them
// differently (a thunk address), so there only the IIDs, enums and structs are checked.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "webview2/webview2_abi.h"

namespace corvane {
namespace {

std::string IidText(const IID& iid) {
  char text[40];
  std::snprintf(text, sizeof text, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned long>(iid.Data1), iid.Data2, iid.Data3, iid.Data4[0],
                iid.Data4[1], iid.Data4[2], iid.Data4[3], iid.Data4[4], iid.Data4[5],
                iid.Data4[6], iid.Data4[7]);
  return text;
}

struct IidRow {
  const char* name;
  const IID& constant;
  const IID& trait;
  const char* expected;
};

#define CORVANE_IID(Interface, Text) {#Interface, IID_##Interface, IidOf<Interface>(), Text}

TEST(WebView2Abi, EveryInterfaceHasTheTableIid) {
  const IidRow rows[] = {
      CORVANE_IID(ICoreWebView2Environment, "B96D755E-0319-4E92-A296-23436F46A1FC"),
      CORVANE_IID(ICoreWebView2Environment2, "41F3632B-5EF4-404F-AD82-2D606C5A9A21"),
      CORVANE_IID(ICoreWebView2Environment3, "80A22AE3-BE7C-4CE2-AFE1-5A50056CDEEB"),
      CORVANE_IID(ICoreWebView2Environment4, "20944379-6DCF-41D6-A0A0-ABC0FC50DE0D"),
      CORVANE_IID(ICoreWebView2Environment5, "319E423D-E0D7-4B8D-9254-AE9475DE9B17"),
      CORVANE_IID(ICoreWebView2Environment6, "E59EE362-ACBD-4857-9A8E-D3644D9459A9"),
      CORVANE_IID(ICoreWebView2Environment7, "43C22296-3BBD-43A4-9C00-5C0DF6DD29A2"),
      CORVANE_IID(ICoreWebView2Environment8, "D6EB91DD-C3D2-45E5-BD29-6DC2BC4DE9CF"),
      CORVANE_IID(ICoreWebView2Environment9, "F06F41BF-4B5A-49D8-B9F6-FA16CD29F274"),
      CORVANE_IID(ICoreWebView2Environment10, "EE0EB9DF-6F12-46CE-B53F-3F47B9C928E0"),
      CORVANE_IID(ICoreWebView2Environment11, "F0913DC6-A0EC-42EF-9805-91DFF3A2966A"),
      CORVANE_IID(ICoreWebView2Environment12, "F503DB9B-739F-48DD-B151-FDFCF253F54E"),
      CORVANE_IID(ICoreWebView2Environment13, "AF641F58-72B2-11EE-B962-0242AC120002"),
      CORVANE_IID(ICoreWebView2Environment14, "A5E9FAD9-C875-59DA-9BD7-473AA5CA1CEF"),
      CORVANE_IID(ICoreWebView2, "76ECEACB-0462-4D94-AC83-423A6793775E"),
      CORVANE_IID(ICoreWebView2_2, "9E8F0CF8-E670-4B5E-B2BC-73E061E3184C"),
      CORVANE_IID(ICoreWebView2_3, "A0D6DF20-3B92-416D-AA0C-437A9C727857"),
      CORVANE_IID(ICoreWebView2_4, "20D02D59-6DF2-42DC-BD06-F98A694B1302"),
      CORVANE_IID(ICoreWebView2_5, "BEDB11B8-D63C-11EB-B8BC-0242AC130003"),
      CORVANE_IID(ICoreWebView2_6, "499AADAC-D92C-4589-8A75-111BFC167795"),
      CORVANE_IID(ICoreWebView2_7, "79C24D83-09A3-45AE-9418-487F32A58740"),
      CORVANE_IID(ICoreWebView2_8, "E9632730-6E1E-43AB-B7B8-7B2C9E62E094"),
      CORVANE_IID(ICoreWebView2_9, "4D7B2EAB-9FDC-468D-B998-A9260B5ED651"),
      CORVANE_IID(ICoreWebView2_10, "B1690564-6F5A-4983-8E48-31D1143FECDB"),
      CORVANE_IID(ICoreWebView2_11, "0BE78E56-C193-4051-B943-23B460C08BDB"),
      CORVANE_IID(ICoreWebView2_12, "35D69927-BCFA-4566-9349-6B3E0D154CAC"),
      CORVANE_IID(ICoreWebView2_13, "F75F09A8-667E-4983-88D6-C8773F315E84"),
      CORVANE_IID(ICoreWebView2_14, "6DAA4F10-4A90-4753-8898-77C5DF534165"),
      CORVANE_IID(ICoreWebView2_15, "517B2D1D-7DAE-4A66-A4F4-10352FFB9518"),
      CORVANE_IID(ICoreWebView2_16, "0EB34DC9-9F91-41E1-8639-95CD5943906B"),
      CORVANE_IID(ICoreWebView2_17, "702E75D4-FD44-434D-9D70-1A68A6B1192A"),
      CORVANE_IID(ICoreWebView2_18, "7A626017-28BE-49B2-B865-3BA2B3522D90"),
      CORVANE_IID(ICoreWebView2_19, "6921F954-79B0-437F-A997-C85811897C68"),
      CORVANE_IID(ICoreWebView2_20, "B4BC1926-7305-11EE-B962-0242AC120002"),
      CORVANE_IID(ICoreWebView2_21, "C4980DEA-587B-43B9-8143-3EF3BF552D95"),
      CORVANE_IID(ICoreWebView2_22, "DB75DFC7-A857-4632-A398-6969DDE26C0A"),
      CORVANE_IID(ICoreWebView2_23, "508F0DB5-90C4-5872-90A7-267A91377502"),
      CORVANE_IID(ICoreWebView2Controller, "4D00C0D1-9434-4EB6-8078-8697A560334F"),
      CORVANE_IID(ICoreWebView2Settings, "E562E4F0-D7FA-43AC-8D71-C05150499F00"),
      CORVANE_IID(ICoreWebView2Settings2, "EE9A0F68-F46C-4E32-AC23-EF8CAC224D2A"),
      CORVANE_IID(ICoreWebView2Settings3, "FDB5AB74-AF33-4854-84F0-0A631DEB5EBA"),
      CORVANE_IID(ICoreWebView2WebMessageReceivedEventArgs, "0F99A40C-E962-4207-9E92-E3D542EFF849"),
      CORVANE_IID(ICoreWebView2NewWindowRequestedEventArgs, "34ACB11C-FC37-4418-9132-F9C21D1EAFB9"),
      CORVANE_IID(ICoreWebView2PermissionRequestedEventArgs,
                  "973AE2EF-FF18-4894-8FB2-3C758F046810"),
      CORVANE_IID(ICoreWebView2NavigationStartingEventArgs, "5B495469-E119-438A-9B18-7604F25F2E49"),
      CORVANE_IID(ICoreWebView2WebResourceRequestedEventArgs,
                  "453E667F-12C7-49D4-BE6D-DDBE7956F57A"),
      CORVANE_IID(ICoreWebView2AcceleratorKeyPressedEventArgs,
                  "9F760F8A-FB79-42BE-9990-7B56900FA9C7"),
      CORVANE_IID(ICoreWebView2DOMContentLoadedEventArgs, "16B1E21A-C503-44F2-84C9-70ABA5031283"),
      CORVANE_IID(ICoreWebView2WebResourceRequest, "97055CD4-512C-4264-8B5F-E3F446CEA6A5"),
      CORVANE_IID(ICoreWebView2HttpRequestHeaders, "E86CAC0E-5523-465C-B536-8FB9FC8C8C60"),
      CORVANE_IID(ICoreWebView2HttpHeadersCollectionIterator,
                  "0702FC30-F43B-47BB-AB52-A42CB552AD9F"),
      CORVANE_IID(ICoreWebView2WebResourceResponse, "AAFCC94F-FA27-48FD-97DF-830EF75AAEC9"),
      CORVANE_IID(ICoreWebView2HttpResponseHeaders, "03C5FF5A-9B45-4A88-881C-89A9F328619C"),
      CORVANE_IID(ICoreWebView2FileSystemHandle, "C65100AC-0DE2-5551-A362-23D9BD1D0E1F"),
      CORVANE_IID(ICoreWebView2ObjectCollectionView, "0F36FD87-4F69-4415-98DA-888F89FB9A33"),
      CORVANE_IID(ICoreWebView2ObjectCollection, "5CFEC11C-25BD-4E8D-9E1A-7ACDAEEEC047"),
      CORVANE_IID(ICoreWebView2Deferral, "C10E7F7B-B585-46F0-A623-8BEFBF3E4EE0"),
      CORVANE_IID(ICoreWebView2EnvironmentOptions, "2FDE08A8-1E9A-4766-8C05-95A9CEB9D1C5"),
      CORVANE_IID(ICoreWebView2EnvironmentOptions2, "FF85C98A-1BA7-4A6B-90C8-2B752C89E9E2"),
      CORVANE_IID(ICoreWebView2EnvironmentOptions3, "4A5C436E-A9E3-4A2E-89C3-910D3513F5CC"),
      CORVANE_IID(ICoreWebView2EnvironmentOptions4, "AC52D13F-0D38-475A-9DCA-876580D6793E"),
      CORVANE_IID(ICoreWebView2EnvironmentOptions5, "0AE35D64-C47F-4464-814E-259C345D1501"),
      CORVANE_IID(ICoreWebView2EnvironmentOptions6, "57D29CC3-C84F-42A0-B0E2-EFFBD5E179DE"),
      CORVANE_IID(ICoreWebView2EnvironmentOptions7, "C48D539F-E39F-441C-AE68-1F66E570BDC5"),
      CORVANE_IID(ICoreWebView2EnvironmentOptions8, "7C7ECF51-E918-5CAF-853C-E9A2BCC27775"),
      CORVANE_IID(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler,
                  "4E8A3389-C9D8-4BD2-B6B5-124FEE6CC14D"),
      CORVANE_IID(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler,
                  "6C4819F3-C9B7-4260-8127-C9F5BDE7F68C"),
      CORVANE_IID(ICoreWebView2DOMContentLoadedEventHandler,
                  "4BAC7E9C-199E-49ED-87ED-249303ACF019"),
      CORVANE_IID(ICoreWebView2WebMessageReceivedEventHandler,
                  "57213F19-00E6-49FA-8E07-898EA01ECBD2"),
      CORVANE_IID(ICoreWebView2NewWindowRequestedEventHandler,
                  "D4C185FE-C81C-4989-97AF-2D3FA7AB5651"),
      CORVANE_IID(ICoreWebView2WindowCloseRequestedEventHandler,
                  "5C19E9E0-092F-486B-AFFA-CA8231913039"),
      CORVANE_IID(ICoreWebView2ContainsFullScreenElementChangedEventHandler,
                  "E45D98B1-AFEF-45BE-8BAF-6C7728867F73"),
      CORVANE_IID(ICoreWebView2PermissionRequestedEventHandler,
                  "15E1C6A3-C72A-4DF3-91D7-D097FBEC6BFD"),
      CORVANE_IID(ICoreWebView2NavigationStartingEventHandler,
                  "9ADBE429-F36D-432B-9DDC-F8881FBD76E3"),
      CORVANE_IID(ICoreWebView2WebResourceRequestedEventHandler,
                  "AB00B74C-15F1-4646-80E8-E76341D25D71"),
      CORVANE_IID(ICoreWebView2DocumentTitleChangedEventHandler,
                  "F5F2B923-953E-4042-9F95-F3A118E1AFD4"),
      CORVANE_IID(ICoreWebView2AcceleratorKeyPressedEventHandler,
                  "B29C7E28-FA79-41A8-8E44-65811C76DCB2"),
      CORVANE_IID(ICoreWebView2WebMessageReceivedEventArgs2,
                  "06FC7AB7-C90C-4297-9389-33CA01CF6D5E"),
      CORVANE_IID(ICoreWebView2NewWindowRequestedEventArgs2,
                  "BBC7BAED-74C6-4C92-B63A-7F5AEAE03DE3"),
      CORVANE_IID(ICoreWebView2NewWindowRequestedEventArgs3,
                  "842BED3C-6AD6-4DD9-B938-28C96667AD66"),
      CORVANE_IID(ICoreWebView2PermissionRequestedEventArgs2,
                  "74D7127F-9DE6-4200-8734-42D6FB4FF741"),
      CORVANE_IID(ICoreWebView2PermissionRequestedEventArgs3,
                  "E61670BC-3DCE-4177-86D2-C629AE3CB6AC"),
      CORVANE_IID(ICoreWebView2WebResourceRequestedEventArgs2,
                  "9C562C24-B219-4D7F-92F6-B187FBBADD56"),
      CORVANE_IID(ICoreWebView2NavigationStartingEventArgs2,
                  "9086BE93-91AA-472D-A7E0-579F2BA006AD"),
      CORVANE_IID(ICoreWebView2NavigationStartingEventArgs3,
                  "DDFFE494-4942-4BD2-AB73-35B8FF40E19F"),
      CORVANE_IID(ICoreWebView2AcceleratorKeyPressedEventArgs2,
                  "03B2C8C8-7799-4E34-BD66-ED26AA85F2BF"),
      CORVANE_IID(ICoreWebView2Controller2, "C979903E-D4CA-4228-92EB-47EE3FA96EAB"),
      CORVANE_IID(ICoreWebView2Controller3, "F9614724-5D2B-41DC-AEF7-73D62B51543B"),
      CORVANE_IID(ICoreWebView2Controller4, "97D418D5-A426-4E49-A151-E1A10F327D9E"),
      CORVANE_IID(ICoreWebView2WindowFeatures, "5EAF559F-B46E-4397-8860-E422F287FF1E"),
      CORVANE_IID(ICoreWebView2File, "F2C19559-6BC1-4583-A757-90021BE9AFEC"),
      CORVANE_IID(ICoreWebView2CustomSchemeRegistration, "D60AC92C-37A6-4B26-A39E-95CFE59047BB"),
      CORVANE_IID(ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler,
                  "B99369F3-9B11-47B5-BC6F-8E7895FCEA17"),
      CORVANE_IID(ICoreWebView2BasicAuthenticationRequestedEventHandler,
                  "58B4D6C2-18D4-497E-B39B-9A96533FA278"),
      CORVANE_IID(ICoreWebView2BrowserProcessExitedEventHandler,
                  "FA504257-A216-4911-A860-FE8825712861"),
      CORVANE_IID(ICoreWebView2CallDevToolsProtocolMethodCompletedHandler,
                  "5C4889F0-5EF6-4C5A-952C-D8F1B92D0574"),
      CORVANE_IID(ICoreWebView2CapturePreviewCompletedHandler,
                  "697E05E9-3D8F-45FA-96F4-8FFE1EDEDAF5"),
      CORVANE_IID(ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler,
                  "3B40AAC6-ACFE-4FFD-8211-F607B96E2D5B"),
      CORVANE_IID(ICoreWebView2ClientCertificateRequestedEventHandler,
                  "D7175BA2-BCC3-11EB-8529-0242AC130003"),
      CORVANE_IID(ICoreWebView2ContentLoadingEventHandler, "364471E7-F2BE-4910-BDBA-D72077D51C4B"),
      CORVANE_IID(ICoreWebView2ContextMenuItem, "7AED49E3-A93F-497A-811C-749C6B6B6C65"),
      CORVANE_IID(ICoreWebView2ContextMenuRequestedEventHandler,
                  "04D3FE1D-AB87-42FB-A898-DA241D35B63C"),
      CORVANE_IID(ICoreWebView2ControllerOptions, "12AAE616-8CCB-44EC-BCB3-EB1831881635"),
      CORVANE_IID(ICoreWebView2CookieManager, "177CD9E7-B6F5-451A-94A0-5D7A3A4C4141"),
      CORVANE_IID(ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler,
                  "02FAB84B-1428-4FB7-AD45-1B2E64736184"),
      CORVANE_IID(ICoreWebView2DevToolsProtocolEventReceiver,
                  "B32CA51A-8371-45E9-9317-AF021D080367"),
      CORVANE_IID(ICoreWebView2DownloadStartingEventHandler,
                  "EFEDC989-C396-41CA-83F7-07F845A55724"),
      CORVANE_IID(ICoreWebView2ExecuteScriptCompletedHandler,
                  "49511172-CC67-4BCA-9923-137112F4C4CC"),
      CORVANE_IID(ICoreWebView2ExecuteScriptWithResultCompletedHandler,
                  "1BB5317B-8238-4C67-A7FF-BAF6558F289D"),
      CORVANE_IID(ICoreWebView2FaviconChangedEventHandler, "2913DA94-833D-4DE0-8DCA-900FC524A1A4"),
      CORVANE_IID(ICoreWebView2FocusChangedEventHandler, "05EA24BD-6452-4926-9014-4B82B498135D"),
      CORVANE_IID(ICoreWebView2FrameCreatedEventHandler, "38059770-9BAA-11EB-A8B3-0242AC130003"),
      CORVANE_IID(ICoreWebView2FrameInfo, "DA86B8A1-BDF3-4F11-9955-528CEFA59727"),
      CORVANE_IID(ICoreWebView2GetFaviconCompletedHandler, "A2508329-7DA8-49D7-8C05-FA125E4AEE8D"),
      CORVANE_IID(ICoreWebView2GetProcessExtendedInfosCompletedHandler,
                  "F45E55AA-3BC2-11EE-BE56-0242AC120002"),
      CORVANE_IID(ICoreWebView2HistoryChangedEventHandler, "C79A420C-EFD9-4058-9295-3E8B4BCAB645"),
      CORVANE_IID(ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler,
                  "3117DA26-AE13-438D-BD46-EDBEB2C4CE81"),
      CORVANE_IID(ICoreWebView2IsDocumentPlayingAudioChangedEventHandler,
                  "5DEF109A-2F4B-49FA-B7F6-11C39E513328"),
      CORVANE_IID(ICoreWebView2IsMutedChangedEventHandler, "57D90347-CD0E-4952-A4A2-7483A2756F08"),
      CORVANE_IID(ICoreWebView2LaunchingExternalUriSchemeEventHandler,
                  "74F712E0-8165-43A9-A13F-0CCE597E75DF"),
      CORVANE_IID(ICoreWebView2MoveFocusRequestedEventHandler,
                  "69035451-6DC7-4CB8-9BCE-B2BD70AD289F"),
      CORVANE_IID(ICoreWebView2NavigationCompletedEventHandler,
                  "D33A35BF-1C49-4F98-93AB-006E0533FE1C"),
      CORVANE_IID(ICoreWebView2NewBrowserVersionAvailableEventHandler,
                  "F9A2976E-D34E-44FC-ADEE-81B6B57CA914"),
      CORVANE_IID(ICoreWebView2PointerInfo, "E6995887-D10D-4F5D-9359-4CE46E4F96B9"),
      CORVANE_IID(ICoreWebView2PrintCompletedHandler, "8FD80075-ED08-42DB-8570-F5D14977461E"),
      CORVANE_IID(ICoreWebView2PrintSettings, "377F3721-C74E-48CA-8DB1-DF68E51D60E2"),
      CORVANE_IID(ICoreWebView2PrintToPdfCompletedHandler, "CCF1EF04-FD8E-4D5F-B2DE-0983E41B8C36"),
      CORVANE_IID(ICoreWebView2PrintToPdfStreamCompletedHandler,
                  "4C9F8229-8F93-444F-A711-2C0DFD6359D5"),
      CORVANE_IID(ICoreWebView2ProcessFailedEventHandler, "79E0AEA4-990B-42D9-AA1D-0FCC2E5BC7F1"),
      CORVANE_IID(ICoreWebView2ProcessInfoCollection, "402B99CD-A0CC-4FA5-B7A5-51D86A1D2339"),
      CORVANE_IID(ICoreWebView2ProcessInfosChangedEventHandler,
                  "F4AF0C39-44B9-40E9-8B11-0484CFB9E0A1"),
      CORVANE_IID(ICoreWebView2Profile, "79110AD3-CD5D-4373-8BC3-C60658F17A5F"),
      CORVANE_IID(ICoreWebView2RasterizationScaleChangedEventHandler,
                  "9C98C8B1-AC53-427E-A345-3049B5524BBE"),
      CORVANE_IID(ICoreWebView2ScriptDialogOpeningEventHandler,
                  "EF381BF9-AFA8-4E37-91C4-8AC48524BDFB"),
      CORVANE_IID(ICoreWebView2ServerCertificateErrorDetectedEventHandler,
                  "969B3A26-D85E-4795-8199-FEF57344DA22"),
      CORVANE_IID(ICoreWebView2SharedBuffer, "B747A495-0C6F-449E-97B8-2F81E9D6AB43"),
      CORVANE_IID(ICoreWebView2SourceChangedEventHandler, "3C067F9F-5388-4772-8B48-79F7EF1AB37C"),
      CORVANE_IID(ICoreWebView2StatusBarTextChangedEventHandler,
                  "A5E3B0D0-10DF-4156-BFAD-3B43867ACAC6"),
      CORVANE_IID(ICoreWebView2TrySuspendCompletedHandler, "00F206A7-9D17-4605-91F6-4E8E4DE192E3"),
      CORVANE_IID(ICoreWebView2WebResourceResponseReceivedEventHandler,
                  "7DE9898A-24F5-40C3-A2DE-D4F458E69828"),
      CORVANE_IID(ICoreWebView2ZoomFactorChangedEventHandler,
                  "B52D71D6-C4DF-4543-A90C-64A3E60F38CB"),
  };
  for (const IidRow& row : rows) {
    EXPECT_EQ(IidText(row.constant), row.expected) << row.name;
    EXPECT_EQ(&row.constant, &row.trait) << row.name;
  }
}

#undef CORVANE_IID

#define CORVANE_ENUM(Member, Value) \
  EXPECT_EQ(static_cast<long long>(Member), static_cast<long long>(Value)) << #Member

TEST(WebView2Abi, EnumValuesAndStructLayoutsMatchTheTable) {
  static_assert(sizeof(COREWEBVIEW2_WEB_RESOURCE_CONTEXT) == 4);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_ALL, 0);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_DOCUMENT, 1);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_STYLESHEET, 2);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_IMAGE, 3);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_MEDIA, 4);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_FONT, 5);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_SCRIPT, 6);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_XML_HTTP_REQUEST, 7);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_FETCH, 8);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_TEXT_TRACK, 9);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_EVENT_SOURCE, 10);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_WEBSOCKET, 11);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_MANIFEST, 12);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_SIGNED_EXCHANGE, 13);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_PING, 14);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_CSP_VIOLATION_REPORT, 15);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_CONTEXT_OTHER, 16);
  static_assert(sizeof(COREWEBVIEW2_MOVE_FOCUS_REASON) == 4);
  CORVANE_ENUM(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC, 0);
  CORVANE_ENUM(COREWEBVIEW2_MOVE_FOCUS_REASON_NEXT, 1);
  CORVANE_ENUM(COREWEBVIEW2_MOVE_FOCUS_REASON_PREVIOUS, 2);
  static_assert(sizeof(COREWEBVIEW2_PERMISSION_KIND) == 4);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_UNKNOWN_PERMISSION, 0);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_MICROPHONE, 1);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_CAMERA, 2);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_GEOLOCATION, 3);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_NOTIFICATIONS, 4);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_OTHER_SENSORS, 5);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_CLIPBOARD_READ, 6);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_MULTIPLE_AUTOMATIC_DOWNLOADS, 7);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_FILE_READ_WRITE, 8);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_AUTOPLAY, 9);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_LOCAL_FONTS, 10);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_MIDI_SYSTEM_EXCLUSIVE_MESSAGES, 11);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_KIND_WINDOW_MANAGEMENT, 12);
  static_assert(sizeof(COREWEBVIEW2_PERMISSION_STATE) == 4);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_STATE_DEFAULT, 0);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_STATE_ALLOW, 1);
  CORVANE_ENUM(COREWEBVIEW2_PERMISSION_STATE_DENY, 2);
  static_assert(sizeof(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION) == 4);
  CORVANE_ENUM(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_ONLY, 0);
  CORVANE_ENUM(COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION_READ_WRITE, 1);
  static_assert(sizeof(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND) == 4);
  CORVANE_ENUM(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_FILE, 0);
  CORVANE_ENUM(COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND_DIRECTORY, 1);
  static_assert(sizeof(COREWEBVIEW2_KEY_EVENT_KIND) == 4);
  CORVANE_ENUM(COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 0);
  CORVANE_ENUM(COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP, 1);
  CORVANE_ENUM(COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN, 2);
  CORVANE_ENUM(COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_UP, 3);
  static_assert(sizeof(COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS) == 4);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_NONE, 0x0);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_DOCUMENT, 0x1);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_SHARED_WORKER, 0x2);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_SERVICE_WORKER, 0x4);
  CORVANE_ENUM(COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_ALL, 0xFFFFFFFF);
  static_assert(sizeof(COREWEBVIEW2_BOUNDS_MODE) == 4);
  CORVANE_ENUM(COREWEBVIEW2_BOUNDS_MODE_USE_RAW_PIXELS, 0);
  CORVANE_ENUM(COREWEBVIEW2_BOUNDS_MODE_USE_RASTERIZATION_SCALE, 1);
  static_assert(sizeof(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT) == 4);
  CORVANE_ENUM(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT_PNG, 0);
  CORVANE_ENUM(COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT_JPEG, 1);
  static_assert(sizeof(COREWEBVIEW2_CHANNEL_SEARCH_KIND) == 4);
  CORVANE_ENUM(COREWEBVIEW2_CHANNEL_SEARCH_KIND_MOST_STABLE, 0);
  CORVANE_ENUM(COREWEBVIEW2_CHANNEL_SEARCH_KIND_LEAST_STABLE, 1);
  static_assert(sizeof(COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND) == 4);
  CORVANE_ENUM(COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, 0);
  CORVANE_ENUM(COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_CHECK_BOX, 1);
  CORVANE_ENUM(COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_RADIO, 2);
  CORVANE_ENUM(COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_SEPARATOR, 3);
  CORVANE_ENUM(COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_SUBMENU, 4);
  static_assert(sizeof(COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT) == 4);
  CORVANE_ENUM(COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_TOP_LEFT, 0);
  CORVANE_ENUM(COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_TOP_RIGHT, 1);
  CORVANE_ENUM(COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_BOTTOM_LEFT, 2);
  CORVANE_ENUM(COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_BOTTOM_RIGHT, 3);
  static_assert(sizeof(COREWEBVIEW2_FAVICON_IMAGE_FORMAT) == 4);
  CORVANE_ENUM(COREWEBVIEW2_FAVICON_IMAGE_FORMAT_PNG, 0);
  CORVANE_ENUM(COREWEBVIEW2_FAVICON_IMAGE_FORMAT_JPEG, 1);
  static_assert(sizeof(COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND) == 4);
  CORVANE_ENUM(COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND_DENY, 0);
  CORVANE_ENUM(COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND_ALLOW, 1);
  CORVANE_ENUM(COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND_DENY_CORS, 2);
  static_assert(sizeof(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL) == 4);
  CORVANE_ENUM(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_NORMAL, 0);
  CORVANE_ENUM(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW, 1);
  static_assert(sizeof(COREWEBVIEW2_NAVIGATION_KIND) == 4);
  CORVANE_ENUM(COREWEBVIEW2_NAVIGATION_KIND_RELOAD, 0);
  CORVANE_ENUM(COREWEBVIEW2_NAVIGATION_KIND_BACK_OR_FORWARD, 1);
  CORVANE_ENUM(COREWEBVIEW2_NAVIGATION_KIND_NEW_DOCUMENT, 2);
  static_assert(sizeof(COREWEBVIEW2_PRINT_DIALOG_KIND) == 4);
  CORVANE_ENUM(COREWEBVIEW2_PRINT_DIALOG_KIND_BROWSER, 0);
  CORVANE_ENUM(COREWEBVIEW2_PRINT_DIALOG_KIND_SYSTEM, 1);
  static_assert(sizeof(COREWEBVIEW2_RELEASE_CHANNELS) == 4);
  CORVANE_ENUM(COREWEBVIEW2_RELEASE_CHANNELS_NONE, 0x0);
  CORVANE_ENUM(COREWEBVIEW2_RELEASE_CHANNELS_STABLE, 0x1);
  CORVANE_ENUM(COREWEBVIEW2_RELEASE_CHANNELS_BETA, 0x2);
  CORVANE_ENUM(COREWEBVIEW2_RELEASE_CHANNELS_DEV, 0x4);
  CORVANE_ENUM(COREWEBVIEW2_RELEASE_CHANNELS_CANARY, 0x8);
  static_assert(sizeof(COREWEBVIEW2_SCROLLBAR_STYLE) == 4);
  CORVANE_ENUM(COREWEBVIEW2_SCROLLBAR_STYLE_DEFAULT, 0);
  CORVANE_ENUM(COREWEBVIEW2_SCROLLBAR_STYLE_FLUENT_OVERLAY, 1);
  static_assert(sizeof(COREWEBVIEW2_SHARED_BUFFER_ACCESS) == 4);
  CORVANE_ENUM(COREWEBVIEW2_SHARED_BUFFER_ACCESS_READ_ONLY, 0);
  CORVANE_ENUM(COREWEBVIEW2_SHARED_BUFFER_ACCESS_READ_WRITE, 1);
  static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, RepeatCount) == 0);
  static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, ScanCode) == 4);
  static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, IsExtendedKey) == 8);
  static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, IsMenuKeyDown) == 12);
  static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, WasKeyDown) == 16);
  static_assert(offsetof(COREWEBVIEW2_PHYSICAL_KEY_STATUS, IsKeyReleased) == 20);
  static_assert(sizeof(COREWEBVIEW2_PHYSICAL_KEY_STATUS) == 24);
  static_assert(offsetof(COREWEBVIEW2_COLOR, A) == 0);
  static_assert(offsetof(COREWEBVIEW2_COLOR, R) == 1);
  static_assert(offsetof(COREWEBVIEW2_COLOR, G) == 2);
  static_assert(offsetof(COREWEBVIEW2_COLOR, B) == 3);
  static_assert(sizeof(EventRegistrationToken) == 8);
  static_assert(sizeof(RECT) == 16);
}

#undef CORVANE_ENUM

#if !defined(_MSC_VER)

// Absolute slot of a virtual method, or -1 when the pointer does not denote a virtual function.
template <class MemberFunction>
std::ptrdiff_t SlotOf(MemberFunction method) {
  static_assert(sizeof(MemberFunction) == 2 * sizeof(std::ptrdiff_t));
  std::ptrdiff_t words[2];
  std::memcpy(words, &method, sizeof words);
  if (words[1] != 0 || (words[0] - 1) % static_cast<std::ptrdiff_t>(sizeof(void*)) != 0) return -1;
  return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

struct SlotRow {
  const char* method;
  std::ptrdiff_t expected;
  std::ptrdiff_t actual;
};

// The exact pointer type proves the method is declared by that interface itself (an inherited
// one has the base's class type) with the table's parameter types, in order.
#define CORVANE_SLOT(Interface, Method, Slot, ...)                                              \
  static_assert(std::is_same_v<decltype(&Interface::Method),                                 \
                               HRESULT (STDMETHODCALLTYPE Interface::*)(__VA_ARGS__)>,        \
                #Interface "::" #Method " has the table's signature");                       \
  rows.push_back({#Interface "::" #Method, Slot, SlotOf(&Interface::Method)})

TEST(WebView2Abi, EveryMethodSitsInItsTableSlot) {
  std::vector<SlotRow> rows;
  // IUnknown itself, as every chain starts with it (its QueryInterface has a template overload).
  rows.push_back({"IUnknown::QueryInterface", 0,
                   SlotOf(static_cast<HRESULT (STDMETHODCALLTYPE IUnknown::*)(REFIID, void**)>(
                                         &IUnknown::QueryInterface))});
  rows.push_back({"IUnknown::AddRef", 1, SlotOf(&IUnknown::AddRef)});
  rows.push_back({"IUnknown::Release", 2, SlotOf(&IUnknown::Release)});

  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2Environment>);
  static_assert(sizeof(ICoreWebView2Environment) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment, CreateCoreWebView2Controller, 3, HWND,
               ICoreWebView2CreateCoreWebView2ControllerCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2Environment, CreateWebResourceResponse, 4, IStream*, int, LPCWSTR,
               LPCWSTR, ICoreWebView2WebResourceResponse**);
  CORVANE_SLOT(ICoreWebView2Environment, get_BrowserVersionString, 5, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2Environment, add_NewBrowserVersionAvailable, 6,
               ICoreWebView2NewBrowserVersionAvailableEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Environment, remove_NewBrowserVersionAvailable, 7,
               EventRegistrationToken);
  static_assert(std::is_base_of_v<ICoreWebView2Environment,
                                  ICoreWebView2Environment2>);
  static_assert(sizeof(ICoreWebView2Environment2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment2, CreateWebResourceRequest, 8, LPCWSTR, LPCWSTR, IStream*,
               LPCWSTR, ICoreWebView2WebResourceRequest**);
  static_assert(std::is_base_of_v<ICoreWebView2Environment2,
                                  ICoreWebView2Environment3>);
  static_assert(sizeof(ICoreWebView2Environment3) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment3, CreateCoreWebView2CompositionController, 9, HWND,
               ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2Environment3, CreateCoreWebView2PointerInfo, 10,
               ICoreWebView2PointerInfo**);
  static_assert(std::is_base_of_v<ICoreWebView2Environment3,
                                  ICoreWebView2Environment4>);
  static_assert(sizeof(ICoreWebView2Environment4) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment4, GetAutomationProviderForWindow, 11, HWND, IUnknown**);
  static_assert(std::is_base_of_v<ICoreWebView2Environment4,
                                  ICoreWebView2Environment5>);
  static_assert(sizeof(ICoreWebView2Environment5) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment5, add_BrowserProcessExited, 12,
               ICoreWebView2BrowserProcessExitedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Environment5, remove_BrowserProcessExited, 13, EventRegistrationToken);
  static_assert(std::is_base_of_v<ICoreWebView2Environment5,
                                  ICoreWebView2Environment6>);
  static_assert(sizeof(ICoreWebView2Environment6) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment6, CreatePrintSettings, 14, ICoreWebView2PrintSettings**);
  static_assert(std::is_base_of_v<ICoreWebView2Environment6,
                                  ICoreWebView2Environment7>);
  static_assert(sizeof(ICoreWebView2Environment7) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment7, get_UserDataFolder, 15, LPWSTR*);
  static_assert(std::is_base_of_v<ICoreWebView2Environment7,
                                  ICoreWebView2Environment8>);
  static_assert(sizeof(ICoreWebView2Environment8) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment8, add_ProcessInfosChanged, 16,
               ICoreWebView2ProcessInfosChangedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Environment8, remove_ProcessInfosChanged, 17, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2Environment8, GetProcessInfos, 18,
               ICoreWebView2ProcessInfoCollection**);
  static_assert(std::is_base_of_v<ICoreWebView2Environment8,
                                  ICoreWebView2Environment9>);
  static_assert(sizeof(ICoreWebView2Environment9) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment9, CreateContextMenuItem, 19, LPCWSTR, IStream*,
               COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND, ICoreWebView2ContextMenuItem**);
  static_assert(std::is_base_of_v<ICoreWebView2Environment9,
                                  ICoreWebView2Environment10>);
  static_assert(sizeof(ICoreWebView2Environment10) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment10, CreateCoreWebView2ControllerOptions, 20,
               ICoreWebView2ControllerOptions**);
  CORVANE_SLOT(ICoreWebView2Environment10, CreateCoreWebView2ControllerWithOptions, 21, HWND,
               ICoreWebView2ControllerOptions*,
               ICoreWebView2CreateCoreWebView2ControllerCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2Environment10, CreateCoreWebView2CompositionControllerWithOptions, 22,
               HWND, ICoreWebView2ControllerOptions*,
               ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler*);
  static_assert(std::is_base_of_v<ICoreWebView2Environment10,
                                  ICoreWebView2Environment11>);
  static_assert(sizeof(ICoreWebView2Environment11) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment11, get_FailureReportFolderPath, 23, LPWSTR*);
  static_assert(std::is_base_of_v<ICoreWebView2Environment11,
                                  ICoreWebView2Environment12>);
  static_assert(sizeof(ICoreWebView2Environment12) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment12, CreateSharedBuffer, 24, UINT64,
               ICoreWebView2SharedBuffer**);
  static_assert(std::is_base_of_v<ICoreWebView2Environment12,
                                  ICoreWebView2Environment13>);
  static_assert(sizeof(ICoreWebView2Environment13) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment13, GetProcessExtendedInfos, 25,
               ICoreWebView2GetProcessExtendedInfosCompletedHandler*);
  static_assert(std::is_base_of_v<ICoreWebView2Environment13,
                                  ICoreWebView2Environment14>);
  static_assert(sizeof(ICoreWebView2Environment14) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Environment14, CreateWebFileSystemFileHandle, 26, LPCWSTR,
               COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION, ICoreWebView2FileSystemHandle**);
  CORVANE_SLOT(ICoreWebView2Environment14, CreateWebFileSystemDirectoryHandle, 27, LPCWSTR,
               COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION, ICoreWebView2FileSystemHandle**);
  CORVANE_SLOT(ICoreWebView2Environment14, CreateObjectCollection, 28, UINT32, IUnknown**,
               ICoreWebView2ObjectCollection**);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2>);
  static_assert(sizeof(ICoreWebView2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2, get_Settings, 3, ICoreWebView2Settings**);
  CORVANE_SLOT(ICoreWebView2, get_Source, 4, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2, Navigate, 5, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2, NavigateToString, 6, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2, add_NavigationStarting, 7,
               ICoreWebView2NavigationStartingEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_NavigationStarting, 8, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_ContentLoading, 9, ICoreWebView2ContentLoadingEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_ContentLoading, 10, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_SourceChanged, 11, ICoreWebView2SourceChangedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_SourceChanged, 12, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_HistoryChanged, 13, ICoreWebView2HistoryChangedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_HistoryChanged, 14, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_NavigationCompleted, 15,
               ICoreWebView2NavigationCompletedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_NavigationCompleted, 16, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_FrameNavigationStarting, 17,
               ICoreWebView2NavigationStartingEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_FrameNavigationStarting, 18, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_FrameNavigationCompleted, 19,
               ICoreWebView2NavigationCompletedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_FrameNavigationCompleted, 20, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_ScriptDialogOpening, 21,
               ICoreWebView2ScriptDialogOpeningEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_ScriptDialogOpening, 22, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_PermissionRequested, 23,
               ICoreWebView2PermissionRequestedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_PermissionRequested, 24, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_ProcessFailed, 25, ICoreWebView2ProcessFailedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_ProcessFailed, 26, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, AddScriptToExecuteOnDocumentCreated, 27, LPCWSTR,
               ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2, RemoveScriptToExecuteOnDocumentCreated, 28, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2, ExecuteScript, 29, LPCWSTR,
               ICoreWebView2ExecuteScriptCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2, CapturePreview, 30, COREWEBVIEW2_CAPTURE_PREVIEW_IMAGE_FORMAT,
               IStream*, ICoreWebView2CapturePreviewCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2, Reload, 31);
  CORVANE_SLOT(ICoreWebView2, PostWebMessageAsJson, 32, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2, PostWebMessageAsString, 33, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2, add_WebMessageReceived, 34,
               ICoreWebView2WebMessageReceivedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_WebMessageReceived, 35, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, CallDevToolsProtocolMethod, 36, LPCWSTR, LPCWSTR,
               ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2, get_BrowserProcessId, 37, UINT32*);
  CORVANE_SLOT(ICoreWebView2, get_CanGoBack, 38, BOOL*);
  CORVANE_SLOT(ICoreWebView2, get_CanGoForward, 39, BOOL*);
  CORVANE_SLOT(ICoreWebView2, GoBack, 40);
  CORVANE_SLOT(ICoreWebView2, GoForward, 41);
  CORVANE_SLOT(ICoreWebView2, GetDevToolsProtocolEventReceiver, 42, LPCWSTR,
               ICoreWebView2DevToolsProtocolEventReceiver**);
  CORVANE_SLOT(ICoreWebView2, Stop, 43);
  CORVANE_SLOT(ICoreWebView2, add_NewWindowRequested, 44,
               ICoreWebView2NewWindowRequestedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_NewWindowRequested, 45, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, add_DocumentTitleChanged, 46,
               ICoreWebView2DocumentTitleChangedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_DocumentTitleChanged, 47, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, get_DocumentTitle, 48, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2, AddHostObjectToScript, 49, LPCWSTR, VARIANT*);
  CORVANE_SLOT(ICoreWebView2, RemoveHostObjectFromScript, 50, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2, OpenDevToolsWindow, 51);
  CORVANE_SLOT(ICoreWebView2, add_ContainsFullScreenElementChanged, 52,
               ICoreWebView2ContainsFullScreenElementChangedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_ContainsFullScreenElementChanged, 53, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, get_ContainsFullScreenElement, 54, BOOL*);
  CORVANE_SLOT(ICoreWebView2, add_WebResourceRequested, 55,
               ICoreWebView2WebResourceRequestedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_WebResourceRequested, 56, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2, AddWebResourceRequestedFilter, 57, LPCWSTR,
               COREWEBVIEW2_WEB_RESOURCE_CONTEXT);
  CORVANE_SLOT(ICoreWebView2, RemoveWebResourceRequestedFilter, 58, LPCWSTR,
               COREWEBVIEW2_WEB_RESOURCE_CONTEXT);
  CORVANE_SLOT(ICoreWebView2, add_WindowCloseRequested, 59,
               ICoreWebView2WindowCloseRequestedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2, remove_WindowCloseRequested, 60, EventRegistrationToken);
  static_assert(std::is_base_of_v<ICoreWebView2,
                                  ICoreWebView2_2>);
  static_assert(sizeof(ICoreWebView2_2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_2, add_WebResourceResponseReceived, 61,
               ICoreWebView2WebResourceResponseReceivedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_2, remove_WebResourceResponseReceived, 62, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_2, NavigateWithWebResourceRequest, 63,
               ICoreWebView2WebResourceRequest*);
  CORVANE_SLOT(ICoreWebView2_2, add_DOMContentLoaded, 64,
               ICoreWebView2DOMContentLoadedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_2, remove_DOMContentLoaded, 65, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_2, get_CookieManager, 66, ICoreWebView2CookieManager**);
  CORVANE_SLOT(ICoreWebView2_2, get_Environment, 67, ICoreWebView2Environment**);
  static_assert(std::is_base_of_v<ICoreWebView2_2,
                                  ICoreWebView2_3>);
  static_assert(sizeof(ICoreWebView2_3) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_3, TrySuspend, 68, ICoreWebView2TrySuspendCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2_3, Resume, 69);
  CORVANE_SLOT(ICoreWebView2_3, get_IsSuspended, 70, BOOL*);
  CORVANE_SLOT(ICoreWebView2_3, SetVirtualHostNameToFolderMapping, 71, LPCWSTR, LPCWSTR,
               COREWEBVIEW2_HOST_RESOURCE_ACCESS_KIND);
  CORVANE_SLOT(ICoreWebView2_3, ClearVirtualHostNameToFolderMapping, 72, LPCWSTR);
  static_assert(std::is_base_of_v<ICoreWebView2_3,
                                  ICoreWebView2_4>);
  static_assert(sizeof(ICoreWebView2_4) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_4, add_FrameCreated, 73, ICoreWebView2FrameCreatedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_4, remove_FrameCreated, 74, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_4, add_DownloadStarting, 75,
               ICoreWebView2DownloadStartingEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_4, remove_DownloadStarting, 76, EventRegistrationToken);
  static_assert(std::is_base_of_v<ICoreWebView2_4,
                                  ICoreWebView2_5>);
  static_assert(sizeof(ICoreWebView2_5) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_5, add_ClientCertificateRequested, 77,
               ICoreWebView2ClientCertificateRequestedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_5, remove_ClientCertificateRequested, 78, EventRegistrationToken);
  static_assert(std::is_base_of_v<ICoreWebView2_5,
                                  ICoreWebView2_6>);
  static_assert(sizeof(ICoreWebView2_6) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_6, OpenTaskManagerWindow, 79);
  static_assert(std::is_base_of_v<ICoreWebView2_6,
                                  ICoreWebView2_7>);
  static_assert(sizeof(ICoreWebView2_7) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_7, PrintToPdf, 80, LPCWSTR, ICoreWebView2PrintSettings*,
               ICoreWebView2PrintToPdfCompletedHandler*);
  static_assert(std::is_base_of_v<ICoreWebView2_7,
                                  ICoreWebView2_8>);
  static_assert(sizeof(ICoreWebView2_8) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_8, add_IsMutedChanged, 81, ICoreWebView2IsMutedChangedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_8, remove_IsMutedChanged, 82, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_8, get_IsMuted, 83, BOOL*);
  CORVANE_SLOT(ICoreWebView2_8, put_IsMuted, 84, BOOL);
  CORVANE_SLOT(ICoreWebView2_8, add_IsDocumentPlayingAudioChanged, 85,
               ICoreWebView2IsDocumentPlayingAudioChangedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_8, remove_IsDocumentPlayingAudioChanged, 86, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_8, get_IsDocumentPlayingAudio, 87, BOOL*);
  static_assert(std::is_base_of_v<ICoreWebView2_8,
                                  ICoreWebView2_9>);
  static_assert(sizeof(ICoreWebView2_9) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_9, add_IsDefaultDownloadDialogOpenChanged, 88,
               ICoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_9, remove_IsDefaultDownloadDialogOpenChanged, 89,
               EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_9, get_IsDefaultDownloadDialogOpen, 90, BOOL*);
  CORVANE_SLOT(ICoreWebView2_9, OpenDefaultDownloadDialog, 91);
  CORVANE_SLOT(ICoreWebView2_9, CloseDefaultDownloadDialog, 92);
  CORVANE_SLOT(ICoreWebView2_9, get_DefaultDownloadDialogCornerAlignment, 93,
               COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT*);
  CORVANE_SLOT(ICoreWebView2_9, put_DefaultDownloadDialogCornerAlignment, 94,
               COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT);
  CORVANE_SLOT(ICoreWebView2_9, get_DefaultDownloadDialogMargin, 95, POINT*);
  CORVANE_SLOT(ICoreWebView2_9, put_DefaultDownloadDialogMargin, 96, POINT);
  static_assert(std::is_base_of_v<ICoreWebView2_9,
                                  ICoreWebView2_10>);
  static_assert(sizeof(ICoreWebView2_10) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_10, add_BasicAuthenticationRequested, 97,
               ICoreWebView2BasicAuthenticationRequestedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_10, remove_BasicAuthenticationRequested, 98, EventRegistrationToken);
  static_assert(std::is_base_of_v<ICoreWebView2_10,
                                  ICoreWebView2_11>);
  static_assert(sizeof(ICoreWebView2_11) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_11, CallDevToolsProtocolMethodForSession, 99, LPCWSTR, LPCWSTR,
               LPCWSTR, ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2_11, add_ContextMenuRequested, 100,
               ICoreWebView2ContextMenuRequestedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_11, remove_ContextMenuRequested, 101, EventRegistrationToken);
  static_assert(std::is_base_of_v<ICoreWebView2_11,
                                  ICoreWebView2_12>);
  static_assert(sizeof(ICoreWebView2_12) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_12, add_StatusBarTextChanged, 102,
               ICoreWebView2StatusBarTextChangedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_12, remove_StatusBarTextChanged, 103, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_12, get_StatusBarText, 104, LPWSTR*);
  static_assert(std::is_base_of_v<ICoreWebView2_12,
                                  ICoreWebView2_13>);
  static_assert(sizeof(ICoreWebView2_13) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_13, get_Profile, 105, ICoreWebView2Profile**);
  static_assert(std::is_base_of_v<ICoreWebView2_13,
                                  ICoreWebView2_14>);
  static_assert(sizeof(ICoreWebView2_14) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_14, add_ServerCertificateErrorDetected, 106,
               ICoreWebView2ServerCertificateErrorDetectedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_14, remove_ServerCertificateErrorDetected, 107,
               EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_14, ClearServerCertificateErrorActions, 108,
               ICoreWebView2ClearServerCertificateErrorActionsCompletedHandler*);
  static_assert(std::is_base_of_v<ICoreWebView2_14,
                                  ICoreWebView2_15>);
  static_assert(sizeof(ICoreWebView2_15) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_15, add_FaviconChanged, 109, ICoreWebView2FaviconChangedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_15, remove_FaviconChanged, 110, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2_15, get_FaviconUri, 111, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2_15, GetFavicon, 112, COREWEBVIEW2_FAVICON_IMAGE_FORMAT,
               ICoreWebView2GetFaviconCompletedHandler*);
  static_assert(std::is_base_of_v<ICoreWebView2_15,
                                  ICoreWebView2_16>);
  static_assert(sizeof(ICoreWebView2_16) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_16, Print, 113, ICoreWebView2PrintSettings*,
               ICoreWebView2PrintCompletedHandler*);
  CORVANE_SLOT(ICoreWebView2_16, ShowPrintUI, 114, COREWEBVIEW2_PRINT_DIALOG_KIND);
  CORVANE_SLOT(ICoreWebView2_16, PrintToPdfStream, 115, ICoreWebView2PrintSettings*,
               ICoreWebView2PrintToPdfStreamCompletedHandler*);
  static_assert(std::is_base_of_v<ICoreWebView2_16,
                                  ICoreWebView2_17>);
  static_assert(sizeof(ICoreWebView2_17) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_17, PostSharedBufferToScript, 116, ICoreWebView2SharedBuffer*,
               COREWEBVIEW2_SHARED_BUFFER_ACCESS, LPCWSTR);
  static_assert(std::is_base_of_v<ICoreWebView2_17,
                                  ICoreWebView2_18>);
  static_assert(sizeof(ICoreWebView2_18) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_18, add_LaunchingExternalUriScheme, 117,
               ICoreWebView2LaunchingExternalUriSchemeEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2_18, remove_LaunchingExternalUriScheme, 118, EventRegistrationToken);
  static_assert(std::is_base_of_v<ICoreWebView2_18,
                                  ICoreWebView2_19>);
  static_assert(sizeof(ICoreWebView2_19) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_19, get_MemoryUsageTargetLevel, 119,
               COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL*);
  CORVANE_SLOT(ICoreWebView2_19, put_MemoryUsageTargetLevel, 120,
               COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL);
  static_assert(std::is_base_of_v<ICoreWebView2_19,
                                  ICoreWebView2_20>);
  static_assert(sizeof(ICoreWebView2_20) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_20, get_FrameId, 121, UINT32*);
  static_assert(std::is_base_of_v<ICoreWebView2_20,
                                  ICoreWebView2_21>);
  static_assert(sizeof(ICoreWebView2_21) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_21, ExecuteScriptWithResult, 122, LPCWSTR,
               ICoreWebView2ExecuteScriptWithResultCompletedHandler*);
  static_assert(std::is_base_of_v<ICoreWebView2_21,
                                  ICoreWebView2_22>);
  static_assert(sizeof(ICoreWebView2_22) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_22, AddWebResourceRequestedFilterWithRequestSourceKinds, 123, LPCWSTR,
               COREWEBVIEW2_WEB_RESOURCE_CONTEXT, COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS);
  CORVANE_SLOT(ICoreWebView2_22, RemoveWebResourceRequestedFilterWithRequestSourceKinds, 124,
               LPCWSTR, COREWEBVIEW2_WEB_RESOURCE_CONTEXT,
               COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS);
  static_assert(std::is_base_of_v<ICoreWebView2_22,
                                  ICoreWebView2_23>);
  static_assert(sizeof(ICoreWebView2_23) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2_23, PostWebMessageAsJsonWithAdditionalObjects, 125, LPCWSTR,
               ICoreWebView2ObjectCollectionView*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2Controller>);
  static_assert(sizeof(ICoreWebView2Controller) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Controller, get_IsVisible, 3, BOOL*);
  CORVANE_SLOT(ICoreWebView2Controller, put_IsVisible, 4, BOOL);
  CORVANE_SLOT(ICoreWebView2Controller, get_Bounds, 5, RECT*);
  CORVANE_SLOT(ICoreWebView2Controller, put_Bounds, 6, RECT);
  CORVANE_SLOT(ICoreWebView2Controller, get_ZoomFactor, 7, double*);
  CORVANE_SLOT(ICoreWebView2Controller, put_ZoomFactor, 8, double);
  CORVANE_SLOT(ICoreWebView2Controller, add_ZoomFactorChanged, 9,
               ICoreWebView2ZoomFactorChangedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Controller, remove_ZoomFactorChanged, 10, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2Controller, SetBoundsAndZoomFactor, 11, RECT, double);
  CORVANE_SLOT(ICoreWebView2Controller, MoveFocus, 12, COREWEBVIEW2_MOVE_FOCUS_REASON);
  CORVANE_SLOT(ICoreWebView2Controller, add_MoveFocusRequested, 13,
               ICoreWebView2MoveFocusRequestedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Controller, remove_MoveFocusRequested, 14, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2Controller, add_GotFocus, 15, ICoreWebView2FocusChangedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Controller, remove_GotFocus, 16, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2Controller, add_LostFocus, 17, ICoreWebView2FocusChangedEventHandler*,
               EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Controller, remove_LostFocus, 18, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2Controller, add_AcceleratorKeyPressed, 19,
               ICoreWebView2AcceleratorKeyPressedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Controller, remove_AcceleratorKeyPressed, 20, EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2Controller, get_ParentWindow, 21, HWND*);
  CORVANE_SLOT(ICoreWebView2Controller, put_ParentWindow, 22, HWND);
  CORVANE_SLOT(ICoreWebView2Controller, NotifyParentWindowPositionChanged, 23);
  CORVANE_SLOT(ICoreWebView2Controller, Close, 24);
  CORVANE_SLOT(ICoreWebView2Controller, get_CoreWebView2, 25, ICoreWebView2**);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2Settings>);
  static_assert(sizeof(ICoreWebView2Settings) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Settings, get_IsScriptEnabled, 3, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_IsScriptEnabled, 4, BOOL);
  CORVANE_SLOT(ICoreWebView2Settings, get_IsWebMessageEnabled, 5, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_IsWebMessageEnabled, 6, BOOL);
  CORVANE_SLOT(ICoreWebView2Settings, get_AreDefaultScriptDialogsEnabled, 7, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_AreDefaultScriptDialogsEnabled, 8, BOOL);
  CORVANE_SLOT(ICoreWebView2Settings, get_IsStatusBarEnabled, 9, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_IsStatusBarEnabled, 10, BOOL);
  CORVANE_SLOT(ICoreWebView2Settings, get_AreDevToolsEnabled, 11, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_AreDevToolsEnabled, 12, BOOL);
  CORVANE_SLOT(ICoreWebView2Settings, get_AreDefaultContextMenusEnabled, 13, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_AreDefaultContextMenusEnabled, 14, BOOL);
  CORVANE_SLOT(ICoreWebView2Settings, get_AreHostObjectsAllowed, 15, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_AreHostObjectsAllowed, 16, BOOL);
  CORVANE_SLOT(ICoreWebView2Settings, get_IsZoomControlEnabled, 17, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_IsZoomControlEnabled, 18, BOOL);
  CORVANE_SLOT(ICoreWebView2Settings, get_IsBuiltInErrorPageEnabled, 19, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings, put_IsBuiltInErrorPageEnabled, 20, BOOL);
  static_assert(std::is_base_of_v<ICoreWebView2Settings,
                                  ICoreWebView2Settings2>);
  static_assert(sizeof(ICoreWebView2Settings2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Settings2, get_UserAgent, 21, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2Settings2, put_UserAgent, 22, LPCWSTR);
  static_assert(std::is_base_of_v<ICoreWebView2Settings2,
                                  ICoreWebView2Settings3>);
  static_assert(sizeof(ICoreWebView2Settings3) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Settings3, get_AreBrowserAcceleratorKeysEnabled, 23, BOOL*);
  CORVANE_SLOT(ICoreWebView2Settings3, put_AreBrowserAcceleratorKeysEnabled, 24, BOOL);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2WebMessageReceivedEventArgs>);
  static_assert(sizeof(ICoreWebView2WebMessageReceivedEventArgs) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WebMessageReceivedEventArgs, get_Source, 3, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2WebMessageReceivedEventArgs, get_WebMessageAsJson, 4, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2WebMessageReceivedEventArgs, TryGetWebMessageAsString, 5, LPWSTR*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2NewWindowRequestedEventArgs>);
  static_assert(sizeof(ICoreWebView2NewWindowRequestedEventArgs) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs, get_Uri, 3, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs, put_NewWindow, 4, ICoreWebView2*);
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs, get_NewWindow, 5, ICoreWebView2**);
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs, put_Handled, 6, BOOL);
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs, get_Handled, 7, BOOL*);
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs, get_IsUserInitiated, 8, BOOL*);
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs, GetDeferral, 9, ICoreWebView2Deferral**);
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs, get_WindowFeatures, 10,
               ICoreWebView2WindowFeatures**);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2PermissionRequestedEventArgs>);
  static_assert(sizeof(ICoreWebView2PermissionRequestedEventArgs) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs, get_Uri, 3, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs, get_PermissionKind, 4,
               COREWEBVIEW2_PERMISSION_KIND*);
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs, get_IsUserInitiated, 5, BOOL*);
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs, get_State, 6,
               COREWEBVIEW2_PERMISSION_STATE*);
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs, put_State, 7,
               COREWEBVIEW2_PERMISSION_STATE);
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs, GetDeferral, 8, ICoreWebView2Deferral**);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2NavigationStartingEventArgs>);
  static_assert(sizeof(ICoreWebView2NavigationStartingEventArgs) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs, get_Uri, 3, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs, get_IsUserInitiated, 4, BOOL*);
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs, get_IsRedirected, 5, BOOL*);
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs, get_RequestHeaders, 6,
               ICoreWebView2HttpRequestHeaders**);
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs, get_Cancel, 7, BOOL*);
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs, put_Cancel, 8, BOOL);
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs, get_NavigationId, 9, UINT64*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2WebResourceRequestedEventArgs>);
  static_assert(sizeof(ICoreWebView2WebResourceRequestedEventArgs) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WebResourceRequestedEventArgs, get_Request, 3,
               ICoreWebView2WebResourceRequest**);
  CORVANE_SLOT(ICoreWebView2WebResourceRequestedEventArgs, get_Response, 4,
               ICoreWebView2WebResourceResponse**);
  CORVANE_SLOT(ICoreWebView2WebResourceRequestedEventArgs, put_Response, 5,
               ICoreWebView2WebResourceResponse*);
  CORVANE_SLOT(ICoreWebView2WebResourceRequestedEventArgs, GetDeferral, 6, ICoreWebView2Deferral**);
  CORVANE_SLOT(ICoreWebView2WebResourceRequestedEventArgs, get_ResourceContext, 7,
               COREWEBVIEW2_WEB_RESOURCE_CONTEXT*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2AcceleratorKeyPressedEventArgs>);
  static_assert(sizeof(ICoreWebView2AcceleratorKeyPressedEventArgs) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventArgs, get_KeyEventKind, 3,
               COREWEBVIEW2_KEY_EVENT_KIND*);
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventArgs, get_VirtualKey, 4, UINT*);
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventArgs, get_KeyEventLParam, 5, INT*);
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventArgs, get_PhysicalKeyStatus, 6,
               COREWEBVIEW2_PHYSICAL_KEY_STATUS*);
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventArgs, get_Handled, 7, BOOL*);
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventArgs, put_Handled, 8, BOOL);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2DOMContentLoadedEventArgs>);
  static_assert(sizeof(ICoreWebView2DOMContentLoadedEventArgs) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2DOMContentLoadedEventArgs, get_NavigationId, 3, UINT64*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2WebResourceRequest>);
  static_assert(sizeof(ICoreWebView2WebResourceRequest) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WebResourceRequest, get_Uri, 3, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2WebResourceRequest, put_Uri, 4, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2WebResourceRequest, get_Method, 5, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2WebResourceRequest, put_Method, 6, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2WebResourceRequest, get_Content, 7, IStream**);
  CORVANE_SLOT(ICoreWebView2WebResourceRequest, put_Content, 8, IStream*);
  CORVANE_SLOT(ICoreWebView2WebResourceRequest, get_Headers, 9, ICoreWebView2HttpRequestHeaders**);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2HttpRequestHeaders>);
  static_assert(sizeof(ICoreWebView2HttpRequestHeaders) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2HttpRequestHeaders, GetHeader, 3, LPCWSTR, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2HttpRequestHeaders, GetHeaders, 4, LPCWSTR,
               ICoreWebView2HttpHeadersCollectionIterator**);
  CORVANE_SLOT(ICoreWebView2HttpRequestHeaders, Contains, 5, LPCWSTR, BOOL*);
  CORVANE_SLOT(ICoreWebView2HttpRequestHeaders, SetHeader, 6, LPCWSTR, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2HttpRequestHeaders, RemoveHeader, 7, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2HttpRequestHeaders, GetIterator, 8,
               ICoreWebView2HttpHeadersCollectionIterator**);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2HttpHeadersCollectionIterator>);
  static_assert(sizeof(ICoreWebView2HttpHeadersCollectionIterator) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2HttpHeadersCollectionIterator, GetCurrentHeader, 3, LPWSTR*, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2HttpHeadersCollectionIterator, get_HasCurrentHeader, 4, BOOL*);
  CORVANE_SLOT(ICoreWebView2HttpHeadersCollectionIterator, MoveNext, 5, BOOL*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2WebResourceResponse>);
  static_assert(sizeof(ICoreWebView2WebResourceResponse) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WebResourceResponse, get_Content, 3, IStream**);
  CORVANE_SLOT(ICoreWebView2WebResourceResponse, put_Content, 4, IStream*);
  CORVANE_SLOT(ICoreWebView2WebResourceResponse, get_Headers, 5,
               ICoreWebView2HttpResponseHeaders**);
  CORVANE_SLOT(ICoreWebView2WebResourceResponse, get_StatusCode, 6, int*);
  CORVANE_SLOT(ICoreWebView2WebResourceResponse, put_StatusCode, 7, int);
  CORVANE_SLOT(ICoreWebView2WebResourceResponse, get_ReasonPhrase, 8, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2WebResourceResponse, put_ReasonPhrase, 9, LPCWSTR);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2HttpResponseHeaders>);
  static_assert(sizeof(ICoreWebView2HttpResponseHeaders) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2HttpResponseHeaders, AppendHeader, 3, LPCWSTR, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2HttpResponseHeaders, Contains, 4, LPCWSTR, BOOL*);
  CORVANE_SLOT(ICoreWebView2HttpResponseHeaders, GetHeader, 5, LPCWSTR, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2HttpResponseHeaders, GetHeaders, 6, LPCWSTR,
               ICoreWebView2HttpHeadersCollectionIterator**);
  CORVANE_SLOT(ICoreWebView2HttpResponseHeaders, GetIterator, 7,
               ICoreWebView2HttpHeadersCollectionIterator**);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2FileSystemHandle>);
  static_assert(sizeof(ICoreWebView2FileSystemHandle) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2FileSystemHandle, get_Kind, 3, COREWEBVIEW2_FILE_SYSTEM_HANDLE_KIND*);
  CORVANE_SLOT(ICoreWebView2FileSystemHandle, get_Path, 4, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2FileSystemHandle, get_Permission, 5,
               COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2ObjectCollectionView>);
  static_assert(sizeof(ICoreWebView2ObjectCollectionView) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2ObjectCollectionView, get_Count, 3, UINT32*);
  CORVANE_SLOT(ICoreWebView2ObjectCollectionView, GetValueAtIndex, 4, UINT32, IUnknown**);
  static_assert(std::is_base_of_v<ICoreWebView2ObjectCollectionView,
                                  ICoreWebView2ObjectCollection>);
  static_assert(sizeof(ICoreWebView2ObjectCollection) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2ObjectCollection, RemoveValueAtIndex, 5, UINT32);
  CORVANE_SLOT(ICoreWebView2ObjectCollection, InsertValueAtIndex, 6, UINT32, IUnknown*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2Deferral>);
  static_assert(sizeof(ICoreWebView2Deferral) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Deferral, Complete, 3);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2EnvironmentOptions>);
  static_assert(sizeof(ICoreWebView2EnvironmentOptions) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions, get_AdditionalBrowserArguments, 3, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions, put_AdditionalBrowserArguments, 4, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions, get_Language, 5, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions, put_Language, 6, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions, get_TargetCompatibleBrowserVersion, 7, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions, put_TargetCompatibleBrowserVersion, 8, LPCWSTR);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions, get_AllowSingleSignOnUsingOSPrimaryAccount, 9,
               BOOL*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions, put_AllowSingleSignOnUsingOSPrimaryAccount, 10,
               BOOL);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2EnvironmentOptions2>);
  static_assert(sizeof(ICoreWebView2EnvironmentOptions2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions2, get_ExclusiveUserDataFolderAccess, 3, BOOL*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions2, put_ExclusiveUserDataFolderAccess, 4, BOOL);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2EnvironmentOptions3>);
  static_assert(sizeof(ICoreWebView2EnvironmentOptions3) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions3, get_IsCustomCrashReportingEnabled, 3, BOOL*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions3, put_IsCustomCrashReportingEnabled, 4, BOOL);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2EnvironmentOptions4>);
  static_assert(sizeof(ICoreWebView2EnvironmentOptions4) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions4, GetCustomSchemeRegistrations, 3, UINT32*,
               ICoreWebView2CustomSchemeRegistration***);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions4, SetCustomSchemeRegistrations, 4, UINT32,
               ICoreWebView2CustomSchemeRegistration**);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2EnvironmentOptions5>);
  static_assert(sizeof(ICoreWebView2EnvironmentOptions5) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions5, get_EnableTrackingPrevention, 3, BOOL*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions5, put_EnableTrackingPrevention, 4, BOOL);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2EnvironmentOptions6>);
  static_assert(sizeof(ICoreWebView2EnvironmentOptions6) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions6, get_AreBrowserExtensionsEnabled, 3, BOOL*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions6, put_AreBrowserExtensionsEnabled, 4, BOOL);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2EnvironmentOptions7>);
  static_assert(sizeof(ICoreWebView2EnvironmentOptions7) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions7, get_ChannelSearchKind, 3,
               COREWEBVIEW2_CHANNEL_SEARCH_KIND*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions7, put_ChannelSearchKind, 4,
               COREWEBVIEW2_CHANNEL_SEARCH_KIND);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions7, get_ReleaseChannels, 5,
               COREWEBVIEW2_RELEASE_CHANNELS*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions7, put_ReleaseChannels, 6,
               COREWEBVIEW2_RELEASE_CHANNELS);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2EnvironmentOptions8>);
  static_assert(sizeof(ICoreWebView2EnvironmentOptions8) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions8, get_ScrollBarStyle, 3,
               COREWEBVIEW2_SCROLLBAR_STYLE*);
  CORVANE_SLOT(ICoreWebView2EnvironmentOptions8, put_ScrollBarStyle, 4,
               COREWEBVIEW2_SCROLLBAR_STYLE);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>);
  static_assert(sizeof(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, Invoke, 3, HRESULT,
               ICoreWebView2Environment*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>);
  static_assert(sizeof(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, Invoke, 3, HRESULT,
               ICoreWebView2Controller*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2DOMContentLoadedEventHandler>);
  static_assert(sizeof(ICoreWebView2DOMContentLoadedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2DOMContentLoadedEventHandler, Invoke, 3, ICoreWebView2*,
               ICoreWebView2DOMContentLoadedEventArgs*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2WebMessageReceivedEventHandler>);
  static_assert(sizeof(ICoreWebView2WebMessageReceivedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WebMessageReceivedEventHandler, Invoke, 3, ICoreWebView2*,
               ICoreWebView2WebMessageReceivedEventArgs*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2NewWindowRequestedEventHandler>);
  static_assert(sizeof(ICoreWebView2NewWindowRequestedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventHandler, Invoke, 3, ICoreWebView2*,
               ICoreWebView2NewWindowRequestedEventArgs*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2WindowCloseRequestedEventHandler>);
  static_assert(sizeof(ICoreWebView2WindowCloseRequestedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WindowCloseRequestedEventHandler, Invoke, 3, ICoreWebView2*, IUnknown*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2ContainsFullScreenElementChangedEventHandler>);
  static_assert(sizeof(ICoreWebView2ContainsFullScreenElementChangedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2ContainsFullScreenElementChangedEventHandler, Invoke, 3, ICoreWebView2*,
               IUnknown*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2PermissionRequestedEventHandler>);
  static_assert(sizeof(ICoreWebView2PermissionRequestedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventHandler, Invoke, 3, ICoreWebView2*,
               ICoreWebView2PermissionRequestedEventArgs*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2NavigationStartingEventHandler>);
  static_assert(sizeof(ICoreWebView2NavigationStartingEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventHandler, Invoke, 3, ICoreWebView2*,
               ICoreWebView2NavigationStartingEventArgs*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2WebResourceRequestedEventHandler>);
  static_assert(sizeof(ICoreWebView2WebResourceRequestedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WebResourceRequestedEventHandler, Invoke, 3, ICoreWebView2*,
               ICoreWebView2WebResourceRequestedEventArgs*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2DocumentTitleChangedEventHandler>);
  static_assert(sizeof(ICoreWebView2DocumentTitleChangedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2DocumentTitleChangedEventHandler, Invoke, 3, ICoreWebView2*, IUnknown*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2AcceleratorKeyPressedEventHandler>);
  static_assert(sizeof(ICoreWebView2AcceleratorKeyPressedEventHandler) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventHandler, Invoke, 3, ICoreWebView2Controller*,
               ICoreWebView2AcceleratorKeyPressedEventArgs*);
  static_assert(std::is_base_of_v<ICoreWebView2WebMessageReceivedEventArgs,
                                  ICoreWebView2WebMessageReceivedEventArgs2>);
  static_assert(sizeof(ICoreWebView2WebMessageReceivedEventArgs2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WebMessageReceivedEventArgs2, get_AdditionalObjects, 6,
               ICoreWebView2ObjectCollectionView**);
  static_assert(std::is_base_of_v<ICoreWebView2NewWindowRequestedEventArgs,
                                  ICoreWebView2NewWindowRequestedEventArgs2>);
  static_assert(sizeof(ICoreWebView2NewWindowRequestedEventArgs2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs2, get_Name, 11, LPWSTR*);
  static_assert(std::is_base_of_v<ICoreWebView2NewWindowRequestedEventArgs2,
                                  ICoreWebView2NewWindowRequestedEventArgs3>);
  static_assert(sizeof(ICoreWebView2NewWindowRequestedEventArgs3) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2NewWindowRequestedEventArgs3, get_OriginalSourceFrameInfo, 12,
               ICoreWebView2FrameInfo**);
  static_assert(std::is_base_of_v<ICoreWebView2PermissionRequestedEventArgs,
                                  ICoreWebView2PermissionRequestedEventArgs2>);
  static_assert(sizeof(ICoreWebView2PermissionRequestedEventArgs2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs2, get_Handled, 9, BOOL*);
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs2, put_Handled, 10, BOOL);
  static_assert(std::is_base_of_v<ICoreWebView2PermissionRequestedEventArgs2,
                                  ICoreWebView2PermissionRequestedEventArgs3>);
  static_assert(sizeof(ICoreWebView2PermissionRequestedEventArgs3) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs3, get_SavesInProfile, 11, BOOL*);
  CORVANE_SLOT(ICoreWebView2PermissionRequestedEventArgs3, put_SavesInProfile, 12, BOOL);
  static_assert(std::is_base_of_v<ICoreWebView2WebResourceRequestedEventArgs,
                                  ICoreWebView2WebResourceRequestedEventArgs2>);
  static_assert(sizeof(ICoreWebView2WebResourceRequestedEventArgs2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WebResourceRequestedEventArgs2, get_RequestedSourceKind, 8,
               COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS*);
  static_assert(std::is_base_of_v<ICoreWebView2NavigationStartingEventArgs,
                                  ICoreWebView2NavigationStartingEventArgs2>);
  static_assert(sizeof(ICoreWebView2NavigationStartingEventArgs2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs2, get_AdditionalAllowedFrameAncestors, 10,
               LPWSTR*);
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs2, put_AdditionalAllowedFrameAncestors, 11,
               LPCWSTR);
  static_assert(std::is_base_of_v<ICoreWebView2NavigationStartingEventArgs2,
                                  ICoreWebView2NavigationStartingEventArgs3>);
  static_assert(sizeof(ICoreWebView2NavigationStartingEventArgs3) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2NavigationStartingEventArgs3, get_NavigationKind, 12,
               COREWEBVIEW2_NAVIGATION_KIND*);
  static_assert(std::is_base_of_v<ICoreWebView2AcceleratorKeyPressedEventArgs,
                                  ICoreWebView2AcceleratorKeyPressedEventArgs2>);
  static_assert(sizeof(ICoreWebView2AcceleratorKeyPressedEventArgs2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventArgs2, get_IsBrowserAcceleratorKeyEnabled, 9,
               BOOL*);
  CORVANE_SLOT(ICoreWebView2AcceleratorKeyPressedEventArgs2, put_IsBrowserAcceleratorKeyEnabled, 10,
               BOOL);
  static_assert(std::is_base_of_v<ICoreWebView2Controller,
                                  ICoreWebView2Controller2>);
  static_assert(sizeof(ICoreWebView2Controller2) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Controller2, get_DefaultBackgroundColor, 26, COREWEBVIEW2_COLOR*);
  CORVANE_SLOT(ICoreWebView2Controller2, put_DefaultBackgroundColor, 27, COREWEBVIEW2_COLOR);
  static_assert(std::is_base_of_v<ICoreWebView2Controller2,
                                  ICoreWebView2Controller3>);
  static_assert(sizeof(ICoreWebView2Controller3) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Controller3, get_RasterizationScale, 28, double*);
  CORVANE_SLOT(ICoreWebView2Controller3, put_RasterizationScale, 29, double);
  CORVANE_SLOT(ICoreWebView2Controller3, get_ShouldDetectMonitorScaleChanges, 30, BOOL*);
  CORVANE_SLOT(ICoreWebView2Controller3, put_ShouldDetectMonitorScaleChanges, 31, BOOL);
  CORVANE_SLOT(ICoreWebView2Controller3, add_RasterizationScaleChanged, 32,
               ICoreWebView2RasterizationScaleChangedEventHandler*, EventRegistrationToken*);
  CORVANE_SLOT(ICoreWebView2Controller3, remove_RasterizationScaleChanged, 33,
               EventRegistrationToken);
  CORVANE_SLOT(ICoreWebView2Controller3, get_BoundsMode, 34, COREWEBVIEW2_BOUNDS_MODE*);
  CORVANE_SLOT(ICoreWebView2Controller3, put_BoundsMode, 35, COREWEBVIEW2_BOUNDS_MODE);
  static_assert(std::is_base_of_v<ICoreWebView2Controller3,
                                  ICoreWebView2Controller4>);
  static_assert(sizeof(ICoreWebView2Controller4) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2Controller4, get_AllowExternalDrop, 36, BOOL*);
  CORVANE_SLOT(ICoreWebView2Controller4, put_AllowExternalDrop, 37, BOOL);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2WindowFeatures>);
  static_assert(sizeof(ICoreWebView2WindowFeatures) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_HasPosition, 3, BOOL*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_HasSize, 4, BOOL*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_Left, 5, UINT32*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_Top, 6, UINT32*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_Height, 7, UINT32*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_Width, 8, UINT32*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_ShouldDisplayMenuBar, 9, BOOL*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_ShouldDisplayStatus, 10, BOOL*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_ShouldDisplayToolbar, 11, BOOL*);
  CORVANE_SLOT(ICoreWebView2WindowFeatures, get_ShouldDisplayScrollBars, 12, BOOL*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2File>);
  static_assert(sizeof(ICoreWebView2File) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2File, get_Path, 3, LPWSTR*);
  static_assert(std::is_base_of_v<IUnknown,
                                  ICoreWebView2CustomSchemeRegistration>);
  static_assert(sizeof(ICoreWebView2CustomSchemeRegistration) ==
                sizeof(void*));
  CORVANE_SLOT(ICoreWebView2CustomSchemeRegistration, get_SchemeName, 3, LPWSTR*);
  CORVANE_SLOT(ICoreWebView2CustomSchemeRegistration, get_TreatAsSecure, 4, BOOL*);
  CORVANE_SLOT(ICoreWebView2CustomSchemeRegistration, put_TreatAsSecure, 5, BOOL);
  CORVANE_SLOT(ICoreWebView2CustomSchemeRegistration, GetAllowedOrigins, 6, UINT32*, LPWSTR**);
  CORVANE_SLOT(ICoreWebView2CustomSchemeRegistration, SetAllowedOrigins, 7, UINT32, LPCWSTR*);
  CORVANE_SLOT(ICoreWebView2CustomSchemeRegistration, get_HasAuthorityComponent, 8, BOOL*);
  CORVANE_SLOT(ICoreWebView2CustomSchemeRegistration, put_HasAuthorityComponent, 9, BOOL);

  ASSERT_EQ(rows.size(), 348u);
  for (const SlotRow& row : rows) EXPECT_EQ(row.actual, row.expected) << row.method;
}

#undef CORVANE_SLOT

#endif  // !defined(_MSC_VER)

// The loader's exports, as start-up looks them up by name.
static_assert(std::is_same_v<CreateCoreWebView2EnvironmentWithOptionsFn,
                             HRESULT(STDAPICALLTYPE*)(
                                 PCWSTR, PCWSTR, ICoreWebView2EnvironmentOptions*,
                                 ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler*)>);
static_assert(std::is_same_v<GetAvailableCoreWebView2BrowserVersionStringFn,
                             HRESULT(STDAPICALLTYPE*)(PCWSTR, LPWSTR*)>);

}  // namespace
}  // namespace corvane
