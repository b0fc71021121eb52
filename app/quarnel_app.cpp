#include "app/quarnel_app.h"

#include "app/launcher_run.h"
#include "res/resource.h"

CQuarnelApp* g_pApp = nullptr;

BEGIN_MESSAGE_MAP(CQuarnelApp, CWinAppEx)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQuarnelApp::CQuarnelApp() = default;

// The fonts go first; the library-search guard, declared last, is the first
// member destroyed after this body.
CQuarnelApp::~CQuarnelApp() {
  for (CFont& font : m_fontText) font.DeleteObject();
  m_fontTitle.DeleteObject();
}

// The framework base's result is the last message's word parameter, which
// means nothing after a dialog; the run's own code replaces it.
int CQuarnelApp::ExitInstance() {
  CWinAppEx::ExitInstance();
  return m_nExitCode;
}

BOOL CQuarnelApp::InitInstance() {
  m_nExitCode = ExitCodeOf(RunLauncher(*this));
  return FALSE;
}
