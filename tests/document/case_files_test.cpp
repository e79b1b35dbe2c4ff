// Settings files and gas files on disk: layout, round trips, short and long files, refusals,
// and saving that never leaves a half-written file.
#include "document/case_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <limits>

#include "document/case_record_codec.h"
#include "document_test_support.h"

namespace torvane {
namespace {

using testing::BitsAt;
using testing::DoubleAt;
using testing::FromBits;
using testing::Int16At;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::ToBits;
using testing::ValidLabyData;
using testing::ValidRecord;
using testing::WriteBytes;

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& b, size_t from, size_t to) {
  return std::vector<std::uint8_t>(b.begin() + static_cast<std::ptrdiff_t>(from),
                                   b.begin() + static_cast<std::ptrdiff_t>(to));
}

// Runs f, expects FileError, and returns its reason.
template <typename F>
std::string FailureReason(F f, const std::string& expected_path) {
  try {
    f();
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), expected_path);
    return e.reason();
  }
  ADD_FAILURE() << "no FileError";
  return {};
}

TEST(SettingsFileTest, FreshFileIsTwoSlotsWithRecordsAtZeroAnd6202) {
  ScratchFolder dir;
  const std::string path = dir.File("case.trv");
  WriteSettingsFile(path, ValidRecord(), ValidLabyData());
  const auto b = ReadBytes(path);
  ASSERT_EQ(b.size(), 12404u);
  const auto image = EncodeCaseRecord(ValidRecord());
  EXPECT_EQ(Slice(b, 0, 6078), std::vector<std::uint8_t>(image.begin(), image.end()));
  EXPECT_EQ(Slice(b, 6078, 6202), std::vector<std::uint8_t>(124, 0));
  for (size_t k = 0; k < 15; ++k) EXPECT_EQ(DoubleAt(b, 6202 + 8 * k), 0.5 * k) << k;
  EXPECT_EQ(Slice(b, 6322, 12404), std::vector<std::uint8_t>(6082, 0));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"case.trv"});  // no temporary left
}

TEST(SettingsFileTest, ReadWriteReadKeepsRecordBytesAndReservedFields) {
  ScratchFolder dir;
  CaseRecord r = ValidRecord();
  r.reserved_array.d1[3] = FromBits(0x7FF4000000000123ULL);  // signalling NaN with a payload
  r.reserved_array.d6[74] = std::numeric_limits<double>::infinity();
  r.reserved_int.r5[4] = -31000;
  r.GasCode(5, 4) = FixedText<4>("\xE9t\xE9");  // section 4 keeps what a file brought in
  const std::string first = dir.File("first.trv");
  WriteSettingsFile(first, r, ValidLabyData());
  // Filler bytes from elsewhere must not matter to a reader.
  auto bytes = ReadBytes(first);
  std::fill(bytes.begin() + 6078, bytes.begin() + 6202, 0xAB);
  WriteBytes(first, bytes);

  const SettingsFileContent read = ReadSettingsFile(first);
  const std::string second = dir.File("second.trv");
  WriteSettingsFile(second, read.record, read.laby_data);
  const auto a = ReadBytes(first);
  const auto b = ReadBytes(second);
  EXPECT_EQ(Slice(a, 0, 6078), Slice(b, 0, 6078));
  EXPECT_EQ(Slice(a, 6202, 6322), Slice(b, 6202, 6322));
  EXPECT_EQ(BitsAt(b, 2198 + 8 * 3), 0x7FF4000000000123ULL);
  EXPECT_EQ(Int16At(b, 2152), -31000);
}

TEST(GasFileTest, FreshFileIsOneRecordAndReadsBack) {
  ScratchFolder dir;
  const std::string path = dir.File("gas.gas");
  WriteGasFile(path, ValidRecord());
  const auto b = ReadBytes(path);
  ASSERT_EQ(b.size(), 6078u);
  const CaseRecord back = ReadGasFile(path);
  const auto image = EncodeCaseRecord(back);
  EXPECT_EQ(b, std::vector<std::uint8_t>(image.begin(), image.end()));
  EXPECT_EQ(back.GasCode(1, 1).view(), "C2H6");
  EXPECT_EQ(back.case_title.view(), "Test case" + std::string(31, ' '));
}

