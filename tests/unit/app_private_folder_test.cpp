// The folder of its own a run as LocalSystem writes its copy to.
#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "app/private_folder.h"
#include "app/setup_deploy.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/scratch_dir.h"

namespace {

// CreateDirectoryW, keeping the access list each creation asked for: Wine
// keeps none of a folder's, so only the request can be read back.
struct RecordingFolders {
  static std::vector<std::wstring> asked;
  static BOOL WINAPI Create(LPCWSTR path, LPSECURITY_ATTRIBUTES security) {
    LPWSTR text = nullptr;
    if (security && ConvertSecurityDescriptorToStringSecurityDescriptorW(
                        security->lpSecurityDescriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                        &text, nullptr)) {
      asked.push_back(text);
      LocalFree(text);
    } else {
      asked.push_back(L"default");
    }
    return CreateDirectoryW(path, security);
  }
};
std::vector<std::wstring> RecordingFolders::asked;

// A folder of the first name, which anyone may have made in a shared
// folder, is never used; the new one grants SYSTEM and Administrators full
// control, passed on to what is created in it, and takes nothing from its
// parent.
TEST(CreatePrivateFolder, GrantsSystemAndAdministratorsAloneInAFolderNobodyMadeBefore) {
  ScratchDir dir(L"private");
  ASSERT_TRUE(CreateDirectoryW(dir.File(L"Quarnel1").c_str(), nullptr));
  wchar_t folder[kDeployPathChars];
  const StepResult created =
      CreatePrivateFolder(dir.Path().c_str(), folder, RecordingFolders::Create);
  EXPECT_TRUE(created.ok) << created.error;
  EXPECT_TRUE(SamePath(dir.File(L"Quarnel2"), folder)) << folder;
  EXPECT_EQ(L'\\', folder[wcslen(folder) - 1]);
  EXPECT_TRUE(PathIsDirectoryW(folder));
  const std::wstring privateOnly = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
  EXPECT_EQ(std::vector<std::wstring>({privateOnly, privateOnly}), RecordingFolders::asked);
  const std::wstring overlong = L"C:\\" + std::wstring(250, L'p');
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE),
            CreatePrivateFolder(overlong.c_str(), folder).error);
  EXPECT_STREQ(L"", folder);
}

}  // namespace
