// Starting programs for the benchmark: timed, quiet, or under strace.
#pragma once

#include <string>
#include <vector>

// Runs argv (argv[0] a path to the program) with all three standard streams on
// /dev/null and waits. Returns the exit status, or -1 when it did not start
// or was killed.
int RunQuietly(const std::vector<std::string>& argv);

// The same, timed from just before the start to just after the end, in
// seconds. *status receives the exit status; *cpu, when given, the processor
// time the program used (user and system), which waiting for a busy
// processor does not inflate.
double TimeQuietly(const std::vector<std::string>& argv, int* status, double* cpu = nullptr);

// Bytes the program hands to write calls on regular files (its output on
// /dev/null and pipes does not count), found by tracing it with strace.
// -1 when strace is missing or the run failed.
long long BytesWrittenToFiles(const std::vector<std::string>& argv, const std::string& traceFile);

// The program's full path, looked up on PATH unless it holds a slash; empty
// when there is no such program. Timed runs start programs by full path, so
// no tool pays for a PATH search.
std::string FindProgram(const std::string& name);
