#include "laby/ui/labyrinth_window.h"

#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

#include "document/case_context.h"
#include "orvell/orvell_list.h"
#include "platform/ui/input_boxes.h"
#include "platform/ui_services.h"
#include "reports/report_case_builder.h"
#include "reports/ui/labyrinth_report_printer.h"
#include "study/study_form.h"

namespace torvane {
namespace {

// The control name of each input box without its prefix, and its caption with a mnemonic.
struct BoxName {
  LabyField field;
  const char* name;
  const char* caption;
};

constexpr BoxName kBoxNames[] = {
    {LabyField::kSealDia, "SealDia", "Seal &diameter:"},
    {LabyField::kSealRadClear, "SealRadClear", "Seal &radial clearance:"},
    {LabyField::kPressUp, "PressUp", "&Upstream pressure:"},
    {LabyField::kPressDown, "PressDown", "Do&wnstream pressure:"},
    {LabyField::kTempUp, "TempUp", "Upstream te&mperature:"},
    {LabyField::kToothThk, "ToothThk", "Tooth t&hickness:"},
    {LabyField::kToothSpc, "ToothSpc", "Tooth spacin&g:"},
    {LabyField::kToothNo, "ToothNo", "&Number of teeth:"},
    {LabyField::kFloCo, "FloCo", "&Flow coefficient:"},
};

const BoxName& NameOf(LabyField field) {
  for (const BoxName& n : kBoxNames) {
    if (n.field == field) return n;
  }
  return kBoxNames[0];
}

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The widest text a number box has to show: a pressure of 68,900.0 kPa a or a flow of millions.
constexpr char kWidestNumber[] = "00,000,000.0000";
constexpr int kInputDigits = 10;

}  // namespace

LabyrinthWindow::LabyrinthWindow(CaseContext& context, UiServices& services,
                                 LabyrinthReportPrinter& printer, LabyrinthWindowHooks hooks,
                                 QWidget* parent)
    : QDialog(parent),
      context_(context),
      services_(services),
      printer_(printer),
      hooks_(std::move(hooks)),
      form_(context, services.messages) {
  setObjectName("frmLaby");
  setWindowTitle(Text(form_.WindowCaption()));
  for (size_t i = 0; i < kInputFields.size(); ++i) inputs_[i].field = kInputFields[i];
  BuildForm();
  LoadRecord();
  UpdateButtons();
}

LabyrinthWindow::~LabyrinthWindow() {
  // The boxes are destroyed after this object's members; a box that loses the focus on the way
  // must not reach the window any more.
  closing_ = true;
  for (QObject* child : findChildren<QObject*>())
    QObject::disconnect(child, nullptr, this, nullptr);
}

NumericBox* LabyrinthWindow::InputBox(LabyField field) const {
  for (const Input& input : inputs_) {
    if (input.field == field) return input.box;
  }
  return nullptr;
}

void LabyrinthWindow::BuildForm() {
  const QFontMetrics metrics(font());
  const int number_width = metrics.horizontalAdvance(kWidestNumber) + 12;
  int caption_width = metrics.horizontalAdvance(QStringLiteral("Labyrinth flow rate:"));
  for (const BoxName& n : kBoxNames) {
    caption_width = std::max(caption_width, metrics.horizontalAdvance(Text(FieldCaption(n.field))));
  }
  const int unit_width = metrics.horizontalAdvance(QStringLiteral("kg/cm2 a ")) + 4;

  auto make_box = [&](const QString& name) {
    auto* box = new NumericBox(this);
    box->setObjectName("txt" + name);
    box->setFixedWidth(number_width);
    return box;
  };
  auto add_row = [&](QGridLayout* grid, QLabel* caption, NumericBox* box, QLabel* unit) {
    const int row = grid->rowCount();
    caption->setMinimumWidth(caption_width);
    if (!caption->text().isEmpty()) caption->setBuddy(box);
    unit->setMinimumWidth(unit_width);
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(unit, row, 2);
  };
  auto make_group = [&](const QString& title, const QString& name) {
    auto* group = new QGroupBox(title, this);
    group->setObjectName(name);
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(2, 1);
    grid->setHorizontalSpacing(8);
    return std::make_pair(group, grid);
  };

  // Widgets are created in the order the Tab key visits them.
  auto* lblTitle = new QLabel(QStringLiteral("&Title:"), this);
  lblTitle->setObjectName("lblTitle");
  txtTitle_ = new TextBox(this);
  txtTitle_->setObjectName("txtTitle");
  txtTitle_->setMaxLength(kTitleLength);
  lblTitle->setBuddy(txtTitle_);
  connect(txtTitle_, &TextBox::userEdited, this,
          [this] { form_.SetTitle(txtTitle_->text().toStdString()); });

  optLabyType_ = new orvell::OrvellList(this);
  optLabyType_->setObjectName("optLabyType");
  optLabyType_->setContents(kLabyTypeContents);
  optLabyType_->setCaption(kLabyTypeCaption);
  // The form's own font, like the group boxes beside it.
  optLabyType_->setFont(font());
  optLabyType_->setItemFont(font());

  auto [geometry, geometry_grid] = make_group(QStringLiteral("Geometry"), "grpGeometry");
  auto [conditions, conditions_grid] =
      make_group(QStringLiteral("Operating conditions"), "grpConditions");
  auto [coefficients, coefficients_grid] =
      make_group(QStringLiteral("Coefficients"), "grpCoefficients");
  auto [results, results_grid] = make_group(QStringLiteral("Results"), "grpResults");

  const std::pair<LabyField, QGridLayout*> placement[] = {
      {LabyField::kSealDia, geometry_grid},     {LabyField::kSealRadClear, geometry_grid},
      {LabyField::kToothThk, geometry_grid},    {LabyField::kToothSpc, geometry_grid},
      {LabyField::kToothNo, geometry_grid},     {LabyField::kPressUp, conditions_grid},
      {LabyField::kPressDown, conditions_grid}, {LabyField::kTempUp, conditions_grid},
      {LabyField::kFloCo, coefficients_grid},
  };
  for (const auto& [field, grid] : placement) {
    const BoxName& n = NameOf(field);
    Input& input = InputOf(field);
    input.box = make_box(n.name);
    input.box->SetFormat(form_.InputFormat(field));
    // A value converted from other units shows ten significant digits (100 deg F as
    // 37.77777778 deg C); the box keeps the exact value until the user edits it.
    input.box->SetSignificantDigits(kInputDigits);
    auto* caption = new QLabel(n.caption, this);
    caption->setObjectName(QStringLiteral("lbl") + n.name);
    input.unit = new QLabel(Text(form_.UnitCaption(field)), this);
    input.unit->setObjectName(QStringLiteral("unt") + n.name);
    input.unit->setAccessibleName(Text(TrimmedLabel(form_.UnitCaption(field))));
    // The caption names the box too (a screen reader reads a box by the label it belongs to).
    const QString name = Text(AccessibleBoxName(FieldCaption(field), form_.UnitCaption(field)));
    input.box->setAccessibleName(name);
    caption->setAccessibleName(name);
    add_row(grid, caption, input.box, input.unit);

    Input* bound = &input;
    connect(input.box, &TextBox::userEdited, this, [this, bound] {
      bound->held.reset();
      if (bound->field == LabyField::kToothNo) {
        form_.TeethEdited();
        UpdateButtons();
      }
    });
    connect(input.box, &TextBox::left, this, [this, bound] { BoxLeft(*bound); });
  }

  auto add_result = [&](const QString& name, const QString& caption_text,
                        const std::string& unit_text) {
    NumericBox* box = make_box(name);
    box->SetFormat(kResultFormat);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    auto* caption = new QLabel(caption_text, this);
    caption->setObjectName("lbl" + name);
    auto* unit = new QLabel(Text(unit_text), this);
    unit->setObjectName("unt" + name);
    unit->setAccessibleName(Text(TrimmedLabel(unit_text)));
    // The standard-flow box has no caption of its own but its unit: that names it.
    const QString accessible = Text(AccessibleBoxName(caption_text.toStdString(), unit_text));
    box->setAccessibleName(accessible);
    caption->setAccessibleName(accessible);
    add_row(results_grid, caption, box, unit);
    return std::make_pair(box, unit);
  };
  txtLabyFlow_ =
      add_result("LabyFlow", QStringLiteral("Labyrinth flow rate:"), form_.MassFlowCaption()).first;
  std::tie(txtLabyFlowStd_, untLabyFlowStd_) =
      add_result("LabyFlowStd", QString(), form_.StandardFlowCaption());
  txtLabyFlowStd_->setAccessibleDescription(QStringLiteral("Standard volume flow of the leakage"));
  txtLabySupplyFlow_ =
      add_result("LabySupplyFlow", QStringLiteral("Inlet volume flow:"), form_.VolumeFlowCaption())
          .first;
  txtLabyVolumeFlow_ = add_result("LabyVolumeFlow", QStringLiteral("Exhaust volume flow:"),
                                  form_.VolumeFlowCaption())
                           .first;

  // The buttons take the focus by the keyboard only: a click on one of them does not count as
  // leaving the box being typed in (Calculate checks every box anyway, Close discards them).
  auto make_button = [&](const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
  };
  cmdCalc_ = make_button(QStringLiteral("&Calculate"), "cmdCalc");
  cmdCalc_->setDefault(true);
  cmdPrint_ = make_button(QStringLiteral("&Print"), "cmdPrint");
  cmdExportPdf_ = make_button(QStringLiteral("&") + kExportPdfCaption, "cmdExportPdf");
  // The windows beside this one, in the order their buttons stand.
  const auto add_room = [&](const QString& text, const QString& name, RoomEnabling enabling,
                            std::function<void()> open) {
    if (!open) return;
    QPushButton* button = make_button(text, name);
    connect(button, &QPushButton::clicked, this, std::move(open));
    rooms_.push_back({button, enabling});
  };
  const auto hook = [this](const std::function<void(QWidget&)>& open) -> std::function<void()> {
    if (!open) return {};
    return [this, open] { open(*this); };
  };
  add_room(QStringLiteral("Compare Meth&ods..."), "cmdCompare", RoomEnabling::kAfterCalculation,
           hook(hooks_.open_comparison));
  add_room(QStringLiteral("&Study..."), "cmdStudy", RoomEnabling::kCalculatedGas,
           hooks_.open_study ? std::function<void()>([this] { OpenStudy(); }) : nullptr);
  add_room(QStringLiteral("Rotord&ynamics..."), "cmdDynamics", RoomEnabling::kAfterCalculation,
           hook(hooks_.open_dynamics));
  add_room(QStringLiteral("G&as Properties..."), "cmdGasProps", RoomEnabling::kCalculatedGas,
           hooks_.open_gas_properties
               ? std::function<void()>([this] { hooks_.open_gas_properties(Entries(), *this); })
               : nullptr);
  cmdClose_ = make_button(QStringLiteral("C&lose"), "cmdClose");
  connect(cmdCalc_, &QPushButton::clicked, this, &LabyrinthWindow::Calculate);
  connect(cmdPrint_, &QPushButton::clicked, this, &LabyrinthWindow::Print);
  connect(cmdExportPdf_, &QPushButton::clicked, this, &LabyrinthWindow::ExportPdf);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

  // Layout: title across the top; type and geometry on the left; conditions and coefficients
  // on the right; results below them; the buttons at the bottom.
  // The gas section the calculation uses.
  lblGasSection_ = new QLabel(Text(form_.GasSectionCaption()), this);
  lblGasSection_->setObjectName("lblGasSection");
  lblStoredResults_ = new QLabel(QString::fromUtf8(kStoredResultsCaption), this);
  lblStoredResults_->setObjectName("lblStoredResults");
  // A state of the results, not a caption of a box: set apart in italics.
  QFont stored_font = lblStoredResults_->font();
  stored_font.setItalic(true);
  lblStoredResults_->setFont(stored_font);
  lblStoredResults_->setVisible(form_.results_stored());

  auto* title_row = new QHBoxLayout;
  title_row->addWidget(lblTitle);
  title_row->addWidget(txtTitle_, 1);
  title_row->addSpacing(12);
  title_row->addWidget(lblGasSection_);
  title_row->addSpacing(8);
  title_row->addWidget(lblStoredResults_);

  auto* left = new QVBoxLayout;
  left->addWidget(optLabyType_);
  left->addWidget(geometry);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(conditions);
  right->addWidget(coefficients);
  right->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdCalc_);
  buttons->addWidget(cmdPrint_);
  buttons->addWidget(cmdExportPdf_);
  for (const RoomButton& room : rooms_) buttons->addWidget(room.button);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose_);

  auto* main = new QVBoxLayout(this);
  main->addLayout(title_row);
  main->addLayout(columns);
  main->addWidget(results);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);
}

