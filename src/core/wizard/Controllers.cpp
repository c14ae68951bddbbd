#include "wizard/Controllers.h"

#include "config/Config.h"
#include "engine/Channel.h"
#include "pages/installer/Installer_Installation_Page.h"
#include "pages/language/Language_Dialog.h"
#include "pages/uninstaller/Uninstaller_Installation_Page.h"
#include "player/Probe.h"
#include "wizard/Installer.h"
#include "wizard/Uninstaller.h"

namespace lingvora {
namespace {

void readFooterCaptions(App& app) {
  WizardState& w = app.wizard();
  const Text section = app.installerMode() ? u"INSTALLER_BUTTONS" : u"UNINSTALLER_BUTTONS";
  const Text prefix = app.installerMode() ? u"INSTALLER_BUTTON_" : u"UNINSTALLER_BUTTON_";
  auto caption = [&](TextView name) {
    return expandPlaceholders(app, readText(app, section, prefix + Text(name)));
  };
  FooterCaptions& c = w.captions;
  c.back = caption(u"BACK");
  c.next = caption(u"NEXT");
  c.cancel = caption(u"CANCEL");
  c.finish = caption(u"FINISH");
  if (app.installerMode()) {
    c.agree = caption(u"AGREE");
    c.install = caption(u"INSTALL");
  } else {
    c.uninstall = caption(u"UNINSTALL");
  }
}

// Enter and the mnemonics reach a button whatever its state: a hidden or
// disabled button does nothing, so no page acts on what it held back.
bool actionable(const Control& button) { return button.visible && button.enabled; }

void connectFooter(App& app) {
  MainForm& f = app.form;
  f.Btn_GUI_Back.onClick = [&app] { backClick(app); };
  f.Btn_GUI_Next.onClick = [&app] { nextClick(app); };
  f.Btn_GUI_Cancel.onClick = [&app] { cancelClick(app); };
}

void startWizard(App& app) {
  WizardState& w = app.wizard();
  w.pendingExitCode = 0;
  w.pageIndex = 0;
  w.programDirectory = app.platform.system.executableDirectory();
  loadConfiguration(app);
  connectFooter(app);
}

// The uninstaller cannot go on without the pack's own installation.
[[noreturn]] void packNotFound(App& app) {
  WizardState& w = app.state.uninstaller;
  w.pendingExitCode = 5;
  auto init = [&](int n) {
    return readText(app, u"UNINSTALLER_INIT", u"UNINSTALLER_INIT_" + decimal(n));
  };
  const Text brk(kBreak);
  app.fatal(5, init(1),
            init(2) + u" " + init(10) + brk + brk + init(11) + brk + w.packInstallLocation + brk +
                brk + expandPlaceholders(app, init(9)) + brk + brk + w.values.projectHomePage);
}

}  // namespace

void createInstallerDialog(App& app) {
  app.setProgressPage(LaunchMode::Installer, installationProgressPage(app));
  startWizard(app);
  // The startup probe: it fills the record when a player is found; its
  // verdict is not used here.
  checkPlayerDirectory(app, u"", true);
  readFooterCaptions(app);
  resetInstallerPages(app);
  installerPage(0).show(app);
}

void createUninstallerDialog(App& app) {
  app.setProgressPage(LaunchMode::Uninstaller, uninstallationProgressPage(app));
  startWizard(app);
  readFooterCaptions(app);
  if (!probeInstalledPack(app, app.state.uninstaller.values.projectRegName)) packNotFound(app);
  resetUninstallerPages(app);
  uninstallerPage(0).show(app);
}

void createLanguageDialog(App& app) {
  buildLanguageDialog(app);
  // Both buttons end the dialog through the close request, which ends the
  // process with the language result.
  MainForm& f = app.form;
  f.Btn_Lang_OK.onClick = [&app] {
    chooseLanguage(app);
    requestClose(app);
  };
  f.Btn_Lang_Cancel.onClick = [&app] {
    cancelLanguage(app);
    requestClose(app);
  };
}

bool formCloseQuery(App& app) {
  if (app.state.languageSelection) {
    app.exitCode = app.state.languageResult;
    return true;
  }
  WizardState& w = app.wizard();
  bool canClose = false;
  if (w.closeAllowed) {
    const Text section = app.installerMode() ? u"INSTALLER" : u"UNINSTALLER";
    const Text caption =
        expandPlaceholders(app, readText(app, section, section + u"_WINDOW_TITLE"));
    const Text text = expandPlaceholders(app, readText(app, section, section + u"_WINDOW_QUIT"));
    canClose = app.platform.dialogs.messageBox(true, caption, text, MessageIcon::Warning,
                                               MessageButtons::YesNo) == MessageAnswer::Yes;
  }
  app.exitCode = w.pendingExitCode;
  return canClose;
}

void requestClose(App& app) {
  if (formCloseQuery(app)) app.closing = true;
}

void backClick(App& app) {
  if (!actionable(app.form.Btn_GUI_Back)) return;
  if (app.installerMode())
    installerBack(app);
  else
    uninstallerBack(app);
}

void nextClick(App& app) {
  if (!actionable(app.form.Btn_GUI_Next)) return;
  if (app.installerMode())
    installerNext(app);
  else
    uninstallerNext(app);
}

void cancelClick(App& app) {
  if (!actionable(app.form.Btn_GUI_Cancel)) return;
  if (app.installerMode())
    installerCancel(app);
  else
    uninstallerCancel(app);
}

}  // namespace lingvora
