// The launcher's message dialog.
#pragma once
#include "afxwin.h"

constexpr int LANGUAGE_FROM_SERVICE = -1;

class CMsgDlg {
 public:
  CMsgDlg() = default;
  INT_PTR DoModal();
  INT_PTR AskUpdate();

  CString m_strMessage;
  UINT m_nStyle = 0;
  int m_nLanguage = LANGUAGE_FROM_SERVICE;
};
