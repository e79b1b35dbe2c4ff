// The number reader and the number formats: whatever the reader accepts is written with every
// format of the windows and reports, and each text reads back to the value it was written from
// (exactly for the round-trip form, within the format's rounding for the patterns). The first
// eight bytes are also taken as a double's bits, to reach values no typed text gives, and the
// rest as a pattern of its own.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/errors.h"
#include "units/number_format.h"

namespace {

// The formats of the windows and reports. A pattern that pads with zeros in front of a grouping
// comma ("00,000.0") would write "00,012.0", which no reader takes for a number: no window uses
// one.
constexpr const char* kPatterns[] = {
    "#",         "####.00",    "###0.0", "##0.00",   "#,###.0", "#,##0.", "#,##0.0", "#,##0.00",
    "#,##0.000", "#,##0.0000", "#0.000", "#0.00000", "0.",      "0.000",  "0.00000", "0.000000"};

[[noreturn]] void Fail() { std::abort(); }

int Decimals(std::string_view pattern) {
  const auto point = pattern.find('.');
  if (point == std::string_view::npos) return 0;
  int n = 0;
  for (char c : pattern.substr(point + 1)) n += c == '0' || c == '#';
  return n;
}

bool HasRequiredDigit(std::string_view pattern) {
  return pattern.find('0') != std::string_view::npos;
}

// FormatNumber's text of value reads back within half a unit of its last decimal.
void CheckPattern(double value, std::string_view pattern) {
  const std::string text = torvane::FormatNumber(value, pattern);
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || c == ',' || c == '.' || c == '-')) Fail();
  }
  if (text.empty()) {
    // Only a pattern without a required digit prints nothing, and only for a value that rounds
    // to zero.
    if (HasRequiredDigit(pattern) || std::fabs(value) >= 1) Fail();
    return;
  }
  if (text.back() == '.') Fail();
  const auto back = torvane::ParseNumber(text);
  if (!back) {
    // Past about 1.8e308 a rounded-up text no longer fits a double.
    if (std::fabs(value) < 1e308) Fail();
    return;
  }
  const int decimals = Decimals(pattern);
  const double half_unit = decimals > 300 ? 0 : 0.5 * std::pow(10.0, -decimals);
  const double tolerance = half_unit * (1 + 1e-9) + std::fabs(value) * 4e-16 + 1e-300;
  if (!(std::fabs(*back - value) <= tolerance)) Fail();
  if (value < 0 && *back > 0) Fail();
  if (value > 0 && *back < 0) Fail();
}

void CheckValue(double value) {
  if (!std::isfinite(value)) {
    // A value that is not a number never reaches the screen: every writer refuses it.
    bool refused = false;
    try {
      torvane::FormatNumber(value, "0.000");
    } catch (const torvane::CalculationError&) {
      refused = true;
    }
    if (!refused) Fail();
    return;
  }
  const std::string exact = torvane::RoundTrip(value);
  const auto back = torvane::ParseNumber(exact);
  if (!back || std::memcmp(&*back, &value, sizeof value) != 0) Fail();

  const std::string general = torvane::ShortestGeneral(value);
  const auto general_back = torvane::ParseNumber(general);
  if (!general_back) {
    // Fifteen digits of a value within a hair of the largest double round past it: the text
    // ("1.79769313486232E+308") is still right for a message, but no double holds it.
    if (std::fabs(value) < 1.797693134862315e308) Fail();
    return;
  }
  // Fifteen significant digits.
  if (!(std::fabs(*general_back - value) <= std::fabs(value) * 1e-14)) Fail();

  for (const char* pattern : kPatterns) CheckPattern(value, pattern);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto value = torvane::ParseNumber(text)) {
    if (!std::isfinite(*value)) Fail();
    CheckValue(*value);
  }
  if (size >= sizeof(double)) {
    double bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    CheckValue(bits);
    // The rest as a pattern of its own: any pattern gives digits, separators and a sign only.
    const std::string_view pattern = text.substr(sizeof(double), 64);
    if (std::isfinite(bits)) {
      const std::string out = torvane::FormatNumber(bits, pattern);
      for (char c : out) {
        if (!((c >= '0' && c <= '9') || c == ',' || c == '.' || c == '-')) Fail();
      }
    }
  }
  return 0;
}
