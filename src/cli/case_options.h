// The options the calculator's commands share: where the gas comes from (--gas, or --case with
// --section), the labyrinth case of `leak` (units, type, geometry, conditions, with a settings
// file's stored inputs as defaults), and the pieces of their answers.
#pragma once

#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "document/case_record.h"
#include "document/laby_data.h"
#include "laby/labyrinth_calculation.h"
#include "methods/method_comparison.h"
#include "platform/message_service.h"
#include "units/unit_choice.h"

namespace torvane {
class GasEngine;
}

namespace torvane::cli {

class JsonWriter;

// Prints every message the moment it is shown and keeps it for the JSON answer.
class StreamMessages : public RecordingMessageService {
 public:
  explicit StreamMessages(std::ostream& err) : err_(err) {}
  using MessageService::Show;
  void Show(const Message& m) override;

 private:
  std::ostream& err_;
};

// A unit label without its trailing blanks.
std::string Trim(const std::string& s);

// "messages": [...], every text shown so far.
void MessagesField(JsonWriter& j, const RecordingMessageService& messages);

// The options of the gas source.
inline const std::set<std::string> kGasSourceOptions = {"gas", "case", "section"};
// Their lines in a command's --help.
inline constexpr const char kGasSourceHelp[] =
    "  --gas CODE:FRACTION[,...]  the gas: 1 to 30 library codes (exactly as spelled) with their\n"
    "                             mole fractions, e.g. --gas \"CH4:0.9,C2H6:0.07,N2:0.03\"\n"
    "  --case FILE                instead of --gas: a gas section of a gas or settings file\n"
    "  --section N                the gas section of --case: 0, 1 or 2 (default 0)\n";

// --gas and --case exclude each other, --section goes with --case, no stray words.
void CheckGasSourceOptions(const Options& o);

// The case file of --case: a settings file (".trv") brings its labyrinth data, any other
// name is read as a gas file.
struct CaseInput {
  CaseRecord record;
  std::optional<LabyData> laby_data;
};
CaseInput ReadCase(const std::string& path);

// The gas section of --section (default 0).
int SectionOption(const Options& o);

// Characterises the gas of --gas into section 0 of the engine and makes it current.
void LoadGas(const Options& o, GasEngine& engine);
// The same for the text of --gas.
void LoadGasList(const std::string& gas_list, GasEngine& engine);
// Characterises gas section `section` of a case record into section 0 of the engine.
void LoadCaseGas(const CaseRecord& record, int section, GasEngine& engine);
// Characterises the gas of --gas, or of --case FILE [--section N], into section 0.
void LoadGasSource(const Options& o, GasEngine& engine);

// The unit choice of --units english|si|metric; any other name is a usage failure.
UnitIndices UnitsPreset(const std::string& name);

// The units of the gas commands (characterise, z, tsat): those of --units, else the equation of
// state's own (psia, deg R, ft3/lb), in which the answer is the engine's number exactly.
inline constexpr int kDegreesRankine = 1;  // the temperature unit index of deg R
UnitChoice GasUnits(const Options& o);

// Every option of `leak` (the gas source, --units, --type and the nine numbers).
inline const std::set<std::string> kLeakOptions = {
    "gas",       "case",      "section",     "units",         "type",
    "diameter",  "clearance", "pressure-up", "pressure-down", "temperature-up",
    "thickness", "spacing",   "teeth",       "flow-coef"};

// The labyrinth case of the leak options: the units in force (the case file's own unit choice,
// unless --units names a preset) and the window's inputs in those units (flags, else the
// settings file's stored inputs converted to those units).
struct LeakRequest {
  UnitChoice units;
  LabyInputs inputs;
  std::optional<CaseInput> case_input;
};

// Reads the leak options; usage failures and file failures raise CliFailure and FileError.
// The gas is not loaded: call LoadLeakGas when the inputs are read.
LeakRequest ReadLeakRequest(const Options& o);
// Characterises the request's gas (--gas, or the case file's section) into section 0.
void LoadLeakGas(const Options& o, const LeakRequest& request, GasEngine& engine);

// The options of the classical methods: --gamma K (valued) and --real-gas (a switch).
inline constexpr const char kGammaOption[] = "gamma";
inline constexpr const char kRealGasOption[] = "real-gas";
// The value of --gamma, nothing when it is not given (the gas's own is used); a value not above 1
// is a usage failure.
std::optional<double> GammaOption(const Options& o);

// "gamma" (the value used, null where there is none) and "gamma_source" ("gas" or "given", null
// where no gamma is used), into an open JSON object: every answer that works an ideal-gas
// method echoes them.
void GammaFields(JsonWriter& j, const std::optional<CaseGamma>& gamma);

// "units": {"mass_flow", "volume_flow", "length", "pressure", "temperature"}.
void UnitsField(JsonWriter& j, const UnitChoice& units);

// The results of a calculation in a leak answer: "mass_flow", "std_flow", "std_flow_unit",
// "inlet_flow", "exhaust_flow".
void LeakResultFields(JsonWriter& j, const LabyResults& results);

// The text of a leakage warning, as the labyrinth window shows it.
std::string WarningText(LeakageWarning warning, const UnitChoice& units);

// One leak calculation from its options, every failure caught: what `leak` exits with and what
// its answer, or a batch line's, says.
struct LeakRun {
  int code = kExitOk;
  // "ok"; "range", "stop" or "error" for the calculation's failures; "usage", "gas" or "file"
  // for options, gas lists and case files that cannot be used.
  std::string status = "ok";
  std::string message;  // the failure's message; empty for "ok"
  // The failure's message still to be printed on standard error: empty when the messages of
  // the calculation have shown it already.
  std::string unprinted;
  // The failure is about the options (usage, gas, file), not the calculation.
  bool about_options = false;
  std::optional<UnitChoice> units;  // once the options were read
  LabyOutcome outcome;
};
LeakRun RunLeak(const std::vector<std::string>& args, RecordingMessageService& messages);

// The fields of a leak answer: "status", then "message" for a failure or the results, then
// "units" and "warnings" once the options were read, and "messages", every text shown.
void LeakAnswerFields(JsonWriter& j, const LeakRun& run, const std::string& message,
                      const RecordingMessageService& messages);

}  // namespace torvane::cli
