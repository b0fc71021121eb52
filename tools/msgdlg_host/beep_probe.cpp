#include "beep_probe.h"

#include "import_redirect.h"

namespace {

typedef BOOL(WINAPI* MessageBeepFn)(UINT);
MessageBeepFn g_original = nullptr;
std::vector<UINT> g_beeps;

BOOL WINAPI RecordingMessageBeep(UINT type) {
  g_beeps.push_back(type);
  return g_original ? g_original(type) : TRUE;
}

}  // namespace

bool InstallBeepProbe() {
  FARPROC original = nullptr;
  if (!RedirectImport("user32.dll", "MessageBeep", AsFarProc(&RecordingMessageBeep), &original))
    return false;
  g_original = reinterpret_cast<MessageBeepFn>(reinterpret_cast<void*>(original));
  return true;
}

std::vector<UINT> TakeRecordedBeeps() {
  std::vector<UINT> beeps;
  beeps.swap(g_beeps);
  return beeps;
}
