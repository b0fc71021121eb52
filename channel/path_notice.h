// The path notice request: the one command the launcher sends.
#pragma once
#include <windows.h>

#include "channel/command_record.h"

// Fills `request` as a path notice: all 536 bytes zero apart from dwCommand
// (CMD_PATH_NOTICE), dwSize (536) and `path` with its terminator in szPath.
// false when `path` is null or longer than 260 characters; the path is then
// neither cut nor copied, and `request` is left all zero. Reads at most 261
// code units of `path`.
bool BuildPathNotice(LPCWSTR path, CommandRecord& request);
