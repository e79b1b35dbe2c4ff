// The fuzz targets' check of JSON text: it must take every valid answer and refuse what the
// grammar refuses, or a fuzz target would pass a broken answer.
#include "json_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(JsonCheckTest, TakesValidTextOnly) {
  struct Row {
    std::string text;
    bool valid;
  };
  const Row rows[] = {
      {"{}", true},
      {" [ ] \n", true},
      {"{\"a\":[1,-0.5,2e10,1E-3,true,false,null,\"x\"],\"b\":{}}", true},
      {"\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"", true},
      {"\"\\\" \\\\ \\/ \\b \\f \\n \\r \\t \\u00e9 \\ud83d\\ude00\"", true},
      {"-0", true},
      {"", false},
      {"{", false},
      {"{\"a\":1,}", false},
      {"[1,]", false},
      {"{\"a\" 1}", false},
      {"{a:1}", false},
      {"[1] [2]", false},
      {"01", false},
      {"1.", false},
      {".5", false},
      {"1e", false},
      {"+1", false},
      {"NaN", false},
      {"Infinity", false},
      {"nul", false},
      {"\"tab\tinside\"", false},
      {"\"line\nend\"", false},
      {"\"\\x41\"", false},
      {"\"\\u12\"", false},
      {"\"\\ud800\"", false},
      {"\"\\udc00\"", false},
      {"\"\\ud800\\u0041\"", false},
      {"\"\xFF\"", false},
      {"\"\xC3\"", false},
      {"\"\xC0\xAF\"", false},
      {"\"\xED\xA0\x80\"", false},
      {"\"\xF4\x90\x80\x80\"", false},
      {std::string("\"a\0b\"", 5), false},
      {std::string(65, '[') + std::string(65, ']'), false},
      {std::string(64, '[') + std::string(64, ']'), true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(torvane_fuzz::IsJson(row.text), row.valid) << row.text;
  }
}

}  // namespace
