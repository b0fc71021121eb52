// The path each load-test request carries: unique to its client and
// sequence number, of varying length up to the full 260 characters, and
// filled with characters derived from both, so a record torn between two
// clients cannot pass for either.
#pragma once
#include <string>

inline std::wstring LoadRequestPath(unsigned client, unsigned sequence) {
  std::wstring path = L"Z:\\load\\client" + std::to_wstring(client) + L"\\request" +
                      std::to_wstring(sequence) + L"\\";
  const std::size_t length = 100 + (sequence * 7 + client * 13) % 161;
  for (std::size_t i = path.size(); i < length; ++i) {
    path += static_cast<wchar_t>(L'a' + (client * 31 + sequence + i) % 26);
  }
  return path;
}
