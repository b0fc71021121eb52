#include "channel/channel_names.h"

namespace {

// Appends `text` at out[*used]; FALSE when it would leave no room for the
// terminator.
BOOL AppendText(LPCWSTR text, WCHAR* out, size_t capacity, size_t* used) {
  for (; *text; ++text) {
    if (*used + 1 >= capacity) return FALSE;
    out[(*used)++] = *text;
  }
  return TRUE;
}

// FormatObjectName's work, on arguments known to be there; FALSE when the
// result would not fit, with `out` then holding what was copied, unterminated.
BOOL FormatInto(LPCWSTR format, LPCWSTR argument, WCHAR* out, size_t capacity) {
  size_t used = 0;
  BOOL substituted = FALSE;
  for (; *format; ++format) {
    if (!substituted && format[0] == L'%' && format[1] == L's') {
      if (!AppendText(argument, out, capacity, &used)) return FALSE;
      substituted = TRUE;
      ++format;
      continue;
    }
    const WCHAR single[2] = {*format, L'\0'};
    if (!AppendText(single, out, capacity, &used)) return FALSE;
  }
  out[used] = L'\0';
  return TRUE;
}

}  // namespace

BOOL FormatObjectName(LPCWSTR format, LPCWSTR argument, WCHAR* out, size_t capacity) {
  if (!out || capacity == 0) return FALSE;
  if (format && argument && FormatInto(format, argument, out, capacity)) return TRUE;
  out[0] = L'\0';
  return FALSE;
}

BOOL ExchangeObjectNames::Form() {
  return FormatObjectName(kRequestEventFormat, kServiceArgument, requestEvent, kObjectNameChars) &&
         FormatObjectName(kEndEventFormat, kServiceArgument, endEvent, kObjectNameChars) &&
         FormatObjectName(kSharedMemoryFormat, kServiceArgument, sharedMemory, kObjectNameChars);
}
