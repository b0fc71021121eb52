// Client end of the product service's command channel: one request/reply
// exchange of a CommandRecord at a time, serialised across all clients by the
// command mutex.
#pragma once
#include <windows.h>

#include "base/scoped_handles.h"
#include "channel/command_record.h"

// How long an exchange waits for the command mutex and, separately, for the
// service's answer. Unbounded waits would hang the launcher, and every other
// client queued on the mutex, whenever the service died mid-exchange.
constexpr DWORD kCommandWaitTimeoutMs = 30000;

class CCommandChannel {
 public:
  // Opens or creates the command mutex (Open). Holds no other handle.
  CCommandChannel();
  // Closes the mutex handle, if held.
  ~CCommandChannel();
  CCommandChannel(const CCommandChannel&) = delete;
  CCommandChannel& operator=(const CCommandChannel&) = delete;

  // Closes the handle held, then opens or else creates (not owned, NULL DACL)
  // "Global\2017PellunCmdMutex". false, with OpenError() saying why, when the
  // channel holds no mutex after it: exchanges then run unserialised.
  bool Open();
  // The Windows error of the last Open that found no mutex; 0 after one that
  // did.
  DWORD OpenError() const { return m_dwOpenError; }
  // true while the channel holds a handle to the command mutex.
  bool HoldsMutex() const { return m_hMutex.Valid(); }
  // Closes the mutex handle, if held.
  void Close();
  // One request/reply exchange: `record` goes to the service and comes back
  // holding its reply; returns the reply's dwStatus. CMD_STATUS_UNAVAILABLE
  // (mutex or service objects not had, service not signalled) or
  // CMD_STATUS_NO_REPLY (no readable answer in time) leave `record` as sent.
  // Limit: after a time-out the service may still answer, into the record the
  // next client writes; only a request number in the record could tell them.
  DWORD Exchange(CommandRecord& record);
  // Sends a path notice for `path` and returns the exchange's status; the
  // reply is discarded. A null path, or one longer than 260 characters, is
  // not sent (never cut): CMD_STATUS_UNAVAILABLE.
  DWORD SendPathNotice(LPCWSTR path);
  // Sets how long each wait of later exchanges may last (both the mutex and
  // the answer); kCommandWaitTimeoutMs until then.
  void SetWaitTimeout(DWORD milliseconds);

 private:
  friend class CCommandChannelTestAccess;

  ScopedHandle m_hMutex;
  // The NULL-DACL security the mutex is created with; filled only when Open
  // has to create it.
  SECURITY_DESCRIPTOR m_sd = {};
  SECURITY_ATTRIBUTES m_sa = {};
  DWORD m_dwWaitTimeout = kCommandWaitTimeoutMs;
  DWORD m_dwOpenError = 0;
};
