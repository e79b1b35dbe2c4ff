// Keyboard, mouse, focus, mnemonics and the order of the signals.
#include <gtest/gtest.h>

#include <QtGui/QKeyEvent>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <limits>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_list.h"

namespace {

using orvell::OrvellList;
using orvell_test::ShownList;
using orvell_test::SignalLog;

// Default geometry: LeftMargin 16, TopMargin 20, Spacing 16, ItemGap 4; buttons 14 wide.
QPoint GlyphCentre(int row) { return QPoint(16 + 7, 20 + row * 16 + 6); }

// A point on an item's text, computed from the item font's metrics.
QPoint TextPoint(const OrvellList& list, int row, int dx_from_text_start) {
  const int text_height = orvell_test::ItemTextHeight(list);
  const int row_top = 20 + orvell::OrvellList::kGlyphHeight / 2 - text_height / 2;
  return QPoint(16 + 14 + 4 + dx_from_text_start, row_top + row * 16 + text_height / 2);
}

class OrvellKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shown_ = std::make_unique<ShownList>();
    list().setContents(QStringLiteral("0;Zero\r\n1;One\r\n2;Two"));
    list().setListIndex(0);
    list().setFocus();
    ASSERT_TRUE(list().hasFocus());
  }
  OrvellList& list() { return shown_->list(); }
  void Press(Qt::Key key) { QTest::keyClick(&list(), key); }

  std::unique_ptr<ShownList> shown_;
};

TEST_F(OrvellKeyboardTest, ArrowsWalkCyclicallyWithoutClick) {
  QSignalSpy clicks(&list(), &OrvellList::Click);
  QSignalSpy changes(&list(), &OrvellList::ListIndexChanged);
  Press(Qt::Key_Down);
  EXPECT_EQ(list().ListIndex(), 1);
  Press(Qt::Key_Right);
  EXPECT_EQ(list().ListIndex(), 2);
  Press(Qt::Key_Down);
  EXPECT_EQ(list().ListIndex(), 0);
  Press(Qt::Key_Up);
  EXPECT_EQ(list().ListIndex(), 2);
  Press(Qt::Key_Left);
  EXPECT_EQ(list().ListIndex(), 1);
  EXPECT_EQ(clicks.size(), 0);
  EXPECT_EQ(changes.size(), 5);
}

TEST_F(OrvellKeyboardTest, ADisabledItemReachedIsSkipped) {
  list().setItemEnabled(1, false);
  Press(Qt::Key_Down);
  EXPECT_EQ(list().ListIndex(), 2);
  Press(Qt::Key_Up);
  EXPECT_EQ(list().ListIndex(), 0);
}

TEST_F(OrvellKeyboardTest, OnlyOneDisabledItemIsSkipped) {
  list().setContents(QStringLiteral("a\r\nb\r\nc\r\nd"));
  list().setItemEnabled(1, false);
  list().setItemEnabled(2, false);
  Press(Qt::Key_Down);
  EXPECT_EQ(list().ListIndex(), 2);
}

TEST_F(OrvellKeyboardTest, FromNoSelectionNextIsTheFirstAndPreviousTheLast) {
  list().setListIndex(-1);
  Press(Qt::Key_Down);
  EXPECT_EQ(list().ListIndex(), 0);
  list().setListIndex(-1);
  Press(Qt::Key_Up);
  EXPECT_EQ(list().ListIndex(), 2);
}

TEST_F(OrvellKeyboardTest, AnEmptyListIgnoresArrowKeys) {
  list().Clear();
  list().setContents(QString());
  QSignalSpy changes(&list(), &OrvellList::ListIndexChanged);
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right}) Press(key);
  EXPECT_EQ(list().ListIndex(), 0);
  EXPECT_EQ(changes.size(), 0);
}

