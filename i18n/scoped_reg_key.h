// An open registry key that closes itself, so every return path of a reader
// releases it.
#pragma once
#include <windows.h>

class CScopedRegKey {
 public:
  CScopedRegKey() = default;
  ~CScopedRegKey() { Close(); }
  CScopedRegKey(const CScopedRegKey&) = delete;
  CScopedRegKey& operator=(const CScopedRegKey&) = delete;

  // Opens `subKey` of `parent` with `access`, closing any key held before.
  // TRUE when a key is now held.
  BOOL Open(HKEY parent, LPCWSTR subKey, REGSAM access) {
    Close();
    if (RegOpenKeyExW(parent, subKey, 0, access, &m_hKey) != ERROR_SUCCESS) m_hKey = nullptr;
    return m_hKey != nullptr;
  }
  // Closes the held key, if any.
  void Close() {
    if (m_hKey) RegCloseKey(m_hKey);
    m_hKey = nullptr;
  }
  // The held key, or null.
  HKEY Get() const { return m_hKey; }

 private:
  HKEY m_hKey = nullptr;
};
