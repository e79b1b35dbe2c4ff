// A small writer of JSON text, enough for the calculator's answers.
#pragma once

#include <string>
#include <string_view>

namespace torvane::cli {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  // The shortest text that reads back to the same double ("-0.0" for a negative zero); NaN and
  // infinities as null.
  JsonWriter& Number(double value);
  JsonWriter& Integer(long long value);
  JsonWriter& String(std::string_view value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  const std::string& str() const { return out_; }

 private:
  void Separate();
  std::string out_;
  bool need_comma_ = false;
};

// Appends value as Number writes it: null for NaN or infinity, -0.0 with its sign, else the
// shortest text that reads back to the same double.
void AppendJsonNumber(double value, std::string& out);

std::string JsonEscape(std::string_view text);
// The same appended to out.
void AppendJsonEscaped(std::string_view text, std::string& out);

}  // namespace torvane::cli
