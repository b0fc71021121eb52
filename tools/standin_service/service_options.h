// What the stand-in service is told to do, from its command line and
// environment.
#pragma once
#include <windows.h>

#include <string>

struct ServiceOptions {
  enum class ReplyMode { kFixedStatus, kEcho };

  ReplyMode replyMode = ReplyMode::kFixedStatus;
  DWORD replyStatus = 0;         // --status N
  std::wstring logPath;          // --log PATH, else env QUARNEL_SERVICE_LOG
  std::wstring watchFile;        // --watch-file PATH
  DWORD answerDelayMs = 0;       // --delay-ms N
  DWORD unansweredFirst = 0;     // --ignore-first N
  bool neverAnswer = false;      // --never-answer
  bool dieAfterRequest = false;  // --die-after-request
  DWORD sectionBytes = 4096;     // --section-bytes N (at least 536)
  DWORD maxRequests = 0;         // --max-requests N (0: no limit)
  bool stopRunning = false;      // --stop
};

// Fills `options` from the arguments after the program name. Returns false,
// with a message in `error`, on an unknown switch or a bad value.
bool ParseServiceOptions(int argc, wchar_t** argv, ServiceOptions* options, std::wstring* error);

// The usage text printed for a bad command line.
const char* ServiceUsage();
