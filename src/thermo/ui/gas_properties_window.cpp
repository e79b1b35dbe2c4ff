#include "thermo/ui/gas_properties_window.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "platform/ui/input_boxes.h"
#include "platform/ui/whole_table.h"

namespace torvane {
namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

const QColor kZColour(0, 70, 160);
const QColor kKappaColour(0, 130, 60);
const QColor kSoundColour(200, 30, 30);

// The range of the points of a set of curves, with a little room.
std::pair<double, double> RangeOf(std::initializer_list<const PropertyCurve*> curves) {
  double low = HUGE_VAL, high = -HUGE_VAL;
  for (const PropertyCurve* c : curves) {
    for (const auto& run : *c) {
      for (const PropertyPoint& p : run) {
        low = std::min(low, p.y);
        high = std::max(high, p.y);
      }
    }
  }
  const double room = std::max(0.05 * (high - low), 1e-3 * std::fabs(high));
  return {low - room, high + room};
}

}  // namespace

GasPropertiesWindow::GasPropertiesWindow(const GasMixture& gas, const UnitChoice& units,
                                         const LabyrinthStates& states, QWidget* parent)
    : QDialog(parent), form_(gas, units, states) {
  setObjectName("frmGasProps");
  setWindowTitle(kGasPropertiesWindowCaption);
  BuildForm();
  ShowTable();
  ShowCurves();
}

GasPropertiesWindow::~GasPropertiesWindow() = default;

void GasPropertiesWindow::BuildForm() {
  lblGas_ = new QLabel(Text(form_.GasText()), this);
  lblGas_->setObjectName("lblGas");
  lblGas_->setTextFormat(Qt::PlainText);
  QFont bold = lblGas_->font();
  bold.setBold(true);
  lblGas_->setFont(bold);

  const PropertyUnitLabels labels = PropertyUnitsOf(form_.units());
  auto* typed = new QHBoxLayout;
  auto* lblTyped = new QLabel(QStringLiteral("At a state of your own:"), this);
  typed->addWidget(lblTyped);
  const auto box = [&](const QString& caption, const QString& name, const std::string& unit) {
    auto* label = new QLabel(caption, this);
    auto* b = new NumericBox(this);
    b->setObjectName(name);
    b->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    label->setBuddy(b);
    typed->addSpacing(8);
    typed->addWidget(label);
    typed->addWidget(b);
    typed->addWidget(new QLabel(Text(unit), this));
    // A typed value counts once it is complete: on Enter or on leaving the box.
    connect(b, &QLineEdit::returnPressed, this, &GasPropertiesWindow::TypedStateChanged);
    connect(b, &TextBox::left, this, &GasPropertiesWindow::TypedStateChanged);
    return b;
  };
  txtPressure_ = box(QStringLiteral("&Pressure:"), "txtPressure", labels.pressure);
  txtTemperature_ = box(QStringLiteral("&Temperature:"), "txtTemperature", labels.temperature);
  typed->addStretch(1);

  const std::array<std::string, 3> headings = GasPropertiesForm::ColumnHeadings();
  tblProperties_ = new QTableWidget(static_cast<int>(form_.Rows().size()), 5, this);
  tblProperties_->setObjectName("tblProperties");
  tblProperties_->setHorizontalHeaderLabels({QStringLiteral("Property"), QStringLiteral("Unit"),
                                             Text(headings[0]), Text(headings[1]),
                                             Text(headings[2])});
  tblProperties_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblProperties_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblProperties_->verticalHeader()->hide();
  tblProperties_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  tblProperties_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tblProperties_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  lblDownstream_ = new QLabel(Text(GasPropertiesForm::DownstreamText()), this);
  lblDownstream_->setObjectName("lblDownstream");
  lblDownstream_->setWordWrap(true);
  lblNotes_ = new QLabel(this);
  lblNotes_->setObjectName("lblNotes");
  lblNotes_->setTextFormat(Qt::PlainText);
  lblNotes_->setWordWrap(true);

  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chtProperties_ = new QChartView(chart, this);
  chtProperties_->setObjectName("chtProperties");
  chtProperties_->setRenderHint(QPainter::Antialiasing);
  chtProperties_->setMinimumSize(460, 380);
  lblNoCurves_ = new QLabel(this);
  lblNoCurves_->setObjectName("lblNoCurves");
  lblNoCurves_->setTextFormat(Qt::PlainText);
  lblNoCurves_->setWordWrap(true);

  cmdClose_ = new QPushButton(QStringLiteral("C&lose"), this);
  cmdClose_->setObjectName("cmdClose");
  cmdClose_->setAutoDefault(false);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(tblProperties_);
  left->addWidget(lblDownstream_);
  left->addWidget(lblNotes_);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(chtProperties_, 1);
  right->addWidget(lblNoCurves_);
  auto* middle = new QHBoxLayout;
  middle->addLayout(left);
  middle->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdClose_);

  auto* main = new QVBoxLayout(this);
  main->addWidget(lblGas_);
  main->addLayout(typed);
  main->addLayout(middle, 1);
  main->addLayout(buttons);
}

