// Standard outputs a program cannot write to, as users' machines give them: a pipe whose reader
// has gone, a full device (a device node of the test's own, made like /dev/full) and a file that
// refuses every write (a sealed memory file: permission denied). The program runs as a child
// process with its standard output on such a target and its standard error collected.
#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

namespace torvane::testing {

struct ChildRun {
  // The exit code, or 128 + the signal that ended the child, as a shell reports it.
  int status = -1;
  std::string err;  // everything written to standard error
};

// Runs program with args, its standard output on out_fd (and standard input on in_fd when it is
// not -1). With ignore_sigpipe the child starts with SIGPIPE ignored, as under some services and
// language runtimes; otherwise with the default action, as under a shell.
inline ChildRun RunWithStandardOutput(const std::string& program,
                                      const std::vector<std::string>& args, int out_fd,
                                      bool ignore_sigpipe = false, int in_fd = -1) {
  std::vector<std::string> words = args;
  words.insert(words.begin(), program);
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  int err_pipe[2];
  if (::pipe(err_pipe) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGPIPE, ignore_sigpipe ? SIG_IGN : SIG_DFL);
    if (in_fd >= 0 && ::dup2(in_fd, STDIN_FILENO) < 0) ::_exit(126);
    if (::dup2(out_fd, STDOUT_FILENO) < 0 || ::dup2(err_pipe[1], STDERR_FILENO) < 0) ::_exit(126);
    ::close(err_pipe[0]);
    ::close(err_pipe[1]);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(err_pipe[1]);
  ChildRun run;
  char buf[512];
  for (ssize_t n; (n = ::read(err_pipe[0], buf, sizeof buf)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    run.err.append(buf, static_cast<size_t>(n));
  }
  ::close(err_pipe[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return run;
  }
  run.status = WIFEXITED(status)     ? WEXITSTATUS(status)
               : WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                     : -1;
  return run;
}

// A pipe whose reading end is closed: every write to the returned descriptor fails with EPIPE.
inline int ClosedPipe() {
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  ::close(ends[0]);
  return ends[1];
}

// A file every write to which fails with EPERM ("permission denied"): a memory file sealed
// against writing.
inline int SealedFile() {
  const int fd = ::memfd_create("sealed", MFD_ALLOW_SEALING | MFD_CLOEXEC);
  if (fd < 0) return -1;
  if (::fcntl(fd, F_ADD_SEALS, F_SEAL_WRITE) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// A full device of the test's own in folder: a character device node made like /dev/full
// (major 1, minor 7), opened for writing. Gives -1 and the reason when the node cannot be made
// or opened (not root, or a folder on a file system mounted without devices).
inline int FullDeviceNode(const std::string& folder, std::string& reason) {
  const std::string path = folder + "/full";
  ::unlink(path.c_str());
  if (::mknod(path.c_str(), S_IFCHR | 0600, ::makedev(1, 7)) != 0) {
    reason = "a device node cannot be made here: " + std::string(std::strerror(errno));
    return -1;
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) reason = "the device node cannot be opened: " + std::string(std::strerror(errno));
  ::unlink(path.c_str());
  return fd;
}

}  // namespace torvane::testing
