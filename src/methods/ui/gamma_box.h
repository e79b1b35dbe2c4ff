// The gamma box of the windows that work the classical methods: the ratio of specific heats
// cp/cv from 1.001 to 2 in steps of 0.01 with three decimals, its label "&Gamma (cp/cv):", the
// label that says where the value came from ("from the gas" or "given") and the button "From
// Gas" that sets it back to the gas's. The rules are GammaChoice's; the window owns the choice.
// Header only, so that a window of another area can have the same box.
#pragma once

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <functional>

#include "methods/gamma_choice.h"

namespace torvane {

struct GammaBox {
  QLabel* label;         // lblGamma, the box's buddy
  QDoubleSpinBox* box;   // txtGamma
  QLabel* source;        // lblGammaSource
  QPushButton* use_gas;  // cmdGammaFromGas
};

// Shows the choice in the box, its source and the button.
inline void ShowGammaChoice(const GammaBox& b, const GammaChoice& choice) {
  const QSignalBlocker block(b.box);
  b.box->setValue(choice.shown());
  b.source->setText(QString::fromStdString(choice.SourceText()));
  b.use_gas->setEnabled(choice.CanUseTheGas());
}

// The box of a choice the window owns: a value the user sets is given, the button goes back to
// the gas's, and changed() runs after either. A value typed counts once it is complete (Enter
// or leaving the box).
inline GammaBox NewGammaBox(QWidget* parent, GammaChoice& choice, std::function<void()> changed) {
  auto* label = new QLabel(QStringLiteral("&Gamma (cp/cv):"), parent);
  label->setObjectName("lblGamma");
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName("txtGamma");
  box->setDecimals(3);
  box->setRange(1.001, 2.0);
  box->setSingleStep(0.01);
  box->setKeyboardTracking(false);
  label->setBuddy(box);
  auto* source = new QLabel(parent);
  source->setObjectName("lblGammaSource");
  source->setToolTip(QStringLiteral(
      "From the gas: its ideal-gas cp0/cv0 at the upstream temperature of each case"));
  auto* use_gas = new QPushButton(QStringLiteral("From Gas"), parent);
  use_gas->setObjectName("cmdGammaFromGas");
  use_gas->setAutoDefault(false);
  const GammaBox b{label, box, source, use_gas};
  QObject::connect(box, &QDoubleSpinBox::valueChanged, parent, [b, &choice, changed](double v) {
    choice.Give(v);
    ShowGammaChoice(b, choice);
    changed();
  });
  QObject::connect(use_gas, &QPushButton::clicked, parent, [b, &choice, changed] {
    choice.UseTheGas();
    ShowGammaChoice(b, choice);
    changed();
  });
  ShowGammaChoice(b, choice);
  return b;
}

}  // namespace torvane
