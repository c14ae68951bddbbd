#include "ui/MainForm.h"

namespace lingvora {

MainForm::MainForm() {
  ORVA_GUI.background = kButtonFaceColor;
  ORVA_GUI.fontColor = kWindowTextColor;
  Btn_GUI_Next.defaultButton = true;
  // The directory changes only through the folder browser.
  Edt_Installer_DirectoryPage_Dir.readOnly = true;
  // Nothing shows until a mode has built its content.
  P_GUI.hide();
  P_Lang.hide();
  P_GUI_Footer.hide();
  // Pages show only when their show operation builds them.
  for (Control* page :
       {&P_Installer_DefaultPage, &P_Installer_WelcomePage, &P_Installer_LicensePage,
        &P_Installer_ComponentsPage, &P_Installer_DirectoryPage, &P_Installer_ProcessMonitorPage,
        &P_Installer_InstallationPage, &P_Installer_DonationPage, &P_Installer_FinishPage,
        &P_Uninstaller_DefaultPage, &P_Uninstaller_WelcomePage, &P_Uninstaller_SummaryPage,
        &P_Uninstaller_ProcessMonitorPage, &P_Uninstaller_InstallationPage,
        &P_Uninstaller_FinishPage})
    page->hide();
}

void MainForm::layoutClient(int clientWidth, int clientHeight) {
  ORVA_GUI.bounds = {0, 0, clientWidth, clientHeight};
  layout(ORVA_GUI, measure);
}

}  // namespace lingvora
