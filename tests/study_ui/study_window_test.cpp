// The study window driven offscreen through its controls, with scripted message and file
// services.
#include "study/ui/study_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <bit>
#include <memory>

#include "document/case_context.h"
#include "laby/laby_test_support.h"
#include "laby/labyrinth_calculation.h"
#include "methods/method_comparison.h"
#include "platform/ui/input_boxes.h"
#include "platform/ui_services.h"
#include "study/study_form.h"
#include "study/study_plot.h"
#include "study/ui/study_plot_view.h"
#include "support/file_limits.h"
#include "support/pdf_files.h"
#include "support/screenshot.h"
#include "support/ui_driving.h"

namespace torvane {
namespace {

using testing::Click;

// The standard case of the leakage tests, stepped.
LabyInputs Current() {
  LabyInputs in = testing::EnglishStraightCase();
  in.laby_type = 0;
  return in;
}

class StudyWindowTest : public ::testing::Test {
 protected:
  StudyWindowTest() {
    context_.engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});
    context_.gas_calculated = true;
    context_.gas_file_title = "methane.gas";
    context_.laby_data = {0, 0, 6, 0.012, 500, 100, 100, 0.02, 0.125, 8, 0.67, 1, 2, 3, 4};
    context_.laby_title = "Pump K-101";
  }

  StudyWindow& Open(const LabyInputs& in = Current()) {
    window_ = std::make_unique<StudyWindow>(context_, services_, in);
    testing::ShowActive(*window_);
    return *window_;
  }

  template <class T>
  T* Child(const char* name) const {
    T* child = window_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
  QString Text(const char* name) const { return Child<QLineEdit>(name)->text(); }
  void TypeInto(const char* name, const QString& text) {
    auto* box = Child<NumericBox>(name);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  void ChooseSecond(StudyVariable v) {
    Child<QComboBox>("cboVariable2")->setCurrentIndex(static_cast<int>(v) + 1);
  }
  void RunStudy() { Click(Button("cmdRun")); }

  RecordingMessageService messages_;
  ScriptedQuestionService questions_;
  ScriptedFileChooser files_;
  RecordingBusyPointer busy_;
  UiServices services_{messages_, questions_, files_, busy_};
  CaseContext context_{messages_};
  std::unique_ptr<StudyWindow> window_;
};

TEST_F(StudyWindowTest, StartsFromTheLabyrinthInputsAndRunsEveryPointAsASingleCalculation) {
  const LabyData record_before = context_.laby_data;
  Open();
  EXPECT_EQ(window_->windowTitle(), "Labyrinth Leakage Study - methane.gas");
  EXPECT_EQ(Child<QComboBox>("cboVariable1")->currentText(), "Seal radial clearance (in)");
  EXPECT_EQ(Child<QComboBox>("cboVariable1")->count(), 9);
  EXPECT_EQ(Child<QComboBox>("cboVariable2")->currentText(), "(none)");
  EXPECT_EQ(Text("txtFrom1"), "0.012");
  EXPECT_EQ(Text("txtTo1"), "0.024");
  EXPECT_EQ(Child<QSpinBox>("spnCount1")->value(), 21);
  EXPECT_FALSE(Child<NumericBox>("txtFrom2")->isEnabled());
  EXPECT_FALSE(Button("cmdExportCsv")->isEnabled());
  EXPECT_FALSE(Child<QProgressBar>("prgStudy")->isVisible());

  RunStudy();
  const StudyRun* run = window_->run();
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(run->done(), 21);
  EXPECT_EQ(Child<QLabel>("lblSummary")->text(), "21 points, 0 failed");
  EXPECT_EQ(Child<QLabel>("lblFailed")->text(), "Failed points: none");
  EXPECT_TRUE(Button("cmdExportCsv")->isEnabled());
  EXPECT_EQ(busy_.times_busy(), 1);
  EXPECT_FALSE(busy_.busy());

  // Every point is what the labyrinth window would calculate for it.
  RecordingMessageService single_messages;
  GasEngine single_engine(context_.engine, single_messages);
  LabyrinthCalculation single(context_.units, single_engine, single_messages);
  for (const SweepPoint& p : run->points()) {
    EXPECT_EQ(p.inputs.seal_rad_clear, 0.012 + (0.012 * static_cast<double>(p.index)) / 20);
    single_messages.Clear();
    const LabyOutcome o = single.Calculate(p.inputs);
    EXPECT_EQ(p.warnings, single_messages.texts());
    ASSERT_EQ(o.status, LabyOutcome::Status::kDone);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(p.results.laby_flow),
              std::bit_cast<std::uint64_t>(o.results.laby_flow));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(p.results.laby_volume_flow),
              std::bit_cast<std::uint64_t>(o.results.laby_volume_flow));
  }
  EXPECT_EQ(run->points()[20].warnings, std::vector<std::string>{kClearanceRatioWarning});

