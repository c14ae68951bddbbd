// gen_velmo.dll: the player's help plugin. It adds "Winamp - Pomoc (PL)" to
// two of the player's menus and F10, opens the project's Polish help page,
// and shows an About box. Every failure is silent: the player must not be
// disturbed by a help plugin.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "PluginLogic.h"

namespace {

constexpr wchar_t kVersion[] = L"4.0";
constexpr wchar_t kHelpPage[] = L"https://lingvora.pl/winamp/winamp_help.php";
constexpr wchar_t kMenuText[] = L"Winamp - Pomoc (PL)\tF10";
constexpr wchar_t kLinkProperty[] = L"waprefs_syslink";

// The player's requests: WM_USER with the request number in lParam.
constexpr LPARAM kRegisterMessage = 0x10000, kGetMenu = 281, kAllocateCommand = 3019,
                 kGetServiceManager = 3025, kGetDialogParent = 619;

// Service dispatch codes.
constexpr int kManagerServiceByGuid = 50, kManagerCount = 30, kManagerEnum = 40;
constexpr int kFactoryGetInterface = 300, kFactoryRelease = 310;
constexpr int kAppAddAccelerators = 240, kMemoryFree = 10;
constexpr int kLoaderTest = 200, kLoaderLoad = 400;

const GUID kApplicationGuid = {
    0x23B96771, 0x09D7, 0x46D3, {0x9A, 0xE2, 0x20, 0xDC, 0xEA, 0x6C, 0x86, 0xEA}};
const GUID kMemoryGuid = {
    0x000CF46E, 0x4DF6, 0x4A43, {0xBB, 0xE7, 0x40, 0xE7, 0xA3, 0xEA, 0x02, 0xED}};
constexpr unsigned kImageLoaderType = ('i' << 24) | ('m' << 16) | ('g' << 8) | 'l';

#if defined(__i386__)
#define VELMO_THISCALL __attribute__((thiscall))
#else
#define VELMO_THISCALL
#endif

// A service call's result slot: wide enough for the pointers some calls
// answer, and zero until the service writes into it, so that an answer
// written as an int (a yes/no, a count), or none at all, reads as intended.
using Slot = std::intptr_t;

// The player's service objects are called through their dispatch entry,
// the first virtual slot: object, code, result slot, argument list, count.
using DispatchFn = int(VELMO_THISCALL*)(void* self, int code, Slot* result, void** arguments,
                                        int count);

// One call: the argument list holds one pointer to each argument's value.
// The values are this function's own copies, alive for the whole call.
template <typename... Arguments>
Slot call(void* object, int code, Arguments... values) {
  if (!object) return 0;
  void* arguments[] = {&values...};
  Slot result = 0;
  DispatchFn entry = (*static_cast<DispatchFn**>(object))[0];
  entry(object, code, &result, arguments, int(sizeof...(values)));
  return result;
}

void* pointer(Slot result) { return reinterpret_cast<void*>(result); }
bool yes(Slot result) { return int(result) != 0; }

struct Record {
  int version;
  const wchar_t* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};

int start();
void configure();
void quit();

// An interface taken from a service factory, given back through the same.
struct Held {
  void* factory = nullptr;
  void* object = nullptr;
};

Record g_record = {0x11, nullptr, start, configure, quit, nullptr, nullptr};
wchar_t g_description[64];
UINT g_privateMessage = UINT(-1);
WORD g_helpCommand = 0xF6D7;
void* g_services = nullptr;
Held g_application, g_memory;
HACCEL g_accelerator = nullptr;  // handed to the player, which keeps it

void format(wchar_t* buffer, std::size_t count, const wchar_t* pattern, const wchar_t* argument) {
  velmo::formatBounded(reinterpret_cast<char16_t*>(buffer), count,
                       reinterpret_cast<const char16_t*>(pattern),
                       reinterpret_cast<const char16_t*>(argument));
}

LRESULT request(WPARAM wp, LPARAM lp) { return SendMessageW(g_record.hwndParent, WM_USER, wp, lp); }

void* serviceManager() {
  if (!g_services) {
    auto reply = reinterpret_cast<void*>(request(0, kGetServiceManager));
    if (reinterpret_cast<UINT_PTR>(reply) > 1) g_services = reply;
  }
  return g_services;
}

Held take(void* factory) {
  const int lock = 1;
  return {factory, pointer(call(factory, kFactoryGetInterface, lock))};
}

// The interface of the service with that GUID.
Held take(const GUID& guid) {
  return take(pointer(call(serviceManager(), kManagerServiceByGuid, guid)));
}

void release(Held& held) {
  if (held.factory && held.object) call(held.factory, kFactoryRelease, held.object);
  held = {};
}

void registerAccelerator() {
  if (!g_application.object && serviceManager()) g_application = take(kApplicationGuid);
  ACCEL accel{FVIRTKEY, VK_F10, g_helpCommand};
  g_accelerator = CreateAcceleratorTableW(&accel, 1);
  if (!g_accelerator) return;
  // The player takes a pointer to the table's handle.
  const int count = 1, translate = 1;
  call(g_application.object, kAppAddAccelerators, g_record.hwndParent, &g_accelerator, count,
       translate);
}

void insertEntry(HMENU menu, int position) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = 0x32;  // id, type, item data
  item.fType = MFT_STRING;
  item.wID = g_helpCommand;
  item.dwTypeData = const_cast<wchar_t*>(kMenuText);
  item.cch = UINT(wcslen(kMenuText));
  InsertMenuItemW(menu, UINT(position), TRUE, &item);
}

