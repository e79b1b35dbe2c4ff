#include "cli/sweep_command.h"

#include <optional>
#include <ostream>
#include <set>

#include "cli/answer_stream.h"
#include "cli/case_options.h"
#include "cli/cli_command.h"
#include "cli/dynamics_options.h"
#include "cli/json_writer.h"
#include "engine/gas_engine.h"
#include "methods/method_comparison.h"
#include "study/sweep.h"
#include "study/sweep_csv.h"
#include "units/number_format.h"

namespace torvane::cli {
namespace {

// Takes the --vary options out of the arguments: they are the only options given more than
// once.
std::vector<std::string> TakeVaryOptions(std::vector<std::string>& args) {
  std::vector<std::string> vary;
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--vary") {
      if (i + 1 >= args.size()) throw CliFailure{kExitUsage, "option --vary needs a value"};
      vary.push_back(args[++i]);
    } else if (arg.rfind("--vary=", 0) == 0) {
      vary.push_back(arg.substr(7));
    } else {
      rest.push_back(arg);
    }
  }
  args = std::move(rest);
  return vary;
}

std::vector<SweepRange> ReadRanges(const std::vector<std::string>& vary) {
  if (vary.empty()) throw CliFailure{kExitUsage, "missing option --vary NAME=FROM:TO:COUNT"};
  if (vary.size() > 2) {
    throw CliFailure{
        kExitUsage, "--vary: a sweep varies one or two inputs, not " + std::to_string(vary.size())};
  }
  try {
    std::vector<SweepRange> ranges;
    for (const std::string& v : vary) ranges.push_back(ParseSweepRange(v));
    CheckSweepRanges(ranges);
    return ranges;
  } catch (const SweepSpecError& e) {
    throw CliFailure{kExitUsage, std::string("--vary: ") + e.what()};
  }
}

// The classical methods at every point with --methods; --real-gas and --gamma go with it or with
// --dynamics.
std::optional<SweepMethods> ReadMethods(const Options& o) {
  if (!o.Switch("methods")) {
    if (o.Switch(kRealGasOption) && !o.Has(kDynamicsSpeedOption)) {
      throw CliFailure{kExitUsage,
                       "--" + std::string(kRealGasOption) + " goes with --methods or --dynamics"};
    }
    if (o.Has(kGammaOption) && !o.Has(kDynamicsSpeedOption)) {
      throw CliFailure{kExitUsage,
                       "--" + std::string(kGammaOption) + " goes with --methods or --dynamics"};
    }
    return std::nullopt;
  }
  return SweepMethods{GammaOption(o), o.Switch(kRealGasOption)};
}

void AppendJsonPoint(const SweepPoint& p, const std::vector<SweepRange>& ranges, std::string& out) {
  out += '{';
  for (size_t k = 0; k < ranges.size(); ++k) {
    out += '"';
    out += VariableName(ranges[k].variable);
    out += "\":";
    AppendShortest(p.values[k], out);
    out += ',';
  }
  const bool ok = p.status == PointStatus::kOk;
  const std::pair<const char*, double> flows[] = {
      {"mass_flow", p.results.laby_flow},
      {"std_flow", p.results.laby_flow_std},
      {"inlet_flow", p.results.laby_supply_flow},
      {"exhaust_flow", p.results.laby_volume_flow},
  };
  for (const auto& [name, value] : flows) {
    out += '"';
    out += name;
    out += "\":";
    if (ok) {
      AppendShortest(value, out);
    } else {
      out += "null";
    }
    out += ',';
  }
  if (p.methods || p.dynamics) {
    JsonWriter j;
    j.BeginObject();
    GammaFields(j, p.gamma);
    j.EndObject();
    // The two fields without the object's braces.
    out.append(j.str(), 1, j.str().size() - 2);
    out += ',';
  }
  if (p.methods) {
    out += "\"methods\":{";
    for (size_t k = 0; k < p.methods->size(); ++k) {
      const std::optional<double>& flow = (*p.methods)[k];
      if (k > 0) out += ',';
      out += '"';
      out += MethodKey(kMethodIds[k]);
      out += "\":";
      if (flow) {
        AppendShortest(*flow, out);
      } else {
        out += "null";
      }
    }
    out += "},";
  }
  if (p.dynamics) {
    JsonWriter j;
    j.BeginObject();
    DynamicsFiguresFields(j, *p.dynamics);
    j.EndObject();
    out += "\"dynamics\":";
    out += j.str();
    out += ',';
  }
  out += "\"status\":\"";
  out += StatusName(p.status);
  out += "\",\"message\":\"";
  out += JsonEscape(p.message);
  out += "\",\"warnings\":[";
  for (size_t k = 0; k < p.warnings.size(); ++k) {
    if (k > 0) out += ',';
    out += '"';
    out += JsonEscape(p.warnings[k]);
    out += '"';
  }
  out += "]}";
}

}  // namespace