  // The table holds every point; the plots one curve against the clearance.
  auto* table = Child<QTableView>("tblPoints");
  ASSERT_EQ(table->model()->rowCount(), 21);
  EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "Seal radial clearance (in)");
  EXPECT_EQ(table->model()->headerData(1, Qt::Horizontal).toString(), "Leakage mass flow (lb/min)");
  EXPECT_EQ(table->model()->index(20, 0).data().toString(), "0.024");
  EXPECT_EQ(table->model()->index(20, 5).data().toString(), "ok");
  EXPECT_EQ(table->model()->index(0, 1).data().toString(),
            QString::fromStdString(ResultText(run->points()[0].results.laby_flow)));
  QChart* mass = window_->plots()->MassFlowChart();
  ASSERT_EQ(mass->series().size(), 1);
  EXPECT_EQ(static_cast<QLineSeries*>(mass->series()[0])->count(), 21);
  EXPECT_FALSE(mass->legend()->isVisible());
  const auto axes = mass->axes(Qt::Horizontal);
  ASSERT_EQ(axes.size(), 1);
  EXPECT_EQ(axes[0]->titleText(), "Seal radial clearance (in)");
  EXPECT_EQ(mass->title(), "Leakage mass flow (lb/min)");
  EXPECT_EQ(mass->axes(Qt::Vertical)[0]->titleText(), "lb/min");
  EXPECT_EQ(window_->plots()->StdFlowChart()->title(), "Standard flow (SCFM)");
  EXPECT_EQ(window_->plots()->StdFlowChart()->axes(Qt::Vertical)[0]->titleText(), "SCFM");

  // Nothing of the case has changed, and nothing was shown.
  EXPECT_EQ(context_.laby_data, record_before);
  EXPECT_EQ(context_.laby_title, "Pump K-101");
  EXPECT_TRUE(messages_.messages().empty());
  testing::SaveScreenshot(*window_, "study-window-one-curve");
  Child<QTabWidget>("tabResults")->setCurrentIndex(1);
  testing::SaveScreenshot(*window_, "study-window-table");
}

TEST_F(StudyWindowTest, TwoInputsGiveACurveForEachSecondValueBrokenAtFailedPoints) {
  Open();
  Child<QComboBox>("cboVariable1")->setCurrentIndex(static_cast<int>(StudyVariable::kPressureUp));
  EXPECT_EQ(Text("txtFrom1"), "500");
  EXPECT_EQ(Text("txtTo1"), "1000");
  TypeInto("txtFrom1", "200");
  ChooseSecond(StudyVariable::kPressureDown);
  EXPECT_TRUE(Child<NumericBox>("txtFrom2")->isEnabled());
  EXPECT_EQ(Child<QSpinBox>("spnCount2")->value(), 3);
  TypeInto("txtTo2", "300");
  RunStudy();
  const StudyRun* run = window_->run();
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(run->size(), 63);
  // Downstream 300 psia stops at 200, 240 and 280 psia upstream.
  EXPECT_EQ(run->failed(), 3);
  EXPECT_EQ(Child<QLabel>("lblSummary")->text(), "63 points, 3 failed");
  auto* failed = Child<QListWidget>("lstFailed");
  ASSERT_EQ(failed->count(), 3);
  EXPECT_EQ(failed->item(0)->text(),
            "Upstream pressure = 200 psia, Downstream pressure = 300 psia: Downstream pressure is "
            "too high");

  QChart* mass = window_->plots()->MassFlowChart();
  ASSERT_EQ(mass->series().size(), 3);
  EXPECT_EQ(mass->series()[0]->name(), "Downstream pressure = 100 psia");
  EXPECT_EQ(mass->series()[2]->name(), "Downstream pressure = 300 psia");
  EXPECT_EQ(static_cast<QLineSeries*>(mass->series()[2])->count(), 18);
  EXPECT_EQ(static_cast<QLineSeries*>(mass->series()[2])->at(0).x(), 320);
  EXPECT_TRUE(mass->legend()->isVisible());
  EXPECT_EQ(mass->axes(Qt::Horizontal)[0]->titleText(), "Upstream pressure (psia)");
  testing::SaveScreenshot(*window_, "study-window-two-inputs");

  // The same input twice is refused before anything runs.
  ChooseSecond(StudyVariable::kPressureUp);
  RunStudy();
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"Choose a second input other than the first"});
  EXPECT_EQ(QApplication::focusWidget(), Child<QComboBox>("cboVariable2"));
  EXPECT_EQ(window_->run(), run);
}

