// Stand-in for the product's main application: records how it was started
// and, when told to, stays up until released.
#include <windows.h>

#include "standin_common/standin_log.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  AppendStandinLog(L"zelvane-start", StartFields());
  SignalStartedEvent();
  WaitForReleaseEvent();
  return 0;
}
