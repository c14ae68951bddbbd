#include "Renderer.h"

#include <commctrl.h>
#include <richedit.h>

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

LRESULT CALLBACK labelProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  auto* r = reinterpret_cast<Renderer*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (msg == WM_PAINT) return panelProc(w, msg, wp, lp);
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_SETTEXT) {
    // The text is the window text; show it anew.
    LRESULT result = DefWindowProcW(w, msg, wp, lp);
    InvalidateRect(w, nullptr, TRUE);
    return result;
  }
  if (r) return r->labelMessage(w, msg, wp, lp);
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
  WNDCLASSEXW label = panel;
  label.lpfnWndProc = labelProc;
  label.hCursor = nullptr;  // chosen per label (links show a hand)
  label.lpszClassName = kLabelClass;
  RegisterClassExW(&label);
}

Renderer::Renderer(App& app, HWND main, std::function<void(const std::function<void()>&)> invoke)
    : app_(app), main_(main), invoke_(std::move(invoke)), richEdit_(LoadLibraryW(L"riched20.dll")) {
  shadows_.resize(app.form.controls().size());
}

Control* Renderer::controlOf(HWND window) const {
  auto it = byWindow_.find(window);
  return it == byWindow_.end() ? nullptr : app_.form.controls()[it->second];
}

