// "Compare Methods..." of the labyrinth window and the comparison window it opens, driven
// offscreen with the mouse and the keyboard: the table, gamma and the real-gas choice, the plot,
// the clipboard, the CSV file and the two-page report; the case is never changed.
#include "methods/ui/method_comparison_window.h"

#include <sys/stat.h>

#include <QAccessible>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QValueAxis>

#include "laby_ui/laby_window_fixture.h"
#include "methods/comparison_table.h"
#include "orvell/orvell_list.h"
#include "support/file_limits.h"
#include "support/pdf_files.h"
#include "support/screenshot.h"
#include "thermo/ideal_gas_heat.h"

namespace torvane {
namespace {

using testing::EnglishCase;
using testing::InputsOf;
using testing::PdfText;
using testing::ReadWholeFile;

class ComparisonWindowTest : public testing::LabyWindowFixture {
 protected:
  // The English case as the labyrinth window stores it after Calculate.
  void StoreEnglishCase() {
    Open();
    EnterAll(EnglishCase());
    Calculate();
    ASSERT_TRUE(messages_.messages().empty());
    stored_ = context_.laby_data;
  }

  MethodComparisonWindow& OpenComparison() {
    comparison_ = std::make_unique<MethodComparisonWindow>(context_, services_, printer_);
    comparison_->show();
    QApplication::setActiveWindow(comparison_.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(comparison_.get()));
    return *comparison_;
  }

