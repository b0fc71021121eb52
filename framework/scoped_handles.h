// The handle and key owners live in base/; this name stays for app/ files.
#pragma once
#include "base/scoped_handles.h"
