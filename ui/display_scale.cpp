#include "ui/display_scale.h"

#include "res/resource.h"

namespace {

typedef UINT(WINAPI* GetDpiForWindowFn)(HWND);

// Windows 10 1607 and later; looked up, so that older systems still load
// the launcher. user32 is loaded in every GUI process.
GetDpiForWindowFn DpiForWindowFunction() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
}

// The screen's DC for the scope.
class ScreenDc {
 public:
  ScreenDc() : m_dc(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (m_dc) ReleaseDC(nullptr, m_dc);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

constexpr UINT kArtworkDpis[] = {96, 144, 192};

}  // namespace

UINT WindowDpi(HWND window) {
  static const GetDpiForWindowFn dpiForWindow = DpiForWindowFunction();
  if (dpiForWindow && window) {
    const UINT dpi = dpiForWindow(window);
    if (dpi) return dpi;
  }
  const ScreenDc screen;
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

int ScaleToDpi(int length, UINT dpi) {
  return MulDiv(length, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

int UnscaleFromDpi(int length, UINT dpi) {
  return dpi ? MulDiv(length, static_cast<int>(kBaseDpi), static_cast<int>(dpi)) : length;
}

UINT ArtworkDpiFor(UINT dpi) {
  for (UINT artwork : kArtworkDpis) {
    if (dpi <= artwork) return artwork;
  }
  return kArtworkDpis[sizeof(kArtworkDpis) / sizeof(kArtworkDpis[0]) - 1];
}

WORD ArtworkId(WORD id96, UINT artworkDpi) {
  for (UINT step = 0; step < sizeof(kArtworkDpis) / sizeof(kArtworkDpis[0]); ++step) {
    if (kArtworkDpis[step] == artworkDpi)
      return static_cast<WORD>(id96 + step * IDR_PNG_SCALE_STEP);
  }
  return id96;
}
