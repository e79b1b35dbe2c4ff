// A whole session as a user works it, through the real main window, its menus and the windows
// they open: define a gas, calculate a labyrinth, save the case, and in a second run open it
// again and change the units. Modal windows run through the program's dialog runner, which
// plays the user's part in each; message boxes, questions and file dialogs are answered by
// scripts.
#include <gtest/gtest.h>
#include <orvell/orvell_list.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>

#include "app/main_window.h"
#include "app/program_assembly.h"
#include "document/case_context.h"
#include "document/case_files.h"
#include "gas/ui/gas_input_window.h"
#include "gas/ui/new_gas_analysis_dialog.h"
#include "laby/labyrinth_calculation.h"
#include "platform/qt_settings_store.h"
#include "platform/ui/input_boxes.h"
#include "platform/ui_services.h"
#include "support/screenshot.h"
#include "support/ui_driving.h"
#include "units/number_format.h"
#include "units/ui/units_dialog.h"

namespace torvane {
namespace {

using testing::Click;
using testing::ClickItem;
using testing::ShowActive;
using testing::TypeAndTab;

template <typename T>
T* Child(QWidget& w, const char* name) {
  T* child = w.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

// The natural gas of the session.
const std::pair<const char*, const char*> kGas[] = {
    {"CH4", "0.9"}, {"C2H6", "0.05"}, {"C3H8", "0.02"}, {"N2", "0.02"}, {"CO2", "0.01"}};

// The straight labyrinth of the session, in English units.
LabyInputs SessionCase() {
  LabyInputs in;
  in.laby_type = 1;
  in.seal_dia = 8.5;
  in.seal_rad_clear = 0.012;
  in.press_up = 850;
  in.press_down = 300;
  in.temp_up = 120;
  in.tooth_thk = 0.015;
  in.tooth_spc = 0.125;
  in.tooth_no = 12;
  in.flo_co = 0.67;
  return in;
}

class SessionTest : public ::testing::Test {
 protected:
  using Step = std::function<int(QDialog&)>;

  void SetUp() override {
    folder_ = QDir::tempPath().toStdString() + "/torvane-session-" + std::to_string(::getpid());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " window steps never ran";
    EXPECT_TRUE(questions_.exhausted());
    EXPECT_EQ(questions_.unexpected(), 0);
    std::filesystem::remove_all(folder_);
  }

  // One run of the program: start-up with the store of this test, then the main window.
  struct Run {
    Run(SessionTest& t)
        : context(t.messages_), store(QString::fromStdString(t.folder_ + "/config")) {
      StartUp(context, store);
      program = std::make_unique<Program>(context, t.services_, store, TORVANE_PROGRAM_DIR);
      program->SetDialogRunner([&t](QDialog& d) {
        EXPECT_FALSE(t.steps_.empty()) << "no step for " << d.objectName().toStdString();
        if (t.steps_.empty()) return 0;
        Step step = std::move(t.steps_.front());
        t.steps_.pop_front();
        return step(d);
      });
      ShowActive(program->main_window());
    }
    MainWindow& main() { return program->main_window(); }
    bool Enabled(const char* name) { return main().action(name)->isEnabled(); }
    void Menu(const char* name) {
      QAction* a = main().action(name);
      ASSERT_TRUE(a->isEnabled()) << name;
      a->trigger();
      QCoreApplication::processEvents();
    }

    CaseContext context;
    QtSettingsStore store;
    std::unique_ptr<Program> program;
  };

  void Then(Step step) { steps_.push_back(std::move(step)); }

  std::string folder_;
  RecordingMessageService messages_;
  ScriptedQuestionService questions_;
  ScriptedFileChooser files_;
  RecordingBusyPointer busy_;
  UiServices services_{messages_, questions_, files_, busy_};
  std::deque<Step> steps_;
};

TEST_F(SessionTest, DefineCalculateSaveThenReopenAndSwitchUnits) {
  const std::string case_path = folder_ + "/pipeline.trv";
  LabyOutcome reference;
  {
    Run run(*this);
    // Nothing stored: English units, and nothing to save or calculate yet.
    EXPECT_EQ(run.context.units.Label(Quantity::kPressure), "psia    ");
    EXPECT_FALSE(run.Enabled("mnuFileSaveSettings"));
    EXPECT_FALSE(run.Enabled("mnuFileSaveSettingsAs"));
    EXPECT_FALSE(run.Enabled("mnuCalcLaby"));
    EXPECT_FALSE(run.Enabled("mnuGasChange"));

    // New Gas Analysis: one section of a five-component natural gas, calculated.
    Then([](QDialog& d) {
      auto& dialog = static_cast<NewGasAnalysisDialog&>(d);
      ShowActive(dialog);
      TypeAndTab("1");
      TypeAndTab("5");
      TypeAndTab("pipeline");
      Click(dialog.ok_button());
      return dialog.result();
    });
    Then([this](QDialog& d) {
      auto& window = static_cast<GasInputWindow&>(d);
      ShowActive(window);
      EXPECT_EQ(window.windowTitle(), "Gas Data - PIPELINE.GAS");
      window.code_box(0)->setFocus(Qt::MouseFocusReason);
      for (const auto& [code, fraction] : kGas) {
        TypeAndTab(code);
        TypeAndTab(fraction);
      }
      EXPECT_EQ(window.total_mol_fraction_box()->text(), "1.00000");
      Click(window.calc_button());
      EXPECT_EQ(window.total_mol_weight_box()->text(), "17.82");
      testing::SaveScreenshot(window, "session-gas-window");
      questions_.Prepare(Answer::kNo);  // "Save gas data": not as a gas file
      Click(window.close_button());
      return window.result();
    });
    run.Menu("mnuGasNew");
    testing::SaveScreenshot(run.main(), "session-main-window");
    EXPECT_TRUE(run.Enabled("mnuCalcLaby"));
    EXPECT_TRUE(run.Enabled("mnuFileSaveSettingsAs"));
    EXPECT_TRUE(run.Enabled("mnuGasChange"));
    ASSERT_EQ(questions_.asked().size(), 1u);
    EXPECT_EQ(questions_.asked()[0].text, "Save gas data");
    EXPECT_TRUE(messages_.messages().empty());

    // The same case through the calculation core, on a gas of its own.
    RecordingMessageService core_messages;
    GasEngine core(core_messages);
    std::vector<GasComponentSlot> gas = {{1, 0.9}, {2, 0.05}, {3, 0.02}, {60, 0.02}, {53, 0.01}};
    core.CharacteriseGas(0, gas);
    reference = LabyrinthCalculation(UnitChoice(), core, core_messages).Calculate(SessionCase());
    ASSERT_EQ(reference.status, LabyOutcome::Status::kDone);

    // Labyrinth Leakage: a straight labyrinth typed in and calculated.
    Then([&reference](QDialog& d) {
      ShowActive(d);
      EXPECT_EQ(d.windowTitle(), "Labyrinth Leakage - PIPELINE.GAS");
      ClickItem(Child<orvell::OrvellList>(d, "optLabyType"), 1);
      // Typed box after box in the window's tab order, starting at the seal diameter.
      const LabyInputs in = SessionCase();
      std::map<QString, double> values = {
          {"txtSealDia", in.seal_dia},   {"txtSealRadClear", in.seal_rad_clear},
          {"txtPressUp", in.press_up},   {"txtPressDown", in.press_down},
          {"txtTempUp", in.temp_up},     {"txtToothThk", in.tooth_thk},
          {"txtToothSpc", in.tooth_spc}, {"txtToothNo", in.tooth_no},
          {"txtFloCo", in.flo_co}};
      Child<QLineEdit>(d, "txtSealDia")->setFocus(Qt::MouseFocusReason);
      for (int step = 0; step < 30 && !values.empty(); ++step) {
        QWidget* box = QApplication::focusWidget();
        if (box == nullptr) break;
        auto it = values.find(box->objectName());
        if (it == values.end()) {
          QTest::keyClick(box, Qt::Key_Tab);
          continue;
        }
        TypeAndTab(ShortestGeneral(it->second).c_str());
        values.erase(it);
      }
      EXPECT_TRUE(values.empty()) << values.size() << " boxes never reached by Tab";
      Click(Child<QPushButton>(d, "cmdCalc"));
      EXPECT_EQ(Child<QLabel>(d, "untLabyFlowStd")->text(), "SCFM");
      const double shown =
          ParseNumber(Child<QLineEdit>(d, "txtLabyFlow")->text().toStdString()).value_or(-1);
      EXPECT_NEAR(shown, reference.results.laby_flow, 0.0005);
      EXPECT_TRUE(Child<QPushButton>(d, "cmdPrint")->isEnabled());
      testing::SaveScreenshot(d, "session-labyrinth-window");
      Click(Child<QPushButton>(d, "cmdClose"));
      return d.result();
    });
    run.Menu("mnuCalcLaby");
    EXPECT_TRUE(messages_.messages().empty()) << messages_.texts().front();
    for (int slot = 1; slot < 15; ++slot) {
      EXPECT_EQ(run.context.laby_data[static_cast<size_t>(slot)],
                reference.laby_data[static_cast<size_t>(slot)])
          << "LabyData(" << slot << ")";
    }

    // Save Settings As, then Exit.
    files_.Prepare(case_path);
    run.Menu("mnuFileSaveSettingsAs");
    EXPECT_TRUE(run.Enabled("mnuFileSaveSettings"));
    EXPECT_EQ(std::filesystem::file_size(case_path), 12404u);
    run.Menu("mnuFileExit");
    EXPECT_FALSE(run.main().isVisible());
  }

  // The next run: Open Settings of that file.
  {
    Run run(*this);
    EXPECT_FALSE(run.Enabled("mnuCalcLaby"));
    files_.Prepare(case_path);
    Then([](QDialog& d) {
      auto& window = static_cast<GasInputWindow&>(d);
      ShowActive(window);
      EXPECT_EQ(window.code_box(0)->text(), "CH4");
      EXPECT_EQ(window.code_box(4)->text(), "CO2");
      EXPECT_EQ(window.fraction_box(1)->text(), "0.05000");
      EXPECT_EQ(window.total_mol_weight_box()->text(), "17.82");
      Click(window.close_button());
      return window.result();
    });
    run.Menu("mnuFileOpenSettings");
    EXPECT_TRUE(run.Enabled("mnuCalcLaby"));
    EXPECT_TRUE(run.Enabled("mnuFileSaveSettings"));
    EXPECT_TRUE(run.Enabled("mnuFileSaveSettingsAs"));

    // Labyrinth Leakage shows the stored case.
    Then([&reference](QDialog& d) {
      ShowActive(d);
      EXPECT_EQ(Child<orvell::OrvellList>(d, "optLabyType")->ListIndex(), 1);
      EXPECT_EQ(Child<QLineEdit>(d, "txtSealDia")->text(), "8.5");
      EXPECT_EQ(Child<QLineEdit>(d, "txtPressUp")->text(), "850.00");
      EXPECT_EQ(Child<QLabel>(d, "untPressUp")->text(), "psia    ");
      const double shown =
          ParseNumber(Child<QLineEdit>(d, "txtLabyFlow")->text().toStdString()).value_or(-1);
      EXPECT_NEAR(shown, reference.results.laby_flow, 0.0005);
      Click(Child<QPushButton>(d, "cmdClose"));
      return d.result();
    });
    run.Menu("mnuCalcLaby");

    // Switch to SI units: the captions follow, and the stored figures are converted with them.
    Then([](QDialog& d) {
      auto& dialog = static_cast<UnitsDialog&>(d);
      ShowActive(dialog);
      ClickItem(dialog.unit_system_list(), 1);
      Click(dialog.ok_button());
      return dialog.result();
    });
    run.Menu("mnuFileUnits");
    EXPECT_EQ(run.store.GetSetting("QZ", "Units", "Un", "?"), "1");
    Then([](QDialog& d) {
      ShowActive(d);
      EXPECT_EQ(Child<QLabel>(d, "untPressUp")->text(), "Bar a   ");
      EXPECT_EQ(Child<QLabel>(d, "untTempUp")->text(), "deg C");
      EXPECT_EQ(Child<QLabel>(d, "untSealDia")->text(), "mm");
      EXPECT_EQ(Child<QLabel>(d, "untLabyFlow")->text(), "kg/hr     ");
      EXPECT_EQ(Child<QLabel>(d, "untLabyFlowStd")->text(), "Sm3/hr");
      EXPECT_EQ(Child<QLineEdit>(d, "txtSealDia")->text(), "215.9");  // 8.5 in
      testing::SaveScreenshot(d, "session-labyrinth-window-si");
      Click(Child<QPushButton>(d, "cmdClose"));
      return d.result();
    });
    run.Menu("mnuCalcLaby");
    EXPECT_TRUE(messages_.messages().empty());
  }
}

TEST_F(SessionTest, FilesNamedOnTheCommandLineOpenAsThroughTheMenus) {
  const std::string examples = TORVANE_EXAMPLES_DIR;
  Run run(*this);
  Then([](QDialog& d) {
    auto& window = static_cast<GasInputWindow&>(d);
    ShowActive(window);
    EXPECT_EQ(window.code_box(0)->text(), "CH4");
    Click(window.close_button());
    return window.result();
  });
  run.program->OpenFile(examples + "/natural-gas.trv");
  EXPECT_EQ(run.context.settings_file_path, examples + "/natural-gas.trv");
  EXPECT_TRUE(run.Enabled("mnuCalcLaby"));
  EXPECT_TRUE(run.Enabled("mnuFileSaveSettings"));
  EXPECT_TRUE(files_.requests().empty());

  Then([](QDialog& d) {
    auto& window = static_cast<GasInputWindow&>(d);
    ShowActive(window);
    EXPECT_EQ(window.windowTitle(), "Gas Data - natural-gas.gas");
    Click(window.close_button());
    return window.result();
  });
  run.program->OpenFile(examples + "/natural-gas.gas");
  EXPECT_EQ(run.context.gas_file_title, "natural-gas.gas");
  EXPECT_TRUE(files_.requests().empty());

  // A file that is not there is reported, not created.
  run.program->OpenFile(folder_ + "/missing.trv");
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].text.rfind("Could not open " + folder_ + "/missing.trv", 0),
            0u);
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/missing.trv"));
  EXPECT_EQ(run.context.settings_file_path, examples + "/natural-gas.trv");
}

}  // namespace
}  // namespace torvane
