// Whether a photo's file still opens as a picture, checked at every paint of
// its cell without decoding it.
#pragma once

#include <string>

// The picture's width as its file declares it; 0 when the file is missing,
// unreadable or no picture. A JPEG's frame header answers; only a file that
// is no JPEG is handed to GDI+.
int PictureWidth(const std::wstring& path);