TEST_F(StudyWindowTest, AFailedPointSplitsItsCurveAndASinglePointShows) {
  Open();
  Child<QComboBox>("cboVariable1")->setCurrentIndex(static_cast<int>(StudyVariable::kTeeth));
  TypeInto("txtFrom1", "2.322");
  TypeInto("txtTo1", "6.322");
  Child<QSpinBox>("spnCount1")->setValue(5);
  RunStudy();
  // 4.322 teeth divide the flow function by zero.
  QChart* chart = window_->plots()->StdFlowChart();
  ASSERT_EQ(chart->series().size(), 2);
  EXPECT_EQ(static_cast<QLineSeries*>(chart->series()[0])->count(), 2);
  EXPECT_EQ(static_cast<QLineSeries*>(chart->series()[1])->at(0).x(), 5.322);
  ASSERT_EQ(Child<QListWidget>("lstFailed")->count(), 1);
  EXPECT_EQ(Child<QListWidget>("lstFailed")->item(0)->text(),
            "Number of teeth = 4.322: Calculation error, recheck input and try again");
  EXPECT_EQ(Child<QTableView>("tblPoints")->model()->index(2, 5).data().toString(), "error");
  EXPECT_EQ(Child<QTableView>("tblPoints")->model()->index(2, 1).data().toString(), "");
  testing::SaveScreenshot(*window_, "study-window-gap");

  Child<QSpinBox>("spnCount1")->setValue(1);
  RunStudy();
  chart = window_->plots()->MassFlowChart();
  ASSERT_EQ(chart->series().size(), 1);
  EXPECT_NE(qobject_cast<QScatterSeries*>(chart->series()[0]), nullptr);
  EXPECT_EQ(window_->run()->points()[0].inputs.tooth_no, 2.322);
}

TEST_F(StudyWindowTest, CancelStopsALongStudyAndKeepsItsPoints) {
  Open();
  window_->SetProgressDelay(std::chrono::milliseconds(0));
  Child<QSpinBox>("spnCount1")->setValue(100000);
  bool clicked = false;
  QObject::connect(window_.get(), &StudyWindow::progressed, [&](qint64 done, qint64 total) {
    if (clicked || done == total) return;
    auto* cancel = Button("cmdCancel");
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_TRUE(Child<QProgressBar>("prgStudy")->isVisible());
    EXPECT_FALSE(Button("cmdRun")->isEnabled());
    EXPECT_EQ(Child<QProgressBar>("prgStudy")->value(), done);
    clicked = true;
    QTest::mouseClick(cancel, Qt::LeftButton);
  });
  RunStudy();
  ASSERT_TRUE(clicked);
  const StudyRun* run = window_->run();
  EXPECT_TRUE(run->cancelled());
  EXPECT_LT(run->done(), 100000);
  EXPECT_EQ(Child<QTableView>("tblPoints")->model()->rowCount(), run->done());
  EXPECT_EQ(Child<QLabel>("lblSummary")->text().toStdString(), StudySummary(*run));
  EXPECT_EQ(Child<QLabel>("lblSummary")->text().left(16), "Cancelled after ");
  EXPECT_FALSE(Button("cmdCancel")->isVisible());
  EXPECT_TRUE(Button("cmdRun")->isEnabled());
  EXPECT_TRUE(Button("cmdExportCsv")->isEnabled());
}

TEST_F(StudyWindowTest, ClosingDuringARunStopsItFirst) {
  Open();
  Child<QSpinBox>("spnCount1")->setValue(100000);
  QObject::connect(window_.get(), &StudyWindow::progressed, [&](qint64 done, qint64 total) {
    if (done < total) QTest::keyClick(window_.get(), Qt::Key_Escape);
  });
  RunStudy();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->result(), QDialog::Rejected);
  EXPECT_TRUE(window_->run()->cancelled());
}

TEST_F(StudyWindowTest, EntriesThatAreNotNumbersAreRefused) {
  Open();
  TypeInto("txtFrom1", "abc");
  QTest::keyClick(Child<NumericBox>("txtFrom1"), Qt::Key_Return);  // Run is the default button
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{"From must be a number"});
  EXPECT_EQ(QApplication::focusWidget(), Child<NumericBox>("txtFrom1"));
  EXPECT_EQ(window_->run(), nullptr);

  TypeInto("txtFrom1", "0.01");
  QTest::keyClick(Child<NumericBox>("txtFrom1"), Qt::Key_Return);
  ASSERT_NE(window_->run(), nullptr);
  EXPECT_EQ(window_->run()->points()[0].inputs.seal_rad_clear, 0.01);
  EXPECT_EQ(window_->run()->points()[20].inputs.seal_rad_clear, 0.024);
}

