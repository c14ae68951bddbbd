#include <stdexcept>
#include <tuple>

#include "Pack.h"
#include "engine/Channel.h"
#include "fakes/FakeRenderer.h"
#include "pages/uninstaller/Uninstaller_Finish_Page.h"

namespace lingvora::test {
namespace {

constexpr const char* kUninstallerTexts =
    "[UNINSTALLER_BUTTONS]\r\nUNINSTALLER_BUTTON_BACK=Wstecz\r\n"
    "UNINSTALLER_BUTTON_NEXT=Dalej ${CURRENT_VERSION}\r\nUNINSTALLER_BUTTON_CANCEL=Anuluj\r\n"
    "UNINSTALLER_BUTTON_FINISH=Koniec\r\nUNINSTALLER_BUTTON_UNINSTALL=Odinstaluj\r\n"
    "[UNINSTALLER_WELCOME_PAGE]\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_TITLE=łódź ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_ACTION=Usuń ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_TOP=Winamp ${CURRENT_VERSION}\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_INFO=Od ${PROJECT_AUTHOR}\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_NOTES=Uwagi$\\rdalej\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_VERSION=not on the Summary page\r\n"
    "[UNINSTALLER_SUMMARY_PAGE]\r\nUNINSTALLER_SUMMARY_PAGE_TITLE=Podsumowanie\r\n"
    "UNINSTALLER_SUMMARY_PAGE_SUBTITLE=Pakiet ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_SUMMARY_PAGE_TEXT_TOP=Sprawdź ${PROJECT_AUTHOR}\r\n"
    "UNINSTALLER_SUMMARY_PAGE_TEXT_INFO_TITLE=O pakiecie\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_NAME=pakiet łódzki\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_AUTHOR=Autor:\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_LICENSE=Licencja:\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_COPYRIGHT=Prawa ${PROJECT_AUTHOR}:\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_INSTALL_DIR=Katalog:\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_INSTALL_DATE=Data:\r\n"
    "UNINSTALLER_WELCOME_PAGE_TEXT_INSTALL_DESC=Opis ${PROJECT_AUTHOR}\r\n"
    "[UNINSTALLER_PROCESS_MONITOR_PAGE]\r\n"
    "UNINSTALLER_PROCESS_MONITOR_PAGE_TEXT_BUTTON=Zamknij ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_1=M1\r\n"
    "UNINSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_2=M2\r\n"
    "UNINSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_3=M3\r\n"
    "UNINSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_4=M4 %Y\r\n"
    // ${PROJECT_VERSION} (4.0) shows whether a text was expanded or shown as read.
    "[UNINSTALLER_INSTALLATION_PAGE]\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TITLE=Usuwanie ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_SUBTITLE=Czekaj ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TEXT_PROJECT=projekt\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TEXT_VERSION=Wersja:\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TEXT_LICENSE=Licencja:\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TEXT_WEBSITE=Strona:\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TEXT_NORMAL_DESC=N ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TEXT_EXTENDED_DESC=E\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TEXT_STATUS=Konfiguracja ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TITLE_SUCCESS=Usunieto ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_SUBTITLE_SUCCESS=OK\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_RESULT_SUCCESS=Sukces ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_TITLE_ABORT=Przerwano\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_SUBTITLE_ABORT=Blad ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_INSTALLATION_PAGE_RESULT_FAILED=Porazka\r\n"
    "[INSTALLER_INSTALLATION_PAGE]\r\nINSTALLER_INSTALLATION_PAGE_TEXT_VERSION=not ours\r\n"
    // The main pack has only the installer's caption, the help plugin both.
    "[LANG_PACK_OFFICIAL_WLZ]\r\nLANG_PACK_OFFICIAL_WLZ_STATUS=Instalowanie pakietu\r\n"
    "LANG_PACK_OFFICIAL_WLZ_SHORT_NAME=Pakiet ${PROJECT_VERSION}\r\n"
    "LANG_PACK_OFFICIAL_WLZ_VERSION=v${PROJECT_VERSION}\r\n"
    "LANG_PACK_OFFICIAL_WLZ_LICENSE=L${PROJECT_VERSION}\r\n"
    "LANG_PACK_OFFICIAL_WLZ_COPYRIGHT=C${PROJECT_VERSION}\r\n"
    "[LANG_PACK_HELP_PLUGIN]\r\nLANG_PACK_HELP_PLUGIN_STATUS=Instalowanie pomocy\r\n"
    "LANG_PACK_HELP_PLUGIN_STATUS2=Usuwanie pomocy\r\n"
    "LANG_PACK_HELP_PLUGIN_SHORT_NAME=Pomoc\r\nLANG_PACK_HELP_PLUGIN_VERSION=v${PROJECT_VERSION}"
    "\r\n"
    "LANG_PACK_HELP_PLUGIN_DESC=D${PROJECT_VERSION}\r\n"
    "[LANG_PACK_PLUGIN_AVS]\r\nLANG_PACK_PLUGIN_AVS_STATUS2=Usuwanie AVS\r\n"
    "LANG_PACK_PLUGIN_AVS_SHORT_NAME=AVS\r\nLANG_PACK_PLUGIN_AVS_VERSION=v${PROJECT_VERSION}\r\n"
    "LANG_PACK_PLUGIN_AVS_LICENSE=L${PROJECT_VERSION}\r\n"
    "LANG_PACK_PLUGIN_AVS_COPYRIGHT=C${PROJECT_VERSION}\r\n"
    "LANG_PACK_PLUGIN_AVS_DESC=D${PROJECT_VERSION}\r\n"
    "[UNINSTALLER_FINISH_PAGE]\r\n"
    "UNINSTALLER_FINISH_PAGE_TEXT_TITLE=gotowe ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_FINISH_PAGE_TOP=Usunieto ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_FINISH_PAGE_NOTES=Uwagi$\\rdalej\r\n"
    "UNINSTALLER_FINISH_PAGE_QUESTION=Co ${PROJECT_VERSION}?\r\n"
    "UNINSTALLER_FINISH_PAGE_RUN_WINAMP=Uruchom ${CURRENT_VERSION}\r\n"
    "UNINSTALLER_FINISH_PAGE_SEND_MAIL=Napisz ${PROJECT_AUTHOR}\r\n"
    "UNINSTALLER_FINISH_PAGE_LINK_HOME=Strona ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_FINISH_PAGE_MAIL=Temat ${PROJECT_VERSION}\r\n"
    "UNINSTALLER_FINISH_PAGE_TBODY=Tresc\r\n"
    "UNINSTALLER_FINISH_PAGE_BODY=Koniec\r\n";

// What the engine installed: Install 1 and 2 count, 0 and none do not.
constexpr const char* kInstalledComponents =
    "[LANG_PACK_OFFICIAL_WLZ]\r\nInstall=1\r\n"
    "[LANG_PACK_HELP_PLUGIN]\r\nInstall=2\r\nPluginChoice=0\r\n"
    "[LANG_PACK_CLASSIC_SKIN]\r\nInstall=0\r\n"
    "[LANG_PACK_PLUGIN_MILKDROP]\r\nPluginChoice=1\r\n"
    "[LANG_PACK_PLUGIN_AVS]\r\nInstall=1\r\n";

// The pack installed into D:\Winamp\ (the registry keeps the trailing
// separator), with Winamp 5.9.2 there.
struct Uninstaller : Pack {
  App* app = nullptr;
  explicit Uninstaller(bool dark = false, const std::string& player = "winamp-5.9.2/winamp.exe") {
    p.files.put(u"C:\\Pack\\GUI.ini", std::string(kGuiIni) +
                                          "ProjectFullVersion=1.2\r\nProjectLicense=GPL\r\n"
                                          "ProjectCopyright=(c) ${PROJECT_AUTHOR}\r\n"
                                          "ProjectEmail=uwagi+pakiet@example.org\r\n" +
                                          kInstalledComponents);
    const std::string locale(kLocaleIni);
    p.files.put(u"C:\\Pack\\1045.ini", "\xEF\xBB\xBF" +
                                           locale.substr(0, locale.find("[UNINSTALLER_BUTTONS]")) +
                                           kUninstallerTexts);
    const Text entry = u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lingvora Pack";
    p.registry.strings[fake::FakeRegistry::key(Hive::LocalMachine, entry, u"InstallLocation")] =
        u"D:\\Winamp\\";
    p.registry.strings[fake::FakeRegistry::key(Hive::LocalMachine, entry, u"InstallDate")] =
        u"20260301";
    installPlayer(p, u"D:\\Winamp", player);
    p.registry.setDarkMode(dark);
    app = &start({u"/ACTION=1"});
  }
  MainForm& f() { return app->form; }
  WizardState& w() { return app->state.uninstaller; }
  void click(const std::string& name) { fake::FakeRenderer{app->form}.click(name); }
  void next() { click("Btn_GUI_Next"); }
  void back() { click("Btn_GUI_Back"); }
  int page() { return w().pageIndex; }
};

struct FooterState {
  bool backVisible, backEnabled;
  std::string next;
  bool nextEnabled, nextRed, cancelEnabled;
};

void expectFooter(MainForm& f, const FooterState& e) {
  EXPECT_EQ(f.Btn_GUI_Back.visible, e.backVisible);
  EXPECT_EQ(f.Btn_GUI_Back.enabled, e.backEnabled);
  EXPECT_EQ(S(f.Btn_GUI_Back.caption), "Wstecz");
  EXPECT_TRUE(f.Btn_GUI_Next.visible);
  EXPECT_EQ(S(f.Btn_GUI_Next.caption), e.next);
  EXPECT_EQ(f.Btn_GUI_Next.enabled, e.nextEnabled);
  // Red and kept from the style, or the style's own look.
  EXPECT_EQ(f.Btn_GUI_Next.fontColor, e.nextRed ? 0xD40000u : kDefaultColor);
  EXPECT_EQ(f.Btn_GUI_Next.fontColorFromStyle, !e.nextRed);
  EXPECT_TRUE(f.Btn_GUI_Cancel.visible);
  EXPECT_EQ(S(f.Btn_GUI_Cancel.caption), "Anuluj");
  EXPECT_EQ(f.Btn_GUI_Cancel.enabled, e.cancelEnabled);
}

TEST(UninstallerStart, FooterCaptionsAreReadBeforeThePlayerIsKnown) {
  Uninstaller u;
  ASSERT_FALSE(u.exit);
  EXPECT_EQ(u.w().record.Version, u"5.9.2.10042");
  EXPECT_EQ(u.w().captions.next, u"Dalej ");  // the marker was empty then
  EXPECT_EQ(u.f().Lbl_Uninstaller_WelcomePage_Subtitle2.caption, u"Winamp 5.9.2.10042");
  EXPECT_EQ(u.page(), 0);
  EXPECT_TRUE(u.f().P_GUI_Uninstaller.visible);
  EXPECT_TRUE(u.f().P_Uninstaller_WelcomePage.visible);
  EXPECT_FALSE(u.f().P_GUI_Installer.visible);
}

TEST(UninstallerWalk, WelcomeSummaryAndBackWithTheirFooters) {
  Uninstaller u;
  MainForm& f = u.f();
  const FooterState welcome{false, true, "Dalej ", true, false, true};
  const FooterState summary{true, true, "Odinstaluj", true, true, true};
  expectFooter(f, welcome);
  EXPECT_EQ(f.caption, u"Dezinstalator");
  u.next();
  EXPECT_EQ(u.page(), 1);
  EXPECT_FALSE(f.P_Uninstaller_WelcomePage.visible);
  EXPECT_TRUE(f.P_Uninstaller_DefaultPage.visible);
  EXPECT_TRUE(f.P_Uninstaller_SummaryPage.visible);
  expectFooter(f, summary);
  u.back();
  EXPECT_EQ(u.page(), 0);
  EXPECT_TRUE(f.P_Uninstaller_WelcomePage.visible);
  EXPECT_FALSE(f.P_Uninstaller_DefaultPage.visible);
  expectFooter(f, welcome);  // Next loses the Summary's red
  u.next();
  expectFooter(f, summary);
}

TEST(UninstallerWalk, TheProcessCheckAfterTheSummary) {
  struct Case {
    const char* name;
    bool running, ended;
    int page;                     // after Next on the Summary
    std::optional<int> exitCode;  // after Next on the process monitor
  };
  for (const Case& c : {Case{"no player runs", false, true, 3, {}},
                        Case{"a player runs and ends", true, true, 2, {}},
                        Case{"a player runs and cannot be ended", true, false, 2, 4}}) {
    SCOPED_TRACE(c.name);
    Uninstaller u;
    if (c.running) {
      auto& player = u.p.processes.run(40, u"D:\\Winamp\\winamp.exe");
      player.closesWhenAsked = player.endable = c.ended;
    }
    u.next(), u.next();
    EXPECT_EQ(u.page(), c.page);
    EXPECT_EQ(u.p.processes.snapshots, 1);
    EXPECT_TRUE(u.w().monitorShown);
    if (c.page == 2) {
      EXPECT_TRUE(u.f().P_Uninstaller_ProcessMonitorPage.visible);
      expectFooter(u.f(), {true, false, "Zamknij 4.0", true, false, true});
      try {
        u.next();
        EXPECT_FALSE(c.exitCode) << "no stop";
      } catch (const ProcessExit& e) {
        EXPECT_EQ(e.code, c.exitCode.value_or(-1));
        EXPECT_EQ(u.w().pendingExitCode, 4);
        EXPECT_EQ(u.lastBox().caption, u"Dezinstalator");
        EXPECT_EQ(u.lastBox().text, u"M1\n\r\n\rM2\n\r\n\rM3 D:\\Winamp\\\n\r\n\rM4 2026");
        EXPECT_EQ(u.lastBox().icon, MessageIcon::Error);
        continue;
      }
    }
    // The removal page while the engine works: nothing to press but the close box.
    EXPECT_EQ(u.page(), 3);
    EXPECT_TRUE(u.f().P_Uninstaller_InstallationPage.visible);
    expectFooter(u.f(), {false, false, "Dalej ", false, false, false});
  }
}

TEST(UninstallerWalk, CancelAsksNoStaysYesEnds) {
  Uninstaller u;
  u.next();
  u.click("Btn_GUI_Cancel");
  ASSERT_EQ(u.p.dialogs.shown.size(), 1u);
  EXPECT_EQ(u.lastBox().caption, u"Dezinstalator");
  EXPECT_EQ(u.lastBox().text, u"Przerwac?");
  EXPECT_EQ(u.lastBox().buttons, MessageButtons::YesNo);
  EXPECT_FALSE(u.app->closing);
  EXPECT_EQ(u.page(), 1);
  EXPECT_TRUE(u.f().P_Uninstaller_SummaryPage.visible);
  u.p.dialogs.answers.push_back(MessageAnswer::Yes);
  u.click("Btn_GUI_Cancel");
  EXPECT_TRUE(u.app->closing);
  EXPECT_EQ(u.app->exitCode, 0);
}

TEST(UninstallerWalk, AfterTheRemovalNextFinishesOrEnds) {
  for (bool failed : {false, true}) {
    SCOPED_TRACE(failed);
    Uninstaller u;
    u.next(), u.next();
    ASSERT_EQ(u.page(), 3);
    u.w().failed = failed;
    u.f().Btn_GUI_Next.enabled = true;  // as the ended page offers it
    u.next();
    EXPECT_EQ(u.app->closing, failed);
    if (failed) continue;
    EXPECT_EQ(u.page(), 4);
    expectFooter(u.f(), {false, false, "Koniec", true, false, false});
    u.next();
    EXPECT_TRUE(u.app->closing);
    EXPECT_EQ(u.app->exitCode, 0);
    EXPECT_TRUE(u.p.dialogs.shown.empty());
  }
}

TEST(FooterActions, AHiddenOrDisabledButtonDoesNothing) {
  // Enter and the mnemonics reach the buttons whatever their state; on the
  // progress pages, while the engine works, both Next and Cancel are off.
  struct Case {
    const char* name;
    Text action;
    int nexts;
    std::string button;
  };
  for (const Case& c : {Case{"installer Next", u"/ACTION=0", 4, "Btn_GUI_Next"},
                        Case{"installer Cancel", u"/ACTION=0", 4, "Btn_GUI_Cancel"},
                        Case{"installer Back", u"/ACTION=0", 4, "Btn_GUI_Back"},
                        Case{"uninstaller Next", u"/ACTION=1", 2, "Btn_GUI_Next"},
                        Case{"uninstaller Cancel", u"/ACTION=1", 2, "Btn_GUI_Cancel"},
                        Case{"uninstaller Back", u"/ACTION=1", 2, "Btn_GUI_Back"}}) {
    SCOPED_TRACE(c.name);
    Pack pack;
    App& app = pack.start({c.action});
    ASSERT_FALSE(pack.exit);
    pack.requireStandardPlayer();
    fake::FakeRenderer ui{app.form};
    for (int i = 0; i < c.nexts; ++i) ui.click("Btn_GUI_Next");
    const int page = app.wizard().pageIndex;
    ASSERT_EQ(page, app.installerMode() ? 5 : 3);
    app.wizard().failed = true;  // Next would end the program
    ui.click(c.button);
    EXPECT_EQ(app.wizard().pageIndex, page);
    EXPECT_FALSE(app.closing);
    EXPECT_TRUE(pack.p.dialogs.shown.empty());
  }
}

TEST(UninstallerWelcomePage, TextsStylesAndLayout) {
  Uninstaller u;
  MainForm& f = u.f();
  struct Expected {
    Control& label;
    std::string text;
    Font font;
    Color colour;
    TextAlign align;
    Rect bounds;
  };
  // The column fills the page (no picture in this library): each label
  // below the one before it, with its margins.
  const Color text = kDefaultColor;
  for (const Expected& e : {
           Expected{f.Lbl_Uninstaller_WelcomePage_Title,
                    "ŁÓDŹ ${PROJECT_VERSION}",
                    {u"Tahoma", 28, true, false},
                    text,
                    TextAlign::Center,
                    {15, 5, 508, 90}},
           Expected{f.Lbl_Uninstaller_WelcomePage_Subtitle,
                    "Usuń ${PROJECT_VERSION}",
                    {u"Tahoma", 18, true, false},
                    0xD40000,
                    TextAlign::Center,
                    {15, 105, 508, 32}},
           Expected{f.Lbl_Uninstaller_WelcomePage_Subtitle2,
                    "Winamp 5.9.2.10042",
                    {u"Tahoma", 8, false, false},
                    text,
                    TextAlign::Left,
                    {15, 154, 508, 30}},
           Expected{f.Lbl_Uninstaller_WelcomePage_Subtitle1,
                    "Od Zespol",
                    {u"Tahoma", 8, false, true},
                    0x737373,
                    TextAlign::Left,
                    {15, 191, 508, 55}},
           Expected{f.Lbl_Uninstaller_WelcomePage_Info,
                    "Uwagi\ndalej",
                    {u"Tahoma", 8, false, false},
                    text,
                    TextAlign::Left,
                    {15, 253, 508, 105}},
       }) {
    SCOPED_TRACE(e.label.name);
    EXPECT_EQ(S(e.label.caption), e.text);
    EXPECT_EQ(e.label.font, e.font);
    EXPECT_EQ(e.label.fontColor, e.colour);
    EXPECT_EQ(e.label.textAlign, e.align);
    EXPECT_TRUE(e.label.visible && e.label.transparent && e.label.wordWrap);
    EXPECT_FALSE(e.label.autoSize);
    f.relayout();
    EXPECT_EQ(e.label.bounds, e.bounds);
  }
  EXPECT_FALSE(f.S_Uninstaller_WelcomePage_Divider.visible);
  EXPECT_EQ(f.P_Uninstaller_WelcomePage_TextArea.background, 0xFFFFFFu);
  EXPECT_EQ(f.P_Uninstaller_WelcomePage.background, 0x202020u);
  EXPECT_EQ(f.P_Uninstaller_WelcomePage.bounds, (Rect{0, 0, 538, 363}));

  // Under the picture: 7 points, sized to their text, 5 from the page's
  // bottom and 2 above the copyright line.
  const Control& copyright = f.Lbl_Uninstaller_WelcomePage_Copyright;
  const Control& product = f.Lbl_Uninstaller_WelcomePage_LangPack;
  EXPECT_EQ(copyright.caption, u"(c) Zespol");
  EXPECT_EQ(copyright.bounds, (Rect{5, 346, 60, 12}));
  EXPECT_TRUE(copyright.handCursor);
  EXPECT_EQ(product.caption, u"Lingvora 4.0 (5.9.2)");
  EXPECT_EQ(product.bounds, (Rect{5, 332, 120, 12}));
  for (const Control* line : {&copyright, &product}) {
    EXPECT_EQ(line->font, (Font{u"Tahoma", 7, false, false}));
    EXPECT_EQ(line->fontColor, 0x737373u);
    EXPECT_FALSE(line->wordWrap);
  }
}

TEST(UninstallerWelcomePage, DarkThemeKeepsOwnColoursAndShowsTheDivider) {
  Uninstaller u(true);
  MainForm& f = u.f();
  EXPECT_TRUE(f.S_Uninstaller_WelcomePage_Divider.visible);
  EXPECT_EQ(f.S_Uninstaller_WelcomePage_Divider.background, 0x202020u);
  EXPECT_EQ(f.S_Uninstaller_WelcomePage_Divider.outline, 0x282828u);
  f.relayout();
  EXPECT_EQ(f.S_Uninstaller_WelcomePage_Divider.bounds, (Rect{0, 10, 1, 343}));
  EXPECT_EQ(f.P_Uninstaller_WelcomePage_TextArea.background, kDefaultColor);
  EXPECT_EQ(f.P_Uninstaller_WelcomePage.background, kDefaultColor);
  for (Control* own :
       {&f.Lbl_Uninstaller_WelcomePage_Subtitle, &f.Lbl_Uninstaller_WelcomePage_Subtitle1,
        &f.Lbl_Uninstaller_WelcomePage_LangPack, &f.Lbl_Uninstaller_WelcomePage_Copyright})
    EXPECT_FALSE(own->fontColorFromStyle) << own->name;
  for (Control* themed :
       {&f.Lbl_Uninstaller_WelcomePage_Title, &f.Lbl_Uninstaller_WelcomePage_Subtitle2,
        &f.Lbl_Uninstaller_WelcomePage_Info})
    EXPECT_TRUE(themed->fontColorFromStyle) << themed->name;
  EXPECT_EQ(f.Lbl_Uninstaller_WelcomePage_Subtitle.fontColor, 0xD40000u);
}

TEST(UninstallerWelcomePage, BuiltAgainAfterTheSummaryTheSame) {
  Uninstaller u;
  MainForm& f = u.f();
  auto snapshot = [&] {
    f.relayout();
    std::vector<std::tuple<std::string, Text, Rect, Color, bool>> out;
    for (const Control* c : f.controls())
      if (c->name.starts_with("Lbl_Uninstaller_WelcomePage") || c->name.starts_with("Btn_GUI"))
        out.emplace_back(c->name, c->caption, c->bounds, c->fontColor, c->visible);
    return out;
  };
  const auto first = snapshot();
  u.next(), u.back();
  EXPECT_EQ(snapshot(), first);
}

TEST(UninstallerWelcomePage, CopyrightLinkOpensTheHomePage) {
  Uninstaller u;
  Control& link = u.f().Lbl_Uninstaller_WelcomePage_Copyright;
  fake::FakeRenderer ui{u.f()};
  ui.enter(link.name);
  EXPECT_EQ(link.fontColor, u.app->state.colours.linkHover);
  ui.click(link.name);
  EXPECT_EQ(link.fontColor, 0xD40000u);
  EXPECT_EQ(u.p.shell.opened, std::vector<Text>{u"https://example.org/index.php"});
  ui.leave(link.name);
  EXPECT_EQ(link.fontColor, 0x737373u);
}

TEST(SummaryPage, HeaderRowsAndNote) {
  Uninstaller u;
  u.next();
  MainForm& f = u.f();
  EXPECT_EQ(f.caption, u"Dezinstalator");
  EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_Title.caption, u"Podsumowanie");
  EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_SubTitle.caption, u"Pakiet 4.0");
  EXPECT_TRUE(f.P_Uninstaller_DefaultHeader.visible);
  EXPECT_TRUE(f.Lbl_GUI_BrandingText.visible);
  EXPECT_EQ(f.Lbl_Uninstaller_SummaryPage_Title.caption, u"Sprawdź Zespol");
  EXPECT_EQ(f.GB_Uninstaller_SummaryPage.caption, u"O pakiecie");
  EXPECT_EQ(S(f.Lbl_Uninstaller_SummaryPage_ProjectName.caption), "PAKIET ŁÓDZKI");
  EXPECT_EQ(f.Lbl_Uninstaller_SummaryPage_ProjectName.font, (Font{u"Tahoma", 12, false, false}));
  EXPECT_EQ(f.Lbl_Uninstaller_SummaryPage_ProjectDesc.caption, u"Opis Zespol");
  EXPECT_TRUE(f.Lbl_Uninstaller_SummaryPage_ProjectDesc.font.italic);
  EXPECT_EQ(f.Lbl_Uninstaller_SummaryPage_ProjectDesc.fontColor, 0x737373u);
  struct Row {
    Control& caption;
    std::string captionText;
    Control& value;
    std::string valueText;
  };
  // The version caption is read from the Summary's section only, and the
  // captions are shown as written; the location and the date as read.
  for (const Row& r : {
           Row{f.Lbl_Uninstaller_SummaryPage_Version_Desc, "",
               f.Lbl_Uninstaller_SummaryPage_Version, "1.2 (Winamp 5.9.2.10042)"},
           Row{f.Lbl_Uninstaller_SummaryPage_Author_Desc,
               "Autor:", f.Lbl_Uninstaller_SummaryPage_Author, "Zespol"},
           Row{f.Lbl_Uninstaller_SummaryPage_License_Desc,
               "Licencja:", f.Lbl_Uninstaller_SummaryPage_License, "GPL"},
           Row{f.Lbl_Uninstaller_SummaryPage_Copyright_Desc,
               "Prawa ${PROJECT_AUTHOR}:", f.Lbl_Uninstaller_SummaryPage_Copyright, "(c) Zespol"},
           Row{f.Lbl_Uninstaller_SummaryPage_InstallDir_Desc,
               "Katalog:", f.Lbl_Uninstaller_SummaryPage_InstallDir, "D:\\Winamp\\"},
           Row{f.Lbl_Uninstaller_SummaryPage_InstallDate_Desc,
               "Data:", f.Lbl_Uninstaller_SummaryPage_InstallDate, "20260301"},
       }) {
    SCOPED_TRACE(r.caption.name);
    EXPECT_EQ(S(r.caption.caption), r.captionText);
    EXPECT_EQ(r.caption.fontColor, 0x737373u);
    EXPECT_FALSE(r.caption.font.bold);
    EXPECT_TRUE(r.caption.wordWrap);
    EXPECT_EQ(S(r.value.caption), r.valueText);
    EXPECT_TRUE(r.value.font.bold);
    EXPECT_FALSE(r.value.wordWrap);  // a long directory is cut at the edge
    EXPECT_EQ(r.value.fontColor, kDefaultColor);
  }
}

