#include "tools/standin_service/service_options.h"

#include <cwchar>

#include "channel/command_record.h"
#include "tools/standin_common/env.h"

namespace {

bool ParseNumber(const wchar_t* text, DWORD* value) {
  if (!text || !*text) return false;
  wchar_t* end = nullptr;
  const unsigned long parsed = std::wcstoul(text, &end, 10);
  if (*end != L'\0') return false;
  *value = static_cast<DWORD>(parsed);
  return true;
}

bool ParseStatus(const wchar_t* text, ServiceOptions* options) {
  if (text && std::wcscmp(text, L"echo") == 0) {
    options->replyMode = ServiceOptions::ReplyMode::kEcho;
    return true;
  }
  options->replyMode = ServiceOptions::ReplyMode::kFixedStatus;
  return ParseNumber(text, &options->replyStatus);
}

// Switches that take no value.
bool ParseFlag(const std::wstring& name, ServiceOptions* options) {
  if (name == L"--never-answer")
    options->neverAnswer = true;
  else if (name == L"--die-after-request")
    options->dieAfterRequest = true;
  else if (name == L"--stop")
    options->stopRunning = true;
  else if (name == L"--min-section")
    options->sectionBytes = kCommandRecordBytes;
  else
    return false;
  return true;
}

// Switches followed by one value; false on an unknown name or a bad value.
bool ParseValued(const std::wstring& name, const wchar_t* value, ServiceOptions* options) {
  if (name == L"--status") return ParseStatus(value, options);
  if (name == L"--delay-ms") return ParseNumber(value, &options->answerDelayMs);
  if (name == L"--ignore-first") return ParseNumber(value, &options->unansweredFirst);
  if (name == L"--max-requests") return ParseNumber(value, &options->maxRequests);
  if (name == L"--section-bytes") {
    return ParseNumber(value, &options->sectionBytes) &&
           options->sectionBytes >= kCommandRecordBytes;
  }
  if (!value) return false;
  if (name == L"--log")
    options->logPath = value;
  else if (name == L"--watch-file")
    options->watchFile = value;
  else
    return false;
  return true;
}

}  // namespace

bool ParseServiceOptions(int argc, wchar_t** argv, ServiceOptions* options, std::wstring* error) {
  options->logPath = GetEnv(L"QUARNEL_SERVICE_LOG");
  for (int i = 1; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (ParseFlag(name, options)) continue;
    const wchar_t* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!ParseValued(name, value, options)) {
      *error = L"bad switch or value: " + name;
      return false;
    }
    ++i;
  }
  return true;
}

const char* ServiceUsage() {
  return "usage: standin_service [--status N|echo] [--log PATH] [--watch-file PATH]\n"
         "       [--delay-ms N] [--ignore-first N] [--never-answer] [--die-after-request]\n"
         "       [--section-bytes N (>=536) | --min-section] [--max-requests N]\n"
         "       standin_service --stop\n";
}
