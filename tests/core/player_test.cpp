#include "Pack.h"
#include "config/Config.h"
#include "pe/VersionResources.h"
#include "player/Probe.h"
#include "player/Version.h"

namespace lingvora::test {
namespace {

TEST(VersionData, FromRealExecutables) {
  fake::FakePlatform p;
  installPlayer(p, u"C:\\A", "winamp-5.9.2/winamp.exe");
  installPlayer(p, u"C:\\B", "winamp-5.9.3/winamp.exe");
  installPlayer(p, u"C:\\C", "no-version/winamp.exe");
  installPlayer(p, u"C:\\D", "other-translation/winamp.exe");
  TEXEVersionData a = readVersionData(p.versions, u"C:\\A\\winamp.exe");
  EXPECT_EQ(a.FileVersion, u"5.9.2.10042");  // "5, 9, 2, 10042" normalised
  EXPECT_EQ(a.ProductVersion, u"5.9.2.10042");
  EXPECT_EQ(a.ProductName, u"Winamp");
  EXPECT_EQ(a.CompanyName, u"Radionomy Group");
  EXPECT_EQ(a.LegalTrademarks, u"");
  EXPECT_EQ(readFileVersion(p.files, p.versions, u"C:\\A\\winamp.exe"), u"5.9.2.10042");
  // Strings under 041504E2, found through the first translation.
  EXPECT_EQ(readVersionData(p.versions, u"C:\\B\\winamp.exe").FileVersion, u"5.9.3Build10100");
  EXPECT_EQ(readFileVersion(p.files, p.versions, u"C:\\B\\winamp.exe"), u"5.9.3.10100");
  // No version resource: everything empty.
  EXPECT_EQ(readVersionData(p.versions, u"C:\\C\\winamp.exe").ProductName, u"");
  EXPECT_EQ(readFileVersion(p.files, p.versions, u"C:\\C\\winamp.exe"), u"");
  EXPECT_EQ(readFileVersion(p.files, p.versions, u"C:\\Missing\\winamp.exe"), u"");
  // The first translation names a language the strings are not stored under.
  EXPECT_EQ(readVersionData(p.versions, u"C:\\D\\winamp.exe").ProductName, u"");
  EXPECT_EQ(readFileVersion(p.files, p.versions, u"C:\\D\\winamp.exe"), u"5.9.2.10042");
}

TEST(VersionData, DamagedBlocksGiveEmptyFields) {
  fake::FakePlatform p;
  installPlayer(p, u"C:\\A", "winamp-5.9.2/winamp.exe");
  Bytes block = *p.versions.load(u"C:\\A\\winamp.exe");
  for (std::size_t cut = 0; cut < block.size(); cut += 7) {
    Bytes part(block.begin(), block.begin() + std::ptrdiff_t(cut));
    queryVersionBlock(part, u"\\StringFileInfo\\040904B0\\ProductName");
    queryVersionBlock(part, u"\\");
  }
  Bytes damaged = block;
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    damaged[i] ^= 0xFF;
    queryVersionBlock(damaged, u"\\StringFileInfo\\040904B0\\ProductName");
    queryVersionBlock(damaged, u"\\VarFileInfo\\Translation\\");
    damaged[i] ^= 0xFF;
  }
  // A fixed block without its signature is no version.
  Bytes unsigned_ = block;
  auto fixed = queryVersionBlock(block, u"\\");
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->size(), 52u);
  EXPECT_EQ(queryVersionBlock(block, u"\\stringfileinfo\\040904b0\\productname"),
            queryVersionBlock(block, u"\\StringFileInfo\\040904B0\\ProductName"));
}

