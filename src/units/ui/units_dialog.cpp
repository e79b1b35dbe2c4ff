#include "units/ui/units_dialog.h"

#include <orvell/orvell_list.h>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/case_context.h"
#include "document/unit_selection.h"
#include "document/unit_settings.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

struct QuantityRow {
  const char* list_name;
  const char* label_name;
  const char* caption;
};

// In catalogue order: inlet flow, pressure, temperature, ..., length.
constexpr QuantityRow kRows[kQuantityCount] = {
    {"lstIV", "txtFlow", "Inlet flow :"},      {"lstPress", "txtPress", "Pressure :"},
    {"lstTemp", "txtTemp", "Temperature :"},   {"lstEnthalpy", "txtEnthalpy", "Enthalpy :"},
    {"lstEntropy", "txtEntropy", "Entropy :"}, {"lstCp", "txtCp", "Molar heat capacity :"},
    {"lstVel", "txtVel", "Velocity :"},        {"lstSV", "txtSV", "Specific volume :"},
    {"lstMu", "txtMu", "Viscosity :"},         {"lstVol", "txtVol", "Volume flow:"},
    {"lstMass", "txtMass", "Mass flow :"},     {"lstHead", "txtHead", "Head :"},
    {"lstPower", "txtPower", "Power :"},       {"lstLen", "txtLen", "Length :"},
};

}  // namespace

UnitsDialog::UnitsDialog(CaseContext& context, SettingsStore& store, MessageService& messages,
                         QWidget* parent)
    : QDialog(parent), context_(context), store_(store), messages_(messages) {
  setObjectName("frmUnits");
  setWindowTitle("Units Selection");

  opt_unit_ = new orvell::OrvellList(this);
  opt_unit_->setObjectName("optUnit");
  opt_unit_->setCaption("Select Units");
  opt_unit_->setContents("0;English\r\n1;SI\r\n2;Tech Metric\r\n3;Custom");
  opt_unit_->setMinimumSize(150, 120);
  // A pick by the mouse fires Click; the arrow keys move the selection without one. Whatever the
  // list shows is the choice in force.
  connect(opt_unit_, &orvell::OrvellList::Click, this, &UnitsDialog::SystemChosen);
  connect(opt_unit_, &orvell::OrvellList::ListIndexChanged, this, &UnitsDialog::SystemChosen);

  auto* units_box = new QGroupBox("Units in use", this);
  auto* grid = new QGridLayout(units_box);
  for (int q = 0; q < kQuantityCount; ++q) {
    const auto quantity = static_cast<Quantity>(q);
    auto* caption = new QLabel(kRows[q].caption, units_box);
    auto* label = new QLineEdit(units_box);
    label->setObjectName(kRows[q].label_name);
    label->setReadOnly(true);
    label->setFocusPolicy(Qt::NoFocus);
    label->setFixedWidth(95);
    auto* list = new QComboBox(units_box);
    list->setObjectName(kRows[q].list_name);
    for (const Unit& unit : UnitCatalogue(quantity).units) {
      list->addItem(QString::fromUtf8(unit.label.data(), static_cast<int>(unit.label.size())));
    }
    list->setMinimumWidth(110);
    connect(list, &QComboBox::activated, this,
            [this, quantity](int index) { UnitChosen(quantity, index); });
    caption->setBuddy(list);
    grid->addWidget(caption, q, 0, Qt::AlignRight);
    grid->addWidget(label, q, 1);
    grid->addWidget(list, q, 2);
    labels_[static_cast<size_t>(q)] = label;
    lists_[static_cast<size_t>(q)] = list;
  }
  grid->setColumnMinimumWidth(2, 120);

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("cmdOK");
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &UnitsDialog::Accept);

  auto* left = new QVBoxLayout;
  left->addWidget(opt_unit_);
  left->addStretch();
  left->addWidget(ok_);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addWidget(units_box, 1);

  Load();
}

void UnitsDialog::Load() {
  // The dialog shows the choice in force as it is: opening it never re-applies a preset over
  // the units a case file brought in.
  showing_ = true;
  const int system = context_.record.unit_system;
  opt_unit_->setListIndex(system >= 0 && system < kUnitSystemCount ? system : 0);
  showing_ = false;
  for (int q = 0; q < kQuantityCount; ++q) {
    lists_[static_cast<size_t>(q)]->setCurrentIndex(context_.units.Index(static_cast<Quantity>(q)));
  }
  ShowLabels();
  ShowLists(context_.record.unit_system == static_cast<int>(UnitSystem::kCustom));
}

void UnitsDialog::SystemChosen() {
  if (showing_) return;
  const int system = opt_unit_->ListIndex();
  if (system < 0 || system >= kUnitSystemCount) return;
  ChooseUnitSystem(context_, system);
  for (int q = 0; q < kQuantityCount; ++q) {
    lists_[static_cast<size_t>(q)]->setCurrentIndex(context_.units.Index(static_cast<Quantity>(q)));
  }
  ShowLabels();
  ShowLists(system == static_cast<int>(UnitSystem::kCustom));
}

void UnitsDialog::UnitChosen(Quantity q, int index) {
  ChooseUnit(context_, q, index);
  ShowLabels();
}

void UnitsDialog::ShowLabels() {
  for (int q = 0; q < kQuantityCount; ++q) {
    labels_[static_cast<size_t>(q)]->setText(
        QString::fromStdString(context_.units.Label(static_cast<Quantity>(q))).trimmed());
  }
}

void UnitsDialog::ShowLists(bool shown) {
  lists_shown_ = shown;
  for (auto* list : lists_) list->setVisible(shown);
}

void UnitsDialog::reject() { Accept(); }

void UnitsDialog::Accept() {
  try {
    SaveUnitSettings(store_, context_.record);
  } catch (const FileError& e) {
    // The choice stays in force for this run; only keeping it for the next run failed.
    messages_.Show("Could not save the unit choice in " + e.path() + ": " + e.reason() + ".",
                   MessageIcon::kExclamation);
  }
  hide();
  accept();
}

}  // namespace torvane
