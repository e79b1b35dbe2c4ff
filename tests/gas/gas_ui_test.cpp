// The gas windows driven as a user drives them: typing, tabbing, clicking, with the modal
// windows run through a scripted runner and the message boxes, questions and file dialogs
// answered by scripts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "document/case_files.h"
#include "document/document_test_support.h"
#include "engine/component_library.h"
#include "gas/gas_test_support.h"
#include "gas/ui/gas_input.h"
#include "gas/ui/gas_input_window.h"
#include "gas/ui/gas_warning_dialog.h"
#include "gas/ui/new_gas_analysis_dialog.h"
#include "orvell/orvell_list.h"
#include "platform/ui/access_key_guard.h"
#include "platform/ui/activation_return.h"
#include "platform/ui/input_boxes.h"
#include "platform/ui/qt_dialogs.h"
#include "support/screenshot.h"
#include "support/ui_driving.h"

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace torvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::kProgramFolder;

using testing::Click;
using testing::ClickItem;
using testing::ShowActive;
using testing::TypeAndTab;

QString Plain(const QString& caption) {
  QString text = caption;
  return text.remove('&');
}

class GasUiTest : public ::testing::Test, protected testing::GasServices {
 protected:
  using Step = std::function<int(QDialog&)>;

  void TearDown() override {
    ExpectScriptsUsedUp();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " window steps never ran";
  }

  // The next modal window runs this step.
  void Then(Step step) { steps_.push_back(std::move(step)); }
  // A warning dialog answered by its first button ("Enter new gases", "Roundoff") or by
  // "Reenter a gas".
  void ThenWarning(GasWarning expected, bool first_button) {
    Then([this, expected, first_button](QDialog& d) {
      auto* warning = qobject_cast<GasWarningDialog*>(&d);
      EXPECT_NE(warning, nullptr);
      if (warning == nullptr) return 0;
      EXPECT_EQ(warning->warning(), expected);
      shown_warnings_.push_back(warning->text_label()->text().toStdString());
      warning->show();
      Click(first_button ? warning->first_button() : warning->reenter_button());
      EXPECT_FALSE(warning->isVisible());
      return warning->result();
    });
  }
  GasDialogRunner Runner() {
    return [this](QDialog& d) {
      EXPECT_FALSE(steps_.empty()) << "no step for " << d.objectName().toStdString();
      if (steps_.empty()) return 0;
      Step step = std::move(steps_.front());
      steps_.pop_front();
      return step(d);
    };
  }
  GasInput::Options InputOptions() {
    return GasInput::Options{kProgramFolder,
                             [this](bool enabled) { laby_enabled_.push_back(enabled); }, Runner(),
                             nullptr};
  }
  GasInputWindow::Options WindowOptions() {
    return GasInputWindow::Options{
        kProgramFolder, [this](bool enabled) { laby_enabled_.push_back(enabled); }, Runner()};
  }

  CaseContext context{messages};
  std::deque<Step> steps_;
  std::vector<bool> laby_enabled_;
  std::vector<std::string> shown_warnings_;
};

// An access key as the user presses it: the button it names is clicked after its short
// animation.
void AltKey(Qt::Key key) {
  QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
  QTest::qWait(150);
}

// Types 0.5 CH4 and 0.5 C2H6 into the first two rows and clicks Calculate.
void TypeHalfMethaneHalfEthaneAndCalculate(GasInputWindow& window) {
  window.code_box(0)->setFocus(Qt::MouseFocusReason);
  TypeAndTab("CH4");
  TypeAndTab("0.5");
  TypeAndTab("C2H6");
  TypeAndTab("0.5");
  Click(window.calc_button());
}

// ------------------------------------------------------------------------------------------
// The warning dialogs

TEST_F(GasUiTest, WarningDialogsHaveTheirCaptionTextAndButtons) {
  GasWarningDialog warn1(GasWarning::kOutOfLimits);
  EXPECT_EQ(warn1.objectName(), "frmGasWarn1");
  EXPECT_EQ(warn1.windowTitle(), "Gas Input Warning");
  EXPECT_EQ(warn1.text_label()->text(), "Mol Fraction is out of limits");
  EXPECT_EQ(warn1.first_button()->objectName(), "cmdNewGas");
  EXPECT_EQ(warn1.first_button()->text(), "Enter new gases");
  EXPECT_EQ(warn1.reenter_button()->objectName(), "cmdReGas");
  EXPECT_EQ(warn1.reenter_button()->text(), "Reenter a gas");
  EXPECT_FALSE(warn1.windowFlags() & Qt::WindowCloseButtonHint);

  GasWarningDialog warn2(GasWarning::kNotOne);
  EXPECT_EQ(warn2.objectName(), "frmGasWarn2");
  EXPECT_EQ(warn2.text_label()->text(), "Mol Fraction does not equal 1.00");
  EXPECT_EQ(warn2.first_button()->objectName(), "cmdRound");
  EXPECT_EQ(warn2.first_button()->text(), "Roundoff");
  ShowActive(warn2);
  testing::SaveScreenshot(warn2, "gas-warning-2");
  Click(warn2.first_button());
  EXPECT_TRUE(warn2.answer());
  EXPECT_FALSE(warn2.isVisible());
  // Escape is "Reenter a gas".
  ShowActive(warn2);
  QTest::keyClick(&warn2, Qt::Key_Escape);
  EXPECT_FALSE(warn2.answer());
  EXPECT_FALSE(warn2.isVisible());
}

