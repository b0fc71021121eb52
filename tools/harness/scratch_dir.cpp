#include "tools/harness/scratch_dir.h"

#include <windows.h>

#include "run_paths.h"
#include "tools/harness/harness_failure.h"

namespace {
int g_counter = 0;
}

ScratchDir::ScratchDir(const std::wstring& tag) {
  CreateDirectoryW(QUARNEL_TEST_SCRATCH_DIR, nullptr);
  m_path = std::wstring(QUARNEL_TEST_SCRATCH_DIR) + L"\\" + tag + L"_" +
           std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++g_counter);
  RemoveTree(m_path);
  HARNESS_CHECK(CreateDirectoryW(m_path.c_str(), nullptr), ": cannot create scratch folder");
}

ScratchDir::~ScratchDir() { RemoveTree(m_path); }

bool RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
  return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool ReadWholeFile(const std::wstring& path, std::string* bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  GetFileSizeEx(file, &size);
  bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  BOOL ok = bytes->empty() ||
            ReadFile(file, &(*bytes)[0], static_cast<DWORD>(bytes->size()), &read, nullptr);
  CloseHandle(file);
  return ok && read == bytes->size();
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}
