// Texts of the files are in the Windows-1252 code page; the program's own texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Every byte becomes its Windows-1252 character. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number, so that
// the conversion back gives the same bytes.
std::string AnsiToUtf8(std::string_view ansi);

// Every character becomes its Windows-1252 byte; a character the code page cannot hold, and
// each byte of malformed UTF-8, becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace torvane
