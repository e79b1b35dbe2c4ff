#include "orvell/dialog_runner.h"

#include <utility>

namespace orvell {

namespace {

DialogRunner& InstalledRunner() {
  static DialogRunner runner;
  return runner;
}

}  // namespace

void SetDialogRunner(DialogRunner runner) { InstalledRunner() = std::move(runner); }

int RunDialog(QDialog& dialog) {
  const DialogRunner& runner = InstalledRunner();
  if (runner) return runner(dialog);
  return dialog.exec();
}

}  // namespace orvell
