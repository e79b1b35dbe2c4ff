#include "orvell/property_bag.h"

#include <utility>

namespace orvell {

PropertyBag::~PropertyBag() = default;

double PropertyBag::HostUnitsPerInch() const { return 1440; }

MemoryPropertyBag::MemoryPropertyBag(QMap<QString, QVariant> values, double host_units_per_inch)
    : values_(std::move(values)), host_units_per_inch_(host_units_per_inch) {}

MemoryPropertyBag::~MemoryPropertyBag() = default;

QVariant MemoryPropertyBag::Read(const QString& name) const { return values_.value(name); }

void MemoryPropertyBag::Write(const QString& name, const QVariant& value) {
  values_.insert(name, value);
}

}  // namespace orvell
