// The new gas analysis dialog's rules, the text rules of the gas forms, and opening and saving
// gas files through the file chooser.
#include "gas/new_gas_analysis.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/case_files.h"
#include "document/document_test_support.h"
#include "gas/gas_files.h"
#include "gas/gas_test_support.h"
#include "gas/gas_text.h"

namespace torvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::kProgramFolder;

TEST(GasTextTest, LeadingNumber) {
  EXPECT_EQ(LeadingNumber("0.25"), 0.25);
  EXPECT_EQ(LeadingNumber(" 0.5x"), 0.5);
  EXPECT_EQ(LeadingNumber("1e-1"), 0.1);
  EXPECT_EQ(LeadingNumber("-0.2"), -0.2);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber(""), 0.0);
  EXPECT_EQ(LeadingNumber("nan"), 0.0);
  // A comma only groups thousands by three: a decimal comma is refused, never read as 0.
  EXPECT_EQ(LeadingNumber("0,5"), std::nullopt);
  EXPECT_EQ(LeadingNumber("0,670"), std::nullopt);
  EXPECT_EQ(LeadingNumber("1,000.5"), 1000.5);
}

TEST(GasTextTest, ParseCount) {
  EXPECT_EQ(ParseCount("3"), 3);
  EXPECT_EQ(ParseCount(" 12 "), 12);
  EXPECT_EQ(ParseCount("+2"), 2);
  EXPECT_EQ(ParseCount("-1"), -1);
  EXPECT_EQ(ParseCount("0"), 0);
  EXPECT_EQ(ParseCount(""), std::nullopt);
  EXPECT_EQ(ParseCount("2.5"), std::nullopt);
  EXPECT_EQ(ParseCount("1e1"), std::nullopt);
  EXPECT_EQ(ParseCount("two"), std::nullopt);
  EXPECT_EQ(ParseCount("+"), std::nullopt);
  EXPECT_EQ(ParseCount("99999999999"), std::nullopt);
}

TEST(GasTextTest, UpperCase) {
  EXPECT_EQ(UpperCaseAnsi("c3h8"), "C3H8");
  EXPECT_EQ(UpperCaseAnsi("\xE9t\xFF\xF7"), "\xC9T\x9F\xF7");  // é t ÿ ÷
  EXPECT_EQ(UpperCaseUtf8("gr\xC3\xBCn"), "GR\xC3\x9CN");      // grün
  EXPECT_EQ(UpperCaseUtf8("a\xE2\x82\xAC"), "A\xE2\x82\xAC");  // € has no case
  EXPECT_EQ(UpperCaseUtf8("x\xE4\xB8\xAD"), "X\xE4\xB8\xAD");  // beyond the code page
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(NewGasFileTitleTest, UpperCasedWithoutTrailingBlanksAndGasAppended) {
  EXPECT_EQ(NewGasFileTitle("north "), "NORTH.GAS");
  EXPECT_EQ(NewGasFileTitle(" a b"), " A B.GAS");
  EXPECT_EQ(NewGasFileTitle(""), ".GAS");
}

class NewGasAnalysisFormTest : public ::testing::Test {
 protected:
  RecordingMessageService messages;
  NewGasAnalysisForm form{messages};
};

TEST_F(NewGasAnalysisFormTest, CountsOutsideTheirRangesAreReported) {
  EXPECT_FALSE(form.LeaveNumFiles("1"));
  EXPECT_FALSE(form.LeaveNumFiles("3"));
  EXPECT_TRUE(form.LeaveNumFiles("4"));
  EXPECT_TRUE(form.LeaveNumFiles("0"));
  EXPECT_TRUE(form.LeaveNumFiles("x"));
  EXPECT_FALSE(form.LeaveGasNum("30"));
  EXPECT_TRUE(form.LeaveGasNum("31"));
  EXPECT_TRUE(form.LeaveGasNum(""));
  EXPECT_THAT(messages.texts(),
              ElementsAre("Allowable range is 1 to 3 files", "Allowable range is 1 to 3 files",
                          "Allowable range is 1 to 3 files", "Allowable range is 1 to 30 gases",
                          "Allowable range is 1 to 30 gases"));
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::kNone);
}

TEST_F(NewGasAnalysisFormTest, LeavingTheFileNameEnablesOk) {
  EXPECT_FALSE(form.ok_enabled());
  form.LeaveGasFile("plant2");
  EXPECT_TRUE(form.ok_enabled());
  EXPECT_EQ(form.gas_file_title(), "PLANT2.GAS");
}

TEST_F(NewGasAnalysisFormTest, OkChecksBothCountsAgainInOrder) {
  EXPECT_EQ(form.Accept("5", "50"), NewGasAnalysisForm::Field::kNumFiles);
  EXPECT_EQ(form.Accept("2", "50"), NewGasAnalysisForm::Field::kGasNum);
  EXPECT_EQ(form.Accept("2", "7"), NewGasAnalysisForm::Field::kNone);
  EXPECT_EQ(form.num_files(), 2);
  EXPECT_EQ(form.num_gases(), 7);
  EXPECT_THAT(messages.texts(),
              ElementsAre("Allowable range is 1 to 3 files", "Allowable range is 1 to 30 gases"));
}

