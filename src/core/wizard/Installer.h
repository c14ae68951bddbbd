#pragma once
// The installer's eight-page wizard: the page table and the footer actions. Each page plugs in its
// show operation and, where it records choices, its leave operation.
#include "state/App.h"

namespace lingvora {

inline constexpr int kInstallerPages = 8;

struct InstallerPage {
  void (*show)(App&) = nullptr;
  void (*leave)(App&) = nullptr;  // run on Next before the next page opens
};

// The pages, by page number; a page not built yet shows its empty panel
// with the footer of its place in the walk.
const InstallerPage& installerPage(int index);

// LINGVORA_INSTALLER_INITIALIZE_PAGES
void resetInstallerPages(App& app);

void installerBack(App& app);
void installerNext(App& app);
void installerCancel(App& app);

}  // namespace lingvora
