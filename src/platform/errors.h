// Typed errors raised by the pure libraries.
#pragma once

#include <cmath>
#include <stdexcept>
#include <string>

namespace torvane {

// An input lay outside its allowable range. The range message has already been shown to the
// user; the caller stops without a second message.
class InputOutOfRange : public std::runtime_error {
 public:
  static constexpr int kErrorNumber = 4443;
  explicit InputOutOfRange(const std::string& message) : std::runtime_error(message) {}
  int number() const { return kErrorNumber; }
};

// An arithmetic fault inside a calculation (division by zero, logarithm or root of a
// non-positive number, overflow). Nothing of the calculation is shown or stored.
class CalculationError : public std::runtime_error {
 public:
  explicit CalculationError(const std::string& what) : std::runtime_error(what) {}
};

// A file could not be read or written.
class FileError : public std::runtime_error {
 public:
  FileError(std::string path, std::string reason);
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// Raise CalculationError for a step whose result is not a finite number, and for a quotient
// that is not one: "division by zero" when the divisor is zero. Kept out of line: the checks
// below are on every hot path and must cost no more than a comparison there.
[[noreturn]] void ThrowArithmeticFault(const char* step);
[[noreturn]] void ThrowDivisionFault(double divisor, const char* step);

// Checks the result of one arithmetic step; a NaN or infinity raises CalculationError naming
// the step.
inline double Checked(double value, const char* step) {
  if (!std::isfinite(value)) [[unlikely]] {
    ThrowArithmeticFault(step);
  }
  return value;
}

// a / b, raising CalculationError when b is zero or the quotient is not finite. (A zero divisor
// never gives a finite quotient, so one test finds both.)
inline double CheckedDiv(double a, double b, const char* step) {
  const double quotient = a / b;
  if (!std::isfinite(quotient)) [[unlikely]] {
    ThrowDivisionFault(b, step);
  }
  return quotient;
}

}  // namespace torvane
