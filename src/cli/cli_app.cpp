#include "cli/cli_app.h"

#include <cstdio>
#include <exception>
#include <ostream>

#include "cli/command_line.h"
#include "cli/json_writer.h"
#include "engine/component_library.h"
#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "platform/version.h"
#include "units/number_format.h"
#include "units/unit_choice.h"

namespace torvane::cli {
namespace {

constexpr const char kUsage[] =
    "usage: torvane-cli COMMAND [options] [--json]\n"
    "\n"
    "commands:\n"
    "  characterise --gas SPEC\n"
    "  z            --gas SPEC --pressure P --temperature T      (psia, degR)\n"
    "  tsat         --gas SPEC --pressure P                      (psia)\n"
    "  leak         (--gas SPEC | --case FILE [--section N]) [--units english|si|metric]\n"
    "               --type stepped|straight --diameter D --clearance C\n"
    "               --pressure-up P --pressure-down P --temperature-up T\n"
    "               --thickness T --spacing S --teeth N --flow-coef CF\n"
    "  show         FILE\n"
    "  report       FILE.trv --pdf OUT.pdf\n"
    "\n"
    "SPEC is CODE:FRACTION[,CODE:FRACTION...] with 1 to 30 library codes, e.g.\n"
    "  --gas \"CH4:0.9,C2H6:0.07,N2:0.03\"\n"
    "\n"
    "exit codes: 0 success, 2 usage, 3 gas code or gas spec, 4 input out of range,\n"
    "            5 calculation stopped, 6 calculation error, 7 file error\n";

// Prints every message the moment it is shown and keeps it for the JSON answer.
class StreamMessages : public RecordingMessageService {
 public:
  explicit StreamMessages(std::ostream& err) : err_(err) {}
  using MessageService::Show;
  void Show(const Message& m) override {
    RecordingMessageService::Show(m);
    err_ << m.text << '\n';
  }

