// The path notice request: the one command the launcher sends.
#pragma once
#include <windows.h>

#include "channel/command_record.h"

// Fills `request` as a path notice: zero but for dwCommand, dwSize and `path`.
// false, `request` all zero, when `path` is null or longer than 260
// characters; never reads more than 261 code units of it.
bool BuildPathNotice(LPCWSTR path, CommandRecord& request);
