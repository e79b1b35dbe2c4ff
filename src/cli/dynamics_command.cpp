// torvane-cli dynamics: the rotordynamic coefficients of the labyrinth case of `leak` at one or
// more rotor speeds, with the leakage of tooth by tooth and the cavity table of every speed.
#include <cstdio>
#include <ostream>
#include <set>

#include "cli/answer_stream.h"
#include "cli/case_options.h"
#include "cli/cli_command.h"
#include "cli/dynamics_options.h"
#include "cli/json_writer.h"
#include "dynamics/dynamics_calculation.h"
#include "dynamics/dynamics_csv.h"
#include "engine/gas_engine.h"
#include "study/sweep_csv.h"
#include "units/csv_text.h"

namespace torvane::cli {
namespace {

constexpr const char kSpeedOption[] = "speed";

void NumberOrNull(JsonWriter& j, const char* key, std::optional<double> value) {
  j.Key(key);
  if (value) {
    j.Number(*value);
  } else {
    j.Null();
  }
}

void DynamicsUnitsField(JsonWriter& j, const UnitChoice& units) {
  j.Key("units").BeginObject();
  for (const auto& [key, q] :
       {std::pair{"mass_flow", Quantity::kMassFlow},
        std::pair{"volume_flow", Quantity::kVolumeFlow}, std::pair{"length", Quantity::kLength},
        std::pair{"pressure", Quantity::kPressure},
        std::pair{"temperature", Quantity::kTemperature}}) {
    j.Key(key).String(Trim(units.Label(q)));
  }
  j.Key("stiffness").String(StiffnessUnit(units));
  j.Key("damping").String(DampingUnit(units));
  j.Key("speed").String("rpm");
  j.Key("velocity").String(Trim(units.Label(Quantity::kVelocity)));
  j.Key("viscosity").String(Trim(units.Label(Quantity::kViscosity)));
  j.EndObject();
}

void InputsField(JsonWriter& j, const DynamicsCalculation& d) {
  const DynamicsOptions& o = d.options();
  j.Key("inputs").BeginObject();
  j.Key("preswirl").Number(o.preswirl);
  j.Key("whirl_ratio").Number(o.whirl_ratio);
  GammaFields(j, d.gamma());
  j.Key("real_gas").Bool(o.real_gas);
  j.Key("teeth_on");
  if (d.inputs().laby_type == 1) {
    j.String(TeethOnKey(o.teeth_on));
  } else {
    j.Null();
  }
  j.Key("viscosity_law").String(ViscosityLawKey(o.viscosity_law));
  j.Key("jenny_kanki").Bool(o.jenny_kanki);
  j.EndObject();
}

void LeakageField(JsonWriter& j, const LeakageAnswer& l) {
  j.Key("leakage").BeginObject();
  j.Key("status").String(l.ok ? "ok" : "error");
  j.Key("message").String(l.message);
  NumberOrNull(j, "mass_flow", l.ok ? std::optional<double>(l.mass_flow) : std::nullopt);
  j.Key("choked");
  if (l.ok) {
    j.Bool(l.choked);
  } else {
    j.Null();
  }
  j.EndObject();
}

std::string SpeedObject(const SpeedAnswer& a) {
  JsonWriter j;
  j.BeginObject();
  j.Key("speed").Number(a.speed);
  j.Key("whirl_frequency").Number(a.whirl_frequency);
  j.Key("status").String(a.ok() ? "ok" : "error");
  j.Key("message").String(a.message);
  for (const auto& [key, value] : DynamicsScalars(a)) NumberOrNull(j, key, value);
  j.Key("cavities").BeginArray();
  for (const CavityAnswer& c : a.cavities) {
    j.BeginObject();
    j.Key("pressure").Number(c.pressure);
    j.Key("temperature").Number(c.temperature);
    j.Key("swirl").Number(c.swirl);
    j.Key("shear_rotor").Number(c.shear_rotor);
    j.Key("shear_stator").Number(c.shear_stator);
    j.Key("viscosity").Number(c.viscosity);
    j.EndObject();
  }
  j.EndArray();
  j.EndObject();
  return j.str();
}

// Numbers of the table, as leak prints its own.
std::string Plain(std::optional<double> v) {
  if (!v) return "-";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", *v);
  return buf;
}

std::string Cell(const std::string& text, size_t width = 13) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text + ' ';
}

std::string TableHead(const DynamicsCalculation& d) {
  const UnitChoice& u = d.units();
  const LeakageAnswer& l = d.leakage();
  const DynamicsOptions& o = d.options();
  const std::optional<CaseGamma>& gamma = d.gamma();
  std::string head = "Preswirl " + Plain(o.preswirl) + ", whirl ratio " + Plain(o.whirl_ratio) +
                     (gamma ? ", gamma " + (gamma->ok() ? Plain(gamma->value) : "-") +
                                  (gamma->source == GammaSource::kGas ? " from the gas" : "")
                            : std::string(", real gas")) +
                     ", viscosity " +
                     (o.viscosity_law == ViscosityLawKind::kGas ? "from the gas"
                      : o.viscosity_law == ViscosityLawKind::kConstant
                          ? Plain(o.viscosity) + " " + Trim(u.Label(Quantity::kViscosity))
                          : "by Sutherland's law") +
                     (o.jenny_kanki ? ", Jenny-Kanki" : "") + "\n";
  head += o.real_gas ? "Leakage (tooth by tooth, real gas)  " : "Leakage (tooth by tooth)  ";
  head += l.ok ? Plain(l.mass_flow) + " " + Trim(u.Label(Quantity::kMassFlow)) +
                     (l.choked ? ", choked" : "")
               : l.message;
  head +=
      "\nStiffness in " + StiffnessUnit(u) + ", damping in " + DampingUnit(u) + ", speeds in rpm\n";
  for (const char* name : {"speed", "kxx", "kxy", "cxx", "cxy", "K eff", "C eff"}) {
    head += Cell(name);
  }
  return head + "WFR\n";
}

void AppendTableRow(const SpeedAnswer& a, std::string& out) {
  std::string line = Cell(Plain(a.speed));
  if (a.ok()) {
    const RotordynamicCoefficients& k = a.coefficients;
    for (double v : {k.kxx, k.kxy, k.cxx, k.cxy, a.effective_stiffness}) line += Cell(Plain(v));
    line += Cell(Plain(a.effective_damping));
    line += Plain(a.whirl_frequency_ratio);
  } else {
    line += a.message;
  }
  out += line + '\n';
}

int Dynamics(const std::vector<std::string>& args, std::ostream& out, StreamMessages& messages) {
  std::set<std::string> valued = kLeakOptions;
  valued.insert(kDynamicsOptions.begin(), kDynamicsOptions.end());
  valued.insert(kGammaOption);
  valued.insert(kSpeedOption);
  const Options o = Options::Parse(WithFlowCoefficient(args), valued,
                                   {"json", "csv", kJennyKankiOption, kRealGasOption});
  if (o.Switch("csv") && o.Switch("json")) {
    throw CliFailure{kExitUsage, "give --csv or --json, not both"};
  }
  const LeakRequest request = ReadLeakRequest(o);
  const DynamicsOptions options = ReadDynamicsOptions(o, request);
  const auto speed_text = o.Text(kSpeedOption);
  if (!speed_text) throw CliFailure{kExitUsage, "missing option --speed"};
  const std::vector<double> speeds = ParseSpeeds(*speed_text);
  GasEngine engine(messages);
  LoadLeakGas(o, request, engine);
  const DynamicsCalculation d(request.inputs, request.units, engine.CurrentMixture(), options);
  AnswerStream answer(out);
  std::string& text = answer.text();
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    DynamicsUnitsField(j, request.units);
    InputsField(j, d);
    LeakageField(j, d.leakage());
    j.Key("speeds");
    text += j.str();
    text += '[';
    for (size_t k = 0; k < speeds.size(); ++k) {
      if (k > 0) text += ',';
      text += SpeedObject(d.AtSpeed(speeds[k]));
      answer.WriteWhenFull();
    }
    text += "]}\n";
  } else if (o.Switch("csv")) {
    text += DynamicsCsvHeader(request.units);
    for (double s : speeds) {
      AppendDynamicsCsvRow(d.AtSpeed(s), text);
      answer.WriteWhenFull();
    }
  } else {
    text += TableHead(d);
    for (double s : speeds) {
      AppendTableRow(d.AtSpeed(s), text);
      answer.WriteWhenFull();
    }
  }
  answer.Finish();
  return kExitOk;
}

