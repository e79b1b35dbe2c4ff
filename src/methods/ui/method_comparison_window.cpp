#include "methods/ui/method_comparison_window.h"

#include <QBrush>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "document/case_context.h"
#include "document/export_file.h"
#include "methods/comparison_table.h"
#include "methods/ui/gamma_box.h"
#include "platform/ui/whole_table.h"
#include "platform/ui_services.h"
#include "reports/method_comparison_page.h"
#include "reports/report_case_builder.h"
#include "reports/ui/labyrinth_report_printer.h"

namespace torvane {
namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

const QColor kProfileColour(0, 70, 160);
const QColor kDownstreamColour(200, 30, 30);

}  // namespace

MethodComparisonWindow::MethodComparisonWindow(CaseContext& context, UiServices& services,
                                               LabyrinthReportPrinter& printer, QWidget* parent)
    : QDialog(parent),
      context_(context),
      services_(services),
      printer_(printer),
      gamma_(GammaOfCase(std::nullopt, RecordInputs(context.laby_data), context.units,
                         context.engine.CurrentMixture())) {
  setObjectName("frmCompare");
  setWindowTitle(kComparisonWindowCaption);
  BuildForm();
  Recalculate();
}

MethodComparisonWindow::~MethodComparisonWindow() = default;

void MethodComparisonWindow::BuildForm() {
  lblCase_ = new QLabel(this);
  lblCase_->setObjectName("lblCase");
  lblCase_->setTextFormat(Qt::PlainText);
  QFont bold = lblCase_->font();
  bold.setBold(true);
  lblCase_->setFont(bold);

  const GammaBox gamma = NewGammaBox(this, gamma_, [this] { Recalculate(); });
  txtGamma_ = gamma.box;
  chkRealGas_ = new QCheckBox(
      QStringLiteral("&Real gas: Z at the upstream state, and tooth by tooth along the isentrope"),
      this);
  chkRealGas_->setObjectName("chkRealGas");
  connect(chkRealGas_, &QCheckBox::toggled, this, &MethodComparisonWindow::Recalculate);

  lblBasis_ = new QLabel(this);
  lblBasis_->setObjectName("lblBasis");
  lblBasis_->setTextFormat(Qt::PlainText);

  tblMethods_ = new QTableWidget(4, 6, this);
  tblMethods_->setObjectName("tblMethods");
  tblMethods_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblMethods_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblMethods_->verticalHeader()->hide();
  tblMethods_->horizontalHeader()->setStretchLastSection(true);
  tblMethods_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tblMethods_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tblMethods_->setAccessibleName(QStringLiteral("Leakage by method"));
  tblMethods_->setAccessibleDescription(
      QStringLiteral("One row per method: the program's correlation, Martin, Martin-Vermes and "
                     "tooth by tooth, with the leakage each gives in the units of the case"));

  lblNotes_ = new QLabel(this);
  lblNotes_->setObjectName("lblNotes");
  lblNotes_->setTextFormat(Qt::PlainText);
  lblNotes_->setWordWrap(true);

  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setTitle(QStringLiteral("Tooth-by-tooth cavity pressures"));
  chtPressures_ = new QChartView(chart, this);
  chtPressures_->setObjectName("chtPressures");
  chtPressures_->setRenderHint(QPainter::Antialiasing);
  chtPressures_->setMinimumSize(640, 330);
  chtPressures_->setAccessibleName(chart->title());
  lblNoProfile_ = new QLabel(this);
  lblNoProfile_->setObjectName("lblNoProfile");
  lblNoProfile_->setTextFormat(Qt::PlainText);
  lblNoProfile_->setWordWrap(true);

  auto make_button = [&](const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
  };
  cmdCopy_ = make_button(QStringLiteral("&Copy Table"), "cmdCopy");
  cmdExportCsv_ = make_button(QStringLiteral("Export C&SV..."), "cmdExportCsv");
  cmdPrint_ = make_button(QStringLiteral("&Print..."), "cmdPrint");
  cmdExportPdf_ = make_button(QStringLiteral("Export P&DF..."), "cmdExportPdf");
  cmdClose_ = make_button(QStringLiteral("C&lose"), "cmdClose");
  connect(cmdCopy_, &QPushButton::clicked, this, &MethodComparisonWindow::CopyTable);
  connect(cmdExportCsv_, &QPushButton::clicked, this, &MethodComparisonWindow::ExportCsv);
  connect(cmdPrint_, &QPushButton::clicked, this, &MethodComparisonWindow::Print);
  connect(cmdExportPdf_, &QPushButton::clicked, this, &MethodComparisonWindow::ExportPdf);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

  auto* choices = new QHBoxLayout;
  choices->addWidget(gamma.label);
  choices->addWidget(txtGamma_);
  choices->addWidget(gamma.source);
  choices->addWidget(gamma.use_gas);
  choices->addSpacing(16);
  choices->addWidget(chkRealGas_);
  choices->addStretch(1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdCopy_);
  buttons->addWidget(cmdExportCsv_);
  buttons->addWidget(cmdPrint_);
  buttons->addWidget(cmdExportPdf_);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose_);

  auto* main = new QVBoxLayout(this);
  main->addWidget(lblCase_);
  main->addLayout(choices);
  main->addWidget(lblBasis_);
  main->addWidget(tblMethods_);
  main->addWidget(lblNotes_);
  main->addWidget(chtPressures_, 1);
  main->addWidget(lblNoProfile_);
  main->addLayout(buttons);
}

