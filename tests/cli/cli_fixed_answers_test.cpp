// The answers of fixed sweeps and a fixed batch, kept in tests/data/fixed-answers, compared byte
// for byte with what the calculator answers now: ten thousand sweep points and a thousand batch
// lines whose every number must stay exactly what it was.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "support/process_run.h"

namespace torvane::cli {
namespace {

const std::string kDataFolder = TORVANE_FIXED_ANSWERS_DIR;

struct FixedRun {
  std::string answer_file;
  std::vector<std::string> args;
};

void PrintTo(const FixedRun& run, std::ostream* os) { *os << run.answer_file; }

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
    text.replace(at, what.size(), with);
    at += with.size();
  }
  return text;
}

// The runs of runs.txt: the answer's file, then the arguments split at blanks.
std::vector<FixedRun> ReadRuns() {
  std::vector<FixedRun> runs;
  std::istringstream lines(ReadWhole(kDataFolder + "/runs.txt"));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    line = Replaced(Replaced(line, "{data}", kDataFolder), "{examples}", TORVANE_EXAMPLES_DIR);
    std::istringstream words(line);
    FixedRun run;
    words >> run.answer_file;
    for (std::string w; words >> w;) run.args.push_back(w);
    runs.push_back(run);
  }
  return runs;
}

// "sweep-si-stepped.csv" as a test name: "sweep_si_stepped_csv".
std::string TestName(const ::testing::TestParamInfo<FixedRun>& info) {
  std::string name = info.param.answer_file;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

class FixedAnswersTest : public ::testing::TestWithParam<FixedRun> {};

TEST_P(FixedAnswersTest, AnswerIsByteForByteTheKeptOne) {
  const FixedRun& run = GetParam();
  const std::string expected = ReadWhole(kDataFolder + "/" + run.answer_file);
  ASSERT_FALSE(expected.empty()) << run.answer_file;
  const std::string out = ::testing::TempDir() + "torvane-fixed-" + run.answer_file;
  ASSERT_EQ(testing::RunProgram(TORVANE_CLI_PATH, run.args, "", out).code, 0);
  const std::string answer = ReadWhole(out);
  std::remove(out.c_str());
  if (answer == expected) return;
  // The first line that differs, rather than megabytes of text.
  std::istringstream a(answer), e(expected);
  std::string line_a, line_e;
  for (int n = 1;; ++n) {
    const bool more_a = static_cast<bool>(std::getline(a, line_a));
    const bool more_e = static_cast<bool>(std::getline(e, line_e));
    if (!more_a && !more_e) break;
    if (more_a != more_e || line_a != line_e) {
      FAIL() << run.answer_file << " line " << n << "\n  kept:   " << line_e
             << "\n  answer: " << line_a;
    }
  }
  FAIL() << run.answer_file << ": the answers differ in their line ends";
}

INSTANTIATE_TEST_SUITE_P(KeptRuns, FixedAnswersTest, ::testing::ValuesIn(ReadRuns()), TestName);

TEST(FixedAnswersDataTest, TheSweepsHoldTenThousandPointsAndTheBatchAThousandLines) {
  long long points = 0;
  for (const FixedRun& run : ReadRuns()) {
    if (run.args.front() != "sweep") continue;
    std::istringstream answer(ReadWhole(kDataFolder + "/" + run.answer_file));
    std::string line;
    std::getline(answer, line);  // the CSV header, or the JSON answer's head
    for (; std::getline(answer, line);) {
      if (line != "]}") ++points;
    }
  }
  EXPECT_EQ(points, 10000);
  std::istringstream batch(ReadWhole(kDataFolder + "/batch-cases.jsonl"));
  int lines = 0;
  for (std::string line; std::getline(batch, line);) ++lines;
  EXPECT_EQ(lines, 1000);
}

}  // namespace
}  // namespace torvane::cli
