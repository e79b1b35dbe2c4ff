#include "cli/cli_app.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

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
    "            5 calculation stopped, 6 calculation error, 7 file error or an answer\n"
    "            that cannot be written, 141 a closed pipe (quietly)\n";

std::string Plain(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

const std::set<std::string> kJson = {"json"};

// The options of the gas commands: the gas source and --units.
std::set<std::string> GasCommandOptions(std::initializer_list<std::string> more) {
  std::set<std::string> names = {"gas", "case", "section", "units"};
  names.insert(more);
  return names;
}

std::string Unit(const UnitChoice& units, Quantity q) { return Trim(units.Label(q)); }

// The --units option of the gas commands, for their help.
constexpr const char kGasUnitsHelp[] =
    "  --units english|si|metric  the units of pressures, temperatures and specific volumes:\n"
    "                             english (psia, deg F, ft3/lb), si (Bar a, deg C, m3/kg) or\n"
    "                             metric (kg/cm2 a, deg C, m3/kg); default psia, deg R and\n"
    "                             ft3/lb, the equation of state's own\n";

// The units of the equation of state's constants, whatever --units says.
constexpr const char kBwrUnits[] = "psia, ft3, lbmol, deg R";

int Characterise(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(args, GasCommandOptions({}), kJson);
  CheckGasSourceOptions(o);
  const UnitChoice units = GasUnits(o);
  GasEngine engine(msg);
  LoadGasSource(o, engine);
  const GasMixture& m = engine.CurrentMixture();
  const double crit_temp = Checked(units.ConvertTemperature(m.pseudo_crit_temp, "RA"),
                                   "the pseudo-critical temperature in the user's unit");
  const double crit_press = Checked(units.ConvertPressure(m.pseudo_crit_press, "EA"),
                                    "the pseudo-critical pressure in the user's unit");
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    j.Key("mol_weight").Number(m.mix_mol_weight);
    j.Key("acentric").Number(m.mix_acentric);
    j.Key("pseudo_crit_temp").Number(crit_temp);
    j.Key("pseudo_crit_press").Number(crit_press);
    j.Key("bwr").BeginArray();
    for (double v : m.mix_bwr) j.Number(v);
    j.EndArray();
    j.Key("units").BeginObject();
    j.Key("mol_weight").String("lb/lbmol");
    j.Key("temperature").String(Unit(units, Quantity::kTemperature));
    j.Key("pressure").String(Unit(units, Quantity::kPressure));
    j.Key("bwr").String(kBwrUnits);
    j.EndObject();
    MessagesField(j, msg);
    j.EndObject();
    out << j.str() << '\n';
  } else {
    static constexpr const char* kNames[] = {"A0", "B0", "C0", "a", "b", "c", "alpha", "gamma"};
    out << "Molecular weight          "
        << FormatNumber(m.mix_mol_weight, MolWeightFormat(m.mix_mol_weight)) << " lb/lbmol\n"
        << "Acentric factor           " << Plain(m.mix_acentric) << '\n'
        << "Pseudo-critical temp.     " << FormatNumber(crit_temp, "#,##0.00") << ' '
        << Unit(units, Quantity::kTemperature) << '\n'
        << "Pseudo-critical pressure  " << FormatNumber(crit_press, units.PressureFormat()) << ' '
        << Unit(units, Quantity::kPressure) << '\n';
    for (size_t k = 0; k < 8; ++k) {
      out << "BWR " << kNames[k] << std::string(22 - std::string(kNames[k]).size(), ' ')
          << Plain(m.mix_bwr[k]) << '\n';
    }
  }
  return kExitOk;
}

const CliCommand kCharacteriseCommand{
    "characterise",
    "GAS [--units english|si|metric] [--json]",
    "The characterised mixture of a gas: molecular weight (lb/lbmol), acentric factor,\n"
    "pseudo-critical temperature and pressure, and the eight Benedict-Webb-Rubin constants\n"
    "(in psia, ft3, lbmol and deg R whatever the units).",
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Characterise(args, io.out, io.messages);
    },
    false,
    true};

