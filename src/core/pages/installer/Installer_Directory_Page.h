#pragma once
#include <cstdint>

#include "player/Probe.h"
#include "state/App.h"

namespace lingvora {

// Installer page 3: the player directory, checked against the drive's room
// and the version the pack requires, with the drive's figures and either
// the player's details or why the directory is refused.
void showDirectoryPage(App& app);
// Checks the directory and rebuilds the whole page for it; Next is enabled
// only for an accepted directory.
DirectoryVerdict buildDirectoryPage(App& app, const Text& dir);
// Btn_Installer_DirectoryPage_BrowseClick: another directory through the
// system's folder browser; cancelling changes nothing.
void browseForDirectory(App& app);
// Next: the installation record of the accepted directory into section
// INFO of GUI.ini, saved once. A failed save throws with the error's text;
// the page then stays as it was.
void leaveDirectoryPage(App& app);

// The unit names of a size.
struct SizeUnits {
  Text bytes, kib, mib, gib, tib;
};
// A byte count in the largest binary unit it reaches, with that many
// decimals and the given decimal separator; "-" for 0. withBytes: the exact
// count follows in parentheses from 1 KiB on.
Text formatSize(int decimals, bool withBytes, std::int64_t size, const SizeUnits& units,
                TextView decimalSeparator);
// The usage bar's position: the used share of the capacity in whole per
// cent, 0 to 100; 0 for no capacity.
int usagePosition(const DiskFigures& disk);

}  // namespace lingvora
