// A stream that stands in for the one an image holder (ResourceImage or
// CImageButton) keeps, forwarding reads to the real stream, and records at
// its last release whether the holder had already let go of its bitmap and
// had not yet opened a new stream: the release order the holders promise.
#pragma once
#include <objidl.h>
#include <windows.h>

#include "support/image_button_access.h"

template <class Holder>
class WatchingStream : public IStream {
 public:
  WatchingStream(IStream* inner, const Holder* holder) : m_inner(inner), m_holder(holder) {}

  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_count; }
  ULONG STDMETHODCALLTYPE Release() override {
    if (--m_count == 0) {
      m_released = true;
      m_bitmapGoneFirst = HeldBitmap(*m_holder) == nullptr;
      m_nothingNewYet = HeldStream(*m_holder) == this || HeldStream(*m_holder) == nullptr;
    }
    return m_count;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return m_inner->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE Read(void* b, ULONG n, ULONG* r) override {
    return m_inner->Read(b, n, r);
  }
  HRESULT STDMETHODCALLTYPE Write(const void* b, ULONG n, ULONG* w) override {
    return m_inner->Write(b, n, w);
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER m, DWORD o, ULARGE_INTEGER* p) override {
    return m_inner->Seek(m, o, p);
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                   ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* s, DWORD f) override { return m_inner->Stat(s, f); }
  HRESULT STDMETHODCALLTYPE Clone(IStream** c) override { return m_inner->Clone(c); }

  ULONG m_count = 1;  // the holder's reference
  bool m_released = false;
  bool m_bitmapGoneFirst = false;
  bool m_nothingNewYet = false;

 private:
  IStream* m_inner;
  const Holder* m_holder;
};
