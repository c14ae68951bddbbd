#include <fstream>

#include "Pack.h"
#include "fakes/DiskFaults.h"
#include "fakes/FakeRenderer.h"
#include "images/Pictures.h"
#include "pages/installer/Installer_Donation_Page.h"
#include "wizard/Installer.h"

namespace lingvora::test {
namespace {

const Text kLibrary = u"C:\\Pack\\Pixora.dll";
const Text kPlayer = u"C:\\Program Files\\Winamp";
const Text kPlayerIni = u"C:\\Program Files\\Winamp\\winamp.ini";

const Bytes& examplePixora() {
  static const Bytes bytes = [] {
    std::ifstream in(LINGVORA_EXAMPLE_PIXORA, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }();
  return bytes;
}

constexpr const char* kTexts =
    "[INSTALLER_BUTTONS]\r\nINSTALLER_BUTTON_BACK=Wstecz\r\nINSTALLER_BUTTON_NEXT=Dalej\r\n"
    "INSTALLER_BUTTON_CANCEL=Anuluj\r\nINSTALLER_BUTTON_FINISH=Koniec\r\n"
    "[INSTALLER_DONATION_PAGE]\r\nINSTALLER_DONATION_PAGE_TITLE=Wesprzyj ${PROJECT_VERSION}\r\n"
    "INSTALLER_DONATION_PAGE_SUBTITLE=Prosimy\r\nINSTALLER_DONATION_PAGE_TEXT_TOP=Tekst\r\n"
    "INSTALLER_DONATION_PAGE_BANK_DATA=Przelew\r\nINSTALLER_DONATION_PAGE_RECIPIENT=Odbiorca:\r\n"
    "INSTALLER_DONATION_PAGE_BANK_NOTES=Tytul:\r\n"
    "INSTALLER_DONATION_PAGE_ACCOUNT_NUMBER=Konto:\r\n"
    "INSTALLER_DONATION_PAGE_PAYPAL_DATA=PayPal\r\n"
    "[INSTALLER_FINISH_PAGE]\r\nINSTALLER_FINISH_PAGE_TOP=Gotowe ${PROJECT_VERSION}\r\n"
    "INSTALLER_FINISH_PAGE_NOTES=Uwagi\r\nINSTALLER_FINISH_PAGE_QUESTION=Co dalej?\r\n"
    "INSTALLER_FINISH_PAGE_RUN_WINAMP=Uruchom\r\nINSTALLER_FINISH_PAGE_SET_SKIN=Skorka\r\n"
    "INSTALLER_FINISH_PAGE_LINK_HOME=Strona\r\n"
    "INSTALLER_FINISH_PAGE_SKIN_ERROR=Nie zapisano skorki w pliku:\r\n";

struct Options {
  bool dark = false;
  std::string bom = "\xEF\xBB\xBF";  // GUI.ini in UTF-8
  std::string mode = "";             // the [MODE] section
  std::string project =
      "ProjectFullName=Pakiet\r\nProjectDonatePage=https://example.org/d\r\n"
      "ProjectDonatePayPal=https://example.org/p\r\n";
  std::string skin = "[LANG_PACK_CLASSIC_SKIN]\r\nUserAction=1\r\nFileName=Klasyczna\r\n";
};

// The installer after a successful installation, one Next before Donation.
struct Ending : Pack {
  App* app = nullptr;
  std::optional<fake::FakeRenderer> renderer;

  explicit Ending(const Options& o = {}) {
    p.files.put(u"C:\\Pack\\GUI.ini", o.bom + kGuiIni + o.project + o.mode + o.skin);
    p.files.put(
        u"C:\\Pack\\1045.ini",
        std::string(kLocaleIni).substr(0, std::string(kLocaleIni).find("[INSTALLER_BUTTONS]")) +
            kTexts);
    p.files.putBytes(kLibrary, examplePixora());
    p.files.addDirectory(kPlayer + u"\\Skins\\Klasyczna");
    p.registry.setDarkMode(o.dark);
    app = &start({u"/ACTION=0"});
    app->form.layoutClient(app->form.width - 6, app->form.height - 28);
    renderer.emplace(app->form);
  }
  fake::FakeRenderer& r() { return *renderer; }
  WizardState& w() { return app->state.installer; }
  MainForm& f() { return app->form; }
  void toDonation() {
    w().pageIndex = 5;
    f().Btn_GUI_Next.enabled = true;
    r().click("Btn_GUI_Next");
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) r().tick("TimerDonation");
  }
  void toFinish() {
    toDonation();
    ticks(180);
    r().click("Btn_GUI_Next");
  }
  std::string playerIni() { return p.files.get(kPlayerIni); }
};

TEST(DonationPage, CountdownOnTheNextCaption) {
  Ending e;
  e.toDonation();
  MainForm& f = e.f();
  ASSERT_EQ(e.w().pageIndex, 6);
  EXPECT_TRUE(f.P_Installer_DonationPage.visible);
  EXPECT_FALSE(f.Btn_GUI_Back.visible || f.Btn_GUI_Back.enabled);
  EXPECT_FALSE(f.Btn_GUI_Cancel.enabled);
  EXPECT_TRUE(f.Btn_GUI_Cancel.visible);
  EXPECT_EQ(f.TimerDonation.interval, 50);
  EXPECT_TRUE(f.TimerDonation.enabled);
  const Control& bar = f.PB_Installer_DonationPage;
  EXPECT_EQ(std::tuple(bar.minimum, bar.maximum, bar.step, bar.smooth, bar.position),
            std::tuple(0, 900, 1, true, 0));

  // Position after the tick, and what Next shows then.
  struct Step {
    int position;
    const char* caption;
    bool enabled;
  } steps[] = {{0, "Dalej (9)", false},   {95, "Dalej (9)", false},  {100, "Dalej (8)", false},
               {200, "Dalej (7)", false}, {300, "Dalej (6)", false}, {400, "Dalej (5)", false},
               {500, "Dalej (4)", false}, {600, "Dalej (3)", false}, {700, "Dalej (2)", false},
               {795, "Dalej (2)", false}, {800, "Dalej (1)", false}, {895, "Dalej (1)", false},
               {900, "Dalej", true}};
  for (const Step& s : steps) {
    e.ticks((s.position - e.w().donationCountdown) / 5);
    SCOPED_TRACE(s.position);
    EXPECT_EQ(bar.position, s.position);
    EXPECT_EQ(S(f.Btn_GUI_Next.caption), s.caption);
    EXPECT_EQ(f.Btn_GUI_Next.enabled, s.enabled);
  }
  EXPECT_FALSE(f.TimerDonation.enabled);
  // A tick already on its way when the timer stopped.
  f.TimerDonation.onTimer();
  EXPECT_EQ(bar.position, 900);
  EXPECT_EQ(S(f.Btn_GUI_Next.caption), "Dalej");
}

TEST(DonationPage, TheCountdownStopsAtOrPast900) {
  for (int from : {895, 898}) {
    Ending e;
    e.toDonation();
    e.w().donationCountdown = from;
    e.ticks(1);
    SCOPED_TRACE(from);
    EXPECT_EQ(e.f().PB_Installer_DonationPage.position, 900);
    EXPECT_FALSE(e.f().TimerDonation.enabled);
    EXPECT_TRUE(e.f().Btn_GUI_Next.enabled);
  }
}

TEST(DonationPage, ALateTickAfterThePageChangesNothing) {
  // Left after the countdown: the Finish button keeps its caption.
  Ending e;
  e.toFinish();
  ASSERT_EQ(e.w().pageIndex, 7);
  MainForm& f = e.f();
  EXPECT_FALSE(f.TimerDonation.enabled);
  f.TimerDonation.onTimer();
  EXPECT_EQ(S(f.Btn_GUI_Next.caption), "Koniec");
  EXPECT_TRUE(f.Btn_GUI_Next.enabled);
  EXPECT_EQ(f.PB_Installer_DonationPage.position, 900);

  // Pages reset halfway through the countdown.
  Ending half;
  half.toDonation();
  half.ticks(90);
  resetInstallerPages(*half.app);
  EXPECT_FALSE(half.f().TimerDonation.enabled);
  const Text caption = half.f().Btn_GUI_Next.caption;
  half.f().TimerDonation.onTimer();
  EXPECT_EQ(half.f().PB_Installer_DonationPage.position, 450);
  EXPECT_EQ(half.f().Btn_GUI_Next.caption, caption);
  EXPECT_FALSE(half.f().TimerDonation.enabled);
}

TEST(DonationPage, NoCountdownWithTheDonationModeOff) {
  Ending e({.mode = "[MODE]\r\nDonation=0\r\n"});
  e.toDonation();
  MainForm& f = e.f();
  EXPECT_TRUE(f.Btn_GUI_Next.enabled);
  EXPECT_EQ(S(f.Btn_GUI_Next.caption), "Dalej");
  EXPECT_FALSE(f.TimerDonation.enabled);
  e.ticks(3);
  EXPECT_EQ(f.PB_Installer_DonationPage.position, 0);
  e.r().click("Btn_GUI_Next");
  EXPECT_EQ(e.w().pageIndex, 7);
}

TEST(DonationPage, TextsAndPlaces) {
  Ending e;
  e.toDonation();
  MainForm& f = e.f();
  const int W = f.P_GUI.bounds.width;
  const Control& title = f.Lbl_Installer_DonationPage_Title;
  EXPECT_EQ(S(title.caption), "Wesprzyj 4.0");
  EXPECT_EQ(f.Lbl_Installer_DonationPage_TitleShadow.caption, title.caption);
  EXPECT_EQ(title.bounds, (Rect{15, 10, W - 30, 35}));  // 30 pt: 35 high in the fake metrics
  EXPECT_EQ(f.Lbl_Installer_DonationPage_TitleShadow.bounds, (Rect{16, 11, W - 30, 35}));
  EXPECT_EQ(title.fontColor, 0xD40000u);
  EXPECT_EQ(f.Lbl_Installer_DonationPage_SubTitle.bounds.top, 45);
  EXPECT_EQ(f.S_Installer_DonationPage_Divider.bounds, (Rect{15, 45 + 27 + 10, W - 30, 1}));
  const Rect frame = f.S_Installer_DonationPage_Frame.bounds;
  EXPECT_EQ(frame, (Rect{15, 83 + 10 + 115 + 10, W - 30, 90}));
  EXPECT_EQ(S(f.Lbl_Installer_DonationPage_BankRecipient.caption), "Zespol");
  EXPECT_EQ(S(f.Lbl_Installer_DonationPage_BankAdditionalNotes.caption), "Pakiet");
  EXPECT_EQ(f.Lbl_Installer_DonationPage_BankAccountNumber.caption, Text(kDonationAccountNumber));
  EXPECT_EQ(f.Lbl_Installer_DonationPage_BankAccountNumber.bounds.left, 135);
  EXPECT_EQ(f.Lbl_Installer_DonationPage_PayPalData.bounds.right(), W - 20);
  const Control& payPal = f.Img_Installer_DonationPage_PayPal;
  ASSERT_TRUE(payPal.picture);
  EXPECT_EQ(payPal.bounds,
            (Rect{380, frame.top + 30, payPal.picture->width, payPal.picture->height}));
  // The frame lies behind everything placed over it.
  const auto& kids = f.P_Installer_DonationPage.children;
  EXPECT_EQ(kids.front(), &f.S_Installer_DonationPage_Frame);
  const Control& bar = f.PB_Installer_DonationPage;
  EXPECT_EQ(bar.align, Align::Bottom);
  EXPECT_EQ(bar.margins, (Margins{15, 5, 15, 10}));
  EXPECT_EQ(bar.bounds.height, 12);
}

TEST(DonationPage, TheBankValuesChangeColourTogether) {
  for (bool dark : {false, true}) {
    Ending e({.dark = dark});
    e.toDonation();
    MainForm& f = e.f();
    const ThemeColours& c = e.app->state.colours;
    const std::vector<std::string> values = {"Lbl_Installer_DonationPage_BankRecipient",
                                             "Lbl_Installer_DonationPage_BankAdditionalNotes",
                                             "Lbl_Installer_DonationPage_BankAccountNumber"};
    auto expectAll = [&](Color colour, const std::string& step) {
      for (const auto& name : values) {
        EXPECT_EQ(e.r().at(name).fontColor, colour) << step << " " << name << " dark " << dark;
        EXPECT_EQ(e.r().at(name).fontColorFromStyle, !dark) << name;
      }
    };
    expectAll(c.labelText, "built");
    for (const auto& name : values) {
      e.r().enter(name);
      expectAll(c.linkHover, "enter " + name);
      e.r().leave(name);
      expectAll(c.labelText, "leave " + name);
    }
    e.r().click(values[2]);
    expectAll(0xD40000, "click");
    e.r().click(values[0]);
    EXPECT_EQ(e.p.shell.opened,
              (std::vector<Text>{u"https://example.org/d", u"https://example.org/d"}));
    EXPECT_TRUE(f.Lbl_Installer_DonationPage_BankAccountNumber.handCursor);
  }
}

// Which of the three PayPal pictures the control shows.
std::string payPalShown(Ending& e) {
  const Control& img = e.f().Img_Installer_DonationPage_PayPal;
  for (const char* state : {"NORMAL", "ACTIVE", "CLICK"}) {
    auto bytes =
        e.p.images.resource(kLibrary, LibraryResource::Picture, u"PAYPAL_" + T(state) + u"_96");
    if (bytes && img.picture && decodePng(*bytes) == *img.picture) return state;
  }
  return "none";
}

TEST(DonationPage, ThePayPalPictureInEachTheme) {
  struct Case {
    bool dark;
    const char *built, *enter, *click, *leave;
  } cases[] = {{false, "ACTIVE", "ACTIVE", "CLICK", "ACTIVE"},
               {true, "NORMAL", "ACTIVE", "CLICK", "NORMAL"}};
  const std::string img = "Img_Installer_DonationPage_PayPal";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dark);
    Ending e({.dark = c.dark});
    e.toDonation();
    EXPECT_EQ(payPalShown(e), c.built);
    e.r().enter(img);
    EXPECT_EQ(payPalShown(e), c.enter);
    e.r().click(img);
    EXPECT_EQ(payPalShown(e), c.click);
    EXPECT_EQ(e.p.shell.opened, std::vector<Text>{u"https://example.org/p"});
    e.r().leave(img);
    EXPECT_EQ(payPalShown(e), c.leave);
    EXPECT_TRUE(e.f().Img_Installer_DonationPage_PayPal.handCursor);
  }
}

