#include "units/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/errors.h"

namespace torvane {
namespace {

struct Pattern {
  int min_integer_digits = 0;
  bool grouping = false;
  bool has_point = false;
  int required_decimals = 0;  // '0' after the point
  int optional_decimals = 0;  // '#' after the point
};

Pattern ParsePattern(std::string_view pattern) {
  Pattern p;
  const auto point = pattern.find('.');
  const std::string_view integer = pattern.substr(0, point);
  for (char c : integer) {
    if (c == '0') ++p.min_integer_digits;
    if (c == ',') p.grouping = true;
  }
  if (point != std::string_view::npos) {
    p.has_point = true;
    for (char c : pattern.substr(point + 1)) {
      if (c == '0') ++p.required_decimals;
      if (c == '#') ++p.optional_decimals;
    }
  }
  return p;
}

// The exact decimal digits of the shortest round-trip text, as integer and fraction digits.
void DecimalDigits(double magnitude, std::string& integer, std::string& fraction) {
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed);
  std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
  const auto point = text.find('.');
  integer = std::string(text.substr(0, point));
  fraction = point == std::string_view::npos ? std::string() : std::string(text.substr(point + 1));
}

// Adds one unit in the last place of a digit string, carrying to the left; returns the carry.
bool Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it == '9') {
      *it = '0';
    } else {
      ++*it;
      return false;
    }
  }
  return true;
}

std::string Group(const std::string& integer) {
  std::string out;
  const int n = static_cast<int>(integer.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += integer[static_cast<size_t>(i)];
  }
  return out;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
  if (!std::isfinite(value)) throw CalculationError("a value that is not a number was to be shown");
  const Pattern p = ParsePattern(pattern);
  const int decimals = p.required_decimals + p.optional_decimals;

  std::string integer, fraction;
  DecimalDigits(std::fabs(value), integer, fraction);

  // Round half away from zero at the last kept decimal.
  if (static_cast<int>(fraction.size()) > decimals) {
    const bool up = fraction[static_cast<size_t>(decimals)] >= '5';
    fraction.resize(static_cast<size_t>(decimals));
    if (up) {
      if (Increment(fraction)) {
        if (Increment(integer)) integer.insert(integer.begin(), '1');
      }
    }
  }
  fraction.resize(static_cast<size_t>(decimals), '0');
  while (static_cast<int>(fraction.size()) > p.required_decimals && fraction.back() == '0') {
    fraction.pop_back();
  }

  // Integer digits: strip leading zeros, then pad to the pattern's required digits.
  const auto first = integer.find_first_not_of('0');
  integer = first == std::string::npos ? std::string() : integer.substr(first);
  const bool is_zero = integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
  if (static_cast<int>(integer.size()) < p.min_integer_digits) {
    integer.insert(0, static_cast<size_t>(p.min_integer_digits) - integer.size(), '0');
  }

  std::string out;
  if (value < 0 && !is_zero) out += '-';
  out += p.grouping ? Group(integer) : integer;
  if (!fraction.empty()) {
    out += '.';
    out += fraction;
  }
  return out;
}

std::string ShortestGeneral(double value, int digits) {
  if (!std::isfinite(value)) throw CalculationError("a value that is not a number was to be shown");
  if (digits < 1 || digits > 17) throw std::invalid_argument("1 to 17 significant digits");
  if (value == 0.0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(value));
  // buf: d.ddd...de[+-]xx (no point with one digit)
  const char* e = std::strchr(buf, 'e');
  std::string mantissa(1, buf[0]);
  if (digits > 1) mantissa.append(buf + 2, static_cast<size_t>(e - (buf + 2)));
  int exponent = std::atoi(e + 1);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += mantissa[0];
    if (mantissa.size() > 1) {
      out += '.';
      out += mantissa.substr(1);
    }
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + exp;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += mantissa;
    return out;
  }
  const size_t int_digits = static_cast<size_t>(exponent) + 1;
  if (mantissa.size() <= int_digits) {
    out += mantissa;
    out.append(int_digits - mantissa.size(), '0');
  } else {
    out += mantissa.substr(0, int_digits);
    out += '.';
    out += mantissa.substr(int_digits);
  }
  return out;
}

std::string RoundTrip(double value) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::optional<double> ParsePlainDecimal(std::string_view text) {
  if (text.empty()) return std::nullopt;
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  size_t i = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '-' || text[0] == '+') i = 1;
  std::int64_t digits = 0;
  int count = 0, fraction = -1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = digits * 10 + (c - '0');
      if (++count > 15) return std::nullopt;
      if (fraction >= 0) ++fraction;
    } else if (c == '.' && fraction < 0 && count > 0) {
      fraction = 0;
    } else {
      return std::nullopt;
    }
  }
  if (count == 0 || fraction == 0) return std::nullopt;
  const double value =
      static_cast<double>(digits) / kPowersOfTen[fraction < 0 ? 0 : static_cast<size_t>(fraction)];
  return negative ? -value : value;
}

std::optional<double> ParseNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  if (const auto plain = ParsePlainDecimal(text)) return plain;

  std::string clean;
  size_t i = 0;
  if (text[0] == '+' || text[0] == '-') {
    if (text[0] == '-') clean += '-';
    i = 1;
  }
  // The integer part: digits, with "," only as a thousands separator ("1,234", not "1,5").
  const size_t integer_start = i;
  while (i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == ',')) ++i;
  const std::string_view integer = text.substr(integer_start, i - integer_start);
  if (integer.find(',') != std::string_view::npos) {
    size_t group_start = 0;
    for (size_t k = 0; k <= integer.size(); ++k) {
      if (k == integer.size() || integer[k] == ',') {
        const size_t length = k - group_start;
        // Real grouping never starts with a group of 0 or one that begins with 0: "0,670" and
        // "00,670" are a decimal comma, never 670.
        if (group_start == 0 ? (length < 1 || length > 3 || integer[0] == '0') : length != 3) {
          return std::nullopt;
        }
        group_start = k + 1;
      }
    }
  }
  for (char c : integer) {
    if (c != ',') clean += c;
  }
  bool digits = !integer.empty();
  bool point = false, exponent = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      clean += c;
    } else if (c == '.' && !point && !exponent) {
      point = true;
      clean += c;
    } else if ((c == 'e' || c == 'E') && digits && !exponent) {
      exponent = true;
      clean += 'e';
      if (i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-')) clean += text[++i];
      digits = false;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  double value = 0;
  auto res = std::from_chars(clean.data(), clean.data() + clean.size(), value);
  if (res.ec != std::errc() || res.ptr != clean.data() + clean.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> ParseLeadingNumber(std::string_view text) {
  if (const auto whole = ParseNumber(text)) return whole;
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  for (size_t n = text.size(); n > 0; --n) {
    if (const auto value = ParseNumber(text.substr(0, n))) {
      const char next = text[n];
      if (next == ',' || (next >= '0' && next <= '9')) return std::nullopt;
      return value;
    }
  }
  return 0.0;
}

}  // namespace torvane
