#include "afxstr.h"

#include "afxwin_app.h"

CString& CString::operator=(const CString& other) {
  if (this != &other) Assign(other.m_pData, other.m_nLength);
  return *this;
}

CString& CString::operator=(CString&& other) noexcept {
  if (this == &other) return *this;
  Empty();
  m_pData = other.m_pData;
  m_nLength = other.m_nLength;
  other.m_pData = nullptr;
  other.m_nLength = 0;
  return *this;
}

CString& CString::operator=(LPCWSTR text) {
  // `text` may point into this string; copy before freeing.
  CString copy(text);
  return *this = static_cast<CString&&>(copy);
}

void CString::Empty() {
  if (m_pData) HeapFree(GetProcessHeap(), 0, m_pData);
  m_pData = nullptr;
  m_nLength = 0;
}

int CompareOrdinal(LPCWSTR left, LPCWSTR right) {
  LPCWSTR a = left ? left : L"";
  LPCWSTR b = right ? right : L"";
  for (;; ++a, ++b) {
    unsigned int ca = static_cast<unsigned short>(*a);
    unsigned int cb = static_cast<unsigned short>(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

bool CString::Assign(LPCWSTR text, int length) {
  LPWSTR data = nullptr;
  if (length > 0) {
    const SIZE_T bytes = (static_cast<SIZE_T>(length) + 1) * sizeof(WCHAR);
    data = static_cast<LPWSTR>(HeapAlloc(GetProcessHeap(), 0, bytes));
    if (!data) {
      Empty();
      return false;
    }
    CopyMemory(data, text, bytes - sizeof(WCHAR));
    data[length] = L'\0';
  }
  Empty();
  m_pData = data;
  m_nLength = data ? length : 0;
  return true;
}

BOOL CString::LoadString(UINT id) {
  // With a zero buffer size LoadStringW hands back a pointer to the text in
  // the mapped resource and its exact length, so no text is ever cut.
  LPCWSTR resourceText = nullptr;
  const int length =
      ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&resourceText), 0);
  if (length <= 0 || !resourceText) {
    Empty();
    return FALSE;
  }
  return Assign(resourceText, length) ? TRUE : FALSE;
}
