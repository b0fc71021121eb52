#include "afxgdi.h"

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  const BOOL deleted = ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return deleted;
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* logFont) {
  DeleteObject();
  m_hObject = ::CreateFontIndirectW(logFont);
  return m_hObject != nullptr;
}

BOOL CDC::CreateCompatibleDC(CDC* reference) {
  DeleteDC();
  m_hDC = ::CreateCompatibleDC(reference ? reference->m_hDC : nullptr);
  m_bOwned = m_hDC != nullptr;
  return m_bOwned;
}

void CDC::DeleteDC() {
  if (m_bOwned && m_hDC) ::DeleteDC(m_hDC);
  m_hDC = nullptr;
  m_bOwned = false;
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  // An opaque ExtTextOut with no text fills with the background colour and
  // needs no brush to create and delete.
  const RECT rect = {x, y, x + cx, y + cy};
  const COLORREF previous = ::SetBkColor(m_hDC, color);
  ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, previous);
}
