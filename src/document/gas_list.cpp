#include "document/gas_list.h"

#include "engine/gas_mixture.h"
#include "units/number_format.h"

namespace torvane {

std::vector<GasListEntry> ReadGasList(const std::string& gas_list) {
  std::vector<GasListEntry> out;
  if (gas_list.empty()) throw GasListError("bad gas list: it is empty");
  size_t start = 0;
  while (true) {
    const size_t comma = gas_list.find(',', start);
    const std::string entry =
        gas_list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) {
      throw GasListError("bad gas list: '" + entry + "' is not CODE:FRACTION");
    }
    const std::string code = entry.substr(0, colon);
    if (code.empty()) throw GasListError("bad gas list: '" + entry + "' has no code");
    const auto fraction = ParseNumber(entry.substr(colon + 1));
    if (!fraction || entry.find(',', colon) != std::string::npos) {
      throw GasListError("bad gas list: the fraction of '" + entry + "' is not a number");
    }
    out.push_back({code, *fraction});
    if (out.size() > static_cast<size_t>(kMaxComponents)) {
      throw GasListError("bad gas list: more than 30 components");
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return out;
}

}  // namespace torvane
