// The shared state of a run: start-up, clearing the gas analysis, and opening and saving files
// through the context, all or nothing.
#include "document/case_context.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/case_files.h"
#include "document/case_record_codec.h"
#include "document/laby_data_units.h"
#include "document/unit_settings.h"
#include "document_test_support.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::ValidLabyData;
using testing::ValidRecord;
using testing::WriteBytes;

class CaseContextTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(messages_.messages().empty()); }
  RecordingMessageService messages_;
  MemorySettingsStore store_;
  CaseContext context_{messages_};
};

TEST_F(CaseContextTest, StartUpOnFirstRun) {
  context_.record.reserved_int.r5[4] = 0;
  StartUp(context_, store_);
  EXPECT_EQ(context_.version_text, "Version 8.0.2");
  const ReservedInt& r = context_.record.reserved_int;
  EXPECT_EQ(r, (ReservedInt{0, 0, 0, 0, {0, 0, 0, 0, 0}, 1, 0}));
  EXPECT_EQ(context_.record.unit_system, 0);
  EXPECT_EQ(context_.record.unit_system_name.view(), "En");
  EXPECT_EQ(context_.record.unit_num, UnitIndices{});
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "psia    ");
  EXPECT_EQ(context_.units.InputLimit(LimitRow::kPressure, LimitKind::kMaximum), 10000);
  EXPECT_EQ(context_.CurrentGas(), 0);
  EXPECT_FALSE(context_.gas_calculated || context_.show_stored_gas || context_.gas_defined ||
               context_.warn_answer);
  EXPECT_TRUE(context_.gas_file_path.empty() && context_.settings_file_path.empty() &&
              context_.laby_title.empty());
  EXPECT_EQ(context_.laby_data, LabyData{});
  EXPECT_EQ(context_.record.case_title.view(), std::string(40, ' '));
}

TEST_F(CaseContextTest, StartUpSetsReservedIntegersButNotR5Of4) {
  context_.record.reserved_int = ReservedInt{9, 9, 9, 9, {9, 9, 9, 9, 9}, 9, 9};
  StartUp(context_, store_);
  EXPECT_EQ(context_.record.reserved_int, (ReservedInt{0, 0, 0, 0, {0, 0, 0, 0, 9}, 1, 0}));
}

TEST_F(CaseContextTest, StartUpAppliesTheStoredChoice) {
  CaseRecord si;
  si.unit_system = 1;
  si.unit_system_name = FixedText<2>("SI");
  si.unit_num = PresetIndices(UnitSystem::kSI);
  SaveUnitSettings(store_, si);
  StartUp(context_, store_);
  EXPECT_EQ(context_.record.unit_system_name.view(), "SI");
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "Bar a   ");
  EXPECT_EQ(context_.units.Label(Quantity::kTemperature), "deg C");
}

TEST(VersionTextTest, PlainNumbers) {
  EXPECT_EQ(VersionText(8, 0, 2), "Version 8.0.2");
  EXPECT_EQ(VersionText(10, 11, 0), "Version 10.11.0");
}

TEST(ClearGasAnalysisTest, BlanksSectionsZeroToTwoOnly) {
  CaseRecord r = testing::DistinctRecord();
  ClearGasAnalysis(r);
  for (int g = 0; g < 3; ++g) {
    for (int i = 0; i < 30; ++i) {
      EXPECT_EQ(r.GasCode(i, g).view(), "    ");
      EXPECT_EQ(r.MolFraction(i, g), 0.0);
      EXPECT_EQ(r.ComponentId(i, g), 0);
    }
  }
  EXPECT_EQ(r.GasCode(0, 3).view(), "G090");
  EXPECT_EQ(r.MolFraction(29, 4), 1149.5);
  EXPECT_EQ(r.ComponentId(0, 3), 3090);
  EXPECT_EQ(r.component_count, 7001);
  EXPECT_EQ(r.last_gas_section, 7002);
}

TEST(CaseRecordTest, TableAccessOutsideTheTablesIsRefused) {
  CaseRecord r;
  EXPECT_THROW(r.GasCode(30, 0), std::out_of_range);
  EXPECT_THROW(r.MolFraction(0, 5), std::out_of_range);
  EXPECT_THROW(r.ComponentId(-1, 0), std::out_of_range);
}

TEST_F(CaseContextTest, OpenSettingsReplacesRecordLabyDataAndUnits) {
  ScratchFolder dir;
  StartUp(context_, store_);
  const std::string path = dir.File("case.trv");
  WriteSettingsFile(path, ValidRecord(), ValidLabyData());
  OpenSettingsFile(context_, path);
  EXPECT_EQ(EncodeCaseRecord(context_.record), EncodeCaseRecord(ValidRecord()));
  EXPECT_EQ(context_.laby_data, ValidLabyData());
  EXPECT_EQ(context_.units.Label(Quantity::kLength), "mm");
  EXPECT_EQ(context_.settings_file_path, path);
  EXPECT_TRUE(context_.show_stored_gas);
  EXPECT_TRUE(context_.gas_file_path.empty());  // a settings file leaves the gas file alone
  // The file's results were calculated with a gas section it does not record.
  EXPECT_TRUE(context_.laby_results_stored);
}

