// Client end of the product service's command channel: one request/reply
// exchange of a CommandRecord at a time, serialised across all clients by the
// command mutex.
#pragma once
#include <windows.h>

#include "channel/command_record.h"

class CCommandChannel {
 public:
  // Opens or creates the command mutex (Open).
  CCommandChannel();
  // Closes the mutex handle, if held.
  ~CCommandChannel();
  CCommandChannel(const CCommandChannel&) = delete;
  CCommandChannel& operator=(const CCommandChannel&) = delete;

  BOOL Open();
  void Close();
  DWORD Exchange(CommandRecord& record);
  DWORD SendPathNotice(LPCWSTR path);

  HANDLE m_hMutex = nullptr;
  SECURITY_DESCRIPTOR m_sd = {};
  SECURITY_ATTRIBUTES m_sa = {};
};
