#include "appearance/Theme.h"

namespace lingvora {
namespace {

std::optional<Color> parseColor(const std::optional<Text>& t) {
  if (!t || t->size() != 7 || (*t)[0] != u'#') return std::nullopt;
  Color c = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    char16_t ch = (*t)[i];
    int d = ch >= u'0' && ch <= u'9'   ? ch - u'0'
            : ch >= u'A' && ch <= u'F' ? ch - u'A' + 10
            : ch >= u'a' && ch <= u'f' ? ch - u'a' + 10
                                       : -1;
    if (d < 0) return std::nullopt;
    c = c << 4 | Color(d);
  }
  return c;
}

}  // namespace

std::optional<VisualStyle> parseStyle(const Bytes& resource) {
  IniDocument doc = IniDocument::parse(resource, {});
  VisualStyle s;
  s.name = doc.readString(u"STYLE", u"Name");
  s.custom = true;
  struct Field {
    const char16_t* key;
    Color VisualStyle::*member;
  };
  for (Field f : {Field{u"Face", &VisualStyle::face}, Field{u"Window", &VisualStyle::window},
                  Field{u"Text", &VisualStyle::text}, Field{u"LabelText", &VisualStyle::labelText},
                  Field{u"Accent", &VisualStyle::accent}, Field{u"Border", &VisualStyle::border}}) {
    auto c = parseColor(doc.find(u"STYLE", f.key));
    if (!c) return std::nullopt;
    s.*f.member = *c;
  }
  if (s.name.empty()) return std::nullopt;
  return s;
}

StyleManager::StyleManager() {
  VisualStyle system;
  system.name = u"Windows";
  styles_.push_back(system);
}

void StyleManager::registerStyle(VisualStyle style) { styles_.push_back(std::move(style)); }

std::vector<Text> StyleManager::registeredNames() const {
  std::vector<Text> names;
  for (const auto& s : styles_) names.push_back(s.name);
  return names;
}

bool StyleManager::activate(const Text& name) {
  for (std::size_t i = 0; i < styles_.size(); ++i) {
    if (styles_[i].name == name) {
      active_ = i;
      return true;
    }
  }
  return false;
}

void registerBuiltInStyles(StyleManager& styles, System& system) {
  for (const char16_t* name : {u"IGUI", u"UGUI"})
    if (auto bytes = system.ownResource(u"UISTYLE", name))
      if (auto style = parseStyle(*bytes)) styles.registerStyle(*style);
}

Color shownBackground(const Control& control, const VisualStyle& style) {
  for (const Control* c = &control; c; c = c->parent) {
    if (c->transparent || c->background == kDefaultColor) continue;
    if (style.custom && c->background == kButtonFaceColor) return style.face;
    return c->background;
  }
  return style.custom ? style.face : kButtonFaceColor;
}

Color shownTextColour(const Control& control, const VisualStyle& style) {
  if (style.custom && control.fontColorFromStyle) return style.text;
  return control.fontColor == kDefaultColor ? kWindowTextColor : control.fontColor;
}

namespace {

// Each channel moved towards white (amount > 0) or black (amount < 0).
Color shade(Color c, int amount) {
  auto channel = [&](int shift) {
    const int v = int((c >> shift) & 0xFF) + amount;
    return Color(v < 0 ? 0 : v > 255 ? 255 : v) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

// Halfway between two colours, channel by channel.
Color mix(Color a, Color b) {
  Color out = 0;
  for (int shift : {16, 8, 0})
    out |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
  return out;
}

constexpr Color kWindowColor = kSystemColor | 5;     // COLOR_WINDOW
constexpr Color kShadowColor = kSystemColor | 16;    // COLOR_BTNSHADOW
constexpr Color kButtonTextColor = kSystemColor | 18;

}  // namespace

ControlColours controlColours(ControlKind kind, const VisualStyle& style) {
  const bool button = kind == ControlKind::Button || kind == ControlKind::CheckBox;
  if (!style.custom)
    return {button ? kButtonFaceColor : kWindowColor, button ? kButtonTextColor : kWindowTextColor,
            kShadowColor, kHighlightColor};
  return {button ? style.face : style.window, style.text, style.border, style.accent};
}

ButtonColours buttonColours(const VisualStyle& style, ButtonState state, bool isDefault) {
  const Color face = shade(style.face, 0x10);  // a button stands out of its panel
  const Color border = isDefault ? style.accent : shade(style.border, 0x18);
  switch (state) {
    case ButtonState::Hot:
      return {shade(face, 0x12), style.text, border};
    case ButtonState::Pressed:
      return {shade(face, -0x0C), style.text, style.accent};
    case ButtonState::Disabled:
      return {style.face, mix(style.text, style.face), style.border};
    default:
      return {face, style.text, border};
  }
}

bool wantsDarkTheme(Registry& registry, System& system) {
  return detectDarkMode(registry) && !system.highContrast();
}

bool detectDarkMode(Registry& registry) {
  auto v = registry.readDword(Hive::CurrentUser,
                              u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                              u"AppsUseLightTheme");
  return v && *v == 0;
}

void applyTheme(StyleManager& styles, bool dark, bool installer) {
  const Text wanted = !dark ? u"Windows" : installer ? u"iGUI" : u"uGUI";
  for (const Text& name : styles.registeredNames()) {
    if (name == wanted) {
      styles.activate(name);
      return;
    }
  }
}

ThemeColours deriveThemeColours(const StyleManager& styles, bool dark) {
  ThemeColours c;
  const VisualStyle& style = styles.active();
  c.labelText = dark && styles.enabled() ? style.labelText : kWindowTextColor;
  c.accent = !styles.enabled() && !dark ? Color(0x0A246A) : style.accent;
  c.linkHover = c.accent;
  return c;
}

}  // namespace lingvora
