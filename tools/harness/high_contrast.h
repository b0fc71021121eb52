// A high-contrast theme for the dialogs of programs started while it lives.
// Wine takes the system colours from the registry when a program starts
// (its session's copy first, where its visual style put its own; the style
// is off, as Windows has none under high contrast), but always answers
// SPI_GETHIGHCONTRAST "off" and refuses to change it; the dialog host
// answers that one call itself from where Windows keeps the setting
// (tools/msgdlg_host/high_contrast_probe.h).
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "tools/harness/msgdlg_driver.h"

// Windows' place of the setting: "Flags", the HCF_* bits as a decimal string.
constexpr wchar_t kHighContrastKey[] = L"Control Panel\\Accessibility\\HighContrast";
constexpr wchar_t kHighContrastFlags[] = L"Flags";

// The system colours a theme sets.
struct ColourScheme {
  COLORREF window, windowText, buttonFace, buttonText, highlight, highlightText, grayText;
};

// White on black, every role a colour of its own, so that a part drawn in
// another role's colour shows: the tests' scheme.
extern const ColourScheme kWhiteOnBlack;
// Windows' "High Contrast Black": the demo's.
extern const ColourScheme kHighContrastBlack;

class HighContrastTheme {
 public:
  // `scheme` for programs started from now on, the setting on or off.
  HighContrastTheme(const ColourScheme& scheme, bool on);
  // Restores the colours and the setting, last set first.
  ~HighContrastTheme();
  HighContrastTheme(const HighContrastTheme&) = delete;
  HighContrastTheme& operator=(const HighContrastTheme&) = delete;

  // Turns the setting on or off; a dialog learns it from the message that
  // announces it (WM_SETTINGCHANGE, WM_SYSCOLORCHANGE).
  void Turn(bool on);

 private:
  std::unique_ptr<ScopedStringValue> m_noVisualStyle;
  std::vector<std::unique_ptr<ScopedStringValue>> m_colours;
  std::unique_ptr<ScopedStringValue> m_flags;
};