TEST(DonationPage, EmptyAddressesOpenNothing) {
  Ending e({.project = "ProjectDonatePage=\r\n"});
  e.toDonation();
  e.r().click("Lbl_Installer_DonationPage_BankRecipient");
  e.r().click("Img_Installer_DonationPage_PayPal");
  EXPECT_TRUE(e.p.shell.opened.empty());
  EXPECT_EQ(payPalShown(e), "CLICK");
}

TEST(FinishPage, TextsFooterAndLayout) {
  for (bool dark : {false, true}) {
    Ending e({.dark = dark});
    e.toFinish();
    MainForm& f = e.f();
    SCOPED_TRACE(dark);
    ASSERT_EQ(e.w().pageIndex, 7);
    EXPECT_TRUE(f.P_Installer_FinishPage.visible);
    EXPECT_FALSE(f.P_Installer_DonationPage.visible);
    EXPECT_EQ(S(f.Lbl_Installer_FinishPage_Title.caption), "PAKIET");
    EXPECT_EQ(f.Lbl_Installer_FinishPage_Title.margins, (Margins{15, 5, 20, 5}));
    EXPECT_EQ(f.Lbl_Installer_FinishPage_Title.fontColorFromStyle, !dark);
    EXPECT_EQ(S(f.Lbl_Installer_FinishPage_Subtitle.caption), "Gotowe 4.0");
    EXPECT_EQ(f.Lbl_Installer_FinishPage_Subtitle.margins, (Margins{15, 10, 20, 5}));
    EXPECT_EQ(f.Lbl_Installer_FinishPage_Notes.bounds.height, 80);
    EXPECT_EQ(S(f.CB_Installer_FinishPage_HomePage.caption), "Strona");
    EXPECT_EQ(f.CB_Installer_FinishPage_Run.margins, (Margins{30, 5, 20, 1}));
    EXPECT_EQ(f.S_Installer_FinishPage_Divider.visible, dark);
    EXPECT_TRUE(f.Img_Installer_FinishPage.picture);
    EXPECT_EQ(S(f.Lbl_Installer_FinishPage_LangPack.caption), "Lingvora 4.0 (5.9.2)");
    EXPECT_FALSE(f.Btn_GUI_Back.visible || f.Btn_GUI_Back.enabled);
    EXPECT_EQ(S(f.Btn_GUI_Next.caption), "Koniec");
    EXPECT_TRUE(f.Btn_GUI_Next.enabled);
    EXPECT_TRUE(f.Btn_GUI_Cancel.visible);
    EXPECT_FALSE(f.Btn_GUI_Cancel.enabled);
  }
}