// The options of --help, the shared dynamics options among them.
const std::string kDynamicsHelp =
    "  --speed LIST               rotor speeds in rpm separated by commas, or FROM:TO:COUNT:\n"
    "                             value i is FROM + ((TO - FROM) * i) / (COUNT - 1); up to\n"
    "                             100000 speeds\n" +
    std::string(kDynamicsOptionsHelp) +
    "  --json                     answer in JSON, with the cavities of every speed\n"
    "  --csv                      answer in CSV, a row a speed\n";

}  // namespace

const CliCommand kDynamicsCommand{
    "dynamics",
    "GAS [leak options] --tooth-height H --speed LIST|FROM:TO:COUNT\n"
    "[--teeth-on stator|rotor] [--preswirl R] [--whirl-ratio R]\n"
    "[--gamma K | --real-gas] [--viscosity MU | --viscosity-ref T1:MU1,T2:MU2]\n"
    "[--jenny-kanki] [--json|--csv]",
    "The rotordynamic coefficients of the labyrinth at one or more rotor speeds (the bulk-flow\n"
    "model on the cavity states of tooth by tooth): stiffness kxx, kxy, kyx, kyy, damping cxx,\n"
    "cxy, cyx, cyy, the effective stiffness and damping and the whirl frequency ratio, with the\n"
    "cavity pressures, temperatures, swirl, wall shear and viscosity. The flow coefficient is\n"
    "accepted and not used. A speed that cannot be worked is a row with its status and message.",
    kDynamicsHelp,
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Dynamics(args, io.out, io.messages);
    },
    true};

}  // namespace torvane::cli
