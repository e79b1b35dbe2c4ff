// A form made in Qt Designer: code generated from a .ui file builds the control with the
// properties it holds, whatever order the generated code sets them in.
#include <gtest/gtest.h>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_colors.h"
#include "orvell/orvell_list.h"
#include "ui_labyrinth_type_form.h"
#include "ui_refused_spacing_form.h"

namespace {

TEST(OrvellFormTest, AUiFormGivesTheControlItsProperties) {
  QWidget form;
  Ui::LabyrinthTypeForm ui;
  ui.setupUi(&form);
  orvell::OrvellList& list = *ui.optLabyType;
  EXPECT_EQ(list.objectName(), QStringLiteral("optLabyType"));
  EXPECT_EQ(list.ListCount(), 2);
  EXPECT_EQ(list.ItemCaption(1), QStringLiteral("S&traight"));
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Value(), QStringLiteral("1"));
  EXPECT_EQ(list.Caption(), QStringLiteral("&Labyrinth Type"));
  EXPECT_FALSE(list.ThreeD());
  EXPECT_EQ(list.BorderEffect(), 2);
  EXPECT_EQ(list.BackColor(), orvell::kButtonFace);
  EXPECT_EQ(list.Spacing(), 18);
  EXPECT_EQ(list.ItemFont().family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(list.geometry(), QRect(10, 10, 180, 80));
}

// A form as Designer saves it sets Spacing 0: the generated code sets it through the property
// system, which keeps the old value and logs why; the rest of the form is built.
TEST(OrvellFormTest, ARefusedValueInAUiFormIsLoggedNotRaised) {
  QWidget form;
  Ui::RefusedSpacingForm ui;
  orvell_test::WarningLog log;
  EXPECT_NO_THROW(ui.setupUi(&form));
  EXPECT_EQ(log.warnings(),
            QStringList(QStringLiteral(
                "OrvellList optType: Spacing cannot be 0 (Spacing out of range.); it keeps 16.")));
  EXPECT_EQ(ui.optType->Spacing(), 16);
  EXPECT_EQ(ui.optType->ListCount(), 2);
  EXPECT_EQ(ui.optType->ListIndex(), 1);
  EXPECT_EQ(ui.optType->Caption(), QStringLiteral("Type"));
}

}  // namespace