int SweepCommand(const std::vector<std::string>& arguments, std::ostream& out,
                 StreamMessages& messages) {
  std::vector<std::string> args = arguments;
  const std::vector<std::string> vary = TakeVaryOptions(args);
  std::set<std::string> valued = kLeakOptions;
  valued.insert(kGammaOption);
  valued.insert(kDynamicsSpeedOption);
  valued.insert(kDynamicsOptions.begin(), kDynamicsOptions.end());
  const std::set<std::string> switches = {"csv", "json", "methods", kRealGasOption,
                                          kJennyKankiOption};
  const Options given = Options::Parse(args, valued, switches);
  if (given.Switch("csv") && given.Switch("json")) {
    throw CliFailure{kExitUsage, "give --csv or --json, not both"};
  }
  const std::vector<SweepRange> ranges = ReadRanges(vary);
  const std::optional<SweepMethods> methods = ReadMethods(given);

  // A varied input needs no option of its own; given both ways, it is a mistake.
  for (const SweepRange& r : ranges) {
    const std::string name(VariableName(r.variable));
    if (given.Has(name)) {
      throw CliFailure{kExitUsage, "--" + name + " and --vary " + name + ": give one of them"};
    }
    args.push_back("--" + name + "=" + RoundTrip(r.from));
  }
  const Options o = Options::Parse(args, valued, switches);
  const LeakRequest request = ReadLeakRequest(o);
  std::optional<SweepDynamics> dynamics = ReadPointDynamics(o, request);
  GasEngine engine(messages);
  LoadLeakGas(o, request, engine);
  const bool with_dynamics = dynamics.has_value();
  Sweep sweep(request.units, engine, request.inputs, ranges, methods, std::move(dynamics));

  AnswerStream answer(out);
  std::string& text = answer.text();
  const size_t variables = ranges.size();
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    UnitsField(j, request.units);
    j.Key("std_flow_unit").String(StandardFlowUnit(request.units.Index(Quantity::kMassFlow)));
    j.Key("points");
    text += j.str();
    text += "[\n";
    sweep.Run(0, sweep.size(), [&](const SweepPoint& p) {
      if (p.index > 0) text += ",\n";
      AppendJsonPoint(p, ranges, text);
      answer.WriteWhenFull();
      return true;
    });
    text += "\n]}\n";
  } else {
    text += SweepCsvHeader(ranges, request.units, methods.has_value(), with_dynamics);
    sweep.Run(0, sweep.size(), [&](const SweepPoint& p) {
      AppendSweepCsvRow(p, variables, text);
      answer.WriteWhenFull();
      return true;
    });
  }
  answer.Finish();
  return kExitOk;
}

const CliCommand kSweepCommand{
    "sweep",
    "GAS [leak options] --vary NAME=FROM:TO:COUNT [--vary ...]\n"
    "[--methods] [--gamma K] [--real-gas] [--dynamics SPEED dynamics options]\n"
    "[--csv|--json]",
    "The leakage over a grid of one or two varied inputs, each point calculated as leak would\n"
    "calculate it alone. Value i of a range is FROM + ((TO - FROM) * i) / (COUNT - 1); the first\n"
    "--vary varies slowest; up to 10000000 points, written as they are calculated.",
    "  --vary NAME=FROM:TO:COUNT  an input to vary: NAME is a leak option without its dashes\n"
    "                             (diameter, clearance, pressure-up, pressure-down,\n"
    "                             temperature-up, thickness, spacing, teeth, flow-coef)\n"
    "  --methods                  also the mass flows of Martin, Martin-Vermes and tooth by\n"
    "                             tooth at every point, as compare gives them (empty or null\n"
    "                             where a method fails; the status stays the correlation's)\n"
    "  --gamma K                  with --methods or --dynamics: the ratio of specific heats\n"
    "                             cp/cv of the ideal gas (default: the gas's ideal-gas\n"
    "                             cp0/cv0 at each point's upstream temperature)\n"
    "  --real-gas                 with --methods: Martin and Martin-Vermes with Z at the\n"
    "                             upstream state; with --dynamics: the coefficients on the\n"
    "                             real gas's cavity states\n"
    "  --dynamics SPEED           also the rotordynamic coefficients at SPEED rpm at every\n"
    "                             point, as dynamics gives them: kxx, kxy, cxx, cxy,\n"
    "                             effective_damping, whirl_frequency_ratio (empty or null where\n"
    "                             they fail); with --tooth-height H and, as dynamics takes them,\n"
    "                             --teeth-on, --preswirl, --whirl-ratio, --viscosity,\n"
    "                             --viscosity-ref and --jenny-kanki\n"
    "  --csv                      answer in CSV, a row a point, the units in the header\n"
    "                             (\"clearance (in)\"; the default)\n"
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return SweepCommand(args, io.out, io.messages);
    },
    true};

}  // namespace torvane::cli
