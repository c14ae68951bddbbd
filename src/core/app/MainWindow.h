#pragma once
// The main window's handlers: argument analysis and mode start, the first
// show and key handling. The shell calls them; the close request lives with
// the wizard controllers.
#include <vector>

#include "state/App.h"

namespace lingvora {

// Runs once when the main window is created: argument analysis and mode start.
void formCreate(App& app, const std::vector<Text>& arguments);
void formShow(App& app);
// True when the key was used and must not reach the focused control.
// listDroppedDown: the focused control is a drop-down list showing its
// entries, which only the shell can tell.
bool formKeyDown(App& app, int key, bool listDroppedDown);

}  // namespace lingvora
