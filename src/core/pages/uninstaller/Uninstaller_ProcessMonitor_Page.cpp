#include "pages/uninstaller/Uninstaller_ProcessMonitor_Page.h"

#include "config/Config.h"
#include "pages/frame/PageFrame.h"
#include "pages/frame/ProcessMonitorPage.h"

namespace lingvora {
namespace {

ProcessMonitorPage page(App& app) {
  MainForm& f = app.form;
  return {app.state.uninstaller,
          u"UNINSTALLER_PROCESS_MONITOR_PAGE",
          f.P_Uninstaller_ProcessMonitorPage,
          f.Lbl_Uninstaller_ProcessMonitorPage_Title,
          f.LV_Uninstaller_ProcessMonitorPage,
          f.GB_Uninstaller_ProcessMonitorPage,
          f.Img_Uninstaller_ProcessMonitorPage,
          {&f.Lbl_Uninstaller_ProcessMonitorPage_Process_Version_Desc,
           &f.Lbl_Uninstaller_ProcessMonitorPage_Process_Publisher_Desc,
           &f.Lbl_Uninstaller_ProcessMonitorPage_Process_Copyright_Desc,
           &f.Lbl_Uninstaller_ProcessMonitorPage_Process_InstallDir_Desc},
          {&f.Lbl_Uninstaller_ProcessMonitorPage_Process_Version,
           &f.Lbl_Uninstaller_ProcessMonitorPage_Process_Publisher,
           &f.Lbl_Uninstaller_ProcessMonitorPage_Process_Copyright,
           &f.Lbl_Uninstaller_ProcessMonitorPage_Process_InstallDir}};
}

Text headerText(App& app, TextView key) {
  return expandPlaceholders(app, readText(app, u"UNINSTALLER_PROCESS_MONITOR_PAGE", key));
}

}  // namespace

void showUninstallerProcessMonitorPage(App& app) {
  MainForm& f = app.form;
  app.state.uninstaller.pageIndex = 2;
  setUninstallerCaption(app);
  f.P_Uninstaller_DefaultPage.background = kButtonFaceColor;
  f.P_Uninstaller_DefaultPage.dock(Align::Client).show();
  showUninstallerPageHeader(app, headerText(app, u"UNINSTALLER_PROCESS_MONITOR_PAGE_TITLE"),
                            headerText(app, u"UNINSTALLER_PROCESS_MONITOR_PAGE_SUBTITLE"));
  fillBrandingLabel(app);
  buildProcessMonitorPage(app, page(app));
}

}  // namespace lingvora
