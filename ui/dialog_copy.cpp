#include "ui/dialog_copy.h"

namespace {

const wchar_t kRule[] = L"---------------------------\r\n";
const wchar_t kLineEnd[] = L"\r\n";
const wchar_t kLabelGap[] = L"   ";
// Longer than any window text: a copy that would need more is refused.
constexpr size_t kMaxPartChars = 1u << 20;

size_t Chars(LPCWSTR text) { return text ? static_cast<size_t>(lstrlenW(text)) : 0; }

// Appends within the buffer's capacity, keeping room for the null; once
// something does not fit, nothing more is written.
class BoundedWriter {
 public:
  BoundedWriter(LPWSTR buffer, size_t capacity) : m_buffer(buffer), m_capacity(capacity) {}
  void Add(LPCWSTR text) {
    const size_t length = Chars(text);
    if (m_failed || length >= m_capacity - m_length) {
      m_failed = true;
      return;
    }
    for (size_t i = 0; i < length; ++i) m_buffer[m_length + i] = text[i];
    m_length += length;
    m_buffer[m_length] = L'\0';
  }
  bool Failed() const { return m_failed; }
  size_t Length() const { return m_length; }

 private:
  LPWSTR m_buffer;
  size_t m_capacity;
  size_t m_length = 0;
  bool m_failed = false;
};

// The characters of the copy, its null included; 0 when a part is too long.
size_t CopyChars(const DialogText& text) {
  size_t parts = Chars(text.title) + Chars(text.message);
  const int labels = text.labelCount < 0 ? 0 : (text.labelCount > 2 ? 2 : text.labelCount);
  for (int i = 0; i < labels; ++i) parts += Chars(text.labels[i]) + Chars(kLabelGap);
  if (parts > kMaxPartChars) return 0;
  return parts + 4 * Chars(kRule) + 3 * Chars(kLineEnd) + 1;
}

// Global memory for the clipboard, freed unless the clipboard took it.
class ClipboardMemory {
 public:
  explicit ClipboardMemory(size_t bytes) : m_handle(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
  ~ClipboardMemory() {
    if (m_handle) ::GlobalFree(m_handle);
  }
  ClipboardMemory(const ClipboardMemory&) = delete;
  ClipboardMemory& operator=(const ClipboardMemory&) = delete;
  HGLOBAL Get() const { return m_handle; }
  void Release() { m_handle = nullptr; }

 private:
  HGLOBAL m_handle;
};

// The memory's address while it is locked.
class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL handle)
      : m_handle(handle), m_pointer(handle ? ::GlobalLock(handle) : nullptr) {}
  ~LockedMemory() {
    if (m_pointer) ::GlobalUnlock(m_handle);
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;
  LPWSTR Text() const { return static_cast<LPWSTR>(m_pointer); }

 private:
  HGLOBAL m_handle;
  void* m_pointer;
};

// The clipboard, open for the scope.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (m_open) ::CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return m_open; }

 private:
  bool m_open;
};

}  // namespace

size_t FormatDialogText(const DialogText& text, LPWSTR buffer, size_t capacity) {
  if (!buffer || !capacity) return 0;
  BoundedWriter writer(buffer, capacity);
  writer.Add(kRule);
  writer.Add(text.title);
  writer.Add(kLineEnd);
  writer.Add(kRule);
  writer.Add(text.message);
  writer.Add(kLineEnd);
  writer.Add(kRule);
  for (int i = 0; i < text.labelCount && i < 2; ++i) {
    writer.Add(text.labels[i]);
    writer.Add(kLabelGap);
  }
  writer.Add(kLineEnd);
  writer.Add(kRule);
  if (writer.Failed()) {
    buffer[0] = L'\0';
    return 0;
  }
  return writer.Length();
}

bool CopyDialogText(HWND owner, const DialogText& text) {
  const size_t chars = CopyChars(text);
  if (!chars) return false;
  ClipboardMemory memory(chars * sizeof(wchar_t));
  {
    const LockedMemory locked(memory.Get());
    if (!locked.Text() || !FormatDialogText(text, locked.Text(), chars)) return false;
  }
  const OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
  memory.Release();
  return true;
}
