// Shows the launcher's message dialog with a request from the command line
// (see host_options.h) in an environment like the launcher's: the
// application object with its icon and fonts, common controls and GDI+;
// the high-contrast setting answered where Windows keeps it.
// Reports what the dialog set up and how it ended (see host_report.h); the
// exit code is the last DoModal result.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/quarnel_app.h"
#include "beep_probe.h"
#include "high_contrast_probe.h"
#include "host_options.h"
#include "host_report.h"
#include "i18n/catalogue.h"
#include "res/resource.h"
#include "tools/harness/gdi_object_count.h"
#include "ui/msg_dlg.h"

namespace {

std::wstring FontDescription(HWND control) {
  const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW logFont = {};
  if (!font || GetObjectW(font, sizeof(logFont), &logFont) != sizeof(logFont)) return L"none";
  return std::wstring(logFont.lfFaceName) + L"|" + std::to_wstring(logFont.lfHeight) + L"|" +
         std::to_wstring(logFont.lfWeight);
}

std::wstring ImageDescription(const ResourceImage& image) {
  if (!image.m_pBitmap) return L"none";
  return std::to_wstring(image.m_nWidth) + L"x" + std::to_wstring(image.m_nHeight);
}

// The dialog as the launcher shows it, plus a look at its state once it has
// initialised and after it has closed.
class CInspectedMsgDlg : public CMsgDlg {
 public:
  CInspectedMsgDlg(const HostReport& report, int index) : m_report(report), m_index(index) {}
  void SetIndex(int index) { m_index = index; }

  bool HoldersEmpty() const {
    return !m_imgBackground.m_pBitmap && !m_imgBackground.m_pStream && !m_imgIcon.m_pBitmap &&
           !m_imgIcon.m_pStream;
  }

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CMsgDlg::OnInitDialog();
    for (UINT beep : TakeRecordedBeeps()) m_report.Write(m_index, "beep", beep);
    m_report.Write(m_index, "font.title", FontDescription(m_stcTitle.m_hWnd));
    m_report.Write(m_index, "font.ok", FontDescription(m_btnOK.m_hWnd));
    m_report.Write(m_index, "font.cancel", FontDescription(m_btnCancel.m_hWnd));
    m_report.Write(m_index, "font.message", FontDescription(m_stcMessage.m_hWnd));
    m_report.Write(m_index, "image.background", ImageDescription(m_imgBackground));
    m_report.Write(m_index, "image.icon", ImageDescription(m_imgIcon));
    m_report.Write(m_index, "icon.big", SendMessage(WM_GETICON, ICON_BIG) != 0 ? 1 : 0);
    m_report.Write(m_index, "icon.small", SendMessage(WM_GETICON, ICON_SMALL) != 0 ? 1 : 0);
    m_report.Write(m_index, "hwnd", static_cast<long long>(reinterpret_cast<ULONG_PTR>(m_hWnd)));
    return result;
  }

 private:
  const HostReport& m_report;
  int m_index;
};

CString RequestText(const HostOptions& options) {
  if (!options.messageId) return CString(options.message.c_str());
  if (options.messageLanguage < 0) return LoadServiceLanguageString(options.messageId);
  return LoadLocalizedString(options.messageId, options.messageLanguage);
}

// The platform's own message box with what the dialog would show: what
// accessibility clients already know how to read, for tests to compare.
int ShowReferenceMessageBox(const HostOptions& options, const HostReport& report) {
  CString title;
  title.LoadString(AFX_IDS_APP_TITLE);
  const int result = MessageBoxW(nullptr, RequestText(options), title, options.style);
  report.Write(1, "result", result);
  report.Write(0, "done", 1);
  return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  HostOptions options;
  std::wstring error;
  if (!argv || !ParseHostOptions(argc, argv, &options, &error)) {
    MessageBoxW(nullptr, error.c_str(), L"msgdlg_host", MB_OK);
    return 100;
  }
  const HostReport report(options.reportPath);
  report.Write(0, "beep_probe", InstallBeepProbe() ? 1 : 0);
  report.Write(0, "high_contrast_probe", InstallHighContrastProbe() ? 1 : 0);

  CQuarnelApp app;
  app.StartUp();
  report.Write(0, "app_icon", app.m_hIcon ? 1 : 0);
  report.Write(0, "gdi", LiveGdiObjectCount());
  if (options.reference) {
    LocalFree(argv);
    return ShowReferenceMessageBox(options, report);
  }

  INT_PTR result = -1;
  CInspectedMsgDlg reused(report, 0);
  for (int index = 1; index <= options.repeat; ++index) {
    CInspectedMsgDlg fresh(report, index);
    CInspectedMsgDlg& dialog = options.reuse ? reused : fresh;
    dialog.SetIndex(index);
    dialog.m_strMessage = RequestText(options);
    dialog.m_nStyle = options.style;
    dialog.m_nLanguage = options.language;
    result = dialog.DoModal();
    report.Write(index, "result", static_cast<long long>(result));
    report.Write(index, "holders_empty", dialog.HoldersEmpty() ? 1 : 0);
    report.Write(index, "gdi", LiveGdiObjectCount());
  }
  report.Write(0, "done", 1);
  LocalFree(argv);
  return static_cast<int>(result);
}
