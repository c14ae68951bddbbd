; Engine.nsh: the engine's side of the contract with GUI.exe, for the
; installer and its uninstaller alike. GUI.exe runs in $PLUGINSDIR beside
; GUI.ini, the localized texts and Pixora.dll:
;
;   ${StartWizard} 0|1     GUI.exe /ACTION=0 (installer) or /ACTION=1 (uninstaller)
;   ${WaitForCue} $0       $0 = 1 once the user confirmed (SYSTEM / InstallDir in
;                          DATA.ini), 0 when GUI.exe ended without confirming
;   ${Report} TEXT         TEXT to the wizard's window, as WM_COPYDATA:
;                          ID_SECTION_<component>, ID_SECTION_END, ID_SECTION_FINISH, ID_ABORT
;   ${EndWithWizard}       waits until GUI.exe ends; its exit code becomes ours
;
; Needs the System plug-in (in Debian's nsis: Plugins/<target>/System.dll).

!include LogicLib.nsh

!define ENGINE_MESSAGE_ID 0x0141134D
!define WM_COPYDATA 0x004A
!if ${NSIS_PTR_SIZE} > 4
  !define STARTUPINFO_SIZE 104
!else
  !define STARTUPINFO_SIZE 68
!endif

Var WizardProcess ; handle of the running GUI.exe
Var WizardPid
Var WizardWindow  ; its main window, of class TORVA_GUI

!macro ENGINE_FUNCTIONS UN
  Function ${UN}StartWizard ; action on the stack
    Exch $0
    Push $1
    Push $2
    Push $3
    System::Call '*(&i${STARTUPINFO_SIZE})p.r1'
    System::Call '*$1(i ${STARTUPINFO_SIZE})'
    System::Call '*(p, p, i, i)p.r2' ; PROCESS_INFORMATION
    System::Call 'kernel32::CreateProcessW(p 0, w `"$PLUGINSDIR\GUI.exe" /ACTION=$0`, p 0, p 0, \
                  i 0, i 0, p 0, w "$PLUGINSDIR", p r1, p r2)i.r0'
    StrCpy $WizardProcess 0
    ${If} $0 <> 0
      System::Call '*$2(p .r0, p .r3, i .r1)'
      StrCpy $WizardProcess $0
      StrCpy $WizardPid $1
      System::Call 'kernel32::CloseHandle(p r3)'
    ${EndIf}
    System::Free $1
    System::Free $2
    Pop $3
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd

  ; Nothing is done before the user confirms; GUI.exe may also just end.
  Function ${UN}WaitForCue ; pushes 1 or 0
    Push $0
    Push $1
    ${If} $WizardProcess == 0
      StrCpy $0 0
      Goto done
    ${EndIf}
    ${Do}
      ReadINIStr $0 "$PLUGINSDIR\DATA.ini" SYSTEM InstallDir
      ${If} $0 != ""
        Call ${UN}FindWizardWindow
        StrCpy $0 1
        ${Break}
      ${EndIf}
      System::Call 'kernel32::WaitForSingleObject(p $WizardProcess, i 50)i.r1'
      ${If} $1 == 0 ; WAIT_OBJECT_0: it ended
        StrCpy $0 0
        ${Break}
      ${EndIf}
    ${Loop}
    done:
    Pop $1
    Exch $0
  FunctionEnd

  ; The window of class TORVA_GUI that belongs to our GUI.exe.
  Function ${UN}FindWizardWindow
    Push $0
    Push $1
    StrCpy $0 0
    ${Do}
      System::Call 'user32::FindWindowExW(p 0, p r0, w "TORVA_GUI", p 0)p.r0'
      ${If} $0 == 0
        ${Break}
      ${EndIf}
      System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    ${LoopUntil} $1 == $WizardPid
    StrCpy $WizardWindow $0
    Pop $1
    Pop $0
  FunctionEnd

  ; The text without a terminator: cbData counts its UTF-16 code units only.
  ; A synchronous send: the wizard has shown the step when it returns.
  Function ${UN}Report ; text on the stack
    Exch $0
    Push $1
    Push $2
    Push $3
    StrLen $1 $0
    IntOp $3 $1 + 1
    System::Call '*(&w$3 r0)p.r2'
    IntOp $1 $1 * 2
    ; COPYDATASTRUCT: dwData, cbData (padded to a pointer's width), lpData
    System::Call '*(p ${ENGINE_MESSAGE_ID}, &i${NSIS_PTR_SIZE} r1, p r2)p.r3'
    System::Call 'user32::SendMessageW(p $WizardWindow, i ${WM_COPYDATA}, p 0, p r3)'
    System::Free $3
    System::Free $2
    Pop $3
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd

  Function ${UN}EndWithWizard
    Push $0
    ; $PLUGINSDIR is removed when we end, which it cannot be while it is
    ; our working folder.
    SetOutPath "$TEMP"
    StrCpy $0 1
    ${If} $WizardProcess != 0
      System::Call 'kernel32::WaitForSingleObject(p $WizardProcess, i -1)'
      System::Call 'kernel32::GetExitCodeProcess(p $WizardProcess, *i .r0)'
      System::Call 'kernel32::CloseHandle(p $WizardProcess)'
    ${EndIf}
    SetErrorLevel $0
    Pop $0
  FunctionEnd
!macroend

!insertmacro ENGINE_FUNCTIONS ""
!insertmacro ENGINE_FUNCTIONS "un."

!macro StartWizard ACTION
  Push "${ACTION}"
  !ifdef __UNINSTALL__
    Call un.StartWizard
  !else
    Call StartWizard
  !endif
!macroend
!define StartWizard "!insertmacro StartWizard"

!macro WaitForCue RESULT
  !ifdef __UNINSTALL__
    Call un.WaitForCue
  !else
    Call WaitForCue
  !endif
  Pop ${RESULT}
!macroend
!define WaitForCue "!insertmacro WaitForCue"

!macro Report TEXT
  Push "${TEXT}"
  !ifdef __UNINSTALL__
    Call un.Report
  !else
    Call Report
  !endif
!macroend
!define Report "!insertmacro Report"

!macro EndWithWizard
  !ifdef __UNINSTALL__
    Call un.EndWithWizard
  !else
    Call EndWithWizard
  !endif
!macroend
!define EndWithWizard "!insertmacro EndWithWizard"
