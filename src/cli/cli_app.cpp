#include "cli/cli_app.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>

#include "cli/case_options.h"
#include "cli/cli_command.h"
#include "cli/cli_output.h"
#include "cli/command_line.h"
#include "cli/json_writer.h"
#include "cli/props_command.h"
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

constexpr const char kUsageHead[] =
    "usage: torvane-cli COMMAND [options] [--json]\n"
    "       torvane-cli COMMAND --help\n"
    "\n"
    "commands:\n";

constexpr const char kUsageTail[] =
    "\n"
    "GAS is --gas CODE:FRACTION[,CODE:FRACTION...] with 1 to 30 library codes, e.g.\n"
    "  --gas \"CH4:0.9,C2H6:0.07,N2:0.03\"\n"
    "or --case FILE [--section N]: gas section N (default 0) of a gas or settings file;\n"
    "for leak the file's units and stored labyrinth inputs are the defaults.\n"
    "\n"
    "exit codes: 0 success, 2 usage, 3 gas code or gas list, 4 input out of range,\n"
    "            5 calculation stopped, 6 calculation error, 7 file error\n";

std::string Plain(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
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

const CliCommand kCharacteriseCommand{
    "characterise",
    "GAS [--json]",
    "The characterised mixture of a gas: molecular weight, acentric factor, pseudo-critical\n"
    "temperature (degR) and pressure (psia), and the eight Benedict-Webb-Rubin constants.",
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Characterise(args, io.out, io.messages);
    }};

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

const CliCommand kZCommand{
    "z",
    "GAS --pressure P --temperature T [--json]",
    "The compressibility factor Z and the specific volume (ft3/lb) of a gas at a pressure and a\n"
    "temperature; a temperature below 200 degR is raised to 200 degR.",
    "  --pressure P               pressure, psia\n"
    "  --temperature T            temperature, degR\n"
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Compress(args, io.out, io.messages);
    }};

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

const CliCommand kTsatCommand{
    "tsat",
    "GAS --pressure P [--json]",
    "The saturation (dew) temperature estimate of a gas at a pressure, in degR.",
    "  --pressure P               pressure, psia\n"
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Tsat(args, io.out, io.messages);
    }};

int Leak(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(args, kLeakOptions, kJson);
  const LeakRequest request = ReadLeakRequest(o);
  const UnitChoice& units = request.units;
  const LabyInputs& in = request.inputs;

  GasEngine engine(msg);
  LoadLeakGas(o, request, engine);
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
    UnitsField(j, units);
    j.Key("warnings").BeginArray();
    for (auto w : r.warnings) j.String(WarningText(w, units));
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

const CliCommand kLeakCommand{
    "leak",
    "GAS [--units english|si|metric] --type stepped|straight\n"
    "--diameter D --clearance C --pressure-up P\n"
    "--pressure-down P --temperature-up T --thickness T\n"
    "--spacing S --teeth N --flow-coef CF [--json]",
    "The leakage of a labyrinth seal, with the labyrinth window's field checks, stops and\n"
    "warnings: mass flow, standard flow, and inlet and exhaust volume flows. With --case, a\n"
    "settings file's unit choice and stored inputs are the defaults; options override them.",
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Leak(args, io.out, io.messages);
    },
    true};

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

const CliCommand kShowCommand{
    "show",
    "FILE [--json]",
    "Every field of a gas or settings file as stored, with the problems that would stop the\n"
    "program from opening it and a labyrinth type nothing can compute with. NaN and infinite\n"
    "doubles print as \"NaN\", \"Infinity\" and \"-Infinity\". Exits 7 only for a file it\n"
    "cannot read at all.",
    "  --json                     answer in JSON\n",
    false,
    [](const std::vector<std::string>& args, CliStreams& io) { return Show(args, io.out); }};

SubCommand& ReportCommand() {
  static SubCommand command;
  return command;
}

const CliCommand kReportCommand{
    "report",
    "FILE.trv --pdf OUT.pdf [--json]",
    "The labyrinth report of a settings file's calculated labyrinth record, as a PDF of one\n"
    "Letter page. A gas file, or a case whose labyrinth was never calculated, has nothing to\n"
    "report. The report is written by the program torvane-report beside torvane-cli.",
    "  --pdf OUT.pdf              the PDF to write; an existing file is replaced only by a\n"
    "                             complete report, and only when it is a regular, writable file\n"
    "                             other than FILE\n"
    "  --json                     answer in JSON\n",
    false,
    [](const std::vector<std::string>& args, CliStreams& io) {
      if (!ReportCommand()) throw CliFailure{kExitUsage, "report is not available in this build"};
      return ReportCommand()(args, io.out, io.err);
    }};

