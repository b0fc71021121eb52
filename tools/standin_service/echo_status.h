// The status the stand-in service gives in echo mode: a checksum of the whole
// request, so that a client can tell its own reply from anyone else's.
#pragma once
#include <windows.h>

#include <cstddef>

// FNV-1a over `bytes` bytes of a request record, with its dwStatus field
// (bytes 4..7) read as zero; never 0, 4 or 255, so that it cannot pass for
// success or for a status the client makes up itself.
inline DWORD EchoStatus(const void* record, std::size_t bytes) {
  const unsigned char* data = static_cast<const unsigned char*>(record);
  DWORD hash = 2166136261u;
  for (std::size_t i = 0; i < bytes; ++i) {
    const unsigned char byte = (i >= 4 && i < 8) ? 0 : data[i];
    hash = (hash ^ byte) * 16777619u;
  }
  return hash <= 255 ? hash + 256 : hash;
}
