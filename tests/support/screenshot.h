// Saves a picture of a widget when TORVANE_SCREENSHOT_DIR names a folder, so that a person can
// look at what the tests drove. On a real X display the picture is read back from the server.
#pragma once

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QTest>
#include <QWidget>

namespace torvane::testing {

inline void SaveScreenshot(QWidget& widget, const QString& name) {
  const QString dir = qEnvironmentVariable("TORVANE_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  QPixmap picture;
  if (QGuiApplication::platformName() == "xcb" && widget.isWindow() && widget.screen()) {
    QTest::qWait(100);  // let the server paint what Qt has sent
    picture = widget.screen()->grabWindow(widget.winId());
  } else {
    picture = widget.grab();
  }
  picture.save(dir + "/" + name + ".png");
}

}  // namespace torvane::testing
