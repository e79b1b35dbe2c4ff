// Drawing: pixels of the grabbed widget that prove the glyph column, the frame effects, the
// caption box, the item colours and the focus rectangle.
#include <gtest/gtest.h>

#include <QtGui/QFontMetrics>
#include <QtWidgets/QApplication>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_colors.h"
#include "orvell/orvell_list.h"

namespace {

using orvell::OrvellList;

constexpr int kWidth = 120;
constexpr int kHeight = 84;
const QColor kFace(0xC0, 0xC0, 0xC0);
const QColor kLight(0xFF, 0xFF, 0xFF);
const QColor kDark(0x80, 0x80, 0x80);
const QColor kBlack(0, 0, 0);

class OrvellRenderingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QPalette palette;
    palette.setColor(QPalette::Button, kFace);
    palette.setColor(QPalette::ButtonText, kBlack);
    palette.setColor(QPalette::Light, kLight);
    palette.setColor(QPalette::Dark, kDark);
    palette.setColor(QPalette::Shadow, kBlack);
    palette.setColor(QPalette::Text, kBlack);
    palette.setColor(QPalette::Base, kLight);
    list_.setPalette(palette);
    // Without antialiasing every text pixel has exactly the text colour.
    QFont font = list_.Font();
    font.setStyleStrategy(QFont::NoAntialias);
    list_.setFont(font);
    QFont item_font = list_.ItemFont();
    item_font.setStyleStrategy(QFont::NoAntialias);
    list_.setItemFont(item_font);
    list_.resize(kWidth, kHeight);
    list_.setCaption(QStringLiteral("Cap"));
    list_.setContents(QStringLiteral("0;Aa\r\n1;Bb\r\n2;Cc"));
    list_.setListIndex(1);
  }

  QImage Grab() { return list_.grab().toImage(); }
  int FrameTop() const { return QFontMetrics(list_.Font(), &list_).height() / 2; }
  // A pixel of the option button of a row, at (x, y) of its 12 x 12 picture.
  static QPoint ButtonPixel(int row, int x, int y, int glyph_left = 16) {
    return QPoint(glyph_left + 1 + x, 20 + row * 16 + y);
  }
  // True when some pixel of the rectangle has exactly this colour.
  static bool Contains(const QImage& image, const QRect& r, const QColor& c) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) {
        if (image.pixelColor(x, y) == c) return true;
      }
    }
    return false;
  }
  QRect TextBox(int row, const QString& caption) const {
    const int h = orvell_test::ItemTextHeight(list_);
    const int w = orvell_test::ItemTextWidth(list_, caption);
    int top = 20 + row * 16 + (13 - h) / 2;
    if ((13 - h) % 2 != 0 && h > 13) --top;  // floor division
    return QRect(16 + 14 + 4, top, w, h);
  }

  OrvellList list_;
};

TEST_F(OrvellRenderingTest, TheSelectedItemUsesTheSelectedGlyphColumn) {
  const QImage image = Grab();
  ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
  // The dot: black in the selected row's button, white inside the others.
  EXPECT_EQ(image.pixelColor(ButtonPixel(1, 5, 5)), kBlack);
  EXPECT_EQ(image.pixelColor(ButtonPixel(1, 6, 6)), kBlack);
  EXPECT_EQ(image.pixelColor(ButtonPixel(0, 5, 5)), kLight);
  EXPECT_EQ(image.pixelColor(ButtonPixel(2, 6, 6)), kLight);
  // The 3-D rings: shadow grey outside and black inside at the top left, white outside at the
  // bottom right; the corners of the cell are transparent and show the background.
  EXPECT_EQ(image.pixelColor(ButtonPixel(0, 0, 5)), kDark);
  EXPECT_EQ(image.pixelColor(ButtonPixel(0, 1, 5)), kBlack);
  EXPECT_EQ(image.pixelColor(ButtonPixel(0, 11, 6)), kLight);
  EXPECT_EQ(image.pixelColor(ButtonPixel(0, 0, 0)), kFace);
  list_.setListIndex(2);
  const QImage moved = Grab();
  EXPECT_EQ(moved.pixelColor(ButtonPixel(1, 5, 5)), kLight);
  EXPECT_EQ(moved.pixelColor(ButtonPixel(2, 5, 5)), kBlack);
}

TEST_F(OrvellRenderingTest, TheInsetFrameIsAShadowRectangleOverAHighlightOneOffsetByOne) {
  const QImage image = Grab();
  const int top = FrameTop();
  const int mid = (top + kHeight) / 2;
  EXPECT_EQ(image.pixelColor(0, mid), kDark);
  EXPECT_EQ(image.pixelColor(1, mid), kLight);
  EXPECT_EQ(image.pixelColor(2, mid), kFace);
  EXPECT_EQ(image.pixelColor(kWidth - 2, mid), kDark);
  EXPECT_EQ(image.pixelColor(kWidth - 1, mid), kLight);
  EXPECT_EQ(image.pixelColor(60, kHeight - 2), kDark);
  EXPECT_EQ(image.pixelColor(60, kHeight - 1), kLight);
  EXPECT_EQ(image.pixelColor(kWidth - 10, top), kDark);
  EXPECT_EQ(image.pixelColor(kWidth - 10, top + 1), kLight);
  EXPECT_EQ(image.pixelColor(kWidth - 10, top - 1), kFace);
}

