#include "afxwin_app.h"

namespace {
CWinApp* g_pAfxApp = nullptr;
MSG g_afxLastMessage = {};
}  // namespace

CWinApp::CWinApp(LPCWSTR appName) : m_pszAppName(appName) { g_pAfxApp = this; }

CWinApp::~CWinApp() {
  if (g_pAfxApp == this) g_pAfxApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return static_cast<int>(g_afxLastMessage.wParam); }

int CWinApp::Run() {
  MSG* msg = AfxGetCurrentMessage();
  while (GetMessageW(msg, nullptr, 0, 0) > 0) {
    TranslateMessage(msg);
    DispatchMessageW(msg);
  }
  return ExitInstance();
}

CWinApp* AfxGetApp() { return g_pAfxApp; }

HINSTANCE AfxGetInstanceHandle() {
  return g_pAfxApp && g_pAfxApp->m_hInstance ? g_pAfxApp->m_hInstance
                                               : GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

MSG* AfxGetCurrentMessage() { return &g_afxLastMessage; }

void AfxEnableControlContainer() {}

LPWSTR AfxCommandLineTail(LPWSTR commandLine) {
  if (!commandLine) return nullptr;
  LPWSTR p = commandLine;
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p == L'"') ++p;
  } else {
    while (*p > L' ') ++p;
  }
  while (*p && *p <= L' ') ++p;
  return p;
}

int AfxWinMain(HINSTANCE hInstance, int nCmdShow) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->m_hInstance = hInstance;
  app->m_lpCmdLine = AfxCommandLineTail(GetCommandLineW());
  app->m_nCmdShow = nCmdShow;
  // A FALSE InitInstance means no message loop. The launcher never creates a
  // main window, so there is none to destroy before ExitInstance.
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}