TEST_F(OrvellKeyboardTest, KeyEventsReportCodesShiftMaskAndCharacterInOrder) {
  SignalLog log(list());
  auto key = [this](Qt::Key code, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QCoreApplication::sendEvent(&list(), &press);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QCoreApplication::sendEvent(&list(), &release);
  };
  key(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  key(Qt::Key_Down, Qt::ShiftModifier, QString());
  key(Qt::Key_F2, Qt::ControlModifier | Qt::AltModifier, QString());
  key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  EXPECT_EQ(log.Joined(),
            "KeyDown(65,0) KeyPress(97) KeyUp(65,0) "
            "KeyDown(16777237,1) KeyUp(16777237,1) "
            "KeyDown(16777265,6) KeyUp(16777265,6) "
            "KeyDown(16777220,0) KeyPress(13) KeyUp(16777220,0)");
  EXPECT_EQ(list().ListIndex(), 1);
  // An automatic repeat brings KeyDown again but no KeyUp until the key is let go.
  log.Clear();
  QKeyEvent repeat_release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(&list(), &repeat_release);
  QKeyEvent repeat_press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(&list(), &repeat_press);
  EXPECT_EQ(log.Joined(), "KeyDown(16777237,0)");
  EXPECT_EQ(list().ListIndex(), 2);
}

TEST(OrvellFocusTest, GainingFocusWithNothingSelectedSelectsItemZeroThenReports) {
  ShownList shown;
  auto* other = new QLineEdit(&shown.window());
  other->show();
  other->setFocus();
  OrvellList& list = shown.list();
  list.setContents(QStringLiteral("0;Zero\r\n1;One"));
  SignalLog log(list);
  list.setFocus();
  EXPECT_EQ(list.ListIndex(), 0);
  other->setFocus();
  EXPECT_EQ(log.Joined(), "Click OVGotFocus OVLostFocus");
  // With a selection, focus selects nothing.
  log.Clear();
  list.setListIndex(1);
  list.setFocus();
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(log.Joined(), "Click OVGotFocus");
}

TEST(OrvellFocusTest, FocusSkipsADisabledFirstItemAndSelectsNothingInAnEmptyList) {
  ShownList shown;
  auto* other = new QLineEdit(&shown.window());
  other->show();
  other->setFocus();
  OrvellList& list = shown.list();
  SignalLog log(list);
  list.setFocus();
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(log.Joined(), "OVGotFocus");
  other->setFocus();
  list.setContents(QStringLiteral("a\r\nb"));
  list.setItemEnabled(0, false);
  log.Clear();
  list.setFocus();
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(log.Joined(), "Click OVGotFocus");
}

class OrvellMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shown_ = std::make_unique<ShownList>(180, 100);
    list().setContents(QStringLiteral("0;Zero\r\n1;One\r\n2;Two"));
    list().setListIndex(0);
    list().setFocus();
  }
  OrvellList& list() { return shown_->list(); }
  // The column drawn for an item's button: 1 when selected plus 2 when pressed. Read from the
  // rendered picture: the dot's pixel is black when selected, the inside light grey when pressed.
  bool DrawnPressed(int row) {
    const QImage image = list().RenderToImage();
    return image.pixelColor(16 + 1 + 3, 20 + row * 16 + 3) == QColor(0xC0, 0xC0, 0xC0);
  }

  std::unique_ptr<ShownList> shown_;
};

TEST_F(OrvellMouseTest, ClickingAButtonSelectsItsItemAndFiresClick) {
  SignalLog log(list());
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(2));
  EXPECT_EQ(list().ListIndex(), 2);
  EXPECT_EQ(log.Joined(), "Click");
  // The button zone is 14 wide and covers the whole row band.
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(16, 20 + 16 + 15));
  EXPECT_EQ(list().ListIndex(), 1);
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(16 + 13, 20));
  EXPECT_EQ(list().ListIndex(), 0);
}

