#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

#include "platform/ui/qt_dialogs.h"

namespace torvane {
namespace {

TEST(QtMessageServiceTest, BoxHasTheTitleTextIconAndOnlyOk) {
  auto box = QtMessageService::BuildBox(Message{"Gas XYZ is not in library"});
  EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Torvane \xC2\xAE"));
  EXPECT_EQ(box->text(), "Gas XYZ is not in library");
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);

  auto critical = QtMessageService::BuildBox(
      Message{"Calculation error, recheck input and try again", MessageIcon::kCritical});
  EXPECT_EQ(critical->icon(), QMessageBox::Critical);
  auto own_title = QtMessageService::BuildBox(Message{"x", MessageIcon::kNone, "Printer Error"});
  EXPECT_EQ(own_title->windowTitle(), "Printer Error");
}

TEST(QtQuestionServiceTest, ButtonsAndAnswers) {
  auto box = QtQuestionService::BuildBox(Question{"Save gas data?"});
  EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(box->icon(), QMessageBox::Question);
  auto yes_no = QtQuestionService::BuildBox(Question{"?", QuestionButtons::kYesNo});
  EXPECT_EQ(yes_no->standardButtons(), QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(QtQuestionService::ToAnswer(QMessageBox::Yes), Answer::kYes);
  EXPECT_EQ(QtQuestionService::ToAnswer(QMessageBox::No), Answer::kNo);
  EXPECT_EQ(QtQuestionService::ToAnswer(QMessageBox::Cancel), Answer::kCancel);
  EXPECT_EQ(QtQuestionService::ToAnswer(QMessageBox::Escape), Answer::kCancel);
}

TEST(QtFileChooserTest, DialogFollowsTheRequest) {
  FileDialogRequest save;
  save.mode = FileDialogMode::kSave;
  save.title = "Torvane File";
  save.filter = "Torvane File (*.trv)";
  save.default_suffix = "trv";
  save.initial_folder = QDir::tempPath().toStdString();
  auto dialog = QtFileChooser::BuildDialog(save);
  EXPECT_EQ(dialog->windowTitle(), "Torvane File");
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog->defaultSuffix(), "trv");
  EXPECT_EQ(dialog->nameFilters(), QStringList{"Torvane File (*.trv)"});
  EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));

  FileDialogRequest open;
  open.filter = "Gas File (*.gas);;Old Gas File (*.bnq)";
  auto opener = QtFileChooser::BuildDialog(open);
  EXPECT_EQ(opener->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(opener->fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(opener->nameFilters().size(), 2);
}

TEST(QtBusyPointerTest, ScopeSetsAndRestoresTheOverrideCursor) {
  QtBusyPointer pointer;
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  {
    BusyScope scope(pointer);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_TRUE(pointer.busy());
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(pointer.busy());
}

TEST(ScriptedServicesTest, AnswerInOrderAndCountSurprises) {
  ScriptedQuestionService questions;
  questions.Prepare(Answer::kNo);
  EXPECT_EQ(questions.Ask(Question{"a"}), Answer::kNo);
  EXPECT_EQ(questions.Ask(Question{"b"}), Answer::kCancel);
  EXPECT_EQ(questions.unexpected(), 1);
  EXPECT_EQ(questions.asked().size(), 2u);
  ScriptedFileChooser files;
  files.Prepare(std::string("/tmp/x.trv"));
  files.Prepare(std::nullopt);
  EXPECT_EQ(files.Choose({}), "/tmp/x.trv");
  EXPECT_EQ(files.Choose({}), std::nullopt);
  EXPECT_EQ(files.Choose({}), std::nullopt);
  EXPECT_EQ(files.requests().size(), 3u);
}

}  // namespace
}  // namespace torvane
