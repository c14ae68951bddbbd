// A host that plays the player for gen_velmo.dll: a main window answering
// the plugin's requests, two menus, and service objects with a dispatch
// entry (application, memory manager, two image loaders), which read their
// arguments as the player's calling convention defines them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "driver/Driver.h"
#include "images/Image.h"

using namespace driver;

namespace {

#if defined(__i386__)
#define HOST_THISCALL __attribute__((thiscall))
#else
#define HOST_THISCALL
#endif

struct Record {
  int version;
  const wchar_t* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};

constexpr WORD kAllocatedCommand = 0x7777;
const GUID kApplicationGuid = {
    0x23B96771, 0x09D7, 0x46D3, {0x9A, 0xE2, 0x20, 0xDC, 0xEA, 0x6C, 0x86, 0xEA}};
const GUID kMemoryGuid = {
    0x000CF46E, 0x4DF6, 0x4A43, {0xBB, 0xE7, 0x40, 0xE7, 0xA3, 0xEA, 0x02, 0xED}};
constexpr unsigned kImageLoaders = ('i' << 24) | ('m' << 16) | ('g' << 8) | 'l';

// The player's service objects, with their dispatch entry in the first
// virtual slot. Two image loaders: the first handles no code at all (it
// leaves every result slot as it finds it), the second reads PNG.
enum Kind {
  Manager,
  AppFactory,
  MemoryFactory,
  SilentLoaderFactory,
  PngLoaderFactory,
  Application,
  Memory,
  SilentLoader,
  PngLoader
};
struct Service;
using Dispatch = int(HOST_THISCALL*)(Service*, int, void*, void**, int);
struct Service {
  const Dispatch* vtable;
  Kind kind;
};

struct Release {
  Kind factory;
  void* object;
  bool operator==(const Release&) const = default;
};

struct Host {
  HWND main = nullptr;
  HMENU mainMenu = nullptr, menu5 = nullptr;
  LPARAM serviceReply = 0;  // what request 3025 answers
  UINT privateMessage = 0;
  std::vector<std::pair<WPARAM, LPARAM>> passedThrough;
  // What the services were asked.
  std::vector<std::string> faults;  // calls against the convention
  int serviceCalls = 0, acceleratorsAdded = 0, silentLoaderCalls = 0;
  HWND acceleratorWindow = nullptr;
  HACCEL accelerator = nullptr;
  int acceleratorCount = 0, translateMode = 0;
  std::vector<void*> freed, decoded;
  std::vector<Release> released;
} g_host;

int HOST_THISCALL dispatch(Service* self, int code, void* result, void** args, int count);
const Dispatch kVtable[] = {dispatch};
Service g_services[] = {{kVtable, Manager},          {kVtable, AppFactory},
                        {kVtable, MemoryFactory},    {kVtable, SilentLoaderFactory},
                        {kVtable, PngLoaderFactory}, {kVtable, Application},
                        {kVtable, Memory},           {kVtable, SilentLoader},
                        {kVtable, PngLoader}};
void* service(Kind kind) { return &g_services[kind]; }

// The calling convention as the player defines it: the argument list holds
// one pointer to each argument's value, whatever the argument's type; the
// result slot is int-sized (pointer-sized for a pointer answer).
template <typename T>
T value(void** args, int i) {
  return *static_cast<const T*>(args[i]);
}
void answer(void* result, int v) { *static_cast<int*>(result) = v; }
void answer(void* result, void* p) { *static_cast<void**>(result) = p; }

// Records a call the player would not understand; it answers nothing.
int fault(Kind kind, int code, int count) {
  g_host.faults.push_back("service " + std::to_string(kind) + " code " + std::to_string(code) +
                          " with " + std::to_string(count) + " arguments");
  return 0;
}

int manager(int code, void* result, void** args, int count) {
  if (code == 50 && count == 1) {
    const GUID guid = value<GUID>(args, 0);
    answer(result, IsEqualGUID(guid, kApplicationGuid) ? service(AppFactory)
                   : IsEqualGUID(guid, kMemoryGuid)    ? service(MemoryFactory)
                                                       : nullptr);
  } else if (code == 30 && count == 1) {
    answer(result, value<unsigned>(args, 0) == kImageLoaders ? 2 : 0);
  } else if (code == 40 && count == 2 && value<unsigned>(args, 0) == kImageLoaders) {
    const int index = value<int>(args, 1);
    answer(result, index == 0   ? service(SilentLoaderFactory)
                   : index == 1 ? service(PngLoaderFactory)
                                : nullptr);
  } else {
    return fault(Manager, code, count);
  }
  return 1;
}

Kind productOf(Kind factory) {
  switch (factory) {
    case AppFactory:
      return Application;
    case MemoryFactory:
      return Memory;
    case SilentLoaderFactory:
      return SilentLoader;
    default:
      return PngLoader;
  }
}

int factory(Kind kind, int code, void* result, void** args, int count) {
  if (code == 300 && count == 1 && value<int>(args, 0) == 1) {
    answer(result, service(productOf(kind)));
  } else if (code == 310 && count == 1 && value<void*>(args, 0) == service(productOf(kind))) {
    g_host.released.push_back({kind, value<void*>(args, 0)});
  } else {
    return fault(kind, code, count);
  }
  return 1;
}

int application(int code, void* result, void** args, int count) {
  if (code != 240 || count != 4) return fault(Application, code, count);
  ++g_host.acceleratorsAdded;
  g_host.acceleratorWindow = value<HWND>(args, 0);
  g_host.accelerator = *value<HACCEL*>(args, 1);
  g_host.acceleratorCount = value<int>(args, 2);
  g_host.translateMode = value<int>(args, 3);
  answer(result, 1);
  return 1;
}

int memory(int code, void** args, int count) {
  if (code != 10 || count != 1) return fault(Memory, code, count);
  void* block = value<void*>(args, 0);
  g_host.freed.push_back(block);
  std::free(block);
  return 1;
}

int pngLoader(int code, void* result, void** args, int count) {
  const auto* data = count >= 2 ? value<const std::uint8_t*>(args, 0) : nullptr;
  const int size = count >= 2 ? value<int>(args, 1) : 0;
  if (code == 200 && count == 2) {
    answer(result, size > 8 && std::memcmp(data, "\x89PNG", 4) == 0 ? 1 : 0);
    return 1;
  }
  if (code != 400 || count != 5 || value<int>(args, 4) != 0) return fault(PngLoader, code, count);
  auto image = lingvora::decodePng(lingvora::Bytes(data, data + size));
  if (!image) return 1;
  void* pixels = std::malloc(image->bgra.size());
  std::memcpy(pixels, image->bgra.data(), image->bgra.size());
  *value<int*>(args, 2) = image->width;
  *value<int*>(args, 3) = image->height;
  answer(result, pixels);
  g_host.decoded.push_back(pixels);
  return 1;
}

int HOST_THISCALL dispatch(Service* self, int code, void* result, void** args, int count) {
  ++g_host.serviceCalls;
  switch (self->kind) {
    case Manager:
      return manager(code, result, args, count);
    case Application:
      return application(code, result, args, count);
    case Memory:
      return memory(code, args, count);
    case SilentLoader:
      ++g_host.silentLoaderCalls;
      return 0;
    case PngLoader:
      return pngLoader(code, result, args, count);
    default:
      return factory(self->kind, code, result, args, count);
  }
}

LRESULT CALLBACK playerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_USER) {
    switch (lp) {
      case 0x10000:
        g_host.privateMessage = RegisterWindowMessageA(reinterpret_cast<const char*>(wp));
        return g_host.privateMessage;
      case 281:
        return LRESULT(wp == 5 ? g_host.menu5 : g_host.mainMenu);
      case 3019:
        return kAllocatedCommand;
      case 3025:
        return g_host.serviceReply;
      case 619:
        return LRESULT(w);
    }
    g_host.passedThrough.push_back({wp, lp});
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

void pump(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG m;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      // The player translates its accelerators before dispatching.
      if (g_host.accelerator && TranslateAcceleratorW(g_host.main, g_host.accelerator, &m))
        continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    Sleep(10);
  }
}