TEST(SummaryPage, LayoutInsideTheGroupBox) {
  Uninstaller u;
  u.next();
  MainForm& f = u.f();
  f.relayout();
  // The page below the header: 538 by 303. The box: 15 from the sides, 3
  // below the top text (10 + 48), 10 above the bottom. Its client area
  // starts 6 and 13 in (the fake frame and caption) and is 496 by 213.
  EXPECT_EQ(f.Lbl_Uninstaller_SummaryPage_Title.bounds, (Rect{15, 10, 508, 48}));
  EXPECT_EQ(f.GB_Uninstaller_SummaryPage.bounds, (Rect{15, 61, 508, 232}));
  const Control& picture = f.Img_Uninstaller_SummaryPage;
  EXPECT_EQ(picture.bounds, (Rect{6 + 496 - 25 - 96, 13 + 25, 96, 96}));
  EXPECT_TRUE(picture.center && picture.stretch);
  EXPECT_EQ(f.Lbl_Uninstaller_SummaryPage_ProjectName.bounds, (Rect{31, 38, 336, 20}));
  struct Row {
    Control& caption;
    Control& value;
    int top, valueWidth;
  };
  // One line (13) each; 10 below the name, 2 between rows, 12 before the
  // directory; the values 5 right of their captions, the upper ones short
  // of the picture.
  for (const Row& r : {
           Row{f.Lbl_Uninstaller_SummaryPage_Version_Desc, f.Lbl_Uninstaller_SummaryPage_Version,
               68, 221},
           Row{f.Lbl_Uninstaller_SummaryPage_Author_Desc, f.Lbl_Uninstaller_SummaryPage_Author, 83,
               221},
           Row{f.Lbl_Uninstaller_SummaryPage_License_Desc, f.Lbl_Uninstaller_SummaryPage_License,
               98, 221},
           Row{f.Lbl_Uninstaller_SummaryPage_Copyright_Desc,
               f.Lbl_Uninstaller_SummaryPage_Copyright, 113, 221},
           Row{f.Lbl_Uninstaller_SummaryPage_InstallDir_Desc,
               f.Lbl_Uninstaller_SummaryPage_InstallDir, 138, 341},
           Row{f.Lbl_Uninstaller_SummaryPage_InstallDate_Desc,
               f.Lbl_Uninstaller_SummaryPage_InstallDate, 153, 341},
       }) {
    SCOPED_TRACE(r.caption.name);
    EXPECT_EQ(r.caption.bounds, (Rect{31, r.top, 110, 13}));
    EXPECT_EQ(r.value.bounds, (Rect{146, r.top, r.valueWidth, 13}));
  }
  EXPECT_EQ(f.Lbl_Uninstaller_SummaryPage_ProjectDesc.bounds,
            (Rect{21, 13 + 213 - 15 - 40, 466, 40}));
}

