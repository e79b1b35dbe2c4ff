// CSV text as the program's exports write it: a field is quoted only when it holds a comma, a
// quote or a line break, a quote inside it doubled.
#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Appends text as one CSV field.
void AppendCsvField(std::string_view text, std::string& out);

// Appends the shortest text that reads back to the same double (never NaN or infinity here:
// the calculation paths let neither through).
void AppendShortest(double value, std::string& out);

}  // namespace torvane
