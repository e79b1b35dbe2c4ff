// A gas of the Python module: its component slots from a gas list, from codes with fractions, or
// from a gas section of a gas or settings file, characterised as the calculator characterises
// the gas of --gas and --case.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/gas_engine.h"
#include "engine/gas_mixture.h"

namespace torvane::python {

// A gas that cannot be used: a list that cannot be read, a code not in the library, fractions
// that are not numbers, a gas the characterisation refuses. The message is the program's.
class GasError : public std::runtime_error {
 public:
  explicit GasError(const std::string& message) : std::runtime_error(message) {}
};

class ModuleGas {
 public:
  // "CH4:0.9,C2H6:0.1" as --gas takes it.
  static ModuleGas FromList(const std::string& gas_list);
  // Codes (exactly as spelled in the library) with their mole fractions, used as given.
  static ModuleGas FromComponents(std::vector<std::pair<std::string, double>> components);
  // Gas section `section` of a gas or settings file (".trv"). A file that cannot be read raises
  // FileError; a section the file does not have, std::invalid_argument.
  static ModuleGas FromFile(const std::string& path, int section);

  const GasMixture& mixture() const { return mixture_; }
  const std::vector<GasComponentSlot>& slots() const { return slots_; }
  const std::vector<std::pair<std::string, double>>& components() const { return components_; }

  // Characterises the gas into section 0 of engine and makes it current.
  void LoadInto(GasEngine& engine) const;

 private:
  std::vector<std::pair<std::string, double>> components_;
  std::vector<GasComponentSlot> slots_;
  GasMixture mixture_;
};

}  // namespace torvane::python
