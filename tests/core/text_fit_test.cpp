// Texts cut off at the edge of their label, with a measure of ten pixels a
// character and ten a line.
#include <gtest/gtest.h>

#include "lint/TextFit.h"

namespace lingvora {
namespace {

struct TenPixels : Measure {
  Size textExtent(const Font&, const Text& text, int wrapWidth) override {
    const int width = int(text.size()) * 10;
    if (wrapWidth <= 0) return {width, 10};
    const int perLine = std::max(1, wrapWidth / 10);
    return {std::min(width, perLine * 10), int((text.size() + perLine - 1) / perLine) * 10};
  }
  int listClientWidth(int outerWidth) override { return outerWidth; }
  Margins groupBoxInsets(const Font&) override { return {}; }
};

TEST(TextFit, LabelsWhoseTextRunsPastTheirBox) {
  struct Case {
    const char* name;
    Text text;
    Rect box;
    bool wrap, autoSize, shown;
    std::vector<std::pair<int, bool>> cut;  // pixels, by height
  } cases[] = {
      {"a line that fits", u"abcde", {0, 0, 50, 10}, false, false, true, {}},
      {"a line too wide", u"abcdefg", {0, 0, 50, 10}, false, false, true, {{20, false}}},
      {"wrapped lines too tall", u"abcdefghij", {0, 0, 30, 30}, true, false, true, {{10, true}}},
      {"wrapped lines that fit", u"abcdefghi", {0, 0, 30, 30}, true, false, true, {}},
      {"sized to its text, past the page",
       u"abcdefghij",
       {150, 0, 100, 10},
       false,
       true,
       true,
       {{50, false}}},
      {"sized to its text, inside the page", u"abcde", {0, 0, 50, 10}, false, true, true, {}},
      {"a box past the page", u"abcdef", {180, 0, 60, 10}, false, false, true, {{40, false}}},
      {"a line in a box lower than its font",
       u"abc",
       {0, 0, 50, 6},
       false,
       false,
       true,
       {{4, true}}},
      {"a box below the page's bottom", u"abc", {0, 95, 50, 10}, false, false, true, {{5, true}}},
      {"hidden", u"abcdefg", {0, 0, 50, 10}, false, false, false, {}},
      {"empty", u"", {0, 0, 0, 0}, false, false, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form form;
    Control page(form, "P_Page", ControlKind::Panel, nullptr);
    Control label(form, "Lbl_Page_Text", ControlKind::Label, &page);
    page.bounds = {0, 0, 200, 100};
    page.visible = c.shown;
    label.caption = c.text;
    label.bounds = c.box;
    label.wordWrap = c.wrap;
    label.autoSize = c.autoSize;
    TenPixels measure;
    std::vector<std::pair<int, bool>> cut;
    for (const CutText& t : cutTexts(form, measure)) {
      EXPECT_EQ(t.control, "Lbl_Page_Text");
      EXPECT_EQ(t.text, c.text);
      cut.push_back({t.pixels, t.height});
    }
    EXPECT_EQ(cut, c.cut);
  }
}

}  // namespace
}  // namespace lingvora
