// Builds VS_VERSIONINFO blocks and writes them into copies of executables,
// so tests can give a file any "FileVersion" (or a broken one).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct VersionStringEntry {
  std::wstring tableKey = L"040904b0";  // language/code page of the table
  std::wstring name = L"FileVersion";
  std::wstring value;       // the text, written without cut
  bool terminate = true;    // append the NUL code unit
  int reportedLength = -1;  // wValueLength; -1: the real length
};

// A version resource with one string table holding `strings`.
std::vector<BYTE> BuildVersionResource(const std::vector<VersionStringEntry>& strings);

// A version resource whose "FileVersion" in 040904b0 is `fileVersion`.
std::vector<BYTE> BuildVersionResource(const std::wstring& fileVersion);

// Copies `source` to `target` and replaces the copy's version resource with
// `resource`, under every language the copy had it (0x0409 when it had none).
// An empty `resource` is allowed only for a file without a version resource.
// Returns false, with a message in *error, on failure.
bool WriteVersionedCopy(const std::wstring& source, const std::wstring& target,
                        const std::vector<BYTE>& resource, std::wstring* error);

// The languages `module` holds resource `name` of `type` under, as
// EnumResourceLanguagesW lists them; empty when it holds none.
std::vector<WORD> ResourceLanguages(HMODULE module, LPCWSTR type, LPCWSTR name);

// The "FileVersion" of `path` in its US English table; empty when it has
// none.
std::wstring FileVersionOf(const std::wstring& path);
