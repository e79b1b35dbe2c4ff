#include "cli/batch_command.h"

#include <sys/stat.h>

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
#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "engine/gas_engine.h"
#include "platform/errors.h"

namespace torvane::cli {
namespace {

std::string KeyList() {
  std::string list;
  for (const std::string& key : kLeakOptions) {
    if (!list.empty()) list += ", ";
    list += key;
  }
  return list;
}

// The line as the leak command's arguments: "--key" and the value's text.
std::vector<std::string> LineArguments(const std::string& line) {
  std::vector<std::string> args;
  for (JsonMember& m : ReadFlatJsonObject(line)) {
    if (!kLeakOptions.count(m.key)) {
      throw CliFailure{kExitUsage,
                       "unknown key \"" + m.key + "\" (the keys are " + KeyList() + ")"};
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
      if (kLeakOptions.count(name)) {
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

const char* StatusOfExitCode(int code) {
  switch (code) {
    case kExitGas:
      return "gas";
    case kExitFile:
      return "file";
    default:
      return "usage";
  }
}

struct LineFailure {
  std::string status;
  std::string message;
};

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
  std::optional<UnitChoice> units;
  std::optional<LineFailure> failure;
  LabyOutcome outcome;
  try {
    const Options o = Options::Parse(LineArguments(line), kLeakOptions, {});
    const LeakRequest request = ReadLeakRequest(o);
    units = request.units;
    GasEngine engine(messages);
    LoadLeakGas(o, request, engine);
    LabyrinthCalculation calculation(request.units, engine, messages);
    outcome = calculation.Calculate(request.inputs);
    const auto last_message = [&] {
      return messages.messages().empty() ? std::string() : messages.messages().back().text;
    };
    switch (outcome.status) {
      case LabyOutcome::Status::kDone:
        break;
      case LabyOutcome::Status::kFieldCheckFailed:
        failure = LineFailure{"range", last_message()};
        break;
      case LabyOutcome::Status::kStopped:
        failure = LineFailure{"stop", last_message()};
        break;
      case LabyOutcome::Status::kCalculationError:
        failure = LineFailure{"error", last_message()};
        break;
    }
  } catch (const JsonSyntaxError& e) {
    failure = LineFailure{"usage", where + "not a JSON object of strings and numbers: " + e.what()};
  } catch (const CliFailure& f) {
    // A gas code not in the library has had its message shown already.
    std::string message = f.message;
    if (message.empty() && !messages.messages().empty()) message = messages.messages().back().text;
    failure = LineFailure{StatusOfExitCode(f.code), where + KeyWording(message)};
  } catch (const FileError& e) {
    failure = LineFailure{"file", where + e.what()};
  } catch (const CalculationError&) {
    messages.Show(kCalculationErrorMessage, MessageIcon::kCritical);
    failure = LineFailure{"error", kCalculationErrorMessage};
  } catch (const InputOutOfRange& e) {
    failure = LineFailure{"range", e.what()};
  } catch (const std::exception& e) {
    failure = LineFailure{"usage", where + e.what()};
  }

  JsonWriter j;
  j.BeginObject();
  j.Key("line").Integer(line_number);
  j.Key("status").String(failure ? failure->status : "ok");
  if (failure) {
    j.Key("message").String(failure->message);
  } else {
    LeakResultFields(j, outcome.results);
  }
  if (units) {
    UnitsField(j, *units);
    j.Key("warnings").BeginArray();
    for (auto w : outcome.warnings) j.String(WarningText(w, *units));
    j.EndArray();
  }
  MessagesField(j, messages);
  j.EndObject();
  return j.str();
}

int BatchCommand(const std::vector<std::string>& args, std::istream& standard_input,
                 std::ostream& out) {
  const Options o = Options::Parse(args, {}, {});
  if (o.positional().size() > 1) throw CliFailure{kExitUsage, "batch reads one FILE (or -)"};
  const std::string name = o.positional().empty() ? "-" : o.positional().front();

  std::ifstream file;
  if (name != "-") {
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0) throw FileError(name, std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw FileError(name, "it is a folder");
    file.open(name, std::ios::binary);
    if (!file) throw FileError(name, std::strerror(errno));
  }
  std::istream& in = name == "-" ? standard_input : file;
  const std::string input_name = name == "-" ? "standard input" : name;

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
    "A line that cannot be read gets status \"usage\" and the batch goes on.",
    "  FILE                       the cases; - or nothing reads standard input\n",
    false,
    [](const std::vector<std::string>& args, CliStreams& io) {
      return BatchCommand(args, std::cin, io.out);
    }};

}  // namespace torvane::cli
