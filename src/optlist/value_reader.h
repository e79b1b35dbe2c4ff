// Reading typed values out of property-bag entries and defaults-file texts. Every reader
// returns nothing for a value of the wrong type or out of its range, so that the caller keeps
// its initial value; none of them throws.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <optional>

#include "orvell/orvell_colors.h"

namespace orvell {

// Integer types, integral finite reals, and decimal texts.
std::optional<qint64> ReadInteger(const QVariant& value);
// Numeric types and decimal texts; never NaN or infinity.
std::optional<double> ReadReal(const QVariant& value);
// bool, the numbers 0, 1 and -1, and the texts "true"/"false" (any case) or those numbers.
std::optional<bool> ReadFlag(const QVariant& value);
// QString only.
std::optional<QString> ReadText(const QVariant& value);
// A number in -2^31 .. 2^32-1 (signed readings of the same bits are accepted) or a text that
// ParseColorValue understands.
std::optional<ColorValue> ReadColor(const QVariant& value);
// QByteArray only.
std::optional<QByteArray> ReadBlob(const QVariant& value);

}  // namespace orvell
