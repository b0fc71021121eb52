#include "registry_sandbox.h"

#include <gtest/gtest.h>

namespace {
HKEY CreateKey(HKEY parent, const std::wstring& path) {
  HKEY key = nullptr;
  LONG rc =
      RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  EXPECT_EQ(ERROR_SUCCESS, rc) << "creating sandbox key";
  return key;
}
}  // namespace

RegistrySandbox::RegistrySandbox() {
  // Opened before the override: the sandbox lives in the real HKCU.
  m_base = L"Software\\QuarnelTestSandbox\\" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(GetTickCount());
  RegDeleteTreeW(HKEY_CURRENT_USER, m_base.c_str());
  m_machine = CreateKey(HKEY_CURRENT_USER, m_base + L"\\HKLM");
  m_user = CreateKey(HKEY_CURRENT_USER, m_base + L"\\HKCU");
  EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_machine));
  EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, m_user));
}

RegistrySandbox::~RegistrySandbox() {
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (m_machine) RegCloseKey(m_machine);
  if (m_user) RegCloseKey(m_user);
  RegDeleteTreeW(HKEY_CURRENT_USER, m_base.c_str());
}

HKEY RegistrySandbox::Root(HKEY hive) const {
  return hive == HKEY_LOCAL_MACHINE ? m_machine : m_user;
}

void RegistrySandbox::SetValue(HKEY hive, const wchar_t* subKey, const wchar_t* name, DWORD type,
                               const void* data, DWORD bytes) {
  HKEY key = CreateKey(Root(hive), subKey);
  ASSERT_NE(nullptr, key);
  EXPECT_EQ(ERROR_SUCCESS,
            RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes));
  RegCloseKey(key);
}

void RegistrySandbox::SetString(HKEY hive, const wchar_t* subKey, const wchar_t* name,
                                const std::wstring& text) {
  SetValue(hive, subKey, name, REG_SZ, text.c_str(),
           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RegistrySandbox::SetDword(HKEY hive, const wchar_t* subKey, const wchar_t* name, DWORD value) {
  SetValue(hive, subKey, name, REG_DWORD, &value, sizeof(value));
}

bool RegistrySandbox::GetString(HKEY hive, const wchar_t* subKey, const wchar_t* name,
                                std::wstring* text) {
  wchar_t buffer[1024] = {};
  DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
  DWORD type = 0;
  if (RegGetValueW(Root(hive), subKey, name, RRF_RT_ANY, &type, buffer, &bytes) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return false;
  }
  *text = buffer;
  return true;
}
