#include "afxwin_app.h"

namespace {
CWinApp* g_pAfxApp = nullptr;
MSG g_afxLastMessage = {};
}  // namespace

CWinApp::CWinApp() { g_pAfxApp = this; }

CWinApp::~CWinApp() {
  if (g_pAfxApp == this) g_pAfxApp = nullptr;
}

int CWinApp::ExitInstance() { return static_cast<int>(g_afxLastMessage.wParam); }

HINSTANCE AfxGetInstanceHandle() {
  return g_pAfxApp && g_pAfxApp->m_hInstance ? g_pAfxApp->m_hInstance : GetModuleHandleW(nullptr);
}

MSG* AfxGetCurrentMessage() { return &g_afxLastMessage; }

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

int AfxWinMain(HINSTANCE hInstance) {
  CWinApp* app = g_pAfxApp;
  if (!app) return -1;
  app->m_hInstance = hInstance;
  app->m_lpCmdLine = AfxCommandLineTail(GetCommandLineW());
  // The launcher's InitInstance does the whole run and returns FALSE; there
  // is no main window and no application message loop to run after it.
  app->InitInstance();
  return app->ExitInstance();
}
