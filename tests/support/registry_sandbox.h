// Redirects this process's HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER to fresh,
// empty keys for the life of the object, so unit tests can write the product's
// registry values without touching the prefix's real ones.
#pragma once
#include <windows.h>

#include <string>

class RegistrySandbox {
 public:
  RegistrySandbox();
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  // Writes a value under the sandboxed hive (HKEY_LOCAL_MACHINE or
  // HKEY_CURRENT_USER), creating the key. `data` is written as given, with
  // exactly `bytes` bytes, so tests can store unterminated or odd-typed data.
  void SetValue(HKEY hive, const wchar_t* subKey, const wchar_t* name, DWORD type, const void* data,
                DWORD bytes);
  void SetString(HKEY hive, const wchar_t* subKey, const wchar_t* name, const std::wstring& text);
  void SetDword(HKEY hive, const wchar_t* subKey, const wchar_t* name, DWORD value);
  // Reads a REG_SZ value back; false when missing or of another type.
  bool GetString(HKEY hive, const wchar_t* subKey, const wchar_t* name, std::wstring* text);

 private:
  HKEY Root(HKEY hive) const;
  std::wstring m_base;
  HKEY m_machine = nullptr;
  HKEY m_user = nullptr;
};
