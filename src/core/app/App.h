#pragma once
// The main window's behaviour: program start, the launch modes, key handling
// and the close request, over the ports and the form model.
#include <functional>
#include <memory>
#include <vector>

#include "app/ProcessState.h"
#include "appearance/Theme.h"
#include "platform/Platform.h"
#include "ui/MainForm.h"

namespace lingvora {

struct ProgressPage;
class App;

// Where the running-process check plugs in (installer page 4, uninstaller
// page 2): whether a player runs, and whether every listed process ended.
struct ProcessChecks {
  std::function<bool(App&)> findRunningPlayer = [](App&) { return false; };
  std::function<bool(App&)> endListedProcesses = [](App&) { return true; };
};

// "End the process at once with this code": thrown by the core, caught at
// the edge (the shell calls ExitProcess, the tests look at the code).
struct ProcessExit {
  int code;
};

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

class App {
 public:
  explicit App(Platform& platform);
  ~App();

  Platform& platform;
  ProcessState state;
  MainForm form;
  StyleManager styles;
  ProcessChecks processChecks;

  // Runs once when the main window is created: argument analysis and mode start.
  void formCreate(const std::vector<Text>& arguments);
  void formShow();
  // True when the key was used and must not reach the focused control.
  bool formKeyDown(int key);
  // True when the window may close; sets the exit code in every case.
  bool formCloseQuery();
  // A close request from inside (Escape, Cancel): asks formCloseQuery and,
  // when it allows, marks the window to be closed by the shell.
  void requestClose();

  bool closing = false;
  int exitCode = 0;

  int scale(int length) const;
  int density() const { return density_; }
  bool installerMode() const { return state.launchMode == LaunchMode::Installer; }
  WizardState& wizard() { return installerMode() ? state.installer : state.uninstaller; }
  // The progress page of the current mode, which engine messages drive.
  ProgressPage& progressPage();
  void setProgressPage(LaunchMode mode, std::unique_ptr<ProgressPage> page);

  // Shows one error box and ends the process at once with the code.
  [[noreturn]] void fatal(int code, const Text& caption, const Text& text,
                          bool ownedByMainWindow = true);

 private:
  void startWizard();
  int density_;
  std::unique_ptr<ProgressPage> installerProgress_, uninstallerProgress_;
};

// Length designed at 96 dots per inch, at the given density (MulDiv rounding).
int scaleLength(int length, int density);

}  // namespace lingvora
