// What the dialog does because the platform's own message box does it: the
// size it asks for at a new DPI, the look for a high-contrast theme, and the
// copy as text.
#include "ui/dialog_copy.h"
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

// What the dialog shows, as the platform's message box copies it; the
// hidden left button of a single-button message is not copied.
void CMsgDlg::CopyAsText() {
  CString title;
  CString message;
  CString labels[2];
  GetWindowText(title);
  m_stcMessage.GetWindowText(message);
  DialogText text = {title, message, {nullptr, nullptr}, 0};
  CImageButton* const textButtons[] = {&m_btnOK, &m_btnCancel};
  for (CImageButton* button : textButtons) {
    if (!::IsWindowVisible(button->m_hWnd)) continue;
    button->GetWindowText(labels[text.labelCount]);
    text.labels[text.labelCount] = labels[text.labelCount];
    ++text.labelCount;
  }
  CopyDialogText(m_hWnd, text);
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
