#include "import_redirect.h"

namespace {

// The import address table slot of `target` among the imports from `dll`.
FARPROC* FindImportSlot(HMODULE module, const char* dll, FARPROC target) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return nullptr;
  for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
       desc->Name; ++desc) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + desc->Name), dll) != 0) continue;
    for (auto* slot = reinterpret_cast<FARPROC*>(base + desc->FirstThunk); *slot; ++slot) {
      if (*slot == target) return slot;
    }
  }
  return nullptr;
}

}  // namespace

bool RedirectImport(const char* dll, const char* function, FARPROC replacement, FARPROC* original) {
  const HMODULE library = GetModuleHandleA(dll);
  const FARPROC target = library ? GetProcAddress(library, function) : nullptr;
  FARPROC* slot = target ? FindImportSlot(GetModuleHandleW(nullptr), dll, target) : nullptr;
  if (!slot) return false;
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection)) return false;
  *original = target;
  *slot = replacement;
  VirtualProtect(slot, sizeof(*slot), protection, &protection);
  return true;
}
