// Owners for the kernel resources one exchange takes, so that every path out
// of an exchange gives back exactly what it took.
#pragma once
#include <windows.h>

#include "base/scoped_handles.h"

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

  // Waits up to `milliseconds` for the mutex. true when it is now owned (a
  // mutex abandoned by a dead owner counts as taken) or when there is no
  // mutex; false on time-out or a failed wait, with nothing taken.
  bool Acquire(DWORD milliseconds) {
    if (!m_mutex) return true;
    const DWORD outcome = WaitForSingleObject(m_mutex, milliseconds);
    m_owned = outcome == WAIT_OBJECT_0 || outcome == WAIT_ABANDONED;
    return m_owned;
  }

 private:
  HANDLE m_mutex;
  bool m_owned = false;
};