TEST_F(OrvellMouseTest, ClickingTheTextOrTheGapSelectsButNotBeyondTheText) {
  const int width = orvell_test::ItemTextWidth(list(), QStringLiteral("Two"));
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, TextPoint(list(), 2, width - 1));
  EXPECT_EQ(list().ListIndex(), 2);
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, TextPoint(list(), 1, -3));
  EXPECT_EQ(list().ListIndex(), 1);
  QSignalSpy clicks(&list(), &OrvellList::Click);
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, TextPoint(list(), 2, width + 1));
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(16 - 1, 20 + 6));
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(16 + 7, 20 - 1));
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(16 + 7, 20 + 3 * 16));
  EXPECT_EQ(list().ListIndex(), 1);
  EXPECT_EQ(clicks.size(), 0);
}

TEST_F(OrvellMouseTest, PressMoveOffAndOnReleaseSelectsThePressedItem) {
  SignalLog log(list());
  QTest::mousePress(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(1));
  EXPECT_TRUE(DrawnPressed(1));
  QTest::mouseMove(&list(), QPoint(150, 90));
  EXPECT_FALSE(DrawnPressed(1));
  QTest::mouseMove(&list(), GlyphCentre(1) + QPoint(2, 0));
  EXPECT_TRUE(DrawnPressed(1));
  EXPECT_EQ(list().ListIndex(), 0);
  QTest::mouseRelease(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(1) + QPoint(2, 0));
  EXPECT_FALSE(DrawnPressed(1));
  EXPECT_EQ(list().ListIndex(), 1);
  EXPECT_EQ(log.Joined(), "Click");
}

TEST_F(OrvellMouseTest, ReleasingElsewhereSelectsNothingNew) {
  QSignalSpy clicks(&list(), &OrvellList::Click);
  QTest::mousePress(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(1));
  QTest::mouseRelease(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 90));
  EXPECT_EQ(list().ListIndex(), 0);
  // Nor over another item.
  QTest::mousePress(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(1));
  QTest::mouseMove(&list(), GlyphCentre(2));
  EXPECT_FALSE(DrawnPressed(1));
  EXPECT_FALSE(DrawnPressed(2));
  QTest::mouseRelease(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(2));
  EXPECT_EQ(list().ListIndex(), 0);
  EXPECT_EQ(clicks.size(), 0);
}

TEST_F(OrvellMouseTest, DisabledItemsAndOtherButtonsCannotPress) {
  list().setItemEnabled(2, false);
  QSignalSpy clicks(&list(), &OrvellList::Click);
  QTest::mousePress(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(2));
  EXPECT_FALSE(DrawnPressed(2));
  QTest::mouseRelease(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(2));
  QTest::mouseClick(&list(), Qt::RightButton, Qt::NoModifier, GlyphCentre(1));
  QTest::mouseClick(&list(), Qt::MiddleButton, Qt::NoModifier, GlyphCentre(1));
  EXPECT_EQ(list().ListIndex(), 0);
  EXPECT_EQ(clicks.size(), 0);
}

TEST_F(OrvellMouseTest, ButtonsOnTheRightAreHitOnTheRight) {
  list().setItemAlignment(1);
  const int glyph_left = 180 - 16 - 14;
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(glyph_left + 1, 20 + 16 + 6));
  EXPECT_EQ(list().ListIndex(), 1);
  // The text ends ItemGap before the button.
  const int width = orvell_test::ItemTextWidth(list(), QStringLiteral("Two"));
  const QPoint on_text(glyph_left - 4 - width + 1, TextPoint(list(), 2, 0).y());
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, on_text);
  EXPECT_EQ(list().ListIndex(), 2);
  // The left-hand place of the buttons is empty now.
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(0));
  EXPECT_EQ(list().ListIndex(), 2);
}

TEST_F(OrvellMouseTest, MarginsAndSpacingMoveTheRows) {
  list().setLeftMargin(40);
  list().setTopMargin(30);
  list().setSpacing(20);
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 30 + 2 * 20));
  EXPECT_EQ(list().ListIndex(), 2);
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(40 + 13, 30 + 20 + 19));
  EXPECT_EQ(list().ListIndex(), 1);
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(39, 30 + 20));
  EXPECT_EQ(list().ListIndex(), 1);
}