LRESULT Renderer::labelMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  Control* c = controlOf(w);
  auto it = byWindow_.find(w);
  if (!c || it == byWindow_.end()) return DefWindowProcW(w, msg, wp, lp);
  Shadow& s = shadows_[it->second];
  auto call = [&](const std::function<void()>& handler) {
    if (handler) invoke_(handler);
  };
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, c->handCursor ? IDC_HAND : IDC_ARROW));
      return TRUE;
    case WM_MOUSEMOVE:
      if (!s.tracking) {
        s.tracking = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, w, 0};
        TrackMouseEvent(&t);
        call(c->onMouseEnter);
      }
      return 0;
    case WM_MOUSELEAVE:
      s.tracking = false;
      call(c->onMouseLeave);
      return 0;
    case WM_LBUTTONUP:
      call(c->onClick);
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
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
      cls = kLabelClass;
      break;
    case ControlKind::RichEdit:
      cls = RICHEDIT_CLASSW;
      style |= WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL |
               (c.readOnly ? ES_READONLY : 0);
      exStyle |= WS_EX_CLIENTEDGE;
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
  if (cls == kPanelClass || cls == kLabelClass) SetWindowLongPtrW(w, GWLP_USERDATA, LONG_PTR(this));
  // The control's name, for UI automation and the end-to-end tests.
  const Text name(c.name.begin(), c.name.end());
  SetPropW(w, kControlNameProperty,
           reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GlobalAddAtomW(wide(name)))));
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
    // Windows of hidden pages are made when the page first shows.
    if (!shadows_[i].window && !c.visible) continue;
    Shadow& s = shadows_[i];
    if (!s.window) {
      s.window = create(c, windowOf(*c.parent), kFirstId + int(i));
      if (!s.window) continue;
      // A control placed by position lies over the docked ones beside it.
      if (c.align == Align::None)
        SetWindowPos(s.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
    if (c.kind == ControlKind::RichEdit) syncRuns(c, s);
    if (c.kind == ControlKind::Button && (s.fresh || c.defaultButton != s.defaultButton)) {
      SendMessageW(s.window, BM_SETSTYLE, c.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      s.defaultButton = c.defaultButton;
    }
    if (s.fresh || !(c.bounds == s.bounds)) {
      SetWindowPos(s.window, nullptr, c.bounds.left, c.bounds.top, c.bounds.width, c.bounds.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
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
  auto key = std::make_tuple(f.face, f.points * 4 + (f.italic ? 2 : 0) + (f.bold ? 1 : 0), false);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(f.points, app_.density(), 72);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
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
  const COLORREF bg = background(c);
  SetBkColor(dc, bg);
  if (c.transparent) SetBkMode(dc, TRANSPARENT);
  return LRESULT(brush(bg));
}

void Renderer::paintBackground(const Control& c, HDC dc, const RECT& r) {
  FillRect(dc, &r, brush(background(c)));
  if (!c.transparent || !c.parent) return;
  // What lies under a transparent control: pictures of its siblings.
  for (const Control* sibling : c.parent->children) {
    if (sibling == &c || !sibling->visible || sibling->kind != ControlKind::Picture ||
        !sibling->picture)
      continue;
    RECT area{sibling->bounds.left - c.bounds.left, sibling->bounds.top - c.bounds.top,
              sibling->bounds.right() - c.bounds.left, sibling->bounds.bottom() - c.bounds.top};
    drawPicture(dc, area, *sibling->picture);
  }
}

void Renderer::paintLabel(const Control& c, HDC dc, const RECT& r) {
  paintBackground(c, dc, r);
  Selected font(dc, this->font(c.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColour(c));
  UINT flags = DT_NOPREFIX | (c.wordWrap ? DT_WORDBREAK : DT_SINGLELINE) |
               (c.textAlign == TextAlign::Center  ? DT_CENTER
                : c.textAlign == TextAlign::Right ? DT_RIGHT
                                                  : DT_LEFT);
  RECT box = r;
  const std::wstring text(wide(c.caption));
  if (c.textAtBottom) {
    RECT measure = r;
    DrawTextW(dc, text.c_str(), int(text.size()), &measure, flags | DT_CALCRECT);
    box.top = std::max(r.top, r.bottom - (measure.bottom - measure.top));
  }
  DrawTextW(dc, text.c_str(), int(text.size()), &box, flags);
}

void Renderer::paint(HWND window, HDC dc) {
  Control* found = controlOf(window);
  if (!found) return;
  const Control& c = *found;
  RECT r{};
  GetClientRect(window, &r);
  if (c.kind == ControlKind::Label) {
    paintLabel(c, dc, r);
    return;
  }
  if (c.kind == ControlKind::Shape) {
    FillRect(dc, &r,
             brush(resolve(c.background == kDefaultColor ? kButtonFaceColor : c.background)));
    if (c.outline != kDefaultColor) FrameRect(dc, &r, brush(resolve(c.outline)));
    return;
  }
  paintBackground(c, dc, r);
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

void Renderer::syncRuns(Control& c, Shadow& s) {
  if (!s.fresh && c.runs == s.runs) return;
  s.runs = c.runs;
  HWND w = s.window;
  // One repaint at the end, however many runs.
  SendMessageW(w, WM_SETREDRAW, FALSE, 0);
  SetWindowTextW(w, L"");
  const VisualStyle& style = app_.styles.active();
  if (style.custom) SendMessageW(w, EM_SETBKGNDCOLOR, 0, LPARAM(resolve(style.window)));
  for (const StyledRun& run : c.runs) {
    SendMessageW(w, EM_SETSEL, WPARAM(-1), LPARAM(-1));
    if (run.alignment >= 0 && run.alignment <= 2) {
      PARAFORMAT2 pf{};
      pf.cbSize = sizeof pf;
      pf.dwMask = PFM_ALIGNMENT;
      pf.wAlignment = run.alignment == 1 ? PFA_CENTER : run.alignment == 2 ? PFA_RIGHT : PFA_LEFT;
      SendMessageW(w, EM_SETPARAFORMAT, 0, LPARAM(&pf));
    }
    if (!run.face.empty()) {
      CHARFORMAT2W cf{};
      cf.cbSize = sizeof cf;
      cf.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_CHARSET;
      cf.crTextColor = resolve(run.color);
      cf.yHeight = run.points * 20;
      cf.dwEffects = run.bold ? CFE_BOLD : 0;
      cf.bCharSet = BYTE(run.charset);
      lstrcpynW(cf.szFaceName, wide(run.face), LF_FACESIZE);
      SendMessageW(w, EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
    }
    SendMessageW(w, EM_REPLACESEL, FALSE, LPARAM(wide(run.text)));
    if (run.lineBreak) SendMessageW(w, EM_REPLACESEL, FALSE, LPARAM(L"\r\n"));
  }
  SendMessageW(w, EM_SETSEL, 0, 0);
  SendMessageW(w, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(w, nullptr, TRUE);
}

void Renderer::drawPicture(HDC dc, const RECT& area, const Image& image) {
  // The picture's pixels are premultiplied BGRA, as AlphaBlend wants them.
  BITMAPINFO bi{};
  bi.bmiHeader = {
      sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueGdi bitmap(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDc memory(CreateCompatibleDC(dc));
  if (!bitmap || !memory || !bits) return;
  std::copy(image.bgra.begin(), image.bgra.end(), static_cast<std::uint8_t*>(bits));
  Selected selected(memory.get(), bitmap.get());
  // Centred in the control.
  const int x = area.left + (area.right - area.left - image.width) / 2;
  const int y = area.top + (area.bottom - area.top - image.height) / 2;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, image.width, image.height, memory.get(), 0, 0, image.width, image.height,
             blend);
}

}  // namespace lingvora::win32
