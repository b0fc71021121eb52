#include "run_report.h"

#include "channel/command_record.h"

namespace {

std::wstring DescribeRequest(const ServiceLogEntry& request) {
  const std::wstring kind = request.Field(L"command") == std::to_wstring(CMD_PATH_NOTICE)
                                ? L"path notice"
                                : L"command " + request.Field(L"command");
  return kind + L" \"" + request.Field(L"path") + L"\" (answered " + request.Field(L"reply") + L")";
}

void ReportRecord(const StandinRecord& record, Transcript& transcript) {
  if (record.event == L"installer-installed") {
    transcript.Fact(L"installer",
                    L"installed into " + record.Field(L"dir") + L": " + record.Field(L"result"));
    return;
  }
  const std::wstring who = record.event == L"installer-start" ? L"installer started"
                           : record.event == L"zelvane-start" ? L"program started"
                                                              : record.event;
  transcript.Fact(who, record.Field(L"program"));
  transcript.Fact(L"  command line", record.Field(L"cmdline"));
  transcript.Fact(L"  working directory", record.Field(L"cwd"));
  transcript.Fact(L"  started by", record.Field(L"parent"));
}

// What the launcher decided, as its traces show it.
std::wstring Decision(const RunObservation& run) {
  const bool installed = !RecordsOf(run.records, L"installer-start").empty();
  const bool handedOff = !RecordsOf(run.records, L"zelvane-start").empty();
  if (installed && handedOff) return L"install and hand-off (both!)";
  if (installed) return L"install";
  if (handedOff) return L"hand-off to Zelvane.exe";
  // Only the install branch sends path notices; a real installer logs nothing.
  if (!run.requests.empty()) return L"install (the installer keeps no log of its own)";
  return run.windowShown ? L"show the message, nothing else" : L"nothing";
}

}  // namespace

void ReportRun(const RunObservation& run, Transcript& transcript) {
  if (run.requests.empty()) transcript.Fact(L"service received", L"nothing");
  for (const ServiceLogEntry& request : run.requests) {
    transcript.Fact(L"service received", DescribeRequest(request));
  }
  if (run.records.empty()) transcript.Fact(L"programs started", L"none recorded");
  for (const StandinRecord& record : run.records) ReportRecord(record, transcript);
  transcript.Fact(L"decision", Decision(run));
  transcript.Fact(L"launcher", std::wstring(run.windowShown ? L"showed a window" : L"no window") +
                                   L", exit code " + std::to_wstring(run.exitCode));
}
