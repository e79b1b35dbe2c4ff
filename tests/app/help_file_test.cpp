#include "app/help_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace torvane {
namespace {

TEST(HelpFileTest, ShippedFileHasContentsAndSupportPagesThatExist) {
  const auto help = HelpFile::Load(TORVANE_HELP_FILE);
  ASSERT_TRUE(help.has_value());
  for (int context : {kHelpContentsContext, kHelpSupportContext, 1, 2, 3, 4, 5}) {
    const auto page = help->PageForContext(context);
    ASSERT_TRUE(page.has_value()) << context;
    EXPECT_TRUE(std::filesystem::exists(*page)) << *page;
  }
  EXPECT_TRUE(help->PageForContext(kHelpContentsContext)->ends_with("/help/contents.html"));
  EXPECT_TRUE(help->PageForContext(kHelpSupportContext)->ends_with("/help/support.html"));
  for (const auto& [keyword, page] : help->keywords()) {
    EXPECT_TRUE(std::filesystem::exists(help->pages_folder() + "/" + page)) << keyword;
  }
}

TEST(HelpFileTest, PartialKeySearchMatchesTheStartIgnoringCase) {
  const HelpFile help = HelpFile::Parse(
      "; comment\n[contexts]\n0=a.html\n12 = b.html\nx=c.html\n[keywords]\n"
      "Saturation temperature=s.html\nSCFM=f.html\nsettings file=t.html\nUnits=u.html\n"
      "broken line\n=nothing.html\n",
      "/pages");
  EXPECT_EQ(help.PageForContext(0), "/pages/a.html");
  EXPECT_EQ(help.PageForContext(12), "/pages/b.html");
  EXPECT_EQ(help.PageForContext(3), std::nullopt);
  EXPECT_EQ(help.SearchKeywords("s"),
            (std::vector<std::string>{"Saturation temperature", "SCFM", "settings file"}));
  EXPECT_EQ(help.SearchKeywords("SE"), std::vector<std::string>{"settings file"});
  EXPECT_EQ(help.SearchKeywords("  sc "), std::vector<std::string>{"SCFM"});
  EXPECT_EQ(help.SearchKeywords("").size(), 4u);
  EXPECT_TRUE(help.SearchKeywords("zz").empty());
  EXPECT_EQ(help.PageForKeyword("Units"), "/pages/u.html");
  EXPECT_EQ(help.PageForKeyword("units"), std::nullopt);
}

TEST(HelpFileTest, MissingFileGivesNothing) {
  EXPECT_FALSE(HelpFile::Load("/nonexistent/Torvane.HLP").has_value());
}

TEST(SystemInfoTest, FindsTheFirstKnownExecutableOnThePath) {
  const auto dir = std::filesystem::temp_directory_path() / "torvane-sysinfo-test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "a");
  std::filesystem::create_directories(dir / "b" / "hardinfo");  // a folder does not count
  const auto program = dir / "b" / "lshw-gtk";
  std::ofstream(program) << "#!/bin/sh\n";
  const std::string path = (dir / "a").string() + "::" + (dir / "b").string();
  EXPECT_EQ(FindSystemInfoProgram(path, KnownSystemInfoPrograms()), std::nullopt);
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  EXPECT_EQ(FindSystemInfoProgram(path, KnownSystemInfoPrograms()), program.string());
  EXPECT_EQ(FindSystemInfoProgram("", KnownSystemInfoPrograms()), std::nullopt);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace torvane
