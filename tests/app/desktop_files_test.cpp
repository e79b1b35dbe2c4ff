// The program on the desktop: its desktop entry, AppStream metainfo, MIME types with their icons,
// manual pages, and a command line that answers --help and --version without a display.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/start_arguments.h"
#include "cli/cli_app.h"
#include "platform/version.h"
#include "support/output_targets.h"
#include "support/process_run.h"

namespace torvane {
namespace {

const std::filesystem::path kDesktop = std::filesystem::path(TORVANE_SOURCE_DIR) / "resources";

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

using torvane::testing::ProcessRun;
using torvane::testing::RunCommand;

// The value of key in a desktop entry's [Desktop Entry] group.
std::string EntryValue(const std::string& entry, const std::string& key) {
  std::smatch m;
  if (std::regex_search(entry, m, std::regex("\n" + key + "=([^\n]*)"))) return m[1];
  return {};
}

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  std::stringstream s(list);
  for (std::string item; std::getline(s, item, ';');) {
    if (!item.empty()) items.push_back(item);
  }
  return items;
}

TEST(DesktopEntryTest, OneMainMenuCategoryAndBothFileTypes) {
  const std::filesystem::path file =
      kDesktop / "desktop" / (std::string(kDesktopFileName) + ".desktop");
  const std::string entry = ReadText(file);
  // The main categories of the freedesktop.org menu: a program in two of them shows in
  // two menus.
  const std::set<std::string> main = {
      "AudioVideo", "Audio",  "Video",   "Development", "Education", "Game",   "Graphics",
      "Network",    "Office", "Science", "Settings",    "System",    "Utility"};
  int main_count = 0;
  for (const auto& c : SplitList(EntryValue(entry, "Categories"))) main_count += main.count(c);
  EXPECT_EQ(main_count, 1) << EntryValue(entry, "Categories");
  EXPECT_EQ(
      SplitList(EntryValue(entry, "MimeType")),
      (std::vector<std::string>{"application/x-torvane-settings", "application/x-torvane-gas"}));
  EXPECT_EQ(EntryValue(entry, "Exec"), "torvane %f");
  EXPECT_EQ(EntryValue(entry, "Icon"), "torvane");
}

TEST(DesktopEntryTest, EveryFileTypeHasItsOwnIcon) {
  const std::string mime = ReadText(kDesktop / "desktop" / "torvane-mime.xml");
  for (const std::string type : {"application/x-torvane-settings", "application/x-torvane-gas"}) {
    const std::string icon = std::regex_replace(type, std::regex("/"), "-");
    const std::regex declared("<mime-type type=\"" + type + "\">[^]*?<icon name=\"" + icon +
                              "\"/>[^]*?</mime-type>");
    EXPECT_TRUE(std::regex_search(mime, declared)) << type;
    const std::string svg = ReadText(kDesktop / "desktop" / "icons" / (icon + ".svg"));
    EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u) << icon;
  }
}

TEST(MetainfoTest, ValidatesAndNamesTheProgram) {
  const std::filesystem::path file =
      kDesktop / "desktop" / (std::string(kDesktopFileName) + ".metainfo.xml");
  const std::string metainfo = ReadText(file);
  EXPECT_NE(metainfo.find("<id>" + std::string(kDesktopFileName) + "</id>"), std::string::npos);
  EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + std::string(kDesktopFileName) +
                          ".desktop</launchable>"),
            std::string::npos);
  // The release it describes is this build's.
  EXPECT_NE(metainfo.find("<release version=\"" + std::string(kVersionString) + "\""),
            std::string::npos)
      << "the metainfo's release does not name version " << kVersionString;
  if (::access("/usr/bin/appstreamcli", X_OK) != 0) {
    GTEST_SKIP() << "appstreamcli is not installed (scripts/setup installs appstream)";
  }
  const ProcessRun run = RunCommand("appstreamcli validate --no-net --strict " + file.string());
  EXPECT_EQ(run.code, 0) << run.output;
}

TEST(ManualPageTest, BothPagesFormatCleanlyAndNameEveryCommand) {
  const std::string cli_page = ReadText(kDesktop / "man" / "torvane-cli.1");
  for (const std::string& command : cli::CommandNames()) {
    EXPECT_NE(cli_page.find("\n.BI " + command + " "), std::string::npos)
        << "torvane-cli.1 does not describe the command " << command;
  }
  const std::string program_page = ReadText(kDesktop / "man" / "torvane.1");
  EXPECT_NE(program_page.find("\\-\\-version"), std::string::npos);
  EXPECT_NE(program_page.find(".TH TORVANE 1 "), std::string::npos);
  if (::access("/usr/bin/groff", X_OK) != 0) GTEST_SKIP() << "groff is not installed";
  for (const char* page : {"torvane.1", "torvane-cli.1"}) {
    const ProcessRun run =
        RunCommand("LC_ALL=C.UTF-8 groff -man -ww -z " + (kDesktop / "man" / page).string());
    EXPECT_EQ(run.code, 0) << page;
    EXPECT_EQ(run.output, "") << page;
  }
}

