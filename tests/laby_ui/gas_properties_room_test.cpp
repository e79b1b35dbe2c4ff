// "Gas Properties..." of the labyrinth window opens the gas properties window over it with the
// current gas and the boxes as they stand; the window changes nothing of the case.
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

#include "laby_ui/laby_window_fixture.h"
#include "support/screenshot.h"
#include "thermo/ui/gas_properties_window.h"

namespace torvane::testing {
namespace {

using GasPropertiesRoomTest = LabyWindowFixture;

TEST_F(GasPropertiesRoomTest, TheButtonOpensTheWindowOverTheBoxesAsTheyStand) {
  context_.gas_calculated = true;
  Open();
  EnterAll(EnglishCase());  // methane, 500 -> 100 psia at 100 deg F, not calculated
  const LabyData before = context_.laby_data;
  QString title, upstream, downstream_pressure;
  std::vector<std::string> notes;
  QTimer::singleShot(0, [&] {
    auto* w = qobject_cast<GasPropertiesWindow*>(QApplication::activeModalWidget());
    if (!w) return;
    title = w->windowTitle();
    auto* table = w->findChild<QTableWidget*>("tblProperties");
    upstream = table->item(0, 2)->text();
    downstream_pressure = table->item(0, 3)->text();
    notes = w->form().Notes();
    SaveScreenshot(*w, "gas-properties-from-labyrinth");
    QTest::keyClick(w, Qt::Key_Escape);
  });
  QTest::mouseClick(Button("cmdGasProps"), Qt::LeftButton);
  EXPECT_EQ(title, "Gas Properties");
  EXPECT_EQ(upstream, "500");
  EXPECT_EQ(downstream_pressure, "100");
  EXPECT_TRUE(notes.empty());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(context_.laby_data, before);
  EXPECT_TRUE(Texts().empty());
}

}  // namespace
}  // namespace torvane::testing
