#pragma once
// The process monitor page, one design in both wizards: the running player
// processes in a list, the selected one's version data in a group below,
// and Next captioned to end them. Each wizard names its own controls and
// its own section of texts.
#include <array>

#include "state/App.h"

namespace lingvora {

struct ProcessMonitorPage {
  WizardState& wizard;
  TextView section;  // the localized texts; every key begins with it
  Control& panel;
  Control& title;
  Control& list;
  Control& group;
  Control& picture;
  // Version, publisher, copyright, install directory: the row names and values.
  std::array<Control*, 4> names, values;
};

// Everything below the header band and the footer: the texts, the list
// rebuilt from the running-player list with its first row selected, the
// group filled for it, the list focused. Back is disabled; Next takes the
// page's own caption and the style's look.
void buildProcessMonitorPage(App& app, const ProcessMonitorPage& page);

// The group for the list's selected row; "-" and the unknown picture when
// no row is selected.
void showProcessInformation(App& app, const ProcessMonitorPage& page);

}  // namespace lingvora
