#include "dynamics/ui/dynamics_window.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "document/case_context.h"
#include "document/export_file.h"
#include "dynamics/ui/dynamics_table_model.h"
#include "methods/ui/gamma_box.h"
#include "orvell/orvell_list.h"
#include "platform/ui/input_boxes.h"
#include "platform/ui_services.h"
#include "reports/dynamics_page.h"
#include "reports/method_comparison_page.h"
#include "reports/report_case_builder.h"
#include "reports/ui/labyrinth_report_printer.h"

namespace torvane {
namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

const QColor kFirstColour(0, 70, 160);
const QColor kSecondColour(0, 140, 70);
const QColor kLimitColour(200, 30, 30);

// The typed boxes: their control names, captions (with access keys) and places.
struct BoxSpec {
  DynamicsBox id;
  const char* name;
  const char* caption;
};
constexpr BoxSpec kBoxes[] = {
    {DynamicsBox::kToothHeight, "ToothHeight", "Tooth &height:"},
    {DynamicsBox::kPreswirl, "Preswirl", "Pre&swirl ratio:"},
    {DynamicsBox::kWhirlRatio, "WhirlRatio", "&Whirl ratio:"},
    {DynamicsBox::kSpeedFrom, "SpeedFrom", "Speeds &from:"},
    {DynamicsBox::kSpeedTo, "SpeedTo", "t&o:"},
    {DynamicsBox::kViscosity, "Viscosity", "Constant &viscosity:"},
    {DynamicsBox::kTemperature1, "Temperature1", "State &1:"},
    {DynamicsBox::kViscosity1, "Viscosity1", ""},
    {DynamicsBox::kTemperature2, "Temperature2", "State &2:"},
    {DynamicsBox::kViscosity2, "Viscosity2", ""},
};

// One curve of a chart: runs of points drawn as one series each, named once in the legend.
struct ChartCurve {
  std::string name;
  std::vector<std::vector<DynamicsPoint>> runs;
  QColor colour;
  bool dashed = false;
  bool points = false;
};

QChartView* NewChart(const QString& name, const QString& title, QWidget* parent) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  auto* view = new QChartView(chart, parent);
  view->setObjectName(name);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(420, 260);
  view->setAccessibleName(title);
  return view;
}

