; The sample product's installer: Quarnel.exe and Zelvane.exe into
; $PROGRAMFILES\Velmora\Zelvane, the uninstall key the launcher reads, and an
; uninstaller. Silent: the launcher starts it without parameters.
;
; Quarnel.exe is the launcher that started this installer (its parent
; process): the launcher carries this installer, so this installer cannot
; carry that launcher. A parent that is not this release's launcher (the
; installer started by hand) installs nothing and ends with 1603.
;
; Defines (makensis -D...), all but REBOOT_REQUIRED required:
;   VERSION                the release, d.dd.dddd ("DisplayVersion")
;   LAUNCHER_FILE_VERSION  the launcher's FILEVERSION, as a.b.c.d
;   ZELVANE_EXE            the sample main application to install
;   OUTFILE                the installer to write
;   REBOOT_REQUIRED        end with 3010, as after a file replaced at restart

Unicode true
SetCompressor /SOLID lzma
; No build times in the installer: the same inputs give the same bytes.
SetDateSave off
RequestExecutionLevel admin
SilentInstall silent
ManifestSupportedOS all

!include LogicLib.nsh

!define PRODUCT_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\{4C2E91B7-0D3A-4F68-A5E2-7B19C6D03F8A}"
; ERROR_INSTALL_FAILURE, ERROR_SUCCESS_REBOOT_REQUIRED: what deployment tools expect.
!define EXIT_INSTALL_FAILED 1603
!define EXIT_REBOOT_REQUIRED 3010

Name "Zelvane"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Velmora\Zelvane"
VIProductVersion "${LAUNCHER_FILE_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Zelvane"
VIAddVersionKey /LANG=1033 "CompanyName" "Velmora"
VIAddVersionKey /LANG=1033 "FileDescription" "Zelvane Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Velmora"

UninstPage uninstConfirm
UninstPage instfiles

; The image path of this process's parent into $0; empty when it is gone or
; cannot be asked.
Function ParentImagePath
  StrCpy $0 ""
  System::Call 'kernel32::GetCurrentProcessId() i .r1'
  ; TH32CS_SNAPPROCESS
  System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .r2'
  ${If} $2 = -1
    Return
  ${EndIf}
  ; PROCESSENTRY32W, dwSize filled in.
  System::Call '*(&l4, i, i, p, i, i, i, i, i, &w260) p .r3'
  System::Call 'kernel32::Process32FirstW(p r2, p r3) i .r4'
  ${DoWhile} $4 <> 0
    System::Call '*$3(i, i, i .r5, p, i, i, i .r6)'
    ${If} $5 = $1
      ; PROCESS_QUERY_LIMITED_INFORMATION
      System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r6) p .r7'
      ${If} $7 <> 0
        System::Call 'kernel32::QueryFullProcessImageNameW(p r7, i 0, w .r0, *i ${NSIS_MAX_STRLEN}) i .r8'
        ${If} $8 = 0
          StrCpy $0 ""
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r7)'
      ${EndIf}
      ${Break}
    ${EndIf}
    System::Call 'kernel32::Process32NextW(p r2, p r3) i .r4'
  ${Loop}
  System::Free $3
  System::Call 'kernel32::CloseHandle(p r2)'
FunctionEnd

; $0 stays the launcher's path when its FILEVERSION is this release's;
; otherwise $0 is emptied.
Function KeepOnlyThisLauncher
  ClearErrors
  GetDLLVersion "$0" $R0 $R1
  ${If} ${Errors}
    StrCpy $0 ""
    Return
  ${EndIf}
  IntOp $R2 $R0 >> 16
  IntOp $R3 $R0 & 0xFFFF
  IntOp $R4 $R1 >> 16
  IntOp $R5 $R1 & 0xFFFF
  ${If} "$R2.$R3.$R4.$R5" != "${LAUNCHER_FILE_VERSION}"
    StrCpy $0 ""
  ${EndIf}
FunctionEnd

Function Fail
  SetErrorLevel ${EXIT_INSTALL_FAILED}
  Quit
FunctionEnd

Section "Zelvane"
  Call ParentImagePath
  Call KeepOnlyThisLauncher
  ${If} $0 == ""
    Call Fail
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    Call Fail
  ${EndIf}
  SetOutPath "$INSTDIR"
  ClearErrors
  CopyFiles /SILENT "$0" "$INSTDIR\Quarnel.exe"
  ${If} ${Errors}
    Call Fail
  ${EndIf}
  File "/oname=Zelvane.exe" "${ZELVANE_EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    Call Fail
  ${EndIf}

  ; The 32-bit view, where the 32-bit launcher looks, also under WoW64.
  SetRegView 32
  WriteRegStr HKLM "${PRODUCT_KEY}" "DisplayName" "Zelvane"
  WriteRegStr HKLM "${PRODUCT_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${PRODUCT_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${PRODUCT_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${PRODUCT_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${PRODUCT_KEY}" "Publisher" "Velmora"
  WriteRegStr HKLM "${PRODUCT_KEY}" "DisplayIcon" '"$INSTDIR\Quarnel.exe"'
  WriteRegDWORD HKLM "${PRODUCT_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${PRODUCT_KEY}" "NoRepair" 1
  ${If} ${Errors}
    Call Fail
  ${EndIf}
!ifdef REBOOT_REQUIRED
  SetRebootFlag true
!endif
SectionEnd

Function .onInstSuccess
  ${If} ${RebootFlag}
    SetErrorLevel ${EXIT_REBOOT_REQUIRED}
  ${Else}
    SetErrorLevel 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\Quarnel.exe"
  Delete "$INSTDIR\Zelvane.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The publisher's folder goes only when no other product of it is left.
  RMDir "$INSTDIR\.."
  SetRegView 32
  DeleteRegKey HKLM "${PRODUCT_KEY}"
SectionEnd
