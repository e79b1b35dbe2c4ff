// A case with methane as the current gas, scripted services and a report printer with scripted
// dialogs, and helpers that drive the labyrinth window as a user does: click into a box, type,
// leave it with Tab.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <vector>

#include "app/labyrinth_rooms.h"
#include "document/case_context.h"
#include "laby/labyrinth_form.h"
#include "laby/ui/labyrinth_window.h"
#include "platform/message_service.h"
#include "platform/ui/input_boxes.h"
#include "platform/ui_services.h"
#include "reports/qt/qt_picture_loader.h"
#include "reports/report_clock.h"
#include "reports/ui/labyrinth_report_printer.h"
#include "support/pdf_files.h"
#include "units/number_format.h"

namespace torvane::testing {

// The text of a PDF file, pages separated by form feeds.
inline QString PdfText(const QString& path) { return PdfText(TORVANE_PDFTOTEXT, path); }

inline QByteArray FileBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

// Every input box with the text a user types, in the order the Tab key visits them.
struct Typed {
  LabyField field;
  QString text;
};

class LabyWindowFixture : public ::testing::Test {
 protected:
  LabyWindowFixture() {
    context_.engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});
    context_.record.component_count = 1;
    context_.record.GasCode(0, 0).Assign("CH4 ");
    context_.record.MolFraction(0, 0) = 1.0;
    context_.record.ComponentId(0, 0) = 1;
    context_.record.case_title.Assign("Pump K-101");
    context_.gas_file_title = "methane.gas";
    context_.version_text = "Version 8.0.2";
    // As the main window leaves the record when it opens.
    context_.laby_data[kToothNumber] = 1;
    context_.laby_data[kFlowCoef] = 0.67;
  }

  void TearDown() override {
    window_.reset();
    EXPECT_EQ(questions_.asked().size(), 0u);
  }

  void UseUnits(UnitSystem system) {
    context_.record.unit_num = PresetIndices(system);
    context_.ApplyUnitChoice();
  }

  LabyrinthWindow& Open() {
    window_.reset();
    window_ = std::make_unique<LabyrinthWindow>(context_, services_, printer_, hooks_);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    return *window_;
  }

  NumericBox* Box(LabyField field) const { return window_->InputBox(field); }
  template <class T>
  T* Child(const char* name) const {
    T* child = window_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
  QString Text(const char* name) const { return Child<QLineEdit>(name)->text(); }
  QString Label(const char* name) const { return Child<QLabel>(name)->text(); }
  QWidget* Focus() const { return QApplication::focusWidget(); }

  // Clicks into the box (leaving the box that had the focus) and types text over its content.
  void TypeInto(LabyField field, const QString& text) {
    NumericBox* box = Box(field);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Delete);
    } else {
      QTest::keyClicks(box, text);
    }
  }
  // Types and leaves the box with Tab.
  void Enter(LabyField field, const QString& text) {
    TypeInto(field, text);
    QTest::keyClick(Box(field), Qt::Key_Tab);
  }
  void EnterAll(const std::vector<Typed>& typed) {
    for (const Typed& t : typed) Enter(t.field, t.text);
  }
  void Calculate() { QTest::mouseClick(Button("cmdCalc"), Qt::LeftButton); }

  std::vector<std::string> Texts() const { return messages_.texts(); }

  RecordingMessageService messages_;
  ScriptedQuestionService questions_;
  ScriptedFileChooser files_;
  RecordingBusyPointer busy_;
  UiServices services_{messages_, questions_, files_, busy_};
  CaseContext context_{messages_};

  ReportState report_state_;
  QtPictureLoader pictures_{QStringLiteral(TORVANE_RESOURCES_DIR)};
  FixedReportClock clock_{std::chrono::year_month_day{std::chrono::year{2026},
                                                      std::chrono::December, std::chrono::day{6}}};
  ScriptedPrintDialogRunner print_dialog_;
  LabyrinthReportPrinter printer_{ReportServices{report_state_, pictures_, clock_}, messages_,
                                  print_dialog_, files_};
  // The program's own windows beside the labyrinth window; a test may replace them.
  LabyrinthWindowHooks hooks_ = LabyrinthRooms(context_, services_, printer_);

  std::unique_ptr<LabyrinthWindow> window_;
};

// 6 in seal, 0.012 in clearance, 500 -> 100 psia, 100 deg F, 8 teeth of 0.02 in at 0.125 in.
inline std::vector<Typed> EnglishCase() {
  return {{LabyField::kSealDia, "6"},     {LabyField::kSealRadClear, "0.012"},
          {LabyField::kToothThk, "0.02"}, {LabyField::kToothSpc, "0.125"},
          {LabyField::kToothNo, "8"},     {LabyField::kPressUp, "500"},
          {LabyField::kPressDown, "100"}, {LabyField::kTempUp, "100"},
          {LabyField::kFloCo, "0.67"}};
}

inline LabyInputs InputsOf(int laby_type, const std::vector<Typed>& typed) {
  LabyInputs in;
  in.laby_type = laby_type;
  double* targets[] = {&in.seal_dia,  &in.seal_rad_clear, &in.press_up, &in.press_down, &in.temp_up,
                       &in.tooth_thk, &in.tooth_spc,      &in.tooth_no, &in.flo_co};
  for (const Typed& t : typed) {
    for (size_t i = 0; i < kInputFields.size(); ++i) {
      if (kInputFields[i] == t.field) *targets[i] = *ParseNumber(t.text.toStdString());
    }
  }
  return in;
}

}  // namespace torvane::testing
