#include "reports/page_placement.h"

#include <algorithm>
#include <cmath>

namespace torvane {
namespace {

// Printer margins come in points; a thousandth of an inch is no overlap.
constexpr double kTolerance = 1e-3;

bool Usable(const PaperArea& a) {
  return std::isfinite(a.left) && std::isfinite(a.top) && std::isfinite(a.width) &&
         std::isfinite(a.height) && a.width > 0 && a.height > 0;
}

}  // namespace

PagePlacement PlaceReportPage(const PaperArea& laid_out, const PaperArea& printable) {
  const PagePlacement as_laid_out{laid_out.left, laid_out.top, 1};
  if (!Usable(laid_out) || !Usable(printable)) return as_laid_out;
  if (laid_out.left >= printable.left - kTolerance && laid_out.top >= printable.top - kTolerance &&
      laid_out.right() <= printable.right() + kTolerance &&
      laid_out.bottom() <= printable.bottom() + kTolerance) {
    return as_laid_out;
  }
  const double scale =
      std::min({1.0, printable.width / laid_out.width, printable.height / laid_out.height});
  return {printable.left + (printable.width - laid_out.width * scale) / 2, printable.top, scale};
}

}  // namespace torvane
