// Owners of kernel handles and registry keys, closed on every path out of the
// scope that took them. Shared by the launcher's subsystems, its tools and
// its benchmarks; header only and free of the standard library.
#pragma once
#include <windows.h>

// A kernel handle; null and INVALID_HANDLE_VALUE both mean none.
class ScopedHandle {
 public:
  // Takes ownership of `handle`, which may be none.
  explicit ScopedHandle(HANDLE handle = nullptr) : m_handle(handle) {}
  ~ScopedHandle() { Close(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  // Closes the handle held, if any, and takes ownership of `handle`.
  void Reset(HANDLE handle) {
    Close();
    m_handle = handle;
  }
  // The handle held; ownership stays here.
  HANDLE Get() const { return m_handle; }
  bool Valid() const { return m_handle && m_handle != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return Valid(); }

 private:
  void Close() {
    if (Valid()) CloseHandle(m_handle);
    m_handle = nullptr;
  }
  HANDLE m_handle;
};

// An open registry key.
class ScopedRegKey {
 public:
  ScopedRegKey() = default;
  ~ScopedRegKey() { Close(); }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;

  // Opens `subKey` of `parent` with `access`, closing any key held before.
  // TRUE when a key is now held.
  BOOL Open(HKEY parent, LPCWSTR subKey, REGSAM access) {
    Close();
    if (RegOpenKeyExW(parent, subKey, 0, access, &m_hKey) != ERROR_SUCCESS) m_hKey = nullptr;
    return m_hKey != nullptr;
  }
  // For calls that hand back a key through an out-parameter; closes any key
  // held before.
  HKEY* Receive() {
    Close();
    return &m_hKey;
  }
  void Close() {
    if (m_hKey) RegCloseKey(m_hKey);
    m_hKey = nullptr;
  }
  // The held key, or null.
  HKEY Get() const { return m_hKey; }

 private:
  HKEY m_hKey = nullptr;
};
