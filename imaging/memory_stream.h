// A read-only IStream over bytes in memory, for decoding a photo that has
// already been read from its file. Reads past the end yield nothing rather
// than whatever lies behind the buffer: JPEG decoders skip forward by lengths
// taken from the file, and a damaged file can send them beyond its end (the
// stream over a global memory block that Wine provides reads past its block
// then).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

class MemoryStream_CL : public IStream {
 public:
  typedef std::shared_ptr<const std::vector<unsigned char>> Data;

  // A new stream at position 0 with one reference, or null when there is
  // no memory for it.
  static IStream* Create(const Data& data);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // ISequentialStream
  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* done) override;
  HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG size, ULONG* done) override;
  // IStream
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER size, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override;
  HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Revert() override;
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override;
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override;
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override;

 private:
  explicit MemoryStream_CL(const Data& data) : data_(data) {}
  virtual ~MemoryStream_CL() {}

  LONG volatile refs_ = 1;
  Data data_;  // shared with clones
  ULONGLONG position_ = 0;
};
