// Property checks and their messages, initial values, ThreeD switching.
#include <gtest/gtest.h>

#include <QtCore/QMetaProperty>
#include <QtCore/QVariant>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_colors.h"
#include "orvell/orvell_list.h"

namespace {

using orvell::OrvellList;

TEST(OrvellPropertiesTest, NewControlHasTheInitialValues) {
  OrvellList list;
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Caption(), QStringLiteral("OrvellList 1"));
  EXPECT_EQ(list.Alignment(), 0);
  EXPECT_EQ(list.ItemAlignment(), 0);
  EXPECT_EQ(list.BorderStyle(), 1);
  EXPECT_EQ(list.BorderEffect(), 4);
  EXPECT_TRUE(list.ThreeD());
  EXPECT_EQ(list.ShadowColor(), 0u);
  EXPECT_EQ(list.ItemForeColor(), 0x80000012u);
  EXPECT_EQ(list.BackColor(), 0x8000000Fu);
  EXPECT_EQ(list.ForeColor(), 0x80000012u);
  EXPECT_EQ(list.LeftMargin(), 16);
  EXPECT_EQ(list.TopMargin(), 20);
  EXPECT_EQ(list.Spacing(), 16);
  EXPECT_EQ(list.ItemGap(), 4);
  EXPECT_EQ(list.Font().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(list.Font().pointSizeF(), 8.0);
  EXPECT_EQ(list.ItemFont().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(list.ItemFont().pointSizeF(), 8.0);
  EXPECT_EQ(list.ToolTip(), QString());
  EXPECT_EQ(list.MousePointer(), 0);
  EXPECT_TRUE(list.MouseIcon().isNull());
  EXPECT_TRUE(list.Enabled());
  EXPECT_EQ(list.Contents(), QString());
  EXPECT_EQ(list.Value(), QString());
  EXPECT_FALSE(list.IsModified());
}

TEST(OrvellPropertiesTest, RangeChecksRefuseWithTheirMessagesAndKeepTheValue) {
  OrvellList list;
  EXPECT_INVALID_PROPERTY(list.setBorderStyle(2), "Border style out of range.");
  EXPECT_INVALID_PROPERTY(list.setBorderStyle(-1), "Border style out of range.");
  EXPECT_EQ(list.BorderStyle(), 1);
  EXPECT_INVALID_PROPERTY(list.setBorderEffect(5), "Border effect out of range.");
  EXPECT_INVALID_PROPERTY(list.setBorderEffect(-1), "Border effect out of range.");
  EXPECT_EQ(list.BorderEffect(), 4);
  EXPECT_INVALID_PROPERTY(list.setAlignment(3), "Alignment out of range.");
  EXPECT_INVALID_PROPERTY(list.setAlignment(-1), "Alignment out of range.");
  EXPECT_EQ(list.Alignment(), 0);
  EXPECT_INVALID_PROPERTY(list.setItemAlignment(2), "Item alignment out of range.");
  EXPECT_EQ(list.ItemAlignment(), 0);
  EXPECT_INVALID_PROPERTY(list.setItemGap(-1), "Item gap out of range.");
  EXPECT_EQ(list.ItemGap(), 4);
  EXPECT_INVALID_PROPERTY(list.setSpacing(0), "Spacing out of range.");
  EXPECT_EQ(list.Spacing(), 16);
  EXPECT_INVALID_PROPERTY(list.setThreeD(2), "3D must be either 0 or 1");
  EXPECT_INVALID_PROPERTY(list.setThreeD(-2), "3D must be either 0 or 1");
  EXPECT_TRUE(list.ThreeD());
  EXPECT_EQ(list.BorderEffect(), 4);
  const char* pointer_message =
      "The MousePointer property must be a number from 0 to 13 (see Help File for details).";
  EXPECT_INVALID_PROPERTY(list.setMousePointer(16), pointer_message);
  EXPECT_INVALID_PROPERTY(list.setMousePointer(-1), pointer_message);
  EXPECT_INVALID_PROPERTY(list.setMousePointer(98), pointer_message);
  EXPECT_EQ(list.MousePointer(), 0);
  EXPECT_FALSE(list.IsModified());
}

TEST(OrvellPropertiesTest, RangeLimitsAreAccepted) {
  OrvellList list;
  list.setBorderStyle(0);
  EXPECT_EQ(list.BorderStyle(), 0);
  for (int effect : {0, 1, 2, 3, 4}) {
    list.setBorderEffect(effect);
    EXPECT_EQ(list.BorderEffect(), effect);
  }
  list.setAlignment(2);
  EXPECT_EQ(list.Alignment(), 2);
  list.setItemAlignment(1);
  EXPECT_EQ(list.ItemAlignment(), 1);
  list.setItemGap(0);
  EXPECT_EQ(list.ItemGap(), 0);
  // Only zero is refused: a negative spacing stacks rows upwards.
  list.setSpacing(-16);
  EXPECT_EQ(list.Spacing(), -16);
  list.setSpacing(1);
  EXPECT_EQ(list.Spacing(), 1);
  for (int pointer : {0, 13, 14, 15, 99}) {
    list.setMousePointer(pointer);
    EXPECT_EQ(list.MousePointer(), pointer);
  }
  list.setThreeD(0);
  EXPECT_FALSE(list.ThreeD());
  list.setThreeD(-1);
  EXPECT_TRUE(list.ThreeD());
  list.setThreeD(0);
  list.setThreeD(1);
  EXPECT_TRUE(list.ThreeD());
  // Margins take any value.
  list.setLeftMargin(-5);
  list.setTopMargin(100000);
  EXPECT_EQ(list.LeftMargin(), -5);
  EXPECT_EQ(list.TopMargin(), 100000);
  EXPECT_TRUE(list.IsModified());
}

TEST(OrvellPropertiesTest, IndexedPropertiesCheckTheIndex) {
  OrvellList list;
  list.setContents(QStringLiteral("0;A\r\n1;B"));
  for (int bad : {-1, 2, 100}) {
    EXPECT_INVALID_PROPERTY(list.List(bad), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.setList(bad, QStringLiteral("x")), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.ItemCaption(bad), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.setItemCaption(bad, QStringLiteral("x")), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.ItemValue(bad), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.setItemValue(bad, QStringLiteral("x")), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.ItemEnabled(bad), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.setItemEnabled(bad, false), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.setItemEnabled(bad, 0), "Invalid index.");
    EXPECT_INVALID_PROPERTY(list.RemoveItem(bad), "Invalid index.");
  }
  EXPECT_EQ(list.Contents(), QStringLiteral("0;A\r\n1;B"));
}

TEST(OrvellPropertiesTest, ItemEnabledTakesZeroOneOrMinusOne) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb"));
  list.setItemEnabled(1, 0);
  EXPECT_FALSE(list.ItemEnabled(1));
  list.setItemEnabled(1, -1);
  EXPECT_TRUE(list.ItemEnabled(1));
  list.setItemEnabled(1, 0);
  list.setItemEnabled(1, 1);
  EXPECT_TRUE(list.ItemEnabled(1));
  list.setItemEnabled(1, false);
  // Another value: the same error, without a message text; the flag stays.
  EXPECT_INVALID_PROPERTY(list.setItemEnabled(1, 2), "");
  EXPECT_INVALID_PROPERTY(list.setItemEnabled(1, -2), "");
  EXPECT_FALSE(list.ItemEnabled(1));
  EXPECT_TRUE(list.ItemEnabled(0));
}

TEST(OrvellPropertiesTest, SelectedAcceptsOnlyExistingItemsListIndexAlsoOnesToCome) {
  OrvellList list;
  list.setContents(QStringLiteral("0;A\r\n1;B\r\n2;C"));
  list.setListIndex(2);
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_INVALID_PROPERTY(list.setSelected(3), "Invalid index.");
  EXPECT_INVALID_PROPERTY(list.setSelected(-2), "Invalid index.");
  EXPECT_INVALID_PROPERTY(list.setListIndex(-2), "Invalid index.");
  EXPECT_INVALID_PROPERTY(list.setListIndex(32767), "Invalid index.");
  EXPECT_EQ(list.ListIndex(), 2);
  list.setSelected(-1);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Selected(), -1);
  list.setSelected(1);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Selected(), 1);
  // An index beyond the items waits for its item: nothing selected meanwhile.
  list.setListIndex(4);
  EXPECT_EQ(list.ListIndex(), 4);
  EXPECT_INVALID_PROPERTY(list.Value(), "Invalid index.");
  list.AddItem(QStringLiteral("3;D"));
  list.AddItem(QStringLiteral("4;E"));
  EXPECT_EQ(list.Value(), QStringLiteral("4"));
  list.setListIndex(32766);
  EXPECT_EQ(list.ListIndex(), 32766);
}

