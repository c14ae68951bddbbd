#include "app/App.h"

#include "config/Config.h"
#include "engine/Channel.h"
#include "wizard/Controllers.h"

namespace lingvora {

int scaleLength(int length, int density) {
  if (density == 96) return length;
  // MulDiv: exact product, halves rounded away from zero.
  const long long p = static_cast<long long>(length) * density;
  const long long q = p >= 0 ? (p + 48) / 96 : -((-p + 48) / 96);
  return static_cast<int>(q);
}

App::App(Platform& p)
    : platform(p),
      density_(p.system.screenDensity()),
      installerProgress_(std::make_unique<ProgressBarOnly>(state.installer)),
      uninstallerProgress_(std::make_unique<ProgressBarOnly>(state.uninstaller)) {
  state.applicationTitle = u"Lingvora";
  registerBuiltInStyles(styles, platform.system);
}

App::~App() = default;

ProgressPage& App::progressPage() {
  return installerMode() ? *installerProgress_ : *uninstallerProgress_;
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

void App::formCreate(const std::vector<Text>& arguments) {
  const Text kErrorTitle = u"LINGVORA INSTALLER ERROR!";
  if (arguments.empty())
    fatal(1, state.applicationTitle, kErrorTitle + Text(kBreak) + u"NO PARAMETERS PASSED!", false);

  Text action, language;
  for (const Text& argument : arguments) {
    if (upper(argument).find(u"/ACTION=") != Text::npos) {
      action = replaceAllNoCase(argument, u"/ACTION=", u"");
      if (action == u"0") state.launchMode = LaunchMode::Installer;
      if (action == u"1") state.launchMode = LaunchMode::Uninstaller;
    }
    if (upper(argument).find(u"/LANG=") != Text::npos) {
      language = replaceAllNoCase(argument, u"/LANG=", u"");
      state.installer.programDirectory = platform.system.executableDirectory();
      state.languageListPath = joinPath(state.installer.programDirectory, language);
      state.languageSelection = platform.files.fileExists(state.languageListPath);
    }
  }

  if (state.languageSelection) {
    state.applicationTitle = u"Lingvora";
    createLanguageDialog(*this);
    return;
  }
  if (action.empty())
    fatal(2, state.applicationTitle, kErrorTitle + Text(kBreak) + u"INVALID PARAMETERS PASSED!",
          false);
  startWizard();
}

void App::startWizard() {
  form.minHeight = form.height = scale(437);
  form.minWidth = form.width = scale(544);
  const ClientSize client = platform.system.clientSize(form.width, form.height);
  form.P_Lang.hide();
  form.P_GUI.dock(Align::Client).show();
  const bool installer = installerMode();
  form.P_GUI_Uninstaller.visible = !installer;
  form.P_GUI_Installer.visible = installer;
  (installer ? form.P_GUI_Installer : form.P_GUI_Uninstaller).dock(Align::Client);
  state.applicationTitle = installer ? u"Lingvora Installer" : u"Lingvora Uninstaller";
  form.caption = state.applicationTitle;
  form.layoutClient(client.width, client.height);
  if (installer)
    createInstallerDialog(*this);
  else
    createUninstallerDialog(*this);
}

void App::formShow() {
  // The language dialog fills itself for the preselected language when it
  // first shows; the wizards have nothing to do here.
}

bool App::formKeyDown(int key) {
  if (state.languageSelection) return false;
  if (key == kKeyEscape) {
    requestClose();
    return true;
  }
  return false;
}

bool App::formCloseQuery() {
  if (state.languageSelection) {
    exitCode = state.languageResult;
    return true;
  }
  WizardState& w = wizard();
  const bool installer = installerMode();
  bool canClose = false;
  if (w.closeAllowed) {
    const Text section = installer ? u"INSTALLER" : u"UNINSTALLER";
    const Text caption =
        expandPlaceholders(*this, readText(*this, section, section + u"_WINDOW_TITLE"));
    const Text text =
        expandPlaceholders(*this, readText(*this, section, section + u"_WINDOW_QUIT"));
    canClose = platform.dialogs.messageBox(true, caption, text, MessageIcon::Warning,
                                           MessageButtons::YesNo) == MessageAnswer::Yes;
  }
  exitCode = w.pendingExitCode;
  return canClose;
}

void App::requestClose() {
  if (formCloseQuery()) closing = true;
}

}  // namespace lingvora
