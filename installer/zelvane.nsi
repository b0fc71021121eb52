; The sample product's installer: Quarnel.exe and Zelvane.exe into
; $PROGRAMFILES\Velmora\Zelvane, the uninstall key the launcher reads, and an
; uninstaller. Silent: the launcher starts it without parameters.
;
; Quarnel.exe is the launcher that started this installer (its parent
; process): the launcher carries this installer, so this installer cannot
; carry that launcher. A parent that is not this release's launcher (the
; installer started by hand) installs nothing and ends with 1603.
;
; The installed Quarnel.exe's FileVersion is the version the launcher sees
; installed, so it is written last and whole: an install that fails before it
; leaves the old version, whose downloads offer the update again. While a
; file of the product is in use (Zelvane.exe runs) nothing is written and the
; installer ends with 1603; the uninstaller then removes nothing and ends with
; 1603 too, and it removes the uninstall key only once the files are gone.
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

!macro FailAndInUse un
Function ${un}Fail
  SetErrorLevel ${EXIT_INSTALL_FAILED}
  Quit
FunctionEnd

; Ends the run through Fail when the file $1 exists and cannot be opened for
; writing: a running program's image, or a file another program holds.
Function ${un}FailIfInUse
  ${If} ${FileExists} "$1"
    ; GENERIC_WRITE, any sharing, OPEN_EXISTING
    System::Call 'kernel32::CreateFileW(w r1, i 0x40000000, i 7, p 0, i 3, i 0, p 0) p .r4'
    ${If} $4 = -1
      Call ${un}Fail
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r4)'
  ${EndIf}
FunctionEnd
!macroend
!insertmacro FailAndInUse ""
!insertmacro FailAndInUse "un."

; $7 = "serial:high:low" of the open file $4, which it closes; empty when
; $4 is no handle or cannot be asked.
Function FileIdentity
  StrCpy $7 ""
  ${If} $4 = -1
    Return
  ${EndIf}
  ; BY_HANDLE_FILE_INFORMATION, 52 bytes
  System::Alloc 52
  Pop $8
  System::Call 'kernel32::GetFileInformationByHandle(p r4, p r8) i .r9'
  ${If} $9 <> 0
    System::Call '*$8(i, i, i, i, i, i, i, i .r9, i, i, i, i .R8, i .R9)'
    StrCpy $7 "$9:$R8:$R9"
  ${EndIf}
  System::Free $8
  System::Call 'kernel32::CloseHandle(p r4)'
FunctionEnd

; $3 = 1 when the paths $1 and $2 name one file (one volume, one file index,
; whatever short names, links or case say), else 0.
Function SameFile
  StrCpy $3 0
  System::Call 'kernel32::CreateFileW(w r1, i 0, i 7, p 0, i 3, i 0, p 0) p .r4'
  Call FileIdentity
  StrCpy $5 $7
  System::Call 'kernel32::CreateFileW(w r2, i 0, i 7, p 0, i 3, i 0, p 0) p .r4'
  Call FileIdentity
  ${If} $5 != ""
  ${AndIf} $5 == $7
    StrCpy $3 1
  ${EndIf}
FunctionEnd

; Puts the launcher $0 in place as $INSTDIR\Quarnel.exe whole or not at all:
; copied beside it, then renamed over it in one step. On failure the error
; flag is set and the previous Quarnel.exe is as it was.
Function InstallLauncher
  StrCpy $1 "$INSTDIR\Quarnel.exe.new"
  System::Call 'kernel32::CopyFileW(w r0, w r1, i 0) i .r4'
  ${If} $4 <> 0
    ; MOVEFILE_REPLACE_EXISTING
    System::Call 'kernel32::MoveFileExW(w r1, w "$INSTDIR\Quarnel.exe", i 1) i .r4'
  ${EndIf}
  ${If} $4 = 0
    Delete "$1"
    SetErrors
  ${EndIf}
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
  ; Started by the installed launcher (-P, a repair), the launcher is
  ; already in place, and a file cannot be copied onto itself.
  StrCpy $1 "$0"
  StrCpy $2 "$INSTDIR\Quarnel.exe"
  Call SameFile
  StrCpy $R7 $3
  ; Nothing is written while the product runs.
  StrCpy $1 "$INSTDIR\Zelvane.exe"
  Call FailIfInUse
  ${If} $R7 <> 1
    StrCpy $1 "$INSTDIR\Quarnel.exe"
    Call FailIfInUse
  ${EndIf}

  SetOutPath "$INSTDIR"
  ClearErrors
  File "/oname=Zelvane.exe" "${ZELVANE_EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    Call Fail
  ${EndIf}
  ; The 32-bit view, where the 32-bit launcher looks, also under WoW64.
  SetRegView 32
  ; The version the key named before, put back should the launcher fail.
  ReadRegStr $R6 HKLM "${PRODUCT_KEY}" "DisplayVersion"
  ClearErrors
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

  ; Last: with this launcher in place the product claims the new version.
  ${If} $R7 <> 1
    Call InstallLauncher
    ${If} ${Errors}
      ${If} $R6 == ""
        DeleteRegKey HKLM "${PRODUCT_KEY}"
      ${Else}
        WriteRegStr HKLM "${PRODUCT_KEY}" "DisplayVersion" "$R6"
      ${EndIf}
      Call Fail
    ${EndIf}
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
  ; All or nothing: nothing goes while a file of the product is in use.
  StrCpy $1 "$INSTDIR\Zelvane.exe"
  Call un.FailIfInUse
  StrCpy $1 "$INSTDIR\Quarnel.exe"
  Call un.FailIfInUse
  Delete "$INSTDIR\Zelvane.exe"
  Delete "$INSTDIR\Quarnel.exe"
  ; Files left behind keep the key: the product stays registered, for its
  ; launcher to repair or a download to update.
  ${If} ${FileExists} "$INSTDIR\Zelvane.exe"
  ${OrIf} ${FileExists} "$INSTDIR\Quarnel.exe"
    Call un.Fail
  ${EndIf}
  ; Run in place (_?=), the uninstaller cannot remove itself: its caller does.
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The publisher's folder goes only when no other product of it is left.
  RMDir "$INSTDIR\.."
  SetRegView 32
  DeleteRegKey HKLM "${PRODUCT_KEY}"
SectionEnd
