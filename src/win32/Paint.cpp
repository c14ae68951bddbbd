// The renderer's own painting: panels, labels, group boxes, bevels,
// pictures, shapes and squares, and the colours of the system's controls.
#include <vssym32.h>

#include <algorithm>

#include "Renderer.h"

namespace lingvora::win32 {

HBRUSH Renderer::brush(COLORREF colour) {
  auto it = brushes_.find(colour);
  if (it == brushes_.end())
    it = brushes_.emplace(colour, UniqueGdi(CreateSolidBrush(colour))).first;
  return static_cast<HBRUSH>(it->second.get());
}

COLORREF Renderer::resolve(Color c) const {
  if (c & kSystemColor) return GetSysColor(int(c & 0xFF));
  return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

COLORREF Renderer::background(const Control& c) const {
  return resolve(shownBackground(c, app_.styles.active()));
}

COLORREF Renderer::textColour(const Control& c) const {
  return resolve(shownTextColour(c, app_.styles.active()));
}

LRESULT Renderer::controlColour(HDC dc, HWND child) {
  auto it = byWindow_.find(child);
  if (it == byWindow_.end()) return LRESULT(GetSysColorBrush(COLOR_BTNFACE));
  const Control& c = *app_.form.controls()[it->second];
  SetTextColor(dc, textColour(c));
  const VisualStyle& style = app_.styles.active();
  // Edit boxes and lists show the style's window colour.
  const bool field = c.kind == ControlKind::Edit || c.kind == ControlKind::DropDown;
  const COLORREF bg =
      field ? (style.custom ? resolve(style.window) : GetSysColor(COLOR_WINDOW)) : background(c);
  SetBkColor(dc, bg);
  if (c.transparent) SetBkMode(dc, TRANSPARENT);
  return LRESULT(brush(bg));
}

void Renderer::paintBackground(const Control& c, HDC dc, const RECT& r) {
  FillRect(dc, &r, brush(background(c)));
  for (const Control* sibling : picturesBeneath(c)) {
    RECT area{sibling->bounds.left - c.bounds.left, sibling->bounds.top - c.bounds.top,
              sibling->bounds.right() - c.bounds.left, sibling->bounds.bottom() - c.bounds.top};
    drawPicture(dc, area, sibling->picture, sibling->center, sibling->stretch);
  }
}

void Renderer::paintLabel(const Control& c, HDC dc, const RECT& r) {
  paintBackground(c, dc, r);
  Selected font(dc, fonts_.get(c.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c.enabled ? textColour(c) : GetSysColor(COLOR_GRAYTEXT));
  UINT flags = DT_NOPREFIX | (c.wordWrap ? DT_WORDBREAK : DT_SINGLELINE) |
               (c.textAlign == TextAlign::Center  ? DT_CENTER
                : c.textAlign == TextAlign::Right ? DT_RIGHT
                                                  : DT_LEFT);
  RECT box = r;
  const std::wstring text(wide(c.caption));
  if (c.textAtBottom || c.centerVertically) {
    RECT measure = r;
    DrawTextW(dc, text.c_str(), int(text.size()), &measure, flags | DT_CALCRECT);
    const int height = measure.bottom - measure.top;
    box.top = c.textAtBottom ? r.bottom - height : r.top + (r.bottom - r.top - height) / 2;
    box.top = std::max(r.top, box.top);
  }
  DrawTextW(dc, text.c_str(), int(text.size()), &box, flags);
}

void Renderer::paintChildFrames(const Control& c, HDC dc) {
  if (!app_.styles.enabled()) return;
  for (const Control* child : c.children) {
    if (!child->visible || !framedInStyle(child->kind)) continue;
    const RECT frame{child->bounds.left, child->bounds.top, child->bounds.right(),
                     child->bounds.bottom()};
    FrameRect(dc, &frame, brush(resolve(controlColours(child->kind, app_.styles.active()).border)));
  }
}

void Renderer::paintGroupBox(const Control& c, HDC dc, const RECT& r) {
  paintBackground(c, dc, r);
  paintChildFrames(c, dc);
  Selected font(dc, fonts_.get(c.font));
  const std::wstring caption(wide(c.caption));
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.empty() ? L"Ag" : caption.c_str(),
                        caption.empty() ? 2 : int(caption.size()), &extent);
  // The frame runs through the middle of the caption's line.
  RECT frame = r;
  frame.top += extent.cy / 2;
  const VisualStyle& style = app_.styles.active();
  if (style.custom)
    FrameRect(dc, &frame, brush(resolve(style.border)));
  else
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  RECT text{r.left + 8, r.top, r.left + 8 + extent.cx + 4, r.top + extent.cy};
  text.right = std::min(text.right, r.right - 4);
  FillRect(dc, &text, brush(background(c)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c.enabled ? textColour(c) : GetSysColor(COLOR_GRAYTEXT));
  text.left += 2;
  DrawTextW(dc, caption.c_str(), int(caption.size()), &text, DT_NOPREFIX | DT_SINGLELINE);
}

void Renderer::paintSquare(const Control& c, HWND window, HDC dc, const RECT& r) {
  if (c.squareFill == SquareFill::Solid) {
    FillRect(dc, &r,
             brush(resolve(c.background == kDefaultColor ? kButtonFaceColor : c.background)));
    return;
  }
  paintBackground(c, dc, r);
  // The system's progress bar: its empty track, or its fill inside the track's edge.
  UniqueTheme theme(OpenThemeData(window, L"PROGRESS"));
  RECT area = r;
  if (c.squareFill == SquareFill::Fill) InflateRect(&area, -1, -1);
  if (theme) {
    DrawThemeBackground(theme.get(), dc, c.squareFill == SquareFill::Fill ? PP_FILL : PP_BAR, 1,
                        &area, nullptr);
    return;
  }
  if (c.squareFill == SquareFill::Fill) {
    FillRect(dc, &area, brush(GetSysColor(COLOR_HIGHLIGHT)));
  } else {
    FillRect(dc, &area, brush(GetSysColor(COLOR_WINDOW)));
    FrameRect(dc, &area, brush(GetSysColor(COLOR_BTNSHADOW)));
  }
}

void Renderer::paint(HWND window, HDC dc) {
  Control* found = controlOf(window);
  if (!found) return;
  const Control& c = *found;
  RECT r{};
  GetClientRect(window, &r);
  switch (c.kind) {
    case ControlKind::Label:
      paintLabel(c, dc, r);
      return;
    case ControlKind::GroupBox:
      paintGroupBox(c, dc, r);
      return;
    case ControlKind::Square:
      paintSquare(c, window, dc, r);
      return;
    case ControlKind::Shape:
      FillRect(dc, &r,
               brush(resolve(c.background == kDefaultColor ? kButtonFaceColor : c.background)));
      if (c.outline != kDefaultColor) FrameRect(dc, &r, brush(resolve(c.outline)));
      return;
    default:
      break;
  }
  paintBackground(c, dc, r);
  paintChildFrames(c, dc);
  if (c.kind == ControlKind::Bevel) {
    const VisualStyle& style = app_.styles.active();
    const COLORREF line = style.custom ? resolve(style.border) : GetSysColor(COLOR_BTNSHADOW);
    RECT edge = r;
    if (c.bevelShape == BevelShape::TopLine)
      edge.bottom = edge.top + 1;
    else
      edge.top = edge.bottom - 1;
    FillRect(dc, &edge, brush(line));
  }
  if (c.kind == ControlKind::Picture && c.picture)
    drawPicture(dc, r, c.picture, c.center, c.stretch);
}

const Renderer::PictureBitmap* Renderer::pictureBitmap(HDC dc,
                                                       const std::shared_ptr<const Image>& image) {
  auto it = pictureBitmaps_.find(image.get());
  if (it != pictureBitmaps_.end() && it->second.image.lock() == image) return &it->second;
  // Pictures no longer shown go before a new one is kept.
  std::erase_if(pictureBitmaps_, [](const auto& entry) { return entry.second.image.expired(); });
  // The picture's pixels are premultiplied BGRA, as AlphaBlend wants them.
  BITMAPINFO bi{};
  bi.bmiHeader = {
      sizeof(BITMAPINFOHEADER), image->width, -image->height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueGdi bitmap(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return nullptr;
  std::copy(image->bgra.begin(), image->bgra.end(), static_cast<std::uint8_t*>(bits));
  bool opaque = true;
  for (size_t i = 3; i < image->bgra.size() && opaque; i += 4) opaque = image->bgra[i] == 255;
  PictureBitmap& kept = pictureBitmaps_[image.get()];
  kept = {image, std::move(bitmap), opaque};
  return &kept;
}

void Renderer::drawPicture(HDC dc, const RECT& area, const std::shared_ptr<const Image>& picture,
                           bool center, bool stretch) {
  if (!picture || picture->width <= 0 || picture->height <= 0) return;
  const Image& image = *picture;
  const PictureBitmap* kept = pictureBitmap(dc, picture);
  UniqueDc memory(CreateCompatibleDC(dc));
  if (!kept || !memory) return;
  Selected selected(memory.get(), kept->bitmap.get());
  const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  int width = image.width, height = image.height;
  if (stretch && areaWidth > 0 && areaHeight > 0) {
    // As large as the area allows, keeping the proportions.
    if (static_cast<long long>(areaWidth) * image.height <=
        static_cast<long long>(areaHeight) * image.width) {
      width = areaWidth;
      height = int(static_cast<long long>(image.height) * areaWidth / image.width);
    } else {
      height = areaHeight;
      width = int(static_cast<long long>(image.width) * areaHeight / image.height);
    }
  }
  int x = area.left, y = area.top;
  if (center || stretch) {
    x += (areaWidth - width) / 2;
    y += (areaHeight - height) / 2;
  }
  // Blending costs a pass over every pixel; an opaque picture needs none.
  if (kept->opaque && width == image.width && height == image.height) {
    BitBlt(dc, x, y, width, height, memory.get(), 0, 0, SRCCOPY);
    return;
  }
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width, height, memory.get(), 0, 0, image.width, image.height, blend);
}

}  // namespace lingvora::win32
