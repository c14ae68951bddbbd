#include "wizard/Installer.h"

#include "config/Config.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"
#include "pages/installer/Installer_Components_Page.h"
#include "pages/installer/Installer_Directory_Page.h"
#include "pages/installer/Installer_Donation_Page.h"
#include "pages/installer/Installer_Finish_Page.h"
#include "pages/installer/Installer_Installation_Page.h"
#include "pages/installer/Installer_License_Page.h"
#include "pages/installer/Installer_ProcessMonitor_Page.h"
#include "pages/installer/Installer_Welcome_Page.h"
#include "player/ProcessMonitor.h"
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

const InstallerPage kPages[kInstallerPages] = {{showWelcomePage, nullptr},
                                               {showLicensePage, nullptr},
                                               {showComponentsPage, leaveComponentsPage},
                                               {showDirectoryPage, leaveDirectoryPage},
                                               {showInstallerProcessMonitorPage, nullptr},
                                               {showInstallationPage, nullptr},
                                               {showDonationPage, nullptr},
                                               {showFinishPage, nullptr}};

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

void resetInstallerPages(App& app) {
  MainForm& f = app.form;
  f.P_Installer_DefaultPage.hide();
  f.ahead = {&f.P_Installer_DefaultPage};
  for (int i = 0; i < kInstallerPages; ++i) {
    pagePanel(app, i).hide();
    f.ahead.push_back(&pagePanel(app, i));
  }
  // The countdown belongs to the Donation page and ends with it.
  stopDonationCountdown(app);
  layoutFooter(app);
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
        if (findRunningPlayer(app, w)) {
          open(app, 4);
          break;
        }
      }
      open(app, 5);
      break;
    case 4:
      if (!endListedProcesses(app, w, app.form.LV_Installer_ProcessMonitorPage))
        blockedProcessesStop(app);
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
      finishInstaller(app);
      break;
  }
}

void installerCancel(App& app) {
  app.state.installer.closeAllowed = true;
  requestClose(app);
}

}  // namespace lingvora
