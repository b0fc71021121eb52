// Owners for the kernel resources one exchange takes, so that every path out
// of an exchange gives back exactly what it took.
#pragma once
#include <windows.h>

// Owns a kernel handle (null means none) and closes it when destroyed.
class ScopedHandle {
 public:
  ScopedHandle() = default;
  // Takes ownership of `handle`, which may be null.
  explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
  ~ScopedHandle() { Close(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  // Closes the handle held, if any, and takes ownership of `handle`.
  void Reset(HANDLE handle) {
    Close();
    m_handle = handle;
  }
  // The handle held, or null; ownership stays here.
  HANDLE Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }

 private:
  void Close() {
    if (m_handle) CloseHandle(m_handle);
    m_handle = nullptr;
  }
  HANDLE m_handle = nullptr;
};

// A view of a whole file mapping, unmapped when destroyed.
class ScopedView {
 public:
  // Maps all of `mapping` with FILE_MAP_ALL_ACCESS at offset 0; check Get().
  explicit ScopedView(HANDLE mapping)
      : m_view(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) {}
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

// Ownership of a mutex for one scope: released when destroyed, and only if
// Acquire took it.
class MutexOwnership {
 public:
  // `mutex` may be null: then there is nothing to wait for or release.
  explicit MutexOwnership(HANDLE mutex) : m_mutex(mutex) {}
  ~MutexOwnership() {
    if (m_owned) ReleaseMutex(m_mutex);
  }
  MutexOwnership(const MutexOwnership&) = delete;
  MutexOwnership& operator=(const MutexOwnership&) = delete;

  // Waits up to `milliseconds` for the mutex. TRUE when it is now owned (a
  // mutex abandoned by a dead owner counts as taken) or when there is no
  // mutex; FALSE on time-out or a failed wait, with nothing taken.
  BOOL Acquire(DWORD milliseconds) {
    if (!m_mutex) return TRUE;
    const DWORD outcome = WaitForSingleObject(m_mutex, milliseconds);
    m_owned = outcome == WAIT_OBJECT_0 || outcome == WAIT_ABANDONED;
    return m_owned;
  }

 private:
  HANDLE m_mutex;
  BOOL m_owned = FALSE;
};
