#include "cli/cli_app.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <ostream>

#include "cli/command_line.h"
#include "cli/json_writer.h"
#include "document/ansi_text.h"
#include "document/case_files.h"
#include "document/case_record.h"
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
    "  characterise GAS\n"
    "  z            GAS --pressure P --temperature T             (psia, degR)\n"
    "  tsat         GAS --pressure P                             (psia)\n"
    "  leak         GAS [--units english|si|metric]\n"
    "               --type stepped|straight --diameter D --clearance C\n"
    "               --pressure-up P --pressure-down P --temperature-up T\n"
    "               --thickness T --spacing S --teeth N --flow-coef CF\n"
    "  show         FILE\n"
    "  report       FILE.trv --pdf OUT.pdf\n"
    "\n"
    "GAS is --gas CODE:FRACTION[,CODE:FRACTION...] with 1 to 30 library codes, e.g.\n"
    "  --gas \"CH4:0.9,C2H6:0.07,N2:0.03\"\n"
    "or --case FILE [--section N]: gas section N (default 0) of a gas or settings file;\n"
    "for leak the file's units and stored labyrinth inputs are the defaults.\n"
    "\n"
    "exit codes: 0 success, 2 usage, 3 gas code or gas list, 4 input out of range,\n"
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
  const auto gas_list = o.Text("gas");
  if (!gas_list) throw CliFailure{kExitUsage, "missing option --gas or --case"};
  std::vector<GasComponentSlot> slots;
  for (const auto& entry : ParseGasList(*gas_list)) {
    const auto id = LookUpComponent(entry.code, engine.messages());
    if (!id) throw CliFailure{kExitGas, ""};
    slots.push_back({*id, entry.fraction});
  }
  engine.CharacteriseGas(0, slots);
  engine.SetCurrentGas(0);
}

// Characterises gas section `section` of a case record into section 0 of the engine: its
// ComponentCount slots, each id looked up again from its code (trailing blanks removed).
void LoadCaseGas(const CaseRecord& record, int section, GasEngine& engine) {
  if (section < 0 || section > record.last_gas_section) {
    throw CliFailure{kExitUsage, "--section: the case has gas sections 0.." +
                                     std::to_string(record.last_gas_section) + ", not " +
                                     std::to_string(section)};
  }
  if (record.component_count < 1) {
    throw CliFailure{kExitGas, "the case's gas analysis has no components"};
  }
  std::vector<GasComponentSlot> slots;
  for (int i = 0; i < record.component_count; ++i) {
    const std::string code = AnsiToUtf8(record.GasCode(i, section).Trimmed());
    const auto id = LookUpComponent(code, engine.messages());
    if (!id) throw CliFailure{kExitGas, ""};
    slots.push_back({*id, record.MolFraction(i, section)});
  }
  engine.CharacteriseGas(0, slots);
  engine.SetCurrentGas(0);
}

// The gas section of --section (default 0).
int SectionOption(const Options& o) {
  const auto text = o.Text("section");
  if (!text) return 0;
  const auto n = ParseNumber(*text);
  if (!n || *n != std::floor(*n) || *n < 0 || *n > 4) {
    throw CliFailure{kExitUsage, "--section: '" + *text + "' is not a gas section 0, 1 or 2"};
  }
  return static_cast<int>(*n);
}

// The arguments every command takes besides its own: --gas or --case with --section.
void CheckGasSourceOptions(const Options& o) {
  o.ExpectNoPositional();
  if (o.Has("case") && o.Has("gas")) throw CliFailure{kExitUsage, "give --gas or --case, not both"};
  if (o.Has("section") && !o.Has("case")) {
    throw CliFailure{kExitUsage, "--section goes with --case"};
  }
}

// The case file of --case: a settings file (".trv") brings its labyrinth data, any other
// name is read as a gas file.
struct CaseInput {
  CaseRecord record;
  std::optional<LabyData> laby_data;
};

CaseInput ReadCase(const std::string& path);