  template <class T>
  T* In(const char* name) const {
    T* child = comparison_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QStringList Row(int row) const {
    auto* table = In<QTableWidget>("tblMethods");
    QStringList cells;
    for (int k = 0; k < table->columnCount(); ++k) cells << table->item(row, k)->text();
    return cells;
  }
  static QStringList Cells(const std::vector<std::string>& row) {
    QStringList cells;
    for (const auto& c : row) cells << QString::fromStdString(c);
    return cells;
  }
  ComparisonTable Expected(std::optional<double> gamma = std::nullopt,
                           bool real_gas = false) const {
    return MakeComparisonTable(CompareMethods(InputsOf(0, EnglishCase()), context_.units,
                                              context_.engine, gamma, real_gas));
  }

  void TearDown() override {
    comparison_.reset();
    // Nothing of the case changes, whatever the window did.
    if (stored_[kToothNumber] != 0) {
      EXPECT_EQ(context_.laby_data, stored_);
    }
    EXPECT_EQ(context_.CurrentGas(), 0);
    LabyWindowFixture::TearDown();
  }

  QTemporaryDir dir_;
  LabyData stored_{};
  std::unique_ptr<MethodComparisonWindow> comparison_;
};

TEST_F(ComparisonWindowTest, CompareMethodsIsEnabledOnlyAfterACalculation) {
  Open();
  EXPECT_EQ(Button("cmdCompare")->text(), "Compare Meth&ods...");
  EXPECT_FALSE(Button("cmdCompare")->isEnabled());
  EnterAll(EnglishCase());
  EXPECT_FALSE(Button("cmdCompare")->isEnabled());
  Calculate();
  EXPECT_TRUE(Button("cmdCompare")->isEnabled());
}

TEST_F(ComparisonWindowTest, TheButtonOpensTheModalComparisonOfTheStoredCase) {
  StoreEnglishCase();
  // Typed but not calculated: the comparison works the stored case, not this.
  TypeInto(LabyField::kToothNo, "12");
  QStringList first_row, tooth_row;
  bool modal = false;
  // A timer of this scope inspects the modal window from inside its event loop.
  QTimer inspect;
  inspect.setSingleShot(true);
  QObject::connect(&inspect, &QTimer::timeout, [&] {
    auto* w = qobject_cast<MethodComparisonWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(w, nullptr);
    modal = w->isModal();
    auto* table = w->findChild<QTableWidget*>("tblMethods");
    for (int k = 0; k < table->columnCount(); ++k) {
      first_row << table->item(0, k)->text();
      tooth_row << table->item(3, k)->text();
    }
    QTest::keyClick(w, Qt::Key_Escape);
  });
  inspect.start(0);
  QTest::mouseClick(Button("cmdCompare"), Qt::LeftButton);
  EXPECT_TRUE(modal);
  const ComparisonTable expected = Expected();
  EXPECT_EQ(first_row, Cells(expected.rows[0]));
  EXPECT_EQ(tooth_row, Cells(expected.rows[3]));
  EXPECT_EQ(first_row[1], Text("txtLabyFlow"));  // the correlation's leakage as shown
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(ComparisonWindowTest, TableCaseLineAndPlot) {
  StoreEnglishCase();
  testing::SaveScreenshot(*window_, "labyrinth-window-compare");
  MethodComparisonWindow& w = OpenComparison();
  EXPECT_EQ(w.windowTitle(), "Leakage Methods Compared");
  EXPECT_EQ(In<QLabel>("lblCase")->text(),
            "Stepped labyrinth, 8 teeth, 500.00 to 100.00 psia, 100.0 deg F");
  EXPECT_EQ(In<QLabel>("lblBasis")->text(), "Gamma (cp/cv) 1.297 from the gas, ideal gas");
  auto* table = In<QTableWidget>("tblMethods");
  const ComparisonTable expected = Expected();
  ASSERT_EQ(table->rowCount(), 4);
  for (int k = 0; k < table->columnCount(); ++k) {
    EXPECT_EQ(table->horizontalHeaderItem(k)->text().toStdString(), expected.header[k]);
  }
  for (int r = 0; r < 4; ++r) EXPECT_EQ(Row(r), Cells(expected.rows[r])) << r;
  EXPECT_EQ(Row(1)[0], "Martin");
  EXPECT_EQ(Row(3)[3], "Yes");  // 100/500 chokes the last of 8 teeth
  EXPECT_EQ(Row(3)[4], "8");
  EXPECT_FALSE(In<QLabel>("lblNotes")->isVisible());

  QChart* chart = In<QChartView>("chtPressures")->chart();
  ASSERT_EQ(chart->series().size(), 3);
  auto* profile = qobject_cast<QLineSeries*>(chart->series()[0]);
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->count(), 9);
  EXPECT_EQ(profile->at(0), QPointF(0, 500));
  auto* downstream = qobject_cast<QLineSeries*>(chart->series()[1]);
  EXPECT_EQ(downstream->at(0), QPointF(0, 100));
  EXPECT_EQ(downstream->at(1), QPointF(8, 100));
  auto* choked = qobject_cast<QScatterSeries*>(chart->series()[2]);
  ASSERT_NE(choked, nullptr);
  EXPECT_EQ(choked->name(), "Choked at throttle 8");
  EXPECT_EQ(choked->at(0), profile->at(8));
  EXPECT_GT(profile->at(8).y(), 100);  // choked: the last cavity lies above P2
  const auto axes = chart->axes(Qt::Vertical);
  ASSERT_EQ(axes.size(), 1);
  EXPECT_EQ(axes[0]->titleText(), "Pressure (psia)");
  EXPECT_LT(qobject_cast<QValueAxis*>(axes[0])->min(), 100);
  testing::SaveScreenshot(w, "comparison-window");
}

// A straight labyrinth: the correlation's carry-over factor is far above Vermes', so every
// classical method finds much less leakage.
TEST_F(ComparisonWindowTest, StraightSealShowsHowFarTheMethodsSpread) {
  Open();
  Child<orvell::OrvellList>("optLabyType")->setListIndex(1);
  EnterAll(EnglishCase());
  Calculate();
  ASSERT_TRUE(messages_.messages().empty());
  stored_ = context_.laby_data;
  ASSERT_EQ(stored_[kLabyType], 1);
  OpenComparison();
  QTest::mouseClick(In<QCheckBox>("chkRealGas"), Qt::LeftButton);
  const MethodComparison& c = comparison_->comparison();
  EXPECT_TRUE(c.real_gas);
  for (const ComparedMethod& m : c.methods) {
    ASSERT_TRUE(m.ratio_to_legacy.has_value());
    EXPECT_LT(*m.ratio_to_legacy, 0.75) << MethodName(m.id);
  }
  EXPECT_EQ(In<QLabel>("lblCase")->text(),
            "Straight labyrinth, 8 teeth, 500.00 to 100.00 psia, 100.0 deg F");
  testing::SaveScreenshot(*comparison_, "comparison-window-straight");
}

TEST_F(ComparisonWindowTest, GammaAndRealGasFromTheKeyboard) {
  StoreEnglishCase();
  OpenComparison();
  // The box starts at the gas's own gamma: methane's cp0/cv0 at 100 deg F, 1.29713.
  auto* gamma = In<QDoubleSpinBox>("txtGamma");
  auto* source = In<QLabel>("lblGammaSource");
  auto* use_gas = In<QPushButton>("cmdGammaFromGas");
  const CaseGamma of_gas = comparison_->comparison().gamma;
  EXPECT_EQ(of_gas.source, GammaSource::kGas);
  EXPECT_EQ(of_gas.value, IdealGasGamma(context_.engine.CurrentMixture(), 559.67));
  EXPECT_EQ(gamma->value(), 1.297);
  EXPECT_EQ(source->text(), "from the gas");
  EXPECT_FALSE(use_gas->isEnabled());
  gamma->setFocus();
  QTest::keyClick(gamma, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(gamma, "1.4");
  EXPECT_EQ(comparison_->comparison().gamma.source,
            GammaSource::kGas);  // not before it is complete
  QTest::keyClick(gamma, Qt::Key_Return);
  EXPECT_EQ(comparison_->comparison().gamma.value, 1.4);
  EXPECT_EQ(comparison_->comparison().gamma.source, GammaSource::kGiven);
  EXPECT_EQ(source->text(), "given");
  EXPECT_TRUE(use_gas->isEnabled());
  const ComparisonTable air = Expected(1.4);
  EXPECT_EQ(Row(3), Cells(air.rows[3]));
  EXPECT_EQ(Row(1), Cells(Expected().rows[1]));  // gamma is for tooth by tooth only
  EXPECT_EQ(In<QLabel>("lblBasis")->text(), "Gamma (cp/cv) 1.400 as given, ideal gas");
  // "From Gas" goes back to the gas's.
  QTest::keyClick(gamma, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), use_gas);
  QTest::keyClick(use_gas, Qt::Key_Space);
  EXPECT_EQ(comparison_->comparison().gamma.value, of_gas.value);
  EXPECT_EQ(comparison_->comparison().gamma.source, GammaSource::kGas);
  EXPECT_EQ(gamma->value(), 1.297);
  EXPECT_EQ(source->text(), "from the gas");
  EXPECT_FALSE(use_gas->isEnabled());
  EXPECT_EQ(Row(3), Cells(Expected().rows[3]));
  gamma->setFocus();
  QTest::keyClick(gamma, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(gamma, "1.4");
  QTest::keyClick(gamma, Qt::Key_Return);

  QTest::keyClick(gamma, Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // past "From Gas"
  auto* real = In<QCheckBox>("chkRealGas");
  EXPECT_EQ(QApplication::focusWidget(), real);
  QTest::keyClick(real, Qt::Key_Space);
  EXPECT_TRUE(comparison_->comparison().real_gas);
  EXPECT_EQ(Row(1), Cells(Expected(1.4, true).rows[1]));
  EXPECT_TRUE(
      In<QLabel>("lblBasis")->text().startsWith("Gamma (cp/cv) 1.400 as given, real gas, Z = 0."));
  // The real gas's tooth by tooth is a fifth row, the whole table still shown.
  auto* table = In<QTableWidget>("tblMethods");
  ASSERT_EQ(table->rowCount(), 5);
  EXPECT_EQ(Row(4), Cells(Expected(1.4, true).rows[4]));
  EXPECT_EQ(Row(4)[0], "Tooth by tooth (real gas)");
  const int five_rows = table->height();
  QTest::mouseClick(real, Qt::LeftButton);
  EXPECT_FALSE(comparison_->comparison().real_gas);
  EXPECT_EQ(table->rowCount(), 4);
  EXPECT_LT(table->height(), five_rows);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(ComparisonWindowTest, FailedMethodsAreNotedAndTheProfileIsReplacedByItsReason) {
  StoreEnglishCase();
  context_.laby_data[kToothNumber] = 8.5;  // as a settings file may hold it
  stored_ = context_.laby_data;
  OpenComparison();
  EXPECT_EQ(Row(3), (QStringList{"Tooth by tooth", "-", "", "", "", ""}));
  EXPECT_TRUE(In<QLabel>("lblNotes")->isVisible());
  EXPECT_EQ(In<QLabel>("lblNotes")->text(),
            "Tooth by tooth: Tooth by tooth needs a whole number of teeth, not 8.5");
  testing::SaveScreenshot(*comparison_, "comparison-window-failed");
  EXPECT_FALSE(In<QChartView>("chtPressures")->isVisible());
  EXPECT_TRUE(In<QLabel>("lblNoProfile")->isVisible());
  EXPECT_EQ(In<QLabel>("lblNoProfile")->text(),
            "No pressure profile: Tooth by tooth needs a whole number of teeth, not 8.5");
}

TEST_F(ComparisonWindowTest, TeethBeyondVermesFitAreNotedForBothOfItsMethods) {
  StoreEnglishCase();
  context_.laby_data[kToothThick] = 0.1;  // 8.33 clearances of 0.012 in
  stored_ = context_.laby_data;
  OpenComparison();
  EXPECT_EQ(Row(2), (QStringList{"Martin-Vermes", "-", "", "", "", ""}));
  EXPECT_EQ(Row(3), (QStringList{"Tooth by tooth", "-", "", "", "", ""}));
  EXPECT_NE(Row(1)[1], "-");
  const QString why =
      "Vermes' discharge coefficient is used for t/c up to 7.1, not for t/c = 8.333: the method "
      "does not apply";
  EXPECT_EQ(In<QLabel>("lblNotes")->text(), "Martin-Vermes: " + why + "\nTooth by tooth: " + why);
  EXPECT_EQ(In<QLabel>("lblNoProfile")->text(), "No pressure profile: " + why);
  testing::SaveScreenshot(*comparison_, "comparison-window-beyond-vermes");
}

TEST_F(ComparisonWindowTest, CopyTableAndExportCsv) {
  StoreEnglishCase();
  context_.settings_file_path = "/cases/k101.trv";
  OpenComparison();
  QGuiApplication::clipboard()->clear();
  In<QPushButton>("cmdCopy")->setFocus();
  QTest::keyClick(In<QPushButton>("cmdCopy"), Qt::Key_Space);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), ComparisonTableText(Expected()));

  // An existing, longer file is replaced whole.
  const std::string path = dir_.filePath("k101 - methods.csv").toStdString();
  {
    QFile old(QString::fromStdString(path));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(20000, 'x'));
  }
  files_.Prepare(path);
  QTest::mouseClick(In<QPushButton>("cmdExportCsv"), Qt::LeftButton);
  ASSERT_EQ(files_.requests().size(), 1u);
  const FileDialogRequest& request = files_.requests()[0];
  EXPECT_EQ(request.mode, FileDialogMode::kSave);
  EXPECT_EQ(request.title, "Export CSV");
  EXPECT_EQ(request.filter, "CSV File (*.csv)");
  EXPECT_EQ(request.default_suffix, "csv");
  EXPECT_EQ(request.initial_folder, "/cases");
  EXPECT_EQ(request.initial_name, "k101 - methods.csv");
  EXPECT_EQ(ReadWholeFile(path), ComparisonCsv(comparison_->comparison()));
  EXPECT_TRUE(messages_.messages().empty());

  files_.Prepare(dir_.filePath("no/such/folder/m.csv").toStdString());
  QTest::mouseClick(In<QPushButton>("cmdExportCsv"), Qt::LeftButton);
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"Could not save " +
                                     dir_.filePath("no/such/folder/m.csv").toStdString() +
                                     ": the folder does not exist."});
  EXPECT_TRUE(comparison_->isVisible());
}

TEST_F(ComparisonWindowTest, PrintAndExportPdfAddTheComparisonPage) {
  StoreEnglishCase();
  OpenComparison();
  const std::string pdf = dir_.filePath("both.pdf").toStdString();
  files_.Prepare(pdf);
  QTest::mouseClick(In<QPushButton>("cmdExportPdf"), Qt::LeftButton);
  EXPECT_EQ(files_.requests().at(0).initial_name, "Labyrinth Leakage Results.pdf");
  QStringList pages = PdfText(QString::fromStdString(pdf)).split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[0].contains("Labyrinth Leakage Results"));
  EXPECT_TRUE(pages[1].contains("Leakage Methods Compared")) << pages[1].toStdString();
  EXPECT_TRUE(pages[1].contains("Choked at throttle 8"));

