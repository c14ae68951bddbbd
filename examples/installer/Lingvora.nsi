; The example pack's installer: one file that carries the wizard (GUI.exe
; with GUI.ini, the localized texts and Pixora.dll) and the pack's
; components. GUI.exe asks the user; this script does the work it was
; asked for and reports each step back (Engine.nsh). The installer writes
; the uninstaller, which works the same way with GUI.exe /ACTION=1.
;
; Build (make installer does this):
;   makensis -DGUI_EXE=... -DPACK_DIR=... -DHELP_PLUGIN=... -DFILES=... -DOUT=... Lingvora.nsi
; GUI_EXE     GUI.exe
; PACK_DIR    GUI.ini, 1045.ini, 1033.ini and Pixora.dll
; HELP_PLUGIN gen_velmo.dll
; FILES       the other components' files: Lingvora-pl.wlz, skin\*, plugins\*
; TARGET      x86-unicode (the default), or amd64-unicode with 64-bit builds

!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}

!include LogicLib.nsh
!include FileFunc.nsh
!include Engine.nsh

Name "Lingvora"
OutFile "${OUT}"
RequestExecutionLevel admin
; GUI.exe is the whole user interface.
SilentInstall silent
SilentUnInstall silent

!define LANGUAGE_FILE "Lingvora-pl.wlz"
!define UNINSTALLER "UninstLingvora.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall"

Var Entry         ; the pack's uninstall entry: UNINSTALL_KEY\<ProjectRegName>
Var PlayerFolder  ; GUI.ini [INFO], as the wizard wrote it when the user confirmed
Var PluginsFolder
Var SkinsFolder
Var LangFolder
Var SkinName      ; GUI.ini [LANG_PACK_CLASSIC_SKIN] FileName
Var Chosen        ; the current component is to be installed (or removed)
Var Failed        ; a step failed: the wizard was told ID_ABORT, nothing more is done

; --- Steps shared by both directions ---

; The pack's components, each a section of GUI.ini and of the texts, and a
; section of this script below (installer and uninstaller).
!macro ForEachComponent DO
  !insertmacro ${DO} LANG_PACK_OFFICIAL_WLZ
  !insertmacro ${DO} LANG_PACK_HELP_PLUGIN
  !insertmacro ${DO} LANG_PACK_CLASSIC_SKIN
  !insertmacro ${DO} LANG_PACK_PLUGIN_MILKDROP
  !insertmacro ${DO} LANG_PACK_PLUGIN_AVS
!macroend

; Reads what the wizard wrote into GUI.ini: the player's folders.
!macro ReadPlayerFolders
  ReadINIStr $PlayerFolder "$PLUGINSDIR\GUI.ini" INFO InstallDir
  ReadINIStr $PluginsFolder "$PLUGINSDIR\GUI.ini" INFO PluginsDir
  ReadINIStr $SkinsFolder "$PLUGINSDIR\GUI.ini" INFO SkinsDir
  ReadINIStr $LangFolder "$PLUGINSDIR\GUI.ini" INFO LangPackDir
  ReadINIStr $SkinName "$PLUGINSDIR\GUI.ini" LANG_PACK_CLASSIC_SKIN FileName
!macroend

; Sets the error flag unless the skin's name is one folder name (no \, /, :
; or ..), as the wizard's Finish page also requires.
!macro CheckSkinName
  ClearErrors
  StrLen $1 $SkinName
  ${If} $1 == 0
    SetErrors
  ${EndIf}
  ${For} $0 0 $1
    StrCpy $2 $SkinName 1 $0
    StrCpy $3 $SkinName 2 $0
    ${If} $2 == "\"
    ${OrIf} $2 == "/"
    ${OrIf} $2 == ":"
    ${OrIf} $3 == ".."
      SetErrors
    ${EndIf}
  ${Next}
!macroend

; The step failed: the wizard shows its aborted state, and we stop.
!macro FailUnlessDone
  ${If} ${Errors}
    StrCpy $Failed 1
    ${Report} "ID_ABORT"
  ${EndIf}
!macroend

; The wizard and its files into the temporary folder (removed when we end).
!macro ExtractWizard
  StrCpy $Failed 0
  InitPluginsDir
  SetOutPath "$PLUGINSDIR"
  File "/oname=GUI.exe" "${GUI_EXE}"
  File "${PACK_DIR}\GUI.ini"
  File "${PACK_DIR}\1045.ini"
  File "${PACK_DIR}\1033.ini"
  File "${PACK_DIR}\Pixora.dll"
  ReadINIStr $0 "$PLUGINSDIR\GUI.ini" PROJECT ProjectRegName
  StrCpy $Entry "${UNINSTALL_KEY}\$0"
  ; The wizard reads the uninstall entries in the 32-bit view.
  SetRegView 32
