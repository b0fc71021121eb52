// The application object and the program's run sequence: the entry point
// hands the command line to the one application object, calls InitInstance,
// and either runs a message loop (InitInstance TRUE) or goes straight to
// ExitInstance (FALSE). The process exits with ExitInstance's result.
#pragma once
#include <windows.h>

#include "afxmsg.h"

class CWinApp : public CCmdTarget {
 public:
  // Registers this object as the program's application object; there is one.
  explicit CWinApp(LPCWSTR appName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  // The framework base returns the word parameter of the last message the
  // thread's message loops retrieved: 0 when no loop ever ran.
  virtual int ExitInstance();
  // Runs the message loop until WM_QUIT; returns ExitInstance().
  virtual int Run();

  // Help command handler: the launcher never has a window that sends it.
  void OnHelp() {}

  HINSTANCE m_hInstance = nullptr;
  LPWSTR m_lpCmdLine = nullptr;     // the command-line tail (see AfxCommandLineTail)
  int m_nCmdShow = SW_SHOWNORMAL;
  LPCWSTR m_pszAppName = nullptr;
};

class CWinAppEx : public CWinApp {
 public:
  explicit CWinAppEx(LPCWSTR appName = nullptr) : CWinApp(appName) {}
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// The last message any of the framework's message loops retrieved. The
// dialog's modal loop records into it.
MSG* AfxGetCurrentMessage();

// Control containment is for hosted ActiveX controls, which the launcher never
// has; kept so the start-up sequence reads as the framework's.
void AfxEnableControlContainer();

// The tail of a command line: the program name skipped (up to the closing
// quote when it starts with one, else up to the first blank), then the blanks
// after it. Trailing blanks stay. Returns a pointer into `commandLine`.
LPWSTR AfxCommandLineTail(LPWSTR commandLine);

// The whole run of the program; wWinMain returns its result.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
