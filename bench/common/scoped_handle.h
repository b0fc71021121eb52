// The bench programs use the launcher's own owners of handles and keys.
#pragma once
#include "framework/scoped_handles.h"
