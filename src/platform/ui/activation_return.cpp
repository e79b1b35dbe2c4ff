#include "platform/ui/activation_return.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace torvane {
namespace {

// The first visible window among the owners of a window, nearest first.
QWidget* VisibleOwner(QWidget* window) {
  for (QWidget* w = window->parentWidget(); w != nullptr; w = w->window()->parentWidget()) {
    if (w->window()->isVisible()) return w->window();
  }
  return nullptr;
}

}  // namespace

ActivationReturn::ActivationReturn(QObject* owner) : QObject(owner) {
  qApp->installEventFilter(this);
}

bool ActivationReturn::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && widget->windowModality() != Qt::NonModal) {
      // After the hide has been handled, and any window it closes with it has gone too.
      QTimer::singleShot(0, this, [closed = QPointer<QWidget>(widget)] {
        if (!closed || closed->isVisible()) return;
        QWidget* active = QApplication::activeWindow();
        if (active != nullptr && active->isVisible()) return;
        if (QWidget* owner = VisibleOwner(closed)) owner->activateWindow();
      });
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace torvane