TEST(GasFileTest, SettingsFileHeadIsAValidGasFile) {
  ScratchFolder dir;
  WriteSettingsFile(dir.File("case.trv"), ValidRecord(), ValidLabyData());
  std::filesystem::copy_file(dir.File("case.trv"), dir.File("case.gas"));
  const CaseRecord r = ReadGasFile(dir.File("case.gas"));
  EXPECT_EQ(r.component_count, 3);
  EXPECT_EQ(r.unit_system_name.view(), "SI");
}

TEST(ShortFileTest, TruncatedFilesReadWithMissingBytesAsZeros) {
  ScratchFolder dir;
  const auto full = SettingsFileBytes(ValidRecord(), ValidLabyData());
  for (size_t size : {1u, 3000u, 6077u}) {
    SCOPED_TRACE(size);
    const std::string path = dir.File("short" + std::to_string(size) + ".trv");
    WriteBytes(path, Slice(full, 0, size));
    const SettingsFileContent c = ReadSettingsFile(path);
    EXPECT_EQ(c.laby_data, LabyData{});
    EXPECT_EQ(ToBits(c.record.reserved_array.d7[74]), 0u);
    const auto again = EncodeCaseRecord(c.record);
    for (size_t k = 0; k < 6078; ++k) {
      ASSERT_EQ(again[k], k < size ? full[k] : 0) << k;
    }
    EXPECT_EQ(ReadBytes(path).size(), size);  // reading never changes the file
    const std::string gas = dir.File("short" + std::to_string(size) + ".gas");
    WriteBytes(gas, Slice(full, 0, size));
    EXPECT_NO_THROW(ReadGasFile(gas));
  }
}

TEST(ShortFileTest, EmptyFileIsRefused) {
  ScratchFolder dir;
  WriteBytes(dir.File("empty.trv"), {});
  WriteBytes(dir.File("empty.gas"), {});
  EXPECT_EQ(FailureReason([&] { ReadSettingsFile(dir.File("empty.trv")); }, dir.File("empty.trv")),
            "the file is empty");
  EXPECT_EQ(FailureReason([&] { ReadGasFile(dir.File("empty.gas")); }, dir.File("empty.gas")),
            "the file is empty");
}

TEST(ShortFileTest, GasFileOpenedAsSettingsGivesZeroLabyrinthData) {
  ScratchFolder dir;
  const std::string path = dir.File("gas-as-settings.gas");
  WriteGasFile(path, ValidRecord());
  const SettingsFileContent c = ReadSettingsFile(path);
  EXPECT_EQ(c.record.component_count, 3);
  EXPECT_EQ(c.laby_data, LabyData{});
}

TEST(OpenTest, MissingFileIsReportedAndNotCreated) {
  ScratchFolder dir;
  const std::string path = dir.File("nothing.trv");
  EXPECT_EQ(FailureReason([&] { ReadSettingsFile(path); }, path), "the file does not exist");
  EXPECT_EQ(FailureReason([&] { ReadGasFile(path); }, path), "the file does not exist");
  EXPECT_EQ(FailureReason([&] { InspectCaseFile(path); }, path), "the file does not exist");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(OpenTest, FolderNamedLikeTheFileIsRefused) {
  ScratchFolder dir;
  const std::string path = dir.File("folder.trv");
  std::filesystem::create_directory(path);
  EXPECT_EQ(FailureReason([&] { ReadSettingsFile(path); }, path), "it is a folder, not a file");
  EXPECT_EQ(FailureReason([&] { WriteSettingsFile(path, ValidRecord(), ValidLabyData()); }, path),
            "it is a folder, not a file");
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder.trv"});
}

TEST(OpenTest, NamedPipeIsRefusedWithoutHanging) {
  ScratchFolder dir;
  const std::string path = dir.File("pipe.gas");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(FailureReason([&] { ReadGasFile(path); }, path), "it is not a regular file");
}

TEST(OpenTest, UnreadableFileIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
  ScratchFolder dir;
  const std::string path = dir.File("secret.gas");
  WriteGasFile(path, ValidRecord());
  ::chmod(path.c_str(), 0);
  EXPECT_EQ(FailureReason([&] { ReadGasFile(path); }, path), "permission denied");
}

// A file whose content lies outside the data model is refused with the reasons.
struct BadContent {
  const char* name;
  void (*spoil)(std::vector<std::uint8_t>&);
  const char* reason;
};

void PutInt16(std::vector<std::uint8_t>& b, size_t at, std::int16_t v) {
  b[at] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) & 0xFF);
  b[at + 1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8);
}

