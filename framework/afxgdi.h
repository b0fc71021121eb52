// GDI object wrappers: each owns its handle and deletes it when destroyed.
#pragma once
#include <windows.h>

class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject() { DeleteObject(); }

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  // Deletes the held object, if any. TRUE when one was deleted.
  BOOL DeleteObject();

  HGDIOBJ m_hObject = nullptr;
};

class CFont : public CGdiObject {
 public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  // Replaces the held font with one made from `logFont`. FALSE when GDI
  // refuses; the object then holds no font.
  BOOL CreateFontIndirect(const LOGFONTW* logFont);
  // Reads back the description of the held font. FALSE without one.
  BOOL GetLogFont(LOGFONTW* logFont) const;
};
