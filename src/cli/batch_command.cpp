#include "cli/batch_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <istream>
#include <memory>
#include <ostream>
#include <set>

#include "cli/answer_stream.h"
#include "cli/case_options.h"
#include "cli/cli_command.h"
#include "cli/dynamics_options.h"
#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "platform/errors.h"
#include "platform/standard_output.h"
#include "units/number_format.h"

namespace torvane::cli {
namespace {

// The keys of a line that stand for switches: 1 or 0.
const std::set<std::string> kSwitchKeys = {kJennyKankiOption, kRealGasOption};

// The keys of a line: the leak options, and the coefficients' (--dynamics SPEED with the
// dynamics options, --gamma and the switches).
const std::set<std::string>& BatchKeys() {
  static const std::set<std::string> keys = [] {
    std::set<std::string> k = kLeakOptions;
    k.insert(kDynamicsOptions.begin(), kDynamicsOptions.end());
    k.insert({kDynamicsSpeedOption, kGammaOption});
    k.insert(kSwitchKeys.begin(), kSwitchKeys.end());
    return k;
  }();
  return keys;
}

std::string KeyList() {
  std::string list;
  for (const std::string& key : BatchKeys()) {
    if (!list.empty()) list += ", ";
    list += key;
  }
  return list;
}

// The line as the leak command's arguments: "--key" and the value's text.
std::vector<std::string> LineArguments(const std::string& line) {
  std::vector<std::string> args;
  for (JsonMember& m : ReadFlatJsonObject(line)) {
    if (!BatchKeys().count(m.key)) {
      throw CliFailure{kExitUsage,
                       "unknown key \"" + m.key + "\" (the keys are " + KeyList() + ")"};
    }
    if (kSwitchKeys.count(m.key)) {
      if (m.text != "0" && m.text != "1") {
        throw CliFailure{kExitUsage, "\"" + m.key + "\": '" + m.text + "' is not 1 or 0"};
      }
      if (m.text == "1") args.push_back("--" + m.key);
      continue;
    }
    args.push_back("--" + m.key);
    args.push_back(std::move(m.text));
  }
  return args;
}

// A message about options, reworded for the keys of a line: "missing option --diameter" becomes
// "missing key \"diameter\"", "--teeth: 'x' is not a number" becomes "\"teeth\": 'x' ...".
std::string KeyWording(std::string message) {
  const auto is_name_char = [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; };
  std::string out;
  size_t i = 0;
  while (i < message.size()) {
    if (message.compare(i, 2, "--") == 0) {
      size_t end = i + 2;
      while (end < message.size() && is_name_char(message[end])) ++end;
      const std::string name = message.substr(i + 2, end - i - 2);
      if (BatchKeys().count(name)) {
        const std::string option_word = "option ";
        if (out.size() >= option_word.size() &&
            out.compare(out.size() - option_word.size(), option_word.size(), option_word) == 0) {
          out.replace(out.size() - option_word.size(), option_word.size(), "key ");
        }
        out += "\"" + name + "\"";
        i = end;
        continue;
      }
    }
    out += message[i++];
  }
  return out;
}

// The arguments of the leak options alone.
std::vector<std::string> LeakArguments(const std::vector<std::string>& args) {
  std::vector<std::string> leak;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string name = args[i].substr(2);
    if (kLeakOptions.count(name)) {
      leak.push_back(args[i]);
      if (i + 1 < args.size()) leak.push_back(args[i + 1]);
    }
    if (!kSwitchKeys.count(name)) ++i;  // every other key has a value
  }
  return leak;
}

// The coefficients of a line at its speed, with the gamma they were worked with (nothing for the
// real gas).
struct LineCoefficients {
  SpeedAnswer answer;
  std::optional<CaseGamma> gamma;
};

// The coefficients a line asks for with "dynamics" and the keys of the dynamics options, worked
// whatever the correlation makes of the case, as a sweep works them; nothing when it asks for
// none. Raises CliFailure for keys that cannot be used.
std::optional<LineCoefficients> LineDynamics(const std::vector<std::string>& args) {
  std::set<std::string> valued = BatchKeys();
  for (const std::string& key : kSwitchKeys) valued.erase(key);
  const Options o = Options::Parse(args, valued, kSwitchKeys);
  const LeakRequest request = ReadLeakRequest(o);
  for (const char* option : {kGammaOption, kRealGasOption}) {
    if ((o.Has(option) || o.Switch(option)) && !o.Has(kDynamicsSpeedOption)) {
      throw CliFailure{kExitUsage, "--" + std::string(option) + " goes with --dynamics"};
    }
  }
  const std::optional<SweepDynamics> asked = ReadPointDynamics(o, request);
  if (!asked) return std::nullopt;
  RecordingMessageService quiet;  // the leak answer has the gas's messages already
  GasEngine engine(quiet);
  LoadLeakGas(o, request, engine);
  const DynamicsCalculation d(request.inputs, request.units, engine.CurrentMixture(),
                              asked->options);
  return LineCoefficients{d.AtSpeed(asked->speed), d.gamma()};
}

std::string TooLongAnswer(long long line_number) {
  JsonWriter j;
  j.BeginObject();
  j.Key("line").Integer(line_number);
  j.Key("status").String("usage");
  j.Key("message").String("line " + std::to_string(line_number) + ": longer than " +
                          std::to_string(kMaxBatchLineBytes) + " bytes");
  j.Key("messages").BeginArray().EndArray();
  j.EndObject();
  return j.str();
}

// Whether the answers would go into the file the cases are read from (`batch FILE >> FILE`): the
// batch would read its own answers back and never end. Only a regular file counts: a terminal is
// both standard input and output of an interactive batch.
bool AnswersGoIntoInput(const struct stat& input, std::ostream& out) {
  const int fd = OutputDescriptor(out);
  struct stat output {};
  if (fd < 0 || ::fstat(fd, &output) != 0) return false;
  return S_ISREG(input.st_mode) && S_ISREG(output.st_mode) && input.st_dev == output.st_dev &&
         input.st_ino == output.st_ino;
}

}  // namespace

