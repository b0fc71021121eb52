// The application framework stand-in: the small subset of a Windows
// application framework that the launcher is written against, with the same
// names and only the behaviour the launcher relies on.
#pragma once
#include <windows.h>

#include "afxgdi.h"
#include "afxmsg.h"
#include "afxstr.h"
#include "afxwin_app.h"
