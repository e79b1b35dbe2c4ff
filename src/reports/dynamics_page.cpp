#include "reports/dynamics_page.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "reports/further_page.h"
#include "reports/method_comparison_page.h"

namespace torvane {
namespace {

constexpr double kLeftX = PagePrinter::kLeftX;
// Right edges of the table's columns: speed, K, k, C, c, effective stiffness, effective
// damping, whirl frequency ratio.
constexpr double kColumnRight[] = {1.6, 2.5, 3.35, 4.15, 4.95, 5.85, 6.75, 7.5};
constexpr double kRowPitch = 0.16;
constexpr double kPlotTop = 5.95;
constexpr double kPlotBottom = 7.4;

constexpr ReportColour kGrid{205, 205, 205};
constexpr ReportColour kCurveColour{0, 70, 160};
constexpr ReportColour kLimitColour{200, 30, 30};

// The columns of the window's table the page's columns show.
constexpr int kTableColumns[] = {0, 2, 3, 6, 7, 10, 11, 12};

// One stability figure against the rotor speed in the box x0..x1, y0..y1, with its limit
// drawn dashed.
struct StabilityPlot {
  DynamicsFigure figure;
  std::string title;
  double limit;
  std::string limit_name;
};

void PrintPlot(PagePrinter& page, const DynamicsResults& r, const StabilityPlot& plot, double x0,
               double x1, double y0, double y1) {
  PrinterSurface& s = page.surface();
  s.SetFontSize(9);
  s.SetFontBold(true);
  page.At(x0 - 0.55, y0 - 0.3, plot.title);
  s.SetFontBold(false);
  s.SetFontSize(8);

  const auto runs = FigureCurve(r.speeds, plot.figure);
  double x_lo = r.speeds.front().speed, x_hi = r.speeds.back().speed;
  if (x_lo > x_hi) std::swap(x_lo, x_hi);
  double y_lo = plot.limit, y_hi = plot.limit;
  for (const auto& run : runs) {
    for (const DynamicsPoint& p : run) {
      y_lo = std::min(y_lo, p.y);
      y_hi = std::max(y_hi, p.y);
    }
  }
  const AxisTicks xt = NiceTicks(x_lo, x_hi, 4);
  const AxisTicks yt = NiceTicks(y_lo - 0.03 * (y_hi - y_lo), y_hi + 0.03 * (y_hi - y_lo), 5);
  const auto x_of = [&](double v) { return x0 + (v - xt.low) / (xt.high - xt.low) * (x1 - x0); };
  const auto y_of = [&](double v) { return y1 - (v - yt.low) / (yt.high - yt.low) * (y1 - y0); };

  const std::string y_pattern = TickPattern(yt.step);
  for (double v = yt.low; v <= yt.high + yt.step / 2; v += yt.step) {
    const double y = y_of(v);
    if (v > yt.low + yt.step / 2 && v < yt.high - yt.step / 2) s.DrawLine(x0, y, x1, y, kGrid);
    page.RightAt(x0 - 0.06, y - 0.06, FormatReportNumber(v, y_pattern));
  }
  const std::string x_pattern = TickPattern(xt.step);
  for (double v = xt.low; v <= xt.high + xt.step / 2; v += xt.step) {
    s.DrawLine(x_of(v), y1, x_of(v), y1 + 0.05, kBlack);
    page.CentredAt(x_of(v), y1 + 0.08, FormatReportNumber(v, x_pattern));
  }
  page.Frame(x0, y0, x1, y1);
  page.CentredAt((x0 + x1) / 2, y1 + 0.24, SpeedAxisTitle());

  page.Dashed(x0, x1, y_of(plot.limit), kLimitColour);
  size_t points = 0;
  for (const auto& run : runs) points += run.size();
  for (const auto& run : runs) {
    for (size_t i = 0; i < run.size(); ++i) {
      const double x = x_of(run[i].x), y = y_of(run[i].y);
      if (i > 0) s.DrawLine(x_of(run[i - 1].x), y_of(run[i - 1].y), x, y, kCurveColour);
      if (points <= 60) page.Square(x, y, 0.02, kCurveColour);
    }
  }
  if (runs.empty())
    page.CentredAt((x0 + x1) / 2, (y0 + y1) / 2 - 0.06, "Not defined at these speeds");

  const double y = y1 + 0.45;
  s.DrawLine(x0 - 0.4, y + 0.06, x0 - 0.05, y + 0.06, kCurveColour);
  page.At(x0 + 0.05, y, FigureName(plot.figure));
  const double second = x0 + 1.35;
  page.Dashed(second, second + 0.35, y + 0.06, kLimitColour);
  page.At(second + 0.45, y, plot.limit_name);
}

}  // namespace

std::vector<size_t> DynamicsPageRows(size_t speeds) {
  std::vector<size_t> rows;
  if (speeds <= kDynamicsPageRows) {
    for (size_t i = 0; i < speeds; ++i) rows.push_back(i);
    return rows;
  }
  for (size_t k = 0; k < kDynamicsPageRows; ++k) {
    rows.push_back((k * (speeds - 1) + (kDynamicsPageRows - 1) / 2) / (kDynamicsPageRows - 1));
  }
  return rows;
}

void PrintDynamicsPage(PrinterSurface& surface, ReportServices services, const DynamicsResults& r) {
  if (r.speeds.empty()) throw PrinterError("a rotordynamics page without speeds");
  PagePrinter page(surface);
  PrintFurtherPageHeading(page, kDynamicsPageTitle, DynamicsSummary(r));

  surface.SetFontSize(9);
  double y = page.Wrapped(kLeftX, 2.05, DynamicsBasisText(r)) + 0.3;

  const std::string stiffness = "(" + StiffnessUnit(r.units) + ")";
  const std::string damping = "(" + DampingUnit(r.units) + ")";
  const std::string names[] = {"Speed",   "K = kxx",        "k = kxy",      "C = cxx",
                               "c = cxy", "Eff. stiffness", "Eff. damping", "WFR"};
  const std::string units[] = {"(rpm)", stiffness, stiffness, damping,
                               damping, stiffness, damping,   ""};
  surface.SetFontSize(8);
  surface.SetFontBold(true);
  for (size_t k = 0; k < std::size(names); ++k) page.RightAt(kColumnRight[k], y, names[k]);
  surface.SetFontBold(false);
  y += 0.15;
  for (size_t k = 0; k < std::size(units); ++k) {
    if (!units[k].empty()) page.RightAt(kColumnRight[k], y, units[k]);
  }
  y += 0.17;
  page.Rule(y);
  y += 0.04;
  const std::vector<size_t> rows = DynamicsPageRows(r.speeds.size());
  for (size_t index : rows) {
    const SpeedAnswer& s = r.speeds[index];
    page.RightAt(kColumnRight[0], y, DynamicsTableCell(s, 0));
    if (s.ok()) {
      for (size_t k = 1; k < std::size(kTableColumns); ++k) {
        const std::string cell = DynamicsTableCell(s, kTableColumns[k]);
        if (!cell.empty()) page.RightAt(kColumnRight[k], y, cell);
      }
    } else {
      page.At(kColumnRight[0] + 0.25, y, "failed: " + s.message);
    }
    y += kRowPitch;
  }
  y += 0.08;
  surface.SetFontSize(8);
  std::string note = "kyy = kxx, kyx = -kxy, cyy = cxx, cyx = -cxy. WFR: whirl frequency ratio.";
  if (rows.size() < r.speeds.size()) {
    note += " " + std::to_string(rows.size()) + " of " + std::to_string(r.speeds.size()) +
            " speeds are listed; the rotordynamics window's table and CSV export have them all.";
  }
  page.Wrapped(kLeftX, y, note);

  const double middle = (kLeftX + page.Right()) / 2;
  PrintPlot(page, r,
            {DynamicsFigure::kEffectiveDamping, EffectiveDampingAxisTitle(r.units), 0, "Zero"},
            kLeftX + 0.6, middle - 0.25, kPlotTop, kPlotBottom);
  PrintPlot(page, r,
            {DynamicsFigure::kWhirlFrequencyRatio, WhirlFrequencyRatioAxisTitle(), 1, "WFR = 1"},
            middle + 0.6, page.Right(), kPlotTop, kPlotBottom);

  PrintFurtherPageFooter(surface, services);
}

void PrintLabyrinthReportWithDynamics(PrinterSurface& surface, ReportServices services,
                                      const ReportCase& report_case, const LabyData& laby_data,
                                      const UnitChoice& units, const DynamicsResults& results) {
  PrintLabyrinthReportWith(
      surface, services, report_case, laby_data, units,
      [&](PrinterSurface& further) { PrintDynamicsPage(further, services, results); });
}

}  // namespace torvane