LineRead ReadBatchLine(std::streambuf& buffer, std::string& line, size_t max_bytes) {
  line.clear();
  bool any = false;
  bool too_long = false;
  for (int c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
    any = true;
    if (c == '\n') break;
    // One byte more than the limit is kept: it may be the CR of a CR LF line end.
    if (line.size() <= max_bytes) {
      line += static_cast<char>(c);
    } else {
      too_long = true;
    }
  }
  if (!any) return LineRead::kEnd;
  if (!too_long && !line.empty() && line.back() == '\r') line.pop_back();
  if (too_long || line.size() > max_bytes) return LineRead::kTooLong;
  return LineRead::kLine;
}

namespace {

// A plain leak line, answered without the arguments, options and JSON writer of the general
// path: a flat object of the leak's own keys, each once (gas, type, the nine numbers and at
// most units), strings without escapes and numbers in JSON's grammar, a gas whose loading shows
// no message. Its gas and its units are set up once and kept for the lines after it that name
// them again. Any other line (and any doubt) is left to the general path, whose answers these
// are byte for byte.
class PlainLeakLines {
 public:
  // Appends the answer of line to out; false, with out untouched, for a line that is not plain.
  bool Answer(std::string_view line, long long line_number, std::string& out) {
    using namespace std::string_view_literals;
    if (!Read(line)) return false;
    const int units_index = UnitsIndex(values_[kUnits]);
    if (units_index < 0) return false;
    LabyInputs in;
    if (values_[kType] == "straight") {
      in.laby_type = 1;
    } else if (values_[kType] == "stepped") {
      in.laby_type = 0;
    } else {
      return false;
    }
    for (size_t k = 0; k < kNumberKeys; ++k) {
      const std::string_view text = values_[kFirstNumber + k];
      std::optional<double> v = ParsePlainDecimal(text);
      if (!v) v = ParseNumber(text);
      if (!v) return false;
      in.*kNumberFields[k] = *v;
    }
    if (!UseGas(values_[kGas])) return false;
    Units& units = UnitsOf(units_index);
    LabyrinthCalculation& calculation = CalculationOf(units_index, units);

    messages_.Clear();
    calculation.Calculate(in, outcome_);
    const std::vector<Message>& shown = messages_.messages();

    char number[32];
    out += "{\"line\":"sv;
    out.append(number, std::to_chars(number, number + sizeof number, line_number).ptr);
    out += ",\"status\":\""sv;
    if (outcome_.status == LabyOutcome::Status::kDone) {
      out += "ok\""sv;
      const LabyResults& r = outcome_.results;
      const auto field = [&](std::string_view key, double v) {
        out += key;
        AppendJsonNumber(v, out);
      };
      field(",\"mass_flow\":"sv, r.laby_flow);
      field(",\"std_flow\":"sv, r.laby_flow_std);
      out += ",\"std_flow_unit\":\""sv;
      AppendJsonEscaped(r.std_flow_unit, out);
      out += '"';
      field(",\"inlet_flow\":"sv, r.laby_supply_flow);
      field(",\"exhaust_flow\":"sv, r.laby_volume_flow);
    } else {
      switch (outcome_.status) {
        case LabyOutcome::Status::kFieldCheckFailed:
          out += "range\""sv;
          break;
        case LabyOutcome::Status::kStopped:
          out += "stop\""sv;
          break;
        default:
          out += "error\""sv;
          break;
      }
      out += ",\"message\":\""sv;
      if (!shown.empty()) AppendJsonEscaped(shown.back().text, out);
      out += '"';
    }
    out += units.field;
    out += ",\"warnings\":["sv;
    for (size_t k = 0; k < outcome_.warnings.size(); ++k) {
      if (k > 0) out += ',';
      out += outcome_.warnings[k] == LeakageWarning::kClearanceRatio ? units.ratio_warning
                                                                     : units.suggested_warning;
    }
    out += "],\"messages\":["sv;
    for (size_t k = 0; k < shown.size(); ++k) {
      if (k > 0) out += ',';
      out += '"';
      AppendJsonEscaped(shown[k].text, out);
      out += '"';
    }
    out += "]}"sv;
    return true;
  }

