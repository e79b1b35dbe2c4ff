// The two warnings of the total mole fraction check, caption "Gas Input Warning": frmGasWarn1
// ("Mol Fraction is out of limits": "Enter new gases" / "Reenter a gas") and frmGasWarn2
// ("Mol Fraction does not equal 1.00": "Roundoff" / "Reenter a gas"). Each button gives the
// answer and hides the dialog. Escape gives "Reenter a gas", which changes nothing.
#pragma once

#include <QDialog>

#include "gas/gas_warnings.h"

class QLabel;
class QPushButton;

namespace torvane {

class GasWarningDialog : public QDialog {
  Q_OBJECT

 public:
  explicit GasWarningDialog(GasWarning warning, QWidget* parent = nullptr);

  GasWarning warning() const { return warning_; }
  // True for "Enter new gases" (frmGasWarn1) or "Roundoff" (frmGasWarn2).
  bool answer() const { return answer_; }

  QLabel* text_label() const { return text_; }
  // cmdNewGas or cmdRound.
  QPushButton* first_button() const { return first_; }
  // cmdReGas.
  QPushButton* reenter_button() const { return reenter_; }

 public slots:
  void reject() override;

 private:
  void Answer(bool answer);

  GasWarning warning_;
  bool answer_ = false;
  QLabel* text_;
  QPushButton* first_;
  QPushButton* reenter_;
};

}  // namespace torvane
