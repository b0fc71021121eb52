// The installer payload (resource 9300) of a launcher copy, for tests that
// give a download another installer.
#pragma once

#include <string>

// Replaces the payload of the launcher at `path` with the file `installer`,
// under the language the copy carries it in. False when the installer cannot
// be read or the copy not updated.
bool ReplacePayload(const std::wstring& path, const std::wstring& installer);
