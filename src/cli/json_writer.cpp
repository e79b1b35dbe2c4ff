#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "units/number_format.h"

namespace torvane::cli {

void JsonWriter::Separate() {
  if (need_comma_) out_ += ',';
  need_comma_ = true;
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  out_ += '{';
  need_comma_ = false;
  return *this;
}
JsonWriter& JsonWriter::EndObject() {
  out_ += '}';
  need_comma_ = true;
  return *this;
}
JsonWriter& JsonWriter::BeginArray() {
  Separate();
  out_ += '[';
  need_comma_ = false;
  return *this;
}
JsonWriter& JsonWriter::EndArray() {
  out_ += ']';
  need_comma_ = true;
  return *this;
}
JsonWriter& JsonWriter::Key(std::string_view key) {
  Separate();
  out_ += '"';
  out_ += JsonEscape(key);
  out_ += "\":";
  need_comma_ = false;
  return *this;
}
JsonWriter& JsonWriter::Number(double value) {
  // JSON has no NaN or infinity, and a string among numbers breaks every reader.
  Separate();
  AppendJsonNumber(value, out_);
  return *this;
}
JsonWriter& JsonWriter::Integer(long long value) {
  Separate();
  out_ += std::to_string(value);
  return *this;
}
JsonWriter& JsonWriter::String(std::string_view value) {
  Separate();
  out_ += '"';
  out_ += JsonEscape(value);
  out_ += '"';
  return *this;
}
JsonWriter& JsonWriter::Bool(bool value) {
  Separate();
  out_ += value ? "true" : "false";
  return *this;
}
JsonWriter& JsonWriter::Null() {
  Separate();
  out_ += "null";
  return *this;
}

void AppendJsonNumber(double value, std::string& out) {
  // JSON has no NaN or infinity, and a string among numbers breaks every reader.
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  // A stored -0.0 keeps its sign: "-0" would read back as the integer 0 in many readers.
  if (value == 0 && std::signbit(value)) {
    out += "-0.0";
    return;
  }
  char buf[32];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

std::string JsonEscape(std::string_view text) {
  std::string out;
  AppendJsonEscaped(text, out);
  return out;
}

void AppendJsonEscaped(std::string_view text, std::string& out) {
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
}

}  // namespace torvane::cli
