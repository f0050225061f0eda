#include "my_file_open_progress.h"

#include <utility>

#include "find_picture.h"

const wchar_t kRegisteringTitle[] = L"ファイル登録中";

MyFileOpenProgress_CL::MyFileOpenProgress_CL(const std::vector<std::wstring>& paths)
    : EasyProgress_CL(kRegisteringTitle, false), paths(paths) {}

MyFileOpenProgress_CL::~MyFileOpenProgress_CL() { Wait(); }

PhotoList MyFileOpenProgress_CL::TakeFound() {
  Wait();
  PhotoList result;
  result.swap(found);
  return result;
}

void MyFileOpenProgress_CL::ThreadMain(INT_PTR, INT_PTR) {
  total += paths.size();
  ReportProgress();
  for (const std::wstring& path : paths) {
    AddPath(found, path);
    done += 1;
    ReportProgress();
  }
  CloseFromWorker();
}

void MyFileOpenProgress_CL::OnThreadEnd(int) {}
