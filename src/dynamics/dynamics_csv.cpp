#include "dynamics/dynamics_csv.h"

#include "units/csv_text.h"

namespace torvane {

std::vector<std::pair<const char*, std::optional<double>>> DynamicsScalars(const SpeedAnswer& a) {
  const bool ok = a.ok();
  const auto when_ok = [ok](double v) { return ok ? std::optional<double>(v) : std::nullopt; };
  const RotordynamicCoefficients& k = a.coefficients;
  return {{"kxx", when_ok(k.kxx)},
          {"kxy", when_ok(k.kxy)},
          {"kyx", when_ok(k.kyx)},
          {"kyy", when_ok(k.kyy)},
          {"cxx", when_ok(k.cxx)},
          {"cxy", when_ok(k.cxy)},
          {"cyx", when_ok(k.cyx)},
          {"cyy", when_ok(k.cyy)},
          {"effective_stiffness", when_ok(a.effective_stiffness)},
          {"effective_damping", ok ? a.effective_damping : std::nullopt},
          {"whirl_frequency_ratio", ok ? a.whirl_frequency_ratio : std::nullopt}};
}

std::string DynamicsCsvHeader(const UnitChoice& units) {
  const std::string stiffness = " (" + StiffnessUnit(units) + ")";
  const std::string damping = " (" + DampingUnit(units) + ")";
  std::string header = "speed (rpm),whirl_frequency (rpm),status,message";
  for (const char* k : {"kxx", "kxy", "kyx", "kyy"}) header += std::string(",") + k + stiffness;
  for (const char* c : {"cxx", "cxy", "cyx", "cyy"}) header += std::string(",") + c + damping;
  return header + ",effective_stiffness" + stiffness + ",effective_damping" + damping +
         ",whirl_frequency_ratio\n";
}

void AppendDynamicsCsvRow(const SpeedAnswer& a, std::string& out) {
  AppendShortest(a.speed, out);
  out += ',';
  AppendShortest(a.whirl_frequency, out);
  out += a.ok() ? ",ok," : ",error,";
  AppendCsvField(a.message, out);
  for (const auto& [key, value] : DynamicsScalars(a)) {
    out += ',';
    if (value) AppendShortest(*value, out);
  }
  out += '\n';
}

}  // namespace torvane
