// What the dialog does because the platform's own message box does it: the
// size it gives the dialog manager for a new DPI.
#include "ui/display_scale.h"
#include "ui/msg_dlg.h"
#include "ui/msg_dlg_geometry.h"

// The layout's window is the background picture's size scaled; the frame
// around it (none here) is added as it is now.
LRESULT CMsgDlg::OnGetDpiScaledSize(WPARAM wParam, LPARAM lParam) {
  SIZE* size = reinterpret_cast<SIZE*>(lParam);
  const UINT dpi = static_cast<UINT>(wParam);
  if (!size || !dpi) return FALSE;
  RECT client = {};
  RECT window = {};
  GetClientRect(&client);
  GetWindowRect(&window);
  const int frameWidth = (window.right - window.left) - (client.right - client.left);
  const int frameHeight = (window.bottom - window.top) - (client.bottom - client.top);
  size->cx = ScaleToDpi(kWindowWidth, dpi) + frameWidth;
  size->cy = ScaleToDpi(kWindowHeight, dpi) + frameHeight;
  return TRUE;
}
