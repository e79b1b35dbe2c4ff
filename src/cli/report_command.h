// torvane-cli report FILE.trv --pdf OUT.pdf: the labyrinth report of a settings file as a PDF.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace torvane::cli {

int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace torvane::cli
