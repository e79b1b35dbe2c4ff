// The calculator run in this process, as its tests drive it: the exit code and everything it
// wrote to standard output and standard error.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace torvane::testing {

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

// The lines of a text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The fields of a CSV row, quotes removed (a quoted field may hold commas).
inline std::vector<std::string> CsvFields(const std::string& row) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (char c : row) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(field);
  return fields;
}

inline CliRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = cli::RunCli(args, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace torvane::testing
