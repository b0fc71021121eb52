// CString: a UTF-16 string on the process heap, with what the launcher uses:
// construction, assignment, ordinal comparison, length, the string table.
#pragma once
#include <windows.h>

// Orders two texts code unit by code unit as unsigned 16-bit numbers (like
// lstrcmpW's sign, but without the locale); a proper prefix is smaller, and
// null reads as empty. <0, 0 or >0.
int CompareOrdinal(LPCWSTR left, LPCWSTR right);

class CString {
 public:
  // Every constructor and assignment copies (a move takes the other's text
  // and leaves it empty); a copy that finds no memory leaves the string
  // empty. A null `text` reads as empty.
  CString() = default;
  CString(LPCWSTR text) { Assign(text, text ? lstrlenW(text) : 0); }  // NOLINT: implicit
  // The first `length` code units of `text`, which must have that many.
  CString(LPCWSTR text, int length) { Assign(text, text && length > 0 ? length : 0); }
  CString(const CString& other) { Assign(other.m_pData, other.m_nLength); }
  CString(CString&& other) noexcept { *this = static_cast<CString&&>(other); }
  // Frees the text.
  ~CString() { Empty(); }

  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  // `text` may point into this string.
  CString& operator=(LPCWSTR text);

  // Never null: an empty string reads as L"".
  operator LPCWSTR() const { return GetString(); }
  LPCWSTR GetString() const { return m_pData ? m_pData : L""; }
  // Code units, without the terminator.
  int GetLength() const { return m_nLength; }
  bool IsEmpty() const { return m_nLength == 0; }
  // Frees the text; the string is empty afterwards.
  void Empty();

  // CompareOrdinal of this string and `other`; == and != by its result.
  int Compare(LPCWSTR other) const { return CompareOrdinal(GetString(), other); }
  bool operator==(LPCWSTR other) const { return Compare(other) == 0; }
  bool operator!=(LPCWSTR other) const { return Compare(other) != 0; }

  // Loads string-table entry `id` of the resource module, whole. FALSE, and
  // empty, when the entry does not exist or is empty, or memory runs out.
  BOOL LoadString(UINT id);

 private:
  // Replaces the content with `length` code units of `text`; false, and
  // empty, when memory runs out.
  bool Assign(LPCWSTR text, int length);

  LPWSTR m_pData = nullptr;
  int m_nLength = 0;
};