int Compress(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(args, GasCommandOptions({"pressure", "temperature"}), kJson);
  CheckGasSourceOptions(o);
  const UnitChoice units = GasUnits(o);
  const double p =
      Checked(units.ConvertPressure(o.RequiredNumber("pressure"), "AE"), "the pressure in psia");
  double t = Checked(units.ConvertTemperature(o.RequiredNumber("temperature"), "AR"),
                     "the temperature in degR");
  GasEngine engine(msg);
  LoadGasSource(o, engine);
  const SpecificVolumeResult r = engine.SpecificVolume(p, t);
  const double volume = Checked(r.specific_volume * units.Factor(Quantity::kSpecificVolume),
                                "the specific volume in the user's unit");
  const double temperature =
      Checked(units.ConvertTemperature(t, "RA"), "the temperature in the user's unit");
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    j.Key("z").Number(r.z);
    j.Key("specific_volume").Number(volume);
    j.Key("temperature").Number(temperature);
    j.Key("units").BeginObject();
    j.Key("pressure").String(Unit(units, Quantity::kPressure));
    j.Key("temperature").String(Unit(units, Quantity::kTemperature));
    j.Key("specific_volume").String(Unit(units, Quantity::kSpecificVolume));
    j.EndObject();
    MessagesField(j, msg);
    j.EndObject();
    out << j.str() << '\n';
  } else {
    out << "Z                 " << Plain(r.z) << '\n'
        << "Specific volume   " << Plain(volume) << ' ' << Unit(units, Quantity::kSpecificVolume)
        << '\n'
        << "Temperature       " << Plain(temperature) << ' ' << Unit(units, Quantity::kTemperature)
        << '\n';
  }
  return kExitOk;
}

const CliCommand kZCommand{
    "z",
    "GAS [--units english|si|metric]\n--pressure P --temperature T [--json]",
    "The compressibility factor Z and the specific volume of a gas at a pressure and a\n"
    "temperature; a temperature below 200 deg R is raised to 200 deg R.",
    "  --pressure P               pressure (psia, or in the pressure unit of --units)\n"
    "  --temperature T            temperature (deg R, or in the temperature unit of --units)\n"
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Compress(args, io.out, io.messages);
    },
    false,
    true};

int Tsat(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  const Options o = Options::Parse(args, GasCommandOptions({"pressure"}), kJson);
  CheckGasSourceOptions(o);
  const UnitChoice units = GasUnits(o);
  const double p =
      Checked(units.ConvertPressure(o.RequiredNumber("pressure"), "AE"), "the pressure in psia");
  GasEngine engine(msg);
  LoadGasSource(o, engine);
  const double t = Checked(units.ConvertTemperature(engine.SaturationTemp(p), "RA"),
                           "the saturation temperature in the user's unit");
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject();
    j.Key("saturation_temp").Number(t);
    j.Key("units").BeginObject();
    j.Key("pressure").String(Unit(units, Quantity::kPressure));
    j.Key("temperature").String(Unit(units, Quantity::kTemperature));
    j.EndObject();
    MessagesField(j, msg);
    j.EndObject();
    out << j.str() << '\n';
  } else {
    out << "Saturation temperature  " << FormatNumber(t, "#,##0.0") << ' '
        << Unit(units, Quantity::kTemperature) << '\n';
  }
  return kExitOk;
}

const CliCommand kTsatCommand{
    "tsat",
    "GAS [--units english|si|metric] --pressure P [--json]",
    "The saturation (dew) temperature estimate of a gas at a pressure.",
    "  --pressure P               pressure (psia, or in the pressure unit of --units)\n"
    "  --json                     answer in JSON\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Tsat(args, io.out, io.messages);
    },
    false,
    true};

int Leak(const std::vector<std::string>& args, std::ostream& out, StreamMessages& msg) {
  // Asked for JSON, a failure answers in JSON too, before the options have been read.
  const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
  const LeakRun run = RunLeak(args, msg);
  if (json) {
    JsonWriter j;
    j.BeginObject();
    LeakAnswerFields(j, run, run.message, msg);
    j.EndObject();
    out << j.str() << '\n';
  }
  if (run.code != kExitOk) throw CliFailure{run.code, run.unprinted};
  if (json) return kExitOk;

  const UnitChoice& units = *run.units;
  const LabyResults& r = run.outcome.results;
  const std::string mass = Trim(units.Label(Quantity::kMassFlow));
  const std::string volume = Trim(units.Label(Quantity::kVolumeFlow));
  out << "Labyrinth flow rate   " << Plain(r.laby_flow) << ' ' << mass << '\n'
      << "Standard flow         " << Plain(r.laby_flow_std) << ' ' << r.std_flow_unit << '\n'
      << "Inlet volume flow     " << Plain(r.laby_supply_flow) << ' ' << volume << '\n'
      << "Exhaust volume flow   " << Plain(r.laby_volume_flow) << ' ' << volume << '\n';
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
    "settings file's unit choice and stored inputs are the defaults; options override them.\n"
    "The JSON answer begins with \"status\": \"ok\", or the failure's status and \"message\".",
    "  --json                     answer in JSON, also when the calculation fails\n",
    true,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return Leak(args, io.out, io.messages);
    },
    true};

// The 64 bits of a double as 16 hexadecimal digits: "7ff8000000000000" for the usual NaN.
std::string DoubleBits(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(bits));
  return text;
}

