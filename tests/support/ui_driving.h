// Driving windows as a user does: showing them active, typing into boxes and tabbing on,
// clicking buttons and option-list items.
#pragma once

#include <gtest/gtest.h>
#include <orvell/orvell_list.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace torvane::testing {

// Shows a window and makes it the active one, so that focus and keys reach it. On a real X
// display without a window manager nothing activates windows: the window is made Qt's active
// one once the server has shown it.
inline void ShowActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  if (QGuiApplication::platformName() == "xcb") {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    return;
  }
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Types text into the box that has the focus and leaves it with Tab.
inline void TypeAndTab(const QString& text) {
  QWidget* box = QApplication::focusWidget();
  ASSERT_NE(box, nullptr);
  if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Tab);
  QCoreApplication::processEvents();  // a refused box takes the focus back
}

inline void Click(QAbstractButton* button) {
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
  ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
  QTest::mouseClick(button, Qt::LeftButton);
  QCoreApplication::processEvents();
}

// Clicks item `index` of an option list on its button.
inline void ClickItem(orvell::OrvellList* list, int index) {
  const QPoint p(
      list->LeftMargin() + orvell::OrvellList::kGlyphWidth / 2,
      list->TopMargin() + index * list->Spacing() + orvell::OrvellList::kGlyphHeight / 2);
  QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, p);
  QCoreApplication::processEvents();
}

}  // namespace torvane::testing
