// A read-only IStream over bytes that stay mapped for the life of the process
// (the executable's own resource data), so GDI+ can decode artwork in place:
// no copy of the bytes, no temporary file.
#pragma once
#include <objidl.h>
#include <windows.h>

namespace Private {

class MemoryStream final : public IStream {
 public:
  // A stream over [begin, end), positioned at `begin`, with one reference.
  // The bytes are not owned and must outlive every reference.
  MemoryStream(const BYTE* begin, const BYTE* end);
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  // IStream, ISequentialStream and IUnknown give this object (one AddRef);
  // anything else E_NOINTERFACE and null; a null `object` E_POINTER.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  // Interlocked count changes; the last Release deletes the object.
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Copies up to `count` bytes; S_OK when any were copied, S_FALSE at the end
  // (also for a zero count). `done`, when given, receives the number copied.
  // A null `buffer` with bytes to copy gives STG_E_INVALIDPOINTER, nothing
  // read.
  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* done) override;
  // Read-only: STG_E_ACCESSDENIED.
  HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* done) override;
  // Moves within [0, size] from the start, the position or the end; a move
  // out of range gives STG_E_INVALIDPOINTER and leaves the position, an
  // unknown origin E_INVALIDARG. `position`, when given, gets the new one.
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                 ULARGE_INTEGER* position) override;
  // STG_E_ACCESSDENIED.
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
  // E_NOTIMPL.
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override;
  // E_NOTIMPL.
  HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
  // STG_E_ACCESSDENIED.
  HRESULT STDMETHODCALLTYPE Revert() override;
  // E_NOTIMPL.
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                       DWORD type) override;
  // E_NOTIMPL.
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                         DWORD type) override;
  // Type 3 (lock bytes), the size, mode 0x20, no locks, null class, state 0;
  // time stamps untouched. Unless STATFLAG_NONAME is given the name is an
  // empty string from CoTaskMemAlloc, which the caller frees (CoTaskMemFree):
  // the stream has no name of its own. STG_E_INVALIDPOINTER for a null
  // `stat`; STG_E_INSUFFICIENTMEMORY, `stat` untouched, when the name cannot
  // be allocated.
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
  // A new stream over the same bytes at position 0 with one reference;
  // E_OUTOFMEMORY and null when it cannot be allocated, STG_E_INVALIDPOINTER
  // for a null `clone`.
  HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override;

 private:
  // Only Release deletes.
  ~MemoryStream() = default;

  // Stream size in bytes.
  ULONGLONG Size() const { return static_cast<ULONGLONG>(m_pEnd - m_pBegin); }
  // Moves to `offset` from the start when it lies within [0, size].
  HRESULT MoveTo(LONGLONG offset);

  const BYTE* m_pBegin;
  const BYTE* m_pEnd;
  const BYTE* m_pCurrent;
  volatile LONG m_cRef;
};

}  // namespace Private

// Opens the RT_RCDATA resource `id` of `module` (null: the program's
// executable) as a new stream with one reference at position 0. E_FAIL, with
// `stream` untouched, when the resource is missing. If the stream object
// cannot be allocated the result is still S_OK with `stream` null; decoding a
// null stream then fails quietly.
HRESULT CreateResourceStream(WORD id, HMODULE module, IStream*& stream);
