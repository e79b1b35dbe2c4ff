#include "platform/errors.h"

namespace torvane {

FileError::FileError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

void ThrowArithmeticFault(const char* step) {
  throw CalculationError(std::string("arithmetic fault in ") + step);
}

void ThrowDivisionFault(double divisor, const char* step) {
  if (divisor == 0.0) throw CalculationError(std::string("division by zero in ") + step);
  ThrowArithmeticFault(step);
}

}  // namespace torvane
