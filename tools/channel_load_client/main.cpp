// One client of the command channel under load: performs a number of
// exchanges against a stand-in service in echo mode and checks that each
// reply is its own. Prints one summary line; exit code 0 when every reply
// matched, 1 when any did not, 2 on a bad command line.
//   channel_load_client --client N --count M [--timeout-ms T]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "channel/command_channel.h"
#include "channel/path_notice.h"
#include "tools/harness/load_pattern.h"
#include "tools/standin_service/echo_status.h"

namespace {

struct LoadOptions {
  unsigned client = 0;
  unsigned count = 0;
  DWORD timeoutMs = kCommandWaitTimeoutMs;
};

bool ParseOptions(int argc, wchar_t** argv, LoadOptions* options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const unsigned long value = std::wcstoul(argv[i + 1], nullptr, 10);
    if (std::wcscmp(argv[i], L"--client") == 0)
      options->client = value;
    else if (std::wcscmp(argv[i], L"--count") == 0)
      options->count = value;
    else if (std::wcscmp(argv[i], L"--timeout-ms") == 0)
      options->timeoutMs = value;
    else
      return false;
  }
  return argc % 2 == 1 && options->count > 0;
}

// True when `reply` is the service's echo of `request` and of nothing else.
bool IsOwnReply(const CommandRecord& request, const CommandRecord& reply, DWORD status) {
  const DWORD expected = EchoStatus(&request, sizeof(request));
  return status == expected && reply.dwStatus == expected && reply.dwCommand == request.dwCommand &&
         reply.dwSize == request.dwSize &&
         std::memcmp(reply.szPath, request.szPath, sizeof(request.szPath)) == 0;
}

unsigned RunExchanges(const LoadOptions& options) {
  CCommandChannel channel;
  channel.SetWaitTimeout(options.timeoutMs);
  unsigned failures = 0;
  for (unsigned sequence = 0; sequence < options.count; ++sequence) {
    CommandRecord request;
    BuildPathNotice(LoadRequestPath(options.client, sequence).c_str(), request);
    CommandRecord exchanged = request;
    const DWORD status = channel.Exchange(exchanged);
    if (!IsOwnReply(request, exchanged, status)) ++failures;
  }
  return failures;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  LoadOptions options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr, "usage: channel_load_client --client N --count M [--timeout-ms T]\n");
    return 2;
  }
  const ULONGLONG start = GetTickCount64();
  const unsigned failures = RunExchanges(options);
  std::printf("client %u: exchanges=%u failures=%u ms=%llu\n", options.client, options.count,
              failures, static_cast<unsigned long long>(GetTickCount64() - start));
  std::fflush(stdout);
  return failures == 0 ? 0 : 1;
}