 private:
  enum Key : size_t { kGas, kType, kUnits, kFirstNumber, kKeyCount = kFirstNumber + 9 };
  static constexpr size_t kNumberKeys = 9;
  static constexpr std::array<std::string_view, kKeyCount> kKeys = {
      "gas",           "type",           "units",     "diameter", "clearance", "pressure-up",
      "pressure-down", "temperature-up", "thickness", "spacing",  "teeth",     "flow-coef"};
  static constexpr std::array<double LabyInputs::*, kNumberKeys> kNumberFields = {
      &LabyInputs::seal_dia,   &LabyInputs::seal_rad_clear, &LabyInputs::press_up,
      &LabyInputs::press_down, &LabyInputs::temp_up,        &LabyInputs::tooth_thk,
      &LabyInputs::tooth_spc,  &LabyInputs::tooth_no,       &LabyInputs::flo_co};

  // The units of the line in force, with their texts in the answer.
  struct Units {
    UnitChoice choice;
    std::string field;          // ,"units":{...}
    std::string ratio_warning;  // the warnings as JSON strings
    std::string suggested_warning;
  };

  // The members of the line into values_ (units empty when absent); false for a line that is
  // not plain.
  bool Read(std::string_view text) {
    values_.fill({});
    std::array<bool, kKeyCount> given{};
    size_t pos = 0;
    const auto blanks = [&] {
      while (pos < text.size() &&
             (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n')) {
        ++pos;
      }
    };
    const auto at = [&](char c) { return pos < text.size() && text[pos] == c; };
    // A string without escapes or bytes outside printable ASCII, its content.
    const auto string = [&](std::string_view& content) {
      const size_t start = ++pos;
      while (pos < text.size() && text[pos] != '"') {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c == '\\' || c < 0x20 || c >= 0x80) return false;
        ++pos;
      }
      if (pos >= text.size()) return false;
      content = text.substr(start, pos - start);
      ++pos;
      return true;
    };
    const auto digits = [&] {
      const size_t start = pos;
      while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
      return pos > start;
    };
    // A number in JSON's grammar, its literal text.
    const auto number = [&](std::string_view& literal) {
      const size_t start = pos;
      if (at('-')) ++pos;
      if (at('0')) {
        ++pos;
      } else if (!digits()) {
        return false;
      }
      if (at('.')) {
        ++pos;
        if (!digits()) return false;
      }
      if (at('e') || at('E')) {
        ++pos;
        if (at('+') || at('-')) ++pos;
        if (!digits()) return false;
      }
      literal = text.substr(start, pos - start);
      return true;
    };
    blanks();
    if (!at('{')) return false;
    ++pos;
    blanks();
    if (at('}')) return false;
    while (true) {
      blanks();
      // The key: one of the leak's keys and its closing quote, compared in place (a key with
      // an escape or any other key is not plain).
      if (!at('"') || pos + 1 >= text.size()) return false;
      const std::string_view rest = text.substr(pos + 1);
      size_t k = 0;
      while (k < kKeyCount &&
             (kKeys[k][0] != rest[0] || rest.size() <= kKeys[k].size() ||
              rest[kKeys[k].size()] != '"' || rest.compare(0, kKeys[k].size(), kKeys[k]) != 0)) {
        ++k;
      }
      if (k == kKeyCount || given[k]) return false;
      pos += kKeys[k].size() + 2;
      given[k] = true;
      blanks();
      if (!at(':')) return false;
      ++pos;
      blanks();
      if (k == kGas && text.size() - pos > gas_.size() + 1 && !gas_.empty() &&
          text.compare(pos + 1, gas_.size(), gas_) == 0 && text[pos + 1 + gas_.size()] == '"') {
        // The gas of the line before, already known to be plain.
        values_[k] = text.substr(pos + 1, gas_.size());
        pos += gas_.size() + 2;
      } else if (at('"')) {
        if (!string(values_[k])) return false;
      } else if (k < kFirstNumber || !number(values_[k])) {
        return false;
      }
      blanks();
      if (at(',')) {
        ++pos;
        continue;
      }
      if (!at('}')) return false;
      ++pos;
      break;
    }
    blanks();
    if (pos != text.size()) return false;
    for (size_t k = 0; k < kKeyCount; ++k) {
      if (!given[k] && k != kUnits) return false;
    }
    // Units given empty are not the units left out: the general path says what is wrong.
    return !(given[kUnits] && values_[kUnits].empty());
  }

