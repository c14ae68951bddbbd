#include "Fonts.h"

#include <string>

namespace lingvora::win32 {
namespace {

int screenDensity() {
  WindowDc dc(nullptr);
  return dc.get() ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
}

}  // namespace

HFONT FontCache::get(const Font& f) {
  auto key = std::make_tuple(f.face, f.points, f.bold, f.italic);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(f.points, density_, 72);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, wide(f.face), LF_FACESIZE);
    it = fonts_.emplace(key, UniqueGdi(CreateFontIndirectW(&lf))).first;
  }
  return static_cast<HFONT>(it->second.get());
}

Win32Measure::Win32Measure() : fonts_(screenDensity()) {}

Size Win32Measure::textExtent(const Font& font, const Text& text, int wrapWidth) {
  constexpr size_t kMostExtents = 4096;  // texts that change all the time stay few
  auto key = std::make_tuple(font.face, font.points, font.bold, font.italic, text, wrapWidth);
  if (auto it = extents_.find(key); it != extents_.end()) return it->second;
  if (extents_.size() >= kMostExtents) extents_.clear();
  const Size size = measure(font, text, wrapWidth);
  extents_.emplace(std::move(key), size);
  return size;
}

Size Win32Measure::measure(const Font& font, const Text& text, int wrapWidth) {
  WindowDc dc(nullptr);
  if (!dc.get()) return {};
  Selected selected(dc.get(), fonts_.get(font));
  const std::wstring t(wide(text));
  RECT r{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
  const UINT flags = DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  // An empty text still takes one line.
  DrawTextW(dc.get(), t.empty() ? L" " : t.c_str(), t.empty() ? 1 : int(t.size()), &r, flags);
  return {t.empty() ? 0 : int(r.right - r.left), int(r.bottom - r.top)};
}

int Win32Measure::listClientWidth(int outerWidth) {
  // The list's client edge on both sides.
  return outerWidth - 2 * GetSystemMetrics(SM_CXEDGE);
}

Margins Win32Measure::groupBoxInsets(const Font& font) {
  const int caption = textExtent(font, u"Ag", 0).height;
  const int edge = GetSystemMetrics(SM_CXEDGE);
  return {edge + 4, caption + 2, edge + 4, edge + 4};
}

}  // namespace lingvora::win32
