// The 536-byte record exchanged with the product's service, the request and
// the reply alike, as it lies at the start of the service's shared memory.
#pragma once
#include <windows.h>

#include <stddef.h>

#include "base/path_limits.h"

// dwCommand of a path notice, the one command the launcher sends.
constexpr DWORD CMD_PATH_NOTICE = 253;
// Statuses the client gives itself: the service could not be reached (or
// the request not built), or it did not answer in time.
constexpr DWORD CMD_STATUS_UNAVAILABLE = 4;
constexpr DWORD CMD_STATUS_NO_REPLY = 255;
// szPath's code units: a launcher path and its terminator.
constexpr int kCommandPathChars = kLauncherPathChars;
// The record's size, which dwSize carries.
constexpr DWORD kCommandRecordBytes = 536;

struct CommandRecord {
  DWORD dwCommand;
  DWORD dwStatus;
  DWORD dwSize;
  WCHAR szPath[kCommandPathChars];
  WORD wReserved;
};

// The service reads these exact offsets; any padding or reordering would
// silently corrupt every exchange.
static_assert(sizeof(CommandRecord) == kCommandRecordBytes, "the service reads exactly 536 bytes");
static_assert(offsetof(CommandRecord, dwCommand) == 0, "dwCommand at 0");
static_assert(offsetof(CommandRecord, dwStatus) == 4, "dwStatus at 4");
static_assert(offsetof(CommandRecord, dwSize) == 8, "dwSize at 8");
static_assert(offsetof(CommandRecord, szPath) == 12, "szPath at 12");
static_assert(sizeof(CommandRecord::szPath) == 522, "szPath holds 261 UTF-16 code units");
static_assert(offsetof(CommandRecord, wReserved) == 534, "reserved word at 534");
