#pragma once
#include "state/App.h"

namespace lingvora {

// Installer page 4: the running player processes, which Next ends before
// the installation begins.
void showInstallerProcessMonitorPage(App& app);

}  // namespace lingvora
