#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
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
  // A typed code that looks like markup is shown as typed.
  EXPECT_EQ(QtMessageService::BuildBox(Message{"Gas <br> is not in library"})->textFormat(),
            Qt::PlainText);
  EXPECT_EQ(own_title->windowTitle(), "Printer Error");
}

// A box with a short text is still as wide as a title bar needs for the whole title, its icon
// and its buttons; a long text sets the width itself.
TEST(QtMessageServiceTest, AShortTextLeavesRoomForTheWholeTitle) {
  auto box = QtMessageService::BuildBox(Message{"Printer Error"});
  box->show();
  QFont title_font = box->font();
  title_font.setBold(true);
  title_font.setPointSizeF(title_font.pointSizeF() * 1.25);
  const int title = QFontMetrics(title_font).horizontalAdvance(box->windowTitle());
  EXPECT_GE(box->width(), title + 160);
  EXPECT_LT(box->width(), title + 260);
  box->hide();

  const std::string long_text(90, 'x');
  auto wide = QtMessageService::BuildBox(Message{long_text});
  wide->show();
  EXPECT_GT(wide->width(), box->width());
  EXPECT_GE(wide->width(), QFontMetrics(wide->font()).horizontalAdvance(QString(90, 'x')));

  auto question = QtQuestionService::BuildBox(Question{"?", QuestionButtons::kYesNo});
  question->show();
  EXPECT_GE(question->width(), title + 160);
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

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "platform/ui/access_key_guard.h"
#include "platform/ui/activation_return.h"
#include "platform/ui/input_boxes.h"

namespace torvane {
namespace {

class InputBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window_);
    box_ = new NumericBox(&window_);
    other_ = new TextBox(&window_);
    layout->addWidget(box_);
    layout->addWidget(other_);
    window_.show();
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    box_->setFocus(Qt::OtherFocusReason);
  }
  QWidget window_;
  NumericBox* box_ = nullptr;
  TextBox* other_ = nullptr;
};

TEST_F(InputBoxTest, UserEditsAndLeavingAreReported) {
  QSignalSpy edited(box_, &TextBox::userEdited);
  QSignalSpy left(box_, &TextBox::left);
  box_->SetValue(0.5);
  EXPECT_EQ(edited.count(), 0);
  EXPECT_FALSE(box_->modified_by_user());
  QTest::keyClicks(box_, "7");
  EXPECT_EQ(edited.count(), 1);
  EXPECT_TRUE(box_->modified_by_user());
  other_->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(left.count(), 1);
  // The window losing the focus is not leaving the box.
  box_->setFocus(Qt::OtherFocusReason);
  QFocusEvent deactivate(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(box_, &deactivate);
  EXPECT_EQ(left.count(), 1);
}

TEST_F(InputBoxTest, FormatValueAndBounds) {
  box_->SetFormat("0.00000");
  box_->SetBounds(0, 1);
  box_->SetValue(0.123456);
  EXPECT_EQ(box_->text(), "0.12346");
  EXPECT_EQ(box_->Value(), 0.12346);
  QSignalSpy out(box_, &NumericBox::outOfBounds);
  box_->clear();
  QTest::keyClicks(box_, "1.5");
  other_->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(out.count(), 1);
  EXPECT_EQ(out.at(0).at(0).toDouble(), 1.5);
  box_->setFocus(Qt::OtherFocusReason);
  box_->clear();
  QTest::keyClicks(box_, "1");
  other_->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(out.count(), 1);  // a bound is inside
}

TEST_F(InputBoxTest, ValuesOfTypedText) {
  box_->SetProgramText("1,234.5");
  EXPECT_EQ(box_->Value(), 1234.5);
  box_->SetProgramText("abc");
  EXPECT_EQ(box_->Value(), std::nullopt);
  EXPECT_EQ(box_->LeadingValue(), 0);
  box_->SetProgramText("0.25xyz");
  EXPECT_EQ(box_->Value(), std::nullopt);
  EXPECT_EQ(box_->LeadingValue(), 0.25);
  // A decimal comma is no number in any box, neither whole nor in part.
  for (const char* decimal_comma : {"0,5", "0,670", "00,670", "0,012"}) {
    box_->SetProgramText(decimal_comma);
    EXPECT_EQ(box_->Value(), std::nullopt) << decimal_comma;
    EXPECT_EQ(box_->LeadingValue(), std::nullopt) << decimal_comma;
  }
  box_->SetProgramText("12,000");
  EXPECT_EQ(box_->Value(), 12000);
  box_->SetProgramText("nan");
  EXPECT_EQ(box_->Value(), std::nullopt);
  box_->SetFormat("");
  box_->SetValue(2300);
  EXPECT_EQ(box_->text(), "2300");
}

// A modal window hidden and deleted at once, before the activation could be given back: its
// owner takes the activation all the same, in either order of hiding and deleting.
TEST(ActivationReturnTest, TheOwnerIsActiveAgainWhenTheClosedWindowIsAlreadyDeleted) {
  for (const bool delete_first : {false, true}) {
    SCOPED_TRACE(delete_first ? "deleted while shown" : "hidden, then deleted");
    QWidget owner;
    new ActivationReturn(&owner);
    owner.show();
    QApplication::setActiveWindow(&owner);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    auto* dialog = new QDialog(&owner);
    dialog->setModal(true);
    dialog->show();
    QApplication::setActiveWindow(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    if (!delete_first) dialog->hide();
    delete dialog;
    // The window system activated nothing: the activation is given back.
    QApplication::setActiveWindow(nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &owner; }, 2000));
  }
}

