// Registration of files and folders under the progress window "ファイル登録中".
//
// The worker registers into a list of its own, never into the shared photo
// list, so the main window may go on painting from that list meanwhile. The
// owner hands the result to AppendPhotos once DoModal has returned.
#pragma once

#include <string>
#include <vector>

#include "easy_progress.h"
#include "photo_item.h"

extern const wchar_t kRegisteringTitle[];  // "ファイル登録中"

class MyFileOpenProgress_CL : public EasyProgress_CL {
 public:
  explicit MyFileOpenProgress_CL(const std::vector<std::wstring>& paths);
  ~MyFileOpenProgress_CL() override;

  // The photos found, in registration order; empties the object's list.
  // Only after DoModal has returned.
  PhotoList TakeFound();

 protected:
  // Registers every path, one progress step each, then closes the window.
  void ThreadMain(INT_PTR param1, INT_PTR param2) override;
  void OnThreadEnd(int cancel) override;

 private:
  std::vector<std::wstring> paths;
  PhotoList found;  // written by the worker only while it runs
};
