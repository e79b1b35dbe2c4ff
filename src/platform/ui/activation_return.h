// Keeps the keyboard with the window the user works in as modal windows come and go. When a
// modal window is hidden from inside another one (the gas window closing from its own warning,
// or from the answer to its save prompt), the window system may leave no window of the program
// active: the keyboard then reaches nothing, and the main window's access keys do nothing until
// it is clicked. Once such a window has gone (even when it was deleted at once), the nearest
// visible window it belongs to is activated, unless another window already is. And a modal
// window that is shown and on top asks for the activation itself: one that follows another at
// once ("Save gas data" after "Calculate section 1 gas data") may otherwise find the window
// system giving the keyboard back to the window the first one closed over.
#pragma once

#include <QObject>

namespace torvane {

class ActivationReturn : public QObject {
  Q_OBJECT

 public:
  // Watches every window of the application for as long as owner lives.
  explicit ActivationReturn(QObject* owner);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace torvane
