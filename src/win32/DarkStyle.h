#pragma once
// The dark style where the system draws: push buttons and check boxes drawn
// by the program (the system's controls stay, with their roles, states and
// messages; only their look is the program's), the title bar, and message
// boxes that read like the system's.
#include <windows.h>

#include <commctrl.h>

#include "appearance/Theme.h"

namespace lingvora::win32 {

COLORREF colourRef(Color c);

// Answers a button's NM_CUSTOMDRAW by drawing it whole in the style.
LRESULT drawStyledButton(const NMCUSTOMDRAW& draw, const VisualStyle& style);

// Answers a list header's NM_CUSTOMDRAW: its items in the style.
LRESULT drawDarkHeader(NMCUSTOMDRAW& draw, const VisualStyle& style);

// Paints a progress bar whole in the style: its track, its border and the
// part its position fills.
void drawDarkProgress(HWND bar, HDC dc, const VisualStyle& style);

// Whether the system draws scroll bars dark for a window in its dark theme.
bool systemHasDarkScrollBars(const OsVersion& os);
// Paints a window's scroll bars in the style over the system's.
void drawDarkScrollBars(HWND w, const VisualStyle& style);

// Paints a drop-down list's closed field whole in the style: its frame,
// the chosen entry, the focus and the arrow button.
void drawDarkDropDown(HWND combo, HDC dc, const VisualStyle& style);

// A dark title bar where the system offers one (Windows 10 and later);
// elsewhere nothing is attempted.
void darkTitleBar(HWND window, const OsVersion& os);

// A message box in the style: a standard dialog window with the system's
// control identifiers (text 0xFFFF, icon 20, IDOK / IDYES / IDNO), Enter
// and Escape as in a system message box, sized to its text.
MessageAnswer styledMessageBox(HWND owner, const Text& caption, const Text& text, MessageIcon icon,
                               MessageButtons buttons, const VisualStyle& style,
                               const OsVersion& os);

}  // namespace lingvora::win32
