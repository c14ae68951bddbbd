#pragma once
// The running-process check: which processes run the player's executable,
// and ending them before the engine writes into the player's directory.
#include <vector>

#include "state/App.h"

namespace lingvora {

// How often a failed process snapshot is taken again before giving up.
inline constexpr int kSnapshotAttempts = 3;
// How long a player may take to close when asked, and to end when ended.
inline constexpr int kCloseWaitMs = 3000;
inline constexpr int kEndWaitMs = 5000;

// The executables whose processes hold the record's directory: its
// ExeFileName and, for a WACUP installation, both wacup.exe and winamp.exe
// of its directory, since a WACUP user runs wacup.exe.
std::vector<Text> watchedExecutables(const WinampRecord& record);

// Find running player: rebuilds the mode's running-player list from a
// snapshot, listing each process whose file name and full path (in their
// canonical long form, letter case ignored) are a watched executable's.
// True when the list holds one.
bool findRunningPlayer(App& app, WizardState& wizard);

// End listed processes: each row's process, from the first row on, is
// asked to close and given a moment, then ended if it is still there, and
// waited for. False at the first row whose process is gone, is no longer
// the one found (path or start time differ), cannot be ended or does not
// end; the rows after it are not touched.
bool endListedProcesses(App& app, WizardState& wizard, const Control& list);

}  // namespace lingvora
