// Where a bench program finds its siblings.
#pragma once
#include <string>

// The folder of this program's own executable, or "." when it cannot be read.
std::wstring OwnFolder();