TEST(FinishPage, CheckBoxesAsBuilt) {
  struct Case {
    std::string skinSection;
    bool skinShown;
  } cases[] = {{"", false},
               {"[LANG_PACK_CLASSIC_SKIN]\r\nFileName=Klasyczna\r\n", false},
               {"[LANG_PACK_CLASSIC_SKIN]\r\nUserAction=0\r\nFileName=Klasyczna\r\n", false},
               {"[LANG_PACK_CLASSIC_SKIN]\r\nUserAction=1\r\n", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.skinSection);
    Ending e({.skin = c.skinSection});
    e.toFinish();
    MainForm& f = e.f();
    EXPECT_TRUE(f.CB_Installer_FinishPage_Run.visible && f.CB_Installer_FinishPage_Run.enabled);
    EXPECT_TRUE(f.CB_Installer_FinishPage_Run.checked);
    EXPECT_EQ(f.CB_Installer_FinishPage_Skin.visible, c.skinShown);
    EXPECT_EQ(f.CB_Installer_FinishPage_Skin.enabled, c.skinShown);
    EXPECT_FALSE(f.CB_Installer_FinishPage_Skin.checked);
    EXPECT_TRUE(f.CB_Installer_FinishPage_HomePage.visible &&
                f.CB_Installer_FinishPage_HomePage.enabled);
    EXPECT_FALSE(f.CB_Installer_FinishPage_HomePage.checked);
  }
}

