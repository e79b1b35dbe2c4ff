// Items: Contents parsing, the "value;caption" rules, Value, and the selection bookkeeping of
// AddItem, RemoveItem and Clear.
#include <gtest/gtest.h>

#include <QtTest/QSignalSpy>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_list.h"

namespace {

using orvell::OrvellList;

TEST(OrvellItemsTest, ContentsSplitsAtCrLfAndCountsALastLineWithoutOne) {
  OrvellList list;
  list.setContents(QStringLiteral("0;Polytropic\r\n1;Adiabatic"));
  EXPECT_EQ(list.ListCount(), 2);
  EXPECT_EQ(list.ItemValue(1), QStringLiteral("1"));
  EXPECT_EQ(list.ItemCaption(1), QStringLiteral("Adiabatic"));
  EXPECT_EQ(list.List(0), QStringLiteral("0;Polytropic"));

  list.setContents(QStringLiteral("a\r\nb\r\n"));
  EXPECT_EQ(list.ListCount(), 2);
  EXPECT_EQ(list.Contents(), QStringLiteral("a\r\nb"));

  list.setContents(QStringLiteral("a\r\n\r\nc"));
  EXPECT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.List(1), QString());

  list.setContents(QString());
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.Contents(), QString());
}

TEST(OrvellItemsTest, ALoneCrOrLfAlsoEndsALineAndLosesNoCharacter) {
  OrvellList list;
  list.setContents(QStringLiteral("0;Stepped\n1;Straight"));
  EXPECT_EQ(list.ListCount(), 2);
  EXPECT_EQ(list.ItemCaption(1), QStringLiteral("Straight"));
  list.setContents(QStringLiteral("a\rb\r\nc"));
  ASSERT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.List(1), QStringLiteral("b"));
  EXPECT_EQ(list.Contents(), QStringLiteral("a\r\nb\r\nc"));
}

TEST(OrvellItemsTest, ValueAndCaptionSplitAtTheFirstSemicolon) {
  OrvellList list;
  list.setContents(QStringLiteral("7;Seven;and more\r\nNo value\r\n;Only caption\r\nOnly value;"));
  EXPECT_EQ(list.ItemValue(0), QStringLiteral("7"));
  EXPECT_EQ(list.ItemCaption(0), QStringLiteral("Seven;and more"));
  EXPECT_EQ(list.ItemValue(1), QString());
  EXPECT_EQ(list.ItemCaption(1), QStringLiteral("No value"));
  EXPECT_EQ(list.ItemValue(2), QString());
  EXPECT_EQ(list.ItemCaption(2), QStringLiteral("Only caption"));
  EXPECT_EQ(list.ItemValue(3), QStringLiteral("Only value"));
  EXPECT_EQ(list.ItemCaption(3), QString());
}

TEST(OrvellItemsTest, ItemSettersReplaceTheirPartOrAddIt) {
  OrvellList list;
  list.setContents(QStringLiteral("0;Stepped\r\nStraight\r\nPlain"));
  list.setItemCaption(0, QStringLiteral("Staggered"));
  EXPECT_EQ(list.List(0), QStringLiteral("0;Staggered"));
  list.setItemValue(0, QStringLiteral("9"));
  EXPECT_EQ(list.List(0), QStringLiteral("9;Staggered"));
  // A line without ';' gets the value and ';' in front, or ';' and the caption behind.
  list.setItemValue(1, QStringLiteral("1"));
  EXPECT_EQ(list.List(1), QStringLiteral("1;Straight"));
  list.setItemCaption(2, QStringLiteral("Caption"));
  EXPECT_EQ(list.List(2), QStringLiteral("Plain;Caption"));
  list.setList(2, QStringLiteral("2;Whole line"));
  EXPECT_EQ(list.List(2), QStringLiteral("2;Whole line"));
  EXPECT_EQ(list.Contents(), QStringLiteral("9;Staggered\r\n1;Straight\r\n2;Whole line"));
}

TEST(OrvellItemsTest, ItemTextsAreSingleLinesOfAtMost255Characters) {
  OrvellList list;
  list.AddItem(QStringLiteral("0;First\r\n1;Second"));
  EXPECT_EQ(list.ListCount(), 1);
  EXPECT_EQ(list.List(0), QStringLiteral("0;First"));
  list.setList(0, QStringLiteral("a\nb"));
  EXPECT_EQ(list.List(0), QStringLiteral("a"));
  list.setItemCaption(0, QStringLiteral("x\ry"));
  EXPECT_EQ(list.List(0), QStringLiteral("a;x"));
  const QString long_line(300, u'w');
  list.AddItem(long_line);
  EXPECT_EQ(list.List(1).size(), 255);
  list.setContents(long_line + QStringLiteral("\r\nshort"));
  EXPECT_EQ(list.List(0), QString(255, u'w'));
  EXPECT_EQ(list.List(1), QStringLiteral("short"));
}

TEST(OrvellItemsTest, ValueReadsTheSelectedItemsValuePart) {
  OrvellList list;
  list.setContents(QStringLiteral("0;Stepped\r\nNo value"));
  EXPECT_EQ(list.Value(), QString());
  list.setListIndex(0);
  EXPECT_EQ(list.Value(), QStringLiteral("0"));
  list.setListIndex(1);
  EXPECT_EQ(list.Value(), QStringLiteral("No value"));
  // Items gone from under the index: reading Value is refused.
  list.Clear();
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_INVALID_PROPERTY(list.Value(), "Invalid index.");
}