void PutDouble(std::vector<std::uint8_t>& b, size_t at, double v) {
  const std::uint64_t bits = ToBits(v);
  for (size_t k = 0; k < 8; ++k) b[at + k] = static_cast<std::uint8_t>(bits >> (8 * k));
}

const BadContent kBadContents[] = {
    {"count 31", [](auto& b) { PutInt16(b, 2100, 31); },
     "it holds values the program cannot use: ComponentCount is 31, outside 0..30"},
    {"count -1", [](auto& b) { PutInt16(b, 2100, -1); },
     "it holds values the program cannot use: ComponentCount is -1, outside 0..30"},
    {"section 3", [](auto& b) { PutInt16(b, 2102, 3); },
     "it holds values the program cannot use: LastGasSection is 3, outside 0..2"},
    {"unit system 4", [](auto& b) { PutInt16(b, 2104, 4); },
     "it holds values the program cannot use: UnitSystem is 4, outside 0..3"},
    {"inlet flow 11", [](auto& b) { PutInt16(b, 2108, 11); },
     "it holds values the program cannot use: IVNum is 11, outside 0..10"},
    {"pressure 5", [](auto& b) { PutInt16(b, 2110, 5); },
     "it holds values the program cannot use: PNum is 5, outside 0..4"},
    {"length 2", [](auto& b) { PutInt16(b, 2134, 2); },
     "it holds values the program cannot use: LnNum is 2, outside 0..1"},
    {"NaN fraction", [](auto& b) { PutDouble(b, 600 + 8 * (2 + 30 * 1), std::nan("")); },
     "it holds values the program cannot use: MolFraction(2, 1) is NaN"},
    {"inf fraction in section 4", [](auto& b) { PutDouble(b, 600 + 8 * (29 + 30 * 4), -INFINITY); },
     "it holds values the program cannot use: MolFraction(29, 4) is -Infinity"},
    {"NaN labyrinth value", [](auto& b) { PutDouble(b, 6202 + 8 * 4, std::nan("")); },
     "it holds values the program cannot use: LabyData(4) is NaN"},
    {"inf labyrinth value in slot 0", [](auto& b) { PutDouble(b, 6202, INFINITY); },
     "it holds values the program cannot use: LabyData(0) is Infinity"},
    {"many at once",
     [](auto& b) {
       PutInt16(b, 2100, 99);
       PutInt16(b, 2102, -5);
       for (size_t q = 0; q < 14; ++q) PutInt16(b, 2108 + 2 * q, 20);
     },
     "it holds values the program cannot use: ComponentCount is 99, outside 0..30; "
     "LastGasSection is -5, outside 0..2; IVNum is 20, outside 0..10 (and 13 more)"},
};

TEST(OutOfModelTest, SettingsFileIsRefusedNamingTheProblem) {
  ScratchFolder dir;
  for (const BadContent& bad : kBadContents) {
    SCOPED_TRACE(bad.name);
    auto bytes = SettingsFileBytes(ValidRecord(), ValidLabyData());
    bad.spoil(bytes);
    const std::string path = dir.File("bad.trv");
    WriteBytes(path, bytes);
    EXPECT_EQ(FailureReason([&] { ReadSettingsFile(path); }, path), bad.reason);
  }
}

