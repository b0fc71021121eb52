// The path buffer sizes and joins live in base/system_path.h, where ui/
// can reach them too; this name stays for the app/ files that include it.
#pragma once
#include "base/system_path.h"
