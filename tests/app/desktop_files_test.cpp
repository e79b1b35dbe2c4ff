// The program on the desktop: its desktop entry, AppStream metainfo, MIME types with their icons,
// manual pages, and a command line that answers --help and --version without a display.
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

#ifdef TORVANE_PROGRAM
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