// ------------------------------------------------------------------------------------------
// The new gas analysis dialog

TEST_F(GasUiTest, NewAnalysisDialogChecksItsBoxesAndEnablesOkAfterTheName) {
  NewGasAnalysisDialog dialog(messages);
  EXPECT_EQ(dialog.objectName(), "frmFileInput");
  EXPECT_EQ(dialog.windowTitle(), "Gas File");
  ShowActive(dialog);
  testing::SaveScreenshot(dialog, "gas-file-dialog");
  EXPECT_FALSE(dialog.ok_button()->isEnabled());
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "txtNumFiles");

  TypeAndTab("4");
  EXPECT_THAT(messages.texts(), ElementsAre("Allowable range is 1 to 3 files"));
  EXPECT_EQ(QApplication::focusWidget(), dialog.num_files_box()) << "the focus comes back";
  TypeAndTab("3");
  EXPECT_EQ(QApplication::focusWidget(), dialog.gas_num_box());
  TypeAndTab("31");
  EXPECT_EQ(QApplication::focusWidget(), dialog.gas_num_box());
  TypeAndTab("30");
  EXPECT_EQ(QApplication::focusWidget(), dialog.gas_file_box());
  EXPECT_FALSE(dialog.ok_button()->isEnabled());
  TypeAndTab("plant 2  ");
  EXPECT_TRUE(dialog.ok_button()->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), dialog.ok_button());
  EXPECT_EQ(dialog.gas_file_title(), "PLANT 2.GAS");
  EXPECT_THAT(messages.texts(),
              ElementsAre("Allowable range is 1 to 3 files", "Allowable range is 1 to 30 gases"));

  // A value typed again and never left is checked by OK.
  dialog.gas_num_box()->setText("0");
  Click(dialog.ok_button());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(messages.texts().back(), "Allowable range is 1 to 30 gases");
  EXPECT_EQ(QApplication::focusWidget(), dialog.gas_num_box());
  dialog.gas_num_box()->setText("12");
  Click(dialog.ok_button());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.num_files(), 3);
  EXPECT_EQ(dialog.num_gases(), 12);
}

TEST_F(GasUiTest, OkByEnterTakesTheNameTypedSinceTheBoxWasLeft) {
  NewGasAnalysisDialog dialog(messages);
  ShowActive(dialog);
  TypeAndTab("1");
  TypeAndTab("2");
  TypeAndTab("first");
  EXPECT_EQ(dialog.gas_file_title(), "FIRST.GAS");
  dialog.gas_file_box()->setFocus(Qt::MouseFocusReason);
  dialog.gas_file_box()->selectAll();
  QTest::keyClicks(dialog.gas_file_box(), "second");
  QTest::keyClick(dialog.gas_file_box(), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.gas_file_title(), "SECOND.GAS");
}