int commandAt(HMENU menu, int position) { return int(GetMenuItemID(menu, position)); }

void addMenuEntries() {
  auto main = reinterpret_cast<HMENU>(request(0, kGetMenu));
  g_helpCommand = WORD(request(0, kAllocateCommand));
  if (main)
    insertEntry(main, velmo::mainMenuPosition(GetMenuItemCount(main),
                                              [&](int p) { return commandAt(main, p); }));
  auto second = reinterpret_cast<HMENU>(request(5, kGetMenu));
  if (second)
    insertEntry(second, velmo::secondMenuPosition(GetMenuItemCount(second),
                                                  [&](int p) { return commandAt(second, p); }));
  registerAccelerator();
}

LRESULT CALLBACK subclassProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if ((msg == WM_COMMAND || msg == WM_SYSCOMMAND) && LOWORD(wp) == g_helpCommand)
    ShellExecuteW(g_record.hwndParent, L"open", kHelpPage, nullptr, nullptr, SW_SHOWNORMAL);
  if (msg == WM_USER && UINT(lp) == g_privateMessage && g_privateMessage != UINT(-1))
    addMenuEntries();
  return DefSubclassProc(w, msg, wp, lp);
}

// The subclass is identified by the procedure's own address.
UINT_PTR subclassId() { return reinterpret_cast<UINT_PTR>(&subclassProc); }

int start() {
  format(g_description, 64, L"Orva (System pomocy dla Winampa) v%s", kVersion);
  g_record.description = g_description;
  SetWindowSubclass(g_record.hwndParent, subclassProc, subclassId(), 0);
  g_privateMessage = UINT(request(reinterpret_cast<WPARAM>("gen_velmo"), kRegisterMessage));
  PostMessageW(g_record.hwndParent, WM_USER, 0, LPARAM(g_privateMessage));
  return 0;
}

// About box ---------------------------------------------------------------

// A GDI object deleted with its owner.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ handle = nullptr) : handle_(handle) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject& operator=(GdiObject&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  HGDIOBJ get() const { return handle_; }

 private:
  HGDIOBJ handle_;
};

// A window's DC, given back with it.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC with one bitmap selected into it; the selection is undone
// and the DC deleted with it.
class MemoryDc {
 public:
  MemoryDc(HDC compatible, HBITMAP bitmap)
      : dc_(CreateCompatibleDC(compatible)), old_(dc_ ? SelectObject(dc_, bitmap) : nullptr) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A font selected into a DC for a scope, with the background mode that
// drawing uses; both are restored with it.
class DrawingState {
 public:
  DrawingState(HDC dc, HGDIOBJ font)
      : dc_(dc), font_(SelectObject(dc, font)), mode_(SetBkMode(dc, TRANSPARENT)) {}
  DrawingState(const DrawingState&) = delete;
  DrawingState& operator=(const DrawingState&) = delete;
  ~DrawingState() {
    SetBkMode(dc_, mode_);
    SelectObject(dc_, font_);
  }

