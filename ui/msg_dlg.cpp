// Placeholder until the message dialog lands: the dialog never appears,
// which the launcher treats as a refusal.
#include "ui/msg_dlg.h"

INT_PTR CMsgDlg::DoModal() { return -1; }
INT_PTR CMsgDlg::AskUpdate() {
  m_nStyle = 0x41;
  m_nLanguage = LANGUAGE_FROM_SERVICE;
  return DoModal();
}