TEST_F(StudyWindowTest, ClassicalMethodsAddDashedCurvesColumnsAndCsvFields) {
  Open();
  auto* methods = Child<QCheckBox>("chkMethods");
  auto* gamma = Child<QDoubleSpinBox>("txtGamma");
  auto* real_gas = Child<QCheckBox>("chkRealGas");
  EXPECT_EQ(methods->text(), "Classical &methods");
  EXPECT_FALSE(methods->isChecked());
  EXPECT_FALSE(gamma->isEnabled());
  EXPECT_FALSE(real_gas->isEnabled());
  // The gas's own gamma to start: methane's cp0/cv0 at 100 deg F.
  EXPECT_EQ(gamma->value(), 1.297);
  EXPECT_EQ(Child<QLabel>("lblGammaSource")->text(), "from the gas");
  EXPECT_FALSE(Button("cmdGammaFromGas")->isEnabled());
  // Alt+M checks the box, Alt+G goes to the gamma box.
  QTest::keyClick(window_.get(), Qt::Key_M, Qt::AltModifier);
  // A mnemonic clicks its button a moment later, as a click shown on the screen.
  EXPECT_TRUE(QTest::qWaitFor([&] { return methods->isChecked(); }, 2000));
  ASSERT_TRUE(gamma->isEnabled());
  QTest::keyClick(window_.get(), Qt::Key_G, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), gamma);
  gamma->selectAll();
  QTest::keyClicks(gamma, "1.4");
  QTest::keyClick(gamma, Qt::Key_Tab);
  EXPECT_EQ(gamma->value(), 1.4);
  EXPECT_EQ(Child<QLabel>("lblGammaSource")->text(), "given");
  EXPECT_TRUE(Button("cmdGammaFromGas")->isEnabled());
  // 7 to 9 teeth: tooth by tooth needs whole ones.
  Child<QComboBox>("cboVariable1")->setCurrentIndex(static_cast<int>(StudyVariable::kTeeth));
  TypeInto("txtFrom1", "7");
  TypeInto("txtTo1", "9");
  Child<QSpinBox>("spnCount1")->setValue(5);
  RunStudy();
  const StudyRun* run = window_->run();
  ASSERT_NE(run, nullptr);
  ASSERT_EQ(run->done(), 5);
  EXPECT_EQ(run->sweep().methods()->gamma, 1.4);
  EXPECT_FALSE(run->sweep().methods()->real_gas);
  for (const SweepPoint& p : run->points()) {
    ASSERT_TRUE(p.methods.has_value());
    const MethodComparison c = CompareMethods(p.inputs, context_.units, context_.engine, 1.4);
    for (size_t k = 0; k < 3; ++k) {
      ASSERT_EQ((*p.methods)[k].has_value(), c.methods[k].result.ok());
      if ((*p.methods)[k]) {
        EXPECT_EQ(*(*p.methods)[k], c.methods[k].mass_flow);
      }
    }
  }
  EXPECT_FALSE((*run->points()[1].methods)[2].has_value());  // 7.5 teeth

  auto* table = Child<QTableView>("tblPoints");
  ASSERT_EQ(table->model()->columnCount(), 12);
  EXPECT_EQ(table->model()->headerData(5, Qt::Horizontal).toString(), "Gamma (cp/cv)");
  EXPECT_EQ(table->model()->index(0, 5).data().toString(), "1.4000");
  EXPECT_EQ(table->model()->headerData(6, Qt::Horizontal).toString(), "Martin (lb/min)");
  EXPECT_EQ(table->model()->headerData(8, Qt::Horizontal).toString(), "Tooth by tooth (lb/min)");
  EXPECT_EQ(table->model()->index(1, 8).data().toString(), "");
  EXPECT_EQ(table->model()->index(0, 8).data().toString(),
            QString::fromStdString(ResultText(*(*run->points()[0].methods)[2])));
  EXPECT_EQ(table->model()->index(0, 8).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
            Qt::AlignRight);
  EXPECT_EQ(table->model()->index(0, 9).data().toString(), "ok");

  // The mass-flow plot: the correlation solid, each method dashed in its own way (tooth by
  // tooth broken at 7.5 and 8.5 teeth), and a legend of the kinds of line.
  QChart* mass = window_->plots()->MassFlowChart();
  std::vector<std::pair<Qt::PenStyle, int>> lines;
  QStringList legend;
  for (QAbstractSeries* series : mass->series()) {
    auto* line = qobject_cast<QLineSeries*>(series);
    if (line && line->count() > 0) lines.push_back({line->pen().style(), line->count()});
    for (QLegendMarker* m : mass->legend()->markers(series)) {
      if (m->isVisible()) legend << m->label();
    }
  }
  const std::vector<std::pair<Qt::PenStyle, int>> expected = {
      {Qt::SolidLine, 5}, {Qt::DashLine, 5}, {Qt::DotLine, 5}};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(mass->series().size(), 3 + 3 + 4);  // three single tooth-by-tooth points, keys
  EXPECT_EQ(legend,
            (QStringList{"Program correlation", "Martin", "Martin-Vermes", "Tooth by tooth"}));
  EXPECT_TRUE(mass->legend()->isVisible());
  EXPECT_EQ(window_->plots()->StdFlowChart()->series().size(), 1);
  testing::SaveScreenshot(*window_, "study-window-methods");
  Child<QTabWidget>("tabResults")->setCurrentIndex(1);
  testing::SaveScreenshot(*window_, "study-window-methods-table");
  Child<QTabWidget>("tabResults")->setCurrentIndex(0);

  // With curves of a second input, the legend names the curves, then the kinds of line.
  ChooseSecond(StudyVariable::kPressureDown);
  TypeInto("txtTo2", "300");
  RunStudy();
  legend.clear();
  for (QAbstractSeries* series : mass->series()) {
    for (QLegendMarker* m : mass->legend()->markers(series)) {
      if (m->isVisible()) legend << m->label();
    }
  }
  EXPECT_EQ(legend, (QStringList{"Downstream pressure = 100 psia", "Downstream pressure = 200 psia",
                                 "Downstream pressure = 300 psia", "Program correlation", "Martin",
                                 "Martin-Vermes", "Tooth by tooth"}));
  testing::SaveScreenshot(*window_, "study-window-methods-two-inputs");
  Child<QComboBox>("cboVariable2")->setCurrentIndex(0);
  RunStudy();
  run = window_->run();

  QTemporaryDir dir;
  const QString csv = dir.filePath("points.csv");
  files_.Prepare(csv.toStdString());
  Click(Button("cmdExportCsv"));
  QFile written(csv);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const std::string text = written.readAll().toStdString();
  EXPECT_EQ(text, StudyCsv(*run));
  EXPECT_EQ(text.substr(0, text.find('\n')),
            "teeth,mass_flow (lb/min),std_flow (SCFM),inlet_flow (ft3/min),exhaust_flow (ft3/min),"
            "gamma,gamma_source,martin (lb/min),vermes (lb/min),tooth_by_tooth (lb/min),status,"
            "message,warnings");

  // "From Gas" and Alt+E: each point's own gamma of the gas, Martin and Martin-Vermes with Z.
  Click(Button("cmdGammaFromGas"));
  EXPECT_EQ(gamma->value(), 1.297);
  EXPECT_EQ(Child<QLabel>("lblGammaSource")->text(), "from the gas");
  QTest::keyClick(window_.get(), Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return real_gas->isChecked(); }, 2000));
  Child<QComboBox>("cboVariable1")
      ->setCurrentIndex(static_cast<int>(StudyVariable::kTemperatureUp));
  RunStudy();
  run = window_->run();
  EXPECT_FALSE(run->sweep().methods()->gamma.has_value());
  EXPECT_TRUE(run->sweep().methods()->real_gas);
  for (const SweepPoint& p : run->points()) {
    const MethodComparison c =
        CompareMethods(p.inputs, context_.units, context_.engine, std::nullopt, true);
    EXPECT_EQ(p.gamma->value, c.gamma.value);
    for (size_t k = 0; k < 3; ++k) {
      ASSERT_EQ((*p.methods)[k].has_value(), c.methods[k].result.ok());
      if ((*p.methods)[k]) EXPECT_EQ(*(*p.methods)[k], c.methods[k].mass_flow);
    }
  }
  // From 100 to 200 deg F the gas's gamma falls.
  EXPECT_GT(run->points().front().gamma->value, run->points().back().gamma->value);
  QTest::keyClick(window_.get(), Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !real_gas->isChecked(); }, 2000));

  // Unchecked, the next run is as before.
  Click(methods);
  EXPECT_FALSE(gamma->isEnabled());
  EXPECT_FALSE(real_gas->isEnabled());
  EXPECT_FALSE(Button("cmdGammaFromGas")->isEnabled());
  RunStudy();
  EXPECT_FALSE(window_->run()->points()[0].methods.has_value());
  EXPECT_EQ(table->model()->columnCount(), 8);
  EXPECT_EQ(window_->plots()->MassFlowChart()->series().size(), 1);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(StudyWindowTest, ExportsReplaceFilesWholeAndReportFailures) {
  Open();
  RunStudy();
  QTemporaryDir dir;
  const QString csv = dir.filePath("points.csv");
  {
    QFile old(csv);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  files_.Prepare(csv.toStdString());
  Click(Button("cmdExportCsv"));
  ASSERT_EQ(files_.requests().size(), 1u);
  EXPECT_EQ(files_.requests()[0].filter, "CSV File (*.csv)");
  QFile written(csv);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll().toStdString(), StudyCsv(*window_->run()));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

  const QString png = dir.filePath("plots.png");
  const QString pdf = dir.filePath("plots.PDF");
  files_.Prepare(png.toStdString());
  Click(Button("cmdExportPicture"));
  files_.Prepare(pdf.toStdString());
  Click(Button("cmdExportPicture"));
  EXPECT_EQ(files_.requests()[1].filter, "PNG Image (*.png);;PDF File (*.pdf)");
  QFile png_file(png), pdf_file(pdf);
  ASSERT_TRUE(png_file.open(QIODevice::ReadOnly));
  EXPECT_EQ(png_file.read(8), QByteArray("\x89PNG\r\n\x1a\n"));
  ASSERT_TRUE(pdf_file.open(QIODevice::ReadOnly));
  EXPECT_EQ(pdf_file.read(5), QByteArray("%PDF-"));
  if (const QString shots = qEnvironmentVariable("TORVANE_SCREENSHOT_DIR"); !shots.isEmpty()) {
    QFile::copy(png, shots + "/study-export.png");
    QFile::copy(pdf, shots + "/study-export.pdf");
  }
  testing::SaveScreenshot(*window_, "study-window-after-export");
  EXPECT_TRUE(messages_.messages().empty());

  const std::string missing = dir.filePath("no-such-folder/points.csv").toStdString();
  files_.Prepare(missing);
  Click(Button("cmdExportCsv"));
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"Could not save " + missing + ": the folder does not exist."});
  files_.Prepare(std::nullopt);  // cancelled: nothing happens
  Click(Button("cmdExportPicture"));
  EXPECT_EQ(messages_.messages().size(), 1u);
}

