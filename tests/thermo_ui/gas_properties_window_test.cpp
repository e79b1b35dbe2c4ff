// The gas properties window offscreen: the table as the form gives it, the typed state from the
// keyboard, the notes and the curves.
#include "thermo/ui/gas_properties_window.h"

#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>

#include "platform/ui/input_boxes.h"
#include "support/screenshot.h"
#include "thermo/thermo_test_support.h"
#include "units/number_format.h"

namespace torvane {
namespace {

class GasPropertiesWindowTest : public ::testing::Test {
 protected:
  template <class T>
  T* In(const char* name) {
    T* w = window_.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QString Cell(int row, int column) {
    const QTableWidgetItem* item = In<QTableWidget>("tblProperties")->item(row, column);
    return item ? item->text() : QString("<none>");
  }

  GasPropertiesWindow window_{testing::WorkedExampleGas(), testing::SiUnits(), {60, 26.85, 20}};
};

TEST_F(GasPropertiesWindowTest, TableIsTheFormsRows) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  EXPECT_EQ(window_.windowTitle(), "Gas Properties");
  EXPECT_EQ(window_.objectName(), "frmGasProps");
  EXPECT_EQ(In<QLabel>("lblGas")->text(), "Molar mass 17.82 lb/lbmol");
  auto* table = In<QTableWidget>("tblProperties");
  const std::vector<PropertyRow> rows = window_.form().Rows();
  ASSERT_EQ(table->rowCount(), static_cast<int>(rows.size()));
  ASSERT_EQ(table->columnCount(), 5);
  EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "Upstream");
  EXPECT_EQ(table->horizontalHeaderItem(4)->text(), "Typed");
  for (int r = 0; r < table->rowCount(); ++r) {
    const PropertyRow& row = rows[static_cast<size_t>(r)];
    EXPECT_EQ(Cell(r, 0).toStdString(), row.name);
    EXPECT_EQ(Cell(r, 1).toStdString(), row.unit);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(Cell(r, 2 + k).toStdString(), row.cells[k]) << r;
  }
  EXPECT_EQ(Cell(11, 0), "Speed of sound");
  EXPECT_EQ(Cell(11, 2), "406.466");
  EXPECT_EQ(Cell(11, 4), "-");
  EXPECT_FALSE(In<QLabel>("lblNotes")->isVisible());
  // Whole table, no scrolling.
  EXPECT_GE(table->height(), table->horizontalHeader()->height() + 16 * table->rowHeight(0));
  testing::SaveScreenshot(window_, "gas-properties-window-opening");
}

TEST_F(GasPropertiesWindowTest, TypedStateFromTheKeyboard) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  // Alt+P goes to the pressure box, Alt+T to the temperature box.
  QTest::keyClick(&window_, Qt::Key_P, Qt::AltModifier);
  auto* pressure = In<NumericBox>("txtPressure");
  ASSERT_EQ(QApplication::focusWidget(), pressure);
  QTest::keyClicks(pressure, "100");
  QTest::keyClick(&window_, Qt::Key_T, Qt::AltModifier);
  auto* temperature = In<NumericBox>("txtTemperature");
  ASSERT_EQ(QApplication::focusWidget(), temperature);
  // Leaving the pressure box with only it typed says what is missing.
  EXPECT_EQ(In<QLabel>("lblNotes")->text(), "Typed: the temperature typed is not a number");
  QTest::keyClicks(temperature, "50");
  EXPECT_EQ(Cell(0, 4), "-");  // not before the value is complete
  QTest::keyClick(temperature, Qt::Key_Return);
  EXPECT_TRUE(window_.isVisible());  // Enter takes the value and leaves the window open
  EXPECT_EQ(Cell(0, 4), "100");
  EXPECT_EQ(Cell(1, 4), "50");
  const GasProperties p = PropertiesAtSi(CaloricGas(testing::WorkedExampleGas()), 100e5, 323.15);
  EXPECT_EQ(Cell(2, 4).toStdString(), ShortestGeneral(p.z, 6));
  EXPECT_FALSE(In<QLabel>("lblNotes")->isVisible());
  testing::SaveScreenshot(window_, "gas-properties-window");
  // A decimal comma is no number.
  temperature->selectAll();
  QTest::keyClicks(temperature, "50,5");
  QTest::keyClick(temperature, Qt::Key_Return);
  EXPECT_EQ(Cell(1, 4), "-");
  EXPECT_EQ(In<QLabel>("lblNotes")->text(), "Typed: the temperature typed is not a number");
  QTest::keyClick(&window_, Qt::Key_Escape);
  EXPECT_FALSE(window_.isVisible());
}

TEST_F(GasPropertiesWindowTest, CurvesOfZKappaAndSpeedOfSound) {
  auto* view = In<QChartView>("chtProperties");
  QChart* chart = view->chart();
  EXPECT_EQ(chart->title(), "At 26.85 deg C");
  const QList<QAbstractSeries*> series = chart->series();
  ASSERT_EQ(series.size(), 3);
  EXPECT_EQ(series[0]->name(), "Z");
  EXPECT_EQ(series[1]->name(), "Isentropic exponent");
  EXPECT_EQ(series[2]->name(), "Speed of sound (right)");
  const auto* z = static_cast<QLineSeries*>(series[0]);
  ASSERT_EQ(z->count(), kCurvePoints);
  EXPECT_DOUBLE_EQ(z->at(89).y(), window_.form().curves().z[0][89].y);
  EXPECT_EQ(static_cast<QValueAxis*>(chart->axes(Qt::Horizontal)[0])->max(), 80);
  const QList<QAbstractAxis*> left = chart->axes(Qt::Vertical, series[0]);
  const QList<QAbstractAxis*> right = chart->axes(Qt::Vertical, series[2]);
  ASSERT_EQ(left.size(), 1);
  ASSERT_EQ(right.size(), 1);
  EXPECT_EQ(left[0]->titleText(), "Z, isentropic exponent");
  EXPECT_EQ(right[0]->titleText(), "Speed of sound (m/sec)");
  EXPECT_EQ(right[0]->alignment(), Qt::AlignRight);
  EXPECT_EQ(chart->axes(Qt::Horizontal)[0]->titleText(), "Pressure (Bar a)");
  EXPECT_FALSE(In<QLabel>("lblNoCurves")->isVisibleTo(&window_));
}

TEST(GasPropertiesWindowStatesTest, MissingInputsAreNotedAndLeaveNoCurves) {
  GasPropertiesWindow window(testing::WorkedExampleGas(), testing::SiUnits(),
                             {60, std::nullopt, 20});
  EXPECT_EQ(window.findChild<QLabel*>("lblNotes")->text(),
            "Upstream: the upstream temperature is not a number\n"
            "Downstream: it follows from the upstream state");
  auto* none = window.findChild<QLabel*>("lblNoCurves");
  EXPECT_TRUE(none->isVisibleTo(&window));
  EXPECT_EQ(none->text(), "No curves: the upstream temperature is not a number");
  EXPECT_FALSE(window.findChild<QChartView*>("chtProperties")->isVisibleTo(&window));
}

}  // namespace
}  // namespace torvane