TEST(OutOfModelTest, ReservedFieldsAreNeverJudged) {
  ScratchFolder dir;
  auto bytes = SettingsFileBytes(ValidRecord(), ValidLabyData());
  for (size_t at = 2198; at < 6078; at += 8) PutDouble(bytes, at, std::nan(""));
  for (size_t at = 2136; at < 2154; at += 2) PutInt16(bytes, at, -32768);
  PutInt16(bytes, 2194, 32767);
  for (size_t at = 1800; at < 2100; at += 2) PutInt16(bytes, at, -1);  // ids are looked up again
  const std::string path = dir.File("reserved.trv");
  WriteBytes(path, bytes);
  const SettingsFileContent c = ReadSettingsFile(path);
  EXPECT_TRUE(std::isnan(c.record.reserved_array.d4[89]));
  EXPECT_EQ(c.record.reserved_int.r6, 32767);
}

TEST(OutOfModelTest, TextBytesAboveAsciiAreRead) {
  ScratchFolder dir;
  auto bytes = SettingsFileBytes(ValidRecord(), ValidLabyData());
  for (size_t at = 0; at < 600; ++at) bytes[at] = static_cast<std::uint8_t>(0x80 + at % 128);
  for (size_t at = 2154; at < 2194; ++at) bytes[at] = 0xFF;
  bytes[2106] = 0x81;
  bytes[2107] = 0x9D;
  const std::string path = dir.File("high.trv");
  WriteBytes(path, bytes);
  const SettingsFileContent c = ReadSettingsFile(path);
  EXPECT_EQ(c.record.case_title.view(), std::string(40, '\xFF'));
  const auto again = EncodeCaseRecord(c.record);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), bytes.begin()));
}

TEST(InspectTest, ShowsRawRecordAndEveryProblem) {
  ScratchFolder dir;
  auto bytes = SettingsFileBytes(ValidRecord(), ValidLabyData());
  PutInt16(bytes, 2100, 40);
  PutDouble(bytes, 6202 + 8 * 14, INFINITY);
  WriteBytes(dir.File("x.TRV"), bytes);
  const CaseFileInspection i = InspectCaseFile(dir.File("x.TRV"));
  EXPECT_TRUE(i.settings_file);
  EXPECT_EQ(i.file_size, 12404u);
  EXPECT_EQ(i.record.component_count, 40);
  EXPECT_EQ(i.laby_data[14], INFINITY);
  // The record's labyrinth type 0.5 is named too, after the values the program would refuse.
  EXPECT_EQ(i.problems, (std::vector<std::string>{
                            "ComponentCount is 40, outside 0..30", "LabyData(14) is Infinity",
                            "LabyData(1), the labyrinth type, is 0.5, not 0 or 1"}));

  WriteBytes(dir.File("empty.bnq"), {});
  const CaseFileInspection e = InspectCaseFile(dir.File("empty.bnq"));
  EXPECT_FALSE(e.settings_file);
  EXPECT_EQ(e.problems, std::vector<std::string>{"the file is empty"});
}

TEST(SaveTest, LongerFileKeepsItsTail) {
  ScratchFolder dir;
  const std::string path = dir.File("long.trv");
  std::vector<std::uint8_t> old(20000);
  for (size_t k = 0; k < old.size(); ++k) old[k] = static_cast<std::uint8_t>(k * 7 + 3);
  WriteBytes(path, old);
  WriteSettingsFile(path, ValidRecord(), ValidLabyData());
  const auto b = ReadBytes(path);
  ASSERT_EQ(b.size(), 20000u);
  const auto fresh = SettingsFileBytes(ValidRecord(), ValidLabyData());
  EXPECT_EQ(Slice(b, 0, 12404), fresh);
  EXPECT_EQ(Slice(b, 12404, 20000), Slice(old, 12404, 20000));

  // A gas file written over a settings file keeps its labyrinth record.
  const std::string gas = dir.File("long.gas");
  WriteSettingsFile(gas, ValidRecord(), ValidLabyData());
  CaseRecord other = ValidRecord();
  other.component_count = 1;
  WriteGasFile(gas, other);
  const auto g = ReadBytes(gas);
  ASSERT_EQ(g.size(), 12404u);
  EXPECT_EQ(Int16At(g, 2100), 1);
  EXPECT_EQ(DoubleAt(g, 6202 + 8 * 14), 7.0);
}

