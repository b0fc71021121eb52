#include "support/image_button_host.h"

#include "res/resource.h"
#include "tools/harness/framework_windows.h"

const ButtonKind kCloseButtonKind = {"close", IDR_PNG_CLOSE, 36, 36, FALSE, L""};
const ButtonKind kPushButtonKind = {"push", IDR_PNG_BUTTON, 123, 52, TRUE, L"OK"};

namespace {
const wchar_t kHostClass[] = L"QuarnelImageButtonHost";
}  // namespace

ButtonHost::ButtonHost(int x, int y, int width, int height) {
  RegisterDefWindowClass(kHostClass, GRAY_BRUSH);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"image button host",
                                WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  m_window.SubclassWindow(window);
  m_font =
      CreateFontW(-14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
  UpdateWindow(window);
}

ButtonHost::~ButtonHost() {
  HWND window = m_window.m_hWnd;
  if (window) DestroyWindow(window);
  if (m_font) DeleteObject(m_font);
}

bool ButtonHost::AddButton(CImageButton& button, const wchar_t* text, int x, int y, int width,
                           int height, UINT id) {
  const RECT rect = {x, y, x + width, y + height};
  if (!AttachNewButton(button, m_window, text, WS_VISIBLE | BS_OWNERDRAW, rect, id)) return false;
  SendMessageW(button.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  return true;
}

bool ButtonHost::AddKind(CImageButton& button, const ButtonKind& kind, COLORREF background, int x,
                         int y, UINT id) {
  if (!AddButton(button, kind.text, x, y, 10, 10, id)) return false;
  button.m_bMemoryDraw = TRUE;
  button.m_crBackground = background;
  button.m_bCaptionButton = kind.captionButton;
  return button.LoadSprite(kind.spriteId, kind.frameWidth, kind.frameHeight) != FALSE;
}

void ButtonHost::DestroyChildren() {
  while (HWND child = GetWindow(m_window.m_hWnd, GW_CHILD)) {
    if (!DestroyWindow(child)) break;
  }
}

void PaintInto(CImageButton& button, PixelCanvas& canvas, UINT itemState) {
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(button.m_hWnd));
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = itemState;
  item.hwndItem = button.m_hWnd;
  item.hDC = canvas.Dc();
  GetClientRect(button.m_hWnd, &item.rcItem);
  button.DrawItem(&item);
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
