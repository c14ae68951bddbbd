#include "wizard/Controllers.h"

#include <algorithm>

#include "config/Config.h"
#include "player/Probe.h"
#include "wizard/Installer.h"

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

void layoutFooter(App& app) {
  MainForm& f = app.form;
  const bool dark = app.wizard().dark;
  const FooterCaptions& c = app.wizard().captions;
  Control& footer = f.P_GUI_Footer;
  footer.background = kButtonFaceColor;
  footer.dock(Align::Bottom, app.scale(46));
  f.B_GUI_Footer.bevelShape = dark ? BevelShape::BottomLine : BevelShape::TopLine;
  f.B_GUI_Footer.dock(Align::Top, 1);

  const int buttonWidth = app.scale(75), buttonHeight = app.scale(25);
  // The footer spans the wizard's width; its height is fixed above.
  const int clientWidth = f.P_GUI.bounds.width;
  const int top = footer.bounds.height / 2 - buttonHeight / 2;
  Rect cancel{clientWidth - app.scale(10) - buttonWidth, top, buttonWidth, buttonHeight};
  Rect next{cancel.left - app.scale(10) - buttonWidth, top, buttonWidth, buttonHeight};
  Rect back{next.left - app.scale(1) - buttonWidth, top, buttonWidth, buttonHeight};
  // The label ends short of where Back stood before; the first time, Back
  // stands where this layout puts it.
  const bool placedBefore = f.Btn_GUI_Back.bounds.width > 0;
  const int oldBackLeft = placedBefore ? f.Btn_GUI_Back.bounds.left : back.left;

  Control& brand = f.Lbl_GUI_BrandingText;
  brand.fontColorFromStyle = !dark;
  brand.fontColor = kBrandingText;
  brand.font.points = 8;
  brand.transparent = true;
  brand.wordWrap = true;
  const int brandLeft = app.scale(10);
  brand.bounds = {brandLeft, app.scale(8), std::max(0, oldBackLeft - app.scale(20) - brandLeft),
                  app.scale(30)};
  brand.caption.clear();
  brand.hide();

  f.Btn_GUI_Cancel.bounds = cancel;
  f.Btn_GUI_Next.bounds = next;
  f.Btn_GUI_Back.bounds = back;
  f.Btn_GUI_Cancel.caption = c.cancel;
  f.Btn_GUI_Next.caption = c.next;
  f.Btn_GUI_Back.caption = c.back;
  for (Control* b : {&f.Btn_GUI_Back, &f.Btn_GUI_Next, &f.Btn_GUI_Cancel}) b->show();
  footer.show();
}

void createInstallerDialog(App& app) {
  startWizard(app);
  // The startup probe: it fills the record when a player is found; its
  // verdict is not used here.
  checkPlayerDirectory(app, u"", true);
  readFooterCaptions(app);
  resetInstallerPages(app);
  installerPage(0).show(app);
}

void createUninstallerDialog(App& app) {
  startWizard(app);
  readFooterCaptions(app);
  if (!probeInstalledPack(app, app.state.uninstaller.values.projectRegName)) packNotFound(app);
  layoutFooter(app);
}

void createLanguageDialog(App& app) {
  // The dialog's own content comes with the language selection; until then
  // the window shows its empty panel and closes with the language result.
  app.state.languageResult = 1;
  app.form.P_GUI.hide();
  app.form.P_Lang.dock(Align::Client).show();
}

void backClick(App& app) {
  if (app.installerMode()) installerBack(app);
}

void nextClick(App& app) {
  if (app.installerMode()) installerNext(app);
}

void cancelClick(App& app) {
  if (app.installerMode()) {
    installerCancel(app);
    return;
  }
  app.wizard().closeAllowed = true;
  app.requestClose();
}

}  // namespace lingvora
