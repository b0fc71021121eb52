// The application object and the program's run: InitInstance, then
// ExitInstance, whose result is the exit code; no application message loop.
#pragma once
#include <windows.h>

#include "afxmsg.h"

class CWinApp : public CCmdTarget {
 public:
  // Registers this object as the program's one application object.
  CWinApp();
  // Unregisters this object when it is the registered one.
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The whole run. The framework base does nothing and returns TRUE.
  virtual BOOL InitInstance() { return TRUE; }
  // The base returns the word parameter of the last message a framework
  // message loop retrieved: 0 when no loop ran.
  virtual int ExitInstance();

  // Help command handler: the launcher never has a window that sends it.
  void OnHelp() {}

  HINSTANCE m_hInstance = nullptr;
  LPWSTR m_lpCmdLine = nullptr;  // the command-line tail (see AfxCommandLineTail)
};

class CWinAppEx : public CWinApp {};

// The application object's instance, else the executable's.
HINSTANCE AfxGetInstanceHandle();
inline HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

// The last message a framework message loop (the dialog's) retrieved.
MSG* AfxGetCurrentMessage();

// For ActiveX controls, which the launcher never hosts: a start-up call only.
inline void AfxEnableControlContainer() {}

// A pointer into `commandLine` past the program name (quoted, or up to the
// first blank or control character) and the blanks after it; trailing
// blanks stay. Null for a null command line.
LPWSTR AfxCommandLineTail(LPWSTR commandLine);

// The whole run of the program: InitInstance, then ExitInstance, whose
// result it returns (wWinMain's); -1 when there is no application object.
int AfxWinMain(HINSTANCE hInstance);
