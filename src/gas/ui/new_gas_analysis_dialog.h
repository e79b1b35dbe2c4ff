// The new gas analysis dialog frmFileInput, caption "Gas File": the number of gas files (1..3),
// the number of gases (1..30) and the gas file name. OK is enabled once the user has left the
// file name box; it checks both numbers again and then accepts. Cancel changes nothing.
#pragma once

#include <QDialog>

#include "gas/new_gas_analysis.h"
#include "gas/ui/focus_return.h"

class QPushButton;

namespace torvane {

class MessageService;
class NumericBox;
class TextBox;

class NewGasAnalysisDialog : public QDialog {
  Q_OBJECT

 public:
  explicit NewGasAnalysisDialog(MessageService& messages, QWidget* parent = nullptr);

  // After the dialog was accepted: the counts and the gas file title ("NAME.GAS").
  int num_files() const { return form_.num_files(); }
  int num_gases() const { return form_.num_gases(); }
  const std::string& gas_file_title() const { return form_.gas_file_title(); }

  NumericBox* num_files_box() const { return txt_num_files_; }
  NumericBox* gas_num_box() const { return txt_gas_num_; }
  TextBox* gas_file_box() const { return txt_gas_file_; }
  QPushButton* ok_button() const { return cmd_ok_; }
  QPushButton* cancel_button() const { return cmd_cancel_; }

 private:
  void Ok();

  NewGasAnalysisForm form_;
  FocusReturn focus_return_;
  NumericBox* txt_num_files_;
  NumericBox* txt_gas_num_;
  TextBox* txt_gas_file_;
  QPushButton* cmd_ok_;
  QPushButton* cmd_cancel_;
};

}  // namespace torvane
