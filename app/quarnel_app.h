// The application object: the launcher's whole run is its InitInstance.
#pragma once
#include "afxwin.h"
#include "app/dll_search_guard.h"
#include "i18n/language.h"

class CQuarnelApp : public CWinAppEx {
 public:
  // Builds the framework base and the members; the library-search guard,
  // constructed last, restricts library search before anything else loads.
  CQuarnelApp();
  // Deletes the fonts; the guard then frees the kernel library handle.
  ~CQuarnelApp() override;

  // Performs the whole run: start-up, version gate, decision, install or
  // hand-off. FALSE on every path, so the framework runs no message loop.
  BOOL InitInstance() override;
  // The framework base's result, unchanged.
  int ExitInstance() override;

  // Creates the eight text fonts and the title font.
  void CreateLanguageFonts();
  // The text font of `language` (0..7), the title font.
  CFont& GetTextFont(LanguageIndex language);
  CFont& GetTitleFont();

  CDllSearchGuard m_dllSearch;
  HICON m_hIcon = nullptr;
  CFont m_fontText[kLanguageCount];
  CFont m_fontTitle;

  DECLARE_MESSAGE_MAP()
};

// The one application object, set by InitInstance as its first step.
extern CQuarnelApp* g_pApp;
