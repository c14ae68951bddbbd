#include "wizard/Uninstaller.h"

#include "config/Config.h"
#include "pages/frame/PageFrame.h"
#include "pages/uninstaller/Uninstaller_Finish_Page.h"
#include "pages/uninstaller/Uninstaller_Installation_Page.h"
#include "pages/uninstaller/Uninstaller_ProcessMonitor_Page.h"
#include "pages/uninstaller/Uninstaller_Summary_Page.h"
#include "pages/uninstaller/Uninstaller_Welcome_Page.h"
#include "player/ProcessMonitor.h"
#include "wizard/Controllers.h"

namespace lingvora {
namespace {

Control& pagePanel(App& app, int index) {
  MainForm& f = app.form;
  Control* panels[kUninstallerPages] = {&f.P_Uninstaller_WelcomePage, &f.P_Uninstaller_SummaryPage,
                                        &f.P_Uninstaller_ProcessMonitorPage,
                                        &f.P_Uninstaller_InstallationPage,
                                        &f.P_Uninstaller_FinishPage};
  return *panels[index];
}

const UninstallerPage kPages[kUninstallerPages] = {{showUninstallerWelcomePage, nullptr},
                                                   {showSummaryPage, leaveSummaryPage},
                                                   {showUninstallerProcessMonitorPage, nullptr},
                                                   {showUninstallationPage, nullptr},
                                                   {showUninstallerFinishPage, nullptr}};

void open(App& app, int index) {
  resetUninstallerPages(app);
  uninstallerPage(index).show(app);
}

void leave(App& app, int index) {
  if (auto f = uninstallerPage(index).leave) f(app);
}

// A listed player process could not be ended: the user is told, and the
// uninstaller ends, since the engine must not remove files of a running
// player.
[[noreturn]] void blockedProcessesStop(App& app) {
  WizardState& w = app.state.uninstaller;
  w.pendingExitCode = 4;
  auto msg = [&](int n) {
    return expandPlaceholders(app,
                              readText(app, u"UNINSTALLER_PROCESS_MONITOR_PAGE",
                                       u"UNINSTALLER_PROCESS_MONITOR_PAGE_TEXT_MSG_" + decimal(n)));
  };
  const Text brk(kBreak);
  app.fatal(4, app.form.caption,
            msg(1) + brk + brk + msg(2) + brk + brk + msg(3) + u" " + w.record.InstallDir + brk +
                brk + msg(4));
}

}  // namespace

const UninstallerPage& uninstallerPage(int index) { return kPages[index]; }

void resetUninstallerPages(App& app) {
  MainForm& f = app.form;
  f.P_Uninstaller_DefaultPage.hide();
  f.ahead = {&f.P_Uninstaller_DefaultPage};
  for (int i = 0; i < kUninstallerPages; ++i) {
    pagePanel(app, i).hide();
    f.ahead.push_back(&pagePanel(app, i));
  }
  layoutFooter(app);
}

void uninstallerBack(App& app) {
  if (app.state.uninstaller.pageIndex == 1) open(app, 0);
}

void uninstallerNext(App& app) {
  WizardState& w = app.state.uninstaller;
  const int page = w.pageIndex;
  switch (page) {
    case 0:
      open(app, 1);
      break;
    case 1:
      // The record goes to the engine first; a failed save ends the action
      // here, on the Summary page, before the process check.
      leave(app, 1);
      if (!w.monitorShown) {
        w.monitorShown = true;
        if (findRunningPlayer(app, w)) {
          open(app, 2);
          break;
        }
      }
      open(app, 3);
      break;
    case 2:
      if (!endListedProcesses(app, w, app.form.LV_Uninstaller_ProcessMonitorPage))
        blockedProcessesStop(app);
      open(app, 3);
      break;
    case 3:
      if (w.failed) {
        app.exitCode = 0;
        app.closing = true;  // ends without a question
        break;
      }
      open(app, 4);
      break;
    case 4:
      finishUninstaller(app);
      break;
  }
}

void uninstallerCancel(App& app) {
  app.state.uninstaller.closeAllowed = true;
  requestClose(app);
}

}  // namespace lingvora
