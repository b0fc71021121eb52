#include "ui/memory_stream.h"

#include <new>

namespace Private {

MemoryStream::MemoryStream(const BYTE* begin, const BYTE* end)
    : m_pBegin(begin), m_pEnd(end), m_pCurrent(begin), m_cRef(1) {}

HRESULT MemoryStream::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IStream) || IsEqualIID(iid, IID_ISequentialStream) ||
      IsEqualIID(iid, IID_IUnknown)) {
    *object = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG MemoryStream::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_cRef)); }

ULONG MemoryStream::Release() {
  const LONG count = InterlockedDecrement(&m_cRef);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT MemoryStream::Read(void* buffer, ULONG count, ULONG* done) {
  const ULONG remaining = static_cast<ULONG>(m_pEnd - m_pCurrent);
  const ULONG n = count < remaining ? count : remaining;
  if (n > 0 && !buffer) return STG_E_INVALIDPOINTER;
  if (n > 0) CopyMemory(buffer, m_pCurrent, n);
  m_pCurrent += n;
  if (done) *done = n;
  return n > 0 ? S_OK : S_FALSE;
}

HRESULT MemoryStream::Write(const void*, ULONG, ULONG*) { return STG_E_ACCESSDENIED; }

HRESULT MemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
  const LONGLONG size = static_cast<LONGLONG>(Size());
  const LONGLONG current = m_pCurrent - m_pBegin;
  LONGLONG target = 0;
  switch (origin) {
    case STREAM_SEEK_SET: target = move.QuadPart; break;
    case STREAM_SEEK_CUR:
      // The whole 64-bit displacement counts: keeping only its low half
      // would turn a move far out of range into a "successful" small one.
      // The stream is far smaller than 2^62, so the sum cannot overflow
      // unless the move itself is out of range.
      if (move.QuadPart > size || move.QuadPart < -size) return STG_E_INVALIDPOINTER;
      target = current + move.QuadPart;
      break;
    case STREAM_SEEK_END:
      if (move.QuadPart > 0 || move.QuadPart < -size) return STG_E_INVALIDPOINTER;
      target = size + move.QuadPart;
      break;
    default: return E_INVALIDARG;
  }
  const HRESULT result = MoveTo(target);
  if (SUCCEEDED(result) && position) position->QuadPart = static_cast<ULONGLONG>(target);
  return result;
}

HRESULT MemoryStream::MoveTo(LONGLONG offset) {
  if (offset < 0 || static_cast<ULONGLONG>(offset) > Size()) return STG_E_INVALIDPOINTER;
  m_pCurrent = m_pBegin + offset;
  return S_OK;
}

HRESULT MemoryStream::SetSize(ULARGE_INTEGER) { return STG_E_ACCESSDENIED; }

HRESULT MemoryStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) {
  return E_NOTIMPL;
}

HRESULT MemoryStream::Commit(DWORD) { return E_NOTIMPL; }

HRESULT MemoryStream::Revert() { return STG_E_ACCESSDENIED; }

HRESULT MemoryStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }

HRESULT MemoryStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }

HRESULT MemoryStream::Stat(STATSTG* stat, DWORD flags) {
  if (!stat) return STG_E_INVALIDPOINTER;
  LPOLESTR name = nullptr;
  if (!(flags & STATFLAG_NONAME)) {
    // The caller owns and frees the name, so it must come from the task
    // allocator even though the stream has none: an empty string.
    name = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof(OLECHAR)));
    if (!name) return STG_E_INSUFFICIENTMEMORY;
    name[0] = L'\0';
  }
  stat->pwcsName = name;
  stat->type = STGTY_LOCKBYTES;
  stat->cbSize.QuadPart = Size();
  stat->grfMode = STGM_SHARE_DENY_WRITE | STGM_READ;
  stat->grfLocksSupported = 0;
  stat->clsid = CLSID_NULL;
  stat->grfStateBits = 0;
  return S_OK;
}

HRESULT MemoryStream::Clone(IStream** clone) {
  if (!clone) return STG_E_INVALIDPOINTER;
  *clone = new (std::nothrow) MemoryStream(m_pBegin, m_pEnd);
  return *clone ? S_OK : E_OUTOFMEMORY;
}

}  // namespace Private

HRESULT CreateResourceStream(WORD id, HMODULE module, IStream*& stream) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
  const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (!data) return E_FAIL;
  const DWORD size = SizeofResource(module, info);
  stream = new (std::nothrow) Private::MemoryStream(data, data + size);
  return S_OK;
}
