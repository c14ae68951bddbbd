#include "Renderer.h"

#include <richedit.h>

#include <algorithm>

#include "DarkStyle.h"

namespace lingvora::win32 {
namespace {

constexpr int kFirstId = 100;
constexpr UINT_PTR kTreeSubclass = 1;
// The window styles of the two kinds of main window.
constexpr DWORD kWizardStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

Renderer* rendererOf(HWND w) {
  return reinterpret_cast<Renderer*>(GetWindowLongPtrW(w, GWLP_USERDATA));
}

LRESULT CALLBACK panelProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  Renderer* r = rendererOf(w);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      // Painted off screen first, so that frequent changes do not flicker.
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      RECT client{};
      GetClientRect(w, &client);
      UniqueDc memory(CreateCompatibleDC(dc));
      UniqueGdi bitmap(
          CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)));
      if (r && memory && bitmap) {
        Selected selected(memory.get(), bitmap.get());
        r->paint(w, memory.get());
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      } else if (r) {
        r->paint(w, dc);
      }
      EndPaint(w, &ps);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
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
  Renderer* r = rendererOf(w);
  if (msg == WM_PAINT || msg == WM_ERASEBKGND) return panelProc(w, msg, wp, lp);
  if (msg == WM_SETTEXT) {
    // The text is the window text; show it anew.
    LRESULT result = DefWindowProcW(w, msg, wp, lp);
    InvalidateRect(w, nullptr, FALSE);
    return result;
  }
  if (r) return r->pointerMessage(w, msg, wp, lp);
  return DefWindowProcW(w, msg, wp, lp);
}

LRESULT CALLBACK treeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_MOUSEMOVE || msg == WM_MOUSELEAVE)
    reinterpret_cast<Renderer*>(data)->treePointer(w, msg, lp);
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(w, treeProc, kTreeSubclass);
  return DefSubclassProc(w, msg, wp, lp);
}

// A report list's column header in the dark style: the header tells its
// parent, the list, how to draw, so the list is asked on the way.
constexpr UINT_PTR kListSubclass = 2;
LRESULT CALLBACK listProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_NOTIFY) {
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lp);
    if (draw->hdr.code == NM_CUSTOMDRAW &&
        draw->hdr.hwndFrom == HWND(SendMessageW(w, LVM_GETHEADER, 0, 0)))
      return reinterpret_cast<const VisualStyle*>(data)
                 ? drawDarkHeader(*draw, *reinterpret_cast<const VisualStyle*>(data))
                 : CDRF_DODEFAULT;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(w, listProc, kListSubclass);
  return DefSubclassProc(w, msg, wp, lp);
}

// A progress bar in the dark style, painted by the program: the system's
// control stays (its range and position answer as always), only its look
// is the style's, which the system's own drawing does not take everywhere.
constexpr UINT_PTR kProgressSubclass = 3;
LRESULT CALLBACK progressProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_PAINT || msg == WM_PRINTCLIENT) {
    const auto& style = *reinterpret_cast<const VisualStyle*>(data);
    PAINTSTRUCT ps{};
    HDC dc = msg == WM_PAINT ? BeginPaint(w, &ps) : HDC(wp);
    drawDarkProgress(w, dc, style);
    if (msg == WM_PAINT) EndPaint(w, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(w, progressProc, kProgressSubclass);
  return DefSubclassProc(w, msg, wp, lp);
}

// A closed drop-down list painted by the program: the system draws its
// arrow button in the light look whatever the colours it is given.
constexpr UINT_PTR kDropDownSubclass = 4;
LRESULT CALLBACK dropDownProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_PAINT || msg == WM_PRINTCLIENT) {
    PAINTSTRUCT ps{};
    HDC dc = msg == WM_PAINT ? BeginPaint(w, &ps) : HDC(wp);
    drawDarkDropDown(w, dc, *reinterpret_cast<const VisualStyle*>(data));
    if (msg == WM_PAINT) EndPaint(w, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(w, dropDownProc, kDropDownSubclass);
  const LRESULT result = DefSubclassProc(w, msg, wp, lp);
  // The system draws the field itself on these, outside WM_PAINT.
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS || msg == WM_ENABLE || msg == CB_SETCURSEL ||
      msg == WM_LBUTTONUP || msg == WM_KEYDOWN)
    InvalidateRect(w, nullptr, FALSE);
  return result;
}

