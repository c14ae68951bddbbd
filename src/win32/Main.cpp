// GUI.exe: the main window TORVA_GUI, the message loop, and the boundary
// that keeps exceptions out of window procedures.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <exception>
#include <memory>

#include "Fonts.h"
#include "Handles.h"
#include "Parent.h"
#include "Ports.h"
#include "Processes.h"
#include "Renderer.h"
#include "app/MainWindow.h"
#include "engine/Channel.h"
#include "wizard/Controllers.h"

using namespace lingvora;
using namespace lingvora::win32;

namespace {

constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

struct Program {
  Win32Files files;
  Win32Registry registry;
  Win32System system{kWindowStyle, kWindowExStyle};
  Win32Dialogs dialogs;
  Win32ImageLibrary images;
  Win32Locale locale;
  Win32Shell shell;
  Win32VersionResources versions;
  Win32Measure measure;
  Win32Processes processes;
  Platform platform{files,  registry, system,   dialogs, images,
                    locale, shell,    versions, measure, processes};
  std::unique_ptr<App> app;
  std::unique_ptr<Renderer> renderer;
  HWND main = nullptr;
};

Program* g_program = nullptr;

#ifdef LINGVORA_TIMING
// Bench builds only: how long each event takes from its arrival until the
// window has nothing left to handle or paint, one line per event appended
// to the file that LINGVORA_TIMING_FILE names.
class EventClock {
 public:
  void start(const char* what) {
    if (started_ >= 0) return;
    started_ = now();
    what_ = what;
  }
  void idle() {
    if (started_ < 0 || GetQueueStatus(QS_ALLINPUT) != 0) return;
    wchar_t path[MAX_PATH];
    if (GetEnvironmentVariableW(L"LINGVORA_TIMING_FILE", path, MAX_PATH))
      if (FILE* f = _wfopen(path, L"a")) {
        std::fprintf(f, "%s %.3f\n", what_, now() - started_);
        std::fclose(f);
      }
    started_ = -1;
  }

 private:
  static double now() {
    LARGE_INTEGER frequency, t;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
  }
  double started_ = -1;
  const char* what_ = "";
} g_clock;
void startClock(const char* what) { g_clock.start(what); }
void clockIdle() { g_clock.idle(); }
#else
void startClock(const char*) {}
void clockIdle() {}
#endif

// Every entry into the core: an exit request ends the process at once; any
// other error is shown as the application's error box and the window stays.
template <typename F>
void guarded(F&& f) {
  Program& s = *g_program;
  startClock("event");
  try {
    f();
  } catch (const ProcessExit& e) {
    ExitProcess(UINT(e.code));
  } catch (const std::exception& e) {
    // The application's error box, in the program's theme like every other box.
    s.dialogs.messageBox(true, s.app->state.applicationTitle, fromUtf8(e.what()),
                         MessageIcon::Error, MessageButtons::Ok);
  }
  if (s.renderer) {
    if (s.app->closing) {
      DestroyWindow(s.main);
      return;
    }
    s.renderer->sync();
  }
}

LRESULT CALLBACK mainProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  Program* s = g_program;
  if (!s || !s->renderer) return DefWindowProcW(w, msg, wp, lp);
  if (LRESULT result = 0; s->renderer->handle(msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_COPYDATA: {
      // The engine's progress messages; the answer is always 0.
      const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
      startClock("message");
      if (cds)
        guarded([&] {
          receiveEngineMessage(*s->app, cds->dwData, static_cast<const std::uint8_t*>(cds->lpData),
                               cds->cbData);
        });
      return 0;
    }
    case WM_CLOSE: {
      bool close = false;
      guarded([&] { close = formCloseQuery(*s->app); });
      if (close && IsWindow(w)) DestroyWindow(w);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(s->app->exitCode);
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

std::vector<Text> arguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<Text> args;
  for (int i = 1; argv && i < count; ++i) args.push_back(text(argv[i]));
  if (argv) LocalFree(argv);
  return args;
}

// A combo box of ours showing its list: while it is dropped down the keys
// go to it, and it keeps the focus.
bool droppedDown(HWND window) {
  wchar_t cls[16] = {};
  GetClassNameW(window, cls, 16);
  return lstrcmpiW(cls, WC_COMBOBOXW) == 0 && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0);
}

// Keys reach the window before the focused control.
bool preview(Program& s, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.hwnd != s.main && !IsChild(s.main, msg.hwnd))) return false;
  bool used = false;
  const bool dropped = droppedDown(msg.hwnd);
  guarded([&] { used = formKeyDown(*s.app, int(msg.wParam), dropped); });
  return used;
}

void dispatch(Program& program, MSG& msg) {
  if (preview(program, msg)) return;
  if (IsWindow(program.main) && IsDialogMessageW(program.main, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  static Program program;
  g_program = &program;
  program.app = std::make_unique<App>(program.platform);
  program.dialogs.styles = &program.app->styles;

  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = mainProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  cls.lpszClassName = kMainClass;
  RegisterClassExW(&cls);
  Renderer::registerClasses(instance);

  program.main =
      CreateWindowExW(kWindowExStyle, kMainClass, L"Lingvora", kWindowStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
  if (!program.main) return 1;
  program.dialogs.mainWindow = program.main;

  try {
    formCreate(*program.app, arguments());
  } catch (const ProcessExit& e) {
    ExitProcess(UINT(e.code));
  }
  program.renderer = std::make_unique<Renderer>(
      *program.app, program.main, [](const std::function<void()>& handler) { guarded(handler); });
  guarded([] {});  // first layout and sync
  if (!IsWindow(program.main)) return program.app->exitCode;
  ShowWindow(program.main, SW_SHOW);
  UpdateWindow(program.main);
  guarded([] { formShow(*g_program->app); });

  // Messages, and the end of the engine that started the wizard.
  UniqueHandle engine = openParentProcess();
  bool ahead = true;  // windows of later pages still to make while idle
  for (;;) {
    HANDLE watched = engine.get();
    const DWORD woke =
        MsgWaitForMultipleObjectsEx(watched ? 1 : 0, watched ? &watched : nullptr,
                                    ahead ? 0 : INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_TIMEOUT) {
      ahead = program.renderer->prepareAhead(8);
      continue;
    }
    if (watched && woke == WAIT_OBJECT_0) {
      engine.reset();
      guarded([] { engineEnded(*g_program->app); });
      continue;
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return program.app->exitCode;
      dispatch(program, msg);
    }
    clockIdle();
  }
}
