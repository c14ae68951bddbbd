#pragma once
#include "state/App.h"

namespace lingvora {

// Uninstaller page 4: the tall picture, the result, and three offers:
// start the player, send the project a feedback mail, visit its home page.
void showUninstallerFinishPage(App& app);
// Finish: the checked offers, each open complete, then the wizard ends
// with exit code 0.
void finishUninstaller(App& app);

// The feedback mail as a mailto address: every inserted text
// percent-encoded as UTF-8, so the mail shows exactly the composed texts.
Text feedbackMailAddress(App& app);
// The player's program in its directory: winamp.exe, or wacup.exe where
// the directory holds only that.
Text playerProgram(App& app);

}  // namespace lingvora
