#pragma once
// Drives a real GUI.exe from outside, as a user or an engine would: start it
// in a pack directory, find its windows, read and press controls, answer
// message boxes, wait for its exit code, save screenshots.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

struct ChildWindow {
  HWND hwnd;
  std::wstring name;  // the control's name in the form model, if it has one
  std::wstring cls, text;
  bool visible, enabled;
  RECT rect;  // in screen coordinates
};

// A Unix path as Wine sees it (drive Z:).
std::wstring windowsPath(const std::string& unixPath);
std::string env(const char* name);
// Runs a program to its end; its exit code, or STILL_ACTIVE on a time-out.
DWORD run(const std::wstring& commandLine, DWORD timeoutMs = 30000);

// A fresh pack directory: GUI.exe and the named files of the example pack.
class PackDir {
 public:
  // guiExe: the program to place as GUI.exe (a Unix path); the built one by default.
  PackDir(const std::string& name, const std::vector<std::wstring>& exampleFiles,
          const std::string& guiExe = env("LINGVORA_GUI_EXE"));
  const std::wstring& path() const { return path_; }
  std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }
  void write(const std::wstring& name, const std::string& bytes) const;
  std::string read(const std::wstring& name) const;

 private:
  std::wstring path_;
};

// A pack directory that exists already (Windows path).
struct ExistingDir {
  std::wstring path;
  explicit ExistingDir(std::wstring p) : path(std::move(p)) {}
};

class Gui {
 public:
  Gui(const PackDir& pack, const std::wstring& arguments)
      : Gui(ExistingDir(pack.path()), arguments) {}
  Gui(const ExistingDir& pack, const std::wstring& arguments);
  ~Gui();
  Gui(const Gui&) = delete;
  Gui& operator=(const Gui&) = delete;

  DWORD pid() const { return info_.dwProcessId; }
  // The visible top-level window of the process with that class, or null.
  HWND waitWindow(const wchar_t* cls, DWORD timeoutMs = 15000) const;
  HWND waitMainWindow(DWORD timeoutMs = 15000) const { return waitWindow(L"TORVA_GUI", timeoutMs); }
  HWND waitMessageBox(DWORD timeoutMs = 15000) const { return waitWindow(L"#32770", timeoutMs); }
  // Exit code, or STILL_ACTIVE when the process did not end in time.
  DWORD waitExit(DWORD timeoutMs = 15000) const;

 private:
  PROCESS_INFORMATION info_{};
};

// Polls the condition until it holds; false when it did not in time.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 15000);

// The stand-in engine (LINGVORA_ENGINE_EXE), started on the pack as the
// real engine starts: it starts GUI.exe and returns its exit code. Ends
// both, should the test end first.
class Engine {
 public:
  Engine(const PackDir& pack, const std::wstring& options);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;
  // Exit code, or STILL_ACTIVE when the engine did not end in time.
  DWORD waitExit(DWORD timeoutMs = 15000) const;

 private:
  PROCESS_INFORMATION info_{};
};

std::wstring windowText(HWND w);
std::wstring messageBoxText(HWND box);
// Presses a message box button by its command id (IDOK, IDYES, IDNO).
void answer(HWND box, int id);
std::vector<ChildWindow> children(HWND parent);
// The child window of that control name, or a window with null hwnd.
ChildWindow control(HWND main, const std::wstring& name);
void click(HWND button);
void pressKey(HWND window, UINT key);
// From the installer's progress page, finished, over the Donation countdown
// to Finish, where the player's start is unticked, and Finish pressed: the
// next test copies the player anew.
bool finishWithoutStartingThePlayer(HWND main);
// Saves what the window shows as a PNG file.
bool screenshot(HWND window, const std::string& unixPath);
bool screenshotTo(HWND window, const std::wstring& windowsPath);

}  // namespace driver