// Beside an array of doubles that holds a NaN or an infinity (written as null), "<key>_bits":
// each such element's index and raw bits, [{"index": [g, i], "bits": "7ff8000000000000"}].
// each_value calls its argument with every value and its index, in the array's order.
template <class EachValue>
void NonFiniteBits(JsonWriter& j, const std::string& key, EachValue each_value) {
  std::vector<std::pair<std::vector<int>, std::string>> found;
  each_value([&found](double value, std::vector<int> index) {
    if (!std::isfinite(value)) found.emplace_back(std::move(index), DoubleBits(value));
  });
  if (found.empty()) return;
  j.Key(key + "_bits").BeginArray();
  for (const auto& [index, bits] : found) {
    j.BeginObject().Key("index");
    if (index.size() == 1) {
      j.Integer(index.front());
    } else {
      j.BeginArray();
      for (int k : index) j.Integer(k);
      j.EndArray();
    }
    j.Key("bits").String(bits).EndObject();
  }
  j.EndArray();
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
    NonFiniteBits(j, "mol_fraction", [&](auto bits) {
      for (int g = 0; g < kRecordGasSections; ++g) {
        for (int i = 0; i < kGasSlots; ++i) bits(r.MolFraction(i, g), std::vector<int>{g, i});
      }
    });
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
      NonFiniteBits(j, key, [&](auto bits) {
        for (size_t k = 0; k < std::size(values); ++k) {
          bits(values[k], std::vector<int>{static_cast<int>(k)});
        }
      });
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
    "doubles print as \"NaN\", \"Infinity\" and \"-Infinity\"; in JSON as null, with their\n"
    "raw bits under \"<field>_bits\" beside the array. Exits 7 only for a file it cannot read\n"
    "at all.",
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

std::string Usage();
const CliCommand* FindCommand(std::string_view name);

int Help(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() > 1) throw CliFailure{kExitUsage, "help takes one COMMAND"};
  if (args.empty()) {
    out << Usage();
    return kExitOk;
  }
  const CliCommand* command = FindCommand(args[0]);
  if (command == nullptr) {
    throw CliFailure{kExitUsage, "unknown command '" + args[0] + "' (try --help)"};
  }
  out << CommandHelp(*command);
  return kExitOk;
}

const CliCommand kHelpCommand{
    "help",
    "[COMMAND]",
    "The commands of torvane-cli with their arguments, or the options of one command, as\n"
    "torvane-cli --help and torvane-cli COMMAND --help print them.",
    "  COMMAND                    the command whose options to list\n",
    false,
    [](const std::vector<std::string>& args, CliStreams& io) { return Help(args, io.out); }};

// Every command, in the order the usage lists them.
const std::vector<const CliCommand*>& Commands() {
  static const std::vector<const CliCommand*> commands = {
      &kCharacteriseCommand, &kZCommand,        &kTsatCommand,  &kPropsCommand,
      &kLeakCommand,         &kCompareCommand,  &kDynamicsCommand, &kSweepCommand,
      &kBatchCommand,        &kShowCommand,     &kReportCommand,   &kHelpCommand,
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
  if (command.takes_units) out << kGasUnitsHelp;
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

namespace {

int RunCommand(const std::string& name, const std::vector<std::string>& rest, CliStreams& io) {
  if (name == "--help" || name == "-h") return Help({}, io.out);
  if (name == "--version") {
    io.out << "torvane-cli Version " << kVersionMajor << '.' << kVersionMinor << '.'
           << kVersionRevision << '\n';
    return kExitOk;
  }
  const CliCommand* command = FindCommand(name);
  if (command == nullptr)
    throw CliFailure{kExitUsage, "unknown command '" + name + "' (try --help)"};
  if (AsksForHelp(rest)) {
    io.out << CommandHelp(*command);
    return kExitOk;
  }
  return command->run(rest, io);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintError(err, "no command given (try torvane-cli --help)");
    return kExitUsage;
  }
  StreamMessages messages(err);
  CliStreams streams{out, err, messages};
  int code = kExitOk;
  const auto failed = [&err](const CliFailure& f) {
    if (!f.message.empty()) PrintError(err, f.message);
    return f.code;
  };
  try {
    code = RunCommand(args[0], std::vector<std::string>(args.begin() + 1, args.end()), streams);
  } catch (const CliFailure& f) {
    code = failed(f);
  } catch (const CalculationError&) {
    messages.Show(kCalculationErrorMessage, MessageIcon::kCritical);
    code = kExitCalculation;
  } catch (const InputOutOfRange&) {
    code = kExitRange;
  } catch (const FileError& e) {
    PrintError(err, e.what());
    code = kExitFile;
  } catch (const std::exception& e) {
    PrintError(err, e.what());
    code = kExitUsage;
  }
  // What was answered, also before a failure, has to reach standard output; an answer that
  // cannot be written outweighs the command's own result.
  try {
    FlushAnswer(out);
  } catch (const CliFailure& f) {
    return failed(f);
  }
  return code;
}

}  // namespace torvane::cli
