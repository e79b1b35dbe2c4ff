// The option-list control's property bag: the bytes are decoded into a bag of named values of any
// type (the names the control writes, those of the older form, and others), a control reads it,
// writes its properties to a second bag, and a new control read from that bag has the same
// values and writes the same bag again.
#include <QByteArray>
#include <QFont>
#include <QMap>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <cstring>

#include "orvell/orvell_list.h"
#include "orvell/property_bag.h"
#include "orvell_fuzz_support.h"

namespace {

constexpr const char* kNames[] = {"_Version",
                                  "MousePointer",
                                  "MouseIcon",
                                  "BorderStyle",
                                  "Contents",
                                  "LeftMargin",
                                  "TopMargin",
                                  "Spacing",
                                  "ItemGap",
                                  "Caption",
                                  "ShadowColor",
                                  "ItemForeColor",
                                  "ThreeD",
                                  "BorderEffect",
                                  "ListIndex",
                                  "Alignment",
                                  "ItemAlignment",
                                  "ToolTip",
                                  "ItemFont",
                                  "Font",
                                  "BackColor",
                                  "ForeColor",
                                  "Enabled",
                                  "FontName",
                                  "FontSize",
                                  "FontBold",
                                  "FontItalic",
                                  "FontUnderLine",
                                  "FontStrikethru",
                                  "ItemFontName",
                                  "ItemFontSize",
                                  "ItemFontBold",
                                  "ItemFontItalic",
                                  "ItemFontUnderLine",
                                  "ItemFontStrikethru",
                                  "Selected",
                                  "Value",
                                  "List"};
constexpr size_t kNameCount = sizeof kNames / sizeof kNames[0];

// Reads entries of: name byte, type byte, length byte, payload.
QMap<QString, QVariant> DecodeBag(const std::uint8_t* data, size_t size) {
  QMap<QString, QVariant> values;
  size_t at = 0;
  while (at + 3 <= size) {
    const QString name = QString::fromLatin1(kNames[data[at] % kNameCount]);
    const int type = data[at + 1] % 9;
    const size_t length = std::min<size_t>(data[at + 2], size - at - 3);
    const char* payload = reinterpret_cast<const char*>(data + at + 3);
    at += 3 + length;
    auto integer = [&](size_t bytes) {
      std::uint64_t v = 0;
      std::memcpy(&v, payload, std::min(bytes, length));
      return v;
    };
    switch (type) {
      case 0:
        values[name] = static_cast<int>(static_cast<std::uint32_t>(integer(4)));
        break;
      case 1:
        values[name] = static_cast<uint>(integer(4));
        break;
      case 2: {
        double d = 0;
        std::memcpy(&d, payload, std::min(sizeof d, length));
        values[name] = d;
        break;
      }
      case 3:
        values[name] = QString::fromUtf8(payload, static_cast<qsizetype>(length));
        break;
      case 4:
        values[name] = QByteArray(payload, static_cast<qsizetype>(length));
        break;
      case 5:
        values[name] = length > 0 && (payload[0] & 1);
        break;
      case 6: {
        QFont font;
        font.fromString(QString::fromLatin1(payload, static_cast<qsizetype>(length)));
        values[name] = font;
        break;
      }
      case 7:
        values[name] = static_cast<qlonglong>(integer(8));
        break;
      default:
        values[name] = QString::fromLatin1(payload, static_cast<qsizetype>(length));
        break;
    }
  }
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  orvell_fuzz::StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const orvell::MemoryPropertyBag input(DecodeBag(data, size));
  orvell::OrvellList first;
  first.ReadProperties(input);
  orvell::MemoryPropertyBag written;
  first.WriteProperties(written);

  orvell::OrvellList second;
  second.ReadProperties(written);
  orvell_fuzz::RequireSameProperties(first, second);
  orvell::MemoryPropertyBag rewritten;
  second.WriteProperties(rewritten);
  if (written.values().keys() != rewritten.values().keys()) orvell_fuzz::Fail();
  for (auto it = written.values().begin(); it != written.values().end(); ++it) {
    if (!orvell_fuzz::SameValue(it.value(), rewritten.values().value(it.key()))) {
      qWarning("bag entry %s differs", qPrintable(it.key()));
      orvell_fuzz::Fail();
    }
  }
  return 0;
}
