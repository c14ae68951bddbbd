#pragma once
// The program's fonts: one GDI font per face, size and style at the
// screen's density, made once and kept for the process.
#include <windows.h>

#include <map>
#include <tuple>

#include "Handles.h"
#include "ui/Form.h"

namespace lingvora::win32 {

class FontCache {
 public:
  explicit FontCache(int density) : density_(density) {}
  HFONT get(const Font& f);

 private:
  int density_;
  std::map<std::tuple<Text, int, bool, bool>, UniqueGdi> fonts_;
};

// Text extents in the program's fonts, list client widths and group-box
// frames, as the system draws them.
class Win32Measure : public Measure {
 public:
  Win32Measure();
  Size textExtent(const Font& font, const Text& text, int wrapWidth) override;
  int listClientWidth(int outerWidth) override;
  Margins groupBoxInsets(const Font& font) override;

 private:
  Size measure(const Font& font, const Text& text, int wrapWidth);
  FontCache fonts_;
  // The layout measures the same texts on every change of the window; a
  // text's extent in a font never changes while the program runs.
  std::map<std::tuple<Text, int, bool, bool, Text, int>, Size> extents_;
};

}  // namespace lingvora::win32
