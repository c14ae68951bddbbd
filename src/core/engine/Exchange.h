#pragma once
// What the front-end writes for the engine: section INFO of GUI.ini and the
// single entry of DATA.ini.
#include "state/App.h"

namespace lingvora {

// Reads DATA.ini if present, sets SYSTEM / InstallDir and saves the whole
// file; false on any failure (an empty or relative path among them), and
// nothing is shown.
bool writeInstallDirToDataIni(App& app, const Text& dataPath, const Text& directory);

// All seventeen keys of the mode's record, in order; then GUI.ini is saved.
void writeInfoSection(App& app, WizardState& wizard);

// Saves the mode's GUI.ini whole; throws with the error's text on failure,
// which the shell shows as the application's error box.
void saveConfiguration(App& app, WizardState& wizard);

}  // namespace lingvora
