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

enum class ControlKind {
  Window,
  Panel,
  Label,
  Button,
  Bevel,
  Picture,
  ImageList,
  Shape,
  RichEdit,
  Tree,      // tree view with state images
  DropDown,  // drop-down list, not editable
  CheckBox,
  Progress,  // progress bar, or a gauge in the program's own colours
  Edit,      // one-line edit box
  List,      // report list view
  GroupBox,  // a framed, captioned panel (the program's own)
  Square,    // a small painted square (legends)
  Timer,     // no window: a tick every interval while enabled
};
enum class TextAlign { Left, Center, Right };
enum class Align { None, Top, Bottom, Left, Right, Client };
enum class BevelShape { TopLine, BottomLine };

struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Margins&) const = default;
};

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
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

// Tree views. Items are kept in display order, each knowing its parent
// (an index into the items, -1 for the top level); the state code selects
// the state image at that position of the tree's image list.
struct TreeItem {
  Text text;
  Text key;  // what the item stands for (a component identifier)
  int parent = -1;
  int state = 0;
  bool expanded = true;
  bool bold = false;
  bool operator==(const TreeItem&) const = default;
};

// Where a point lies relative to a tree's items, as the control's hit test
// reports it (the flags may combine).
namespace treehit {
inline constexpr unsigned Nowhere = 0x1, OnIcon = 0x2, OnLabel = 0x4, OnIndent = 0x8,
                          OnButton = 0x10, OnRight = 0x20, OnStateIcon = 0x40, Above = 0x100,
                          Below = 0x200, ToRight = 0x400, ToLeft = 0x800;
inline constexpr unsigned OnItem = OnIcon | OnLabel | OnStateIcon;
}  // namespace treehit

struct TreeHit {
  unsigned flags = treehit::Nowhere;
  int item = -1;  // index into the items; -1 when there is none at the point
  // On the item itself (its state image, icon or label) and nothing else.
  bool onItemOnly() const { return item >= 0 && flags && !(flags & ~treehit::OnItem); }
};

// Drop-down lists: an entry's text and the number it carries.
struct ListEntry {
  Text text;
  int value = 0;
  bool operator==(const ListEntry&) const = default;
};

// Report list views.
struct ListColumn {
  Text caption;
  int width = 0;
  bool operator==(const ListColumn&) const = default;
};

struct ListRow {
  std::vector<Text> cells;  // the first cell is the item's text
  int value = 0;
  bool operator==(const ListRow&) const = default;
};

// Small painted squares: the system's progress track, its fill inset by
// one pixel, or a plain colour.
enum class SquareFill { Track, Fill, Solid };

// The taskbar button's progress of the main window.
enum class TaskbarState { None, Normal, Error };
struct TaskbarProgress {
  TaskbarState state = TaskbarState::None;
  int value = 0, maximum = 100;
  bool operator==(const TaskbarProgress&) const = default;
};

// What only the system can tell, asked by the layout: the extent of a text
// in a font at the screen's density, a report list's client width, a group
// box's client area.
struct Measure {
  virtual ~Measure() = default;
  // wrapWidth 0: one line; otherwise the text broken into lines that wide.
  virtual Size textExtent(const Font& font, const Text& text, int wrapWidth) = 0;
  // The client width of a report list with the given outer width.
  virtual int listClientWidth(int outerWidth) = 0;
  // The space a group box's frame and caption take from each side.
  virtual Margins groupBoxInsets(const Font& font) = 0;
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
  // Labels and pictures: sized to the text (one line, or the height of the
  // wrapped text at the width they have) or to the picture.
  bool autoSize = false;
  bool centerVertically = false;
  // Pictures: centred in the control, or stretched keeping the proportions;
  // otherwise placed at the top left.
  bool center = false;
  bool stretch = false;
  // Shapes: fill and outline. Squares: their fill and colour (background).
  Color outline = kDefaultColor;
  SquareFill squareFill = SquareFill::Solid;
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

  // Tree views: the items, the selected one (-1 none), the image list whose
  // positions are the state codes, indent and whole-row selection.
  std::vector<TreeItem> items;
  int selected = -1;  // also drop-down lists and report lists
  const Control* stateImages = nullptr;
  int indent = 19;
  bool rowSelect = false;
  // Drop-down lists.
  std::vector<ListEntry> entries;
  // Report lists.
  std::vector<ListColumn> columns;
  std::vector<ListRow> rows;
  // Check boxes.
  bool checked = false;
  // Progress bars; a gauge has no border and the program's own colours
  // (background, and barColor for the bar).
  int minimum = 0, maximum = 100, position = 0, step = 10;
  bool smooth = false;
  bool gauge = false;
  Color barColor = kDefaultColor;
  // Timers: the interval in milliseconds while enabled.
  int interval = 0;
  // Group boxes and panels: space kept free inside the edges.
  Margins padding;

  // Handlers. User changes are in the model before they run.
  std::function<void()> onClick;
  std::function<void()> onMouseEnter, onMouseLeave;
  std::function<void()> onChange;  // a selection or text changed by the user
  std::function<void(const TreeHit&)> onTreeClick, onTreeMouseMove;
  std::function<void()> onTimer;

  // The children of a tree item, in display order.
  std::vector<int> childrenOf(int item) const;

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

// Docks the visible children of parent (recursively) into parent's bounds
// less its padding: top, bottom, left and right ones in their order, then
// those that fill. Controls sized to their content are measured first.
void layout(Control& parent, Measure* measure = nullptr);

// The pictures that show through a transparent control: its visible
// siblings' pictures that it overlaps, in their order.
std::vector<const Control*> picturesBeneath(const Control& c);

// What the user did, as the renderer reports it: the model takes the
// change first, then the handler runs. The program's own changes are plain
// writes to the model and raise no event.
void userClick(Control& c);
void userCheck(Control& c, bool checked);
void userSelect(Control& c, int index);
void userEdit(Control& c, const Text& text);
void userTreeClick(Control& c, const TreeHit& hit);
void userTreeMouseMove(Control& c, const TreeHit& hit);
void userMouseEnter(Control& c);
void userMouseLeave(Control& c);
void timerTick(Control& c);

class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  const std::vector<Control*>& controls() const { return controls_; }
  Control* find(const std::string& name) const;

  // Asked by the layout for text extents; none: content is not measured.
  Measure* measure = nullptr;
  // A control that should take the keyboard focus; the renderer moves the
  // focus there and clears the request.
  Control* focusRequest = nullptr;
  // The hidden parts the user may open next (the pages of the running
  // wizard): the renderer may make their windows ahead, while idle.
  std::vector<const Control*> ahead;

 private:
  friend class Control;
  std::vector<Control*> controls_;
};

}  // namespace lingvora
