#include "reports/method_comparison_page.h"

#include <algorithm>
#include <cmath>

#include "methods/comparison_table.h"
#include "reports/further_page.h"

namespace torvane {
namespace {

constexpr double kLeftX = PagePrinter::kLeftX;
// Left edges of the table's columns: method, leakage, ratio, choked, choking throttle,
// critical ratio.
constexpr double kColumnX[] = {1.0, 2.4, 3.55, 4.8, 5.45, 6.5};
// With the real gas's tooth by tooth, whose name is the longest, the columns after the names
// move right.
constexpr double kWideColumnX[] = {1.0, 2.6, 3.75, 5.0, 5.6, 6.65};
constexpr double kRowPitch = 0.2;
constexpr double kNotePitch = PagePrinter::kNotePitch;
// The plot ends here; the footer picture follows at its smallest height, as on the first page.
constexpr double kPlotBottom = 7.75;

constexpr ReportColour kGrid{205, 205, 205};
constexpr ReportColour kProfileColour{0, 70, 160};
constexpr ReportColour kDownstreamColour{200, 30, 30};

// The tooth-by-tooth pressures against the station, with the downstream pressure and the
// choked station, in the box x0..x1, y0..y1.
void PrintProfile(PagePrinter& page, const PressureProfile& profile, double x0, double x1,
                  double y0, double y1) {
  PrinterSurface& s = page.surface();
  const auto& p = profile.pressures;
  const int n = static_cast<int>(p.size()) - 1;
  const AxisTicks ticks = PressureAxis(profile);
  const auto x_of = [&](double station) { return x0 + (x1 - x0) * station / n; };
  const auto y_of = [&](double v) {
    return y1 - (v - ticks.low) / (ticks.high - ticks.low) * (y1 - y0);
  };

  s.SetFontSize(8);
  const std::string pattern = TickPattern(ticks.step);
  for (double v = ticks.low; v <= ticks.high + ticks.step / 2; v += ticks.step) {
    const double y = y_of(v);
    if (v > ticks.low && v < ticks.high - ticks.step / 2) s.DrawLine(x0, y, x1, y, kGrid);
    page.RightAt(x0 - 0.08, y - 0.06, FormatReportNumber(v, pattern));
  }
  for (int i = 0; i <= n; i += StationStep(n)) {
    s.DrawLine(x_of(i), y1, x_of(i), y1 + 0.05, kBlack);
    page.CentredAt(x_of(i), y1 + 0.08, std::to_string(i));
  }
  page.Frame(x0, y0, x1, y1);
  page.CentredAt((x0 + x1) / 2, y1 + 0.26, "Station");
  page.At(x0 - 0.5, y0 - 0.2, "Pressure (" + profile.pressure_unit + ")");

  page.Dashed(x0, x1, y_of(profile.downstream_pressure), kDownstreamColour);
  for (int i = 0; i <= n; ++i) {
    if (i > 0) s.DrawLine(x_of(i - 1), y_of(p[i - 1]), x_of(i), y_of(p[i]), kProfileColour);
    page.Square(x_of(i), y_of(p[i]), 0.025, kProfileColour);
  }
  const int k = profile.choked_station;
  if (k > 0 && k <= n) {
    page.Diamond(x_of(k), y_of(p[k]), 0.08, kDownstreamColour);
    page.RightAt(x_of(k) - 0.1, y_of(p[k]) - 0.2, "choked");
  }

  // Legend.
  const double y = y1 + 0.5;
  s.DrawLine(x0, y + 0.06, x0 + 0.35, y + 0.06, kProfileColour);
  page.Square(x0 + 0.175, y + 0.06, 0.025, kProfileColour);
  page.At(x0 + 0.45, y, "Cavity pressure, tooth by tooth");
  const double second = x0 + 2.4;
  page.Dashed(second, second + 0.35, y + 0.06, kDownstreamColour);
  page.At(second + 0.45, y, "Downstream pressure");
  if (k > 0) {
    const double third = x0 + 4.2;
    page.Diamond(third + 0.1, y + 0.06, 0.06, kDownstreamColour);
    page.At(third + 0.25, y, "Choked at throttle " + std::to_string(k));
  }
}

}  // namespace

AxisTicks NiceTicks(double lo, double hi, int count) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || count < 1) {
    throw PrinterError("a plot of values that are not numbers");
  }
  if (!(hi > lo)) {
    const double spread = lo != 0 ? std::abs(lo) * 0.1 : 1;
    lo -= spread;
    hi += spread;
  }
  const double raw = (hi - lo) / count;
  const double magnitude = std::pow(10, std::floor(std::log10(raw)));
  const double r = raw / magnitude;
  const double nice = r <= 1 ? 1 : r <= 2 ? 2 : r <= 5 ? 5 : 10;
  AxisTicks t;
  t.step = nice * magnitude;
  t.low = std::floor(lo / t.step) * t.step;
  t.high = std::ceil(hi / t.step) * t.step;
  return t;
}

