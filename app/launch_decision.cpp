#include "app/launch_decision.h"

#include "app/file_version.h"
#include "app/installed_product.h"
#include "app/interactive_session.h"
#include "app/launch_rules.h"
#include "app/own_path.h"
#include "app/trace.h"

void ReadOwnVersion(WCHAR (&ownPath)[kLauncherPathChars], CString& ownVersion) {
  if (!GetOwnModulePath(ownPath)) {
    Trace(L"own: GetModuleFileNameW failed or cut the path, error %lu", GetLastError());
  }
  if (ReadFileVersion(ownPath, ownVersion)) {
    Trace(L"own: %s", ownVersion.GetString());
  } else {
    Trace(L"own: no version, the file \"%s\" was not found", ownPath);
  }
}

namespace {

// The product's uninstall key read; true when the product counts as
// installed, with its version and launcher path filled.
bool DetectInstalledProduct(CString& installedVersion, CString& installedPath) {
  const StepResult found = FindInstalledProduct(installedVersion, installedPath);
  if (found) {
    Trace(L"installed: %s at %s", installedVersion.GetString(), installedPath.GetString());
  } else {
    Trace(L"installed: no, %s failed, error %lu", StepCallName(found.step), found.error);
  }
  return found.ok;
}

// true when the user accepts the update of an older installed product (OK);
// Cancel, the close button or no answer at all refuse it. Where nobody can
// see the question, its default button answers it: a deployment tool that
// runs the newer launcher means it to update.
bool UserAcceptsUpdate(CMsgDlg& dialog) {
  if (!IsInteractiveSession()) {
    Trace(L"decision: update, nobody to ask");
    return true;
  }
  const INT_PTR answer = dialog.AskUpdate();
  Trace(L"decision: ask update -> %s", DialogResultName(answer));
  return answer == IDOK;
}

}  // namespace

bool DecideToInstall(bool force, LPCWSTR ownVersion, CMsgDlg& dialog, CString& installedPath) {
  if (force) {
    Trace(L"decision: install, forced by -P");
    return true;
  }
  CString installedVersion;
  if (!DetectInstalledProduct(installedVersion, installedPath)) {
    Trace(L"decision: install, product not installed");
    return true;
  }
  if (IsUpdateOffered(ownVersion, installedVersion)) return UserAcceptsUpdate(dialog);
  Trace(L"decision: hand-off, own %s is not newer than installed %s", ownVersion,
        installedVersion.GetString());
  return false;
}
