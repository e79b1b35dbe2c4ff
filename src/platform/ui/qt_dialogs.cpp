#include "platform/ui/qt_dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

namespace torvane {
namespace {

QMessageBox::Icon ToIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kCritical:
      return QMessageBox::Critical;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kExclamation:
      return QMessageBox::Warning;
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

QWidget* ActiveWindow() { return QApplication::activeWindow(); }

// Qt makes a message box wide enough for its title with about 50 pixels to spare; a window
// manager's title bar also holds its icon and buttons in a larger, often bold font, so a box
// with a short text ("Printer Error") showed its title as "...". A spacer across the box's
// layout keeps room for the whole title and the buttons of a title bar.
constexpr int kTitleBarButtonsWidth = 160;

void KeepTitleVisible(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  QFont title_font = box.font();
  title_font.setBold(true);
  title_font.setPointSizeF(title_font.pointSizeF() * 1.25);
  const int width =
      QFontMetrics(title_font).horizontalAdvance(box.windowTitle()) + kTitleBarButtonsWidth;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QString ToQString(const std::string& utf8) { return QString::fromStdString(utf8); }
std::string FromQString(const QString& text) { return text.toStdString(); }

std::unique_ptr<QMessageBox> QtMessageService::BuildBox(const Message& message, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(ToIcon(message.icon), ToQString(message.title),
                                           ToQString(message.text), QMessageBox::Ok, parent);
  box->setDefaultButton(QMessageBox::Ok);
  // The texts are shown as they are: a typed code or a file name never reads as markup.
  box->setTextFormat(Qt::PlainText);
  KeepTitleVisible(*box);
  return box;
}

void QtMessageService::Show(const Message& message) {
  auto box = BuildBox(message, ActiveWindow());
  // A busy pointer must not hide that the program waits for the user.
  const bool overridden = QApplication::overrideCursor() != nullptr;
  if (overridden) QApplication::setOverrideCursor(Qt::ArrowCursor);
  box->exec();
  if (overridden) QApplication::restoreOverrideCursor();
}

std::unique_ptr<QMessageBox> QtQuestionService::BuildBox(const Question& question,
                                                         QWidget* parent) {
  QMessageBox::StandardButtons buttons;
  switch (question.buttons) {
    case QuestionButtons::kYesNoCancel:
      buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      break;
    case QuestionButtons::kYesNo:
      buttons = QMessageBox::Yes | QMessageBox::No;
      break;
    case QuestionButtons::kOkCancel:
      buttons = QMessageBox::Ok | QMessageBox::Cancel;
      break;
  }
  auto box = std::make_unique<QMessageBox>(ToIcon(question.icon), ToQString(question.title),
                                           ToQString(question.text), buttons, parent);
  box->setTextFormat(Qt::PlainText);
  KeepTitleVisible(*box);
  return box;
}

Answer QtQuestionService::ToAnswer(int standard_button) {
  switch (standard_button) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    case QMessageBox::Ok:
      return Answer::kOk;
    default:
      return Answer::kCancel;
  }
}

Answer QtQuestionService::Ask(const Question& question) {
  auto box = BuildBox(question, ActiveWindow());
  const bool overridden = QApplication::overrideCursor() != nullptr;
  if (overridden) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int button = box->exec();
  if (overridden) QApplication::restoreOverrideCursor();
  return ToAnswer(button);
}

std::unique_ptr<QFileDialog> QtFileChooser::BuildDialog(const FileDialogRequest& request,
                                                        QWidget* parent) {
  auto dialog =
      std::make_unique<QFileDialog>(parent, ToQString(request.title),
                                    ToQString(request.initial_folder), ToQString(request.filter));
  if (request.mode == FileDialogMode::kSave) {
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  } else {
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(request.file_must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  }
  dialog->setOption(QFileDialog::ReadOnly, false);
  if (!request.default_suffix.empty()) dialog->setDefaultSuffix(ToQString(request.default_suffix));
  if (!request.initial_name.empty()) dialog->selectFile(ToQString(request.initial_name));
  return dialog;
}

std::optional<std::string> QtFileChooser::Choose(const FileDialogRequest& request) {
  auto dialog = BuildDialog(request, ActiveWindow());
  const bool overridden = QApplication::overrideCursor() != nullptr;
  if (overridden) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int result = dialog->exec();
  if (overridden) QApplication::restoreOverrideCursor();
  if (result != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return FromQString(QDir::toNativeSeparators(dialog->selectedFiles().front()));
}

void QtBusyPointer::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace torvane
