// Owners of kernel handles and registry keys, closed on every path out of the
// scope that took them. Shared by the launcher's subsystems, its tools and
// its benchmarks; header only and free of the standard library.
#pragma once
#include <windows.h>

// A kernel handle; null and INVALID_HANDLE_VALUE both mean none. Also the
// launcher's holder of the named mutexes that work through their existence
// alone.
class ScopedHandle {
 public:
  // Takes ownership of `handle`, which may be none.
  explicit ScopedHandle(HANDLE handle = nullptr) : m_handle(handle) {}
  // Closes the handle held, if any.
  ~ScopedHandle() { Close(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  // Closes the handle held, if any, and takes ownership of `handle`.
  void Reset(HANDLE handle) {
    Close();
    m_handle = handle;
  }
  // Closes the handle held, if any.
  void Close() {
    if (Valid()) CloseHandle(m_handle);
    m_handle = nullptr;
  }
  // Gives the handle up without closing it, for a handle that is to stay
  // open until the process ends; returns it.
  HANDLE Release() {
    const HANDLE handle = m_handle;
    m_handle = nullptr;
    return handle;
  }
  // The handle held; ownership stays here.
  HANDLE Get() const { return m_handle; }
  // true while a handle is held, neither null nor INVALID_HANDLE_VALUE.
  bool Valid() const { return m_handle && m_handle != INVALID_HANDLE_VALUE; }
  // As Valid(), for `if (handle)`.
  explicit operator bool() const { return Valid(); }

 private:
  HANDLE m_handle;
};

// An open registry key.
class ScopedRegKey {
 public:
  // Holds no key until Open or Create.
  ScopedRegKey() = default;
  // Closes the key held, if any.
  ~ScopedRegKey() { Close(); }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;

  // Opens `subKey` of `parent` with `access` (which also picks the registry
  // view), closing any key held before. The Windows status: ERROR_SUCCESS
  // exactly when a key is now held.
  LONG Open(HKEY parent, LPCWSTR subKey, REGSAM access) {
    Close();
    const LONG status = RegOpenKeyExW(parent, subKey, 0, access, &m_hKey);
    if (status != ERROR_SUCCESS) m_hKey = nullptr;
    return status;
  }
  // Opens `subKey` of `parent`, creating it (non-volatile, default security)
  // when it does not exist, with `access`; closes any key held before. The
  // Windows status, as Open's; `disposition`, when given, receives whether
  // the key was created or opened.
  LONG Create(HKEY parent, LPCWSTR subKey, REGSAM access, DWORD* disposition = nullptr) {
    Close();
    const LONG status = RegCreateKeyExW(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                        nullptr, &m_hKey, disposition);
    if (status != ERROR_SUCCESS) m_hKey = nullptr;
    return status;
  }
  // Closes the key held, if any.
  void Close() {
    if (m_hKey) RegCloseKey(m_hKey);
    m_hKey = nullptr;
  }
  // The held key, or null.
  HKEY Get() const { return m_hKey; }

 private:
  HKEY m_hKey = nullptr;
};

// A view of a whole file mapping, unmapped when destroyed.
class ScopedView {
 public:
  // Maps all of `mapping` with `access` at offset 0; check Get().
  explicit ScopedView(HANDLE mapping, DWORD access = FILE_MAP_ALL_ACCESS)
      : m_view(MapViewOfFile(mapping, access, 0, 0, 0)) {}
  ~ScopedView() {
    if (m_view) UnmapViewOfFile(m_view);
  }
  ScopedView(const ScopedView&) = delete;
  ScopedView& operator=(const ScopedView&) = delete;

  // The start of the view, or null when mapping failed.
  void* Get() const { return m_view; }

 private:
  void* m_view;
};