TEST_F(OrvellMouseTest, DoubleClickFiresClickThenDblClick) {
  list().setListIndex(-1);
  SignalLog log(list());
  // The events of a real double click: press, release, double-click press, release.
  QTest::mouseClick(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(1));
  QTest::mouseDClick(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(1));
  QTest::mouseRelease(&list(), Qt::LeftButton, Qt::NoModifier, GlyphCentre(1));
  EXPECT_EQ(list().ListIndex(), 1);
  EXPECT_EQ(log.Joined(), "Click DblClick");
}

TEST(OrvellMouseFocusTest, AClickIntoAnUnfocusedEmptySelectionSelectsItemZeroFirst) {
  ShownList shown;
  auto* other = new QLineEdit(&shown.window());
  other->show();
  other->setFocus();
  OrvellList& list = shown.list();
  list.setContents(QStringLiteral("a\r\nb\r\nc"));
  SignalLog log(list);
  QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, GlyphCentre(2));
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(log.Joined(), "Click OVGotFocus Click");
}

class OrvellMnemonicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shown_ = std::make_unique<ShownList>();
    other_ = new QLineEdit(&shown_->window());
    other_->show();
    other_->setFocus();
    list().setCaption(QStringLiteral("&Labyrinth"));
    list().setContents(QStringLiteral("0;&Stepped\r\n1;S&traight\r\n2;Rock && roll\r\n3;&Blocked"));
    list().setItemEnabled(3, false);
  }
  OrvellList& list() { return shown_->list(); }
  void Alt(Qt::Key key) { QTest::keyClick(&shown_->window(), key, Qt::AltModifier); }

  std::unique_ptr<ShownList> shown_;
  QLineEdit* other_ = nullptr;
};

TEST_F(OrvellMnemonicTest, AltLetterSelectsTheItemFiresClickAndTakesTheFocus) {
  SignalLog log(list());
  Alt(Qt::Key_T);
  EXPECT_EQ(list().ListIndex(), 1);
  EXPECT_TRUE(list().hasFocus());
  EXPECT_EQ(log.Joined(), "Click OVGotFocus");
  log.Clear();
  Alt(Qt::Key_S);
  EXPECT_EQ(list().ListIndex(), 0);
  EXPECT_EQ(log.Joined(), "Click");
}

TEST_F(OrvellMnemonicTest, TheCaptionsMnemonicSelectsNothing) {
  list().setListIndex(1);
  list().setFocus();
  SignalLog log(list());
  Alt(Qt::Key_L);
  EXPECT_EQ(list().ListIndex(), -1);
  EXPECT_EQ(log.Joined(), "Click");
  // From outside too: the focus it takes does not select item 0 over the user's choice.
  list().setListIndex(2);
  other_->setFocus();
  log.Clear();
  Alt(Qt::Key_L);
  EXPECT_EQ(log.Joined(), "Click OVGotFocus");
  EXPECT_EQ(list().ListIndex(), -1);
  EXPECT_TRUE(list().hasFocus());
  // Focus gained any other way with nothing selected still selects item 0.
  other_->setFocus();
  log.Clear();
  list().setFocus(Qt::TabFocusReason);
  EXPECT_EQ(log.Joined(), "Click OVGotFocus");
  EXPECT_EQ(list().ListIndex(), 0);
}

TEST_F(OrvellMnemonicTest, DoubledAmpersandsAndDisabledItemsGiveNoMnemonic) {
  QSignalSpy clicks(&list(), &OrvellList::Click);
  Alt(Qt::Key_R);  // "Rock && roll"
  Alt(Qt::Key_B);  // disabled
  EXPECT_EQ(clicks.size(), 0);
  EXPECT_EQ(list().ListIndex(), -1);
  EXPECT_TRUE(other_->hasFocus());
}

