#include "reports/report_frame.h"

#include <cmath>

#include "platform/errors.h"
#include "units/number_format.h"

namespace torvane {
namespace {

constexpr double kLeftX = 1.0;       // labels, rules and the first table column
constexpr double kValueX = 2.2;      // values of the summary lines
constexpr double kRightInset = 0.5;  // rules and right-aligned texts end this far inside
constexpr double kPairPitch = 1.25;  // from one (code, fraction) pair to the next
constexpr double kFractionOffset = 0.5;
constexpr int kPairsPerLine = 5;

}  // namespace

std::string FileNameOf(std::string_view path) {
  const auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FormatReportNumber(double value, std::string_view pattern) {
  try {
    return FormatNumber(value, pattern);
  } catch (const CalculationError& e) {
    throw PrinterError(e.what());
  }
}

ReportFrame::ReportFrame(PrinterSurface& surface, ReportServices services,
                         const ReportCase& report_case)
    : surface_(&surface), services_(services), case_(&report_case) {}

void ReportFrame::SetUpReportPage() {
  surface_->SetOrientation(PageOrientation::kPortrait);
  surface_->SetScaleInches();
  surface_->SetScaleTop(0.4);
  surface_->SetScaleLeft(0.2);
}

void ReportFrame::LoadReportPictures() {
  ReportState& s = services_.state;
  if (!s.HeaderPicture) s.HeaderPicture = services_.pictures.Load(kHeaderPictureFile);
  if (!s.FooterPicture) s.FooterPicture = services_.pictures.Load(kFooterPictureFile);
  if (!s.HeaderPicture || !s.FooterPicture) throw PrinterError("a report picture did not load");
}

void ReportFrame::PrintAtX(double x, const std::string& text) {
  surface_->SetPosition(x, services_.state.ReportLineY);
  surface_->PrintText(text);
}

void ReportFrame::PrintCentred(const std::string& text) {
  const double x = surface_->PrintableWidth() / 2 - surface_->TextWidth(text) / 2;
  PrintAtX(x, text);
}

void ReportFrame::PrintRightAligned(const std::string& text) {
  const double x = (surface_->PrintableWidth() - kRightInset) - surface_->TextWidth(text);
  PrintAtX(x, text);
}

void ReportFrame::PrintRule() {
  const double y = services_.state.ReportLineY;
  surface_->DrawLine(kLeftX, y, surface_->PrintableWidth() - kRightInset, y, kBlack);
}

void ReportFrame::PrintSummaryPage(const std::string& title) {
  ReportState& s = services_.state;
  const ReportCase& c = *case_;

  surface_->SetFontName(kReportFontName);
  surface_->SetFontBold(false);

  LoadReportPictures();
  surface_->DrawPicture(*s.HeaderPicture, 2.05, 1.0, 4.4, 1.2);

  surface_->SetFontSize(8);
  s.ReportLineSpacing = 0.15;
  s.ReportLineY = 2.2;
  PrintAtX(kLeftX, "Page " + std::to_string(surface_->PageNumber()));

  s.ReportLineY += s.ReportLineSpacing;
  PrintRule();

  surface_->SetFontSize(18);
  surface_->SetFontBold(true);
  s.ReportLineY += 0.2;
  PrintCentred(kSummaryTitle);
  s.ReportLineY += 0.25;
  PrintCentred(title);

  surface_->SetFontBold(false);
  s.ReportLineY += 0.4;
  s.ReportLineY += 0.28;
  surface_->SetFontSize(8);
  PrintAtX(kLeftX, FormatReportDate(services_.clock.Today()));
  PrintRightAligned(c.version_text);

  surface_->SetFontSize(10);
  s.ReportLineY += s.ReportLineSpacing;
  PrintRule();

  s.ReportLineY += s.ReportLineSpacing;
  surface_->SetFontBold(true);
  PrintAtX(kLeftX, "Title :  ");
  surface_->SetFontBold(false);
  PrintAtX(kValueX, c.case_title);

  s.ReportLineY += s.ReportLineSpacing;
  surface_->SetFontBold(true);
  PrintAtX(kLeftX, "Settings file name :  ");
  surface_->SetFontBold(false);
  PrintAtX(kValueX, c.settings_file_path.empty() ? kUnsavedData : FileNameOf(c.settings_file_path));

  if (!c.gas_file_title.empty()) {
    s.ReportLineY += s.ReportLineSpacing;
    surface_->SetFontBold(true);
    PrintAtX(kLeftX, "Gas file name :  ");
    surface_->SetFontBold(false);
    PrintAtX(kValueX, FileNameOf(c.gas_file_title));
  }

  s.ReportLineY += 0.25;
  PrintRule();
}

void ReportFrame::PrintGasAnalysisPage(int section) {
  ReportState& s = services_.state;
  const ReportCase& c = *case_;
  if (section < 0 || section >= kReportGasSections) {
    throw PrinterError("gas section " + std::to_string(section) + " does not exist");
  }
  const int n = c.component_count;
  if (n < 0 || n > kReportMaxComponents) {
    throw PrinterError("the gas analysis holds " + std::to_string(n) + " components");
  }
  const auto g = static_cast<size_t>(section);

  s.ReportLineY += s.ReportLineSpacing;
  surface_->SetFontBold(true);
  if (c.reserved_r2 < 2) {
    PrintAtX(kLeftX, "Gas Analysis");
  } else if (c.reserved_r2 == 2) {
    PrintAtX(kLeftX, "Gas Analysis - Section " + std::to_string(section + 1));
  }
  surface_->SetFontBold(false);
  PrintRightAligned("Total Mol Weight  " + FormatReportNumber(c.mix_mol_weight[g], "####.00"));

  // Table lines: one for up to five components, otherwise full lines of five and a last line
  // with the rest.
  int lines = 1;
  int last_line_entries = n;
  s.GasPairsAcross = n;
  if (n > kPairsPerLine) {
    lines = n / kPairsPerLine + 1;
    s.GasPairsAcross = kPairsPerLine;
    last_line_entries = n - (lines - 1) * kPairsPerLine;
  }

  s.ReportLineY += 0.3;
  surface_->SetFontUnderline(true);
  double x = kLeftX;
  for (int k = 1; k <= 2 * s.GasPairsAcross; k += 2) {
    PrintAtX(x, "Gas  ");
    PrintAtX(x + kFractionOffset, "Mol Fr  ");
    x += kPairPitch;
  }
  surface_->SetFontUnderline(false);

  // n = 0 still takes one (empty) table line.
  int slot = 0;
  int entries_counted = 0;
  int line = 1;
  int entries_on_line = 0;
  do {
    s.ReportLineY += 0.15;
    if (entries_counted == kPairsPerLine) {
      entries_counted = 0;
      ++line;
    }
    if (line < lines) {
      entries_on_line = kPairsPerLine;
    } else if (line == lines) {
      entries_on_line = last_line_entries;
    }
    x = kLeftX;
    for (int e = 0; e < entries_on_line && slot < n; ++e) {
      ++entries_counted;
      const auto j = static_cast<size_t>(slot);
      PrintAtX(x, c.gas_code[g][j]);
      PrintAtX(x + kFractionOffset, FormatReportNumber(c.mol_fraction[g][j], "0.00000"));
      x += kPairPitch;
      ++slot;
    }
  } while (slot < n);

  s.ReportLineY += 0.25;
  PrintRule();
}

}  // namespace torvane
