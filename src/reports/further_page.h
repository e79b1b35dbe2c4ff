// What the further pages of the labyrinth report share: the first page printed exactly as alone
// with the document kept open, the drawing helpers in inches, and the heading and footer of a
// further page.
#pragma once

#include <functional>
#include <string>

#include "reports/labyrinth_report.h"

namespace torvane {

// Text and lines on a further page, in inches from the printable area's corner.
class PagePrinter {
 public:
  static constexpr double kLeftX = 1.0;
  static constexpr double kRightInset = 0.5;
  static constexpr double kNotePitch = 0.15;

  explicit PagePrinter(PrinterSurface& surface) : s_(surface) {}

  void At(double x, double y, const std::string& text);
  void RightAt(double x, double y, const std::string& text);
  void CentredAt(double x, double y, const std::string& text);
  // A rule across the page.
  void Rule(double y);
  // The right edge of the page's content.
  double Right() const;
  // Prints text from x, broken at blanks into lines no wider than the page allows; returns the
  // y of the last line.
  double Wrapped(double x, double y, const std::string& text);
  // A line broken into dashes.
  void Dashed(double x1, double x2, double y, ReportColour colour);
  void Square(double x, double y, double half, ReportColour colour);
  void Diamond(double x, double y, double half, ReportColour colour);
  void Frame(double x0, double y0, double x1, double y1);

  PrinterSurface& surface() { return s_; }

 private:
  PrinterSurface& s_;
};

// The number pattern of tick labels a step apart: as many decimals as the step needs.
std::string TickPattern(double step);

// Starts a new page with its number, the title and a line under it, as every further page.
void PrintFurtherPageHeading(PagePrinter& page, const std::string& title,
                             const std::string& subtitle);
// The footer picture at the foot of a further page, as on the first page.
void PrintFurtherPageFooter(PrinterSurface& surface, ReportServices services);

// The labyrinth report's first page exactly as PrintLabyrinthReport prints it, then what
// further_pages prints; ends the document. Throws PrinterError.
void PrintLabyrinthReportWith(PrinterSurface& surface, ReportServices services,
                              const ReportCase& report_case, const LabyData& laby_data,
                              const UnitChoice& units,
                              const std::function<void(PrinterSurface&)>& further_pages);

}  // namespace torvane
