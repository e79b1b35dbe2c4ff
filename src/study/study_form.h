// The study window's rules without a window: the inputs a study starts from, the reading of the
// window's entries into ranges, the table of points and the summary line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "laby/labyrinth_form.h"
#include "study/study_run.h"
#include "study/sweep.h"

namespace torvane {

// The inputs of the labyrinth window as they stand, or the first box (in the order of the
// labyrinth data record) that does not hold a number.
std::variant<LabyInputs, LabyField> StudyStartingInputs(const LabyEntries& entries);

// The boxes of the study window.
enum class StudyBox {
  kNone,
  kFirstFrom,
  kFirstTo,
  kFirstCount,
  kSecondVariable,
  kSecondFrom,
  kSecondTo,
  kSecondCount,
};

// What the window holds when the user asks for a run; nothing where a box is not a number.
struct StudyEntries {
  StudyVariable first = StudyVariable::kClearance;
  std::optional<double> first_from;
  std::optional<double> first_to;
  std::int64_t first_count = 21;
  std::optional<StudyVariable> second;  // none: one curve
  std::optional<double> second_from;
  std::optional<double> second_to;
  std::int64_t second_count = 3;
};

// The ranges of the entries, or the message for the user and the box to go back to.
struct StudyEntryCheck {
  std::vector<SweepRange> ranges;
  std::string problem;
  StudyBox focus = StudyBox::kNone;
};
StudyEntryCheck CheckStudyEntries(const StudyEntries& entries);

// The columns of the table of points: the varied inputs with their units, the four results with
// theirs, with the classical methods "Gamma (cp/cv)" (the point's) and "Martin (lb/min)",
// "Martin-Vermes (lb/min)", "Tooth by tooth (lb/min)", then "Status", "Message", "Warnings".
std::vector<std::string> StudyTableHeaders(const Sweep& sweep);
// How many columns, from the first, hold numbers.
int StudyTableNumberColumns(const Sweep& sweep);
// A cell's text; results are empty for a failed point or method, warnings joined by " | ".
std::string StudyTableCell(const Sweep& sweep, const SweepPoint& point, int column);

// "21 points, 2 failed"; "Cancelled after 1,234 of 5,000 points, 0 failed".
std::string StudySummary(const StudyRun& run);

// The whole study so far as CSV text, as torvane-cli sweep writes it.
std::string StudyCsv(const StudyRun& run);

}  // namespace torvane
