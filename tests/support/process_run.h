// Runs the programs as a user would: a shell command with what it prints, or a program started
// directly (no shell) with its standard input and output on files, for timing a whole process.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace torvane::testing {

struct ProcessRun {
  int code;  // the exit code, -1 when the command did not end normally
  std::string output;
};

// Runs a shell command and collects its standard output; the command says where its standard
// error goes.
inline ProcessRun RunShell(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buf[512];
  while (pipe && fgets(buf, sizeof buf, pipe)) out += buf;
  const int status = pipe ? pclose(pipe) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// Runs a shell command and collects what it prints, standard error included.
inline ProcessRun RunCommand(const std::string& command) { return RunShell(command + " 2>&1"); }

struct ProgramRun {
  int code;          // the exit code, -1 when the program did not end normally
  long peak_rss_kB;  // the child's peak resident memory
};

// Starts program with args, standard input read from in_path (inherited when empty) and standard
// output written to out_path, and waits for it to end.
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::string& in_path, const std::string& out_path) {
  std::vector<std::string> words = args;
  words.insert(words.begin(), program);
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (!in_path.empty() && !std::freopen(in_path.c_str(), "r", stdin)) _exit(126);
    if (!std::freopen(out_path.c_str(), "w", stdout)) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pid < 0) return {-1, 0};
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return {-1, 0};
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

}  // namespace torvane::testing
