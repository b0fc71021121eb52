// What tests may see of a command channel's private state: the mutex handle
// it holds and the security it created the mutex with.
#pragma once
#include <windows.h>

#include "channel/command_channel.h"

class CCommandChannelTestAccess {
 public:
  static HANDLE Mutex(const CCommandChannel& channel) { return channel.m_hMutex.Get(); }
  static SECURITY_DESCRIPTOR& SecurityDescriptor(CCommandChannel& channel) { return channel.m_sd; }
  static const SECURITY_ATTRIBUTES& SecurityAttributes(const CCommandChannel& channel) {
    return channel.m_sa;
  }
};
