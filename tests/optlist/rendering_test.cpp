// Drawing: pixels of the grabbed widget that prove the glyph column, the frame effects, the
// caption box, the item colours and the focus rectangle.
#include <gtest/gtest.h>

#include <QtGui/QFontMetrics>
#include <QtTest/QTest>
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

// At two device pixels per pixel (run with QT_SCALE_FACTOR=2: OrvellRenderingTest.AtScale2 in
// CTest) the buttons are drawn at the screen's resolution, not enlarged pixel by pixel.
class OrvellHiDpiRenderingTest : public OrvellRenderingTest {
 protected:
  void SetUp() override {
    if (qApp->devicePixelRatio() != 2) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    OrvellRenderingTest::SetUp();
  }
  // The device pixel at (x, y) device pixels from the centre of a row's button.
  static QColor AtCentre(const QImage& image, int row, int dx, int dy) {
    return image.pixelColor((16 + 1 + 6) * 2 + dx, (20 + row * 16 + 6) * 2 + dy);
  }
  static int Grey(const QColor& c) { return qGray(c.rgb()); }
};

TEST_F(OrvellHiDpiRenderingTest, ButtonsAreDrawnAtTheDeviceResolution) {
  const QImage image = list_.RenderToImage();
  ASSERT_EQ(image.devicePixelRatio(), 2.0);
  ASSERT_EQ(image.size(), QSize(2 * kWidth, 2 * kHeight));
  EXPECT_EQ(Grab().convertToFormat(QImage::Format_RGB32),
            image.convertToFormat(QImage::Format_RGB32));
  // A picture enlarged pixel by pixel is made of uniform 2 x 2 blocks; the drawn button's
  // curved edges are not.
  int uneven_blocks = 0;
  for (int y = 20 * 2; y < (20 + 13) * 2; y += 2) {
    for (int x = 16 * 2; x < (16 + 14) * 2; x += 2) {
      const QRgb p = image.pixel(x, y);
      if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p ||
          image.pixel(x + 1, y + 1) != p) {
        ++uneven_blocks;
      }
    }
  }
  EXPECT_GE(uneven_blocks, 16);
  // The dot fills the middle of the selected row's button; the others are white there.
  for (int d : {-1, 0}) {
    EXPECT_EQ(AtCentre(image, 1, d, d), kBlack);
    EXPECT_EQ(AtCentre(image, 0, d, d), kLight);
    EXPECT_EQ(AtCentre(image, 2, d, d), kLight);
  }
  // The 3-D rings, lit from the top left: on the left the outer ring is shadow grey and the
  // inner one black, on the right the outer ring is white and the inner one face grey.
  EXPECT_NEAR(Grey(AtCentre(image, 0, -12, 0)), 0x80, 0x18);
  EXPECT_LE(Grey(AtCentre(image, 0, -10, 0)), 0x20);
  EXPECT_GE(Grey(AtCentre(image, 0, 11, 0)), 0xF0);
  EXPECT_NEAR(Grey(AtCentre(image, 0, 9, 0)), 0xDF, 0x10);
}

TEST_F(OrvellHiDpiRenderingTest, PressedAndFlatButtonsAtTheDeviceResolution) {
  list_.show();
  QTest::mousePress(&list_, Qt::LeftButton, Qt::NoModifier, QPoint(16 + 1 + 6, 20 + 6));
  const QImage pressed = list_.RenderToImage();
  QTest::mouseRelease(&list_, Qt::LeftButton, Qt::NoModifier, QPoint(16 + 1 + 6, 20 + 6));
  EXPECT_EQ(AtCentre(pressed, 0, 4, 4), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(AtCentre(pressed, 2, 4, 4), kLight);
  list_.setThreeD(false);
  const QImage flat = list_.RenderToImage();
  // One black ring all round, white inside.
  EXPECT_LE(Grey(AtCentre(flat, 0, -11, 0)), 0x20);
  EXPECT_LE(Grey(AtCentre(flat, 0, 10, 0)), 0x20);
  EXPECT_EQ(AtCentre(flat, 0, -7, 0), kLight);
  EXPECT_EQ(AtCentre(flat, 0, 6, 0), kLight);
}

}  // namespace
