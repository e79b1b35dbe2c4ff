// How the gas windows run their modal windows (the gas analysis window, the new-analysis
// dialog and the two warnings). By default with QDialog::exec(); a test hands in a runner that
// drives the window and closes it without blocking.
#pragma once

#include <QDialog>
#include <functional>

namespace torvane {

// Runs the dialog modally and returns its result once it has been closed or hidden.
using GasDialogRunner = std::function<int(QDialog& dialog)>;

inline int RunGasDialog(const GasDialogRunner& runner, QDialog& dialog) {
  if (runner) return runner(dialog);
  return dialog.exec();
}

}  // namespace torvane
