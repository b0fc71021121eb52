#include "afxdlg.h"

#include "afxwin_app.h"

namespace {
// Messages whose result the dialog procedure returns instead of DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
         message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
         message == WM_QUERYDRAGICON || message == WM_INITDIALOG;
}

LPCDLGTEMPLATEW LoadDialogTemplate(HINSTANCE module, UINT id) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  return loaded ? static_cast<LPCDLGTEMPLATEW>(LockResource(loaded)) : nullptr;
}
}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
  if (control.m_hWnd || !pDX->m_pDlgWnd) return;
  HWND item = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
  if (item) control.SubclassWindow(item);
}

CDialog::~CDialog() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal() {
  const HINSTANCE module = AfxGetResourceHandle();
  const LPCDLGTEMPLATEW dialogTemplate = LoadDialogTemplate(module, m_nIDHelp);
  if (!dialogTemplate || m_hWnd) return -1;
  m_nModalResult = -1;
  m_bEndModal = false;
  HWND hWnd = CreateDialogIndirectParamW(module, dialogTemplate, nullptr, &CDialog::DialogProc,
                                         reinterpret_cast<LPARAM>(this));
  if (!hWnd) return -1;
  if (!m_bEndModal && m_hWnd && !::IsWindowVisible(m_hWnd)) ShowWindow(SW_SHOWNORMAL);
  RunModalLoop();
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  m_bEndModal = true;
  // Sent from another thread, inside GetMessage: wake the loop to see the end.
  if (InSendMessage()) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::RunModalLoop() {
  MSG* msg = AfxGetCurrentMessage();
  BOOL got = TRUE;
  while (!m_bEndModal && m_hWnd && (got = GetMessageW(msg, nullptr, 0, 0)) > 0) {
    // The dialog looks first at what reaches it or one of its controls.
    const bool ours = msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd);
    if (ours && PreTranslateMessage(msg)) continue;
    TranslateMessage(msg);
    DispatchMessageW(msg);
  }
  // WM_QUIT belongs to the caller's loop.
  if (got == 0) {
    PostQuitMessage(static_cast<int>(msg->wParam));
    m_nModalResult = -1;
  }
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_hWnd) return 0;
  m_bDefaulting = true;
  const LRESULT result = DefDlgProcW(m_hWnd, message, wParam, lParam);
  m_bDefaulting = false;
  return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The object arrives with WM_INITDIALOG from DoModal; messages before it
  // (the template's WM_SETFONT) get the dialog manager's defaults.
  if (message == WM_INITDIALOG && !FromHandlePermanent(hWnd) && lParam) {
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog->AttachObject(hWnd)) return FALSE;
  }
  CWnd* wnd = FromHandlePermanent(hWnd);
  if (!wnd) return FALSE;
  return static_cast<CDialog*>(wnd)->HandleDialogMessage(message, wParam, lParam);
}

INT_PTR CDialog::HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_bDefaulting) {
    m_bDefaulting = false;
    return FALSE;
  }
  HWND hWnd = m_hWnd;
  const CurrentMessage outer = m_current;
  m_current = {message, wParam, lParam};
  LRESULT result = 0;
  const BOOL handled = message == WM_INITDIALOG ? (result = OnInitDialog(), TRUE)
                                                : OnWndMsg(message, wParam, lParam, &result);
  m_current = outer;
  if (message == WM_NCDESTROY) DetachObject();
  if (!handled) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange exchange = {this, bSaveAndValidate};
  DoDataExchange(&exchange);
  return TRUE;
}
