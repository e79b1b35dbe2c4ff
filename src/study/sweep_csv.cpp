#include "study/sweep_csv.h"

#include <charconv>

namespace torvane {

std::string SweepCsvHeader(std::span<const SweepRange> ranges) {
  std::string header;
  for (const SweepRange& r : ranges) {
    header += VariableName(r.variable);
    header += ',';
  }
  header += "mass_flow,std_flow,inlet_flow,exhaust_flow,status,message,warnings\n";
  return header;
}

void AppendShortest(double value, std::string& out) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

void AppendCsvField(std::string_view text, std::string& out) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
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
  out += StatusName(point.status);
  out += ',';
  AppendCsvField(point.message, out);
  out += ',';
  if (point.warnings.size() == 1) {
    AppendCsvField(point.warnings.front(), out);
  } else if (!point.warnings.empty()) {
    std::string joined;
    for (const std::string& w : point.warnings) {
      if (!joined.empty()) joined += kWarningSeparator;
      joined += w;
    }
    AppendCsvField(joined, out);
  }
  out += '\n';
}

}  // namespace torvane
