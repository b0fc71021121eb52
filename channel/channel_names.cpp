#include "channel/channel_names.h"

namespace {

// Appends `text` at out[*used]; false when it would leave no room for the
// terminator.
bool AppendText(LPCWSTR text, WCHAR* out, size_t capacity, size_t* used) {
  for (; *text; ++text) {
    if (*used + 1 >= capacity) return false;
    out[(*used)++] = *text;
  }
  return true;
}

// FormatObjectName's work, on arguments known to be there; false when the
// result would not fit, with `out` then holding what was copied, unterminated.
bool FormatInto(LPCWSTR format, LPCWSTR argument, WCHAR* out, size_t capacity) {
  size_t used = 0;
  bool substituted = false;
  for (; *format; ++format) {
    if (!substituted && format[0] == L'%' && format[1] == L's') {
      if (!AppendText(argument, out, capacity, &used)) return false;
      substituted = true;
      ++format;
      continue;
    }
    const WCHAR single[2] = {*format, L'\0'};
    if (!AppendText(single, out, capacity, &used)) return false;
  }
  out[used] = L'\0';
  return true;
}

}  // namespace

bool FormatObjectName(LPCWSTR format, LPCWSTR argument, WCHAR* out, size_t capacity) {
  if (!out || capacity == 0) return false;
  if (format && argument && FormatInto(format, argument, out, capacity)) return true;
  out[0] = L'\0';
  return false;
}

bool ExchangeObjectNames::Form() {
  return FormatObjectName(kRequestEventFormat, kServiceArgument, requestEvent, kObjectNameChars) &&
         FormatObjectName(kEndEventFormat, kServiceArgument, endEvent, kObjectNameChars) &&
         FormatObjectName(kSharedMemoryFormat, kServiceArgument, sharedMemory, kObjectNameChars);
}
