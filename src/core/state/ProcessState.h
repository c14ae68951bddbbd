#pragma once
// Every process-wide value of the front-end; values that differ per wizard
// mode live once per mode in WizardState.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "appearance/Theme.h"
#include "ini/IniDocument.h"
#include "state/WinampRecord.h"
#include "text/Text.h"

namespace lingvora {

enum class LaunchMode { Installer, Uninstaller };

// The NAME and PROJECT values of GUI.ini, read once at wizard start.
struct Configuration {
  bool donation = true;
  Text mode = u"WINAMP";
  Text iName, uName, mVersion;
  Text projectName, projectFullName, projectRegName, projectShortVersion, projectFullVersion;
  Text projectAuthor, projectCopyright, projectLicense, projectEmail, projectWebsite;
  Text projectHomePage, projectDownloadPage, projectInfoPage, projectDonatePage;
  Text projectDonatePayPal;
};

struct FooterCaptions {
  Text back, next, cancel, finish, agree, install, uninstall;
};

// Byte counts of the drive under check (installer).
struct DiskFigures {
  std::int64_t capacity = 0, used = 0, free = 0, required = 0;
};

// The progress page's bar: step per component, start and end positions.
struct ProgressValues {
  int step = 0, start = 20, end = 90, position = 0;
};

// The installer's Components page across visits.
struct ComponentsPageState {
  // Set once the user left the page with Next: later visits keep the tree
  // and the install-type list as the user left them.
  bool confirmed = false;
  // The stored member count of each install type, by type number (1 Full,
  // 2 Minimal; 0, the User entry, counts none).
  std::array<int, 3> typeMembers{};
  // The component the description box shows (empty: none); nothing when
  // the box must be filled afresh.
  std::optional<Text> described;
};

// The installer's Directory page.
struct DirectoryPageState {
  // The last check ended for want of disk figures or of room: the used
  // legend square turns red with the gauge.
  bool usageError = false;
  // The directory the last check accepted; nothing after a refused one.
  std::optional<Text> accepted;
};

// A player process as the process check found it: what the monitor page
// shows of it, and what tells it apart from a later process that might
// reuse its identifier.
struct RunningPlayer {
  std::uint32_t id = 0;
  Text version;
  Text path;  // the watched executable, as the record names it
  std::uint64_t started = 0;
};

struct WizardState {
  Text programDirectory;
  Text configPath, localePath, dataPath, libraryPath;
  Text languageId = u"1045";
  IniDocument config, locale;
  bool dark = false;
  Configuration values;
  FooterCaptions captions;
  WinampRecord record;
  Text packInstallLocation, packInstallDate;
  DiskFigures disk;
  ComponentsPageState components;
  DirectoryPageState directory;
  std::int64_t selectedComponentsSize = 0;
  // The Donation page's countdown, 0 to 900 (installer).
  int donationCountdown = 0;
  int pageIndex = 0;
  int pendingExitCode = 0;
  bool closeAllowed = true;
  bool failed = false;
  bool progressFinished = false;
  // Engine messages count only between the engine's cue (DATA.ini written)
  // and the end of the progress.
  bool channelOpen = false;
  bool monitorShown = false;
  std::vector<RunningPlayer> runningPlayers;
  std::vector<Text> workList;
  ProgressValues progress;
};

// One language of the language list: its identifier and the section of
// the list file its texts come from (empty: the built-in entry, every key
// at its default).
struct LanguageOffer {
  std::uint16_t id = 0;
  Text section;
  bool operator==(const LanguageOffer&) const = default;
};

struct ProcessState {
  LaunchMode launchMode = LaunchMode::Installer;
  bool languageSelection = false;
  Text languageListPath;
  std::vector<LanguageOffer> languages;  // as the language list shows them
  std::uint16_t userInterfaceLanguage = 0;
  Text userInterfaceLanguageText;
  int languageResult = 1;
  Text translatorAddress, helpAddress;
  Text applicationTitle;
  ThemeColours colours;
  WizardState installer, uninstaller;
};

}  // namespace lingvora