!macroend

; --- The installer ---

; The wizard sets UserAction 1 for the components the user chose, and only
; for those: no choice may come from an earlier run.
!macro ForgetChoice ID
  DeleteINIStr "$PLUGINSDIR\GUI.ini" "${ID}" UserAction
!macroend

; A component is installed when the wizard set its UserAction to 1.
!macro Install ID
  ReadINIStr $Chosen "$PLUGINSDIR\GUI.ini" "${ID}" UserAction
  ${If} $Failed == 0
  ${AndIf} $Chosen == 1
    ${Report} "ID_SECTION_${ID}"
!macroend
; ... its files copied, it is recorded for the uninstaller.
!macro InstallEnd ID
    ${If} $Failed == 0
      WriteRegDWORD HKLM $Entry "${ID}" 1
    ${EndIf}
  ${EndIf}
!macroend

; One file into a folder. (CopyFiles would not tell every failure: its
; shell operation can report success for a file it could not replace.)
!macro Copy FROM TO
  ${If} $Failed == 0
    ClearErrors
    CreateDirectory "${TO}"
    ${GetFileName} "${FROM}" $0
    System::Call 'kernel32::CopyFileW(w "$PLUGINSDIR\files\${FROM}", w "${TO}\$0", i 0)i.r0'
    ${If} $0 == 0
      SetErrors
    ${EndIf}
    !insertmacro FailUnlessDone
  ${EndIf}
!macroend

Section "-wizard"
  !insertmacro ExtractWizard
  SetOutPath "$PLUGINSDIR\files"
  File "${FILES}\${LANGUAGE_FILE}"
  File "/oname=gen_velmo.dll" "${HELP_PLUGIN}"
  File /r "${FILES}\skin"
  File /r "${FILES}\plugins"
  !insertmacro ForEachComponent ForgetChoice
  ; Without the user's confirmation nothing is done: the wizard's exit code
  ; (Cancel, no player, ...) is ours.
  ${StartWizard} 0
  ${WaitForCue} $0
  ${If} $0 != 1
    ${EndWithWizard}
    Quit
  ${EndIf}
  !insertmacro ReadPlayerFolders
SectionEnd

; The main pack first: the wizard's progress starts from it.
Section "-LANG_PACK_OFFICIAL_WLZ"
  !insertmacro Install LANG_PACK_OFFICIAL_WLZ
    !insertmacro Copy "${LANGUAGE_FILE}" "$LangFolder"
  !insertmacro InstallEnd LANG_PACK_OFFICIAL_WLZ
SectionEnd

Section "-LANG_PACK_HELP_PLUGIN"
  !insertmacro Install LANG_PACK_HELP_PLUGIN
    !insertmacro Copy "gen_velmo.dll" "$PluginsFolder"
  !insertmacro InstallEnd LANG_PACK_HELP_PLUGIN
SectionEnd

Section "-LANG_PACK_CLASSIC_SKIN"
  !insertmacro Install LANG_PACK_CLASSIC_SKIN
    !insertmacro CheckSkinName
    !insertmacro FailUnlessDone
    !insertmacro Copy "skin\readme.txt" "$SkinsFolder\$SkinName"
  !insertmacro InstallEnd LANG_PACK_CLASSIC_SKIN
SectionEnd

; Additional plugins: the wizard chose them only where the player has the
; plugin file the translation fits.
Section "-LANG_PACK_PLUGIN_MILKDROP"
  !insertmacro Install LANG_PACK_PLUGIN_MILKDROP
    !insertmacro Copy "plugins\vis_milk2_pl.lng" "$PluginsFolder"
  !insertmacro InstallEnd LANG_PACK_PLUGIN_MILKDROP
SectionEnd

Section "-LANG_PACK_PLUGIN_AVS"
  !insertmacro Install LANG_PACK_PLUGIN_AVS
    !insertmacro Copy "plugins\vis_avs_pl.lng" "$PluginsFolder"
  !insertmacro InstallEnd LANG_PACK_PLUGIN_AVS
SectionEnd