// Characterises the gas of --gas, or of --case FILE [--section N], into section 0.
void LoadGasSource(const Options& o, GasEngine& engine) {
  CheckGasSourceOptions(o);
  if (const auto path = o.Text("case")) {
    LoadCaseGas(ReadCase(*path).record, SectionOption(o), engine);
  } else {
    LoadGas(o, engine);
  }
}

CaseInput ReadCase(const std::string& path) {
  CaseInput in;
  if (IsSettingsFileName(path)) {
    SettingsFileContent content = ReadSettingsFile(path);
    in.record = content.record;
    in.laby_data = content.laby_data;
  } else {
    in.record = ReadGasFile(path);
  }
  return in;
}

const std::set<std::string> kJson = {"json"};

int Characterise(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(args, {"gas", "case", "section"}, kJson);
  CheckGasSourceOptions(o);
  GasEngine engine(msg);
  LoadGasSource(o, engine);
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
    out << "Molecular weight          "
        << FormatNumber(m.mix_mol_weight, MolWeightFormat(m.mix_mol_weight)) << " lb/lbmol\n"
        << "Acentric factor           " << Plain(m.mix_acentric) << '\n'
        << "Pseudo-critical temp.     " << FormatNumber(m.pseudo_crit_temp, "#,##0.00") << " degR\n"
        << "Pseudo-critical pressure  " << FormatNumber(m.pseudo_crit_press, "#,##0.00")
        << " psia\n";
    for (size_t k = 0; k < 8; ++k) {
      out << "BWR " << kNames[k] << std::string(22 - std::string(kNames[k]).size(), ' ')
          << Plain(m.mix_bwr[k]) << '\n';
    }
  }
  return kExitOk;
}