// Where the system has no dark scroll bars, the program paints them over
// the system's after every message that may have drawn or moved them.
constexpr UINT_PTR kScrollBarsSubclass = 5;
bool mayDrawScrollBars(UINT msg) {
  switch (msg) {
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETDLGCODE:
    case WM_GETFONT:
    case WM_NOTIFY:
    case WM_NCDESTROY:
    case WM_DESTROY:
      return false;
    default:
      return true;
  }
}
LRESULT CALLBACK scrollBarsProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(w, scrollBarsProc, kScrollBarsSubclass);
  const LRESULT result = DefSubclassProc(w, msg, wp, lp);
  if (mayDrawScrollBars(msg) && IsWindowVisible(w))
    drawDarkScrollBars(w, *reinterpret_cast<const VisualStyle*>(data));
  return result;
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
  label.hCursor = nullptr;  // chosen per control (links show a hand)
  label.lpszClassName = kLabelClass;
  RegisterClassExW(&label);
}

Renderer::Renderer(App& app, HWND main, std::function<void(const std::function<void()>&)> invoke)
    : app_(app), main_(main), fonts_(app.density()), invoke_(std::move(invoke)) {
  shadows_.resize(app.form.controls().size());
}

size_t Renderer::indexOf(const Control& c) const {
  const auto& all = app_.form.controls();
  return size_t(std::find(all.begin(), all.end(), &c) - all.begin());
}

Control* Renderer::controlOf(HWND window) const {
  auto it = byWindow_.find(window);
  return it == byWindow_.end() ? nullptr : app_.form.controls()[it->second];
}

Renderer::Shadow* Renderer::shadowOf(HWND window) {
  auto it = byWindow_.find(window);
  return it == byWindow_.end() ? nullptr : &shadows_[it->second];
}

HWND Renderer::windowOf(const Control& c) const {
  if (c.kind == ControlKind::Window) return main_;
  const size_t i = indexOf(c);
  return i < shadows_.size() ? shadows_[i].window : nullptr;
}

int Renderer::defaultButtonId() const {
  const auto& all = app_.form.controls();
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i]->kind == ControlKind::Button && all[i]->defaultButton) return kFirstId + int(i);
  return 0;
}

// Controls whose border the program draws in a dark style (around them, on
// their parent) instead of the system's sunken edge.
bool framedInStyle(ControlKind kind) {
  return kind == ControlKind::Edit || kind == ControlKind::List || kind == ControlKind::Tree ||
         kind == ControlKind::RichEdit;
}

HWND Renderer::create(Control& c, HWND parent, int id) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  const wchar_t* cls = kPanelClass;
  switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::Picture:
      cls = kLabelClass;
      break;
    case ControlKind::RichEdit:
      // Loaded with the first rich-text box: it brings COM with it, which
      // the first page need not wait for.
      if (!richEdit_) richEdit_.reset(LoadLibraryW(L"riched20.dll"));
      cls = RICHEDIT_CLASSW;
      style |= WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL |
               (c.readOnly ? ES_READONLY : 0);
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Button:
      cls = L"BUTTON";
      style |= WS_TABSTOP | (c.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case ControlKind::CheckBox:
      cls = L"BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case ControlKind::Tree:
      cls = WC_TREEVIEWW;
      style |= WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_HASBUTTONS |
               (c.rowSelect ? TVS_FULLROWSELECT : TVS_HASLINES | TVS_LINESATROOT) |
               (c.readOnly ? 0 : TVS_EDITLABELS);
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::DropDown:
      cls = WC_COMBOBOXW;
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case ControlKind::Edit:
      cls = WC_EDITW;
      style |= WS_TABSTOP | ES_AUTOHSCROLL | (c.readOnly ? ES_READONLY : 0);
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::List:
      cls = WC_LISTVIEWW;
      style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Progress:
      cls = PROGRESS_CLASSW;
      style |= c.smooth || c.gauge ? PBS_SMOOTH : 0;
      break;
    default:  // panels, group boxes, bevels, shapes, squares
      style |= WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
  }
  HWND w = CreateWindowExW(exStyle, cls, wide(c.caption), style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  if (!w) return nullptr;
  if (app_.styles.enabled() && framedInStyle(c.kind)) {
    SetWindowLongPtrW(w, GWL_EXSTYLE,
                      GetWindowLongPtrW(w, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_CLIENTEDGE));
    SetWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (app_.styles.enabled()) darken(c, w);
  if (cls == kPanelClass || cls == kLabelClass) SetWindowLongPtrW(w, GWLP_USERDATA, LONG_PTR(this));
  if (c.kind == ControlKind::Tree) SetWindowSubclass(w, treeProc, kTreeSubclass, DWORD_PTR(this));
  if (c.kind == ControlKind::List && app_.styles.enabled())
    SetWindowSubclass(w, listProc, kListSubclass, DWORD_PTR(&app_.styles.active()));
  if (c.kind == ControlKind::List)
    SendMessageW(w, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  if (c.kind == ControlKind::Progress && c.gauge) SetWindowTheme(w, L"", L"");
  // The control's name, for UI automation and the end-to-end tests.
  const Text name(c.name.begin(), c.name.end());
  SetPropW(w, kControlNameProperty,
           reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GlobalAddAtomW(wide(name)))));
  return w;
}

