// A fixed-length text field of a file record: exactly N bytes in the Windows-1252 code page,
// blank-padded on the right. The bytes are kept as they are so that a record read from a file
// is written back unchanged.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace torvane {

template <size_t N>
class FixedText {
 public:
  static constexpr size_t kLength = N;

  FixedText() { bytes_.fill(' '); }
  // The text's first N bytes, padded with blanks when it is shorter. text is in the file's
  // code page (use Utf8ToAnsi for text typed by the user).
  explicit FixedText(std::string_view text) { Assign(text); }

  void Assign(std::string_view text) {
    bytes_.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), N), bytes_.begin());
  }

  // All N bytes, trailing blanks included.
  std::string_view view() const { return std::string_view(bytes_.data(), N); }
  std::string str() const { return std::string(view()); }
  // The text without its trailing blanks.
  std::string_view Trimmed() const {
    const auto v = view();
    const auto end = v.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : v.substr(0, end + 1);
  }

  std::array<char, N>& bytes() { return bytes_; }
  const std::array<char, N>& bytes() const { return bytes_; }

  bool operator==(const FixedText&) const = default;

 private:
  std::array<char, N> bytes_;
};

}  // namespace torvane