TEST_F(GasUiTest, EnterInTheNameBoxOfAFreshDialogTakesTheNameAndActsAsOk) {
  NewGasAnalysisDialog dialog(messages);
  ShowActive(dialog);
  EXPECT_FALSE(dialog.ok_button()->isEnabled());
  dialog.gas_file_box()->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(dialog.gas_file_box(), "compressor c");
  QTest::keyClick(dialog.gas_file_box(), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.gas_file_title(), "COMPRESSOR C.GAS");
  EXPECT_EQ(dialog.num_files(), 1);
  EXPECT_EQ(dialog.num_gases(), 1);

  // OK still checks the boxes it was not given by leaving them.
  NewGasAnalysisDialog second(messages);
  ShowActive(second);
  second.gas_num_box()->setText("31");
  second.gas_file_box()->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(second.gas_file_box(), "x");
  QTest::keyClick(second.gas_file_box(), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_TRUE(second.isVisible());
  EXPECT_THAT(messages.texts(), ElementsAre("Allowable range is 1 to 30 gases"));
  EXPECT_EQ(QApplication::focusWidget(), second.gas_num_box());
}

TEST_F(GasUiTest, CancellingTheNewAnalysisChangesNothing) {
  context.gas_file_title = "OLD.GAS";
  context.record.component_count = 5;
  GasInput gas(context, services, InputOptions());
  Then([this](QDialog& d) {
    auto& dialog = static_cast<NewGasAnalysisDialog&>(d);
    ShowActive(dialog);
    dialog.gas_file_box()->setFocus();
    TypeAndTab("other");
    Click(dialog.cancel_button());
    return dialog.result();
  });
  EXPECT_FALSE(gas.NewGasAnalysis());
  EXPECT_EQ(context.gas_file_title, "OLD.GAS");
  EXPECT_EQ(context.record.component_count, 5);
  EXPECT_FALSE(gas.IsOpenOrHidden());
  EXPECT_FALSE(busy.busy());
}

// ------------------------------------------------------------------------------------------
// The gas analysis window

// A stored analysis of 30 components in three sections, as a gas file brings it.
void StoreThirtyComponents(CaseContext& context) {
  static const char* const kCodes[kGasSlots] = {
      "CH4",  "C2H6", "C3H8", "BUTA", "IBUT", "PENT", "IPEN", "NPEN", "HEXA", "2MP",
      "3MP",  "NHEX", "23DB", "HEPT", "2MH",  "3MH",  "3EP",  "22DP", "24DP", "33DP",
      "TRIP", "OCTA", "DIB",  "IOCT", "N2",   "CO2",  "H2S",  "H2",   "HE",   "H2O"};
  CaseRecord& r = context.record;
  r.component_count = kGasSlots;
  r.last_gas_section = 2;
  for (int g = 0; g < 3; ++g) {
    for (int i = 0; i < kGasSlots; ++i) {
      r.GasCode(i, g).Assign(kCodes[i]);
      r.ComponentId(i, g) = static_cast<std::int16_t>(*FindComponent(kCodes[i]));
      r.MolFraction(i, g) = i == 0 ? 0.71 - 0.05 * g : 0.01;
    }
    r.MolFraction(1, g) += 0.05 * g;
  }
  context.gas_file_title = "FIELD.GAS";
  context.show_stored_gas = true;
}

TEST_F(GasUiTest, ThirtyRowsInThreeGroupsOnStoredData) {
  StoreThirtyComponents(context);
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  testing::SaveScreenshot(window, "gas-window");

  EXPECT_EQ(window.windowTitle(), "Gas Data - FIELD.GAS");
  for (int group = 0; group < 3; ++group) {
    const auto headings = window.headings(group);
    EXPECT_EQ(headings[0]->text(), "No.");
    EXPECT_EQ(headings[1]->text(), "Gas Name");
    EXPECT_EQ(headings[2]->text(), "Mol Fraction");
    EXPECT_TRUE(headings[0]->isVisible());
  }
  EXPECT_EQ(window.row_number(29)->text(), "30");
  EXPECT_EQ(window.code_box(29)->text(), "H2O");
  EXPECT_EQ(window.fraction_box(0)->text(), "0.71000");
  EXPECT_EQ(window.fraction_box(29)->text(), "0.01000");
  EXPECT_EQ(window.total_mol_fraction_box()->text(), "1.00000");
  EXPECT_EQ(window.code_box(0)->objectName(), "txtGasName_0");
  EXPECT_EQ(window.fraction_box(0)->objectName(), "txtMolFract_0");
  EXPECT_EQ(window.fraction_box(0)->format(), "0.00000");
  EXPECT_FALSE(window.fraction_box(0)->InBounds(1.01));
  EXPECT_EQ(window.total_mol_fraction_box()->objectName(), "txtTotalMF");
  EXPECT_EQ(window.total_mol_weight_box()->objectName(), "txtTotalMW");
  EXPECT_FALSE(window.total_mol_weight_box()->text().isEmpty());
  auto* selector = window.section_selector();
  EXPECT_EQ(selector->objectName(), "optNumFile");
  EXPECT_EQ(selector->Caption(), "File Number");
  EXPECT_EQ(selector->Contents(), "0;One\r\n1;Two\r\n2;Three");
  EXPECT_TRUE(selector->isVisible());
  EXPECT_EQ(selector->ListIndex(), 0);
  EXPECT_TRUE(selector->ItemEnabled(2));
  EXPECT_TRUE(window.save_button()->isEnabled());
  EXPECT_TRUE(window.calc_button()->isEnabled());
  EXPECT_FALSE(window.last_button()->isVisible());
  EXPECT_THAT(laby_enabled_, ElementsAre(true));
  EXPECT_THAT(messages.texts(), IsEmpty());

  ClickItem(selector, 2);
  EXPECT_EQ(context.CurrentGas(), 2);
  EXPECT_EQ(window.fraction_box(0)->text(), "0.61000");
  EXPECT_EQ(window.fraction_box(1)->text(), "0.11000");
}

TEST_F(GasUiTest, AnAccessKeyTakesTheFractionBeingTyped) {
  StartNewGasAnalysis(context, 1, 2, "KEYS.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  TypeHalfMethaneHalfEthaneAndCalculate(window);
  EXPECT_EQ(window.total_mol_weight_box()->text(), "23.06");  // 23.055 rounded half up

  // A new fraction typed, and Calculate given as its access key gives it: the button is pressed
  // without the focus leaving the box.
  window.fraction_box(1)->setFocus(Qt::MouseFocusReason);
  window.fraction_box(1)->selectAll();
  QTest::keyClicks(window.fraction_box(1), "0.49");
  ThenWarning(GasWarning::kNotOne, false);
  window.calc_button()->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(context.record.MolFraction(1, 0), 0.49);
  EXPECT_EQ(window.total_mol_fraction_box()->text(), "0.99000");
  EXPECT_EQ(window.total_mol_weight_box()->text(), "22.75");
  EXPECT_THAT(shown_warnings_, ElementsAre("Mol Fraction does not equal 1.00"));
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasUiTest, AnAccessKeyChecksARefusedFractionAgainAndStopsThere) {
  StartNewGasAnalysis(context, 1, 2, "KEYS.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  TypeHalfMethaneHalfEthaneAndCalculate(window);
  ASSERT_EQ(window.total_mol_weight_box()->text(), "23.06");

  // 1.5 is refused on leaving the box; the focus comes back with the text kept.
  window.fraction_box(1)->setFocus(Qt::MouseFocusReason);
  TypeAndTab("1.5");
  EXPECT_THAT(messages.texts(), ElementsAre("Allowable mol fraction range is 0 to 1'"));
  ASSERT_EQ(QApplication::focusWidget(), window.fraction_box(1));
  EXPECT_EQ(window.fraction_box(1)->text(), "1.5");

  // Alt+C now runs the same check and stops where leaving the box stops: no calculation with
  // the old 0.5 while the box shows 1.5.
  AltKey(Qt::Key_C);
  EXPECT_THAT(messages.texts(), ElementsAre("Allowable mol fraction range is 0 to 1'",
                                            "Allowable mol fraction range is 0 to 1'"));
  EXPECT_EQ(QApplication::focusWidget(), window.fraction_box(1));
  EXPECT_EQ(window.fraction_box(1)->text(), "1.5");
  EXPECT_EQ(context.record.MolFraction(1, 0), 0.5);
  EXPECT_THAT(shown_warnings_, IsEmpty());

  // Corrected, Alt+C takes the new value and calculates.
  window.fraction_box(1)->selectAll();
  QTest::keyClicks(window.fraction_box(1), "0.49");
  ThenWarning(GasWarning::kNotOne, false);
  AltKey(Qt::Key_C);
  EXPECT_EQ(context.record.MolFraction(1, 0), 0.49);
  EXPECT_EQ(window.total_mol_weight_box()->text(), "22.75");
}

TEST_F(GasUiTest, ClosedFromItsWarningTheWindowGivesTheActivationBack) {
  QWidget main;
  main.resize(400, 300);
  new ActivationReturn(&main);
  ShowActive(main);
  StartNewGasAnalysis(context, 1, 1, "ACTIVE.GAS");
  GasInputWindow::Options options = WindowOptions();
  options.run_dialog = nullptr;  // the warning runs modally, as in the program
  GasInputWindow window(context, services, std::move(options), &main);
  window.Open();
  QTimer::singleShot(0, &window, [&] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.code_box(0)->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == window.code_box(0); }));
    QTest::keyClicks(window.code_box(0), "CH4");
    window.fraction_box(0)->setFocus(Qt::MouseFocusReason);
    window.fraction_box(0)->selectAll();
    QTest::keyClicks(window.fraction_box(0), "0.5");
    QTimer::singleShot(0, &window, [] {
      auto* warning = qobject_cast<GasWarningDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(warning, nullptr);
      ASSERT_TRUE(QTest::qWaitForWindowActive(warning));
      Click(warning->first_button());  // "Enter new gases" hides the gas window
    });
    Click(window.calc_button());
  });
  window.exec();
  EXPECT_TRUE(window.hidden_for_new_gases());
  QTest::qWait(300);
  EXPECT_EQ(QApplication::activeWindow(), &main);
}

