// The checks that judge a launcher run from outside (used by the demo): a
// run as it should be passes, and each way of going wrong is named.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tools/harness/launch_outcome.h"

namespace {

const std::wstring kLauncher = L"C:\\m\\download\\Quarnel.exe";
const std::wstring kTemp = L"C:\\m\\temp";
const std::wstring kCopy = L"C:\\m\\temp\\Quarnel_Setup2.exe";
const std::wstring kInstall = L"C:\\m\\installed";

StandinRecord Record(const std::wstring& event, std::map<std::wstring, std::wstring> fields) {
  StandinRecord record;
  record.event = event;
  record.fields = std::move(fields);
  return record;
}

ServiceLogEntry Notice(const std::wstring& path, const std::wstring& command = L"253") {
  ServiceLogEntry entry;
  entry.event = L"request";
  entry.fields = {{L"command", command}, {L"path", path}, {L"reply", L"0"}};
  return entry;
}

RunObservation GoodInstall() {
  RunObservation run;
  run.requests = {Notice(kLauncher), Notice(L"C:\\m\\download")};
  run.records = {Record(L"installer-start", {{L"program", kCopy},
                                             {L"cmdline", L"\"" + kCopy + L"\""},
                                             {L"cwd", kTemp + L"\\"},
                                             {L"parent", kLauncher}}),
                 Record(L"installer-installed", {{L"dir", kInstall}, {L"result", L"ok"}})};
  return run;
}

RunObservation GoodHandOff() {
  RunObservation run;
  run.records = {Record(L"zelvane-start", {{L"program", kInstall + L"\\Zelvane.exe"},
                                           {L"cmdline", L"\"" + kInstall + L"\\Zelvane.exe\""},
                                           {L"cwd", kInstall},
                                           {L"parent", kLauncher}})};
  return run;
}

struct Fault {
  const char* name;
  std::function<void(RunObservation&)> spoil;
  const wchar_t* expectedWords;  // part of the problem the check must name
};

bool Mentions(const std::vector<std::wstring>& problems, const std::wstring& words) {
  for (const std::wstring& problem : problems) {
    if (problem.find(words) != std::wstring::npos) return true;
  }
  return false;
}

std::wstring Joined(const std::vector<std::wstring>& problems) {
  std::wstring all;
  for (const std::wstring& problem : problems) all += problem + L" | ";
  return all;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void ExpectEachFaultNamed(
    const std::vector<Fault>& faults, const RunObservation& good,
    const std::function<std::vector<std::wstring>(const RunObservation&)>& check) {
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    RunObservation run = good;
    fault.spoil(run);
    const std::vector<std::wstring> problems = check(run);
    EXPECT_TRUE(Mentions(problems, fault.expectedWords)) << Narrow(Joined(problems));
  }
}

TEST(LaunchOutcome, RunsAsExpectedPass) {
  EXPECT_TRUE(CheckInstallRun(GoodInstall(), kLauncher, kTemp, kCopy, false).empty())
      << Narrow(Joined(CheckInstallRun(GoodInstall(), kLauncher, kTemp, kCopy, false)));
  RunObservation asked = GoodInstall();
  asked.windowShown = true;
  asked.exitCode = 2;  // a dialog's result: no meaning of its own
  EXPECT_TRUE(CheckInstallRun(asked, kLauncher, kTemp, kCopy, true).empty());
  EXPECT_TRUE(CheckHandOffRun(GoodHandOff(), kLauncher, kInstall, false).empty());
  RunObservation shown;
  shown.windowShown = true;
  EXPECT_TRUE(CheckMessageOnlyRun(shown).empty());
}

TEST(LaunchOutcome, InstallFaultsAreNamed) {
  const std::vector<Fault> faults = {
      {"non-zero exit", [](RunObservation& r) { r.exitCode = 1; }, L"exit code 1"},
      {"window shown", [](RunObservation& r) { r.windowShown = true; }, L"a window was shown"},
      {"no notices", [](RunObservation& r) { r.requests.clear(); }, L"0 request(s)"},
      {"one notice", [](RunObservation& r) { r.requests.pop_back(); }, L"1 request(s)"},
      {"notices swapped", [](RunObservation& r) { std::swap(r.requests[0], r.requests[1]); },
       L"notice 1's path"},
      {"folder with a cut name",
       [](RunObservation& r) { r.requests[1] = Notice(L"C:\\m\\downloa"); }, L"notice 2's path"},
      {"other command", [](RunObservation& r) { r.requests[0] = Notice(kLauncher, L"7"); },
       L"notice 1 has command 7"},
      {"no installer", [](RunObservation& r) { r.records.clear(); }, L"the installer started 0"},
      {"installer twice", [](RunObservation& r) { r.records.push_back(r.records[0]); },
       L"the installer started 2"},
      {"copy elsewhere",
       [](RunObservation& r) {
         r.records[0].fields[L"program"] = L"C:\\m\\temp\\Quarnel_Setup1.exe";
       },
       L"the installer copy"},
      {"working directory",
       [](RunObservation& r) { r.records[0].fields[L"cwd"] = L"C:\\m\\download"; },
       L"working directory"},
      {"unquoted command line", [](RunObservation& r) { r.records[0].fields[L"cmdline"] = kCopy; },
       L"command line"},
      {"arguments added",
       [](RunObservation& r) { r.records[0].fields[L"cmdline"] = L"\"" + kCopy + L"\" -P"; },
       L"command line"},
      {"other parent", [](RunObservation& r) { r.records[0].fields[L"parent"] = L"C:\\x.exe"; },
       L"parent"},
      {"install failed", [](RunObservation& r) { r.records[1].fields[L"result"] = L"cannot copy"; },
       L"successful install"},
      {"also handed off", [](RunObservation& r) { r.records.push_back(GoodHandOff().records[0]); },
       L"Zelvane.exe started 1"},
  };
  ExpectEachFaultNamed(faults, GoodInstall(), [](const RunObservation& run) {
    return CheckInstallRun(run, kLauncher, kTemp, kCopy, false);
  });
}

TEST(LaunchOutcome, HandOffFaultsAreNamed) {
  const std::vector<Fault> faults = {
      {"non-zero exit", [](RunObservation& r) { r.exitCode = 3; }, L"exit code 3"},
      {"window shown", [](RunObservation& r) { r.windowShown = true; }, L"a window was shown"},
      {"a notice", [](RunObservation& r) { r.requests.push_back(Notice(kLauncher)); },
       L"expected none"},
      {"not started", [](RunObservation& r) { r.records.clear(); }, L"Zelvane.exe started 0"},
      {"installer too", [](RunObservation& r) { r.records.push_back(GoodInstall().records[0]); },
       L"the installer started 1"},
      {"other program",
       [](RunObservation& r) { r.records[0].fields[L"program"] = L"C:\\m\\download\\Zelvane.exe"; },
       L"the started program"},
      {"inherited working directory",
       [](RunObservation& r) { r.records[0].fields[L"cwd"] = L"C:\\m\\download"; },
       L"working directory"},
      {"other parent", [](RunObservation& r) { r.records[0].fields[L"parent"] = L"C:\\x.exe"; },
       L"parent"},
  };
  ExpectEachFaultNamed(faults, GoodHandOff(), [](const RunObservation& run) {
    return CheckHandOffRun(run, kLauncher, kInstall, false);
  });
}

TEST(LaunchOutcome, MessageOnlyFaultsAreNamed) {
  RunObservation shown;
  shown.windowShown = true;
  const std::vector<Fault> faults = {
      {"no window", [](RunObservation& r) { r.windowShown = false; }, L"no window was shown"},
      {"a notice", [](RunObservation& r) { r.requests.push_back(Notice(kLauncher)); },
       L"expected none"},
      {"installer", [](RunObservation& r) { r.records = GoodInstall().records; },
       L"the installer started 1"},
      {"hand-off", [](RunObservation& r) { r.records = GoodHandOff().records; },
       L"Zelvane.exe started 1"},
  };
  ExpectEachFaultNamed(faults, shown, CheckMessageOnlyRun);
}

}  // namespace
