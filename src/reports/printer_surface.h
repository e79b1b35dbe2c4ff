// The printer surface the reports draw on: exactly the operations the report frame and the report
// bodies use. One implementation drives a Qt paint device (a printer or a PDF file); tests record
// the calls.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace torvane {

// Any failure while a report is printed: a picture that cannot be loaded, a printer or file that
// refuses the job, data that cannot be printed. The caller shows "Printer Error".
class PrinterError : public std::runtime_error {
 public:
  explicit PrinterError(const std::string& what) : std::runtime_error(what) {}
};

// The text of the message box shown for any report failure.
inline constexpr const char kPrinterErrorMessage[] = "Printer Error";

struct ReportColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const ReportColour&) const = default;
};
inline constexpr ReportColour kBlack{0, 0, 0};

// Orientation codes of the printer: 1 portrait, 2 landscape.
enum class PageOrientation : int { kPortrait = 1, kLandscape = 2 };

// A bitmap loaded for printing; what it holds is the surface implementation's business.
class ReportPicture {
 public:
  virtual ~ReportPicture() = default;
  // The file name it was loaded from, for messages and recordings.
  virtual const std::string& name() const = 0;
};

// Loads the report bitmaps that lie beside the program.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // Loads the bitmap file_name (no folder) from the program's folder; throws PrinterError when
  // the file is missing or unreadable.
  virtual std::shared_ptr<const ReportPicture> Load(const std::string& file_name) = 0;
};

// Coordinates are in the surface's scale (inches once SetScaleInches was called), x to the right,
// y downwards; SetScaleLeft/SetScaleTop give the coordinates of the printable area's left and top
// edges. Texts are UTF-8 and are printed with the top of their line at the print position.
class PrinterSurface {
 public:
  virtual ~PrinterSurface() = default;

  virtual void SetOrientation(PageOrientation orientation) = 0;
  virtual void SetScaleInches() = 0;
  virtual void SetScaleTop(double top) = 0;
  virtual void SetScaleLeft(double left) = 0;

  virtual void SetFontName(const std::string& name) = 0;
  virtual void SetFontSize(double points) = 0;
  virtual void SetFontBold(bool bold) = 0;
  virtual void SetFontUnderline(bool underline) = 0;

  // The print position.
  virtual void SetPosition(double x, double y) = 0;
  virtual double CurrentX() const = 0;
  virtual double CurrentY() const = 0;

  // Prints text at the print position and moves the position to the end of the text on the same
  // line.
  virtual void PrintText(const std::string& text) = 0;
  // Width of text in the current font.
  virtual double TextWidth(const std::string& text) const = 0;
  // Width of the printable area of the page.
  virtual double PrintableWidth() const = 0;
  // Number of the page being printed, from 1.
  virtual int PageNumber() const = 0;

  // Draws a straight line; the print position moves to its end point.
  virtual void DrawLine(double x1, double y1, double x2, double y2, ReportColour colour) = 0;
  // Draws picture scaled into the rectangle.
  virtual void DrawPicture(const ReportPicture& picture, double x, double y, double width,
                           double height) = 0;

  // Ends the page being printed and starts the next one; the scale, the font and the print
  // position stay. A surface that prints single pages refuses it with PrinterError.
  virtual void NewPage() { throw PrinterError("this printer takes one page only"); }

  // Ends the document: the job goes to the printer or the file is completed.
  virtual void EndDocument() = 0;
};

}  // namespace torvane