std::wstring itemText(HMENU menu, int position) {
  wchar_t buf[128] = {};
  GetMenuStringW(menu, UINT(position), buf, 128, MF_BYPOSITION);
  return buf;
}

std::string urlLog() {
  std::ifstream in(env("LINGVORA_TEST_DIR") + "/urls.log");
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::size_t openedHelpPages() {
  const std::string log = urlLog(), page = "https://lingvora.pl/winamp/winamp_help.php";
  std::size_t n = 0;
  for (std::size_t at = log.find(page); at != std::string::npos; at = log.find(page, at + 1)) ++n;
  return n;
}

// Waits until the help page was opened `n` times in all.
bool waitForOpened(std::size_t n) {
  for (int i = 0; i < 200 && openedHelpPages() < n; ++i) pump(25);
  return openedHelpPages() >= n;
}

// The browser of the prefix, for the scope of a test: a program that records.
class RecordingBrowser {
 public:
  RecordingBrowser() {
    const std::wstring command = L"\"" + windowsPath(env("LINGVORA_URL_RECORDER")) + L"\" \"%1\"";
    for (const wchar_t* key : {L"http\\shell\\open\\command", L"https\\shell\\open\\command"}) {
      HKEY k;
      if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                          nullptr) != ERROR_SUCCESS)
        continue;
      wchar_t old[1024] = {};
      DWORD size = sizeof old;
      RegQueryValueExW(k, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size);
      saved_.push_back({key, old});
      RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     DWORD((command.size() + 1) * 2));
      RegCloseKey(k);
    }
    const std::string log = env("LINGVORA_TEST_DIR") + "/urls.log";
    DeleteFileW(windowsPath(log).c_str());
    SetEnvironmentVariableW(L"LINGVORA_URL_LOG", windowsPath(log).c_str());
  }
  ~RecordingBrowser() {
    for (const auto& [key, value] : saved_) {
      HKEY k;
      if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
        RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD((value.size() + 1) * 2));
        RegCloseKey(k);
      }
    }
  }

 private:
  std::vector<std::pair<std::wstring, std::wstring>> saved_;
};

