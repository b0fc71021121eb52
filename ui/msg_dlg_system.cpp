// What the dialog does because the platform's own message box does it: the
// size it gives the dialog manager for a new DPI, and the look for a
// high-contrast theme.
#include "ui/display_scale.h"
#include "ui/msg_dlg.h"
#include "ui/msg_dlg_geometry.h"
#include "ui/system_colours.h"

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

// The artwork stays loaded whatever the setting, so that a theme turned off
// shows it again at once.
void CMsgDlg::UseColourScheme() {
  m_bHighContrast = IsHighContrastOn();
  m_btnClose.m_nSystemLook = m_bHighContrast ? SYSTEM_LOOK_CROSS : SYSTEM_LOOK_NONE;
  CImageButton* const textButtons[] = {&m_btnOK, &m_btnCancel};
  for (CImageButton* button : textButtons) {
    button->m_nSystemLook = m_bHighContrast ? SYSTEM_LOOK_FACE : SYSTEM_LOOK_NONE;
    button->m_nSystemLineWidth = Px(1);
  }
}

void CMsgDlg::OnSystemColoursChanged() {
  UseColourScheme();
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

COLORREF CMsgDlg::TextColour() const {
  return m_bHighContrast ? ::GetSysColor(COLOR_WINDOWTEXT) : kTextColour;
}

// The frame and the line are as thick as the artwork's at this scale.
void CMsgDlg::DrawSystemColourBackground(CDC* pDC) {
  RECT client = {};
  GetClientRect(&client);
  FillWithSystemColour(*pDC, client, COLOR_WINDOW);
  DrawSystemColourBorder(*pDC, client, Px(1), COLOR_WINDOWTEXT);
  const RECT line = {0, Px(kBandHeight - 1), client.right, Px(kBandHeight - 1) + Px(1)};
  FillWithSystemColour(*pDC, line, COLOR_WINDOWTEXT);
}
