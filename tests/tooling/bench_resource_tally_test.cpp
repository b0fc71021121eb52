// The resource tally that splits the launcher's resources by purpose, run on
// this test program, which carries the launcher's resources with a small
// payload: the payload must be counted at the size of the file it came from
// and nothing must fall into "other".
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "bench/size/resource_tally.h"
#include "run_paths.h"

namespace {

long long FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(BenchResourceTally, ClassesByTypeAndIdentifier) {
  struct Case {
    ULONG_PTR type, id;
    const char* expected;
  };
  const Case cases[] = {
      {10, 9300, "payload"}, {10, 9009, "artwork"}, {10, 1, "artwork"}, {3, 1, "icon"},
      {14, 128, "icon"},     {6, 1, "strings"},     {5, 142, "dialog"}, {16, 1, "version"},
      {24, 1, "manifest"},   {2, 1, "other"},       {23, 1, "other"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ResourceClass(c.type, c.id)) << c.type << "/" << c.id;
  }
}

TEST(BenchResourceTally, OwnModuleSplitsIntoTheLaunchersParts) {
  const ResourceTally tally = TallyResources(GetModuleHandleW(nullptr));
  const long long payloadFile =
      FileBytes(std::wstring(QUARNEL_TEST_STANDIN_DIR) + L"\\standin_installer.exe");
  ASSERT_GT(payloadFile, 0);
  ASSERT_EQ(1u, tally.count("payload"));
  EXPECT_EQ(static_cast<unsigned long long>(payloadFile), tally.at("payload").bytes);
  EXPECT_EQ(1u, tally.at("payload").count);
  // Six PNG images (background, icons and button sprites), each at 96, 144
  // and 192 DPI.
  ASSERT_EQ(1u, tally.count("artwork"));
  EXPECT_EQ(18u, tally.at("artwork").count);
  for (const char* part : {"icon", "strings", "dialog", "version", "manifest"}) {
    ASSERT_EQ(1u, tally.count(part)) << part;
    EXPECT_GT(tally.at(part).bytes, 0u) << part;
  }
  EXPECT_EQ(0u, tally.count("other"));
}

TEST(BenchResourceTally, SizesMatchTheResourceItself) {
  const ResourceTally tally = TallyResources(GetModuleHandleW(nullptr));
  HRSRC version = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_VERSION);
  ASSERT_NE(nullptr, version);
  ASSERT_EQ(1u, tally.count("version"));
  EXPECT_EQ(SizeofResource(nullptr, version), tally.at("version").bytes);
}

}  // namespace