// The ordinals a loaded module imports from one DLL, read from its import
// directory.
std::set<WORD> importedOrdinals(HMODULE module, const char* dll) {
  auto* base = reinterpret_cast<const BYTE*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::set<WORD> ordinals;
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + entry.VirtualAddress);
       entry.VirtualAddress && d->Name; ++d) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
    for (auto* t = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
         t->u1.Ordinal; ++t)
      if (IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal)) ordinals.insert(WORD(IMAGE_ORDINAL(t->u1.Ordinal)));
  }
  return ordinals;
}

// The plugin loaded into a fresh player window, started, its deferred work done.
struct LoadedPlugin {
  HMODULE dll = nullptr;
  Record* record = nullptr;
  explicit LoadedPlugin(LPARAM serviceReply) {
    g_host = Host{};
    g_host.serviceReply = serviceReply;
    WNDCLASSW cls{};
    cls.lpfnWndProc = playerProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"Winamp v1.x";
    RegisterClassW(&cls);
    g_host.main = CreateWindowW(L"Winamp v1.x", L"Winamp", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100,
                                nullptr, nullptr, cls.hInstance, nullptr);
    g_host.mainMenu = CreatePopupMenu();
    for (UINT id : {100u, 101u, 40347u, 102u, 103u})
      AppendMenuW(g_host.mainMenu, MF_STRING, id, L"item");
    g_host.menu5 = CreatePopupMenu();
    for (UINT id : {200u, 201u, 202u}) AppendMenuW(g_host.menu5, MF_STRING, id, L"item");
    dll = LoadLibraryW(windowsPath(env("LINGVORA_PLUGIN_DLL")).c_str());
    if (!dll) return;
    auto get = reinterpret_cast<Record* (*)()>(
        reinterpret_cast<void*>(GetProcAddress(dll, "winampGetGeneralPurposePlugin")));
    record = get ? get() : nullptr;
    if (!record) return;
    record->hwndParent = g_host.main;
    record->hDllInstance = dll;
    record->init();
    pump(200);
  }
  ~LoadedPlugin() {
    if (dll) FreeLibrary(dll);
    DestroyWindow(g_host.main);
    DestroyMenu(g_host.mainMenu);
    DestroyMenu(g_host.menu5);
  }
};

LPARAM managerReply() { return reinterpret_cast<LPARAM>(service(Manager)); }

TEST(HelpPlugin, StartAddsMenuEntriesAndTheF10Accelerator) {
  LoadedPlugin p{managerReply()};
  ASSERT_TRUE(p.record);
  EXPECT_EQ(p.record->version, 0x11);
  EXPECT_STREQ(p.record->description, L"Orva (System pomocy dla Winampa) v4.0");
  // After 40347 in the main menu; at position 1 of menu 5, which has none.
  EXPECT_EQ(GetMenuItemID(g_host.mainMenu, 3), kAllocatedCommand);
  EXPECT_EQ(itemText(g_host.mainMenu, 3), L"Winamp - Pomoc (PL)\tF10");
  EXPECT_EQ(GetMenuItemCount(g_host.mainMenu), 6);
  EXPECT_EQ(GetMenuItemID(g_host.menu5, 1), kAllocatedCommand);
  EXPECT_EQ(g_host.acceleratorsAdded, 1);
  EXPECT_EQ(g_host.acceleratorWindow, g_host.main);
  EXPECT_EQ(g_host.acceleratorCount, 1);
  EXPECT_EQ(g_host.translateMode, 1);
  ACCEL accel{};
  ASSERT_EQ(CopyAcceleratorTableW(g_host.accelerator, &accel, 1), 1);
  EXPECT_EQ(accel.key, VK_F10);
  EXPECT_EQ(accel.cmd, kAllocatedCommand);
  EXPECT_TRUE(accel.fVirt & FVIRTKEY);
  EXPECT_EQ(g_host.faults, std::vector<std::string>{});
  p.record->quit();
}

