// Where the report's page goes inside a printer's printable area.
#include "reports/page_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace torvane {
namespace {

// The report's page: Letter less 0.25 in all round.
constexpr PaperArea kReportPage{0.25, 0.25, 8.0, 10.5};

struct Case {
  const char* printer;
  PaperArea printable;
  PagePlacement expected;
};

TEST(PagePlacementTest, APageThatFitsIsKeptAndOneThatDoesNotIsScaledIntoThePrintableArea) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"no margins", {0, 0, 8.5, 11}, {0.25, 0.25, 1}},
      {"exactly the page", {0.25, 0.25, 8.0, 10.5}, {0.25, 0.25, 1}},
      {"margins rounded from points", {0.2500001, 0.25, 7.9999998, 10.5}, {0.25, 0.25, 1}},
      // ImageableArea 18 36 594 756: 0.25 in at the sides, 0.5 in at top and bottom. The page
      // is scaled by 10 / 10.5 to 7.619 in wide and centred across the 8 in.
      {"ImageableArea 18 36 594 756", {0.25, 0.5, 8.0, 10.0}, {0.25 + 4.0 / 21, 0.5, 20.0 / 21}},
      // 0.5 in at the sides: scaled by 7.5 / 8, and set at the top of the printable area.
      {"wide sides", {0.5, 0.25, 7.5, 10.5}, {0.5, 0.25, 0.9375}},
      // The page is small enough but lies too far to the left: moved, not scaled.
      {"offset", {0.4, 0.1, 8.0, 10.8}, {0.4, 0.1, 1}},
      {"no printable area", {0, 0, 0, 0}, {0.25, 0.25, 1}},
      {"unknown printable area", {nan, 0, 8.5, 11}, {0.25, 0.25, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printer);
    const PagePlacement p = PlaceReportPage(kReportPage, c.printable);
    EXPECT_NEAR(p.left, c.expected.left, 1e-12);
    EXPECT_NEAR(p.top, c.expected.top, 1e-12);
    EXPECT_NEAR(p.scale, c.expected.scale, 1e-12);
    // Whatever the printer, nothing of the page lies outside what it can print.
    if (c.printable.width > 0 && std::isfinite(c.printable.left)) {
      EXPECT_GE(p.left, c.printable.left - 1e-3);
      EXPECT_GE(p.top, c.printable.top - 1e-3);
      EXPECT_LE(p.left + kReportPage.width * p.scale, c.printable.right() + 1e-3);
      EXPECT_LE(p.top + kReportPage.height * p.scale, c.printable.bottom() + 1e-3);
    }
  }
}

}  // namespace
}  // namespace torvane