 private:
  HDC dc_;
  HGDIOBJ font_;
  int mode_;
};

// What one About box made: its two pictures, deleted when it is destroyed.
struct AboutBox {
  GdiObject header, text;
};

AboutBox* aboutBox(HWND dialog) {
  return reinterpret_cast<AboutBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HFONT dialogFont(HWND dialog) {
  return reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
}

void replaceByLink(HWND dialog) {
  HWND old = GetDlgItem(dialog, 40000);
  if (!old) return;
  wchar_t text[1025] = {};
  GetWindowTextW(old, text, 1024);
  RECT r{};
  GetWindowRect(old, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  const int id = GetDlgCtrlID(old);
  HWND link = CreateWindowExW(0, L"SysLink", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, r.left,
                              r.top, r.right - r.left, r.bottom - r.top, dialog,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              g_record.hDllInstance, nullptr);
  if (!link) return;
  SendMessageW(link, WM_SETFONT, WPARAM(dialogFont(dialog)), TRUE);
  SetWindowPos(link, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DestroyWindow(old);
  SetPropW(link, kLinkProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id)));
}

// Pixels decoded by one of the player's image loaders, in its memory.
struct Decoded {
  void* pixels = nullptr;
  int width = 0, height = 0;
};

// Asks each image loader in turn; the first that reads the data decodes it.
Decoded decode(const void* data, int size) {
  void* services = serviceManager();
  const unsigned type = kImageLoaderType;
  const int count = int(call(services, kManagerCount, type));
  for (int index = 0; index < count; ++index) {
    Held loader = take(pointer(call(services, kManagerEnum, type, index)));
    if (!loader.object) continue;
    const bool reads = yes(call(loader.object, kLoaderTest, data, size));
    Decoded decoded;
    if (reads)
      decoded.pixels = pointer(call(loader.object, kLoaderLoad, data, size, &decoded.width,
                                    &decoded.height, static_cast<void*>(nullptr)));
    release(loader);
    if (reads) return decoded;
  }
  return {};
}

// A top-down 32-bit copy of the decoded pixels, or null.
HBITMAP toBitmap(const Decoded& decoded) {
  constexpr int kLargest = 4096;  // far beyond any About picture, and no overflow
  const int w = decoded.width, h = decoded.height;
  if (!decoded.pixels || w <= 0 || h <= 0 || w > kLargest || h > kLargest) return nullptr;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) std::memcpy(bits, decoded.pixels, std::size_t(w) * std::size_t(h) * 4);
  return dib;
}

// Sets a picture static's image and answers the one it held. A static
// keeps its own copy of a bitmap with alpha and answers that copy later:
// such a copy is its owner's to delete, like the original.
HBITMAP swapImage(HWND dialog, int id, HBITMAP bitmap) {
  return reinterpret_cast<HBITMAP>(
      SendDlgItemMessageW(dialog, id, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(bitmap)));
}

// Takes a static's picture back and deletes it unless it is the box's own.
void dropImage(HWND dialog, int id, const GdiObject& own) {
  HBITMAP held = swapImage(dialog, id, nullptr);
  if (held && held != own.get()) DeleteObject(held);
}

// The header picture, decoded by the player's image loaders; its size.
SIZE headerPicture(HWND dialog, AboutBox& box) {
  HRSRC r = FindResourceW(g_record.hDllInstance, MAKEINTRESOURCEW(103), L"PNG");
  HGLOBAL g = r ? LoadResource(g_record.hDllInstance, r) : nullptr;
  const void* data = g ? LockResource(g) : nullptr;
  if (!serviceManager() || !data) return {};
  const Decoded decoded = decode(data, int(SizeofResource(g_record.hDllInstance, r)));
  box.header = GdiObject(toBitmap(decoded));
  if (decoded.pixels) call(g_memory.object, kMemoryFree, decoded.pixels);
  if (!box.header.get()) return {};
  swapImage(dialog, 1001, static_cast<HBITMAP>(box.header.get()));
  return {decoded.width, decoded.height};
}

void drawTexts(HDC dc, HFONT font, int t) {
  DrawingState state(dc, font);
  RECT description{10, t - 100, 390, t - 45};
  DrawTextW(dc,
            L"Wtyczka (gen_velmo.dll) pozwala na uruchomienie polskojęzycznej pomocy Winampa. "
            L"Wtyczka dodaje wpis do głównego menu Winampa oraz rejestruje skrót F10, dzięki "
            L"któremu możemy przejść do nieoficjalnej polskojęzycznej pomocy Winampa na stronie "
            L"projektu Orva.",
            -1, &description, DT_WORDBREAK);
  wchar_t build[80];
  format(build, 80, L"Data kompilacji: %s\n(c) 2004-2022 Zespół Lingvora", L"01.09.2022");
  RECT buildRect{195, t - 30, 395, t};
  DrawTextW(dc, build, -1, &buildRect, DT_WORDBREAK);
  LOGFONTW lf{};
  GetObjectW(font ? HGDIOBJ(font) : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfWeight = 700;
  lf.lfQuality = 5;
  GdiObject bold(CreateFontIndirectW(&lf));
  DrawingState titleFont(dc, bold.get());
  RECT title{100, t - 120, 280, t - 100};
  DrawTextW(dc, L"SYSTEM POMOCY DLA WINAMPA", -1, &title, DT_WORDBREAK);
}

// The text picture below the header, as wide as the header; drawn, copied
// onto the control's window and set as its image.
void textPicture(HWND dialog, AboutBox& box, SIZE header) {
  const int width = header.cx, height = 265 - header.cy;
  HWND control = GetDlgItem(dialog, 1002);
  if (!control || width <= 0 || height <= 0) return;
  WindowDc screen(control);
  if (!screen.get()) return;
  box.text = GdiObject(CreateCompatibleBitmap(screen.get(), width, height));
  auto bitmap = static_cast<HBITMAP>(box.text.get());
  if (!bitmap) return;
  {
    MemoryDc memory(screen.get(), bitmap);
    if (!memory.get()) return;
    RECT all{0, 0, width, height};
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    drawTexts(memory.get(), dialogFont(dialog), height);
    BitBlt(screen.get(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
  }
  swapImage(dialog, 1002, bitmap);
}

void initAbout(HWND dialog) {
  auto* box = new (std::nothrow) AboutBox;
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(box));
  if (!g_memory.object && serviceManager()) g_memory = take(kMemoryGuid);
  wchar_t caption[32];
  format(caption, 32, L"Orva v%s - Informacje...", kVersion);
  SetWindowTextW(dialog, caption);
  replaceByLink(dialog);
  SendDlgItemMessageW(dialog, 1002, WM_SETFONT, WPARAM(dialogFont(dialog)), FALSE);
  if (box) textPicture(dialog, *box, headerPicture(dialog, *box));
}

// Runs before the controls are destroyed: they give their pictures back,
// and the link loses its property while it still exists.
void destroyAbout(HWND dialog) {
  RemovePropW(GetDlgItem(dialog, 40000), kLinkProperty);
  AboutBox* box = aboutBox(dialog);
  if (!box) return;
  dropImage(dialog, 1001, box->header);
  dropImage(dialog, 1002, box->text);
  delete box;
  SetWindowLongPtrW(dialog, DWLP_USER, 0);
}

void openLink(const NMLINK& link) {
  const bool activated = link.hdr.code == UINT(NM_CLICK) || link.hdr.code == UINT(NM_RETURN);
  if (activated && GetPropW(link.hdr.hwndFrom, kLinkProperty) ==
                       reinterpret_cast<HANDLE>(static_cast<INT_PTR>(link.hdr.idFrom)))
    ShellExecuteW(nullptr, L"open", link.item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      initAbout(dialog);
      return TRUE;
    case WM_DESTROY:
      destroyAbout(dialog);
      return 0;
    case WM_NOTIFY:
      openLink(*reinterpret_cast<const NMLINK*>(lp));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) EndDialog(dialog, 0);
      return 0;
  }
  return 0;
}

void configure() {
  auto parent = reinterpret_cast<HWND>(request(0, kGetDialogParent));
  DialogBoxParamW(g_record.hDllInstance, MAKEINTRESOURCEW(102), parent, aboutProc, 0);
}

void quit() {
  RemoveWindowSubclass(g_record.hwndParent, subclassProc, subclassId());
  release(g_application);
  release(g_memory);
}

}  // namespace

extern "C" __declspec(dllexport) Record* winampGetGeneralPurposePlugin() { return &g_record; }
