// The program's static objects, in the order they must come up: the
// "Global\Rovevuv" mutex, the application object (whose last member hardens
// library search), the version-library binding. C++ destroys them in reverse
// order at exit.
#include "app/quarnel_app.h"
#include "app/version_api.h"
#include "base/scoped_handles.h"

namespace {

constexpr LPCWSTR kRovevuvMutexName = L"Global\\Rovevuv";

// The "Global\Rovevuv" mutex, opened or else created. Held, never waited
// on: it only has to exist while a launcher runs.
HANDLE OpenOrCreateRovevuvMutex() {
  const HANDLE opened = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kRovevuvMutexName);
  return opened ? opened : CreateMutexW(nullptr, FALSE, kRovevuvMutexName);
}

class VersionApiBinding {
 public:
  VersionApiBinding() { BindVersionApi(); }
  ~VersionApiBinding() { UnbindVersionApi(); }
  VersionApiBinding(const VersionApiBinding&) = delete;
  VersionApiBinding& operator=(const VersionApiBinding&) = delete;
};

ScopedHandle g_rovevuvMutex(OpenOrCreateRovevuvMutex());
CQuarnelApp theApp;
VersionApiBinding g_versionApiBinding;

}  // namespace
