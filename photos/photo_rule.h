// Which files are photos: names ending in ".jpg" or ".jpeg", or in the
// extension of a TIFF, a raw file built on TIFF, a CR3 or a PNG, ASCII letters
// in any case. The extension runs from the last dot to the end.
#pragma once

#include <string>

// The extension of a file name, dot included; empty when the name has no dot.
std::wstring FileNameExtension(const std::wstring& name);

bool IsPhotoFileName(const std::wstring& name);
// A JPEG by its name (".jpg", ".jpeg").
bool IsJpegFileName(const std::wstring& name);

// Whether two names are the same but for the case of ASCII letters.
bool SameNameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b);

// A camera's raw file (DNG, CR2, NEF, ..., CR3): the twin of a JPEG of the
// same name, turned with it.
bool IsRawFileName(const std::wstring& name);