TEST(OrvellPropertiesTest, AFormLoaderMaySetListIndexBeforeContents) {
  OrvellList list;
  EXPECT_TRUE(list.setProperty("ListIndex", 1));
  EXPECT_TRUE(list.setProperty("Contents", QStringLiteral("0;Stepped\r\n1;Straight")));
  EXPECT_EQ(list.Value(), QStringLiteral("1"));
}

TEST(OrvellPropertiesTest, ThreeDOffMapsButtonColoursToWindowColoursAndFlattensTheFrame) {
  OrvellList list;
  list.setThreeD(false);
  EXPECT_FALSE(list.ThreeD());
  EXPECT_EQ(list.BackColor(), orvell::kWindowBackground);
  EXPECT_EQ(list.ForeColor(), orvell::kWindowText);
  EXPECT_EQ(list.ItemForeColor(), orvell::kWindowText);
  EXPECT_EQ(list.BorderEffect(), 0);
  list.setThreeD(true);
  EXPECT_EQ(list.BackColor(), orvell::kButtonFace);
  EXPECT_EQ(list.ForeColor(), orvell::kButtonText);
  EXPECT_EQ(list.ItemForeColor(), orvell::kButtonText);
  EXPECT_EQ(list.BorderEffect(), 4);
}

TEST(OrvellPropertiesTest, ThreeDSwitchingLeavesOtherColoursAndRepeatsNothing) {
  OrvellList list;
  list.setBackColor(0x00FFFF);  // yellow
  list.setForeColor(orvell::kWindowText);
  list.setItemForeColor(0x0000FF);
  list.setBorderEffect(2);
  // Already on: nothing changes.
  list.setThreeD(true);
  EXPECT_EQ(list.BorderEffect(), 2);
  EXPECT_EQ(list.ForeColor(), orvell::kWindowText);
  list.setThreeD(false);
  EXPECT_EQ(list.BackColor(), 0x00FFFFu);
  EXPECT_EQ(list.ForeColor(), orvell::kWindowText);
  EXPECT_EQ(list.ItemForeColor(), 0x0000FFu);
  EXPECT_EQ(list.BorderEffect(), 0);
  list.setBorderEffect(3);
  list.setThreeD(false);
  EXPECT_EQ(list.BorderEffect(), 3);
  list.setThreeD(true);
  EXPECT_EQ(list.BackColor(), 0x00FFFFu);
  EXPECT_EQ(list.ForeColor(), orvell::kButtonText);
  EXPECT_EQ(list.BorderEffect(), 4);
}

