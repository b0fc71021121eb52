// The channel's required floor: one request/reply exchange with the service
// exactly as the channel must make it, written straight in Win32 without the
// launcher's channel or handle owners.
#pragma once
#include <windows.h>

// Opens the command mutex, or creates it with a NULL DACL; null on failure.
HANDLE OpenRequiredCommandMutex();

// One exchange of `record` (536 bytes, in: request, out: reply) under
// `mutex`: wait for the mutex; open the request event twice (presence check,
// then held); create the end event with a NULL DACL; open the section; map,
// write, unmap; signal; wait for the end event and reset it; map, read,
// unmap; close the three handles; release the mutex. Returns the reply's
// status, 4 when the service's objects are missing, 255 when the reply
// cannot be mapped.
DWORD RequiredExchange(HANDLE mutex, void* record, DWORD size);
