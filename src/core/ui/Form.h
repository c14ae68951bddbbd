#pragma once
// The form model: the main window's controls as data, named as the controls
// are named, with the properties the pages set and a docking layout. The
// Win32 renderer mirrors this model into real windows.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "images/Image.h"
#include "text/Text.h"

namespace lingvora {

// #RRGGBB, or one of the system colours below (high bit set).
using Color = std::uint32_t;
inline constexpr Color kSystemColor = 0x80000000;
inline constexpr Color kWindowTextColor = kSystemColor | 8;
inline constexpr Color kButtonFaceColor = kSystemColor | 15;
inline constexpr Color kHighlightColor = kSystemColor | 13;
inline constexpr Color kDefaultColor = 0xFFFFFFFF;  // whatever the style gives

enum class ControlKind { Window, Panel, Label, Button, Bevel, Picture, ImageList, Shape, RichEdit };
enum class TextAlign { Left, Center, Right };
enum class Align { None, Top, Bottom, Left, Right, Client };
enum class BevelShape { TopLine, BottomLine };

struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Margins&) const = default;
};

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

struct Font {
  Text face = u"Tahoma";
  int points = 8;
  bool bold = false;
  bool italic = false;
  bool operator==(const Font&) const = default;
};

// One piece of rich text: its attributes and whether a line break follows.
// Alignment codes: 0 left, 1 centred, 2 right, others keep the paragraph's.
struct StyledRun {
  Text text;
  Color color = kWindowTextColor;
  Text face;
  int charset = 1;  // the default character set
  int points = 8;
  bool bold = false;
  int alignment = 0;
  bool lineBreak = false;
  bool operator==(const StyledRun&) const = default;
};

class Form;

class Control {
 public:
  Control(Form& form, const char* name, ControlKind kind, Control* parent);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string name;
  const ControlKind kind;
  Control* const parent;
  std::vector<Control*> children;

  bool visible = true;
  bool enabled = true;
  Text caption;
  Font font;
  Color background = kDefaultColor;
  Color fontColor = kDefaultColor;
  // False: the program's own font colour shows even under a dark style.
  bool fontColorFromStyle = true;
  bool transparent = false;
  bool wordWrap = false;
  bool defaultButton = false;
  BevelShape bevelShape = BevelShape::TopLine;
  // Labels: horizontal alignment, text at the bottom of the box, one line
  // sized to its text, the hand cursor of a link.
  TextAlign textAlign = TextAlign::Left;
  bool textAtBottom = false;
  bool handCursor = false;
  // Shapes: fill and outline.
  Color outline = kDefaultColor;
  // Rich-text boxes: the runs, in order; read-only boxes only scroll.
  std::vector<StyledRun> runs;
  bool readOnly = false;

  // Docking: Align::None keeps bounds as set; docked controls take their
  // width (left, right) or height (top, bottom) from bounds.
  Align align = Align::None;
  Margins margins;
  Rect bounds;  // relative to the parent's client area, after layout

  // Picture controls: the picture (none when empty). Image lists: the entries.
  std::shared_ptr<const Image> picture;
  std::vector<MaskedImage> images;

  std::function<void()> onClick;
  std::function<void()> onMouseEnter, onMouseLeave;

  Control& show() {
    visible = true;
    return *this;
  }
  Control& hide() {
    visible = false;
    return *this;
  }
  Control& dock(Align a, int size = -1, Margins m = {});
};

// Docks the visible children of parent (recursively) into parent's bounds:
// top, bottom, left and right ones in their order, then those that fill.
void layout(Control& parent);

class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  const std::vector<Control*>& controls() const { return controls_; }
  Control* find(const std::string& name) const;

 private:
  friend class Control;
  std::vector<Control*> controls_;
};

}  // namespace lingvora
