#include "app/private_folder.h"

#include "base/scoped_handles.h"
#include "base/system_path.h"

namespace {

// A SID buffer, aligned for the platform's SID structure.
struct SidBuffer {
  DWORD words[SECURITY_MAX_SID_SIZE / sizeof(DWORD)];
};

// An access list of two entries, each naming a SID of at most the largest
// size.
constexpr DWORD kTwoEntryAclBytes =
    sizeof(ACL) + 2 * (sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE);

// The folder's security: full control for SYSTEM and Administrators,
// inherited by what is created inside, and a protected list, so that nothing
// the shared parent grants (every user's right to create) flows in.
struct PrivateSecurity {
  SidBuffer sids[2];
  DWORD acl[kTwoEntryAclBytes / sizeof(DWORD)];
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
};

bool PreparePrivateSecurity(PrivateSecurity& security) {
  const WELL_KNOWN_SID_TYPE owners[2] = {WinLocalSystemSid, WinBuiltinAdministratorsSid};
  ACL* const acl = reinterpret_cast<ACL*>(security.acl);
  if (!InitializeAcl(acl, sizeof(security.acl), ACL_REVISION)) return false;
  for (int i = 0; i < 2; ++i) {
    DWORD bytes = sizeof(security.sids[i]);
    if (!CreateWellKnownSid(owners[i], nullptr, &security.sids[i], &bytes)) return false;
    if (!AddAccessAllowedAceEx(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                               FILE_ALL_ACCESS, &security.sids[i])) {
      return false;
    }
  }
  if (!InitializeSecurityDescriptor(&security.sd, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&security.sd, TRUE, acl, FALSE) ||
      !SetSecurityDescriptorControl(&security.sd, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
    return false;
  }
  security.sa.nLength = sizeof(security.sa);
  security.sa.lpSecurityDescriptor = &security.sd;
  security.sa.bInheritHandle = FALSE;
  return true;
}

// "Quarnel<n>\" in `parent` into `folder`; false, `folder` emptied, when it
// would not fit.
bool FormatPrivateFolder(LPCWSTR parent, DWORD n, WCHAR (&folder)[kLauncherPathChars]) {
  WCHAR name[32];
  wsprintfW(name, L"Quarnel%lu\\", n);
  return JoinPath(parent, name, folder, kLauncherPathChars);
}

}  // namespace

bool RunsAsLocalSystem(TokenQueryFunction query) {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
  const ScopedHandle token(raw);
  union {
    TOKEN_USER user;
    DWORD words[(sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE) / sizeof(DWORD)];
  } buffer = {};
  DWORD needed = 0;
  if (!query(token.Get(), TokenUser, &buffer, sizeof(buffer), &needed)) return false;
  return buffer.user.User.Sid && IsWellKnownSid(buffer.user.User.Sid, WinLocalSystemSid);
}

StepResult CreatePrivateFolder(LPCWSTR parent, WCHAR (&folder)[kLauncherPathChars],
                               CreateFolderFunction create) {
  folder[0] = L'\0';
  PrivateSecurity security = {};
  if (!PreparePrivateSecurity(security)) {
    return StepResult::FailedWithLastError(StepId::kPrivateFolder);
  }
  for (DWORD n = 1; n <= kLastPrivateFolderNumber; ++n) {
    if (!FormatPrivateFolder(parent, n, folder)) {
      return StepResult::Failed(StepId::kPrivateFolder, ERROR_FILENAME_EXCED_RANGE);
    }
    if (create(folder, &security.sa)) return StepResult::Done(StepId::kPrivateFolder);
    const DWORD error = GetLastError();
    folder[0] = L'\0';
    if (error != ERROR_ALREADY_EXISTS) return StepResult::Failed(StepId::kPrivateFolder, error);
  }
  return StepResult::Failed(StepId::kPrivateFolder, ERROR_FILE_EXISTS);
}
