#include "tools/harness/gdi_object_count.h"

#include <windows.h>

#include <cstdint>

namespace {

// One entry of the GDI handle table as both Windows and Wine lay it out for a
// 32-bit process.
struct GdiHandleEntry {
  uint64_t object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry layout");

constexpr int kHandleTableEntries = 0x10000;
constexpr int kPebGdiSharedHandleTable = 0x94;  // 32-bit PEB

const GdiHandleEntry* HandleTable() {
  const BYTE* peb = nullptr;
  __asm__("movl %%fs:0x30, %0" : "=r"(peb));
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiSharedHandleTable);
}

int CountTableEntries() {
  const GdiHandleEntry* table = HandleTable();
  if (!table) return -1;
  // Windows shares one table among all processes and marks the owner; Wine's
  // table is the process's own and leaves the owner 0.
  const USHORT pid = static_cast<USHORT>(GetCurrentProcessId());
  int count = 0;
  for (int i = 0; i < kHandleTableEntries; ++i) {
    const USHORT owner = static_cast<USHORT>(table[i].owner & 0xFFFF);
    if (table[i].type != 0 && (owner == pid || owner == 0)) ++count;
  }
  return count;
}

}  // namespace

int LiveGdiObjectCount() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  return CountTableEntries();
}