TEST_F(OrvellRenderingTest, RaisedLoweredPlainAndNoFrame) {
  const int mid = (FrameTop() + kHeight) / 2;
  list_.setBorderEffect(1);
  QImage image = Grab();
  EXPECT_EQ(image.pixelColor(0, mid), kLight);
  EXPECT_EQ(image.pixelColor(kWidth - 1, mid), kDark);
  EXPECT_EQ(image.pixelColor(kWidth - 10, FrameTop()), kLight);
  EXPECT_EQ(image.pixelColor(60, kHeight - 1), kDark);
  EXPECT_EQ(image.pixelColor(1, mid), kFace);

  list_.setBorderEffect(2);
  image = Grab();
  EXPECT_EQ(image.pixelColor(0, mid), kDark);
  EXPECT_EQ(image.pixelColor(kWidth - 1, mid), kLight);
  EXPECT_EQ(image.pixelColor(60, kHeight - 1), kLight);

  list_.setBorderEffect(0);
  image = Grab();
  EXPECT_EQ(image.pixelColor(0, mid), kBlack);
  EXPECT_EQ(image.pixelColor(kWidth - 1, mid), kBlack);
  EXPECT_EQ(image.pixelColor(60, kHeight - 1), kBlack);
  EXPECT_EQ(image.pixelColor(1, mid), kFace);

  list_.setBorderStyle(0);
  image = Grab();
  EXPECT_EQ(image.pixelColor(0, mid), kFace);
  EXPECT_EQ(image.pixelColor(60, kHeight - 1), kFace);
}

TEST_F(OrvellRenderingTest, TheDropShadowIsOffsetByTwoInTheShadowColour) {
  const QColor red(255, 0, 0);
  list_.setBorderEffect(3);
  list_.setShadowColor(0x0000FF);
  const QImage image = Grab();
  const int top = FrameTop();
  const int mid = (top + kHeight) / 2;
  EXPECT_EQ(image.pixelColor(0, mid), kBlack);
  EXPECT_EQ(image.pixelColor(kWidth - 3, mid), kBlack);
  EXPECT_EQ(image.pixelColor(kWidth - 2, mid), red);
  EXPECT_EQ(image.pixelColor(kWidth - 1, mid), red);
  EXPECT_EQ(image.pixelColor(60, kHeight - 3), kBlack);
  EXPECT_EQ(image.pixelColor(60, kHeight - 2), red);
  EXPECT_EQ(image.pixelColor(60, kHeight - 1), red);
  EXPECT_EQ(image.pixelColor(kWidth - 1, top + 1), kFace);
  EXPECT_EQ(image.pixelColor(kWidth - 1, top + 2), red);
  EXPECT_EQ(image.pixelColor(1, kHeight - 1), kFace);
  EXPECT_EQ(image.pixelColor(2, kHeight - 1), red);
}

TEST_F(OrvellRenderingTest, TheCaptionBoxBlanksTheFrameLineAndFollowsTheAlignment) {
  const QFontMetrics metrics(list_.Font(), &list_);
  const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
  const int box = metrics.horizontalAdvance(QStringLiteral(" Cap "));
  const int top = FrameTop();
  auto frame_line_at = [&](int x) { return Grab().pixelColor(x, top) == kDark; };
  // Left: the box starts half a blank from the left.
  EXPECT_FALSE(frame_line_at(blank / 2 + 1));
  EXPECT_FALSE(frame_line_at(blank / 2 + box - 1));
  EXPECT_TRUE(frame_line_at(blank / 2 + box + 1));
  EXPECT_TRUE(Contains(Grab(), QRect(blank / 2, 0, box, metrics.height()), kBlack));
  // Right: it ends half a blank from the right.
  list_.setAlignment(1);
  EXPECT_FALSE(frame_line_at(kWidth - blank / 2 - 2));
  EXPECT_TRUE(frame_line_at(kWidth - blank / 2 - box - 2));
  EXPECT_TRUE(frame_line_at(blank / 2 + 1));
  // Centre.
  list_.setAlignment(2);
  EXPECT_FALSE(frame_line_at(kWidth / 2));
  EXPECT_TRUE(frame_line_at((kWidth - box) / 2 - 2));
  EXPECT_TRUE(frame_line_at((kWidth + box) / 2 + 2));
  // No caption: the frame line runs through.
  list_.setCaption(QString());
  EXPECT_TRUE(frame_line_at(kWidth / 2));
  EXPECT_TRUE(frame_line_at(blank / 2 + 1));
}