TEST(FinishPage, TheTickedActionsInTheirOrderThenTheEnd) {
  struct Case {
    bool run, skin, home;
  } cases[] = {{false, false, false},
               {true, false, false},
               {false, true, false},
               {false, false, true},
               {true, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.run << c.skin << c.home);
    Ending e;
    e.p.files.put(kPlayerIni, "[Winamp]\r\nskin=Bento\r\n");
    e.toFinish();
    e.r().check("CB_Installer_FinishPage_Run", c.run);
    e.r().check("CB_Installer_FinishPage_Skin", c.skin);
    e.r().check("CB_Installer_FinishPage_HomePage", c.home);
    std::string iniWhenStarted;
    e.p.shell.onStart = [&] { iniWhenStarted = e.playerIni(); };
    e.r().click("Btn_GUI_Next");
    e.r().click("Btn_GUI_Next");  // a second press while the window closes

    const std::string skinned = "[Winamp]\r\nskin=Klasyczna\r\n";
    EXPECT_EQ(e.playerIni(), c.skin ? skinned : "[Winamp]\r\nskin=Bento\r\n");
    using Started = fake::FakeShell::Started;
    const std::vector<Started> none, player = {{kPlayer + u"\\winamp.exe", kPlayer}};
    EXPECT_EQ(e.p.shell.started, c.run ? player : none);
    // The player reads its configuration when it starts: the skin is there already.
    if (c.run && c.skin) {
      EXPECT_EQ(iniWhenStarted, skinned);
    }
    EXPECT_EQ(e.p.shell.opened,
              c.home ? std::vector<Text>{u"https://example.org/index.php"} : std::vector<Text>{});
    EXPECT_TRUE(e.app->closing);
    EXPECT_EQ(e.app->exitCode, 0);
    EXPECT_TRUE(e.p.dialogs.shown.empty());
  }
}

