// The built-in library of 98 pure substances a gas mixture may be made of.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace torvane {

class MessageService;

struct PureComponent {
  std::string_view code;
  int id;
  double mol_weight;  // lb/lbmol
  double crit_temp;   // degR
  double crit_press;  // psia
  double acentric;
  // Benedict-Webb-Rubin A0, B0, C0, a, b, c, alpha, gamma in psia, ft3, lbmol, degR;
  // C0 and c are stored divided by 1e6.
  std::array<double, 8> bwr;
};

inline constexpr int kMaxComponentId = 99;

// All records in id order (ids 1..99, 88 unused).
std::span<const PureComponent> ComponentLibrary();

// The record of an id, or nullptr for an id no substance has (0, 88, outside 1..99).
const PureComponent* ComponentById(int id);

// The id of a code: exact, case-sensitive, first match in id order. A code not in the library
// is reported as "Gas " + code + " is not in library" and gives nothing.
std::optional<int> LookUpComponent(std::string_view code, MessageService& messages);

// The same lookup without a message.
std::optional<int> FindComponent(std::string_view code);

}  // namespace torvane
