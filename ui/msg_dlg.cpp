#include "ui/msg_dlg.h"

#include "app/quarnel_app.h"
#include "i18n/catalogue.h"
#include "i18n/language_source.h"
#include "res/resource.h"
#include "ui/display_scale.h"
#include "ui/gdiplus_api.h"
#include "ui/msg_dlg_geometry.h"
#include "ui/msg_style.h"

namespace {

constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER;

// Windows 10 1703's question to a per-monitor dialog before WM_DPICHANGED;
// the headers give it only to programs that need that version.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// Ctrl+C or Ctrl+Insert, as the platform's message box takes them (not with
// Alt, which with Ctrl is AltGr and types a character).
bool IsCopyKey(const MSG& msg) {
  return msg.message == WM_KEYDOWN && (msg.wParam == 'C' || msg.wParam == VK_INSERT) &&
         ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0;
}

HFONT TextFont() {
  return g_pApp ? static_cast<HFONT>(g_pApp->GetTextFont(ServiceLanguageIndex())) : nullptr;
}

HFONT TitleFont() { return g_pApp ? static_cast<HFONT>(g_pApp->GetTitleFont()) : nullptr; }

HICON AppIcon() { return g_pApp ? g_pApp->m_hIcon : nullptr; }

// The window's size at 96 DPI, for the layout that places by it.
SIZE UnscaledSize(SIZE size, UINT dpi) {
  return {UnscaleFromDpi(size.cx, dpi), UnscaleFromDpi(size.cy, dpi)};
}

SIZE WindowSize(const CWnd& wnd) {
  RECT rect = {};
  ::GetWindowRect(wnd.m_hWnd, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void MoveTo(CWnd& wnd, int x, int y) { wnd.SetWindowPos(nullptr, x, y, 0, 0, kMoveOnly); }

void SetFontRedraw(CWnd& wnd, HFONT font) {
  wnd.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// A font selected into a device context for the scope.
class ScopedFontSelection {
 public:
  ScopedFontSelection(HDC dc, HFONT font)
      : m_dc(dc), m_previous(font ? ::SelectObject(dc, font) : nullptr) {}
  ~ScopedFontSelection() {
    if (m_previous) ::SelectObject(m_dc, m_previous);
  }
  ScopedFontSelection(const ScopedFontSelection&) = delete;
  ScopedFontSelection& operator=(const ScopedFontSelection&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

}  // namespace

BEGIN_MESSAGE_MAP(CMsgDlg, CDialog)
  ON_WM_HELPINFO()
  ON_WM_CTLCOLOR()
  ON_WM_ERASEBKGND()
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDC_MSG_CLOSE, OnBnClickedClose)
  ON_WM_NCHITTEST()
  ON_MESSAGE_THUNK(WM_DPICHANGED, *result = self->OnDpiChanged(wParam, lParam);)
  ON_MESSAGE_THUNK(kGetDpiScaledSize, *result = self->OnGetDpiScaledSize(wParam, lParam);)
  ON_MESSAGE_THUNK(WM_SETTINGCHANGE,
                   if (wParam == SPI_SETHIGHCONTRAST) self->OnSystemColoursChanged();
                   *result = self->Default();)
  ON_MESSAGE_THUNK(WM_SYSCOLORCHANGE, self->OnSystemColoursChanged(); *result = self->Default();)
END_MESSAGE_MAP()

CMsgDlg::CMsgDlg() : CDialog(IDD_MSGDLG) {}

INT_PTR CMsgDlg::AskUpdate() {
  return ShowMessage(LoadServiceLanguageString(IDS_MSG_UPDATE_QUESTION),
                     MB_ICONINFORMATION | MB_OKCANCEL, LANGUAGE_FROM_SERVICE);
}

INT_PTR CMsgDlg::ShowMessage(const CString& message, UINT style, int language) {
  m_strMessage = message;
  m_nStyle = style;
  m_nLanguage = language;
  return DoModal();
}

void CMsgDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_MSG_TITLE, m_stcTitle);
  DDX_Control(pDX, IDC_MSG_CLOSE, m_btnClose);
  DDX_Control(pDX, IDC_MSG_TEXT, m_stcMessage);
  DDX_Control(pDX, IDOK, m_btnOK);
  DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CMsgDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
    return TRUE;
  if (IsCopyKey(*pMsg)) {
    CopyAsText();
    return TRUE;
  }
  return CDialog::PreTranslateMessage(pMsg);
}

BOOL CMsgDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  UseDpi(WindowDpi(m_hWnd));
  UseColourScheme();
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(AppIcon()));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(AppIcon()));
  // Not activated yet: activating the hidden window would focus the first tab
  // stop before the layout hides the single-button message's left one.
  SetWindowPos(nullptr, 0, 0, Px(kWindowWidth), Px(kWindowHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  CenterWindow();
  InitTitle();
  m_stcMessage.SetWindowText(m_strMessage);
  InitTextFonts();
  InitImages();
  InitCloseName();
  const MessageLabels labels = MessageLabelsFor(m_nStyle);
  InitTextButton(m_btnOK, labels.left);
  InitTextButton(m_btnCancel, labels.right);
  LayoutControls();
  FocusFirstButton();
  return FALSE;
}

void CMsgDlg::InitTitle() {
  CString title;
  title.LoadString(AFX_IDS_APP_TITLE);
  m_stcTitle.SetWindowText(title);
  SetFontRedraw(m_stcTitle, TitleFont());
  SetWindowText(title);
}

// The service's language is read anew for each control, as for every other
// use of it: nothing remembers a language.
void CMsgDlg::InitTextFonts() {
  SetFontRedraw(m_btnOK, TextFont());
  SetFontRedraw(m_btnCancel, TextFont());
  SetFontRedraw(m_stcMessage, TextFont());
}

// The icon's sound plays here, just before the dialog is first shown.
void CMsgDlg::InitImages() {
  m_btnClose.m_bMemoryDraw = TRUE;
  m_btnClose.m_crBackground = kBandColour;
  LoadPictures();
  ::MessageBeep(MessageIconFor(m_nStyle).sound);
}

void CMsgDlg::LoadPictures() {
  LoadScaledSprite(m_btnClose, IDR_PNG_CLOSE, kCloseFrameSize, kCloseFrameSize);
  const UINT artworkDpi = ArtworkDpiFor(m_nDpi);
  m_imgBackground.Load(ArtworkId(IDR_PNG_BACKGROUND, artworkDpi));
  m_imgIcon.Load(ArtworkId(MessageIconFor(m_nStyle).imageId, artworkDpi));
}

// The sprite of the artwork's DPI, cut into its frames; where that is not
// the window's DPI the button takes the frame's size at the window's and
// stretches the frame to it.
void CMsgDlg::LoadScaledSprite(CImageButton& button, WORD id96, int frameWidth, int frameHeight) {
  const UINT artworkDpi = ArtworkDpiFor(m_nDpi);
  if (!button.LoadSprite(ArtworkId(id96, artworkDpi), ScaleToDpi(frameWidth, artworkDpi),
                         ScaleToDpi(frameHeight, artworkDpi)))
    return;
  if (artworkDpi == m_nDpi) return;
  button.SetWindowPos(nullptr, 0, 0, Px(frameWidth), Px(frameHeight),
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

int CMsgDlg::Px(int length) const { return ScaleToDpi(length, m_nDpi); }

// The fonts belong to the application and are made for one DPI at a time:
// this dialog's, the only window that shows them.
void CMsgDlg::UseDpi(UINT dpi) {
  m_nDpi = dpi;
  if (g_pApp) g_pApp->UseFontsForDpi(dpi);
}

void CMsgDlg::InitCloseName() { m_btnClose.SetWindowText(LoadLabel(IDS_BTN_CLOSE)); }

// The label goes in before the sprite, which sizes the button to one frame.
void CMsgDlg::InitTextButton(CImageButton& button, UINT labelId) {
  button.m_bMemoryDraw = TRUE;
  button.m_crBackground = kBodyColour;
  button.m_bCaptionButton = TRUE;
  button.SetWindowText(LoadLabel(labelId));
  LoadScaledSprite(button, IDR_PNG_BUTTON, kButtonFrameWidth, kButtonFrameHeight);
}

CString CMsgDlg::LoadLabel(UINT baseId) const {
  if (m_nLanguage < 0) return LoadServiceLanguageString(baseId);
  return LoadLocalizedString(baseId, m_nLanguage);
}

// Sizes come from the windows as they are now: the sprite frames once the
// sprites have loaded, the template's sizes otherwise. The buttons are
// placed at 96 DPI and their places scaled, so that 192 DPI doubles every
// position exactly; the title, sized by the dialog manager, is centred in
// the scaled band.
void CMsgDlg::LayoutControls() {
  const SIZE close = UnscaledSize(WindowSize(m_btnClose), m_nDpi);
  const int closeY = (kBandHeight - close.cy) / 2;
  MoveTo(m_btnClose, Px(kWindowWidth - close.cx - closeY), Px(closeY));

  const SIZE button = UnscaledSize(WindowSize(m_btnOK), m_nDpi);
  const int buttonY = Px(kButtonsBottom - button.cy);
  if (IsSingleButtonStyle(m_nStyle)) {
    MoveTo(m_btnCancel, Px((kWindowWidth - button.cx) / 2), buttonY);
    m_btnOK.EnableWindow(FALSE);
    m_btnOK.ShowWindow(SW_HIDE);
  } else {
    const int left = (kButtonsSpan - 2 * button.cx) / 2;
    MoveTo(m_btnOK, Px(left), buttonY);
    MoveTo(m_btnCancel, Px(left + button.cx + kButtonGap), buttonY);
  }

  MoveTo(m_stcTitle, Px(kTitleX), (Px(kBandHeight) - WindowSize(m_stcTitle).cy) / 2);
  m_stcMessage.SetWindowPos(nullptr, Px(kMessageX), Px(kMessageY), Px(kMessageWidth),
                            Px(kMessageBandHeight), SWP_NOZORDER | SWP_NOOWNERZORDER);
}

// The window moved to a monitor of another scale (or the scale changed):
// fonts, artwork and layout for the new DPI, in the rectangle Windows
// suggests. The title keeps its proportion to the band.
LRESULT CMsgDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const UINT dpi = LOWORD(wParam);
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  if (!dpi || !suggested) return 0;
  const UINT previous = m_nDpi;
  UseDpi(dpi);
  UseColourScheme();
  SetFontRedraw(m_stcTitle, TitleFont());
  InitTextFonts();
  LoadPictures();
  LoadScaledSprite(m_btnOK, IDR_PNG_BUTTON, kButtonFrameWidth, kButtonFrameHeight);
  LoadScaledSprite(m_btnCancel, IDR_PNG_BUTTON, kButtonFrameWidth, kButtonFrameHeight);
  const SIZE title = WindowSize(m_stcTitle);
  m_stcTitle.SetWindowPos(nullptr, 0, 0,
                          MulDiv(title.cx, static_cast<int>(dpi), static_cast<int>(previous)),
                          MulDiv(title.cy, static_cast<int>(dpi), static_cast<int>(previous)),
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  SetWindowPos(nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOOWNERZORDER);
  LayoutControls();
  Invalidate(TRUE);
  return 0;
}

// Posted, so that the focus moves once the dialog is shown and active: a
// focus given to the hidden window is never announced to screen readers, and
// the dialog manager's own choice is made before the layout is done.
void CMsgDlg::FocusFirstButton() {
  const HWND first = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
  if (first) ::PostMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

BOOL CMsgDlg::OnEraseBkgnd(CDC* pDC) {
  if (m_bHighContrast) {
    DrawSystemColourBackground(pDC);
  } else {
    DrawImage(pDC, m_imgBackground, 0, 0);
  }
  DrawImage(pDC, m_imgIcon, Px(kIconX), Px(kIconY));
  DrawMessage(pDC);
  return TRUE;
}

// The picture's size at the artwork's DPI becomes its size at the window's.
void CMsgDlg::DrawImage(CDC* pDC, const ResourceImage& image, int x, int y) {
  if (!image.m_pBitmap) return;
  const int artworkDpi = static_cast<int>(ArtworkDpiFor(m_nDpi));
  const int dpi = static_cast<int>(m_nDpi);
  const RECT destination = {x, y, x + MulDiv(image.m_nWidth, dpi, artworkDpi),
                            y + MulDiv(image.m_nHeight, dpi, artworkDpi)};
  const RECT source = {0, 0, image.m_nWidth, image.m_nHeight};
  DrawImagePart(pDC->GetSafeHdc(), image.m_pBitmap->GetNativeImage(), destination, source);
}

// The message static carries the text and the area: its top-left
// corner, its width, and a band of fixed height below that top on which the
// wrapped text is centred. Text taller than the band overflows both ways.
void CMsgDlg::DrawMessage(CDC* pDC) {
  CString text;
  m_stcMessage.GetWindowText(text);
  RECT area = {};
  ::GetWindowRect(m_stcMessage.m_hWnd, &area);
  POINT topLeft = {area.left, area.top};
  ScreenToClient(&topLeft);
  const int width = area.right - area.left;

  const HDC dc = pDC->GetSafeHdc();
  const ScopedFontSelection font(dc, TextFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, TextColour());

  RECT measured = {topLeft.x, topLeft.y, topLeft.x + width, 1};
  ::DrawTextW(dc, text, text.GetLength(), &measured, DT_CALCRECT | DT_WORDBREAK);
  const int height = measured.bottom - measured.top;
  const int top = topLeft.y + (Px(kMessageBandHeight) - height) / 2;
  RECT drawn = {topLeft.x, top, topLeft.x + width, top + height};
  ::DrawTextW(dc, text, text.GetLength(), &drawn, DT_WORDBREAK);
}

HBRUSH CMsgDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  const HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (!pWnd || pWnd->GetDlgCtrlID() != IDC_MSG_TITLE) return brush;
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(TextColour());
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

// Compared unsigned, so a point above the client area (negative y) is not
// part of the band.
LRESULT CMsgDlg::OnNcHitTest(CPoint point) {
  POINT client = {point.x, point.y};
  ScreenToClient(&client);
  if (static_cast<UINT>(client.y) < static_cast<UINT>(Px(kBandHeight))) return HTCAPTION;
  return CDialog::OnNcHitTest(point);
}

BOOL CMsgDlg::OnHelpInfo(HELPINFO*) { return TRUE; }

void CMsgDlg::OnOK() {
  if (IsYesNoStyle(m_nStyle)) {
    EndDialog(IDYES);
    return;
  }
  CDialog::OnOK();
}

void CMsgDlg::OnCancel() {
  if (IsYesNoStyle(m_nStyle)) {
    EndDialog(IDNO);
    return;
  }
  CDialog::OnCancel();
}

void CMsgDlg::OnBnClickedClose() { EndDialog(static_cast<int>(CloseButtonResult(m_nStyle))); }

void CMsgDlg::OnDestroy() {
  CDialog::OnDestroy();
  m_imgBackground.Reset();
  m_imgIcon.Reset();
}
