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

}  // namespace

void CQuarnelApp::StartLibraries(const RunObserver& observer) {
  g_pApp = this;
  TraceConfigure();
  Trace(L"start: command line \"%s\"", m_lpCmdLine ? m_lpCmdLine : L"");
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  observer.Done(RunStep::kCommonControls);
  CWinAppEx::InitInstance();
  AfxEnableControlContainer();
  observer.Done(RunStep::kFramework);
  // The run goes on without GDI+: only a dialog's artwork depends on it.
  if (!StartGdiplus()) Trace(L"start-up: GDI+ not started, error %lu", GetLastError());
  observer.Done(RunStep::kGdiplus);
}

void CQuarnelApp::LoadResources(const RunObserver& observer) {
  BindVersionLibrary();
  observer.Done(RunStep::kVersionBinding);
  m_hIcon = LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_APP_ICON));
  // At the screen's DPI, which a dialog's window has unless it opens on a
  // monitor of another scale (it then makes them again for its own).
  CreateLanguageFonts(WindowDpi(nullptr));
  observer.Done(RunStep::kIconAndFonts);
}

void CQuarnelApp::StartUp(const RunObserver& observer) {
  StartLibraries(observer);
  LoadResources(observer);
}
