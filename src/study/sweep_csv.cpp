#include "study/sweep_csv.h"

#include <charconv>

namespace torvane {

std::string SweepCsvHeader(std::span<const SweepRange> ranges, bool with_methods,
                           bool with_dynamics) {
  std::string header;
  for (const SweepRange& r : ranges) {
    header += VariableName(r.variable);
    header += ',';
  }
  header += "mass_flow,std_flow,inlet_flow,exhaust_flow,";
  if (with_methods) header += "martin,vermes,tooth_by_tooth,";
  if (with_dynamics) {
    for (const char* column : kSweepDynamicsColumns) {
      header += column;
      header += ',';
    }
  }
  header += "status,message,warnings\n";
  return header;
}

void AppendShortest(double value, std::string& out) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
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
