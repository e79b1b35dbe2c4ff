// What the option-list fuzz targets share: an offscreen Qt application and the comparison of two
// controls by every property they publish.
#pragma once

#include <QApplication>
#include <QImage>
#include <QMetaProperty>
#include <QPixmap>
#include <QVariant>
#include <cstdlib>

#include "orvell/orvell_list.h"

namespace orvell_fuzz {

[[noreturn]] inline void Fail() { std::abort(); }

// Creates the application once; the controls need one, and no display.
inline void StartApplication(int* argc, char*** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int app_argc = 1;
  static char* app_argv[] = {argc && *argc > 0 ? (*argv)[0] : const_cast<char*>("fuzz"), nullptr};
  static QApplication* app = new QApplication(app_argc, app_argv);
  (void)app;
}

inline bool SameValue(const QVariant& a, const QVariant& b) {
  if (a.metaType().id() == QMetaType::QPixmap && b.metaType().id() == QMetaType::QPixmap) {
    return a.value<QPixmap>().toImage() == b.value<QPixmap>().toImage();
  }
  return a == b;
}

// Every stored property of the control's own class (its persistent state) has the same value in
// both. (Value and Selected are views of ListIndex and Contents; Value refuses to be read while
// ListIndex waits for an item still to come.)
inline void RequireSameProperties(const orvell::OrvellList& a, const orvell::OrvellList& b) {
  const QMetaObject* meta = a.metaObject();
  for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    if (!property.isStored()) continue;
    if (!SameValue(property.read(&a), property.read(&b))) {
      qWarning("property %s differs: %s / %s", property.name(),
               qPrintable(property.read(&a).toString()), qPrintable(property.read(&b).toString()));
      Fail();
    }
  }
}

}  // namespace orvell_fuzz
