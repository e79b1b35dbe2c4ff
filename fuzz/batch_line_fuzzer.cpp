// Feeds arbitrary bytes to the batch command as one input line: the strict JSON object reader,
// the reading of the leak options from its keys, and the calculation. Whatever the line, the
// answer is one line of valid JSON (json_check.h) that names the line. Lines naming a case file
// are left out: the fuzzer does not read files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/batch_command.h"
#include "cli/json_reader.h"
#include "json_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  if (line.find("case") != std::string::npos) return 0;
  try {
    for (const auto& member : torvane::cli::ReadFlatJsonObject(line)) {
      if (member.key.size() > line.size() || member.text.size() > line.size() * 4) std::abort();
    }
  } catch (const torvane::cli::JsonSyntaxError& e) {
    if (e.column() < 1 || e.column() > line.size() + 1) std::abort();
  }
  const std::string answer = torvane::cli::BatchAnswer(line, 7);
  if (answer.rfind("{\"line\":7,\"status\":\"", 0) != 0) std::abort();
  if (answer.find('\n') != std::string::npos || answer.back() != '}') std::abort();
  if (!torvane_fuzz::IsJson(answer)) std::abort();
  return 0;
}
