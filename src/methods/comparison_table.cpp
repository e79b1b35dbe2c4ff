#include "methods/comparison_table.h"

#include "units/csv_text.h"
#include "units/number_format.h"

namespace torvane {
namespace {

constexpr char kLeakageFormat[] = "#,##0.000";
constexpr char kPlainLeakageFormat[] = "0.000";
constexpr char kRatioFormat[] = "0.000";
constexpr char kCriticalRatioFormat[] = "0.0000";

std::string UnitLabel(const UnitChoice& units, Quantity q) {
  std::string label = units.Label(q);
  const auto end = label.find_last_not_of(' ');
  label.erase(end == std::string::npos ? 0 : end + 1);
  return label;
}

std::string LegacyNote(const LegacyResult& legacy) {
  std::string text;
  for (const std::string& m : legacy.messages) text += (text.empty() ? "" : "; ") + m;
  return text;
}

void CsvLine(std::string& out, const std::vector<std::string>& fields) {
  for (size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) out += ',';
    AppendCsvField(fields[k], out);
  }
  out += "\r\n";
}

std::string ChokingThrottle(const ComparedMethod& m) {
  const MethodResult& r = m.result;
  if (!r.ok() || !r.choked) return "";
  if (m.id == MethodId::kToothByTooth || m.id == MethodId::kRealGasToothByTooth) {
    return std::to_string(r.choked_throttle);
  }
  return "last";
}

// The methods of the comparison in the order of its table: the three, then tooth by tooth for
// the real gas when the comparison has it.
std::vector<ComparedMethod> ComparedMethods(const MethodComparison& c) {
  std::vector<ComparedMethod> out(c.methods.begin(), c.methods.end());
  if (c.real_gas_tooth_by_tooth) out.push_back(*c.real_gas_tooth_by_tooth);
  return out;
}

}  // namespace

ComparisonTable MakeComparisonTable(const MethodComparison& c) {
  ComparisonTable t;
  t.header = {"Method",
              "Leakage (" + UnitLabel(c.units, Quantity::kMassFlow) + ")",
              "Ratio to correlation",
              "Choked",
              "Choking throttle",
              "Critical ratio"};

  // Each row twice: as the window shows it, and with the leakage ungrouped for the clipboard.
  const auto add = [&t](std::vector<std::string> row, const std::string& plain_leakage) {
    t.rows.push_back(row);
    row[1] = plain_leakage;
    t.copy_rows.push_back(std::move(row));
  };
  const bool legacy_ok = c.legacy.status == LegacyStatus::kOk;
  const double legacy_flow = c.legacy.results.laby_flow;
  add({kLegacyMethodName, legacy_ok ? FormatNumber(legacy_flow, kLeakageFormat) : "-",
       legacy_ok ? "1.000" : "", "", "", ""},
      legacy_ok ? FormatNumber(legacy_flow, kPlainLeakageFormat) : "-");
  for (const std::string& m : c.legacy.messages) {
    t.notes.push_back(std::string(kLegacyMethodName) + ": " + m);
  }

  for (const ComparedMethod& m : ComparedMethods(c)) {
    const MethodResult& r = m.result;
    if (!r.ok()) {
      add({MethodName(m.id), "-", "", "", "", ""}, "-");
      t.notes.push_back(std::string(MethodName(m.id)) + ": " + r.message);
      continue;
    }
    add({MethodName(m.id), FormatNumber(m.mass_flow, kLeakageFormat),
         m.ratio_to_legacy ? FormatNumber(*m.ratio_to_legacy, kRatioFormat) : "",
         r.choked ? "Yes" : "No", ChokingThrottle(m),
         FormatNumber(r.critical_ratio, kCriticalRatioFormat)},
        FormatNumber(m.mass_flow, kPlainLeakageFormat));
  }
  return t;
}

std::string ComparisonTableText(const ComparisonTable& table) {
  std::string out;
  const auto line = [&out](const std::vector<std::string>& cells) {
    for (size_t k = 0; k < cells.size(); ++k) {
      if (k > 0) out += '\t';
      out += cells[k];
    }
    out += '\n';
  };
  line(table.header);
  for (const auto& row : table.copy_rows) line(row);
  return out;
}

