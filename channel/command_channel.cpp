#include "channel/command_channel.h"

#include "channel/channel_names.h"
#include "channel/null_dacl_security.h"
#include "channel/path_notice.h"
#include "channel/scoped_kernel.h"

namespace {

// The handles of one exchange. Members are destroyed in reverse order, which
// gives the clean-up order the service's clients agree on: shared memory,
// then request event, then end event (the mutex is released after all three).
struct ExchangeHandles {
  ScopedHandle endEvent;
  ScopedHandle requestEvent;
  ScopedHandle sharedMemory;
};

// The presence check: the service's request event exists and can be
// signalled by this user.
bool ServiceIsListening(LPCWSTR requestEventName) {
  const ScopedHandle probe(OpenEventW(EVENT_MODIFY_STATE, TRUE, requestEventName));
  return probe.Valid();
}

// The exchange's end event (auto-reset, NULL DACL), created or opened and
// then unsignalled; null when neither works.
HANDLE CreateEndEvent(LPCWSTR name) {
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  PrepareNullDaclSecurity(sd, sa);
  HANDLE event = CreateEventW(&sa, FALSE, FALSE, name);
  // An end event that outlived an exchange that timed out may still carry
  // that exchange's late answer; it must not pass for the answer to this one.
  if (event && GetLastError() == ERROR_ALREADY_EXISTS) ResetEvent(event);
  return event;
}

// Copies `record` to the start of the shared memory; false when it cannot be
// mapped.
bool WriteRequest(HANDLE sharedMemory, const CommandRecord& record) {
  ScopedView view(sharedMemory);
  if (!view.Get()) return false;
  CopyMemory(view.Get(), &record, sizeof(record));
  return true;
}

// Copies the start of the shared memory into `record`; false, `record`
// untouched, when it cannot be mapped.
bool ReadReply(HANDLE sharedMemory, CommandRecord& record) {
  ScopedView view(sharedMemory);
  if (!view.Get()) return false;
  CopyMemory(&record, view.Get(), sizeof(record));
  return true;
}

// Opens and creates the exchange's objects, writes the request and signals
// the service. false, with the service not signalled, if any step fails.
bool DeliverRequest(const ExchangeObjectNames& names, const CommandRecord& record,
                    ExchangeHandles& handles) {
  handles.requestEvent.Reset(OpenEventW(EVENT_MODIFY_STATE, TRUE, names.requestEvent));
  if (!handles.requestEvent) return false;
  handles.endEvent.Reset(CreateEndEvent(names.endEvent));
  if (!handles.endEvent) return false;
  handles.sharedMemory.Reset(OpenFileMappingW(FILE_MAP_ALL_ACCESS, TRUE, names.sharedMemory));
  if (!handles.sharedMemory) return false;
  if (!WriteRequest(handles.sharedMemory.Get(), record)) return false;
  return SetEvent(handles.requestEvent.Get()) != FALSE;
}

// Waits for the service's answer, copies the reply into `record` and returns
// its dwStatus. CMD_STATUS_NO_REPLY, with `record` as sent, when no answer
// came within `timeout` or the reply could not be read.
DWORD AwaitReply(const ExchangeHandles& handles, DWORD timeout, CommandRecord& record) {
  if (WaitForSingleObject(handles.endEvent.Get(), timeout) != WAIT_OBJECT_0) {
    return CMD_STATUS_NO_REPLY;
  }
  ResetEvent(handles.endEvent.Get());
  if (!ReadReply(handles.sharedMemory.Get(), record)) return CMD_STATUS_NO_REPLY;
  return record.dwStatus;
}

}  // namespace

CCommandChannel::CCommandChannel() { Open(); }

CCommandChannel::~CCommandChannel() { Close(); }

bool CCommandChannel::Open() {
  Close();
  m_dwOpenError = 0;
  WCHAR name[kObjectNameChars];
  if (!FormatObjectName(kCommandMutexFormat, kCommandMutexArgument, name, kObjectNameChars)) {
    m_dwOpenError = ERROR_INVALID_NAME;
    return false;
  }
  m_hMutex.Reset(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name));
  if (m_hMutex) return true;
  PrepareNullDaclSecurity(m_sd, m_sa);
  m_hMutex.Reset(CreateMutexW(&m_sa, FALSE, name));
  if (m_hMutex) return true;
  m_dwOpenError = GetLastError();
  return false;
}

void CCommandChannel::Close() { m_hMutex.Close(); }

void CCommandChannel::SetWaitTimeout(DWORD milliseconds) { m_dwWaitTimeout = milliseconds; }

DWORD CCommandChannel::Exchange(CommandRecord& record) {
  MutexOwnership ownership(m_hMutex.Get());
  if (!ownership.Acquire(m_dwWaitTimeout)) return CMD_STATUS_UNAVAILABLE;
  ExchangeObjectNames names;
  if (!names.Form() || !ServiceIsListening(names.requestEvent)) return CMD_STATUS_UNAVAILABLE;
  ExchangeHandles handles;
  if (!DeliverRequest(names, record, handles)) return CMD_STATUS_UNAVAILABLE;
  return AwaitReply(handles, m_dwWaitTimeout, record);
}

DWORD CCommandChannel::SendPathNotice(LPCWSTR path) {
  CommandRecord request;
  if (!BuildPathNotice(path, request)) return CMD_STATUS_UNAVAILABLE;
  return Exchange(request);
}
