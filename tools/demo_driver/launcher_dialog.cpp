#include "launcher_dialog.h"

#include "base/scoped_handles.h"
#include "res/resource.h"
#include "tools/harness/msgdlg_driver.h"
#include "tools/harness/scratch_dir.h"

namespace {

std::wstring NameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

void AppendUtf8Line(const std::wstring& path, const std::wstring& line) {
  const ScopedHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::string bytes = ToUtf8(line + L"\n");
  DWORD written = 0;
  WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The message on one line, shortened for the transcript only.
std::wstring OneLine(std::wstring text) {
  for (wchar_t& c : text) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  const size_t kShown = 90;
  return text.size() > kShown ? text.substr(0, kShown) + L"..." : text;
}

}  // namespace

bool AnswerLauncherDialog(HWND dialog, const ExpectedDialog& expected, Transcript& transcript) {
  const std::wstring message = ReadChild(dialog, IDC_MSG_TEXT).text;
  const ChildInfo button = ReadChild(dialog, expected.button);
  transcript.Fact(L"dialog title", L"\"" + ReadChild(dialog, IDC_MSG_TITLE).text + L"\"");
  transcript.Fact(L"message", OneLine(message));
  transcript.Fact(L"button", L"\"" + button.text + L"\"");
  std::vector<std::wstring> problems;
  if (message != expected.message) {
    problems.push_back(L"the message is not the launcher's text \"" + OneLine(expected.message) +
                       L"\"");
  }
  if (!button.visible || button.text != expected.buttonText) {
    problems.push_back(L"no visible button \"" + expected.buttonText + L"\"");
  }
  if (!expected.picture.empty()) {
    MoveMouseTo(dialog, 10, 200);  // keeps hover frames out of the picture
    Settle(dialog);
    if (SavePng(CaptureWindow(dialog), expected.picture)) {
      transcript.Fact(L"picture", expected.picture);
    } else {
      problems.push_back(L"cannot save the picture " + expected.picture);
    }
  }
  if (!transcript.Verdict(L"the dialog shows the expected text and button", problems)) return false;
  ClickAt(dialog, (button.rect.left + button.rect.right) / 2,
          (button.rect.top + button.rect.bottom) / 2);
  transcript.Fact(L"clicked", L"\"" + button.text + L"\"");
  return true;
}

void AddCaption(const std::wstring& picture, const std::wstring& caption) {
  AppendUtf8Line(FolderOf(picture) + L"\\captions.txt", NameOf(picture) + L"\t" + caption);
}
