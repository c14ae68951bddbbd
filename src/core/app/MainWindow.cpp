#include "app/MainWindow.h"

#include "config/Config.h"
#include "pages/language/Language_Dialog.h"
#include "wizard/Controllers.h"

namespace lingvora {
namespace {

void startWizard(App& app) {
  MainForm& form = app.form;
  form.minHeight = form.height = app.scale(437);
  form.minWidth = form.width = app.scale(544);
  const ClientSize client = app.platform.system.clientSize(form.width, form.height);
  form.P_Lang.hide();
  form.P_GUI.dock(Align::Client).show();
  const bool installer = app.installerMode();
  form.P_GUI_Uninstaller.visible = !installer;
  form.P_GUI_Installer.visible = installer;
  (installer ? form.P_GUI_Installer : form.P_GUI_Uninstaller).dock(Align::Client);
  app.state.applicationTitle = installer ? u"Lingvora Installer" : u"Lingvora Uninstaller";
  form.caption = app.state.applicationTitle;
  form.layoutClient(client.width, client.height);
  if (installer)
    createInstallerDialog(app);
  else
    createUninstallerDialog(app);
}

}  // namespace

void formCreate(App& app, const std::vector<Text>& arguments) {
  ProcessState& state = app.state;
  Platform& platform = app.platform;
  const Text kErrorTitle = u"LINGVORA INSTALLER ERROR!";
  if (arguments.empty())
    app.fatal(1, state.applicationTitle, kErrorTitle + Text(kBreak) + u"NO PARAMETERS PASSED!",
              false);

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
    createLanguageDialog(app);
    return;
  }
  if (action.empty())
    app.fatal(2, state.applicationTitle, kErrorTitle + Text(kBreak) + u"INVALID PARAMETERS PASSED!",
              false);
  startWizard(app);
}

void formShow(App& app) {
  // The language dialog fills itself for the preselected language; the
  // wizards have nothing to do here.
  if (app.state.languageSelection) languagesClick(app);
}

bool formKeyDown(App& app, int key, bool listDroppedDown) {
  // An open drop-down list takes Enter (the highlighted entry) and Escape
  // (it closes), as in any dialog.
  if (listDroppedDown) return false;
  if (app.state.languageSelection) {
    MainForm& f = app.form;
    Control* button = key == kKeyEnter    ? &f.Btn_Lang_OK
                      : key == kKeyEscape ? &f.Btn_Lang_Cancel
                                          : nullptr;
    if (!button) return false;
    userClick(*button);
    return true;
  }
  if (key == kKeyEscape) {
    requestClose(app);
    return true;
  }
  return false;
}

}  // namespace lingvora
