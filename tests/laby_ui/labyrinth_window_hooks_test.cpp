// The windows beside the labyrinth window come through its hooks: each button runs its own hook
// once, over the labyrinth window, with what its command gives; a hook left empty leaves its
// button out. The program's hooks open the real windows (the comparison and study tests).
#include <QTimer>

#include "laby_ui/laby_window_fixture.h"

namespace torvane::testing {
namespace {

class LabyrinthWindowHooksTest : public LabyWindowFixture {
 protected:
  LabyrinthWindowHooksTest() {
    hooks_ = {};
    hooks_.open_comparison = [this](QWidget& parent) { calls_.push_back({"comparison", &parent}); };
    hooks_.open_study = [this](const LabyInputs& inputs, QWidget& parent) {
      calls_.push_back({"study", &parent});
      study_inputs_ = inputs;
    };
    hooks_.open_dynamics = [this](QWidget& parent) { calls_.push_back({"dynamics", &parent}); };
  }

  struct Call {
    std::string room;
    QWidget* parent = nullptr;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls_;
  LabyInputs study_inputs_;
};

TEST_F(LabyrinthWindowHooksTest, EachButtonRunsItsOwnHookOverTheWindow) {
  context_.gas_calculated = true;
  LabyrinthWindow& w = Open();
  EnterAll(EnglishCase());
  Calculate();
  ASSERT_TRUE(Button("cmdCompare")->isEnabled());

  QTest::mouseClick(Button("cmdCompare"), Qt::LeftButton);
  EXPECT_EQ(calls_, (std::vector<Call>{{"comparison", &w}}));
  QTest::mouseClick(Button("cmdStudy"), Qt::LeftButton);
  EXPECT_EQ(calls_, (std::vector<Call>{{"comparison", &w}, {"study", &w}}));
  QTest::mouseClick(Button("cmdDynamics"), Qt::LeftButton);
  EXPECT_EQ(calls_.back(), (Call{"dynamics", &w}));
  EXPECT_EQ(calls_.size(), 3u);
  const LabyInputs typed = InputsOf(0, EnglishCase());
  EXPECT_EQ(study_inputs_.seal_dia, typed.seal_dia);
  EXPECT_EQ(study_inputs_.seal_rad_clear, typed.seal_rad_clear);
  EXPECT_EQ(study_inputs_.tooth_no, typed.tooth_no);
  EXPECT_EQ(study_inputs_.press_up, typed.press_up);
  EXPECT_EQ(study_inputs_.flo_co, typed.flo_co);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(LabyrinthWindowHooksTest, TheAccessKeysReachTheirRooms) {
  context_.gas_calculated = true;
  Open();
  EnterAll(EnglishCase());
  Calculate();
  for (const auto& [key, room] : {std::pair{Qt::Key_O, "comparison"}, std::pair{Qt::Key_S, "study"},
                                  std::pair{Qt::Key_Y, "dynamics"}}) {
    calls_.clear();
    QTest::keyClick(Focus(), key, Qt::AltModifier);
    // An access key clicks its button after the button has been shown pressed.
    for (int k = 0; k < 50 && calls_.empty(); ++k) QTest::qWait(20);
    EXPECT_EQ(calls_.size(), 1u) << room;
    if (!calls_.empty()) {
      EXPECT_EQ(calls_[0].room, room);
    }
  }
}

TEST_F(LabyrinthWindowHooksTest, RotordynamicsIsEnabledOnlyAfterACalculation) {
  context_.gas_calculated = true;
  Open();
  EXPECT_EQ(Button("cmdDynamics")->text(), "Rotord&ynamics...");
  EXPECT_FALSE(Button("cmdDynamics")->isEnabled());
  EnterAll(EnglishCase());
  EXPECT_FALSE(Button("cmdDynamics")->isEnabled());
  Calculate();
  EXPECT_TRUE(Button("cmdDynamics")->isEnabled());
  TypeInto(LabyField::kToothNo, "9");  // a changed input disables it again, as Print
  EXPECT_EQ(Button("cmdDynamics")->isEnabled(), Button("cmdPrint")->isEnabled());
}

TEST_F(LabyrinthWindowHooksTest, AnEmptyHookLeavesItsButtonOut) {
  hooks_.open_study = nullptr;
  Open();
  EXPECT_NE(window_->findChild<QPushButton*>("cmdCompare"), nullptr);
  EXPECT_EQ(window_->findChild<QPushButton*>("cmdStudy"), nullptr);
  hooks_ = {};
  Open();
  EXPECT_EQ(window_->findChild<QPushButton*>("cmdCompare"), nullptr);
  EXPECT_NE(Button("cmdClose"), nullptr);
}

TEST_F(LabyrinthWindowHooksTest, TheButtonsStandInTheirOrderBeforeClose) {
  Open();
  QStringList order;
  for (QPushButton* b : window_->findChildren<QPushButton*>()) order << b->objectName();
  EXPECT_EQ(order, (QStringList{"cmdCalc", "cmdPrint", "cmdExportPdf", "cmdCompare", "cmdStudy",
                                "cmdDynamics", "cmdClose"}));
}

}  // namespace
}  // namespace torvane::testing
