// The folders of the test lane a program runs in (see run_paths.h).
#include <windows.h>

#include <string>

#include "run_paths.h"

namespace {

// The value of environment variable `name`, whole, or `builtIn` when it is
// unset or empty.
std::wstring FolderFromEnvironment(const wchar_t* name, const wchar_t* builtIn) {
  const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
  if (needed <= 1) return builtIn;
  std::wstring value(needed, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, &value[0], needed);
  if (length == 0 || length >= needed) return builtIn;
  value.resize(length);
  return value;
}

}  // namespace

const wchar_t* LaneArtifactDir() {
  static const std::wstring folder =
      FolderFromEnvironment(L"QUARNEL_TEST_ARTIFACT_DIR", QUARNEL_TEST_BUILT_ARTIFACT_DIR);
  return folder.c_str();
}

const wchar_t* LaneScratchDir() {
  static const std::wstring folder =
      FolderFromEnvironment(L"QUARNEL_TEST_SCRATCH_DIR", QUARNEL_TEST_BUILT_SCRATCH_DIR);
  return folder.c_str();
}

const wchar_t* LaneProductStandinDir() {
  static const std::wstring folder =
      FolderFromEnvironment(L"QUARNEL_TEST_PRODUCT_STANDIN_DIR", L"");
  return folder.c_str();
}
