#include "ui/MainForm.h"

namespace lingvora {

MainForm::MainForm() {
  ORVA_GUI.background = kButtonFaceColor;
  ORVA_GUI.fontColor = kWindowTextColor;
  Btn_GUI_Next.defaultButton = true;
  // Nothing shows until a mode has built its content.
  P_GUI.hide();
  P_Lang.hide();
  P_GUI_Footer.hide();
}

void MainForm::layoutClient(int clientWidth, int clientHeight) {
  ORVA_GUI.bounds = {0, 0, clientWidth, clientHeight};
  layout(ORVA_GUI);
}

}  // namespace lingvora