int Compress(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o =
      Options::Parse(args, {"gas", "case", "section", "pressure", "temperature"}, kJson);
  CheckGasSourceOptions(o);
  const double p = o.RequiredNumber("pressure");
  double t = o.RequiredNumber("temperature");
  GasEngine engine(msg);
  LoadGasSource(o, engine);
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
  const Options o = Options::Parse(args, {"gas", "case", "section", "pressure"}, kJson);
  CheckGasSourceOptions(o);
  const double p = o.RequiredNumber("pressure");
  GasEngine engine(msg);
  LoadGasSource(o, engine);
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
  CheckGasSourceOptions(o);

  std::optional<CaseInput> case_input;
  if (const auto path = o.Text("case")) case_input = ReadCase(*path);

  // The case's own unit choice, unless --units names another.
  UnitChoice units;
  if (case_input) units.ApplyUnitChoice(case_input->record.unit_num);
  if (auto u = o.Text("units")) {
    if (*u == "english")
      units.ApplyUnitChoice(PresetIndices(UnitSystem::kEnglish));
    else if (*u == "si")
      units.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
    else if (*u == "metric")
      units.ApplyUnitChoice(PresetIndices(UnitSystem::kTechMetric));
    else
      throw CliFailure{kExitUsage, "--units: '" + *u + "' is not english, si or metric"};
  }

  // Defaults from the case's labyrinth record, held in the case's units and converted to the
  // units in force when --units names others.
  std::optional<LabyInputs> defaults;
  if (case_input && case_input->laby_data) {
    const LabyData& d = *case_input->laby_data;
    UnitChoice case_units;
    case_units.ApplyUnitChoice(case_input->record.unit_num);
    const auto same = [&](Quantity q) { return units.Index(q) == case_units.Index(q); };
    const auto length = [&](double v) {
      if (same(Quantity::kLength)) return v;
      return units.ConvertLength(case_units.ConvertLength(v, "AE"), "EA");
    };
    const auto pressure = [&](double v) {
      if (same(Quantity::kPressure)) return v;
      return units.ConvertPressure(case_units.ConvertPressure(v, "AE"), "EA");
    };
    const auto temperature = [&](double v) {
      if (same(Quantity::kTemperature)) return v;
      return units.ConvertTemperature(case_units.ConvertTemperature(v, "AR"), "RA");
    };
    LabyInputs li;
    li.laby_type = d[kLabyType] == 1 ? 1 : 0;
    if (d[kLabyType] != 0 && d[kLabyType] != 1 && !o.Has("type")) {
      throw CliFailure{kExitUsage, "the case's labyrinth type " + RoundTrip(d[kLabyType]) +
                                       " is neither 0 (stepped) nor 1 (straight); give --type"};
    }
    li.seal_dia = length(d[kSealClear]);
    li.seal_rad_clear = length(d[kSealRadClear]);
    li.press_up = pressure(d[kPressUp]);
    li.press_down = pressure(d[kPressDown]);
    li.temp_up = temperature(d[kTempUp]);
    li.tooth_thk = length(d[kToothThick]);
    li.tooth_spc = length(d[kToothSpacing]);
    li.tooth_no = d[kToothNumber];
    li.flo_co = d[kFlowCoef];
    defaults = li;
  }
  const auto number = [&](const char* name, double LabyInputs::*field) {
    if (const auto v = o.Number(name)) return *v;
    if (defaults) return (*defaults).*field;
    throw CliFailure{kExitUsage, std::string("missing option --") + name};
  };

  LabyInputs in;
  if (const auto type = o.Text("type")) {
    if (*type != "stepped" && *type != "straight") {
      throw CliFailure{kExitUsage, "--type: '" + *type + "' is not stepped or straight"};
    }
    in.laby_type = *type == "straight" ? 1 : 0;
  } else if (defaults) {
    in.laby_type = defaults->laby_type;
  } else {
    throw CliFailure{kExitUsage, "missing option --type"};
  }
  in.seal_dia = number("diameter", &LabyInputs::seal_dia);
  in.seal_rad_clear = number("clearance", &LabyInputs::seal_rad_clear);
  in.press_up = number("pressure-up", &LabyInputs::press_up);
  in.press_down = number("pressure-down", &LabyInputs::press_down);
  in.temp_up = number("temperature-up", &LabyInputs::temp_up);
  in.tooth_thk = number("thickness", &LabyInputs::tooth_thk);
  in.tooth_spc = number("spacing", &LabyInputs::tooth_spc);
  in.tooth_no = number("teeth", &LabyInputs::tooth_no);
  in.flo_co = number("flow-coef", &LabyInputs::flo_co);

  GasEngine engine(msg);
  if (case_input) {
    LoadCaseGas(case_input->record, SectionOption(o), engine);
  } else {
    LoadGas(o, engine);
  }
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

// The raw record of a case file, every field as stored, and the reasons the program would
// refuse to open it.
int Show(const std::vector<std::string>& args, std::ostream& out) {
  const Options o = Options::Parse(args, {}, kJson);
  if (o.positional().size() != 1) throw CliFailure{kExitUsage, "show needs one FILE"};
  const std::string& path = o.positional()[0];
  const CaseFileInspection file = InspectCaseFile(path);
  const CaseRecord& r = file.record;
  const ReservedInt& ri = r.reserved_int;
  const ReservedArray& ra = r.reserved_array;

  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    const auto table = [&](const char* key, auto element) {
      j.Key(key).BeginArray();
      for (int g = 0; g < kRecordGasSections; ++g) {
        j.BeginArray();
        for (int i = 0; i < kGasSlots; ++i) element(i, g);
        j.EndArray();
      }
      j.EndArray();
    };
    table("gas_code", [&](int i, int g) { j.String(AnsiToUtf8(r.GasCode(i, g).view())); });
    table("mol_fraction", [&](int i, int g) { j.Number(r.MolFraction(i, g)); });
    table("component_id", [&](int i, int g) { j.Integer(r.ComponentId(i, g)); });
    j.Key("component_count").Integer(r.component_count);
    j.Key("last_gas_section").Integer(r.last_gas_section);
    j.Key("unit_system").Integer(r.unit_system);
    j.Key("unit_system_name").String(AnsiToUtf8(r.unit_system_name.view()));
    j.Key("units").BeginObject();
    for (int q = 0; q < kQuantityCount; ++q) {
      j.Key(UnitCatalogue(q).field).Integer(r.unit_num[static_cast<size_t>(q)]);
    }
    j.EndObject();
    j.Key("reserved_int").BeginObject();
    j.Key("R1").Integer(ri.r1);
    j.Key("R2").Integer(ri.r2);
    j.Key("R3").Integer(ri.r3);
    j.Key("R4").Integer(ri.r4);
    j.Key("R5").BeginArray();
    for (auto v : ri.r5) j.Integer(v);
    j.EndArray();
    j.Key("R6").Integer(ri.r6);
    j.Key("R7").Integer(ri.r7);
    j.EndObject();
    j.Key("case_title").String(AnsiToUtf8(r.case_title.view()));
    j.Key("reserved_array").BeginObject();
    const auto doubles = [&](const char* key, const auto& values) {
      j.Key(key).BeginArray();
      for (double v : values) j.Number(v);
      j.EndArray();
    };
    doubles("D1", ra.d1);
    doubles("D2", ra.d2);
    doubles("D3", ra.d3);
    doubles("D4", ra.d4);
    doubles("D5", ra.d5);
    doubles("D6", ra.d6);
    doubles("D7", ra.d7);
    j.EndObject();
    if (file.settings_file) doubles("laby_data", file.laby_data);
    j.Key("problems").BeginArray();
    for (const auto& p : file.problems) j.String(p);
    j.EndArray();
    j.EndObject();
    out << j.str() << '\n';
    return kExitOk;
  }

  out << "File              " << path << " (" << file.file_size << " bytes, "
      << (file.settings_file ? "settings file" : "gas file") << ")\n"
      << "Case title        \"" << AnsiToUtf8(r.case_title.view()) << "\"\n"
      << "Components        " << r.component_count << '\n'
      << "Last gas section  " << r.last_gas_section << '\n'
      << "Unit system       " << r.unit_system << " \"" << AnsiToUtf8(r.unit_system_name.view())
      << "\"\n"
      << "Units            ";
  for (int q = 0; q < kQuantityCount; ++q) {
    out << ' ' << UnitCatalogue(q).field << '=' << r.unit_num[static_cast<size_t>(q)];
  }
  out << '\n';
  const int sections = std::clamp<int>(r.last_gas_section, 0, 2);
  const int slots = std::clamp<int>(r.component_count, 0, kGasSlots);
  for (int g = 0; g <= sections; ++g) {
    out << "Gas section " << g << '\n';
    for (int i = 0; i < slots; ++i) {
      out << "  " << (i + 1 < 10 ? " " : "") << i + 1 << "  \""
          << AnsiToUtf8(r.GasCode(i, g).view()) << "\"  id " << r.ComponentId(i, g) << "  "
          << DoubleText(r.MolFraction(i, g)) << '\n';
    }
  }
  out << "Reserved integers R1=" << ri.r1 << " R2=" << ri.r2 << " R3=" << ri.r3 << " R4=" << ri.r4
      << " R5=" << ri.r5[0] << ',' << ri.r5[1] << ',' << ri.r5[2] << ',' << ri.r5[3] << ','
      << ri.r5[4] << " R6=" << ri.r6 << " R7=" << ri.r7 << '\n';
  if (file.settings_file) {
    out << "Labyrinth data   ";
    for (double v : file.laby_data) out << ' ' << DoubleText(v);
    out << '\n';
  }
  if (file.problems.empty()) {
    out << "Problems          none\n";
  } else {
    out << "Problems\n";
    for (const auto& p : file.problems) out << "  " << p << '\n';
  }
  return kExitOk;
}

SubCommand& ReportCommand() {
  static SubCommand command;
  return command;
}

}  // namespace

void SetReportCommand(SubCommand command) { ReportCommand() = std::move(command); }

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
    if (command == "show") return Show(rest, out);
    if (command == "report") {
      if (!ReportCommand()) throw CliFailure{kExitUsage, "report is not available in this build"};
      return ReportCommand()(rest, out, err);
    }
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
