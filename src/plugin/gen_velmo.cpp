// gen_velmo.dll: the player's help plugin. It adds "Winamp - Pomoc (PL)" to
// two of the player's menus and F10, opens the project's Polish help page,
// and shows an About box. Every failure is silent: the player must not be
// disturbed by a help plugin.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <string>

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

// The player's service objects are called through their dispatch entry,
// the first virtual slot: object, code, result slot, argument pointers.
using DispatchFn = int(VELMO_THISCALL*)(void* self, int code, void* result, void** arguments,
                                        int count);

int dispatch(void* object, int code, void* result, void** arguments, int count) {
  if (!object) return 0;
  DispatchFn entry = (*static_cast<DispatchFn**>(object))[0];
  return entry(object, code, result, arguments, count);
}

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

Record g_record = {0x11, nullptr, start, configure, quit, nullptr, nullptr};
wchar_t g_description[64];
UINT g_privateMessage = UINT(-1);
WORD g_helpCommand = 0xF6D7;
void* g_services = nullptr;
void* g_applicationFactory = nullptr;
void* g_application = nullptr;
void* g_memoryFactory = nullptr;
void* g_memory = nullptr;
HACCEL g_accelerator = nullptr;  // handed to the player, which keeps it

using SetSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
using RemoveSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
using DefSubclassFn = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

// comctl32's subclassing functions, by ordinal.
FARPROC comctl(int ordinal) {
  HMODULE module = GetModuleHandleW(L"comctl32.dll");
  if (!module) module = LoadLibraryW(L"comctl32.dll");
  return module ? GetProcAddress(module, MAKEINTRESOURCEA(ordinal)) : nullptr;
}

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

// The interface of the service with that GUID, and its factory.
void* serviceInterface(const GUID& guid, void*& factory) {
  void* services = serviceManager();
  if (!services) return nullptr;
  const GUID* guidArgument = &guid;
  void* arguments[] = {&guidArgument};
  factory = nullptr;
  dispatch(services, kManagerServiceByGuid, &factory, arguments, 1);
  if (!factory) return nullptr;
  int lock = 1;
  void* getArguments[] = {&lock};
  void* object = nullptr;
  dispatch(factory, kFactoryGetInterface, &object, getArguments, 1);
  return object;
}

void releaseInterface(void*& factory, void*& object) {
  if (factory && object) {
    void* arguments[] = {&object};
    int ignored = 0;
    dispatch(factory, kFactoryRelease, &ignored, arguments, 1);
  }
  factory = object = nullptr;
}

void registerAccelerator() {
  if (!g_application && serviceManager())
    g_application = serviceInterface(kApplicationGuid, g_applicationFactory);
  ACCEL accel{FVIRTKEY, VK_F10, g_helpCommand};
  g_accelerator = CreateAcceleratorTableW(&accel, 1);
  if (!g_accelerator || !g_application) return;
  HWND window = g_record.hwndParent;
  // The player takes a pointer to the table's handle.
  HACCEL* table = &g_accelerator;
  int count = 1, translate = 1;
  void* arguments[] = {&window, &table, &count, &translate};
  int ignored = 0;
  dispatch(g_application, kAppAddAccelerators, &ignored, arguments, 4);
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
  static auto next = reinterpret_cast<DefSubclassFn>(reinterpret_cast<void*>(comctl(413)));
  return next ? next(w, msg, wp, lp) : DefWindowProcW(w, msg, wp, lp);
}

int start() {
  format(g_description, 64, L"Orva (System pomocy dla Winampa) v%s", kVersion);
  g_record.description = g_description;
  if (auto set = reinterpret_cast<SetSubclassFn>(reinterpret_cast<void*>(comctl(410))))
    set(g_record.hwndParent, subclassProc, reinterpret_cast<UINT_PTR>(&subclassProc), 0);
  g_privateMessage = UINT(request(reinterpret_cast<WPARAM>("gen_velmo"), kRegisterMessage));
  PostMessageW(g_record.hwndParent, WM_USER, 0, LPARAM(g_privateMessage));
  return 0;
}

// About box ---------------------------------------------------------------

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
  SendMessageW(link, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), TRUE);
  SetWindowPos(link, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DestroyWindow(old);
  SetPropW(link, kLinkProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id)));
}

