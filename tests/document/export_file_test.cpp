// The windows' exports: written whole or not at all, with the reason told, and refused where the
// case files refuse.
#include "document/export_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <stdexcept>

#include "document/document_test_support.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "support/file_limits.h"

namespace torvane {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

std::string ReadText(const std::string& path) {
  const auto bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

ExportContent Text(const std::string& text) {
  return [text] { return text; };
}

TEST(ExportFileTest, WritesTheContentOverAnOldFileAndKeepsItsMode) {
  ScratchFolder dir;
  const std::string path = dir.File("study.csv");
  WriteText(path, "an older, longer export of the study");
  ::chmod(path.c_str(), 0640);
  RecordingMessageService messages;
  EXPECT_TRUE(WriteExportFile(path, Text("a,b\n1,2\n"), messages));
  EXPECT_EQ(ReadText(path), "a,b\n1,2\n");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"study.csv"});
}

// What is not a regular, writable file is refused before anything is made, as the case files
// and the report command refuse it, and stays as it was.
TEST(ExportFileTest, RefusesWhatIsNotARegularWritableFile) {
  ScratchFolder dir;
  const std::string fifo = dir.File("pipe.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string locked = dir.File("locked.png");
  WriteText(locked, "an earlier picture");
  ::chmod(locked.c_str(), 0444);
  const std::string source = dir.File("case.trv");
  WriteText(source, "the case");

  struct Case {
    std::string path;
    std::vector<std::string> sources;
    std::string message;
  };
  const Case cases[] = {
      {fifo, {}, "Could not save " + fifo + ": it is not a regular file."},
      {"/dev/null", {}, "Could not save /dev/null: it is not a regular file."},
      {locked, {}, "Could not save " + locked + ": the file is read-only."},
      {dir.path(), {}, "Could not save " + dir.path() + ": it is a folder, not a file."},
      {dir.File("no/such/folder/x.csv"),
       {},
       "Could not save " + dir.File("no/such/folder/x.csv") + ": the folder does not exist."},
      {source, {source}, "Could not save " + source + ": it is a file the export is made from."},
  };
  for (const Case& c : cases) {
    RecordingMessageService messages;
    int made = 0;
    EXPECT_FALSE(WriteExportFile(
        c.path, [&made] { return std::string(++made, 'x'); }, messages, c.sources));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
    // A missing folder is found only when the file is written.
    const bool checked_first = c.path.find("no/such") == std::string::npos;
    EXPECT_EQ(made, checked_first ? 0 : 1) << c.path;
    RecordingMessageService checked;
    EXPECT_EQ(CheckExportTarget(c.path, checked, c.sources), !checked_first) << c.path;
    if (checked_first) {
      EXPECT_EQ(checked.texts(), messages.texts());
    }
  }
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(::stat(locked.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  EXPECT_EQ(ReadText(locked), "an earlier picture");
  EXPECT_EQ(ReadText(source), "the case");
}

// A write that fails half-way (the file may not grow past 4 KiB) keeps the old file and leaves
// no temporary file.
TEST(ExportFileTest, AFailedWriteKeepsTheOldFileAndSaysWhy) {
  ScratchFolder dir;
  const std::string path = dir.File("plots.pdf");
  WriteText(path, "%PDF- an earlier, complete export");
  RecordingMessageService messages;
  {
    testing::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.set());
    EXPECT_FALSE(WriteExportFile(path, Text(std::string(100000, 'p')), messages));
  }
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not save " + path +
                                                       ": the file could not be written: File "
                                                       "too large."});
  EXPECT_EQ(ReadText(path), "%PDF- an earlier, complete export");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"plots.pdf"});
}

TEST(ExportFileTest, AFullDiskKeepsTheOldFileAndSaysSo) {
  ScratchFolder dir;
  testing::SmallDisk disk(dir.File("small"), 64);
  if (!disk.ready()) GTEST_SKIP() << disk.reason();
  const std::string path = disk.File("study.csv");
  WriteText(path, "the old study");
  disk.FillLeaving(8);
  RecordingMessageService messages;
  EXPECT_FALSE(WriteExportFile(path, Text(std::string(40000, 'c')), messages));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not save " + path +
                                                       ": the file could not be written: the "
                                                       "disk is full."});
  EXPECT_EQ(ReadText(path), "the old study");
}

TEST(ExportFileTest, ContentThatCannotBeMadeIsToldAndWritesNothing) {
  ScratchFolder dir;
  const std::string path = dir.File("study.png");
  const std::string kept = dir.File("kept.png");
  WriteText(kept, "the old picture");
  RecordingMessageService messages;
  EXPECT_FALSE(WriteExportFile(
      kept, []() -> std::string { throw std::runtime_error("the plot is empty"); }, messages));
  EXPECT_EQ(ReadText(kept), "the old picture");
  messages.Clear();
  EXPECT_FALSE(WriteExportFile(
      path, []() -> std::string { throw std::runtime_error("the picture could not be made"); },
      messages));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not save " + path +
                                                       ": the picture could not be made."});
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kept.png"});
}

}  // namespace
}  // namespace torvane
