// torvane-cli report, run as a user runs it: a whole process writing a real PDF.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct ProcessRun {
  int code;
  std::string output;
};

ProcessRun RunCommand(const std::string& command) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  std::string out;
  char buf[512];
  while (pipe && fgets(buf, sizeof buf, pipe)) out += buf;
  const int status = pipe ? pclose(pipe) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

class CliReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("torvane-cli-report-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
  const std::string cli_ = TORVANE_CLI_PATH;
  const std::string example_ = std::string(TORVANE_EXAMPLES_DIR) + "/natural-gas.trv";
};

TEST_F(CliReportTest, WritesTheLabyrinthReportOfASettingsFile) {
  const std::string pdf = (dir_ / "case.pdf").string();
  const ProcessRun run = RunCommand(cli_ + " report " + example_ + " --pdf " + pdf);
  ASSERT_EQ(run.code, 0) << run.output;
  EXPECT_EQ(run.output, "Labyrinth report of " + example_ + " written to " + pdf + "\n");
  const ProcessRun text = RunCommand("pdftotext -layout " + pdf + " -");
  ASSERT_EQ(text.code, 0);
  for (const char* expected :
       {"Torvane \xC2\xAE Calculation Summary", "Labyrinth Leakage Results", "Version 8.0.2",
        "Settings file name : natural-gas.trv", "Total Mol Weight 17.82", "Stepped (Interlocking)",
        "850.00", "psia", "1594.963", "SCFM", "CH4"}) {
    EXPECT_NE(text.output.find(expected), std::string::npos) << expected << "\n" << text.output;
  }
}

TEST_F(CliReportTest, AnswersInJsonToo) {
  const std::string pdf = (dir_ / "case.pdf").string();
  const ProcessRun run = RunCommand(cli_ + " report " + example_ + " --pdf " + pdf + " --json");
  ASSERT_EQ(run.code, 0) << run.output;
  EXPECT_EQ(run.output, "{\"settings_file\":\"" + example_ + "\",\"pdf\":\"" + pdf + "\"}\n");
  EXPECT_TRUE(std::filesystem::exists(pdf));
}

TEST_F(CliReportTest, FailuresExitWithTheirCodes) {
  const std::string pdf = (dir_ / "x.pdf").string();
  ProcessRun run =
      RunCommand(cli_ + " report " + (dir_ / "missing.trv").string() + " --pdf " + pdf);
  EXPECT_EQ(run.code, 7);
  EXPECT_NE(run.output.find("missing.trv: the file does not exist"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing.trv"));

  run = RunCommand(cli_ + " report " + example_ + " --pdf " + (dir_ / "no" / "x.pdf").string());
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output.rfind("torvane-cli: ", 0), 0u);

  run = RunCommand(cli_ + " report " + example_);
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.output, "torvane-cli: missing option --pdf\n");
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

}  // namespace
