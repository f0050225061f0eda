#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "utf8.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string clean;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    clean += text[i];
  }
  return clean;
}

unsigned ProcessId() {
#ifdef _WIN32
  return static_cast<unsigned>(GetCurrentProcessId());
#else
  return static_cast<unsigned>(getpid());
#endif
}

#ifdef _WIN32
// The quoting the C runtime undoes when it splits a command line.
std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') backslashes = backslashes * 2 + 1;
    quoted.append(backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  quoted += L'"';
  return quoted;
}

HANDLE InheritableFile(const fs::path& path) {
  SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
  return CreateFileW(path.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     &security, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}
#endif

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter(0);
  path_ = fs::temp_directory_path() /
          ("snapvane-cli-test-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  for (fs::recursive_directory_iterator it(path_, ignored), end; it != end; it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

std::wstring WidePath(const fs::path& path) {
#ifdef _WIN32
  return path.wstring();
#else
  return Utf8ToWide(path.string());
#endif
}

fs::path Utf8Path(const std::string& utf8) {
#ifdef _WIN32
  return fs::path(Utf8ToWide(utf8));
#else
  return fs::path(utf8);
#endif
}

void WriteFileBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

Bytes ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void SetWriteProtected(const fs::path& path, bool on) {
  // On Windows this sets or clears the read-only attribute.
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(path, on ? write : fs::perms::owner_write,
                  on ? fs::perm_options::remove : fs::perm_options::add);
}

ToolRun RunTool(const std::vector<std::wstring>& args) {
  TempFolder streams;
  const fs::path outPath = streams.Path() / "out.txt";
  const fs::path errPath = streams.Path() / "err.txt";
  ToolRun run;
#ifdef _WIN32
  std::wstring commandLine = QuoteArgument(Utf8ToWide(SNAPVANE_CLI_EXE));
  for (const std::wstring& arg : args) commandLine += L" " + QuoteArgument(arg);
  HANDLE out = InheritableFile(outPath);
  HANDLE err = InheritableFile(errPath);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process = {};
  std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
  writable.push_back(L'\0');
  const BOOL started = CreateProcessW(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(out);
  CloseHandle(err);
  EXPECT_TRUE(started) << "cannot start " << SNAPVANE_CLI_EXE;
  if (!started) return run;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.status = static_cast<int>(code);
#else
  std::vector<std::string> storage;
  storage.push_back(SNAPVANE_CLI_EXE);
  for (const std::wstring& arg : args) storage.push_back(WideToUtf8(arg));
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(&s[0]);
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  EXPECT_GT(child, 0);
  if (child <= 0 || waitpid(child, &status, 0) != child) return run;
  EXPECT_TRUE(WIFEXITED(status)) << "the tool died: " << status;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  EXPECT_NE(127, run.status) << "cannot start " << SNAPVANE_CLI_EXE;
#endif
  run.out = ReadText(outPath);
  run.err = ReadText(errPath);
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}
