#include "pages/installer/Installer_Components_Page.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "config/Config.h"
#include "engine/Exchange.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

using namespace componentState;

constexpr TextView kMainPack = u"LANG_PACK_OFFICIAL_WLZ";
constexpr TextView kHelpPlugin = u"LANG_PACK_HELP_PLUGIN";
constexpr TextView kClassicSkin = u"LANG_PACK_CLASSIC_SKIN";
constexpr TextView kOtherPlugins = u"LANG_PACK_OTHER_PLUGINS";  // the group: texts only
constexpr TextView kPluginMark = u"LANG_PACK_PLUGIN_";
constexpr TextView kPage = u"INSTALLER_COMPONENTS_PAGE";

// Install-type numbers as the list's entries carry them; User has none.
constexpr int kUser = 0, kFull = 1, kMinimal = 2;

Text pageText(App& app, TextView key) { return readText(app, kPage, key); }
Text componentText(App& app, TextView section, TextView suffix) {
  return readText(app, section, Text(section) + Text(suffix));
}

bool isSelected(int state) { return state == Checked || state == Disabled; }

// SectionType's digit rule: type k counts the component when the character
// at position k is the digit k.
bool inType(TextView sectionType, int k) {
  return int(sectionType.size()) >= k && sectionType[std::size_t(k - 1)] == u'0' + k;
}

// The section names of GUI.ini, each once: a repeated header names the
// same section, of which the first is read.
std::vector<Text> sections(const IniDocument& config) {
  std::vector<Text> names;
  for (const Text& name : config.sectionNames()) {
    bool seen = false;
    for (const Text& n : names) seen = seen || equalsNoCase(n, name);
    if (!seen) names.push_back(name);
  }
  return names;
}

int countTypeMembers(const IniDocument& config, int k) {
  int n = 0;
  for (const Text& s : sections(config)) {
    const Text type = config.readString(s, u"SectionType");
    if (!type.empty() && config.readInteger(s, u"Install", 0) == 1 &&
        (config.readBool(s, u"SectionR0", false) || inType(type, k)))
      ++n;
  }
  return n;
}

void fillInstallTypes(App& app) {
  WizardState& w = app.state.installer;
  Control& list = app.form.CB_Installer_ComponentsPage_InstallTypes;
  w.components.typeMembers = {0, countTypeMembers(w.config, kFull),
                              countTypeMembers(w.config, kMinimal)};
  list.entries.clear();
  for (auto [key, type] : {std::pair{u"INSTALLER_COMPONENTS_PAGE_TYPE_FULL", kFull},
                           {u"INSTALLER_COMPONENTS_PAGE_TYPE_MINIMAL", kMinimal},
                           {u"INSTALLER_COMPONENTS_PAGE_TYPE_USER", kUser}})
    if (Text text = pageText(app, key); !text.empty()) list.entries.push_back({text, type});
  list.selected = list.entries.empty() ? -1 : 0;
}

// A group's state from its children: checked when none is unchecked,
// unchecked when all are, mixed otherwise.
int groupState(const Control& tree, int group) {
  bool anyUnchecked = false, allUnchecked = true;
  for (int child : tree.childrenOf(group)) {
    const bool unchecked = tree.items[std::size_t(child)].state == Unchecked;
    anyUnchecked = anyUnchecked || unchecked;
    allUnchecked = allUnchecked && unchecked;
  }
  return !anyUnchecked ? Checked : allUnchecked ? Unchecked : Mixed;
}

// The tree of install type k (Full or Minimal; any other leaves it as it is):
// main pack, help plugin, classic skin, then the group of additional
// plugins in the order of GUI.ini. Each item keeps its component identifier.
void buildTree(App& app, int k) {
  if (k != kFull && k != kMinimal) return;
  const IniDocument& config = app.state.installer.config;
  Control& tree = app.form.TV_Installer_ComponentsPage_InstallTypes;
  auto offered = [&](TextView s) { return config.readBool(s, u"Install", false); };
  auto typeState = [&](TextView s) {
    return inType(config.readString(s, u"SectionType", u"10"), k) ? Checked : Unchecked;
  };
  auto add = [&](TextView section, int parent, int state) {
    tree.items.push_back(
        {componentText(app, section, u"_NAME"), Text(section), parent, state, true, parent < 0});
  };
  tree.items.clear();
  if (offered(kMainPack)) add(kMainPack, -1, Disabled);
  for (TextView s : {kHelpPlugin, kClassicSkin})
    if (offered(s)) add(s, -1, typeState(s));
  std::vector<Text> plugins;
  for (const Text& s : sections(config))
    if (s.find(kPluginMark) != Text::npos && offered(s)) plugins.push_back(s);
  if (!plugins.empty()) {
    const int group = int(tree.items.size());
    add(kOtherPlugins, -1, Unchecked);
    for (const Text& s : plugins) add(s, group, typeState(s));
    tree.items[std::size_t(group)].state = groupState(tree, group);
  }
  tree.selected = tree.items.empty() ? -1 : 0;
}

