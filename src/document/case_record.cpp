#include "document/case_record.h"

#include <cmath>
#include <stdexcept>

#include "units/number_format.h"

namespace torvane {

size_t CaseRecord::Index(int slot, int section) {
  if (slot < 0 || slot >= kGasSlots || section < 0 || section >= kRecordGasSections) {
    throw std::out_of_range("gas table element (" + std::to_string(slot) + ", " +
                            std::to_string(section) + ") does not exist");
  }
  return static_cast<size_t>(GasIndex(slot, section));
}

void ClearGasAnalysis(CaseRecord& record) {
  for (int g = 0; g < 3; ++g) {
    for (int i = 0; i < kGasSlots; ++i) {
      record.GasCode(i, g) = FixedText<4>();
      record.MolFraction(i, g) = 0;
      record.ComponentId(i, g) = 0;
    }
  }
}

std::string DoubleText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  return RoundTrip(value);
}

namespace {

void CheckRange(std::vector<std::string>& problems, const std::string& name, int value, int low,
                int high) {
  if (value < low || value > high) {
    problems.push_back(name + " is " + std::to_string(value) + ", outside " + std::to_string(low) +
                       ".." + std::to_string(high));
  }
}

}  // namespace

std::vector<std::string> RecordProblems(const CaseRecord& record) {
  std::vector<std::string> problems;
  CheckRange(problems, "ComponentCount", record.component_count, 0, kGasSlots);
  CheckRange(problems, "LastGasSection", record.last_gas_section, 0, 2);
  CheckRange(problems, "UnitSystem", record.unit_system, 0, kUnitSystemCount - 1);
  for (int q = 0; q < kQuantityCount; ++q) {
    const QuantityUnits& units = UnitCatalogue(q);
    CheckRange(problems, std::string(units.field), record.unit_num[static_cast<size_t>(q)], 0,
               static_cast<int>(units.units.size()) - 1);
  }
  for (int g = 0; g < kRecordGasSections; ++g) {
    for (int i = 0; i < kGasSlots; ++i) {
      const double f = record.MolFraction(i, g);
      if (!std::isfinite(f)) {
        problems.push_back("MolFraction(" + std::to_string(i) + ", " + std::to_string(g) + ") is " +
                           DoubleText(f));
      }
    }
  }
  return problems;
}

std::vector<std::string> LabyDataProblems(const LabyData& laby_data) {
  std::vector<std::string> problems;
  for (size_t k = 0; k < laby_data.size(); ++k) {
    if (!std::isfinite(laby_data[k])) {
      problems.push_back("LabyData(" + std::to_string(k) + ") is " + DoubleText(laby_data[k]));
    }
  }
  return problems;
}

std::optional<std::string> LabyTypeProblem(const LabyData& laby_data) {
  const double type = laby_data[kLabyType];
  if (type == 0 || type == 1) return std::nullopt;
  return "LabyData(1), the labyrinth type, is " + DoubleText(type) + ", not 0 or 1";
}

bool IsUncalculatedLabyData(const LabyData& laby_data) {
  for (size_t k = 1; k < laby_data.size(); ++k) {
    if (laby_data[k] != 0) return false;
  }
  return true;
}

}  // namespace torvane
