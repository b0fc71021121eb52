#include "tools/harness/high_contrast.h"

#include <string>

const ColourScheme kWhiteOnBlack = {
    RGB(0, 0, 0),   RGB(255, 255, 255), RGB(0, 0, 128),     RGB(255, 255, 0),
    RGB(0, 160, 0), RGB(255, 0, 255),   RGB(128, 128, 128),
};

const ColourScheme kHighContrastBlack = {
    RGB(0, 0, 0),      RGB(255, 255, 255), RGB(0, 0, 0),     RGB(255, 255, 255),
    RGB(26, 235, 255), RGB(0, 0, 0),       RGB(63, 242, 63),
};

namespace {

// Windows' and Wine's place of the colours, and Wine's copy for the session.
const wchar_t* const kColoursKeys[] = {
    L"Control Panel\\Colors",
    L"Software\\Wine\\Temporary System Parameters\\Control Panel\\Colors",
};
const wchar_t kThemeManagerKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

std::wstring ColourValue(COLORREF colour) {
  return std::to_wstring(GetRValue(colour)) + L" " + std::to_wstring(GetGValue(colour)) + L" " +
         std::to_wstring(GetBValue(colour));
}

}  // namespace

HighContrastTheme::HighContrastTheme(const ColourScheme& scheme, bool on)
    : m_noVisualStyle(std::make_unique<ScopedStringValue>(HKEY_CURRENT_USER, kThemeManagerKey,
                                                          L"ThemeActive", L"0")) {
  const struct {
    const wchar_t* name;
    COLORREF colour;
  } colours[] = {
      {L"Window", scheme.window},         {L"WindowText", scheme.windowText},
      {L"ButtonFace", scheme.buttonFace}, {L"ButtonText", scheme.buttonText},
      {L"Hilight", scheme.highlight},     {L"HilightText", scheme.highlightText},
      {L"GrayText", scheme.grayText},
  };
  for (const wchar_t* key : kColoursKeys) {
    for (const auto& c : colours) {
      m_colours.push_back(std::make_unique<ScopedStringValue>(HKEY_CURRENT_USER, key, c.name,
                                                              ColourValue(c.colour)));
    }
  }
  Turn(on);
}

HighContrastTheme::~HighContrastTheme() {
  m_flags.reset();
  while (!m_colours.empty()) m_colours.pop_back();
  m_noVisualStyle.reset();
}

// The flags Windows stores with the theme off (126) and on (127): all but
// HCF_HIGHCONTRASTON, and that too. The previous value goes back first, so
// that the last one restored is the one found before the theme.
void HighContrastTheme::Turn(bool on) {
  m_flags.reset();
  m_flags = std::make_unique<ScopedStringValue>(HKEY_CURRENT_USER, kHighContrastKey,
                                                kHighContrastFlags, on ? L"127" : L"126");
}
