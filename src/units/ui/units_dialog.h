// The units dialog frmUnits ("Units Selection"): the unit system, and in Custom one list per
// quantity. Every choice is in force at once; OK stores the choice for the next run.
#pragma once

#include <QDialog>
#include <array>

#include "units/unit_catalogue.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvell {
class OrvellList;
}

namespace torvane {

struct CaseContext;
class MessageService;
class SettingsStore;

class UnitsDialog : public QDialog {
  Q_OBJECT

 public:
  UnitsDialog(CaseContext& context, SettingsStore& store, MessageService& messages,
              QWidget* parent = nullptr);

  // Fills the lists and selections from the unit choice in force; the main window calls this
  // before each showing.
  void Load();

  orvell::OrvellList* unit_system_list() const { return opt_unit_; }
  QComboBox* unit_list(Quantity q) const { return lists_[static_cast<size_t>(q)]; }
  QLineEdit* unit_label(Quantity q) const { return labels_[static_cast<size_t>(q)]; }
  QPushButton* ok_button() const { return ok_; }
  // True while the quantity lists are shown (Custom).
  bool lists_shown() const { return lists_shown_; }

  // There is no Cancel: the choice is in force already, so Escape or the close box keep and
  // store it as OK does.
  void reject() override;

 private:
  void SystemChosen();
  void UnitChosen(Quantity q, int index);
  void ShowLabels();
  void ShowLists(bool shown);
  void Accept();

  CaseContext& context_;
  SettingsStore& store_;
  MessageService& messages_;
  orvell::OrvellList* opt_unit_;
  std::array<QComboBox*, kQuantityCount> lists_{};
  std::array<QLineEdit*, kQuantityCount> labels_{};
  QPushButton* ok_;
  bool lists_shown_ = false;
  bool showing_ = false;
};

}  // namespace torvane
