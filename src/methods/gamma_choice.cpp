#include "methods/gamma_choice.h"

namespace torvane {

GammaChoice::GammaChoice(const CaseGamma& of_gas) : of_gas_(of_gas) {
  if (!of_gas_.ok()) given_ = kDefaultGamma;
}

std::string GammaChoice::SourceText() const { return given_ ? "given" : "from the gas"; }

void GammaChoice::UseTheGas() {
  if (of_gas_.ok()) given_.reset();
}

}  // namespace torvane
