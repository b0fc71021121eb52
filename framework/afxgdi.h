// GDI wrappers: fonts that own their handle, and device contexts.
#pragma once
#include <windows.h>

#include "afxstr.h"

// A GDI object owned by this wrapper and deleted with it.
class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  // Deletes the object held, if any.
  virtual ~CGdiObject() { DeleteObject(); }

  // Deletes the held object, if any. TRUE when one was deleted.
  BOOL DeleteObject();

  HGDIOBJ m_hObject = nullptr;
};

class CFont : public CGdiObject {
 public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  // Replaces the held font with one made from `logFont`; FALSE, and no
  // font, when GDI refuses.
  BOOL CreateFontIndirect(const LOGFONTW* logFont);
};

// A device context: borrowed when made from a handle, owned (and deleted)
// when made with CreateCompatibleDC.
class CDC {
 public:
  // Borrows `hDC`; this is how message adapters hand a DC to a handler.
  explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
  // Deletes an owned DC (DeleteDC).
  ~CDC() { DeleteDC(); }
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // The DC held, or null.
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

  // Replaces the held DC by a new memory DC compatible with `reference`
  // (the screen when null), owned by this object. FALSE when GDI refuses.
  BOOL CreateCompatibleDC(CDC* reference);
  // Deletes an owned DC; a borrowed one is only forgotten.
  void DeleteDC();

  // The previously selected object of that type, to select again when done;
  // null on failure and for a null object.
  HGDIOBJ SelectObject(HGDIOBJ object) {
    return m_hDC && object ? ::SelectObject(m_hDC, object) : nullptr;
  }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }                    // previous
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }  // previous

  // DrawTextW: the height drawn or, with DT_CALCRECT, measured into `rect`.
  int DrawText(const CString& text, LPRECT rect, UINT format) {
    return ::DrawTextW(m_hDC, text, text.GetLength(), rect, format);
  }

  // Fills the rectangle with `color` without a brush; the DC's background
  // colour is left as it was.
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  // ::BitBlt from `source`'s DC (none when null) to this one; its result.
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSrc, ySrc, rop);
  }
  void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }

  HDC m_hDC = nullptr;

 private:
  bool m_bOwned = false;
};
