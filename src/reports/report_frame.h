// The report frame every printed report starts with: the page set-up, the summary block at the top
// of the first page, the gas-analysis table, and the small print operations the report bodies use.
// All positions are in inches of the surface's scale.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "reports/printer_surface.h"
#include "reports/report_case.h"
#include "reports/report_clock.h"

namespace torvane {

// File names of the report bitmaps, looked for in the program's folder.
inline constexpr const char kHeaderPictureFile[] = "qnheader16.bmp";
inline constexpr const char kFooterPictureFile[] = "qnfooter3.bmp";

inline constexpr const char kReportFontName[] = "Times New Roman";
inline constexpr const char kSummaryTitle[] = "Torvane \xC2\xAE Calculation Summary";
inline constexpr const char kUnsavedData[] = "<Unsaved Data>";

// The report state of the process. The pictures are loaded by the first report and kept for the
// later ones; a picture that failed to load stays empty and is tried again by the next report.
struct ReportState {
  double ReportLineY = 0;        // where the next line is printed
  double ReportLineSpacing = 0;  // the normal line advance, 0.15 once a summary page was printed
  std::shared_ptr<const ReportPicture> HeaderPicture;
  std::shared_ptr<const ReportPicture> FooterPicture;
  int GasPairsAcross = 0;  // (code, fraction) pairs in the last gas-analysis header row
};

// What a report needs besides its data and its surface.
struct ReportServices {
  ReportState& state;
  PictureLoader& pictures;
  const ReportClock& clock;
};

// The file-name part of a path: the text after the last '/'; a path without one is returned whole.
std::string FileNameOf(std::string_view path);

// FormatNumber for printing: a value that cannot be shown is a PrinterError.
std::string FormatReportNumber(double value, std::string_view pattern);

class ReportFrame {
 public:
  ReportFrame(PrinterSurface& surface, ReportServices services, const ReportCase& report_case);

  // Portrait, inch scale, printable area's top edge at y = 0.4 and left edge at x = 0.2.
  void SetUpReportPage();
  // Loads the header and footer pictures that are not loaded yet.
  void LoadReportPictures();
  // The summary block of the first page; leaves ReportLineY on its closing rule.
  void PrintSummaryPage(const std::string& title);
  // The gas analysis of section 0..2 below the current line; leaves ReportLineY on its closing
  // rule. Codes, fractions and molecular weight are all taken from that section.
  void PrintGasAnalysisPage(int section);

  // Prints text at (x, ReportLineY).
  void PrintAtX(double x, const std::string& text);
  // Prints text centred on the printable width at ReportLineY.
  void PrintCentred(const std::string& text);
  // A black line at ReportLineY from x = 1.0 to the printable width - 0.5.
  void PrintRule();

  PrinterSurface& surface() { return *surface_; }
  ReportState& state() { return services_.state; }
  const ReportCase& report_case() const { return *case_; }

 private:
  // Prints text so that it ends at the printable width - 0.5, at ReportLineY.
  void PrintRightAligned(const std::string& text);

  PrinterSurface* surface_;
  ReportServices services_;
  const ReportCase* case_;
};

}  // namespace torvane