TEST(CompareVersions, Table) {
  struct {
    const char16_t *a, *b, *result;
  } cases[] = {
      {u"5.9.2.10042", u"5.9.2.10042", u"0"},
      {u"5.9.2.10042", u"5.9.1.10029", u"1"},
      {u"5.9.2.10042", u"5.9.2.10043", u"2"},
      {u"5.9", u"5.9.0.0", u"1"},
      {u"", u"5.9.2.10042", u"2"},
      {u"5,9,2,10042", u"5.9.2.10042", u"0"},
      {u"5 9 2 10042", u"5.9.2.10042", u"0"},
      {u"5.9.2.10042a", u"5.9.2.0", u"1"},
      {u"5.9.2.10042a", u"5.9.2.1", u"2"},
      {u"$A.0", u"10.0", u"1"},
      {u"0x10", u"16", u"1"},
      {u"-1", u"0", u"2"},
      {u"5.9.2.1.7", u"5.9.2.1.9", u"1"},
      {u"99999999999", u"0", u"1"},
  };
  for (auto c : cases) EXPECT_EQ(compareVersions(c.a, c.b), c.result) << S(c.a) << " vs " << S(c.b);
}

TEST(SplitText, Pieces) {
  EXPECT_EQ(splitText(u"", u'.'), TTableString{});
  EXPECT_EQ(splitText(u"a..b", u'.'), (TTableString{u"a", u"", u"b"}));
  EXPECT_EQ(splitText(u"5.9.", u'.'), (TTableString{u"5", u"9"}));
  EXPECT_EQ(splitText(u".5", u'.'), (TTableString{u"", u"5"}));
  EXPECT_EQ(splitText(u" 5 .\t9 ", u'.'), (TTableString{u"5", u"9"}));
  EXPECT_EQ(textPart(u'.', u"5.9.2", 2), u"2");
  EXPECT_EQ(textPart(u'.', u"5.9.2", 3), u"");
}

struct Machine {
  fake::FakePlatform p;
  Machine() {
    p.shell.folders[38] = u"C:\\Program Files\\";
    p.shell.folders[26] = u"C:\\Users\\u\\AppData\\Roaming";
    p.shell.variables[u"APPDATA"] = u"C:\\Users\\u\\AppData\\Roaming";
  }
  void uninstallString(const Text& v) {
    p.registry.strings[fake::FakeRegistry::key(
        Hive::LocalMachine, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp",
        u"UninstallString")] = v;
  }
};

