#include "DarkStyle.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Handles.h"

namespace lingvora::win32 {
namespace {

void fill(HDC dc, const RECT& r, COLORREF colour) {
  UniqueGdi brush(CreateSolidBrush(colour));
  FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

void frame(HDC dc, const RECT& r, COLORREF colour) {
  UniqueGdi brush(CreateSolidBrush(colour));
  FrameRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

std::wstring windowText(HWND w) {
  std::wstring t(size_t(GetWindowTextLengthW(w)) + 1, L'\0');
  t.resize(size_t(GetWindowTextW(w, t.data(), int(t.size()))));
  return t;
}

// Whether the keyboard cues show, as the system decides for the window.
void cues(HWND w, bool& accelerators, bool& focus) {
  const LRESULT state = SendMessageW(w, WM_QUERYUISTATE, 0, 0);
  accelerators = !(state & UISF_HIDEACCEL);
  focus = !(state & UISF_HIDEFOCUS);
}

ButtonState stateOf(UINT itemState, HWND w) {
  if ((itemState & CDIS_DISABLED) || !IsWindowEnabled(w)) return ButtonState::Disabled;
  if (itemState & CDIS_SELECTED) return ButtonState::Pressed;
  if (itemState & CDIS_HOT) return ButtonState::Hot;
  return ButtonState::Normal;
}

void drawText(HDC dc, HWND w, RECT box, COLORREF colour, UINT align, bool accelerators) {
  const std::wstring text = windowText(w);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(w, WM_GETFONT, 0, 0)));
  DrawTextW(dc, text.c_str(), int(text.size()), &box,
            align | DT_VCENTER | DT_SINGLELINE | (accelerators ? 0 : DT_HIDEPREFIX));
  SelectObject(dc, old);
}

void drawPushButton(const NMCUSTOMDRAW& d, const VisualStyle& style) {
  HWND w = d.hdr.hwndFrom;
  const LONG_PTR type = GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK;
  const bool isDefault = type == BS_DEFPUSHBUTTON || (d.uItemState & CDIS_DEFAULT);
  const ButtonColours c = buttonColours(style, stateOf(d.uItemState, w), isDefault);
  RECT r = d.rc;
  fill(d.hdc, r, colourRef(c.face));
  frame(d.hdc, r, colourRef(c.border));
  if (isDefault) {
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    frame(d.hdc, inner, colourRef(c.border));
  }
  bool accelerators = true, focusCue = true;
  cues(w, accelerators, focusCue);
  drawText(d.hdc, w, r, colourRef(c.text), DT_CENTER, accelerators);
  if ((d.uItemState & CDIS_FOCUS) && focusCue) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    SetTextColor(d.hdc, colourRef(c.text));
    SetBkColor(d.hdc, colourRef(c.face));
    DrawFocusRect(d.hdc, &focus);
  }
}

void drawCheckBox(const NMCUSTOMDRAW& d, const VisualStyle& style) {
  HWND w = d.hdr.hwndFrom;
  const ButtonState state = stateOf(d.uItemState, w);
  const ButtonColours c = buttonColours(style, state, false);
  RECT r = d.rc;
  fill(d.hdc, r, colourRef(style.face));
  // The box, as high as the text's line allows, at the left.
  const int side = std::min<int>(GetSystemMetrics(SM_CYMENUCHECK), r.bottom - r.top);
  RECT box{r.left, r.top + (r.bottom - r.top - side) / 2, r.left + side, 0};
  box.bottom = box.top + side;
  fill(d.hdc, box, colourRef(state == ButtonState::Disabled ? style.face : style.window));
  frame(d.hdc, box, colourRef(state == ButtonState::Hot ? style.accent : c.border));
  if (SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    // A tick of two strokes.
    UniqueGdi pen(CreatePen(PS_SOLID, std::max(1, side / 7), colourRef(c.text)));
    HGDIOBJ old = SelectObject(d.hdc, pen.get());
    const int x = box.left, y = box.top, s = side;
    MoveToEx(d.hdc, x + s / 5, y + s / 2, nullptr);
    LineTo(d.hdc, x + s * 2 / 5, y + s * 7 / 10);
    LineTo(d.hdc, x + s * 4 / 5, y + s / 4);
    SelectObject(d.hdc, old);
  }
  bool accelerators = true, focusCue = true;
  cues(w, accelerators, focusCue);
  RECT text = r;
  text.left = box.right + side / 3 + 1;
  drawText(d.hdc, w, text, colourRef(c.text), DT_LEFT, accelerators);
  if ((d.uItemState & CDIS_FOCUS) && focusCue) {
    RECT measure = text;
    const std::wstring t = windowText(w);
    HGDIOBJ old = SelectObject(d.hdc, HGDIOBJ(SendMessageW(w, WM_GETFONT, 0, 0)));
    DrawTextW(d.hdc, t.c_str(), int(t.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(d.hdc, old);
    RECT focus{text.left - 1,
               text.top + (text.bottom - text.top - (measure.bottom - measure.top)) / 2 - 1,
               text.left + (measure.right - measure.left) + 1, 0};
    focus.bottom = focus.top + (measure.bottom - measure.top) + 2;
    SetTextColor(d.hdc, colourRef(c.text));
    SetBkColor(d.hdc, colourRef(style.face));
    DrawFocusRect(d.hdc, &focus);
  }
}

}  // namespace

LRESULT drawDarkHeader(NMCUSTOMDRAW& d, const VisualStyle& style) {
  if (d.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
  if (d.dwDrawStage == CDDS_POSTPAINT) {
    // The empty part right of the last column.
    RECT all{}, last{};
    GetClientRect(d.hdr.hwndFrom, &all);
    const int count = int(SendMessageW(d.hdr.hwndFrom, HDM_GETITEMCOUNT, 0, 0));
    if (count > 0 &&
        SendMessageW(d.hdr.hwndFrom, HDM_GETITEMRECT, WPARAM(count - 1), LPARAM(&last)))
      all.left = last.right;
    if (all.left < all.right) fill(d.hdc, all, colourRef(style.face));
    return CDRF_DODEFAULT;
  }
  if (d.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  RECT r = d.rc;
  fill(d.hdc, r, colourRef(d.uItemState & CDIS_SELECTED ? style.border : style.face));
  RECT edge{r.right - 1, r.top + 2, r.right, r.bottom - 2};
  fill(d.hdc, edge, colourRef(style.border));
  wchar_t text[256] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(d.hdr.hwndFrom, HDM_GETITEMW, d.dwItemSpec, LPARAM(&item));
  SetBkMode(d.hdc, TRANSPARENT);
  SetTextColor(d.hdc, colourRef(style.text));
  HGDIOBJ old = SelectObject(d.hdc, HGDIOBJ(SendMessageW(d.hdr.hwndFrom, WM_GETFONT, 0, 0)));
  r.left += 6;
  DrawTextW(d.hdc, text, -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  SelectObject(d.hdc, old);
  return CDRF_SKIPDEFAULT;
}

void drawDarkProgress(HWND bar, HDC dc, const VisualStyle& style) {
  const ControlColours c = controlColours(ControlKind::Progress, style);
  RECT r{};
  GetClientRect(bar, &r);
  fill(dc, r, colourRef(c.field));
  frame(dc, r, colourRef(c.border));
  const int low = int(SendMessageW(bar, PBM_GETRANGE, TRUE, 0));
  const int high = int(SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
  const int position = int(SendMessageW(bar, PBM_GETPOS, 0, 0));
  if (high <= low) return;
  RECT done = r;
  InflateRect(&done, -1, -1);
  const long long span = done.right - done.left;
  done.right = done.left + LONG(span * std::clamp(position - low, 0, high - low) / (high - low));
  if (done.right > done.left) fill(dc, done, colourRef(c.bar));
}

namespace {

enum class Arrow { Up, Down, Left, Right };

// A solid triangle centred in the box, pointing the given way.
void drawArrow(HDC dc, const RECT& box, Arrow arrow, COLORREF colour) {
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  const int half = std::max(2, int(std::min(box.right - box.left, box.bottom - box.top)) / 4);
  POINT p[3];
  switch (arrow) {
    case Arrow::Up:
      p[0] = {cx - half, cy + half / 2}, p[1] = {cx + half, cy + half / 2},
      p[2] = {cx, cy - half / 2 - 1};
      break;
    case Arrow::Down:
      p[0] = {cx - half, cy - half / 2}, p[1] = {cx + half, cy - half / 2},
      p[2] = {cx, cy + half / 2 + 1};
      break;
    case Arrow::Left:
      p[0] = {cx + half / 2, cy - half}, p[1] = {cx + half / 2, cy + half},
      p[2] = {cx - half / 2 - 1, cy};
      break;
    case Arrow::Right:
      p[0] = {cx - half / 2, cy - half}, p[1] = {cx - half / 2, cy + half},
      p[2] = {cx + half / 2 + 1, cy};
      break;
  }
  UniqueGdi brush(CreateSolidBrush(colour));
  UniqueGdi pen(CreatePen(PS_SOLID, 1, colour));
  HGDIOBJ oldBrush = SelectObject(dc, brush.get());
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  Polygon(dc, p, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

// One scroll bar of a window, in window coordinates: track, both arrow
// buttons and the thumb where the system has them.
void drawScrollBar(HDC dc, const RECT& window, const SCROLLBARINFO& info, bool vertical,
                   const VisualStyle& style) {
  RECT bar = info.rcScrollBar;
  OffsetRect(&bar, -window.left, -window.top);
  const bool unavailable = info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE;
  const ButtonColours button =
      buttonColours(style, unavailable ? ButtonState::Disabled : ButtonState::Normal, false);
  const LONG length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
  // The arrow buttons are as long as the bar is thick (the system's own
  // figure for them is not the same on every system).
  const LONG thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
  const LONG step = std::min<LONG>(thickness, length / 2);
  RECT first = bar, second = bar, track = bar;
  if (vertical) {
    first.bottom = track.top = bar.top + step;
    second.top = track.bottom = bar.bottom - step;
  } else {
    first.right = track.left = bar.left + step;
    second.left = track.right = bar.right - step;
  }
  fill(dc, track, colourRef(style.window));
  for (const RECT& r : {first, second}) {
    fill(dc, r, colourRef(button.face));
    frame(dc, r, colourRef(button.border));
  }
  drawArrow(dc, first, vertical ? Arrow::Up : Arrow::Left, colourRef(button.text));
  drawArrow(dc, second, vertical ? Arrow::Down : Arrow::Right, colourRef(button.text));
  if (unavailable || info.xyThumbBottom <= info.xyThumbTop) return;
  RECT thumb = bar;
  if (vertical) {
    thumb.top = bar.top + info.xyThumbTop;
    thumb.bottom = bar.top + info.xyThumbBottom;
    InflateRect(&thumb, -1, 0);
  } else {
    thumb.left = bar.left + info.xyThumbTop;
    thumb.right = bar.left + info.xyThumbBottom;
    InflateRect(&thumb, 0, -1);
  }
  fill(dc, thumb, colourRef(button.face));
  frame(dc, thumb, colourRef(button.border));
}

bool shown(const SCROLLBARINFO& info) {
  return !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
}

}  // namespace

bool systemHasDarkScrollBars(const OsVersion& os) {
  // Wine reports the Windows version it plays but has no dark theme.
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll && GetProcAddress(ntdll, "wine_get_version")) return false;
  return os.major > 10 || (os.major == 10 && os.build >= 17763);
}

void drawDarkScrollBars(HWND w, const VisualStyle& style) {
  SCROLLBARINFO vertical{}, horizontal{};
  vertical.cbSize = horizontal.cbSize = sizeof(SCROLLBARINFO);
  const bool hasVertical = GetScrollBarInfo(w, OBJID_VSCROLL, &vertical) && shown(vertical);
  const bool hasHorizontal = GetScrollBarInfo(w, OBJID_HSCROLL, &horizontal) && shown(horizontal);
  if (!hasVertical && !hasHorizontal) return;
  RECT window{};
  GetWindowRect(w, &window);
  HDC dc = GetWindowDC(w);
  if (!dc) return;
  if (hasVertical) drawScrollBar(dc, window, vertical, true, style);
  if (hasHorizontal) drawScrollBar(dc, window, horizontal, false, style);
  if (hasVertical && hasHorizontal) {
    // The square where the two meet.
    RECT corner{vertical.rcScrollBar.left, horizontal.rcScrollBar.top, vertical.rcScrollBar.right,
                horizontal.rcScrollBar.bottom};
    OffsetRect(&corner, -window.left, -window.top);
    fill(dc, corner, colourRef(style.face));
  }
  ReleaseDC(w, dc);
}

void drawDarkDropDown(HWND combo, HDC dc, const VisualStyle& style) {
  const ControlColours c = controlColours(ControlKind::DropDown, style);
  RECT r{};
  GetClientRect(combo, &r);
  const bool enabled = IsWindowEnabled(combo);
  const bool focused = GetFocus() == combo && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0);
  fill(dc, r, colourRef(c.field));
  frame(dc, r, colourRef(c.border));
  const int arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
  RECT arrow{r.right - arrowWidth, r.top + 1, r.right - 1, r.bottom - 1};
  const ButtonColours button =
      buttonColours(style, enabled ? ButtonState::Normal : ButtonState::Disabled, false);
  fill(dc, arrow, colourRef(button.face));
  drawArrow(dc, arrow, Arrow::Down, colourRef(button.text));
  RECT text{r.left + 2, r.top + 2, arrow.left - 1, r.bottom - 2};
  if (focused) fill(dc, text, colourRef(c.bar));
  const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return;
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(selected), 0);
  if (length == CB_ERR) return;
  std::wstring entry(size_t(length) + 1, L'\0');
  entry.resize(size_t(SendMessageW(combo, CB_GETLBTEXT, WPARAM(selected), LPARAM(entry.data()))));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(
      dc, enabled ? (focused ? RGB(255, 255, 255) : colourRef(c.text)) : colourRef(button.text));
  HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(combo, WM_GETFONT, 0, 0)));
  text.left += 2;
  DrawTextW(dc, entry.c_str(), int(entry.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  if (focused) {
    RECT focus = text;
    focus.left -= 2;
    DrawFocusRect(dc, &focus);
  }
}

COLORREF colourRef(Color c) {
  if (c & kSystemColor) return GetSysColor(int(c & 0xFF));
  return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

void darkTitleBar(HWND window, const OsVersion& os) {
  if (os.major < 10) return;
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  HMODULE dwm = GetModuleHandleW(L"dwmapi.dll");
  if (!dwm) dwm = LoadLibraryW(L"dwmapi.dll");
  auto set = dwm ? reinterpret_cast<SetAttribute>(
                       reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                 : nullptr;
  if (!set) return;
  const BOOL on = TRUE;
  const DWORD attribute = os.build >= 18985 ? 20 : 19;
  set(window, attribute, &on, sizeof on);
}

LRESULT drawStyledButton(const NMCUSTOMDRAW& d, const VisualStyle& style) {
  if (d.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
  const LONG_PTR type = GetWindowLongPtrW(d.hdr.hwndFrom, GWL_STYLE) & BS_TYPEMASK;
  if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)
    drawCheckBox(d, style);
  else
    drawPushButton(d, style);
  return CDRF_SKIPDEFAULT;
}

}  // namespace lingvora::win32

namespace lingvora::win32 {
namespace {

constexpr int kTextId = 0xFFFF, kIconId = 20;

struct BoxState {
  const Text* text;
  MessageIcon icon;
  MessageButtons buttons;
  const VisualStyle* style;
  const OsVersion* os;
  UniqueGdi font, window, band;
  int bandTop = 0;
};

// The font of the system's message boxes.
HFONT messageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

HWND child(HWND dialog, const wchar_t* cls, const wchar_t* text, DWORD style, int id, HFONT font) {
  HWND w = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  if (w && font) SendMessageW(w, WM_SETFONT, WPARAM(font), FALSE);
  return w;
}

// The text beside the icon, the buttons right-aligned in a band below,
// the whole sized to the text as the system sizes its boxes.
void layOut(HWND dialog, BoxState& b) {
  HWND textWindow = GetDlgItem(dialog, kTextId);
  WindowDc screen(nullptr);
  Selected selected(screen.get(), b.font.get());
  const std::wstring text(wide(*b.text));
  auto px = [&](int dlu) { return MulDiv(dlu, GetDeviceCaps(screen.get(), LOGPIXELSX), 96); };
  RECT measure{0, 0, MulDiv(GetSystemMetrics(SM_CXSCREEN), 5, 8), 0};
  DrawTextW(screen.get(), text.c_str(), int(text.size()), &measure,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  const int icon = GetSystemMetrics(SM_CXICON), margin = px(12), gap = px(10);
  const int textHeight = std::max<int>(measure.bottom, icon);
  const int buttonWidth = px(75), buttonHeight = px(23);
  const int count = b.buttons == MessageButtons::YesNo ? 2 : 1;
  const int contentWidth = icon + gap + measure.right;
  const int buttonsWidth = count * buttonWidth + (count - 1) * px(6);
  const int clientWidth = margin * 2 + std::max(contentWidth, buttonsWidth);
  b.bandTop = margin * 2 + textHeight;
  const int clientHeight = b.bandTop + buttonHeight + margin * 2;

  SetWindowPos(GetDlgItem(dialog, kIconId), nullptr, margin, margin, icon, icon, SWP_NOZORDER);
  SetWindowPos(textWindow, nullptr, margin + icon + gap, margin + (textHeight - measure.bottom) / 2,
               measure.right, measure.bottom, SWP_NOZORDER);
  int x = clientWidth - margin - buttonsWidth;
  const int yesNo[] = {IDYES, IDNO}, ok[] = {IDOK};
  for (int i = 0; i < count; ++i) {
    const int id = count == 2 ? yesNo[i] : ok[i];
    SetWindowPos(GetDlgItem(dialog, id), nullptr, x, b.bandTop + margin, buttonWidth, buttonHeight,
                 SWP_NOZORDER);
    x += buttonWidth + px(6);
  }
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER);
}

// The system's own, localized button captions where it tells them.
const wchar_t* buttonCaption(int id, const wchar_t* fallback) {
  using GetString = LPCWSTR(WINAPI*)(UINT);
  static const auto get = reinterpret_cast<GetString>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "MB_GetString")));
  const wchar_t* caption = get ? get(UINT(id - 1)) : nullptr;
  return caption && *caption ? caption : fallback;
}

void build(HWND dialog, BoxState& b) {
  b.font.reset(messageFont());
  HFONT font = static_cast<HFONT>(b.font.get());
  b.window.reset(CreateSolidBrush(colourRef(b.style->window)));
  b.band.reset(CreateSolidBrush(colourRef(b.style->face)));
  HWND icon = child(dialog, L"STATIC", nullptr, SS_ICON, kIconId, nullptr);
  SendMessageW(icon, STM_SETICON,
               WPARAM(LoadIconW(nullptr, b.icon == MessageIcon::Error ? IDI_ERROR : IDI_WARNING)),
               0);
  child(dialog, L"STATIC", wide(*b.text), SS_LEFT | SS_NOPREFIX, kTextId, font);
  if (b.buttons == MessageButtons::YesNo) {
    // Yes, No and no way out but these two, as in the system's box.
    child(dialog, L"BUTTON", buttonCaption(IDYES, L"&Yes"), WS_TABSTOP | BS_DEFPUSHBUTTON, IDYES,
          font);
    child(dialog, L"BUTTON", buttonCaption(IDNO, L"&No"), WS_TABSTOP | BS_PUSHBUTTON, IDNO, font);
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    SendMessageW(dialog, DM_SETDEFID, IDYES, 0);
  } else {
    child(dialog, L"BUTTON", buttonCaption(IDOK, L"OK"), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, font);
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
  }
  layOut(dialog, b);
  darkTitleBar(dialog, *b.os);
  SetFocus(GetDlgItem(dialog, b.buttons == MessageButtons::YesNo ? IDYES : IDOK));
}

INT_PTR CALLBACK boxProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  auto* b = reinterpret_cast<BoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      build(dialog, *reinterpret_cast<BoxState*>(lp));
      return FALSE;  // the focus is set
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(dialog, &r);
      FillRect(HDC(wp), &r, static_cast<HBRUSH>(b->window.get()));
      r.top = b->bandTop;
      FillRect(HDC(wp), &r, static_cast<HBRUSH>(b->band.get()));
      return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetTextColor(HDC(wp), colourRef(b->style->text));
      SetBkColor(HDC(wp), colourRef(b->style->window));
      return INT_PTR(b->window.get());
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->code != NM_CUSTOMDRAW) return FALSE;
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT,
                        drawStyledButton(*reinterpret_cast<const NMCUSTOMDRAW*>(lp), *b->style));
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      if (id == IDOK || id == IDYES || id == IDNO) EndDialog(dialog, id);
      // Escape and the close box: OK where it is the only answer.
      if (id == IDCANCEL && b->buttons == MessageButtons::Ok) EndDialog(dialog, IDOK);
      return TRUE;
    }
    case WM_CLOSE:
      if (b->buttons == MessageButtons::Ok) EndDialog(dialog, IDOK);
      return TRUE;
  }
  return FALSE;
}

// An empty dialog template: the window alone, its controls are made when
// it starts.
std::vector<WORD> boxTemplate(const Text& caption) {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
  d->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_NOIDLEMSG;
  d->dwExtendedStyle = WS_EX_DLGMODALFRAME;
  d->cdit = 0;
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard dialog class
  for (char16_t c : caption) t.push_back(WORD(c));
  t.push_back(0);
  return t;
}

}  // namespace

MessageAnswer styledMessageBox(HWND owner, const Text& caption, const Text& text, MessageIcon icon,
                               MessageButtons buttons, const VisualStyle& style,
                               const OsVersion& os) {
  BoxState state{&text, icon, buttons, &style, &os, {}, {}, {}};
  const std::vector<WORD> dialogTemplate = boxTemplate(caption);
  MessageBeep(icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONWARNING);
  const INT_PTR result = DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
      boxProc, LPARAM(&state));
  switch (result) {
    case IDOK:
      return MessageAnswer::Ok;
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Other;
  }
}

}  // namespace lingvora::win32
