#include "app/failure_message.h"

#include "app/quarnel_app.h"
#include "i18n/catalogue.h"
#include "i18n/language_source.h"
#include "ui/message_fit.h"

namespace {

// A system text names at most %1 to %99.
constexpr int kMessageInserts = 99;

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

bool SystemErrorText(DWORD error, LPCWSTR program, WCHAR (&text)[kSystemTextChars]) {
  // FormatMessageW reads as many inserts as the text names, up to %99: every
  // one it could ask for is there, so none is read past the array.
  DWORD_PTR inserts[kMessageInserts];
  inserts[0] = reinterpret_cast<DWORD_PTR>(program ? program : L"");
  for (int at = 1; at < kMessageInserts; ++at) inserts[at] = reinterpret_cast<DWORD_PTR>(L"");
  text[0] = L'\0';
  DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, error, 0,
                     text, kSystemTextChars, reinterpret_cast<va_list*>(inserts));
  if (length == 0 || length >= static_cast<DWORD>(kSystemTextChars)) {
    text[0] = L'\0';
    return false;
  }
  while (length > 0 && IsTrailingSpace(text[length - 1])) --length;
  text[length] = L'\0';
  return length > 0;
}

CString FailureMessageText(UINT baseId, LanguageIndex language, DWORD error, LPCWSTR program) {
  CString line = LoadLocalizedString(baseId, language);
  if (error == 0) return line;
  WCHAR systemText[kSystemTextChars];
  const bool known = SystemErrorText(error, program, systemText);
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

CString FittedFailureMessage(UINT baseId, LanguageIndex language, DWORD error, LPCWSTR program) {
  CString text = FailureMessageText(baseId, language, error, program);
  if (!g_pApp) return text;
  // The dialog paints every message in the service language's text font.
  return FitToMessageArea(g_pApp->GetTextFont(ServiceLanguageIndex()), text, g_pApp->m_nFontDpi);
}
