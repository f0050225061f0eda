#include "memory_stream.h"

#include <climits>
#include <cstring>
#include <new>

IStream* MemoryStream_CL::Create(const Data& data) {
  if (!data) return nullptr;
  return new (std::nothrow) MemoryStream_CL(data);
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISequentialStream) || IsEqualIID(iid, IID_IStream)) {
    *object = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE MemoryStream_CL::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG STDMETHODCALLTYPE MemoryStream_CL::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::Read(void* buffer, ULONG size, ULONG* done) {
  ULONG n = 0;
  const ULONGLONG total = data_->size();
  if (position_ < total) {
    const ULONGLONG left = total - position_;
    n = left < size ? static_cast<ULONG>(left) : size;
    if (n > 0) {
      if (!buffer) return STG_E_INVALIDPOINTER;
      std::memcpy(buffer, data_->data() + position_, n);
    }
    position_ += n;
  }
  if (done) *done = n;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::Write(const void*, ULONG, ULONG* done) {
  if (done) *done = 0;
  return STG_E_ACCESSDENIED;
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
  LONGLONG base;
  switch (origin) {
    case STREAM_SEEK_SET:
      base = 0;
      break;
    case STREAM_SEEK_CUR:
      base = static_cast<LONGLONG>(position_);
      break;
    case STREAM_SEEK_END:
      base = static_cast<LONGLONG>(data_->size());
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  // base is never negative, so only a forward move can overflow.
  if (move.QuadPart > 0 && base > LLONG_MAX - move.QuadPart) return STG_E_INVALIDFUNCTION;
  const LONGLONG target = base + move.QuadPart;
  if (target < 0) return STG_E_INVALIDFUNCTION;
  position_ = static_cast<ULONGLONG>(target);  // past the end is allowed; reads give 0 bytes
  if (position) position->QuadPart = position_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::SetSize(ULARGE_INTEGER) { return STG_E_ACCESSDENIED; }

HRESULT STDMETHODCALLTYPE MemoryStream_CL::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::Commit(DWORD) { return S_OK; }

HRESULT STDMETHODCALLTYPE MemoryStream_CL::Revert() { return S_OK; }

HRESULT STDMETHODCALLTYPE MemoryStream_CL::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::Stat(STATSTG* stat, DWORD) {
  if (!stat) return STG_E_INVALIDPOINTER;
  std::memset(stat, 0, sizeof *stat);
  stat->type = STGTY_STREAM;
  stat->cbSize.QuadPart = data_->size();
  stat->grfMode = STGM_READ | STGM_SHARE_DENY_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MemoryStream_CL::Clone(IStream** clone) {
  if (!clone) return STG_E_INVALIDPOINTER;
  MemoryStream_CL* copy = new (std::nothrow) MemoryStream_CL(data_);
  if (!copy) {
    *clone = nullptr;
    return E_OUTOFMEMORY;
  }
  copy->position_ = position_;
  *clone = copy;
  return S_OK;
}
