#include "platform/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <ostream>

namespace torvane {

int WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // A write that takes nothing of a non-empty text would repeat forever.
    if (n == 0) return EIO;
    text.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

DescriptorOutputBuffer::DescriptorOutputBuffer(int fd) : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool DescriptorOutputBuffer::Drain() {
  if (error_ != 0) return false;
  const std::string_view pending(pbase(), static_cast<size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  error_ = WriteAll(fd_, pending);
  return error_ == 0;
}

DescriptorOutputBuffer::int_type DescriptorOutputBuffer::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

std::streamsize DescriptorOutputBuffer::xsputn(const char* data, std::streamsize size) {
  if (error_ != 0) return 0;
  const auto room = epptr() - pptr();
  if (size <= room) {
    traits_type::copy(pptr(), data, static_cast<size_t>(size));
    pbump(static_cast<int>(size));
    return size;
  }
  // A large piece goes out at once, after what is waiting.
  if (!Drain()) return 0;
  error_ = WriteAll(fd_, std::string_view(data, static_cast<size_t>(size)));
  return error_ == 0 ? size : 0;
}

int DescriptorOutputBuffer::sync() { return Drain() ? 0 : -1; }

int OutputError(const std::ostream& out, int fallback) {
  if (const auto* buffer = dynamic_cast<const DescriptorOutputBuffer*>(out.rdbuf())) {
    if (buffer->error() != 0) return buffer->error();
  }
  return fallback;
}

int OutputDescriptor(const std::ostream& out) {
  const auto* buffer = dynamic_cast<const DescriptorOutputBuffer*>(out.rdbuf());
  return buffer != nullptr ? buffer->fd() : -1;
}

}  // namespace torvane
