#include "gas/ui/gas_warning_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace torvane {

GasWarningDialog::GasWarningDialog(GasWarning warning, QWidget* parent)
    : QDialog(parent), warning_(warning) {
  const bool out_of_limits = warning == GasWarning::kOutOfLimits;
  setObjectName(out_of_limits ? "frmGasWarn1" : "frmGasWarn2");
  setWindowTitle(QString::fromUtf8(kGasWarningCaption));
  setModal(true);
  // Only the two buttons answer: no close box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  auto* icon = new QLabel(this);
  icon->setObjectName("imgWarning");
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size));
  icon->setAlignment(Qt::AlignTop);

  text_ = new QLabel(QString::fromUtf8(out_of_limits ? kOutOfLimitsText : kNotOneText), this);
  text_->setObjectName("lblWarning");
  QFont bold = text_->font();
  bold.setBold(true);
  text_->setFont(bold);

  first_ = new QPushButton(
      QString::fromUtf8(out_of_limits ? kEnterNewGasesButton : kRoundoffButton), this);
  first_->setObjectName(out_of_limits ? "cmdNewGas" : "cmdRound");
  reenter_ = new QPushButton(QString::fromUtf8(kReenterGasButton), this);
  reenter_->setObjectName("cmdReGas");
  reenter_->setDefault(true);
  first_->setAutoDefault(false);
  connect(first_, &QPushButton::clicked, this, [this] { Answer(true); });
  connect(reenter_, &QPushButton::clicked, this, [this] { Answer(false); });

  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(8);
  top->addWidget(text_, 1, Qt::AlignVCenter);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(first_);
  buttons->addWidget(reenter_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void GasWarningDialog::Answer(bool answer) {
  answer_ = answer;
  done(answer ? QDialog::Accepted : QDialog::Rejected);
}

void GasWarningDialog::reject() { Answer(false); }

}  // namespace torvane
