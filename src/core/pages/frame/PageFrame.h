#pragma once
// The frame around the pages of both wizards: the window title, the header
// band of the header pages, the full-height page with its tall picture, the
// footer with its three buttons and the branding line. Each page sets its
// own footer through setFooter.
#include "state/App.h"

namespace lingvora {

struct FooterButton {
  bool visible = true;
  bool enabled = true;
  Text caption;
  // The program's own text colour, kept from the style; by default the
  // style's full look, which also undoes a colour an earlier page gave.
  Color textColor = kDefaultColor;
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

// The window title of the wizard's pages.
void setInstallerCaption(App& app);
void setUninstallerCaption(App& app);
// LINGVORA_INSTALLER_CREATE_PAGE_HEADER / LINGVORA_UNINSTALLER_CREATE_PAGE_HEADER
void showInstallerPageHeader(App& app, const Text& title, const Text& subtitle);
void showUninstallerPageHeader(App& app, const Text& title, const Text& subtitle);
// The footer's branding line: product, version and the day of the build.
void fillBrandingLabel(App& app);

// A page without header band that fills the wizard: the tall picture on
// the left, a divider after it in the dark theme, a text column filling the
// rest, and under the picture the product line and the copyright line that
// links to the project's home page.
struct FullHeightPage {
  Control& panel;
  Control& picture;
  Control& divider;
  Control& column;
  Control& product;
  Control& copyright;
};

// Builds everything of such a page but the texts of its column, and shows it.
void showFullHeightPage(App& app, const FullHeightPage& page);

// How a label of a text column looks; ownColour: it keeps its colour under
// the dark style.
struct ColumnLabel {
  Font font;
  Color color;
  TextAlign align;
  bool ownColour;
};

// A transparent, word-wrapped label of fixed height, docked with margins
// designed at 96 dpi; height -1 keeps the height (a label that fills).
void placeColumnLabel(App& app, Control& label, const Text& text, const ColumnLabel& style,
                      Align dock, int height, Margins margins);

// The height of one line of text in that font, at the screen's density.
int lineHeight(App& app, const Font& font);

}  // namespace lingvora