QString PdfText(const QString& path) {
  return testing::PdfText(TORVANE_PDFTOTEXT, path, /*layout=*/false);
}
using testing::ReadWholeFile;

void WriteFile(const std::string& path, const std::string& text) {
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text.data(), static_cast<qint64>(text.size()));
}

class StudyExportTest : public StudyWindowTest {
 protected:
  StudyExportTest() {
    context_.record.component_count = 1;
    context_.record.GasCode(0, 0) = FixedText<4>("CH4");
    context_.record.MolFraction(0, 0) = 1;
    context_.settings_file_path = "/cases/k101.trv";
  }
  // Upstream 200 to 1000 psia against downstream 100, 200 and 300 psia: three points stop.
  void RunWithFailures() {
    Open();
    Child<QComboBox>("cboVariable1")->setCurrentIndex(static_cast<int>(StudyVariable::kPressureUp));
    TypeInto("txtFrom1", "200");
    ChooseSecond(StudyVariable::kPressureDown);
    TypeInto("txtTo2", "300");
    RunStudy();
    ASSERT_EQ(window_->run()->failed(), 3);
  }
  void Export(const char* button, const std::string& path) {
    files_.Prepare(path);
    Click(Button(button));
  }
  QTemporaryDir dir_;
};

// The PDF names the case, the gas, the inputs held and varied and the failed points; the PNG
// carries the same above and below its plots.
TEST_F(StudyExportTest, ThePdfAndThePictureNameTheCaseTheGasTheInputsAndTheFailedPoints) {
  RunWithFailures();
  const std::string pdf = dir_.filePath("study.pdf").toStdString();
  Export("cmdExportPicture", pdf);
  ASSERT_TRUE(messages_.messages().empty()) << messages_.texts().front();
  // Compatibility forms undo the ligatures the PDF's font set ("fi", "ffi").
  const QString text =
      PdfText(QString::fromStdString(pdf)).normalized(QString::NormalizationForm_KC).simplified();
  for (const char* expected : {
           "Labyrinth Leakage Study - methane.gas",
           "Title: Pump K-101",
           "Settings file: k101.trv",
           "Gas: methane.gas, gas 1 of 1: CH4 1.00000",
           "Fixed inputs: Stepped labyrinth, Seal diameter = 6 in, Seal radial clearance = 0.012 "
           "in, Upstream temperature = 100 deg F, Tooth thickness = 0.02 in, Tooth spacing = "
           "0.125 in, Number of teeth = 8, Flow coefficient = 0.67",
           "Varied: Upstream pressure from 200 to 1000 psia, 21 points; curves of Downstream "
           "pressure from 100 to 300 psia, 3 values",
           "63 points, 3 failed",
           "Failed points:",
           "Upstream pressure = 200 psia, Downstream pressure = 300 psia: Downstream pressure is "
           "too high",
           "Upstream pressure = 280 psia, Downstream pressure = 300 psia: Downstream pressure is "
           "too high",
       }) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                            << text.toStdString();
  }

  const std::string png = dir_.filePath("study.png").toStdString();
  Export("cmdExportPicture", png);
  const QImage picture(QString::fromStdString(png));
  ASSERT_FALSE(picture.isNull());
  // Twice the plots' pixels, and room for the lines above and below them.
  const QSize plots = window_->plots()->size().expandedTo(QSize(800, 600)) * 2;
  EXPECT_EQ(picture.width(), plots.width());
  EXPECT_GT(picture.height(), plots.height() + 2 * 9 * 16);
  if (const QString shots = qEnvironmentVariable("TORVANE_SCREENSHOT_DIR"); !shots.isEmpty()) {
    QFile::copy(QString::fromStdString(png), shots + "/study-export-named.png");
    QFile::copy(QString::fromStdString(pdf), shots + "/study-export-named.pdf");
  }
}

