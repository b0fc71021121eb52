// The 536-byte record exchanged with the product's service.
#pragma once
#include <windows.h>

constexpr DWORD CMD_PATH_NOTICE = 253;
constexpr DWORD CMD_STATUS_UNAVAILABLE = 4;
constexpr DWORD CMD_STATUS_NO_REPLY = 255;
constexpr int kCommandPathChars = 261;

struct CommandRecord {
  DWORD dwCommand;
  DWORD dwStatus;
  DWORD dwSize;
  WCHAR szPath[kCommandPathChars];
  WORD wReserved;
};

static_assert(sizeof(CommandRecord) == 536, "the service reads exactly 536 bytes");
