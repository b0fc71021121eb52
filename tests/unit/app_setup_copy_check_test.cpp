// The held copy read back against the payload before it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/setup_copy_check.h"
#include "base/scoped_handles.h"
#include "own_payload.h"
#include "tools/harness/scratch_dir.h"

namespace {

// What the launcher starts is the payload exactly: a copy that differs in
// a byte, or in its length, is refused through the hold.
TEST(CheckSetupCopy, OnlyThePayloadsOwnBytesPass) {
  const std::string payload = OwnPayload();
  ASSERT_GT(payload.size(), 1000u);
  std::string changed = payload;
  changed[changed.size() / 2] ^= 1;
  const struct {
    const char* name;
    std::string bytes;
    DWORD error;
  } cases[] = {
      {"as written", payload, 0},
      {"a byte changed", changed, ERROR_FILE_INVALID},
      {"a byte more", payload + "x", ERROR_FILE_INVALID},
      {"a byte less", payload.substr(0, payload.size() - 1), ERROR_FILE_INVALID},
  };
  ScratchDir dir(L"check");
  for (const auto& c : cases) {
    const std::wstring path = dir.File(L"Quarnel_Setup1.exe");
    ASSERT_TRUE(WriteWholeFile(path, c.bytes)) << c.name;
    const ScopedHandle lock(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.Valid()) << c.name;
    const StepResult checked = CheckSetupCopy(lock.Get());
    EXPECT_EQ(c.error == 0, checked.ok) << c.name;
    EXPECT_EQ(c.error, checked.error) << c.name;
    EXPECT_EQ(StepId::kSetupCheck, checked.step) << c.name;
  }
}

}  // namespace
