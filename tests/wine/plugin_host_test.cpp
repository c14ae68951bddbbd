// A host that plays the player for gen_velmo.dll: a main window answering
// the plugin's requests, two menus, and service objects with a dispatch
// entry (application, memory manager, an image loader).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
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

// One fake service object: a vtable whose first slot is the dispatch entry.
struct Service;
using Dispatch = int(HOST_THISCALL*)(Service*, int, void*, void**, int);
struct Service {
  const Dispatch* vtable;
  int kind;
};

struct Host {
  HWND main = nullptr;
  HMENU mainMenu = nullptr, menu5 = nullptr;
  LPARAM serviceReply = 0;  // what request 3025 answers
  UINT privateMessage = 0;
  std::vector<std::pair<WPARAM, LPARAM>> passedThrough;
  // What the services were asked.
  HWND acceleratorWindow = nullptr;
  HACCEL accelerator = nullptr;
  int acceleratorCount = 0, translateMode = 0;
  std::vector<void*> freed, decoded;
  int released = 0;
} g_host;

int HOST_THISCALL dispatch(Service* self, int code, void* result, void** args, int count);
const Dispatch kVtable[] = {dispatch};
enum Kind { Manager, AppFactory, MemoryFactory, LoaderFactory, Application, Memory, Loader };
Service g_services[] = {{kVtable, Manager},       {kVtable, AppFactory},  {kVtable, MemoryFactory},
                        {kVtable, LoaderFactory}, {kVtable, Application}, {kVtable, Memory},
                        {kVtable, Loader}};

template <typename T>
T arg(void** args, int i) {
  return *static_cast<T*>(args[i]);
}

int HOST_THISCALL dispatch(Service* self, int code, void* result, void** args, int count) {
  switch (self->kind) {
    case Manager:
      if (code == 50 && count == 1) {
        const GUID* guid = arg<const GUID*>(args, 0);
        void* factory = IsEqualGUID(*guid, kApplicationGuid) ? &g_services[AppFactory]
                        : IsEqualGUID(*guid, kMemoryGuid)    ? &g_services[MemoryFactory]
                                                             : nullptr;
        *static_cast<void**>(result) = factory;
        return 1;
      }
      if (code == 30 && count == 1) {
        *static_cast<int*>(result) =
            arg<unsigned>(args, 0) == (('i' << 24) | ('m' << 16) | ('g' << 8) | 'l');
        return 1;
      }
      if (code == 40 && count == 2) {
        *static_cast<void**>(result) =
            arg<int>(args, 1) == 0 ? &g_services[LoaderFactory] : nullptr;
        return 1;
      }
      return 0;
    case AppFactory:
    case MemoryFactory:
    case LoaderFactory:
      if (code == 300) {
        *static_cast<void**>(result) = &g_services[self->kind == AppFactory      ? Application
                                                   : self->kind == MemoryFactory ? Memory
                                                                                 : Loader];
        return 1;
      }
      if (code == 310) {
        ++g_host.released;
        return 1;
      }
      return 0;
    case Application:
      if (code == 240 && count == 4) {
        g_host.acceleratorWindow = arg<HWND>(args, 0);
        g_host.accelerator = *arg<HACCEL*>(args, 1);
        g_host.acceleratorCount = arg<int>(args, 2);
        g_host.translateMode = arg<int>(args, 3);
        return 1;
      }
      return 0;
    case Memory:
      if (code == 10 && count == 1) {
        void* block = arg<void*>(args, 0);
        g_host.freed.push_back(block);
        std::free(block);
        return 1;
      }
      return 0;
    case Loader: {
      const auto* data = arg<const std::uint8_t*>(args, 0);
      const int size = arg<int>(args, 1);
      if (code == 200) {
        *static_cast<bool*>(result) = size > 8 && std::memcmp(data, "\x89PNG", 4) == 0;
        return 1;
      }
      if (code == 400 && count == 5) {
        auto image = lingvora::decodePng(lingvora::Bytes(data, data + size));
        if (!image) return 1;
        void* pixels = std::malloc(image->bgra.size());
        std::memcpy(pixels, image->bgra.data(), image->bgra.size());
        *arg<int*>(args, 2) = image->width;
        *arg<int*>(args, 3) = image->height;
        *static_cast<void**>(result) = pixels;
        g_host.decoded.push_back(pixels);
        return 1;
      }
      return 0;
    }
  }
  return 0;
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

LPARAM managerReply() { return reinterpret_cast<LPARAM>(&g_services[Manager]); }

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
  EXPECT_EQ(g_host.acceleratorWindow, g_host.main);
  EXPECT_EQ(g_host.acceleratorCount, 1);
  EXPECT_EQ(g_host.translateMode, 1);
  ACCEL accel{};
  ASSERT_EQ(CopyAcceleratorTableW(g_host.accelerator, &accel, 1), 1);
  EXPECT_EQ(accel.key, VK_F10);
  EXPECT_EQ(accel.cmd, kAllocatedCommand);
  EXPECT_TRUE(accel.fVirt & FVIRTKEY);
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

// Runs the About box and inspects it from another thread.
struct AboutSeen {
  std::wstring caption;
  bool header = false, text = false, link = false, found = false;
};

AboutSeen about(Record* record, UINT closeWith) {
  AboutSeen seen;
  std::thread inspector([&] {
    HWND box = nullptr;
    for (int i = 0; i < 400 && !box; ++i) {
      Sleep(25);
      HWND w = FindWindowW(L"#32770", nullptr);
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (w && pid == GetCurrentProcessId()) box = w;
    }
    if (!box) return;
    seen.found = true;
    seen.caption = windowText(box);
    seen.header = SendDlgItemMessageW(box, 1001, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    seen.text = SendDlgItemMessageW(box, 1002, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    wchar_t cls[32] = {};
    GetClassNameW(GetDlgItem(box, 40000), cls, 32);
    seen.link = std::wstring(cls) == L"SysLink";
    if (closeWith == WM_CLOSE)
      PostMessageW(box, WM_CLOSE, 0, 0);
    else
      PostMessageW(box, WM_COMMAND, closeWith, 0);
  });
  record->config();
  inspector.join();
  return seen;
}

TEST(HelpPlugin, AboutBoxWithBothPicturesClosesEveryWay) {
  LoadedPlugin p{managerReply()};
  ASSERT_TRUE(p.record);
  for (UINT close : {UINT(IDOK), UINT(IDCANCEL), UINT(WM_CLOSE)}) {
    AboutSeen seen = about(p.record, close);
    ASSERT_TRUE(seen.found) << close;
    EXPECT_EQ(seen.caption, L"Orva v4.0 - Informacje...");
    EXPECT_TRUE(seen.header);
    EXPECT_TRUE(seen.text);
    EXPECT_TRUE(seen.link);
  }
  // Every decoded picture went back to the player's memory manager.
  EXPECT_EQ(g_host.decoded.size(), 3u);
  EXPECT_EQ(g_host.freed, g_host.decoded);
  p.record->quit();
}

TEST(HelpPlugin, WithoutServiceManagerNoAcceleratorAndNoHeader) {
  for (LPARAM reply : {LPARAM(0), LPARAM(1)}) {
    LoadedPlugin p(reply);
    ASSERT_TRUE(p.record);
    EXPECT_EQ(GetMenuItemID(g_host.mainMenu, 3), kAllocatedCommand);  // the menus still work
    EXPECT_EQ(g_host.accelerator, nullptr);
    AboutSeen seen = about(p.record, IDOK);
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(seen.header);
    EXPECT_FALSE(seen.text);  // 0 wide without a header
    p.record->quit();
  }
}

}  // namespace
