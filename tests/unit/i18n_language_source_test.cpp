// Where a language comes from: the user's locale and the service's
// "Language" value, including values that are malformed or out of range.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "i18n/language_source.h"
#include "registry_sandbox.h"
#include "tools/harness/expected_values.h"

namespace {

const wchar_t* const kServiceKey = expected::kServiceKey;

// The primary languages (low 8 bits of a locale) that have a language of
// their own, written independently of the code's table.
int ExpectedIndexOfPrimary(unsigned primary) {
  switch (primary) {
    case 0x04: return 6;
    case 0x07: return 2;
    case 0x0A: return 4;
    case 0x0C: return 1;
    case 0x10: return 3;
    case 0x11: return 7;
    case 0x16: return 5;
    default: return 0;
  }
}

TEST(LanguageIndexFromLcid, NamedLocales) {
  struct Case {
    LCID lcid;
    int expected;
  };
  const Case cases[] = {
      {0x0C0C, 1},                   // French (Canada)
      {0x040C, 1},                   // French (France)
      {0x0804, 6},                   // Chinese (PRC)
      {0x0404, 6},                   // Chinese (Taiwan): still Simplified Chinese
      {0x0C04, 6},                   // Chinese (Hong Kong)
      {0x7C04, 6},                   // Chinese (Traditional)
      {0x0419, 0},                   // Russian
      {0x0416, 5},                   // Portuguese (Brazil)
      {0x0816, 5},                   // Portuguese (Portugal)
      {0x0409, 0},                   // English (United States)
      {0x0809, 0},                   // English (United Kingdom)
      {0x0407, 2},                   // German
      {0x0807, 2},                   // German (Switzerland)
      {0x0410, 3},                   // Italian
      {0x040A, 4},                   // Spanish (traditional sort)
      {0x0C0A, 4},                   // Spanish (modern sort)
      {0x0411, 7},                   // Japanese
      {0x0412, 0},                   // Korean
      {0x0408, 0},                   // Greek
      {0x0000, 0},     {0x0400, 0},  // LOCALE_USER_DEFAULT itself
      {0x00040411, 7},               // Japanese with a sort identifier
      {0xFFFFFFFF, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, LanguageIndexFromLcid(c.lcid)) << std::hex << "lcid 0x" << c.lcid;
  }
}

TEST(LanguageIndexFromLcid, OnlyTheLowEightBitsCount) {
  // Every primary value under a spread of sublanguage and sort bits, so a
  // mapping that looked at more than the low byte, or missed a language,
  // shows up.
  const LCID highParts[] = {0x00000000, 0x00000400, 0x00000800, 0x00007C00,
                            0x00000100, 0x00000300, 0x00050000, 0xFFFFFF00};
  for (unsigned primary = 0; primary < 256; ++primary) {
    for (LCID high : highParts) {
      const LCID lcid = high | primary;
      ASSERT_EQ(ExpectedIndexOfPrimary(primary), LanguageIndexFromLcid(lcid))
          << std::hex << "lcid 0x" << lcid;
    }
  }
}

enum class Store { kNoKey, kKeyOnly, kValue };

struct ServiceCase {
  const char* name;
  Store store;
  DWORD type;
  std::vector<BYTE> data;
  DWORD expectedValue;
  int expectedIndex;
};

std::vector<ServiceCase> ServiceCases() {
  return {
      {"no service key", Store::kNoKey, 0, {}, 0, 0},
      {"key without the value", Store::kKeyOnly, 0, {}, 0, 0},
      {"dword 0", Store::kValue, REG_DWORD, {0, 0, 0, 0}, 0, 0},
      {"dword 1", Store::kValue, REG_DWORD, {1, 0, 0, 0}, 1, 1},
      {"dword 6", Store::kValue, REG_DWORD, {6, 0, 0, 0}, 6, 6},
      {"dword 7", Store::kValue, REG_DWORD, {7, 0, 0, 0}, 7, 7},
      {"dword 8", Store::kValue, REG_DWORD, {8, 0, 0, 0}, 8, 0},
      {"dword 0x106", Store::kValue, REG_DWORD, {6, 1, 0, 0}, 0x106, 0},
      {"dword 0xFFFFFFFF", Store::kValue, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFF, 0},
      {"empty binary", Store::kValue, REG_BINARY, {}, 0, 0},
      {"1 byte", Store::kValue, REG_BINARY, {5}, 5, 5},
      {"2 bytes", Store::kValue, REG_BINARY, {3, 1}, 0x0103, 0},
      {"2 bytes, high zero", Store::kValue, REG_BINARY, {2, 0}, 2, 2},
      {"3 bytes", Store::kValue, REG_BINARY, {1, 2, 3}, 0x030201, 0},
      {"4 bytes", Store::kValue, REG_BINARY, {4, 0, 0, 0}, 4, 4},
      {"5 bytes", Store::kValue, REG_BINARY, {6, 0, 0, 0, 0}, 0, 0},
      {"8 bytes, qword 6", Store::kValue, REG_QWORD, {6, 0, 0, 0, 0, 0, 0, 0}, 0, 0},
      {"8 bytes, binary 3", Store::kValue, REG_BINARY, {3, 0, 0, 0, 9, 9, 9, 9}, 0, 0},
      // Other types are read for their bytes: "6" as REG_SZ is 0x36, 0.
      {"string \"6\"", Store::kValue, REG_SZ, {'6', 0, 0, 0}, 0x36, 0},
      {"unterminated string", Store::kValue, REG_SZ, {'7', 0}, 0x37, 0},
      {"big-endian dword 7", Store::kValue, REG_DWORD_BIG_ENDIAN, {0, 0, 0, 7}, 0x07000000, 0},
      {"1-byte string type", Store::kValue, REG_SZ, {1}, 1, 1},
  };
}

void StoreCase(RegistrySandbox& sandbox, const ServiceCase& c) {
  if (c.store == Store::kNoKey) return;
  if (c.store == Store::kKeyOnly) {
    DWORD other = 3;
    sandbox.SetValue(HKEY_LOCAL_MACHINE, kServiceKey, L"Start", REG_DWORD, &other, sizeof(other));
    return;
  }
  sandbox.SetValue(HKEY_LOCAL_MACHINE, kServiceKey, L"Language", c.type,
                   c.data.empty() ? nullptr : c.data.data(), static_cast<DWORD>(c.data.size()));
}

TEST(ServiceLanguage, EveryStoredShapeOfTheValue) {
  for (const ServiceCase& c : ServiceCases()) {
    RegistrySandbox sandbox;
    StoreCase(sandbox, c);
    EXPECT_EQ(c.expectedValue, ReadServiceLanguage()) << c.name;
    EXPECT_EQ(c.expectedIndex, ServiceLanguageIndex()) << c.name;
  }
}

TEST(ServiceLanguage, LongerDataIsRefusedNotCut) {
  // The premise of the 0 for longer data: the registry refuses a 4-byte
  // buffer with ERROR_MORE_DATA instead of handing over the first 4 bytes.
  RegistrySandbox sandbox;
  const BYTE data[8] = {6, 0, 0, 0, 0, 0, 0, 0};
  sandbox.SetValue(HKEY_LOCAL_MACHINE, kServiceKey, L"Language", REG_BINARY, data, sizeof(data));
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_READ, &key));
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, L"Language", nullptr, nullptr,
                                              reinterpret_cast<BYTE*>(&value), &bytes));
  EXPECT_EQ(8u, bytes);
  RegCloseKey(key);
  EXPECT_EQ(0u, ReadServiceLanguage());
}

TEST(ServiceLanguage, ReadOnlyFromTheServiceKeyOfTheMachine) {
  RegistrySandbox sandbox;
  // The same value in the user's hive or under a similar key must not count.
  sandbox.SetDword(HKEY_CURRENT_USER, kServiceKey, L"Language", 6);
  sandbox.SetDword(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services\\zelvane2",
                   L"Language", 6);
  sandbox.SetDword(HKEY_LOCAL_MACHINE, kServiceKey, L"Languages", 6);
  EXPECT_EQ(0u, ReadServiceLanguage());
  EXPECT_EQ(LANGUAGE_ENGLISH, ServiceLanguageIndex());
}

TEST(ServiceLanguage, ReadAfreshAtEveryCall) {
  RegistrySandbox sandbox;
  const DWORD sequence[] = {3, 5, 9, 7, 0, 1};
  for (DWORD value : sequence) {
    sandbox.SetDword(HKEY_LOCAL_MACHINE, kServiceKey, L"Language", value);
    EXPECT_EQ(value, ReadServiceLanguage());
    EXPECT_EQ(value <= 7 ? static_cast<int>(value) : 0, ServiceLanguageIndex()) << value;
  }
}

}  // namespace
