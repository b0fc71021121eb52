#include "tools/harness/launch_outcome.h"

#include <cwchar>

#include "channel/command_record.h"
#include "tools/harness/scratch_dir.h"

namespace {

using Problems = std::vector<std::wstring>;

std::wstring Number(unsigned long value) { return std::to_wstring(value); }

void ExpectCount(const RunObservation& run, const std::wstring& event, size_t expected,
                 const std::wstring& what, Problems* problems) {
  const size_t seen = RecordsOf(run.records, event).size();
  if (seen != expected) {
    problems->push_back(what + L" started " + Number(static_cast<unsigned long>(seen)) +
                        L" time(s), expected " + Number(static_cast<unsigned long>(expected)));
  }
}

void ExpectPath(const std::wstring& what, const std::wstring& seen, const std::wstring& expected,
                Problems* problems) {
  if (!SamePath(seen, expected)) {
    problems->push_back(what + L" is \"" + seen + L"\", expected \"" + expected + L"\"");
  }
}

// The exit code means something only on paths without a dialog: 0.
void ExpectCommonOutcome(const RunObservation& run, bool windowExpected, Problems* problems) {
  if (!windowExpected && run.exitCode != 0) {
    problems->push_back(L"exit code " + Number(run.exitCode) + L", expected 0");
  }
  if (run.windowShown != windowExpected) {
    problems->push_back(windowExpected ? L"no window was shown" : L"a window was shown");
  }
}

void ExpectNoNotices(const RunObservation& run, Problems* problems) {
  if (!run.requests.empty()) {
    problems->push_back(L"the service received " +
                        Number(static_cast<unsigned long>(run.requests.size())) +
                        L" request(s), expected none");
  }
}

void ExpectPathNotices(const RunObservation& run, const std::wstring& launcher,
                       Problems* problems) {
  if (run.requests.size() != 2) {
    problems->push_back(L"the service received " +
                        Number(static_cast<unsigned long>(run.requests.size())) +
                        L" request(s), expected 2 path notices");
    return;
  }
  const std::wstring expected[2] = {launcher, FolderOf(launcher)};
  for (size_t i = 0; i < 2; ++i) {
    const ServiceLogEntry& request = run.requests[i];
    const std::wstring name = L"notice " + Number(static_cast<unsigned long>(i + 1));
    if (request.Field(L"command") != Number(CMD_PATH_NOTICE)) {
      problems->push_back(name + L" has command " + request.Field(L"command") + L", expected " +
                          Number(CMD_PATH_NOTICE));
    }
    ExpectPath(name + L"'s path", request.Field(L"path"), expected[i], problems);
  }
}

void ExpectInstallerStart(const RunObservation& run, const std::wstring& launcher,
                          const std::wstring& tempDir, const std::wstring& setupCopy,
                          Problems* problems) {
  const std::vector<StandinRecord> starts = RecordsOf(run.records, L"installer-start");
  if (starts.size() != 1) {
    ExpectCount(run, L"installer-start", 1, L"the installer", problems);
    return;
  }
  const StandinRecord& start = starts[0];
  ExpectPath(L"the installer copy", start.Field(L"program"), setupCopy, problems);
  ExpectPath(L"the installer's working directory", start.Field(L"cwd"), tempDir, problems);
  ExpectPath(L"the installer's parent", start.Field(L"parent"), launcher, problems);
  const std::wstring quoted = L"\"" + setupCopy + L"\"";
  if (_wcsicmp(start.Field(L"cmdline").c_str(), quoted.c_str()) != 0) {
    problems->push_back(L"the installer's command line is " + start.Field(L"cmdline") +
                        L", expected " + quoted);
  }
  const std::vector<StandinRecord> installed = RecordsOf(run.records, L"installer-installed");
  if (installed.size() != 1 || installed[0].Field(L"result") != L"ok") {
    problems->push_back(L"the installer did not report a successful install");
  }
}

}  // namespace

std::vector<StandinRecord> RecordsOf(const std::vector<StandinRecord>& records,
                                     const std::wstring& event) {
  std::vector<StandinRecord> out;
  for (const StandinRecord& record : records) {
    if (record.event == event) out.push_back(record);
  }
  return out;
}

std::vector<std::wstring> CheckInstallRun(const RunObservation& run, const std::wstring& launcher,
                                          const std::wstring& tempDir,
                                          const std::wstring& setupCopy, bool windowExpected) {
  Problems problems;
  ExpectCommonOutcome(run, windowExpected, &problems);
  ExpectPathNotices(run, launcher, &problems);
  ExpectInstallerStart(run, launcher, tempDir, setupCopy, &problems);
  ExpectCount(run, L"zelvane-start", 0, L"Zelvane.exe", &problems);
  return problems;
}

std::vector<std::wstring> CheckUnrecordedInstallRun(const RunObservation& run,
                                                    const std::wstring& launcher,
                                                    bool windowExpected) {
  Problems problems;
  ExpectCommonOutcome(run, windowExpected, &problems);
  ExpectPathNotices(run, launcher, &problems);
  ExpectCount(run, L"zelvane-start", 0, L"Zelvane.exe", &problems);
  return problems;
}

std::vector<std::wstring> CheckHandOffRun(const RunObservation& run, const std::wstring& launcher,
                                          const std::wstring& installDir, bool windowExpected) {
  Problems problems;
  ExpectCommonOutcome(run, windowExpected, &problems);
  ExpectNoNotices(run, &problems);
  ExpectCount(run, L"installer-start", 0, L"the installer", &problems);
  const std::vector<StandinRecord> starts = RecordsOf(run.records, L"zelvane-start");
  if (starts.size() != 1) {
    ExpectCount(run, L"zelvane-start", 1, L"Zelvane.exe", &problems);
    return problems;
  }
  ExpectPath(L"the started program", starts[0].Field(L"program"), installDir + L"\\Zelvane.exe",
             &problems);
  ExpectPath(L"Zelvane.exe's working directory", starts[0].Field(L"cwd"), installDir, &problems);
  ExpectPath(L"Zelvane.exe's parent", starts[0].Field(L"parent"), launcher, &problems);
  return problems;
}

std::vector<std::wstring> CheckMessageOnlyRun(const RunObservation& run) {
  Problems problems;
  if (!run.windowShown) problems.push_back(L"no window was shown");
  ExpectNoNotices(run, &problems);
  ExpectCount(run, L"installer-start", 0, L"the installer", &problems);
  ExpectCount(run, L"zelvane-start", 0, L"Zelvane.exe", &problems);
  return problems;
}
