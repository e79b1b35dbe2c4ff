#include "platform/errors.h"

#include <cmath>

namespace torvane {

FileError::FileError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

double Checked(double value, const char* step) {
  if (!std::isfinite(value)) {
    throw CalculationError(std::string("arithmetic fault in ") + step);
  }
  return value;
}

double CheckedDiv(double a, double b, const char* step) {
  if (b == 0.0) {
    throw CalculationError(std::string("division by zero in ") + step);
  }
  return Checked(a / b, step);
}

}  // namespace torvane
