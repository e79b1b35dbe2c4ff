#include "cli/batch_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <istream>
#include <ostream>
#include <set>

#include "cli/answer_stream.h"
#include "cli/case_options.h"
#include "cli/cli_command.h"
#include "cli/dynamics_options.h"
#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "engine/gas_engine.h"
#include "platform/errors.h"
#include "platform/standard_output.h"

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

std::string BatchAnswer(const std::string& line, long long line_number) {
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
