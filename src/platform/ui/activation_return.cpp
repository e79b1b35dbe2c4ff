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
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && widget->windowModality() != Qt::NonModal) {
      // Once shown, the modal window on top asks for the activation itself: the window system
      // may still be giving it back to the window a modal window closed over just before (a
      // question that follows another), which would leave the keys with a blocked window.
      QTimer::singleShot(0, this, [shown = QPointer<QWidget>(widget)] {
        if (shown && shown->isVisible() && QApplication::activeModalWidget() == shown) {
          shown->activateWindow();
        }
      });
    }
  }
  if (event->type() == QEvent::Hide && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && widget->windowModality() != Qt::NonModal) {
      // After the hide has been handled, and any window it closes with it has gone too.
      QTimer::singleShot(0, this, [closed = QPointer<QWidget>(widget), owners = OwnersOf(widget)] {
        if (closed && closed->isVisible()) return;
        // The keyboard belongs to the modal window now on top (one shown right after, or one
        // the closed window was opened from), else to the nearest window the closed one
        // belongs to; never to a window a modal one blocks.
        QWidget* target = QApplication::activeModalWidget();
        if (target == nullptr || !target->isVisible()) target = FirstVisible(owners);
        if (target == nullptr) return;
        QWidget* active = QApplication::activeWindow();
        if (active != nullptr && active->isVisible() && active != target) return;
        target->activateWindow();
      });
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace torvane
