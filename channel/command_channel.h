// Client end of the product service's command channel: one request/reply
// exchange of a CommandRecord at a time, serialised across all clients by the
// command mutex.
#pragma once
#include <windows.h>

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

  // Closes the handle held, then opens "Global\2017PellunCmdMutex", or
  // creates it (not owned, NULL DACL; default security if that descriptor
  // cannot be prepared) when it does not exist. TRUE when the channel now
  // holds the mutex; FALSE when both failed, or the name could not be formed
  // (ERROR_INVALID_NAME), with OpenError() saying why; exchanges then run
  // unserialised.
  BOOL Open();
  // The Windows error of the last Open that found no mutex; 0 after one that
  // did.
  DWORD OpenError() const { return m_dwOpenError; }
  // true while the channel holds a handle to the command mutex.
  bool HoldsMutex() const { return m_hMutex != nullptr; }
  // Closes the mutex handle, if held.
  void Close();
  // One request/reply exchange: `record` goes to the service, and its reply
  // comes back in `record`. Returns the reply's dwStatus, or
  // CMD_STATUS_UNAVAILABLE (4) when the mutex was not had within the wait
  // time-out or the service's objects are missing or unusable (the service
  // was not signalled), or CMD_STATUS_NO_REPLY (255) when the service did
  // not answer within the time-out or its reply could not be read. With 4
  // or 255, `record` is left as sent. Every handle taken is closed, and the
  // mutex released, before it returns.
  // Known limit of 255 after a time-out: the mutex is released while the
  // service may still be working on the request. Its late answer then lands
  // in the shared record, where it can overwrite the next client's request
  // before the service reads it. Closing this needs a request number in the
  // record the service reads, so the protocol is left as it is.
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

  HANDLE m_hMutex = nullptr;
  // The NULL-DACL security the mutex is created with; filled only when Open
  // has to create it.
  SECURITY_DESCRIPTOR m_sd = {};
  SECURITY_ATTRIBUTES m_sa = {};
  DWORD m_dwWaitTimeout = kCommandWaitTimeoutMs;
  DWORD m_dwOpenError = 0;
};
