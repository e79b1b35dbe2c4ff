#include "platform/ui/access_key_guard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace torvane {
namespace {

// The widgets that type what they are given: line edits (also inside spin boxes and editable
// combo boxes), spin boxes, combo boxes (which search their items by the letter) and text edits.
bool TypesKeys(QObject* watched) {
  if (!watched->isWidgetType()) return false;
  return qobject_cast<QLineEdit*>(watched) != nullptr ||
         qobject_cast<QAbstractSpinBox*>(watched) != nullptr ||
         qobject_cast<QComboBox*>(watched) != nullptr ||
         qobject_cast<QTextEdit*>(watched) != nullptr ||
         qobject_cast<QPlainTextEdit*>(watched) != nullptr;
}

}  // namespace

AccessKeyGuard::AccessKeyGuard(QObject* owner) : QObject(owner) { qApp->installEventFilter(this); }

bool AccessKeyGuard::IsUnmatchedAccessKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (!(mods & Qt::AltModifier) || (mods & (Qt::ControlModifier | Qt::MetaModifier))) return false;
  const QString text = event.text();
  return !text.isEmpty() && text.at(0).isPrint();
}

bool AccessKeyGuard::eventFilter(QObject* watched, QEvent* event) {
  // A key press arrives here only when no shortcut (an enabled command's access key) took it.
  if (event->type() == QEvent::KeyPress && TypesKeys(watched) &&
      IsUnmatchedAccessKey(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace torvane
