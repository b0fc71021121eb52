#include "ui/message_fit.h"

#include "ui/msg_dlg.h"

namespace {

const WCHAR kEllipsis[] = L"\x2026 ";
const int kEllipsisChars = 2;
// How far back from a cut a blank is looked for, so that words stay whole
// in texts that have blanks and texts without (Chinese, Japanese) still
// keep as much as fits.
const int kBlankSearchChars = 24;

bool IsBreak(WCHAR c) { return c == L' ' || c == L'\n' || c == L'\r' || c == L'\t'; }
bool IsLowSurrogate(WCHAR c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Where the text's last word begins: just past its last break, 0 when it
// has none.
int LastWordStart(const CString& text) {
  for (int at = text.GetLength(); at > 0; --at) {
    if (IsBreak(text[at - 1])) return at;
  }
  return 0;
}

// Room for a shortened message: longer texts are shortened further.
const int kFitChars = 1024;

// The first `keep` characters of `text`, breaks at their end dropped, the
// ellipsis, then a blank and `tail` (may be empty: no blank then), into
// `out`. false when that would not fit the buffer.
bool Shortened(const CString& text, int keep, LPCWSTR tail, WCHAR (&out)[kFitChars]) {
  while (keep > 0 && IsBreak(text[keep - 1])) --keep;
  const int tailChars = lstrlenW(tail);
  // The blank after the ellipsis only where a last word follows it.
  const int markChars = tailChars > 0 ? kEllipsisChars : kEllipsisChars - 1;
  if (keep + markChars + tailChars >= kFitChars) return false;
  CopyMemory(out, text.GetString(), keep * sizeof(WCHAR));
  CopyMemory(out + keep, kEllipsis, markChars * sizeof(WCHAR));
  CopyMemory(out + keep + markChars, tail, (tailChars + 1) * sizeof(WCHAR));
  return true;
}

// A cut moved back onto a blank close before it, and off the middle of a
// surrogate pair.
int CutPoint(const CString& text, int keep) {
  for (int at = keep; at > 0 && at > keep - kBlankSearchChars; --at) {
    if (IsBreak(text[at - 1])) return at;
  }
  return keep > 0 && IsLowSurrogate(text[keep]) ? keep - 1 : keep;
}

bool Fits(HDC dc, LPCWSTR text, int length, int width, int height) {
  const SIZE size = WrappedTextSize(dc, text, length, width);
  return size.cx <= width && size.cy <= height;
}

// The shortened text keeping the most of `text`'s first `limit` characters
// before `tail` that fits `height`, into `out`. false when not even the
// ellipsis and `tail` alone fit.
bool FitBefore(HDC dc, const CString& text, int limit, LPCWSTR tail, int width, int height,
               WCHAR (&out)[kFitChars]) {
  auto fits = [&](int keep) {
    return Shortened(text, keep, tail, out) && Fits(dc, out, lstrlenW(out), width, height);
  };
  // The height grows with what is kept, so halving finds the most.
  int low = 0;
  int high = limit;
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return fits(CutPoint(text, low)) || fits(low);
}

}  // namespace

SIZE WrappedTextSize(HDC dc, LPCWSTR text, int length, int width) {
  RECT measured = {0, 0, width, 1};
  ::DrawTextW(dc, text, length, &measured, DT_CALCRECT | DT_WORDBREAK);
  return {measured.right - measured.left, measured.bottom - measured.top};
}

CString FitMessage(HDC dc, const CString& text, int width, int height) {
  if (Fits(dc, text, text.GetLength(), width, height)) return text;
  const int lastWord = LastWordStart(text);
  WCHAR fitted[kFitChars];
  if (lastWord > 0 &&
      FitBefore(dc, text, lastWord, text.GetString() + lastWord, width, height, fitted)) {
    return CString(fitted);
  }
  if (FitBefore(dc, text, text.GetLength(), L"", width, height, fitted)) return CString(fitted);
  return CString(kEllipsis, 1);
}

CString FitToMessageArea(HFONT font, const CString& text, UINT dpi) {
  CDC dc;
  if (!dc.CreateCompatibleDC(nullptr)) return text;
  const HGDIOBJ previous = dc.SelectObject(font);
  CString fitted =
      FitMessage(dc, text, ScaleToDpi(kMessageAreaWidth, dpi), ScaleToDpi(kMessageAreaHeight, dpi));
  if (previous) dc.SelectObject(previous);
  return fitted;
}