TEST(SummaryPage, DarkThemeAndAPlayerWithoutVersion) {
  Uninstaller u(true, "no-version/winamp.exe");
  u.next();
  MainForm& f = u.f();
  EXPECT_EQ(f.Lbl_Uninstaller_SummaryPage_Version.caption, u"1.2 (Winamp )");
  for (Control* own : {&f.Lbl_Uninstaller_SummaryPage_Version_Desc,
                       &f.Lbl_Uninstaller_SummaryPage_InstallDate_Desc,
                       &f.Lbl_Uninstaller_SummaryPage_ProjectDesc})
    EXPECT_FALSE(own->fontColorFromStyle) << own->name;
  for (Control* themed :
       {&f.Lbl_Uninstaller_SummaryPage_ProjectName, &f.Lbl_Uninstaller_SummaryPage_Version,
        &f.Lbl_Uninstaller_SummaryPage_InstallDir})
    EXPECT_TRUE(themed->fontColorFromStyle) << themed->name;
  EXPECT_EQ(f.B_Uninstaller_DefaultHeader.bevelShape, BevelShape::BottomLine);
  EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_SubTitle.fontColor, 0x737373u);
  // The Uninstall button keeps its red under the dark style too.
  EXPECT_FALSE(f.Btn_GUI_Next.fontColorFromStyle);
}

