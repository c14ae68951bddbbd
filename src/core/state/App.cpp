#include "state/App.h"

namespace lingvora {

int scaleLength(int length, int density) {
  if (density == 96) return length;
  // MulDiv: exact product, halves rounded away from zero.
  const long long p = static_cast<long long>(length) * density;
  const long long q = p >= 0 ? (p + 48) / 96 : -((-p + 48) / 96);
  return static_cast<int>(q);
}

App::App(Platform& p) : platform(p), density_(p.system.screenDensity()) {
  state.applicationTitle = u"Lingvora";
  form.measure = &platform.measure;
  registerBuiltInStyles(styles, platform.system);
}

App::~App() = default;

ProgressPage* App::progressPage() {
  return (installerMode() ? installerProgress_ : uninstallerProgress_).get();
}

void App::setProgressPage(LaunchMode mode, std::unique_ptr<ProgressPage> page) {
  (mode == LaunchMode::Installer ? installerProgress_ : uninstallerProgress_) = std::move(page);
}

int App::scale(int length) const { return scaleLength(length, density_); }

void App::fatal(int code, const Text& caption, const Text& text, bool ownedByMainWindow) {
  platform.dialogs.messageBox(ownedByMainWindow, caption, text, MessageIcon::Error,
                              MessageButtons::Ok);
  throw ProcessExit{code};
}

}  // namespace lingvora
