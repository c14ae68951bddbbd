#pragma once
// WINAMP_CORE: where the player lives, where it keeps its configuration,
// which kind and version it is, and whether its drive has room.
#include "state/App.h"

namespace lingvora {

enum class DirectoryVerdict {
  Ok,
  DiskInfoUnavailable,
  NotEnoughSpace,
  PlayerNotFound,
  NewerVersionInstalled,
  OlderVersionInstalled,
  WacupInstalled,
  DirectoryNotFound,
};

// Path and detection operations.
Text specialFolderPath(Platform& p, int csidl);
Text expandFolderMarkers(Platform& p, TextView text);
Text expandEnvironmentMarkers(Platform& p, TextView text);
// One value of a Windows INI file, read with the profile API's rules.
Text readProfileString(Platform& p, const Text& file, TextView section, TextView key,
                       TextView fallback = u"");
Text findPlayerDirectory(Platform& p, const Text& dir);
bool detectWacup(Platform& p, const Text& dir);
Text findPathsFile(Platform& p, const Text& dir);
Text resolveConfigDirectory(Platform& p, const Text& dir);
Text resolveConfigFile(Platform& p, const Text& dir, const Text& configDir);
bool detectOsPortable(Platform& p, const Text& pathsIni, bool isWacup);
bool detectPortableConfiguration(const Text& installDir, const Text& configDir);
Text findSkinsDirectory(Platform& p, const Text& installDir, const Text& configFile);
Text findPluginsDirectory(const Text& installDir);
Text findLanguageDirectory(Platform& p, const Text& installDir, const Text& configFile);
// The form in which two paths are compared: upper case, backslashes, no
// doubled separators, no "." or ".." steps, no trailing separator, no
// long-path prefix. samePath: the two name the same file that way.
Text canonicalPath(TextView path);
bool samePath(TextView a, TextView b);
// The drive part of a path: C: for C:\Apps, \\server\share for a network path.
Text drivePart(const Text& path);
// The root the system is asked about a drive with: the drive part and a
// trailing backslash (C:\, \\server\share\); empty without a drive part.
Text driveRoot(const Text& path);
// The path as the file system is asked about it: a bare drive (C:) names
// the current directory of that drive, so its root (C:\) is asked instead.
Text asTestedPath(const Text& path);

// Entry points. At start-up an empty or missing directory falls back to
// the registered or standard player; on the Directory page only an empty
// one does, since the page shows the directory it checked.
DirectoryVerdict checkPlayerDirectory(App& app, const Text& dir, bool atStartup);
bool queryDiskSpace(App& app, const Text& dir);
bool probeInstalledPack(App& app, const Text& regName);

}  // namespace lingvora
