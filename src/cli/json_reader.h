// A strict reader of one flat JSON object, as the lines of a batch hold them:
// {"key": value, ...} where every value is a string or a number. Anything else (nested objects,
// arrays, true, false, null, a repeated key, text after the object) is refused with the place
// and the reason.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace torvane::cli {

struct JsonMember {
  std::string key;
  bool is_number = false;
  // A string's content (escapes resolved, UTF-8) or a number's literal text, exactly as written.
  std::string text;
};

class JsonSyntaxError : public std::runtime_error {
 public:
  // column counts bytes of the line from 1.
  JsonSyntaxError(const std::string& reason, size_t column);
  const std::string& reason() const { return reason_; }
  size_t column() const { return column_; }

 private:
  std::string reason_;
  size_t column_;
};

// The members in the order written. Blanks (space, tab, CR, LF) may surround every token.
std::vector<JsonMember> ReadFlatJsonObject(std::string_view text);

}  // namespace torvane::cli