void MethodComparisonWindow::Recalculate() {
  comparison_ = CompareMethods(RecordInputs(context_.laby_data), context_.units, context_.engine,
                               gamma_.given(), chkRealGas_->isChecked());
  lblCase_->setText(Text(ComparisonCaseText(comparison_)));
  lblBasis_->setText(Text(ComparisonBasisText(comparison_)));
  ShowTable();
  ShowProfile();
}

void MethodComparisonWindow::ShowTable() {
  const ComparisonTable table = MakeComparisonTable(comparison_);
  QStringList header;
  for (const std::string& h : table.header) header << Text(h);
  tblMethods_->setHorizontalHeaderLabels(header);
  // Four rows, five with the real gas's tooth by tooth.
  tblMethods_->setRowCount(static_cast<int>(table.rows.size()));
  for (size_t r = 0; r < table.rows.size(); ++r) {
    for (size_t k = 0; k < table.rows[r].size(); ++k) {
      auto* item = new QTableWidgetItem(Text(table.rows[r][k]));
      const bool number = k == 1 || k == 2 || k == 5;
      item->setTextAlignment(Qt::AlignVCenter | (k == 0   ? Qt::AlignLeft
                                                 : number ? Qt::AlignRight
                                                          : Qt::AlignHCenter));
      tblMethods_->setItem(static_cast<int>(r), static_cast<int>(k), item);
    }
  }
  tblMethods_->resizeColumnsToContents();
  for (int k = 0; k < tblMethods_->columnCount(); ++k) {
    tblMethods_->setColumnWidth(k, tblMethods_->columnWidth(k) + 16);
  }
  tblMethods_->setMinimumWidth(ShowWholeTable(*tblMethods_));

  QStringList notes;
  for (const std::string& n : table.notes) notes << Text(n);
  lblNotes_->setText(notes.join('\n'));
  lblNotes_->setVisible(!notes.isEmpty());
}