void LabyrinthWindow::LoadRecord() {
  txtTitle_->SetProgramText(Text(form_.title()));
  // Stepped and a flow coefficient of 0.67 until the record replaces them.
  optLabyType_->setListIndex(0);
  ShowInput(InputOf(LabyField::kFloCo), kOpeningFlowCoef);

  const LabyData& record = form_.record();
  optLabyType_->setListIndex(form_.OpeningTypeIndex());
  for (Input& input : inputs_) {
    ShowInput(input, record[static_cast<size_t>(LabySlot(input.field))]);
  }
  const std::pair<NumericBox*, int> results[] = {
      {txtLabyFlow_, kLabyFlow},
      {txtLabyFlowStd_, kLabyStdFlow},
      {txtLabySupplyFlow_, kLabySuppplyFlow},
      {txtLabyVolumeFlow_, kLabyVolumeFlow},
  };
  for (const auto& [box, slot] : results) {
    const double value = record[static_cast<size_t>(slot)];
    if (std::isfinite(value)) {
      box->SetValue(value);
    } else {
      box->SetProgramText(QString());
    }
  }
}

void LabyrinthWindow::ShowInput(Input& input, double value) {
  if (std::isfinite(value)) {
    input.box->SetValue(value);
    input.held = value;
  } else {
    input.box->SetProgramText(QString());
    input.held.reset();
  }
}

