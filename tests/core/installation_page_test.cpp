#include "Pack.h"
#include "digest/Md5.h"
#include "engine/Channel.h"
#include "pages/installer/Installer_Installation_Page.h"

namespace lingvora::test {
namespace {

// Texts whose ${PROJECT_VERSION} shows whether a line was expanded (4.0)
// or shown as read.
constexpr const char* kPageTexts =
    "[INSTALLER_BUTTONS]\r\nINSTALLER_BUTTON_BACK=Wstecz\r\nINSTALLER_BUTTON_NEXT=Dalej\r\n"
    "INSTALLER_BUTTON_CANCEL=Anuluj\r\n"
    "[INSTALLER_INSTALLATION_PAGE]\r\n"
    "INSTALLER_INSTALLATION_PAGE_TITLE=Instalacja ${PROJECT_VERSION}\r\n"
    "INSTALLER_INSTALLATION_PAGE_SUBTITLE=Czekaj\r\n"
    "INSTALLER_INSTALLATION_PAGE_TEXT_PROJECT=projekt\r\n"
    "INSTALLER_INSTALLATION_PAGE_TEXT_VERSION=Wersja:\r\n"
    "INSTALLER_INSTALLATION_PAGE_TEXT_LICENSE=Licencja:\r\n"
    "INSTALLER_INSTALLATION_PAGE_TEXT_WEBSITE=Strona:\r\n"
    "INSTALLER_INSTALLATION_PAGE_TEXT_NORMAL_DESC=N ${PROJECT_VERSION}\r\n"
    "INSTALLER_INSTALLATION_PAGE_TEXT_EXTENDED_DESC=E\r\n"
    "INSTALLER_INSTALLATION_PAGE_TEXT_STATUS=Konfiguracja ${PROJECT_VERSION}\r\n"
    "INSTALLER_INSTALLATION_PAGE_TITLE_SUCCESS=Gotowe ${PROJECT_VERSION}\r\n"
    "INSTALLER_INSTALLATION_PAGE_SUBTITLE_SUCCESS=OK\r\n"
    "INSTALLER_INSTALLATION_PAGE_RESULT_SUCCESS=Sukces ${PROJECT_VERSION}\r\n"
    "INSTALLER_INSTALLATION_PAGE_TITLE_ABORT=Przerwano\r\n"
    "INSTALLER_INSTALLATION_PAGE_SUBTITLE_ABORT=Blad ${PROJECT_VERSION}\r\n"
    "INSTALLER_INSTALLATION_PAGE_RESULT_FAILED=Porazka\r\n"
    "[LANG_PACK_OFFICIAL_WLZ]\r\nLANG_PACK_OFFICIAL_WLZ_STATUS=Pakiet\r\n"
    "LANG_PACK_OFFICIAL_WLZ_SHORT_NAME=Pakiet ${PROJECT_VERSION}\r\n"
    "LANG_PACK_OFFICIAL_WLZ_VERSION=v${PROJECT_VERSION}\r\n"
    "LANG_PACK_OFFICIAL_WLZ_LICENSE=L${PROJECT_VERSION}\r\n"
    "LANG_PACK_OFFICIAL_WLZ_COPYRIGHT=C${PROJECT_VERSION}\r\n"
    "[LANG_PACK_HELP_PLUGIN]\r\nLANG_PACK_HELP_PLUGIN_STATUS=Pomoc\r\n"
    "LANG_PACK_HELP_PLUGIN_SHORT_NAME=Pomoc\r\nLANG_PACK_HELP_PLUGIN_VERSION=v${PROJECT_VERSION}"
    "\r\n"
    "LANG_PACK_HELP_PLUGIN_DESC=D${PROJECT_VERSION}\r\n"
    "[LANG_PACK_PLUGIN_AVS]\r\nLANG_PACK_PLUGIN_AVS_STATUS=AVS\r\n"
    "LANG_PACK_PLUGIN_AVS_SHORT_NAME=AVS\r\nLANG_PACK_PLUGIN_AVS_VERSION=v${PROJECT_VERSION}\r\n"
    "LANG_PACK_PLUGIN_AVS_LICENSE=L${PROJECT_VERSION}\r\n"
    "LANG_PACK_PLUGIN_AVS_COPYRIGHT=C${PROJECT_VERSION}\r\n"
    "LANG_PACK_PLUGIN_AVS_DESC=D${PROJECT_VERSION}\r\n";

constexpr const char* kPluginBytes = "vis_avs.dll of the player";

std::string componentSections(const std::string& avsHash) {
  return "[LANG_PACK_OFFICIAL_WLZ]\r\nInstall=1\r\nPluginChoice=1\r\n"
         "[LANG_PACK_HELP_PLUGIN]\r\nInstall=1\r\nPluginChoice=1\r\n"
         "[LANG_PACK_CLASSIC_SKIN]\r\nInstall=1\r\nPluginChoice=0\r\n"
         "[LANG_PACK_PLUGIN_MILKDROP]\r\nInstall=2\r\nPluginChoice=1\r\n"
         "[LANG_PACK_PLUGIN_AVS]\r\nInstall=1\r\nPluginChoice=1\r\nFileName=vis_avs.dll\r\n"
         "PluginHash=" +
         avsHash +
         "\r\n"
         "[LANG_PACK_PLUGIN_MISSING]\r\nInstall=1\r\nPluginChoice=1\r\nFileName=gone.dll\r\n"
         "PluginHash=00\r\nUserHash=old\r\n"
         "[LANG_PACK_PLUGIN_OUTSIDE]\r\nInstall=1\r\nPluginChoice=1\r\n"
         "FileName=..\\Winamp.exe\r\nPluginHash=" +
         avsHash + "\r\n";
}

Text digestOf(const std::string& bytes) {
  Md5 md5;
  md5.update(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return Md5::hex(md5.finish());
}

// The installer on its progress page, reached from the Directory page.
struct Installing : Pack {
  App* app = nullptr;
  explicit Installing(bool upperCaseHash = false, bool dark = false) {
    std::string hash = toUtf8(digestOf(kPluginBytes));
    if (upperCaseHash)
      for (char& c : hash) c = char(std::toupper(static_cast<unsigned char>(c)));
    p.files.put(u"C:\\Pack\\GUI.ini", std::string(kGuiIni) + componentSections(hash));
    p.files.put(
        u"C:\\Pack\\1045.ini",
        std::string(kLocaleIni).substr(0, std::string(kLocaleIni).find("[INSTALLER_BUTTONS]")) +
            kPageTexts);
    p.files.put(u"C:\\Program Files\\Winamp\\Plugins\\vis_avs.dll", kPluginBytes);
    p.files.put(u"C:\\Program Files\\Winamp\\Plugins\\gen_unreadable.dll", kPluginBytes);
    p.registry.setDarkMode(dark);
    app = &start({u"/ACTION=0"});
    app->form.layoutClient(app->form.width - 6, app->form.height - 28);
  }
  WizardState& w() { return app->state.installer; }
  MainForm& f() { return app->form; }
  // Next on the process monitor page, past the Directory page: only the
  // progress page's own writes follow.
  void open() {
    w().pageIndex = 4;
    w().monitorShown = true;
    f().Btn_GUI_Next.onClick();
  }
  std::string gui(TextView section, TextView key) {
    return S(w().config.readString(section, key, u"(none)"));
  }
  std::string data() { return p.files.get(u"C:\\Pack\\DATA.ini"); }
  void send(TextView text) {
    Bytes b;
    for (char16_t c : text) b.push_back(std::uint8_t(c)), b.push_back(std::uint8_t(c >> 8));
    receiveEngineMessage(*app, kEngineMessageId, b.data(), b.size());
  }
  std::vector<std::string> lines() {
    MainForm& m = f();
    std::vector<std::string> out;
    for (Control* c :
         {&m.GB_Installer_InstallationPage, &m.Lbl_Installer_InstallationPage_Item_Name,
          &m.Lbl_Installer_InstallationPage_Item_Version,
          &m.Lbl_Installer_InstallationPage_Item_License,
          &m.Lbl_Installer_InstallationPage_Item_Copyright,
          &m.Lbl_Installer_InstallationPage_Item_Publisher,
          &m.Lbl_Installer_InstallationPage_Item_Desc})
      out.push_back(S(c->caption));
    return out;
  }
};

TEST(InstallationPage, WorkListWritesAndTheEnginesCue) {
  Installing t;
  ASSERT_FALSE(t.exit);
  const int writesBefore = t.p.files.writes;
  t.open();
  EXPECT_EQ(t.w().pageIndex, 5);
  EXPECT_EQ(t.w().workList, (std::vector<Text>{u"LANG_PACK_OFFICIAL_WLZ", u"LANG_PACK_HELP_PLUGIN",
                                               u"LANG_PACK_PLUGIN_AVS"}));
  EXPECT_EQ(t.w().progress.step, 35);
  struct {
    const char16_t* section;
    const char* action;
    const char* hash;
  } writes[] = {
      {u"LANG_PACK_OFFICIAL_WLZ", "1", "(none)"},
      {u"LANG_PACK_HELP_PLUGIN", "1", "(none)"},
      {u"LANG_PACK_CLASSIC_SKIN", "(none)", "(none)"},
      {u"LANG_PACK_PLUGIN_MILKDROP", "(none)", "(none)"},
      {u"LANG_PACK_PLUGIN_AVS", "1", "(none)"},
      {u"LANG_PACK_PLUGIN_MISSING", "0", ""},
      {u"LANG_PACK_PLUGIN_OUTSIDE", "0", ""},
  };
  for (const auto& e : writes) {
    SCOPED_TRACE(S(e.section));
    EXPECT_EQ(t.gui(e.section, u"UserAction"), e.action);
    EXPECT_EQ(t.gui(e.section, u"UserHash"), e.hash);
  }
  // GUI.ini saved once, then DATA.ini: the cue, after which messages count.
  EXPECT_EQ(t.p.files.writes - writesBefore, 2);
  EXPECT_NE(t.p.files.get(u"C:\\Pack\\GUI.ini").find("UserAction=1"), std::string::npos);
  EXPECT_EQ(t.data(), "[SYSTEM]\r\nInstallDir=C:\\Program Files\\Winamp\r\n");
  EXPECT_TRUE(t.w().channelOpen);
  EXPECT_FALSE(t.w().closeAllowed);
  EXPECT_FALSE(t.f().Btn_GUI_Back.visible);
  EXPECT_FALSE(t.f().Btn_GUI_Next.enabled);
  EXPECT_FALSE(t.f().Btn_GUI_Cancel.enabled);
  EXPECT_EQ(t.f().taskbar, (TaskbarProgress{TaskbarState::Normal, 0, 100}));
}

TEST(InstallationPage, PluginDigestsThatDoNotMatchLeaveThePluginOut) {
  {
    Installing t(true);  // the right digest in capitals
    t.open();
    EXPECT_EQ(t.w().workList.size(), 2u);
    EXPECT_EQ(t.gui(u"LANG_PACK_PLUGIN_AVS", u"UserAction"), "0");
    EXPECT_EQ(t.gui(u"LANG_PACK_PLUGIN_AVS", u"UserHash"), "");
  }
  {
    Installing t;  // the file is there but cannot be read
    t.p.files.unreadable.insert(u"C:\\PROGRAM FILES\\WINAMP\\PLUGINS\\VIS_AVS.DLL");
    t.open();
    EXPECT_EQ(t.gui(u"LANG_PACK_PLUGIN_AVS", u"UserAction"), "0");
  }
}

TEST(InstallationPage, LinesPerKindExpandedOrAsRead) {
  Installing t;
  t.open();
  const std::string desc = "N 4.0\n\r\n\rE";
  EXPECT_EQ(t.lines(), (std::vector<std::string>{"Instalacja ${PROJECT_VERSION}",
                                                 "Lingvora (projekt)", "Wersja: ", "Licencja: ", "",
                                                 "Strona: https://example.org/index.php", desc}));
  t.send(u"ID_SECTION_LANG_PACK_OFFICIAL_WLZ");
  EXPECT_EQ(t.lines(), (std::vector<std::string>{"Pakiet...", "Pakiet ${PROJECT_VERSION}",
                                                 "Wersja: 4.0 (v4.0)", "Licencja: L4.0", "C4.0",
                                                 "Strona: https://example.org/index.php", desc}));
  EXPECT_EQ(t.f().PB_Installer_InstallationPage.position, 20);
  t.send(u"ID_SECTION_LANG_PACK_HELP_PLUGIN");
  EXPECT_EQ(t.lines(), (std::vector<std::string>{
                           "Pomoc...", "Pomoc", "Wersja: v4.0", "Licencja: ", "",
                           "Strona: https://example.org/info.php", "D4.0\n\r\n\r\n\rN 4.0"}));
  EXPECT_EQ(t.f().taskbar.value, 55);
  t.send(u"ID_SECTION_LANG_PACK_PLUGIN_AVS");
  EXPECT_EQ(t.lines(), (std::vector<std::string>{
                           "AVS...", "AVS", "Wersja: v${PROJECT_VERSION}",
                           "Licencja: L${PROJECT_VERSION}", "C${PROJECT_VERSION}",
                           "Strona: https://example.org/index.php", "D4.0\n\r\n\r\n\rN 4.0"}));
  t.send(u"ID_SECTION_END");
  EXPECT_EQ(t.lines()[0], "Konfiguracja ${PROJECT_VERSION}");
  EXPECT_EQ(t.f().PB_Installer_InstallationPage.position, 95);
  t.send(u"ID_SECTION_FINISH");
  EXPECT_EQ(t.lines()[0], "Sukces ${PROJECT_VERSION}");
  EXPECT_EQ(t.lines()[1], "Lingvora (projekt)");
  EXPECT_EQ(t.f().Lbl_Installer_DefaultHeader_Title.caption, u"Gotowe 4.0");
  EXPECT_EQ(t.f().PB_Installer_InstallationPage.position, 100);
  EXPECT_TRUE(t.f().Btn_GUI_Next.enabled);
  EXPECT_FALSE(t.f().Btn_GUI_Cancel.enabled);
  EXPECT_TRUE(t.w().closeAllowed);
  EXPECT_FALSE(t.w().channelOpen);
  t.send(u"ID_ABORT");  // the first end decides
  EXPECT_FALSE(t.w().failed);
  t.f().Btn_GUI_Next.onClick();
  EXPECT_EQ(t.w().pageIndex, 6);
}

TEST(InstallationPage, AbortedStateInTheDarkTheme) {
  Installing t(false, true);
  t.open();
  t.send(u"ID_ABORT");
  MainForm& f = t.f();
  EXPECT_EQ(t.lines()[0], "Porazka");
  EXPECT_EQ(f.Lbl_Installer_DefaultHeader_SubTitle.caption, u"Blad 4.0");
  for (Control* header :
       {&f.Lbl_Installer_DefaultHeader_Title, &f.Lbl_Installer_DefaultHeader_SubTitle}) {
    EXPECT_FALSE(header->fontColorFromStyle);
    EXPECT_EQ(header->fontColor, kErrorText);
  }
  EXPECT_TRUE(f.Btn_GUI_Next.enabled);
  EXPECT_TRUE(f.Btn_GUI_Cancel.enabled);
  EXPECT_EQ(f.taskbar.state, TaskbarState::Error);
  EXPECT_TRUE(t.w().failed);
  f.Btn_GUI_Next.onClick();  // a failed installation ends without a question
  EXPECT_TRUE(t.app->closing);
  EXPECT_TRUE(t.p.dialogs.shown.empty());
}

TEST(InstallationPage, NoCueWithoutSavedChoicesOrAWritableDataIni) {
  for (bool guiIniFails : {true, false}) {
    SCOPED_TRACE(guiIniFails);
    Installing t;
    if (guiIniFails)
      t.p.files.failWrites = true;
    else
      t.p.files.readOnly.insert(u"C:\\PACK\\DATA.INI");
    t.open();
    EXPECT_TRUE(t.w().progressFinished);
    EXPECT_TRUE(t.w().failed);
    EXPECT_FALSE(t.w().channelOpen);
    EXPECT_EQ(t.lines()[0], "Porazka");
    EXPECT_TRUE(t.f().Btn_GUI_Cancel.enabled);
    EXPECT_EQ(t.data(), "");
    // The document holds the choices either way; only a saved one cues the engine.
    EXPECT_EQ(t.gui(u"LANG_PACK_HELP_PLUGIN", u"UserAction"), "1");
  }
}

TEST(InstallationPage, TheChannelCountsOnlyWhileTheEngineWorks) {
  Installing t;
  t.open();
  Bytes huge(kMaxEngineMessageBytes + 2, 0);
  const Text abort = u"ID_ABORT";
  for (size_t i = 0; i < abort.size(); ++i) huge[2 * i] = std::uint8_t(abort[i]);
  receiveEngineMessage(*t.app, kEngineMessageId, huge.data(), huge.size());
  EXPECT_FALSE(t.w().progressFinished);  // longer than any word of the engine
  t.w().channelOpen = false;             // as while the page is still being built
  t.send(u"ID_SECTION_FINISH");
  EXPECT_FALSE(t.w().progressFinished);
  t.w().channelOpen = true;
  engineEnded(*t.app);  // the engine went away: the page can never finish otherwise
  EXPECT_TRUE(t.w().failed);
  EXPECT_TRUE(t.w().closeAllowed);
  engineEnded(*t.app);
  EXPECT_EQ(t.f().taskbar.state, TaskbarState::Error);
}

}  // namespace
}  // namespace lingvora::test
