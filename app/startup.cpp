// The program's static objects, in the order they must come up: the
// "Global\Rovevuv" mutex, the application object (whose last member hardens
// library search), the version-library binding. C++ destroys them in reverse
// order at exit.
#include "app/quarnel_app.h"
#include "app/version_api.h"

namespace {

// Held, never waited on: it only has to exist while a launcher runs.
class RovevuvMutex {
 public:
  RovevuvMutex() {
    m_handle = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, L"Global\\Rovevuv");
    if (!m_handle) m_handle = CreateMutexW(nullptr, FALSE, L"Global\\Rovevuv");
  }
  ~RovevuvMutex() {
    if (m_handle) CloseHandle(m_handle);
  }
  RovevuvMutex(const RovevuvMutex&) = delete;
  RovevuvMutex& operator=(const RovevuvMutex&) = delete;

 private:
  HANDLE m_handle = nullptr;
};

class VersionApiBinding {
 public:
  VersionApiBinding() { BindVersionApi(); }
  ~VersionApiBinding() { UnbindVersionApi(); }
  VersionApiBinding(const VersionApiBinding&) = delete;
  VersionApiBinding& operator=(const VersionApiBinding&) = delete;
};

RovevuvMutex g_rovevuvMutex;
CQuarnelApp theApp;
VersionApiBinding g_versionApiBinding;

}  // namespace
