; The installer people know: a Modern UI 2 installer with the pages of a
; language pack, in Polish, with a 1 MiB payload. Built at bench time with
; Debian's makensis; the start-up benchmark measures the wizard against it.
!include "MUI2.nsh"

Name "Lingvora"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES\Winamp"
RequestExecutionLevel user
Unicode true

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "Polish"

Section "Pakiet językowy" main
  SetOutPath "$INSTDIR\Lang"
  File "${PAYLOAD}"
SectionEnd

Section "Pomoc" help
SectionEnd
