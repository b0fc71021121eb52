// CDC: a device context the code draws on. A CDC made from a handle only
// borrows it (the window or the caller releases it); one made with
// CreateCompatibleDC owns its memory DC and deletes it when destroyed.
#pragma once
#include <windows.h>

#include "afxgdi.h"
#include "afxstr.h"
#include "afxtypes.h"

class CDC {
 public:
  // Borrows `hDC`; this is how message adapters hand a DC to a handler.
  explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
  ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

  // Replaces the held DC by a new memory DC compatible with `reference`
  // (the screen when null), owned by this object. FALSE when GDI refuses.
  BOOL CreateCompatibleDC(CDC* reference);
  // Deletes an owned DC; a borrowed one is only forgotten.
  void DeleteDC();

  // Select an object; the result is the previously selected object of that
  // type, to be selected again when done (null on failure).
  HGDIOBJ SelectObject(CFont* font);
  HGDIOBJ SelectObject(HGDIOBJ object);

  int SetBkMode(int mode);                 // previous mode
  COLORREF SetTextColor(COLORREF color);   // previous colour
  COLORREF SetBkColor(COLORREF color);     // previous colour

  // DrawTextW: the height of the text drawn (or measured with DT_CALCRECT,
  // which also updates `rect`); 0 on failure.
  int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format);
  int DrawText(const CString& text, LPRECT rect, UINT format);

  // Fills `rect` with `color` without a brush; the DC's background colour
  // is left as it was.
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
  void DrawFocusRect(LPCRECT rect);

  HDC m_hDC = nullptr;

 private:
  bool m_bOwned = false;
};
