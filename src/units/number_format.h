// Number formats of the forms and reports ("#,##0.00", "0.000", "#,###.0", "###0.0", "#", ...)
// and the shortest general form used in messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// Formats value by a pattern: '0' is a digit always shown, '#' a digit shown only when
// significant, ',' in the integer part asks for thousands grouping, '.' is the decimal point.
// The value is rounded half away from zero on its decimal value (the shortest decimal text that
// reads back to the same double) to the decimals of the pattern. A value that rounds to zero is
// shown without a minus sign. "#" alone prints nothing for 0. A NaN or infinity raises
// CalculationError: it never reaches the screen.
std::string FormatNumber(double value, std::string_view pattern);

// The plain decimal text of a number as written in messages: at most 15 significant digits,
// no thousands separators, no trailing zeros, no leading blank ("0.2", "2300", "-120.5").
// Very large or very small magnitudes use the exponent form "1.5E+20", "1E-06". Boxes that show
// a converted value may ask for fewer significant digits (1 to 17).
std::string ShortestGeneral(double value, int digits = 15);

// The shortest text that reads back to the same double ("0.1", "1e+300", "NaN" never: callers
// check first).
std::string RoundTrip(double value);

// Reads a number as typed by a user: optional blanks around it, optional sign, digits with at
// most one decimal point, an optional exponent; thousands separators in the integer part are
// accepted where they group by three after a first group of 1 to 3 digits that does not begin
// with 0 ("1,234.5", "12,000"); anything else with a comma is not a number, so a decimal comma
// ("1,5", "0,670", "00,670") is never read as a thousands separator. Returns nothing for any
// other text, and for NaN or infinity.
std::optional<double> ParseNumber(std::string_view text);

// A plain decimal ("-12.5", "0.012", "500": a sign, digits, a point with digits after it, no
// blanks) of at most 15 digits, read as the integer of its digits divided by a power of ten. Both
// are exact doubles (below 2^53, at most 10^15), so the one division rounds correctly, as
// from_chars does: the double ParseNumber gives. Nothing for any other text.
std::optional<double> ParsePlainDecimal(std::string_view text);

// The value a user means by a typed number where a box reads as much of its text as it can: the
// whole text when it reads as a number, else its longest leading part that does ("0.5x" is 0.5),
// 0 when there is none. Nothing when that leading part stops at a comma or in the middle of
// digits: "0,5", "12,34" and "1,2345" are decimal commas and are refused, never read as 0, 12
// or 1234.
std::optional<double> ParseLeadingNumber(std::string_view text);

}  // namespace torvane
