#include "Pack.h"
#include "pages/installer/Installer_License_Page.h"

namespace lingvora::test {
namespace {

std::string licenceKeys(bool withInfo67) {
  std::string s =
      "[INSTALLER_LICENSE_PAGE]\r\nINSTALLER_LICENSE_PAGE_TITLE=Umowa\r\n"
      "INSTALLER_LICENSE_PAGE_SUBTITLE=Przeczytaj ${PROJECT_VERSION}\r\n"
      "INSTALLER_LICENSE_PAGE_TOP=Przewin\r\nINSTALLER_LICENSE_PAGE_BOTTOM=Zgoda?\r\n"
      "INSTALLER_LICENSE_PAGE_TITLE1=T1 ${PROJECT_VERSION}\r\n"
      "INSTALLER_LICENSE_PAGE_TITLE2=T2 ${PROJECT_VERSION}\r\n"
      "INSTALLER_LICENSE_PAGE_INFO2=I2 ${PROJECT_VERSION}\r\n"
      "INSTALLER_LICENSE_PAGE_LINE=-----\r\nINSTALLER_LICENSE_PAGE_CONTACT_1=KONTAKT\r\n"
      "INSTALLER_LICENSE_PAGE_CONTACT_3=${PROJECT_AUTHOR}\r\n"
      "INSTALLER_LICENSE_PAGE_AGREEMENT_3=A3 ${PROJECT_VERSION}\r\n"
      "INSTALLER_LICENSE_PAGE_SLINE=small\r\n";
  if (withInfo67) s += "INSTALLER_LICENSE_PAGE_INFO6=I6 %Y\r\nINSTALLER_LICENSE_PAGE_INFO7=I7\r\n";
  return s;
}

constexpr const char* kWelcomeKeys =
    "[INSTALLER_WELCOME_PAGE]\r\n"
    "INSTALLER_WELCOME_PAGE_MISSION_SENTENCE=Misja ${PROJECT_VERSION}\r\n"
    "INSTALLER_WELCOME_PAGE_MISSION_AUTHOR=- ${PROJECT_AUTHOR}\r\n"
    "INSTALLER_WELCOME_PAGE_TOP=Witaj\r\nINSTALLER_WELCOME_PAGE_DESC=Opis\r\n"
    "INSTALLER_WELCOME_PAGE_NOTES=Dalej$\\rdalej\r\n"
    "[INSTALLER_PROCESS_MONITOR_PAGE]\r\nINSTALLER_PROCESS_MONITOR_PAGE_TEXT_BUTTON=Zamknij\r\n"
    "INSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_1=M1\r\nINSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_2="
    "M2\r\n"
    "INSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_3=M3\r\nINSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_4="
    "M4\r\n";

constexpr const char* kButtons =
    "[INSTALLER_BUTTONS]\r\nINSTALLER_BUTTON_BACK=Wstecz\r\nINSTALLER_BUTTON_NEXT=Dalej\r\n"
    "INSTALLER_BUTTON_CANCEL=Anuluj\r\nINSTALLER_BUTTON_FINISH=Koniec\r\n"
    "INSTALLER_BUTTON_AGREE=Zgadzam\r\nINSTALLER_BUTTON_INSTALL=Instaluj\r\n";

struct Wizard : Pack {
  App* app = nullptr;
  explicit Wizard(bool dark = false, int density = 96, bool info67 = false) {
    p.files.put(u"C:\\Pack\\GUI.ini", "\xEF\xBB\xBF" + std::string(kGuiIni) +
                                          "ProjectFullName=Pakiet językowy łódzki\r\n"
                                          "ProjectCopyright=(c) ${PROJECT_AUTHOR}\r\n");
    p.files.put(
        u"C:\\Pack\\1045.ini",
        std::string(kLocaleIni).substr(0, std::string(kLocaleIni).find("[INSTALLER_BUTTONS]")) +
            kButtons + kWelcomeKeys + licenceKeys(info67));
    p.registry.setDarkMode(dark);
    p.system.density = density;
    app = &start({u"/ACTION=0"});
    app->form.layoutClient(app->form.width - 6, app->form.height - 28);
  }
  MainForm& f() { return app->form; }
  void next() { f().Btn_GUI_Next.onClick(); }
  void back() { f().Btn_GUI_Back.onClick(); }
  int page() { return app->state.installer.pageIndex; }
};

struct Footer {
  bool backVisible, backEnabled;
  std::string next;
  bool nextEnabled, cancelEnabled;
};

void expectFooter(MainForm& f, const Footer& e) {
  EXPECT_EQ(f.Btn_GUI_Back.visible, e.backVisible);
  EXPECT_EQ(f.Btn_GUI_Back.enabled, e.backEnabled);
  EXPECT_EQ(S(f.Btn_GUI_Next.caption), e.next);
  EXPECT_TRUE(f.Btn_GUI_Next.visible);
  EXPECT_EQ(f.Btn_GUI_Next.enabled, e.nextEnabled);
  EXPECT_TRUE(f.Btn_GUI_Cancel.visible);
  EXPECT_EQ(f.Btn_GUI_Cancel.enabled, e.cancelEnabled);
}

TEST(InstallerWalk, PagesZeroToThreeAndBack) {
  Wizard w;
  ASSERT_FALSE(w.exit);
  EXPECT_EQ(w.page(), 0);
  EXPECT_TRUE(w.f().P_Installer_WelcomePage.visible);
  expectFooter(w.f(), {false, true, "Dalej", true, true});
  w.next();
  EXPECT_EQ(w.page(), 1);
  EXPECT_FALSE(w.f().P_Installer_WelcomePage.visible);
  EXPECT_TRUE(w.f().P_Installer_LicensePage.visible);
  expectFooter(w.f(), {true, true, "Zgadzam", true, true});
  w.next();
  EXPECT_EQ(w.page(), 2);
  expectFooter(w.f(), {true, true, "Dalej", true, true});
  w.back();
  EXPECT_EQ(w.page(), 1);
  w.back();
  EXPECT_EQ(w.page(), 0);
  EXPECT_FALSE(w.f().Btn_GUI_Back.visible);
  w.next(), w.next(), w.next();
  EXPECT_EQ(w.page(), 3);
  expectFooter(w.f(), {true, true, "Instaluj", true, true});
  EXPECT_EQ(w.f().caption, u"Instalator 4.0");
  // No player process runs: straight to the Installation page, no way back.
  w.next();
  EXPECT_EQ(w.page(), 5);
  expectFooter(w.f(), {false, false, "Dalej", false, false});
  EXPECT_TRUE(w.app->state.installer.monitorShown);
}

TEST(InstallerWalk, CancelAsksNoStaysYesEnds) {
  Wizard w;
  w.next();
  w.f().Btn_GUI_Cancel.onClick();
  EXPECT_EQ(w.p.dialogs.shown.size(), 1u);
  EXPECT_FALSE(w.app->closing);
  EXPECT_EQ(w.page(), 1);
  EXPECT_TRUE(w.f().P_Installer_LicensePage.visible);
  w.p.dialogs.answers.push_back(MessageAnswer::Yes);
  w.f().Btn_GUI_Cancel.onClick();
  EXPECT_TRUE(w.app->closing);
  EXPECT_EQ(w.app->exitCode, 0);
}

TEST(InstallerWalk, ProcessMonitorOnceAndTheBlockedStop) {
  Wizard w;
  // A player that ignores the request to close, and that the system will not end.
  auto& player = w.p.processes.run(40, w.app->state.installer.record.ExeFileName);
  player.closesWhenAsked = player.endable = false;
  w.app->state.installer.record.InstallDir = u"D:\\Winamp";
  w.next(), w.next(), w.next(), w.next();
  EXPECT_EQ(w.page(), 4);
  EXPECT_FALSE(w.f().Btn_GUI_Back.enabled);
  EXPECT_EQ(w.f().Btn_GUI_Next.caption, u"Zamknij");
  try {
    w.next();
    FAIL() << "no stop";
  } catch (const ProcessExit& e) {
    EXPECT_EQ(e.code, 5);
  }
  EXPECT_EQ(w.lastBox().caption, u"Instalator 4.0");
  EXPECT_EQ(w.lastBox().text, u"M1\n\r\n\rM2\n\r\n\rM3 D:\\Winamp\n\r\n\rM4");
  EXPECT_EQ(w.lastBox().icon, MessageIcon::Error);
}

TEST(InstallerWalk, AbortedInstallationEndsOnNext) {
  Wizard w;
  w.next(), w.next(), w.next(), w.next();
  ASSERT_EQ(w.page(), 5);
  w.app->state.installer.failed = true;
  w.f().Btn_GUI_Next.enabled = true;  // as the page ended by the abort offers it
  w.next();
  EXPECT_TRUE(w.app->closing);
  EXPECT_EQ(w.app->exitCode, 0);
  EXPECT_TRUE(w.p.dialogs.shown.empty());
}

TEST(PageFrame, HeaderAndFooterAtTwoDensities) {
  for (auto [density, band] : {std::pair{96, Rect{0, 0, 538, 60}}, {144, Rect{0, 0, 810, 90}}}) {
    SCOPED_TRACE(density);
    Wizard w(false, density);
    w.p.files.putBytes(u"C:\\Pack\\Pixora.dll", Bytes());  // no pictures: the header keeps none
    w.next();
    w.f().relayout();
    EXPECT_EQ(w.f().P_Installer_DefaultHeader.bounds, band);
    EXPECT_EQ(w.f().P_Installer_DefaultHeader.background, 0xFFFFFFu);
    EXPECT_EQ(w.f().B_Installer_DefaultHeader.bounds.height, 1);
    EXPECT_EQ(w.f().B_Installer_DefaultHeader.bevelShape, BevelShape::TopLine);
    EXPECT_EQ(w.f().Lbl_Installer_DefaultHeader_Title.caption, u"Umowa");
    EXPECT_TRUE(w.f().Lbl_Installer_DefaultHeader_Title.font.bold);
    EXPECT_EQ(w.f().Lbl_Installer_DefaultHeader_SubTitle.caption, u"Przeczytaj 4.0");
    EXPECT_FALSE(w.f().Img_Installer_DefaultHeader.picture);
    EXPECT_TRUE(w.f().Lbl_GUI_BrandingText.visible);
    EXPECT_EQ(w.f().P_GUI_Footer.bounds.height, scaleLength(46, density));
  }
}

TEST(PageFrame, DarkHeader) {
  Wizard w(true);
  w.next();
  EXPECT_EQ(w.f().B_Installer_DefaultHeader.bevelShape, BevelShape::BottomLine);
  EXPECT_EQ(w.f().P_Installer_DefaultHeader.background, kDefaultColor);
  EXPECT_FALSE(w.f().Lbl_Installer_DefaultHeader_SubTitle.fontColorFromStyle);
  EXPECT_EQ(w.f().Lbl_Installer_DefaultHeader_SubTitle.fontColor, 0x737373u);
}

TEST(WelcomePage, TextsAndStyles) {
  Wizard w;
  MainForm& f = w.f();
  EXPECT_EQ(S(f.Lbl_Installer_WelcomePage_Title.caption), "PAKIET JĘZYKOWY ŁÓDZKI");
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Title.font, (Font{u"Tahoma", 28, true, false}));
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Title.fontColor, 0xC80000u);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Title.textAlign, TextAlign::Center);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_SubTitle1.caption, u"Misja 4.0");
  EXPECT_TRUE(f.Lbl_Installer_WelcomePage_SubTitle1.font.italic);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_SubTitle2.caption, u"- ${PROJECT_AUTHOR}");  // literal
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_SubTitle2.textAlign, TextAlign::Right);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Info.caption, u"");  // missing key
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Desc.fontColor, 0x737373u);
  EXPECT_TRUE(f.Lbl_Installer_WelcomePage_Desc.textAtBottom);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Next.caption, u"Dalej\ndalej");
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Next.align, Align::Bottom);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_LangPack.caption, u"Lingvora 4.0 (5.9.2)");
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Copyright.caption, u"(c) Zespol");
  EXPECT_FALSE(f.S_Installer_WelcomePage_Divider.visible);
  EXPECT_EQ(f.P_Installer_WelcomePage_TextArea.background, 0xFFFFFFu);
  EXPECT_EQ(f.P_Installer_WelcomePage.background, 0x202020u);

  f.relayout();
  const Rect title = f.Lbl_Installer_WelcomePage_Title.bounds;
  EXPECT_EQ(title.top, 5);
  EXPECT_EQ(title.height, 90);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_SubTitle1.bounds.top, 5 + 90 + 5 + 5);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_Info.bounds.left -
                f.Lbl_Installer_WelcomePage_SubTitle3.bounds.left,
            20);
  const Rect copyright = f.Lbl_Installer_WelcomePage_Copyright.bounds;
  EXPECT_EQ(copyright.bottom(), f.P_Installer_WelcomePage.bounds.height - 5);
  EXPECT_EQ(f.Lbl_Installer_WelcomePage_LangPack.bounds.bottom(), copyright.top - 2);
}

