#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/help_window.h"
#include "document/case_context.h"
#include "document/case_files.h"
#include "gas/new_gas_analysis.h"
#include "platform/settings_store.h"
#include "platform/ui_services.h"
#include "reports/report_case_builder.h"
#include "support/screenshot.h"
#include "units/ui/units_dialog.h"

namespace torvane {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("torvane-main-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    StartUp(context_, store_);
    window_ = std::make_unique<MainWindow>(context_, services_, store_, TORVANE_PROGRAM_DIR);
    window_->SetModalRunner([this](QDialog& d) {
      modal_titles_.push_back(d.windowTitle().toStdString());
      return 0;
    });
    MainWindowCommands commands;
    commands.show_stored_gas = [this] { ++stored_gas_shown_; };
    // The dialog's OK starts the new analysis; a cancelled dialog changes nothing.
    commands.new_gas_analysis = [this] {
      if (defines_gas_) StartNewGasAnalysis(context_, 1, 2, "NEW.GAS");
    };
    window_->SetCommands(commands);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  bool Enabled(const char* name) { return window_->action(name)->isEnabled(); }
  std::string Path(const std::string& name) { return (folder_ / name).string(); }

  RecordingMessageService messages_;
  ScriptedQuestionService questions_;
  ScriptedFileChooser files_;
  RecordingBusyPointer busy_;
  UiServices services_{messages_, questions_, files_, busy_};
  MemorySettingsStore store_;
  CaseContext context_{messages_};
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> modal_titles_;
  int stored_gas_shown_ = 0;
  bool defines_gas_ = true;
  std::filesystem::path folder_;
};

TEST_F(MainWindowTest, MenusInOrderWithTheirCaptions) {
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("Torvane \xC2\xAE"));
  EXPECT_EQ(window_->objectName(), "frmGasMenu");
  const QList<QAction*> menus = window_->menuBar()->actions();
  ASSERT_EQ(menus.size(), 4);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(menus[1]->text(), "&Gas Input");
  EXPECT_EQ(menus[2]->text(), "&Calculate");
  EXPECT_EQ(menus[3]->text(), "&Help");
  auto captions = [](QAction* menu) {
    QStringList out;
    for (QAction* a : menu->menu()->actions()) out << (a->isSeparator() ? "-" : a->text());
    return out;
  };
  EXPECT_EQ(captions(menus[0]), (QStringList{"&Open Settings...", "&Save Settings",
                                             "Save Settings &As...", "&Units", "-", "E&xit"}));
  EXPECT_EQ(captions(menus[1]), (QStringList{"&Open File", "&New Gas Analysis", "&Change Gases"}));
  EXPECT_EQ(captions(menus[2]), QStringList{"&Labyrinth Leakage"});
  EXPECT_EQ(
      captions(menus[3]),
      (QStringList{"&Contents                                     F1", "&Search For Help On...",
                   "&Obtaining Technical Support...", "-", "&About Torvane..."}));
  EXPECT_EQ(window_->findChild<QLabel*>("lblTitle")->text(), "Quillon , Inc.");
  EXPECT_EQ(window_->findChild<QLabel*>("lblTitle")->font().family(), "Times New Roman");
  window_->show();
  testing::SaveScreenshot(*window_, "main-window");
}

TEST_F(MainWindowTest, RightAfterStartTheSaveAndCalculationCommandsAreDisabled) {
  window_->Activated();
  EXPECT_FALSE(Enabled("mnuFileSaveSettings"));
  EXPECT_FALSE(Enabled("mnuFileSaveSettingsAs"));
  EXPECT_FALSE(Enabled("mnuCalcLaby"));
  EXPECT_FALSE(Enabled("mnuGasChange"));
  EXPECT_TRUE(Enabled("mnuFileOpenSettings"));
  EXPECT_TRUE(Enabled("mnuFileUnits"));
  EXPECT_TRUE(Enabled("mnuGasNew"));
  EXPECT_EQ(context_.laby_data[kFlowCoef], 0.67);
  EXPECT_EQ(context_.laby_data[kToothNumber], 1);
  EXPECT_FALSE(context_.gas_defined);
}

