// Runs a shell command as a user would and collects what it prints, standard error included.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace torvane::testing {

struct ProcessRun {
  int code;  // the exit code, -1 when the command did not end normally
  std::string output;
};

inline ProcessRun RunCommand(const std::string& command) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  std::string out;
  char buf[512];
  while (pipe && fgets(buf, sizeof buf, pipe)) out += buf;
  const int status = pipe ? pclose(pipe) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

}  // namespace torvane::testing
