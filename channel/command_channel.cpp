// Placeholder until the command channel lands: no service is ever reached.
#include "channel/command_channel.h"

CCommandChannel::CCommandChannel() { Open(); }
CCommandChannel::~CCommandChannel() { Close(); }
BOOL CCommandChannel::Open() { return TRUE; }
void CCommandChannel::Close() {}
DWORD CCommandChannel::Exchange(CommandRecord&) { return CMD_STATUS_UNAVAILABLE; }
DWORD CCommandChannel::SendPathNotice(LPCWSTR) { return CMD_STATUS_UNAVAILABLE; }
