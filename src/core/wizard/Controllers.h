#pragma once
// The wizard controllers: start of each mode, the page frame and the footer
// actions. Pages plug into the controllers by their page number.
#include "state/App.h"

namespace lingvora {

void createInstallerDialog(App& app);
void createUninstallerDialog(App& app);
void createLanguageDialog(App& app);

// True when the window may close; sets the exit code in every case.
bool formCloseQuery(App& app);
// A close request from inside (Escape, Cancel): asks formCloseQuery and,
// when it allows, marks the window to be closed by the shell.
void requestClose(App& app);

// The footer click handlers: the active mode's action.
void backClick(App& app);
void nextClick(App& app);
void cancelClick(App& app);

}  // namespace lingvora
