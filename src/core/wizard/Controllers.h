#pragma once
// The wizard controllers: start of each mode, the page frame and the footer
// actions. Pages plug into the controllers by their page number.
#include "app/App.h"

namespace lingvora {

void createInstallerDialog(App& app);
void createUninstallerDialog(App& app);
void createLanguageDialog(App& app);

// Lays out the footer shared by both wizards (Reset pages).
void layoutFooter(App& app);

// The footer click handlers: the active mode's action.
void backClick(App& app);
void nextClick(App& app);
void cancelClick(App& app);

}  // namespace lingvora