// Fills a chart with its curves against x, axes titled and ranged on whole ticks.
void Fill(QChartView* view, const std::vector<ChartCurve>& curves, const std::string& x_title,
          const std::string& y_title) {
  QChart* chart = view->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  bool any = false;
  double x_lo = 0, x_hi = 0, y_lo = 0, y_hi = 0;
  for (const ChartCurve& c : curves) {
    for (const auto& run : c.runs) {
      for (const DynamicsPoint& p : run) {
        if (!any) {
          x_lo = x_hi = p.x;
          y_lo = y_hi = p.y;
          any = true;
        }
        x_lo = std::min(x_lo, p.x);
        x_hi = std::max(x_hi, p.x);
        y_lo = std::min(y_lo, p.y);
        y_hi = std::max(y_hi, p.y);
      }
    }
  }
  for (const ChartCurve& c : curves) {
    bool named = false;
    for (const auto& run : c.runs) {
      auto* series = new QLineSeries;
      series->setName(Text(c.name));
      QPen pen(c.colour, 2);
      if (c.dashed) pen.setStyle(Qt::DashLine);
      series->setPen(pen);
      series->setPointsVisible(c.points);
      for (const DynamicsPoint& p : run) series->append(p.x, p.y);
      chart->addSeries(series);
      // One legend entry per curve, however many runs it has.
      if (named) chart->legend()->markers(series).front()->setVisible(false);
      named = true;
    }
  }
  auto* x = new QValueAxis;
  x->setTitleText(Text(x_title));
  auto* y = new QValueAxis;
  y->setTitleText(Text(y_title));
  if (any) {
    const AxisTicks xt = NiceTicks(x_lo, x_hi, 5);
    x->setRange(xt.low, xt.high);
    x->setTickCount(static_cast<int>(std::lround((xt.high - xt.low) / xt.step)) + 1);
    x->setLabelFormat(xt.step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.3g"));
    const double room = 0.03 * (y_hi - y_lo);
    const AxisTicks yt = NiceTicks(y_lo - room, y_hi + room, 5);
    y->setRange(yt.low, yt.high);
    y->setTickCount(static_cast<int>(std::lround((yt.high - yt.low) / yt.step)) + 1);
    y->setLabelFormat(yt.step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.3g"));
  }
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
}

// A horizontal line at value over the speeds of results.
std::vector<std::vector<DynamicsPoint>> Level(const DynamicsResults& r, double value) {
  double lo = r.speeds.front().speed, hi = lo;
  for (const SpeedAnswer& s : r.speeds) {
    lo = std::min(lo, s.speed);
    hi = std::max(hi, s.speed);
  }
  return {{{lo, value}, {hi, value}}};
}

// The save dialog of an export.
std::optional<std::string> ChooseSavePath(FileChooser& files, const char* title, const char* filter,
                                          const char* suffix, const char* name) {
  FileDialogRequest request;
  request.mode = FileDialogMode::kSave;
  request.title = title;
  request.filter = filter;
  request.file_must_exist = false;
  request.default_suffix = suffix;
  request.initial_name = name;
  return files.Choose(request);
}

}  // namespace

DynamicsWindow::DynamicsWindow(const CaseContext& context, UiServices& services,
                               LabyrinthReportPrinter& printer, QWidget* parent)
    : QDialog(parent),
      context_(context),
      services_(services),
      printer_(printer),
      inputs_(RecordInputs(context.laby_data)),
      gamma_(GammaOfCase(std::nullopt, inputs_, context.units, context.engine.CurrentMixture())) {
  setObjectName("frmDynamics");
  setWindowTitle(kDynamicsWindowCaption);
  for (size_t i = 0; i < std::size(kBoxes); ++i) boxes_[i].id = kBoxes[i].id;
  BuildForm();

  const DynamicsEntries opening;
  SetBox(BoxOf(DynamicsBox::kToothHeight), opening.tooth_height);
  SetBox(BoxOf(DynamicsBox::kPreswirl), opening.preswirl);
  SetBox(BoxOf(DynamicsBox::kWhirlRatio), opening.whirl_ratio);
  SetBox(BoxOf(DynamicsBox::kSpeedFrom), opening.speed_from);
  SetBox(BoxOf(DynamicsBox::kSpeedTo), opening.speed_to);
  spnSpeeds_->setValue(static_cast<int>(opening.speed_count));
  optTeethOn_->setListIndex(opening.teeth_on);
  optViscosity_->setListIndex(opening.viscosity_law);
  chkJennyKanki_->setChecked(opening.jenny_kanki);
  ShowResults();
  UpdateControls();
  BoxOf(DynamicsBox::kToothHeight).box->setFocus(Qt::OtherFocusReason);
}

DynamicsWindow::~DynamicsWindow() {
  // The table lets go of the results before they go.
  model_->SetResults(nullptr);
}

void DynamicsWindow::BuildForm() {
  const QFontMetrics metrics(font());
  const int number_width = metrics.horizontalAdvance(QStringLiteral("-00,000.000")) + 12;

  lblCase_ = new QLabel(Text(DynamicsCaseText(inputs_, context_.units)), this);
  lblCase_->setObjectName("lblCase");
  lblCase_->setTextFormat(Qt::PlainText);
  QFont bold = lblCase_->font();
  bold.setBold(true);
  lblCase_->setFont(bold);

  // Widgets are created in the order the Tab key visits them.
  std::array<QLabel*, std::size(kBoxes)> captions{};
  for (size_t i = 0; i < std::size(kBoxes); ++i) {
    Box& b = boxes_[i];
    b.box = new NumericBox(this);
    b.box->setObjectName(QStringLiteral("txt") + kBoxes[i].name);
    b.box->setFixedWidth(number_width);
    b.unit = new QLabel(Text(DynamicsBoxUnit(b.id, context_.units)), this);
    b.unit->setObjectName(QStringLiteral("unt") + kBoxes[i].name);
    captions[i] = new QLabel(kBoxes[i].caption, this);
    captions[i]->setObjectName(QStringLiteral("lbl") + kBoxes[i].name);
    if (!captions[i]->text().isEmpty()) captions[i]->setBuddy(b.box);
    b.box->setAccessibleName(captions[i]->text().remove('&').remove(':') +
                             (b.unit->text().isEmpty() ? QString() : " (" + b.unit->text() + ")"));
    Box* bound = &b;
    connect(b.box, &TextBox::userEdited, this, [bound] { bound->held.reset(); });
  }
  const auto caption_of = [&](DynamicsBox id) {
    for (size_t i = 0; i < std::size(kBoxes); ++i) {
      if (kBoxes[i].id == id) return captions[i];
    }
    return captions[0];
  };
  boxes_[7].box->setAccessibleName(QStringLiteral("State 1 viscosity"));
  boxes_[9].box->setAccessibleName(QStringLiteral("State 2 viscosity"));

  optTeethOn_ = new orvell::OrvellList(this);
  optTeethOn_->setObjectName("optTeethOn");
  optTeethOn_->setContents(kTeethOnContents);
  optTeethOn_->setCaption(kTeethOnCaption);
  optTeethOn_->setFont(font());
  optTeethOn_->setItemFont(font());
  optTeethOn_->setMinimumSize(optTeethOn_->sizeHint());

  auto* lblSpeeds = new QLabel(QStringLiteral("&Number of speeds:"), this);
  lblSpeeds->setObjectName("lblSpeeds");
  spnSpeeds_ = new QSpinBox(this);
  spnSpeeds_->setObjectName("spnSpeeds");
  spnSpeeds_->setRange(1, static_cast<int>(kMaxWindowSpeeds));
  spnSpeeds_->setGroupSeparatorShown(true);
  lblSpeeds->setBuddy(spnSpeeds_);

  gamma_box_ = NewGammaBox(this, gamma_, [this] { UpdateControls(); });
  txtGamma_ = gamma_box_.box;
  chkRealGas_ =
      new QCheckBox(QStringLiteral("Real gas: cavity states of the e&quation of state"), this);
  chkRealGas_->setObjectName("chkRealGas");
  chkRealGas_->setToolTip(
      QStringLiteral("The leakage and cavity states along the real gas's isentrope, with the "
                     "density and storage term of the equation of state: no gamma"));
  connect(chkRealGas_, &QCheckBox::toggled, this, &DynamicsWindow::UpdateControls);
  chkJennyKanki_ = new QCheckBox(QStringLiteral("&Jenny-Kanki momentum factor"), this);
  chkJennyKanki_->setObjectName("chkJennyKanki");

  optViscosity_ = new orvell::OrvellList(this);
  optViscosity_->setObjectName("optViscosity");
  optViscosity_->setContents(kViscosityLawContents);
  optViscosity_->setCaption(kViscosityLawCaption);
  optViscosity_->setFont(font());
  optViscosity_->setItemFont(font());
  optViscosity_->setMinimumSize(optViscosity_->sizeHint());
  connect(optViscosity_, &orvell::OrvellList::ListIndexChanged, this,
          &DynamicsWindow::UpdateControls);

  auto* seal = new QGroupBox(QStringLiteral("Seal and speeds"), this);
  seal->setObjectName("grpSeal");
  auto* grid = new QGridLayout(seal);
  const auto place = [&](DynamicsBox id, int row, int column) {
    Box& b = BoxOf(id);
    grid->addWidget(caption_of(id), row, column);
    grid->addWidget(b.box, row, column + 1);
    grid->addWidget(b.unit, row, column + 2);
  };
  place(DynamicsBox::kToothHeight, 0, 0);
  place(DynamicsBox::kPreswirl, 1, 0);
  place(DynamicsBox::kWhirlRatio, 2, 0);
  place(DynamicsBox::kSpeedFrom, 3, 0);
  auto* gamma_row = new QHBoxLayout;
  gamma_row->addWidget(txtGamma_);
  gamma_row->addWidget(gamma_box_.source);
  gamma_row->addWidget(gamma_box_.use_gas);
  grid->addWidget(gamma_box_.label, 0, 3);
  grid->addLayout(gamma_row, 0, 4);
  grid->addWidget(chkRealGas_, 1, 3, 1, 2);
  grid->addWidget(chkJennyKanki_, 2, 3, 1, 2);
  grid->addWidget(optTeethOn_, 0, 5, 3, 1, Qt::AlignTop);
  auto* speeds_row = new QHBoxLayout;
  const Box& to = BoxOf(DynamicsBox::kSpeedTo);
  speeds_row->addWidget(caption_of(DynamicsBox::kSpeedTo));
  speeds_row->addWidget(to.box);
  speeds_row->addWidget(to.unit);
  speeds_row->addSpacing(12);
  speeds_row->addWidget(lblSpeeds);
  speeds_row->addWidget(spnSpeeds_);
  speeds_row->addStretch(1);
  grid->addLayout(speeds_row, 3, 3, 1, 3);
  grid->setColumnStretch(6, 1);

  auto* viscosity = new QGroupBox(QStringLiteral("Gas viscosity"), this);
  viscosity->setObjectName("grpViscosity");
  auto* vgrid = new QGridLayout(viscosity);
  vgrid->addWidget(optViscosity_, 0, 0, 3, 1);
  const auto vplace = [&](DynamicsBox id, int row, int column) {
    Box& b = BoxOf(id);
    if (!caption_of(id)->text().isEmpty()) vgrid->addWidget(caption_of(id), row, column - 1);
    vgrid->addWidget(b.box, row, column);
    vgrid->addWidget(b.unit, row, column + 1);
  };
  vplace(DynamicsBox::kViscosity, 0, 2);
  vplace(DynamicsBox::kTemperature1, 1, 2);
  vplace(DynamicsBox::kViscosity1, 1, 4);
  vplace(DynamicsBox::kTemperature2, 2, 2);
  vplace(DynamicsBox::kViscosity2, 2, 4);
  vgrid->setColumnStretch(6, 1);
  for (const size_t i : {size_t{7}, size_t{9}}) captions[i]->hide();

  auto make_button = [&](const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
  };
  cmdCalc_ = make_button(QStringLiteral("&Calculate"), "cmdCalc");
  cmdCalc_->setDefault(true);
  connect(cmdCalc_, &QPushButton::clicked, this, &DynamicsWindow::Calculate);
  lblSummary_ = new QLabel(this);
  lblSummary_->setObjectName("lblSummary");
  lblSummary_->setTextFormat(Qt::PlainText);
  lblSummary_->setMinimumHeight(2 * metrics.lineSpacing() + 4);
  auto* run_row = new QHBoxLayout;
  run_row->addWidget(cmdCalc_);
  run_row->addSpacing(12);
  run_row->addWidget(lblSummary_, 1);

  tabResults_ = new QTabWidget(this);
  tabResults_->setObjectName("tabResults");
  auto* coefficients = new QWidget(tabResults_);
  chtStiffness_ = NewChart("chtStiffness", QStringLiteral("Stiffness against speed"), coefficients);
  chtDamping_ = NewChart("chtDamping", QStringLiteral("Damping against speed"), coefficients);
  auto* coefficients_layout = new QHBoxLayout(coefficients);
  coefficients_layout->addWidget(chtStiffness_);
  coefficients_layout->addWidget(chtDamping_);
  tabResults_->addTab(coefficients, QStringLiteral("Co&efficients"));

  auto* stability = new QWidget(tabResults_);
  chtEffectiveDamping_ =
      NewChart("chtEffectiveDamping", QStringLiteral("Effective damping against speed"), stability);
  chtWhirlRatio_ =
      NewChart("chtWhirlRatio", QStringLiteral("Whirl frequency ratio against speed"), stability);
  auto* stability_layout = new QHBoxLayout(stability);
  stability_layout->addWidget(chtEffectiveDamping_);
  stability_layout->addWidget(chtWhirlRatio_);
  tabResults_->addTab(stability, QStringLiteral("Sta&bility"));

  auto* swirl = new QWidget(tabResults_);
  auto* lblSwirlSpeed = new QLabel(QStringLiteral("Swirl &at:"), swirl);
  lblSwirlSpeed->setObjectName("lblSwirlSpeed");
  cboSwirlSpeed_ = new QComboBox(swirl);
  cboSwirlSpeed_->setObjectName("cboSwirlSpeed");
  lblSwirlSpeed->setBuddy(cboSwirlSpeed_);
  connect(cboSwirlSpeed_, &QComboBox::currentIndexChanged, this, &DynamicsWindow::ShowSwirl);
  chtSwirl_ = NewChart("chtSwirl", QStringLiteral("Swirl ratio along the cavities"), swirl);
  lblNoSwirl_ = new QLabel(swirl);
  lblNoSwirl_->setObjectName("lblNoSwirl");
  lblNoSwirl_->setTextFormat(Qt::PlainText);
  lblNoSwirl_->setWordWrap(true);
  auto* swirl_row = new QHBoxLayout;
  swirl_row->addWidget(lblSwirlSpeed);
  swirl_row->addWidget(cboSwirlSpeed_);
  swirl_row->addStretch(1);
  auto* swirl_layout = new QVBoxLayout(swirl);
  swirl_layout->addLayout(swirl_row);
  swirl_layout->addWidget(chtSwirl_, 1);
  swirl_layout->addWidget(lblNoSwirl_);
  tabResults_->addTab(swirl, QStringLiteral("Swi&rl"));

  model_ = new DynamicsTableModel(this);
  tblSpeeds_ = new QTableView(tabResults_);
  tblSpeeds_->setObjectName("tblSpeeds");
  tblSpeeds_->setModel(model_);
  tblSpeeds_->setAlternatingRowColors(true);
  tblSpeeds_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblSpeeds_->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
  tblSpeeds_->horizontalHeader()->setStretchLastSection(true);
  tblSpeeds_->setAccessibleName(QStringLiteral("Coefficients at every speed"));
  tabResults_->addTab(tblSpeeds_, QStringLiteral("&Table"));

  cmdCopy_ = make_button(QStringLiteral("Cop&y Table"), "cmdCopy");
  cmdExportCsv_ = make_button(QStringLiteral("E&xport CSV..."), "cmdExportCsv");
  cmdExportPicture_ = make_button(QStringLiteral("Export P&icture..."), "cmdExportPicture");
  cmdPrint_ = make_button(QStringLiteral("&Print..."), "cmdPrint");
  cmdExportPdf_ = make_button(QStringLiteral("Export P&DF..."), "cmdExportPdf");
  cmdClose_ = make_button(QStringLiteral("C&lose"), "cmdClose");
  connect(cmdCopy_, &QPushButton::clicked, this, &DynamicsWindow::CopyTable);
  connect(cmdExportCsv_, &QPushButton::clicked, this, &DynamicsWindow::ExportCsv);
  connect(cmdExportPicture_, &QPushButton::clicked, this, &DynamicsWindow::ExportPicture);
  connect(cmdPrint_, &QPushButton::clicked, this, &DynamicsWindow::Print);
  connect(cmdExportPdf_, &QPushButton::clicked, this, &DynamicsWindow::ExportPdf);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {cmdCopy_, cmdExportCsv_, cmdExportPicture_, cmdPrint_, cmdExportPdf_}) {
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  buttons->addWidget(cmdClose_);

  auto* inputs = new QHBoxLayout;
  inputs->addWidget(seal, 3);
  inputs->addWidget(viscosity, 2);
  auto* main = new QVBoxLayout(this);
  main->addWidget(lblCase_);
  main->addLayout(inputs);
  main->addLayout(run_row);
  main->addWidget(tabResults_, 1);
  main->addLayout(buttons);
  resize(1180, 820);

  // The Tab key goes through the inputs as they read, then to Calculate.
  const QWidget* order[] = {BoxOf(DynamicsBox::kToothHeight).box,
                            BoxOf(DynamicsBox::kPreswirl).box,
                            BoxOf(DynamicsBox::kWhirlRatio).box,
                            BoxOf(DynamicsBox::kSpeedFrom).box,
                            BoxOf(DynamicsBox::kSpeedTo).box,
                            spnSpeeds_,
                            txtGamma_,
                            gamma_box_.use_gas,
                            chkRealGas_,
                            chkJennyKanki_,
                            optTeethOn_,
                            optViscosity_,
                            BoxOf(DynamicsBox::kViscosity).box,
                            BoxOf(DynamicsBox::kTemperature1).box,
                            BoxOf(DynamicsBox::kViscosity1).box,
                            BoxOf(DynamicsBox::kTemperature2).box,
                            BoxOf(DynamicsBox::kViscosity2).box,
                            cmdCalc_,
                            tabResults_};
  for (size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
  }
}

DynamicsWindow::Box& DynamicsWindow::BoxOf(DynamicsBox id) {
  for (Box& b : boxes_) {
    if (b.id == id) return b;
  }
  return boxes_[0];
}

void DynamicsWindow::SetBox(Box& box, std::optional<double> value) {
  if (value) {
    box.box->SetValue(*value);
  } else {
    box.box->SetProgramText(QString());
  }
  box.held = value;
}

std::optional<double> DynamicsWindow::ReadBox(const Box& box) const {
  return box.held ? box.held : box.box->Value();
}

void DynamicsWindow::Focus(DynamicsBox id) {
  QWidget* widget = nullptr;
  if (id == DynamicsBox::kSpeedCount) {
    widget = spnSpeeds_;
  } else if (id != DynamicsBox::kNone) {
    widget = BoxOf(id).box;
  }
  if (!widget) return;
  widget->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

void DynamicsWindow::UpdateControls() {
  optTeethOn_->setEnabled(TeethOnEnabled(inputs_.laby_type));
  // The real gas takes no gamma.
  const bool ideal = !chkRealGas_->isChecked();
  txtGamma_->setEnabled(ideal);
  gamma_box_.source->setEnabled(ideal);
  gamma_box_.use_gas->setEnabled(ideal && gamma_.CanUseTheGas());
  const int law = optViscosity_->ListIndex();
  for (Box& b : boxes_) {
    const bool enabled = ViscosityBoxEnabled(b.id, law);
    b.box->setEnabled(enabled);
    b.unit->setEnabled(enabled);
  }
  const bool exports = DynamicsExportsEnabled(results());
  for (QPushButton* b : {cmdCopy_, cmdExportCsv_, cmdExportPicture_, cmdPrint_, cmdExportPdf_}) {
    b->setEnabled(exports);
  }
}

void DynamicsWindow::Calculate() {
  DynamicsEntries e;
  e.tooth_height = ReadBox(BoxOf(DynamicsBox::kToothHeight));
  e.teeth_on = optTeethOn_->ListIndex();
  e.preswirl = ReadBox(BoxOf(DynamicsBox::kPreswirl));
  e.speed_from = ReadBox(BoxOf(DynamicsBox::kSpeedFrom));
  e.speed_to = ReadBox(BoxOf(DynamicsBox::kSpeedTo));
  e.speed_count = spnSpeeds_->value();
  e.whirl_ratio = ReadBox(BoxOf(DynamicsBox::kWhirlRatio));
  e.gamma = gamma_.given();
  e.real_gas = chkRealGas_->isChecked();
  e.viscosity_law = optViscosity_->ListIndex();
  e.viscosity = ReadBox(BoxOf(DynamicsBox::kViscosity));
  e.temperatures = {ReadBox(BoxOf(DynamicsBox::kTemperature1)),
                    ReadBox(BoxOf(DynamicsBox::kTemperature2))};
  e.viscosities = {ReadBox(BoxOf(DynamicsBox::kViscosity1)),
                   ReadBox(BoxOf(DynamicsBox::kViscosity2))};
  e.jenny_kanki = chkJennyKanki_->isChecked();
  const DynamicsEntryCheck check = CheckDynamicsEntries(e, inputs_.laby_type);
  if (!check.ok()) {
    services_.messages.Show(check.problem);
    Focus(check.focus);
    return;
  }
  {
    BusyScope busy(services_.busy);
    model_->SetResults(nullptr);
    results_ = RunDynamics(inputs_, context_.units, context_.engine.CurrentMixture(), check.options,
                           check.speeds);
  }
  ShowResults();
  UpdateControls();
}

void DynamicsWindow::ShowResults() {
  model_->SetResults(results());
  if (!results_) {
    lblSummary_->setText(QStringLiteral("Type the tooth height and press Calculate."));
    for (QChartView* view :
         {chtStiffness_, chtDamping_, chtEffectiveDamping_, chtWhirlRatio_, chtSwirl_}) {
      Fill(view, {}, SpeedAxisTitle(), std::string());
    }
    ShowSwirl();
    return;
  }
  const DynamicsResults& r = *results_;
  lblSummary_->setText(Text(DynamicsSummary(r) + "\n" + DynamicsBasisText(r)));
  const auto curve = [&](DynamicsFigure figure, const QColor& colour) {
    return ChartCurve{FigureName(figure), FigureCurve(r.speeds, figure), colour, false,
                      r.speeds.size() <= 60};
  };
  const auto limit = [&](const std::string& name, double value) {
    return ChartCurve{name, Level(r, value), kLimitColour, true, false};
  };
  Fill(chtStiffness_,
       {curve(DynamicsFigure::kDirectStiffness, kFirstColour),
        curve(DynamicsFigure::kCrossStiffness, kSecondColour)},
       SpeedAxisTitle(), StiffnessAxisTitle(r.units));
  Fill(chtDamping_,
       {curve(DynamicsFigure::kDirectDamping, kFirstColour),
        curve(DynamicsFigure::kCrossDamping, kSecondColour)},
       SpeedAxisTitle(), DampingAxisTitle(r.units));
  Fill(chtEffectiveDamping_,
       {curve(DynamicsFigure::kEffectiveDamping, kFirstColour), limit("Zero", 0)}, SpeedAxisTitle(),
       EffectiveDampingAxisTitle(r.units));
  Fill(chtWhirlRatio_,
       {curve(DynamicsFigure::kWhirlFrequencyRatio, kFirstColour), limit("WFR = 1", 1)},
       SpeedAxisTitle(), WhirlFrequencyRatioAxisTitle());

  const QSignalBlocker blocker(cboSwirlSpeed_);
  cboSwirlSpeed_->clear();
  int chosen = -1;
  for (size_t i = 0; i < r.speeds.size(); ++i) {
    const SpeedAnswer& s = r.speeds[i];
    cboSwirlSpeed_->addItem(Text(SpeedText(s.speed) + (s.ok() ? "" : " (failed)")));
    if (!SwirlProfile(s, r.options.preswirl).empty()) chosen = static_cast<int>(i);
  }
  // The fastest speed with a swirl to show, else the last.
  cboSwirlSpeed_->setCurrentIndex(chosen >= 0 ? chosen : cboSwirlSpeed_->count() - 1);
  ShowSwirl();
  tblSpeeds_->resizeColumnsToContents();
}

void DynamicsWindow::ShowSwirl() {
  const int index = cboSwirlSpeed_->currentIndex();
  cboSwirlSpeed_->setEnabled(results_.has_value());
  if (!results_ || index < 0) {
    Fill(chtSwirl_, {}, CavityAxisTitle(), SwirlRatioAxisTitle());
    lblNoSwirl_->hide();
    return;
  }
  const SpeedAnswer& s = results_->speeds[static_cast<size_t>(index)];
  const std::vector<DynamicsPoint> profile = SwirlProfile(s, results_->options.preswirl);
  Fill(chtSwirl_,
       {ChartCurve{"Swirl ratio at " + SpeedText(s.speed), {profile}, kFirstColour, false, true}},
       CavityAxisTitle(), SwirlRatioAxisTitle());
  lblNoSwirl_->setVisible(profile.empty());
  lblNoSwirl_->setText(s.ok() ? QStringLiteral("No swirl at rest")
                              : Text("No swirl: " + s.message));
}

void DynamicsWindow::CopyTable() {
  if (!results_) return;
  QGuiApplication::clipboard()->setText(Text(DynamicsTableText(*results_)));
}

void DynamicsWindow::ExportCsv() {
  if (!results_) return;
  const auto path = ChooseSavePath(services_.files, "Export Rotordynamic Coefficients",
                                   "CSV File (*.csv)", "csv", "coefficients.csv");
  if (!path) return;
  WriteExportFile(*path, [this] { return DynamicsCsv(*results_); }, services_.messages,
                  {context_.settings_file_path, context_.gas_file_path});
}

void DynamicsWindow::RenderPlots(QPainter& painter, const QRectF& rect) const {
  // Each plot is laid out again at a width of kRenderWidth points and the height of its cell,
  // so that its text keeps a screen's proportions on any page or picture.
  constexpr qreal kRenderWidth = 600;
  const QChartView* views[] = {chtStiffness_, chtDamping_, chtEffectiveDamping_, chtWhirlRatio_,
                               chtSwirl_};
  const qreal gap = rect.width() * 0.02;
  const qreal w = (rect.width() - gap) / 2;
  const qreal h = (rect.height() - 2 * gap) / 3;
  const qreal scale = w / kRenderWidth;
  for (size_t i = 0; i < std::size(views); ++i) {
    QChart* chart = views[i]->chart();
    const QSizeF logical(kRenderWidth, h / scale);
    const QRectF shown = chart->geometry();
    chart->setGeometry(QRectF(shown.topLeft(), logical));
    const QRectF cell(rect.left() + static_cast<qreal>(i % 2) * (w + gap),
                      rect.top() + static_cast<qreal>(i / 2) * (h + gap), w, h);
    views[i]->scene()->render(&painter, cell, QRectF(shown.topLeft(), logical));
    chart->setGeometry(shown);
  }
}

void DynamicsWindow::ExportPicture() {
  if (!results_) return;
  const auto path =
      ChooseSavePath(services_.files, "Export Rotordynamics Plots",
                     "PNG Image (*.png);;PDF File (*.pdf)", "png", "coefficients.png");
  if (!path) return;
  const bool pdf =
      QFileInfo(Text(*path)).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
  WriteExportFile(
      *path,
      [&]() -> std::string {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!pdf) {
          QImage image(QSize(1600, 1800), QImage::Format_ARGB32);
          image.fill(Qt::white);
          QPainter painter(&image);
          RenderPlots(painter, QRectF(20, 20, 1560, 1760));
          painter.end();
          if (!image.save(&buffer, "PNG"))
            throw std::runtime_error("the picture could not be made");
          return bytes.toStdString();
        }
        QPdfWriter writer(&buffer);
        writer.setTitle(windowTitle());
        writer.setCreator(QString::fromUtf8(kApplicationTitle));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
        writer.setResolution(300);
        QPainter painter;
        if (!painter.begin(&writer)) throw std::runtime_error("the PDF could not be made");
        const QRectF page = painter.viewport();
        QFont heading = font();
        heading.setPointSizeF(12);
        heading.setBold(true);
        painter.setFont(heading);
        const qreal line = QFontMetricsF(heading, &writer).height();
        painter.drawText(QRectF(page.left(), page.top(), page.width(), line), lblCase_->text());
        QFont body = font();
        body.setPointSizeF(9);
        painter.setFont(body);
        painter.drawText(QRectF(page.left(), page.top() + line, page.width(), 2 * line),
                         lblSummary_->text());
        RenderPlots(painter, QRectF(page.left(), page.top() + 3.5 * line, page.width(),
                                    page.height() - 3.5 * line));
        if (!painter.end()) throw std::runtime_error("the PDF could not be made");
        return bytes.toStdString();
      },
      services_.messages, {context_.settings_file_path, context_.gas_file_path});
}

void DynamicsWindow::Print() {
  if (!results_) return;
  printer_.PrintWith(
      MakeReportCase(context_), context_.laby_data, context_.units,
      [this](PrinterSurface& surface, ReportServices services) {
        PrintDynamicsPage(surface, services, *results_);
      },
      this);
}

void DynamicsWindow::ExportPdf() {
  if (!results_) return;
  printer_.ExportPdfWith(MakeReportCase(context_), context_.laby_data, context_.units,
                         [this](PrinterSurface& surface, ReportServices services) {
                           PrintDynamicsPage(surface, services, *results_);
                         });
}

}  // namespace torvane
