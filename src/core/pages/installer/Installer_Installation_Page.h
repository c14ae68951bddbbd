#pragma once
#include <memory>

#include "state/App.h"

namespace lingvora {

// Installer page 5: decides the work list, cues the engine through
// DATA.ini and shows what the engine reports, component by component.
void showInstallationPage(App& app);
// The page's side of the engine channel.
std::unique_ptr<ProgressPage> installationProgressPage(App& app);

// Writes UserAction (and UserHash) of every offered, chosen component and
// fills the work list and the progress step; false when GUI.ini could not
// be saved afterwards.
bool buildWorkList(App& app);

}  // namespace lingvora
