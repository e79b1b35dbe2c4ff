// What assistive technology sees of the control, through QAccessible: a group named by its
// caption, one radio button per item with its caption, checked and disabled states, actions
// that select, and the events a screen reader follows.
#include <gtest/gtest.h>

#include <QtGui/QAccessible>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_list.h"

namespace {

using orvell::OrvellList;
using orvell_test::ShownList;

using orvell_test::FillLabyrinthTypes;

TEST(OrvellAccessibilityTest, AGroupNamedByItsCaptionWithARadioButtonPerItem) {
  ShownList shown(180, 100);
  auto* other = new QLineEdit(&shown.window());
  other->show();
  other->setFocus();
  OrvellList& list = shown.list();
  FillLabyrinthTypes(list);
  QAccessibleInterface* group = QAccessible::queryAccessibleInterface(&list);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->role(), QAccessible::Grouping);
  EXPECT_EQ(group->text(QAccessible::Name), QStringLiteral("Labyrinth Type"));
  EXPECT_EQ(group->text(QAccessible::Accelerator), QStringLiteral("Alt+L"));
  ASSERT_EQ(group->childCount(), 3);
  const char* names[] = {"Stepped", "Straight", "Rock & roll"};
  const char* keys[] = {"Alt+S", "Alt+T", ""};
  for (int i = 0; i < 3; ++i) {
    QAccessibleInterface* item = group->child(i);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->role(), QAccessible::RadioButton);
    EXPECT_EQ(item->text(QAccessible::Name), QString::fromLatin1(names[i]));
    EXPECT_EQ(item->text(QAccessible::Accelerator), QString::fromLatin1(keys[i]));
    EXPECT_EQ(item->parent(), group);
    EXPECT_EQ(group->indexOfChild(item), i);
    EXPECT_EQ(group->child(i), item);  // the same interface each time
    EXPECT_TRUE(item->state().checkable);
    EXPECT_EQ(item->state().checked, i == 1) << i;
    EXPECT_EQ(item->state().disabled, i == 2) << i;
  }
  EXPECT_EQ(group->child(3), nullptr);
  // Each item lies over its own button and text, and is found there.
  const QPoint button_of_item_2 = list.mapToGlobal(QPoint(16 + 7, 20 + 2 * 16 + 6));
  EXPECT_TRUE(group->child(2)->rect().contains(button_of_item_2));
  EXPECT_FALSE(group->child(1)->rect().contains(button_of_item_2));
  EXPECT_EQ(group->childAt(button_of_item_2.x(), button_of_item_2.y()), group->child(2));
  // The focus is on the selected item while the control has it.
  EXPECT_EQ(group->focusChild(), nullptr);
  list.setFocus();
  EXPECT_EQ(group->focusChild(), group->child(1));
  EXPECT_TRUE(group->child(1)->state().focused);
  // A name given by the program wins over the caption; a disabled control disables every item.
  list.setAccessibleName(QStringLiteral("Type of labyrinth"));
  EXPECT_EQ(group->text(QAccessible::Name), QStringLiteral("Type of labyrinth"));
  list.setEnabled(false);
  EXPECT_TRUE(group->child(0)->state().disabled);
}

TEST(OrvellAccessibilityTest, ItemActionsSelectAsAClickDoes) {
  OrvellList list;
  FillLabyrinthTypes(list);
  QAccessibleInterface* group = QAccessible::queryAccessibleInterface(&list);
  QAccessibleActionInterface* stepped = group->child(0)->actionInterface();
  ASSERT_NE(stepped, nullptr);
  EXPECT_EQ(stepped->actionNames(), QStringList({QAccessibleActionInterface::pressAction(),
                                                 QAccessibleActionInterface::toggleAction()}));
  EXPECT_EQ(stepped->keyBindingsForAction(QAccessibleActionInterface::toggleAction()),
            QStringList{QStringLiteral("Alt+S")});
  QSignalSpy clicks(&list, &OrvellList::Click);
  stepped->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(list.ListIndex(), 0);
  EXPECT_EQ(clicks.size(), 1);
  group->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(clicks.size(), 2);
  // A disabled item offers nothing and cannot be selected this way.
  QAccessibleActionInterface* disabled = group->child(2)->actionInterface();
  EXPECT_TRUE(disabled->actionNames().isEmpty());
  disabled->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(clicks.size(), 2);
}

TEST(OrvellAccessibilityTest, TheChildrenFollowTheItems) {
  OrvellList list;
  FillLabyrinthTypes(list);
  QAccessibleInterface* group = QAccessible::queryAccessibleInterface(&list);
  QAccessibleInterface* last = group->child(2);
  list.RemoveItem(2);
  EXPECT_EQ(group->childCount(), 2);
  EXPECT_FALSE(last->isValid());
  EXPECT_TRUE(last->state().invalid);
  list.AddItem(QStringLiteral("3;&Honeycomb"), 0);
  EXPECT_EQ(group->childCount(), 3);
  EXPECT_EQ(group->child(0)->text(QAccessible::Name), QStringLiteral("Honeycomb"));
  EXPECT_TRUE(group->child(2)->state().checked);  // "Straight" kept its selection
}

}  // namespace
