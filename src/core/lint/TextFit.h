#pragma once
// Texts that do not fit their labels: a translation longer than the box
// the page gives it is cut off at its edge. Measured with the label's own
// font through the Measure port, so that under Windows the system's fonts
// decide, as they do when the label is painted.
#include <string>
#include <vector>

#include "ui/Form.h"

namespace lingvora {

struct CutText {
  std::string control;
  Text text;
  int pixels;   // by how much the text runs past its box
  bool height;  // taller than its box (wrapped, or a font too tall); else wider
};

// Every label shown (it and all its parents visible) whose text runs past
// its bounds as laid out.
std::vector<CutText> cutTexts(const Form& form, Measure& measure);

}  // namespace lingvora