TEST(SummaryPage, NextHandsTheRecordToTheEngineInOneSave) {
  Uninstaller u;
  u.next();
  // A version resource's copyright may hold line breaks and NULs.
  u.w().record.LegalCopyright = Text(u"(c) 1997\r\nNullsoft\0", 19);
  const int before = u.p.files.writes;
  u.next();
  EXPECT_EQ(u.p.files.writes, before + 2);  // GUI.ini once, then the removal page's DATA.ini
  const std::string saved = u.p.files.get(u"C:\\Pack\\GUI.ini");
  ASSERT_NE(saved.find("[INFO]"), std::string::npos);
  EXPECT_EQ(saved.substr(saved.find("[INFO]")),
            "[INFO]\r\nInstallDir=D:\\Winamp\\\r\nExeFileName=D:\\Winamp\\winamp.exe\r\n"
            "WacupType=0\r\nOSPortable=0\r\nPortable=1\r\nPathsConfig=\r\n"
            "ConfigDir=D:\\Winamp\\\r\nConfigFile=D:\\Winamp\\winamp.ini\r\n"
            "SkinsDir=D:\\Winamp\\Skins\r\nPluginsDir=D:\\Winamp\\Plugins\r\n"
            "LangPackDir=D:\\Winamp\\Lang\r\nVersion=5.9.2.10042\r\n"
            "CompanyName=Radionomy Group\r\nFileVersion=5.9.2.10042\r\n"
            "LegalCopyright=(c) 1997  Nullsoft \r\nProductName=Winamp\r\n"
            "ProductVersion=5.9.2.10042\r\n");
  EXPECT_EQ(u.page(), 3);
}

