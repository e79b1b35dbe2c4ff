// Test main of the option-list control: a QApplication on the offscreen platform, defaults
// looked for only in a scratch folder, and the dialog runner replaced so that no dialog blocks.
#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include "optlist/optlist_test_support.h"
#include "orvell/dialog_runner.h"
#include "orvell/orvell_defaults.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  QTemporaryDir scratch;
  orvell_test::SetScratchFolder(scratch.path());
  orvell::SetDefaultsFileSearchPaths({scratch.filePath(QStringLiteral("none/KV4WIN.INI"))});
  orvell::SetDialogRunner([](QDialog& dialog) {
    ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
    return static_cast<int>(QDialog::Rejected);
  });
  return RUN_ALL_TESTS();
}
