// The gamma box of the windows that work the ideal-gas methods, without a window: it starts at
// the gas's own gamma (its ideal-gas cp0/cv0 at the upstream temperature) and says so; a value
// the user sets is the given gamma until the box is set back to the gas's. Where the gas gives
// none, the box starts at 1.3, given.
#pragma once

#include <optional>
#include <string>

#include "methods/method_comparison.h"

namespace torvane {

class GammaChoice {
 public:
  // of_gas: GammaOfCase without a given gamma, for the case the window starts from.
  explicit GammaChoice(const CaseGamma& of_gas);

  // What the box shows.
  double shown() const { return given_.value_or(of_gas_.value); }
  // What the calculation takes: nothing while the box holds the gas's (each case then takes the
  // gas's at its own upstream temperature).
  const std::optional<double>& given() const { return given_; }
  GammaSource source() const { return given_ ? GammaSource::kGiven : GammaSource::kGas; }
  // "from the gas" or "given".
  std::string SourceText() const;
  // The box can be set back to the gas's: it holds a given value and the gas has one.
  bool CanUseTheGas() const { return given_.has_value() && of_gas_.ok(); }

  // The user set the box.
  void Give(double value) { given_ = value; }
  // Back to the gas's, where the gas has one.
  void UseTheGas();

 private:
  CaseGamma of_gas_;
  std::optional<double> given_;
};

}  // namespace torvane