TEST(OrvellItemsTest, SettingValueSelectsTheFirstExactMatchOrNothingAndFiresClickEitherWay) {
  OrvellList list;
  list.setContents(QStringLiteral("A;first\r\nB;second\r\nB;third\r\nplain"));
  QSignalSpy clicks(&list, &OrvellList::Click);
  list.setValue(QStringLiteral("B"));
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(clicks.size(), 1);
  list.setValue(QStringLiteral("b"));  // case matters
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(clicks.size(), 2);
  list.setValue(QStringLiteral("plain"));  // a line without ';' is its own value
  EXPECT_EQ(list.ListIndex(), 3);
  EXPECT_EQ(list.Value(), QStringLiteral("plain"));
  list.setValue(QStringLiteral("Z"));
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(clicks.size(), 4);
}

TEST(OrvellItemsTest, NewContentsKeepsListIndex) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb\r\nc"));
  list.setListIndex(2);
  list.setContents(QStringLiteral("x\r\ny\r\nz\r\nw"));
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.Value(), QStringLiteral("z"));
  list.setContents(QStringLiteral("only"));
  EXPECT_EQ(list.ListIndex(), 2);
  list.AddItem(QStringLiteral("two"));
  list.AddItem(QStringLiteral("three"));
  EXPECT_EQ(list.Value(), QStringLiteral("three"));
}

TEST(OrvellItemsTest, AddItemInsertsOrAppendsAndMovesTheSelectionWithItsItem) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb\r\nc"));
  list.setListIndex(1);
  list.AddItem(QStringLiteral("x"), 1);  // at the selected item: it moves down
  EXPECT_EQ(list.Contents(), QStringLiteral("a\r\nx\r\nb\r\nc"));
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.Value(), QStringLiteral("b"));
  list.AddItem(QStringLiteral("y"), 3);  // after it: no change
  EXPECT_EQ(list.ListIndex(), 2);
  list.AddItem(QStringLiteral("first"), 0);
  EXPECT_EQ(list.ListIndex(), 3);
  EXPECT_EQ(list.Value(), QStringLiteral("b"));
  // Missing, -1, below -1 and beyond ListCount all append.
  list.AddItem(QStringLiteral("e1"));
  list.AddItem(QStringLiteral("e2"), -1);
  list.AddItem(QStringLiteral("e3"), -7);
  list.AddItem(QStringLiteral("e4"), 100);
  list.AddItem(QStringLiteral("e5"), list.ListCount());
  EXPECT_EQ(list.Contents(),
            QStringLiteral("first\r\na\r\nx\r\nb\r\ny\r\nc\r\ne1\r\ne2\r\ne3\r\ne4\r\ne5"));
  EXPECT_EQ(list.ListIndex(), 3);
  EXPECT_TRUE(list.ItemEnabled(10));
}

TEST(OrvellItemsTest, RemoveItemClearsOrShiftsTheSelection) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb\r\nc\r\nd"));
  list.setListIndex(2);
  list.RemoveItem(3);  // below the selection
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(0);  // above: the same item stays selected
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Value(), QStringLiteral("c"));
  list.RemoveItem(1);  // the selected item: nothing selected
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Contents(), QStringLiteral("b"));
}

TEST(OrvellItemsTest, ItemChangesFireNoClickButReportIndexChanges) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb\r\nc"));
  list.setListIndex(1);
  QSignalSpy clicks(&list, &OrvellList::Click);
  QSignalSpy changes(&list, &OrvellList::ListIndexChanged);
  list.AddItem(QStringLiteral("z"), 0);
  list.RemoveItem(3);
  list.Clear();
  list.setContents(QStringLiteral("p\r\nq\r\nr"));
  EXPECT_EQ(clicks.size(), 0);
  ASSERT_EQ(changes.size(), 1);
  EXPECT_EQ(changes.at(0).at(0).toInt(), 2);
}

TEST(OrvellItemsTest, ClearKeepsListIndex) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb"));
  list.setListIndex(1);
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Contents(), QString());
}

TEST(OrvellItemsTest, SettingTheIndexAlwaysFiresClickAndMarksModified) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb"));
  list.ClearModified();
  QSignalSpy clicks(&list, &OrvellList::Click);
  QSignalSpy changes(&list, &OrvellList::ListIndexChanged);
  list.setListIndex(1);
  list.setListIndex(1);
  list.setSelected(0);
  list.setSelected(-1);
  EXPECT_EQ(clicks.size(), 4);
  EXPECT_EQ(changes.size(), 3);
  EXPECT_TRUE(list.IsModified());
}

TEST(OrvellItemsTest, TheListHoldsAtMost32767Items) {
  OrvellList list;
  QString contents;
  for (int i = 0; i < 32768; ++i) contents += QStringLiteral("x\r\n");
  list.setContents(contents);
  EXPECT_EQ(list.ListCount(), 32767);
  EXPECT_INVALID_PROPERTY(list.AddItem(QStringLiteral("one more")), "Too many items.");
  EXPECT_EQ(list.ListCount(), 32767);
}

}  // namespace

namespace {

TEST(OrvellItemsTest, AnIndexWaitingForItsItemIsNotMovedByInsertOrRemove) {
  orvell::OrvellList list;
  list.setContents(QStringLiteral("a\r\nb\r\nc"));
  list.setListIndex(1);
  list.Clear();
  list.AddItem(QStringLiteral("x"));
  EXPECT_EQ(list.ListIndex(), 1);
  list.AddItem(QStringLiteral("first"), 0);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Value(), QStringLiteral("x"));
  // Now it names an item, and moves with it.
  list.AddItem(QStringLiteral("top"), 0);
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.Value(), QStringLiteral("x"));
  list.setContents(QStringLiteral("only"));
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 2);
}

}  // namespace
