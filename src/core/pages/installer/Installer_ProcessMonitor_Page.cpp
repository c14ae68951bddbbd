#include "pages/installer/Installer_ProcessMonitor_Page.h"

#include "config/Config.h"
#include "pages/frame/PageFrame.h"
#include "pages/frame/ProcessMonitorPage.h"

namespace lingvora {
namespace {

ProcessMonitorPage page(App& app) {
  MainForm& f = app.form;
  return {app.state.installer,
          u"INSTALLER_PROCESS_MONITOR_PAGE",
          f.P_Installer_ProcessMonitorPage,
          f.Lbl_Installer_ProcessMonitorPage_Title,
          f.LV_Installer_ProcessMonitorPage,
          f.GB_Installer_ProcessMonitorPage,
          f.Img_Installer_ProcessMonitorPage,
          {&f.Lbl_Installer_ProcessMonitorPage_Info_Version_Desc,
           &f.Lbl_Installer_ProcessMonitorPage_Info_Publisher_Desc,
           &f.Lbl_Installer_ProcessMonitorPage_Info_Copyright_Desc,
           &f.Lbl_Installer_ProcessMonitorPage_Info_InstallDir_Desc},
          {&f.Lbl_Installer_ProcessMonitorPage_Info_Version,
           &f.Lbl_Installer_ProcessMonitorPage_Info_Publisher,
           &f.Lbl_Installer_ProcessMonitorPage_Info_Copyright,
           &f.Lbl_Installer_ProcessMonitorPage_Info_InstallDir}};
}

Text headerText(App& app, TextView key) {
  return expandPlaceholders(app, readText(app, u"INSTALLER_PROCESS_MONITOR_PAGE", key));
}

}  // namespace

void showInstallerProcessMonitorPage(App& app) {
  MainForm& f = app.form;
  app.state.installer.pageIndex = 4;
  setInstallerCaption(app);
  f.P_Installer_DefaultPage.background = kButtonFaceColor;
  f.P_Installer_DefaultPage.dock(Align::Client).show();
  showInstallerPageHeader(app, headerText(app, u"INSTALLER_PROCESS_MONITOR_PAGE_TITLE"),
                          headerText(app, u"INSTALLER_PROCESS_MONITOR_PAGE_SUBTITLE"));
  fillBrandingLabel(app);
  buildProcessMonitorPage(app, page(app));
}

}  // namespace lingvora
