// A seeded fuzz of what other programs write and the launcher decides from:
// the uninstall key's values and the installed launcher's version resource.
// The seed is printed (QUARNEL_FUZZ_SEED=<n> replays it); a case that ever
// fails is kept as a row of the tables at the top, which run on every seed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/file_version.h"
#include "app/installed_product.h"
#include "app/version_api.h"
#include "base/qualified_path.h"
#include "registry_sandbox.h"
#include "run_paths.h"
#include "tools/harness/scratch_dir.h"
#include "tools/harness/version_resource.h"

namespace {

constexpr int kLocationCases = 3000;
constexpr int kBlockCases = 3000;
constexpr int kFileCases = 24;
constexpr int kLongestInstalledPath = kInstalledPathChars - 1;

// An "InstallLocation" as stored: its type and its bytes.
struct LocationCase {
  DWORD type;
  std::vector<BYTE> bytes;
};

std::vector<BYTE> Utf16(const std::wstring& text) {
  const BYTE* begin = reinterpret_cast<const BYTE*>(text.data());
  return std::vector<BYTE>(begin, begin + text.size() * sizeof(wchar_t));
}

// Kept cases: inputs that once broke a property, replayed on every seed.
std::vector<LocationCase> KeptLocationCases() {
  return {
      {REG_SZ, Utf16(std::wstring(L"\\\\?\\C:", 6))},
      {REG_MULTI_SZ, Utf16(std::wstring(L"\"\0C:\\Q\0\0", 9))},
      {REG_EXPAND_SZ, Utf16(std::wstring(L"%SystemDrive%", 14))},
      {REG_BINARY, {0x43, 0x00, 0x3A, 0x00, 0x5C}},  // "C:" and half a backslash
  };
}

// One seed for the whole program, so that one number replays every test.
unsigned FuzzSeed() {
  static const unsigned seed = [] {
    wchar_t text[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"QUARNEL_FUZZ_SEED", text, 16);
    const unsigned chosen = length > 0 && length < 16
                                ? static_cast<unsigned>(wcstoul(text, nullptr, 10))
                                : static_cast<unsigned>(GetTickCount() ^ GetCurrentProcessId());
    std::printf("fuzz seed %u (QUARNEL_FUZZ_SEED=%u replays it)\n", chosen, chosen);
    return chosen;
  }();
  return seed;
}

// Text pieces that make locations interesting: prefixes the path rules treat
// differently, and characters that quoting, joining and expansion meet.
const wchar_t* const kPieces[] = {
    L"C:\\",
    L"c:/",
    L"\\\\server\\share\\",
    L"\\\\?\\C:\\",
    L"\\\\.\\",
    L"\\\\?\\UNC\\s\\h",
    L"\\\\?\\GLOBALROOT\\",
    L"\\",
    L"/",
    L".",
    L"..\\",
    L"\"",
    L"%SystemDrive%",
    L"%TEMP%",
    L"%NOT_SET%",
    L"%",
    L"Apps",
    L"Q",
    L"Program Files",
    L"Quarnel.exe",
    L":",
    L"*",
    L"?",
    L"\x00E9",
    L"\x4E2D",
    L"\xD800",
    L" ",
    L"\t",
};

class Generator {
 public:
  explicit Generator(unsigned seed) : m_random(seed) {}

  int Below(int bound) { return static_cast<int>(m_random() % static_cast<unsigned>(bound)); }

  std::wstring Text(int maxChars) {
    std::wstring text;
    const int pieces = Below(12);
    for (int i = 0; i < pieces; ++i) {
      if (Below(4) == 0) {
        text.append(Below(40) + 1, static_cast<wchar_t>(L'a' + Below(26)));
      } else if (Below(10) == 0) {
        text.push_back(L'\0');
      } else {
        text += kPieces[Below(static_cast<int>(sizeof(kPieces) / sizeof(kPieces[0])))];
      }
    }
    if (Below(6) == 0) text.append(Below(300), L'x');
    if (static_cast<int>(text.size()) > maxChars) text.resize(maxChars);
    return text;
  }

  LocationCase Location() {
    static const DWORD kTypes[] = {REG_SZ,     REG_SZ,    REG_EXPAND_SZ, REG_MULTI_SZ,
                                   REG_BINARY, REG_DWORD, REG_QWORD,     REG_NONE};
    LocationCase c;
    c.type = Below(10) == 0 ? static_cast<DWORD>(Below(12))
                            : kTypes[Below(static_cast<int>(sizeof(kTypes) / sizeof(kTypes[0])))];
    c.bytes = Utf16(Text(300));
    if (Below(3) != 0) c.bytes.insert(c.bytes.end(), 2 * (1 + Below(2)), 0);
    // Cut anywhere, odd lengths included, or grown with noise, up to 600.
    if (Below(4) == 0) c.bytes.resize(Below(static_cast<int>(c.bytes.size()) + 1));
    while (Below(8) == 0 && c.bytes.size() < 600) c.bytes.push_back(static_cast<BYTE>(Below(256)));
    if (c.bytes.size() > 600) c.bytes.resize(600);
    return c;
  }

