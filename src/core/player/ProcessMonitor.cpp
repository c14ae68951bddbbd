#include "player/ProcessMonitor.h"

#include "player/Probe.h"
#include "player/Version.h"

namespace lingvora {
namespace {

std::optional<std::vector<ProcessEntry>> takeSnapshot(Processes& processes) {
  for (int attempt = 0; attempt < kSnapshotAttempts; ++attempt)
    if (auto entries = processes.snapshot()) return entries;
  return std::nullopt;
}

// Compared in the long form, so that an 8.3 name on either side matches.
bool runsFrom(FileSystem& files, ProcessHandle& process, const Text& exe) {
  const auto image = process.imagePath();
  return image && samePath(files.longPath(*image), files.longPath(exe));
}

// The process found earlier, and still that one: an identifier freed by a
// player that exited may since have been given to another program.
std::unique_ptr<ProcessHandle> reopen(App& app, const RunningPlayer& found) {
  auto process = app.platform.processes.open(found.id, ProcessAccess::End);
  if (!process || !runsFrom(app.platform.files, *process, found.path) ||
      process->startTime().value_or(0) != found.started || process->waitForEnd(0))
    return nullptr;
  return process;
}

// Politely first, so that the player saves its settings and playlists.
bool endPlayer(App& app, const RunningPlayer& found) {
  auto process = reopen(app, found);
  if (!process) return false;
  if (process->askToClose() && process->waitForEnd(kCloseWaitMs)) return true;
  return process->end() && process->waitForEnd(kEndWaitMs);
}

}  // namespace

std::vector<Text> watchedExecutables(const WinampRecord& record) {
  std::vector<Text> exes{record.ExeFileName};
  if (record.WacupType)
    for (TextView name : {u"wacup.exe", u"winamp.exe"}) {
      const Text exe = joinPath(record.InstallDir, name);
      if (!samePath(exe, record.ExeFileName)) exes.push_back(exe);
    }
  return exes;
}

bool findRunningPlayer(App& app, WizardState& wizard) {
  Platform& p = app.platform;
  wizard.runningPlayers.clear();
  std::vector<Text> exes;
  for (const Text& exe : watchedExecutables(wizard.record))
    if (!exe.empty()) exes.push_back(exe);
  const auto entries = takeSnapshot(p.processes);
  if (!entries) return false;
  for (const ProcessEntry& entry : *entries) {
    for (const Text& exe : exes) {
      if (!equalsNoCase(entry.exeName, fileName(exe))) continue;
      auto process = p.processes.open(entry.id, ProcessAccess::Query);
      if (!process || !runsFrom(p.files, *process, exe)) continue;
      wizard.runningPlayers.push_back({entry.id, readFileVersion(p.files, p.versions, exe), exe,
                                       process->startTime().value_or(0)});
      break;
    }
  }
  return !wizard.runningPlayers.empty();
}

bool endListedProcesses(App& app, WizardState& wizard, const Control& list) {
  for (const ListRow& row : list.rows) {
    if (row.cells.empty() || row.cells.front().empty()) continue;
    if (row.value < 0 || std::size_t(row.value) >= wizard.runningPlayers.size()) return false;
    if (!endPlayer(app, wizard.runningPlayers[std::size_t(row.value)])) return false;
  }
  return true;
}

}  // namespace lingvora