TEST_F(OrvellRenderingTest, ItemTextsUseItemForeColorOrGreyWhenDisabled) {
  list_.setItemForeColor(0xFF0000);  // blue
  list_.setItemEnabled(2, false);
  const QImage image = Grab();
  const QColor blue(0, 0, 255);
  const QColor grey(0x80, 0x80, 0x80);
  EXPECT_TRUE(Contains(image, TextBox(0, QStringLiteral("Aa")), blue));
  EXPECT_FALSE(Contains(image, TextBox(0, QStringLiteral("Aa")), grey));
  EXPECT_TRUE(Contains(image, TextBox(2, QStringLiteral("Cc")), grey));
  EXPECT_FALSE(Contains(image, TextBox(2, QStringLiteral("Cc")), blue));
  // The caption is in ForeColor.
  EXPECT_TRUE(Contains(image, QRect(0, 0, kWidth, FrameTop() * 2), kBlack));
  // A disabled control greys every item and draws the caption light grey.
  list_.setBackColor(0xFFFFFF);
  list_.setEnabled(false);
  const QImage disabled = Grab();
  EXPECT_TRUE(Contains(disabled, TextBox(0, QStringLiteral("Aa")), grey));
  EXPECT_FALSE(Contains(disabled, TextBox(0, QStringLiteral("Aa")), blue));
  const QRect caption_area(0, 0, kWidth, FrameTop() * 2);
  EXPECT_TRUE(Contains(disabled, caption_area, QColor(0xC0, 0xC0, 0xC0)));
  EXPECT_FALSE(Contains(disabled, caption_area, kBlack));
}

TEST_F(OrvellRenderingTest, TheFocusRectangleSurroundsTheSelectedTextOnlyWhileFocused) {
  const QRect focus = TextBox(1, QStringLiteral("Bb")).adjusted(-2, -2, 2, 2);
  const QColor inverse(0x3F, 0x3F, 0x3F);
  EXPECT_EQ(Grab().pixelColor(focus.topLeft()), kFace);
  orvell_test::ShownList shown;
  OrvellList& list = shown.list();
  list.setPalette(list_.palette());
  list.setItemFont(list_.ItemFont());
  list.setContents(list_.Contents());
  list.setListIndex(1);
  list.setFocus();
  ASSERT_TRUE(list.hasFocus());
  const QImage image = list.grab().toImage();
  EXPECT_EQ(image.pixelColor(focus.topLeft()), inverse);
  EXPECT_EQ(image.pixelColor(focus.topLeft() + QPoint(1, 0)), kFace);
  EXPECT_EQ(image.pixelColor(focus.topLeft() + QPoint(2, 0)), inverse);
  EXPECT_EQ(image.pixelColor(focus.topLeft() + QPoint(0, 2)), inverse);
}

TEST_F(OrvellRenderingTest, FlatGlyphsAndWindowColoursWithThreeDOff) {
  list_.setThreeD(false);
  const QImage image = Grab();
  // Window background (Base, white) and a single black ring.
  EXPECT_EQ(image.pixelColor(60, 70), kLight);
  EXPECT_EQ(image.pixelColor(ButtonPixel(0, 0, 5)), kBlack);
  EXPECT_EQ(image.pixelColor(ButtonPixel(0, 11, 6)), kBlack);
  EXPECT_EQ(image.pixelColor(ButtonPixel(0, 1, 5)), kLight);
  EXPECT_EQ(image.pixelColor(ButtonPixel(1, 5, 5)), kBlack);
  // Plain frame in the window-frame colour.
  EXPECT_EQ(image.pixelColor(0, (FrameTop() + kHeight) / 2), kBlack);
}

TEST_F(OrvellRenderingTest, ButtonsOnTheRightWithTextBeforeThem) {
  list_.setItemAlignment(1);
  const QImage image = Grab();
  const int glyph_left = kWidth - 16 - 14;
  EXPECT_EQ(image.pixelColor(ButtonPixel(1, 5, 5, glyph_left)), kBlack);
  EXPECT_EQ(image.pixelColor(ButtonPixel(1, 5, 5)), kFace);
  const int w = orvell_test::ItemTextWidth(list_, QStringLiteral("Bb"));
  const QRect text = TextBox(1, QStringLiteral("Bb")).translated(glyph_left - 4 - w - 34, 0);
  EXPECT_TRUE(Contains(image, text, kBlack));
}

TEST_F(OrvellRenderingTest, WhatIsPaintedIsTheOffscreenBuffer) {
  EXPECT_EQ(Grab().convertToFormat(QImage::Format_RGB32),
            list_.RenderToImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(OrvellRenderingTest, AbsurdGeometryDrawsWithoutFailing) {
  list_.setTopMargin(2000000000);
  list_.setSpacing(2000000000);
  list_.setLeftMargin(-2000000000);
  list_.setItemGap(2000000000);
  const QImage image = Grab();
  EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
  list_.setTopMargin(-2000000000);
  list_.setSpacing(-7);
  EXPECT_EQ(Grab().size(), QSize(kWidth, kHeight));
}

}  // namespace