// The options of leak, shared by the commands built on it.
constexpr const char kLeakOptionsHelp[] =
    "  --units english|si|metric  the units of the inputs and the answer: english (in, psia,\n"
    "                             deg F, lb/min, ft3/min), si (mm, Bar a, deg C, kg/hr, m3/hr)\n"
    "                             or metric (mm, kg/cm2 a, deg C, kg/min, m3/hr); default\n"
    "                             english, or the case file's own units\n"
    "  --type stepped|straight    the labyrinth type\n"
    "  --diameter D               seal diameter\n"
    "  --clearance C              seal radial clearance\n"
    "  --pressure-up P            upstream pressure\n"
    "  --pressure-down P          downstream pressure\n"
    "  --temperature-up T         upstream temperature\n"
    "  --thickness T              tooth thickness\n"
    "  --spacing S                tooth spacing (pitch)\n"
    "  --teeth N                  number of teeth\n"
    "  --flow-coef CF             flow coefficient\n";

// Every command, in the order the usage lists them.
const std::vector<const CliCommand*>& Commands() {
  static const std::vector<const CliCommand*> commands = {
      &kCharacteriseCommand, &kZCommand,     &kPropsCommand, &kTsatCommand, &kLeakCommand,
      &kCompareCommand,      &kSweepCommand, &kBatchCommand, &kShowCommand, &kReportCommand,
  };
  return commands;
}

const CliCommand* FindCommand(std::string_view name) {
  for (const CliCommand* c : Commands()) {
    if (c->name == name) return c;
  }
  return nullptr;
}

// Prints lines with every line after the first indented by indent blanks.
void PrintIndented(std::ostream& out, std::string_view text, size_t indent) {
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    if (start > 0) out << std::string(indent, ' ');
    out << text.substr(start, end == std::string_view::npos ? end : end - start) << '\n';
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

std::string Usage() {
  std::ostringstream out;
  out << kUsageHead;
  for (const CliCommand* c : Commands()) {
    const std::string name = "  " + std::string(c->name);
    out << name << std::string(name.size() < 15 ? 15 - name.size() : 1, ' ');
    PrintIndented(out, c->synopsis, std::max<size_t>(name.size() + 1, 15));
  }
  out << kUsageTail;
  return out.str();
}

bool AsksForHelp(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; });
}

}  // namespace

std::string CommandHelp(const CliCommand& command) {
  std::ostringstream out;
  const std::string head = "usage: torvane-cli " + std::string(command.name) + " ";
  out << head;
  PrintIndented(out, command.synopsis, head.size());
  out << '\n' << command.summary << "\n\noptions:\n";
  if (command.takes_gas) out << kGasSourceHelp;
  if (command.takes_leak_options) out << kLeakOptionsHelp;
  out << command.options << "  --help                     show this help\n";
  return out.str();
}

std::vector<std::string> CommandNames() {
  std::vector<std::string> names;
  for (const CliCommand* c : Commands()) names.emplace_back(c->name);
  return names;
}

void SetReportCommand(SubCommand command) { ReportCommand() = std::move(command); }

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintError(err, "no command given (try torvane-cli --help)");
    return kExitUsage;
  }
  const std::string& name = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  StreamMessages messages(err);
  CliStreams streams{out, err, messages};
  int code = kExitOk;
  try {
    if (name == "--help" || name == "-h" || name == "help") {
      const CliCommand* command = rest.empty() ? nullptr : FindCommand(rest[0]);
      if (!rest.empty() && command == nullptr) {
        throw CliFailure{kExitUsage, "unknown command '" + rest[0] + "' (try --help)"};
      }
      out << (command ? CommandHelp(*command) : Usage());
    } else if (name == "--version") {
      out << "torvane-cli Version " << kVersionMajor << '.' << kVersionMinor << '.'
          << kVersionRevision << '\n';
    } else if (const CliCommand* command = FindCommand(name)) {
      if (AsksForHelp(rest)) {
        out << CommandHelp(*command);
      } else {
        code = command->run(rest, streams);
      }
    } else {
      throw CliFailure{kExitUsage, "unknown command '" + name + "' (try --help)"};
    }
    FlushAnswer(out);
    return code;
  } catch (const CliFailure& f) {
    if (!f.message.empty()) PrintError(err, f.message);
    return f.code;
  } catch (const CalculationError&) {
    messages.Show(kCalculationErrorMessage, MessageIcon::kCritical);
    return kExitCalculation;
  } catch (const InputOutOfRange&) {
    return kExitRange;
  } catch (const FileError& e) {
    PrintError(err, e.what());
    return kExitFile;
  } catch (const std::exception& e) {
    PrintError(err, e.what());
    return kExitUsage;
  }
}

}  // namespace torvane::cli
