// An owner-drawn push button that takes its looks from a PNG sprite strip
// (normal, hover, pressed, focused, disabled), tracks the mouse itself for
// the hover look, and can compose each paint off-screen on a solid colour so
// the sprite's transparent pixels show that colour and nothing flickers.
#pragma once
#include <objidl.h>
#include <windows.h>

#include "afxwin.h"
#include "ui/gdiplus_bitmap.h"

// How a button draws itself in the system's colours, in place of its sprite,
// for a high-contrast theme (m_nSystemLook).
enum SystemLook {
  SYSTEM_LOOK_NONE = 0,   // the sprite
  SYSTEM_LOOK_FACE = 1,   // a bordered face with the caption
  SYSTEM_LOOK_CROSS = 2,  // the close cross
};

class CImageButton : public CButton {
 public:
  CImageButton() = default;
  // Deletes the sprite bitmap, then releases its stream.
  ~CImageButton() override;

  // Replaces the sprite with the RT_RCDATA resource `id` of the program, cut
  // into frames of frameWidth x frameHeight, and sizes the window to one
  // frame without moving it. Needs the attached window. FALSE, with no
  // sprite and the window's size unchanged, when the resource is missing or
  // the bitmap object cannot be allocated; bytes that cannot be decoded
  // still count as loaded (they draw nothing).
  BOOL LoadSprite(WORD id, int frameWidth, int frameHeight);

  // Paints the frame for the button's state into the record's DC (composed
  // off-screen on m_crBackground when m_bMemoryDraw), then, for a caption
  // button, the caption; the focus rectangle only when the item has the
  // focus and no caption was drawn. With a system look, that look instead.
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  // Never erases: every paint covers the whole button.
  BOOL OnEraseBkgnd(CDC* pDC);
  // Lets the window go, then drops the sprite.
  void OnDestroy();
  // Hover tracking: the mouse is captured while it is over the button.
  void OnMouseMove(UINT nFlags, CPoint point);
  // Losing the capture ends the hover.
  void OnCaptureChanged(CWnd* pWnd);
  // BN_SETFOCUS / BN_KILLFOCUS reflected by the parent: repaint at once.
  void OnFocusChange();

  DECLARE_MESSAGE_MAP()

 private:
  // Tests look at the hover state and the sprite, and watch the stream.
  friend class CImageButtonTestAccess;

  // Deletes the bitmap, then releases the stream; frames become 0 x 0 x 0.
  void ReleaseSprite();
  // The sprite frame for the button's state and the record's item state.
  int SelectFrame(UINT itemState);
  // Draws frame `index` into `client` of `dc` through GDI+, stretched when
  // the window is not the frame's size (artwork of another DPI).
  void DrawFrame(HDC dc, int index, const CRect& client);
  // Draws the window text centred on the client area in `colour`; FALSE
  // when the text is empty (nothing drawn).
  BOOL DrawCaption(CDC& dc, const CRect& client, COLORREF colour);
  // m_nSystemLook for the button's state: hovered, pressed and focused in
  // the highlight colours, disabled with grey text.
  void DrawSystemLook(CDC& dc, const CRect& client, UINT itemState);
  // Invalidates (erasing or not) and paints before returning.
  void RepaintNow(BOOL bErase);

  BOOL m_bHover = FALSE;
  IStream* m_pStream = nullptr;
  Gdiplus::Bitmap* m_pBitmap = nullptr;
  int m_nFrameCount = 0;
  int m_nFrameWidth = 0;
  int m_nFrameHeight = 0;

 public:
  // Set by the owner before the first paint; kept after the sprite fields
  // so the members keep their order.
  BOOL m_bMemoryDraw = FALSE;
  BOOL m_bCaptionButton = FALSE;
  COLORREF m_crBackground = 0;
  // A SystemLook, and the width of the face's border in pixels.
  int m_nSystemLook = SYSTEM_LOOK_NONE;
  int m_nSystemLineWidth = 1;
};
