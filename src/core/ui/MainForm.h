#pragma once
// The main window and the controls every mode shares.
#include "ui/Form.h"

namespace lingvora {

enum class WindowStyle { Wizard, Dialog };

class MainForm : public Form {
 public:
  MainForm();

  Text caption;
  int width = 0, height = 0;  // the whole window, border included
  int minWidth = 0, minHeight = 0;
  // The wizards' sizeable window, or the language dialog's fixed one.
  WindowStyle style = WindowStyle::Wizard;
  TaskbarProgress taskbar;

  Control ORVA_GUI{*this, "ORVA_GUI", ControlKind::Window, nullptr};
  Control P_GUI{*this, "P_GUI", ControlKind::Panel, &ORVA_GUI};
  Control P_GUI_Installer{*this, "P_GUI_Installer", ControlKind::Panel, &P_GUI};
  Control P_GUI_Uninstaller{*this, "P_GUI_Uninstaller", ControlKind::Panel, &P_GUI};
  // Installer: the header-page container and the full-height pages.
  Control P_Installer_DefaultPage{*this, "P_Installer_DefaultPage", ControlKind::Panel,
                                  &P_GUI_Installer};
  Control P_Installer_DefaultHeader{*this, "P_Installer_DefaultHeader", ControlKind::Panel,
                                    &P_Installer_DefaultPage};
  Control B_Installer_DefaultHeader{*this, "B_Installer_DefaultHeader", ControlKind::Bevel,
                                    &P_Installer_DefaultHeader};
  Control Img_Installer_DefaultHeader{*this, "Img_Installer_DefaultHeader", ControlKind::Picture,
                                      &P_Installer_DefaultHeader};
  Control P_Installer_DefaultHeader_Text{*this, "P_Installer_DefaultHeader_Text",
                                         ControlKind::Panel, &P_Installer_DefaultHeader};
  Control Lbl_Installer_DefaultHeader_Title{*this, "Lbl_Installer_DefaultHeader_Title",
                                            ControlKind::Label, &P_Installer_DefaultHeader_Text};
  Control Lbl_Installer_DefaultHeader_SubTitle{*this, "Lbl_Installer_DefaultHeader_SubTitle",
                                               ControlKind::Label, &P_Installer_DefaultHeader_Text};
  Control P_Installer_LicensePage{*this, "P_Installer_LicensePage", ControlKind::Panel,
                                  &P_Installer_DefaultPage};
  Control Lbl_Installer_LicensePage_TopText{*this, "Lbl_Installer_LicensePage_TopText",
                                            ControlKind::Label, &P_Installer_LicensePage};
  Control Lbl_Installer_LicensePage_BottomText{*this, "Lbl_Installer_LicensePage_BottomText",
                                               ControlKind::Label, &P_Installer_LicensePage};
  Control RE_Installer_LicensePage{*this, "RE_Installer_LicensePage", ControlKind::RichEdit,
                                   &P_Installer_LicensePage};
  Control P_Installer_ComponentsPage{*this, "P_Installer_ComponentsPage", ControlKind::Panel,
                                     &P_Installer_DefaultPage};
  Control Lbl_Installer_ComponentsPage_Title{*this, "Lbl_Installer_ComponentsPage_Title",
                                             ControlKind::Label, &P_Installer_ComponentsPage};
  Control CB_Installer_ComponentsPage_InstallTypes{
      *this, "CB_Installer_ComponentsPage_InstallTypes", ControlKind::DropDown,
      &P_Installer_ComponentsPage};
  Control P_Installer_ComponentsPage_Bkg{*this, "P_Installer_ComponentsPage_Bkg",
                                         ControlKind::Panel, &P_Installer_ComponentsPage};
  Control TV_Installer_ComponentsPage_InstallTypes{
      *this, "TV_Installer_ComponentsPage_InstallTypes", ControlKind::Tree,
      &P_Installer_ComponentsPage_Bkg};
  Control Img_Installer_ComponentsPage_Info{*this, "Img_Installer_ComponentsPage_Info",
                                            ControlKind::Picture, &P_Installer_ComponentsPage_Bkg};
  Control GB_Installer_ComponentsPage_InstallTypes{
      *this, "GB_Installer_ComponentsPage_InstallTypes", ControlKind::GroupBox,
      &P_Installer_ComponentsPage};
  Control Lbl_Installer_ComponentsPage_InfoName{*this, "Lbl_Installer_ComponentsPage_InfoName",
                                                ControlKind::Label,
                                                &GB_Installer_ComponentsPage_InstallTypes};
  Control Lbl_Installer_ComponentsPage_InfoCopyright{
      *this, "Lbl_Installer_ComponentsPage_InfoCopyright", ControlKind::Label,
      &GB_Installer_ComponentsPage_InstallTypes};
  Control Lbl_Installer_ComponentsPage_InfoDesc{*this, "Lbl_Installer_ComponentsPage_InfoDesc",
                                                ControlKind::Label,
                                                &GB_Installer_ComponentsPage_InstallTypes};
  // The tree's state images: the state code is the image's position.
  Control IL_Installer_ComponentsPage{*this, "IL_Installer_ComponentsPage", ControlKind::ImageList,
                                      &P_Installer_ComponentsPage};
  Control P_Installer_DirectoryPage{*this, "P_Installer_DirectoryPage", ControlKind::Panel,
                                    &P_Installer_DefaultPage};
  Control Lbl_Installer_DirectoryPage_Title{*this, "Lbl_Installer_DirectoryPage_Title",
                                            ControlKind::Label, &P_Installer_DirectoryPage};
  Control GB_Installer_DirectoryPage{*this, "GB_Installer_DirectoryPage", ControlKind::GroupBox,
                                     &P_Installer_DirectoryPage};
  Control Edt_Installer_DirectoryPage_Dir{*this, "Edt_Installer_DirectoryPage_Dir",
                                          ControlKind::Edit, &GB_Installer_DirectoryPage};
  Control Btn_Installer_DirectoryPage_Browse{*this, "Btn_Installer_DirectoryPage_Browse",
                                             ControlKind::Button, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Total_Desc{*this, "Lbl_Installer_DirectoryPage_Total_Desc",
                                                 ControlKind::Label, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Total{*this, "Lbl_Installer_DirectoryPage_Total",
                                            ControlKind::Label, &GB_Installer_DirectoryPage};
  Control PBox_Installer_DirectoryPage_Used{*this, "PBox_Installer_DirectoryPage_Used",
                                            ControlKind::Square, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Used_Desc{*this, "Lbl_Installer_DirectoryPage_Used_Desc",
                                                ControlKind::Label, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Used{*this, "Lbl_Installer_DirectoryPage_Used",
                                           ControlKind::Label, &GB_Installer_DirectoryPage};
  Control PBox_Installer_DirectoryPage_Free{*this, "PBox_Installer_DirectoryPage_Free",
                                            ControlKind::Square, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Free_Desc{*this, "Lbl_Installer_DirectoryPage_Free_Desc",
                                                ControlKind::Label, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Free{*this, "Lbl_Installer_DirectoryPage_Free",
                                           ControlKind::Label, &GB_Installer_DirectoryPage};
  Control PB_Installer_DirectoryPage_Usage{*this, "PB_Installer_DirectoryPage_Usage",
                                           ControlKind::Progress, &GB_Installer_DirectoryPage};
  Control P_Installer_DirectoryPage_UsageError{*this, "P_Installer_DirectoryPage_UsageError",
                                               ControlKind::Panel, &GB_Installer_DirectoryPage};
  Control PB_Installer_DirectoryPage_UsageError{*this, "PB_Installer_DirectoryPage_UsageError",
                                                ControlKind::Progress,
                                                &P_Installer_DirectoryPage_UsageError};
  Control Lbl_Installer_DirectoryPage_DiskInfo{*this, "Lbl_Installer_DirectoryPage_DiskInfo",
                                               ControlKind::Label, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_Version_Desc{
      *this, "Lbl_Installer_DirectoryPage_Info_Version_Desc", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_Version{*this,
                                                   "Lbl_Installer_DirectoryPage_Info_Version",
                                                   ControlKind::Label, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_Copyright_Desc{
      *this, "Lbl_Installer_DirectoryPage_Info_Copyright_Desc", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_Copyright{
      *this, "Lbl_Installer_DirectoryPage_Info_Copyright", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_InstallDir_Desc{
      *this, "Lbl_Installer_DirectoryPage_Info_InstallDir_Desc", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_InstallDir{
      *this, "Lbl_Installer_DirectoryPage_Info_InstallDir", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_ConfigDir_Desc{
      *this, "Lbl_Installer_DirectoryPage_Info_ConfigDir_Desc", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_ConfigDir{
      *this, "Lbl_Installer_DirectoryPage_Info_ConfigDir", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_ConfigFile_Desc{
      *this, "Lbl_Installer_DirectoryPage_Info_ConfigFile_Desc", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info_ConfigFile{
      *this, "Lbl_Installer_DirectoryPage_Info_ConfigFile", ControlKind::Label,
      &GB_Installer_DirectoryPage};
  Control Img_Installer_DirectoryPage_Info{*this, "Img_Installer_DirectoryPage_Info",
                                           ControlKind::Picture, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info{*this, "Lbl_Installer_DirectoryPage_Info",
                                           ControlKind::Label, &GB_Installer_DirectoryPage};
  Control Lbl_Installer_DirectoryPage_Info2{*this, "Lbl_Installer_DirectoryPage_Info2",
                                            ControlKind::Label, &GB_Installer_DirectoryPage};
  Control P_Installer_ProcessMonitorPage{*this, "P_Installer_ProcessMonitorPage",
                                         ControlKind::Panel, &P_Installer_DefaultPage};
  // The process monitor: the title on top, the information group at the
  // bottom, the list between them.
  Control Lbl_Installer_ProcessMonitorPage_Title{*this, "Lbl_Installer_ProcessMonitorPage_Title",
                                                 ControlKind::Label,
                                                 &P_Installer_ProcessMonitorPage};
  Control GB_Installer_ProcessMonitorPage{*this, "GB_Installer_ProcessMonitorPage",
                                          ControlKind::GroupBox, &P_Installer_ProcessMonitorPage};
  Control LV_Installer_ProcessMonitorPage{*this, "LV_Installer_ProcessMonitorPage",
                                          ControlKind::List, &P_Installer_ProcessMonitorPage};
  Control Img_Installer_ProcessMonitorPage{*this, "Img_Installer_ProcessMonitorPage",
                                           ControlKind::Picture, &GB_Installer_ProcessMonitorPage};
  Control Lbl_Installer_ProcessMonitorPage_Info_Version_Desc{
      *this, "Lbl_Installer_ProcessMonitorPage_Info_Version_Desc", ControlKind::Label,
      &GB_Installer_ProcessMonitorPage};
  Control Lbl_Installer_ProcessMonitorPage_Info_Version{
      *this, "Lbl_Installer_ProcessMonitorPage_Info_Version", ControlKind::Label,
      &GB_Installer_ProcessMonitorPage};
  Control Lbl_Installer_ProcessMonitorPage_Info_Publisher_Desc{
      *this, "Lbl_Installer_ProcessMonitorPage_Info_Publisher_Desc", ControlKind::Label,
      &GB_Installer_ProcessMonitorPage};
  Control Lbl_Installer_ProcessMonitorPage_Info_Publisher{
      *this, "Lbl_Installer_ProcessMonitorPage_Info_Publisher", ControlKind::Label,
      &GB_Installer_ProcessMonitorPage};
  Control Lbl_Installer_ProcessMonitorPage_Info_Copyright_Desc{
      *this, "Lbl_Installer_ProcessMonitorPage_Info_Copyright_Desc", ControlKind::Label,
      &GB_Installer_ProcessMonitorPage};
  Control Lbl_Installer_ProcessMonitorPage_Info_Copyright{
      *this, "Lbl_Installer_ProcessMonitorPage_Info_Copyright", ControlKind::Label,
      &GB_Installer_ProcessMonitorPage};
  Control Lbl_Installer_ProcessMonitorPage_Info_InstallDir_Desc{
      *this, "Lbl_Installer_ProcessMonitorPage_Info_InstallDir_Desc", ControlKind::Label,
      &GB_Installer_ProcessMonitorPage};
  Control Lbl_Installer_ProcessMonitorPage_Info_InstallDir{
      *this, "Lbl_Installer_ProcessMonitorPage_Info_InstallDir", ControlKind::Label,
      &GB_Installer_ProcessMonitorPage};
  Control P_Installer_InstallationPage{*this, "P_Installer_InstallationPage", ControlKind::Panel,
                                       &P_Installer_DefaultPage};
  Control GB_Installer_InstallationPage{*this, "GB_Installer_InstallationPage",
                                        ControlKind::GroupBox, &P_Installer_InstallationPage};
  Control Img_Installer_InstallationPage{*this, "Img_Installer_InstallationPage",
                                         ControlKind::Picture, &GB_Installer_InstallationPage};
  Control Lbl_Installer_InstallationPage_Item_Name{
      *this, "Lbl_Installer_InstallationPage_Item_Name", ControlKind::Label,
      &GB_Installer_InstallationPage};
  Control Lbl_Installer_InstallationPage_Item_Version{
      *this, "Lbl_Installer_InstallationPage_Item_Version", ControlKind::Label,
      &GB_Installer_InstallationPage};
  Control Lbl_Installer_InstallationPage_Item_License{
      *this, "Lbl_Installer_InstallationPage_Item_License", ControlKind::Label,
      &GB_Installer_InstallationPage};
  Control Lbl_Installer_InstallationPage_Item_Copyright{
      *this, "Lbl_Installer_InstallationPage_Item_Copyright", ControlKind::Label,
      &GB_Installer_InstallationPage};
  Control Lbl_Installer_InstallationPage_Item_Publisher{
      *this, "Lbl_Installer_InstallationPage_Item_Publisher", ControlKind::Label,
      &GB_Installer_InstallationPage};
  Control PB_Installer_InstallationPage{*this, "PB_Installer_InstallationPage",
                                        ControlKind::Progress, &GB_Installer_InstallationPage};
  Control Lbl_Installer_InstallationPage_Item_Desc{
      *this, "Lbl_Installer_InstallationPage_Item_Desc", ControlKind::Label,
      &GB_Installer_InstallationPage};

  Control P_Installer_WelcomePage{*this, "P_Installer_WelcomePage", ControlKind::Panel,
                                  &P_GUI_Installer};
  Control Img_Installer_WelcomePage{*this, "Img_Installer_WelcomePage", ControlKind::Picture,
                                    &P_Installer_WelcomePage};
  Control S_Installer_WelcomePage_Divider{*this, "S_Installer_WelcomePage_Divider",
                                          ControlKind::Shape, &P_Installer_WelcomePage};
  Control P_Installer_WelcomePage_TextArea{*this, "P_Installer_WelcomePage_TextArea",
                                           ControlKind::Panel, &P_Installer_WelcomePage};
  Control Lbl_Installer_WelcomePage_Title{*this, "Lbl_Installer_WelcomePage_Title",
                                          ControlKind::Label, &P_Installer_WelcomePage_TextArea};
  Control Lbl_Installer_WelcomePage_SubTitle1{*this, "Lbl_Installer_WelcomePage_SubTitle1",
                                              ControlKind::Label,
                                              &P_Installer_WelcomePage_TextArea};
  Control Lbl_Installer_WelcomePage_SubTitle2{*this, "Lbl_Installer_WelcomePage_SubTitle2",
                                              ControlKind::Label,
                                              &P_Installer_WelcomePage_TextArea};
  Control Lbl_Installer_WelcomePage_SubTitle3{*this, "Lbl_Installer_WelcomePage_SubTitle3",
                                              ControlKind::Label,
                                              &P_Installer_WelcomePage_TextArea};
  Control Lbl_Installer_WelcomePage_Info{*this, "Lbl_Installer_WelcomePage_Info",
                                         ControlKind::Label, &P_Installer_WelcomePage_TextArea};
  Control Lbl_Installer_WelcomePage_Desc{*this, "Lbl_Installer_WelcomePage_Desc",
                                         ControlKind::Label, &P_Installer_WelcomePage_TextArea};
  Control Lbl_Installer_WelcomePage_Next{*this, "Lbl_Installer_WelcomePage_Next",
                                         ControlKind::Label, &P_Installer_WelcomePage_TextArea};
  Control Lbl_Installer_WelcomePage_LangPack{*this, "Lbl_Installer_WelcomePage_LangPack",
                                             ControlKind::Label, &P_Installer_WelcomePage};
  Control Lbl_Installer_WelcomePage_Copyright{*this, "Lbl_Installer_WelcomePage_Copyright",
                                              ControlKind::Label, &P_Installer_WelcomePage};
  Control P_Installer_DonationPage{*this, "P_Installer_DonationPage", ControlKind::Panel,
                                   &P_GUI_Installer};
  // The Donation page, placed by position: the frame first, so that it lies
  // behind the bank block, and the title's shadow before the title.
  Control S_Installer_DonationPage_Frame{*this, "S_Installer_DonationPage_Frame",
                                         ControlKind::Shape, &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_TitleShadow{*this, "Lbl_Installer_DonationPage_TitleShadow",
                                                 ControlKind::Label, &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_Title{*this, "Lbl_Installer_DonationPage_Title",
                                           ControlKind::Label, &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_SubTitle{*this, "Lbl_Installer_DonationPage_SubTitle",
                                              ControlKind::Label, &P_Installer_DonationPage};
  Control S_Installer_DonationPage_Divider{*this, "S_Installer_DonationPage_Divider",
                                           ControlKind::Shape, &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_ProjectInfo{*this, "Lbl_Installer_DonationPage_ProjectInfo",
                                                 ControlKind::Label, &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_BankData{*this, "Lbl_Installer_DonationPage_BankData",
                                              ControlKind::Label, &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_BankRecipient_Desc{
      *this, "Lbl_Installer_DonationPage_BankRecipient_Desc", ControlKind::Label,
      &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_BankRecipient{*this,
                                                   "Lbl_Installer_DonationPage_BankRecipient",
                                                   ControlKind::Label, &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_BankAdditionalNotes_Desc{
      *this, "Lbl_Installer_DonationPage_BankAdditionalNotes_Desc", ControlKind::Label,
      &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_BankAdditionalNotes{
      *this, "Lbl_Installer_DonationPage_BankAdditionalNotes", ControlKind::Label,
      &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_BankAccountNumber_Desc{
      *this, "Lbl_Installer_DonationPage_BankAccountNumber_Desc", ControlKind::Label,
      &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_BankAccountNumber{
      *this, "Lbl_Installer_DonationPage_BankAccountNumber", ControlKind::Label,
      &P_Installer_DonationPage};
  Control Lbl_Installer_DonationPage_PayPalData{*this, "Lbl_Installer_DonationPage_PayPalData",
                                                ControlKind::Label, &P_Installer_DonationPage};
  Control Img_Installer_DonationPage_PayPal{*this, "Img_Installer_DonationPage_PayPal",
                                            ControlKind::Picture, &P_Installer_DonationPage};
  Control PB_Installer_DonationPage{*this, "PB_Installer_DonationPage", ControlKind::Progress,
                                    &P_Installer_DonationPage};
  Control TimerDonation{*this, "TimerDonation", ControlKind::Timer, &P_Installer_DonationPage};

  Control P_Installer_FinishPage{*this, "P_Installer_FinishPage", ControlKind::Panel,
                                 &P_GUI_Installer};
  Control Img_Installer_FinishPage{*this, "Img_Installer_FinishPage", ControlKind::Picture,
                                   &P_Installer_FinishPage};
  Control S_Installer_FinishPage_Divider{*this, "S_Installer_FinishPage_Divider",
                                         ControlKind::Shape, &P_Installer_FinishPage};
  Control P_Installer_FinishPage_TextArea{*this, "P_Installer_FinishPage_TextArea",
                                          ControlKind::Panel, &P_Installer_FinishPage};
  Control Lbl_Installer_FinishPage_Title{*this, "Lbl_Installer_FinishPage_Title",
                                         ControlKind::Label, &P_Installer_FinishPage_TextArea};
  Control Lbl_Installer_FinishPage_Subtitle{*this, "Lbl_Installer_FinishPage_Subtitle",
                                            ControlKind::Label, &P_Installer_FinishPage_TextArea};
  Control Lbl_Installer_FinishPage_Notes{*this, "Lbl_Installer_FinishPage_Notes",
                                         ControlKind::Label, &P_Installer_FinishPage_TextArea};
  Control Lbl_Installer_FinishPage_Question{*this, "Lbl_Installer_FinishPage_Question",
                                            ControlKind::Label, &P_Installer_FinishPage_TextArea};
  Control CB_Installer_FinishPage_Run{*this, "CB_Installer_FinishPage_Run", ControlKind::CheckBox,
                                      &P_Installer_FinishPage_TextArea};
  Control CB_Installer_FinishPage_Skin{*this, "CB_Installer_FinishPage_Skin", ControlKind::CheckBox,
                                       &P_Installer_FinishPage_TextArea};
  Control CB_Installer_FinishPage_HomePage{*this, "CB_Installer_FinishPage_HomePage",
                                           ControlKind::CheckBox, &P_Installer_FinishPage_TextArea};
  Control Lbl_Installer_FinishPage_LangPack{*this, "Lbl_Installer_FinishPage_LangPack",
                                            ControlKind::Label, &P_Installer_FinishPage};
  Control Lbl_Installer_FinishPage_Copyright{*this, "Lbl_Installer_FinishPage_Copyright",
                                             ControlKind::Label, &P_Installer_FinishPage};

  // Uninstaller: the header-page container and the full-height pages.
  Control P_Uninstaller_DefaultPage{*this, "P_Uninstaller_DefaultPage", ControlKind::Panel,
                                    &P_GUI_Uninstaller};
  Control P_Uninstaller_DefaultHeader{*this, "P_Uninstaller_DefaultHeader", ControlKind::Panel,
                                      &P_Uninstaller_DefaultPage};
  Control B_Uninstaller_DefaultHeader{*this, "B_Uninstaller_DefaultHeader", ControlKind::Bevel,
                                      &P_Uninstaller_DefaultHeader};
  Control Img_Uninstaller_DefaultHeader{*this, "Img_Uninstaller_DefaultHeader",
                                        ControlKind::Picture, &P_Uninstaller_DefaultHeader};
  Control P_Uninstaller_DefaultHeader_Text{*this, "P_Uninstaller_DefaultHeader_Text",
                                           ControlKind::Panel, &P_Uninstaller_DefaultHeader};
  Control Lbl_Uninstaller_DefaultHeader_Title{*this, "Lbl_Uninstaller_DefaultHeader_Title",
                                              ControlKind::Label,
                                              &P_Uninstaller_DefaultHeader_Text};
  Control Lbl_Uninstaller_DefaultHeader_SubTitle{*this, "Lbl_Uninstaller_DefaultHeader_SubTitle",
                                                 ControlKind::Label,
                                                 &P_Uninstaller_DefaultHeader_Text};
  Control P_Uninstaller_SummaryPage{*this, "P_Uninstaller_SummaryPage", ControlKind::Panel,
                                    &P_Uninstaller_DefaultPage};
  Control Lbl_Uninstaller_SummaryPage_Title{*this, "Lbl_Uninstaller_SummaryPage_Title",
                                            ControlKind::Label, &P_Uninstaller_SummaryPage};
  Control GB_Uninstaller_SummaryPage{*this, "GB_Uninstaller_SummaryPage", ControlKind::GroupBox,
                                     &P_Uninstaller_SummaryPage};
  Control Img_Uninstaller_SummaryPage{*this, "Img_Uninstaller_SummaryPage", ControlKind::Picture,
                                      &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_ProjectName{*this, "Lbl_Uninstaller_SummaryPage_ProjectName",
                                                  ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_Version_Desc{*this,
                                                   "Lbl_Uninstaller_SummaryPage_Version_Desc",
                                                   ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_Version{*this, "Lbl_Uninstaller_SummaryPage_Version",
                                              ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_Author_Desc{*this, "Lbl_Uninstaller_SummaryPage_Author_Desc",
                                                  ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_Author{*this, "Lbl_Uninstaller_SummaryPage_Author",
                                             ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_License_Desc{*this,
                                                   "Lbl_Uninstaller_SummaryPage_License_Desc",
                                                   ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_License{*this, "Lbl_Uninstaller_SummaryPage_License",
                                              ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_Copyright_Desc{
      *this, "Lbl_Uninstaller_SummaryPage_Copyright_Desc", ControlKind::Label,
      &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_Copyright{*this, "Lbl_Uninstaller_SummaryPage_Copyright",
                                                ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_InstallDir_Desc{
      *this, "Lbl_Uninstaller_SummaryPage_InstallDir_Desc", ControlKind::Label,
      &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_InstallDir{*this, "Lbl_Uninstaller_SummaryPage_InstallDir",
                                                 ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_InstallDate_Desc{
      *this, "Lbl_Uninstaller_SummaryPage_InstallDate_Desc", ControlKind::Label,
      &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_InstallDate{*this, "Lbl_Uninstaller_SummaryPage_InstallDate",
                                                  ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control Lbl_Uninstaller_SummaryPage_ProjectDesc{*this, "Lbl_Uninstaller_SummaryPage_ProjectDesc",
                                                  ControlKind::Label, &GB_Uninstaller_SummaryPage};
  Control P_Uninstaller_ProcessMonitorPage{*this, "P_Uninstaller_ProcessMonitorPage",
                                           ControlKind::Panel, &P_Uninstaller_DefaultPage};
  // The process monitor: the title on top, the information group at the
  // bottom, the list between them.
  Control Lbl_Uninstaller_ProcessMonitorPage_Title{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Title", ControlKind::Label,
      &P_Uninstaller_ProcessMonitorPage};
  Control GB_Uninstaller_ProcessMonitorPage{*this, "GB_Uninstaller_ProcessMonitorPage",
                                            ControlKind::GroupBox,
                                            &P_Uninstaller_ProcessMonitorPage};
  Control LV_Uninstaller_ProcessMonitorPage{*this, "LV_Uninstaller_ProcessMonitorPage",
                                            ControlKind::List, &P_Uninstaller_ProcessMonitorPage};
  Control Img_Uninstaller_ProcessMonitorPage{*this, "Img_Uninstaller_ProcessMonitorPage",
                                             ControlKind::Picture,
                                             &GB_Uninstaller_ProcessMonitorPage};
  Control Lbl_Uninstaller_ProcessMonitorPage_Process_Version_Desc{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Process_Version_Desc", ControlKind::Label,
      &GB_Uninstaller_ProcessMonitorPage};
  Control Lbl_Uninstaller_ProcessMonitorPage_Process_Version{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Process_Version", ControlKind::Label,
      &GB_Uninstaller_ProcessMonitorPage};
  Control Lbl_Uninstaller_ProcessMonitorPage_Process_Publisher_Desc{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Process_Publisher_Desc", ControlKind::Label,
      &GB_Uninstaller_ProcessMonitorPage};
  Control Lbl_Uninstaller_ProcessMonitorPage_Process_Publisher{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Process_Publisher", ControlKind::Label,
      &GB_Uninstaller_ProcessMonitorPage};
  Control Lbl_Uninstaller_ProcessMonitorPage_Process_Copyright_Desc{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Process_Copyright_Desc", ControlKind::Label,
      &GB_Uninstaller_ProcessMonitorPage};
  Control Lbl_Uninstaller_ProcessMonitorPage_Process_Copyright{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Process_Copyright", ControlKind::Label,
      &GB_Uninstaller_ProcessMonitorPage};
  Control Lbl_Uninstaller_ProcessMonitorPage_Process_InstallDir_Desc{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Process_InstallDir_Desc", ControlKind::Label,
      &GB_Uninstaller_ProcessMonitorPage};
  Control Lbl_Uninstaller_ProcessMonitorPage_Process_InstallDir{
      *this, "Lbl_Uninstaller_ProcessMonitorPage_Process_InstallDir", ControlKind::Label,
      &GB_Uninstaller_ProcessMonitorPage};
  Control P_Uninstaller_InstallationPage{*this, "P_Uninstaller_InstallationPage",
                                         ControlKind::Panel, &P_Uninstaller_DefaultPage};
  // The display of the progress page; the bar docks before the description
  // that fills the rest.
  Control GB_Uninstaller_InstallationPage{*this, "GB_Uninstaller_InstallationPage",
                                          ControlKind::GroupBox, &P_Uninstaller_InstallationPage};
  Control Img_Uninstaller_InstallationPage{*this, "Img_Uninstaller_InstallationPage",
                                           ControlKind::Picture, &GB_Uninstaller_InstallationPage};
  Control Lbl_Uninstaller_InstallationPage_Item_Name{
      *this, "Lbl_Uninstaller_InstallationPage_Item_Name", ControlKind::Label,
      &GB_Uninstaller_InstallationPage};
  Control Lbl_Uninstaller_InstallationPage_Item_Version{
      *this, "Lbl_Uninstaller_InstallationPage_Item_Version", ControlKind::Label,
      &GB_Uninstaller_InstallationPage};
  Control Lbl_Uninstaller_InstallationPage_Item_License{
      *this, "Lbl_Uninstaller_InstallationPage_Item_License", ControlKind::Label,
      &GB_Uninstaller_InstallationPage};
  Control Lbl_Uninstaller_InstallationPage_Item_Copyright{
      *this, "Lbl_Uninstaller_InstallationPage_Item_Copyright", ControlKind::Label,
      &GB_Uninstaller_InstallationPage};
  Control Lbl_Uninstaller_InstallationPage_Item_Publisher{
      *this, "Lbl_Uninstaller_InstallationPage_Item_Publisher", ControlKind::Label,
      &GB_Uninstaller_InstallationPage};
  Control PB_Uninstaller_InstallationPage{*this, "PB_Uninstaller_InstallationPage",
                                          ControlKind::Progress, &GB_Uninstaller_InstallationPage};
  Control Lbl_Uninstaller_InstallationPage_Item_Description{
      *this, "Lbl_Uninstaller_InstallationPage_Item_Description", ControlKind::Label,
      &GB_Uninstaller_InstallationPage};

  Control P_Uninstaller_WelcomePage{*this, "P_Uninstaller_WelcomePage", ControlKind::Panel,
                                    &P_GUI_Uninstaller};
  Control Img_Uninstaller_WelcomePage{*this, "Img_Uninstaller_WelcomePage", ControlKind::Picture,
                                      &P_Uninstaller_WelcomePage};
  Control S_Uninstaller_WelcomePage_Divider{*this, "S_Uninstaller_WelcomePage_Divider",
                                            ControlKind::Shape, &P_Uninstaller_WelcomePage};
  Control P_Uninstaller_WelcomePage_TextArea{*this, "P_Uninstaller_WelcomePage_TextArea",
                                             ControlKind::Panel, &P_Uninstaller_WelcomePage};
  // The column stacks in this order: the action, then the top text, then
  // the information text.
  Control Lbl_Uninstaller_WelcomePage_Title{*this, "Lbl_Uninstaller_WelcomePage_Title",
                                            ControlKind::Label,
                                            &P_Uninstaller_WelcomePage_TextArea};
  Control Lbl_Uninstaller_WelcomePage_Subtitle{*this, "Lbl_Uninstaller_WelcomePage_Subtitle",
                                               ControlKind::Label,
                                               &P_Uninstaller_WelcomePage_TextArea};
  Control Lbl_Uninstaller_WelcomePage_Subtitle2{*this, "Lbl_Uninstaller_WelcomePage_Subtitle2",
                                                ControlKind::Label,
                                                &P_Uninstaller_WelcomePage_TextArea};
  Control Lbl_Uninstaller_WelcomePage_Subtitle1{*this, "Lbl_Uninstaller_WelcomePage_Subtitle1",
                                                ControlKind::Label,
                                                &P_Uninstaller_WelcomePage_TextArea};
  Control Lbl_Uninstaller_WelcomePage_Info{*this, "Lbl_Uninstaller_WelcomePage_Info",
                                           ControlKind::Label, &P_Uninstaller_WelcomePage_TextArea};
  Control Lbl_Uninstaller_WelcomePage_LangPack{*this, "Lbl_Uninstaller_WelcomePage_LangPack",
                                               ControlKind::Label, &P_Uninstaller_WelcomePage};
  Control Lbl_Uninstaller_WelcomePage_Copyright{*this, "Lbl_Uninstaller_WelcomePage_Copyright",
                                                ControlKind::Label, &P_Uninstaller_WelcomePage};
  Control P_Uninstaller_FinishPage{*this, "P_Uninstaller_FinishPage", ControlKind::Panel,
                                   &P_GUI_Uninstaller};
  Control Img_Uninstaller_FinishPage{*this, "Img_Uninstaller_FinishPage", ControlKind::Picture,
                                     &P_Uninstaller_FinishPage};
  Control S_Uninstaller_FinishPage_Divider{*this, "S_Uninstaller_FinishPage_Divider",
                                           ControlKind::Shape, &P_Uninstaller_FinishPage};
  Control P_Uninstaller_FinishPage_TextArea{*this, "P_Uninstaller_FinishPage_TextArea",
                                            ControlKind::Panel, &P_Uninstaller_FinishPage};
  Control Lbl_Uninstaller_FinishPage_Title{*this, "Lbl_Uninstaller_FinishPage_Title",
                                           ControlKind::Label, &P_Uninstaller_FinishPage_TextArea};
  Control Lbl_Uninstaller_FinishPage_Subtitle{*this, "Lbl_Uninstaller_FinishPage_Subtitle",
                                              ControlKind::Label,
                                              &P_Uninstaller_FinishPage_TextArea};
  Control Lbl_Uninstaller_FinishPage_Notes{*this, "Lbl_Uninstaller_FinishPage_Notes",
                                           ControlKind::Label, &P_Uninstaller_FinishPage_TextArea};
  Control Lbl_Uninstaller_FinishPage_Question{*this, "Lbl_Uninstaller_FinishPage_Question",
                                              ControlKind::Label,
                                              &P_Uninstaller_FinishPage_TextArea};
  Control CB_Uninstaller_FinishPage_Run{*this, "CB_Uninstaller_FinishPage_Run",
                                        ControlKind::CheckBox, &P_Uninstaller_FinishPage_TextArea};
  // The feedback-mail box, whatever its name says.
  Control CB_Uninstaller_FinishPage_Skin{*this, "CB_Uninstaller_FinishPage_Skin",
                                         ControlKind::CheckBox, &P_Uninstaller_FinishPage_TextArea};
  Control CB_Uninstaller_FinishPage_HomePage{*this, "CB_Uninstaller_FinishPage_HomePage",
                                             ControlKind::CheckBox,
                                             &P_Uninstaller_FinishPage_TextArea};
  Control Lbl_Uninstaller_FinishPage_LangPack{*this, "Lbl_Uninstaller_FinishPage_LangPack",
                                              ControlKind::Label, &P_Uninstaller_FinishPage};
  Control Lbl_Uninstaller_FinishPage_Copyright{*this, "Lbl_Uninstaller_FinishPage_Copyright",
                                               ControlKind::Label, &P_Uninstaller_FinishPage};

  Control P_GUI_Footer{*this, "P_GUI_Footer", ControlKind::Panel, &P_GUI};
  Control B_GUI_Footer{*this, "B_GUI_Footer", ControlKind::Bevel, &P_GUI_Footer};
  Control Lbl_GUI_BrandingText{*this, "Lbl_GUI_BrandingText", ControlKind::Label, &P_GUI_Footer};
  Control Btn_GUI_Back{*this, "Btn_GUI_Back", ControlKind::Button, &P_GUI_Footer};
  Control Btn_GUI_Next{*this, "Btn_GUI_Next", ControlKind::Button, &P_GUI_Footer};
  Control Btn_GUI_Cancel{*this, "Btn_GUI_Cancel", ControlKind::Button, &P_GUI_Footer};
  Control P_Lang{*this, "P_Lang", ControlKind::Panel, &ORVA_GUI};
  // The language dialog. Docked first: the subtitle and the list at the
  // top, the footer and the description at the bottom; then the flag in
  // its frame (the frame behind the picture) and the four rows beside it.
  Control Lbl_Lang_Subtitle{*this, "Lbl_Lang_Subtitle", ControlKind::Label, &P_Lang};
  Control CB_Lang_Languages{*this, "CB_Lang_Languages", ControlKind::DropDown, &P_Lang};
  Control P_Lang_Footer{*this, "P_Lang_Footer", ControlKind::Panel, &P_Lang};
  Control B_Lang_Footer{*this, "B_Lang_Footer", ControlKind::Bevel, &P_Lang_Footer};
  Control Lbl_Lang_Help{*this, "Lbl_Lang_Help", ControlKind::Label, &P_Lang_Footer};
  // Docked from the right edge: Cancel first, OK to its left.
  Control Btn_Lang_Cancel{*this, "Btn_Lang_Cancel", ControlKind::Button, &P_Lang_Footer};
  Control Btn_Lang_OK{*this, "Btn_Lang_OK", ControlKind::Button, &P_Lang_Footer};
  Control Lbl_Lang_Desc{*this, "Lbl_Lang_Desc", ControlKind::Label, &P_Lang};
  Control S_Lang_Flag{*this, "S_Lang_Flag", ControlKind::Shape, &P_Lang};
  Control Img_Lang_Flag{*this, "Img_Lang_Flag", ControlKind::Picture, &P_Lang};
  Control Lbl_Lang_Name_Desc{*this, "Lbl_Lang_Name_Desc", ControlKind::Label, &P_Lang};
  Control Lbl_Lang_Name{*this, "Lbl_Lang_Name", ControlKind::Label, &P_Lang};
  Control Lbl_Lang_Country_Desc{*this, "Lbl_Lang_Country_Desc", ControlKind::Label, &P_Lang};
  Control Lbl_Lang_Country{*this, "Lbl_Lang_Country", ControlKind::Label, &P_Lang};
  Control Lbl_Lang_Lang_Desc{*this, "Lbl_Lang_Lang_Desc", ControlKind::Label, &P_Lang};
  Control Lbl_Lang_Lang{*this, "Lbl_Lang_Lang", ControlKind::Label, &P_Lang};
  Control Lbl_Lang_Translator_Desc{*this, "Lbl_Lang_Translator_Desc", ControlKind::Label, &P_Lang};
  Control Lbl_Lang_Translator{*this, "Lbl_Lang_Translator", ControlKind::Label, &P_Lang};

  // Lays the whole window out for a client area of the given size.
  void layoutClient(int clientWidth, int clientHeight);
  // Lays the window out again for the client area it has.
  void relayout() { layout(ORVA_GUI, measure); }
};

}  // namespace lingvora
