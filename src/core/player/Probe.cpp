#include "player/Probe.h"

#include <algorithm>
#include <vector>

#include "config/Config.h"
#include "player/Version.h"

namespace lingvora {
namespace {

// Marker texts come from the user's paths.ini and environment: a value that
// contains its own marker would expand forever, so expansion stops after
// this many rounds and returns the text as it stands.
constexpr int kMaxExpansionRounds = 32;

Text withoutTrailingBackslash(Text t) {
  while (!t.empty() && t.back() == u'\\') t.pop_back();
  return t;
}

std::size_t countOf(TextView t, char16_t c) {
  return std::size_t(std::count(t.begin(), t.end(), c));
}

bool isAbsolute(TextView t) {
  if (t.size() >= 2 && t[1] == u':' &&
      ((t[0] >= u'A' && t[0] <= u'Z') || (t[0] >= u'a' && t[0] <= u'z')))
    return true;
  return !t.empty() && (t[0] == u'\\' || t[0] == u'/');
}

void fillRecordFromInstallDir(App& app, WinampRecord& r) {
  Platform& p = app.platform;
  const Text& d = r.InstallDir;
  r.PathsConfig = findPathsFile(p, d);
  if (!r.PathsConfig.empty() && p.files.fileExists(r.PathsConfig)) {
    r.ConfigDir = resolveConfigDirectory(p, d);
    r.ConfigFile = resolveConfigFile(p, d, r.ConfigDir);
  } else {
    r.ConfigDir = d;
    r.ConfigFile = joinPath(r.ConfigDir, u"winamp.ini");
  }
  r.WacupType = detectWacup(p, d);
  r.OSPortable = detectOsPortable(p, r.PathsConfig, r.WacupType);
  r.Portable = detectPortableConfiguration(d, r.ConfigDir);
  r.SkinsDir = findSkinsDirectory(p, d, r.ConfigFile);
  r.PluginsDir = findPluginsDirectory(d);
  r.LangPackDir = findLanguageDirectory(p, d, r.ConfigFile);
  r.Version = readFileVersion(p.files, p.versions, r.ExeFileName);
  const TEXEVersionData v = readVersionData(p.versions, r.ExeFileName);
  r.CompanyName = v.CompanyName;
  r.FileVersion = v.FileVersion;
  r.LegalCopyright = v.LegalCopyright;
  r.ProductName = v.ProductName;
  r.ProductVersion = v.ProductVersion;
}

void notInstalledQuestion(App& app) {
  const Text caption = readText(app, u"INSTALLER_INIT", u"INSTALLER_INIT_1");
  const Text text =
      expandPlaceholders(app, readText(app, u"INSTALLER_DIRECTORY_PAGE",
                                       u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_NOT_INSTALLED"));
  if (app.platform.dialogs.messageBox(true, caption, text, MessageIcon::Warning,
                                      MessageButtons::YesNo) != MessageAnswer::Yes) {
    app.state.installer.pendingExitCode = 6;
    throw ProcessExit{6};
  }
}

}  // namespace

Text specialFolderPath(Platform& p, int csidl) {
  return withoutTrailingBackslash(p.shell.specialFolder(csidl));
}

Text expandFolderMarkers(Platform& p, TextView text) {
  Text t(text);
  for (int round = 0; round < kMaxExpansionRounds; ++round) {
    const std::size_t open = countOf(t, u'{'), close = countOf(t, u'}');
    if (open == 0 || close == 0 || open != close) return t;
    const std::size_t f = t.find(u'{');
    const std::size_t g = t.find(u'}', f);
    if (g == Text::npos) return t;
    long long n = 0;
    const Text inner = t.substr(f + 1, g - f - 1);
    if (inner.empty() || !parseInteger(inner, n) || inner != trim(inner)) return t;
    t = t.substr(0, f) + specialFolderPath(p, int(n)) + t.substr(g + 1);
  }
  return t;
}

Text expandEnvironmentMarkers(Platform& p, TextView text) {
  Text t(text);
  for (int round = 0; round < kMaxExpansionRounds; ++round) {
    const std::size_t count = countOf(t, u'%');
    if (count == 0 || count % 2 != 0) return t;
    const std::size_t d = t.find(u'%');
    const std::size_t e = t.find(u'%', d + 1);
    t = t.substr(0, d) + p.shell.environment(t.substr(d + 1, e - d - 1)) + t.substr(e + 1);
    if (t.find(u'%') == Text::npos) return t;
  }
  return t;
}

Text readProfileString(Platform& p, const Text& file, TextView section, TextView key,
                       TextView fallback) {
  auto bytes = p.files.readWhole(file);
  if (!bytes) return Text(fallback);
  return IniDocument::parse(*bytes, p.system.ansiCodePage()).readString(section, key, fallback);
}

Text findPlayerDirectory(Platform& p, const Text& dir) {
  const Text candidate = joinPath(specialFolderPath(p, 38), u"Winamp");
  Text result = p.files.directoryExists(candidate) ? candidate : Text();
  if (!dir.empty() && p.files.directoryExists(asTestedPath(dir)))
    return withoutTrailingBackslash(dir);
  if (auto s = p.registry.readString(
          Hive::LocalMachine, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Winamp",
          u"UninstallString")) {
    Text v = replaceFirst(*s, u"UninstWA.exe", u"");
    v = replaceAll(v, u"\"", u"");
    v = replaceFirst(v, u"UninstWACUP.exe", u"");
    v = replaceAll(v, u"\"", u"");
    if (!v.empty()) result = withoutTrailingBackslash(v);
  }
  return result;
}

bool detectWacup(Platform& p, const Text& dir) {
  if (p.files.fileExists(joinPath(dir, u"wacup.exe"))) return true;
  return readVersionData(p.versions, joinPath(dir, u"winamp.exe")).ProductName.find(u"WACUP") !=
         Text::npos;
}

Text findPathsFile(Platform& p, const Text& dir) {
  const Text path = joinPath(dir, u"paths.ini");
  return p.files.fileExists(path) ? path : Text();
}

Text resolveConfigDirectory(Platform& p, const Text& dir) {
  const Text paths = findPathsFile(p, dir);
  if (paths.empty()) return dir;
  const Text v = readProfileString(p, paths, u"Winamp", u"inidir");
  if (!v.empty() && p.files.directoryExists(v)) return withoutTrailingBackslash(v);
  const Text v1 = expandFolderMarkers(p, v);
  if (!v1.empty() && p.files.directoryExists(v1)) return withoutTrailingBackslash(v1);
  Text v2 = expandEnvironmentMarkers(p, v);
  if (!v2.empty() && p.files.directoryExists(v2)) return withoutTrailingBackslash(v2);
  if (isAbsolute(v2)) return withoutTrailingBackslash(dir);
  v2 = replaceFirst(v2, u".\\", u"");
  const Text below = joinPath(dir, v2);
  return withoutTrailingBackslash(p.files.directoryExists(below) ? below : dir);
}

Text resolveConfigFile(Platform& p, const Text& dir, const Text& configDir) {
  const Text paths = findPathsFile(p, dir);
  if (paths.empty()) return joinPath(dir, u"winamp.ini");
  const Text f = readProfileString(p, paths, u"Winamp", u"inifile");
  const Text fallback = joinPath(configDir, u"winamp.ini");
  if (!f.empty()) {
    for (const Text& c : {joinPath(configDir, f), joinPath(configDir, expandFolderMarkers(p, f)),
                          joinPath(configDir, expandEnvironmentMarkers(p, f)), fallback})
      if (p.files.fileExists(c)) return c;
    return joinPath(dir, u"winamp.ini");
  }
  return p.files.fileExists(fallback) ? fallback : joinPath(dir, u"winamp.ini");
}

bool detectOsPortable(Platform& p, const Text& pathsIni, bool isWacup) {
  if (!isWacup || pathsIni.empty()) return false;
  long long v = 0;
  return parseInteger(readProfileString(p, pathsIni, u"Winamp", u"portable", u"0"), v) && v != 0;
}

bool detectPortableConfiguration(const Text& installDir, const Text& configDir) {
  // The directory as the registry may hold it, with its trailing separator,
  // still contains a configuration directory stored without one.
  return upper(configDir).find(upper(withoutTrailingBackslash(installDir))) != Text::npos;
}

static Text configuredDirectory(Platform& p, const Text& installDir, const Text& configFile,
                                TextView key, TextView fallback) {
  if (p.files.fileExists(configFile)) {
    const Text v = readProfileString(p, configFile, u"Winamp", key);
    if (!v.empty()) return v;
  }
  return joinPath(installDir, fallback);
}

Text findSkinsDirectory(Platform& p, const Text& installDir, const Text& configFile) {
  return configuredDirectory(p, installDir, configFile, u"SkinDir", u"Skins");
}

Text findPluginsDirectory(const Text& installDir) { return joinPath(installDir, u"Plugins"); }

Text findLanguageDirectory(Platform& p, const Text& installDir, const Text& configFile) {
  return configuredDirectory(p, installDir, configFile, u"LangDir", u"Lang");
}

Text canonicalPath(TextView path) {
  Text t = upper(path);
  std::replace(t.begin(), t.end(), u'/', u'\\');
  // The long-path prefix names the same place as the path without it.
  if (t.starts_with(u"\\\\?\\UNC\\"))
    t = u"\\\\" + t.substr(8);
  else if (t.starts_with(u"\\\\?\\"))
    t = t.substr(4);
  Text root;
  if (t.starts_with(u"\\\\"))
    root = u"\\\\";
  else if (t.size() >= 2 && t[1] == u':')
    root = t.substr(0, 2) + u"\\";
  else if (t.starts_with(u"\\"))
    root = u"\\";
  std::vector<Text> steps;
  for (std::size_t at = root.size() == 3 ? 2 : root.size(); at <= t.size();) {
    std::size_t end = t.find(u'\\', at);
    if (end == Text::npos) end = t.size();
    const Text step = t.substr(at, end - at);
    if (step == u"..") {
      if (!steps.empty()) steps.pop_back();
    } else if (!step.empty() && step != u".") {
      steps.push_back(step);
    }
    at = end + 1;
  }
  Text out = root;
  for (std::size_t i = 0; i < steps.size(); ++i) out += (i ? u"\\" : u"") + steps[i];
  return out;
}

bool samePath(TextView a, TextView b) { return canonicalPath(a) == canonicalPath(b); }

Text drivePart(const Text& path) {
  if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') {
    // \\server\share
    std::size_t server = path.find(u'\\', 2);
    if (server == Text::npos) return path;
    std::size_t share = path.find(u'\\', server + 1);
    return path.substr(0, share);
  }
  return path.size() >= 2 && path[1] == u':' ? path.substr(0, 2) : Text();
}

Text driveRoot(const Text& path) {
  const Text drive = drivePart(path);
  return drive.empty() ? Text() : drive + u"\\";
}

Text asTestedPath(const Text& path) {
  return path.size() == 2 && path[1] == u':' ? path + u"\\" : path;
}

bool queryDiskSpace(App& app, const Text& dir) {
  const Text root = driveRoot(dir);
  if (root.empty()) return false;
  auto space = app.platform.files.diskSpace(root);
  if (!space) return false;
  // A system that reports nonsense gets no negative figures, and used never
  // exceeds the capacity.
  DiskFigures& d = app.state.installer.disk;
  d.capacity = std::max<std::int64_t>(space->total, 0);
  d.free = std::clamp<std::int64_t>(space->available, 0, d.capacity);
  d.used = d.capacity - d.free;
  return true;
}

DirectoryVerdict checkPlayerDirectory(App& app, const Text& dir, bool atStartup) {
  Platform& p = app.platform;
  WizardState& w = app.state.installer;
  WinampRecord& r = w.record;
  // On the page the box shows the directory under check: another player's
  // directory must not stand in for it.
  const bool fallBack = atStartup || dir.empty();
  const Text d = fallBack ? findPlayerDirectory(p, dir) : withoutTrailingBackslash(dir);
  if (d.empty() || !p.files.directoryExists(asTestedPath(d))) {
    if (!atStartup) return DirectoryVerdict::DirectoryNotFound;
    notInstalledQuestion(app);
    return DirectoryVerdict::Ok;
  }
  r.InstallDir = d;
  const Text exe = joinPath(d, u"winamp.exe");
  if (atStartup) {
    if (!p.files.fileExists(exe)) notInstalledQuestion(app);
  } else {
    if (!queryDiskSpace(app, dir)) return DirectoryVerdict::DiskInfoUnavailable;
    w.disk.required = w.selectedComponentsSize;
    if (w.disk.required > w.disk.free) return DirectoryVerdict::NotEnoughSpace;
  }
  if (!p.files.fileExists(exe)) return DirectoryVerdict::PlayerNotFound;
  r.ExeFileName = exe;
  fillRecordFromInstallDir(app, r);
  if (r.WacupType)
    return w.values.mode == u"WACUP" ? DirectoryVerdict::Ok : DirectoryVerdict::WacupInstalled;
  const Text c = compareVersions(r.Version, w.values.mVersion);
  return c == u"0"   ? DirectoryVerdict::Ok
         : c == u"1" ? DirectoryVerdict::NewerVersionInstalled
                     : DirectoryVerdict::OlderVersionInstalled;
}

bool probeInstalledPack(App& app, const Text& regName) {
  Platform& p = app.platform;
  WizardState& w = app.state.uninstaller;
  // Without a name the key would be the Uninstall key itself.
  if (regName.empty()) return false;
  const Text key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + regName;
  if (auto location = p.registry.readString(Hive::LocalMachine, key, u"InstallLocation"))
    w.packInstallLocation = *location;
  if (auto date = p.registry.readString(Hive::LocalMachine, key, u"InstallDate"))
    w.packInstallDate = *date;
  // A relative location would resolve against whatever directory the
  // engine started us in: it names no installation.
  if (!isFullyQualifiedPath(w.packInstallLocation) ||
      !p.files.directoryExists(w.packInstallLocation))
    return false;
  WinampRecord& r = w.record;
  r.InstallDir = w.packInstallLocation;
  r.ExeFileName = joinPath(r.InstallDir, u"winamp.exe");
  if (!p.files.fileExists(r.ExeFileName)) r.ExeFileName = joinPath(r.InstallDir, u"wacup.exe");
  if (!p.files.fileExists(r.ExeFileName)) return false;
  fillRecordFromInstallDir(app, r);
  return true;
}

}  // namespace lingvora
