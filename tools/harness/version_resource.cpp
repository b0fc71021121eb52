#include "tools/harness/version_resource.h"

namespace {

// One node of the version tree: header, key, value, children, each aligned
// to 32 bits, wLength covering all of it.
struct Node {
  std::wstring key;
  WORD type = 1;  // 1 text, 0 binary
  std::vector<BYTE> value;
  WORD valueLength = 0;  // in code units for text, bytes for binary
  std::vector<Node> children;
};

void Align(std::vector<BYTE>& out) {
  while (out.size() % 4) out.push_back(0);
}

void PutWord(std::vector<BYTE>& out, size_t at, WORD value) {
  out[at] = static_cast<BYTE>(value & 0xFF);
  out[at + 1] = static_cast<BYTE>(value >> 8);
}

void Serialize(const Node& node, std::vector<BYTE>& out) {
  Align(out);
  const size_t start = out.size();
  out.resize(start + 6);
  PutWord(out, start + 2, node.valueLength);
  PutWord(out, start + 4, node.type);
  for (wchar_t c : node.key) {
    out.push_back(static_cast<BYTE>(c & 0xFF));
    out.push_back(static_cast<BYTE>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  Align(out);
  out.insert(out.end(), node.value.begin(), node.value.end());
  for (const Node& child : node.children) Serialize(child, out);
  PutWord(out, start, static_cast<WORD>(out.size() - start));
}

std::vector<BYTE> TextBytes(const std::wstring& text, bool terminate) {
  std::vector<BYTE> bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  if (terminate) {
    bytes.push_back(0);
    bytes.push_back(0);
  }
  return bytes;
}

Node FixedInfoRoot() {
  VS_FIXEDFILEINFO fixed = {};
  fixed.dwSignature = 0xFEEF04BD;
  fixed.dwStrucVersion = 0x00010000;
  fixed.dwFileVersionMS = 0x00010004;
  fixed.dwFileVersionLS = 410;
  fixed.dwProductVersionMS = 0x00010004;
  fixed.dwProductVersionLS = 410;
  fixed.dwFileFlagsMask = 0x3F;
  fixed.dwFileOS = VOS__WINDOWS32;
  fixed.dwFileType = VFT_APP;
  Node root;
  root.key = L"VS_VERSION_INFO";
  root.type = 0;
  const BYTE* raw = reinterpret_cast<const BYTE*>(&fixed);
  root.value.assign(raw, raw + sizeof(fixed));
  root.valueLength = sizeof(fixed);
  return root;
}

}  // namespace

std::vector<BYTE> BuildVersionResource(const std::vector<VersionStringEntry>& strings) {
  Node root = FixedInfoRoot();
  Node stringFileInfo;
  stringFileInfo.key = L"StringFileInfo";
  for (const VersionStringEntry& entry : strings) {
    Node* table = nullptr;
    for (Node& existing : stringFileInfo.children) {
      if (existing.key == entry.tableKey) table = &existing;
    }
    if (!table) {
      Node fresh;
      fresh.key = entry.tableKey;
      stringFileInfo.children.push_back(fresh);
      table = &stringFileInfo.children.back();
    }
    Node node;
    node.key = entry.name;
    node.value = TextBytes(entry.value, entry.terminate);
    node.valueLength = static_cast<WORD>(entry.reportedLength >= 0
                                             ? entry.reportedLength
                                             : entry.value.size() + (entry.terminate ? 1 : 0));
    table->children.push_back(node);
  }
  root.children.push_back(stringFileInfo);

  Node varFileInfo;
  varFileInfo.key = L"VarFileInfo";
  Node translation;
  translation.key = L"Translation";
  translation.type = 0;
  translation.value = {0x09, 0x04, 0xB0, 0x04};
  translation.valueLength = 4;
  varFileInfo.children.push_back(translation);
  root.children.push_back(varFileInfo);

  std::vector<BYTE> out;
  Serialize(root, out);
  return out;
}

std::vector<BYTE> BuildVersionResource(const std::wstring& fileVersion) {
  VersionStringEntry entry;
  entry.value = fileVersion;
  return BuildVersionResource(std::vector<VersionStringEntry>{entry});
}

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
  return TRUE;
}

}  // namespace

std::vector<WORD> ResourceLanguages(HMODULE module, LPCWSTR type, LPCWSTR name) {
  std::vector<WORD> languages;
  EnumResourceLanguagesW(module, type, name, CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

namespace {

std::vector<WORD> VersionLanguages(const std::wstring& file) {
  HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return {};
  std::vector<WORD> languages =
      ResourceLanguages(module, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
  FreeLibrary(module);
  return languages;
}

}  // namespace

namespace {

// Applies one resource update session to `file`: each language of
// `languages` set to `resource` (an empty one removes them).
bool UpdateVersion(const std::wstring& file, const std::vector<WORD>& languages,
                   const std::vector<BYTE>& resource) {
  HANDLE update = BeginUpdateResourceW(file.c_str(), FALSE);
  if (!update) return false;
  for (WORD language : languages) {
    UpdateResourceW(update, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), language,
                    resource.empty() ? nullptr : const_cast<BYTE*>(resource.data()),
                    static_cast<DWORD>(resource.size()));
  }
  return EndUpdateResourceW(update, FALSE) != 0;
}

}  // namespace

bool WriteVersionedCopy(const std::wstring& source, const std::wstring& target,
                        const std::vector<BYTE>& resource, std::wstring* error) {
  if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) {
    *error = L"copy failed: " + source + L" -> " + target;
    return false;
  }
  const std::vector<WORD> existing = VersionLanguages(target);
  if (resource.empty()) {
    // Wine's resource updater cannot remove a resource: a file that has one
    // keeps it, so only files without one can be made version-less.
    if (existing.empty()) return true;
    *error = L"cannot remove an existing version resource";
    return false;
  }
  // Replaced under every language it already has (a copy that kept the old
  // one under another language would read differently in another locale).
  if (!UpdateVersion(target, existing.empty() ? std::vector<WORD>{0x0409} : existing, resource)) {
    *error = L"writing the version resource failed";
    return false;
  }
  return true;
}

std::wstring FileVersionOf(const std::wstring& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return std::wstring();
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::wstring();
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\FileVersion",
                      reinterpret_cast<void**>(&value), &length) ||
      !value || length == 0) {
    return std::wstring();
  }
  std::wstring text(value, length);
  const size_t nul = text.find(L'\0');
  return nul == std::wstring::npos ? text : text.substr(0, nul);
}