  const QString printed = dir_.filePath("printed.pdf");
  print_dialog_.PrepareAccept(printed);
  QTest::mouseClick(In<QPushButton>("cmdPrint"), Qt::LeftButton);
  EXPECT_EQ(print_dialog_.runs(), 1);
  pages = PdfText(printed).split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[1].contains("Tooth-by-tooth cavity pressures"));
  EXPECT_TRUE(messages_.messages().empty());

  QTest::mouseClick(In<QPushButton>("cmdClose"), Qt::LeftButton);
  EXPECT_FALSE(comparison_->isVisible());
}

// A screen reader finds the table and the plot by name and hears what the plot shows.
TEST_F(ComparisonWindowTest, TheTableAndThePlotHaveNamesAndDescriptions) {
  StoreEnglishCase();
  OpenComparison();
  QAccessibleInterface* table =
      QAccessible::queryAccessibleInterface(In<QTableWidget>("tblMethods"));
  EXPECT_EQ(table->text(QAccessible::Name), "Leakage by method");
  EXPECT_TRUE(table->text(QAccessible::Description).startsWith("One row per method"));
  QAccessibleInterface* plot =
      QAccessible::queryAccessibleInterface(In<QChartView>("chtPressures"));
  EXPECT_EQ(plot->text(QAccessible::Name), "Tooth-by-tooth cavity pressures");
  const QString description = plot->text(QAccessible::Description);
  EXPECT_TRUE(description.startsWith("Cavity pressure (psia) against the station, 0 to 8: 500, "))
      << description.toStdString();
  EXPECT_TRUE(description.endsWith("; downstream 100; choked at throttle 8"))
      << description.toStdString();
}

