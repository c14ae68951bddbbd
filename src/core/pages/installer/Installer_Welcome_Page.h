#pragma once
#include "state/App.h"

namespace lingvora {

// Installer page 0: the tall picture, the product and its mission, and a
// copyright line that links to the project's home page.
void showWelcomePage(App& app);

}  // namespace lingvora
