// frmGasProps, the gas properties window: the properties of the current gas at the upstream and
// downstream states of the labyrinth window's inputs and at a pressure and temperature the user
// types, in the user's units, with Z, the isentropic exponent and the speed of sound plotted
// against pressure at the upstream temperature. The window binds its controls to
// GasPropertiesForm, which holds every rule.
//
// The labyrinth window opens it modally from "Gas Properties..." through its hook:
//
//   GasPropertiesWindow window(engine.CurrentMixture(), units, states, &parent);
//   window.exec();
//
// It changes nothing of the case.
#pragma once

#include <QDialog>

#include "thermo/gas_properties_form.h"

class QChartView;
class QLabel;
class QPushButton;
class QTableWidget;

namespace torvane {

class NumericBox;

class GasPropertiesWindow : public QDialog {
  Q_OBJECT

 public:
  GasPropertiesWindow(const GasMixture& gas, const UnitChoice& units, const LabyrinthStates& states,
                      QWidget* parent = nullptr);
  ~GasPropertiesWindow() override;

  const GasPropertiesForm& form() const { return form_; }

 private:
  void BuildForm();
  void TypedStateChanged();
  void ShowTable();
  void ShowCurves();

  GasPropertiesForm form_;

  QLabel* lblGas_ = nullptr;
  NumericBox* txtPressure_ = nullptr;
  NumericBox* txtTemperature_ = nullptr;
  QTableWidget* tblProperties_ = nullptr;
  QLabel* lblDownstream_ = nullptr;
  QLabel* lblNotes_ = nullptr;
  QChartView* chtProperties_ = nullptr;
  QLabel* lblNoCurves_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace torvane
