// A printer surface that records every call with its arguments, and a picture loader that records
// every load, for tests of the exact sequence and coordinates of a report.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "reports/printer_surface.h"

namespace torvane {

struct SurfaceCall {
  std::string op;            // the operation's name, e.g. "PrintText"
  std::string text;          // its text argument, if any
  std::vector<double> args;  // its numeric arguments in order

  // "op(args...)" or "op(args...) \"text\"", numbers with up to 4 decimals.
  std::string ToString() const;
  bool operator==(const SurfaceCall&) const = default;
};

// Text widths are measured as 0.006 in per character per point of the current font size, plus
// 10% when bold, so that tests can work positions out by hand.
class RecordingPrinterSurface : public PrinterSurface {
 public:
  explicit RecordingPrinterSurface(double printable_width = 8.0)
      : printable_width_(printable_width) {}

  void SetOrientation(PageOrientation orientation) override;
  void SetScaleInches() override;
  void SetScaleTop(double top) override;
  void SetScaleLeft(double left) override;
  void SetFontName(const std::string& name) override;
  void SetFontSize(double points) override;
  void SetFontBold(bool bold) override;
  void SetFontUnderline(bool underline) override;
  void SetPosition(double x, double y) override;
  double CurrentX() const override;
  double CurrentY() const override;
  void PrintText(const std::string& text) override;
  double TextWidth(const std::string& text) const override;
  double PrintableWidth() const override;
  int PageNumber() const override;
  void DrawLine(double x1, double y1, double x2, double y2, ReportColour colour) override;
  void DrawPicture(const ReportPicture& picture, double x, double y, double width,
                   double height) override;
  void NewPage() override;
  void EndDocument() override;

  // Every call, queries included, in order.
  const std::vector<SurfaceCall>& calls() const { return calls_; }
  // The calls that change the page or the drawing state (no queries), as ToString texts.
  std::vector<std::string> Drawing() const;
  // The texts printed, each with the font state and position it was printed at:
  // "x,y size[ b][ u] text".
  std::vector<std::string> PrintedTexts() const { return printed_; }

  // The call with this 1-based number among all calls throws PrinterError.
  void FailAtCall(int call_number) { fail_at_ = call_number; }
  bool ended() const { return ended_; }
  double font_size() const { return font_size_; }
  bool bold() const { return bold_; }
  bool underline() const { return underline_; }

 private:
  void Record(std::string op, std::vector<double> args = {}, std::string text = {}) const;

  double printable_width_;
  mutable std::vector<SurfaceCall> calls_;
  std::vector<std::string> printed_;
  int fail_at_ = 0;
  double x_ = 0;
  double y_ = 0;
  std::string font_name_;
  double font_size_ = 10;
  bool bold_ = false;
  bool underline_ = false;
  bool ended_ = false;
  int page_ = 1;
};

class RecordingPicture : public ReportPicture {
 public:
  explicit RecordingPicture(std::string name) : name_(std::move(name)) {}
  const std::string& name() const override { return name_; }

 private:
  std::string name_;
};

// Loads a RecordingPicture for every name, except the names set to fail, which throw
// PrinterError.
class RecordingPictureLoader : public PictureLoader {
 public:
  std::shared_ptr<const ReportPicture> Load(const std::string& file_name) override;
  void SetFailing(const std::string& file_name, bool failing);
  const std::vector<std::string>& loads() const { return loads_; }

 private:
  std::set<std::string> failing_;
  std::vector<std::string> loads_;
};

}  // namespace torvane
