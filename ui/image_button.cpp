#include "ui/image_button.h"

#include "ui/gdiplus_api.h"
#include "ui/resource_image.h"
#include "ui/system_colours.h"

namespace {

constexpr COLORREF kCaptionColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kDisabledCaptionColour = RGB(0x80, 0x80, 0x80);
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// The off-screen surface of one paint: a memory DC with a bitmap of the
// client size selected, both compatible with the item's DC. Undone by
// selecting the DC's own bitmap back, then deleting the DC and the bitmap.
class OffscreenSurface {
 public:
  OffscreenSurface(CDC& reference, int width, int height) {
    if (!m_dc.CreateCompatibleDC(&reference)) return;
    m_bitmap = CreateCompatibleBitmap(reference.GetSafeHdc(), width, height);
    if (m_bitmap) m_previous = m_dc.SelectObject(m_bitmap);
  }
  ~OffscreenSurface() {
    if (m_previous) m_dc.SelectObject(m_previous);
    m_dc.DeleteDC();
    if (m_bitmap) DeleteObject(m_bitmap);
  }
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;

  bool IsReady() const { return m_previous != nullptr; }
  CDC& Dc() { return m_dc; }

 private:
  CDC m_dc;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previous = nullptr;
};

}  // namespace

BEGIN_MESSAGE_MAP(CImageButton, CButton)
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_CAPTURECHANGED()
  ON_CONTROL_REFLECT(BN_SETFOCUS, OnFocusChange)
  ON_CONTROL_REFLECT(BN_KILLFOCUS, OnFocusChange)
END_MESSAGE_MAP()

CImageButton::~CImageButton() { ReleaseSprite(); }

void CImageButton::ReleaseSprite() {
  ReleaseDecodedImage(m_pBitmap, m_pStream);
  m_nFrameCount = 0;
  m_nFrameWidth = 0;
  m_nFrameHeight = 0;
}