  // A version resource broken the ways resources written by other tools
  // are: cut, lengths that lie, no terminator, no table, another table.
  std::vector<BYTE> VersionResource() {
    VersionStringEntry entry;
    entry.value = Text(12);
    entry.terminate = Below(3) != 0;
    if (Below(5) == 0) entry.reportedLength = Below(0x10000);
    if (Below(8) == 0) entry.tableKey = Below(2) ? L"040904e4" : L"0409";
    if (Below(10) == 0) entry.name = L"FileVersio";
    std::vector<BYTE> resource =
        BuildVersionResource(Below(10) == 0 ? std::vector<VersionStringEntry>{}
                                            : std::vector<VersionStringEntry>{entry});
    const int lies = Below(4);
    for (int i = 0; i < lies && resource.size() >= 2; ++i) {
      const size_t at = Below(static_cast<int>(resource.size() / 2)) * 2;
      const int word = Below(3) == 0 ? 0xFFFF : Below(0x400);
      resource[at] = static_cast<BYTE>(word & 0xFF);
      resource[at + 1] = static_cast<BYTE>(word >> 8);
    }
    if (Below(4) == 0) resource.resize(Below(static_cast<int>(resource.size()) + 1));
    return resource;
  }

 private:
  std::mt19937 m_random;
};

std::string Hex(const std::vector<BYTE>& bytes) {
  std::string text;
  char two[4];
  for (BYTE b : bytes) {
    std::snprintf(two, sizeof(two), "%02x", b);
    text += two;
  }
  return text;
}

bool EndsWithLauncherName(const CString& path) {
  static const wchar_t kName[] = L"Quarnel.exe";
  const int nameChars = static_cast<int>(wcslen(kName));
  const int at = path.GetLength() - nameChars;
  if (at < 1) return false;
  const wchar_t separator = path.GetString()[at - 1];
  return (separator == L'\\' || separator == L'/') && wcscmp(path.GetString() + at, kName) == 0;
}

class InputFuzzTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(BindVersionApi());
    seed = FuzzSeed();
  }
  void TearDown() override { UnbindVersionApi(); }

  // Stores `c` as the install location and checks what detection makes of it.
  void CheckLocation(const LocationCase& c) {
    registry.SetValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", c.type, c.bytes.data(),
                      static_cast<DWORD>(c.bytes.size()));
    CString version = L"untouched";
    CString path = L"untouched";
    const bool installed = FindInstalledProduct(version, path).ok;
    const std::string row = "{" + std::to_string(c.type) + ", hex " + Hex(c.bytes) + "}";
    if (!installed) {
      EXPECT_STREQ(L"untouched", path.GetString()) << row;
    } else {
      EXPECT_TRUE(IsFullyQualifiedPath(path)) << row;
      EXPECT_LE(path.GetLength(), kLongestInstalledPath) << row;
      EXPECT_TRUE(EndsWithLauncherName(path)) << row;
      EXPECT_LE(version.GetLength(), kComparedVersionChars) << row;
    }
  }

  // Reads `resource` as the version library hands it over and checks the
  // version: a fault inside the library is the guard's to stop.
  void CheckBlock(const std::vector<BYTE>& resource) {
    std::vector<BYTE> block(resource);
    block.resize(resource.size() + kVersionBlockSlack);
    CString version = L"untouched";
    ReadVersionFromBlock(block.data(), static_cast<DWORD>(resource.size()), version);
    EXPECT_LE(version.GetLength(), kComparedVersionChars) << "hex " << Hex(resource);
  }

  unsigned seed = 0;
  RegistrySandbox registry;
};

TEST_F(InputFuzzTest, AnyInstallLocationGivesNoPathOrAQualifiedLauncherPath) {
  registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", L"Zelvane");
  for (const LocationCase& kept : KeptLocationCases()) CheckLocation(kept);
  Generator generate(seed);
  for (int i = 0; i < kLocationCases && !HasFailure(); ++i) CheckLocation(generate.Location());
}

TEST_F(InputFuzzTest, AnyVersionBlockGivesAtMostFourCharacters) {
  Generator generate(seed);
  for (int i = 0; i < kBlockCases && !HasFailure(); ++i) CheckBlock(generate.VersionResource());
}

TEST_F(InputFuzzTest, AnyVersionResourceInAFileGivesAtMostFourCharacters) {
  // Fewer cases: each one writes a program. Through the file the library
  // also sizes and copies the resource itself.
  ScratchDir dir(L"fuzz-version");
  Generator generate(seed + 1);
  const std::wstring source = std::wstring(QUARNEL_TEST_STANDIN_DIR) + L"\\Zelvane.exe";
  for (int i = 0; i < kFileCases && !HasFailure(); ++i) {
    const std::vector<BYTE> resource = generate.VersionResource();
    if (resource.empty()) continue;
    const std::wstring target = dir.File(L"case" + std::to_wstring(i) + L".exe");
    std::wstring error;
    if (!WriteVersionedCopy(source, target, resource, &error)) continue;  // refused by the writer
    CString version = L"untouched";
    EXPECT_TRUE(ReadFileVersion(target.c_str(), version)) << "hex " << Hex(resource);
    EXPECT_LE(version.GetLength(), kComparedVersionChars) << "hex " << Hex(resource);
  }
}

}  // namespace
