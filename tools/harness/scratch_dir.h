// A fresh, empty folder under the build's scratch area, removed with its
// content when the object goes away.
#pragma once
#include <string>

class ScratchDir {
 public:
  explicit ScratchDir(const std::wstring& tag);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::wstring& Path() const { return m_path; }
  // Path() + "\\" + name.
  std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

 private:
  std::wstring m_path;
};

// Removes a folder tree; true when it is gone.
bool RemoveTree(const std::wstring& path);
// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const std::wstring& path, std::string* bytes);
// Writes `bytes` to `path`, replacing it.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// Everything before the last backslash or slash of `path`; empty when it has
// none.
std::wstring FolderOf(const std::wstring& path);