BOOL CImageButton::LoadSprite(WORD id, int frameWidth, int frameHeight) {
  ReleaseSprite();
  if (!OpenDecodedImage(id, AfxGetInstanceHandle(), m_pBitmap, m_pStream)) return FALSE;
  m_nFrameCount = SPRITE_FRAME_COUNT;
  m_nFrameWidth = frameWidth;
  m_nFrameHeight = frameHeight;
  SetWindowPos(nullptr, 0, 0, frameWidth, frameHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  return TRUE;
}

int CImageButton::SelectFrame(UINT itemState) {
  int index = FRAME_NORMAL;
  if (!IsWindowEnabled()) {
    index = FRAME_DISABLED;
  } else if (GetState() & BST_PUSHED) {
    index = FRAME_PRESSED;
  } else if (m_bHover) {
    index = FRAME_HOVER;
  }
  if (index >= m_nFrameCount) index = FRAME_NORMAL;
  if (m_bCaptionButton && (itemState & ODS_FOCUS)) {
    // A caption button shows the focus with its own frame; pressed wins
    // over hover, hover over focus.
    if (GetState() & BST_PUSHED) {
      index = FRAME_PRESSED;
    } else {
      index = m_bHover ? FRAME_HOVER : FRAME_FOCUSED;
    }
  }
  return index;
}

void CImageButton::DrawFrame(HDC dc, int index, const CRect& client) {
  if (!m_pBitmap) return;
  // An undecodable sprite has no image; GDI+ refuses it and nothing is drawn.
  const RECT frame = {m_nFrameWidth * index, 0, m_nFrameWidth * (index + 1), m_nFrameHeight};
  DrawImagePart(dc, m_pBitmap->GetNativeImage(), client, frame);
}

BOOL CImageButton::DrawCaption(CDC& dc, const CRect& client, COLORREF colour) {
  CString text;
  GetWindowText(text);
  if (text.IsEmpty()) return FALSE;
  HFONT font = GetFont();
  HGDIOBJ previousFont = font ? dc.SelectObject(font) : nullptr;
  const COLORREF previousColour = dc.SetTextColor(colour);
  const int previousMode = dc.SetBkMode(TRANSPARENT);
  CRect area = client;
  dc.DrawText(text, area, kCaptionFormat);
  dc.SetBkMode(previousMode);
  dc.SetTextColor(previousColour);
  if (previousFont) dc.SelectObject(previousFont);
  return TRUE;
}

// Solid fills and text only, so the theme's colours reach the screen as
// they are; nothing to compose off-screen.
void CImageButton::DrawSystemLook(CDC& dc, const CRect& client, UINT itemState) {
  const bool enabled = IsWindowEnabled() != FALSE;
  const bool highlighted =
      enabled && (m_bHover || (GetState() & BST_PUSHED) || (itemState & ODS_FOCUS));
  const bool cross = m_nSystemLook == SYSTEM_LOOK_CROSS;
  const int face = highlighted ? COLOR_HIGHLIGHT : (cross ? COLOR_WINDOW : COLOR_BTNFACE);
  int ink = highlighted ? COLOR_HIGHLIGHTTEXT : (cross ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
  if (!enabled) ink = COLOR_GRAYTEXT;
  FillWithSystemColour(dc, client, face);
  if (cross) {
    DrawSystemColourCross(dc, client, ink);
    return;
  }
  DrawSystemColourBorder(dc, client, m_nSystemLineWidth, COLOR_WINDOWTEXT);
  DrawCaption(dc, client, ::GetSysColor(ink));
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC itemDc(lpDrawItemStruct->hDC);
  CRect client;
  GetClientRect(client);
  if (m_nSystemLook != SYSTEM_LOOK_NONE) {
    DrawSystemLook(itemDc, client, lpDrawItemStruct->itemState);
    return;
  }
  const int index = SelectFrame(lpDrawItemStruct->itemState);
  if (m_pBitmap && m_bMemoryDraw) {
    OffscreenSurface surface(itemDc, client.Width(), client.Height());
    if (surface.IsReady()) {
      surface.Dc().FillSolidRect(0, 0, client.Width(), client.Height(), m_crBackground);
      DrawFrame(surface.Dc().GetSafeHdc(), index, client);
      itemDc.BitBlt(0, 0, client.Width(), client.Height(), &surface.Dc(), 0, 0, SRCCOPY);
    }
  } else if (m_pBitmap) {
    DrawFrame(itemDc.GetSafeHdc(), index, client);
  }
  const COLORREF caption = index == FRAME_DISABLED ? kDisabledCaptionColour : kCaptionColour;
  const BOOL captionDrawn = m_bCaptionButton && DrawCaption(itemDc, client, caption);
  if ((lpDrawItemStruct->itemState & ODS_FOCUS) && !captionDrawn) itemDc.DrawFocusRect(client);
}

BOOL CImageButton::OnEraseBkgnd(CDC*) { return FALSE; }

void CImageButton::OnDestroy() {
  CButton::OnDestroy();
  ReleaseSprite();
}

void CImageButton::OnMouseMove(UINT nFlags, CPoint point) {
  const HWND capture = ::GetCapture();
  CRect client;
  GetClientRect(client);
  bool inside = client.PtInRect(point) != FALSE;
  if (inside) {
    // Only the part of the button that is really visible under the mouse
    // counts: a window lying over it ends the hover.
    CPoint screen = point;
    ClientToScreen(&screen);
    inside = ::WindowFromPoint(screen) == m_hWnd;
  }
  if (inside) {
    if (capture != m_hWnd) SetCapture();
    m_bHover = TRUE;
    RepaintNow(FALSE);
  } else {
    if (m_bHover) {
      m_bHover = FALSE;
      RepaintNow(FALSE);
    }
    if (capture == m_hWnd) ReleaseCapture();
  }
  CButton::OnMouseMove(nFlags, point);
}

void CImageButton::OnCaptureChanged(CWnd* pWnd) {
  if (m_bHover) {
    m_bHover = FALSE;
    RepaintNow(FALSE);
  }
  CButton::OnCaptureChanged(pWnd);
}

void CImageButton::OnFocusChange() { RepaintNow(TRUE); }

void CImageButton::RepaintNow(BOOL bErase) {
  Invalidate(bErase);
  UpdateWindow();
}
