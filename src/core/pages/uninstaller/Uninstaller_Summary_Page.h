#pragma once
#include "state/App.h"

namespace lingvora {

// Uninstaller page 1: what is about to be removed, and from where.
void showSummaryPage(App& app);
// Leaving with Uninstall: the registered installation's record goes to
// section INFO of GUI.ini for the engine, in one save; throws with the
// error's text when GUI.ini cannot be saved.
void leaveSummaryPage(App& app);

}  // namespace lingvora
