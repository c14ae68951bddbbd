#pragma once
// The main window and the controls every mode shares.
#include "ui/Form.h"

namespace lingvora {

class MainForm : public Form {
 public:
  MainForm();

  Text caption;
  int width = 0, height = 0;        // the whole window, border included
  int minWidth = 0, minHeight = 0;

  Control ORVA_GUI{*this, "ORVA_GUI", ControlKind::Window, nullptr};
  Control P_GUI{*this, "P_GUI", ControlKind::Panel, &ORVA_GUI};
  Control P_GUI_Installer{*this, "P_GUI_Installer", ControlKind::Panel, &P_GUI};
  Control P_GUI_Uninstaller{*this, "P_GUI_Uninstaller", ControlKind::Panel, &P_GUI};
  Control P_GUI_Footer{*this, "P_GUI_Footer", ControlKind::Panel, &P_GUI};
  Control B_GUI_Footer{*this, "B_GUI_Footer", ControlKind::Bevel, &P_GUI_Footer};
  Control Lbl_GUI_BrandingText{*this, "Lbl_GUI_BrandingText", ControlKind::Label, &P_GUI_Footer};
  Control Btn_GUI_Back{*this, "Btn_GUI_Back", ControlKind::Button, &P_GUI_Footer};
  Control Btn_GUI_Next{*this, "Btn_GUI_Next", ControlKind::Button, &P_GUI_Footer};
  Control Btn_GUI_Cancel{*this, "Btn_GUI_Cancel", ControlKind::Button, &P_GUI_Footer};
  Control P_Lang{*this, "P_Lang", ControlKind::Panel, &ORVA_GUI};

  // Lays the whole window out for a client area of the given size.
  void layoutClient(int clientWidth, int clientHeight);
};

}  // namespace lingvora
