#pragma once
#include "state/App.h"

namespace lingvora {

// Uninstaller page 0: the tall picture, what is about to be removed, notes,
// and a copyright line that links to the project's home page.
void showUninstallerWelcomePage(App& app);

}  // namespace lingvora
