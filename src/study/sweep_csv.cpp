#include "study/sweep_csv.h"

namespace torvane {

namespace {

std::string Trimmed(const std::string& label) {
  const auto end = label.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}

// "name (unit),".
void AppendColumn(std::string_view name, const std::string& unit, std::string& header) {
  header += name;
  if (!unit.empty()) header += " (" + unit + ")";
  header += ',';
}

}  // namespace

std::string SweepCsvHeader(std::span<const SweepRange> ranges, const UnitChoice& units,
                           bool with_methods, bool with_dynamics) {
  std::string header;
  for (const SweepRange& r : ranges) {
    const auto quantity = VariableQuantity(r.variable);
    AppendColumn(VariableName(r.variable), quantity ? Trimmed(units.Label(*quantity)) : "", header);
  }
  const std::string mass = Trimmed(units.Label(Quantity::kMassFlow));
  const std::string volume = Trimmed(units.Label(Quantity::kVolumeFlow));
  AppendColumn("mass_flow", mass, header);
  AppendColumn("std_flow", StandardFlowUnit(units.Index(Quantity::kMassFlow)), header);
  AppendColumn("inlet_flow", volume, header);
  AppendColumn("exhaust_flow", volume, header);
  if (with_methods || with_dynamics) header += "gamma,gamma_source,";
  if (with_methods) {
    for (const char* method : {"martin", "vermes", "tooth_by_tooth"}) {
      AppendColumn(method, mass, header);
    }
  }
  if (with_dynamics) {
    const std::string stiffness = StiffnessUnit(units);
    const std::string damping = DampingUnit(units);
    const std::string units_of[] = {stiffness, stiffness, damping, damping, damping, ""};
    for (size_t k = 0; k < kSweepDynamicsColumns.size(); ++k) {
      AppendColumn(kSweepDynamicsColumns[k], units_of[k], header);
    }
  }
  header += "status,message,warnings\n";
  return header;
}

std::array<std::optional<double>, 6> SweepDynamicsFigures(const SpeedAnswer& a) {
  if (!a.ok()) return {};
  const RotordynamicCoefficients& k = a.coefficients;
  return {k.kxx, k.kxy, k.cxx, k.cxy, a.effective_damping, a.whirl_frequency_ratio};
}

std::string JoinedWarnings(const SweepPoint& point) {
  std::string joined;
  for (const std::string& w : point.warnings) {
    if (!joined.empty()) joined += kWarningSeparator;
    joined += w;
  }
  return joined;
}

void AppendSweepCsvRow(const SweepPoint& point, size_t variable_count, std::string& out) {
  for (size_t k = 0; k < variable_count; ++k) {
    AppendShortest(point.values[k], out);
    out += ',';
  }
  if (point.status == PointStatus::kOk) {
    const LabyResults& r = point.results;
    for (double v : {r.laby_flow, r.laby_flow_std, r.laby_supply_flow, r.laby_volume_flow}) {
      AppendShortest(v, out);
      out += ',';
    }
  } else {
    out += ",,,,";
  }
  if (point.methods || point.dynamics) {
    if (point.gamma && point.gamma->ok()) AppendShortest(point.gamma->value, out);
    out += ',';
    if (point.gamma) out += GammaSourceKey(point.gamma->source);
    out += ',';
  }
  if (point.methods) {
    for (const std::optional<double>& flow : *point.methods) {
      if (flow) AppendShortest(*flow, out);
      out += ',';
    }
  }
  if (point.dynamics) {
    for (const std::optional<double>& v : SweepDynamicsFigures(*point.dynamics)) {
      if (v) AppendShortest(*v, out);
      out += ',';
    }
  }
  out += StatusName(point.status);
  out += ',';
  AppendCsvField(point.message, out);
  out += ',';
  if (point.warnings.size() == 1) {
    AppendCsvField(point.warnings.front(), out);
  } else if (!point.warnings.empty()) {
    AppendCsvField(JoinedWarnings(point), out);
  }
  out += '\n';
}

}  // namespace torvane
