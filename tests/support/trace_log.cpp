#include "trace_log.h"

#include <stdlib.h>

#include "tools/harness/scratch_dir.h"
#include "tools/harness/utf8.h"

std::vector<TraceLine> ReadTraceLog(const std::wstring& path) {
  std::vector<TraceLine> lines;
  std::string bytes;
  if (!ReadWholeFile(path, &bytes)) return lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    // "<stamp> <pid> <message>"
    const std::wstring line = FromUtf8(bytes.substr(start, end - start));
    const size_t afterStamp = line.find(L' ');
    if (afterStamp == std::wstring::npos) continue;
    const size_t afterPid = line.find(L' ', afterStamp + 1);
    if (afterPid == std::wstring::npos) continue;
    TraceLine parsed;
    parsed.processId =
        wcstoul(line.substr(afterStamp + 1, afterPid - afterStamp - 1).c_str(), nullptr, 10);
    parsed.message = line.substr(afterPid + 1);
    lines.push_back(parsed);
  }
  return lines;
}

std::vector<std::wstring> TraceMessages(const std::vector<TraceLine>& lines,
                                        const std::wstring& prefix, DWORD processId) {
  std::vector<std::wstring> out;
  for (const TraceLine& line : lines) {
    if (processId != 0 && line.processId != processId) continue;
    if (line.message.compare(0, prefix.size(), prefix) == 0) out.push_back(line.message);
  }
  return out;
}

std::wstring TraceText(const std::vector<TraceLine>& lines) {
  std::wstring text;
  for (const TraceLine& line : lines) text += L"\n  " + line.message;
  return text;
}
