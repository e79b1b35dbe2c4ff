#include "gas/ui/new_gas_analysis_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/input_boxes.h"

namespace torvane {
namespace {

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

}  // namespace

NewGasAnalysisDialog::NewGasAnalysisDialog(MessageService& messages, QWidget* parent)
    : QDialog(parent), form_(messages) {
  setObjectName("frmFileInput");
  setWindowTitle(QString::fromUtf8(kNewGasAnalysisCaption));
  setModal(true);

  txt_num_files_ = new NumericBox(this);
  txt_num_files_->setObjectName("txtNumFiles");
  txt_num_files_->SetFormat("0");
  txt_num_files_->SetBounds(1, kMaxGasFiles);
  txt_num_files_->SetValue(1);
  txt_gas_num_ = new NumericBox(this);
  txt_gas_num_->setObjectName("txtGasNum");
  txt_gas_num_->SetFormat("0");
  txt_gas_num_->SetBounds(1, kMaxGases);
  txt_gas_num_->SetValue(1);
  const int count_width = txt_num_files_->fontMetrics().horizontalAdvance("0000") + 16;
  txt_num_files_->setFixedWidth(count_width);
  txt_gas_num_->setFixedWidth(count_width);
  txt_gas_file_ = new TextBox(this);
  txt_gas_file_->setObjectName("txtGasFile");
  txt_gas_file_->setMinimumWidth(txt_gas_file_->fontMetrics().horizontalAdvance("M") * 16);

  cmd_ok_ = new QPushButton(tr("OK"), this);
  cmd_ok_->setObjectName("cmdOK");
  cmd_ok_->setEnabled(false);
  cmd_ok_->setDefault(true);
  cmd_cancel_ = new QPushButton(tr("Cancel"), this);
  cmd_cancel_->setObjectName("cmdCancel");
  cmd_cancel_->setAutoDefault(false);

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto add_row = [&](const char* caption, const char* name, QWidget* box) {
    auto* label = new QLabel(tr(caption), this);
    label->setObjectName(name);
    label->setBuddy(box);
    form->addRow(label, box);
  };
  add_row("Number of gas &files", "lblNumFiles", txt_num_files_);
  add_row("Number of &gases", "lblGasNum", txt_gas_num_);
  add_row("Gas file &name", "lblGasFile", txt_gas_file_);

  auto* buttons = new QDialogButtonBox(Qt::Horizontal, this);
  buttons->addButton(cmd_ok_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cmd_cancel_, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(8);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(txt_num_files_, txt_gas_num_);
  setTabOrder(txt_gas_num_, txt_gas_file_);
  setTabOrder(txt_gas_file_, cmd_ok_);
  setTabOrder(cmd_ok_, cmd_cancel_);

  connect(txt_num_files_, &TextBox::left, this, [this] {
    if (focus_return_.returning()) return;
    if (form_.LeaveNumFiles(Text(txt_num_files_))) focus_return_.Later(txt_num_files_);
  });
  connect(txt_gas_num_, &TextBox::left, this, [this] {
    if (focus_return_.returning()) return;
    if (form_.LeaveGasNum(Text(txt_gas_num_))) focus_return_.Later(txt_gas_num_);
  });
  connect(txt_gas_file_, &TextBox::left, this, [this] {
    if (focus_return_.returning()) return;
    form_.LeaveGasFile(Text(txt_gas_file_));
    const bool was_enabled = cmd_ok_->isEnabled();
    cmd_ok_->setEnabled(form_.ok_enabled());
    // Tab from the name passed over the still disabled OK; the next stop is OK itself.
    if (!was_enabled && cmd_ok_->isEnabled()) {
      QMetaObject::invokeMethod(
          cmd_ok_,
          [this] {
            if (QApplication::focusWidget() == cmd_cancel_) cmd_ok_->setFocus(Qt::TabFocusReason);
          },
          Qt::QueuedConnection);
    }
  });
  // Enter in the name box takes the name as leaving the box does, and so enables OK, which the
  // same key then presses as the default button.
  connect(txt_gas_file_, &QLineEdit::returnPressed, this, [this] {
    if (cmd_ok_->isEnabled()) return;
    form_.LeaveGasFile(Text(txt_gas_file_));
    txt_gas_file_->ClearModified();
    cmd_ok_->setEnabled(form_.ok_enabled());
  });
  // The buttons are not wired through the box's roles: OK checks before it accepts.
  connect(cmd_ok_, &QPushButton::clicked, this, &NewGasAnalysisDialog::Ok);
  connect(cmd_cancel_, &QPushButton::clicked, this, &QDialog::reject);
  txt_num_files_->setFocus();
}

void NewGasAnalysisDialog::Ok() {
  // OK by Enter leaves no box: a name typed since the box was last left is taken first.
  if (txt_gas_file_->modified_by_user()) {
    form_.LeaveGasFile(Text(txt_gas_file_));
    txt_gas_file_->ClearModified();
  }
  switch (form_.Accept(Text(txt_num_files_), Text(txt_gas_num_))) {
    case NewGasAnalysisForm::Field::kNumFiles:
      focus_return_.Later(txt_num_files_);
      break;
    case NewGasAnalysisForm::Field::kGasNum:
      focus_return_.Later(txt_gas_num_);
      break;
    case NewGasAnalysisForm::Field::kNone:
      accept();
      break;
  }
}

}  // namespace torvane