Section "-closing"
  ${If} $Failed == 0
    ${Report} "ID_SECTION_END"
    ClearErrors
    WriteUninstaller "$PlayerFolder\${UNINSTALLER}"
    ReadINIStr $0 "$PLUGINSDIR\GUI.ini" PROJECT ProjectFullName
    ReadINIStr $1 "$PLUGINSDIR\GUI.ini" PROJECT ProjectFullVersion
    ReadINIStr $2 "$PLUGINSDIR\GUI.ini" PROJECT ProjectAuthor
    ${GetTime} "" "L" $3 $4 $5 $6 $7 $8 $9
    WriteRegStr HKLM $Entry InstallLocation "$PlayerFolder"
    WriteRegStr HKLM $Entry InstallDate "$5$4$3"
    WriteRegStr HKLM $Entry UninstallString '"$PlayerFolder\${UNINSTALLER}"'
    WriteRegStr HKLM $Entry DisplayName "$0"
    WriteRegStr HKLM $Entry DisplayVersion "$1"
    WriteRegStr HKLM $Entry Publisher "$2"
    !insertmacro FailUnlessDone
  ${EndIf}
  ${If} $Failed == 0
    ${Report} "ID_SECTION_FINISH"
  ${EndIf}
  ${EndWithWizard}
SectionEnd

; --- The uninstaller ---

; A component is removed when the installer recorded it; the wizard lists
; only those (Install 0 for the others).
!macro Uninstall ID
  ReadRegDWORD $Chosen HKLM $Entry "${ID}"
  ${If} $Failed == 0
  ${AndIf} $Chosen == 1
    ${Report} "ID_SECTION_${ID}"
!macroend
!macro UninstallEnd ID
    ${If} $Failed == 0
      DeleteRegValue HKLM $Entry "${ID}"
    ${EndIf}
  ${EndIf}
!macroend

; Only what the installer put there: the player's own files stay.
!macro Remove FILE
  ${If} $Failed == 0
    ClearErrors
    Delete "${FILE}"
    !insertmacro FailUnlessDone
  ${EndIf}
!macroend

!macro ListIfInstalled ID
  ReadRegDWORD $0 HKLM $Entry "${ID}"
  ${If} $0 != 1
    WriteINIStr "$PLUGINSDIR\GUI.ini" "${ID}" Install 0
  ${EndIf}
!macroend

Section "-un.wizard"
  !insertmacro ExtractWizard
  !insertmacro ForEachComponent ListIfInstalled
  ${StartWizard} 1
  ${WaitForCue} $0
  ${If} $0 != 1
    ${EndWithWizard}
    Quit
  ${EndIf}
  !insertmacro ReadPlayerFolders
SectionEnd

Section "-un.LANG_PACK_OFFICIAL_WLZ"
  !insertmacro Uninstall LANG_PACK_OFFICIAL_WLZ
    !insertmacro Remove "$LangFolder\${LANGUAGE_FILE}"
  !insertmacro UninstallEnd LANG_PACK_OFFICIAL_WLZ
SectionEnd

Section "-un.LANG_PACK_HELP_PLUGIN"
  !insertmacro Uninstall LANG_PACK_HELP_PLUGIN
    !insertmacro Remove "$PluginsFolder\gen_velmo.dll"
  !insertmacro UninstallEnd LANG_PACK_HELP_PLUGIN
SectionEnd

Section "-un.LANG_PACK_CLASSIC_SKIN"
  !insertmacro Uninstall LANG_PACK_CLASSIC_SKIN
    !insertmacro CheckSkinName
    ${IfNot} ${Errors}
      ; Each file the installer copied.
      !insertmacro Remove "$SkinsFolder\$SkinName\readme.txt"
      ; The folder goes only when nothing of the user's is left in it.
      RMDir "$SkinsFolder\$SkinName"
    ${EndIf}
  !insertmacro UninstallEnd LANG_PACK_CLASSIC_SKIN
SectionEnd

Section "-un.LANG_PACK_PLUGIN_MILKDROP"
  !insertmacro Uninstall LANG_PACK_PLUGIN_MILKDROP
    !insertmacro Remove "$PluginsFolder\vis_milk2_pl.lng"
  !insertmacro UninstallEnd LANG_PACK_PLUGIN_MILKDROP
SectionEnd

Section "-un.LANG_PACK_PLUGIN_AVS"
  !insertmacro Uninstall LANG_PACK_PLUGIN_AVS
    !insertmacro Remove "$PluginsFolder\vis_avs_pl.lng"
  !insertmacro UninstallEnd LANG_PACK_PLUGIN_AVS
SectionEnd

Section "-un.closing"
  ${If} $Failed == 0
    ${Report} "ID_SECTION_END"
    ; Started as the system starts it, the uninstaller runs from a copy in
    ; the temporary folder and removes its own file; started in place
    ; (_?=folder) it cannot, and the caller removes it.
    Delete "$INSTDIR\${UNINSTALLER}"
    DeleteRegKey HKLM $Entry
    ${Report} "ID_SECTION_FINISH"
  ${EndIf}
  ${EndWithWizard}
SectionEnd
