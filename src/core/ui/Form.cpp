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

void layout(Control& parent) {
  // The free area, in the parent's client coordinates.
  int left = 0, top = 0, right = parent.bounds.width, bottom = parent.bounds.height;
  auto place = [](Control& c, int x, int y, int w, int h) {
    const Margins& m = c.margins;
    c.bounds = {x + m.left, y + m.top, std::max(0, w - m.left - m.right),
                std::max(0, h - m.top - m.bottom)};
  };
  for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (Control* c : parent.children) {
      if (!c->visible || c->align != pass) continue;
      const Margins& m = c->margins;
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
    if (c->visible) layout(*c);
}

}  // namespace lingvora
