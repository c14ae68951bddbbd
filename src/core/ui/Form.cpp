#include "ui/Form.h"

#include <algorithm>

namespace lingvora {

Control::Control(Form& form, const char* n, ControlKind k, Control* p)
    : name(n), kind(k), parent(p) {
  form.controls_.push_back(this);
  if (parent) parent->children.push_back(this);
}

Control& Control::dock(Align a, int size, Margins m) {
  align = a;
  margins = m;
  if (size >= 0) {
    if (a == Align::Top || a == Align::Bottom) bounds.height = size;
    if (a == Align::Left || a == Align::Right) bounds.width = size;
  }
  return *this;
}

Control* Form::find(const std::string& name) const {
  for (Control* c : controls_)
    if (c->name == name) return c;
  return nullptr;
}

namespace {

// The size of a control sized to its content, for the width it will have.
void fitContent(Control& c, Measure* measure, int width) {
  if (!c.autoSize) return;
  if (c.kind == ControlKind::Picture) {
    c.bounds.width = c.picture ? c.picture->width : 0;
    c.bounds.height = c.picture ? c.picture->height : 0;
    return;
  }
  if (!measure) return;
  if (c.wordWrap) {
    c.bounds.height = measure->textExtent(c.font, c.caption, std::max(1, width)).height;
    return;
  }
  const Size extent = measure->textExtent(c.font, c.caption, 0);
  c.bounds.width = extent.width;
  c.bounds.height = extent.height;
}

Margins clientInsets(const Control& parent, Measure* measure) {
  Margins in = parent.padding;
  if (parent.kind == ControlKind::GroupBox && measure) {
    const Margins frame = measure->groupBoxInsets(parent.font);
    in = {in.left + frame.left, in.top + frame.top, in.right + frame.right,
          in.bottom + frame.bottom};
  }
  return in;
}

}  // namespace

std::vector<int> Control::childrenOf(int item) const {
  std::vector<int> result;
  for (int i = 0; i < int(items.size()); ++i)
    if (items[size_t(i)].parent == item) result.push_back(i);
  return result;
}

void layout(Control& parent, Measure* measure) {
  // The free area, in the parent's client coordinates.
  const Margins in = clientInsets(parent, measure);
  int left = in.left, top = in.top;
  int right = parent.bounds.width - in.right, bottom = parent.bounds.height - in.bottom;
  auto place = [](Control& c, int x, int y, int w, int h) {
    const Margins& m = c.margins;
    c.bounds = {x + m.left, y + m.top, std::max(0, w - m.left - m.right),
                std::max(0, h - m.top - m.bottom)};
  };
  for (Control* c : parent.children)
    if (c->visible && c->align == Align::None) fitContent(*c, measure, c->bounds.width);
  for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (Control* c : parent.children) {
      if (!c->visible || c->align != pass) continue;
      const Margins& m = c->margins;
      if (pass == Align::Top || pass == Align::Bottom)
        fitContent(*c, measure, right - left - m.left - m.right);
      else if (pass != Align::Client)
        fitContent(*c, measure, c->bounds.width);
      const int w = c->bounds.width + m.left + m.right;
      const int h = c->bounds.height + m.top + m.bottom;
      switch (pass) {
        case Align::Top:
          place(*c, left, top, right - left, h);
          top += h;
          break;
        case Align::Bottom:
          place(*c, left, bottom - h, right - left, h);
          bottom -= h;
          break;
        case Align::Left:
          place(*c, left, top, w, bottom - top);
          left += w;
          break;
        case Align::Right:
          place(*c, right - w, top, w, bottom - top);
          right -= w;
          break;
        default:
          place(*c, left, top, right - left, bottom - top);
          break;
      }
    }
  }
  for (Control* c : parent.children)
    if (c->visible) layout(*c, measure);
}

namespace {
void run(const std::function<void()>& handler) {
  if (handler) handler();
}
}  // namespace

void userClick(Control& c) {
  if (c.kind == ControlKind::CheckBox) {
    userCheck(c, !c.checked);
    return;
  }
  run(c.onClick);
}

void userCheck(Control& c, bool checked) {
  c.checked = checked;
  run(c.onClick);
}

void userSelect(Control& c, int index) {
  const int count = int(c.kind == ControlKind::List ? c.rows.size() : c.entries.size());
  const int chosen = index >= 0 && index < count ? index : -1;
  if (chosen == c.selected) return;
  c.selected = chosen;
  run(c.onChange);
}

void userEdit(Control& c, const Text& text) {
  if (text == c.caption) return;
  c.caption = text;
  run(c.onChange);
}

void userTreeClick(Control& c, const TreeHit& hit) {
  // A click on an item's state image, icon or label selects that item.
  if (hit.item >= 0 && hit.item < int(c.items.size()) && (hit.flags & treehit::OnItem))
    c.selected = hit.item;
  if (c.onTreeClick) c.onTreeClick(hit);
}

void userTreeMouseMove(Control& c, const TreeHit& hit) {
  if (c.onTreeMouseMove) c.onTreeMouseMove(hit);
}

void userMouseEnter(Control& c) { run(c.onMouseEnter); }
void userMouseLeave(Control& c) { run(c.onMouseLeave); }

void timerTick(Control& c) {
  if (c.enabled && c.interval > 0) run(c.onTimer);
}

namespace {
bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}
}  // namespace

std::vector<const Control*> picturesBeneath(const Control& c) {
  std::vector<const Control*> beneath;
  if (!c.transparent || !c.parent) return beneath;
  for (const Control* sibling : c.parent->children)
    if (sibling != &c && sibling->visible && sibling->kind == ControlKind::Picture &&
        sibling->picture && overlap(sibling->bounds, c.bounds))
      beneath.push_back(sibling);
  return beneath;
}

}  // namespace lingvora
