#include "tools/harness/screen_pixels.h"

#include <cstdlib>

#include "tools/harness/scratch_dir.h"

namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()));
  std::string body(type, 4);
  body += data;
  out += body;
  PutBigEndian(out, Crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
}

// A zlib stream of stored (uncompressed) blocks: pictures are small and
// test artefacts need no compression.
std::string StoredZlib(const std::string& raw) {
  std::string out("\x78\x01", 2);
  size_t offset = 0;
  do {
    const size_t chunk = raw.size() - offset < 65535 ? raw.size() - offset : 65535;
    const bool last = offset + chunk == raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(chunk & 0xFF);
    out += static_cast<char>(chunk >> 8);
    out += static_cast<char>(~chunk & 0xFF);
    out += static_cast<char>((~chunk >> 8) & 0xFF);
    out.append(raw, offset, chunk);
    offset += chunk;
  } while (offset < raw.size());
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(out, (b << 16) | a);
  return out;
}

}  // namespace

COLORREF ScreenPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  return pixels[static_cast<size_t>(y) * width + x];
}

bool ColoursNear(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool SavePng(const ScreenPixels& picture, const std::wstring& path) {
  if (picture.empty()) return false;
  std::string header;
  PutBigEndian(header, static_cast<uint32_t>(picture.width));
  PutBigEndian(header, static_cast<uint32_t>(picture.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  std::string raw;
  raw.reserve(static_cast<size_t>(picture.height) * (picture.width * 3 + 1));
  for (int y = 0; y < picture.height; ++y) {
    raw += '\0';  // no filter
    for (int x = 0; x < picture.width; ++x) {
      const COLORREF c = picture.At(x, y);
      raw += static_cast<char>(GetRValue(c));
      raw += static_cast<char>(GetGValue(c));
      raw += static_cast<char>(GetBValue(c));
    }
  }
  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", std::string());
  return WriteWholeFile(path, png);
}
