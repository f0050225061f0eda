#include "xmp_sidecar.h"

#include "photo_file.h"

namespace {

bool Exists(const std::wstring& path) {
  std::FILE* stream = OpenSharedForReading(path);
  if (!stream) return false;
  std::fclose(stream);
  return true;
}

// The directory part ends at the last separator of either kind; the
// extension starts at the last dot after it.
std::wstring WithoutExtension(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"/\\");
  const std::size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return path;
  return path.substr(0, dot);
}

}  // namespace

std::vector<std::wstring> FindXmpSidecars(const std::wstring& photoPath, bool withStem) {
  std::vector<std::wstring> found;
  const std::wstring stem = WithoutExtension(photoPath);
#ifdef _WIN32
  // Windows finds a name in any case: one spelling finds the file once.
  const wchar_t* const extensions[] = {L".xmp"};
#else
  const wchar_t* const extensions[] = {L".xmp", L".XMP"};
#endif
  for (const std::wstring& base : {stem, photoPath}) {
    if (!withStem && base == stem) continue;
    for (const wchar_t* extension : extensions) {
      const std::wstring candidate = base + extension;
      if (Exists(candidate)) found.push_back(candidate);
    }
  }
  return found;
}

HRESULT TurnXmpSidecar(const std::wstring& path, std::uint16_t newValue, XmpOrientationForm_EN* form,
                       unsigned* written) {
  *form = kXmpNoOrientation;
  XmpOrientation xmp;
  {
    std::FILE* stream = OpenSharedForReading(path);
    if (!stream) return E_FAIL;
    FileSource_CL source(stream, true);
    xmp = FindXmpOrientationAt(source, 0, source.Size());
  }
  *form = xmp.form;
  if (xmp.form != kXmpDigit || xmp.value == newValue) return S_OK;
  if (IsWriteProtected(path)) return E_FAIL;
  ExclusiveFile_CL file;
  HRESULT hr = file.Open(path);
  if (FAILED(hr)) return hr;
  // Changed since it was read: left as it now is.
  hr = CheckXmpDigits(file, xmp);
  if (FAILED(hr)) return hr;
  return WriteXmpDigits(file, xmp, newValue, written);
}
