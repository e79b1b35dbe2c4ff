// Where a report's page goes on the printer's paper. A report is laid out for its own page (the
// paper less its own margins); a printer can print only inside its printable area. When the
// report's page lies inside that area it is printed exactly as laid out; when it does not, the
// whole page is scaled uniformly to fit the area, centred across it and set at its top.
#pragma once

namespace torvane {

// A rectangle on the paper, in inches from its top left corner.
struct PaperArea {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  double right() const { return left + width; }
  double bottom() const { return top + height; }
};

// The report's page on the paper: its top left corner and its scale (1 as laid out).
struct PagePlacement {
  double left = 0;
  double top = 0;
  double scale = 1;
  bool operator==(const PagePlacement&) const = default;
};

// The report's page (laid out) placed into the printable area. A printable area that is empty
// or not finite is no limit: the page is printed as laid out.
PagePlacement PlaceReportPage(const PaperArea& laid_out, const PaperArea& printable);

}  // namespace torvane