TEST_F(CaseContextTest, AnOpenedCaseShowsItsOwnTitleInTheLabyrinthWindow) {
  ScratchFolder dir;
  StartUp(context_, store_);
  const std::string path = dir.File("case.trv");
  WriteSettingsFile(path, ValidRecord(), ValidLabyData());
  context_.laby_title = "Title typed for the case before";
  OpenSettingsFile(context_, path);
  EXPECT_TRUE(context_.laby_title.empty());
  context_.laby_title = "Again";
  OpenGasFile(context_, path);
  EXPECT_TRUE(context_.laby_title.empty());
  EXPECT_EQ(context_.record.case_title, ValidRecord().case_title);
}

TEST_F(CaseContextTest, FailedOpenLeavesTheCaseExactlyAsItWas) {
  ScratchFolder dir;
  StartUp(context_, store_);
  context_.record = ValidRecord();
  context_.ApplyUnitChoice();
  context_.laby_data = ValidLabyData();
  context_.settings_file_path = "earlier.trv";
  context_.gas_file_path = "earlier.gas";
  context_.gas_file_title = "earlier.gas";
  const auto before = EncodeCaseRecord(context_.record);

  auto bytes = SettingsFileBytes(ValidRecord(), ValidLabyData());
  bytes[2100] = 77;  // ComponentCount 77
  bytes[2110] = 0;   // English pressure, which must not be applied
  WriteBytes(dir.File("bad.trv"), bytes);
  WriteBytes(dir.File("empty.gas"), {});
  for (const std::string& path : {dir.File("bad.trv"), dir.File("missing.trv"), dir.path()}) {
    EXPECT_THROW(OpenSettingsFile(context_, path), FileError) << path;
  }
  EXPECT_THROW(OpenGasFile(context_, dir.File("bad.trv")), FileError);
  EXPECT_THROW(OpenGasFile(context_, dir.File("empty.gas")), FileError);
  EXPECT_EQ(EncodeCaseRecord(context_.record), before);
  EXPECT_EQ(context_.laby_data, ValidLabyData());
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "Bar a   ");
  EXPECT_EQ(context_.settings_file_path, "earlier.trv");
  EXPECT_EQ(context_.gas_file_path, "earlier.gas");
  EXPECT_EQ(context_.gas_file_title, "earlier.gas");
  EXPECT_FALSE(context_.show_stored_gas);
  EXPECT_FALSE(context_.laby_results_stored);
}

TEST_F(CaseContextTest, OpenGasFileKeepsLabyDataAndSetsTheGasFileNames) {
  ScratchFolder dir;
  StartUp(context_, store_);
  context_.laby_data = ValidLabyData();
  const std::string path = dir.File("ABC.bnq");
  WriteGasFile(path, ValidRecord());
  const UnitChoice english = context_.units;
  OpenGasFile(context_, path);
  EXPECT_EQ(context_.record.component_count, 3);
  // The labyrinth data stay, in the gas file's units.
  EXPECT_EQ(context_.laby_data, ConvertLabyData(ValidLabyData(), english, context_.units));
  EXPECT_NE(context_.laby_data, ValidLabyData());
  EXPECT_EQ(context_.gas_file_path, path);
  EXPECT_EQ(context_.gas_file_title, "ABC.bnq");
  EXPECT_EQ(ProposedGasFileName(context_.gas_file_title), "ABC");
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "Bar a   ");
  EXPECT_TRUE(context_.show_stored_gas);
}

TEST_F(CaseContextTest, SavePathsChangeOnlyWhenTheFileWasWritten) {
  ScratchFolder dir;
  StartUp(context_, store_);
  context_.record = ValidRecord();
  SaveSettingsFile(context_, dir.File("good.trv"));
  SaveGasFile(context_, dir.File("good.gas"));
  EXPECT_EQ(context_.settings_file_path, dir.File("good.trv"));
  EXPECT_EQ(context_.gas_file_title, "good.gas");

  const std::string folder = dir.File("folder.gas");
  std::filesystem::create_directory(folder);
  EXPECT_THROW(SaveSettingsFile(context_, folder), FileError);
  EXPECT_THROW(SaveGasFile(context_, folder), FileError);
  EXPECT_EQ(context_.settings_file_path, dir.File("good.trv"));
  EXPECT_EQ(context_.gas_file_path, dir.File("good.gas"));
  EXPECT_EQ(context_.gas_file_title, "good.gas");
  EXPECT_EQ(ReadBytes(dir.File("good.trv")).size(), 12404u);
}

TEST(ProposedGasFileNameTest, DropsOnlyAFinalBnq) {
  EXPECT_EQ(ProposedGasFileName("ABC.bnq"), "ABC");
  EXPECT_EQ(ProposedGasFileName("ABC.BnQ"), "ABC");
  EXPECT_EQ(ProposedGasFileName("ABC.gas"), "ABC.gas");
  EXPECT_EQ(ProposedGasFileName(".bnq"), "");
  EXPECT_EQ(ProposedGasFileName("bnq"), "bnq");
  EXPECT_EQ(ProposedGasFileName(""), "");
}

}  // namespace
}  // namespace torvane