TEST(WelcomePage, DarkThemeKeepsOwnColoursAndShowsTheDivider) {
  Wizard w(true);
  MainForm& f = w.f();
  EXPECT_TRUE(f.S_Installer_WelcomePage_Divider.visible);
  EXPECT_EQ(f.S_Installer_WelcomePage_Divider.background, 0x202020u);
  EXPECT_EQ(f.S_Installer_WelcomePage_Divider.outline, 0x282828u);
  EXPECT_EQ(f.P_Installer_WelcomePage_TextArea.background, kDefaultColor);
  for (Control* own :
       {&f.Lbl_Installer_WelcomePage_Title, &f.Lbl_Installer_WelcomePage_Desc,
        &f.Lbl_Installer_WelcomePage_LangPack, &f.Lbl_Installer_WelcomePage_Copyright})
    EXPECT_FALSE(own->fontColorFromStyle) << own->name;
  EXPECT_TRUE(f.Lbl_Installer_WelcomePage_SubTitle1.fontColorFromStyle);
}

TEST(WelcomePage, CopyrightLinkColoursAndHomePage) {
  Wizard w;
  Control& link = w.f().Lbl_Installer_WelcomePage_Copyright;
  EXPECT_EQ(link.fontColor, 0x737373u);
  EXPECT_TRUE(link.handCursor);
  link.onMouseEnter();
  EXPECT_EQ(link.fontColor, w.app->state.colours.linkHover);
  link.onClick();
  EXPECT_EQ(link.fontColor, 0xD40000u);
  EXPECT_EQ(w.p.shell.opened, std::vector<Text>{u"https://example.org/index.php"});
  link.onMouseLeave();
  EXPECT_EQ(link.fontColor, 0x737373u);
}

