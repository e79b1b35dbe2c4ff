// How the library runs its modal dialogs (the about box and the property page). By default a
// dialog runs with QDialog::exec(); a host or a test may install its own runner, for example one
// that inspects and closes the dialog without blocking.
#pragma once

#include <QtWidgets/QDialog>
#include <functional>

#include "orvell/orvell_export.h"

namespace orvell {

// Runs the dialog and returns its result (QDialog::Accepted or QDialog::Rejected).
using DialogRunner = std::function<int(QDialog& dialog)>;

// Installs a runner; an empty one restores QDialog::exec().
ORVELL_EXPORT void SetDialogRunner(DialogRunner runner);

// Runs a dialog through the installed runner.
ORVELL_EXPORT int RunDialog(QDialog& dialog);

}  // namespace orvell