TEST(SummaryPage, AFailedSaveStaysOnTheSummary) {
  Uninstaller u;
  const int& checks = u.p.processes.snapshots;
  u.next();
  u.p.files.failWrites = true;
  try {
    u.next();
    FAIL() << "the failure was not reported";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write the file C:\\Pack\\GUI.ini.");
  }
  EXPECT_EQ(u.page(), 1);
  EXPECT_TRUE(u.f().P_Uninstaller_SummaryPage.visible);
  EXPECT_EQ(u.f().Btn_GUI_Next.caption, u"Odinstaluj");
  EXPECT_FALSE(u.w().monitorShown);
  EXPECT_EQ(checks, 0);
  // Once the file can be written, the same Next goes on.
  u.p.files.failWrites = false;
  u.next();
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(u.page(), 3);
  EXPECT_NE(u.p.files.get(u"C:\\Pack\\GUI.ini").find("InstallDir=D:\\Winamp\\"), std::string::npos);
}

// The uninstaller on its progress page, reached from the Summary.
struct Uninstalling : Uninstaller {
  explicit Uninstalling(bool dark = false) : Uninstaller(dark) {}
  void open() { next(), next(); }
  void send(TextView text) {
    Bytes b;
    for (char16_t c : text) b.push_back(std::uint8_t(c)), b.push_back(std::uint8_t(c >> 8));
    receiveEngineMessage(*app, kEngineMessageId, b.data(), b.size());
  }
  std::vector<std::string> lines() {
    MainForm& m = f();
    std::vector<std::string> out;
    for (Control* c :
         {&m.GB_Uninstaller_InstallationPage, &m.Lbl_Uninstaller_InstallationPage_Item_Name,
          &m.Lbl_Uninstaller_InstallationPage_Item_Version,
          &m.Lbl_Uninstaller_InstallationPage_Item_License,
          &m.Lbl_Uninstaller_InstallationPage_Item_Copyright,
          &m.Lbl_Uninstaller_InstallationPage_Item_Publisher,
          &m.Lbl_Uninstaller_InstallationPage_Item_Description})
      out.push_back(S(c->caption));
    return out;
  }
};

