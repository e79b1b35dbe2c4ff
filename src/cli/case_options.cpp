#include "cli/case_options.h"

#include <cmath>
#include <ostream>

#include "cli/cli_output.h"
#include "cli/json_writer.h"
#include "document/ansi_text.h"
#include "document/case_files.h"
#include "document/laby_data_units.h"
#include "engine/component_library.h"
#include "engine/gas_engine.h"
#include "methods/method_comparison.h"
#include "platform/errors.h"
#include "units/number_format.h"

namespace torvane::cli {

void StreamMessages::Show(const Message& m) {
  RecordingMessageService::Show(m);
  PrintError(err_, m.text);
}

std::string Trim(const std::string& s) {
  const auto end = s.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

void MessagesField(JsonWriter& j, const RecordingMessageService& messages) {
  j.Key("messages").BeginArray();
  for (const auto& t : messages.texts()) j.String(t);
  j.EndArray();
}

void LoadGas(const Options& o, GasEngine& engine) {
  const auto gas_list = o.Text("gas");
  if (!gas_list) throw CliFailure{kExitUsage, "missing option --gas or --case"};
  LoadGasList(*gas_list, engine);
}

void LoadGasList(const std::string& gas_list, GasEngine& engine) {
  std::vector<GasComponentSlot> slots;
  for (const auto& entry : ParseGasList(gas_list)) {
    const auto id = LookUpComponent(entry.code, engine.messages());
    if (!id) throw CliFailure{kExitGas, ""};
    slots.push_back({*id, entry.fraction});
  }
  engine.CharacteriseGas(0, slots);
  engine.SetCurrentGas(0);
}

// Its ComponentCount slots, each id looked up again from its code (trailing blanks removed).
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

int SectionOption(const Options& o) {
  const auto text = o.Text("section");
  if (!text) return 0;
  const auto n = ParseNumber(*text);
  if (!n || *n != std::floor(*n) || *n < 0 || *n > 4) {
    throw CliFailure{kExitUsage, "--section: '" + *text + "' is not a gas section 0, 1 or 2"};
  }
  return static_cast<int>(*n);
}

void CheckGasSourceOptions(const Options& o) {
  o.ExpectNoPositional();
  if (o.Has("case") && o.Has("gas")) throw CliFailure{kExitUsage, "give --gas or --case, not both"};
  if (o.Has("section") && !o.Has("case")) {
    throw CliFailure{kExitUsage, "--section goes with --case"};
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

void LoadGasSource(const Options& o, GasEngine& engine) {
  CheckGasSourceOptions(o);
  if (const auto path = o.Text("case")) {
    LoadCaseGas(ReadCase(*path).record, SectionOption(o), engine);
  } else {
    LoadGas(o, engine);
  }
}

UnitIndices UnitsPreset(const std::string& name) {
  if (name == "english") return PresetIndices(UnitSystem::kEnglish);
  if (name == "si") return PresetIndices(UnitSystem::kSI);
  if (name == "metric") return PresetIndices(UnitSystem::kTechMetric);
  throw CliFailure{kExitUsage, "--units: '" + name + "' is not english, si or metric"};
}

UnitChoice GasUnits(const Options& o) {
  UnitChoice units;
  if (const auto name = o.Text("units")) {
    units.ApplyUnitChoice(UnitsPreset(*name));
  } else {
    UnitIndices engine = PresetIndices(UnitSystem::kEnglish);
    engine[static_cast<size_t>(Quantity::kTemperature)] = kDegreesRankine;
    units.ApplyUnitChoice(engine);
  }
  return units;
}

LeakRequest ReadLeakRequest(const Options& o) {
  CheckGasSourceOptions(o);
  LeakRequest request;
  if (const auto path = o.Text("case")) request.case_input = ReadCase(*path);
  const std::optional<CaseInput>& case_input = request.case_input;

  // The case's own unit choice, unless --units names another.
  UnitChoice& units = request.units;
  if (case_input) units.ApplyUnitChoice(case_input->record.unit_num);
  if (auto u = o.Text("units")) units.ApplyUnitChoice(UnitsPreset(*u));

  // Defaults from the case's labyrinth record, held in the case's units and converted to the
  // units in force when --units names others.
  std::optional<LabyInputs> defaults;
  if (case_input && case_input->laby_data) {
    UnitChoice case_units;
    case_units.ApplyUnitChoice(case_input->record.unit_num);
    const LabyData d = ConvertLabyData(*case_input->laby_data, case_units, units);
    // A stored type that is neither stepped nor straight is a fault of the file; --type may
    // still replace it.
    if (const auto problem = LabyTypeProblem(d); problem && !o.Has("type")) {
      throw FileError(*o.Text("case"), *problem + " (give --type to compute with another)");
    }
    const LabyInputs li = RecordInputs(d);
    defaults = li;
  }
  const auto number = [&](const char* name, double LabyInputs::*field) {
    if (const auto v = o.Number(name)) return *v;
    if (defaults) return (*defaults).*field;
    throw CliFailure{kExitUsage, std::string("missing option --") + name};
  };

  LabyInputs& in = request.inputs;
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
  return request;
}

void LoadLeakGas(const Options& o, const LeakRequest& request, GasEngine& engine) {
  if (request.case_input) {
    LoadCaseGas(request.case_input->record, SectionOption(o), engine);
  } else {
    LoadGas(o, engine);
  }
}

std::optional<double> GammaOption(const Options& o) {
  const std::optional<double> gamma = o.Number(kGammaOption);
  if (gamma && !(*gamma > 1)) {
    throw CliFailure{kExitUsage, "--gamma: '" + *o.Text(kGammaOption) + "' is not above 1"};
  }
  return gamma;
}

void GammaFields(JsonWriter& j, const std::optional<CaseGamma>& gamma) {
  j.Key("gamma");
  if (gamma && gamma->ok()) {
    j.Number(gamma->value);
  } else {
    j.Null();
  }
  j.Key("gamma_source");
  if (gamma) {
    j.String(GammaSourceKey(gamma->source));
  } else {
    j.Null();
  }
}

void UnitsField(JsonWriter& j, const UnitChoice& units) {
  j.Key("units").BeginObject();
  j.Key("mass_flow").String(Trim(units.Label(Quantity::kMassFlow)));
  j.Key("volume_flow").String(Trim(units.Label(Quantity::kVolumeFlow)));
  j.Key("length").String(Trim(units.Label(Quantity::kLength)));
  j.Key("pressure").String(Trim(units.Label(Quantity::kPressure)));
  j.Key("temperature").String(Trim(units.Label(Quantity::kTemperature)));
  j.EndObject();
}

void LeakResultFields(JsonWriter& j, const LabyResults& results) {
  j.Key("mass_flow").Number(results.laby_flow);
  j.Key("std_flow").Number(results.laby_flow_std);
  j.Key("std_flow_unit").String(results.std_flow_unit);
  j.Key("inlet_flow").Number(results.laby_supply_flow);
  j.Key("exhaust_flow").Number(results.laby_volume_flow);
}

std::string WarningText(LeakageWarning warning, const UnitChoice& units) {
  return warning == LeakageWarning::kClearanceRatio
             ? std::string(kClearanceRatioWarning)
             : SuggestedClearanceWarning(
                   units.InputLimit(LimitRow::kSuggestedClearance, LimitKind::kMaximum));
}

namespace {

const char* FailureStatus(int code) {
  switch (code) {
    case kExitGas:
      return "gas";
    case kExitFile:
      return "file";
    case kExitRange:
      return "range";
    case kExitStop:
      return "stop";
    case kExitCalculation:
      return "error";
    default:
      return "usage";
  }
}

}  // namespace

LeakRun RunLeak(const std::vector<std::string>& args, RecordingMessageService& messages) {
  LeakRun run;
  const auto fail = [&run](int code, std::string message, std::string unprinted,
                           bool about_options) {
    run.code = code;
    run.status = FailureStatus(code);
    run.message = std::move(message);
    run.unprinted = std::move(unprinted);
    run.about_options = about_options;
  };
  const auto last_message = [&messages] {
    return messages.messages().empty() ? std::string() : messages.messages().back().text;
  };
  try {
    const Options o = Options::Parse(args, kLeakOptions, {"json"});
    const LeakRequest request = ReadLeakRequest(o);
    run.units = request.units;
    GasEngine engine(messages);
    LoadLeakGas(o, request, engine);
    LabyrinthCalculation calculation(request.units, engine, messages);
    run.outcome = calculation.Calculate(request.inputs);
    switch (run.outcome.status) {
      case LabyOutcome::Status::kDone:
        break;
      case LabyOutcome::Status::kFieldCheckFailed:
        fail(kExitRange, last_message(), "", false);
        break;
      case LabyOutcome::Status::kStopped:
        fail(kExitStop, last_message(), "", false);
        break;
      case LabyOutcome::Status::kCalculationError:
        fail(kExitCalculation, last_message(), "", false);
        break;
    }
  } catch (const CliFailure& f) {
    // A gas code not in the library has had its message shown already.
    fail(f.code, f.message.empty() ? last_message() : f.message, f.message, true);
  } catch (const FileError& e) {
    fail(kExitFile, e.what(), e.what(), true);
  } catch (const CalculationError&) {
    messages.Show(kCalculationErrorMessage, MessageIcon::kCritical);
    fail(kExitCalculation, kCalculationErrorMessage, "", false);
  } catch (const InputOutOfRange& e) {
    fail(kExitRange, e.what(), "", false);
  } catch (const std::exception& e) {
    fail(kExitUsage, e.what(), e.what(), true);
  }
  return run;
}

void LeakAnswerFields(JsonWriter& j, const LeakRun& run, const std::string& message,
                      const RecordingMessageService& messages) {
  j.Key("status").String(run.status);
  if (run.code != kExitOk) {
    j.Key("message").String(message);
  } else {
    LeakResultFields(j, run.outcome.results);
  }
  if (run.units) {
    UnitsField(j, *run.units);
    j.Key("warnings").BeginArray();
    for (auto w : run.outcome.warnings) j.String(WarningText(w, *run.units));
    j.EndArray();
  }
  MessagesField(j, messages);
}

}  // namespace torvane::cli
