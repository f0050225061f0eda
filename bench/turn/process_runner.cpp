#include "process_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>

extern char** environ;

namespace {

double Now() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

pid_t Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int fd = 0; fd <= 2; ++fd) {
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  }
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int Wait(pid_t pid, double* cpu = nullptr) {
  int status = 0;
  struct rusage usage;
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return -1;
  if (cpu) {
    *cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The fd annotation strace -y puts after a descriptor: "3</path/to/file>".
bool IsRegularFileTarget(const std::string& target) {
  if (target.empty() || target[0] != '/') return false;  // pipe:[..], socket:[..]
  return target.compare(0, 5, "/dev/") != 0;
}

}  // namespace

int RunQuietly(const std::vector<std::string>& argv) { return Wait(Spawn(argv)); }

double TimeQuietly(const std::vector<std::string>& argv, int* status, double* cpu) {
  const double start = Now();
  *status = Wait(Spawn(argv), cpu);
  return Now() - start;
}

long long BytesWrittenToFiles(const std::vector<std::string>& argv, const std::string& traceFile) {
  static const std::string strace = FindProgram("strace");
  if (strace.empty()) return -1;
  std::vector<std::string> traced = {
      strace, "-f", "-qq", "-y", "-s", "0", "-o", traceFile,
      "-e",     "trace=write,pwrite64,writev,pwritev,pwritev2,sendfile,copy_file_range,splice"};
  traced.insert(traced.end(), argv.begin(), argv.end());
  if (RunQuietly(traced) != 0) return -1;

  // Lines look like "123 pwrite64(3</w/p.jpg>, ""..., 2, 42) = 2"; a call
  // cut by another process's line ends later in "<... pwrite64 resumed>".
  std::ifstream in(traceFile);
  std::map<std::string, std::string> pending;  // pid -> target of its unfinished call
  long long total = 0;
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t space = line.find(' ');
    const std::string pid = line.substr(0, space);
    std::string target;
    const std::size_t open = line.find('<');
    const std::size_t paren = line.find('(');
    if (line.find("resumed>") != std::string::npos) {
      target = pending[pid];
      pending.erase(pid);
    } else if (open != std::string::npos && paren != std::string::npos && open > paren) {
      target = line.substr(open + 1, line.find('>', open) - open - 1);
      if (line.find("<unfinished") != std::string::npos) {
        pending[pid] = target;
        continue;
      }
    }
    const std::size_t equals = line.rfind(") = ");
    if (equals == std::string::npos || !IsRegularFileTarget(target)) continue;
    const long long n = std::atoll(line.c_str() + equals + 4);
    if (n > 0) total += n;
  }
  std::remove(traceFile.c_str());
  return total;
}

std::string FindProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : "";
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}
