#include "study/study_form.h"

#include "study/study_plot.h"
#include "study/sweep_csv.h"
#include "units/number_format.h"

namespace torvane {
namespace {

std::string Trimmed(const std::string& label) {
  const auto end = label.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}

std::string Count(std::int64_t n) { return FormatNumber(static_cast<double>(n), "#,##0"); }

}  // namespace

std::variant<LabyInputs, LabyField> StudyStartingInputs(const LabyEntries& entries) {
  LabyInputs in;
  in.laby_type = entries.laby_type;
  for (const LabyField field : kInputFields) {
    const std::optional<double>& value = entries[field];
    if (!value) return field;
    for (StudyVariable v : kStudyVariables) {
      if (VariableField(v) == field) SetVariableValue(in, v, *value);
    }
  }
  return in;
}

StudyEntryCheck CheckStudyEntries(const StudyEntries& e) {
  StudyEntryCheck check;
  const auto problem = [&](std::string text, StudyBox box) {
    check.ranges.clear();
    check.problem = std::move(text);
    check.focus = box;
    return check;
  };
  if (!e.first_from) return problem("From must be a number", StudyBox::kFirstFrom);
  if (!e.first_to) return problem("To must be a number", StudyBox::kFirstTo);
  check.ranges.push_back({e.first, *e.first_from, *e.first_to, e.first_count});
  if (e.second) {
    if (*e.second == e.first) {
      return problem("Choose a second input other than the first", StudyBox::kSecondVariable);
    }
    if (!e.second_from) return problem("From must be a number", StudyBox::kSecondFrom);
    if (!e.second_to) return problem("To must be a number", StudyBox::kSecondTo);
    check.ranges.push_back({*e.second, *e.second_from, *e.second_to, e.second_count});
  }
  if (e.first_count < 1) return problem("Points must be at least 1", StudyBox::kFirstCount);
  if (e.second && e.second_count < 1) {
    return problem("Points must be at least 1", StudyBox::kSecondCount);
  }
  const std::int64_t total = e.first_count * (e.second ? e.second_count : 1);
  if (total > kMaxWindowPoints) {
    return problem("A study here has at most " + Count(kMaxWindowPoints) + " points, not " +
                       Count(total) + "; torvane-cli sweep takes up to " + Count(kMaxSweepPoints),
                   StudyBox::kFirstCount);
  }
  try {
    CheckSweepRanges(check.ranges);
  } catch (const SweepSpecError&) {
    return problem("The range is too wide to divide into points", StudyBox::kFirstTo);
  }
  // Each value of the second input labels a curve: the number of teeth labels none with a
  // fraction. Along the axis any value is a point of the curve.
  if (check.ranges.size() == 2) {
    if (auto teeth = WholeTeethProblem(check.ranges[1])) {
      return problem(*teeth, StudyBox::kSecondCount);
    }
  }
  return check;
}

std::vector<std::string> StudyTableHeaders(const Sweep& sweep) {
  std::vector<std::string> headers;
  for (const SweepRange& r : sweep.ranges())
    headers.push_back(VariableCaption(r.variable, sweep.units()));
  const UnitChoice& units = sweep.units();
  const std::string volume = " (" + Trimmed(units.Label(Quantity::kVolumeFlow)) + ")";
  headers.push_back(PlotAxisTitle(PlotQuantity::kMassFlow, units));
  headers.push_back(PlotAxisTitle(PlotQuantity::kStdFlow, units));
  headers.push_back("Inlet volume flow" + volume);
  headers.push_back("Exhaust volume flow" + volume);
  if (sweep.methods()) {
    headers.push_back("Gamma (cp/cv)");
    const std::string mass = " (" + PlotUnit(PlotQuantity::kMassFlow, units) + ")";
    for (MethodId id : kMethodIds) headers.push_back(MethodName(id) + mass);
  }
  headers.push_back("Status");
  headers.push_back("Message");
  headers.push_back("Warnings");
  return headers;
}

int StudyTableNumberColumns(const Sweep& sweep) {
  // With the methods, their gamma and their flows.
  const int methods = sweep.methods() ? static_cast<int>(kMethodIds.size()) + 1 : 0;
  return static_cast<int>(sweep.ranges().size()) + 4 + methods;
}

std::string StudyTableCell(const Sweep& sweep, const SweepPoint& point, int column) {
  const int variables = static_cast<int>(sweep.ranges().size());
  if (column < 0) return std::string();
  if (column < variables) return ShortestGeneral(point.values[static_cast<size_t>(column)]);
  int k = column - variables;
  if (sweep.methods() && k == 4) {
    if (!point.gamma || !point.gamma->ok()) return std::string();
    return FormatNumber(point.gamma->value, "0.0000");
  }
  if (sweep.methods() && k >= 5) {
    const size_t method = static_cast<size_t>(k - 5);
    if (method < kMethodIds.size()) {
      if (!point.methods || !(*point.methods)[method]) return std::string();
      return ResultText(*(*point.methods)[method]);
    }
    k -= static_cast<int>(kMethodIds.size()) + 1;
  }
  const bool ok = point.status == PointStatus::kOk;
  const LabyResults& r = point.results;
  switch (k) {
    case 0:
      return ok ? ResultText(r.laby_flow) : std::string();
    case 1:
      return ok ? ResultText(r.laby_flow_std) : std::string();
    case 2:
      return ok ? ResultText(r.laby_supply_flow) : std::string();
    case 3:
      return ok ? ResultText(r.laby_volume_flow) : std::string();
    case 4:
      return std::string(StatusName(point.status));
    case 5:
      return point.message;
    case 6:
      return JoinedWarnings(point);
    default:
      return std::string();
  }
}

std::string StudySummary(const StudyRun& run) {
  const std::string failed = Count(run.failed()) + " failed";
  if (run.cancelled()) {
    return "Cancelled after " + Count(run.done()) + " of " + Count(run.size()) + " points, " +
           failed;
  }
  return Count(run.done()) + (run.done() == 1 ? " point, " : " points, ") + failed;
}

std::string StudyCsv(const StudyRun& run) {
  std::string csv =
      SweepCsvHeader(run.sweep().ranges(), run.sweep().units(), run.sweep().methods().has_value());
  for (const SweepPoint& p : run.points()) AppendSweepCsvRow(p, run.sweep().ranges().size(), csv);
  return csv;
}

}  // namespace torvane