TEST(StartNewGasAnalysisTest, SetsCountsClearsTheTablesKeepsTheGasPathAndForgetsTheCaseFile) {
  RecordingMessageService messages;
  CaseContext context(messages);
  context.record.GasCode(3, 1).Assign("CH4");
  context.record.MolFraction(3, 1) = 0.5;
  context.record.ComponentId(3, 1) = 1;
  context.record.MolFraction(3, 4) = 0.25;  // section 4 is never cleared
  context.SetCurrentGas(2);
  context.gas_file_path = "/data/OLD.GAS";
  context.settings_file_path = "/data/case1.trv";
  StartNewGasAnalysis(context, 3, 12, "NEW.GAS");
  EXPECT_EQ(context.record.last_gas_section, 2);
  EXPECT_EQ(context.record.component_count, 12);
  EXPECT_EQ(context.CurrentGas(), 0);
  EXPECT_EQ(context.record.GasCode(3, 1).str(), "    ");
  EXPECT_EQ(context.record.MolFraction(3, 1), 0.0);
  EXPECT_EQ(context.record.ComponentId(3, 1), 0);
  EXPECT_EQ(context.record.MolFraction(3, 4), 0.25);
  EXPECT_TRUE(context.gas_defined);
  EXPECT_EQ(context.gas_file_title, "NEW.GAS");
  EXPECT_EQ(context.gas_file_path, "/data/OLD.GAS");
  // A new case has no settings file: Save Settings cannot write it over case1.trv.
  EXPECT_EQ(context.settings_file_path, "");
}

// ------------------------------------------------------------------------------------------
// Gas files

class GasFilesTest : public ::testing::Test {
 protected:
  RecordingMessageService messages;
  ScriptedFileChooser files;
  CaseContext context{messages};
  testing::ScratchFolder folder;
};

TEST_F(GasFilesTest, OpenDialogRequest) {
  const FileDialogRequest r = GasOpenRequest(kProgramFolder);
  EXPECT_EQ(r.mode, FileDialogMode::kOpen);
  EXPECT_EQ(r.filter, "Brantel Files (*.gas);;Brantel Files (*.bnq);;All Files (*)");
  EXPECT_EQ(r.initial_folder, kProgramFolder);
  EXPECT_EQ(r.title, "");
  EXPECT_TRUE(r.hide_read_only);
  EXPECT_TRUE(r.file_must_exist);
}

TEST_F(GasFilesTest, SaveProposesTheNameWithoutBnq) {
  EXPECT_EQ(GasSaveRequest(kProgramFolder, "ABC.bnq").initial_name, "ABC");
  EXPECT_EQ(GasSaveRequest(kProgramFolder, "ABC.BNQ").initial_name, "ABC");
  EXPECT_EQ(GasSaveRequest(kProgramFolder, "ABC.gas").initial_name, "ABC.gas");
  EXPECT_EQ(GasSaveRequest(kProgramFolder, "").initial_name, "");
}

TEST_F(GasFilesTest, OpenReplacesTheRecordAndAppliesItsUnits) {
  CaseRecord stored;
  stored.component_count = 1;
  stored.GasCode(0, 0).Assign("CH4");
  stored.ComponentId(0, 0) = 1;
  stored.MolFraction(0, 0) = 1;
  stored.unit_system = 1;
  stored.UnitNum(Quantity::kPressure) = 1;
  stored.reserved_array.d7[74] = 12.5;
  WriteGasFile(folder.File("ABC.bnq"), stored);
  context.laby_data[3] = 7;

  files.Prepare(folder.File("ABC.bnq"));
  EXPECT_EQ(ChooseAndOpenGasFile(context, files, messages, kProgramFolder), OpenOutcome::kOpened);
  EXPECT_EQ(GasFileBytes(context.record), GasFileBytes(stored));
  EXPECT_EQ(context.gas_file_title, "ABC.bnq");
  EXPECT_EQ(context.gas_file_path, folder.File("ABC.bnq"));
  EXPECT_TRUE(context.show_stored_gas);
  EXPECT_EQ(context.laby_data[3], 7.0);
  EXPECT_EQ(context.units.Index(Quantity::kPressure), 1);
  EXPECT_EQ(GasSaveRequest(kProgramFolder, context.gas_file_title).initial_name, "ABC");
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasFilesTest, CancelledOpenIsSilent) {
  files.Prepare(std::nullopt);
  EXPECT_EQ(ChooseAndOpenGasFile(context, files, messages, kProgramFolder),
            OpenOutcome::kCancelled);
  EXPECT_FALSE(context.show_stored_gas);
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasFilesTest, AFileThatCannotBeReadIsReportedAndReplacesNothing) {
  context.record.component_count = 4;
  context.gas_file_title = "KEEP.GAS";
  const std::string path = folder.File("empty.gas");
  testing::WriteBytes(path, {});
  files.Prepare(path);
  EXPECT_EQ(ChooseAndOpenGasFile(context, files, messages, kProgramFolder), OpenOutcome::kFailed);
  EXPECT_THAT(messages.texts(), ElementsAre("Could not open " + path + ": the file is empty."));
  EXPECT_EQ(context.record.component_count, 4);
  EXPECT_EQ(context.gas_file_title, "KEEP.GAS");
  EXPECT_FALSE(context.show_stored_gas);
}

TEST_F(GasFilesTest, SaveWritesExactlyTheRecordImage) {
  context.record.component_count = 2;
  context.record.GasCode(1, 2).Assign("N2");
  context.gas_file_title = "ABC.bnq";
  files.Prepare(folder.File("ABC"));  // typed without an extension: used as typed
  EXPECT_EQ(ChooseAndSaveGasFile(context, files, messages, kProgramFolder), SaveOutcome::kSaved);
  const auto bytes = testing::ReadBytes(folder.File("ABC"));
  EXPECT_EQ(bytes.size(), 6078u);
  EXPECT_EQ(bytes, GasFileBytes(context.record));
  EXPECT_EQ(context.gas_file_title, "ABC");
  EXPECT_EQ(files.requests()[0].initial_name, "ABC");
}

}  // namespace
}  // namespace torvane
