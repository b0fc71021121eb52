// CDialog: a modal dialog from an extended template, the object its own
// handler; DoModal runs the framework's own loop, so PreTranslateMessage sees
// each message before the dialog manager.
#pragma once
#include <windows.h>

#include "afxwnd.h"

// What DoDataExchange is asked: fill the controls (FALSE) or read them (TRUE).
struct CDataExchange {
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Subclasses the dialog's control `nIDC` for `control` once; no control: nothing.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);

class CDialog : public CWnd {
 public:
  // A parentless dialog on template `nIDTemplate`; no window until DoModal.
  explicit CDialog(UINT nIDTemplate) : m_nIDHelp(nIDTemplate) {}
  // Destroys a window still open.
  ~CDialog() override;

  // Creates, runs and destroys the dialog: the EndDialog value, or -1 without
  // template or window, when this object has a window already, when the
  // window goes away without EndDialog, or when WM_QUIT ends the loop (the
  // quit is reposted).
  virtual INT_PTR DoModal();
  // Ends the modal loop with `nResult` once the current message is done.
  void EndDialog(int nResult);

  // IsDialogMessage: Tab, arrows, Space and Enter work as in any dialog.
  BOOL PreTranslateMessage(MSG* pMsg) override { return m_hWnd && IsDialogMessageW(m_hWnd, pMsg); }
  // The dialog's default answer: the dialog manager's own processing.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Binds the controls; TRUE lets the dialog manager set the focus.
  virtual BOOL OnInitDialog() { return UpdateData(FALSE); }
  // Runs DoDataExchange; always TRUE, since no exchange here can fail.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

 protected:
  // Binds or exchanges the controls' data; the base has none.
  virtual void DoDataExchange(CDataExchange*) {}
  // IDOK: reads the controls back, then ends with IDOK.
  virtual void OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
  }
  // IDCANCEL: ends with IDCANCEL.
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  UINT m_nIDHelp;  // the template id

 private:
  // The dialog procedure: attaches the object at WM_INITDIALOG and hands every
  // message of an attached dialog to HandleDialogMessage; FALSE otherwise.
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // One message of the dialog procedure: the handler's result through the
  // dialog manager's rules, or FALSE to let it answer.
  INT_PTR HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Gets and dispatches messages, the dialog's own first through
  // PreTranslateMessage, until EndDialog, the window's end or WM_QUIT.
  void RunModalLoop();

  INT_PTR m_nModalResult = -1;
  bool m_bEndModal = false;
  // While Default() asks the dialog manager, which calls our procedure again.
  bool m_bDefaulting = false;

  DECLARE_MESSAGE_MAP()
};