void setSubtree(Control& tree, int item, int state) {
  for (int child : tree.childrenOf(item)) {
    tree.items[std::size_t(child)].state = state;
    setSubtree(tree, child, state);
  }
}

// A click on an item's state image: checked becomes unchecked, anything else
// checked, and its children follow; its parents take their state from their
// children. An always-installed item never changes.
void toggle(Control& tree, int item) {
  TreeItem& it = tree.items[std::size_t(item)];
  if (it.state == Disabled) return;
  it.state = it.state == Checked ? Unchecked : Checked;
  setSubtree(tree, item, it.state);
  for (int p = it.parent; p >= 0; p = tree.items[std::size_t(p)].parent)
    tree.items[std::size_t(p)].state = groupState(tree, p);
}

// The components chosen: items without children (a group stands for its
// children and is not counted) that are checked or always installed.
int selectedCount(const Control& tree) {
  int n = 0;
  for (int i = 0; i < int(tree.items.size()); ++i)
    if (isSelected(tree.items[std::size_t(i)].state) && tree.childrenOf(i).empty()) ++n;
  return n;
}

// The list names the first type with as many members as are chosen, else
// User; without a User entry it names none. The program's own selection:
// it rebuilds nothing.
void synchroniseInstallType(App& app, int count) {
  Control& list = app.form.CB_Installer_ComponentsPage_InstallTypes;
  const auto& members = app.state.installer.components.typeMembers;
  int match = -1, user = -1;
  for (int i = 0; i < int(list.entries.size()); ++i) {
    const int type = list.entries[std::size_t(i)].value;
    if (type == kUser && user < 0) user = i;
    if (match < 0 && members[std::size_t(type)] == count) match = i;
  }
  list.selected = match >= 0 ? match : user;
}

// The description box's labels: name line, copyright line, description.
struct Description {
  Text name, copyright, text;
};

void setDescription(App& app, const Description& d, bool component) {
  MainForm& f = app.form;
  f.Lbl_Installer_ComponentsPage_InfoName.caption = d.name;
  Control& copyright = f.Lbl_Installer_ComponentsPage_InfoCopyright;
  copyright.caption = d.copyright;
  copyright.bounds.height = app.scale(d.copyright.empty() ? 5 : 14);
  Control& text = f.Lbl_Installer_ComponentsPage_InfoDesc;
  text.caption = d.text;
  text.enabled = component;  // the no-component text is greyed
  const Margins m = component ? Margins{10, 1, 10, 5} : Margins{35, 10, 35, 5};
  text.margins = {app.scale(m.left), app.scale(m.top), app.scale(m.right), app.scale(m.bottom)};
  f.Lbl_Installer_ComponentsPage_InfoName.enabled = copyright.enabled = true;
  f.Img_Installer_ComponentsPage_Info.enabled = true;
}

void loadInfoPicture(App& app, Text (*name)(TextView, TextView)) {
  const WizardState& w = app.state.installer;
  loadPicture(app.platform.images, w.libraryPath, name(w.values.mode, densityBucket(app.density())),
              app.form.Img_Installer_ComponentsPage_Info);
}

void describeNothing(App& app) {
  WizardState& w = app.state.installer;
  if (w.components.described == Text()) return;
  w.components.described = Text();
  setDescription(app,
                 {upper(w.values.projectFullName), w.values.projectCopyright,
                  pageText(app, u"INSTALLER_COMPONENTS_PAGE_NO_COMPONENT_SELECTED")},
                 false);
  loadInfoPicture(app, pictureName::langPackDisabled);
}

