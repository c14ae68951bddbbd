// Every key the wizards and the language dialog read is in the lint's table
// of keys, with the use the table gives it: the walks below read the example
// pack's texts, each replaced by a mark of its own followed by a placeholder,
// and look for the marks in everything the program shows.
#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "Pack.h"
#include "engine/Channel.h"
#include "fakes/FakeRenderer.h"
#include "lint/TextKeys.h"

namespace lingvora::test {
namespace {

std::string source(const std::string& name) {
  std::ifstream in(std::string(LINGVORA_EXAMPLE_SOURCES) + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Bytes exampleLibrary() {
  std::ifstream in(LINGVORA_EXAMPLE_PIXORA, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

using Key = std::pair<Text, Text>;  // section and key, in upper case

// The example's text file with every value replaced by "#n#${PROJECT_VERSION}",
// and what each n stands for.
struct MarkedTexts {
  std::string file = "\xEF\xBB\xBF";
  std::map<int, Key> marks;
};

MarkedTexts markedTexts(const std::string& example) {
  MarkedTexts m;
  std::istringstream in(example);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto eq = line.find('=');
    if (!line.empty() && line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
    } else if (!line.empty() && line[0] != ';' && eq != std::string::npos) {
      const int n = int(m.marks.size()) + 1;
      m.marks[n] = {upper(T(section)), upper(T(line.substr(0, eq)))};
      line = line.substr(0, eq + 1) + "#" + std::to_string(n) + "#${PROJECT_VERSION}";
    }
    m.file += line + "\r\n";
  }
  return m;
}

Text percentDecoded(TextView t) {
  std::string bytes;
  const std::string s = S(t);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size()) {
      bytes.push_back(char(std::stoi(s.substr(i + 1, 2), nullptr, 16)));
      i += 2;
    } else {
      bytes.push_back(s[i]);
    }
  }
  return T(bytes);
}

// One run of GUI.exe on the example pack with marked texts: the keys it
// read and every text it showed.
struct Session : Pack {
  MarkedTexts texts = markedTexts(source("1045.ini"));
  std::set<Key> read;
  std::set<Text> shown;

  Session() : Pack(false, false, false) {
    p.files.put(u"C:\\Pack\\GUI.ini", "\xEF\xBB\xBF" + source("GUI.ini"));
    p.files.put(u"C:\\Pack\\1045.ini", texts.file);
    p.files.put(u"C:\\Pack\\languages.ini", "\xEF\xBB\xBF" + source("languages.ini"));
    p.files.putBytes(u"C:\\Pack\\Pixora.dll", exampleLibrary());
  }
  App& begin(std::vector<Text> args) {
    app.emplace(p.ports);
    app->onTextRead = [this](TextView section, TextView key) {
      read.insert({upper(section), upper(key)});
    };
    step([&] { formCreate(*app, args); });
    return *app;
  }
  // Runs one user action; the process may end in it.
  template <class F>
  void step(F action) {
    try {
      if (!exit) action();
    } catch (const ProcessExit& e) {
      exit = e.code;
    }
    harvest();
  }
  void harvest() {
    shown.insert(app->form.caption);
    for (const auto& b : p.dialogs.browsed) shown.insert(b.title);
    for (const Control* c : app->form.controls()) {
      shown.insert(c->caption);
      for (const auto& r : c->runs) shown.insert(r.text);
      for (const auto& i : c->items) shown.insert(i.text);
      for (const auto& e : c->entries) shown.insert(e.text);
      for (const auto& col : c->columns) shown.insert(col.caption);
      for (const auto& row : c->rows)
        for (const Text& cell : row.cells) shown.insert(cell);
    }
    for (const auto& b : p.dialogs.shown) shown.insert(b.caption), shown.insert(b.text);
    for (const Text& o : p.shell.opened) shown.insert(percentDecoded(o));
  }
  void click(const std::string& name) {
    step([&] { fake::FakeRenderer{app->form}.click(name); });
  }
  void next() { click("Btn_GUI_Next"); }
  void send(TextView text) {
    Bytes b;
    for (char16_t c : text) b.push_back(std::uint8_t(c)), b.push_back(std::uint8_t(c >> 8));
    step([&] { receiveEngineMessage(*app, kEngineMessageId, b.data(), b.size()); });
  }
};

const Text kPlayer = u"C:\\Program Files\\Winamp";

void pointAtEveryComponent(Session& r) {
  const Control& tree = r.app->form.TV_Installer_ComponentsPage_InstallTypes;
  for (int i = 0; i < int(tree.items.size()); ++i)
    r.step([&] {
      fake::FakeRenderer{r.app->form}.treeMove("TV_Installer_ComponentsPage_InstallTypes",
                                               treehit::OnLabel, i);
    });
}

// Welcome to Finish with a running player that closes when asked, the
// folder browser opened once, every offer of the Finish page ticked and a
// skin that cannot be written.
void installation(Session& r) {
  r.p.processes.run(40, kPlayer + u"\\winamp.exe");
  r.p.files.addDirectory(kPlayer + u"\\Skins\\Lingvora Classic");
  r.p.files.put(kPlayer + u"\\winamp.ini", "[Winamp]\r\n");
  r.p.files.readOnly.insert(fake::pathKey(kPlayer + u"\\winamp.ini"));
  r.begin({u"/ACTION=0"});
  r.click("Btn_GUI_Cancel");  // and No to the question
  for (int i = 0; i < 5 && r.app->state.installer.pageIndex < 5; ++i) {
    if (r.app->state.installer.pageIndex == 2) pointAtEveryComponent(r);
    if (r.app->state.installer.pageIndex == 3) r.click("Btn_Installer_DirectoryPage_Browse");
    r.next();
  }
  for (const char16_t* c :
       {u"LANG_PACK_OFFICIAL_WLZ", u"LANG_PACK_HELP_PLUGIN", u"LANG_PACK_CLASSIC_SKIN",
        u"LANG_PACK_PLUGIN_MILKDROP", u"LANG_PACK_PLUGIN_AVS"})
    r.send(Text(u"ID_SECTION_") + c);
  r.send(u"ID_SECTION_END");
  r.send(u"ID_SECTION_FINISH");
  r.next();
  for (int i = 0; i < 180; ++i)
    r.step([&] { fake::FakeRenderer{r.app->form}.tick("TimerDonation"); });
  r.next();
  for (Control* c : r.app->form.controls())
    if (c->kind == ControlKind::CheckBox) userCheck(*c, true);
  r.next();
}

void abortedInstallation(Session& r) {
  r.begin({u"/ACTION=0"});
  for (int i = 0; i < 4; ++i) r.next();
  r.send(u"ID_SECTION_LANG_PACK_OFFICIAL_WLZ");
  r.send(u"ID_ABORT");
  r.next();
}

// A player that will not end stops the installer.
void blockedPlayer(Session& r) {
  auto& player = r.p.processes.run(40, kPlayer + u"\\winamp.exe");
  player.closesWhenAsked = player.endable = false;
  r.begin({u"/ACTION=0"});
  for (int i = 0; i < 5; ++i) r.next();
}

// The Directory page on a player the pack is not made for, or on a full drive.
void refusedDirectory(Session& r, const std::string& player, bool fullDrive = false) {
  installPlayer(r.p, kPlayer, player);
  if (fullDrive) r.p.files.drives[u"C:\\"] = {std::int64_t(100) << 30, 1024};
  r.begin({u"/ACTION=0"});
  for (int i = 0; i < 3; ++i) r.next();
}

void noPlayer(Session& r) {
  r.p.files.files.erase(fake::pathKey(kPlayer + u"\\winamp.exe"));
  r.begin({u"/ACTION=0"});
}

void noLibrary(Session& r, const Text& action) {
  r.p.files.files.erase(fake::pathKey(u"C:\\Pack\\Pixora.dll"));
  r.begin({action});
}

void oldSystem(Session& r) {
  r.p.system.os = {5, 1, 2600};
  r.begin({u"/ACTION=0"});
}

// The pack recorded as installed into the player's folder; the player runs
// and closes when asked; every offer of the Finish page ticked.
void uninstallation(Session& r, bool aborted = false) {
  if (r.p.processes.table.empty()) r.p.processes.run(40, kPlayer + u"\\winamp.exe");
  const Text entry =
      u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lingvora Winamp Language Pack";
  r.p.registry.strings[fake::FakeRegistry::key(Hive::LocalMachine, entry, u"InstallLocation")] =
      kPlayer;
  r.p.registry.strings[fake::FakeRegistry::key(Hive::LocalMachine, entry, u"InstallDate")] =
      u"20260301";
  r.begin({u"/ACTION=1"});
  r.click("Btn_GUI_Cancel");
  for (int i = 0; i < 3 && r.app->state.uninstaller.pageIndex < 3; ++i) r.next();
  for (const char16_t* c : {u"LANG_PACK_OFFICIAL_WLZ", u"LANG_PACK_HELP_PLUGIN"})
    r.send(Text(u"ID_SECTION_") + c);
  if (aborted) return r.send(u"ID_ABORT");
  r.send(u"ID_SECTION_END");
  r.send(u"ID_SECTION_FINISH");
  r.next();
  for (Control* c : r.app->form.controls())
    if (c->kind == ControlKind::CheckBox) userCheck(*c, true);
  r.next();
}

void blockedPlayerUninstalling(Session& r) {
  auto& player = r.p.processes.run(41, kPlayer + u"\\winamp.exe");
  player.closesWhenAsked = player.endable = false;
  uninstallation(r);
}

void abortedUninstallation(Session& r) { uninstallation(r, true); }

void packNotInstalled(Session& r) { r.begin({u"/ACTION=1"}); }

void languageDialog(Session& r) {
  r.begin({u"/LANG=languages.ini"});
  r.step([&] { formShow(*r.app); });
  for (int i = 0; i < 2; ++i)
    r.step([&] { fake::FakeRenderer{r.app->form}.select("CB_Lang_Languages", i); });
}

TEST(TextKeys, EveryKeyReadIsInTheTableWithItsUse) {
  std::map<Key, std::set<std::string>> uses;  // "expanded", "as read"
  std::set<Key> read;
  using Walk = std::function<void(Session&)>;
  const Walk walks[] = {installation,
                        abortedInstallation,
                        blockedPlayer,
                        noPlayer,
                        [](Session& r) { refusedDirectory(r, "winamp-5.9.1/winamp.exe"); },
                        [](Session& r) { refusedDirectory(r, "winamp-5.9.3/winamp.exe"); },
                        [](Session& r) { refusedDirectory(r, "wacup-branded/winamp.exe"); },
                        [](Session& r) { refusedDirectory(r, "winamp-5.9.2/winamp.exe", true); },
                        [](Session& r) { noLibrary(r, u"/ACTION=0"); },
                        [](Session& r) { noLibrary(r, u"/ACTION=1"); },
                        oldSystem,
                        [](Session& r) { uninstallation(r); },
                        abortedUninstallation,
                        blockedPlayerUninstalling,
                        packNotInstalled,
                        languageDialog};
  for (const Walk& walk : walks) {
    Session r;
    walk(r);
    read.insert(r.read.begin(), r.read.end());
    for (const auto& [n, key] : r.texts.marks) {
      const Text mark = u"#" + decimal(n) + u"#";
      for (const Text& t : r.shown) {
        const auto at = t.find(mark);
        if (at == Text::npos) continue;
        const TextView rest = TextView(t).substr(at + mark.size());
        uses[key].insert(rest.starts_with(u"${PROJECT_VERSION}") ? "as read" : "expanded");
      }
    }
  }
  const std::vector<Text> components = {u"LANG_PACK_OFFICIAL_WLZ", u"LANG_PACK_HELP_PLUGIN",
                                        u"LANG_PACK_CLASSIC_SKIN", u"LANG_PACK_PLUGIN_MILKDROP",
                                        u"LANG_PACK_PLUGIN_AVS"};
  const auto listKeys = languageListKeys();
  for (const auto& [section, key] : read) {
    SCOPED_TRACE(S(section) + " " + S(key));
    long long id = 0;
    if (parseInteger(section, id)) {
      EXPECT_TRUE(std::any_of(listKeys.begin(), listKeys.end(),
                              [&](TextView k) { return equalsNoCase(k, key); }));
      continue;
    }
    const auto use = textKeyUse(section, key, components);
    ASSERT_TRUE(use) << "read by a page, missing from the table";
    if (const auto seen = uses.find({section, key}); seen != uses.end()) {
      EXPECT_EQ(*use == TextUse::AsRead, seen->second.count("as read") != 0);
    }
  }
  // The walks reach the last pages and the stops they aim at.
  for (const Key& reached : std::vector<Key>{
           {u"INSTALLER_FINISH_PAGE", u"INSTALLER_FINISH_PAGE_TOP"},
           {u"INSTALLER_INSTALLATION_PAGE", u"INSTALLER_INSTALLATION_PAGE_TITLE_ABORT"},
           {u"INSTALLER_PROCESS_MONITOR_PAGE", u"INSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_4"},
           {u"INSTALLER_INIT", u"INSTALLER_INIT_9"},
           {u"INSTALLER_DIRECTORY_PAGE", u"INSTALLER_DIRECTORY_PAGE_DIR_BROWSE"},
           {u"INSTALLER_FINISH_PAGE", u"INSTALLER_FINISH_PAGE_SKIN_ERROR"},
           {u"UNINSTALLER_INSTALLATION_PAGE", u"UNINSTALLER_INSTALLATION_PAGE_SUBTITLE_ABORT"},
           {u"INSTALLER_DIRECTORY_PAGE",
            u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_OLDER_VERSION_INSTALLED"},
           {u"INSTALLER_DIRECTORY_PAGE",
            u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_NEWER_VERSION_INSTALLED"},
           {u"INSTALLER_DIRECTORY_PAGE", u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_WACUP_INSTALLED"},
           {u"INSTALLER_DIRECTORY_PAGE", u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_2"},
           {u"UNINSTALLER_FINISH_PAGE", u"UNINSTALLER_FINISH_PAGE_BODY"},
           {u"UNINSTALLER_PROCESS_MONITOR_PAGE", u"UNINSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_4"},
           {u"UNINSTALLER_INIT", u"UNINSTALLER_INIT_11"},
           {u"LANG_PACK_OTHER_PLUGINS", u"LANG_PACK_OTHER_PLUGINS_DESC"},
           {u"1033", u"TITLE"}})
    EXPECT_TRUE(read.count(reached)) << S(reached.second);
}

}  // namespace
}  // namespace lingvora::test
