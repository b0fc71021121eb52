// The application object: the launcher's whole run is its InitInstance.
#pragma once
#include "afxwin.h"
#include "app/dll_search_guard.h"
#include "app/run_steps.h"
#include "i18n/language.h"
#include "i18n/language_fonts.h"

class CQuarnelApp : public CWinAppEx {
 public:
  // Builds the framework base and the members; the library-search guard,
  // constructed last, restricts library search before anything else loads.
  CQuarnelApp();
  // Deletes the fonts; the guard, destroyed first of the members, then frees
  // the kernel library handle.
  ~CQuarnelApp() override;

  // Performs the whole run (RunLauncher, app/launcher_run.h) and keeps its
  // exit code in m_nExitCode. FALSE on every path, so the framework runs no
  // message loop.
  BOOL InitInstance() override;
  // Runs the framework base's, then returns m_nExitCode: the exit code of
  // the run's outcome (app/run_outcome.h).
  int ExitInstance() override;

  // The start-up's first half: sets g_pApp, starts the trace, common
  // controls, the framework base's start-up calls and GDI+ (whose failure is
  // traced). The launcher takes its instance mutex after it.
  void StartLibraries(const RunObserver& observer = RunObserver());
  // Its second half: binds the version library again, loads the icon and
  // creates the fonts at the screen's DPI.
  void LoadResources(const RunObserver& observer = RunObserver());
  // Both halves, for the programs that show the launcher's dialog.
  void StartUp(const RunObserver& observer = RunObserver());

  // Creates the eight text fonts and the title font at `dpi` (replacing
  // any made before); a font GDI refuses leaves its member without a font
  // (controls then use the system font).
  void CreateLanguageFonts(UINT dpi = kFontBaseDpi);
  // Makes the fonts again at `dpi` unless they already are at it. Handles
  // given out before then are deleted: their users take the new ones.
  void UseFontsForDpi(UINT dpi);
  // The text font of `language` (0..7; any other value gets English's).
  CFont& GetTextFont(LanguageIndex language);
  // The title font.
  CFont& GetTitleFont();

  HICON m_hIcon = nullptr;
  CFont m_fontText[kLanguageCount];
  CFont m_fontTitle;
  // The DPI the fonts were made for.
  UINT m_nFontDpi = kFontBaseDpi;
  // The process exit code InitInstance leaves behind.
  int m_nExitCode = 0;
  // Last: constructed after the other members, as the object's last step.
  // None of them loads a library (StartUp creates the fonts and the icon),
  // so search is restricted before anything the launcher does loads one.
  CDllSearchGuard m_dllSearch;

  DECLARE_MESSAGE_MAP()
};

// The one application object, set by StartUp as its first step.
extern CQuarnelApp* g_pApp;
