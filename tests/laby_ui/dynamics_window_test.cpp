// The rotordynamics window over the stored labyrinth case, driven through its controls: the
// opening entries with their units, Calculate, the table, the plots, the swirl at a chosen
// speed, a failed calculation shown as such, the checks of the entries, copy, the exports and
// the report page. Nothing of the case changes.
#include "dynamics/ui/dynamics_window.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLegendMarker>
#include <QLineSeries>
#include <QProcess>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QValueAxis>

#include "laby_ui/laby_window_fixture.h"
#include "support/screenshot.h"
#include "support/ui_driving.h"

namespace torvane {
namespace {

using testing::EnglishCase;
using testing::FileBytes;
using testing::InputsOf;
using testing::PdfText;

// The names of a chart's series with their numbers of points, in order.
QStringList SeriesOf(QChartView* view) {
  QStringList names;
  for (QAbstractSeries* s : view->chart()->series()) {
    names << QStringLiteral("%1 (%2)").arg(s->name()).arg(static_cast<QLineSeries*>(s)->count());
  }
  return names;
}

QStringList AxisTitles(QChartView* view) {
  QStringList titles;
  for (QAbstractAxis* axis : view->chart()->axes()) titles << axis->titleText();
  return titles;
}

class DynamicsWindowTest : public testing::LabyWindowFixture {
 protected:
  // The straight English case as the labyrinth window stores it after Calculate.
  void StoreEnglishCase(int laby_type = 1) {
    Open();
    if (laby_type == 1) testing::ClickItem(Child<orvell::OrvellList>("optLabyType"), 1);
    EnterAll(EnglishCase());
    Calculate();
    ASSERT_TRUE(messages_.messages().empty());
    stored_ = context_.laby_data;
    window_.reset();
  }

  DynamicsWindow& OpenDynamics() {
    dynamics_ = std::make_unique<DynamicsWindow>(context_, services_, printer_);
    testing::ShowActive(*dynamics_);
    return *dynamics_;
  }

  template <class T>
  T* In(const char* name) const {
    T* child = dynamics_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QString BoxText(const char* name) const { return In<QLineEdit>(name)->text(); }
  QString LabelText(const char* name) const { return In<QLabel>(name)->text(); }
  void Type(const char* box, const QString& text) {
    auto* edit = In<QLineEdit>(box);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(edit, Qt::Key_Delete);
    } else {
      QTest::keyClicks(edit, text);
    }
  }
  void Press(const char* button) { testing::Click(In<QPushButton>(button)); }
  QString Cell(int row, int column) const {
    auto* table = In<QTableView>("tblSpeeds");
    return table->model()->index(row, column).data().toString();
  }

  // The coefficients the calculation gives at one speed with the window's opening options.
  SpeedAnswer Expected(double rpm, int laby_type = 1, bool real_gas = false) const {
    DynamicsOptions o;
    o.tooth_height = 0.125;
    o.real_gas = real_gas;
    const DynamicsCalculation d(InputsOf(laby_type, EnglishCase()), context_.units,
                                context_.engine.CurrentMixture(), o);
    return d.AtSpeed(rpm);
  }

  void TearDown() override {
    dynamics_.reset();
    if (stored_[kToothNumber] != 0) {
      EXPECT_EQ(context_.laby_data, stored_);
    }
    LabyWindowFixture::TearDown();
  }

