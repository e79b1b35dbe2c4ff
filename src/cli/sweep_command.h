// torvane-cli sweep: the case of `leak` with one or two of its inputs varied over
// NAME=FROM:TO:COUNT, every point calculated as `leak` would calculate it, the answer written as
// CSV or JSON while the points are computed.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace torvane::cli {

class StreamMessages;

int SweepCommand(const std::vector<std::string>& args, std::ostream& out, StreamMessages& messages);

}  // namespace torvane::cli
