#pragma once
// Light or dark: the system's choice, the dark visual styles built into the
// program, and the colours the pages derive from the active style.
#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "ui/Form.h"

namespace lingvora {

struct VisualStyle {
  Text name;
  bool custom = false;  // false: the system's own look
  Color face = kButtonFaceColor;
  Color window = kButtonFaceColor;
  Color text = kWindowTextColor;
  Color labelText = kWindowTextColor;
  Color accent = kHighlightColor;
  Color border = kButtonFaceColor;
};

// Parses a style resource: an INI text with section STYLE (Name, Face,
// Window, Text, LabelText, Accent, Border as #RRGGBB). Nothing if damaged.
std::optional<VisualStyle> parseStyle(const Bytes& resource);

class StyleManager {
 public:
  StyleManager();
  void registerStyle(VisualStyle style);
  std::vector<Text> registeredNames() const;
  // Exact, case-sensitive name.
  bool activate(const Text& name);
  const VisualStyle& active() const { return styles_[active_]; }
  bool enabled() const { return active().custom; }

 private:
  std::vector<VisualStyle> styles_;
  std::size_t active_ = 0;
};

// Registers the dark styles carried as the program's resources IGUI and UGUI.
void registerBuiltInStyles(StyleManager& styles, System& system);

struct ThemeColours {
  Color labelText = kWindowTextColor;
  Color accent = 0x0A246A;
  Color linkNormal = 0x737373;
  Color linkHover = 0x0A246A;
  Color linkPressed = 0xD40000;
};

inline constexpr Color kDividerFill = 0x202020, kDividerOutline = 0x282828;
inline constexpr Color kSecondaryText = 0x737373, kBrandingText = 0x484848;
inline constexpr Color kErrorText = 0xD40000;
// What the uninstaller is about to do: its action line and Uninstall button.
inline constexpr Color kRemovalAccent = 0xD40000;

// What a control shows under the active style: its background (transparent
// controls and those without their own colour show their parent's; the
// face colour follows a dark style) and its text colour (the style's,
// unless the control keeps its own).
Color shownBackground(const Control& control, const VisualStyle& style);
Color shownTextColour(const Control& control, const VisualStyle& style);

bool detectDarkMode(Registry& registry);
void applyTheme(StyleManager& styles, bool dark, bool installer);
ThemeColours deriveThemeColours(const StyleManager& styles, bool dark);

}  // namespace lingvora