// The texts and picture of one component: the pack's own components and
// the group have expanded texts; an additional plugin's show as written.
void describeComponent(App& app, const Text& key) {
  WizardState& w = app.state.installer;
  if (w.components.described == key) return;
  w.components.described = key;
  auto picture = pictureName::additionalPlugin;
  if (key == kMainPack) picture = pictureName::langPack;
  if (key == kHelpPlugin) picture = pictureName::helpPlugin;
  if (key == kClassicSkin) picture = pictureName::classicSkin;
  const bool own =
      key == kMainPack || key == kHelpPlugin || key == kClassicSkin || key == kOtherPlugins;
  auto text = [&](TextView suffix) {
    const Text t = componentText(app, key, suffix);
    return own ? expandPlaceholders(app, t) : t;
  };
  const Text name = key == kClassicSkin ? upper(componentText(app, key, u"_NAME"))
                                        : componentText(app, key, u"_SHORT_NAME");
  setDescription(app, {name, text(u"_COPYRIGHT"), text(u"_DESC")}, true);
  loadInfoPicture(app, picture);
}

void pointerMoved(App& app, const TreeHit& hit) {
  const Control& tree = app.form.TV_Installer_ComponentsPage_InstallTypes;
  if (hit.onItemOnly() && hit.item < int(tree.items.size()))
    describeComponent(app, tree.items[std::size_t(hit.item)].key);
  else
    describeNothing(app);
}

// Only a press on a state image changes a state, and it changes the item
// under the pointer, which it also selects.
void treeClicked(App& app, const TreeHit& hit) {
  Control& tree = app.form.TV_Installer_ComponentsPage_InstallTypes;
  if (!(hit.flags & treehit::OnStateIcon) || hit.item < 0 || hit.item >= int(tree.items.size()))
    return;
  tree.selected = hit.item;
  toggle(tree, hit.item);
  synchroniseInstallType(app, selectedCount(tree));
}

// The user picked a type: Full and Minimal rebuild the tree, User keeps it.
void installTypeChanged(App& app) {
  const Control& list = app.form.CB_Installer_ComponentsPage_InstallTypes;
  if (list.selected >= 0 && list.selected < int(list.entries.size()))
    buildTree(app, list.entries[std::size_t(list.selected)].value);
}

void placeControls(App& app) {
  MainForm& f = app.form;
  auto s = [&](Margins m) {
    return Margins{app.scale(m.left), app.scale(m.top), app.scale(m.right), app.scale(m.bottom)};
  };
  Control& title = f.Lbl_Installer_ComponentsPage_Title;
  title.caption = expandPlaceholders(app, pageText(app, u"INSTALLER_COMPONENTS_PAGE_TOP"));
  title.wordWrap = title.transparent = true;
  title.dock(Align::Top, app.scale(32), s({20, 10, 20, 1})).show();

  f.CB_Installer_ComponentsPage_InstallTypes.dock(Align::Top, app.scale(21), s({20, 1, 20, 0}))
      .show();

  Control& middle = f.P_Installer_ComponentsPage_Bkg;
  middle.background = kButtonFaceColor;
  middle.caption.clear();
  middle.dock(Align::Client, -1, s({20, 1, 20, 0})).show();

  Control& tree = f.TV_Installer_ComponentsPage_InstallTypes;
  tree.readOnly = tree.rowSelect = true;
  tree.indent = app.scale(19);
  tree.font = {u"Tahoma", 8, false, false};
  tree.stateImages = &f.IL_Installer_ComponentsPage;
  tree.dock(Align::Client, -1, s({0, 1, 5, 0})).show();

  Control& picture = f.Img_Installer_ComponentsPage_Info;
  picture.autoSize = picture.center = true;
  picture.dock(Align::Right, -1, s({5, 3, 10, 0})).show();

  Control& box = f.GB_Installer_ComponentsPage_InstallTypes;
  box.caption = pageText(app, u"INSTALLER_COMPONENTS_PAGE_DESC");
  box.dock(Align::Bottom, app.scale(122), s({20, 1, 20, 10})).show();

  Control& name = f.Lbl_Installer_ComponentsPage_InfoName;
  name.font = {u"Tahoma", 14, true, false};
  Control& copyright = f.Lbl_Installer_ComponentsPage_InfoCopyright;
  copyright.font = {u"Tahoma", 8, false, false};
  Control& text = f.Lbl_Installer_ComponentsPage_InfoDesc;
  text.font = {u"Tahoma", 8, false, false};
  for (Control* label : {&name, &copyright, &text}) {
    label->textAlign = TextAlign::Center;
    label->transparent = true;
    label->wordWrap = label == &text;
  }
  name.dock(Align::Top, app.scale(18), s({10, 2, 10, 0})).show();
  copyright.dock(Align::Top, app.scale(14), s({10, 1, 10, 2})).show();
  text.dock(Align::Client, -1, s({10, 1, 10, 5})).show();
}

