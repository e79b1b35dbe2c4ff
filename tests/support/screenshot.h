// Saves a picture of a widget when TORVANE_SCREENSHOT_DIR names a folder, so that a person can
// look at what the tests drove.
#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

namespace torvane::testing {

inline void SaveScreenshot(QWidget& widget, const QString& name) {
  const QString dir = qEnvironmentVariable("TORVANE_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  widget.grab().save(dir + "/" + name + ".png");
}

}  // namespace torvane::testing