TEST(HelpPlugin, CommandSysCommandAndF10OpenTheHelpPage) {
  RecordingBrowser browser;
  LoadedPlugin p{managerReply()};
  ASSERT_TRUE(p.record);
  SendMessageW(g_host.main, WM_COMMAND, kAllocatedCommand, 0);
  EXPECT_TRUE(waitForOpened(1)) << urlLog();
  SendMessageW(g_host.main, WM_SYSCOMMAND, kAllocatedCommand, 0);
  EXPECT_TRUE(waitForOpened(2)) << urlLog();
  PostMessageW(g_host.main, WM_KEYDOWN, VK_F10, 0);
  EXPECT_TRUE(waitForOpened(3)) << urlLog();
  // Other player requests pass through untouched.
  SendMessageW(g_host.main, WM_USER, 42, 4242);
  ASSERT_FALSE(g_host.passedThrough.empty());
  EXPECT_EQ(g_host.passedThrough.back(), (std::pair<WPARAM, LPARAM>{42, 4242}));
  // After quit the subclass is gone: the command reaches the player alone.
  p.record->quit();
  SendMessageW(g_host.main, WM_COMMAND, kAllocatedCommand, 0);
  pump(1000);
  EXPECT_EQ(openedHelpPages(), 3u);
}

TEST(HelpPlugin, ImportsTheSubclassingFunctionsFromComctl32ByOrdinal) {
  LoadedPlugin p{managerReply()};
  ASSERT_TRUE(p.record);
  EXPECT_EQ(importedOrdinals(p.dll, "comctl32.dll"), (std::set<WORD>{410, 412, 413}));
  p.record->quit();
}

// Watches the thread's windows: the link's property as the link is destroyed.
class LinkWatch {
 public:
  LinkWatch() : hook_(SetWindowsHookExW(WH_CALLWNDPROC, watch, nullptr, GetCurrentThreadId())) {}
  LinkWatch(const LinkWatch&) = delete;
  LinkWatch& operator=(const LinkWatch&) = delete;
  ~LinkWatch() { UnhookWindowsHookEx(hook_); }
  static inline bool destroyed = false;
  static inline HANDLE propertyAtDestroy = nullptr;

 private:
  static LRESULT CALLBACK watch(int code, WPARAM wp, LPARAM lp) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lp);
    wchar_t cls[32] = {};
    if (code == HC_ACTION && sent->message == WM_DESTROY && GetClassNameW(sent->hwnd, cls, 32) &&
        std::wstring(cls) == L"SysLink") {
      destroyed = true;
      propertyAtDestroy = GetPropW(sent->hwnd, L"waprefs_syslink");
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  HHOOK hook_;
};

// What the About box showed, seen from another thread while it was open.
struct AboutSeen {
  bool found = false, link = false;
  std::wstring caption, fontFace;
  LONG fontHeight = 0;
  HGDIOBJ header = nullptr, text = nullptr;  // the pictures' bitmaps
  SIZE headerSize{}, textSize{};
};

SIZE bitmapSize(HGDIOBJ bitmap) {
  BITMAP bm{};
  if (!bitmap || GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return {};
  return {bm.bmWidth, bm.bmHeight};
}

HWND waitForAboutBox() {
  for (int i = 0; i < 400; ++i) {
    Sleep(25);
    HWND w = FindWindowW(L"#32770", nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (w && pid == GetCurrentProcessId()) return w;
  }
  return nullptr;
}

void inspect(HWND box, AboutSeen& seen) {
  seen.found = true;
  seen.caption = windowText(box);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)), sizeof font, &font);
  seen.fontFace = font.lfFaceName;
  seen.fontHeight = font.lfHeight;
  seen.header =
      reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(box, 1001, STM_GETIMAGE, IMAGE_BITMAP, 0));
  seen.text =
      reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(box, 1002, STM_GETIMAGE, IMAGE_BITMAP, 0));
  seen.headerSize = bitmapSize(seen.header);
  seen.textSize = bitmapSize(seen.text);
  wchar_t cls[32] = {};
  GetClassNameW(GetDlgItem(box, 40000), cls, 32);
  seen.link = std::wstring(cls) == L"SysLink";
}

