// Standard output as the programs write their answers to it: every write checked, interrupted
// and partial writes carried on, and the first failure kept with its errno, so that a program
// can say why an answer was lost (a full disk, permission denied) or end quietly when the
// reader has gone (a closed pipe).
#pragma once

#include <array>
#include <iosfwd>
#include <streambuf>
#include <string_view>

namespace torvane {

// The conventional exit status of a program ended by a closed pipe (128 + SIGPIPE), as a shell
// reports a program the signal ended.
inline constexpr int kExitBrokenPipe = 141;

// Writes all of text to the file descriptor; 0 when everything was written, else the errno of
// the write that failed.
int WriteAll(int fd, std::string_view text);

// A buffered output to a file descriptor. After the first failed write nothing more is written
// and the stream it serves goes bad; error() tells why.
class DescriptorOutputBuffer : public std::streambuf {
 public:
  explicit DescriptorOutputBuffer(int fd);
  DescriptorOutputBuffer(const DescriptorOutputBuffer&) = delete;
  DescriptorOutputBuffer& operator=(const DescriptorOutputBuffer&) = delete;

  // The errno of the first write that failed; 0 while every write has succeeded.
  int error() const { return error_; }
  int fd() const { return fd_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;

 private:
  bool Drain();

  int fd_;
  int error_ = 0;
  std::array<char, 1 << 16> buffer_{};
};

// The errno an output stream's failure came from when it writes through a
// DescriptorOutputBuffer; fallback for any other stream.
int OutputError(const std::ostream& out, int fallback);

// The file descriptor an output stream writes to through a DescriptorOutputBuffer; -1 for any
// other stream.
int OutputDescriptor(const std::ostream& out);

}  // namespace torvane
