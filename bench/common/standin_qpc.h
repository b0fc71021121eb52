// The start time a stand-in recorded: the "qpc=" field of its log line.
#pragma once
#include <cstdlib>
#include <string>

// The value of `field` ("qpc") in the first line of `log` whose event is
// `event`, e.g. "zelvane-start\tqpc=123\t...". -1 when there is no such line
// or the value is not a whole decimal number.
inline long long StandinCounter(const std::string& log, const std::string& event,
                                const std::string& field = "qpc") {
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find('\n', start);
    if (end == std::string::npos) return -1;  // a line still being written
    const std::string line = log.substr(start, end - start);
    start = end + 1;
    if (line.compare(0, event.size() + 1, event + "\t") != 0) continue;
    const std::string key = "\t" + field + "=";
    const std::size_t at = line.find(key);
    if (at == std::string::npos) return -1;
    const std::size_t from = at + key.size();
    const std::size_t to = line.find('\t', from);
    const std::string digits = line.substr(from, to == std::string::npos ? to : to - from);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::strtoll(digits.c_str(), nullptr, 10);
  }
  return -1;
}