// A screen reader names each box by its row and column, and the two totals by their labels.
TEST_F(GasUiTest, EveryBoxHasItsOwnAccessibleName) {
  StartNewGasAnalysis(context, 1, 30, "NAMES.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  const auto name = [](QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
  };
  EXPECT_EQ(name(window.code_box(2)), "Gas 3 code");
  EXPECT_EQ(name(window.fraction_box(2)), "Gas 3 mol fraction");
  EXPECT_EQ(name(window.code_box(29)), "Gas 30 code");
  EXPECT_EQ(name(window.fraction_box(0)), "Gas 1 mol fraction");
  EXPECT_EQ(name(window.total_mol_fraction_box()), "Total Mol Fraction");
  EXPECT_EQ(name(window.total_mol_weight_box()), "Total Mol Weight");
  EXPECT_TRUE(
      QAccessible::queryAccessibleInterface(window.total_mol_weight_box())->state().readOnly);
}

// Alt+C while Calculate is disabled types no "c" into the code box: the key is an access key
// that no enabled command takes.
TEST_F(GasUiTest, AnAccessKeyOfADisabledButtonTypesNothing) {
  StartNewGasAnalysis(context, 1, 2, "KEYS.GAS");
  GasInputWindow window(context, services, WindowOptions());
  AccessKeyGuard guard(&window);
  window.Open();
  ShowActive(window);
  window.code_box(0)->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(window.code_box(0), "CH4");
  ASSERT_FALSE(window.calc_button()->isEnabled());
  AltKey(Qt::Key_C);
  AltKey(Qt::Key_Q);
  EXPECT_EQ(window.code_box(0)->text(), "CH4");
  EXPECT_EQ(QApplication::focusWidget(), window.code_box(0));
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasUiTest, FewGasesShowOnlyTheirRowsAndTheFirstHeadings) {
  StartNewGasAnalysis(context, 1, 4, "SMALL.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  testing::SaveScreenshot(window, "gas-window-four-rows");
  EXPECT_TRUE(window.code_box(3)->isVisible());
  EXPECT_FALSE(window.code_box(4)->isVisible());
  EXPECT_FALSE(window.row_number(4)->isVisible());
  EXPECT_TRUE(window.headings(0)[1]->isVisible());
  EXPECT_FALSE(window.headings(1)[1]->isVisible());
  EXPECT_FALSE(window.section_selector()->isVisible());
  EXPECT_FALSE(window.calc_button()->isEnabled());
  EXPECT_FALSE(window.save_button()->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), window.code_box(0));
  EXPECT_LT(window.width(), 600) << "the window fits the rows in use";
}

