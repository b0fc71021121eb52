// The application framework stand-in: the small subset of a Windows
// application framework that the launcher is written against, with the same
// names and only the behaviour the launcher relies on.
#pragma once
#include <windows.h>

#include "afxctl.h"
#include "afxdc.h"
#include "afxdlg.h"
#include "afxgdi.h"
#include "afxmsg.h"
#include "afxobj.h"
#include "afxstr.h"
#include "afxtypes.h"
#include "afxwin_app.h"
#include "afxwnd.h"
