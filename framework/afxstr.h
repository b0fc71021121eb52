// CString: a growable UTF-16 string on the process heap. Only what the
// launcher uses: construction, assignment, comparison, length and loading
// from the string table.
#pragma once
#include <windows.h>

class CString {
 public:
  CString() = default;
  CString(LPCWSTR text);                 // NOLINT: implicit, as the framework's
  CString(LPCWSTR text, int length);     // the first `length` code units
  CString(const CString& other);
  CString(CString&& other) noexcept;
  ~CString();

  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  CString& operator=(LPCWSTR text);

  // Never null: an empty string reads as L"".
  operator LPCWSTR() const { return GetString(); }
  LPCWSTR GetString() const { return m_pData ? m_pData : L""; }
  int GetLength() const { return m_nLength; }
  bool IsEmpty() const { return m_nLength == 0; }
  void Empty();

  // Ordinal comparison of the UTF-16 code units (like lstrcmpW's sign, but
  // without the locale): <0, 0 or >0.
  int Compare(LPCWSTR other) const;
  bool operator==(LPCWSTR other) const { return Compare(other) == 0; }
  bool operator!=(LPCWSTR other) const { return Compare(other) != 0; }

  // Loads string-table entry `id` of the framework's resource module, in
  // whatever language the table is stored. FALSE, and the string emptied,
  // when the entry does not exist.
  BOOL LoadString(UINT id);

 private:
  // Replaces the content with `length` code units of `text`. FALSE when
  // memory runs out; the string is then empty.
  bool Assign(LPCWSTR text, int length);

  LPWSTR m_pData = nullptr;
  int m_nLength = 0;
};