TEST_F(GasUiTest, UnknownCodesAndRefusedFractionsKeepTheFocus) {
  StartNewGasAnalysis(context, 1, 2, "T.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  TypeAndTab("ch4");
  EXPECT_THAT(messages.texts(), ElementsAre("Gas ch4 is not in library"));
  EXPECT_EQ(QApplication::focusWidget(), window.code_box(0));
  TypeAndTab("CH4");
  EXPECT_EQ(QApplication::focusWidget(), window.fraction_box(0));
  TypeAndTab("1.2");
  EXPECT_EQ(messages.texts().back(), "Allowable mol fraction range is 0 to 1'");
  EXPECT_EQ(QApplication::focusWidget(), window.fraction_box(0));
  EXPECT_EQ(window.fraction_box(0)->text(), "1.2");
  EXPECT_EQ(context.record.MolFraction(0, 0), 0.0);
  TypeAndTab(".6");
  EXPECT_EQ(window.fraction_box(0)->text(), "0.60000");
  EXPECT_EQ(window.total_mol_fraction_box()->text(), "0.60000");
  EXPECT_EQ(QApplication::focusWidget(), window.code_box(1));
  EXPECT_EQ(messages.texts().size(), 2u);
}

TEST_F(GasUiTest, TheFocusComesBackAfterARealMessageBox) {
  QtMessageService boxes;
  UiServices on_screen{boxes, questions, files, busy};
  StartNewGasAnalysis(context, 1, 2, "T.GAS");
  GasInputWindow window(context, on_screen, WindowOptions());
  window.Open();
  ShowActive(window);
  // Acknowledges each message box as a user would.
  std::vector<QString> seen;
  QTimer acknowledge;
  QObject::connect(&acknowledge, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen.push_back(box->text());
      box->button(QMessageBox::Ok)->click();
    }
  });
  acknowledge.start(20);
  // The offscreen platform does not hand the activation back when a box closes; a window
  // manager does.
  auto reactivate = [&] {
    QTest::qWait(60);
    QApplication::setActiveWindow(&window);
    QCoreApplication::processEvents();
  };
  TypeAndTab("XX");
  reactivate();
  EXPECT_THAT(seen, ElementsAre("Gas XX is not in library"));
  EXPECT_EQ(window.focusWidget(), window.code_box(0));
  TypeAndTab("CH4");
  TypeAndTab("7");
  reactivate();
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(window.focusWidget(), window.fraction_box(0));
  EXPECT_EQ(window.fraction_box(0)->text(), "7");
  acknowledge.stop();
}

