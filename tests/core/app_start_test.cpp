#include "Pack.h"

namespace lingvora::test {
namespace {

TEST(ProgramStart, NoArgumentsEndsWithCode1) {
  Pack pack;
  pack.start({});
  EXPECT_EQ(pack.exit, 1);
  ASSERT_EQ(pack.p.dialogs.shown.size(), 1u);
  const auto& box = pack.lastBox();
  EXPECT_FALSE(box.owned);
  EXPECT_EQ(box.caption, u"Lingvora");
  EXPECT_EQ(box.text, u"LINGVORA INSTALLER ERROR!\n\rNO PARAMETERS PASSED!");
  EXPECT_EQ(box.icon, MessageIcon::Error);
}

struct ArgumentCase {
  std::vector<Text> args;
  std::optional<int> exit;  // nothing: a wizard started
  LaunchMode mode;
  bool languageDialog;
};

TEST(ProgramStart, ArgumentTable) {
  const std::vector<ArgumentCase> cases = {
      {{u"/ACTION=0"}, {}, LaunchMode::Installer, false},
      {{u"/action=1"}, {}, LaunchMode::Uninstaller, false},
      {{u"/action=2"}, {}, LaunchMode::Installer, false},
      {{u"/Action="}, 2, LaunchMode::Installer, false},
      {{u"/ACTION=0", u"/ACTION=1"}, {}, LaunchMode::Uninstaller, false},
      {{u"/ACTION=1", u"/ACTION="}, 2, LaunchMode::Uninstaller, false},
      {{u"x/ACTION=0"}, {}, LaunchMode::Installer, false},           // action value x0
      {{u"/ACTION=/action=1"}, {}, LaunchMode::Uninstaller, false},  // every marker removed
      {{u"/LANG=langs.ini"}, {}, LaunchMode::Installer, true},
      {{u"/lang=LANGS.INI", u"/ACTION=1"}, {}, LaunchMode::Uninstaller, true},
      {{u"/LANG=missing.ini"}, 2, LaunchMode::Installer, false},
      {{u"/LANG=langs.ini", u"/LANG=missing.ini"}, 2, LaunchMode::Installer, false},
      {{u"/LANG=missing.ini", u"/ACTION=0"}, {}, LaunchMode::Installer, false},
      {{u"hello"}, 2, LaunchMode::Installer, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(S(c.args.front()) + (c.args.size() > 1 ? " " + S(c.args.back()) : ""));
    Pack pack;
    pack.p.files.put(u"C:\\Pack\\langs.ini", "[LANGUAGES]\r\n");
    App& app = pack.start(c.args);
    EXPECT_EQ(pack.exit, c.exit);
    EXPECT_EQ(app.state.launchMode, c.mode);
    EXPECT_EQ(app.state.languageSelection, c.languageDialog);
    if (c.exit == 2) {
      EXPECT_EQ(pack.lastBox().text, u"LINGVORA INSTALLER ERROR!\n\rINVALID PARAMETERS PASSED!");
    }
  }
}

TEST(ProgramStart, ArgumentErrorsTouchNoConfiguration) {
  Pack pack(false, false, false);
  pack.start({u"/ACTION="});
  EXPECT_EQ(pack.exit, 2);
  EXPECT_EQ(pack.p.dialogs.shown.size(), 1u);
  EXPECT_EQ(pack.lastBox().caption, u"Lingvora");
}

TEST(ProgramStart, WizardGeometryAndPanels) {
  for (auto [density, width, height] :
       {std::tuple{96, 544, 437}, {120, 680, 546}, {144, 816, 656}}) {
    Pack pack;
    pack.p.system.density = density;
    App& app = pack.start({u"/ACTION=1"});
    ASSERT_FALSE(pack.exit);
    EXPECT_EQ(app.form.width, width);
    EXPECT_EQ(app.form.height, height);
    EXPECT_EQ(app.form.minWidth, width);
    EXPECT_TRUE(app.form.P_GUI.visible);
    EXPECT_FALSE(app.form.P_Lang.visible);
    EXPECT_TRUE(app.form.P_GUI_Uninstaller.visible);
    EXPECT_FALSE(app.form.P_GUI_Installer.visible);
    EXPECT_EQ(app.state.applicationTitle, u"Lingvora Uninstaller");
  }
}

TEST(Scale, RoundsHalvesAwayFromZero) {
  struct {
    int density, length, expected;
  } cases[] = {
      {96, 46, 46}, {120, 46, 58}, {120, 437, 546}, {120, 544, 680}, {144, 437, 656},
      {72, 96, 72}, {144, -3, -5}, {192, 1, 2},     {120, 0, 0},     {144, 1000000000, 1500000000}};
  for (auto c : cases)
    EXPECT_EQ(scaleLength(c.length, c.density), c.expected) << c.density << " " << c.length;
}

TEST(CloseRequest, EscapeAsksTheQuitQuestion) {
  Pack pack;
  App& app = pack.start({u"/ACTION=0"});
  ASSERT_FALSE(pack.exit);
  EXPECT_TRUE(formKeyDown(app, kKeyEscape, false));
  ASSERT_EQ(pack.p.dialogs.shown.size(), 1u);
  EXPECT_TRUE(pack.lastBox().owned);
  EXPECT_EQ(pack.lastBox().caption, u"Instalator 4.0");
  EXPECT_EQ(pack.lastBox().text, u"Zamknac?");
  EXPECT_EQ(pack.lastBox().icon, MessageIcon::Warning);
  EXPECT_EQ(pack.lastBox().buttons, MessageButtons::YesNo);
  EXPECT_FALSE(app.closing);  // No keeps the window

  pack.p.dialogs.answers.push_back(MessageAnswer::Yes);
  app.form.Btn_GUI_Cancel.onClick();
  EXPECT_TRUE(app.closing);
  EXPECT_EQ(app.exitCode, 0);
  EXPECT_FALSE(formKeyDown(app, kKeyEnter, false));
}

TEST(CloseRequest, RefusedWithoutQuestionWhileTheEngineWorks) {
  Pack pack;
  App& app = pack.start({u"/ACTION=1"});
  app.state.uninstaller.closeAllowed = false;
  app.state.uninstaller.pendingExitCode = 7;
  EXPECT_FALSE(formCloseQuery(app));
  EXPECT_TRUE(pack.p.dialogs.shown.empty());
  EXPECT_EQ(app.exitCode, 7);

  app.state.uninstaller.closeAllowed = true;
  pack.p.dialogs.answers.push_back(MessageAnswer::Yes);
  EXPECT_TRUE(formCloseQuery(app));
  EXPECT_EQ(pack.lastBox().caption, u"Dezinstalator");
  EXPECT_EQ(pack.lastBox().text, u"Przerwac?");
}

TEST(CloseRequest, LanguageDialogClosesWithItsResult) {
  Pack pack;
  pack.p.files.put(u"C:\\Pack\\langs.ini", "");
  App& app = pack.start({u"/LANG=langs.ini"});
  EXPECT_TRUE(formCloseQuery(app));
  EXPECT_EQ(app.exitCode, 1);
  EXPECT_TRUE(pack.p.dialogs.shown.empty());
}

}  // namespace
}  // namespace lingvora::test
