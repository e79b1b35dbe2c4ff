// Small text rules of the gas analysis forms: how a typed fraction, count or code is read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// The value a user means by a typed number: the whole text when it reads as a number, else its
// longest leading part that does ("0.5x" is 0.5), 0 when there is none; nothing for a decimal
// comma ("0,5"), which is refused rather than read as 0 (see ParseLeadingNumber).
std::optional<double> LeadingNumber(std::string_view text);

// A whole number typed into a count box ("2", " 3 "), or nothing for any other text (empty,
// letters, "2.5", "1e1").
std::optional<int> ParseCount(std::string_view text);

// The text without leading and trailing blanks.
std::string TrimBlanks(std::string_view text);

// Windows-1252 text with its letters in upper case (ASCII and the accented letters).
std::string UpperCaseAnsi(std::string_view ansi);

// UTF-8 text with its letters in upper case: every letter the Windows-1252 code page holds;
// a text with characters beyond that code page has only its ASCII letters changed.
std::string UpperCaseUtf8(std::string_view utf8);

}  // namespace torvane