void MethodComparisonWindow::ShowProfile() {
  QChart* chart = chtPressures_->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  const PressureProfile profile = ToothByToothProfile(comparison_);
  chtPressures_->setVisible(!profile.empty());
  lblNoProfile_->setVisible(profile.empty());
  if (profile.empty()) {
    lblNoProfile_->setText(Text("No pressure profile: " + comparison_.methods[2].result.message));
    chtPressures_->setAccessibleDescription(lblNoProfile_->text());
    return;
  }

  const int n = static_cast<int>(profile.pressures.size()) - 1;
  // What the picture shows, for a screen reader: the pressures station by station.
  QStringList stations;
  for (int i = 0; i <= n; ++i) {
    stations << QString::number(profile.pressures[static_cast<size_t>(i)], 'g', 5);
  }
  QString description =
      QStringLiteral("Cavity pressure (%1) against the station, 0 to %2: %3; downstream %4")
          .arg(Text(profile.pressure_unit))
          .arg(n)
          .arg(stations.join(QStringLiteral(", ")))
          .arg(QString::number(profile.downstream_pressure, 'g', 5));
  if (profile.choked_station > 0) {
    description += QStringLiteral("; choked at throttle %1").arg(profile.choked_station);
  }
  chtPressures_->setAccessibleDescription(description);
  auto* pressures = new QLineSeries;
  pressures->setName(QStringLiteral("Cavity pressure, tooth by tooth"));
  pressures->setPen(QPen(kProfileColour, 2));
  pressures->setPointsVisible(true);
  for (int i = 0; i <= n; ++i) pressures->append(i, profile.pressures[static_cast<size_t>(i)]);
  auto* downstream = new QLineSeries;
  downstream->setName(QStringLiteral("Downstream pressure"));
  QPen dashed(kDownstreamColour, 2);
  dashed.setStyle(Qt::DashLine);
  downstream->setPen(dashed);
  downstream->append(0, profile.downstream_pressure);
  downstream->append(n, profile.downstream_pressure);
  chart->addSeries(pressures);
  chart->addSeries(downstream);

  QScatterSeries* choked = nullptr;
  if (profile.choked_station > 0) {
    choked = new QScatterSeries;
    choked->setName(QStringLiteral("Choked at throttle %1").arg(profile.choked_station));
    choked->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    choked->setMarkerSize(16);
    choked->setColor(QColor(200, 30, 30, 60));
    choked->setBorderColor(kDownstreamColour);
    choked->setPen(QPen(kDownstreamColour, 2));
    choked->append(profile.choked_station,
                   profile.pressures[static_cast<size_t>(profile.choked_station)]);
    chart->addSeries(choked);
  }

  auto* x = new QValueAxis;
  x->setTitleText(QStringLiteral("Station"));
  x->setLabelFormat(QStringLiteral("%d"));
  // A quarter station of room at both ends keeps the markers of stations 0 and N whole.
  x->setRange(-0.25, n + 0.25);
  x->setTickType(QValueAxis::TicksDynamic);
  x->setTickAnchor(0);
  x->setTickInterval(StationStep(n));
  const AxisTicks ticks = PressureAxis(profile);
  auto* y = new QValueAxis;
  y->setTitleText(Text("Pressure (" + profile.pressure_unit + ")"));
  y->setRange(ticks.low, ticks.high);
  y->setTickCount(static_cast<int>(std::lround((ticks.high - ticks.low) / ticks.step)) + 1);
  y->setLabelFormat(ticks.step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.3g"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
}

void MethodComparisonWindow::CopyTable() {
  QGuiApplication::clipboard()->setText(
      Text(ComparisonTableText(MakeComparisonTable(comparison_))));
}

void MethodComparisonWindow::ExportCsv() {
  const ReportCase report_case = MakeReportCase(context_);
  const auto path =
      services_.files.Choose(ComparisonCsvRequest(LabyrinthReportPrinter::PdfRequest(report_case)));
  if (!path) return;
  WriteExportFile(
      *path, [this] { return ComparisonCsv(comparison_); }, services_.messages);
}

void MethodComparisonWindow::Print() {
  printer_.PrintWithComparison(MakeReportCase(context_), context_.laby_data, context_.units,
                               comparison_, this);
}

void MethodComparisonWindow::ExportPdf() {
  printer_.ExportPdfWithComparison(MakeReportCase(context_), context_.laby_data, context_.units,
                                   comparison_);
}

}  // namespace torvane