TEST_F(MainWindowTest, NewGasAnalysisEnablesSaveAsOnlyWhenAGasWasDefined) {
  defines_gas_ = false;
  window_->NewGasAnalysis();
  EXPECT_FALSE(Enabled("mnuFileSaveSettingsAs"));
  defines_gas_ = true;
  window_->NewGasAnalysis();
  EXPECT_TRUE(Enabled("mnuFileSaveSettingsAs"));
  EXPECT_FALSE(Enabled("mnuFileSaveSettings"));
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Open Settings case1.trv, then a new gas analysis: the new case is unnamed. Save Settings is
// disabled and, called all the same, asks for a name; case1.trv stays byte for byte; the caption
// and the report name no file until Save Settings As... names one.
TEST_F(MainWindowTest, NewGasAnalysisNeverSavesOverTheCaseOpenedBefore) {
  const QString title = QString::fromUtf8("Torvane \xC2\xAE");
  EXPECT_EQ(window_->windowTitle(), title);
  std::filesystem::copy_file(std::string(TORVANE_EXAMPLES_DIR) + "/natural-gas.trv",
                             Path("case1.trv"));
  const std::string before = FileBytes(Path("case1.trv"));
  files_.Prepare(Path("case1.trv"));
  window_->OpenSettings();
  EXPECT_EQ(window_->windowTitle(), title + " - case1.trv");
  EXPECT_TRUE(Enabled("mnuFileSaveSettings"));

  // A cancelled dialog leaves the case and its file as they were.
  defines_gas_ = false;
  window_->NewGasAnalysis();
  EXPECT_EQ(context_.settings_file_path, Path("case1.trv"));
  EXPECT_TRUE(Enabled("mnuFileSaveSettings"));

  defines_gas_ = true;
  window_->NewGasAnalysis();
  EXPECT_EQ(context_.settings_file_path, "");
  EXPECT_EQ(window_->windowTitle(), title);
  EXPECT_FALSE(Enabled("mnuFileSaveSettings"));
  EXPECT_TRUE(Enabled("mnuFileSaveSettingsAs"));
  EXPECT_EQ(MakeReportCase(context_).settings_file_path, "");  // "<Unsaved Data>"

  context_.laby_data[kLabyFlow] = 99;  // the new case's own result
  files_.Prepare(std::nullopt);
  window_->SaveSettings();
  ASSERT_EQ(files_.requests().size(), 2u);
  EXPECT_EQ(files_.requests().back().mode, FileDialogMode::kSave);
  EXPECT_EQ(FileBytes(Path("case1.trv")), before);
  EXPECT_FALSE(Enabled("mnuFileSaveSettings"));

  files_.Prepare(Path("case2.trv"));
  window_->SaveSettingsAs();
  EXPECT_EQ(FileBytes(Path("case1.trv")), before);
  EXPECT_EQ(ReadSettingsFile(Path("case2.trv")).laby_data[kLabyFlow], 99);
  EXPECT_EQ(window_->windowTitle(), title + " - case2.trv");
  EXPECT_TRUE(Enabled("mnuFileSaveSettings"));
  EXPECT_EQ(FileTitle(MakeReportCase(context_).settings_file_path), "case2.trv");
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(MainWindowTest, ChangeGasesFollowsGasCalculatedAtEveryActivation) {
  context_.gas_calculated = true;
  window_->Activated();
  EXPECT_TRUE(Enabled("mnuGasChange"));
  context_.gas_calculated = false;  // the gas window was opened and closed without calculating
  window_->Activated();
  EXPECT_FALSE(Enabled("mnuGasChange"));
}

TEST_F(MainWindowTest, OpenSettingsReadsTheCaseAndShowsTheStoredGas) {
  std::filesystem::copy_file(std::string(TORVANE_EXAMPLES_DIR) + "/natural-gas.trv",
                             Path("case.trv"));
  files_.Prepare(Path("case.trv"));
  window_->OpenSettings();
  ASSERT_EQ(files_.requests().size(), 1u);
  const FileDialogRequest& r = files_.requests()[0];
  EXPECT_EQ(r.title, "Torvane File");
  EXPECT_EQ(r.filter, "Torvane \xC2\xAE Files (*.trv);;All Files (*)");
  EXPECT_EQ(r.default_suffix, "trv");
  EXPECT_EQ(r.initial_folder, TORVANE_PROGRAM_DIR);
  EXPECT_TRUE(r.hide_read_only);
  EXPECT_EQ(context_.settings_file_path, Path("case.trv"));
  EXPECT_EQ(stored_gas_shown_, 1);
  EXPECT_TRUE(context_.show_stored_gas);
  EXPECT_TRUE(Enabled("mnuCalcLaby"));
  EXPECT_TRUE(Enabled("mnuFileSaveSettings"));
  EXPECT_TRUE(Enabled("mnuFileSaveSettingsAs"));
  EXPECT_EQ(context_.laby_data[kToothNumber], 12);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(MainWindowTest, TheDialogStartsAtHomeWhenTheProgramsFolderIsNotWritable) {
  SettingsCommands installed(context_, services_, (folder_ / "no-such-folder").string());
  const char* home = std::getenv("HOME");
  ASSERT_NE(home, nullptr);
  EXPECT_EQ(installed.DialogRequest(FileDialogMode::kOpen).initial_folder, home);
  SettingsCommands beside(context_, services_, folder_.string());
  EXPECT_EQ(beside.DialogRequest(FileDialogMode::kSave).initial_folder, folder_.string());
}

TEST_F(MainWindowTest, CancelledOrFailedOpenChangesNothing) {
  files_.Prepare(std::nullopt);
  window_->OpenSettings();
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_FALSE(Enabled("mnuCalcLaby"));

  // A record whose component count lies outside the data model.
  std::string bytes(12404, '\0');
  bytes[2100] = 99;
  std::ofstream(Path("bad.trv"), std::ios::binary) << bytes;
  files_.Prepare(Path("bad.trv"));
  context_.record.case_title.Assign("Kept");
  window_->OpenSettings();
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].text.rfind("Could not open " + Path("bad.trv") + ": ", 0), 0u)
      << messages_.messages()[0].text;
  EXPECT_EQ(context_.record.case_title.Trimmed(), "Kept");
  EXPECT_EQ(context_.settings_file_path, "");
  EXPECT_FALSE(Enabled("mnuCalcLaby"));
  EXPECT_EQ(stored_gas_shown_, 0);
}

TEST_F(MainWindowTest, SaveSettingsAsWritesTheCaseAndEnablesSaveSettings) {
  context_.record.case_title.Assign("Compressor K-101");
  context_.laby_data[kLabyFlow] = 12.5;
  files_.Prepare(Path("saved.trv"));
  window_->SaveSettingsAs();
  EXPECT_EQ(files_.requests().at(0).mode, FileDialogMode::kSave);
  EXPECT_TRUE(files_.requests().at(0).confirm_overwrite);
  EXPECT_EQ(std::filesystem::file_size(Path("saved.trv")), 12404u);
  EXPECT_TRUE(Enabled("mnuFileSaveSettings"));
  const SettingsFileContent back = ReadSettingsFile(Path("saved.trv"));
  EXPECT_EQ(back.record.case_title.Trimmed(), "Compressor K-101");
  EXPECT_EQ(back.laby_data[kLabyFlow], 12.5);

  // Save Settings writes to the same file again, without a dialog.
  context_.laby_data[kLabyFlow] = 13.5;
  window_->SaveSettings();
  EXPECT_EQ(files_.requests().size(), 1u);
  EXPECT_EQ(ReadSettingsFile(Path("saved.trv")).laby_data[kLabyFlow], 13.5);
}

TEST_F(MainWindowTest, FailedSaveSaysSo) {
  files_.Prepare(Path("no-such-folder/saved.trv"));
  window_->SaveSettingsAs();
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].text.rfind("Could not save ", 0), 0u);
  EXPECT_FALSE(Enabled("mnuFileSaveSettings"));
  EXPECT_EQ(context_.settings_file_path, "");
}

TEST_F(MainWindowTest, HelpCommandsOpenTheirContexts) {
  window_->HelpContents();
  ASSERT_NE(window_->help_window(), nullptr);
  EXPECT_TRUE(window_->help_window()->browser()->source().toString().endsWith("contents.html"));
  window_->HelpSupport();
  EXPECT_TRUE(window_->help_window()->browser()->source().toString().endsWith("support.html"));
  EXPECT_EQ(window_->help_context(), 12);
  window_->HelpContents();  // now opens context 12
  EXPECT_TRUE(window_->help_window()->browser()->source().toString().endsWith("support.html"));
  window_->HelpSearch();
  EXPECT_TRUE(window_->help_window()->index_panel()->isVisible());
}

TEST_F(MainWindowTest, UnitsAndAboutOpenModally) {
  window_->ShowUnits();
  window_->ShowAbout();
  EXPECT_EQ(modal_titles_, (std::vector<std::string>{"Units Selection", "About Torvane \xC2\xAE"}));
}

}  // namespace
}  // namespace torvane