 private:
  std::ostream& err_;
};

std::string Trim(const std::string& s) {
  const auto end = s.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

std::string Plain(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

void MessagesField(JsonWriter& j, const RecordingMessageService& messages) {
  j.Key("messages").BeginArray();
  for (const auto& t : messages.texts()) j.String(t);
  j.EndArray();
}

// Looks the codes up and characterises section 0 of the engine.
void LoadGas(const Options& o, GasEngine& engine) {
  const auto spec = o.Text("gas");
  if (!spec) throw CliFailure{kExitUsage, "missing option --gas"};
  std::vector<GasComponentSlot> slots;
  for (const auto& entry : ParseGasSpec(*spec)) {
    const auto id = LookUpComponent(entry.code, engine.messages());
    if (!id) throw CliFailure{kExitGas, ""};
    slots.push_back({*id, entry.fraction});
  }
  engine.CharacteriseGas(0, slots);
  engine.SetCurrentGas(0);
}

const std::set<std::string> kJson = {"json"};

int Characterise(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(args, {"gas"}, kJson);
  GasEngine engine(msg);
  LoadGas(o, engine);
  const GasMixture& m = engine.CurrentMixture();
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    j.Key("mol_weight").Number(m.mix_mol_weight);
    j.Key("acentric").Number(m.mix_acentric);
    j.Key("pseudo_crit_temp").Number(m.pseudo_crit_temp);
    j.Key("pseudo_crit_press").Number(m.pseudo_crit_press);
    j.Key("bwr").BeginArray();
    for (double v : m.mix_bwr) j.Number(v);
    j.EndArray().EndObject();
    out << j.str() << '\n';
  } else {
    static constexpr const char* kNames[] = {"A0", "B0", "C0", "a", "b", "c", "alpha", "gamma"};
    out << "Molecular weight          " << FormatNumber(m.mix_mol_weight, MolWeightFormat(m.mix_mol_weight))
        << " lb/lbmol\n"
        << "Acentric factor           " << Plain(m.mix_acentric) << '\n'
        << "Pseudo-critical temp.     " << FormatNumber(m.pseudo_crit_temp, "#,##0.00") << " degR\n"
        << "Pseudo-critical pressure  " << FormatNumber(m.pseudo_crit_press, "#,##0.00") << " psia\n";
    for (size_t k = 0; k < 8; ++k) {
      out << "BWR " << kNames[k] << std::string(22 - std::string(kNames[k]).size(), ' ')
          << Plain(m.mix_bwr[k]) << '\n';
    }
  }
  return kExitOk;
}

int Compress(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(args, {"gas", "pressure", "temperature"}, kJson);
  const double p = o.RequiredNumber("pressure");
  double t = o.RequiredNumber("temperature");
  GasEngine engine(msg);
  LoadGas(o, engine);
  const SpecificVolumeResult r = engine.SpecificVolume(p, t);
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    j.Key("z").Number(r.z);
    j.Key("specific_volume").Number(r.specific_volume);
    j.Key("temperature").Number(t);
    MessagesField(j, msg);
    j.EndObject();
    out << j.str() << '\n';
  } else {
    out << "Z                 " << Plain(r.z) << '\n'
        << "Specific volume   " << Plain(r.specific_volume) << " ft3/lb\n"
        << "Temperature       " << Plain(t) << " degR\n";
  }
  return kExitOk;
}

int Tsat(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(args, {"gas", "pressure"}, kJson);
  const double p = o.RequiredNumber("pressure");
  GasEngine engine(msg);
  LoadGas(o, engine);
  const double t = engine.SaturationTemp(p);
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject().Key("saturation_temp").Number(t).EndObject();
    out << j.str() << '\n';
  } else {
    out << "Saturation temperature  " << FormatNumber(t, "#,##0.0") << " degR\n";
  }
  return kExitOk;
}

int Leak(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(
      args,
      {"gas", "case", "section", "units", "type", "diameter", "clearance", "pressure-up",
       "pressure-down", "temperature-up", "thickness", "spacing", "teeth", "flow-coef"},
      kJson);
  if (o.Has("case")) {
    throw CliFailure{kExitUsage, "--case is not available yet"};
  }
  if (o.Has("section")) throw CliFailure{kExitUsage, "--section goes with --case"};

  UnitChoice units;
  if (auto u = o.Text("units")) {
    if (*u == "english") units.ApplyUnitChoice(PresetIndices(UnitSystem::kEnglish));
    else if (*u == "si") units.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
    else if (*u == "metric") units.ApplyUnitChoice(PresetIndices(UnitSystem::kTechMetric));
    else throw CliFailure{kExitUsage, "--units: '" + *u + "' is not english, si or metric"};
  }

  LabyInputs in;
  const auto type = o.Text("type");
  if (!type) throw CliFailure{kExitUsage, "missing option --type"};
  if (*type == "stepped") in.laby_type = 0;
  else if (*type == "straight") in.laby_type = 1;
  else throw CliFailure{kExitUsage, "--type: '" + *type + "' is not stepped or straight"};
  in.seal_dia = o.RequiredNumber("diameter");
  in.seal_rad_clear = o.RequiredNumber("clearance");
  in.press_up = o.RequiredNumber("pressure-up");
  in.press_down = o.RequiredNumber("pressure-down");
  in.temp_up = o.RequiredNumber("temperature-up");
  in.tooth_thk = o.RequiredNumber("thickness");
  in.tooth_spc = o.RequiredNumber("spacing");
  in.tooth_no = o.RequiredNumber("teeth");
  in.flo_co = o.RequiredNumber("flow-coef");

  GasEngine engine(msg);
  LoadGas(o, engine);
  LabyrinthCalculation calc(units, engine, msg);
  const LabyOutcome r = calc.Calculate(in);
  switch (r.status) {
    case LabyOutcome::Status::kFieldCheckFailed:
      return kExitRange;
    case LabyOutcome::Status::kStopped:
      return kExitStop;
    case LabyOutcome::Status::kCalculationError:
      return kExitCalculation;
    case LabyOutcome::Status::kDone:
      break;
  }

  const std::string mass = Trim(units.Label(Quantity::kMassFlow));
  const std::string volume = Trim(units.Label(Quantity::kVolumeFlow));
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    j.Key("mass_flow").Number(r.results.laby_flow);
    j.Key("std_flow").Number(r.results.laby_flow_std);
    j.Key("std_flow_unit").String(r.results.std_flow_unit);
    j.Key("inlet_flow").Number(r.results.laby_supply_flow);
    j.Key("exhaust_flow").Number(r.results.laby_volume_flow);
    j.Key("units").BeginObject();
    j.Key("mass_flow").String(mass);
    j.Key("volume_flow").String(volume);
    j.Key("length").String(Trim(units.Label(Quantity::kLength)));
    j.Key("pressure").String(Trim(units.Label(Quantity::kPressure)));
    j.Key("temperature").String(Trim(units.Label(Quantity::kTemperature)));
    j.EndObject();
    j.Key("warnings").BeginArray();
    for (auto w : r.warnings) {
      j.String(w == LeakageWarning::kClearanceRatio
                   ? std::string(kClearanceRatioWarning)
                   : SuggestedClearanceWarning(
                         units.InputLimit(LimitRow::kSuggestedClearance, LimitKind::kMaximum)));
    }
    j.EndArray();
    MessagesField(j, msg);
    j.EndObject();
    out << j.str() << '\n';
  } else {
    out << "Labyrinth flow rate   " << Plain(r.results.laby_flow) << ' ' << mass << '\n'
        << "Standard flow         " << Plain(r.results.laby_flow_std) << ' '
        << r.results.std_flow_unit << '\n'
        << "Inlet volume flow     " << Plain(r.results.laby_supply_flow) << ' ' << volume << '\n'
        << "Exhaust volume flow   " << Plain(r.results.laby_volume_flow) << ' ' << volume << '\n';
  }
  return kExitOk;
}

int NotYet(const std::string& command) {
  throw CliFailure{kExitUsage, command + " is not available yet"};
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return kExitUsage;
  }
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  StreamMessages messages(err);
  try {
    if (command == "--help" || command == "-h" || command == "help") {
      out << kUsage;
      return kExitOk;
    }
    if (command == "--version") {
      out << "torvane-cli Version " << kVersionMajor << '.' << kVersionMinor << '.'
          << kVersionRevision << '\n';
      return kExitOk;
    }
    if (command == "characterise") return Characterise(rest, out, messages);
    if (command == "z") return Compress(rest, out, messages);
    if (command == "tsat") return Tsat(rest, out, messages);
    if (command == "leak") return Leak(rest, out, messages);
    if (command == "show" || command == "report") return NotYet(command);
    throw CliFailure{kExitUsage, "unknown command '" + command + "' (try --help)"};
  } catch (const CliFailure& f) {
    if (!f.message.empty()) err << "torvane-cli: " << f.message << '\n';
    return f.code;
  } catch (const CalculationError&) {
    messages.Show(kCalculationErrorMessage, MessageIcon::kCritical);
    return kExitCalculation;
  } catch (const InputOutOfRange&) {
    return kExitRange;
  } catch (const FileError& e) {
    err << "torvane-cli: " << e.what() << '\n';
    return kExitFile;
  } catch (const std::exception& e) {
    err << "torvane-cli: " << e.what() << '\n';
    return kExitUsage;
  }
}

}  // namespace torvane::cli