Bytes bytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

Bytes utf16(std::string_view ascii) {
  Bytes out = {0xFF, 0xFE};
  for (char ch : ascii) out.push_back(std::uint8_t(ch)), out.push_back(0);
  return out;
}

TEST(FinishPage, TheSkinWriteChangesOneValueOnly) {
  struct Case {
    const char* what;
    Bytes before, after;
  } cases[] = {
      {"ANSI, key present, LF breaks",
       bytes("; player\n[Winamp]\nSkinDir=x\nskin = Bento \n\n; end\n[Other]\nskin=keep"),
       bytes("; player\n[Winamp]\nSkinDir=x\nskin=Klasyczna\n\n; end\n[Other]\nskin=keep")},
      {"ANSI, key absent", bytes("[WINAMP]\r\nvolume=255\r\n\r\n[Other]\r\na=1\r\n"),
       bytes("[WINAMP]\r\nvolume=255\r\nskin=Klasyczna\r\n\r\n[Other]\r\na=1\r\n")},
      {"ANSI, section absent, no final break", bytes("[Other]\r\na=1"),
       bytes("[Other]\r\na=1\r\n[Winamp]\r\nskin=Klasyczna")},
      {"only the first of two sections", bytes("[Winamp]\r\nskin=A\r\n[Winamp]\r\nskin=B\r\n"),
       bytes("[Winamp]\r\nskin=Klasyczna\r\n[Winamp]\r\nskin=B\r\n")},
      {"UTF-8 with byte-order mark", bytes("\xEF\xBB\xBF[Winamp]\r\n; żółw\r\nskin=Bento\r\n"),
       bytes("\xEF\xBB\xBF[Winamp]\r\n; żółw\r\nskin=Klasyczna\r\n")},
      {"UTF-16LE", utf16("[Winamp]\r\n;c\r\nskin=Bento\r\nx=1\r\n"),
       utf16("[Winamp]\r\n;c\r\nskin=Klasyczna\r\nx=1\r\n")},
      {"no file yet", {}, bytes("[Winamp]\r\nskin=Klasyczna\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ending e;
    if (!c.before.empty()) e.p.files.putBytes(kPlayerIni, c.before);
    e.toFinish();
    e.r().check("CB_Installer_FinishPage_Run", false);
    e.r().check("CB_Installer_FinishPage_Skin", true);
    e.r().click("Btn_GUI_Next");
    EXPECT_EQ(e.p.files.readWhole(kPlayerIni), std::optional<Bytes>(c.after));
    EXPECT_TRUE(e.p.dialogs.shown.empty());
  }
}

TEST(FinishPage, ASkinNameThatIsNoFolderNameWritesNothing) {
  for (const char* name :
       {"", "..", ".", "Skins\\Klasyczna", "../Klasyczna", "C:Klasyczna", "Brak"}) {
    SCOPED_TRACE(name);
    Ending e({.skin = "[LANG_PACK_CLASSIC_SKIN]\r\nUserAction=1\r\nFileName=" + std::string(name) +
                      "\r\n"});
    e.p.files.addDirectory(kPlayer + u"\\Skins\\Klasyczna");
    e.p.files.put(kPlayerIni, "[Winamp]\r\nskin=Bento\r\n");
    const int writes = e.p.files.writes;
    e.toFinish();
    e.r().check("CB_Installer_FinishPage_Skin", true);
    e.r().click("Btn_GUI_Next");
    EXPECT_EQ(e.playerIni(), "[Winamp]\r\nskin=Bento\r\n");
    EXPECT_EQ(e.p.files.writes, writes);
    EXPECT_TRUE(e.p.dialogs.shown.empty());
    EXPECT_TRUE(e.app->closing);
  }
}

TEST(FinishPage, ARelativeSkinsFolderLiesInThePlayersFolder) {
  Ending e;
  e.p.files.addDirectory(kPlayer + u"\\Themes\\Klasyczna");
  e.toFinish();
  e.w().record.SkinsDir = u"Themes";
  e.r().check("CB_Installer_FinishPage_Skin", true);
  e.r().click("Btn_GUI_Next");
  EXPECT_EQ(e.playerIni(), "[Winamp]\r\nskin=Klasyczna\r\n");
}

TEST(FinishPage, ASkinNotWrittenIsReportedAndTheRestStillRuns) {
  struct Case {
    const char* what;
    std::string skin;
    bool readOnly;
  } cases[] = {{"file cannot be replaced", "Klasyczna", true},
               // The ANSI file cannot hold the name: it keeps its bytes.
               {"name outside the code page", "Klasyczna \xC5\x82", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ending e({.skin = "[LANG_PACK_CLASSIC_SKIN]\r\nUserAction=1\r\nFileName=" + c.skin + "\r\n"});
    e.p.files.addDirectory(kPlayer + u"\\Skins\\" + T(c.skin));
    e.p.files.put(kPlayerIni, "[Winamp]\r\nskin=Bento\r\n");
    if (c.readOnly) e.p.files.readOnly.insert(fake::pathKey(kPlayerIni));
    e.toFinish();
    e.r().check("CB_Installer_FinishPage_Skin", true);
    e.r().check("CB_Installer_FinishPage_HomePage", true);
    e.r().click("Btn_GUI_Next");
    EXPECT_EQ(e.playerIni(), "[Winamp]\r\nskin=Bento\r\n");
    ASSERT_EQ(e.p.dialogs.shown.size(), 1u);
    const fake::Box& box = e.lastBox();
    EXPECT_EQ(box.text, u"Nie zapisano skorki w pliku:\n\r" + kPlayerIni);
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(e.p.shell.started.size(), 1u);
    EXPECT_EQ(e.p.shell.opened.size(), 1u);
    EXPECT_TRUE(e.app->closing);
    EXPECT_EQ(e.app->exitCode, 0);
  }
}

TEST(FinishPage, TheSkinUnderEveryDiskFaultIsWrittenOrReported) {
  const std::string before = "[Winamp]\r\nskin=Bento\r\n";
  for (const fake::DiskCase& c : fake::diskCases(64)) {
    SCOPED_TRACE(c.what);
    Ending e;
    e.p.files.addDirectory(kPlayer + u"\\Skins\\Klasyczna");
    e.p.files.put(kPlayerIni, before);
    e.toFinish();
    fake::apply(e.p.files, c, kPlayerIni);
    e.r().check("CB_Installer_FinishPage_Run", false);
    e.r().check("CB_Installer_FinishPage_Skin", true);
    e.r().click("Btn_GUI_Next");
    const bool written = e.playerIni() == "[Winamp]\r\nskin=Klasyczna\r\n";
    EXPECT_TRUE(written || e.playerIni() == before) << e.playerIni();
    EXPECT_EQ(e.p.dialogs.shown.size(), written ? 0u : 1u);
    EXPECT_TRUE(e.app->closing);
  }
}

}  // namespace
}  // namespace lingvora::test