// The header picture, decoded by the player's image loaders; its height.
int headerPicture(HWND dialog, int& width) {
  width = 0;
  void* services = serviceManager();
  HRSRC r = FindResourceW(g_record.hDllInstance, MAKEINTRESOURCEW(103), L"PNG");
  HGLOBAL g = r ? LoadResource(g_record.hDllInstance, r) : nullptr;
  void* data = g ? LockResource(g) : nullptr;
  if (!services || !data) return 0;
  int size = int(SizeofResource(g_record.hDllInstance, r));
  unsigned type = kImageLoaderType;
  int count = 0;
  void* countArguments[] = {&type};
  dispatch(services, kManagerCount, &count, countArguments, 1);
  for (int index = 0; index < count; ++index) {
    void* factory = nullptr;
    void* enumArguments[] = {&type, &index};
    dispatch(services, kManagerEnum, &factory, enumArguments, 2);
    if (!factory) continue;
    int lock = 1;
    void* getArguments[] = {&lock};
    void* loader = nullptr;
    dispatch(factory, kFactoryGetInterface, &loader, getArguments, 1);
    if (!loader) continue;
    bool reads = false;
    void* testArguments[] = {&data, &size};
    dispatch(loader, kLoaderTest, &reads, testArguments, 2);
    if (!reads) {
      releaseInterface(factory, loader);
      continue;
    }
    int w = 0, h = 0;
    int* pw = &w;
    int* ph = &h;
    void* none = nullptr;
    void* loadArguments[] = {&data, &size, &pw, &ph, &none};
    void* pixels = nullptr;
    dispatch(loader, kLoaderLoad, &pixels, loadArguments, 5);
    releaseInterface(factory, loader);
    if (!pixels || w <= 0 || h <= 0) return 0;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) std::memcpy(bits, pixels, std::size_t(w) * h * 4);
    if (!g_memory) g_memory = serviceInterface(kMemoryGuid, g_memoryFactory);
    void* freeArguments[] = {&pixels};
    int ignored = 0;
    dispatch(g_memory, kMemoryFree, &ignored, freeArguments, 1);
    if (dib) {
      SendDlgItemMessageW(dialog, 1001, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(dib));
      DeleteObject(dib);
    }
    width = w;
    return h;
  }
  return 0;
}

void textPicture(HWND dialog, int width, int headerHeight) {
  const int height = 265 - headerHeight;
  HWND control = GetDlgItem(dialog, 1002);
  if (!control || width <= 0 || height <= 0) return;
  HDC screen = GetDC(control);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const int t = height;
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
  GetObjectW(font ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfWeight = 700;
  lf.lfQuality = 5;
  HFONT bold = CreateFontIndirectW(&lf);
  SelectObject(dc, bold);
  RECT title{100, t - 120, 280, t - 100};
  DrawTextW(dc, L"SYSTEM POMOCY DLA WINAMPA", -1, &title, DT_WORDBREAK);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  HBITMAP previous =
      reinterpret_cast<HBITMAP>(SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(bitmap)));
  if (previous) DeleteObject(previous);
  DeleteObject(bold);
  DeleteDC(dc);
  ReleaseDC(control, screen);
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      wchar_t caption[32];
      format(caption, 32, L"Orva v%s - Informacje...", kVersion);
      SetWindowTextW(dialog, caption);
      replaceByLink(dialog);
      SendDlgItemMessageW(dialog, 1002, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
      int width = 0;
      const int height = headerPicture(dialog, width);
      textPicture(dialog, width, height);
      return TRUE;
    }
    case WM_NOTIFY: {
      auto* link = reinterpret_cast<NMLINK*>(lp);
      if ((link->hdr.code == NM_CLICK || link->hdr.code == NM_RETURN) &&
          GetPropW(link->hdr.hwndFrom, kLinkProperty) ==
              reinterpret_cast<HANDLE>(static_cast<INT_PTR>(link->hdr.idFrom)))
        ShellExecuteW(nullptr, L"open", link->item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
      return 0;
    }
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
  if (auto remove = reinterpret_cast<RemoveSubclassFn>(reinterpret_cast<void*>(comctl(412))))
    remove(g_record.hwndParent, subclassProc, reinterpret_cast<UINT_PTR>(&subclassProc));
  releaseInterface(g_applicationFactory, g_application);
  releaseInterface(g_memoryFactory, g_memory);
}

}  // namespace

extern "C" __declspec(dllexport) Record* winampGetGeneralPurposePlugin() { return &g_record; }