// Many failed points go on pages of their own after the plots, every one of them.
TEST_F(StudyExportTest, ManyFailedPointsFollowThePlotsOnPagesOfTheirOwn) {
  Open();
  Child<QComboBox>("cboVariable1")->setCurrentIndex(static_cast<int>(StudyVariable::kPressureUp));
  TypeInto("txtFrom1", "100");
  Child<QSpinBox>("spnCount1")->setValue(201);
  ChooseSecond(StudyVariable::kPressureDown);
  TypeInto("txtTo2", "900");
  RunStudy();
  const std::int64_t failed = window_->run()->failed();
  ASSERT_GT(failed, 60);
  const std::string pdf = dir_.filePath("many.pdf").toStdString();
  Export("cmdExportPicture", pdf);
  ASSERT_TRUE(messages_.messages().empty());
  const QStringList pages = PdfText(QString::fromStdString(pdf)).split('\f', Qt::SkipEmptyParts);
  ASSERT_GE(pages.size(), 2);
  EXPECT_TRUE(pages[0].contains(QString("%1 failed").arg(failed)));
  EXPECT_FALSE(pages[0].contains("Failed points:"));
  EXPECT_TRUE(pages[1].trimmed().startsWith("Failed points:")) << pages[1].toStdString();
  EXPECT_EQ(PdfText(QString::fromStdString(pdf)).count("Downstream pressure is too high"), failed);
}