TEST(OrvellPropertiesTest, PropertiesAreReachableByName) {
  OrvellList list;
  EXPECT_TRUE(list.setProperty("Contents", QStringLiteral("0;Stepped\r\n1;Straight")));
  EXPECT_TRUE(list.setProperty("ListIndex", 1));
  EXPECT_EQ(list.property("ListCount").toInt(), 2);
  EXPECT_EQ(list.property("Value").toString(), QStringLiteral("1"));
  EXPECT_EQ(list.property("Caption").toString(), QStringLiteral("OrvellList 1"));
  EXPECT_EQ(list.property("BackColor").toUInt(), 0x8000000Fu);
  EXPECT_FALSE(list.setProperty("ListCount", 5));
  EXPECT_EQ(list.ListCount(), 2);
  // The names of the table, in order, are all there.
  for (const char* name :
       {"Contents",   "ListCount",   "ListIndex",     "Selected",    "Value",
        "Caption",    "Alignment",   "ItemAlignment", "BorderStyle", "BorderEffect",
        "ThreeD",     "ShadowColor", "ItemForeColor", "BackColor",   "ForeColor",
        "LeftMargin", "TopMargin",   "Spacing",       "ItemGap",     "Font",
        "ItemFont",   "ToolTip",     "MousePointer",  "MouseIcon",   "Enabled"}) {
    EXPECT_GE(list.metaObject()->indexOfProperty(name), 0) << name;
  }
}

