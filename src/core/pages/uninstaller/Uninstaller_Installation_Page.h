#pragma once
#include <memory>

#include "state/App.h"

namespace lingvora {

// Uninstaller page 3: the work list of what is installed, the engine's cue
// through DATA.ini, and what the engine reports while it removes.
void showUninstallationPage(App& app);
// The page's side of the engine channel.
std::unique_ptr<ProgressPage> uninstallationProgressPage(App& app);

// Every section of GUI.ini whose Install is non-zero, in file order; the
// progress step follows. Writes nothing.
bool buildUninstallWorkList(App& app);

}  // namespace lingvora
