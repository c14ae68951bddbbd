#include "wizard/Installer.h"

#include "config/Config.h"
#include "images/Pictures.h"
#include "pages/installer/Installer_License_Page.h"
#include "pages/installer/Installer_Welcome_Page.h"
#include "wizard/Controllers.h"

namespace lingvora {
namespace {

Control& pagePanel(App& app, int index) {
  MainForm& f = app.form;
  Control* panels[kInstallerPages] = {
      &f.P_Installer_WelcomePage,        &f.P_Installer_LicensePage,
      &f.P_Installer_ComponentsPage,     &f.P_Installer_DirectoryPage,
      &f.P_Installer_ProcessMonitorPage, &f.P_Installer_InstallationPage,
      &f.P_Installer_DonationPage,       &f.P_Installer_FinishPage};
  return *panels[index];
}

bool isHeaderPage(int index) { return index >= 1 && index <= 5; }

// A page whose own content comes later: its panel, empty, and its footer.
template <int Index>
void showPlaceholder(App& app) {
  app.state.installer.pageIndex = Index;
  setInstallerCaption(app);
  if (isHeaderPage(Index)) {
    showInstallerPageHeader(app, u"", u"");
    fillBrandingLabel(app);
    app.form.P_Installer_DefaultPage.dock(Align::Client).show();
  }
  pagePanel(app, Index).dock(Align::Client).show();
  applyInstallerFooter(app, Index);
}

const InstallerPage kPages[kInstallerPages] = {
    {showWelcomePage, nullptr},    {showLicensePage, nullptr},    {showPlaceholder<2>, nullptr},
    {showPlaceholder<3>, nullptr}, {showPlaceholder<4>, nullptr}, {showPlaceholder<5>, nullptr},
    {showPlaceholder<6>, nullptr}, {showPlaceholder<7>, nullptr}};

void open(App& app, int index) {
  resetInstallerPages(app);
  installerPage(index).show(app);
}

void leave(App& app, int index) {
  if (auto f = installerPage(index).leave) f(app);
}

// A listed player process could not be ended: the user is told, and the
// installer ends, since it must not write into a running player.
[[noreturn]] void blockedProcessesStop(App& app) {
  WizardState& w = app.state.installer;
  w.pendingExitCode = 5;
  auto msg = [&](int n) {
    return expandPlaceholders(app,
                              readText(app, u"INSTALLER_PROCESS_MONITOR_PAGE",
                                       u"INSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_" + decimal(n)));
  };
  const Text brk(kBreak);
  app.fatal(5, app.form.caption,
            msg(1) + brk + brk + msg(2) + brk + brk + msg(3) + u" " + w.record.InstallDir + brk +
                brk + msg(4));
}

}  // namespace

const InstallerPage& installerPage(int index) { return kPages[index]; }

void setInstallerCaption(App& app) {
  app.form.caption =
      expandPlaceholders(app, readText(app, u"INSTALLER", u"INSTALLER_WINDOW_TITLE"));
}

void resetInstallerPages(App& app) {
  MainForm& f = app.form;
  f.P_Installer_DefaultPage.hide();
  for (int i = 0; i < kInstallerPages; ++i) pagePanel(app, i).hide();
  layoutFooter(app);
}

void showInstallerPageHeader(App& app, const Text& title, const Text& subtitle) {
  MainForm& f = app.form;
  const WizardState& w = app.state.installer;
  const bool dark = w.dark;
  Control& band = f.P_Installer_DefaultHeader;
  band.background = dark ? kDefaultColor : Color(0xFFFFFF);
  band.dock(Align::Top, app.scale(60)).show();

  Control& bevel = f.B_Installer_DefaultHeader;
  bevel.bevelShape = dark ? BevelShape::BottomLine : BevelShape::TopLine;
  bevel.dock(Align::Bottom, 1).show();

  Control& picture = f.Img_Installer_DefaultHeader;
  picture.picture.reset();
  loadPicture(app.platform.images, w.libraryPath,
              pictureName::header(w.values.mode, densityBucket(app.density())), picture);
  picture
      .dock(Align::Left, picture.picture ? picture.picture->width : 0,
            {app.scale(10), app.scale(5), 0, 0})
      .show();

  Control& text = f.P_Installer_DefaultHeader_Text;
  text.background = dark ? kDefaultColor : Color(0xFFFFFF);
  text.dock(Align::Client).show();

  Control& t = f.Lbl_Installer_DefaultHeader_Title;
  t.caption = title;
  t.font = {u"Tahoma", 8, true, false};
  t.transparent = t.wordWrap = true;
  // Eight points of text, at the screen's density.
  t.dock(Align::Top, app.scale(14), {app.scale(10), app.scale(12), app.scale(15), app.scale(1)})
      .show();

  Control& s = f.Lbl_Installer_DefaultHeader_SubTitle;
  s.caption = subtitle;
  s.font = {u"Tahoma", 8, false, false};
  s.fontColorFromStyle = !dark;
  s.fontColor = dark ? kSecondaryText : kDefaultColor;
  s.transparent = s.wordWrap = true;
  s.dock(Align::Client, -1, {app.scale(10), app.scale(1), app.scale(15), app.scale(5)}).show();
}

void applyInstallerFooter(App& app, int page) {
  MainForm& f = app.form;
  const FooterCaptions& c = app.state.installer.captions;
  Control &back = f.Btn_GUI_Back, &next = f.Btn_GUI_Next, &cancel = f.Btn_GUI_Cancel;
  auto set = [](Control& b, bool visible, bool enabled, const Text& caption) {
    b.visible = visible;
    b.enabled = enabled;
    b.caption = caption;
  };
  switch (page) {
    case 0:
      set(back, false, true, c.back), set(next, true, true, c.next),
          set(cancel, true, true, c.cancel);
      break;
    case 1:
      set(back, true, true, c.back), set(next, true, true, c.agree),
          set(cancel, true, true, c.cancel);
      break;
    case 2:
      set(back, true, true, c.back), set(next, true, true, c.next),
          set(cancel, true, true, c.cancel);
      break;
    case 3:
      // Next is enabled only when the directory check allows installing.
      set(back, true, true, c.back), set(next, true, true, c.install),
          set(cancel, true, true, c.cancel);
      break;
    case 4:
      back.enabled = false;
      next.caption =
          expandPlaceholders(app, readText(app, u"INSTALLER_PROCESS_MONITOR_PAGE",
                                           u"INSTALLER_PROCESS_MONITOR_PAGE_TEXT_BUTTON"));
      break;
    case 5:  // while the engine works
      set(back, false, false, back.caption), set(next, true, false, c.next);
      set(cancel, true, false, c.cancel);
      break;
    case 6:
      set(back, false, false, back.caption), set(next, true, true, c.next);
      set(cancel, true, false, c.cancel);
      break;
    case 7:
      set(back, false, false, back.caption), set(next, true, true, c.finish);
      set(cancel, true, false, c.cancel);
      break;
  }
}

void installerBack(App& app) {
  const int page = app.state.installer.pageIndex;
  if (page >= 1 && page <= 3) open(app, page - 1);
}

void installerNext(App& app) {
  WizardState& w = app.state.installer;
  const int page = w.pageIndex;
  switch (page) {
    case 0:
    case 1:
    case 2:
      leave(app, page);
      open(app, page + 1);
      break;
    case 3:
      leave(app, 3);
      if (!w.monitorShown) {
        w.monitorShown = true;
        if (app.processChecks.findRunningPlayer(app)) {
          open(app, 4);
          break;
        }
      }
      open(app, 5);
      break;
    case 4:
      if (!app.processChecks.endListedProcesses(app)) blockedProcessesStop(app);
      open(app, 5);
      break;
    case 5:
      if (w.failed) {
        app.exitCode = 0;
        app.closing = true;  // ends without a question
        break;
      }
      open(app, 6);
      break;
    case 6:
      open(app, 7);
      break;
    case 7:
      // Finishing actions come with the Finish page; the wizard ends here.
      app.exitCode = w.pendingExitCode;
      app.closing = true;
      break;
  }
}

void installerCancel(App& app) {
  app.state.installer.closeAllowed = true;
  app.requestClose();
}

}  // namespace lingvora
