#include "dpi_scale.h"

#include <cstdlib>

#include "high_dpi_helper.h"

int ScaleForDpi(int value, int dpi) {
  if (dpi <= 0) return value;
  return MulDivRound(value, dpi, kBaseDpi);
}

int PictureScalePercent(int dpi) {
  if (dpi <= 0) return kPictureScales[0];
  const int wanted = MulDivRound(dpi, 100, kBaseDpi);
  int best = kPictureScales[0];
  for (int percent : kPictureScales) {
    if (std::abs(percent - wanted) < std::abs(best - wanted)) best = percent;
  }
  return best;
}

std::wstring PictureFileForScale(const std::wstring& name, int percent) {
  if (percent == 100) return name;
  const std::wstring::size_type folderEnd = name.find_last_of(L"\\/");
  std::wstring::size_type dot = name.rfind(L'.');
  if (dot != std::wstring::npos && folderEnd != std::wstring::npos && dot < folderEnd) {
    dot = std::wstring::npos;  // a dot in a folder's name, not before an extension
  }
  const std::wstring stem = dot == std::wstring::npos ? name : name.substr(0, dot);
  const std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot);
  return stem + L"_" + std::to_wstring(percent) + extension;
}

float FontPixelsForDpi(float points, int dpi) {
  if (dpi <= 0) dpi = kBaseDpi;
  return points * static_cast<float>(dpi) / 72.0f;
}