  // 0 for no units, 1 to 3 for the presets; -1 for another text.
  static int UnitsIndex(std::string_view name) {
    if (name.empty()) return 0;
    if (name == "english") return 1;
    if (name == "si") return 2;
    if (name == "metric") return 3;
    return -1;
  }

  // Loads the gas unless it is the one loaded; false for a gas whose loading fails or says
  // anything.
  bool UseGas(std::string_view gas) {
    if (engine_ && gas == gas_) return true;
    gas_.assign(gas);
    calculations_ = {};
    engine_.reset();
    messages_.Clear();
    auto engine = std::make_unique<GasEngine>(messages_);
    try {
      LoadGasList(gas_, *engine);
    } catch (...) {
      return false;
    }
    if (!messages_.messages().empty()) return false;
    engine_ = std::move(engine);
    return true;
  }

  Units& UnitsOf(int index) {
    std::unique_ptr<Units>& units = units_[static_cast<size_t>(index)];
    if (!units) {
      units = std::make_unique<Units>();
      if (index > 0) {
        units->choice.ApplyUnitChoice(UnitsPreset(std::string(kPresets[index])));
      }
      JsonWriter j;
      UnitsField(j, units->choice);
      units->field = "," + j.str();
      for (const auto [warning, text] :
           {std::pair{LeakageWarning::kClearanceRatio, &units->ratio_warning},
            std::pair{LeakageWarning::kSuggestedClearance, &units->suggested_warning}}) {
        JsonWriter w;
        w.String(WarningText(warning, units->choice));
        *text = w.str();
      }
    }
    return *units;
  }

  LabyrinthCalculation& CalculationOf(int index, const Units& units) {
    std::unique_ptr<LabyrinthCalculation>& c = calculations_[static_cast<size_t>(index)];
    if (!c) c = std::make_unique<LabyrinthCalculation>(units.choice, *engine_, messages_);
    return *c;
  }

  static constexpr std::array<std::string_view, 4> kPresets = {"", "english", "si", "metric"};

  std::array<std::string_view, kKeyCount> values_{};
  RecordingMessageService messages_;
  std::string gas_;
  std::unique_ptr<GasEngine> engine_;
  std::array<std::unique_ptr<Units>, 4> units_;
  std::array<std::unique_ptr<LabyrinthCalculation>, 4> calculations_;
  LabyOutcome outcome_;
};

}  // namespace