TEST(SaveTest, ShorterOldFileIsReplacedWhole) {
  ScratchFolder dir;
  const std::string path = dir.File("short.trv");
  WriteBytes(path, std::vector<std::uint8_t>(7000, 0xEE));
  WriteSettingsFile(path, ValidRecord(), ValidLabyData());
  EXPECT_EQ(ReadBytes(path), SettingsFileBytes(ValidRecord(), ValidLabyData()));
}

TEST(SaveTest, ReadOnlyTargetIsRefusedAndKept) {
  ScratchFolder dir;
  const std::string path = dir.File("locked.trv");
  WriteBytes(path, {1, 2, 3});
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(FailureReason([&] { WriteSettingsFile(path, ValidRecord(), ValidLabyData()); }, path),
            "the file is read-only");
  EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"locked.trv"});
}

TEST(SaveTest, MissingFolderIsReported) {
  ScratchFolder dir;
  const std::string path = dir.File("no-such-folder/case.trv");
  EXPECT_EQ(FailureReason([&] { WriteGasFile(path, ValidRecord()); }, path),
            "the folder does not exist");
}

TEST(SaveTest, UnwritableFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into every folder";
  ScratchFolder dir;
  const std::string sub = dir.File("sub");
  std::filesystem::create_directory(sub);
  const std::string path = sub + "/case.gas";
  WriteGasFile(path, ValidRecord());
  ::chmod(sub.c_str(), 0555);
  CaseRecord other = ValidRecord();
  other.component_count = 2;
  EXPECT_EQ(FailureReason([&] { WriteGasFile(path, other); }, path), "permission denied");
  EXPECT_EQ(ReadGasFile(path).component_count, 3);
}

TEST(SaveTest, PermissionsOfTheOldFileAreKept) {
  ScratchFolder dir;
  const std::string path = dir.File("mode.gas");
  WriteBytes(path, {0});
  ::chmod(path.c_str(), 0640);
  WriteGasFile(path, ValidRecord());
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(SaveTest, WritesThroughASymbolicLink) {
  ScratchFolder dir;
  const std::string target = dir.File("real.gas");
  const std::string link = dir.File("link.gas");
  WriteBytes(target, {0});
  std::filesystem::create_symlink(target, link);
  WriteGasFile(link, ValidRecord());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(target).size(), 6078u);
}

TEST(SaveTest, TemporariesOfKilledSavesGoWithTheNextSave) {
  ScratchFolder dir;
  const std::string path = dir.File("case.trv");
  WriteSettingsFile(path, ValidRecord(), ValidLabyData());
  // Left by saves that were killed, one of another file, and files of other names.
  for (const char* name : {".case.trv.a1B2c3", ".case.trv.ZZZZZZ", ".other.trv.a1B2c3",
                           ".case.trv.a1B2c", ".case.trv.a1B2c3.x", "case.trv.a1B2c3"}) {
    WriteBytes(dir.File(name), {1});
  }
  // A save of the file in progress holds a lock on its temporary file.
  WriteBytes(dir.File(".case.trv.busy99"), {2});
  const int busy = ::open(dir.File(".case.trv.busy99").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);

  WriteSettingsFile(path, ValidRecord(), ValidLabyData());
  ::close(busy);
  std::vector<std::string> names = dir.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{".case.trv.a1B2c", ".case.trv.a1B2c3.x", ".case.trv.busy99",
                                      ".other.trv.a1B2c3", "case.trv", "case.trv.a1B2c3"}));

  // A failed save removes nothing.
  WriteBytes(dir.File(".case.trv.q1w2e3"), {1});
  ::chmod(path.c_str(), 0444);
  EXPECT_THROW(WriteSettingsFile(path, ValidRecord(), ValidLabyData()), FileError);
  EXPECT_TRUE(std::filesystem::exists(dir.File(".case.trv.q1w2e3")));
}

TEST(SaveTest, OwnerAndGroupOfTheOldFileAreKept) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file to another user";
  ScratchFolder dir;
  const std::string path = dir.File("owned.gas");
  WriteBytes(path, {0});
  ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
  ::chmod(path.c_str(), 0604);
  WriteGasFile(path, ValidRecord());
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 4321u);
  EXPECT_EQ(st.st_gid, 8765u);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  EXPECT_EQ(ReadBytes(path).size(), 6078u);
}

