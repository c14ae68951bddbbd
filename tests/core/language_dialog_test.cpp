#include "pages/language/Language_Dialog.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "Pack.h"
#include "fakes/FakeRenderer.h"

namespace lingvora::test {
namespace {

// The system's locale data for the languages the tests offer; 1031 lacks
// its native names and its locale name.
void addLocales(fake::FakeLocale& l) {
  l.fields = {{{1045, 1}, u"0415"},         {{1045, 2}, u"Polish"},
              {{1045, 4}, u"pOLSKI"},       {{1045, 8}, u"Polska"},
              {{1045, 0x1001}, u"Polish"},  {{1045, 0x1002}, u"Poland"},
              {{1033, 1}, u"0409"},         {{1033, 2}, u"English"},
              {{1033, 4}, u"English"},      {{1033, 8}, u"United States"},
              {{1033, 0x1001}, u"English"}, {{1033, 0x1002}, u"United States"},
              {{1031, 1}, u"0407"},         {{1031, 2}, u"German"},
              {{1031, 0x1001}, u"German"},  {{1031, 0x1002}, u"Germany"},
              {{1049, 2}, u"Russian"}};
  l.names = {{1045, u"pl-PL"}, {1033, u"en-US"}};
}

constexpr const char* kThreeLanguages =
    "[1045]\r\nTitle=Wybor jezyka\r\nSubTitle=Wybierz:\r\nOK=&Dobrze\r\nCancel=&Anuluj\r\n"
    "Name=Nazwa:\r\nCountry=Kraj:\r\nID=Identyfikator:\r\nTranslator=Tlumacz:\r\n"
    "TranslatorName=Zespol\r\nTranslatorEmail=pl@example.org\r\n"
    "Desc1=Twoj jezyk:\r\nDesc2=Jest.\r\nDesc3=Nie ma.\r\nDesc4=pomoz nam\r\n"
    "Desc5=https://example.org/pl\r\n"
    "[1033]\r\nTitle=Language Selection\r\nTranslatorName=Team\r\n"
    "Desc1=Your language:\r\nDesc2=Available.\r\nDesc3=Missing.\r\nDesc4=help us\r\n"
    "Desc5=https://example.org/en\r\n"
    "[1031]\r\nTitle=Sprache\r\n";

// The two dark styles the program carries, told apart by their accent.
void addDarkStyles(fake::FakeSystem& system) {
  for (const char* name : {"iGUI", "uGUI"}) {
    const std::string style = std::string("[STYLE]\r\nName=") + name +
                              "\r\nFace=#2B2B2B\r\nWindow=#202020\r\nText=#E0E0E0\r\n"
                              "LabelText=#D0D0D0\r\nAccent=" +
                              (name[0] == 'i' ? "#3C8CE6" : "#00C000") + "\r\nBorder=#3A3A3A\r\n";
    system.resources[u"UISTYLE/" + upper(fromUtf8(name))] = Bytes(style.begin(), style.end());
  }
}

Bytes exampleLibrary() {
  std::ifstream in(LINGVORA_EXAMPLE_PIXORA, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// GUI.exe /LANG=langs.ini in a pack with that list, shown once.
struct Dialog {
  Pack pack{false, false, false};

  explicit Dialog(std::string_view list, std::uint16_t userLanguage = 1033) {
    pack.p.files.put(u"C:\\Pack\\langs.ini", list);
    pack.p.locale.uiLanguage = userLanguage;
    addLocales(pack.p.locale);
  }
  App& start(std::vector<Text> args = {u"/LANG=langs.ini"}) {
    App& app = pack.start(args);
    formShow(app);
    return app;
  }
  fake::FakeRenderer ui() { return {pack.app->form}; }
};

TEST(LanguageList, OnATableOfListFiles) {
  struct {
    const char* name;
    std::string_view file;
    std::uint16_t userLanguage;
    std::vector<ListEntry> entries;
    int selected;
  } cases[] = {
      {"empty file", "", 1045, {{u"1033", 1033}}, 0},
      {"keys but no section", "Title=x\r\n", 1033, {{u"1033", 1033}}, 0},
      {"no Title anywhere", "[1045]\r\nName=x\r\n[1033]\r\nOK=y\r\n", 1033, {}, -1},
      {"file order, first preselected without the user's language",
       "[1045]\r\nTitle=a\r\n[1033]\r\nTitle=b\r\n",
       1031,
       {{u"Polish", 1045}, {u"English", 1033}},
       0},
      {"the user's language preselected",
       "[1045]\r\nTitle=a\r\n[1033]\r\nTitle=b\r\n",
       1033,
       {{u"Polish", 1045}, {u"English", 1033}},
       1},
      {"names that are no number",
       "[abc]\r\nTitle=a\r\n[10x5]\r\nTitle=a\r\n[1031]\r\nTitle=c\r\n",
       1033,
       {{u"German", 1031}},
       0},
      {"no language, or one that reads as Cancel or does not fit",
       "[0]\r\nTitle=a\r\n[1]\r\nTitle=a\r\n[65536]\r\nTitle=a\r\n[-1033]\r\nTitle=a\r\n"
       "[2]\r\nTitle=a\r\n[65535]\r\nTitle=a\r\n",
       1033,
       {{u"", 2}, {u"", 65535}},
       0},
      {"one identifier listed twice",
       "[1045]\r\nTitle=a\r\n[01045]\r\nTitle=b\r\n[1033]\r\nTitle=c\r\n",
       1033,
       {{u"Polish", 1045}, {u"English", 1033}},
       1},
      {"a padded name preselects its language",
       "[1033]\r\nTitle=a\r\n[01045]\r\nTitle=b\r\n",
       1045,
       {{u"English", 1033}, {u"Polish", 1045}},
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Dialog d(c.file, c.userLanguage);
    App& app = d.start();
    ASSERT_FALSE(d.pack.exit);
    EXPECT_EQ(app.form.CB_Lang_Languages.entries, c.entries);
    EXPECT_EQ(app.form.CB_Lang_Languages.selected, c.selected);
  }
}

TEST(LanguageList, TextsComeFromTheSectionThatListedTheLanguage) {
  Dialog d("[01045]\r\nTitle=Padded\r\nOK=&Tak\r\n[1045]\r\nTitle=Plain\r\nOK=&Nie\r\n", 1045);
  App& app = d.start();
  EXPECT_EQ(app.form.caption, u"Padded");
  EXPECT_EQ(app.form.Btn_Lang_OK.caption, u"&Tak");
  // Numbers and the flag use the identifier, not the section's name.
  EXPECT_EQ(app.form.Lbl_Lang_Lang.caption, u"1045 (0415) [pl-PL]");
}

TEST(LanguageDialog, WindowGeometryAndBuiltInTexts) {
  for (auto [density, width, height] : {std::tuple{96, 450, 250}, {144, 675, 375}}) {
    Dialog d("[1045]\r\nName=x\r\n");  // nothing to list
    d.pack.p.system.density = density;
    App& app = d.pack.start({u"/LANG=langs.ini"});
    MainForm& f = app.form;
    EXPECT_EQ(f.style, WindowStyle::Dialog);
    EXPECT_EQ(f.width, width);
    EXPECT_EQ(f.height, height);
    EXPECT_EQ(f.minWidth, width);
    EXPECT_EQ(f.minHeight, height);
    EXPECT_TRUE(f.P_Lang.visible);
    EXPECT_FALSE(f.P_GUI.visible);
    EXPECT_EQ(app.state.installer.libraryPath, u"C:\\Pack\\Pixora.dll");
    EXPECT_EQ(app.state.languageResult, 1);
    formShow(app);  // an empty list fills nothing
    EXPECT_EQ(f.caption, u"Lingvora");
    EXPECT_EQ(f.Lbl_Lang_Subtitle.caption, u"...");
    EXPECT_EQ(f.Lbl_Lang_Name_Desc.caption, u"Language Name:");
    EXPECT_EQ(f.Lbl_Lang_Translator_Desc.caption, u"Translator Name:");
    EXPECT_EQ(f.Lbl_Lang_Name.caption, u"-----");
    EXPECT_EQ(f.Lbl_Lang_Desc.caption, u"---");
    EXPECT_EQ(f.Btn_Lang_OK.caption, u"&OK");
    EXPECT_EQ(f.Btn_Lang_Cancel.caption, u"&Close");
    EXPECT_FALSE(f.Lbl_Lang_Help.visible);
    // The footer spans the bottom; Cancel at its right edge, OK beside it.
    const Rect footer = f.P_Lang_Footer.bounds;
    EXPECT_EQ(footer.height, app.scale(40));
    EXPECT_EQ(footer.bottom(), f.P_Lang.bounds.height);
    EXPECT_EQ(f.Btn_Lang_Cancel.bounds.right(), footer.width - app.scale(10));
    EXPECT_EQ(f.Btn_Lang_Cancel.bounds.width, app.scale(100));
    EXPECT_LT(f.Btn_Lang_OK.bounds.right(), f.Btn_Lang_Cancel.bounds.left);
  }
}

TEST(LanguageDialog, ThemeByTheSystemAndTheModeItWasStartedFor) {
  struct {
    bool dark;
    std::vector<Text> args;
    Text style;
    BevelShape bevel;
  } cases[] = {
      {false, {u"/LANG=langs.ini"}, u"Windows", BevelShape::TopLine},
      {true, {u"/LANG=langs.ini"}, u"iGUI", BevelShape::BottomLine},
      {true, {u"/ACTION=1", u"/LANG=langs.ini"}, u"uGUI", BevelShape::BottomLine},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(S(c.style));
    Dialog d(kThreeLanguages);
    d.pack.p.registry.setDarkMode(c.dark);
    addDarkStyles(d.pack.p.system);
    App& app = d.start(c.args);
    EXPECT_EQ(app.state.installer.dark, c.dark);
    EXPECT_EQ(app.styles.active().name, c.style);
    EXPECT_EQ(app.form.B_Lang_Footer.bevelShape, c.bevel);
    EXPECT_EQ(app.state.colours.labelText, c.dark ? 0xD0D0D0u : kWindowTextColor);
  }
}

TEST(LanguageDialog, FirstShowFillsThePreselectedLanguage) {
  Dialog d(kThreeLanguages, 1045);
  App& app = d.start();
  MainForm& f = app.form;
  EXPECT_EQ(f.caption, u"Wybor jezyka");
  EXPECT_EQ(f.Lbl_Lang_Subtitle.caption, u"Wybierz:");
  EXPECT_EQ(f.Btn_Lang_OK.caption, u"&Dobrze");
  EXPECT_EQ(f.Btn_Lang_Cancel.caption, u"&Anuluj");
  EXPECT_EQ(f.Lbl_Lang_Name_Desc.caption, u"Nazwa:");
  EXPECT_EQ(f.Lbl_Lang_Country_Desc.caption, u"Kraj:");
  EXPECT_EQ(f.Lbl_Lang_Lang_Desc.caption, u"Identyfikator:");
  EXPECT_EQ(f.Lbl_Lang_Translator_Desc.caption, u"Tlumacz:");
  EXPECT_EQ(f.focusRequest, &f.CB_Lang_Languages);
  // The values line up after the widest caption.
  const int valuesLeft = f.Lbl_Lang_Name.bounds.left;
  EXPECT_GT(valuesLeft, f.Lbl_Lang_Lang_Desc.bounds.right());
  EXPECT_EQ(f.Lbl_Lang_Translator.bounds.left, valuesLeft);
}

TEST(LanguageDialog, NamesAndIdentifierLinesFromTheLocale) {
  struct {
    int entry;
    Text name, country, identifier;
  } cases[] = {
      {0, u"Polski (Polish)", u"Polska (Poland)", u"1045 (0415) [pl-PL]"},
      {1, u"English", u"United States", u"1033 (0409) [en-US]"},
      {2, u" (German)", u" (Germany)", u"1031 (0407)"},
  };
  Dialog d(kThreeLanguages);
  App& app = d.start();
  for (const auto& c : cases) {
    d.ui().select("CB_Lang_Languages", c.entry);
    EXPECT_EQ(app.form.Lbl_Lang_Name.caption, c.name);
    EXPECT_EQ(app.form.Lbl_Lang_Country.caption, c.country);
    EXPECT_EQ(app.form.Lbl_Lang_Lang.caption, c.identifier);
  }
  // A section with its Title only: every other key at its default.
  EXPECT_EQ(app.form.caption, u"Sprache");
  EXPECT_EQ(app.form.Lbl_Lang_Subtitle.caption, u"Please Select Language:");
  EXPECT_EQ(app.form.Btn_Lang_OK.caption, u"&OK");
  EXPECT_EQ(app.form.Btn_Lang_Cancel.caption, u"&Cancel");
  EXPECT_EQ(app.form.Lbl_Lang_Lang_Desc.caption, u"Lang ID:");
  EXPECT_EQ(app.form.Lbl_Lang_Translator_Desc.caption, u"Translator:");
  EXPECT_EQ(app.form.Lbl_Lang_Translator.caption, u"-");
}

TEST(LanguageDialog, TranslatorLinkOnlyWithANameAndAnAddress) {
  struct {
    const char* keys;
    Text shown;
    bool bold, link;
  } cases[] = {
      {"TranslatorName=Anna\r\nTranslatorEmail=anna@example.org\r\n", u"Anna", true, true},
      {"TranslatorName=Anna\r\n", u"Anna", true, false},
      {"TranslatorName=-\r\nTranslatorEmail=anna@example.org\r\n", u"-", false, false},
      {"", u"-", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    Dialog d(std::string("[1045]\r\nTitle=t\r\n") + c.keys);
    d.pack.p.registry.setDarkMode(true);
    addDarkStyles(d.pack.p.system);
    App& app = d.start();
    Control& t = app.form.Lbl_Lang_Translator;
    EXPECT_EQ(t.caption, c.shown);
    EXPECT_EQ(t.font.bold, c.bold);
    EXPECT_EQ(t.fontColorFromStyle, !c.link);
    if (c.link) {
      EXPECT_EQ(t.fontColor, 0xD0D0D0u);  // the style's label text
    }
    d.ui().enter("Lbl_Lang_Translator");
    EXPECT_EQ(t.handCursor, c.link);
    if (c.link) {
      EXPECT_EQ(t.fontColor, 0x3C8CE6u);
    }
    d.ui().click("Lbl_Lang_Translator");
    if (c.link) {
      EXPECT_EQ(t.fontColor, 0xD40000u);
      EXPECT_EQ(d.pack.p.shell.opened, std::vector<Text>{u"mailto:anna@example.org"});
    } else {
      EXPECT_TRUE(d.pack.p.shell.opened.empty());
    }
    d.ui().leave("Lbl_Lang_Translator");
    EXPECT_FALSE(t.handCursor);
    if (c.link) {
      EXPECT_EQ(t.fontColor, 0xD0D0D0u);
    }
  }
}

TEST(LanguageDialog, DescriptionAndHelpLinkByTheUsersLanguage) {
  struct {
    const char* name;
    std::uint16_t userLanguage;
    int entry;
    Text description;
    bool help;
  } cases[] = {
      {"offered, Polish texts", 1045, 0, u"Twoj jezyk: Polish. Jest.", false},
      {"offered, English texts", 1045, 1, u"Your language: Polish. Available.", false},
      {"not offered", 1049, 1, u"Your language: Russian. Missing.", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Dialog d(kThreeLanguages, c.userLanguage);
    App& app = d.start();
    d.ui().select("CB_Lang_Languages", c.entry);
    MainForm& f = app.form;
    EXPECT_EQ(f.Lbl_Lang_Desc.caption, c.description);
    EXPECT_EQ(f.Lbl_Lang_Help.visible, c.help);
    if (!c.help) continue;
    EXPECT_EQ(f.Lbl_Lang_Help.caption, u"HELP US");
    EXPECT_EQ(f.Lbl_Lang_Help.fontColor, 0xD40000u);
    EXPECT_FALSE(f.Lbl_Lang_Help.fontColorFromStyle);
    EXPECT_TRUE(f.Lbl_Lang_Help.font.bold);
    EXPECT_EQ(f.Lbl_Lang_Help.font.points, 10);
    d.ui().enter("Lbl_Lang_Help");
    EXPECT_TRUE(f.Lbl_Lang_Help.handCursor);
    EXPECT_EQ(f.Lbl_Lang_Help.fontColor, app.state.colours.linkHover);
    d.ui().click("Lbl_Lang_Help");
    EXPECT_EQ(f.Lbl_Lang_Help.fontColor, 0xD40000u);
    EXPECT_EQ(d.pack.p.shell.opened, std::vector<Text>{u"https://example.org/en"});
    // German has no help address: no link.
    d.ui().select("CB_Lang_Languages", 2);
    EXPECT_FALSE(f.Lbl_Lang_Help.visible);
  }
}

TEST(LanguageDialog, FlagOfEachLanguageAndNoneWhenItHasNone) {
  for (int density : {96, 144}) {
    Dialog d(kThreeLanguages);
    d.pack.p.system.density = density;
    d.pack.p.files.putBytes(u"C:\\Pack\\Pixora.dll", exampleLibrary());
    App& app = d.start();
    Control& flag = app.form.Img_Lang_Flag;
    const int size = app.scale(48);
    ASSERT_TRUE(flag.picture);  // English, the user's language
    EXPECT_EQ(flag.picture->width, size);
    const Rect pictureAt = flag.bounds;
    EXPECT_EQ(pictureAt.width, size);
    const int one = app.scale(1);
    EXPECT_EQ(app.form.S_Lang_Flag.bounds,
              (Rect{pictureAt.left - one, pictureAt.top - one, size + 2 * one, size + 2 * one}));
    EXPECT_EQ(app.form.S_Lang_Flag.outline, 0x808080u);
    d.ui().select("CB_Lang_Languages", 2);  // German: the library has no flag
    EXPECT_FALSE(flag.picture);
    EXPECT_EQ(flag.bounds, pictureAt);
    d.ui().select("CB_Lang_Languages", 0);
    EXPECT_TRUE(flag.picture);
  }
}

TEST(LanguageDialog, FileReadAnewAtEverySelection) {
  Dialog d(kThreeLanguages, 1045);
  App& app = d.start();
  d.pack.p.files.files.clear();
  d.ui().select("CB_Lang_Languages", 1);
  EXPECT_EQ(app.form.caption, u"Language Selection");  // the default
  EXPECT_EQ(app.form.Lbl_Lang_Translator.caption, u"-");
}

// How the dialog ends, and the exit code the close request leaves.
TEST(LanguageDialog, ExitCodes) {
  enum Action { Ok, Enter, Cancel, Escape, CloseBox };
  struct {
    const char* name;
    std::string_view file;
    int select;  // -1: keep the preselection
    Action action;
    int code;
  } cases[] = {
      {"OK on the preselection", kThreeLanguages, -1, Ok, 1033},
      {"OK on another language", kThreeLanguages, 2, Ok, 1031},
      {"Enter", kThreeLanguages, 0, Enter, 1045},
      {"Cancel", kThreeLanguages, 0, Cancel, 1},
      {"Escape", kThreeLanguages, 0, Escape, 1},
      {"close box", kThreeLanguages, 0, CloseBox, 1},
      {"OK with nothing to choose", "[1045]\r\nName=x\r\n", -1, Ok, 1033},
      {"Enter on the built-in entry", "", -1, Enter, 1033},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Dialog d(c.file);
    App& app = d.start();
    if (c.select >= 0) d.ui().select("CB_Lang_Languages", c.select);
    switch (c.action) {
      case Ok:
        d.ui().click("Btn_Lang_OK");
        break;
      case Cancel:
        d.ui().click("Btn_Lang_Cancel");
        break;
      case Enter:
        EXPECT_TRUE(formKeyDown(app, kKeyEnter, false));
        break;
      case Escape:
        EXPECT_TRUE(formKeyDown(app, kKeyEscape, false));
        break;
      case CloseBox:
        EXPECT_TRUE(formCloseQuery(app));
        app.closing = true;
        break;
    }
    EXPECT_TRUE(app.closing);
    EXPECT_EQ(app.exitCode, c.code);
    EXPECT_TRUE(d.pack.p.dialogs.shown.empty());
  }
}

TEST(LanguageDialog, KeysGoToTheOpenList) {
  Dialog d(kThreeLanguages);
  App& app = d.start();
  EXPECT_FALSE(formKeyDown(app, kKeyEscape, true));
  EXPECT_FALSE(formKeyDown(app, kKeyEnter, true));
  EXPECT_FALSE(app.closing);
  // Enter in the open list takes the highlighted entry; the next Enter is OK.
  d.ui().select("CB_Lang_Languages", 0);
  EXPECT_EQ(app.form.caption, u"Wybor jezyka");
  EXPECT_FALSE(formKeyDown(app, 'A', false));
  EXPECT_TRUE(formKeyDown(app, kKeyEnter, false));
  EXPECT_EQ(app.exitCode, 1045);
}

}  // namespace
}  // namespace lingvora::test