std::vector<std::string> texts(const Control& box) {
  std::vector<std::string> out;
  for (const auto& r : box.runs) out.push_back(S(r.text));
  return out;
}

TEST(LicensePage, RunsInOrder) {
  for (bool info67 : {false, true}) {
    SCOPED_TRACE(info67);
    Wizard w(false, 96, info67);
    w.next();
    const Control& box = w.f().RE_Installer_LicensePage;
    std::vector<std::string> expected = {"",
                                         "T1 ${PROJECT_VERSION}",
                                         "T2 4.0",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "I2 ${PROJECT_VERSION}",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "-----",
                                         "KONTAKT",
                                         "-----",
                                         "",
                                         "     ",
                                         "     ${PROJECT_AUTHOR}",
                                         "     ",
                                         "     ",
                                         "",
                                         "",
                                         "-----",
                                         "",
                                         "-----",
                                         "",
                                         "",
                                         "A3 4.0",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "small"};
    if (info67) expected.insert(expected.end(), {"I6 2026", "I7"});
    const auto got = texts(box);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], expected[i]) << "run " << i;
    for (const auto& r : box.runs) EXPECT_TRUE(r.lineBreak);
    const StyledRun& title = box.runs[1];
    EXPECT_EQ(title.face, u"Tahoma");
    EXPECT_EQ(title.points, 18);
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.alignment, 1);
    EXPECT_EQ(title.color, 0x333333u);
    EXPECT_EQ(box.runs[8].color, 0x737373u);  // INFO2 in grey
    EXPECT_EQ(box.runs[19].points, 12);       // CONTACT_1 bold 12
    EXPECT_TRUE(box.runs[19].bold);
    EXPECT_EQ(box.runs[expected.size() - (info67 ? 3 : 1)].points, 8);
    EXPECT_TRUE(box.readOnly);
    EXPECT_EQ(w.f().Lbl_Installer_LicensePage_TopText.caption, u"Przewin");
    EXPECT_EQ(w.f().Lbl_Installer_LicensePage_BottomText.caption, u"Zgoda?");
  }
}

TEST(LicensePage, DarkColoursAndASecondVisit) {
  Wizard w(true);
  w.next();
  const Control& box = w.f().RE_Installer_LicensePage;
  EXPECT_EQ(box.runs[1].color, w.app->state.colours.accent);
  EXPECT_EQ(box.runs[6].color, 0xC0C0C0u);
  EXPECT_EQ(box.runs[2].color, 0x666666u);
  const auto first = box.runs;
  const Text welcomeTitle = w.f().Lbl_Installer_WelcomePage_Title.caption;
  w.next(), w.back();  // Components, then back to the licence
  EXPECT_EQ(box.runs, first);
  w.back();
  EXPECT_EQ(w.f().Lbl_Installer_WelcomePage_Title.caption, welcomeTitle);
}

}  // namespace
}  // namespace lingvora::test
