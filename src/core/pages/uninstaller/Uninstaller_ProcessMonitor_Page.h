#pragma once
#include "state/App.h"

namespace lingvora {

// Uninstaller page 2: the running player processes, which Next ends before
// the removal begins. Next also loses the Summary page's red.
void showUninstallerProcessMonitorPage(App& app);

}  // namespace lingvora