// Through the property system a refused value keeps the old one and is logged, never raised;
// the setters called from code still raise.
TEST(OrvellPropertiesTest, ThePropertySystemLogsARefusedValueAndKeepsTheOldOne) {
  OrvellList list;
  list.setObjectName(QStringLiteral("optType"));
  list.setContents(QStringLiteral("a\r\nb"));
  list.ClearModified();
  struct Write {
    const char* property;
    QVariant value;
    const char* warning;
  };
  const Write writes[] = {
      {"Spacing", 0, "Spacing cannot be 0 (Spacing out of range.); it keeps 16."},
      {"ItemGap", -1, "ItemGap cannot be -1 (Item gap out of range.); it keeps 4."},
      {"Alignment", 3, "Alignment cannot be 3 (Alignment out of range.); it keeps 0."},
      {"ItemAlignment", 2, "ItemAlignment cannot be 2 (Item alignment out of range.); it keeps 0."},
      {"BorderStyle", 2, "BorderStyle cannot be 2 (Border style out of range.); it keeps 1."},
      {"BorderEffect", 5, "BorderEffect cannot be 5 (Border effect out of range.); it keeps 4."},
      {"MousePointer", 16,
       "MousePointer cannot be 16 (The MousePointer property must be a number from 0 to 13 (see "
       "Help File for details).); it keeps 0."},
      {"ListIndex", -2, "ListIndex cannot be -2 (Invalid index.); it keeps -1."},
      {"Selected", 2, "Selected cannot be 2 (Invalid index.); it keeps -1."},
  };
  for (const Write& w : writes) {
    orvell_test::WarningLog log;
    EXPECT_NO_THROW(EXPECT_TRUE(list.setProperty(w.property, w.value))) << w.property;
    EXPECT_EQ(log.warnings(),
              QStringList(QStringLiteral("OrvellList optType: ") + QString::fromUtf8(w.warning)));
  }
  EXPECT_EQ(list.Spacing(), 16);
  EXPECT_EQ(list.BorderEffect(), 4);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_FALSE(list.IsModified());

  // An accepted value is set without a word.
  {
    orvell_test::WarningLog log;
    EXPECT_TRUE(list.setProperty("Spacing", 18));
    EXPECT_TRUE(log.warnings().isEmpty());
  }
  EXPECT_EQ(list.Spacing(), 18);

  // Value read while ListIndex waits for its item: empty through the property system, the
  // getter's error from code.
  list.setListIndex(5);
  EXPECT_NO_THROW(EXPECT_EQ(list.property("Value").toString(), QString()));
  EXPECT_INVALID_PROPERTY(list.Value(), "Invalid index.");

  EXPECT_INVALID_PROPERTY(list.setSpacing(0), "Spacing out of range.");
  EXPECT_INVALID_PROPERTY(list.setListIndex(-2), "Invalid index.");
  EXPECT_EQ(list.Spacing(), 18);
}

// Designer saves a property without a standard setter (setName) with stdset="0", and uic sets
// such a property through setProperty(): the properties that refuse values are among them.
TEST(OrvellPropertiesTest, PropertiesThatRefuseValuesHaveNoStandardSetter) {
  const QMetaObject& meta = OrvellList::staticMetaObject;
  for (const char* name : {"ListIndex", "Selected", "Alignment", "ItemAlignment", "BorderStyle",
                           "BorderEffect", "Spacing", "ItemGap", "MousePointer"}) {
    EXPECT_FALSE(meta.property(meta.indexOfProperty(name)).hasStdCppSet()) << name;
  }
  for (const char* name : {"Contents", "Caption", "ThreeD", "LeftMargin", "TopMargin", "ToolTip"}) {
    EXPECT_TRUE(meta.property(meta.indexOfProperty(name)).hasStdCppSet()) << name;
  }
}

TEST(OrvellColorsTest, SystemColoursResolveThroughThePalette) {
  QPalette palette;
  palette.setColor(QPalette::Button, QColor(1, 2, 3));
  palette.setColor(QPalette::ButtonText, QColor(4, 5, 6));
  palette.setColor(QPalette::Base, QColor(7, 8, 9));
  palette.setColor(QPalette::Text, QColor(10, 11, 12));
  EXPECT_EQ(orvell::ResolveColor(0x8000000F, palette), QColor(1, 2, 3));
  EXPECT_EQ(orvell::ResolveColor(0x80000012, palette), QColor(4, 5, 6));
  EXPECT_EQ(orvell::ResolveColor(0x80000005, palette), QColor(7, 8, 9));
  EXPECT_EQ(orvell::ResolveColor(0x80000008, palette), QColor(10, 11, 12));
  // Other values are 0x00BBGGRR.
  EXPECT_EQ(orvell::ResolveColor(0x000000FF, palette), QColor(255, 0, 0));
  EXPECT_EQ(orvell::ResolveColor(0x00FF0000, palette), QColor(0, 0, 255));
  EXPECT_EQ(orvell::ResolveColor(0x00808080, palette), QColor(128, 128, 128));
  EXPECT_EQ(orvell::ColorValueFromRgb(QColor(0x12, 0x34, 0x56)), 0x00563412u);
}