std::optional<double> LabyrinthWindow::ReadInput(const Input& input) const {
  return input.held ? input.held : input.box->Value();
}

LabyrinthWindow::Input& LabyrinthWindow::InputOf(LabyField field) {
  for (Input& input : inputs_) {
    if (input.field == field) return input;
  }
  throw std::invalid_argument("not an input box of the labyrinth window");
}

void LabyrinthWindow::UpdateButtons() {
  cmdCalc_->setEnabled(form_.calculate_enabled());
  cmdPrint_->setEnabled(form_.print_enabled());
  cmdExportPdf_->setEnabled(form_.print_enabled());
  for (const RoomButton& room : rooms_) {
    room.button->setEnabled(room.enabling == RoomEnabling::kAfterCalculation
                                ? form_.print_enabled()
                                : context_.gas_calculated);
  }
}

void LabyrinthWindow::BoxLeft(Input& input) {
  if (moving_focus_ || closing_) return;
  const std::optional<double> value = ReadInput(input);
  moving_focus_ = true;  // a message box taking the focus is no leaving of another box
  const bool passed = form_.CheckLeaving(input.field, value);
  moving_focus_ = false;
  if (!passed) {
    FocusInput(input.field);
    return;
  }
  // A typed pressure is shown in the pressure unit's decimals from now on; the box keeps the
  // number as typed.
  if (!input.held && !input.box->format().empty()) ShowInput(input, *value);
}

