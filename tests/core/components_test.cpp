#include <fstream>
#include <iterator>
#include <stdexcept>

#include "Pack.h"
#include "fakes/FakeRenderer.h"
#include "images/Pictures.h"
#include "pages/installer/Installer_Components_Page.h"

namespace lingvora::test {
namespace {

const Text kGui = u"C:\\Pack\\GUI.ini";
const Text kLibrary = u"C:\\Pack\\Pixora.dll";
const std::string kUtf8Bom = "\xEF\xBB\xBF";
const std::string kTree = "TV_Installer_ComponentsPage_InstallTypes";
const std::string kTypes = "CB_Installer_ComponentsPage_InstallTypes";

const Bytes& examplePixora() {
  static const Bytes bytes = [] {
    std::ifstream in(LINGVORA_EXAMPLE_PIXORA, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }();
  return bytes;
}

// Main pack, help plugin, classic skin and a group of two plugins: Full has
// five members, Minimal three.
constexpr const char* kFive =
    "[LANG_PACK_OFFICIAL_WLZ]\r\nInstall=1\r\nSectionType=12\r\nSectionR0=1\r\nPluginSize=100\r\n"
    "[LANG_PACK_HELP_PLUGIN]\r\nInstall=1\r\nSectionType=12\r\nPluginSize=20\r\n"
    "[LANG_PACK_CLASSIC_SKIN]\r\nInstall=1\r\nSectionType=10\r\nPluginSize=3\r\n"
    "[LANG_PACK_PLUGIN_ONE]\r\nInstall=1\r\nSectionType=10\r\nPluginSize=4000\r\n"
    "[LANG_PACK_PLUGIN_TWO]\r\nInstall=1\r\nSectionType=12\r\nPluginSize=50000\r\n";

constexpr const char* kAllTypes =
    "[INSTALLER_COMPONENTS_PAGE]\r\nINSTALLER_COMPONENTS_PAGE_TYPE_FULL=Pelna\r\n"
    "INSTALLER_COMPONENTS_PAGE_TYPE_MINIMAL=Minimalna\r\n"
    "INSTALLER_COMPONENTS_PAGE_TYPE_USER=Uzytkownika\r\n";

constexpr const char* kTexts =
    "INSTALLER_COMPONENTS_PAGE_TITLE=Skladniki ${PROJECT_VERSION}\r\n"
    "INSTALLER_COMPONENTS_PAGE_SUBTITLE=Wybierz ${PROJECT_VERSION}\r\n"
    "INSTALLER_COMPONENTS_PAGE_TOP=Zaznacz ${PROJECT_VERSION}\r\n"
    "INSTALLER_COMPONENTS_PAGE_DESC=Opis\r\n"
    "INSTALLER_COMPONENTS_PAGE_NO_COMPONENT_SELECTED=Wskaz skladnik\r\n"
    "[LANG_PACK_OFFICIAL_WLZ]\r\nLANG_PACK_OFFICIAL_WLZ_NAME=Pakiet\r\n"
    "LANG_PACK_OFFICIAL_WLZ_SHORT_NAME=PAKIET\r\n"
    "LANG_PACK_OFFICIAL_WLZ_COPYRIGHT=(c) ${PROJECT_AUTHOR}\r\n"
    "LANG_PACK_OFFICIAL_WLZ_DESC=Pakiet ${PROJECT_VERSION}\r\n"
    "[LANG_PACK_HELP_PLUGIN]\r\nLANG_PACK_HELP_PLUGIN_NAME=Pomoc\r\n"
    "LANG_PACK_HELP_PLUGIN_SHORT_NAME=POMOC\r\nLANG_PACK_HELP_PLUGIN_DESC=Pomoc F10\r\n"
    "[LANG_PACK_CLASSIC_SKIN]\r\nLANG_PACK_CLASSIC_SKIN_NAME=Skórka\r\n"
    "LANG_PACK_CLASSIC_SKIN_SHORT_NAME=nieuzywana\r\n"
    "LANG_PACK_CLASSIC_SKIN_COPYRIGHT=(c) ${PROJECT_AUTHOR}\r\n"
    "LANG_PACK_CLASSIC_SKIN_DESC=Skorka\r\n"
    "[LANG_PACK_OTHER_PLUGINS]\r\nLANG_PACK_OTHER_PLUGINS_NAME=Wtyczki\r\n"
    "LANG_PACK_OTHER_PLUGINS_SHORT_NAME=WTYCZKI\r\n"
    "LANG_PACK_OTHER_PLUGINS_DESC=Wtyczki ${PROJECT_VERSION}\r\n"
    "[LANG_PACK_PLUGIN_ONE]\r\nLANG_PACK_PLUGIN_ONE_NAME=Jedna\r\n"
    "LANG_PACK_PLUGIN_ONE_SHORT_NAME=JEDNA\r\n"
    "LANG_PACK_PLUGIN_ONE_COPYRIGHT=(c) ${PROJECT_AUTHOR}\r\n"
    "LANG_PACK_PLUGIN_ONE_DESC=Jedna ${PROJECT_VERSION}\r\n"
    "[LANG_PACK_PLUGIN_TWO]\r\nLANG_PACK_PLUGIN_TWO_NAME=Dwie\r\n"
    "LANG_PACK_PLUGIN_TWO_SHORT_NAME=DWIE\r\n";

// The installer on its Components page, with the example picture library.
struct Components : Pack {
  App* app = nullptr;
  explicit Components(const std::string& components = kFive, const std::string& types = kAllTypes,
                      bool dark = false, int density = 96, const std::string& moreTexts = "")
      : Pack(false, false, false) {
    p.files.put(kGui, kUtf8Bom + std::string(kGuiIni) +
                          "ProjectFullName=Pakiet łódzki\r\nProjectCopyright=(c) ${PROJECT_AUTHOR}"
                          "\r\n" +
                          components);
    p.files.put(u"C:\\Pack\\1045.ini",
                kUtf8Bom + std::string(kLocaleIni) + types + kTexts + moreTexts);
    p.files.putBytes(kLibrary, examplePixora());
    p.registry.setDarkMode(dark);
    p.system.density = density;
    app = &start({u"/ACTION=0"});
    app->form.layoutClient(app->form.width - 6, app->form.height - 28);
    next(), next();
  }
  MainForm& f() { return app->form; }
  fake::FakeRenderer ui() { return {app->form}; }
  void next() { f().Btn_GUI_Next.onClick(); }
  void back() { f().Btn_GUI_Back.onClick(); }
  int page() { return app->state.installer.pageIndex; }
  Control& tree() { return f().TV_Installer_ComponentsPage_InstallTypes; }
  Control& types() { return f().CB_Installer_ComponentsPage_InstallTypes; }
  void clickState(int item) { ui().treeClick(kTree, treehit::OnStateIcon, item); }
  void pick(int entry) { ui().select(kTypes, entry); }
  void hover(unsigned flags, int item) { ui().treeMove(kTree, flags, item); }
  IniDocument saved() {
    return IniDocument::parse(p.files.readWhole(kGui).value(), p.system.ansiCodePage());
  }
};

// The tree as text: each item's name and state code, children indented.
std::string shape(const Control& tree) {
  std::string s;
  for (const TreeItem& item : tree.items) {
    if (!s.empty()) s += ",";
    s += (item.parent >= 0 ? " " : "") + S(item.text) + "=" + std::to_string(item.state);
  }
  return s;
}

const std::string kFullTree = "Pakiet=4,Pomoc=2,Skórka=2,Wtyczki=2, Jedna=2, Dwie=2";
const std::string kMinimalTree = "Pakiet=4,Pomoc=2,Skórka=1,Wtyczki=3, Jedna=1, Dwie=2";

TEST(ComponentsPage, FullAndMinimalTrees) {
  Components c;
  ASSERT_FALSE(c.exit);
  ASSERT_EQ(c.page(), 2);
  EXPECT_EQ(c.types().entries,
            (std::vector<ListEntry>{{u"Pelna", 1}, {u"Minimalna", 2}, {u"Uzytkownika", 0}}));
  EXPECT_EQ(c.types().selected, 0);
  EXPECT_EQ(c.app->state.installer.components.typeMembers, (std::array<int, 3>{0, 5, 3}));
  EXPECT_EQ(shape(c.tree()), kFullTree);
  EXPECT_EQ(c.tree().selected, 0);
  // Each item keeps its component; top-level items are bold, the group open.
  std::vector<std::string> keys;
  for (const TreeItem& item : c.tree().items) keys.push_back(S(item.key));
  EXPECT_EQ(keys, (std::vector<std::string>{"LANG_PACK_OFFICIAL_WLZ", "LANG_PACK_HELP_PLUGIN",
                                            "LANG_PACK_CLASSIC_SKIN", "LANG_PACK_OTHER_PLUGINS",
                                            "LANG_PACK_PLUGIN_ONE", "LANG_PACK_PLUGIN_TWO"}));
  for (const TreeItem& item : c.tree().items) EXPECT_EQ(item.bold, item.parent < 0);
  EXPECT_EQ(c.tree().items[4].parent, 3);
  EXPECT_TRUE(c.tree().items[3].expanded);

  // The tree comes from the configuration loaded at start, not from disk.
  c.p.files.put(kGui, "[LANG_PACK_OFFICIAL_WLZ]\r\nInstall=0\r\n");
  c.pick(1);
  EXPECT_EQ(shape(c.tree()), kMinimalTree);
  EXPECT_EQ(c.types().selected, 1);
}

// One plugin section: its install-type counts and its state in either tree
// ("-": not offered).
struct Membership {
  const char* lines;
  int full, minimal;
  const char* fullState;
  const char* minimalState;
};

TEST(ComponentsPage, CountsAndStatesFollowTheDigitRule) {
  for (const Membership& m : {
           Membership{"Install=1\r\nSectionType=1\r\n", 1, 0, "2", "1"},  // short
           {"Install=1\r\nSectionType=123\r\n", 1, 1, "2", "2"},          // long
           {"Install=1\r\nSectionType=02\r\n", 0, 1, "1", "2"},
           {"Install=1\r\nSectionType=21\r\n", 0, 0, "1", "1"},
           {"Install=1\r\nSectionType=21\r\nSectionR0=1\r\n", 1, 1, "1", "1"},
           {"Install=1\r\nSectionR0=1\r\n", 0, 0, "2", "1"},  // missing: the tree takes 10
           {"Install=0\r\nSectionType=12\r\n", 0, 0, "-", "-"},
           {"Install=2\r\nSectionType=12\r\n", 0, 0, "2", "2"},  // offered, never counted
           {"SectionType=12\r\n", 0, 0, "-", "-"},
       }) {
    SCOPED_TRACE(m.lines);
    Components c(std::string("[LANG_PACK_PLUGIN_ONE]\r\n") + m.lines);
    EXPECT_EQ(c.app->state.installer.components.typeMembers,
              (std::array<int, 3>{0, m.full, m.minimal}));
    for (auto [entry, state] : {std::pair{0, m.fullState}, {1, m.minimalState}}) {
      c.pick(entry);
      const std::string expected =
          state == std::string("-") ? "" : "Wtyczki=" + std::string(state) + ", Jedna=" + state;
      EXPECT_EQ(shape(c.tree()), expected) << "entry " << entry;
    }
  }
}

struct Click {
  unsigned flags;
  int item;
};

struct ToggleCase {
  const char* name;
  std::string components;
  int type;  // the list entry picked first
  std::vector<Click> clicks;
  std::string tree;
  int listEntry;
};

TEST(ComponentsPage, ToggleTable) {
  const std::string onlyChild =
      std::string(kFive).substr(0, std::string(kFive).find("[LANG_PACK_PLUGIN_TWO]"));
  const unsigned s = treehit::OnStateIcon;
  const std::vector<ToggleCase> cases = {
      {"top level off",
       kFive,
       0,
       {{s, 2}},
       "Pakiet=4,Pomoc=2,Skórka=1,Wtyczki=2, Jedna=2, Dwie=2",
       2},
      {"top level on again", kFive, 0, {{s, 2}, {s, 2}}, kFullTree, 0},
      {"main pack never changes", kFive, 0, {{s, 0}}, kFullTree, 0},
      {"the label changes nothing",
       kFive,
       0,
       {{treehit::OnLabel, 1}, {treehit::OnIcon, 2}},
       kFullTree,
       0},
      {"right of an item changes nothing", kFive, 0, {{treehit::OnRight, 1}}, kFullTree, 0},
      {"child off mixes the group",
       kFive,
       0,
       {{s, 4}},
       "Pakiet=4,Pomoc=2,Skórka=2,Wtyczki=3, Jedna=1, Dwie=2",
       2},
      {"both children off",
       kFive,
       0,
       {{s, 4}, {s, 5}},
       "Pakiet=4,Pomoc=2,Skórka=2,Wtyczki=1, Jedna=1, Dwie=1",
       1},  // three: Minimal's count
      {"group from mixed checks all",
       kFive,
       1,
       {{s, 3}},
       "Pakiet=4,Pomoc=2,Skórka=1,Wtyczki=2, Jedna=2, Dwie=2",
       2},
      {"group off", kFive, 0, {{s, 3}}, "Pakiet=4,Pomoc=2,Skórka=2,Wtyczki=1, Jedna=1, Dwie=1", 1},
      {"only child off unchecks the group",
       onlyChild,
       0,
       {{s, 4}},
       "Pakiet=4,Pomoc=2,Skórka=2,Wtyczki=1, Jedna=1",
       2},
      {"only child on again",
       onlyChild,
       0,
       {{s, 4}, {s, 4}},
       "Pakiet=4,Pomoc=2,Skórka=2,Wtyczki=2, Jedna=2",
       0},
      // By count only: four chosen is no type, three is Minimal's count.
      {"match by count",
       kFive,
       0,
       {{s, 2}, {s, 4}},
       "Pakiet=4,Pomoc=2,Skórka=1,Wtyczki=3, Jedna=1, Dwie=2",
       1},
  };
  for (const ToggleCase& t : cases) {
    SCOPED_TRACE(t.name);
    Components c(t.components);
    c.pick(t.type);
    for (const Click& k : t.clicks) c.ui().treeClick(kTree, k.flags, k.item);
    EXPECT_EQ(shape(c.tree()), t.tree);
    EXPECT_EQ(c.types().selected, t.listEntry);
  }
}

TEST(ComponentsPage, AClickTogglesAndSelectsTheItemUnderThePointer) {
  Components c;
  ASSERT_EQ(c.tree().selected, 0);
  c.clickState(2);
  EXPECT_EQ(c.tree().selected, 2);
  EXPECT_EQ(c.tree().items[2].state, componentState::Unchecked);
  EXPECT_EQ(c.tree().items[0].state, componentState::Disabled);
  c.clickState(5);
  EXPECT_EQ(c.tree().selected, 5);
  EXPECT_EQ(c.tree().items[5].state, componentState::Unchecked);
}

TEST(ComponentsPage, UserKeepsTheTreeFullAndMinimalRebuild) {
  Components c;
  c.pick(1);
  c.clickState(2);  // Minimal plus the skin: four, no type has four
  const std::string mine = shape(c.tree());
  EXPECT_EQ(c.types().selected, 2);
  c.pick(0);
  EXPECT_EQ(shape(c.tree()), kFullTree);
  c.clickState(1), c.clickState(2);  // three again: the list says Minimal
  EXPECT_EQ(c.types().selected, 1);
  EXPECT_EQ(shape(c.tree()), "Pakiet=4,Pomoc=1,Skórka=1,Wtyczki=2, Jedna=2, Dwie=2");
  c.pick(2);
  EXPECT_EQ(shape(c.tree()), "Pakiet=4,Pomoc=1,Skórka=1,Wtyczki=2, Jedna=2, Dwie=2");
  c.pick(1);
  EXPECT_EQ(shape(c.tree()), kMinimalTree);
  EXPECT_NE(mine, kMinimalTree);
}

// Entries carry their type: an empty text leaves the others' types alone.
struct TypesCase {
  const char* name;
  std::string types;
  std::vector<ListEntry> entries;
  int selected;
  std::string tree;
};

TEST(ComponentsPage, InstallTypesWithTextsMissing) {
  const std::string head = "[INSTALLER_COMPONENTS_PAGE]\r\n";
  const std::string full = "INSTALLER_COMPONENTS_PAGE_TYPE_FULL=Pelna\r\n";
  const std::string minimal = "INSTALLER_COMPONENTS_PAGE_TYPE_MINIMAL=Minimalna\r\n";
  const std::string user = "INSTALLER_COMPONENTS_PAGE_TYPE_USER=Uzytkownika\r\n";
  const std::vector<TypesCase> cases = {
      {"no Full", head + minimal + user, {{u"Minimalna", 2}, {u"Uzytkownika", 0}}, 0, kMinimalTree},
      {"none", head, {}, -1, kFullTree},
      {"User only", head + user, {{u"Uzytkownika", 0}}, 0, kFullTree},
  };
  for (const TypesCase& t : cases) {
    SCOPED_TRACE(t.name);
    Components c(kFive, t.types);
    EXPECT_EQ(c.types().entries, t.entries);
    EXPECT_EQ(c.types().selected, t.selected);
    EXPECT_EQ(shape(c.tree()), t.tree);
    c.clickState(2);  // four chosen: no count matches
    EXPECT_EQ(c.types().selected, t.entries.empty() ? -1 : int(t.entries.size()) - 1);
  }
  {
    SCOPED_TRACE("no Minimal: User is no Minimal");
    Components c(kFive, head + full + user);
    c.pick(1);
    EXPECT_EQ(shape(c.tree()), kFullTree);
  }
  {
    SCOPED_TRACE("no User: no match, no selection");
    Components c(kFive, head + full + minimal);
    c.clickState(2);
    EXPECT_EQ(c.types().selected, -1);
    c.clickState(4);  // three: Minimal's count
    EXPECT_EQ(c.types().selected, 1);
  }
}

struct DescriptionCase {
  int item;
  std::string name, copyright, text;
  Text (*picture)(TextView, TextView);
};

TEST(ComponentsPage, DescriptionPerKindOfItem) {
  Components c;
  MainForm& f = c.f();
  Form scratch;
  Control expected{scratch, "expected", ControlKind::Picture, nullptr};
  const std::vector<DescriptionCase> cases = {
      {0, "PAKIET", "(c) Zespol", "Pakiet 4.0", pictureName::langPack},
      {1, "POMOC", "", "Pomoc F10", pictureName::helpPlugin},
      {2, "SKÓRKA", "(c) Zespol", "Skorka", pictureName::classicSkin},
      {3, "WTYCZKI", "", "Wtyczki 4.0", pictureName::additionalPlugin},
      // An additional plugin's texts are shown as written.
      {4, "JEDNA", "(c) ${PROJECT_AUTHOR}", "Jedna ${PROJECT_VERSION}",
       pictureName::additionalPlugin},
      {5, "DWIE", "", "", pictureName::additionalPlugin},
  };
  for (const DescriptionCase& d : cases) {
    SCOPED_TRACE(d.item);
    c.hover(d.item % 2 ? treehit::OnLabel : treehit::OnStateIcon, d.item);
    EXPECT_EQ(S(f.Lbl_Installer_ComponentsPage_InfoName.caption), d.name);
    EXPECT_EQ(S(f.Lbl_Installer_ComponentsPage_InfoCopyright.caption), d.copyright);
    EXPECT_EQ(S(f.Lbl_Installer_ComponentsPage_InfoDesc.caption), d.text);
    EXPECT_TRUE(f.Lbl_Installer_ComponentsPage_InfoDesc.enabled);
    EXPECT_EQ(f.Lbl_Installer_ComponentsPage_InfoDesc.margins, (Margins{10, 1, 10, 5}));
    EXPECT_EQ(f.Lbl_Installer_ComponentsPage_InfoCopyright.bounds.height,
              d.copyright.empty() ? 5 : 14);
    loadPicture(c.p.images, kLibrary, d.picture(u"WINAMP", u"96"), expected);
    ASSERT_TRUE(f.Img_Installer_ComponentsPage_Info.picture);
    EXPECT_EQ(*f.Img_Installer_ComponentsPage_Info.picture, *expected.picture);
  }
}

TEST(ComponentsPage, NoComponentDescription) {
  Components c;
  MainForm& f = c.f();
  Form scratch;
  Control disabled{scratch, "disabled", ControlKind::Picture, nullptr};
  loadPicture(c.p.images, kLibrary, pictureName::langPackDisabled(u"WINAMP", u"96"), disabled);
  auto expectNoComponent = [&] {
    EXPECT_EQ(S(f.Lbl_Installer_ComponentsPage_InfoName.caption), "PAKIET ŁÓDZKI");
    EXPECT_EQ(f.Lbl_Installer_ComponentsPage_InfoCopyright.caption, u"(c) Zespol");
    EXPECT_EQ(f.Lbl_Installer_ComponentsPage_InfoDesc.caption, u"Wskaz skladnik");
    EXPECT_FALSE(f.Lbl_Installer_ComponentsPage_InfoDesc.enabled);
    EXPECT_EQ(f.Lbl_Installer_ComponentsPage_InfoDesc.margins, (Margins{35, 10, 35, 5}));
    ASSERT_TRUE(f.Img_Installer_ComponentsPage_Info.picture);
    EXPECT_EQ(*f.Img_Installer_ComponentsPage_Info.picture, *disabled.picture);
  };
  expectNoComponent();  // as the page opens
  // Off the four positions on an item, or past the last item.
  for (auto [flags, item] : {std::pair{treehit::OnRight, 1},
                             {treehit::OnIndent, 4},
                             {treehit::OnLabel | treehit::OnRight, 1},
                             {treehit::Nowhere, -1},
                             {treehit::Below, -1},
                             {treehit::OnLabel, 99}}) {
    SCOPED_TRACE(flags);
    c.hover(treehit::OnLabel, 1);
    ASSERT_EQ(f.Lbl_Installer_ComponentsPage_InfoName.caption, u"POMOC");
    c.hover(flags, item);
    expectNoComponent();
  }
  c.hover(treehit::OnLabel, 4);
  c.ui().leave(kTree);
  expectNoComponent();
}

TEST(ComponentsPage, LeaveWritesChoicesAndSizeAndSavesOnce) {
  Components c;
  c.clickState(2);  // no skin
  const int writes = c.p.files.writes;
  c.next();
  EXPECT_EQ(c.page(), 3);
  EXPECT_EQ(c.p.files.writes, writes + 1);
  const IniDocument ini = c.saved();
  for (auto [section, choice] : {std::pair{u"LANG_PACK_OFFICIAL_WLZ", u"1"},
                                 {u"LANG_PACK_HELP_PLUGIN", u"1"},
                                 {u"LANG_PACK_CLASSIC_SKIN", u"0"},
                                 {u"LANG_PACK_PLUGIN_ONE", u"1"},
                                 {u"LANG_PACK_PLUGIN_TWO", u"1"}})
    EXPECT_EQ(ini.readString(section, u"PluginChoice"), choice) << S(section);
  EXPECT_FALSE(ini.hasSection(u"LANG_PACK_OTHER_PLUGINS"));
  EXPECT_EQ(c.app->state.installer.selectedComponentsSize, 100 + 20 + 4000 + 50000);
}

// PluginSize of one plugin as the engine wrote it, and whether the user
// kept the plugin: what PluginChoice then says (the engine's 7 when nothing
// is written) and what the plugin adds to the size.
struct SizeCase {
  const char* size;
  bool chosen;
  const char* choice;
  std::int64_t added;
};

TEST(ComponentsPage, PluginSizesAndChoices) {
  for (const SizeCase& t : {
           SizeCase{"4000", true, "1", 4000},
           {"4000", false, "0", 0},
           {"5000000000", true, "1", 5000000000LL},  // beyond 32 bits
           {" 7 ", true, "1", 7},
           {"0", true, "7", 0},
           {"0", false, "0", 0},
           {"", true, "7", 0},
           {"", false, "0", 0},  // declined: recorded even without a size
           {"-5", true, "7", 0},
           {"abc", true, "7", 0},
           {"99999999999999999999", true, "7", 0},
       }) {
    SCOPED_TRACE(std::string(t.size) + (t.chosen ? " chosen" : " declined"));
    Components c(std::string("[LANG_PACK_OFFICIAL_WLZ]\r\nInstall=1\r\nPluginSize=100\r\n"
                             "[LANG_PACK_PLUGIN_ONE]\r\nInstall=1\r\nPluginChoice=7\r\n") +
                 (*t.size ? std::string("PluginSize=") + t.size + "\r\n" : std::string()));
    if (!t.chosen) c.clickState(2);
    c.next();
    EXPECT_EQ(S(c.saved().readString(u"LANG_PACK_PLUGIN_ONE", u"PluginChoice")), t.choice);
    EXPECT_EQ(c.app->state.installer.selectedComponentsSize, 100 + t.added);
  }
}

TEST(ComponentsPage, TheSizeSaturates) {
  Components c(
      "[LANG_PACK_OFFICIAL_WLZ]\r\nInstall=1\r\nPluginSize=9223372036854775807\r\n"
      "[LANG_PACK_HELP_PLUGIN]\r\nInstall=1\r\nSectionType=1\r\nPluginSize="
      "9223372036854775000\r\n");
  c.next();
  EXPECT_EQ(c.app->state.installer.selectedComponentsSize, INT64_MAX);
}

TEST(ComponentsPage, ComponentsWithTheSameOrNoNameStayApart) {
  // A and B share a name; C and D have none.
  Components c(
      "[LANG_PACK_PLUGIN_A]\r\nInstall=1\r\nPluginSize=1\r\nPluginChoice=7\r\n"
      "[LANG_PACK_PLUGIN_B]\r\nInstall=1\r\nPluginSize=2\r\nPluginChoice=7\r\n"
      "[LANG_PACK_PLUGIN_C]\r\nInstall=1\r\nPluginSize=4\r\nPluginChoice=7\r\n"
      "[LANG_PACK_PLUGIN_D]\r\nInstall=1\r\nPluginSize=8\r\nPluginChoice=7\r\n",
      kAllTypes, false, 96,
      "[LANG_PACK_PLUGIN_A]\r\nLANG_PACK_PLUGIN_A_NAME=Ta sama\r\n"
      "LANG_PACK_PLUGIN_A_SHORT_NAME=A\r\n"
      "[LANG_PACK_PLUGIN_B]\r\nLANG_PACK_PLUGIN_B_NAME=Ta sama\r\n"
      "LANG_PACK_PLUGIN_B_SHORT_NAME=B\r\n");
  ASSERT_EQ(shape(c.tree()), "Wtyczki=2, Ta sama=2, Ta sama=2, =2, =2");
  c.clickState(2);  // the second "Ta sama"
  EXPECT_EQ(shape(c.tree()), "Wtyczki=3, Ta sama=2, Ta sama=1, =2, =2");
  c.clickState(3);  // the first nameless one
  EXPECT_EQ(shape(c.tree()), "Wtyczki=3, Ta sama=2, Ta sama=1, =1, =2");
  c.hover(treehit::OnLabel, 2);
  EXPECT_EQ(c.f().Lbl_Installer_ComponentsPage_InfoName.caption, u"B");
  c.next();
  const IniDocument ini = c.saved();
  std::string choices;
  for (const char* s : {"A", "B", "C", "D"})
    choices += S(ini.readString(u"LANG_PACK_PLUGIN_" + T(s), u"PluginChoice"));
  EXPECT_EQ(choices, "1001");
  EXPECT_EQ(c.app->state.installer.selectedComponentsSize, 1 + 8);
}

TEST(ComponentsPage, AFailedSaveShowsItsTextAndKeepsThePage) {
  Components c;
  c.p.files.failWrites = true;
  try {
    c.next();
    FAIL() << "the save did not fail";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("GUI.ini"), std::string::npos);
  }
  EXPECT_EQ(c.page(), 2);
  EXPECT_TRUE(c.f().P_Installer_ComponentsPage.visible);
  EXPECT_FALSE(c.f().P_Installer_DirectoryPage.visible);
  EXPECT_FALSE(c.app->state.installer.components.confirmed);
  c.p.files.failWrites = false;
  c.next();
  EXPECT_EQ(c.page(), 3);
}

TEST(ComponentsPage, BackFromTheDirectoryPageShowsTheSameTree) {
  Components c;
  c.clickState(2);
  c.next();
  ASSERT_EQ(c.page(), 3);
  c.back();
  ASSERT_EQ(c.page(), 2);
  EXPECT_EQ(shape(c.tree()), "Pakiet=4,Pomoc=2,Skórka=1,Wtyczki=2, Jedna=2, Dwie=2");
  EXPECT_EQ(c.types().selected, 2);
  EXPECT_EQ(c.f().IL_Installer_ComponentsPage.images.size(), 5u);
  EXPECT_EQ(c.tree().stateImages, &c.f().IL_Installer_ComponentsPage);
  // Before the first Next, Back and Next again start afresh.
  Components d;
  d.clickState(2);
  d.back(), d.next();
  EXPECT_EQ(shape(d.tree()), kFullTree);
  EXPECT_EQ(d.types().selected, 0);
}

TEST(ComponentsPage, StateImagesOfTheTheme) {
  for (bool dark : {false, true}) {
    SCOPED_TRACE(dark);
    Components c(kFive, kAllTypes, dark);
    Form scratch;
    Control expected{scratch, "IL", ControlKind::ImageList, nullptr};
    for (const Text& name : pictureName::checkStates(dark))
      loadImageListBitmap(c.p.images, kLibrary, name, expected);
    const auto& images = c.f().IL_Installer_ComponentsPage.images;
    ASSERT_EQ(images.size(), 5u);
    EXPECT_EQ(images[0].mask, Bytes(16 * 16, 1));  // the placeholder shows nothing
    EXPECT_EQ(std::vector<MaskedImage>(images.begin() + 1, images.end()), expected.images);
  }
}

TEST(ComponentsPage, FrameLayoutAndFocus) {
  for (int density : {96, 144}) {
    SCOPED_TRACE(density);
    Components c(kFive, kAllTypes, false, density);
    MainForm& f = c.f();
    auto px = [&](int n) { return scaleLength(n, density); };
    EXPECT_EQ(f.Lbl_Installer_DefaultHeader_Title.caption, u"Skladniki 4.0");
    EXPECT_EQ(f.Lbl_Installer_DefaultHeader_SubTitle.caption, u"Wybierz 4.0");
    EXPECT_EQ(f.Lbl_Installer_ComponentsPage_Title.caption, u"Zaznacz 4.0");
    EXPECT_EQ(f.GB_Installer_ComponentsPage_InstallTypes.caption, u"Opis");
    EXPECT_EQ(f.Btn_GUI_Next.caption, u"Dalej >");
    EXPECT_TRUE(f.Btn_GUI_Back.visible && f.Btn_GUI_Back.enabled);
    EXPECT_EQ(f.focusRequest, &f.CB_Installer_ComponentsPage_InstallTypes);
    EXPECT_TRUE(c.tree().readOnly && c.tree().rowSelect);
    EXPECT_EQ(c.tree().indent, px(19));
    f.relayout();
    const Rect page = f.P_Installer_ComponentsPage.bounds;
    EXPECT_EQ(f.Lbl_Installer_ComponentsPage_Title.bounds,
              (Rect{px(20), px(10), page.width - px(40), px(32)}));
    const Rect box = f.GB_Installer_ComponentsPage_InstallTypes.bounds;
    EXPECT_EQ(box.height, px(122));
    EXPECT_EQ(box.bottom(), page.height - px(10));
    const Rect middle = f.P_Installer_ComponentsPage_Bkg.bounds;
    EXPECT_EQ(middle.bottom(), box.top - px(1));
    const Rect picture = f.Img_Installer_ComponentsPage_Info.bounds;
    EXPECT_EQ(picture.right(), middle.width - px(10));
    EXPECT_EQ(c.tree().bounds.right(), picture.left - px(5) - px(5));
  }
}

TEST(StateImages, AMissingBitmapKeepsItsPlace) {
  // The example library without its checked image.
  struct Lacking : ImageLibrary {
    PeImageLibrary& real;
    explicit Lacking(PeImageLibrary& r) : real(r) {}
    std::optional<Bytes> resource(const Text& path, LibraryResource type,
                                  const Text& name) override {
      if (name == u"APP_STATE_CHECK") return std::nullopt;
      if (name == u"APP_STATE_MIXED") return Bytes(12, 0);  // broken
      return real.resource(path, type, name);
    }
  };
  fake::FakePlatform p;
  p.files.putBytes(kLibrary, examplePixora());
  Lacking library(p.images);
  Form form;
  Control list{form, "IL", ControlKind::ImageList, nullptr};
  list.images.resize(9);  // from an earlier visit
  fillStateImages(library, kLibrary, pictureName::checkStates(false), list);
  ASSERT_EQ(list.images.size(), 5u);
  Control expected{form, "expected", ControlKind::ImageList, nullptr};
  for (const char16_t* name : {u"APP_STATE_UNCHECK", u"APP_STATE_DISABLED"})
    loadImageListBitmap(p.images, kLibrary, name, expected);
  EXPECT_EQ(list.images[1], expected.images[0]);
  EXPECT_EQ(list.images[4], expected.images[1]);
  for (int blank : {0, 2, 3}) {
    EXPECT_EQ(list.images[std::size_t(blank)].image.width, 16);
    EXPECT_EQ(list.images[std::size_t(blank)].mask, Bytes(16 * 16, 1)) << blank;
  }
  // No library at all: five blanks, the codes still in place.
  fillStateImages(library, u"C:\\Missing.dll", pictureName::checkStates(true), list);
  EXPECT_EQ(list.images.size(), 5u);
}

}  // namespace
}  // namespace lingvora::test
