#include "cli/compare_command.h"

#include <algorithm>
#include <ostream>

#include "cli/case_options.h"
#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "engine/gas_engine.h"
#include "methods/comparison_table.h"
#include "methods/method_comparison.h"
#include "units/number_format.h"

namespace torvane::cli {
namespace {

void NumberOrNull(JsonWriter& j, const char* key, bool has, double value) {
  j.Key(key);
  if (has) {
    j.Number(value);
  } else {
    j.Null();
  }
}

void LegacyField(JsonWriter& j, const LegacyResult& legacy) {
  const bool ok = legacy.status == LegacyStatus::kOk;
  j.Key("legacy").BeginObject();
  j.Key("status").String(LegacyStatusKey(legacy.status));
  j.Key("messages").BeginArray();
  for (const std::string& m : legacy.messages) j.String(m);
  j.EndArray();
  j.Key("warnings").BeginArray();
  for (const std::string& w : legacy.warnings) j.String(w);
  j.EndArray();
  NumberOrNull(j, "mass_flow", ok, legacy.results.laby_flow);
  NumberOrNull(j, "std_flow", ok, legacy.results.laby_flow_std);
  NumberOrNull(j, "inlet_flow", ok, legacy.results.laby_supply_flow);
  NumberOrNull(j, "exhaust_flow", ok, legacy.results.laby_volume_flow);
  j.EndObject();
}

void MethodField(JsonWriter& j, const ComparedMethod& m) {
  const MethodResult& r = m.result;
  const bool ok = r.ok();
  j.BeginObject();
  j.Key("method").String(MethodKey(m.id));
  j.Key("status").String(ok ? "ok" : "error");
  j.Key("message").String(r.message);
  NumberOrNull(j, "mass_flow", ok, m.mass_flow);
  NumberOrNull(j, "ratio_to_legacy", ok && m.ratio_to_legacy, m.ratio_to_legacy.value_or(0));
  j.Key("choked");
  if (ok) {
    j.Bool(r.choked);
  } else {
    j.Null();
  }
  NumberOrNull(j, "critical_ratio", ok, r.critical_ratio);
  if (m.id == MethodId::kVermes) {
    NumberOrNull(j, "discharge_coefficient", ok, r.discharge_coefficient);
    NumberOrNull(j, "carry_over", ok, r.carry_over);
  }
  if (m.id == MethodId::kToothByTooth || m.id == MethodId::kRealGasToothByTooth) {
    j.Key("choked_throttle");
    if (ok) {
      j.Integer(r.choked_throttle);
    } else {
      j.Null();
    }
    j.Key("cavity_pressures").BeginArray();
    for (double p : m.cavity_pressures) j.Number(p);
    j.EndArray();
    j.Key("cavity_temperatures").BeginArray();
    for (double t : m.cavity_temperatures) j.Number(t);
    j.EndArray();
  }
  j.EndObject();
}

// The table in columns, the notes below it.
void PrintTable(std::ostream& out, const MethodComparison& c) {
  const ComparisonTable t = MakeComparisonTable(c);
  std::vector<size_t> widths(t.header.size(), 0);
  const auto measure = [&widths](const std::vector<std::string>& cells) {
    for (size_t k = 0; k < cells.size(); ++k) widths[k] = std::max(widths[k], cells[k].size());
  };
  measure(t.header);
  for (const auto& row : t.rows) measure(row);
  const auto line = [&](const std::vector<std::string>& cells) {
    std::string text;
    for (size_t k = 0; k < cells.size(); ++k) {
      text += cells[k];
      if (k + 1 < cells.size()) text += std::string(widths[k] - cells[k].size() + 2, ' ');
    }
    out << text.substr(0, text.find_last_not_of(' ') + 1) << '\n';
  };
  out << ComparisonBasisText(c) << '\n';
  line(t.header);
  for (const auto& row : t.rows) line(row);
  for (const std::string& note : t.notes) out << note << '\n';
}

}  // namespace

int Compare(const std::vector<std::string>& args, std::ostream& out, StreamMessages& messages) {
  std::set<std::string> valued = kLeakOptions;
  valued.insert(kGammaOption);
  const Options o = Options::Parse(args, valued, {"json", kRealGasOption});
  const LeakRequest request = ReadLeakRequest(o);
  const std::optional<double> gamma = GammaOption(o);
  GasEngine engine(messages);
  LoadLeakGas(o, request, engine);

  const MethodComparison c =
      CompareMethods(request.inputs, request.units, engine, gamma, o.Switch(kRealGasOption));
  // The correlation speaks as `leak` does, on standard error.
  for (const std::string& m : c.legacy.messages) messages.Show(m);

  if (!o.Switch("json")) {
    PrintTable(out, c);
    return kExitOk;
  }
  JsonWriter j;
  j.BeginObject();
  UnitsField(j, request.units);
  GammaFields(j, c.gamma);
  j.Key("real_gas").Bool(c.real_gas);
  LegacyField(j, c.legacy);
  j.Key("methods").BeginArray();
  for (const ComparedMethod& m : c.methods) MethodField(j, m);
  if (c.real_gas_tooth_by_tooth) MethodField(j, *c.real_gas_tooth_by_tooth);
  j.EndArray();
  j.EndObject();
  out << j.str() << '\n';
  return kExitOk;
}

const CliCommand kCompareCommand{
    "compare",
    "GAS [leak options] [--gamma K] [--real-gas] [--json]",
    "The correlation of leak beside the classical methods for the same case: Martin, "
    "Martin-Vermes\n"
    "and tooth by tooth, each with its leakage in the mass-flow unit, its ratio to the\n"
    "correlation and whether the seal is choked. The correlation's failure does not stop them.\n"
    "Martin-Vermes and tooth by tooth take t/c (tooth thickness over clearance) up to 7.1,\n"
    "where Vermes' quartic for the discharge coefficient turns upward; beyond, they answer\n"
    "with an error.",
    "  --gamma K                  the ratio of specific heats cp/cv of tooth by tooth\n"
    "                             (default: the gas's ideal-gas cp0/cv0 at the upstream\n"
    "                             temperature)\n"
    "  --real-gas                 Martin and Martin-Vermes with Z at the upstream state, and\n"
    "                             tooth by tooth also along the real gas's isentrope\n"
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Compare(args, io.out, io.messages);
    },
    true};

}  // namespace torvane::cli
