// A visible top-level window attached to a framework object, so that its
// owner-draw children's WM_DRAWITEM and notifications are reflected to
// their objects, plus helpers to paint a CImageButton and read it back.
#pragma once
#include <windows.h>

#include "tools/harness/pixel_canvas.h"
#include "ui/image_button.h"

// The settings the launcher's dialog gives its two kinds of image button.
struct ButtonKind {
  const char* name;
  WORD spriteId;
  int frameWidth;
  int frameHeight;
  BOOL captionButton;
  const wchar_t* text;
};
extern const ButtonKind kCloseButtonKind;  // close sprite, no caption
extern const ButtonKind kPushButtonKind;   // push-button sprite, caption "OK"

// A CImageButton that counts its paints.
class CountingImageButton : public CImageButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT item) override {
    ++m_nPaints;
    CImageButton::DrawItem(item);
  }
  int m_nPaints = 0;
};

class ButtonHost {
 public:
  // A visible popup window at (x, y) of the given size, attached to a CWnd.
  ButtonHost(int x, int y, int width, int height);
  // Destroys the window (and with it every button on it).
  ~ButtonHost();
  ButtonHost(const ButtonHost&) = delete;
  ButtonHost& operator=(const ButtonHost&) = delete;

  HWND Window() const { return m_window.m_hWnd; }
  CWnd& Wnd() { return m_window; }

  // Creates `button` as a visible owner-draw child at (x, y) of the given
  // size with the host's font; the object is attached to it.
  bool AddButton(CImageButton& button, const wchar_t* text, int x, int y, int width, int height,
                 UINT id);
  // AddButton, then the kind's sprite, caption rule and `background`, with
  // off-screen composition.
  bool AddKind(CImageButton& button, const ButtonKind& kind, COLORREF background, int x, int y,
               UINT id);
  // Destroys every child window of the host.
  void DestroyChildren();

 private:
  CWnd m_window;
  HFONT m_font = nullptr;
};

// Calls the button's DrawItem as its parent would for a whole-button paint
// with `itemState`, drawing into `canvas`.
void PaintInto(CImageButton& button, PixelCanvas& canvas, UINT itemState);

// Dispatches whatever is waiting now.
void PumpPending();

// Dispatches this thread's messages for `ms` milliseconds, or until
// `done()` holds (checked after each batch).
template <typename Done>
bool PumpUntil(Done done, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpPending();
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}
