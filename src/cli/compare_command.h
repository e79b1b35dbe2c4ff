// torvane-cli compare: one labyrinth case worked by the program's correlation and by the
// classical methods (Martin, Martin-Vermes, tooth by tooth) side by side.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace torvane::cli {

class StreamMessages;

// Takes the options of `leak` plus --gamma K (cp/cv, default 1.3) and --real-gas. The answer
// is produced whenever the case could be read and its gas characterised, whatever the
// correlation or a method made of it.
int Compare(const std::vector<std::string>& args, std::ostream& out, StreamMessages& messages);

}  // namespace torvane::cli