TEST(UninstallationPage, WorkListOfWhatIsInstalledAndTheCue) {
  Uninstalling u;
  u.next();
  const int writesBefore = u.p.files.writes;
  u.next();
  EXPECT_EQ(u.page(), 3);
  EXPECT_EQ(u.w().workList, (std::vector<Text>{u"LANG_PACK_OFFICIAL_WLZ", u"LANG_PACK_HELP_PLUGIN",
                                               u"LANG_PACK_PLUGIN_AVS"}));
  EXPECT_EQ(u.w().progress.step, 35);
  // The record for the engine (one save of GUI.ini), then DATA.ini and
  // nothing else: the page itself writes nothing into GUI.ini.
  EXPECT_EQ(u.p.files.writes - writesBefore, 2);
  EXPECT_EQ(u.p.files.get(u"C:\\Pack\\GUI.ini").find("UserAction"), std::string::npos);
  EXPECT_EQ(u.p.files.get(u"C:\\Pack\\DATA.ini"), "[SYSTEM]\r\nInstallDir=D:\\Winamp\\\r\n");
  EXPECT_TRUE(u.w().channelOpen);
  EXPECT_FALSE(u.w().closeAllowed);
  MainForm& f = u.f();
  EXPECT_EQ(f.caption, u"Dezinstalator");
  EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_Title.caption, u"Usuwanie 4.0");
  EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_SubTitle.caption, u"Czekaj 4.0");
  EXPECT_TRUE(f.P_Uninstaller_InstallationPage.visible);
  EXPECT_EQ(f.taskbar, (TaskbarProgress{TaskbarState::Normal, 0, 100}));
  // The tighter layout of this page: picture 25 from the top, the name 10,
  // nothing under the web address.
  EXPECT_EQ(f.Img_Uninstaller_InstallationPage.bounds.top, 25);
  EXPECT_EQ(f.Lbl_Uninstaller_InstallationPage_Item_Name.margins.top, 10);
  EXPECT_EQ(f.Lbl_Uninstaller_InstallationPage_Item_Publisher.margins.bottom, 0);
  EXPECT_EQ(f.Lbl_Uninstaller_InstallationPage_Item_Version.margins.bottom, 3);
}

TEST(UninstallationPage, LinesPerMessage) {
  Uninstalling u;
  u.open();
  const std::string desc = "N 4.0\n\r\n\rE", home = "Strona: https://example.org/index.php";
  const std::string project = "Lingvora (projekt)";
  struct Step {
    const char16_t* message;
    std::vector<std::string> lines;
    int bar;
  };
  const Step steps[] = {
      {nullptr,
       {"Usuwanie ${PROJECT_VERSION}", project, "Wersja: 1.2", "Licencja: GPL", "(c) Zespol", home,
        desc},
       0},
      // Only the installer's caption: just the dots.
      {u"ID_SECTION_LANG_PACK_OFFICIAL_WLZ",
       {"...", "Pakiet ${PROJECT_VERSION}", "Wersja: 4.0 (v4.0)", "Licencja: L4.0", "C4.0", home,
        desc},
       20},
      {u"ID_SECTION_LANG_PACK_HELP_PLUGIN",
       {"Usuwanie pomocy...", "Pomoc", "Wersja: v4.0", "Licencja: ", "",
        "Strona: https://example.org/info.php", "D4.0\n\r\n\r\n\rN 4.0"},
       55},
      // Not installed: nothing changes.
      {u"ID_SECTION_LANG_PACK_CLASSIC_SKIN",
       {"Usuwanie pomocy...", "Pomoc", "Wersja: v4.0", "Licencja: ", "",
        "Strona: https://example.org/info.php", "D4.0\n\r\n\r\n\rN 4.0"},
       55},
      {u"ID_SECTION_LANG_PACK_PLUGIN_avs",
       {"Usuwanie AVS...", "AVS", "Wersja: v${PROJECT_VERSION}", "Licencja: L${PROJECT_VERSION}",
        "C${PROJECT_VERSION}", home, "D4.0\n\r\n\r\n\rN 4.0"},
       90},
      {u"ID_SECTION_END",
       {"Konfiguracja ${PROJECT_VERSION}", project, "Wersja: 1.2", "Licencja: GPL", "(c) Zespol",
        home, desc},
       95},
      {u"ID_SECTION_FINISH",
       {"Sukces ${PROJECT_VERSION}", project, "Wersja: 1.2", "Licencja: GPL", "(c) Zespol", home,
        desc},
       100},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.message ? S(step.message) : "start");
    if (step.message) u.send(step.message);
    EXPECT_EQ(u.lines(), step.lines);
    EXPECT_EQ(u.f().PB_Uninstaller_InstallationPage.position, step.bar);
    EXPECT_EQ(u.f().taskbar.value, step.bar);
  }
}

