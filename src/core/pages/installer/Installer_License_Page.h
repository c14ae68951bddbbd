#pragma once
#include "state/App.h"

namespace lingvora {

// Installer page 1: the licence, composed run by run into a read-only box.
void showLicensePage(App& app);

// The colours of the licence text's four roles.
struct LicenceColours {
  Color heading, body, muted, grey;
};
LicenceColours licenceColours(const App& app);

}  // namespace lingvora