// The CSV and PDF exports never replace what is not a regular, writable file, and a write that
// fails keeps the old file and says why.
TEST_F(ComparisonWindowTest, ExportsRefuseAPipeAndAReadOnlyFileAndSayWhyAWriteFailed) {
  StoreEnglishCase();
  OpenComparison();
  const std::string fifo = dir_.filePath("pipe.csv").toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string locked = dir_.filePath("locked.pdf").toStdString();
  {
    QFile old(QString::fromStdString(locked));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier export");
  }
  ::chmod(locked.c_str(), 0444);
  const std::string kept = dir_.filePath("kept.pdf").toStdString();
  {
    QFile old(QString::fromStdString(kept));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("%PDF- an earlier, complete export");
  }
  struct Export {
    const char* button;
    std::string path;
    std::string message;
    rlim_t size_limit;  // 0: none
  };
  const Export exports[] = {
      {"cmdExportCsv", fifo, "Could not save " + fifo + ": it is not a regular file.", 0},
      {"cmdExportPdf", fifo, "Could not save " + fifo + ": it is not a regular file.", 0},
      {"cmdExportCsv", locked, "Could not save " + locked + ": the file is read-only.", 0},
      {"cmdExportPdf", locked, "Could not save " + locked + ": the file is read-only.", 0},
      {"cmdExportCsv", kept,
       "Could not save " + kept + ": the file could not be written: File too large.", 64},
      {"cmdExportPdf", kept,
       "Could not save " + kept + ": the file could not be written: File too large.", 4096},
  };
  for (const Export& e : exports) {
    SCOPED_TRACE(std::string(e.button) + " " + e.path);
    messages_.Clear();
    files_.Prepare(e.path);
    {
      std::unique_ptr<testing::FileSizeLimit> limit;
      if (e.size_limit) limit = std::make_unique<testing::FileSizeLimit>(e.size_limit);
      QTest::mouseClick(In<QPushButton>(e.button), Qt::LeftButton);
    }
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{e.message});
  }
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(ReadWholeFile(locked), "an earlier export");
  EXPECT_EQ(ReadWholeFile(kept), "%PDF- an earlier, complete export");
  EXPECT_EQ(print_dialog_.runs(), 0);
  EXPECT_TRUE(comparison_->isVisible());
}

}  // namespace
}  // namespace torvane