TEST(UninstallationPage, EndStatesFirstEndDecides) {
  struct Case {
    const char* name;
    std::vector<Text> messages;
    bool engineEnds, dataIniFails;
    bool failed;
  };
  for (const Case& c : {
           Case{"finished, then aborted", {u"ID_SECTION_FINISH", u"ID_ABORT"}, false, false, false},
           Case{"finished, then ended",
                {u"ID_SECTION_FINISH", u"ID_SECTION_END"},
                true,
                false,
                false},
           Case{"aborted, then finished", {u"ID_ABORT", u"ID_SECTION_FINISH"}, false, false, true},
           Case{"the engine ends while the page waits",
                {u"ID_SECTION_LANG_PACK_OFFICIAL_WLZ"},
                true,
                false,
                true},
           Case{"DATA.ini cannot be written", {u"ID_SECTION_FINISH"}, false, true, true},
       }) {
    SCOPED_TRACE(c.name);
    Uninstalling u(true);
    if (c.dataIniFails) u.p.files.readOnly.insert(u"C:\\PACK\\DATA.INI");
    u.open();
    EXPECT_EQ(u.w().channelOpen, !c.dataIniFails);
    for (const Text& m : c.messages) u.send(m);
    if (c.engineEnds) engineEnded(*u.app);
    MainForm& f = u.f();
    EXPECT_EQ(u.w().failed, c.failed);
    EXPECT_TRUE(u.w().progressFinished);
    EXPECT_TRUE(u.w().closeAllowed);
    EXPECT_FALSE(u.w().channelOpen);
    EXPECT_EQ(f.PB_Uninstaller_InstallationPage.position, 100);
    EXPECT_EQ(u.lines()[0], c.failed ? "Porazka" : "Sukces ${PROJECT_VERSION}");
    EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_Title.caption,
              c.failed ? u"Przerwano" : u"Usunieto 4.0");
    EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_SubTitle.caption, c.failed ? u"Blad 4.0" : u"OK");
    // The dark theme's colours: red for the failure, the usual grey else.
    EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_SubTitle.fontColor,
              c.failed ? kErrorText : kSecondaryText);
    EXPECT_EQ(f.Lbl_Uninstaller_DefaultHeader_Title.fontColorFromStyle, !c.failed);
    EXPECT_EQ(f.taskbar.state, c.failed ? TaskbarState::Error : TaskbarState::Normal);
    EXPECT_TRUE(f.Btn_GUI_Next.enabled);
    EXPECT_EQ(f.Btn_GUI_Cancel.enabled, c.failed);
    EXPECT_FALSE(f.Btn_GUI_Back.visible);
    if (c.dataIniFails) {
      EXPECT_EQ(u.p.files.get(u"C:\\Pack\\DATA.ini"), "");
    }
    u.next();
    EXPECT_EQ(u.app->closing, c.failed);  // a failure ends without a question
    EXPECT_EQ(u.page(), c.failed ? 3 : 4);
    EXPECT_TRUE(u.p.dialogs.shown.empty());
  }
}

TEST(UninstallationPage, TheChannelCountsOnlyWhileTheEngineWorks) {
  Uninstalling u;
  u.next();
  u.send(u"ID_ABORT");  // on the Summary: dropped without trace
  u.next();
  ASSERT_EQ(u.page(), 3);
  EXPECT_FALSE(u.w().progressFinished);
  Bytes huge(kMaxEngineMessageBytes + 2, 0);
  const Text abort = u"ID_ABORT";
  for (size_t i = 0; i < abort.size(); ++i) huge[2 * i] = std::uint8_t(abort[i]);
  receiveEngineMessage(*u.app, kEngineMessageId, huge.data(), huge.size());
  EXPECT_FALSE(u.w().progressFinished);  // longer than any word of the engine
  u.w().channelOpen = false;             // as while the page is still being built
  u.send(u"ID_SECTION_FINISH");
  EXPECT_FALSE(u.w().progressFinished);
  u.w().channelOpen = true;
  u.send(u"ID_SECTION_FINISH");
  EXPECT_TRUE(u.w().progressFinished);
  EXPECT_FALSE(u.w().failed);
}

// The uninstaller on its Finish page after a removal.
struct Finishing : Uninstalling {
  explicit Finishing(bool dark = false) : Uninstalling(dark) {
    open();
    send(u"ID_SECTION_FINISH");
    next();
  }
};

TEST(UninstallerFinishPage, TextsBoxesAndFooter) {
  Finishing u;
  MainForm& f = u.f();
  ASSERT_EQ(u.page(), 4);
  EXPECT_EQ(f.caption, u"Dezinstalator");
  EXPECT_TRUE(f.P_Uninstaller_FinishPage.visible);
  EXPECT_FALSE(f.P_Uninstaller_DefaultPage.visible);
  struct Expected {
    Control& control;
    std::string text;
    int points;
    TextAlign align;
    Rect bounds;
  };
  // The column fills the page (no picture in this library).
  for (const Expected& e : {
           Expected{f.Lbl_Uninstaller_FinishPage_Title,
                    "GOTOWE ${PROJECT_VERSION}",
                    28,
                    TextAlign::Center,
                    {15, 5, 503, 90}},
           Expected{f.Lbl_Uninstaller_FinishPage_Subtitle,
                    "Usunieto 4.0",
                    8,
                    TextAlign::Left,
                    {15, 110, 503, 32}},
           Expected{f.Lbl_Uninstaller_FinishPage_Notes,
                    "Uwagi\ndalej",
                    8,
                    TextAlign::Left,
                    {15, 152, 503, 85}},
           Expected{f.Lbl_Uninstaller_FinishPage_Question,
                    "Co 4.0?",
                    8,
                    TextAlign::Left,
                    {15, 247, 503, 15}},
           Expected{f.CB_Uninstaller_FinishPage_Run,
                    "Uruchom 5.9.2.10042",
                    8,
                    TextAlign::Left,
                    {30, 272, 488, 17}},
           Expected{f.CB_Uninstaller_FinishPage_Skin,
                    "Napisz Zespol",
                    8,
                    TextAlign::Left,
                    {30, 291, 488, 17}},
           Expected{f.CB_Uninstaller_FinishPage_HomePage,
                    "Strona 4.0",
                    8,
                    TextAlign::Left,
                    {30, 310, 488, 17}},
       }) {
    SCOPED_TRACE(e.control.name);
    EXPECT_EQ(S(e.control.caption), e.text);
    EXPECT_EQ(e.control.font.points, e.points);
    EXPECT_EQ(e.control.font.bold, e.points == 28);
    EXPECT_EQ(e.control.textAlign, e.align);
    EXPECT_TRUE(e.control.visible && e.control.enabled);
    EXPECT_EQ(e.control.fontColor, kDefaultColor);  // the theme's text colour, title included
    f.relayout();
    EXPECT_EQ(e.control.bounds, e.bounds);
  }
  for (Control* box : {&f.CB_Uninstaller_FinishPage_Run, &f.CB_Uninstaller_FinishPage_Skin,
                       &f.CB_Uninstaller_FinishPage_HomePage})
    EXPECT_FALSE(box->checked) << box->name;
  EXPECT_EQ(f.Lbl_Uninstaller_FinishPage_LangPack.caption, u"Lingvora 4.0 (5.9.2)");
  EXPECT_EQ(f.Lbl_Uninstaller_FinishPage_Copyright.caption, u"(c) Zespol");
  expectFooter(f, {false, false, "Koniec", true, false, false});
  u.click("Btn_GUI_Cancel");  // cannot be pressed
  EXPECT_FALSE(u.app->closing);
}

