#include "cli/command_line.h"

#include "units/number_format.h"

namespace torvane::cli {

Options Options::Parse(const std::vector<std::string>& args, const std::set<std::string>& valued,
                       const std::set<std::string>& switches) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) != 0 || arg == "--") {
      o.positional_.push_back(arg);
      continue;
    }
    std::string name = arg.substr(2);
    std::optional<std::string> value;
    if (const auto eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    if (switches.count(name)) {
      if (value) throw CliFailure{kExitUsage, "option --" + name + " takes no value"};
      o.switches_.insert(name);
      continue;
    }
    if (!valued.count(name)) throw CliFailure{kExitUsage, "unknown option --" + name};
    if (o.values_.count(name)) throw CliFailure{kExitUsage, "option --" + name + " given twice"};
    if (!value) {
      if (i + 1 >= args.size()) throw CliFailure{kExitUsage, "option --" + name + " needs a value"};
      value = args[++i];
    }
    o.values_[name] = *value;
  }
  return o;
}

void Options::ExpectNoPositional() const {
  if (!positional_.empty()) {
    throw CliFailure{kExitUsage, "unexpected argument '" + positional_.front() + "'"};
  }
}

std::optional<std::string> Options::Text(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::optional<double> Options::Number(const std::string& name) const {
  auto text = Text(name);
  if (!text) return std::nullopt;
  auto value = ParseNumber(*text);
  if (!value) throw CliFailure{kExitUsage, "--" + name + ": '" + *text + "' is not a number"};
  return value;
}

double Options::RequiredNumber(const std::string& name) const {
  auto value = Number(name);
  if (!value) throw CliFailure{kExitUsage, "missing option --" + name};
  return *value;
}

std::vector<GasListEntry> ParseGasList(const std::string& gas_list) {
  try {
    return ReadGasList(gas_list);
  } catch (const GasListError& e) {
    throw CliFailure{kExitGas, e.what()};
  }
}

}  // namespace torvane::cli
