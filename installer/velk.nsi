; velk's installer. The build (installer/CMakeLists.txt, target velk_setup) passes every file's
; place and the version with /D, so this script holds no build paths and no version of its own:
;   VERSION, VERSION_QUAD, OUTFILE, VELK_EXE, RENDER_EXE, README, SAMPLE_DIR, ICON
; and AMD64 when the programs are the 64-bit build (the one tested where 32-bit programs
; cannot run), which needs a 64-bit installer in the 64-bit Program Files.
;
; Exit codes: 0 installed; 1 cancelled; 2 failed (a file not written, or velk.exe -INSTALL did
; not register .vlk). /S installs without questions, as does the uninstaller's /S.

!ifdef AMD64
Target amd64-unicode
!else
Unicode true
!endif
!include "MUI2.nsh"
!include "LogicLib.nsh"

; What velk.exe writes for the .vlk association (src/shellreg/file_association.*): keys under
; HKEY_CLASSES_ROOT, the program id as the default value of ".vlk".
!define PROGRAM_ID "velk Print Preview Document"
!define OPEN_COMMAND_KEY "${PROGRAM_ID}\shell\open\command"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\velk"
!define PUBLISHER "The velk developers"

Name "velk ${VERSION}"
OutFile "${OUTFILE}"
!ifdef AMD64
InstallDir "$PROGRAMFILES64\velk"
!else
; A 32-bit program: on 64-bit Windows $PROGRAMFILES is "Program Files (x86)", where it belongs.
InstallDir "$PROGRAMFILES\velk"
!endif
; An installed velk's folder is offered first, so that installing again upgrades in place.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Program Files, the machine-wide Start menu and HKLM need an administrator.
RequestExecutionLevel admin
; A file that cannot be replaced (velk.exe still running) may be retried or cancelled, never
; skipped: a half-upgraded folder would pass for a good one.
AllowSkipFiles off
SetCompressor /SOLID lzma

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "velk"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "velk Print and Preview Setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; $R1 = the open command velk.exe writes for itself at path $R0: the path in quotation marks
; when it holds a blank, then %1 (VerbCommand in src/shellreg). Both the installer (to check
; the registration) and the uninstaller (to recognise its own) need it.
!macro DEFINE_OPEN_COMMAND_FOR prefix
Function ${prefix}OpenCommandFor
    Push $R2
    Push $R3
    StrCpy $R1 "$R0 %1"
    StrCpy $R2 0
    next_character:
        StrCpy $R3 $R0 1 $R2
        StrCmp $R3 "" done
        StrCmp $R3 " " quoted
        IntOp $R2 $R2 + 1
        Goto next_character
    quoted:
        StrCpy $R1 '"$R0" %1'
    done:
    Pop $R3
    Pop $R2
FunctionEnd
!macroend
!insertmacro DEFINE_OPEN_COMMAND_FOR ""
!insertmacro DEFINE_OPEN_COMMAND_FOR "un."

; Stops the installation with exit code 2 and the reason in the details list (and, when not
; silent, the message box).
!macro FAIL reason
    DetailPrint "${reason}"
    MessageBox MB_OK|MB_ICONSTOP "${reason}" /SD IDOK
    SetErrorLevel 2
    Abort "${reason}"
!macroend

Section "velk"
    ; Shortcuts for every user of the machine, like the Program Files folder.
    SetShellVarContext all

    SetOutPath "$INSTDIR"
    SetOverwrite on
    ClearErrors
    File "/oname=velk.exe" "${VELK_EXE}"
    File "/oname=velk-render.exe" "${RENDER_EXE}"
    File "/oname=readme.txt" "${README}"
    ; The sample names its chart bitmap without a folder, so the two stay side by side.
    File "/oname=sample.vlk" "${SAMPLE_DIR}/sample.vlk"
    File "/oname=nwl-sales-chart.bmp" "${SAMPLE_DIR}/nwl-sales-chart.bmp"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ${If} ${Errors}
        !insertmacro FAIL "Could not write velk's files into $INSTDIR."
    ${EndIf}

    ; Shortcuts start in $INSTDIR (the current SetOutPath): velk finds the sample's chart there.
    ; velk.exe takes the rest of its command line as the document's name, quotation marks and
    ; all, so the sample's path goes unquoted even when it holds blanks (as the shell's %1 does).
    CreateDirectory "$SMPROGRAMS\velk"
    CreateShortCut "$SMPROGRAMS\velk\velk.lnk" "$INSTDIR\velk.exe" "" "$INSTDIR\velk.exe" 0
    CreateShortCut "$SMPROGRAMS\velk\velk Sample Report.lnk" "$INSTDIR\velk.exe" \
        "$INSTDIR\sample.vlk" "$INSTDIR\velk.exe" 0

    ; velk.exe registers .vlk itself, so that the association is exactly the one velk checks and
    ; shows (-SHOWREG). Its exit code says only that it ran, so the open command it leaves in
    ; the registry is read back as well.
    ClearErrors
    ExecWait '"$INSTDIR\velk.exe" -INSTALL' $0
    ${If} ${Errors}
        !insertmacro FAIL "Could not start $INSTDIR\velk.exe to register .vlk documents."
    ${EndIf}
    ${If} $0 <> 0
        !insertmacro FAIL "velk.exe -INSTALL ended with exit code $0: .vlk documents are not registered."
    ${EndIf}
    StrCpy $R0 "$INSTDIR\velk.exe"
    Call OpenCommandFor
    ReadRegStr $1 HKCR "${OPEN_COMMAND_KEY}" ""
    ${If} $1 != $R1
        !insertmacro FAIL "velk.exe -INSTALL did not register .vlk documents (open command: $1)."
    ${EndIf}

    ; The entry in Windows' list of installed programs.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "velk"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velk.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    ; Quoted: an unquoted path with a blank could start "C:\Program.exe".
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize 0 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $2
SectionEnd

Section "Uninstall"
    SetShellVarContext all

    ; The association is this velk's only while its open command starts the velk.exe being
    ; removed: one that another velk (or a copy run elsewhere) wrote since stays as it is.
    StrCpy $R0 "$INSTDIR\velk.exe"
    Call un.OpenCommandFor
    ReadRegStr $0 HKCR "${OPEN_COMMAND_KEY}" ""
    ${If} $0 == $R1
        DeleteRegKey HKCR "${PROGRAM_ID}"
        ; Only velk's default value: other programs may keep their own entries under ".vlk".
        ReadRegStr $1 HKCR ".vlk" ""
        ${If} $1 == "${PROGRAM_ID}"
            DeleteRegValue HKCR ".vlk" ""
            DeleteRegKey /ifempty HKCR ".vlk"
        ${EndIf}
        ; SHCNE_ASSOCCHANGED: Explorer forgets the association now, not at the next sign-in.
        System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
    ${EndIf}

    Delete "$SMPROGRAMS\velk\velk.lnk"
    Delete "$SMPROGRAMS\velk\velk Sample Report.lnk"
    RMDir "$SMPROGRAMS\velk"

    ; Only the files the installer put there, and the folder only when nothing else is left in
    ; it: documents a reader saved into it stay.
    Delete "$INSTDIR\velk.exe"
    Delete "$INSTDIR\velk-render.exe"
    Delete "$INSTDIR\readme.txt"
    Delete "$INSTDIR\sample.vlk"
    Delete "$INSTDIR\nwl-sales-chart.bmp"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
