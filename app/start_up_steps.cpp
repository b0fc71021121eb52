// The launcher's start-up before its decision, shared with the programs that
// show the launcher's dialog or time its start, so that they run exactly the
// launcher's steps in the launcher's order.
#include "app/quarnel_app.h"

#include <commctrl.h>

#include "app/trace.h"
#include "app/version_api.h"
#include "res/resource.h"
#include "ui/display_scale.h"
#include "ui/gdiplus_api.h"

namespace {

// Binds the version library afresh, as the run's own binding; every version
// then reads, or reads empty.
void BindVersionLibrary() {
  if (BindVersionApi()) {
    Trace(L"version.dll: bound");
  } else {
    Trace(L"version.dll: not bound, error %lu; every version reads empty", GetLastError());
  }
}

void StepDone(const StartUpHooks& hooks, StartUpStep step) {
  if (hooks.stepDone) hooks.stepDone(step, hooks.context);
}

}  // namespace

bool CQuarnelApp::StartUp(const StartUpHooks& hooks) {
  g_pApp = this;
  TraceConfigure();
  Trace(L"start: command line \"%s\"", m_lpCmdLine ? m_lpCmdLine : L"");
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  StepDone(hooks, StartUpStep::kCommonControls);
  CWinAppEx::InitInstance();
  AfxEnableControlContainer();
  StepDone(hooks, StartUpStep::kFramework);
  // The run goes on without GDI+: only a dialog's artwork depends on it.
  if (!StartGdiplus()) Trace(L"start-up: GDI+ not started, error %lu", GetLastError());
  StepDone(hooks, StartUpStep::kGdiplus);

  if (hooks.gate && !hooks.gate(hooks.context)) return false;

  BindVersionLibrary();
  StepDone(hooks, StartUpStep::kVersionBinding);
  m_hIcon = LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_APP_ICON));
  // At the screen's DPI, which a dialog's window has unless it opens on a
  // monitor of another scale (it then makes them again for its own).
  CreateLanguageFonts(WindowDpi(nullptr));
  StepDone(hooks, StartUpStep::kIconAndFonts);
  return true;
}
