#pragma once
// The program's hub: the ports, the process state, the form model and the
// styles, which every folder of the core reads. The main window's handlers
// live at the top (app/MainWindow.h).
#include <functional>
#include <memory>
#include <vector>

#include "appearance/Theme.h"
#include "platform/Platform.h"
#include "state/ProcessState.h"
#include "state/ProgressPage.h"
#include "ui/MainForm.h"

namespace lingvora {

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

  bool closing = false;
  int exitCode = 0;
  // Told of every key read from the localized text file and from the
  // language list (whose sections are language numbers), so that a test can
  // hold them against the pack lint's table of keys.
  std::function<void(TextView section, TextView key)> onTextRead;

  int scale(int length) const;
  int density() const { return density_; }
  bool installerMode() const { return state.launchMode == LaunchMode::Installer; }
  WizardState& wizard() { return installerMode() ? state.installer : state.uninstaller; }
  // The progress page of the current mode, which engine messages drive;
  // none until the mode's wizard has plugged one in.
  ProgressPage* progressPage();
  void setProgressPage(LaunchMode mode, std::unique_ptr<ProgressPage> page);

  // Shows one error box and ends the process at once with the code.
  [[noreturn]] void fatal(int code, const Text& caption, const Text& text,
                          bool ownedByMainWindow = true);

 private:
  int density_;
  std::unique_ptr<ProgressPage> installerProgress_, uninstallerProgress_;
};

// Length designed at 96 dots per inch, at the given density (MulDiv rounding).
int scaleLength(int length, int density);

}  // namespace lingvora
