#pragma once
// The frame around the pages of both wizards: the window title, the header
// band of the header pages, the footer with its three buttons and the
// branding line. Each page sets its own footer through setFooter.
#include "state/App.h"

namespace lingvora {

struct FooterButton {
  bool visible = true;
  bool enabled = true;
  Text caption;
};

struct Footer {
  FooterButton back, next, cancel;
};

// Lays out the footer shared by both wizards (part of resetting the pages).
void layoutFooter(App& app);
// The three buttons as the page shows them.
void setFooter(App& app, const Footer& footer);
// A button hidden and disabled, its caption as it was.
FooterButton hiddenButton(const Control& button);

// LINGVORA_INSTALLER_CREATE_PAGE_HEADER
void showInstallerPageHeader(App& app, const Text& title, const Text& subtitle);
void setInstallerCaption(App& app);
// The footer's branding line: product, version and the day of the build.
void fillBrandingLabel(App& app);

}  // namespace lingvora