void connectHandlers(App& app) {
  MainForm& f = app.form;
  Control& tree = f.TV_Installer_ComponentsPage_InstallTypes;
  tree.onTreeClick = [&app](const TreeHit& hit) { treeClicked(app, hit); };
  tree.onTreeMouseMove = [&app](const TreeHit& hit) { pointerMoved(app, hit); };
  tree.onMouseLeave = [&app] { describeNothing(app); };
  f.CB_Installer_ComponentsPage_InstallTypes.onChange = [&app] { installTypeChanged(app); };
}

// PluginSize as a byte count; missing, 0, negative or not a 64-bit number:
// none.
std::optional<std::int64_t> pluginSize(const IniDocument& config, TextView section) {
  const Text raw = config.readString(section, u"PluginSize");
  std::size_t i = !raw.empty() && raw[0] == u'+' ? 1 : 0;
  if (i == raw.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < raw.size(); ++i) {
    if (raw[i] < u'0' || raw[i] > u'9') return std::nullopt;
    const int digit = raw[i] - u'0';
    if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  if (value < 1) return std::nullopt;
  return value;
}

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
  const std::int64_t max = std::numeric_limits<std::int64_t>::max();
  return a > max - b ? max : a + b;
}

}  // namespace

void showComponentsPage(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  w.pageIndex = 2;
  fillStateImages(app.platform.images, w.libraryPath, pictureName::checkStates(w.dark),
                  f.IL_Installer_ComponentsPage);
  setInstallerCaption(app);
  f.P_Installer_DefaultPage.background = kButtonFaceColor;
  f.P_Installer_DefaultPage.dock(Align::Client).show();
  showInstallerPageHeader(
      app, expandPlaceholders(app, pageText(app, u"INSTALLER_COMPONENTS_PAGE_TITLE")),
      expandPlaceholders(app, pageText(app, u"INSTALLER_COMPONENTS_PAGE_SUBTITLE")));
  fillBrandingLabel(app);

  if (!w.components.confirmed) {
    fillInstallTypes(app);
    // The first entry's type; an empty list, or one whose first entry is
    // User, shows the Full tree.
    const Control& list = f.CB_Installer_ComponentsPage_InstallTypes;
    const int type = list.entries.empty() ? kUser : list.entries.front().value;
    buildTree(app, type == kUser ? kFull : type);
    placeControls(app);
    w.components.described.reset();
    describeNothing(app);
  }
  connectHandlers(app);

  const FooterCaptions& c = w.captions;
  setFooter(app, {{true, true, c.back}, {true, true, c.next}, {true, true, c.cancel}});
  f.P_Installer_ComponentsPage.background = kButtonFaceColor;
  f.P_Installer_ComponentsPage.dock(Align::Client).show();
  f.focusRequest = &f.CB_Installer_ComponentsPage_InstallTypes;
}

void leaveComponentsPage(App& app) {
  WizardState& w = app.state.installer;
  IniDocument& config = w.config;
  std::int64_t total = 0;
  for (const TreeItem& item : app.form.TV_Installer_ComponentsPage_InstallTypes.items) {
    // The group is no component of its own; its children are.
    if (item.key == kOtherPlugins || !config.hasSection(item.key)) continue;
    const bool chosen = isSelected(item.state);
    const auto size = pluginSize(config, item.key);
    // A declined component is always recorded, or the engine would install
    // it; a chosen one only with its size.
    if (chosen && !size) continue;
    config.write(item.key, u"PluginChoice", chosen ? u"1" : u"0");
    if (chosen) total = saturatingAdd(total, *size);
  }
  saveConfiguration(app, w);
  w.components.confirmed = true;
  w.selectedComponentsSize = total;
}

}  // namespace lingvora
