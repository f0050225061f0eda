// The comma tokenizer with which saved lists (the splitter layout) are read
// back one field at a time.
#pragma once

#include <string>

// Empties `token`; returns false if `source` is empty. Otherwise skips
// characters up to code 32 at the front of `source`, moves everything up to
// the first comma into `token`, drops the comma and leaves the rest in
// `source` (all of it goes into `token` when there is no comma).
bool NextToken(std::wstring& source, std::wstring& token);
