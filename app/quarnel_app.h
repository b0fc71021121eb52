// The application object: the launcher's whole run is its InitInstance.
#pragma once
#include "afxwin.h"
#include "app/dll_search_guard.h"
#include "i18n/language.h"
#include "i18n/language_fonts.h"

// The steps of the start-up before the launch decision, in their order.
enum class StartUpStep { kCommonControls, kFramework, kGdiplus, kVersionBinding, kIconAndFonts };

// What a caller adds to the start-up; each field may be null.
struct StartUpHooks {
  // Runs right after GDI+ (the launcher takes its instance mutex here);
  // false ends the start-up at that point.
  bool (*gate)(void* context);
  // Called after each step that ran (a profiler's timestamps).
  void (*stepDone)(StartUpStep step, void* context);
  // Handed to both.
  void* context;
};

class CQuarnelApp : public CWinAppEx {
 public:
  // Builds the framework base and the members; the library-search guard,
  // constructed last, restricts library search before anything else loads.
  CQuarnelApp();
  // Deletes the fonts; the guard, destroyed first of the members, then frees
  // the kernel library handle.
  ~CQuarnelApp() override;

  // Performs the whole run: start-up, version gate, decision, install or
  // hand-off, and the message of a run that failed at its job. FALSE on
  // every path, so the framework runs no message loop; the run's exit code
  // is left in m_nExitCode.
  BOOL InitInstance() override;
  // Runs the framework base's, then returns m_nExitCode: 0 for a run that
  // did its job, a code of app/run_failure.h for one that could not.
  int ExitInstance() override;

  // The one start-up, for the launcher and for every program that shows its
  // dialog: sets g_pApp, starts the trace, common controls, the framework
  // base's start-up calls and GDI+, passes the gate, binds the version
  // library again, loads the icon and creates the fonts. true when it ran to
  // the end, false when the gate ended it; no other result is examined
  // (GDI+'s and the version library's are traced).
  bool StartUp(const StartUpHooks& hooks = StartUpHooks());

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
