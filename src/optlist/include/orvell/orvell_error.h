// The one error of the option-list control: an invalid property value.
#pragma once

#include <QtCore/QString>
#include <cstdint>
#include <stdexcept>

#include "orvell/orvell_export.h"

namespace orvell {

// Raised by every setter, getter and method of OrvellList that refuses its argument (error
// 0x800A017C, "invalid property value"). The property keeps its previous value. what() is the
// message in UTF-8, for example "Invalid index." or "Border style out of range."; it is empty
// where the check has no message text (ItemEnabled given a value other than 0, 1 or -1).
//
// Values written through the property system (QObject::setProperty, Designer, QUiLoader) are
// never raised: a refused one is reported by OrvellList::PropertyRefused and kept out.
class ORVELL_EXPORT InvalidPropertyValue : public std::runtime_error {
 public:
  static constexpr std::uint32_t kErrorNumber = 0x800A017C;

  explicit InvalidPropertyValue(const QString& message);
  ~InvalidPropertyValue() override;

  std::uint32_t number() const { return kErrorNumber; }
  QString message() const { return QString::fromUtf8(what()); }
};

// The message texts, exactly as the control reports them.
inline constexpr char kInvalidIndex[] = "Invalid index.";
inline constexpr char kBorderStyleOutOfRange[] = "Border style out of range.";
inline constexpr char kBorderEffectOutOfRange[] = "Border effect out of range.";
inline constexpr char kAlignmentOutOfRange[] = "Alignment out of range.";
inline constexpr char kItemAlignmentOutOfRange[] = "Item alignment out of range.";
inline constexpr char kThreeDOutOfRange[] = "3D must be either 0 or 1";
inline constexpr char kItemGapOutOfRange[] = "Item gap out of range.";
inline constexpr char kSpacingOutOfRange[] = "Spacing out of range.";
// The text names 0 to 13 although 14, 15 and 99 are accepted too; hosts match on this text.
inline constexpr char kMousePointerOutOfRange[] =
    "The MousePointer property must be a number from 0 to 13 (see Help File for details).";
inline constexpr char kTooManyItems[] = "Too many items.";

}  // namespace orvell
