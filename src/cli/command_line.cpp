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
  std::vector<GasListEntry> out;
  if (gas_list.empty()) throw CliFailure{kExitGas, "bad gas list: it is empty"};
  size_t start = 0;
  while (true) {
    const size_t comma = gas_list.find(',', start);
    const std::string entry =
        gas_list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) {
      throw CliFailure{kExitGas, "bad gas list: '" + entry + "' is not CODE:FRACTION"};
    }
    const std::string code = entry.substr(0, colon);
    if (code.empty()) throw CliFailure{kExitGas, "bad gas list: '" + entry + "' has no code"};
    const auto fraction = ParseNumber(entry.substr(colon + 1));
    if (!fraction || entry.find(',', colon) != std::string::npos) {
      throw CliFailure{kExitGas, "bad gas list: the fraction of '" + entry + "' is not a number"};
    }
    out.push_back({code, *fraction});
    if (out.size() > static_cast<size_t>(kMaxComponents)) {
      throw CliFailure{kExitGas, "bad gas list: more than 30 components"};
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return out;
}

}  // namespace torvane::cli