TEST_F(GasUiTest, OneGasFillsTheFractionWhenTheCodeIsLeft) {
  StartNewGasAnalysis(context, 1, 1, "ONE.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  TypeAndTab("CO2");
  EXPECT_EQ(window.fraction_box(0)->text(), "1");
  EXPECT_TRUE(window.calc_button()->isEnabled());
  Click(window.calc_button());
  EXPECT_EQ(window.total_mol_weight_box()->text(), "44.01");
  EXPECT_THAT(laby_enabled_, ElementsAre(true));
}

TEST_F(GasUiTest, EscapeIsTheCloseCommandWithItsPrompts) {
  StartNewGasAnalysis(context, 1, 1, "ESC.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  TypeAndTab("CO2");
  questions.Prepare(Answer::kNo);  // Calculate section 1 gas data
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_THAT(testing::QuestionTexts(questions), ElementsAre("Calculate section 1 gas data"));
  EXPECT_TRUE(window.closed());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(GasUiTest, SaveCancelledInThePromptKeepsTheWindowOpen) {
  StartNewGasAnalysis(context, 1, 1, "KEEP.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  TypeAndTab("CO2");
  Click(window.calc_button());
  questions.Prepare(Answer::kCancel);  // Save gas data
  Click(window.close_button());
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.closed());
}

TEST_F(GasUiTest, SectionsCanOnlyBePickedOnceTheyMayBeEntered) {
  StartNewGasAnalysis(context, 3, 2, "ORDER.GAS");
  GasInputWindow window(context, services, WindowOptions());
  window.Open();
  ShowActive(window);
  auto* selector = window.section_selector();
  EXPECT_FALSE(selector->ItemEnabled(1));
  ClickItem(selector, 1);
  EXPECT_EQ(context.CurrentGas(), 0);
  EXPECT_EQ(selector->ListIndex(), 0);

  window.code_box(0)->setFocus();
  TypeAndTab("CH4");
  TypeAndTab("0.5");
  TypeAndTab("C2H6");
  TypeAndTab("0.5");
  Click(window.calc_button());
  EXPECT_TRUE(selector->ItemEnabled(1));
  EXPECT_FALSE(selector->ItemEnabled(2));

  // The arrow keys follow to a section that may be entered and not beyond it.
  selector->setFocus();
  QTest::keyClick(selector, Qt::Key_Down);
  EXPECT_EQ(context.CurrentGas(), 1);
  EXPECT_TRUE(window.last_button()->isVisible());
  EXPECT_EQ(Plain(window.last_button()->text()), "Use File 1");
  testing::SaveScreenshot(window, "gas-window-section-2");
  EXPECT_EQ(window.code_box(0)->text(), " ");
  QTest::keyClick(selector, Qt::Key_Down);  // "Three" is not open yet; "One" is next
  EXPECT_EQ(context.CurrentGas(), 0);
  EXPECT_EQ(window.code_box(0)->text(), "CH4");
  QTest::keyClick(selector, Qt::Key_Down);
  EXPECT_EQ(context.CurrentGas(), 1);

  // A click on the section on display does not clear what has been typed.
  window.code_box(0)->setFocus();
  TypeAndTab("N2");
  ClickItem(selector, 1);
  EXPECT_EQ(window.code_box(0)->text(), "N2");
  Click(window.last_button());
  EXPECT_EQ(window.code_box(0)->text(), "CH4");
  EXPECT_EQ(window.fraction_box(1)->text(), "0.50000");
  EXPECT_TRUE(window.calc_button()->isEnabled());
  EXPECT_THAT(messages.texts(), IsEmpty());
}

// ------------------------------------------------------------------------------------------
// The commands of the main window

TEST_F(GasUiTest, EndToEndNewAnalysisOfTwoSectionsSavedAndReopened) {
  testing::ScratchFolder folder;
  const std::string path = folder.File("north.gas");
  GasInput gas(context, services, InputOptions());
  GasInputWindow* first_window = nullptr;

  Then([](QDialog& d) {
    auto& dialog = static_cast<NewGasAnalysisDialog&>(d);
    EXPECT_EQ(dialog.objectName(), "frmFileInput");
    ShowActive(dialog);
    TypeAndTab("2");
    TypeAndTab("2");
    TypeAndTab("north");
    Click(dialog.ok_button());
    return dialog.result();
  });
  Then([&](QDialog& d) {
    auto& window = static_cast<GasInputWindow&>(d);
    first_window = &window;
    ShowActive(window);
    EXPECT_EQ(window.windowTitle(), "Gas Data - NORTH.GAS");
    EXPECT_TRUE(window.section_selector()->isVisible());
    // Section 1.
    TypeAndTab("CH4");
    TypeAndTab("0.9");
    TypeAndTab("C2H6");
    TypeAndTab("0.1");
    EXPECT_EQ(window.total_mol_fraction_box()->text(), "1.00000");
    Click(window.calc_button());
    EXPECT_EQ(window.total_mol_weight_box()->text(), "17.44");
    EXPECT_TRUE(laby_enabled_.empty());
    // Section 2, ending in a Roundoff.
    ClickItem(window.section_selector(), 1);
    EXPECT_EQ(window.total_mol_weight_box()->text(), "0.0");
    window.code_box(0)->setFocus();
    TypeAndTab("CH4");
    TypeAndTab("0.5");
    TypeAndTab("C2H6");
    TypeAndTab("0.49");
    ThenWarning(GasWarning::kNotOne, true);
    Click(window.calc_button());
    EXPECT_EQ(window.fraction_box(0)->text(), "0.50505");
    EXPECT_EQ(window.fraction_box(1)->text(), "0.49495");
    EXPECT_EQ(window.total_mol_fraction_box()->text(), "1.00000");
    EXPECT_THAT(laby_enabled_, ElementsAre(true));
    // Save, then close without questions.
    files.Prepare(path);
    Click(window.save_button());
    EXPECT_EQ(window.windowTitle(), "Gas Data - north.gas");
    Click(window.close_button());
    EXPECT_TRUE(window.closed());
    return window.result();
  });
  EXPECT_TRUE(gas.NewGasAnalysis());
  EXPECT_NE(first_window, nullptr);
  EXPECT_FALSE(gas.IsOpenOrHidden());
  EXPECT_TRUE(context.gas_calculated);
  EXPECT_EQ(context.CurrentGas(), 1);
  EXPECT_EQ(files.requests()[0].initial_name, "NORTH.GAS");
  const std::vector<std::uint8_t> saved = testing::ReadBytes(path);
  ASSERT_EQ(saved.size(), kGasSlotSize);
  EXPECT_EQ(saved, GasFileBytes(context.record));
  EXPECT_THAT(shown_warnings_, ElementsAre("Mol Fraction does not equal 1.00"));

  // Reopen: a new window shows and calculates both sections.
  context.record = CaseRecord{};
  files.Prepare(path);
  laby_enabled_.clear();
  Then([&](QDialog& d) {
    auto& window = static_cast<GasInputWindow&>(d);
    ShowActive(window);
    EXPECT_EQ(window.windowTitle(), "Gas Data - north.gas");
    EXPECT_EQ(window.code_box(1)->text(), "C2H6");
    EXPECT_EQ(window.fraction_box(0)->text(), "0.90000");
    EXPECT_EQ(window.total_mol_weight_box()->text(), "17.44");
    EXPECT_TRUE(window.section_selector()->ItemEnabled(1));
    ClickItem(window.section_selector(), 1);
    EXPECT_EQ(window.fraction_box(0)->text(), "0.50505");
    Click(window.close_button());
    return window.result();
  });
  EXPECT_TRUE(gas.OpenGasFile());
  EXPECT_EQ(files.requests()[1].filter,
            "Brantel Files (*.gas);;Brantel Files (*.bnq);;All Files (*)");
  EXPECT_EQ(GasFileBytes(context.record), saved);
  EXPECT_THAT(laby_enabled_, ElementsAre(true));
  EXPECT_THAT(messages.texts(), IsEmpty());
  EXPECT_FALSE(busy.busy());
}

TEST_F(GasUiTest, ChangeGasesShowsTheWindowHiddenByEnterNewGasesAsItWas) {
  GasInput gas(context, services, InputOptions());
  GasInputWindow* hidden = nullptr;
  Then([](QDialog& d) {
    auto& dialog = static_cast<NewGasAnalysisDialog&>(d);
    ShowActive(dialog);
    TypeAndTab("1");
    TypeAndTab("2");
    TypeAndTab("south");
    Click(dialog.ok_button());
    return dialog.result();
  });
  Then([&](QDialog& d) {
    auto& window = static_cast<GasInputWindow&>(d);
    hidden = &window;
    ShowActive(window);
    TypeAndTab("CH4");
    TypeAndTab("0.5");
    TypeAndTab("N2");
    TypeAndTab("0.2");
    ThenWarning(GasWarning::kOutOfLimits, true);  // Enter new gases
    Click(window.calc_button());
    EXPECT_FALSE(window.isVisible());
    return window.result();
  });
  gas.NewGasAnalysis();
  ASSERT_TRUE(gas.IsHidden());
  EXPECT_EQ(gas.window(), hidden);
  EXPECT_TRUE(context.gas_calculated) << "the calculation ran to its end";
  EXPECT_THAT(laby_enabled_, ElementsAre(true));

  Then([&](QDialog& d) {
    auto& window = static_cast<GasInputWindow&>(d);
    EXPECT_EQ(&window, hidden);
    ShowActive(window);
    EXPECT_EQ(window.code_box(1)->text(), "N2");
    EXPECT_EQ(window.fraction_box(1)->text(), "0.20000");
    EXPECT_TRUE(window.save_button()->isEnabled());
    EXPECT_TRUE(context.show_stored_gas) << "the window was not opened afresh";
    window.fraction_box(1)->setFocus();
    TypeAndTab("0.5");
    Click(window.calc_button());
    questions.Prepare(Answer::kNo);  // Save gas data
    Click(window.close_button());
    return window.result();
  });
  gas.ChangeGases();
  EXPECT_FALSE(gas.IsOpenOrHidden());
  EXPECT_DOUBLE_EQ(context.engine.Mixture(0).mix_mol_weight, 0.5 * 16.04 + 0.5 * 28.013);
  EXPECT_FALSE(busy.busy());
}

TEST_F(GasUiTest, ANewAnalysisClosesTheHiddenWindowFirst) {
  StartNewGasAnalysis(context, 1, 1, "A.GAS");
  GasInput gas(context, services, InputOptions());
  Then([&](QDialog& d) {
    auto& window = static_cast<GasInputWindow&>(d);
    ShowActive(window);
    TypeAndTab("N2");
    TypeAndTab("0.5");  // a total out of limits
    ThenWarning(GasWarning::kOutOfLimits, true);
    Click(window.calc_button());
    return 0;
  });
  gas.ShowStoredGas();
  ASSERT_TRUE(gas.IsHidden());
  messages.Clear();

  Then([](QDialog& d) {
    auto& dialog = static_cast<NewGasAnalysisDialog&>(d);
    ShowActive(dialog);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    return dialog.result();
  });
  gas.NewGasAnalysis();
  EXPECT_TRUE(gas.IsHidden()) << "a cancelled dialog leaves the hidden window alone";

  Then([](QDialog& d) {
    auto& dialog = static_cast<NewGasAnalysisDialog&>(d);
    ShowActive(dialog);
    dialog.gas_file_box()->setFocus();
    TypeAndTab("B");
    Click(dialog.ok_button());
    return dialog.result();
  });
  GasInputWindow* fresh = nullptr;
  Then([&](QDialog& d) {
    fresh = &static_cast<GasInputWindow&>(d);
    EXPECT_EQ(fresh->windowTitle(), "Gas Data - B.GAS");
    EXPECT_EQ(fresh->code_box(0)->text(), " ");
    return 0;  // left open, as a non-waiting runner does
  });
  gas.NewGasAnalysis();
  EXPECT_EQ(gas.window(), fresh);
  gas.Close();
  EXPECT_FALSE(gas.IsOpenOrHidden());
}

TEST_F(GasUiTest, AGasFileThatCannotBeReadIsReportedAndOpensNoWindow) {
  testing::ScratchFolder folder;
  const std::string path = folder.File("bad.gas");
  testing::WriteBytes(path, {});
  files.Prepare(path);
  GasInput gas(context, services, InputOptions());
  EXPECT_FALSE(gas.OpenGasFile());
  EXPECT_THAT(messages.texts(), ElementsAre("Could not open " + path + ": the file is empty."));
  EXPECT_FALSE(gas.IsOpenOrHidden());
  files.Prepare(std::nullopt);
  EXPECT_FALSE(gas.OpenGasFile());
  EXPECT_EQ(messages.texts().size(), 1u);
}

}  // namespace
}  // namespace torvane