TEST(UninstallerFinishPage, DarkThemeTitleInTheThemesColour) {
  Finishing u(true);
  MainForm& f = u.f();
  EXPECT_TRUE(f.Lbl_Uninstaller_FinishPage_Title.fontColorFromStyle);
  EXPECT_TRUE(f.S_Uninstaller_FinishPage_Divider.visible);
  EXPECT_EQ(f.P_Uninstaller_FinishPage_TextArea.background, kDefaultColor);
  EXPECT_FALSE(f.Lbl_Uninstaller_FinishPage_Copyright.fontColorFromStyle);
}

TEST(UninstallerFinishPage, FeedbackMailEncodesEveryInsertedText) {
  struct Case {
    const char* subject;  // UNINSTALLER_FINISH_PAGE_MAIL as written
    const char* encoded;  // as the address carries it
  };
  for (const Case& c : {
           Case{"Temat ${PROJECT_VERSION}", "Temat%204.0"},
           Case{"A & B", "A%20%26%20B"},
           Case{"cc=x&to=y", "cc%3Dx%26to%3Dy"},
           Case{"Nr #2", "Nr%20%232"},
           Case{"100% %41", "100%25%20%2541"},
           Case{"\"quoted\" -x", "%22quoted%22%20-x"},
           Case{"jeden$\\r$\\ndwa", "jeden%0A%0Ddwa"},
           Case{"Zażółć gęślą jaźń",
                "Za%C5%BC%C3%B3%C5%82%C4%87%20g%C4%99%C5%9Bl%C4%85%20ja%C5%BA%C5%84"},
           Case{"?subject=x", "%3Fsubject%3Dx"},
       }) {
    SCOPED_TRACE(c.subject);
    Finishing u;
    u.w().locale.write(u"UNINSTALLER_FINISH_PAGE", u"UNINSTALLER_FINISH_PAGE_MAIL", T(c.subject));
    EXPECT_EQ(S(feedbackMailAddress(*u.app)),
              std::string("mailto:uwagi%2Bpakiet@example.org?subject=") + c.encoded +
                  "&body=Velmar%2C%20%0A%0ATresc%0A%0A%0A%0AKoniec%2005.03.2026%2014%3A07%3A09");
  }
  Finishing u;
  u.w().values.projectEmail.clear();
  EXPECT_EQ(S(feedbackMailAddress(*u.app)).rfind("mailto:?subject=Temat%204.0&body=", 0), 0u);
}

TEST(UninstallerFinishPage, FinishDoesTheCheckedActionsThenEnds) {
  using Started = fake::FakeShell::Started;
  const Started player{u"D:\\Winamp\\winamp.exe", u"D:\\Winamp\\"};
  struct Case {
    bool run, mail, home;
    std::vector<Started> started;
    std::size_t opened;
  };
  for (const Case& c : {Case{false, false, false, {}, 0}, Case{true, false, false, {player}, 0},
                        Case{false, true, false, {}, 1}, Case{false, false, true, {}, 1},
                        Case{true, true, true, {player}, 2}}) {
    SCOPED_TRACE(testing::Message() << c.run << c.mail << c.home);
    Finishing u;
    fake::FakeRenderer ui{u.f()};
    ui.check("CB_Uninstaller_FinishPage_Run", c.run);
    ui.check("CB_Uninstaller_FinishPage_Skin", c.mail);
    ui.check("CB_Uninstaller_FinishPage_HomePage", c.home);
    u.next();
    EXPECT_TRUE(u.app->closing);
    EXPECT_EQ(u.app->exitCode, 0);
    EXPECT_TRUE(u.p.dialogs.shown.empty());
    EXPECT_EQ(u.p.shell.started, c.started);
    ASSERT_EQ(u.p.shell.opened.size(), c.opened);
    if (c.mail) {
      EXPECT_EQ(u.p.shell.opened[0], feedbackMailAddress(*u.app));
    }
    if (c.home) {
      EXPECT_EQ(u.p.shell.opened.back(), u"https://example.org/index.php");
    }
  }
}

TEST(UninstallerFinishPage, RunStartsThePlayerTheDirectoryHolds) {
  struct Case {
    const char* name;
    bool winamp, wacup;
    const char16_t* program;
  };
  for (const Case& c : {Case{"winamp.exe only", true, false, u"D:\\Winamp\\winamp.exe"},
                        Case{"wacup.exe only", false, true, u"D:\\Winamp\\wacup.exe"},
                        Case{"both", true, true, u"D:\\Winamp\\winamp.exe"},
                        Case{"neither any more", false, false, u"D:\\Winamp\\winamp.exe"}}) {
    SCOPED_TRACE(c.name);
    Finishing u;
    u.p.files.files.erase(fake::pathKey(u"D:\\Winamp\\winamp.exe"));
    if (c.winamp) u.p.files.put(u"D:\\Winamp\\winamp.exe", "MZ");
    if (c.wacup) u.p.files.put(u"D:\\Winamp\\wacup.exe", "MZ");
    EXPECT_EQ(playerProgram(*u.app), c.program);
  }
}

}  // namespace
}  // namespace lingvora::test
