#include "app/install_branch.h"

#include "app/launch_rules.h"
#include "app/own_path.h"
#include "app/setup_deploy.h"
#include "app/trace.h"
#include "channel/command_channel.h"

namespace {

// Sends one path notice and traces its status. A 255 may leave a late answer
// behind in the service's record (see CCommandChannel::Exchange).
void SendNotice(CCommandChannel& channel, int ordinal, LPCWSTR path) {
  const DWORD start = GetTickCount();
  const DWORD status = channel.SendPathNotice(path);
  const DWORD elapsed = GetTickCount() - start;
  if (status == CMD_STATUS_NO_REPLY) {
    Trace(
        L"notice %d: status 255 after %lu ms, no answer in time; a late answer may still "
        L"overwrite the next request in the service's record",
        ordinal, elapsed);
  } else {
    Trace(L"notice %d: status %lu after %lu ms", ordinal, status, elapsed);
  }
}

}  // namespace

RunOutcome RunInstallBranch() {
  CCommandChannel channel;
  if (channel.HoldsMutex()) {
    Trace(L"channel: command mutex held");
  } else {
    Trace(L"channel: no command mutex, error %lu; notices go unserialised", channel.OpenError());
  }
  WCHAR path[kLauncherPathChars];
  // A path the platform had to cut is never announced.
  if (GetOwnModulePath(path)) {
    SendNotice(channel, 1, path);
    ReduceToAnnouncedFolder(path);
    SendNotice(channel, 2, path);
  } else {
    Trace(L"notice: none sent, own path cut or unreadable, error %lu", GetLastError());
  }
  const RunOutcome deployment = DeploySetup();
  channel.Close();
  return deployment;
}
