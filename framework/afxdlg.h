// CDialog: a modal dialog built from an extended dialog template. The
// object is the dialog's own handler: the dialog procedure hands every
// message to its message map, and DoModal runs the framework's own message
// loop, so PreTranslateMessage sees each message before the dialog manager.
#pragma once
#include <windows.h>

#include "afxctl.h"
#include "afxwnd.h"

class CDialog;

// What DoDataExchange is asked to do: fill the controls (FALSE) or read
// them back (TRUE).
class CDataExchange {
 public:
  CDataExchange(CWnd* dlgWnd, BOOL bSaveAndValidate)
      : m_pDlgWnd(dlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Attaches `control` to the dialog's control `nIDC` (subclassing it) the
// first time; later exchanges leave the attachment alone. A missing control
// leaves the object unattached.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  // A dialog on template `nIDTemplate` of the resource module. No window
  // exists until DoModal.
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  // Destroys the window if it still exists.
  ~CDialog() override;

  // Creates the dialog, runs it until EndDialog and destroys it. Returns
  // the EndDialog value; -1 when the template is missing or the window
  // cannot be created, or when WM_QUIT ends the loop (the quit message is
  // posted again for the caller's loop).
  virtual INT_PTR DoModal();
  // Ends the modal loop with `nResult` once the current message is done.
  void EndDialog(int nResult);

  // IsDialogMessage: Tab, arrows, Space and Enter work as in any dialog.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The dialog's default answer: the dialog manager's own processing.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Fills the controls; TRUE lets the dialog manager set the focus.
  virtual BOOL OnInitDialog();
  // Exchanges data with the controls; TRUE when it succeeded.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  // IDOK: reads the controls back, then ends with IDOK.
  virtual void OnOK();
  // IDCANCEL: ends with IDCANCEL.
  virtual void OnCancel();

  UINT m_nIDHelp;  // the template id
  CWnd* m_pParentWnd;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // One message of the dialog procedure: the handler's result through the
  // dialog manager's rules, or FALSE to let it answer.
  INT_PTR HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Gives the message and the windows it travels through the first look.
  BOOL PreTranslateInput(MSG* pMsg);
  void RunModalLoop();

  INT_PTR m_nModalResult = -1;
  bool m_bEndModal = false;
  // Set while Default() asks the dialog manager, whose first step is to
  // call our dialog procedure again: that call must answer "not handled".
  bool m_bDefaulting = false;

  DECLARE_MESSAGE_MAP()
};