TEST(FindPlayerDirectory, Precedence) {
  struct Case {
    const char* name;
    Text given;
    std::optional<Text> uninstall;
    bool programFiles;
    Text expected;
  };
  const std::vector<Case> cases = {
      {"given wins", u"D:\\Given\\", u"\"D:\\Apps\\Winamp\\UninstWA.exe\"", true, u"D:\\Given"},
      {"quoted uninstaller", u"", u"\"D:\\Apps\\Winamp\\UninstWA.exe\"", true, u"D:\\Apps\\Winamp"},
      {"WACUP uninstaller", u"", u"\"D:\\Apps\\WACUP\\UninstWACUP.exe\"", false,
       u"D:\\Apps\\WACUP"},
      {"arguments stay", u"", u"\"D:\\Apps\\Winamp\\UninstWA.exe\" /S", false,
       u"D:\\Apps\\Winamp\\ /S"},
      {"lower case stays", u"", u"D:\\Apps\\Winamp\\uninstwa.exe", false,
       u"D:\\Apps\\Winamp\\uninstwa.exe"},
      {"missing given", u"E:\\Nowhere", u"\"D:\\Apps\\Winamp\\UninstWA.exe\"", true,
       u"D:\\Apps\\Winamp"},
      {"program files", u"", std::nullopt, true, u"C:\\Program Files\\Winamp"},
      {"nothing", u"", std::nullopt, false, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Machine m;
    m.p.files.addDirectory(u"D:\\Given");
    if (c.uninstall) m.uninstallString(*c.uninstall);
    if (c.programFiles) m.p.files.addDirectory(u"C:\\Program Files\\Winamp");
    EXPECT_EQ(S(findPlayerDirectory(m.p.ports, c.given)), S(c.expected));
  }
}

TEST(MarkerExpansion, FoldersAndEnvironment) {
  Machine m;
  Platform& p = m.p.ports;
  EXPECT_EQ(expandFolderMarkers(p, u"{26}\\Winamp"), u"C:\\Users\\u\\AppData\\Roaming\\Winamp");
  EXPECT_EQ(expandFolderMarkers(p, u"{26}\\{38}"),
            u"C:\\Users\\u\\AppData\\Roaming\\C:\\Program Files");
  EXPECT_EQ(expandFolderMarkers(p, u"{26\\Winamp}}"), u"{26\\Winamp}}");  // unequal counts
  EXPECT_EQ(expandFolderMarkers(p, u"{x}\\Winamp"), u"{x}\\Winamp");
  EXPECT_EQ(expandFolderMarkers(p, u"{}\\Winamp"), u"{}\\Winamp");
  EXPECT_EQ(expandEnvironmentMarkers(p, u"%APPDATA%\\Winamp"),
            u"C:\\Users\\u\\AppData\\Roaming\\Winamp");
  EXPECT_EQ(expandEnvironmentMarkers(p, u"%APPDATA\\Winamp"), u"%APPDATA\\Winamp");  // odd count
  EXPECT_EQ(expandEnvironmentMarkers(p, u"%NOPE%\\Winamp"), u"\\Winamp");
}

TEST(MarkerExpansion, SelfReferenceStops) {
  Machine m;
  m.p.shell.variables[u"LOOP"] = u"%LOOP%%LOOP%";
  m.p.shell.folders[99] = u"{99}";
  const Text env = expandEnvironmentMarkers(m.p.ports, u"%LOOP%");
  EXPECT_NE(env.find(u"%LOOP%"), Text::npos);  // returned as it stood after the last round
  EXPECT_EQ(expandFolderMarkers(m.p.ports, u"{99}"), u"{99}");
}

struct PathsCase {
  const char* name;
  std::string pathsIni;  // empty: no paths.ini
  std::vector<Text> dirs;
  std::vector<Text> files;
  Text configDir, configFile;
};

TEST(ConfigurationPaths, ResolvedFromPathsIni) {
  const Text w = u"C:\\Program Files\\Winamp";
  const Text roaming = u"C:\\Users\\u\\AppData\\Roaming\\Winamp";
  const std::vector<PathsCase> cases = {
      {"no paths.ini", "", {}, {}, w, w + u"\\winamp.ini"},
      {"folder marker",
       "[Winamp]\r\ninidir={26}\\Winamp\r\n",
       {roaming},
       {},
       roaming,
       w + u"\\winamp.ini"},
      {"environment",
       "[winamp]\r\nINIDIR=%APPDATA%\\Winamp\\\r\n",
       {roaming},
       {roaming + u"\\winamp.ini"},
       roaming,
       roaming + u"\\winamp.ini"},
      {"relative",
       "[Winamp]\r\ninidir=.\\Settings\r\n",
       {w + u"\\Settings"},
       {},
       w + u"\\Settings",
       w + u"\\winamp.ini"},
      {"relative missing", "[Winamp]\r\ninidir=.\\Settings\r\n", {}, {}, w, w + u"\\winamp.ini"},
      {"absolute missing", "[Winamp]\r\ninidir=E:\\Gone\r\n", {}, {}, w, w + u"\\winamp.ini"},
      {"absolute",
       "[Winamp]\r\ninidir=\"E:\\Config\\\"\r\n",
       {u"E:\\Config"},
       {},
       u"E:\\Config",
       w + u"\\winamp.ini"},
      {"inifile",
       "[Winamp]\r\ninidir={26}\\Winamp\r\ninifile=custom.ini\r\n",
       {roaming},
       {roaming + u"\\custom.ini"},
       roaming,
       roaming + u"\\custom.ini"},
      {"inifile missing",
       "[Winamp]\r\ninidir={26}\\Winamp\r\ninifile=custom.ini\r\n",
       {roaming},
       {roaming + u"\\winamp.ini"},
       roaming,
       roaming + u"\\winamp.ini"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Machine m;
    m.p.files.addDirectory(w);
    if (!c.pathsIni.empty()) m.p.files.put(w + u"\\paths.ini", c.pathsIni);
    for (const Text& d : c.dirs) m.p.files.addDirectory(d);
    for (const Text& f : c.files) m.p.files.put(f, "[Winamp]\r\n");
    const Text configDir = resolveConfigDirectory(m.p.ports, w);
    EXPECT_EQ(S(configDir), S(c.configDir));
    EXPECT_EQ(S(resolveConfigFile(m.p.ports, w, configDir)), S(c.configFile));
  }
}

TEST(ConfigurationPaths, FlagsAndPlayerDirectories) {
  Machine m;
  Platform& p = m.p.ports;
  EXPECT_TRUE(detectPortableConfiguration(u"C:\\Winamp", u"c:\\WINAMP"));
  EXPECT_TRUE(detectPortableConfiguration(u"C:\\Winamp", u"C:\\Winamp\\Settings"));
  EXPECT_FALSE(detectPortableConfiguration(u"C:\\Winamp", u"C:\\Users\\u\\Winamp"));
  m.p.files.put(u"C:\\W\\paths.ini", "[Winamp]\r\nportable=1\r\n");
  EXPECT_TRUE(detectOsPortable(p, u"C:\\W\\paths.ini", true));
  EXPECT_FALSE(detectOsPortable(p, u"C:\\W\\paths.ini", false));
  EXPECT_FALSE(detectOsPortable(p, u"", true));
  m.p.files.put(u"C:\\W\\winamp.ini", "[Winamp]\r\nSkinDir=D:\\Skins\\\r\nLangDir=\r\n");
  EXPECT_EQ(findSkinsDirectory(p, u"C:\\W", u"C:\\W\\winamp.ini"), u"D:\\Skins\\");  // as written
  EXPECT_EQ(findLanguageDirectory(p, u"C:\\W", u"C:\\W\\winamp.ini"), u"C:\\W\\Lang");
  EXPECT_EQ(findSkinsDirectory(p, u"C:\\W", u"C:\\W\\none.ini"), u"C:\\W\\Skins");
  EXPECT_EQ(findPluginsDirectory(u"C:\\W"), u"C:\\W\\Plugins");
  EXPECT_EQ(drivePart(u"C:\\Apps"), u"C:");
  EXPECT_EQ(drivePart(u"\\\\server\\share\\Winamp"), u"\\\\server\\share");
}

// The installer started on a machine with a player.
struct Installer : Pack {
  Installer(const Text& mode, const std::string& player, const Text& exe = u"winamp.exe") {
    p.files.put(u"C:\\Pack\\GUI.ini",
                "[NAME]\r\nMODE=" + S(mode) +
                    "\r\nmVERSION=5.9.2.10042\r\n[PROJECT]\r\nProjectRegName=X\r\n");
    p.files.files.erase(fake::pathKey(u"C:\\Program Files\\Winamp\\winamp.exe"));
    if (!player.empty()) installPlayer(p, u"D:\\Winamp", player, exe);
    p.files.addDirectory(u"D:\\Winamp");
    p.files.drives[u"D:\\"] = {1000, 600};
    // The startup probe finds this player through its uninstall entry.
    p.registry.strings[fake::FakeRegistry::key(
        Hive::LocalMachine, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp",
        u"UninstallString")] = u"\"D:\\Winamp\\UninstWA.exe\"";
  }
};

TEST(CheckPlayerDirectory, Verdicts) {
  struct Case {
    const char* name;
    Text mode;
    std::string player;
    Text exe;
    std::int64_t required;
    DirectoryVerdict verdict;
  };
  const std::vector<Case> cases = {
      {"same version", u"WINAMP", "winamp-5.9.2/winamp.exe", u"winamp.exe", 0,
       DirectoryVerdict::Ok},
      {"older", u"WINAMP", "winamp-5.9.1/winamp.exe", u"winamp.exe", 0,
       DirectoryVerdict::OlderVersionInstalled},
      {"newer", u"WINAMP", "winamp-5.9.3/winamp.exe", u"winamp.exe", 0,
       DirectoryVerdict::NewerVersionInstalled},
      {"WACUP by name, pack for Winamp", u"WINAMP", "wacup-branded/winamp.exe", u"winamp.exe", 0,
       DirectoryVerdict::WacupInstalled},
      {"WACUP pack", u"WACUP", "wacup-branded/winamp.exe", u"winamp.exe", 0, DirectoryVerdict::Ok},
      {"Winamp with a WACUP pack", u"WACUP", "winamp-5.9.2/winamp.exe", u"winamp.exe", 0,
       DirectoryVerdict::Ok},
      {"wacup.exe only", u"WACUP", "wacup/wacup.exe", u"wacup.exe", 0,
       DirectoryVerdict::PlayerNotFound},
      {"no version", u"WINAMP", "no-version/winamp.exe", u"winamp.exe", 0,
       DirectoryVerdict::OlderVersionInstalled},
      {"full drive before the player", u"WINAMP", "", u"winamp.exe", 601,
       DirectoryVerdict::NotEnoughSpace},
      {"exactly enough", u"WINAMP", "winamp-5.9.2/winamp.exe", u"winamp.exe", 600,
       DirectoryVerdict::Ok},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Installer pack(c.mode, "winamp-5.9.2/winamp.exe");
    App& app = pack.start({u"/ACTION=0"});
    ASSERT_FALSE(pack.exit);
    pack.p.files.files.erase(fake::pathKey(u"D:\\Winamp\\winamp.exe"));
    if (!c.player.empty()) installPlayer(pack.p, u"D:\\Winamp", c.player, c.exe);
    app.state.installer.selectedComponentsSize = c.required;
    EXPECT_EQ(checkPlayerDirectory(app, u"D:\\Winamp", false), c.verdict);
    const DiskFigures& d = app.state.installer.disk;
    EXPECT_EQ(d.capacity, 1000);
    EXPECT_EQ(d.used, 400);
    EXPECT_EQ(d.free, 600);
  }
}

TEST(CheckPlayerDirectory, RecordAndPartialUpdate) {
  Installer pack(u"WINAMP", "winamp-5.9.2/winamp.exe");
  pack.p.files.put(u"D:\\Winamp\\paths.ini", "[Winamp]\r\ninidir=.\\Settings\r\n");
  pack.p.files.addDirectory(u"D:\\Winamp\\Settings");
  pack.p.files.put(u"D:\\Winamp\\Settings\\winamp.ini", "[Winamp]\r\nSkinDir=E:\\Skins\r\n");
  App& app = pack.start({u"/ACTION=0"});
  ASSERT_FALSE(pack.exit);
  EXPECT_EQ(checkPlayerDirectory(app, u"D:\\Winamp\\", false), DirectoryVerdict::Ok);
  const WinampRecord& r = app.state.installer.record;
  EXPECT_EQ(r.InstallDir, u"D:\\Winamp");
  EXPECT_EQ(r.ExeFileName, u"D:\\Winamp\\winamp.exe");
  EXPECT_EQ(r.PathsConfig, u"D:\\Winamp\\paths.ini");
  EXPECT_EQ(r.ConfigDir, u"D:\\Winamp\\Settings");
  EXPECT_EQ(r.ConfigFile, u"D:\\Winamp\\Settings\\winamp.ini");
  EXPECT_TRUE(r.Portable);
  EXPECT_FALSE(r.WacupType);
  EXPECT_EQ(r.SkinsDir, u"E:\\Skins");
  EXPECT_EQ(r.PluginsDir, u"D:\\Winamp\\Plugins");
  EXPECT_EQ(r.LangPackDir, u"D:\\Winamp\\Lang");
  EXPECT_EQ(r.Version, u"5.9.2.10042");
  EXPECT_EQ(r.FileVersion, u"5.9.2.10042");
  EXPECT_EQ(expandPlaceholders(app, u"${CURRENT_VERSION}"), u"5.9.2.10042");

  // A directory without a player: InstallDir moves, the rest stays.
  pack.p.files.addDirectory(u"D:\\Empty");
  EXPECT_EQ(checkPlayerDirectory(app, u"D:\\Empty", false), DirectoryVerdict::PlayerNotFound);
  EXPECT_EQ(r.InstallDir, u"D:\\Empty");
  EXPECT_EQ(r.ExeFileName, u"D:\\Winamp\\winamp.exe");
  // No disk information.
  pack.p.files.drives.clear();
  EXPECT_EQ(checkPlayerDirectory(app, u"D:\\Winamp", false), DirectoryVerdict::DiskInfoUnavailable);
  // A missing directory is not found, though a player is registered: the
  // page shows the directory it names, so no other may stand in for it.
  EXPECT_EQ(checkPlayerDirectory(app, u"Q:\\Nowhere", false), DirectoryVerdict::DirectoryNotFound);
  EXPECT_EQ(r.InstallDir, u"D:\\Winamp");
  // An empty one still falls back to the registered player, whose drive
  // part is not the empty directory's: no figures.
  EXPECT_EQ(checkPlayerDirectory(app, u"", false), DirectoryVerdict::DiskInfoUnavailable);
  // Without a registered or standard player nothing is found.
  pack.p.registry.strings.clear();
  pack.p.files.directories.erase(fake::pathKey(u"C:\\Program Files\\Winamp"));
  EXPECT_EQ(checkPlayerDirectory(app, u"", false), DirectoryVerdict::DirectoryNotFound);
}

TEST(StartupProbe, NoPlayerAsksAndNoEndsWithCode6) {
  for (bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    Pack pack;
    pack.p.files.put(
        u"C:\\Pack\\1045.ini",
        std::string(kLocaleIni) +
            "[INSTALLER_DIRECTORY_PAGE]\r\n"
            "INSTALLER_DIRECTORY_PAGE_MSG_ERROR_NOT_INSTALLED=Brak Winampa ${WINAMP_VERSION}\r\n");
    pack.p.files.files.erase(fake::pathKey(u"C:\\Program Files\\Winamp\\winamp.exe"));
    pack.p.files.directories.clear();
    if (yes) pack.p.dialogs.answers.push_back(MessageAnswer::Yes);
    App& app = pack.start({u"/ACTION=0"});
    ASSERT_EQ(pack.p.dialogs.shown.size(), 1u);
    EXPECT_EQ(pack.lastBox().caption, u"Blad");
    EXPECT_EQ(pack.lastBox().text, u"Brak Winampa 5.9.2");
    EXPECT_EQ(pack.lastBox().buttons, MessageButtons::YesNo);
    EXPECT_EQ(pack.lastBox().icon, MessageIcon::Warning);
    EXPECT_EQ(pack.exit, yes ? std::nullopt : std::optional<int>(6));
    EXPECT_EQ(app.state.installer.record.InstallDir, u"");
  }
}

TEST(StartupProbe, PlayerFoundFillsTheRecordWithoutAsking) {
  Pack pack;
  installPlayer(pack.p, u"C:\\Program Files\\Winamp", "winamp-5.9.1/winamp.exe");
  App& app = pack.start({u"/ACTION=0"});
  ASSERT_FALSE(pack.exit);
  EXPECT_TRUE(pack.p.dialogs.shown.empty());
  EXPECT_EQ(app.state.installer.record.Version, u"5.9.1.10029");  // the verdict is ignored
}

TEST(ProbeInstalledPack, FromThePacksUninstallEntry) {
  Pack pack;
  auto key = [](const char16_t* value) {
    return fake::FakeRegistry::key(
        Hive::LocalMachine,
        u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lingvora Pack", value);
  };
  pack.p.registry.strings[key(u"InstallLocation")] = u"D:\\WACUP";
  pack.p.registry.strings[key(u"InstallDate")] = u"20260301";
  installPlayer(pack.p, u"D:\\WACUP", "wacup/wacup.exe", u"wacup.exe");
  App& app = pack.start({u"/ACTION=1"});
  ASSERT_FALSE(pack.exit);
  const WizardState& w = app.state.uninstaller;
  EXPECT_EQ(w.packInstallDate, u"20260301");
  EXPECT_EQ(w.record.InstallDir, u"D:\\WACUP");
  EXPECT_EQ(w.record.ExeFileName, u"D:\\WACUP\\wacup.exe");
  EXPECT_TRUE(w.record.WacupType);
  EXPECT_EQ(w.record.ProductName, u"WACUP");
  EXPECT_EQ(w.record.Version, u"1.9.20.18000");
}

TEST(ProbeInstalledPack, NotFoundEndsWithCode5) {
  struct Case {
    const char* name;
    std::optional<Text> location;
    bool player;
    std::string locationLine;
  };
  for (const Case& c : {Case{"no entry", std::nullopt, false, ""},
                        Case{"no directory", Text(u"E:\\Gone"), false, "E:\\Gone"},
                        Case{"no player", Text(u"D:\\Empty"), false, "D:\\Empty"}}) {
    SCOPED_TRACE(c.name);
    Pack pack;
    const Text key = fake::FakeRegistry::key(
        Hive::LocalMachine,
        u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lingvora Pack",
        u"InstallLocation");
    pack.p.registry.strings.erase(key);
    if (c.location) pack.p.registry.strings[key] = *c.location;
    pack.p.files.addDirectory(u"D:\\Empty");
    pack.start({u"/ACTION=1"});
    EXPECT_EQ(pack.exit, 5);
    EXPECT_EQ(S(pack.lastBox().caption), "uBlad");
    EXPECT_EQ(S(pack.lastBox().text), "uDwa Nie ma pakietu.\n\r\n\rKatalog:\n\r" + c.locationLine +
                                          "\n\r\n\ruDziewiec\n\r\n\rhttps://example.org/index.php");
  }
}

TEST(ProbeInstalledPack, OnlyAFullPathOfARegisteredEntryIsAnInstallation) {
  // Each location exists as the engine's working directory would resolve
  // it, with a player in it; none of them is where the pack was installed.
  struct Case {
    const char* name;
    std::string regName;
    Text location;
  };
  const Text parentKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  for (const Case& c : {Case{"empty", "Lingvora Pack", u""}, Case{"blank", "Lingvora Pack", u"  "},
                        Case{"relative", "Lingvora Pack", u"Winamp"},
                        Case{"dot relative", "Lingvora Pack", u".\\Winamp"},
                        Case{"rooted on the current drive", "Lingvora Pack", u"\\Winamp"},
                        Case{"relative to a drive", "Lingvora Pack", u"C:Winamp"},
                        Case{"no registry name", "", u"C:\\Program Files\\Winamp"}}) {
    SCOPED_TRACE(c.name);
    Pack pack;
    std::string gui = kGuiIni;
    gui.replace(gui.find("ProjectRegName=Lingvora Pack"), 28, "ProjectRegName=" + c.regName);
    pack.p.files.put(u"C:\\Pack\\GUI.ini", gui);
    for (const Text& dir :
         {Text(u"Winamp"), Text(u".\\Winamp"), Text(u"\\Winamp"), Text(u"C:Winamp"), Text(u"  ")})
      installPlayer(pack.p, dir, "winamp-5.9.2/winamp.exe");
    auto& strings = pack.p.registry.strings;
    strings[fake::FakeRegistry::key(Hive::LocalMachine, parentKey + T(c.regName),
                                    u"InstallLocation")] = c.location;
    // Without a name, the parent key itself must not be read.
    strings[fake::FakeRegistry::key(Hive::LocalMachine, parentKey, u"InstallLocation")] =
        u"C:\\Program Files\\Winamp";
    App& app = pack.start({u"/ACTION=1"});
    EXPECT_EQ(pack.exit, 5);
    EXPECT_NE(S(pack.lastBox().text)
                  .find("Katalog:\n\r" + S(c.regName.empty() ? u"" : c.location) + "\n\r\n\r"),
              std::string::npos);
    EXPECT_EQ(app.state.uninstaller.record.InstallDir, u"");
  }
}

TEST(ProbeInstalledPack, ALocationWithItsTrailingSeparator) {
  Pack pack;
  pack.p.registry.strings[fake::FakeRegistry::key(
      Hive::LocalMachine, u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lingvora Pack",
      u"InstallLocation")] = u"D:\\Winamp\\";
  installPlayer(pack.p, u"D:\\Winamp", "winamp-5.9.2/winamp.exe");
  pack.p.files.put(u"D:\\Winamp\\paths.ini", "[Winamp]\r\ninidir=\r\n");
  App& app = pack.start({u"/ACTION=1"});
  ASSERT_FALSE(pack.exit);
  const WinampRecord& r = app.state.uninstaller.record;
  EXPECT_EQ(r.InstallDir, u"D:\\Winamp\\");  // as read
  EXPECT_EQ(r.ExeFileName, u"D:\\Winamp\\winamp.exe");
  EXPECT_EQ(r.PathsConfig, u"D:\\Winamp\\paths.ini");
  EXPECT_EQ(r.PluginsDir, u"D:\\Winamp\\Plugins");
  EXPECT_EQ(r.ConfigDir, u"D:\\Winamp");
  EXPECT_EQ(r.ConfigFile, u"D:\\Winamp\\winamp.ini");
  EXPECT_TRUE(r.Portable);  // the configuration lies in the player directory
  EXPECT_EQ(r.Version, u"5.9.2.10042");
}

TEST(PlayerPaths, ComparedInTheirCanonicalForm) {
  struct Case {
    Text a, b;
    bool same;
  };
  for (const Case& c : {
           Case{u"D:\\Winamp\\winamp.exe", u"d:\\WINAMP\\WINAMP.EXE", true},
           Case{u"D:\\Winamp\\\\winamp.exe", u"D:\\Winamp\\winamp.exe", true},
           Case{u"D:/Winamp/winamp.exe", u"D:\\Winamp\\winamp.exe", true},
           Case{u"D:\\Winamp\\.\\winamp.exe", u"D:\\Winamp\\winamp.exe", true},
           Case{u"D:\\Apps\\..\\Winamp\\winamp.exe", u"D:\\Winamp\\winamp.exe", true},
           Case{u"\\\\?\\D:\\Winamp\\winamp.exe", u"D:\\Winamp\\winamp.exe", true},
           Case{u"\\\\?\\UNC\\srv\\share\\winamp.exe", u"\\\\SRV\\Share\\winamp.exe", true},
           Case{u"D:\\Winamp\\", u"D:\\Winamp", true},
           Case{u"D:\\..\\Winamp", u"D:\\Winamp", true},  // no step above the root
           Case{u"D:\\Winamp2\\winamp.exe", u"D:\\Winamp\\winamp.exe", false},
           Case{u"E:\\Winamp\\winamp.exe", u"D:\\Winamp\\winamp.exe", false},
           Case{u"Winamp\\winamp.exe", u"D:\\Winamp\\winamp.exe", false},
       }) {
    SCOPED_TRACE(S(c.a));
    EXPECT_EQ(samePath(c.a, c.b), c.same) << S(canonicalPath(c.a)) << " " << S(canonicalPath(c.b));
  }
  EXPECT_EQ(canonicalPath(u"d:/apps//winamp/"), u"D:\\APPS\\WINAMP");
}

}  // namespace
}  // namespace lingvora::test