// The system's controls in the dark style's colours, through their own
// messages; their scroll bars in the system's dark theme where it has one.
void Renderer::darken(const Control& c, HWND w) {
  const ControlColours colours = controlColours(c.kind, app_.styles.active());
  const COLORREF field = resolve(colours.field), text = resolve(colours.text);
  switch (c.kind) {
    case ControlKind::Tree:
      SendMessageW(w, TVM_SETBKCOLOR, 0, LPARAM(field));
      SendMessageW(w, TVM_SETTEXTCOLOR, 0, LPARAM(text));
      SendMessageW(w, TVM_SETLINECOLOR, 0, LPARAM(resolve(colours.border)));
      break;
    case ControlKind::List:
      SendMessageW(w, LVM_SETBKCOLOR, 0, LPARAM(field));
      SendMessageW(w, LVM_SETTEXTBKCOLOR, 0, LPARAM(field));
      SendMessageW(w, LVM_SETTEXTCOLOR, 0, LPARAM(text));
      break;
    case ControlKind::Progress:
      if (!c.gauge)
        SetWindowSubclass(w, progressProc, kProgressSubclass, DWORD_PTR(&app_.styles.active()));
      return;
    case ControlKind::RichEdit:
      break;
    case ControlKind::DropDown:
      SetWindowSubclass(w, dropDownProc, kDropDownSubclass, DWORD_PTR(&app_.styles.active()));
      return;
    default:
      return;
  }
  SetWindowTheme(w, L"DarkMode_Explorer", nullptr);
  if (!systemHasDarkScrollBars(app_.platform.system.osVersion()))
    SetWindowSubclass(w, scrollBarsProc, kScrollBarsSubclass, DWORD_PTR(&app_.styles.active()));
}