std::string BatchAnswer(const std::string& line, long long line_number) {
  std::string answer;
  answer.reserve(1024);  // a plain line's answer, written in place
  thread_local PlainLeakLines plain;
  if (plain.Answer(line, line_number, answer)) return answer;
  const std::string where = "line " + std::to_string(line_number) + ": ";
  RecordingMessageService messages;
  JsonWriter j;
  j.BeginObject();
  j.Key("line").Integer(line_number);
  std::vector<std::string> args;
  std::string unreadable;
  try {
    args = LineArguments(line);
  } catch (const JsonSyntaxError& e) {
    unreadable = where + "not a JSON object of strings and numbers: " + e.what();
  } catch (const CliFailure& f) {
    unreadable = where + f.message;
  }
  const std::vector<std::string> leak_args = LeakArguments(args);
  std::optional<LeakRun> run;
  std::optional<LineCoefficients> dynamics;
  if (unreadable.empty()) {
    run = RunLeak(leak_args, messages);
    if (!run->about_options && leak_args.size() != args.size()) {
      try {
        dynamics = LineDynamics(args);
      } catch (const CliFailure& f) {
        unreadable = where + KeyWording(f.message);
      }
    }
  }
  if (!unreadable.empty()) {
    j.Key("status").String("usage");
    j.Key("message").String(unreadable);
    MessagesField(j, messages);
  } else {
    // What is wrong with the line's keys is said in their words, with the line's number.
    LeakAnswerFields(j, *run, run->about_options ? where + KeyWording(run->message) : run->message,
                     messages);
    if (dynamics) {
      GammaFields(j, dynamics->gamma);
      j.Key("dynamics").BeginObject();
      DynamicsFiguresFields(j, dynamics->answer);
      j.EndObject();
    }
  }
  j.EndObject();
  return j.str();
}

int BatchCommand(const std::vector<std::string>& args, std::istream& standard_input,
                 std::ostream& out) {
  const Options o = Options::Parse(args, {}, {});
  if (o.positional().size() > 1) throw CliFailure{kExitUsage, "batch reads one FILE (or -)"};
  const std::string name = o.positional().empty() ? "-" : o.positional().front();

  std::ifstream file;
  struct stat st {};
  if (name != "-") {
    if (::stat(name.c_str(), &st) != 0) throw FileError(name, std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw FileError(name, "it is a folder");
    file.open(name, std::ios::binary);
    if (!file) throw FileError(name, std::strerror(errno));
  } else if (::fstat(STDIN_FILENO, &st) != 0) {
    st = {};
  }
  std::istream& in = name == "-" ? standard_input : file;
  const std::string input_name = name == "-" ? "standard input" : name;
  if (AnswersGoIntoInput(st, out)) {
    throw FileError(input_name, "it is also the standard output the answers would be written to");
  }

  AnswerStream answer(out);
  std::string line;
  long long line_number = 0;
  while (true) {
    // Answers wait in large pieces while more input is at hand, and are written before the
    // reading waits for more.
    std::streambuf& buffer = *in.rdbuf();
    if (buffer.in_avail() <= 0) answer.Finish();
    LineRead read;
    try {
      read = ReadBatchLine(buffer, line);
    } catch (const std::ios_base::failure&) {
      read = LineRead::kFailed;
    }
    if (read == LineRead::kEnd) break;
    if (read == LineRead::kFailed) {
      answer.Finish();
      throw FileError(input_name, "it could not be read after line " + std::to_string(line_number));
    }
    ++line_number;
    if (read == LineRead::kTooLong) {
      answer.text() += TooLongAnswer(line_number);
    } else {
      if (line.find_first_not_of(" \t") == std::string::npos) continue;
      answer.text() += BatchAnswer(line, line_number);
    }
    answer.text() += '\n';
    answer.WriteWhenFull();
  }
  answer.Finish();
  return kExitOk;
}

const CliCommand kBatchCommand{
    "batch",
    "[FILE|-]",
    "Leak cases in JSON Lines, one case a line with keys named like leak's options\n"
    "({\"gas\": \"CH4:1\", \"type\": \"straight\", \"diameter\": 6, ...}); answers in JSON Lines,\n"
    "one a line in the order of the input, each leak's JSON answer with \"line\" and \"status\".\n"
    "A line that cannot be read gets status \"usage\" and the batch goes on. With the key\n"
    "\"dynamics\" (a speed in rpm) and the keys of the dynamics options (\"tooth-height\",\n"
    "\"preswirl\", ..., \"gamma\", \"jenny-kanki\": 1, \"real-gas\": 1), the answer adds "
    "\"gamma\",\n"
    "\"gamma_source\" and \"dynamics\": the coefficients kxx, kxy, cxx, cxy, effective_damping\n"
    "and whirl_frequency_ratio at that speed.",
    "  FILE                       the cases; - or nothing reads standard input\n",
    false,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return BatchCommand(args, std::cin, io.out);
    }};

}  // namespace torvane::cli