// No export replaces a named pipe or a read-only file; a write that fails half-way, or on a full
// disk, keeps the old file and says why.
TEST_F(StudyExportTest, ExportsRefuseAPipeAndAReadOnlyFileAndKeepTheOldFileOnAFailedWrite) {
  RunWithFailures();
  const std::string fifo = dir_.filePath("pipe.png").toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string locked = dir_.filePath("locked.csv").toStdString();
  WriteFile(locked, "an earlier export");
  ::chmod(locked.c_str(), 0444);
  struct Case {
    const char* button;
    std::string path;
    std::string reason;
    rlim_t size_limit;
  };
  std::vector<Case> cases;
  for (const char* ext : {".csv", ".png", ".pdf"}) {
    const char* button = std::string(ext) == ".csv" ? "cmdExportCsv" : "cmdExportPicture";
    const std::string kept = dir_.filePath(QString("kept") + ext).toStdString();
    cases.push_back({button, fifo, "it is not a regular file", 0});
    cases.push_back({button, locked, "the file is read-only", 0});
    cases.push_back({button, kept, "the file could not be written: File too large", 1024});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " " + c.path);
    if (c.size_limit) WriteFile(c.path, "the old export");
    messages_.Clear();
    {
      std::unique_ptr<testing::FileSizeLimit> limit;
      if (c.size_limit) limit = std::make_unique<testing::FileSizeLimit>(c.size_limit);
      Export(c.button, c.path);
    }
    EXPECT_EQ(messages_.texts(),
              std::vector<std::string>{"Could not save " + c.path + ": " + c.reason + "."});
    if (c.size_limit) {
      EXPECT_EQ(ReadWholeFile(c.path), "the old export");
    }
  }
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(ReadWholeFile(locked), "an earlier export");
  ASSERT_EQ(::stat(locked.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);

  // A full disk: the old CSV stays and the user reads that the disk is full.
  testing::SmallDisk disk(dir_.filePath("small").toStdString(), 64);
  if (!disk.ready()) GTEST_SKIP() << disk.reason();
  const std::string csv = disk.File("study.csv");
  WriteFile(csv, "the old study");
  disk.FillLeaving(1);
  messages_.Clear();
  Export("cmdExportCsv", csv);
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"Could not save " + csv +
                                     ": the file could not be written: the disk is full."});
  EXPECT_EQ(ReadWholeFile(csv), "the old study");
}