std::string ComparisonCsv(const MethodComparison& c) {
  std::string out;
  CsvLine(out, {"Gamma (cp/cv)", c.gamma.ok() ? ShortestGeneral(c.gamma.value) : ""});
  CsvLine(out, {"Gamma from", GammaSourceKey(c.gamma.source)});
  CsvLine(out, {"Real gas", c.real_gas ? "yes" : "no"});
  CsvLine(out, {"Z upstream", ShortestGeneral(c.z_up)});
  out += "\r\n";

  CsvLine(out, {"Method", "Status", "Leakage (" + UnitLabel(c.units, Quantity::kMassFlow) + ")",
                "Ratio to correlation", "Choked", "Choking throttle", "Critical ratio", "Message"});
  const bool legacy_ok = c.legacy.status == LegacyStatus::kOk;
  CsvLine(out, {kLegacyMethodName, LegacyStatusKey(c.legacy.status),
                legacy_ok ? ShortestGeneral(c.legacy.results.laby_flow) : "", legacy_ok ? "1" : "",
                "", "", "", LegacyNote(c.legacy)});
  for (const ComparedMethod& m : ComparedMethods(c)) {
    const MethodResult& r = m.result;
    if (!r.ok()) {
      CsvLine(out, {MethodName(m.id), "error", "", "", "", "", "", r.message});
      continue;
    }
    CsvLine(out,
            {MethodName(m.id), "ok", ShortestGeneral(m.mass_flow),
             m.ratio_to_legacy ? ShortestGeneral(*m.ratio_to_legacy) : "", r.choked ? "yes" : "no",
             ChokingThrottle(m), ShortestGeneral(r.critical_ratio), ""});
  }

  const ComparedMethod& b = c.methods[2];
  if (!b.cavity_pressures.empty()) {
    out += "\r\n";
    CsvLine(out, {"Station", "Pressure (" + UnitLabel(c.units, Quantity::kPressure) + ")",
                  "Temperature (" + UnitLabel(c.units, Quantity::kTemperature) + ")"});
    for (size_t i = 0; i < b.cavity_pressures.size(); ++i) {
      CsvLine(out, {std::to_string(i), ShortestGeneral(b.cavity_pressures[i]),
                    ShortestGeneral(b.cavity_temperatures[i])});
    }
  }
  return out;
}

FileDialogRequest ComparisonCsvRequest(FileDialogRequest request) {
  request.title = "Export CSV";
  request.filter = "CSV File (*.csv)";
  request.default_suffix = "csv";
  std::string& name = request.initial_name;
  if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".pdf") == 0)
    name.resize(name.size() - 4);
  name += " - methods.csv";
  return request;
}

PressureProfile ToothByToothProfile(const MethodComparison& c) {
  PressureProfile p;
  const ComparedMethod& b = c.methods[2];
  p.pressure_unit = UnitLabel(c.units, Quantity::kPressure);
  p.downstream_pressure = c.inputs.press_down;
  if (!b.result.ok()) return p;
  p.pressures = b.cavity_pressures;
  p.choked_station = b.result.choked ? b.result.choked_throttle : 0;
  return p;
}

std::string ComparisonCaseText(const MethodComparison& c) {
  const LabyInputs& in = c.inputs;
  const std::string pressure = c.units.PressureFormat();
  return std::string(in.laby_type == 1 ? "Straight" : "Stepped") + " labyrinth, " +
         ShortestGeneral(in.tooth_no) + (in.tooth_no == 1 ? " tooth, " : " teeth, ") +
         FormatNumber(in.press_up, pressure) + " to " + FormatNumber(in.press_down, pressure) +
         " " + UnitLabel(c.units, Quantity::kPressure) + ", " +
         FormatNumber(in.temp_up, "#,##0.0") + " " + UnitLabel(c.units, Quantity::kTemperature);
}

std::string GammaText(const CaseGamma& gamma) {
  if (!gamma.ok()) return "Gamma (cp/cv) -";
  return "Gamma (cp/cv) " + FormatNumber(gamma.value, "0.000") +
         (gamma.source == GammaSource::kGas ? " from the gas" : " as given");
}

std::string ComparisonBasisText(const MethodComparison& c) {
  std::string text = GammaText(c.gamma) + ", ";
  if (!c.real_gas) return text + "ideal gas";
  return text + "real gas, Z = " + FormatNumber(c.z_up, "0.0000") + " at the upstream state";
}

}  // namespace torvane
