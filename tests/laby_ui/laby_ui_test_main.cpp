// Test main of the labyrinth window: a QApplication on the offscreen platform, the option-list
// defaults looked for only in a scratch folder, and no option-list dialog allowed to block.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "orvell/dialog_runner.h"
#include "orvell/orvell_defaults.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QTemporaryDir scratch;
  orvell::SetDefaultsFileSearchPaths({scratch.filePath(QStringLiteral("none/KV4WIN.INI"))});
  orvell::SetDialogRunner([](QDialog& dialog) {
    ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
    return static_cast<int>(QDialog::Rejected);
  });
  return RUN_ALL_TESTS();
}
