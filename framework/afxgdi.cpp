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

BOOL CFont::GetLogFont(LOGFONTW* logFont) const {
  if (!m_hObject) return FALSE;
  return ::GetObjectW(m_hObject, sizeof(LOGFONTW), logFont) == sizeof(LOGFONTW);
}
