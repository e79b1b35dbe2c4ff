#include "units/ui/units_dialog.h"

#include <gtest/gtest.h>
#include <orvell/orvell_list.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "document/case_context.h"
#include "document/unit_settings.h"
#include "platform/message_service.h"
#include "platform/settings_store.h"
#include "support/screenshot.h"
#include "support/ui_driving.h"

namespace torvane {
namespace {

class UnitsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartUp(context_, store_);
    dialog_ = std::make_unique<UnitsDialog>(context_, store_, messages_);
    dialog_->show();
    QApplication::setActiveWindow(dialog_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  }

  // Clicks the option button of a unit system, as a user does.
  void ClickSystem(int row) { testing::ClickItem(dialog_->unit_system_list(), row); }

  QString Label(Quantity q) { return dialog_->unit_label(q)->text(); }

  RecordingMessageService messages_;
  MemorySettingsStore store_;
  CaseContext context_{messages_};
  std::unique_ptr<UnitsDialog> dialog_;
};

TEST_F(UnitsDialogTest, OpensInEnglishWithNothingStored) {
  EXPECT_EQ(dialog_->windowTitle(), "Units Selection");
  EXPECT_EQ(dialog_->unit_system_list()->Caption(), "Select Units");
  EXPECT_EQ(dialog_->unit_system_list()->ListIndex(), 0);
  EXPECT_EQ(dialog_->unit_system_list()->ListCount(), 4);
  EXPECT_EQ(context_.record.unit_system_name.view(), "En");
  EXPECT_EQ(Label(Quantity::kPressure), "psia");
  EXPECT_EQ(Label(Quantity::kLength), "in");
  EXPECT_FALSE(dialog_->lists_shown());
  EXPECT_FALSE(dialog_->unit_list(Quantity::kPressure)->isVisible());
}

TEST_F(UnitsDialogTest, ChoosingSIAppliesAtOnceBeforeOk) {
  ClickSystem(1);
  EXPECT_EQ(dialog_->unit_system_list()->ListIndex(), 1);
  EXPECT_EQ(Label(Quantity::kPressure), "Bar a");
  EXPECT_EQ(Label(Quantity::kTemperature), "deg C");
  EXPECT_EQ(Label(Quantity::kMassFlow), "kg/hr");
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "Bar a   ");
  EXPECT_EQ(context_.record.unit_system, 1);
  EXPECT_EQ(context_.record.unit_system_name.view(), "SI");
  EXPECT_TRUE(store_.empty());  // stored only by OK
  testing::SaveScreenshot(*dialog_, "units-dialog-si");
}

TEST_F(UnitsDialogTest, ASystemChosenWithTheArrowKeysIsAppliedAndStored) {
  orvell::OrvellList* list = dialog_->unit_system_list();
  list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->ListIndex(), 1);
  EXPECT_EQ(Label(Quantity::kPressure), "Bar a");
  EXPECT_EQ(context_.record.unit_system, 1);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(Label(Quantity::kPressure), "kg/cm2 a");
  EXPECT_EQ(context_.record.unit_system_name.view(), "Te");
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_TRUE(dialog_->lists_shown());
  EXPECT_EQ(context_.record.unit_num, PresetIndices(UnitSystem::kTechMetric));
  QTest::keyClick(list, Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Up);  // SI
  EXPECT_FALSE(dialog_->lists_shown());
  QTest::keyClick(dialog_.get(), Qt::Key_Escape);  // keeps and stores, as OK does
  EXPECT_EQ(store_.GetSetting("QZ", "Units", "Un", "?"), "1");
  EXPECT_EQ(store_.GetSetting("QZ", "Units", "PNum", "?"), "1");
}

TEST_F(UnitsDialogTest, CustomAfterSIShowsTheSIIndicesInTheLists) {
  ClickSystem(1);
  ClickSystem(3);
  EXPECT_TRUE(dialog_->lists_shown());
  EXPECT_TRUE(dialog_->unit_list(Quantity::kPressure)->isVisible());
  EXPECT_EQ(dialog_->unit_list(Quantity::kPressure)->currentIndex(), 1);
  EXPECT_EQ(dialog_->unit_list(Quantity::kInletFlow)->currentIndex(), 3);
  EXPECT_EQ(dialog_->unit_list(Quantity::kLength)->currentText(), "mm");
  EXPECT_EQ(context_.record.unit_system_name.view(), "Cu");

  // Picking kPa a in the pressure list changes that quantity alone.
  QComboBox* pressure = dialog_->unit_list(Quantity::kPressure);
  pressure->setFocus();
  QTest::keyClick(pressure, Qt::Key_Down);
  QTest::keyClick(pressure, Qt::Key_Down);
  EXPECT_EQ(pressure->currentIndex(), 3);
  emit pressure->activated(3);
  EXPECT_EQ(Label(Quantity::kPressure), "kPa a");
  EXPECT_EQ(context_.units.Index(Quantity::kPressure), 3);
  EXPECT_EQ(context_.units.Index(Quantity::kTemperature), 2);
  testing::SaveScreenshot(*dialog_, "units-dialog-custom");

  ClickSystem(2);
  EXPECT_FALSE(dialog_->lists_shown());
  EXPECT_EQ(Label(Quantity::kPressure), "kg/cm2 a");
}

TEST_F(UnitsDialogTest, OpeningNeverReappliesAPresetOverACasesUnits) {
  // A case file brought English as its system but Bar a as its pressure unit.
  context_.record.UnitNum(Quantity::kPressure) = 1;
  context_.ApplyUnitChoice();
  dialog_->Load();
  EXPECT_EQ(dialog_->unit_system_list()->ListIndex(), 0);
  EXPECT_EQ(Label(Quantity::kPressure), "Bar a");
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "Bar a   ");
  EXPECT_EQ(context_.record.UnitNum(Quantity::kPressure), 1);
  // A pick of the user's applies the preset.
  ClickSystem(1);
  ClickSystem(0);
  EXPECT_EQ(Label(Quantity::kPressure), "psia");
}

TEST_F(UnitsDialogTest, EscapeKeepsAndStoresTheChoiceLikeOk) {
  ClickSystem(1);
  QTest::keyClick(dialog_.get(), Qt::Key_Escape);
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(store_.GetSetting("QZ", "Units", "Un", "?"), "1");
  EXPECT_EQ(context_.units.Label(Quantity::kPressure), "Bar a   ");
}

TEST_F(UnitsDialogTest, OkStoresEveryKeyAndHides) {
  ClickSystem(2);
  QTest::mouseClick(dialog_->ok_button(), Qt::LeftButton);
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(store_.GetSetting("QZ", "Units", "Un", "?"), "2");
  EXPECT_EQ(store_.GetSetting("QZ", "Units", "Nam", "?"), "Te");
  EXPECT_EQ(store_.GetSetting("QZ", "Units", "PNum", "?"), "2");
  EXPECT_EQ(store_.GetSetting("QZ", "Units", "WtNum", "?"), "2");
  EXPECT_EQ(store_.GetSetting("QZ", "Units", "LnNum", "?"), "1");
  EXPECT_TRUE(messages_.messages().empty());

  // The next run starts with that choice, and the dialog opens on it.
  RecordingMessageService messages;
  CaseContext next(messages);
  StartUp(next, store_);
  UnitsDialog again(next, store_, messages);
  EXPECT_EQ(again.unit_system_list()->ListIndex(), 2);
  EXPECT_EQ(again.unit_label(Quantity::kPressure)->text(), "kg/cm2 a");
}

}  // namespace
}  // namespace torvane