// Runs the About box, inspects it and closes it with a command or WM_CLOSE.
AboutSeen about(Record* record, UINT closeWith = IDOK) {
  AboutSeen seen;
  std::thread inspector([&] {
    HWND box = waitForAboutBox();
    if (!box) return;
    inspect(box, seen);
    if (closeWith == WM_CLOSE)
      PostMessageW(box, WM_CLOSE, 0, 0);
    else
      PostMessageW(box, WM_COMMAND, closeWith, 0);
  });
  record->config();
  inspector.join();
  return seen;
}

LONG pointsToHeight(int points) {
  HDC screen = GetDC(nullptr);
  const LONG height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return height;
}

TEST(HelpPlugin, AboutBoxWithBothPicturesClosesEveryWay) {
  LoadedPlugin p{managerReply()};
  ASSERT_TRUE(p.record);
  const std::vector<UINT> ways{UINT(IDOK), UINT(IDCANCEL), UINT(WM_CLOSE)};
  for (UINT close : ways) {
    LinkWatch watch;
    AboutSeen seen = about(p.record, close);
    ASSERT_TRUE(seen.found) << close;
    EXPECT_EQ(seen.caption, L"Orva v4.0 - Informacje...");
    EXPECT_EQ(seen.fontFace, L"MS Shell Dlg");
    EXPECT_EQ(seen.fontHeight, pointsToHeight(8));
    EXPECT_EQ(seen.headerSize.cx, 400);
    EXPECT_EQ(seen.headerSize.cy, 141);
    EXPECT_EQ(seen.textSize.cx, 400);
    EXPECT_EQ(seen.textSize.cy, 265 - 141);
    EXPECT_TRUE(seen.link);
    EXPECT_TRUE(LinkWatch::destroyed);
    EXPECT_EQ(LinkWatch::propertyAtDestroy, nullptr);
  }
  // Each opening decoded the picture once and gave the pixels back to the
  // player's memory manager; the loader that never answers was only asked.
  EXPECT_EQ(g_host.decoded.size(), ways.size());
  EXPECT_EQ(g_host.freed, g_host.decoded);
  EXPECT_EQ(g_host.silentLoaderCalls, int(ways.size()));
  EXPECT_EQ(g_host.faults, std::vector<std::string>{});
  p.record->quit();
}

TEST(HelpPlugin, AboutBoxLeavesNoGdiObjectsBehind) {
  LoadedPlugin p{managerReply()};
  ASSERT_TRUE(p.record);
  // Where the system counts a process's GDI objects, the count returns to
  // where it was; everywhere, the bitmaps the pictures showed are gone.
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 10; ++i) {
    AboutSeen seen = about(p.record);
    ASSERT_TRUE(seen.found);
    ASSERT_TRUE(seen.header && seen.text);
    EXPECT_EQ(GetObjectType(seen.header), 0u) << i;
    EXPECT_EQ(GetObjectType(seen.text), 0u) << i;
  }
  if (before) {
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
  }
  p.record->quit();
}

TEST(HelpPlugin, QuitGivesBothInterfacesBackThroughTheirFactories) {
  LoadedPlugin p{managerReply()};
  ASSERT_TRUE(p.record);
  about(p.record);
  g_host.released.clear();  // the loaders', given back by the About box
  p.record->quit();
  EXPECT_EQ(g_host.released, (std::vector<Release>{{AppFactory, service(Application)},
                                                   {MemoryFactory, service(Memory)}}));
  // Both were cleared: a second quit has nothing to give back.
  p.record->quit();
  EXPECT_EQ(g_host.released.size(), 2u);
  EXPECT_EQ(g_host.faults, std::vector<std::string>{});
}

TEST(HelpPlugin, WithoutServiceManagerNoAcceleratorAndNoHeader) {
  for (LPARAM reply : {LPARAM(0), LPARAM(1)}) {
    LoadedPlugin p(reply);
    ASSERT_TRUE(p.record);
    EXPECT_EQ(GetMenuItemID(g_host.mainMenu, 3), kAllocatedCommand);  // the menus still work
    EXPECT_EQ(g_host.accelerator, nullptr);
    AboutSeen seen = about(p.record);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.header, nullptr);
    EXPECT_EQ(seen.text, nullptr);  // 0 wide without a header
    p.record->quit();
    EXPECT_EQ(g_host.serviceCalls, 0);
  }
}

}  // namespace