// Every write is checked: a file that may not grow past 4096 bytes (as on a full disk) fails
// the save, the old file stays, and no temporary is left.
TEST(SaveTest, AFailedWriteKeepsTheOldFile) {
  ScratchFolder dir;
  const std::string path = dir.File("case.trv");
  WriteBytes(path, {9, 9, 9});
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto old_handler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string reason;
  try {
    WriteSettingsFile(path, ValidRecord(), ValidLabyData());
  } catch (const FileError& e) {
    reason = e.reason();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(reason, "the file could not be written: File too large");
  EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{9, 9, 9}));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"case.trv"});
}

TEST(ReplaceFileTest, ReplacesTheWholeFileAndRefusesWhatIsNotOne) {
  ScratchFolder dir;
  const std::string path = dir.File("report.pdf");
  WriteBytes(path, std::vector<std::uint8_t>(100, 7));
  const std::vector<std::uint8_t> content = {1, 2, 3};
  ReplaceFile(path, content);
  EXPECT_EQ(ReadBytes(path), content);

  EXPECT_EQ(FailureReason([] { CheckReplaceable("/dev/null"); }, "/dev/null"),
            "it is not a regular file");
  EXPECT_EQ(FailureReason([&] { ReplaceFile(dir.path(), content); }, dir.path()),
            "it is a folder, not a file");
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(FailureReason([&] { ReplaceFile(fifo, content); }, fifo), "it is not a regular file");
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(FailureReason([&] { CheckReplaceable(path); }, path), "the file is read-only");
  EXPECT_NO_THROW(CheckReplaceable(dir.File("new.pdf")));

  const std::string link = dir.File("link");
  std::filesystem::create_symlink(path, link);
  EXPECT_TRUE(IsSameFile(link, path));
  EXPECT_FALSE(IsSameFile(fifo, path));
  EXPECT_FALSE(IsSameFile(dir.File("new.pdf"), dir.File("new.pdf")));
}

TEST(LabyDataTest, TypeProblemAndNeverCalculatedRecords) {
  LabyData d{};
  EXPECT_TRUE(IsUncalculatedLabyData(d));
  d[0] = 5;  // slot 0 is never used
  d[kLabyType] = -0.0;
  EXPECT_TRUE(IsUncalculatedLabyData(d));
  EXPECT_EQ(LabyTypeProblem(d), std::nullopt);
  d[kToothNumber] = 12;
  EXPECT_FALSE(IsUncalculatedLabyData(d));
  d[kLabyType] = 1;
  EXPECT_EQ(LabyTypeProblem(d), std::nullopt);
  d[kLabyType] = 2;
  EXPECT_EQ(LabyTypeProblem(d), "LabyData(1), the labyrinth type, is 2, not 0 or 1");
  d[kLabyType] = -1e-300;
  EXPECT_EQ(LabyTypeProblem(d), "LabyData(1), the labyrinth type, is -1e-300, not 0 or 1");
}

TEST(FileNameTest, SettingsFilesAreKnownByTheirExtension) {
  EXPECT_TRUE(IsSettingsFileName("a/b/case.trv"));
  EXPECT_TRUE(IsSettingsFileName("CASE.TRV"));
  EXPECT_FALSE(IsSettingsFileName("case.gas"));
  EXPECT_FALSE(IsSettingsFileName("case.bnq"));
  EXPECT_FALSE(IsSettingsFileName("trv"));
  EXPECT_FALSE(IsSettingsFileName("x.trv/case"));
}

TEST(FileMessageTest, NamesFileAndReason) {
  const FileError e("/data/case.trv", "the file is read-only");
  EXPECT_EQ(OpenFailureMessage(e), "Could not open /data/case.trv: the file is read-only.");
  EXPECT_EQ(SaveFailureMessage(e), "Could not save /data/case.trv: the file is read-only.");
}

}  // namespace
}  // namespace torvane
