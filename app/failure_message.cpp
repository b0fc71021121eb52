#include "app/failure_message.h"

#include "app/quarnel_app.h"
#include "i18n/catalogue.h"
#include "i18n/language_source.h"
#include "ui/message_fit.h"

namespace {

bool IsTrailingSpace(WCHAR c) { return c == L'\r' || c == L'\n' || c == L' ' || c == L'\t'; }

// A message built in a fixed buffer: appends what fits and reports whether
// everything did, so that a text is never cut unnoticed.
class MessageBuffer {
 public:
  bool Append(LPCWSTR text) {
    const int length = lstrlenW(text);
    if (length >= kFailureMessageChars - m_length) return false;
    CopyMemory(m_text + m_length, text, length * sizeof(WCHAR));
    m_length += length;
    m_text[m_length] = L'\0';
    return true;
  }
  CString Text() const { return CString(m_text, m_length); }

 private:
  WCHAR m_text[kFailureMessageChars] = {};
  int m_length = 0;
};

}  // namespace

bool SystemErrorText(DWORD error, WCHAR (&text)[kSystemTextChars]) {
  text[0] = L'\0';
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, kSystemTextChars, nullptr);
  if (length == 0 || length >= static_cast<DWORD>(kSystemTextChars)) {
    text[0] = L'\0';
    return false;
  }
  while (length > 0 && IsTrailingSpace(text[length - 1])) --length;
  text[length] = L'\0';
  return length > 0;
}

CString FailureMessageText(UINT baseId, LanguageIndex language, DWORD error) {
  CString line = LoadLocalizedString(baseId, language);
  if (error == 0) return line;
  WCHAR systemText[kSystemTextChars];
  const bool known = SystemErrorText(error, systemText);
  WCHAR number[16];
  wsprintfW(number, known ? L" (%lu)" : L"(%lu)", error);
  MessageBuffer message;
  // Each piece fits by the buffer's size; the catalogue line stands alone
  // should the sum ever not.
  if (!message.Append(line) || !message.Append(L"\n") || !message.Append(systemText) ||
      !message.Append(number)) {
    return line;
  }
  return message.Text();
}

CString FittedFailureMessage(UINT baseId, LanguageIndex language, DWORD error) {
  CString text = FailureMessageText(baseId, language, error);
  if (!g_pApp) return text;
  // The dialog paints every message in the service language's text font.
  return FitToMessageArea(g_pApp->GetTextFont(ServiceLanguageIndex()), text);
}

bool IsInteractiveWindowStation() {
  // The process's own station handle: not to be closed.
  const HWINSTA station = GetProcessWindowStation();
  USEROBJECTFLAGS flags = {};
  DWORD needed = 0;
  if (!station || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags), &needed)) {
    return false;
  }
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}
