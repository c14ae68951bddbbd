#include "lint/TextFit.h"

#include <algorithm>

namespace lingvora {
namespace {

bool shown(const Control& c) {
  for (const Control* p = &c; p; p = p->parent)
    if (!p->visible) return false;
  return true;
}

}  // namespace

struct Overflow {
  int pixels;
  bool height;
};

// How far the text runs past its own box, and past its parent's, which
// clips it too (a label sized to its text can reach beyond the page): a
// wrapped text by its height, one line by its width or, when its font is
// taller than the box, by its height.
Overflow overflow(const Control& c, Size need) {
  const Rect& box = c.bounds;
  const int parentWidth = c.parent ? c.parent->bounds.width : box.right();
  const int parentHeight = c.parent ? c.parent->bounds.height : box.bottom();
  auto past = [&](int needed, int own, int start, int parent) {
    const int shown = c.autoSize ? needed : std::min(needed, own);
    return std::max(c.autoSize ? 0 : needed - own, start + shown - parent);
  };
  const int tall = past(need.height, box.height, box.top, parentHeight);
  if (c.wordWrap) return {tall, true};
  const int wide = past(need.width, box.width, box.left, parentWidth);
  return tall > wide ? Overflow{tall, true} : Overflow{wide, false};
}

std::vector<CutText> cutTexts(const Form& form, Measure& measure) {
  std::vector<CutText> cut;
  for (const Control* c : form.controls()) {
    if (c->kind != ControlKind::Label || c->caption.empty() || !shown(*c)) continue;
    const Size need = measure.textExtent(c->font, c->caption, c->wordWrap ? c->bounds.width : 0);
    if (const Overflow over = overflow(*c, need); over.pixels > 0)
      cut.push_back({c->name, c->caption, over.pixels, over.height});
  }
  return cut;
}

}  // namespace lingvora
