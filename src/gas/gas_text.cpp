#include "gas/gas_text.h"

#include <charconv>

#include "document/ansi_text.h"
#include "units/number_format.h"

namespace torvane {

std::optional<double> LeadingNumber(std::string_view text) { return ParseLeadingNumber(text); }

std::optional<int> ParseCount(std::string_view text) {
  const std::string t = TrimBlanks(text);
  if (t.empty() || t.size() > 6) return std::nullopt;
  int value = 0;
  const char* first = t.data();
  if (*first == '+') ++first;
  const char* last = t.data() + t.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

std::string TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string();
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string UpperCaseAnsi(std::string_view ansi) {
  std::string out(ansi);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') {
      c = static_cast<char>(u - 32);
    } else if (u >= 0xE0 && u <= 0xFE && u != 0xF7) {
      c = static_cast<char>(u - 32);  // à..þ to À..Þ, leaving the division sign
    } else if (u == 0x9A || u == 0x9C || u == 0x9E) {
      c = static_cast<char>(u - 16);  // š, œ, ž to Š, Œ, Ž
    } else if (u == 0xFF) {
      c = static_cast<char>(0x9F);  // ÿ to Ÿ
    }
  }
  return out;
}

std::string UpperCaseUtf8(std::string_view utf8) {
  const std::string ansi = Utf8ToAnsi(utf8);
  if (AnsiToUtf8(ansi) == utf8) return AnsiToUtf8(UpperCaseAnsi(ansi));
  std::string out(utf8);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return out;
}

}  // namespace torvane
