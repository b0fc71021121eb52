#include "afxdc.h"

CDC::~CDC() { DeleteDC(); }

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

HGDIOBJ CDC::SelectObject(CFont* font) {
  return font ? SelectObject(font->GetSafeHandle()) : nullptr;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
  // Selecting nothing would fail in GDI anyway; answer null without a call.
  if (!m_hDC || !object) return nullptr;
  return ::SelectObject(m_hDC, object);
}

int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }

COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }

int CDC::DrawText(LPCWSTR text, int count, LPRECT rect, UINT format) {
  if (!text) return 0;
  return ::DrawTextW(m_hDC, text, count, rect, format);
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
  return DrawText(text.GetString(), text.GetLength(), rect, format);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  // An opaque ExtTextOut with no text fills with the background colour and
  // needs no brush to create and delete.
  const COLORREF previous = ::SetBkColor(m_hDC, color);
  ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, previous);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  const RECT rect = {x, y, x + cx, y + cy};
  FillSolidRect(&rect, color);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc,
                 DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSrc, ySrc, rop);
}

void CDC::DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