void GasPropertiesWindow::TypedStateChanged() {
  form_.SetTyped(txtPressure_->Value(), txtTemperature_->Value());
  ShowTable();
}

void GasPropertiesWindow::ShowTable() {
  const std::vector<PropertyRow> rows = form_.Rows();
  for (size_t r = 0; r < rows.size(); ++r) {
    const PropertyRow& row = rows[r];
    const std::array<std::string, 5> cells = {row.name, row.unit, row.cells[0], row.cells[1],
                                              row.cells[2]};
    for (size_t k = 0; k < cells.size(); ++k) {
      auto* item = new QTableWidgetItem(Text(cells[k]));
      item->setTextAlignment(Qt::AlignVCenter | (k < 2 ? Qt::AlignLeft : Qt::AlignRight));
      tblProperties_->setItem(static_cast<int>(r), static_cast<int>(k), item);
    }
  }
  tblProperties_->resizeColumnsToContents();
  for (int k = 0; k < tblProperties_->columnCount(); ++k) {
    tblProperties_->setColumnWidth(
        k, std::max(tblProperties_->columnWidth(k) + 12,
                    k >= 2 ? fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000")) : 0));
  }
  const int width = ShowWholeTable(*tblProperties_);
  tblProperties_->setFixedWidth(width);

  QStringList notes;
  for (const std::string& n : form_.Notes()) notes << Text(n);
  lblNotes_->setText(notes.join('\n'));
  lblNotes_->setVisible(!notes.isEmpty());
  lblNotes_->setMaximumWidth(width);
  lblDownstream_->setMaximumWidth(width);
}

void GasPropertiesWindow::ShowCurves() {
  const PropertyCurves& c = form_.curves();
  chtProperties_->setVisible(c.problem.empty());
  lblNoCurves_->setVisible(!c.problem.empty());
  lblNoCurves_->setText(Text(c.problem));
  if (!c.problem.empty()) return;
  QChart* chart = chtProperties_->chart();
  chart->setTitle(Text(c.title));

  auto* x = new QValueAxis;
  x->setTitleText(Text(c.pressure_axis));
  x->setLabelFormat(QStringLiteral("%.4g"));
  auto* ratio = new QValueAxis;
  ratio->setTitleText(Text(c.ratio_axis));
  ratio->setLabelFormat(QStringLiteral("%.3g"));
  auto* sound = new QValueAxis;
  sound->setTitleText(Text(c.sound_axis));
  sound->setLabelFormat(QStringLiteral("%.4g"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(ratio, Qt::AlignLeft);
  chart->addAxis(sound, Qt::AlignRight);

  double x_high = 0;
  const auto add = [&](const PropertyCurve& curve, const QString& name, const QColor& colour,
                       Qt::PenStyle style, QValueAxis* y) {
    bool named = false;
    for (const auto& run : curve) {
      auto* series = new QLineSeries;
      QPen pen(colour, 2);
      pen.setStyle(style);
      series->setPen(pen);
      for (const PropertyPoint& p : run) {
        series->append(p.x, p.y);
        x_high = std::max(x_high, p.x);
      }
      chart->addSeries(series);
      series->attachAxis(x);
      series->attachAxis(y);
      if (named) {
        // One legend entry per property.
        for (QLegendMarker* m : chart->legend()->markers(series)) m->setVisible(false);
      } else {
        series->setName(name);
        named = true;
      }
    }
  };
  add(c.z, QStringLiteral("Z"), kZColour, Qt::SolidLine, ratio);
  add(c.kappa, QStringLiteral("Isentropic exponent"), kKappaColour, Qt::DashLine, ratio);
  add(c.speed_of_sound, QStringLiteral("Speed of sound (right)"), kSoundColour, Qt::DotLine, sound);
  x->setRange(0, x_high);
  const auto [ratio_low, ratio_high] = RangeOf({&c.z, &c.kappa});
  ratio->setRange(ratio_low, ratio_high);
  const auto [sound_low, sound_high] = RangeOf({&c.speed_of_sound});
  sound->setRange(sound_low, sound_high);
  for (QValueAxis* axis : {x, ratio, sound}) axis->applyNiceNumbers();
}

}  // namespace torvane
