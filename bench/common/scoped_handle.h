// Owners of kernel handles and registry keys, closed on every path. Header
// only and free of the standard library, so that every bench program (those
// built like the launcher too) can use them.
#pragma once
#include <windows.h>

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle = nullptr) : m_handle(handle) {}
  ~ScopedHandle() {
    if (Valid()) CloseHandle(m_handle);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  HANDLE Get() const { return m_handle; }
  // False for both of the platform's "no handle" values.
  bool Valid() const { return m_handle && m_handle != INVALID_HANDLE_VALUE; }

 private:
  HANDLE m_handle;
};

class ScopedKey {
 public:
  ScopedKey() = default;
  ~ScopedKey() {
    if (m_key) RegCloseKey(m_key);
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  HKEY* Receive() { return &m_key; }
  HKEY Get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};
