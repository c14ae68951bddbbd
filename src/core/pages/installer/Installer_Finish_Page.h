#pragma once
#include "state/App.h"

namespace lingvora {

// Installer page 7: the Welcome page's design with three closing choices:
// start the player, switch it to the classic skin, visit the home page.
void showFinishPage(App& app);

// Finish: the ticked actions, each once, then the end of the program with
// exit code 0. The skin is written before the player starts, which reads
// its configuration only then.
void finishInstaller(App& app);

}  // namespace lingvora
