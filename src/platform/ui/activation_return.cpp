#include "platform/ui/activation_return.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace torvane {
namespace {

// The windows a window belongs to, nearest first. Taken when the window hides: by the time the
// activation is given back the window may have been deleted, and its owners with it unknown.
std::vector<QPointer<QWidget>> OwnersOf(QWidget* window) {
  std::vector<QPointer<QWidget>> owners;
  for (QWidget* w = window->parentWidget(); w != nullptr; w = w->window()->parentWidget()) {
    owners.emplace_back(w->window());
  }
  return owners;
}

QWidget* FirstVisible(const std::vector<QPointer<QWidget>>& owners) {
  for (const QPointer<QWidget>& owner : owners) {
    if (owner && owner->isVisible()) return owner;
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
      QTimer::singleShot(0, this, [closed = QPointer<QWidget>(widget), owners = OwnersOf(widget)] {
        if (closed && closed->isVisible()) return;
        QWidget* active = QApplication::activeWindow();
        if (active != nullptr && active->isVisible()) return;
        if (QWidget* owner = FirstVisible(owners)) owner->activateWindow();
      });
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace torvane
