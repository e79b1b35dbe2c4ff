// torvane-cli report, run as a user runs it: a whole process writing a real PDF.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/process_run.h"

namespace {

using torvane::testing::ProcessRun;
using torvane::testing::RunCommand;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
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

TEST_F(CliReportTest, NothingIsReportedThatWasNeverCalculated) {
  const std::string pdf = (dir_ / "x.pdf").string();
  const std::string gas = std::string(TORVANE_EXAMPLES_DIR) + "/natural-gas.gas";
  ProcessRun run = RunCommand(cli_ + " report " + gas + " --pdf " + pdf);
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output, "torvane-cli: " + gas +
                            ": it holds no labyrinth results to report (a gas file, or a case "
                            "whose labyrinth was never calculated)\n");
  // A settings file saved before any labyrinth calculation: the gas file's record, two slots.
  const std::filesystem::path fresh = dir_ / "fresh.trv";
  WriteFile(fresh, ReadFile(gas) + std::string(12404 - 6078, '\0'));
  run = RunCommand(cli_ + " report " + fresh.string() + " --pdf " + pdf);
  EXPECT_EQ(run.code, 7);
  EXPECT_NE(run.output.find("it holds no labyrinth results to report"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(CliReportTest, OnlyARegularWritableFileOtherThanTheCaseIsReplaced) {
  const std::filesystem::path input = dir_ / "case.trv";
  std::filesystem::copy_file(example_, input);
  const std::string original = ReadFile(input);
  const auto report = [&](const std::string& target) {
    return RunCommand(cli_ + " report " + input.string() + " --pdf " + target);
  };

  ProcessRun run = report(input.string());
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output,
            "torvane-cli: " + input.string() + ": it is the file the report is made from\n");
  std::filesystem::create_symlink(input, dir_ / "link.pdf");
  EXPECT_EQ(report((dir_ / "link.pdf").string()).code, 7);
  std::filesystem::create_hard_link(input, dir_ / "hard.pdf");
  EXPECT_EQ(report((dir_ / "hard.pdf").string()).code, 7);
  EXPECT_EQ(ReadFile(input), original);
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.pdf"));

  run = report("/dev/null");
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output, "torvane-cli: /dev/null: it is not a regular file\n");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

  const std::filesystem::path fifo = dir_ / "fifo.pdf";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  run = report(fifo.string());
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output, "torvane-cli: " + fifo.string() + ": it is not a regular file\n");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  const std::filesystem::path locked = dir_ / "locked.pdf";
  WriteFile(locked, "an earlier report");
  ::chmod(locked.c_str(), 0444);
  run = report(locked.string());
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output, "torvane-cli: " + locked.string() + ": the file is read-only\n");
  EXPECT_EQ(ReadFile(locked), "an earlier report");

  run = report((dir_ / "folder").string() + "/");
  EXPECT_EQ(run.code, 7);
}

// The PDF grows past the size the process may write (as on a full disk): the old report stays,
// and no temporary file is left.
TEST_F(CliReportTest, AFailedWriteKeepsTheOldReport) {
  const std::filesystem::path pdf = dir_ / "kept.pdf";
  WriteFile(pdf, "%PDF- an earlier, complete report");
  const ProcessRun run = RunCommand("sh -c \"trap '' XFSZ; ulimit -f 40; exec " + cli_ +
                                    " report " + example_ + " --pdf " + pdf.string() + "\"");
  EXPECT_EQ(run.code, 7) << run.output;
  EXPECT_EQ(
      run.output.rfind("torvane-cli: " + pdf.string() + ": the file could not be written: ", 0), 0u)
      << run.output;
  EXPECT_EQ(ReadFile(pdf), "%PDF- an earlier, complete report");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

// The same on a real full disk: a 64 KiB tmpfs in a mount namespace of its own. Needs the
// superuser and unshare; skipped where they are not available.
TEST_F(CliReportTest, AFullDiskKeepsTheOldReport) {
  if (::geteuid() != 0 || ::access("/usr/bin/unshare", X_OK) != 0) {
    GTEST_SKIP() << "mounting a small tmpfs needs the superuser and unshare";
  }
  const std::filesystem::path mount = dir_ / "small";
  std::filesystem::create_directory(mount);
  const std::string pdf = (mount / "r.pdf").string();
  const std::filesystem::path script = dir_ / "full-disk.sh";
  WriteFile(script, "mount -t tmpfs -o size=64k tmpfs " + mount.string() + " || exit 99\n" +
                        "printf '%%PDF- an earlier, complete report' > " + pdf + "\n" +
                        "dd if=/dev/zero of=" + mount.string() + "/filler bs=1k count=40 " +
                        "2>/dev/null\n" + cli_ + " report " + example_ + " --pdf " + pdf +
                        "\necho \"exit $?\"\ncat " + pdf + "\necho\nls -a " + mount.string() +
                        "\n");
  const ProcessRun run = RunCommand("unshare --mount --propagation private sh " + script.string());
  if (run.code == 99 || run.output.find("exit ") == std::string::npos) {
    GTEST_SKIP() << "no tmpfs could be mounted here: " << run.output;
  }
  EXPECT_NE(run.output.find("torvane-cli: " + pdf +
                            ": the file could not be written: the disk "
                            "is full\nexit 7\n%PDF- an earlier, complete report\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find(".\n..\nfiller\nr.pdf\n"), std::string::npos) << run.output;
}

TEST_F(CliReportTest, AMissingReportProgramIsNamed) {
  const std::filesystem::path alone = dir_ / "torvane-cli";
  std::filesystem::copy_file(cli_, alone);
  const ProcessRun run =
      RunCommand(alone.string() + " report " + example_ + " --pdf " + (dir_ / "x.pdf").string());
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output, "torvane-cli: report needs the program " +
                            (dir_ / "torvane-report").string() +
                            ", which cannot be started: the file does not exist\n");
  // Its help needs no report program.
  const ProcessRun help = RunCommand(alone.string() + " report --help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.output.find("  --pdf OUT.pdf"), std::string::npos);
}

TEST_F(CliReportTest, AnAnswerThatCannotBeWrittenExitsSeven) {
  const std::string pdf = (dir_ / "case.pdf").string();
  const ProcessRun run =
      RunCommand("(" + cli_ + " report " + example_ + " --pdf " + pdf + " >/dev/full)");
  EXPECT_EQ(run.code, 7);
  EXPECT_EQ(run.output, "torvane-cli: standard output could not be written: the disk is full\n");
}

}  // namespace