TEST(StartArgumentsTest, HelpAndVersionAreAnsweredBeforeQtStarts) {
  EXPECT_EQ(ReadStartArguments({}), StartAction::kRun);
  EXPECT_EQ(ReadStartArguments({"case.trv"}), StartAction::kRun);
  EXPECT_EQ(ReadStartArguments({"-platform", "offscreen", "case.trv"}), StartAction::kRun);
  EXPECT_EQ(ReadStartArguments({"--help"}), StartAction::kHelp);
  EXPECT_EQ(ReadStartArguments({"case.trv", "-h"}), StartAction::kHelp);
  EXPECT_EQ(ReadStartArguments({"--version"}), StartAction::kVersion);
  EXPECT_EQ(ReadStartArguments({"-v"}), StartAction::kVersion);
  EXPECT_EQ(ReadStartArguments({"--", "--help"}), StartAction::kRun);
  EXPECT_NE(StartHelpText().find("  -v, --version  "), std::string::npos);
}

// The answer of --help and --version is written whole, or the reason it could not be is said.
TEST(StartArgumentsTest, AnAnswerThatCannotBeWrittenSaysWhy) {
  EXPECT_EQ(StartAnswerText(StartAction::kHelp), StartHelpText());
  EXPECT_EQ(StartAnswerText(StartAction::kVersion),
            "Torvane Version " + std::string(kVersionString) + "\n");
  EXPECT_EQ(StartAnswerText(StartAction::kRun), "");

  std::ostringstream err;
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  EXPECT_EQ(WriteStartAnswer(full, "Torvane\n", err), 7);
  EXPECT_EQ(err.str(), "torvane: standard output could not be written: the disk is full\n");
  ::close(full);

  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  EXPECT_EQ(WriteStartAnswer(ends[1], StartHelpText(), err), 0);
  std::string read(StartHelpText().size(), '\0');
  EXPECT_EQ(::read(ends[0], read.data(), read.size()), static_cast<ssize_t>(read.size()));
  EXPECT_EQ(read, StartHelpText());
  ::close(ends[0]);
  ::close(ends[1]);
}

#ifdef TORVANE_PROGRAM
// --help and --version on a standard output that cannot be written: the reason and exit 7, as
// torvane-cli says it; a closed pipe ends quietly with 141.
TEST(StartArgumentsTest, TheProgramSaysWhyItsAnswerWasLost) {
  for (const char* option : {"--help", "--version"}) {
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    testing::ChildRun run = testing::RunWithStandardOutput(TORVANE_PROGRAM, {option}, full);
    ::close(full);
    EXPECT_EQ(run.status, 7) << option;
    EXPECT_EQ(run.err, "torvane: standard output could not be written: the disk is full\n");

    const int sealed = testing::SealedFile();
    ASSERT_GE(sealed, 0);
    run = testing::RunWithStandardOutput(TORVANE_PROGRAM, {option}, sealed);
    ::close(sealed);
    EXPECT_EQ(run.status, 7) << option;
    EXPECT_EQ(run.err, "torvane: standard output could not be written: permission denied\n");

    for (const bool ignored : {false, true}) {
      const int pipe = testing::ClosedPipe();
      ASSERT_GE(pipe, 0);
      run = testing::RunWithStandardOutput(TORVANE_PROGRAM, {option}, pipe, ignored);
      ::close(pipe);
      EXPECT_EQ(run.status, 141) << option;
      EXPECT_EQ(run.err, "") << option;
    }
  }
}

// The program itself, with no display at all and no Qt platform chosen.
TEST(StartArgumentsTest, TheProgramAnswersWithoutADisplay) {
  const std::string bare = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
  ProcessRun run = RunCommand(bare + TORVANE_PROGRAM + " --help");
  EXPECT_EQ(run.code, 0) << run.output;
  EXPECT_EQ(run.output, StartHelpText());
  run = RunCommand(bare + TORVANE_PROGRAM + " --version");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.output, "Torvane Version " + std::string(kVersionString) + "\n");
}
#endif

}  // namespace
}  // namespace torvane
