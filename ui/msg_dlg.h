// The launcher's message dialog: a borderless, custom-painted modal dialog
// that shows one message with an icon and one or two image buttons, and
// answers like the platform's message box (IDOK, IDCANCEL, IDYES, IDNO).
#pragma once
#include "afxwin.h"
#include "ui/image_button.h"
#include "ui/resource_image.h"
#include "ui/unpainted_static.h"

// A request's language choice that follows the service's "Language" setting.
constexpr int LANGUAGE_FROM_SERVICE = -1;

// The message area: its width, and the height of the band the text is
// centred on. A message taller than the band runs past it, so a caller with
// a text of unknown length fits it first (ui/message_fit.h).
constexpr int kMessageAreaWidth = 431;
constexpr int kMessageAreaHeight = 130;

class CMsgDlg : public CDialog {
 public:
  // A dialog on template IDD_MSGDLG without a parent; no window yet, both
  // image holders empty, the request at its defaults.
  CMsgDlg();

  // The update question in the service's language, with the information
  // icon and OK/Cancel. IDOK when the user accepts; anything else refuses.
  INT_PTR AskUpdate();
  // Shows `message` with the style word `style` and the labels of
  // `language` (as m_nLanguage reads it); returns the dialog's result.
  INT_PTR ShowMessage(const CString& message, UINT style, int language);

  // Swallows Enter and Esc; Ctrl+C and Ctrl+Insert copy the dialog as text;
  // everything else goes to the base.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Binds the controls, then sets the window's icons, size and place, the
  // texts, fonts, images, the icon's sound and the layout, and has the first
  // visible, enabled button focused once the dialog shows. FALSE: the dialog
  // manager sets no focus of its own.
  BOOL OnInitDialog() override;

  // The request, set before DoModal(): the text, the style word (see
  // ui/msg_style.h) and the labels' language (0..7, or negative for the
  // service's; any other value reads English).
  CString m_strMessage;
  UINT m_nStyle = 0;
  int m_nLanguage = LANGUAGE_FROM_SERVICE;

 protected:
  // Binds the five template controls to their members; nothing else.
  void DoDataExchange(CDataExchange* pDX) override;
  // The left button: IDYES for the yes/no set, else IDOK.
  void OnOK() override;
  // The right button and every other cancel: IDNO for yes/no, else IDCANCEL.
  void OnCancel() override;

  // F1 opens nothing.
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  // Transparent text in the text colour for the title; base colours for the
  // rest.
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  // Paints the background, the icon and the message text.
  BOOL OnEraseBkgnd(CDC* pDC);
  // Releases both images while the window goes away.
  void OnDestroy();
  // The close button: IDNO for yes/no, else IDCANCEL.
  void OnBnClickedClose();
  // The caption band (client rows 0-76 at 96 DPI, scaled) drags the window.
  LRESULT OnNcHitTest(CPoint point);
  // WM_DPICHANGED: fonts, artwork and layout for the DPI in wParam, and the
  // window in the rectangle lParam suggests. Always 0 (handled).
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  // WM_GETDPISCALEDSIZE: the window's size at the DPI in wParam, the
  // layout's, into the SIZE at lParam. TRUE when it was given.
  LRESULT OnGetDpiScaledSize(WPARAM wParam, LPARAM lParam);
  // A high-contrast theme turned on or off, or the system's colours changed:
  // the look for the setting now, repainted.
  void OnSystemColoursChanged();

  // Places the close button, the text buttons, the title and the message
  // area by the controls' current sizes, scaled to the window's DPI. The
  // single-button set centres the right button and hides and disables the
  // left one.
  void LayoutControls();

  CStatic m_stcTitle;
  // Visible, so that accessibility clients read the message, and unpainted:
  // the dialog draws the text itself.
  CUnpaintedStatic m_stcMessage;
  CImageButton m_btnClose;
  CImageButton m_btnOK;
  CImageButton m_btnCancel;
  ResourceImage m_imgBackground;
  ResourceImage m_imgIcon;
  // The DPI of the window, 96 until it exists.
  UINT m_nDpi = 96;
  // Drawn in the system's colours, without artwork, for a high-contrast theme.
  BOOL m_bHighContrast = FALSE;

 private:
  // The application title in the title font, and as the window's own text,
  // which readers, the taskbar and Alt+Tab name the dialog by (no caption
  // bar draws it).
  void InitTitle();
  // The service language's text font for both text buttons and the message.
  void InitTextFonts();
  // The close sprite, the background, the icon of the style's class and its
  // sound.
  void InitImages();
  // The close button's name for readers in the request's language; it is
  // not a caption button, so the name is never drawn.
  void InitCloseName();
  // Posts the move of the focus to the first visible, enabled button in tab
  // order (the left one is hidden and disabled with a single button).
  void FocusFirstButton();
  // The close sprite, the background and the icon at the window's DPI.
  void LoadPictures();
  // Sprite `id96` (frames of frameWidth x frameHeight at 96 DPI) in the
  // artwork for the window's DPI, the button sized to one frame at that DPI;
  // a sprite that does not load leaves the button as it is.
  void LoadScaledSprite(CImageButton& button, WORD id96, int frameWidth, int frameHeight);
  // `length` pixels at 96 DPI at the window's DPI.
  int Px(int length) const;
  // Takes `dpi` as the window's and has the application's fonts made for it.
  void UseDpi(UINT dpi);
  // A caption button on the body colour with the label of catalogue base
  // `labelId` in the request's language, sized to one sprite frame.
  void InitTextButton(CImageButton& button, UINT labelId);
  // The text of catalogue base `baseId` in the request's language choice.
  CString LoadLabel(UINT baseId) const;
  // Draws a holder's whole image at (x, y), at its size for the window's
  // DPI; nothing for an empty holder.
  void DrawImage(CDC* pDC, const ResourceImage& image, int x, int y);
  // Draws the message area's text, wrapped and centred on its band.
  void DrawMessage(CDC* pDC);
  // Reads the high-contrast setting; the buttons take their looks for it.
  void UseColourScheme();
  // High contrast's background: the window's colour, framed and with the
  // band's line where the artwork has them, in the text's colour.
  void DrawSystemColourBackground(CDC* pDC);
  // White, or the theme's text colour in high contrast.
  COLORREF TextColour() const;
  // The title, the message and the visible buttons' labels on the clipboard.
  void CopyAsText();

  DECLARE_MESSAGE_MAP()
};
