#include "reports/recording_printer_surface.h"

#include <cmath>
#include <cstdio>

namespace torvane {
namespace {

std::string Number(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4f", value);
  std::string text = buf;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

// Code points, not bytes, so that "®" counts as one character.
size_t CharacterCount(const std::string& text) {
  size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

std::string SurfaceCall::ToString() const {
  std::string out = op + "(";
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) out += ",";
    out += Number(args[i]);
  }
  out += ")";
  if (!text.empty() || op == "PrintText" || op == "SetFontName" || op == "DrawPicture") {
    out += " \"" + text + "\"";
  }
  return out;
}

void RecordingPrinterSurface::Record(std::string op, std::vector<double> args,
                                     std::string text) const {
  calls_.push_back(SurfaceCall{std::move(op), std::move(text), std::move(args)});
  if (fail_at_ > 0 && static_cast<int>(calls_.size()) == fail_at_) {
    throw PrinterError("the printer failed at call " + std::to_string(fail_at_));
  }
}

void RecordingPrinterSurface::SetOrientation(PageOrientation orientation) {
  Record("SetOrientation", {static_cast<double>(orientation)});
}
void RecordingPrinterSurface::SetScaleInches() { Record("SetScaleInches"); }
void RecordingPrinterSurface::SetScaleTop(double top) { Record("SetScaleTop", {top}); }
void RecordingPrinterSurface::SetScaleLeft(double left) { Record("SetScaleLeft", {left}); }

void RecordingPrinterSurface::SetFontName(const std::string& name) {
  Record("SetFontName", {}, name);
  font_name_ = name;
}
void RecordingPrinterSurface::SetFontSize(double points) {
  Record("SetFontSize", {points});
  font_size_ = points;
}
void RecordingPrinterSurface::SetFontBold(bool bold) {
  Record("SetFontBold", {bold ? 1.0 : 0.0});
  bold_ = bold;
}
void RecordingPrinterSurface::SetFontUnderline(bool underline) {
  Record("SetFontUnderline", {underline ? 1.0 : 0.0});
  underline_ = underline;
}

void RecordingPrinterSurface::SetPosition(double x, double y) {
  Record("SetPosition", {x, y});
  x_ = x;
  y_ = y;
}
double RecordingPrinterSurface::CurrentX() const {
  Record("CurrentX");
  return x_;
}
double RecordingPrinterSurface::CurrentY() const {
  Record("CurrentY");
  return y_;
}

void RecordingPrinterSurface::PrintText(const std::string& text) {
  Record("PrintText", {}, text);
  std::string line = Number(x_) + "," + Number(y_) + " " + Number(font_size_);
  if (bold_) line += " b";
  if (underline_) line += " u";
  printed_.push_back(line + " " + text);
  x_ += static_cast<double>(CharacterCount(text)) * 0.006 * font_size_ * (bold_ ? 1.1 : 1.0);
}

double RecordingPrinterSurface::TextWidth(const std::string& text) const {
  Record("TextWidth", {}, text);
  return static_cast<double>(CharacterCount(text)) * 0.006 * font_size_ * (bold_ ? 1.1 : 1.0);
}

double RecordingPrinterSurface::PrintableWidth() const {
  Record("PrintableWidth");
  return printable_width_;
}

int RecordingPrinterSurface::PageNumber() const {
  Record("PageNumber");
  return page_;
}

void RecordingPrinterSurface::DrawLine(double x1, double y1, double x2, double y2,
                                       ReportColour colour) {
  Record("DrawLine", {x1, y1, x2, y2, static_cast<double>(colour.red),
                      static_cast<double>(colour.green), static_cast<double>(colour.blue)});
  x_ = x2;
  y_ = y2;
}

void RecordingPrinterSurface::DrawPicture(const ReportPicture& picture, double x, double y,
                                          double width, double height) {
  Record("DrawPicture", {x, y, width, height}, picture.name());
}

void RecordingPrinterSurface::NewPage() {
  Record("NewPage");
  ++page_;
}

void RecordingPrinterSurface::EndDocument() {
  Record("EndDocument");
  ended_ = true;
}

std::vector<std::string> RecordingPrinterSurface::Drawing() const {
  std::vector<std::string> out;
  for (const SurfaceCall& call : calls_) {
    if (call.op == "CurrentX" || call.op == "CurrentY" || call.op == "TextWidth" ||
        call.op == "PrintableWidth" || call.op == "PageNumber") {
      continue;
    }
    out.push_back(call.ToString());
  }
  return out;
}

std::shared_ptr<const ReportPicture> RecordingPictureLoader::Load(const std::string& file_name) {
  loads_.push_back(file_name);
  if (failing_.count(file_name) > 0) throw PrinterError("cannot load " + file_name);
  return std::make_shared<RecordingPicture>(file_name);
}

void RecordingPictureLoader::SetFailing(const std::string& file_name, bool failing) {
  if (failing) {
    failing_.insert(file_name);
  } else {
    failing_.erase(file_name);
  }
}

}  // namespace torvane
