#include "units/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/errors.h"

namespace torvane {
namespace {

TEST(NumberFormatTest, GroupingAndFixedDecimals) {
  EXPECT_EQ(FormatNumber(1234.567, "#,##0.00"), "1,234.57");
  EXPECT_EQ(FormatNumber(1234567.891, "#,##0.00"), "1,234,567.89");
  EXPECT_EQ(FormatNumber(0.5, "#,##0.00"), "0.50");
  EXPECT_EQ(FormatNumber(999.995, "#,##0.00"), "1,000.00");
  EXPECT_EQ(FormatNumber(14.696 * 0.06895, "#,##0.000"), "1.013");
  EXPECT_EQ(FormatNumber(1234.56, "#,###.0"), "1,234.6");
  EXPECT_EQ(FormatNumber(0.46, "#,###.0"), ".5");
  EXPECT_EQ(FormatNumber(123.45, "###0.0"), "123.5");
  EXPECT_EQ(FormatNumber(12345.67, "###0.0"), "12345.7");
  EXPECT_EQ(FormatNumber(0.123456, "0.00000"), "0.12346");
  EXPECT_EQ(FormatNumber(16.043, "##0.00"), "16.04");
  EXPECT_EQ(FormatNumber(2.016, "#0.000"), "2.016");
  EXPECT_EQ(FormatNumber(0.25, "0.000"), "0.250");
}

TEST(NumberFormatTest, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(FormatNumber(1.005, "0.00"), "1.01");  // 1.00499999... in binary
  EXPECT_EQ(FormatNumber(2.675, "0.00"), "2.68");
  EXPECT_EQ(FormatNumber(0.125, "0.00"), "0.13");
  EXPECT_EQ(FormatNumber(-0.125, "0.00"), "-0.13");
  EXPECT_EQ(FormatNumber(2.5, "#"), "3");
  EXPECT_EQ(FormatNumber(-2.5, "#"), "-3");
  EXPECT_EQ(FormatNumber(-120.46, "#,###.0"), "-120.5");
  EXPECT_EQ(FormatNumber(-1234.56, "#,##0.00"), "-1,234.56");
}

TEST(NumberFormatTest, ZeroAndTinyValues) {
  EXPECT_EQ(FormatNumber(0, "#"), "");
  EXPECT_EQ(FormatNumber(0.4, "#"), "");
  EXPECT_EQ(FormatNumber(0, "0.000"), "0.000");
  EXPECT_EQ(FormatNumber(-0.0004, "0.000"), "0.000");  // no sign on a zero result
  EXPECT_EQ(FormatNumber(1e-20, "#,##0.00"), "0.00");
  EXPECT_EQ(FormatNumber(1e20, "#,##0"), "100,000,000,000,000,000,000");
}

TEST(NumberFormatTest, NonFiniteValuesNeverReachTheScreen) {
  EXPECT_THROW(FormatNumber(std::nan(""), "0.00"), CalculationError);
  EXPECT_THROW(FormatNumber(INFINITY, "0.00"), CalculationError);
  EXPECT_THROW(ShortestGeneral(-INFINITY), CalculationError);
}

TEST(ShortestGeneralTest, PlainDecimalText) {
  EXPECT_EQ(ShortestGeneral(0.2), "0.2");
  EXPECT_EQ(ShortestGeneral(2300), "2300");
  EXPECT_EQ(ShortestGeneral(10000), "10000");
  EXPECT_EQ(ShortestGeneral(-460), "-460");
  EXPECT_EQ(ShortestGeneral(0.01), "0.01");
  EXPECT_EQ(ShortestGeneral(-120.5), "-120.5");
  EXPECT_EQ(ShortestGeneral(1234.6), "1234.6");
  EXPECT_EQ(ShortestGeneral(0), "0");
  EXPECT_EQ(ShortestGeneral(0.1 + 0.2), "0.3");  // at most 15 significant digits
  EXPECT_EQ(ShortestGeneral(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(ShortestGeneral(123456789012345.0), "123456789012345");
  EXPECT_EQ(ShortestGeneral(1e15), "1E+15");
  EXPECT_EQ(ShortestGeneral(0.00001), "0.00001");
  EXPECT_EQ(ShortestGeneral(1.5e-7), "1.5E-07");
}

TEST(ShortestGeneralTest, FewerSignificantDigitsForBoxes) {
  EXPECT_EQ(ShortestGeneral((100 + 459.67) / 1.8 - 273.15, 10), "37.77777778");
  EXPECT_EQ(ShortestGeneral((120 + 459.67) / 1.8 - 273.15, 10), "48.88888889");
  EXPECT_EQ(ShortestGeneral(6 * 25.4, 10), "152.4");
  EXPECT_EQ(ShortestGeneral(99999999999.0, 10), "100000000000");
  EXPECT_EQ(ShortestGeneral(-0.000123456789012, 10), "-0.000123456789");
  EXPECT_EQ(ShortestGeneral(2.6, 1), "3");
  EXPECT_THROW(ShortestGeneral(1, 0), std::invalid_argument);
}

TEST(RoundTripTest, ShortestTextThatReadsBack) {
  EXPECT_EQ(RoundTrip(0.1), "0.1");
  EXPECT_EQ(RoundTrip(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(RoundTrip(16.04), "16.04");
  EXPECT_EQ(RoundTrip(-0.32000000000000006), "-0.32000000000000006");
}

TEST(ParseNumberTest, AcceptsWhatUsersTypeAndNothingElse) {
  EXPECT_EQ(ParseNumber("12.5"), 12.5);
  EXPECT_EQ(ParseNumber(" -3 "), -3);
  EXPECT_EQ(ParseNumber("+4"), 4);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  EXPECT_EQ(ParseNumber("1,234.5"), 1234.5);
  EXPECT_EQ(ParseNumber("-12,345,678"), -12345678);
  EXPECT_EQ(ParseNumber("999,999.25"), 999999.25);
  EXPECT_EQ(ParseNumber("1e3"), 1000);
  EXPECT_EQ(ParseNumber("2.5E-2"), 0.025);
  for (const char* bad : {"",      " ",    "abc",      "1.2.3",  "nan",   "NaN", "inf",   "-inf",
                          "1e400", "1e",   "--1",      "1-",     "0x10",  ",5",  "1.5,0", "12abc",
                          "1,5",   "1,,5", "1234,567", "1,2345", "12,34", "1,",  ",",     "+,"}) {
    EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
  }
}

// Plain decimals of up to 15 digits are read by a shorter way; every one gives the very double
// from_chars gives for the same text, on a grid of digits, points and signs, and at the edges
// (15 and 16 digits, -0, leading zeros).
TEST(ParseNumberTest, PlainDecimalsReadAsFromCharsReadsThem) {
  const auto from_chars = [](const std::string& text) {
    const size_t start = text[0] == '+' ? 1 : 0;
    double v = 0;
    const auto res = std::from_chars(text.data() + start, text.data() + text.size(), v);
    EXPECT_EQ(res.ec, std::errc()) << text;
    return v;
  };
  std::vector<std::string> texts = {"0.1",
                                    "0.2",
                                    "0.3",
                                    "-0",
                                    "-0.0",
                                    "+0.7",
                                    "5e-1",
                                    "0.00001",
                                    "1e22",
                                    "007.5",
                                    "999999999999999",
                                    "9999999999999999",
                                    "0.999999999999999",
                                    "123456789.123456",
                                    "4503599627370497.5"};
  for (std::uint64_t digits = 1; digits < 1000000000000000; digits = digits * 7 + 3) {
    for (int point = 0; point <= 15; ++point) {
      std::string text = std::to_string(digits);
      if (point > 0 && static_cast<size_t>(point) < text.size()) {
        text.insert(text.size() - static_cast<size_t>(point), ".");
      }
      texts.push_back(text);
      texts.push_back("-" + text);
    }
  }
  for (const std::string& text : texts) {
    const std::optional<double> read = ParseNumber(text);
    ASSERT_TRUE(read.has_value()) << text;
    const double expected = from_chars(text);
    EXPECT_EQ(std::signbit(*read), std::signbit(expected)) << text;
    EXPECT_EQ(*read, expected) << text;
  }
}

// Thousands grouping never starts with a group that is 0 or begins with 0: such a comma is a
// decimal comma, and reading it as a separator would make 0,670 into 670.
TEST(ParseNumberTest, ADecimalCommaIsNeverAThousandsSeparator) {
  for (const char* decimal_comma : {"0,5", "0,670", "00,670", "0,012", "-0,670", "+0,670",
                                    "000,670", "012,000", "0,000.5", "0,670e1", " 0,670 "}) {
    EXPECT_FALSE(ParseNumber(decimal_comma).has_value()) << decimal_comma;
  }
  const std::pair<const char*, double> grouped[] = {
      {"1,250.5", 1250.5}, {"12,000", 12000},  {"-12,000", -12000},
      {"100,000", 100000}, {"1,000,000", 1e6}, {"9,999.75", 9999.75},
      {"0.670", 0.67},     {"00.670", 0.67},   {"0", 0},
  };
  for (const auto& [text, value] : grouped) EXPECT_EQ(ParseNumber(text), value) << text;
}

TEST(ParseLeadingNumberTest, ReadsTheLeadingNumberButNeverADecimalComma) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"0.25", 0.25},
      {" 0.5x", 0.5},
      {"1e-1", 0.1},
      {"-0.2", -0.2},
      {".5", 0.5},
      {"abc", 0.0},
      {"", 0.0},
      {"nan", 0.0},
      {"1.5.3", 1.5},
      {"1,000.5", 1000.5},
      {"1,000.5 lb", 1000.5},
      {"0,5", std::nullopt},
      {"0,670", std::nullopt},
      {"00,670", std::nullopt},
      {"0,012", std::nullopt},
      {"12,34", std::nullopt},
      {"1,2345", std::nullopt},
      {"0.5,1", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseLeadingNumber(text), value) << text;
}

}  // namespace
}  // namespace torvane
