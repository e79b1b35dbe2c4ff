// The gas of the calculator's --gas and of the Python module's gas lists as text:
// "CODE:FRACTION[,CODE:FRACTION...]", 1 to 30 library codes with their mole fractions.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace torvane {

struct GasListEntry {
  std::string code;
  double fraction;
};

// A gas list that cannot be read; the message says why ("bad gas list: ...").
class GasListError : public std::runtime_error {
 public:
  explicit GasListError(const std::string& message) : std::runtime_error(message) {}
};

// Reads a gas list (1..30 entries, fractions as a user types numbers); codes are not looked up
// here. Raises GasListError.
std::vector<GasListEntry> ReadGasList(const std::string& gas_list);

}  // namespace torvane
