#include "value_reader.h"

#include <cmath>
#include <limits>

namespace orvell {

std::optional<qint64> ReadInteger(const QVariant& value) {
  switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::Char:
      return value.toLongLong();
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar: {
      const qulonglong n = value.toULongLong();
      if (n > static_cast<qulonglong>(std::numeric_limits<qint64>::max())) return std::nullopt;
      return static_cast<qint64>(n);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
      const double d = value.toDouble();
      // Beyond 2^53 a double no longer holds every integer; such values are refused.
      if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9007199254740992.0) {
        return std::nullopt;
      }
      return static_cast<qint64>(d);
    }
    case QMetaType::QString: {
      bool ok = false;
      const qint64 n = value.toString().trimmed().toLongLong(&ok, 10);
      if (!ok) return std::nullopt;
      return n;
    }
    default:
      return std::nullopt;
  }
}

std::optional<double> ReadReal(const QVariant& value) {
  double d = 0;
  switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
      d = value.toDouble();
      break;
    case QMetaType::QString: {
      bool ok = false;
      d = value.toString().trimmed().toDouble(&ok);
      if (!ok) return std::nullopt;
      break;
    }
    default: {
      const std::optional<qint64> n = ReadInteger(value);
      if (!n) return std::nullopt;
      d = static_cast<double>(*n);
    }
  }
  if (!std::isfinite(d)) return std::nullopt;
  return d;
}

std::optional<bool> ReadFlag(const QVariant& value) {
  if (value.metaType().id() == QMetaType::Bool) return value.toBool();
  if (value.metaType().id() == QMetaType::QString) {
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
  }
  const std::optional<qint64> n = ReadInteger(value);
  if (!n || (*n != 0 && *n != 1 && *n != -1)) return std::nullopt;
  return *n != 0;
}

std::optional<QString> ReadText(const QVariant& value) {
  if (value.metaType().id() != QMetaType::QString) return std::nullopt;
  return value.toString();
}

std::optional<ColorValue> ReadColor(const QVariant& value) {
  if (value.metaType().id() == QMetaType::QString) {
    ColorValue color = 0;
    if (!ParseColorValue(value.toString(), &color)) return std::nullopt;
    return color;
  }
  const std::optional<qint64> n = ReadInteger(value);
  if (!n || *n < -2147483648LL || *n > 0xFFFFFFFFLL) return std::nullopt;
  return static_cast<ColorValue>(static_cast<quint64>(*n) & 0xFFFFFFFFu);
}

std::optional<QByteArray> ReadBlob(const QVariant& value) {
  if (value.metaType().id() != QMetaType::QByteArray) return std::nullopt;
  return value.toByteArray();
}

}  // namespace orvell
