#include "cli/json_reader.h"

#include <cstdint>

namespace torvane::cli {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::vector<JsonMember> Object() {
    std::vector<JsonMember> members;
    SkipBlanks();
    Expect('{', "expected '{' at the start of the object");
    SkipBlanks();
    if (Peek() == '}') {
      ++pos_;
    } else {
      while (true) {
        SkipBlanks();
        if (Peek() != '"') Fail("expected a key in double quotes");
        JsonMember m;
        const size_t key_pos = pos_;
        m.key = String();
        for (const JsonMember& earlier : members) {
          if (earlier.key == m.key) Fail("the key \"" + m.key + "\" is given twice", key_pos);
        }
        SkipBlanks();
        Expect(':', "expected ':' after the key \"" + m.key + "\"");
        SkipBlanks();
        const char c = Peek();
        if (c == '"') {
          m.text = String();
        } else if (c == '-' || (c >= '0' && c <= '9')) {
          m.is_number = true;
          m.text = Number();
        } else if (AtEnd()) {
          Fail("the object ends without the value of \"" + m.key + "\"");
        } else {
          Fail("the value of \"" + m.key + "\" is neither a number nor a string");
        }
        members.push_back(std::move(m));
        SkipBlanks();
        if (Peek() == ',') {
          ++pos_;
          continue;
        }
        Expect('}', "expected ',' or '}' after a value");
        break;
      }
    }
    SkipBlanks();
    if (!AtEnd()) Fail("unexpected text after the object");
    return members;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

  [[noreturn]] void Fail(const std::string& reason) const { Fail(reason, pos_); }
  [[noreturn]] void Fail(const std::string& reason, size_t at) const {
    throw JsonSyntaxError(reason, at + 1);
  }

  void Expect(char c, const std::string& reason) {
    if (Peek() != c || AtEnd()) Fail(reason);
    ++pos_;
  }

  void SkipBlanks() {
    while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' ||
                        text_[pos_] == '\n')) {
      ++pos_;
    }
  }

  bool Digit() const { return !AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9'; }

  std::string Number() {
    const size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (Peek() == '0') {
      ++pos_;
    } else if (Digit()) {
      while (Digit()) ++pos_;
    } else {
      Fail("a number needs digits");
    }
    if (Peek() == '.') {
      ++pos_;
      if (!Digit()) Fail("a number needs digits after its decimal point");
      while (Digit()) ++pos_;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!Digit()) Fail("a number needs digits in its exponent");
      while (Digit()) ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
  }

  unsigned Hex4() {
    unsigned value = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = Peek();
      unsigned digit;
      if (c >= '0' && c <= '9') {
        digit = static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        digit = static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        digit = static_cast<unsigned>(c - 'A' + 10);
      } else {
        Fail("\\u needs four hexadecimal digits");
      }
      value = value * 16 + digit;
      ++pos_;
    }
    return value;
  }

  static void AppendUtf8(std::uint32_t cp, std::string& out) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  // The length of the well-formed UTF-8 sequence at pos_, 0 when it is not one.
  size_t Utf8Length() const {
    const auto byte = [&](size_t k) {
      return pos_ + k < text_.size() ? static_cast<unsigned char>(text_[pos_ + k]) : 0u;
    };
    const unsigned b0 = byte(0);
    const auto cont = [&](size_t k) { return (byte(k) & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF) return cont(1) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
      const unsigned b1 = byte(1);
      if (b0 == 0xE0 && b1 < 0xA0) return 0;  // overlong
      if (b0 == 0xED && b1 > 0x9F) return 0;  // surrogate
      return cont(1) && cont(2) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
      const unsigned b1 = byte(1);
      if (b0 == 0xF0 && b1 < 0x90) return 0;
      if (b0 == 0xF4 && b1 > 0x8F) return 0;
      return cont(1) && cont(2) && cont(3) ? 4 : 0;
    }
    return 0;
  }

  std::string String() {
    ++pos_;  // the opening quote
    std::string out;
    while (true) {
      if (AtEnd()) Fail("a string has no closing quote");
      const unsigned char c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (c < 0x20) Fail("a control character inside a string");
      if (c >= 0x80) {
        const size_t n = Utf8Length();
        if (n == 0) Fail("a string is not valid UTF-8");
        out.append(text_.substr(pos_, n));
        pos_ += n;
        continue;
      }
      if (c != '\\') {
        out += static_cast<char>(c);
        ++pos_;
        continue;
      }
      const size_t escape_pos = pos_;
      ++pos_;
      const char e = Peek();
      ++pos_;
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          std::uint32_t cp = Hex4();
          if (cp >= 0xDC00 && cp <= 0xDFFF) Fail("a lone low surrogate in \\u", escape_pos);
          if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (Peek() != '\\' || pos_ + 1 >= text_.size() || text_[pos_ + 1] != 'u') {
              Fail("a high surrogate without its low surrogate", escape_pos);
            }
            pos_ += 2;
            const std::uint32_t low = Hex4();
            if (low < 0xDC00 || low > 0xDFFF) {
              Fail("a high surrogate without its low surrogate", escape_pos);
            }
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(cp, out);
          break;
        }
        default:
          Fail("an unknown escape in a string", escape_pos);
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

JsonSyntaxError::JsonSyntaxError(const std::string& reason, size_t column)
    : std::runtime_error(reason + " at column " + std::to_string(column)),
      reason_(reason),
      column_(column) {}

std::vector<JsonMember> ReadFlatJsonObject(std::string_view text) { return Reader(text).Object(); }

}  // namespace torvane::cli