AxisTicks PressureAxis(const PressureProfile& profile) {
  const auto& p = profile.pressures;
  double lo = profile.downstream_pressure, hi = profile.downstream_pressure;
  if (!p.empty()) {
    const auto [lo_it, hi_it] = std::minmax_element(p.begin(), p.end());
    lo = std::min(lo, *lo_it);
    hi = std::max(hi, *hi_it);
  }
  return NiceTicks(lo - 0.03 * (hi - lo), hi + 0.03 * (hi - lo), 5);
}

int StationStep(int stations) {
  if (stations <= 20) return 1;
  return std::max(1, static_cast<int>(NiceTicks(0, stations, 10).step));
}

void PrintMethodComparisonPage(PrinterSurface& surface, ReportServices services,
                               const MethodComparison& c) {
  PagePrinter page(surface);
  PrintFurtherPageHeading(page, kComparisonPageTitle, ComparisonBasisText(c));

  const ComparisonTable table = MakeComparisonTable(c);
  double y = 2.05;
  surface.SetFontUnderline(true);
  const double* column = c.real_gas_tooth_by_tooth ? kWideColumnX : kColumnX;
  for (size_t k = 0; k < table.header.size(); ++k) page.At(column[k], y, table.header[k]);
  surface.SetFontUnderline(false);
  y += 0.05;
  for (const auto& row : table.rows) {
    y += kRowPitch;
    for (size_t k = 0; k < row.size(); ++k) page.At(column[k], y, row[k]);
  }

  y += 0.3;
  surface.SetFontSize(9);
  for (const std::string& note : table.notes) y = page.Wrapped(kLeftX, y, note) + kNotePitch;

  y += 0.2;
  surface.SetFontSize(10);
  surface.SetFontBold(true);
  page.At(kLeftX, y, "Tooth-by-tooth cavity pressures");
  surface.SetFontBold(false);
  const PressureProfile profile = ToothByToothProfile(c);
  if (profile.empty()) {
    page.Wrapped(kLeftX, y + 0.3, "No pressure profile: " + c.methods[2].result.message);
  } else {
    PrintProfile(page, profile, kLeftX + 0.8, page.Right() - 0.2,
                 std::min(y + 0.65, kPlotBottom - 2.0), kPlotBottom);
  }

  PrintFurtherPageFooter(surface, services);
}

void PrintLabyrinthReportWithComparison(PrinterSurface& surface, ReportServices services,
                                        const ReportCase& report_case, const LabyData& laby_data,
                                        const UnitChoice& units,
                                        const MethodComparison& comparison) {
  PrintLabyrinthReportWith(
      surface, services, report_case, laby_data, units,
      [&](PrinterSurface& further) { PrintMethodComparisonPage(further, services, comparison); });
}

}  // namespace torvane
