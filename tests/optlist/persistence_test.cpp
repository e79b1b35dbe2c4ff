// Persistence in the property bag: format 4.1 written and read back, the older form read and
// converted, and malformed bags that fall back to the initial values.
#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtTest/QSignalSpy>
#include <cmath>
#include <limits>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_colors.h"
#include "orvell/orvell_list.h"
#include "orvell/property_bag.h"

namespace {

using orvell::MemoryPropertyBag;
using orvell::OrvellList;

// Little-endian 16-bit values and Latin-1 strings, as the older Contents blob holds them.
QByteArray Le16(int v) {
  QByteArray b;
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>((v >> 8) & 0xFF));
  return b;
}
QByteArray Counted(const QByteArray& text) { return Le16(static_cast<int>(text.size())) + text; }

QByteArray PngOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

void ExpectInitialValues(const OrvellList& list) {
  EXPECT_EQ(list.MousePointer(), 0);
  EXPECT_TRUE(list.MouseIcon().isNull());
  EXPECT_EQ(list.BorderStyle(), 1);
  EXPECT_EQ(list.Contents(), QString());
  EXPECT_EQ(list.LeftMargin(), 16);
  EXPECT_EQ(list.TopMargin(), 20);
  EXPECT_EQ(list.Spacing(), 16);
  EXPECT_EQ(list.ItemGap(), 4);
  EXPECT_EQ(list.Caption(), QStringLiteral("OrvellList 1"));
  EXPECT_EQ(list.ShadowColor(), 0u);
  EXPECT_EQ(list.ItemForeColor(), orvell::kButtonText);
  EXPECT_TRUE(list.ThreeD());
  EXPECT_EQ(list.BorderEffect(), 4);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Alignment(), 0);
  EXPECT_EQ(list.ItemAlignment(), 0);
  EXPECT_EQ(list.ToolTip(), QString());
  EXPECT_EQ(list.ItemFont().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(list.ItemFont().pointSizeF(), 8.0);
  EXPECT_EQ(list.Font().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(list.Font().pointSizeF(), 8.0);
  EXPECT_EQ(list.BackColor(), orvell::kButtonFace);
  EXPECT_EQ(list.ForeColor(), orvell::kButtonText);
  EXPECT_TRUE(list.Enabled());
}

TEST(OrvellPersistenceTest, WritesFormat41WithItsNamesValuesAndTypes) {
  OrvellList list;
  MemoryPropertyBag bag;
  list.WriteProperties(bag);
  const QMap<QString, QVariant>& v = bag.values();
  EXPECT_EQ(v.size(), 23);
  EXPECT_EQ(v.value("_Version").toLongLong(), 0x00040001);
  EXPECT_EQ(v.value("MousePointer"), QVariant(0));
  EXPECT_EQ(v.value("MouseIcon"), QVariant(QByteArray()));
  EXPECT_EQ(v.value("BorderStyle"), QVariant(1));
  EXPECT_EQ(v.value("Contents"), QVariant(QString()));
  EXPECT_EQ(v.value("LeftMargin"), QVariant(16));
  EXPECT_EQ(v.value("TopMargin"), QVariant(20));
  EXPECT_EQ(v.value("Spacing"), QVariant(16));
  EXPECT_EQ(v.value("ItemGap"), QVariant(4));
  EXPECT_EQ(v.value("Caption"), QVariant(QStringLiteral("OrvellList 1")));
  EXPECT_EQ(v.value("ShadowColor"), QVariant(0u));
  EXPECT_EQ(v.value("ItemForeColor"), QVariant(0x80000012u));
  EXPECT_EQ(v.value("ThreeD"), QVariant(true));
  EXPECT_EQ(v.value("BorderEffect"), QVariant(4));
  EXPECT_EQ(v.value("ListIndex"), QVariant(-1));
  EXPECT_EQ(v.value("Alignment"), QVariant(0));
  EXPECT_EQ(v.value("ItemAlignment"), QVariant(0));
  EXPECT_EQ(v.value("ToolTip"), QVariant(QString()));
  EXPECT_EQ(v.value("ItemFont").value<QFont>().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(v.value("Font").value<QFont>().pointSizeF(), 8.0);
  EXPECT_EQ(v.value("BackColor"), QVariant(0x8000000Fu));
  EXPECT_EQ(v.value("ForeColor"), QVariant(0x80000012u));
  EXPECT_EQ(v.value("Enabled"), QVariant(true));
}

TEST(OrvellPersistenceTest, EveryPropertySurvivesARoundTrip) {
  OrvellList source;
  source.setContents(QStringLiteral("0;Stepped\r\n1;Straight\r\n2;Other"));
  source.setListIndex(2);
  source.setCaption(QStringLiteral("&Type"));
  source.setAlignment(2);
  source.setItemAlignment(1);
  source.setThreeD(false);
  source.setBorderStyle(0);
  source.setBorderEffect(3);
  source.setShadowColor(0x00123456);
  source.setItemForeColor(0x000000FF);
  source.setBackColor(orvell::kWindowBackground);
  source.setForeColor(0x00FF00FF);
  source.setLeftMargin(21);
  source.setTopMargin(-3);
  source.setSpacing(-18);
  source.setItemGap(9);
  QFont font(QStringLiteral("Liberation Serif"));
  font.setPointSizeF(11.5);
  font.setBold(true);
  font.setStrikeOut(true);
  source.setFont(font);
  QFont item_font(QStringLiteral("Liberation Mono"));
  item_font.setPointSize(10);
  item_font.setItalic(true);
  item_font.setUnderline(true);
  source.setItemFont(item_font);
  source.setToolTip(QStringLiteral("Hint"));
  source.setMousePointer(99);
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(QColor(10, 20, 30));
  source.setMouseIcon(QPixmap::fromImage(icon));
  source.setEnabled(false);
  MemoryPropertyBag bag;
  source.WriteProperties(bag);

  OrvellList copy;
  QSignalSpy clicks(&copy, &OrvellList::Click);
  copy.ReadProperties(bag);
  EXPECT_EQ(clicks.size(), 0);
  EXPECT_FALSE(copy.IsModified());
  EXPECT_EQ(copy.Contents(), source.Contents());
  EXPECT_EQ(copy.ListIndex(), 2);
  EXPECT_EQ(copy.Caption(), QStringLiteral("&Type"));
  EXPECT_EQ(copy.Alignment(), 2);
  EXPECT_EQ(copy.ItemAlignment(), 1);
  EXPECT_EQ(copy.BorderStyle(), 0);
  EXPECT_EQ(copy.BorderEffect(), 3);
  EXPECT_FALSE(copy.ThreeD());
  EXPECT_EQ(copy.ShadowColor(), 0x00123456u);
  EXPECT_EQ(copy.ItemForeColor(), 0x000000FFu);
  EXPECT_EQ(copy.BackColor(), orvell::kWindowBackground);
  EXPECT_EQ(copy.ForeColor(), 0x00FF00FFu);
  EXPECT_EQ(copy.LeftMargin(), 21);
  EXPECT_EQ(copy.TopMargin(), -3);
  EXPECT_EQ(copy.Spacing(), -18);
  EXPECT_EQ(copy.ItemGap(), 9);
  EXPECT_EQ(copy.Font().family(), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(copy.Font().pointSizeF(), 11.5);
  EXPECT_TRUE(copy.Font().bold());
  EXPECT_TRUE(copy.Font().strikeOut());
  EXPECT_FALSE(copy.Font().italic());
  EXPECT_EQ(copy.ItemFont().family(), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(copy.ItemFont().pointSizeF(), 10.0);
  EXPECT_TRUE(copy.ItemFont().italic());
  EXPECT_TRUE(copy.ItemFont().underline());
  EXPECT_EQ(copy.ToolTip(), QStringLiteral("Hint"));
  EXPECT_EQ(copy.MousePointer(), 99);
  ASSERT_FALSE(copy.MouseIcon().isNull());
  EXPECT_EQ(copy.MouseIcon().size(), QSize(16, 16));
  EXPECT_EQ(copy.MouseIcon().toImage().pixelColor(5, 5), QColor(10, 20, 30));
  EXPECT_FALSE(copy.Enabled());

  MemoryPropertyBag again;
  copy.WriteProperties(again);
  for (const QString& key : bag.values().keys()) {
    if (key == QLatin1String("MouseIcon")) continue;  // PNG bytes need not be identical
    EXPECT_EQ(again.Read(key), bag.Read(key)) << key.toStdString();
  }
}

TEST(OrvellPersistenceTest, TheOlderFormIsReadAndConverted) {
  const QByteArray blob =
      Le16(3) + Counted("0;Stepped") + Counted("1;Straight") + Counted("2;Caf\xE9");  // Latin-1
  MemoryPropertyBag bag({{"Contents", blob},
                         {"ListIndex", 1},
                         {"Caption", QStringLiteral("Labyrinth")},
                         {"LeftMargin", 240.0},  // twips
                         {"TopMargin", 300.0f},
                         {"Spacing", QStringLiteral("195")},
                         {"ItemGap", 60.0},
                         {"FontName", QStringLiteral("Liberation Serif")},
                         {"FontSize", 9.75},
                         {"FontBold", true},
                         {"FontItalic", 0},
                         {"FontUnderLine", -1},
                         {"FontStrikethru", false},
                         {"ItemFontName", QStringLiteral("Liberation Mono")},
                         {"ItemFontSize", QStringLiteral("large")},
                         {"ItemFontItalic", true},
                         {"BorderEffect", 2}});
  OrvellList list;
  list.ReadProperties(bag);
  EXPECT_EQ(list.Contents(), QStringLiteral("0;Stepped\r\n1;Straight\r\n2;Caf\u00E9"));
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Value(), QStringLiteral("1"));
  EXPECT_EQ(list.Caption(), QStringLiteral("Labyrinth"));
  EXPECT_EQ(list.LeftMargin(), 16);
  EXPECT_EQ(list.TopMargin(), 20);
  EXPECT_EQ(list.Spacing(), 13);
  EXPECT_EQ(list.ItemGap(), 4);
  EXPECT_EQ(list.Font().family(), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(list.Font().pointSizeF(), 9.75);
  EXPECT_TRUE(list.Font().bold());
  EXPECT_FALSE(list.Font().italic());
  EXPECT_TRUE(list.Font().underline());
  EXPECT_FALSE(list.Font().strikeOut());
  EXPECT_EQ(list.ItemFont().family(), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(list.ItemFont().pointSizeF(), 8.0);  // a size that cannot be converted
  EXPECT_TRUE(list.ItemFont().italic());
  EXPECT_EQ(list.BorderEffect(), 2);
  // Written again, it is in the current form.
  MemoryPropertyBag current;
  list.WriteProperties(current);
  EXPECT_EQ(current.Read("Contents"), QVariant(list.Contents()));
  EXPECT_EQ(current.Read("LeftMargin"), QVariant(16));
}

TEST(OrvellPersistenceTest, OlderVersionsAndTheHostUnitDecideTheConversion) {
  MemoryPropertyBag version3({{"_Version", 0x00030000}, {"Spacing", 20.0}, {"ItemGap", 0.0}},
                             96);  // a host measuring in pixels
  OrvellList list;
  list.ReadProperties(version3);
  EXPECT_EQ(list.Spacing(), 20);
  EXPECT_EQ(list.ItemGap(), 0);
  // In the current form the same numbers are pixels already.
  MemoryPropertyBag version41({{"_Version", 0x00040001}, {"Spacing", 240}, {"ItemGap", 60}});
  list.ReadProperties(version41);
  EXPECT_EQ(list.Spacing(), 240);
  EXPECT_EQ(list.ItemGap(), 60);
}

TEST(OrvellPersistenceTest, WrongTypesAndOutOfRangeValuesLeaveTheInitialValues) {
  MemoryPropertyBag bag({{"_Version", 0x00040001},
                         {"MousePointer", 50},
                         {"MouseIcon", QStringLiteral("not bytes")},
                         {"BorderStyle", QStringLiteral("one")},
                         {"Contents", 17},
                         {"LeftMargin", QByteArray("16")},
                         {"TopMargin", 1.5},
                         {"Spacing", 0},
                         {"ItemGap", -3},
                         {"Caption", 5},
                         {"ShadowColor", QStringLiteral("purple")},
                         {"ItemForeColor", 5000000000LL},
                         {"ThreeD", 2},
                         {"BorderEffect", 9},
                         {"ListIndex", -7},
                         {"Alignment", -1},
                         {"ItemAlignment", true},
                         {"ToolTip", QStringList{QStringLiteral("a")}},
                         {"ItemFont", 12},
                         {"Font", QByteArray("x")},
                         {"BackColor", std::numeric_limits<double>::quiet_NaN()},
                         {"ForeColor", QVariant()},
                         {"Enabled", QStringLiteral("perhaps")}});
  OrvellList list;
  list.setCaption(QStringLiteral("changed"));
  list.setSpacing(30);
  list.ReadProperties(bag);
  ExpectInitialValues(list);
}

TEST(OrvellPersistenceTest, AListIndexBeyondTheItemsIsKeptAndWaitsForThem) {
  MemoryPropertyBag bag(
      {{"_Version", 0x00040001}, {"Contents", QStringLiteral("a\r\nb")}, {"ListIndex", 2}});
  OrvellList list;
  list.ReadProperties(bag);
  EXPECT_EQ(list.ListIndex(), 2);
  list.AddItem(QStringLiteral("c"));
  EXPECT_EQ(list.Value(), QStringLiteral("c"));
  for (int bad : {-2, 32767, 100000}) {
    bag.Write("ListIndex", bad);
    list.ReadProperties(bag);
    EXPECT_EQ(list.ListIndex(), -1) << bad;
  }
}

TEST(OrvellPersistenceTest, MalformedContentsBlobsGiveNoItems) {
  const QByteArray good = Le16(2) + Counted("a") + Counted("b");
  const std::vector<QByteArray> bad = {
      QByteArray(),
      QByteArray("\x01", 1),
      Le16(-1) + Counted("a"),                        // negative count
      Le16(3) + Counted("a") + Counted("b"),          // truncated: one item missing
      Le16(1) + Le16(5) + QByteArray("abc"),          // truncated string
      Le16(1) + QByteArray("\x01", 1),                // truncated length
      Le16(0x7FFF) + Counted("a"),                    // absurd count
      Le16(1) + Le16(0xFFFF) + QByteArray(100, 'x'),  // absurd length
  };
  OrvellList list;
  list.ReadProperties(MemoryPropertyBag({{"Contents", good}}));
  EXPECT_EQ(list.Contents(), QStringLiteral("a\r\nb"));
  for (const QByteArray& blob : bad) {
    list.ReadProperties(MemoryPropertyBag({{"Contents", blob}, {"Caption", QStringLiteral("c")}}));
    EXPECT_EQ(list.ListCount(), 0) << blob.toHex().toStdString();
    EXPECT_EQ(list.Caption(), QStringLiteral("c"));
  }
  // Long strings are cut to 255 characters; line breaks inside a string end it.
  list.ReadProperties(MemoryPropertyBag(
      {{"Contents", Le16(2) + Counted(QByteArray(300, 'w')) + Counted("x\r\ny")}}));
  EXPECT_EQ(list.Contents(), QString(255, u'w') + QStringLiteral("\r\nx"));
}

TEST(OrvellPersistenceTest, UnreadableDistancesLeaveTheInitialValues) {
  for (const QVariant& bad : {QVariant(std::numeric_limits<double>::quiet_NaN()),
                              QVariant(std::numeric_limits<double>::infinity()), QVariant(1e300),
                              QVariant(-1e300), QVariant(QStringLiteral("wide"))}) {
    OrvellList list;
    list.ReadProperties(MemoryPropertyBag(
        {{"LeftMargin", bad}, {"TopMargin", bad}, {"Spacing", bad}, {"ItemGap", bad}}));
    EXPECT_EQ(list.LeftMargin(), 16);
    EXPECT_EQ(list.TopMargin(), 20);
    EXPECT_EQ(list.Spacing(), 16);
    EXPECT_EQ(list.ItemGap(), 4);
  }
  // A spacing that rounds to zero pixels is refused like zero.
  OrvellList list;
  list.ReadProperties(MemoryPropertyBag({{"Spacing", 3.0}}));
  EXPECT_EQ(list.Spacing(), 16);
  // A host unit that makes no sense converts nothing.
  list.ReadProperties(MemoryPropertyBag({{"Spacing", 300.0}}, 0));
  EXPECT_EQ(list.Spacing(), 16);
}

TEST(OrvellPersistenceTest, MouseIconsAreDecodedOnlyWhenSmall) {
  QImage small(32, 32, QImage::Format_ARGB32);
  small.fill(Qt::red);
  QImage large(300, 20, QImage::Format_ARGB32);
  large.fill(Qt::red);
  OrvellList list;
  list.ReadProperties(MemoryPropertyBag({{"MouseIcon", PngOf(small)}}));
  EXPECT_EQ(list.MouseIcon().size(), QSize(32, 32));
  list.ReadProperties(MemoryPropertyBag({{"MouseIcon", PngOf(large)}}));
  EXPECT_TRUE(list.MouseIcon().isNull());
  list.ReadProperties(MemoryPropertyBag({{"MouseIcon", QByteArray("\x89PNG\r\n\x1a\n garbage")}}));
  EXPECT_TRUE(list.MouseIcon().isNull());
  list.ReadProperties(MemoryPropertyBag({{"MouseIcon", QByteArray(2 * 1024 * 1024, 'x')}}));
  EXPECT_TRUE(list.MouseIcon().isNull());
}

TEST(OrvellPersistenceTest, ATrailingEmptyItemAndItsSelectionSurviveARoundTrip) {
  OrvellList source;
  source.setContents(QStringLiteral("0;Zero"));
  source.AddItem(QString());
  source.setListIndex(1);
  ASSERT_EQ(source.ListCount(), 2);
  MemoryPropertyBag bag;
  source.WriteProperties(bag);
  // One CR LF more than the plain join, so that the empty last line is a line.
  EXPECT_EQ(bag.Read("Contents"), QVariant(QStringLiteral("0;Zero\r\n\r\n")));
  OrvellList copy;
  copy.ReadProperties(bag);
  EXPECT_EQ(copy.ListCount(), 2);
  EXPECT_EQ(copy.List(1), QString());
  EXPECT_EQ(copy.ListIndex(), 1);
  EXPECT_EQ(copy.Value(), QString());
  // A list of one empty item, and empty items inside the list, read back the same way.
  for (const QStringList& lines : {QStringList{QString()}, QStringList{"", "", "x", ""}}) {
    OrvellList list;
    for (const QString& line : lines) list.AddItem(line);
    list.setListIndex(static_cast<int>(lines.size()) - 1);
    MemoryPropertyBag lines_bag;
    list.WriteProperties(lines_bag);
    OrvellList back;
    back.ReadProperties(lines_bag);
    EXPECT_EQ(back.ListCount(), lines.size());
    EXPECT_EQ(back.Contents(), list.Contents());
    EXPECT_EQ(back.ListIndex(), lines.size() - 1);
  }
  // The older blob form keeps one too.
  OrvellList legacy;
  legacy.ReadProperties(MemoryPropertyBag({{"Contents", Le16(2) + Counted("a") + Counted("")}}));
  EXPECT_EQ(legacy.ListCount(), 2);
}

TEST(OrvellPersistenceTest, ReadingReportsAChangedIndexButNoClick) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb"));
  list.setListIndex(0);
  QSignalSpy clicks(&list, &OrvellList::Click);
  QSignalSpy changes(&list, &OrvellList::ListIndexChanged);
  list.ReadProperties(MemoryPropertyBag(
      {{"_Version", 0x00040001}, {"Contents", QStringLiteral("x\r\ny")}, {"ListIndex", 1}}));
  EXPECT_EQ(clicks.size(), 0);
  ASSERT_EQ(changes.size(), 1);
  EXPECT_EQ(changes.at(0).at(0).toInt(), 1);
}

TEST(OrvellPersistenceTest, TextsFromATextOnlyStoreAreRead) {
  // A host that keeps every entry as text (an INI file, say) gets the same control back.
  MemoryPropertyBag bag({{"_Version", QStringLiteral("262145")},
                         {"BorderStyle", QStringLiteral("0")},
                         {"ThreeD", QStringLiteral("false")},
                         {"Spacing", QStringLiteral(" 18 ")},
                         {"BackColor", QStringLiteral("2147483653")},
                         {"Contents", QStringLiteral("a\r\nb")},
                         {"ListIndex", QStringLiteral("1")},
                         {"Font", QFont(QStringLiteral("Liberation Sans"), 12).toString()}});
  OrvellList list;
  list.ReadProperties(bag);
  EXPECT_EQ(list.BorderStyle(), 0);
  EXPECT_FALSE(list.ThreeD());
  EXPECT_EQ(list.Spacing(), 18);
  EXPECT_EQ(list.BackColor(), orvell::kWindowBackground);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Font().family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(list.Font().pointSizeF(), 12.0);
}

}  // namespace
