// Putting the focus back into a box whose input was refused. The focus moves once the focus
// change that left the box has finished; the box that loses the focus then has not been left
// by the user, and its handlers ask returning() to ignore that.
#pragma once

#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>

namespace torvane {

class FocusReturn {
 public:
  void Later(QLineEdit* box) {
    QPointer<QLineEdit> target(box);
    QMetaObject::invokeMethod(
        box,
        [this, target] {
          if (!target) return;
          returning_ = true;
          target->setFocus(Qt::OtherFocusReason);
          target->selectAll();
          returning_ = false;
        },
        Qt::QueuedConnection);
  }
  bool returning() const { return returning_; }

 private:
  bool returning_ = false;
};

}  // namespace torvane
