#include "config/Config.h"

#include "Pack.h"
#include "pages/frame/PageFrame.h"

namespace lingvora::test {
namespace {

constexpr const char* kDarkStyle =
    "[STYLE]\r\nName=iGUI\r\nFace=#2B2B2B\r\nWindow=#202020\r\nText=#E0E0E0\r\n"
    "LabelText=#D0D0D0\r\nAccent=#3C8CE6\r\nBorder=#3A3A3A\r\n";

TEST(LoadConfiguration, AddressRuleOnlyForOtherLanguages) {
  Pack pack;
  pack.p.files.put(u"C:\\Pack\\GUI.ini",
                   "[LANG]\r\nLang=1033\r\n[PROJECT]\r\nProjectHomePage=https://a/index.php\r\n"
                   "ProjectWebsite=https://a/x.php?y=.php\r\nProjectInfoPage=https://a/INFO.PHP\r\n"
                   "ProjectDonatePayPal=https://pay/x.php\r\n");
  pack.p.files.put(u"C:\\Pack\\1033.ini", "");
  App& app = pack.start({u"/ACTION=0"});
  ASSERT_FALSE(pack.exit);
  const Configuration& v = app.state.installer.values;
  EXPECT_EQ(v.projectHomePage, u"https://a/index_en.php");
  EXPECT_EQ(v.projectWebsite, u"https://a/x_en.php?y=.php");
  EXPECT_EQ(v.projectInfoPage, u"https://a/INFO.PHP");
  EXPECT_EQ(v.projectDonatePayPal, u"https://pay/x.php");
  EXPECT_EQ(app.state.installer.localePath, u"C:\\Pack\\1033.ini");
}

TEST(LoadConfiguration, DefaultsWithoutSections) {
  Pack pack;
  pack.p.files.put(u"C:\\Pack\\GUI.ini", "[PROJECT]\r\nProjectHomePage=https://a/index.php\r\n");
  App& app = pack.start({u"/ACTION=0"});
  ASSERT_FALSE(pack.exit);
  const WizardState& w = app.state.installer;
  EXPECT_EQ(w.languageId, u"1045");
  EXPECT_EQ(w.values.mode, u"WINAMP");
  EXPECT_TRUE(w.values.donation);
  EXPECT_EQ(w.values.projectHomePage, u"https://a/index.php");
  EXPECT_EQ(w.dataPath, u"C:\\Pack\\DATA.ini");
  EXPECT_EQ(w.libraryPath, u"C:\\Pack\\Pixora.dll");
}

TEST(LoadConfiguration, CopyrightExpandedWhenRead) {
  Pack pack;
  pack.p.files.put(u"C:\\Pack\\GUI.ini",
                   "[NAME]\r\nmVERSION=5.9\r\n[PROJECT]\r\nProjectAuthor=Ann %Y\r\n"
                   "ProjectShortVersion=4.0\r\nProjectLicense=GPL\r\n"
                   "ProjectCopyright=(c) ${PROJECT_AUTHOR} ${PROJECT_VERSION} ${WINAMP_VERSION} "
                   "[${PROJECT_LICENSE}${PROJECT_COPYRIGHT}${CURRENT_VERSION}]\r\n");
  App& app = pack.start({u"/ACTION=0"});
  ASSERT_FALSE(pack.exit);
  EXPECT_EQ(app.state.installer.values.projectCopyright, u"(c) Ann 2026 4.0 5.9 []");
  // Inside a page text the marker gives the already expanded copyright.
  EXPECT_EQ(expandPlaceholders(app, u"${PROJECT_COPYRIGHT}|${PROJECT_LICENSE}"),
            u"(c) Ann 2026 4.0 5.9 []|GPL");
}

TEST(ExpandPlaceholders, OrderAndLineMarkers) {
  Pack pack;
  App& app = pack.start({u"/ACTION=0"});
  app.state.installer.record.Version = u"5.9.2.10042";
  EXPECT_EQ(expandPlaceholders(app, u"a$\\rb"), u"a\nb");
  EXPECT_EQ(expandPlaceholders(app, u"$\\n$\\r"), u"\r\n");
  EXPECT_EQ(expandPlaceholders(app, u"${project_version}${PROJECT_VERSION}"),
            u"${project_version}4.0");
  EXPECT_EQ(expandPlaceholders(app, u"${CURRENT_VERSION} ${UNKNOWN} %Y"),
            u"5.9.2.10042 ${UNKNOWN} 2026");
  EXPECT_EQ(readText(app, u"INSTALLER", u"NO_SUCH_KEY"), u"");
}

TEST(FillBrandingLabel, ProjectVersionsAndToday) {
  Pack pack;
  App& app = pack.start({u"/ACTION=0"});
  fillBrandingLabel(app);
  EXPECT_TRUE(app.form.Lbl_GUI_BrandingText.visible);
  EXPECT_EQ(app.form.Lbl_GUI_BrandingText.caption,
            u"Lingvora 4.0 (5.9.2)\n\rSkompilowano 05.03.2026");
}

struct StartupErrorCase {
  const char* name;
  Text action;
  bool gui, locale, library;
  unsigned osMajor, osBuild;
  int exit;
  std::string caption, text;
};

TEST(LoadConfiguration, StartupErrors) {
  const std::string brk = "\n\r";
  const std::string contact =
      "Jeśli potrzebujesz dodatkowych informacji lub chcesz się skontaktować, odwiedź stronę "
      "projektu Orva.";
  const std::vector<StartupErrorCase> cases = {
      {"installer GUI.ini", u"/ACTION=0", false, true, true, 10, 19045, 1,
       "Instalowanie polskiego pakietu językowego Winampa...",
       "Nie udało się zainicjować instalatora polskiego pakietu językowego Winampa. Nie udało się "
       "znaleźć pliku konfiguracyjnego instalatora Orva!" +
           brk + brk + "Plik konfiguracyjny:" + brk + "C:\\Pack\\GUI.ini" + brk + brk +
           "Instalator polskiego pakietu językowego Winampa zostanie natychmiast zamknięty." + brk +
           brk + contact + brk + brk + "https://lingvora.pl/winamp/winamp.php"},
      {"installer 1045.ini", u"/ACTION=0", true, false, true, 10, 19045, 2,
       "Instalowanie polskiego pakietu językowego Winampa...",
       "Nie udało się zainicjować instalatora polskiego pakietu językowego Winampa. Nie udało się "
       "znaleźć pliku językowego instalatora Orva!" +
           brk + brk + "Plik językowy:" + brk + "C:\\Pack\\1045.ini" + brk + brk +
           "Instalator polskiego pakietu językowego Winampa zostanie natychmiast zamknięty." + brk +
           brk + contact + brk + brk + "https://example.org/index.php"},
      {"installer Pixora.dll", u"/ACTION=0", true, true, false, 10, 19045, 3, "Blad",
       "Dwa Siedem" + brk + brk + "Osiem" + brk + "C:\\Pack\\Pixora.dll" + brk + brk +
           "Dziewiec 2026" + brk + brk + "https://example.org/info.php"},
      {"installer old system", u"/ACTION=0", true, true, true, 5, 2600, 4, "Blad",
       "Za stary system dla 5.9.2"},
      {"uninstaller GUI.ini", u"/ACTION=1", false, true, true, 10, 19045, 1,
       "Dezinstalacja polskiego pakietu językowego Winampa...",
       "Nie udało się zainicjować dezinstalatora polskiego pakietu językowego Winampa. Nie udało "
       "się znaleźć pliku konfiguracyjnego dezinstalatora Orva!" +
           brk + brk + "Plik konfiguracyjny:" + brk + "C:\\Pack\\GUI.ini" + brk + brk +
           "Dezinstalator polskiego pakietu językowego Winampa zostanie natychmiast zamknięty." +
           brk + brk + contact + brk + brk + "https://lingvora.pl/winamp/winamp.php"},
      {"uninstaller 1045.ini", u"/ACTION=1", true, false, true, 10, 19045, 2,
       "Dezinstalacja polskiego pakietu językowego Winampa...",
       "Nie udało się zainicjować dezinstalatora polskiego pakietu językowego Winampa. Nie udało "
       "się znaleźć pliku językowego dezinstalatora Orva!" +
           brk + brk + "Plik językowy:" + brk + "C:\\Pack\\1045.ini" + brk + brk +
           "Dezinstalator polskiego pakietu językowego Winampa zostanie natychmiast zamknięty." +
           brk + brk + contact + brk + brk + "https://example.org/index.php"},
      {"uninstaller Pixora.dll", u"/ACTION=1", true, true, false, 10, 19045, 3, "uBlad",
       "uDwa uSiedem" + brk + brk + "uOsiem" + brk + "C:\\Pack\\Pixora.dll" + brk + brk +
           "uDziewiec" + brk + brk + "https://example.org/info.php"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Pack pack(c.gui, c.locale, c.library);
    pack.p.system.os = {c.osMajor, 1, c.osBuild};
    App& app = pack.start({c.action});
    EXPECT_EQ(pack.exit, c.exit);
    ASSERT_EQ(pack.p.dialogs.shown.size(), 1u);
    EXPECT_EQ(S(pack.lastBox().caption), c.caption);
    EXPECT_EQ(S(pack.lastBox().text), c.text);
    EXPECT_EQ(pack.lastBox().icon, MessageIcon::Error);
    EXPECT_EQ(pack.lastBox().buttons, MessageButtons::Ok);
    EXPECT_EQ(app.wizard().pendingExitCode, c.exit);
  }
}

TEST(LoadConfiguration, SystemCheckNeedsBothOld) {
  for (auto [major, build, exit] : {std::tuple{6u, 6000u, -1}, {5u, 7600u, -1}, {5u, 2600u, 4}}) {
    Pack pack;
    pack.p.system.os = {major, 0, build};
    pack.start({u"/ACTION=0"});
    EXPECT_EQ(pack.exit.value_or(-1), exit) << major << "." << build;
  }
  Pack uninstaller;  // the uninstaller does not check the system
  uninstaller.p.system.os = {5, 1, 2600};
  uninstaller.start({u"/ACTION=1"});
  EXPECT_FALSE(uninstaller.exit);
}

TEST(Theme, AppliedBeforeTheConfigurationMessage) {
  Pack pack(false);
  pack.p.registry.setDarkMode(true);
  pack.p.system.resources[u"UISTYLE/IGUI"] = Bytes(kDarkStyle, kDarkStyle + strlen(kDarkStyle));
  App& app = pack.start({u"/ACTION=0"});
  EXPECT_EQ(pack.exit, 1);
  EXPECT_TRUE(app.state.installer.dark);
  EXPECT_EQ(app.styles.active().name, u"iGUI");
}

TEST(Theme, DetectApplyDerive) {
  struct {
    std::optional<bool> dark;
    Text action;
    Text style;
    Color accent, labelText;
  } cases[] = {
      {std::nullopt, u"/ACTION=0", u"Windows", 0x0A246A, kWindowTextColor},
      {false, u"/ACTION=0", u"Windows", 0x0A246A, kWindowTextColor},
      {true, u"/ACTION=0", u"iGUI", 0x3C8CE6, 0xD0D0D0},
      {true, u"/ACTION=1", u"uGUI", 0x00C000, 0xC0C0C0},
  };
  const std::string uStyle =
      "[STYLE]\r\nName=uGUI\r\nFace=#2B2B2B\r\nWindow=#202020\r\nText=#E0E0E0\r\n"
      "LabelText=#C0C0C0\r\nAccent=#00C000\r\nBorder=#3A3A3A\r\n";
  for (const auto& c : cases) {
    Pack pack;
    if (c.dark) pack.p.registry.setDarkMode(*c.dark);
    pack.p.system.resources[u"UISTYLE/IGUI"] = Bytes(kDarkStyle, kDarkStyle + strlen(kDarkStyle));
    pack.p.system.resources[u"UISTYLE/UGUI"] = Bytes(uStyle.begin(), uStyle.end());
    App& app = pack.start({c.action});
    ASSERT_FALSE(pack.exit);
    EXPECT_EQ(app.styles.active().name, c.style);
    EXPECT_EQ(app.state.colours.accent, c.accent);
    EXPECT_EQ(app.state.colours.linkHover, c.accent);
    EXPECT_EQ(app.state.colours.labelText, c.labelText);
    EXPECT_EQ(app.state.colours.linkNormal, 0x737373u);
    EXPECT_EQ(app.state.colours.linkPressed, 0xD40000u);
  }
}

TEST(Theme, UnregisteredOrDamagedStyleLeavesTheSystemLook) {
  StyleManager styles;
  EXPECT_FALSE(parseStyle(Bytes{'[', 'S', 'T', 'Y', 'L', 'E', ']'}));
  applyTheme(styles, true, true);
  EXPECT_EQ(styles.active().name, u"Windows");
  EXPECT_FALSE(styles.enabled());
  // Dark but without a style: the accent comes from the system look.
  EXPECT_EQ(deriveThemeColours(styles, true).accent, kHighlightColor);
  auto named = parseStyle(Bytes(kDarkStyle, kDarkStyle + strlen(kDarkStyle)));
  ASSERT_TRUE(named);
  named->name = u"igui";
  styles.registerStyle(*named);
  applyTheme(styles, true, true);  // names compare exactly
  EXPECT_EQ(styles.active().name, u"Windows");
}

}  // namespace
}  // namespace lingvora::test
