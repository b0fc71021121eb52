// The hold on the installer copy: as written, against every change but reading.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/setup_copy_lock.h"
#include "app/setup_deploy.h"
#include "base/scoped_handles.h"
#include "own_payload.h"
#include "tools/harness/scratch_dir.h"

namespace {

// The copy the launcher holds cannot be rewritten, renamed or deleted, but
// can still be read and run; a file swapped in before the hold is refused.
TEST(LockSetupCopy, HoldsTheCopyAsWrittenAgainstEveryChangeButReading) {
  ScratchDir dir(L"lock");
  const std::wstring path = dir.File(L"Quarnel_Setup1.exe");
  BY_HANDLE_FILE_INFORMATION written = {};
  ASSERT_TRUE(ExtractPayload(path.c_str(), &written));
  {
    ScopedHandle lock;
    ASSERT_TRUE(LockSetupCopy(path.c_str(), written, lock));
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (DWORD access : {static_cast<DWORD>(GENERIC_WRITE), static_cast<DWORD>(DELETE)}) {
      ScopedHandle other(
          CreateFileW(path.c_str(), access, shareAll, nullptr, OPEN_EXISTING, 0, nullptr));
      EXPECT_FALSE(other.Valid()) << "access " << access;
      EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError()) << access;
    }
    EXPECT_FALSE(MoveFileW(path.c_str(), dir.File(L"moved.exe").c_str()));
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    ScopedHandle reader(
        CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(reader.Valid()) << "a scanner or the loader could not read it";
  }
  // Another file by the same name, as a swap in the moment before the hold:
  // the written one moved aside (kept, so that no file system can give its
  // number to the new one), the same bytes planted in its place.
  ASSERT_TRUE(MoveFileW(path.c_str(), dir.File(L"aside.exe").c_str()));
  ASSERT_TRUE(WriteWholeFile(path, OwnPayload()));
  ScopedHandle lock;
  const StepResult swapped = LockSetupCopy(path.c_str(), written, lock);
  EXPECT_FALSE(swapped.ok);
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_INVALID), swapped.error);
  EXPECT_FALSE(lock.Valid());
  // A writer still holding it: the hold is refused, not shared.
  ScopedHandle writer(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(writer.Valid());
  const StepResult held = LockSetupCopy(path.c_str(), written, lock);
  EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), held.error);
}

}  // namespace