// A window another window became active over is left alone.
TEST(ActivationReturnTest, AnotherActiveWindowKeepsTheActivation) {
  QWidget owner;
  new ActivationReturn(&owner);
  owner.show();
  QWidget other;
  other.show();
  auto* dialog = new QDialog(&owner);
  dialog->setModal(true);
  dialog->show();
  QApplication::setActiveWindow(dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
  dialog->hide();
  QApplication::setActiveWindow(&other);
  delete dialog;
  QTest::qWait(50);
  EXPECT_EQ(QApplication::activeWindow(), &other);
}

// Alt with a letter that no enabled command takes types nothing into any kind of box; a command
// that takes it runs; the letter alone is typed.
TEST(AccessKeyGuardTest, AnAltLetterThatNoCommandTakesTypesNothing) {
  QWidget window;
  new AccessKeyGuard(&window);
  auto* layout = new QVBoxLayout(&window);
  auto* calc = new QPushButton(QStringLiteral("&Calculate"), &window);
  layout->addWidget(calc);
  QSignalSpy clicked(calc, &QPushButton::clicked);
  struct Box {
    const char* kind;
    QWidget* widget;
    std::function<QString()> text;
  };
  auto* line = new QLineEdit(&window);
  auto* text_box = new TextBox(&window);
  auto* numeric = new NumericBox(&window);
  auto* spin = new QSpinBox(&window);
  auto* real = new QDoubleSpinBox(&window);
  auto* combo = new QComboBox(&window);
  combo->setEditable(true);
  auto* plain = new QPlainTextEdit(&window);
  const Box boxes[] = {
      {"QLineEdit", line, [=] { return line->text(); }},
      {"TextBox", text_box, [=] { return text_box->text(); }},
      {"NumericBox", numeric, [=] { return numeric->text(); }},
      {"QSpinBox", spin, [=] { return spin->text(); }},
      {"QDoubleSpinBox", real, [=] { return real->text(); }},
      {"QComboBox", combo, [=] { return combo->currentText(); }},
      {"QPlainTextEdit", plain, [=] { return plain->toPlainText(); }},
  };
  for (const Box& b : boxes) layout->addWidget(b.widget);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  for (const Box& b : boxes) {
    SCOPED_TRACE(b.kind);
    b.widget->setFocus();
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    const QString before = b.text();
    calc->setEnabled(false);
    QTest::keyClick(target, Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(target, Qt::Key_1, Qt::AltModifier);
    QTest::keyClick(target, Qt::Key_P, Qt::AltModifier | Qt::ShiftModifier);
    QTest::qWait(150);  // a button's access key clicks it after a moment
    EXPECT_EQ(b.text(), before);
    EXPECT_EQ(clicked.count(), 0);
    calc->setEnabled(true);
    QTest::keyClick(target, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicked.count() == 1; }, 1000));
    EXPECT_EQ(b.text(), before);
    clicked.clear();
  }
  // Typing is untouched.
  line->setFocus();
  QTest::keyClicks(line, "c1");
  EXPECT_EQ(line->text(), QStringLiteral("c1"));
}

// A read-only box reads as read-only text, not as text that can be edited; its text and
// selection can still be read. An editable box keeps Qt's own interface.
TEST(ReadOnlyBoxAccessibleTest, AReadOnlyBoxIsReadOnlyTextOnly) {
  QWidget window;
  auto* result = new NumericBox(&window);
  result->setReadOnly(true);
  result->SetProgramText("1,234.567");
  auto* input = new NumericBox(&window);
  window.show();
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(result);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::EditableText);
  EXPECT_TRUE(a->state().readOnly);
  EXPECT_FALSE(a->state().editable);
  EXPECT_EQ(a->text(QAccessible::Value), "1,234.567");
  EXPECT_EQ(a->editableTextInterface(), nullptr);
  QAccessibleTextInterface* text = a->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->characterCount(), 9);
  EXPECT_EQ(text->text(0, 5), "1,234");
  result->setSelection(2, 3);
  EXPECT_EQ(text->selectionCount(), 1);
  int start = -1, end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ(start, 2);
  EXPECT_EQ(end, 5);
  EXPECT_EQ(text->textAtOffset(6, QAccessible::CharBoundary, &start, &end), "5");

  QAccessibleInterface* b = QAccessible::queryAccessibleInterface(input);
  EXPECT_TRUE(b->state().editable);
  EXPECT_FALSE(b->state().readOnly);
  EXPECT_NE(b->editableTextInterface(), nullptr);
}

}  // namespace
}  // namespace torvane
