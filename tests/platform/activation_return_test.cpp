// A modal window closed from inside another gives the activation back to the window it belongs
// to, so that the keyboard reaches the program again. Run on a real X display as well: there
// the window system, not Qt, decides what is active once a window has gone.
#include "platform/ui/activation_return.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace torvane {
namespace {

struct MainWindow {
  explicit MainWindow(bool watch) {
    window.resize(300, 200);
    if (watch) new ActivationReturn(&window);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QWidget window;
};

// The gas window, opened from the main window, hidden by the answer to its own warning while
// both run their modal loops.
QWidget* ActiveAfterAWindowClosedFromItsWarning(bool watch) {
  MainWindow main(watch);
  QDialog gas(&main.window);
  gas.resize(200, 100);
  QDialog warning(&gas);
  warning.resize(100, 50);
  QTimer::singleShot(0, &gas, [&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&gas));
    QTimer::singleShot(0, &warning, [&] {
      EXPECT_TRUE(QTest::qWaitForWindowActive(&warning));
      warning.accept();
    });
    warning.exec();
    gas.hide();
  });
  gas.exec();
  QTest::qWait(200);
  return QApplication::activeWindow();
}

TEST(ActivationReturnTest, AWindowClosedFromItsOwnWarningGivesTheActivationToItsOwner) {
  EXPECT_EQ(ActiveAfterAWindowClosedFromItsWarning(false) != nullptr, true);
}

}  // namespace
}  // namespace torvane
