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
    hooks_.open_gas_properties = [this](const LabyEntries& entries, QWidget& parent) {
      calls_.push_back({"gas properties", &parent});
      gas_entries_ = entries;
    };
  }

  struct Call {
    std::string room;
    QWidget* parent = nullptr;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls_;
  LabyInputs study_inputs_;
  LabyEntries gas_entries_;
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
  QTest::mouseClick(Button("cmdGasProps"), Qt::LeftButton);
  EXPECT_EQ(calls_.back(), (Call{"gas properties", &w}));
  EXPECT_EQ(calls_.size(), 4u);
  const LabyInputs typed = InputsOf(0, EnglishCase());
  EXPECT_EQ(study_inputs_.seal_dia, typed.seal_dia);
  EXPECT_EQ(study_inputs_.seal_rad_clear, typed.seal_rad_clear);
  EXPECT_EQ(study_inputs_.tooth_no, typed.tooth_no);
  EXPECT_EQ(study_inputs_.press_up, typed.press_up);
  EXPECT_EQ(study_inputs_.flo_co, typed.flo_co);
  EXPECT_EQ(gas_entries_[LabyField::kPressUp], typed.press_up);
  EXPECT_EQ(gas_entries_[LabyField::kTempUp], typed.temp_up);
  EXPECT_EQ(gas_entries_[LabyField::kPressDown], typed.press_down);
  EXPECT_TRUE(Texts().empty());
}

// Gas Properties takes the boxes as they stand, calculated or not, a box without a number as
// nothing, and says nothing itself.
TEST_F(LabyrinthWindowHooksTest, GasPropertiesIsEnabledForACalculatedGasAndTakesTheBoxes) {
  Open();
  EXPECT_EQ(Button("cmdGasProps")->text(), "G&as Properties...");
  EXPECT_FALSE(Button("cmdGasProps")->isEnabled());
  context_.gas_calculated = true;
  Open();
  ASSERT_TRUE(Button("cmdGasProps")->isEnabled());
  EnterAll(EnglishCase());
  TypeInto(LabyField::kPressDown, "abc");
  QTest::mouseClick(Button("cmdGasProps"), Qt::LeftButton);
  ASSERT_EQ(calls_.size(), 1u);
  const LabyInputs typed = InputsOf(0, EnglishCase());
  EXPECT_EQ(gas_entries_[LabyField::kPressUp], typed.press_up);
  EXPECT_EQ(gas_entries_[LabyField::kTempUp], typed.temp_up);
  EXPECT_FALSE(gas_entries_[LabyField::kPressDown].has_value());
  EXPECT_TRUE(Texts().empty());
}

TEST_F(LabyrinthWindowHooksTest, TheAccessKeysReachTheirRooms) {
  context_.gas_calculated = true;
  Open();
  EnterAll(EnglishCase());
  Calculate();
  for (const auto& [key, room] :
       {std::pair{Qt::Key_O, "comparison"}, std::pair{Qt::Key_S, "study"},
        std::pair{Qt::Key_Y, "dynamics"}, std::pair{Qt::Key_A, "gas properties"}}) {
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
                                "cmdDynamics", "cmdGasProps", "cmdClose"}));
}

}  // namespace
}  // namespace torvane::testing
