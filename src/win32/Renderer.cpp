#include "Renderer.h"

#include <commctrl.h>

#include <algorithm>

namespace lingvora::win32 {
namespace {

constexpr int kFirstId = 100;

LRESULT CALLBACK panelProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto* r = reinterpret_cast<Renderer*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      if (r) r->paint(w, dc);
      EndPaint(w, &ps);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (r) return r->controlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
      // Controls report to their parent panel; the main window handles them.
      return SendMessageW(GetAncestor(w, GA_ROOT), msg, wp, lp);
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

void Renderer::registerClasses(HINSTANCE instance) {
  WNDCLASSEXW panel{};
  panel.cbSize = sizeof panel;
  panel.lpfnWndProc = panelProc;
  panel.hInstance = instance;
  panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  panel.lpszClassName = kPanelClass;
  RegisterClassExW(&panel);
}

Renderer::Renderer(App& app, HWND main) : app_(app), main_(main) {
  shadows_.resize(app.form.controls().size());
}

Control* Renderer::controlById(int id) const {
  const auto& all = app_.form.controls();
  const int index = id - kFirstId;
  return index >= 0 && index < int(all.size()) ? all[size_t(index)] : nullptr;
}

HWND Renderer::windowOf(const Control& c) const {
  const auto& all = app_.form.controls();
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i] == &c) return all[i]->kind == ControlKind::Window ? main_ : shadows_[i].window;
  return nullptr;
}

HWND Renderer::create(Control& c, HWND parent, int id) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  const wchar_t* cls = kPanelClass;
  switch (c.kind) {
    case ControlKind::Label:
      cls = L"STATIC";
      style |= SS_NOPREFIX | (c.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
      break;
    case ControlKind::Button:
      cls = L"BUTTON";
      style |= WS_TABSTOP | (c.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    default:
      style |= WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
  }
  HWND w = CreateWindowExW(exStyle, cls, wide(c.caption), style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  if (!w) return nullptr;
  if (cls == kPanelClass) SetWindowLongPtrW(w, GWLP_USERDATA, LONG_PTR(this));
  // The control's name, for UI automation and the end-to-end tests.
  const Text name(c.name.begin(), c.name.end());
  SetPropW(w, kControlNameProperty, reinterpret_cast<HANDLE>(
                                        static_cast<ULONG_PTR>(GlobalAddAtomW(wide(name)))));
  return w;
}

void Renderer::syncWindowFrame() {
  MainForm& f = app_.form;
  if (f.caption != frameCaption_) {
    frameCaption_ = f.caption;
    SetWindowTextW(main_, wide(f.caption));
  }
  if (f.width > 0 && (f.width != frameWidth_ || f.height != frameHeight_)) {
    frameWidth_ = f.width;
    frameHeight_ = f.height;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - f.width) / 2;
    const int y = work.top + (work.bottom - work.top - f.height) / 2;
    SetWindowPos(main_, nullptr, x, y, f.width, f.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Renderer::sync() {
  syncWindowFrame();
  RECT client{};
  GetClientRect(main_, &client);
  app_.form.layoutClient(client.right, client.bottom);

  const auto& all = app_.form.controls();
  for (size_t i = 0; i < all.size(); ++i) {
    Control& c = *all[i];
    // Image lists are data for the control that shows them, not windows.
    if (c.kind == ControlKind::Window || c.kind == ControlKind::ImageList) continue;
    Shadow& s = shadows_[i];
    if (!s.window) {
      s.window = create(c, windowOf(*c.parent), kFirstId + int(i));
      if (!s.window) continue;
      byWindow_[s.window] = i;
    }
    if (s.fresh || c.caption != s.caption) {
      SetWindowTextW(s.window, wide(c.caption));
      s.caption = c.caption;
    }
    if (s.fresh || !(c.font == s.font)) {
      SendMessageW(s.window, WM_SETFONT, WPARAM(font(c.font)), TRUE);
      s.font = c.font;
    }
    if (c.kind == ControlKind::Button && (s.fresh || c.defaultButton != s.defaultButton)) {
      SendMessageW(s.window, BM_SETSTYLE, c.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      s.defaultButton = c.defaultButton;
    }
    if (s.fresh || !(c.bounds == s.bounds)) {
      SetWindowPos(s.window, nullptr, c.bounds.left, c.bounds.top, c.bounds.width,
                   c.bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
      s.bounds = c.bounds;
    }
    if (s.fresh || c.enabled != s.enabled) {
      EnableWindow(s.window, c.enabled);
      s.enabled = c.enabled;
    }
    if (s.fresh || c.visible != s.visible) {
      ShowWindow(s.window, c.visible ? SW_SHOWNA : SW_HIDE);
      s.visible = c.visible;
    }
    // Colours may follow the style: repaint what is shown.
    if (c.visible) InvalidateRect(s.window, nullptr, TRUE);
    s.fresh = false;
  }
}

HFONT Renderer::font(const Font& f) {
  auto key = std::make_tuple(f.face, f.points, f.bold);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(f.points, app_.density(), 72);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, wide(f.face), LF_FACESIZE);
    it = fonts_.emplace(key, UniqueGdi(CreateFontIndirectW(&lf))).first;
  }
  return static_cast<HFONT>(it->second.get());
}

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
  const VisualStyle& style = app_.styles.active();
  for (const Control* p = &c; p; p = p->parent) {
    if (p->transparent) continue;
    if (p->background == kDefaultColor) continue;
    // Under a dark style the face follows the style, not the system.
    if (style.custom && p->background == kButtonFaceColor) return resolve(style.face);
    return resolve(p->background);
  }
  return resolve(style.custom ? style.face : kButtonFaceColor);
}

COLORREF Renderer::textColour(const Control& c) const {
  const VisualStyle& style = app_.styles.active();
  if (style.custom && c.fontColorFromStyle) return resolve(style.text);
  return resolve(c.fontColor == kDefaultColor ? kWindowTextColor : c.fontColor);
}

LRESULT Renderer::controlColour(HDC dc, HWND child) {
  auto it = byWindow_.find(child);
  if (it == byWindow_.end()) return LRESULT(GetSysColorBrush(COLOR_BTNFACE));
  const Control& c = *app_.form.controls()[it->second];
  SetTextColor(dc, textColour(c));
  const COLORREF bg = background(c);
  SetBkColor(dc, bg);
  if (c.transparent) SetBkMode(dc, TRANSPARENT);
  return LRESULT(brush(bg));
}

void Renderer::paint(HWND window, HDC dc) {
  auto it = byWindow_.find(window);
  if (it == byWindow_.end()) return;
  const Control& c = *app_.form.controls()[it->second];
  RECT r{};
  GetClientRect(window, &r);
  FillRect(dc, &r, brush(background(c)));
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
  if (c.kind == ControlKind::Picture && c.picture) drawPicture(dc, r, *c.picture);
}

void Renderer::drawPicture(HDC dc, const RECT& area, const Image& image) {
  // The picture's pixels are premultiplied BGRA, as AlphaBlend wants them.
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueGdi bitmap(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDc memory(CreateCompatibleDC(dc));
  if (!bitmap || !memory || !bits) return;
  std::copy(image.bgra.begin(), image.bgra.end(), static_cast<std::uint8_t*>(bits));
  Selected selected(memory.get(), bitmap.get());
  // Centred in the control.
  const int x = (area.right - image.width) / 2, y = (area.bottom - image.height) / 2;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, image.width, image.height, memory.get(), 0, 0, image.width, image.height,
             blend);
}

}  // namespace lingvora::win32
