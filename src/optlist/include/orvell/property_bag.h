// The property bag: the key-value store through which a host saves and restores the state of
// an OrvellList (OrvellList::WriteProperties / ReadProperties). The host supplies the store; the
// library provides an in-memory one.
#pragma once

#include <QtCore/QMap>
#include <QtCore/QString>
#include <QtCore/QVariant>

#include "orvell/orvell_export.h"

namespace orvell {

class ORVELL_EXPORT PropertyBag {
 public:
  virtual ~PropertyBag();

  // The stored value, or an invalid QVariant when the name is absent.
  virtual QVariant Read(const QString& name) const = 0;
  virtual void Write(const QString& name, const QVariant& value) = 0;

  // The host's length unit, in units per inch, used only when reading the older persisted form,
  // which holds LeftMargin, TopMargin, Spacing and ItemGap as floating-point host units. The
  // default is the twip (1440 per inch), the unit of the form designers that wrote that form.
  virtual double HostUnitsPerInch() const;
};

// A property bag held in memory. Values keep their QVariant types.
class ORVELL_EXPORT MemoryPropertyBag : public PropertyBag {
 public:
  MemoryPropertyBag() = default;
  explicit MemoryPropertyBag(QMap<QString, QVariant> values, double host_units_per_inch = 1440);
  ~MemoryPropertyBag() override;

  QVariant Read(const QString& name) const override;
  void Write(const QString& name, const QVariant& value) override;
  double HostUnitsPerInch() const override { return host_units_per_inch_; }

  const QMap<QString, QVariant>& values() const { return values_; }
  void Remove(const QString& name) { values_.remove(name); }

 private:
  QMap<QString, QVariant> values_;
  double host_units_per_inch_ = 1440;
};

}  // namespace orvell
