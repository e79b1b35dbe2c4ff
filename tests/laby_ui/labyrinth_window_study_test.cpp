// "Study..." in the labyrinth window: enabled for a calculated gas, it opens the study window
// from the inputs as they stand and changes nothing in the window or the case.
#include <QComboBox>
#include <QTimer>

#include "laby_ui/laby_window_fixture.h"
#include "study/study_run.h"
#include "study/ui/study_window.h"

namespace torvane::testing {
namespace {

class LabyrinthWindowStudyTest : public LabyWindowFixture {
 protected:
  // Opens the study with a click (or Tab and Space), runs it, and closes it; returns what it
  // showed.
  struct Seen {
    bool opened = false;
    QString title;
    QString from;
    std::int64_t points = 0;
  };
  Seen Study(bool keyboard) {
    Seen seen;
    QTimer::singleShot(0, [&] {
      auto* study = qobject_cast<StudyWindow*>(QApplication::activeModalWidget());
      if (!study) return;
      seen.opened = true;
      seen.title = study->windowTitle();
      seen.from = study->findChild<QLineEdit*>("txtFrom1")->text();
      QTest::mouseClick(study->findChild<QPushButton*>("cmdRun"), Qt::LeftButton);
      seen.points = study->run() ? study->run()->done() : 0;
      QTest::keyClick(study, Qt::Key_Escape);
    });
    if (keyboard) {
      // The buttons after Calculate, Print and Export PDF in the Tab order.
      Box(LabyField::kFloCo)->setFocus(Qt::OtherFocusReason);
      for (int k = 0; k < 4 && Focus() != Button("cmdStudy"); ++k) {
        QTest::keyClick(Focus(), Qt::Key_Tab);
      }
      EXPECT_EQ(Focus(), Button("cmdStudy"));
      QTest::keyClick(Focus(), Qt::Key_Space);
    } else {
      QTest::mouseClick(Button("cmdStudy"), Qt::LeftButton);
    }
    QCoreApplication::processEvents();
    return seen;
  }
};

TEST_F(LabyrinthWindowStudyTest, EnabledOnlyForACalculatedGas) {
  Open();
  EXPECT_EQ(Button("cmdStudy")->text(), "&Study...");
  EXPECT_FALSE(Button("cmdStudy")->isEnabled());
  context_.gas_calculated = true;
  Open();
  EXPECT_TRUE(Button("cmdStudy")->isEnabled());
}

TEST_F(LabyrinthWindowStudyTest, StartsFromTheTypedInputsAndChangesNothing) {
  context_.gas_calculated = true;
  Open();
  EnterAll(EnglishCase());
  TypeInto(LabyField::kSealRadClear, "0.015");  // typed, not left, not calculated
  const LabyData record = context_.laby_data;
  const std::string title = context_.laby_title;

  const Seen seen = Study(false);
  ASSERT_TRUE(seen.opened);
  EXPECT_EQ(seen.title, "Labyrinth Leakage Study - methane.gas");
  EXPECT_EQ(seen.from, "0.015");
  EXPECT_EQ(seen.points, 21);
  EXPECT_EQ(context_.laby_data, record);
  EXPECT_EQ(context_.laby_title, title);
  EXPECT_EQ(Box(LabyField::kSealRadClear)->text(), "0.015");
  EXPECT_EQ(Text("txtLabyFlow"), "0.000");
  EXPECT_FALSE(Button("cmdPrint")->isEnabled());
  EXPECT_TRUE(Texts().empty());
}

TEST_F(LabyrinthWindowStudyTest, TheKeyboardReachesIt) {
  context_.gas_calculated = true;
  Open();
  EnterAll(EnglishCase());
  EXPECT_TRUE(Study(true).opened);
}

TEST_F(LabyrinthWindowStudyTest, ABoxThatIsNotANumberIsNamedInstead) {
  context_.gas_calculated = true;
  Open();
  EnterAll(EnglishCase());
  TypeInto(LabyField::kToothSpc, "");
  const Seen seen = Study(false);
  EXPECT_FALSE(seen.opened);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Tooth spacing must be a number"});
  EXPECT_EQ(Focus(), Box(LabyField::kToothSpc));
}

}  // namespace
}  // namespace torvane::testing
