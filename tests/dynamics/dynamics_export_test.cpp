// The exports of the rotordynamics window: written whole, refused for folders and for the files
// they are made from, the old file kept when making the content fails, the reason shown.
#include "dynamics/dynamics_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/message_service.h"

namespace torvane {
namespace {

class DynamicsExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("torvane-dynamics-export-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  std::filesystem::path dir_;
  RecordingMessageService messages_;
};

TEST_F(DynamicsExportTest, WritesTheWholeContentOverAnOldFile) {
  Write(Path("k.csv"), "an older and longer content");
  EXPECT_TRUE(WriteDynamicsExport(
      Path("k.csv"), [] { return std::string("a,b\n1,2\n"); }, messages_));
  EXPECT_EQ(Read(Path("k.csv")), "a,b\n1,2\n");
  EXPECT_TRUE(messages_.texts().empty());
}

TEST_F(DynamicsExportTest, RefusedTargetsAndFailuresSayWhyAndKeepTheOldFile) {
  Write(Path("case.trv"), "case");
  Write(Path("old.png"), "old");
  struct Case {
    std::string path;
    DynamicsExportContent content;
    std::string message;
  };
  const Case cases[] = {
      {dir_.string(), [] { return std::string("x"); },
       "Could not save " + dir_.string() + ": it is a folder, not a file."},
      {Path("case.trv"), [] { return std::string("x"); },
       "Could not save " + Path("case.trv") + ": it is a file the export is made from."},
      {Path("old.png"), []() -> std::string { throw std::runtime_error("the plot is empty"); },
       "Could not save " + Path("old.png") + ": the plot is empty."},
  };
  for (const Case& c : cases) {
    messages_.Clear();
    EXPECT_FALSE(WriteDynamicsExport(c.path, c.content, messages_, {Path("case.trv")}));
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{c.message});
  }
  EXPECT_EQ(Read(Path("case.trv")), "case");
  EXPECT_EQ(Read(Path("old.png")), "old");
}

}  // namespace
}  // namespace torvane
