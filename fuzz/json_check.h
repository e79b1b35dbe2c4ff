// A strict check of JSON text for the fuzz targets: one value (RFC 8259) with blanks around it,
// strings of well-formed UTF-8 without raw control characters, escapes as the grammar has them
// (a \u escape of a surrogate only as a high-low pair), numbers as the grammar spells them.
#pragma once

#include <cstddef>
#include <string_view>

namespace torvane_fuzz {

class JsonCheck {
 public:
  explicit JsonCheck(std::string_view text) : text_(text) {}

  bool Whole() {
    Blanks();
    if (!Value(0)) return false;
    Blanks();
    return pos_ == text_.size();
  }

 private:
  static constexpr int kMaxDepth = 64;

  int Peek() const { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1; }
  bool Take(char c) {
    if (Peek() != static_cast<unsigned char>(c)) return false;
    ++pos_;
    return true;
  }
  void Blanks() {
    while (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r') ++pos_;
  }
  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  bool Value(int depth) {
    if (depth >= kMaxDepth) return false;
    switch (Peek()) {
      case '{':
        return Object(depth);
      case '[':
        return Array(depth);
      case '"':
        return String();
      case 't':
        return Word("true");
      case 'f':
        return Word("false");
      case 'n':
        return Word("null");
      default:
        return Number();
    }
  }

  bool Object(int depth) {
    Take('{');
    Blanks();
    if (Take('}')) return true;
    while (true) {
      Blanks();
      if (!String()) return false;
      Blanks();
      if (!Take(':')) return false;
      Blanks();
      if (!Value(depth + 1)) return false;
      Blanks();
      if (Take('}')) return true;
      if (!Take(',')) return false;
    }
  }

  bool Array(int depth) {
    Take('[');
    Blanks();
    if (Take(']')) return true;
    while (true) {
      Blanks();
      if (!Value(depth + 1)) return false;
      Blanks();
      if (Take(']')) return true;
      if (!Take(',')) return false;
    }
  }

  bool Digits() {
    const size_t start = pos_;
    while (Peek() >= '0' && Peek() <= '9') ++pos_;
    return pos_ > start;
  }

  bool Number() {
    Take('-');
    if (Take('0')) {
      if (Peek() >= '0' && Peek() <= '9') return false;
    } else if (!Digits()) {
      return false;
    }
    if (Take('.') && !Digits()) return false;
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return true;
  }

  int Hex4() {
    int value = 0;
    for (int k = 0; k < 4; ++k) {
      const int c = Peek();
      int digit;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
      } else if (c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
      } else {
        return -1;
      }
      value = value * 16 + digit;
      ++pos_;
    }
    return value;
  }

  // One well-formed UTF-8 sequence of two to four bytes.
  bool Utf8() {
    const int b0 = Peek();
    int length, low = 0x80, high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3;
      if (b0 == 0xE0) low = 0xA0;
      if (b0 == 0xED) high = 0x9F;  // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4;
      if (b0 == 0xF0) low = 0x90;
      if (b0 == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    ++pos_;
    for (int k = 1; k < length; ++k) {
      const int b = Peek();
      if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF)) return false;
      ++pos_;
    }
    return true;
  }

  bool String() {
    if (!Take('"')) return false;
    while (true) {
      const int c = Peek();
      if (c < 0x20) return false;  // the end of the text or a raw control character
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c == '\\') {
        ++pos_;
        const int e = Peek();
        ++pos_;
        switch (e) {
          case '"':
          case '\\':
          case '/':
          case 'b':
          case 'f':
          case 'n':
          case 'r':
          case 't':
            break;
          case 'u': {
            const int unit = Hex4();
            if (unit < 0) return false;
            if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
              if (!Take('\\') || !Take('u')) return false;
              const int low = Hex4();
              if (low < 0xDC00 || low > 0xDFFF) return false;
            }
            break;
          }
          default:
            return false;
        }
      } else if (c < 0x80) {
        ++pos_;
      } else if (!Utf8()) {
        return false;
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
};

// True when text is one JSON value, blanks around it allowed.
inline bool IsJson(std::string_view text) { return JsonCheck(text).Whole(); }

}  // namespace torvane_fuzz
