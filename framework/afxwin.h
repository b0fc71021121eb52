// The application framework stand-in: the framework's names, with only the
// behaviour the launcher relies on.
#pragma once
#include <windows.h>

#include "afxdlg.h"
#include "afxgdi.h"
#include "afxmsg.h"
#include "afxstr.h"
#include "afxtypes.h"
#include "afxwin_app.h"
#include "afxwnd.h"
