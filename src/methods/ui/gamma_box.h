// The gamma box of the windows that work the classical methods: the ratio of specific heats
// cp/cv from 1.001 to 2 in steps of 0.01 with three decimals, 1.3 to start, and its label
// "&Gamma (cp/cv):". Header only, so that a window of another area can have the same box.
#pragma once

#include <QDoubleSpinBox>
#include <QLabel>

#include "methods/method_comparison.h"

namespace torvane {

struct GammaBox {
  QLabel* label;        // lblGamma, the box's buddy
  QDoubleSpinBox* box;  // txtGamma
};

inline GammaBox NewGammaBox(QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("&Gamma (cp/cv):"), parent);
  label->setObjectName("lblGamma");
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName("txtGamma");
  box->setDecimals(3);
  box->setRange(1.001, 2.0);
  box->setSingleStep(0.01);
  box->setValue(kDefaultGamma);
  label->setBuddy(box);
  return {label, box};
}

}  // namespace torvane
