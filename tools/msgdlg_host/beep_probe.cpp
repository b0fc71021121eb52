#include "beep_probe.h"

namespace {

typedef BOOL(WINAPI* MessageBeepFn)(UINT);
MessageBeepFn g_original = nullptr;
std::vector<UINT> g_beeps;

BOOL WINAPI RecordingMessageBeep(UINT type) {
  g_beeps.push_back(type);
  return g_original ? g_original(type) : TRUE;
}

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

bool InstallBeepProbe() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const FARPROC original = GetProcAddress(user32, "MessageBeep");
  FARPROC* slot = FindImportSlot(GetModuleHandleW(nullptr), "user32.dll", original);
  if (!slot) return false;
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection)) return false;
  // Through void*: the import slot holds whatever type its function has.
  g_original = reinterpret_cast<MessageBeepFn>(reinterpret_cast<void*>(original));
  *slot = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordingMessageBeep));
  VirtualProtect(slot, sizeof(*slot), protection, &protection);
  return true;
}

std::vector<UINT> TakeRecordedBeeps() {
  std::vector<UINT> beeps;
  beeps.swap(g_beeps);
  return beeps;
}
