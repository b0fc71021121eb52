#include "app/version_api.h"

#include "app/guarded_call.h"
#include "base/system_path.h"

VersionApi g_versionApi = {};

namespace {

template <typename Fn>
void Resolve(HMODULE module, const char* name, Fn& slot) {
  slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool AllEntryPointsSet(const VersionApi& api) {
  return api.VerFindFileW && api.VerInstallFileW && api.GetFileVersionInfoSizeW &&
         api.GetFileVersionInfoW && api.GetFileVersionInfoSizeExW && api.GetFileVersionInfoExW &&
         api.VerLanguageNameW && api.VerQueryValueW;
}

struct SizeCall {
  LPCWSTR path;
  DWORD* handle;
};
struct InfoCall {
  LPCWSTR path;
  DWORD size;
  LPVOID block;
};
struct QueryCall {
  LPCVOID block;
  LPCWSTR subBlock;
  LPVOID* value;
  UINT* length;
};

ULONG_PTR InvokeSize(void* context) {
  SizeCall* call = static_cast<SizeCall*>(context);
  return g_versionApi.GetFileVersionInfoSizeW(call->path, call->handle);
}
ULONG_PTR InvokeInfo(void* context) {
  InfoCall* call = static_cast<InfoCall*>(context);
  return g_versionApi.GetFileVersionInfoW(call->path, 0, call->size, call->block);
}
ULONG_PTR InvokeQuery(void* context) {
  QueryCall* call = static_cast<QueryCall*>(context);
  return g_versionApi.VerQueryValueW(call->block, call->subBlock, call->value, call->length);
}

}  // namespace

bool BindVersionApi() {
  UnbindVersionApi();
  WCHAR path[kSystemPathChars];
  if (!SystemFilePath(L"version.dll", path)) return false;
  VersionApi api = {};
  api.hModule = LoadLibraryW(path);
  if (!api.hModule) return false;
  Resolve(api.hModule, "VerFindFileW", api.VerFindFileW);
  Resolve(api.hModule, "VerInstallFileW", api.VerInstallFileW);
  Resolve(api.hModule, "GetFileVersionInfoSizeW", api.GetFileVersionInfoSizeW);
  Resolve(api.hModule, "GetFileVersionInfoW", api.GetFileVersionInfoW);
  Resolve(api.hModule, "GetFileVersionInfoSizeExW", api.GetFileVersionInfoSizeExW);
  Resolve(api.hModule, "GetFileVersionInfoExW", api.GetFileVersionInfoExW);
  Resolve(api.hModule, "VerLanguageNameW", api.VerLanguageNameW);
  Resolve(api.hModule, "VerQueryValueW", api.VerQueryValueW);
  if (!AllEntryPointsSet(api)) {
    FreeLibrary(api.hModule);
    return false;
  }
  g_versionApi = api;
  return true;
}

void UnbindVersionApi() {
  if (g_versionApi.hModule) FreeLibrary(g_versionApi.hModule);
  g_versionApi = VersionApi{};
}

DWORD CallGetFileVersionInfoSize(LPCWSTR path, DWORD& handle) {
  if (!g_versionApi.GetFileVersionInfoSizeW) return 0;
  SizeCall call = {path, &handle};
  return static_cast<DWORD>(CallGuarded(InvokeSize, &call, 0));
}

bool CallGetFileVersionInfo(LPCWSTR path, DWORD size, LPVOID block) {
  if (!g_versionApi.GetFileVersionInfoW) return false;
  InfoCall call = {path, size, block};
  return CallGuarded(InvokeInfo, &call, FALSE) != 0;
}

bool CallVerQueryValue(LPCVOID block, LPCWSTR subBlock, LPVOID& value, UINT& length) {
  if (!g_versionApi.VerQueryValueW) return false;
  QueryCall call = {block, subBlock, &value, &length};
  return CallGuarded(InvokeQuery, &call, FALSE) != 0;
}