TEST_F(OrvellMnemonicTest, MnemonicsFollowChangesOfCaptionAndItems) {
  list().setItemCaption(0, QStringLiteral("&Plain"));
  list().setCaption(QStringLiteral("Type"));
  Alt(Qt::Key_S);
  EXPECT_EQ(list().ListIndex(), -1);
  Alt(Qt::Key_P);
  EXPECT_EQ(list().ListIndex(), 0);
  list().AddItem(QStringLiteral("4;&New"), 0);
  Alt(Qt::Key_N);
  EXPECT_EQ(list().ListIndex(), 0);
  Alt(Qt::Key_T);
  EXPECT_EQ(list().ListIndex(), 2);
}

TEST(OrvellMnemonicLimitTest, AtMost64MnemonicsCount) {
  ShownList shown;
  OrvellList& list = shown.list();
  list.setCaption(QStringLiteral("Many"));
  // 66 items with distinct keys: A-Z, 0-9, then Latin-1 capitals from U+00C0 (without U+00D7).
  std::vector<int> keys;
  for (int c = 'A'; c <= 'Z'; ++c) keys.push_back(c);
  for (int c = '0'; c <= '9'; ++c) keys.push_back(c);
  for (int c = 0xC0; keys.size() < 66; ++c) {
    if (c != 0xD7) keys.push_back(c);
  }
  QString contents;
  for (int key : keys) contents += QLatin1Char('&') + QChar(key) + QStringLiteral("\r\n");
  list.setContents(contents);
  QTest::keyClick(&shown.window(), static_cast<Qt::Key>(keys[63]), Qt::AltModifier);
  EXPECT_EQ(list.ListIndex(), 63);
  QTest::keyClick(&shown.window(), static_cast<Qt::Key>(keys[64]), Qt::AltModifier);
  EXPECT_EQ(list.ListIndex(), 63);
}

TEST(OrvellDisabledTest, ADisabledControlTakesNoMouseKeysOrMnemonics) {
  ShownList shown;
  OrvellList& list = shown.list();
  list.setContents(QStringLiteral("&a\r\n&b"));
  list.setListIndex(0);
  list.setEnabled(false);
  EXPECT_FALSE(list.Enabled());
  QSignalSpy clicks(&list, &OrvellList::Click);
  QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, GlyphCentre(1));
  QTest::keyClick(&shown.window(), Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(list.ListIndex(), 0);
  EXPECT_EQ(clicks.size(), 0);
}

}  // namespace

namespace {

// Rows stacked upwards by a negative Spacing are hit on their own buttons.
TEST(OrvellGeometryTest, ANegativeSpacingHitsEachRowOnItsButton) {
  ShownList shown(160, 140);
  OrvellList& list = shown.list();
  list.setContents(QStringLiteral("0;Zero\r\n1;One\r\n2;Two"));
  list.setTopMargin(100);
  list.setSpacing(-16);
  for (int row = 0; row < 3; ++row) {
    const QPoint centre(16 + 7, 100 - 16 * row + 6);
    QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(list.ListIndex(), row) << "row " << row;
  }
}

TEST(OrvellGeometryTest, ExtremeMarginsGiveASizeHintWithoutOverflow) {
  ShownList shown;
  shown.list().setLeftMargin(std::numeric_limits<int>::min());
  shown.list().setTopMargin(std::numeric_limits<int>::min());
  const QSize hint = shown.list().sizeHint();
  EXPECT_EQ(hint, QSize(4096, 4096));
}

TEST(OrvellFocusTest, AnIndexWaitingForItsItemSurvivesTheFocus) {
  ShownList shown;
  OrvellList& list = shown.list();
  list.setContents(QStringLiteral("a\r\nb"));
  list.setListIndex(5);
  QSignalSpy clicks(&list, &OrvellList::Click);
  list.setFocus();
  ASSERT_TRUE(list.hasFocus());
  EXPECT_EQ(list.ListIndex(), 5);
  EXPECT_EQ(clicks.size(), 0);
  for (const char* item : {"c", "d", "e", "f"}) list.AddItem(QString::fromLatin1(item));
  EXPECT_EQ(list.ListIndex(), 5);
  EXPECT_EQ(list.Value(), "f");
}

}  // namespace
