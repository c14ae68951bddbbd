#pragma once
// The uninstaller's five-page wizard: the page table and the footer actions.
// Each page plugs in its show operation and, where it records choices, its
// leave operation.
#include "state/App.h"

namespace lingvora {

inline constexpr int kUninstallerPages = 5;

struct UninstallerPage {
  void (*show)(App&) = nullptr;
  void (*leave)(App&) = nullptr;  // run on Next before anything else
};

// The pages, by page number; a page not built yet shows its empty panel
// with the footer of its place in the walk.
const UninstallerPage& uninstallerPage(int index);

// LINGVORA_UNINSTALLER_INITIALIZE_PAGES
void resetUninstallerPages(App& app);

void uninstallerBack(App& app);
void uninstallerNext(App& app);
void uninstallerCancel(App& app);

}  // namespace lingvora