void LabyrinthWindow::FocusInput(LabyField field) {
  if (field == LabyField::kNone) return;
  NumericBox* box = InputOf(field).box;
  moving_focus_ = true;
  box->setFocus(Qt::OtherFocusReason);
  box->selectAll();
  moving_focus_ = false;
}

void LabyrinthWindow::Calculate() {
  LabyEntries entries;
  entries.laby_type = optLabyType_->ListIndex();
  for (const Input& input : inputs_) entries[input.field] = ReadInput(input);

  LabyOutcome outcome;
  {
    BusyScope busy(services_.busy);
    moving_focus_ = true;
    outcome = form_.Calculate(entries);
    moving_focus_ = false;
  }
  switch (outcome.status) {
    case LabyOutcome::Status::kDone:
      ShowResults(outcome.results);
      lblStoredResults_->setVisible(form_.results_stored());
      if (txtTitle_->text() != Text(form_.title())) txtTitle_->SetProgramText(Text(form_.title()));
      break;
    case LabyOutcome::Status::kFieldCheckFailed:
    case LabyOutcome::Status::kStopped:
      FocusInput(outcome.focus);
      break;
    case LabyOutcome::Status::kCalculationError:
      break;
  }
  UpdateButtons();
}

void LabyrinthWindow::ShowResults(const LabyResults& results) {
  txtLabyFlow_->SetValue(results.laby_flow);
  txtLabyFlowStd_->SetValue(results.laby_flow_std);
  untLabyFlowStd_->setText(Text(results.std_flow_unit));
  untLabyFlowStd_->setAccessibleName(Text(TrimmedLabel(results.std_flow_unit)));
  txtLabyFlowStd_->setAccessibleName(Text(AccessibleBoxName(std::string(), results.std_flow_unit)));
  txtLabySupplyFlow_->SetValue(results.laby_supply_flow);
  txtLabyVolumeFlow_->SetValue(results.laby_volume_flow);
}

void LabyrinthWindow::Print() {
  printer_.Print(MakeReportCase(context_), context_.laby_data, context_.units, this);
}

void LabyrinthWindow::ExportPdf() {
  printer_.ExportPdf(MakeReportCase(context_), context_.laby_data, context_.units);
}

// The study starts from the inputs as they stand, calculated or not; it changes nothing here.
LabyEntries LabyrinthWindow::Entries() const {
  LabyEntries entries;
  entries.laby_type = optLabyType_->ListIndex();
  for (const Input& input : inputs_) entries[input.field] = ReadInput(input);
  return entries;
}

void LabyrinthWindow::OpenStudy() {
  const auto inputs = StudyStartingInputs(Entries());
  if (const LabyField* field = std::get_if<LabyField>(&inputs)) {
    services_.messages.Show(NotANumberMessage(*field));
    FocusInput(*field);
    return;
  }
  hooks_.open_study(std::get<LabyInputs>(inputs), *this);
}

void LabyrinthWindow::done(int result) {
  closing_ = true;
  QDialog::done(result);
}

bool LabyrinthWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      services_.busy.SetBusy(false);
      break;
    case QEvent::Show:
      closing_ = false;
      break;
    default:
      break;
  }
  return QDialog::event(event);
}

}  // namespace torvane
