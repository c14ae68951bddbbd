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

// How far the text runs past its own box, and past its parent's, which
// clips it too (a label sized to its text can reach beyond the page).
int overflow(const Control& c, Size need) {
  const Rect& box = c.bounds;
  if (c.wordWrap) {
    const int height = c.autoSize ? need.height : std::min(need.height, box.height);
    const int own = c.autoSize ? 0 : need.height - box.height;
    return c.parent ? std::max(own, box.top + height - c.parent->bounds.height) : own;
  }
  const int width = c.autoSize ? need.width : std::min(need.width, box.width);
  const int own = c.autoSize ? 0 : need.width - box.width;
  return c.parent ? std::max(own, box.left + width - c.parent->bounds.width) : own;
}

std::vector<CutText> cutTexts(const Form& form, Measure& measure) {
  std::vector<CutText> cut;
  for (const Control* c : form.controls()) {
    if (c->kind != ControlKind::Label || c->caption.empty() || !shown(*c)) continue;
    const Size need = measure.textExtent(c->font, c->caption, c->wordWrap ? c->bounds.width : 0);
    if (const int over = overflow(*c, need); over > 0)
      cut.push_back({c->name, c->caption, over, c->wordWrap});
  }
  return cut;
}

}  // namespace lingvora