// The table and the plots are named for a screen reader, and each plot says what it shows.
TEST_F(StudyWindowTest, TheTableAndThePlotsHaveNamesAndDescriptions) {
  Open();
  const auto accessible = [this](const char* name) {
    return QAccessible::queryAccessibleInterface(window_->findChild<QWidget*>(name));
  };
  EXPECT_EQ(accessible("tblPoints")->text(QAccessible::Name), "Study points");
  EXPECT_TRUE(accessible("tblPoints")->text(QAccessible::Description).startsWith("One row per"));
  EXPECT_EQ(accessible("viewchartMassFlow")->text(QAccessible::Name), "Leakage mass flow plot");
  EXPECT_EQ(accessible("viewchartStdFlow")->text(QAccessible::Name), "Standard flow plot");
  EXPECT_EQ(accessible("viewchartMassFlow")->text(QAccessible::Description),
            "No study has been run");
  RunStudy();
  EXPECT_EQ(accessible("viewchartMassFlow")->text(QAccessible::Description),
            "Leakage mass flow (lb/min) against Seal radial clearance (in), 21 points, 0 failed");
  EXPECT_EQ(accessible("viewchartStdFlow")->text(QAccessible::Description),
            "Standard flow (SCFM) against Seal radial clearance (in), 21 points, 0 failed");
}

// Teeth are whole: the window starts a study of them in whole teeth, refuses curves of a range
// that would give fractions, and never labels a curve with one.
TEST_F(StudyWindowTest, TheNumberOfTeethGoesByWholeTeeth) {
  Open();
  ChooseSecond(StudyVariable::kTeeth);
  EXPECT_EQ(Text("txtFrom2"), "8");
  EXPECT_EQ(Text("txtTo2"), "16");
  EXPECT_EQ(Child<QSpinBox>("spnCount2")->value(), 3);
  Child<QSpinBox>("spnCount2")->setValue(4);
  RunStudy();
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{"The number of teeth goes by whole teeth: "
                                                        "from 8 to 16 in 4 points gives "
                                                        "10.6666666666667"});
  EXPECT_EQ(QApplication::focusWidget(), Child<QSpinBox>("spnCount2"));
  EXPECT_EQ(window_->run(), nullptr);
  Child<QSpinBox>("spnCount2")->setValue(5);
  RunStudy();
  ASSERT_NE(window_->run(), nullptr);
  QChart* mass = window_->plots()->MassFlowChart();
  QStringList names;
  for (QAbstractSeries* series : mass->series()) names << series->name();
  EXPECT_EQ(names,
            QStringList({"Number of teeth = 8", "Number of teeth = 10", "Number of teeth = 12",
                         "Number of teeth = 14", "Number of teeth = 16"}));

  // Teeth along the axis: its marks fall on whole teeth.
  Child<QComboBox>("cboVariable2")->setCurrentIndex(0);
  Child<QComboBox>("cboVariable1")->setCurrentIndex(static_cast<int>(StudyVariable::kTeeth));
  EXPECT_EQ(Child<QSpinBox>("spnCount1")->value(), 9);
  RunStudy();
  auto* x = qobject_cast<QValueAxis*>(window_->plots()->MassFlowChart()->axes(Qt::Horizontal)[0]);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->tickType(), QValueAxis::TicksDynamic);
  EXPECT_EQ(x->tickInterval(), 1);
  EXPECT_EQ(x->labelFormat(), "%.0f");
}

}  // namespace
}  // namespace torvane
