#pragma once
#include "state/App.h"

namespace lingvora {

// Installer page 2: the install type, the pack's components in a tree of
// check states, and a description of the component under the pointer.
void showComponentsPage(App& app);
// Next: every shown component's choice into GUI.ini, saved once, and the
// size of the chosen ones for the disk check. A failed save throws with the
// error's text; the page then stays.
void leaveComponentsPage(App& app);

// A tree item's state code, which is also the position of its state image.
namespace componentState {
inline constexpr int Unchecked = 1, Checked = 2, Mixed = 3, Disabled = 4;
}

}  // namespace lingvora