  QTemporaryDir dir_;
  LabyData stored_{};
  std::unique_ptr<DynamicsWindow> dynamics_;
};

TEST_F(DynamicsWindowTest, OpensWithTheDefaultsInTheUsersUnits) {
  StoreEnglishCase();
  DynamicsWindow& w = OpenDynamics();
  EXPECT_EQ(w.windowTitle(), "Rotordynamic Coefficients");
  EXPECT_EQ(LabelText("lblCase"),
            "Straight labyrinth, 8 teeth, 500.00 to 100.00 psia, 100.0 deg F");
  EXPECT_EQ(BoxText("txtToothHeight"), "");
  EXPECT_EQ(QApplication::focusWidget(), In<QLineEdit>("txtToothHeight"));
  EXPECT_EQ(BoxText("txtPreswirl"), "0.5");
  EXPECT_EQ(BoxText("txtWhirlRatio"), "1");
  EXPECT_EQ(BoxText("txtSpeedFrom"), "0");
  EXPECT_EQ(BoxText("txtSpeedTo"), "20000");
  EXPECT_EQ(In<QSpinBox>("spnSpeeds")->value(), 41);
  // The gas's own gamma: methane's cp0/cv0 at 100 deg F.
  EXPECT_EQ(In<QDoubleSpinBox>("txtGamma")->value(), 1.297);
  EXPECT_EQ(LabelText("lblGammaSource"), "from the gas");
  EXPECT_FALSE(In<QPushButton>("cmdGammaFromGas")->isEnabled());
  EXPECT_FALSE(In<QCheckBox>("chkRealGas")->isChecked());
  EXPECT_EQ(LabelText("untToothHeight"), "in");
  EXPECT_EQ(LabelText("untSpeedTo"), "rpm");
  EXPECT_EQ(LabelText("untTemperature1"), "deg F");
  EXPECT_EQ(LabelText("untViscosity2"), "lb/ft-sec");
  EXPECT_TRUE(In<orvell::OrvellList>("optTeethOn")->isEnabled());
  EXPECT_EQ(In<orvell::OrvellList>("optViscosity")->ListIndex(), 0);
  for (const char* box : {"txtViscosity", "txtTemperature1", "txtViscosity2"}) {
    EXPECT_FALSE(In<QLineEdit>(box)->isEnabled()) << box;
  }
  for (const char* button :
       {"cmdCopy", "cmdExportCsv", "cmdExportPicture", "cmdPrint", "cmdExportPdf"}) {
    EXPECT_FALSE(In<QPushButton>(button)->isEnabled()) << button;
  }
  EXPECT_TRUE(In<QPushButton>("cmdCalc")->isEnabled());
}

TEST_F(DynamicsWindowTest, StraightOnlyForTeethOnAndTheViscosityLawOpensItsBoxes) {
  StoreEnglishCase(0);
  OpenDynamics();
  EXPECT_FALSE(In<orvell::OrvellList>("optTeethOn")->isEnabled());
  testing::ClickItem(In<orvell::OrvellList>("optViscosity"), 2);
  EXPECT_TRUE(In<QLineEdit>("txtViscosity")->isEnabled());
  EXPECT_FALSE(In<QLineEdit>("txtTemperature1")->isEnabled());
  testing::ClickItem(In<orvell::OrvellList>("optViscosity"), 1);
  EXPECT_FALSE(In<QLineEdit>("txtViscosity")->isEnabled());
  for (const char* box : {"txtTemperature1", "txtViscosity1", "txtTemperature2", "txtViscosity2"}) {
    EXPECT_TRUE(In<QLineEdit>(box)->isEnabled()) << box;
  }
}

TEST_F(DynamicsWindowTest, CalculateFromTheKeyboardFillsTableAndPlots) {
  StoreEnglishCase();
  DynamicsWindow& w = OpenDynamics();
  QTest::keyClicks(QApplication::focusWidget(), "0.125");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_NE(w.results(), nullptr);
  EXPECT_TRUE(Texts().empty());
  EXPECT_FALSE(busy_.busy());
  EXPECT_GE(busy_.times_busy(), 1);

  auto* table = In<QTableView>("tblSpeeds");
  ASSERT_EQ(table->model()->rowCount(), 41);
  ASSERT_EQ(table->model()->columnCount(), 15);
  const auto header = [&](int k) {
    return table->model()->headerData(k, Qt::Horizontal).toString();
  };
  EXPECT_EQ(header(0), "Speed (rpm)");
  EXPECT_EQ(header(3), "kxy (lbf/in)");
  EXPECT_EQ(header(7), "cxy (lbf-s/in)");
  EXPECT_EQ(header(12), "Whirl frequency ratio");
  EXPECT_EQ(header(13), "Status");
  // 8000 rpm is row 16 of 0, 500, ... 20000.
  const SpeedAnswer expected = Expected(8000);
  ASSERT_TRUE(expected.ok());
  EXPECT_EQ(Cell(16, 0), "8000");
  for (int k = 2; k < 13; ++k) {
    EXPECT_EQ(Cell(16, k).toStdString(), DynamicsTableCell(expected, k)) << k;
  }
  EXPECT_EQ(Cell(16, 13), "ok");
  EXPECT_EQ(Cell(0, 12), "");  // no whirl frequency ratio at rest
  EXPECT_EQ(table->model()->data(table->model()->index(16, 3), Qt::TextAlignmentRole).toInt(),
            static_cast<int>(Qt::AlignVCenter | Qt::AlignRight));

  EXPECT_TRUE(LabelText("lblSummary").startsWith("41 speeds, 0 failed; leakage "));
  EXPECT_TRUE(LabelText("lblSummary")
                  .endsWith("Tooth height 0.125 in, teeth on the stator, preswirl 0.5, whirl "
                            "ratio 1, gamma 1.297 from the gas, viscosity from the gas"));
  EXPECT_EQ(SeriesOf(In<QChartView>("chtStiffness")),
            (QStringList{"K = kxx (41)", "k = kxy (41)"}));
  EXPECT_EQ(AxisTitles(In<QChartView>("chtStiffness")),
            (QStringList{"Rotor speed (rpm)", "Stiffness (lbf/in)"}));
  EXPECT_EQ(SeriesOf(In<QChartView>("chtDamping")), (QStringList{"C = cxx (41)", "c = cxy (41)"}));
  EXPECT_EQ(AxisTitles(In<QChartView>("chtDamping")),
            (QStringList{"Rotor speed (rpm)", "Damping (lbf-s/in)"}));
  EXPECT_EQ(SeriesOf(In<QChartView>("chtEffectiveDamping")),
            (QStringList{"Effective damping (40)", "Zero (2)"}));
  EXPECT_EQ(AxisTitles(In<QChartView>("chtEffectiveDamping")),
            (QStringList{"Rotor speed (rpm)", "Effective damping (lbf-s/in)"}));
  EXPECT_EQ(SeriesOf(In<QChartView>("chtWhirlRatio")),
            (QStringList{"Whirl frequency ratio (40)", "WFR = 1 (2)"}));
  auto* limit = static_cast<QLineSeries*>(In<QChartView>("chtWhirlRatio")->chart()->series()[1]);
  EXPECT_EQ(limit->at(0), QPointF(0, 1));
  EXPECT_EQ(limit->at(1), QPointF(20000, 1));
  EXPECT_EQ(AxisTitles(In<QChartView>("chtSwirl")),
            (QStringList{"Station (0 inlet, 1.. cavities)", "Swirl ratio V/U"}));
  for (const char* button :
       {"cmdCopy", "cmdExportCsv", "cmdExportPicture", "cmdPrint", "cmdExportPdf"}) {
    EXPECT_TRUE(In<QPushButton>(button)->isEnabled()) << button;
  }
  QTest::qWait(50);  // the charts lay out their axes and legends
  testing::SaveScreenshot(w, "dynamics-window");
  In<QTabWidget>("tabResults")->setCurrentIndex(1);
  QTest::qWait(50);
  testing::SaveScreenshot(w, "dynamics-window-stability");
  In<QTabWidget>("tabResults")->setCurrentIndex(2);
  QTest::qWait(50);
  testing::SaveScreenshot(w, "dynamics-window-swirl");
  In<QTabWidget>("tabResults")->setCurrentIndex(3);
  QTest::qWait(50);
  testing::SaveScreenshot(w, "dynamics-window-table");
}

TEST_F(DynamicsWindowTest, RealGasTakesTheCavityStatesOfTheEquationOfStateAndNoGamma) {
  StoreEnglishCase();
  DynamicsWindow& w = OpenDynamics();
  QTest::keyClicks(QApplication::focusWidget(), "0.125");
  auto* real = In<QCheckBox>("chkRealGas");
  EXPECT_EQ(real->text(), "Real gas: cavity states of the e&quation of state");
  QTest::keyClick(&w, Qt::Key_Q, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return real->isChecked(); }, 2000));
  EXPECT_FALSE(In<QDoubleSpinBox>("txtGamma")->isEnabled());
  EXPECT_FALSE(In<QPushButton>("cmdGammaFromGas")->isEnabled());
  Press("cmdCalc");
  ASSERT_NE(w.results(), nullptr);
  EXPECT_TRUE(w.results()->options.real_gas);
  EXPECT_FALSE(w.results()->gamma.has_value());
  const SpeedAnswer expected = Expected(8000, 1, true);
  ASSERT_TRUE(expected.ok()) << expected.message;
  for (int k = 2; k < 13; ++k) {
    EXPECT_EQ(Cell(16, k).toStdString(), DynamicsTableCell(expected, k)) << k;
  }
  EXPECT_NE(Cell(16, 3).toStdString(), DynamicsTableCell(Expected(8000), 3));
  EXPECT_TRUE(LabelText("lblSummary").endsWith("whirl ratio 1, real gas, viscosity from the gas"));
  // A gamma given, then the ideal gas again: the given gamma is the one worked.
  testing::Click(real);
  auto* gamma = In<QDoubleSpinBox>("txtGamma");
  ASSERT_TRUE(gamma->isEnabled());
  gamma->setFocus();
  gamma->selectAll();
  QTest::keyClicks(gamma, "1.4");
  QTest::keyClick(gamma, Qt::Key_Tab);
  EXPECT_EQ(LabelText("lblGammaSource"), "given");
  EXPECT_TRUE(In<QPushButton>("cmdGammaFromGas")->isEnabled());
  Press("cmdCalc");
  EXPECT_EQ(w.results()->gamma->value, 1.4);
  EXPECT_EQ(w.results()->gamma->source, GammaSource::kGiven);
  Press("cmdGammaFromGas");
  EXPECT_EQ(gamma->value(), 1.297);
  Press("cmdCalc");
  EXPECT_EQ(w.results()->gamma->source, GammaSource::kGas);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(DynamicsWindowTest, TheSwirlOfAChosenSpeedAlongTheCavities) {
  StoreEnglishCase();
  OpenDynamics();
  Type("txtToothHeight", "0.125");
  Press("cmdCalc");
  auto* speeds = In<QComboBox>("cboSwirlSpeed");
  ASSERT_EQ(speeds->count(), 41);
  EXPECT_EQ(speeds->currentText(), "20,000 rpm");
  speeds->setCurrentIndex(16);
  EXPECT_EQ(SeriesOf(In<QChartView>("chtSwirl")), QStringList{"Swirl ratio at 8,000 rpm (8)"});
  auto* swirl = static_cast<QLineSeries*>(In<QChartView>("chtSwirl")->chart()->series()[0]);
  EXPECT_EQ(swirl->at(0), QPointF(0, 0.5));
  const SpeedAnswer expected = Expected(8000);
  EXPECT_EQ(swirl->at(7), QPointF(7, *expected.cavities[6].swirl_ratio));
  EXPECT_FALSE(In<QLabel>("lblNoSwirl")->isVisible());
  speeds->setCurrentIndex(0);
  EXPECT_EQ(SeriesOf(In<QChartView>("chtSwirl")), QStringList{"Swirl ratio at 0 rpm (0)"});
  EXPECT_EQ(LabelText("lblNoSwirl"), "No swirl at rest");
}

TEST_F(DynamicsWindowTest, WhereTheWhirlRatioPassesOneTheEffectiveDampingIsNegative) {
  StoreEnglishCase();
  DynamicsWindow& w = OpenDynamics();
  Type("txtToothHeight", "0.125");
  Type("txtPreswirl", "0.98");
  Press("cmdCalc");
  ASSERT_NE(w.results(), nullptr);
  int unstable = 0;
  for (const SpeedAnswer& s : w.results()->speeds) {
    ASSERT_TRUE(s.ok()) << s.message;
    if (!s.whirl_frequency_ratio) continue;
    EXPECT_GT(s.coefficients.cxx, 0);
    EXPECT_EQ(*s.whirl_frequency_ratio > 1, *s.effective_damping < 0) << s.speed;
    unstable += *s.whirl_frequency_ratio > 1 ? 1 : 0;
  }
  EXPECT_GT(unstable, 0);
  In<QTabWidget>("tabResults")->setCurrentIndex(1);
  QTest::qWait(50);  // the charts lay out their axes and legends
  testing::SaveScreenshot(w, "dynamics-window-unstable");
}

TEST_F(DynamicsWindowTest, AFailedCalculationIsShownAsSuch) {
  StoreEnglishCase();
  OpenDynamics();
  Type("txtToothHeight", "0.125");
  testing::ClickItem(In<orvell::OrvellList>("optViscosity"), 1);
  // Two reference states at one temperature: no viscosity law.
  Type("txtTemperature1", "100");
  Type("txtViscosity1", "0.00001");
  Type("txtTemperature2", "100");
  Type("txtViscosity2", "0.00002");
  Press("cmdCalc");
  ASSERT_NE(dynamics_->results(), nullptr);
  const std::string reason = dynamics_->results()->speeds[3].message;
  EXPECT_EQ(reason,
            "The two reference states of Sutherland's law must be at different temperatures");
  EXPECT_TRUE(LabelText("lblSummary").startsWith("41 speeds, 41 failed; leakage "));
  EXPECT_EQ(Cell(3, 0), "1500");
  EXPECT_EQ(Cell(3, 2), "");
  EXPECT_EQ(Cell(3, 13), "failed");
  EXPECT_EQ(Cell(3, 14).toStdString(), reason);
  EXPECT_EQ(SeriesOf(In<QChartView>("chtStiffness")), QStringList{});
  EXPECT_EQ(SeriesOf(In<QChartView>("chtWhirlRatio")), QStringList{"WFR = 1 (2)"});
  EXPECT_EQ(In<QComboBox>("cboSwirlSpeed")->currentText(), "20,000 rpm (failed)");
  EXPECT_EQ(LabelText("lblNoSwirl").toStdString(), "No swirl: " + reason);
  EXPECT_TRUE(In<QPushButton>("cmdExportCsv")->isEnabled());
  EXPECT_TRUE(Texts().empty());
}

TEST_F(DynamicsWindowTest, ABadEntryIsNamedAndTheBoxTakesTheFocus) {
  StoreEnglishCase();
  OpenDynamics();
  Press("cmdCalc");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Tooth height must be a positive number"});
  EXPECT_EQ(QApplication::focusWidget(), In<QLineEdit>("txtToothHeight"));
  EXPECT_EQ(dynamics_->results(), nullptr);

  messages_.Clear();
  Type("txtToothHeight", "0.125");
  testing::ClickItem(In<orvell::OrvellList>("optViscosity"), 2);
  Press("cmdCalc");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Viscosity must be a positive number"});
  EXPECT_EQ(QApplication::focusWidget(), In<QLineEdit>("txtViscosity"));

  messages_.Clear();
  Type("txtViscosity", "0.0000075");
  Type("txtSpeedTo", "-5");
  Press("cmdCalc");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Speed to must be a number of 0 rpm or more"});
  EXPECT_EQ(QApplication::focusWidget(), In<QLineEdit>("txtSpeedTo"));
}

TEST_F(DynamicsWindowTest, CopyAndTheExportsWriteTheirFiles) {
  StoreEnglishCase();
  OpenDynamics();
  Type("txtToothHeight", "0.125");
  In<QSpinBox>("spnSpeeds")->setValue(5);
  Press("cmdCalc");
  const DynamicsResults& r = *dynamics_->results();
  ASSERT_EQ(r.speeds.size(), 5u);

  Press("cmdCopy");
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), DynamicsTableText(r));

  const QString csv = dir_.filePath("k.csv");
  files_.Prepare(csv.toStdString());
  Press("cmdExportCsv");
  EXPECT_EQ(files_.requests().back().initial_name, "coefficients.csv");
  EXPECT_EQ(files_.requests().back().filter, "CSV File (*.csv)");
  EXPECT_EQ(FileBytes(csv).toStdString(), DynamicsCsv(r));

  const QString png = dir_.filePath("k.png");
  files_.Prepare(png.toStdString());
  Press("cmdExportPicture");
  EXPECT_TRUE(FileBytes(png).startsWith("\x89PNG"));
  const QString pdf = dir_.filePath("k.pdf");
  files_.Prepare(pdf.toStdString());
  Press("cmdExportPicture");
  EXPECT_TRUE(FileBytes(pdf).startsWith("%PDF"));
  EXPECT_TRUE(PdfText(pdf).contains("Straight labyrinth, 8 teeth"));
  EXPECT_TRUE(Texts().empty());

  const QString nowhere = dir_.filePath("no/such/folder/k.csv");
  files_.Prepare(nowhere.toStdString());
  Press("cmdExportCsv");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Could not save " + nowhere.toStdString() +
                                              ": the folder does not exist."});
  EXPECT_TRUE(dynamics_->isVisible());
}

