// Stand-in for the product's background service ZelvaneSvc: provides the
// request event and shared memory of the command channel, answers each
// request with the status it is told to give, and logs what it received.
// See service_options.h for the switches and request_log.h for the log.
//
// From a script (it prints "standin_service: ready" once it answers, and
// sets the event "Global\ZelvaneSvcStandinReady"):
//   wine standin_service.exe --status 0 --log 'Z:\tmp\service.log' > out &
//   ... run the launcher ...
//   wine standin_service.exe --stop
// Exit codes: 0 stopped, 2 bad command line, 3 another service runs, 9 died
// on purpose (--die-after-request).
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/standin_service/echo_status.h"
#include "tools/standin_service/request_log.h"
#include "tools/standin_service/service_objects.h"
#include "tools/standin_service/service_options.h"

namespace {

const wchar_t* WatchState(const ServiceOptions& options) {
  if (options.watchFile.empty()) return L"none";
  const DWORD attributes = GetFileAttributesW(options.watchFile.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? L"absent" : L"present";
}

bool ShouldAnswer(const ServiceOptions& options, DWORD sequence) {
  return !options.neverAnswer && !options.dieAfterRequest && sequence > options.unansweredFirst;
}

DWORD ReplyStatus(const ServiceOptions& options, const CommandRecord& request) {
  if (options.replyMode == ServiceOptions::ReplyMode::kEcho) {
    return EchoStatus(&request, sizeof(request));
  }
  return options.replyStatus;
}

// Handles one signalled request; false when the service must stop (asked
// to stop while delaying its answer).
bool HandleRequest(const ServiceOptions& options, ServiceObjects& objects, RequestLog& log,
                   DWORD sequence) {
  LoggedRequest logged;
  logged.sequence = sequence;
  logged.record = objects.channel().Request();
  logged.watch = WatchState(options);
  logged.answered = ShouldAnswer(options, sequence);
  logged.reply = ReplyStatus(options, logged.record);
  log.Append(logged);
  if (options.dieAfterRequest) TerminateProcess(GetCurrentProcess(), 9);
  if (!logged.answered) return true;
  if (options.answerDelayMs &&
      WaitForSingleObject(objects.stopEvent(), options.answerDelayMs) == WAIT_OBJECT_0) {
    return false;
  }
  CommandRecord reply = logged.record;
  reply.dwStatus = logged.reply;
  objects.channel().Answer(reply);
  return true;
}

int Serve(const ServiceOptions& options) {
  ServiceObjects objects;
  const char* error = nullptr;
  if (!objects.Create(options.sectionBytes, &error)) {
    std::fprintf(stderr, "standin_service: %s\n", error);
    return 3;
  }
  RequestLog log(options.logPath);
  objects.AnnounceReady();
  std::printf("standin_service: ready\n");
  std::fflush(stdout);
  const HANDLE waits[2] = {objects.stopEvent(), objects.channel().requestEvent()};
  for (DWORD sequence = 1; options.maxRequests == 0 || sequence <= options.maxRequests;
       ++sequence) {
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    if (!HandleRequest(options, objects, log, sequence)) break;
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ServiceOptions options;
  std::wstring error;
  if (!ParseServiceOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "standin_service: %ls\n%s", error.c_str(), ServiceUsage());
    return 2;
  }
  if (options.stopRunning) return SetNamedEvent(kStopEventName) ? 0 : 1;
  return Serve(options);
}
