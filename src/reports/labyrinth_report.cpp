#include "reports/labyrinth_report.h"

#include <optional>

namespace torvane {
namespace {

constexpr double kLabelX = 1.0;
constexpr double kValueX = 3.0;
constexpr double kUnitX = 3.7;

struct Row {
  const char* label;
  std::string value;
  std::optional<std::string> unit;
};

// Rows may end a hair above or below 8.4 through the sums of 0.15; a row on the line counts
// as above it.
constexpr double kPositionTolerance = 1e-9;

}  // namespace

std::string LabyrinthTypeText(double laby_type) {
  if (laby_type == 0) return "Stepped (Interlocking)";
  if (laby_type == 1) return "Straight";
  return "";
}

void PrintLabyrinthReport(PrinterSurface& surface, ReportServices services,
                          const ReportCase& report_case, const LabyData& d,
                          const UnitChoice& units) {
  ReportFrame frame(surface, services, report_case);
  ReportState& s = services.state;

  frame.SetUpReportPage();
  frame.PrintSummaryPage(kLabyrinthReportTitle);
  // The analysis of the gas the results were calculated with.
  frame.PrintGasAnalysisPage(report_case.gas_section);

  s.ReportLineY = surface.CurrentY() + 0.25;

  const std::string pressure_format = units.PressureFormat();
  const std::string& length = units.Label(Quantity::kLength);
  const std::string& pressure = units.Label(Quantity::kPressure);
  const std::string& volume_flow = units.Label(Quantity::kVolumeFlow);
  const auto number = [&d](int slot, const std::string& pattern) {
    return FormatReportNumber(d[static_cast<size_t>(slot)], pattern);
  };

  const Row rows[] = {
      {"Labyrinth type", LabyrinthTypeText(d[kLabyType]), std::nullopt},
      {"Seal diameter", number(kSealClear, "0.000"), length},
      {"Seal radial clearance", number(kSealRadClear, "0.000"), length},
      {"Upstream pressure", number(kPressUp, pressure_format), pressure},
      {"Downstream pressure", number(kPressDown, pressure_format), pressure},
      {"Upstream temperature", number(kTempUp, "#,###.0"), units.Label(Quantity::kTemperature)},
      {"Tooth thickness", number(kToothThick, "0.000"), length},
      {"Tooth spacing (pitch)", number(kToothSpacing, "0.000"), length},
      {"Number of teeth", number(kToothNumber, "#"), std::nullopt},
      {"Flow coefficient", number(kFlowCoef, "0.000"), std::nullopt},
      {"Labyrinth leakage", number(kLabyFlow, "0.000"), units.Label(Quantity::kMassFlow)},
      {" ", number(kLabyStdFlow, "0.000"), StandardFlowUnit(units.Index(Quantity::kMassFlow))},
      {"Inlet vol. flow", number(kLabySuppplyFlow, "0.000"), volume_flow},
      {"Exhaust vol. flow", number(kLabyVolumeFlow, "0.000"), volume_flow},
  };

  bool first = true;
  for (const Row& row : rows) {
    frame.PrintAtX(kLabelX, row.label);
    frame.PrintAtX(kValueX, row.value);
    if (row.unit) frame.PrintAtX(kUnitX, *row.unit);
    s.ReportLineY += first ? s.ReportLineSpacing + 0.15 : s.ReportLineSpacing;
    first = false;
  }
  s.ReportLineY += s.ReportLineSpacing;

  // The footer fills the page down to 10.66 in: taller when the rows end high on the page.
  double height = kFooterMinHeight;
  if (s.ReportLineY <= kFooterLimitY + kPositionTolerance) {
    height = kFooterMinHeight + (kFooterLimitY - s.ReportLineY);
  } else {
    s.ReportLineY = kFooterLimitY;
  }
  const double scale = height / kFooterMinHeight;
  surface.DrawPicture(*s.FooterPicture, 4.0 - 2.65 * scale, s.ReportLineY + s.ReportLineSpacing,
                      6.0 * scale, height);

  surface.EndDocument();
}

}  // namespace torvane