TEST(OrvellColorsTest, ColourTextsReadBothWays) {
  orvell::ColorValue v = 0;
  EXPECT_TRUE(orvell::ParseColorValue(QStringLiteral("&H8000000F&"), &v));
  EXPECT_EQ(v, 0x8000000Fu);
  EXPECT_TRUE(orvell::ParseColorValue(QStringLiteral("0x80000012"), &v));
  EXPECT_EQ(v, 0x80000012u);
  EXPECT_TRUE(orvell::ParseColorValue(QStringLiteral("-2147483633"), &v));
  EXPECT_EQ(v, 0x8000000Fu);
  EXPECT_TRUE(orvell::ParseColorValue(QStringLiteral("2147483653"), &v));
  EXPECT_EQ(v, 0x80000005u);
  EXPECT_TRUE(orvell::ParseColorValue(QStringLiteral("#FF0000"), &v));
  EXPECT_EQ(v, 0x000000FFu);
  EXPECT_TRUE(orvell::ParseColorValue(QStringLiteral("button face"), &v));
  EXPECT_EQ(v, 0x8000000Fu);
  EXPECT_FALSE(orvell::ParseColorValue(QStringLiteral("4294967296"), &v));
  EXPECT_FALSE(orvell::ParseColorValue(QStringLiteral("red-ish"), &v));
  EXPECT_FALSE(orvell::ParseColorValue(QString(), &v));
  EXPECT_EQ(orvell::ColorValueName(0x8000000F), QStringLiteral("Button Face"));
  EXPECT_EQ(orvell::ColorValueName(0x000000FF), QStringLiteral("#FF0000"));
  EXPECT_EQ(orvell::ColorValueName(0x80000040), QStringLiteral("&H80000040&"));
}

}  // namespace

namespace {

TEST(OrvellPropertiesTest, MousePointerSetsTheCursorOverTheControl) {
  orvell::OrvellList list;
  EXPECT_EQ(list.cursor().shape(), Qt::ArrowCursor);
  list.setMousePointer(2);
  EXPECT_EQ(list.cursor().shape(), Qt::CrossCursor);
  list.setMousePointer(3);
  EXPECT_EQ(list.cursor().shape(), Qt::IBeamCursor);
  list.setMousePointer(11);
  EXPECT_EQ(list.cursor().shape(), Qt::WaitCursor);
  list.setMousePointer(15);
  EXPECT_EQ(list.cursor().shape(), Qt::SizeAllCursor);
  // 99 uses MouseIcon, and the default cursor while there is none.
  list.setMousePointer(99);
  EXPECT_EQ(list.cursor().shape(), Qt::ArrowCursor);
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::black);
  list.setMouseIcon(QPixmap::fromImage(icon));
  EXPECT_EQ(list.cursor().shape(), Qt::BitmapCursor);
  list.setMousePointer(0);
  EXPECT_EQ(list.cursor().shape(), Qt::ArrowCursor);
}

TEST(OrvellPropertiesTest, SizeHintHoldsEveryRowAndTheLongestText) {
  orvell::OrvellList list;
  list.setContents(QStringLiteral("0;Short\r\n1;A much longer caption here\r\n2;x"));
  const QSize hint = list.sizeHint();
  const int text = orvell_test::ItemTextWidth(list, QStringLiteral("A much longer caption here"));
  EXPECT_GE(hint.width(), 16 + 14 + 4 + text);
  EXPECT_GE(hint.height(), 20 + 2 * 16 + 13);
  list.setSpacing(30);
  EXPECT_GE(list.sizeHint().height(), 20 + 2 * 30 + 13);
}

TEST(OrvellPropertiesTest, RefreshRedrawsAtOnce) {
  orvell::OrvellList list;
  list.resize(100, 60);
  list.setContents(QStringLiteral("a"));
  list.Refresh();
  EXPECT_EQ(list.grab().toImage().convertToFormat(QImage::Format_RGB32),
            list.RenderToImage().convertToFormat(QImage::Format_RGB32));
}

}  // namespace
