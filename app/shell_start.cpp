#include "app/shell_start.h"

DWORD ErrorOfShellInstance(INT_PTR instance) {
  // Values 2, 3, 5, 8, 11 and 32 share their numbers with Windows errors but
  // not all mean the same; the others have numbers of their own.
  switch (instance) {
    case 0: return ERROR_OUTOFMEMORY;
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
    case SE_ERR_OOM: return ERROR_NOT_ENOUGH_MEMORY;
    case ERROR_BAD_FORMAT: return ERROR_BAD_EXE_FORMAT;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
  }
  return ERROR_GEN_FAILURE;
}

StepResult StartThroughShell(SHELLEXECUTEINFOW& info, StepId step) {
  SetLastError(ERROR_SUCCESS);
  const BOOL started = ShellExecuteExW(&info);
  const DWORD lastError = started ? 0 : GetLastError();
  const INT_PTR instance = reinterpret_cast<INT_PTR>(info.hInstApp);
  if (started && instance > 32) return StepResult::Done(step);
  return StepResult::Failed(step, lastError ? lastError : ErrorOfShellInstance(instance));
}
