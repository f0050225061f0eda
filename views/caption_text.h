// The caption under a thumbnail: the photo's file name, shortened in the
// middle when it is wider than the cell.
#pragma once

#include <functional>
#include <string>

// The part of path after its last "\"; the whole path when it has none.
std::wstring CaptionText(const std::wstring& path);

// The ellipsis that replaces the middle of a shortened caption.
extern const wchar_t kCaptionEllipsis[];

// text itself when width(text) <= maxWidth; otherwise the longest text made
// of its start, the ellipsis and its end (the end keeping the extension) that
// fits, or the ellipsis alone. Surrogate pairs are never split.
std::wstring ShortenInMiddle(const std::wstring& text, double maxWidth,
                             const std::function<double(const std::wstring&)>& width);
