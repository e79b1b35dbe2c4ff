#include "reports/further_page.h"

#include <algorithm>
#include <cmath>

namespace torvane {
namespace {

// The footer picture at its smallest height, as on the first page.
constexpr double kFooterTop = 8.55;
constexpr double kFooterHeight = 2.11;

// A surface that passes every call to another one but keeps the document open when the report
// on it ends, so that a further page can follow.
class ContinuingSurface : public PrinterSurface {
 public:
  explicit ContinuingSurface(PrinterSurface& inner) : inner_(&inner) {}

  void SetOrientation(PageOrientation o) override { inner_->SetOrientation(o); }
  void SetScaleInches() override { inner_->SetScaleInches(); }
  void SetScaleTop(double top) override { inner_->SetScaleTop(top); }
  void SetScaleLeft(double left) override { inner_->SetScaleLeft(left); }
  void SetFontName(const std::string& name) override { inner_->SetFontName(name); }
  void SetFontSize(double points) override { inner_->SetFontSize(points); }
  void SetFontBold(bool bold) override { inner_->SetFontBold(bold); }
  void SetFontUnderline(bool underline) override { inner_->SetFontUnderline(underline); }
  void SetPosition(double x, double y) override { inner_->SetPosition(x, y); }
  double CurrentX() const override { return inner_->CurrentX(); }
  double CurrentY() const override { return inner_->CurrentY(); }
  void PrintText(const std::string& text) override { inner_->PrintText(text); }
  double TextWidth(const std::string& text) const override { return inner_->TextWidth(text); }
  double PrintableWidth() const override { return inner_->PrintableWidth(); }
  int PageNumber() const override { return inner_->PageNumber(); }
  void DrawLine(double x1, double y1, double x2, double y2, ReportColour colour) override {
    inner_->DrawLine(x1, y1, x2, y2, colour);
  }
  void DrawPicture(const ReportPicture& picture, double x, double y, double width,
                   double height) override {
    inner_->DrawPicture(picture, x, y, width, height);
  }
  void NewPage() override { inner_->NewPage(); }
  void EndDocument() override { ended_ = true; }

  bool ended() const { return ended_; }

 private:
  PrinterSurface* inner_;
  bool ended_ = false;
};

}  // namespace

void PagePrinter::At(double x, double y, const std::string& text) {
  s_.SetPosition(x, y);
  s_.PrintText(text);
}

void PagePrinter::RightAt(double x, double y, const std::string& text) {
  At(x - s_.TextWidth(text), y, text);
}

void PagePrinter::CentredAt(double x, double y, const std::string& text) {
  At(x - s_.TextWidth(text) / 2, y, text);
}

void PagePrinter::Rule(double y) { s_.DrawLine(kLeftX, y, Right(), y, kBlack); }

double PagePrinter::Right() const { return s_.PrintableWidth() - kRightInset; }

double PagePrinter::Wrapped(double x, double y, const std::string& text) {
  const double width = Right() - x;
  std::string line;
  size_t from = 0;
  while (from <= text.size()) {
    size_t to = text.find(' ', from);
    if (to == std::string::npos) to = text.size();
    const std::string word = text.substr(from, to - from);
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && s_.TextWidth(longer) > width) {
      At(x, y, line);
      y += kNotePitch;
      line = word;
    } else {
      line = longer;
    }
    from = to + 1;
  }
  At(x, y, line);
  return y;
}

void PagePrinter::Dashed(double x1, double x2, double y, ReportColour colour) {
  for (double x = x1; x < x2; x += 0.16) s_.DrawLine(x, y, std::min(x + 0.1, x2), y, colour);
}

void PagePrinter::Square(double x, double y, double half, ReportColour colour) {
  s_.DrawLine(x - half, y - half, x + half, y - half, colour);
  s_.DrawLine(x + half, y - half, x + half, y + half, colour);
  s_.DrawLine(x + half, y + half, x - half, y + half, colour);
  s_.DrawLine(x - half, y + half, x - half, y - half, colour);
}

void PagePrinter::Diamond(double x, double y, double half, ReportColour colour) {
  s_.DrawLine(x, y - half, x + half, y, colour);
  s_.DrawLine(x + half, y, x, y + half, colour);
  s_.DrawLine(x, y + half, x - half, y, colour);
  s_.DrawLine(x - half, y, x, y - half, colour);
}

void PagePrinter::Frame(double x0, double y0, double x1, double y1) {
  s_.DrawLine(x0, y0, x1, y0, kBlack);
  s_.DrawLine(x1, y0, x1, y1, kBlack);
  s_.DrawLine(x1, y1, x0, y1, kBlack);
  s_.DrawLine(x0, y1, x0, y0, kBlack);
}

std::string TickPattern(double step) {
  int decimals = 0;
  while (decimals < 6 && std::abs(step * std::pow(10, decimals) -
                                  std::round(step * std::pow(10, decimals))) > 1e-9) {
    ++decimals;
  }
  return decimals == 0 ? "#,##0" : "#,##0." + std::string(static_cast<size_t>(decimals), '0');
}

void PrintFurtherPageHeading(PagePrinter& page, const std::string& title,
                             const std::string& subtitle) {
  PrinterSurface& surface = page.surface();
  surface.NewPage();
  surface.SetFontName(kReportFontName);
  surface.SetFontBold(false);
  surface.SetFontUnderline(false);
  surface.SetFontSize(8);
  page.At(PagePrinter::kLeftX, 1.0, "Page " + std::to_string(surface.PageNumber()));
  page.Rule(1.15);
  surface.SetFontSize(14);
  surface.SetFontBold(true);
  const double middle = surface.PrintableWidth() / 2;
  page.CentredAt(middle, 1.3, title);
  surface.SetFontBold(false);
  surface.SetFontSize(10);
  page.CentredAt(middle, 1.65, subtitle);
  page.Rule(1.9);
}

void PrintFurtherPageFooter(PrinterSurface& surface, ReportServices services) {
  ReportState& state = services.state;
  if (!state.FooterPicture) state.FooterPicture = services.pictures.Load(kFooterPictureFile);
  surface.DrawPicture(*state.FooterPicture, 4.0 - 2.65, kFooterTop, 6.0, kFooterHeight);
}

void PrintLabyrinthReportWith(PrinterSurface& surface, ReportServices services,
                              const ReportCase& report_case, const LabyData& laby_data,
                              const UnitChoice& units,
                              const std::function<void(PrinterSurface&)>& further_pages) {
  ContinuingSurface first(surface);
  PrintLabyrinthReport(first, services, report_case, laby_data, units);
  if (!first.ended()) throw PrinterError("the labyrinth report did not finish its page");
  further_pages(surface);
  surface.EndDocument();
}

}  // namespace torvane
