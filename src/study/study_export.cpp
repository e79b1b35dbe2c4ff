#include "study/study_export.h"

#include <algorithm>

#include "document/ansi_text.h"
#include "document/case_context.h"
#include "study/study_form.h"
#include "study/study_plot.h"
#include "units/number_format.h"

namespace torvane {
namespace {

constexpr char kUnsavedCase[] = "<Unsaved Data>";

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

// "Seal radial clearance from 0.005 to 0.02 in, 21 points"; the second range says "curves of".
std::string RangeText(const SweepRange& range, const UnitChoice& units, bool curves) {
  std::string text = curves ? "curves of " : "";
  text += VariableTitle(range.variable) + " from " + ShortestGeneral(range.from) + " to " +
          VariableValueText(range.variable, range.to, units) + ", " + std::to_string(range.count);
  if (curves) return text + (range.count == 1 ? " value" : " values");
  return text + (range.count == 1 ? " point" : " points");
}

}  // namespace

StudyCase StudyCaseOf(const CaseContext& context) {
  StudyCase c;
  c.title = context.laby_title.empty() ? AnsiToUtf8(context.record.case_title.Trimmed())
                                       : context.laby_title;
  if (!context.settings_file_path.empty()) c.settings_file = FileTitle(context.settings_file_path);
  const int section = context.CurrentGas();
  std::string gas = context.gas_file_title.empty() ? std::string() : context.gas_file_title + ", ";
  gas += "gas " + std::to_string(section + 1) + " of " +
         std::to_string(context.record.last_gas_section + 1);
  if (context.record.component_count > 0) gas += ":";
  for (int i = 0; i < context.record.component_count; ++i) {
    const std::string code = AnsiToUtf8(context.record.GasCode(i, section).Trimmed());
    gas += (i == 0 ? " " : ", ") + (code.empty() ? std::string("?") : code) + " " +
           FormatNumber(context.record.MolFraction(i, section), "0.00000");
  }
  c.gas = gas;
  return c;
}

std::vector<std::string> StudyExportHeading(const StudyCase& study_case, const StudyRun& run) {
  const Sweep& sweep = run.sweep();
  const UnitChoice& units = sweep.units();
  std::vector<std::string> lines;
  lines.push_back("Title: " + study_case.title);
  lines.push_back("Settings file: " + (study_case.settings_file.empty()
                                           ? std::string(kUnsavedCase)
                                           : study_case.settings_file));
  lines.push_back("Gas: " + study_case.gas);

  std::vector<std::string> fixed;
  fixed.push_back(sweep.base().laby_type == 1 ? "Straight labyrinth" : "Stepped labyrinth");
  for (StudyVariable v : kStudyVariables) {
    const bool varied = std::any_of(sweep.ranges().begin(), sweep.ranges().end(),
                                    [v](const SweepRange& r) { return r.variable == v; });
    if (!varied) fixed.push_back(VariableSetting(v, VariableValue(sweep.base(), v), units));
  }
  lines.push_back("Fixed inputs: " + Join(fixed, ", "));

  std::vector<std::string> varied;
  for (size_t k = 0; k < sweep.ranges().size(); ++k) {
    varied.push_back(RangeText(sweep.ranges()[k], units, k == 1));
  }
  lines.push_back("Varied: " + Join(varied, "; "));
  lines.push_back(StudySummary(run));
  return lines;
}

std::vector<std::string> StudyFailedPointLines(const StudyRun& run, std::size_t most) {
  if (run.failed() == 0) return {"Failed points: none"};
  std::vector<std::string> lines{"Failed points:"};
  std::size_t listed = 0;
  for (const SweepPoint& p : run.points()) {
    if (p.status == PointStatus::kOk) continue;
    if (listed == most) {
      lines.push_back(
          "... and " +
          FormatNumber(static_cast<double>(run.failed()) - static_cast<double>(most), "#,##0") +
          " more");
      break;
    }
    lines.push_back(FailedPointText(run.sweep(), p));
    ++listed;
  }
  return lines;
}

}  // namespace torvane