void Renderer::syncWindowFrame() {
  MainForm& f = app_.form;
  if (f.caption != frameCaption_) {
    frameCaption_ = f.caption;
    SetWindowTextW(main_, wide(f.caption));
  }
  const bool restyle = f.style != frameStyle_;
  if (restyle) {
    frameStyle_ = f.style;
    const bool dialog = f.style == WindowStyle::Dialog;
    SetWindowLongPtrW(main_, GWL_STYLE,
                      LONG_PTR((dialog ? kDialogStyle : kWizardStyle) |
                               (GetWindowLongPtrW(main_, GWL_STYLE) & WS_VISIBLE)));
    const LONG_PTR ex = GetWindowLongPtrW(main_, GWL_EXSTYLE);
    SetWindowLongPtrW(main_, GWL_EXSTYLE,
                      dialog ? ex | WS_EX_DLGMODALFRAME : ex & ~LONG_PTR(WS_EX_DLGMODALFRAME));
    // The language dialog stays on top of other windows.
    SetWindowPos(main_, dialog ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (!titleBarDone_) {
    titleBarDone_ = true;
    if (app_.styles.enabled()) darkTitleBar(main_, app_.platform.system.osVersion());
  }
  if (restyle || (f.width > 0 && (f.width != frameWidth_ || f.height != frameHeight_))) {
    frameWidth_ = f.width;
    frameHeight_ = f.height;
    // Centred on the screen.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - f.width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - f.height) / 2;
    SetWindowPos(main_, nullptr, x, y, f.width, f.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (restyle ? SWP_FRAMECHANGED : 0));
  }
}

void Renderer::sync() {
  pushing_ = true;
  syncWindowFrame();
  RECT client{};
  GetClientRect(main_, &client);
  app_.form.layoutClient(client.right, client.bottom);
  for (size_t i = 0; i < shadows_.size(); ++i) syncControl(i);
  syncTaskbar();
  if (Control* focus = app_.form.focusRequest) {
    app_.form.focusRequest = nullptr;
    if (HWND w = windowOf(*focus); w && IsWindowVisible(w)) SetFocus(w);
  }
  pushing_ = false;
}

namespace {
double milliseconds() {
  LARGE_INTEGER frequency, t;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}
}  // namespace

bool Renderer::prepareAhead(double budget) {
  const double until = milliseconds() + budget;
  pushing_ = true;
  const auto& ahead = app_.form.ahead;
  auto wanted = [&](const Control* c) {
    for (; c; c = c->parent)
      if (std::find(ahead.begin(), ahead.end(), c) != ahead.end()) return true;
    return false;
  };
  for (; nextAhead_ < shadows_.size() && milliseconds() < until; ++nextAhead_)
    if (!shadows_[nextAhead_].window && wanted(app_.form.controls()[nextAhead_]))
      syncControl(nextAhead_, true);
  pushing_ = false;
  return nextAhead_ < shadows_.size();
}

void Renderer::syncControl(size_t i, bool ahead) {
  Control& c = *app_.form.controls()[i];
  Shadow& s = shadows_[i];
  if (c.kind == ControlKind::Timer) {
    syncTimer(i, c, s);
    return;
  }
  // Image lists are data for the control that shows them, not windows.
  if (c.kind == ControlKind::Window || c.kind == ControlKind::ImageList) return;
  if (!s.window) {
    // Windows of hidden pages are made when the page first shows, and a
    // control only once its parent has a window.
    const HWND parent = windowOf(*c.parent);
    if ((!c.visible && !ahead) || !parent) return;
    s.window = create(c, parent, kFirstId + int(i));
    if (!s.window) return;
    // A control placed by position lies over the docked ones beside it.
    if (c.align == Align::None)
      SetWindowPos(s.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    byWindow_[s.window] = i;
  }
  switch (c.kind) {
    case ControlKind::RichEdit:
      syncRuns(c, s);
      break;
    case ControlKind::Tree:
      syncTree(c, s);
      break;
    case ControlKind::DropDown:
      syncDropDown(c, s);
      break;
    case ControlKind::List:
      syncList(c, s);
      break;
    case ControlKind::Progress:
      syncProgress(c, s);
      break;
    case ControlKind::CheckBox:
      if (s.fresh || c.checked != s.checked) {
        SendMessageW(s.window, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        s.checked = c.checked;
      }
      break;
    case ControlKind::Button:
      if (s.fresh || c.defaultButton != s.defaultButton) {
        SendMessageW(s.window, BM_SETSTYLE, c.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
        s.defaultButton = c.defaultButton;
      }
      break;
    default:
      break;
  }
  syncCommon(c, s);
  s.fresh = false;
}

namespace {
// The same picture loaded again is a new object with the same pixels: it
// needs no painting.
bool samePictures(const std::vector<std::shared_ptr<const Image>>& a,
                  const std::vector<std::shared_ptr<const Image>>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const auto& x, const auto& y) { return x == y || (x && y && *x == *y); });
}
}  // namespace

void Renderer::syncCommon(Control& c, Shadow& s) {
  if ((s.fresh || c.caption != s.caption) && c.kind != ControlKind::RichEdit &&
      c.kind != ControlKind::DropDown) {
    SetWindowTextW(s.window, wide(c.caption));
    s.caption = c.caption;
    // Windows of our own class paint their caption themselves (group boxes).
    InvalidateRect(s.window, nullptr, FALSE);
  }
  if (s.fresh || !(c.font == s.font)) {
    SendMessageW(s.window, WM_SETFONT, WPARAM(fonts_.get(c.font)), TRUE);
    s.font = c.font;
  }
  if (s.fresh || !(c.bounds == s.bounds)) {
    // A drop-down list's window reaches down over its open list; a control
    // framed by its parent lies inside the frame.
    Rect r = c.bounds;
    if (c.kind == ControlKind::DropDown) r.height += app_.scale(200);
    const bool framed = app_.styles.enabled() && framedInStyle(c.kind);
    if (framed) r = {r.left + 1, r.top + 1, std::max(0, r.width - 2), std::max(0, r.height - 2)};
    SetWindowPos(s.window, nullptr, r.left, r.top, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (framed) InvalidateRect(GetParent(s.window), nullptr, FALSE);
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
  // Repainted only when what it shows has changed.
  if (c.visible) {
    std::vector<std::uint64_t> now = look(c);
    std::vector<std::shared_ptr<const Image>> shown = pictures(c);
    if (s.fresh || now != s.look || !samePictures(shown, s.pictures)) {
      s.look = std::move(now);
      s.pictures = std::move(shown);
      InvalidateRect(s.window, nullptr, FALSE);
    }
  }
}

// Everything a control's painting depends on beyond its pictures, window
// text, position and font.
std::vector<std::uint64_t> Renderer::look(const Control& c) const {
  std::vector<std::uint64_t> v = {background(c),  textColour(c),
                                  c.enabled,      std::uint64_t(c.textAlign),
                                  c.textAtBottom, c.centerVertically,
                                  c.wordWrap,     c.center,
                                  c.stretch,      std::uint64_t(c.squareFill),
                                  c.outline,      std::uint64_t(c.bevelShape)};
  return v;
}

std::vector<std::shared_ptr<const Image>> Renderer::pictures(const Control& c) {
  std::vector<std::shared_ptr<const Image>> v = {c.picture};
  for (const Control* sibling : picturesBeneath(c)) v.push_back(sibling->picture);
  return v;
}

bool Renderer::handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      result = 0;
      return command(wp, lp);
    case WM_NOTIFY:
      result = notify(*reinterpret_cast<const NMHDR*>(lp));
      return true;
    case WM_TIMER:
      timer(wp);
      result = 0;
      return true;
    case DM_GETDEFID: {
      const int id = defaultButtonId();
      result = id ? MAKELRESULT(id, DC_HASDEFID) : 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      result = controlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
      return true;
  }
  return false;
}

bool Renderer::command(WPARAM wp, LPARAM lp) {
  HWND w = reinterpret_cast<HWND>(lp);
  Control* c = controlOf(w);
  Shadow* s = shadowOf(w);
  if (!c || !s || pushing_) return false;
  switch (HIWORD(wp)) {
    case BN_CLICKED:
      if (c->kind == ControlKind::CheckBox) {
        const bool on = SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
        s->checked = on;
        invoke_([c, on] { userCheck(*c, on); });
        return true;
      }
      if (c->kind == ControlKind::Button && c->enabled && c->visible) {
        invoke_([c] { userClick(*c); });
        return true;
      }
      return false;
    case CBN_SELCHANGE: {
      if (c->kind != ControlKind::DropDown) break;
      const int index = int(SendMessageW(w, CB_GETCURSEL, 0, 0));
      s->selected = index;
      invoke_([c, index] { userSelect(*c, index); });
      return true;
    }
    case EN_CHANGE: {
      if (c->kind != ControlKind::Edit) break;
      std::wstring buffer(size_t(GetWindowTextLengthW(w)) + 1, L'\0');
      buffer.resize(size_t(GetWindowTextW(w, buffer.data(), int(buffer.size()))));
      const Text typed = text(buffer.c_str(), buffer.size());
      s->caption = typed;
      invoke_([c, typed] { userEdit(*c, typed); });
      return true;
    }
  }
  return false;
}

LRESULT Renderer::notify(const NMHDR& header) {
  Control* c = controlOf(header.hwndFrom);
  Shadow* s = shadowOf(header.hwndFrom);
  if (c && header.code == NM_CUSTOMDRAW && app_.styles.enabled() &&
      (c->kind == ControlKind::Button || c->kind == ControlKind::CheckBox))
    return drawStyledButton(reinterpret_cast<const NMCUSTOMDRAW&>(header), app_.styles.active());
  if (c && header.code == NM_CUSTOMDRAW && app_.styles.enabled() && c->kind == ControlKind::Tree)
    return darkTreeItem(reinterpret_cast<NMTVCUSTOMDRAW&>(const_cast<NMHDR&>(header)));
  if (!c || !s || pushing_) return 0;
  if (c->kind == ControlKind::Tree) {
    if (header.code == NM_CLICK) {
      POINT p{};
      GetCursorPos(&p);
      ScreenToClient(header.hwndFrom, &p);
      const TreeHit hit = treeHit(header.hwndFrom, p);
      invoke_([c, hit] { userTreeClick(*c, hit); });
      // The core decides what a click does; the control changes nothing itself.
      return 1;
    }
    if (header.code == TVN_SELCHANGEDW) {
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      const auto& handles = s->itemHandles;
      auto it = std::find(handles.begin(), handles.end(), change.itemNew.hItem);
      const int index = it == handles.end() ? -1 : int(it - handles.begin());
      s->selected = c->selected = index;
    }
    return 0;
  }
  if (c->kind == ControlKind::List && header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) return 0;
    const int index =
        int(SendMessageW(header.hwndFrom, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    s->selected = index;
    invoke_([c, index] { userSelect(*c, index); });
  }
  return 0;
}

// The selected item of a tree in the dark style: the style's colours, not
// the system's light face that an unfocused selection takes.
LRESULT Renderer::darkTreeItem(NMTVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const VisualStyle& style = app_.styles.active();
  draw.clrText = resolve(style.text);
  if (draw.nmcd.uItemState & CDIS_SELECTED)
    draw.clrTextBk = resolve(GetFocus() == draw.nmcd.hdr.hwndFrom ? style.accent : style.border);
  return CDRF_DODEFAULT;
}

void Renderer::treePointer(HWND tree, UINT msg, LPARAM lp) {
  Control* c = controlOf(tree);
  Shadow* s = shadowOf(tree);
  if (!c || !s) return;
  if (msg == WM_MOUSELEAVE) {
    s->tracking = false;
    invoke_([c] { userMouseLeave(*c); });
    return;
  }
  if (!s->tracking) {
    s->tracking = true;
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, tree, 0};
    TrackMouseEvent(&t);
  }
  const TreeHit hit = treeHit(tree, {short(LOWORD(lp)), short(HIWORD(lp))});
  invoke_([c, hit] { userTreeMouseMove(*c, hit); });
}

LRESULT Renderer::pointerMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  Control* c = controlOf(w);
  Shadow* s = shadowOf(w);
  if (!c || !s) return DefWindowProcW(w, msg, wp, lp);
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, c->handCursor ? IDC_HAND : IDC_ARROW));
      return TRUE;
    case WM_MOUSEMOVE:
      if (!s->tracking) {
        s->tracking = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, w, 0};
        TrackMouseEvent(&t);
        invoke_([c] { userMouseEnter(*c); });
      }
      return 0;
    case WM_MOUSELEAVE:
      s->tracking = false;
      invoke_([c] { userMouseLeave(*c); });
      return 0;
    case WM_LBUTTONDOWN:
      // A click needs the press and the release on the control.
      s->pressed = true;
      SetCapture(w);
      return 0;
    case WM_LBUTTONUP: {
      const bool pressed = s->pressed;
      s->pressed = false;
      if (GetCapture() == w) ReleaseCapture();
      RECT r{};
      GetClientRect(w, &r);
      const POINT p{short(LOWORD(lp)), short(HIWORD(lp))};
      if (pressed && PtInRect(&r, p)) invoke_([c] { userClick(*c); });
      return 0;
    }
    case WM_CAPTURECHANGED:
      s->pressed = false;
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace lingvora::win32