TEST_F(DynamicsWindowTest, PrintAndExportPdfAddTheRotordynamicsPage) {
  StoreEnglishCase();
  OpenDynamics();
  Type("txtToothHeight", "0.125");
  Press("cmdCalc");
  const QString pdf = dir_.filePath("report.pdf");
  files_.Prepare(pdf.toStdString());
  Press("cmdExportPdf");
  QStringList pages = PdfText(pdf).split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[0].contains("Labyrinth Leakage Results"));
  EXPECT_FALSE(pages[0].contains("Rotordynamic"));
  EXPECT_TRUE(pages[1].contains("Rotordynamic Coefficients")) << pages[1].toStdString();
  EXPECT_TRUE(pages[1].contains("41 speeds, 0 failed"));
  EXPECT_TRUE(pages[1].contains("WFR = 1"));
  // Kept for a person to look at, as the screenshots are.
  if (const QString shots = qEnvironmentVariable("TORVANE_SCREENSHOT_DIR"); !shots.isEmpty()) {
    QFile::remove(shots + "/dynamics-report.pdf");
    QFile::copy(pdf, shots + "/dynamics-report.pdf");
  }

  const QString printed = dir_.filePath("printed.pdf");
  print_dialog_.PrepareAccept(printed);
  Press("cmdPrint");
  EXPECT_EQ(print_dialog_.runs(), 1);
  pages = PdfText(printed).split('\f', Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(pages[1].contains("Effective damping"));
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(DynamicsWindowTest, TheLabyrinthWindowsButtonOpensItOverTheStoredCase) {
  context_.gas_calculated = true;
  Open();
  testing::ClickItem(Child<orvell::OrvellList>("optLabyType"), 1);
  EnterAll(EnglishCase());
  Calculate();
  stored_ = context_.laby_data;
  QString title, case_line;
  QTimer::singleShot(0, [&] {
    auto* w = qobject_cast<DynamicsWindow*>(QApplication::activeModalWidget());
    if (!w) return;
    title = w->windowTitle();
    case_line = w->findChild<QLabel*>("lblCase")->text();
    QTest::keyClick(w, Qt::Key_Escape);
  });
  QTest::mouseClick(Button("cmdDynamics"), Qt::LeftButton);
  EXPECT_EQ(title, "Rotordynamic Coefficients");
  EXPECT_EQ(case_line, "Straight labyrinth, 8 teeth, 500.00 to 100.00 psia, 100.0 deg F");
  EXPECT_TRUE(window_->isVisible());
}

}  // namespace
}  // namespace torvane
