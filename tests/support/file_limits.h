// Files that cannot be written whole, as a user's machine meets them: a limit on the size of the
// files the process writes (an injected write failure, everywhere), and a small disk that fills
// up (a tmpfs of its own; needs the superuser).
#pragma once

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace torvane::testing {

// While it lives, a write that would make a file larger than `bytes` fails with EFBIG ("File
// too large") instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    set_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool set() const { return set_; }

 private:
  rlimit previous_{};
  sighandler_t previous_handler_ = SIG_DFL;
  bool set_ = false;
};

// A tmpfs of `kilobytes` mounted on `folder` (created if missing) in a mount namespace of the
// calling thread's own, so that nothing outside sees it. ready() is false, with the reason, where
// it cannot be had (not the superuser, no namespaces in a container).
class SmallDisk {
 public:
  SmallDisk(const std::string& folder, int kilobytes) : folder_(folder) {
    if (::geteuid() != 0) {
      reason_ = "mounting a small tmpfs needs the superuser";
      return;
    }
    std::filesystem::create_directories(folder_);
    if (::unshare(CLONE_NEWNS) != 0) {
      reason_ = std::string("no mount namespace of the test's own: ") + std::strerror(errno);
      return;
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      reason_ = std::string("mounts cannot be made private: ") + std::strerror(errno);
      return;
    }
    const std::string size = "size=" + std::to_string(kilobytes) + "k";
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, size.c_str()) != 0) {
      reason_ = std::string("no tmpfs could be mounted: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool ready() const { return mounted_; }
  const std::string& reason() const { return reason_; }
  std::string File(const std::string& name) const { return folder_ + "/" + name; }

  // Fills the disk with a file of its own until fewer than `kilobytes` are left.
  void FillLeaving(int kilobytes) const {
    const std::filesystem::space_info space = std::filesystem::space(folder_);
    const auto leave = static_cast<std::uintmax_t>(kilobytes) * 1024;
    if (space.available <= leave) return;
    std::ofstream filler(folder_ + "/filler", std::ios::binary);
    const std::string block(1024, '\0');
    for (std::uintmax_t k = 0; k < (space.available - leave) / 1024; ++k) filler << block;
  }

 private:
  std::string folder_;
  std::string reason_;
  bool mounted_ = false;
};

}  // namespace torvane::testing
