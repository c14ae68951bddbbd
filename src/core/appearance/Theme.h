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

// How the system-drawn part of a control looks under the style: its field
// (the background of edit boxes, lists, trees, drop-down lists, rich text
// and progress tracks, or the face of buttons), its text, its border and,
// for progress bars, its bar. Under the system's own look every value is a
// system colour.
struct ControlColours {
  Color field, text, border, bar;
  bool operator==(const ControlColours&) const = default;
};
ControlColours controlColours(ControlKind kind, const VisualStyle& style);

// A push button or check box drawn by the program in a dark style.
enum class ButtonState { Normal, Hot, Pressed, Disabled };
struct ButtonColours {
  Color face, text, border;
  bool operator==(const ButtonColours&) const = default;
};
ButtonColours buttonColours(const VisualStyle& style, ButtonState state, bool isDefault);

bool detectDarkMode(Registry& registry);
// Dark only when the system asks for dark applications and no
// high-contrast scheme is on: high contrast wins.
bool wantsDarkTheme(Registry& registry, System& system);
void applyTheme(StyleManager& styles, bool dark, bool installer);
ThemeColours deriveThemeColours(const StyleManager& styles, bool dark);

}  // namespace lingvora
