// The case record: the gas analysis, the unit choice, the case title and the reserved blocks.
// It is the whole content of a gas file and the first record of a settings file; its byte
// image is laid out in case_record_codec.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/fixed_text.h"
#include "document/laby_data.h"
#include "units/unit_catalogue.h"

namespace torvane {

inline constexpr int kGasSlots = 30;          // component slots per gas section
inline constexpr int kRecordGasSections = 5;  // sections in the record; 0..2 are used
inline constexpr int kGasTableSize = kGasSlots * kRecordGasSections;

// Integers that are carried from file to file; R2 alone is read, by the printed gas analysis
// page.
struct ReservedInt {
  std::int16_t r1 = 0;
  std::int16_t r2 = 0;
  std::int16_t r3 = 0;
  std::int16_t r4 = 0;
  std::array<std::int16_t, 5> r5{};
  std::int16_t r6 = 0;
  std::int16_t r7 = 0;

  bool operator==(const ReservedInt&) const = default;
};

// Double tables that are carried from file to file, bit for bit. Two-index tables are stored
// flat with the first index fastest: D1(a, b) is d1[a + 5 * b].
struct ReservedArray {
  std::array<double, 5 * 15> d1{};
  std::array<double, 6 * 15> d2{};
  std::array<double, 5 * 15> d3{};
  std::array<double, 6 * 15> d4{};
  std::array<double, 5> d5{};
  std::array<double, 5 * 15> d6{};
  std::array<double, 5 * 15> d7{};
};

struct CaseRecord {
  // Gas analysis: slot i (0..29) of section g (0..4) is element i + 30 * g.
  std::array<FixedText<4>, kGasTableSize> gas_code{};
  std::array<double, kGasTableSize> mol_fraction{};
  std::array<std::int16_t, kGasTableSize> component_id{};
  std::int16_t component_count = 0;   // slots in use, the same for all sections
  std::int16_t last_gas_section = 0;  // number of gas sections minus 1

  // Unit choice.
  std::int16_t unit_system = 0;  // 0 English, 1 SI, 2 Tech Metric, 3 Custom
  FixedText<2> unit_system_name;
  UnitIndices unit_num{};  // IVNum, PNum, TNum, ..., LnNum in catalogue order

  ReservedInt reserved_int;
  FixedText<40> case_title;
  ReservedArray reserved_array;

  static constexpr int GasIndex(int slot, int section) { return slot + kGasSlots * section; }

  FixedText<4>& GasCode(int slot, int section) { return gas_code.at(Index(slot, section)); }
  const FixedText<4>& GasCode(int slot, int section) const {
    return gas_code.at(Index(slot, section));
  }
  double& MolFraction(int slot, int section) { return mol_fraction.at(Index(slot, section)); }
  double MolFraction(int slot, int section) const { return mol_fraction.at(Index(slot, section)); }
  std::int16_t& ComponentId(int slot, int section) { return component_id.at(Index(slot, section)); }
  std::int16_t ComponentId(int slot, int section) const {
    return component_id.at(Index(slot, section));
  }
  std::int16_t& UnitNum(Quantity q) { return unit_num.at(static_cast<size_t>(q)); }
  std::int16_t UnitNum(Quantity q) const { return unit_num.at(static_cast<size_t>(q)); }

 private:
  static size_t Index(int slot, int section);
};

// Blanks the codes and zeroes the fractions and ids of sections 0, 1 and 2. Sections 3 and 4,
// ComponentCount and LastGasSection are left as they are.
void ClearGasAnalysis(CaseRecord& record);

// Every value of the record that lies outside the program's data model, as texts such as
// "ComponentCount is 31, outside 0..30". An empty list means the record can be opened.
// Reserved fields are never judged.
std::vector<std::string> RecordProblems(const CaseRecord& record);

// Every non-finite value of a labyrinth data record, as texts such as "LabyData(4) is NaN".
std::vector<std::string> LabyDataProblems(const LabyData& laby_data);

// A stored labyrinth type other than 0 (stepped) or 1 (straight), as a text such as
// "LabyData(1), the labyrinth type, is 2, not 0 or 1". The program opens such a file (its report
// prints the type with no value), so this is not among LabyDataProblems; the calculator names it
// and does not compute with it.
std::optional<std::string> LabyTypeProblem(const LabyData& laby_data);

// True for a labyrinth record that no calculation ever filled: every slot 1..14 is zero, inputs
// and results alike (a gas file read as a settings file, or a case saved before any labyrinth
// calculation). A calculated record always holds its inputs.
bool IsUncalculatedLabyData(const LabyData& laby_data);

// The text of a double as the problem lists and the inspection tool show it: "NaN",
// "Infinity", "-Infinity" or the shortest round-trip decimal.
std::string DoubleText(double value);

}  // namespace torvane
