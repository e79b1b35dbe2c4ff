#include "study/ui/study_window.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

#include "document/case_context.h"
#include "document/export_file.h"
#include "methods/ui/gamma_box.h"
#include "platform/ui/input_boxes.h"
#include "platform/ui_services.h"
#include "study/study_export.h"
#include "study/study_plot.h"
#include "study/ui/study_plot_view.h"
#include "study/ui/study_table_model.h"

namespace torvane {
namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The time a slice of points may take before the window looks at its events again.
constexpr std::chrono::milliseconds kSlice{30};
// The most curves of a study: one per value of the second input.
constexpr int kMostCurves = 50;
// The failed points listed under the plots; the table holds them all.
constexpr std::size_t kMostListedFailures = 1000;

// The failed points a picture lists; a PDF lists them all on pages of their own.
constexpr std::size_t kMostPictureFailures = 20;
// A PDF lists the failed points under the plots while they are this few.
constexpr std::size_t kMostFailuresUnderHeading = 6;

// Draws lines of text down from the top of area, each wrapped to its width; returns the height
// they took.
qreal DrawLines(QPainter& painter, const QRectF& area, const std::vector<std::string>& lines) {
  qreal y = area.top();
  for (const std::string& line : lines) {
    const QRectF box(area.left(), y, area.width(), area.bottom() - y);
    QRectF used;
    painter.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, Text(line), &used);
    y += used.height();
  }
  return y - area.top();
}

// The height DrawLines takes for the lines at width in the painter's font.
qreal LinesHeight(const QFont& font, QPaintDevice* device, qreal width,
                  const std::vector<std::string>& lines) {
  const QFontMetricsF metrics(font, device);
  qreal height = 0;
  for (const std::string& line : lines) {
    height +=
        metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | Qt::AlignLeft, Text(line))
            .height();
  }
  return height;
}

std::string Bytes(const QByteArray& bytes) { return bytes.toStdString(); }

}  // namespace

StudyWindow::StudyWindow(const CaseContext& context, UiServices& services,
                         const LabyInputs& current, QWidget* parent)
    : QDialog(parent),
      context_(context),
      services_(services),
      current_(current),
      gamma_(GammaOfCase(std::nullopt, current, context.units, context.engine.CurrentMixture())) {
  setObjectName("frmStudy");
  setWindowTitle(Text(kStudyWindowCaptionPrefix + context.gas_file_title));
  BuildForm();
  cboVariable1_->setCurrentIndex(static_cast<int>(StudyVariable::kClearance));
  VariableChosen(1);
  VariableChosen(2);
  plots_->Show(nullptr, {});
  UpdateButtons();
}

StudyWindow::~StudyWindow() {
  // The table view lets go of its model before the run it shows is destroyed.
  tblPoints_->setModel(nullptr);
}

void StudyWindow::BuildForm() {
  auto* vary = new QGroupBox(QStringLiteral("Inputs to vary"), this);
  vary->setObjectName("grpVary");
  auto* grid = new QGridLayout(vary);
  const QFontMetrics metrics(font());
  const int number_width = metrics.horizontalAdvance(QStringLiteral("-00,000.0000")) + 12;

  auto make_row = [&](int row, const QString& caption, const QString& suffix, QComboBox*& combo,
                      RangeBox& from, RangeBox& to, QSpinBox*& count) {
    auto* label = new QLabel(caption, this);
    label->setObjectName("lblVariable" + suffix);
    combo = new QComboBox(this);
    combo->setObjectName("cboVariable" + suffix);
    label->setBuddy(combo);
    auto* from_label = new QLabel(QStringLiteral("From:"), this);
    from.box = new NumericBox(this);
    from.box->setObjectName("txtFrom" + suffix);
    from.box->setFixedWidth(number_width);
    auto* to_label = new QLabel(QStringLiteral("To:"), this);
    to.box = new NumericBox(this);
    to.box->setObjectName("txtTo" + suffix);
    to.box->setFixedWidth(number_width);
    auto* count_label = new QLabel(QStringLiteral("Points:"), this);
    count = new QSpinBox(this);
    count->setObjectName("spnCount" + suffix);
    count->setGroupSeparatorShown(true);
    for (RangeBox* b : {&from, &to}) {
      connect(b->box, &TextBox::userEdited, this, [b] { b->held.reset(); });
    }
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    grid->addWidget(from_label, row, 2);
    grid->addWidget(from.box, row, 3);
    grid->addWidget(to_label, row, 4);
    grid->addWidget(to.box, row, 5);
    grid->addWidget(count_label, row, 6);
    grid->addWidget(count, row, 7);
  };
  make_row(0, QStringLiteral("&Vary:"), QStringLiteral("1"), cboVariable1_, from1_, to1_,
           spnCount1_);
  make_row(1, QStringLiteral("C&urves of:"), QStringLiteral("2"), cboVariable2_, from2_, to2_,
           spnCount2_);
  grid->setColumnStretch(8, 1);

  cboVariable2_->addItem(QStringLiteral("(none)"));
  for (StudyVariable v : kStudyVariables) {
    const QString caption = Text(VariableCaption(v, context_.units));
    cboVariable1_->addItem(caption);
    cboVariable2_->addItem(caption);
  }
  spnCount1_->setRange(1, static_cast<int>(kMaxWindowPoints));
  spnCount2_->setRange(1, kMostCurves);
  connect(cboVariable1_, &QComboBox::currentIndexChanged, this, [this] { VariableChosen(1); });
  connect(cboVariable2_, &QComboBox::currentIndexChanged, this, [this] { VariableChosen(2); });

  chkMethods_ = new QCheckBox(QStringLiteral("Classical &methods"), this);
  chkMethods_->setObjectName("chkMethods");
  chkMethods_->setToolTip(QStringLiteral(
      "Martin, Martin-Vermes and tooth by tooth at every point: dashed curves on the "
      "mass-flow plot and columns of the table"));
  gamma_box_ = NewGammaBox(this, gamma_, [this] { UpdateButtons(); });
  chkRealGas_ = new QCheckBox(QStringLiteral("R&eal gas"), this);
  chkRealGas_->setObjectName("chkRealGas");
  chkRealGas_->setToolTip(
      QStringLiteral("Martin and Martin-Vermes with Z of the equation of state at each point's "
                     "upstream state; tooth by tooth stays the ideal gas's"));
  connect(chkMethods_, &QCheckBox::toggled, this, &StudyWindow::UpdateButtons);
  auto* methods_row = new QHBoxLayout;
  methods_row->addWidget(chkMethods_);
  methods_row->addSpacing(12);
  methods_row->addWidget(gamma_box_.label);
  methods_row->addWidget(gamma_box_.box);
  methods_row->addWidget(gamma_box_.source);
  methods_row->addWidget(gamma_box_.use_gas);
  methods_row->addSpacing(12);
  methods_row->addWidget(chkRealGas_);
  methods_row->addStretch(1);

  auto make_button = [&](const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
  };
  cmdRun_ = make_button(QStringLiteral("&Run"), "cmdRun");
  cmdRun_->setDefault(true);
  prgStudy_ = new QProgressBar(this);
  prgStudy_->setObjectName("prgStudy");
  prgStudy_->setMinimumWidth(240);
  cmdCancel_ = make_button(QStringLiteral("Cancel"), "cmdCancel");
  lblSummary_ = new QLabel(this);
  lblSummary_->setObjectName("lblSummary");
  connect(cmdRun_, &QPushButton::clicked, this, &StudyWindow::Run);
  connect(cmdCancel_, &QPushButton::clicked, this, &StudyWindow::Cancel);
  auto* run_row = new QHBoxLayout;
  run_row->addWidget(cmdRun_);
  run_row->addWidget(prgStudy_);
  run_row->addWidget(cmdCancel_);
  run_row->addSpacing(12);
  run_row->addWidget(lblSummary_, 1);
  prgStudy_->hide();
  cmdCancel_->hide();

  tabResults_ = new QTabWidget(this);
  tabResults_->setObjectName("tabResults");
  auto* plot_page = new QWidget(tabResults_);
  plots_ = new StudyPlotView(plot_page);
  plots_->setObjectName("plotStudy");
  lblFailed_ = new QLabel(QStringLiteral("Failed points:"), plot_page);
  lblFailed_->setObjectName("lblFailed");
  lstFailed_ = new QListWidget(plot_page);
  lstFailed_->setObjectName("lstFailed");
  lstFailed_->setMaximumHeight(metrics.height() * 5 + 8);
  lblFailed_->setBuddy(lstFailed_);
  auto* plot_layout = new QVBoxLayout(plot_page);
  plot_layout->addWidget(plots_, 1);
  plot_layout->addWidget(lblFailed_);
  plot_layout->addWidget(lstFailed_);
  tabResults_->addTab(plot_page, QStringLiteral("&Plot"));

  model_ = new StudyTableModel(this);
  tblPoints_ = new QTableView(tabResults_);
  tblPoints_->setObjectName("tblPoints");
  tblPoints_->setModel(model_);
  tblPoints_->setAlternatingRowColors(true);
  tblPoints_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblPoints_->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
  tblPoints_->horizontalHeader()->setStretchLastSection(true);
  tblPoints_->setAccessibleName(QStringLiteral("Study points"));
  tblPoints_->setAccessibleDescription(
      QStringLiteral("One row per point of the study: the varied inputs, the results in the units "
                     "of the case, the status, the message and the warnings of the point"));
  tabResults_->addTab(tblPoints_, QStringLiteral("&Table"));

  cmdExportCsv_ = make_button(QStringLiteral("Export &CSV..."), "cmdExportCsv");
  cmdExportPicture_ = make_button(QStringLiteral("Export P&icture..."), "cmdExportPicture");
  cmdClose_ = make_button(QStringLiteral("C&lose"), "cmdClose");
  connect(cmdExportCsv_, &QPushButton::clicked, this, &StudyWindow::ExportCsv);
  connect(cmdExportPicture_, &QPushButton::clicked, this, &StudyWindow::ExportPicture);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdExportCsv_);
  buttons->addWidget(cmdExportPicture_);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose_);

  auto* main = new QVBoxLayout(this);
  main->addWidget(vary);
  main->addLayout(methods_row);
  main->addLayout(run_row);
  main->addWidget(tabResults_, 1);
  main->addLayout(buttons);
  resize(980, 780);
}

void StudyWindow::VariableChosen(int row) {
  if (row == 1) {
    const auto v = static_cast<StudyVariable>(cboVariable1_->currentIndex());
    const SweepRange r = StartingRange(v, current_, false);
    SetBox(from1_, r.from);
    SetBox(to1_, r.to);
    spnCount1_->setValue(static_cast<int>(r.count));
    return;
  }
  const int index = cboVariable2_->currentIndex();
  const bool chosen = index > 0;
  for (QWidget* w : {static_cast<QWidget*>(from2_.box), static_cast<QWidget*>(to2_.box),
                     static_cast<QWidget*>(spnCount2_)}) {
    w->setEnabled(chosen && !running_);
  }
  if (!chosen) {
    for (RangeBox* b : {&from2_, &to2_}) {
      b->box->SetProgramText(QString());
      b->held.reset();
    }
    return;
  }
  const SweepRange r = StartingRange(static_cast<StudyVariable>(index - 1), current_, true);
  SetBox(from2_, r.from);
  SetBox(to2_, r.to);
  spnCount2_->setValue(static_cast<int>(r.count));
}

void StudyWindow::SetBox(RangeBox& box, double value) {
  box.box->SetValue(value);
  box.held = value;
}

std::optional<double> StudyWindow::ReadBox(const RangeBox& box) const {
  return box.held ? box.held : box.box->Value();
}

void StudyWindow::Focus(StudyBox box) {
  QWidget* widget = nullptr;
  switch (box) {
    case StudyBox::kFirstFrom:
      widget = from1_.box;
      break;
    case StudyBox::kFirstTo:
      widget = to1_.box;
      break;
    case StudyBox::kFirstCount:
      widget = spnCount1_;
      break;
    case StudyBox::kSecondVariable:
      widget = cboVariable2_;
      break;
    case StudyBox::kSecondFrom:
      widget = from2_.box;
      break;
    case StudyBox::kSecondTo:
      widget = to2_.box;
      break;
    case StudyBox::kSecondCount:
      widget = spnCount2_;
      break;
    case StudyBox::kNone:
      break;
  }
  if (!widget) return;
  widget->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

void StudyWindow::Run() {
  if (running_) return;
  StudyEntries entries;
  entries.first = static_cast<StudyVariable>(cboVariable1_->currentIndex());
  entries.first_from = ReadBox(from1_);
  entries.first_to = ReadBox(to1_);
  entries.first_count = spnCount1_->value();
  if (cboVariable2_->currentIndex() > 0) {
    entries.second = static_cast<StudyVariable>(cboVariable2_->currentIndex() - 1);
    entries.second_from = ReadBox(from2_);
    entries.second_to = ReadBox(to2_);
    entries.second_count = spnCount2_->value();
  }
  const StudyEntryCheck check = CheckStudyEntries(entries);
  if (!check.problem.empty()) {
    services_.messages.Show(check.problem);
    Focus(check.focus);
    return;
  }

  model_->SetRun(nullptr);
  plots_->Show(nullptr, {});
  lstFailed_->clear();
  std::optional<SweepMethods> methods;
  if (chkMethods_->isChecked()) {
    methods = SweepMethods{gamma_.given(), chkRealGas_->isChecked()};
  }
  run_ =
      std::make_unique<StudyRun>(context_.units, context_.engine, current_, check.ranges, methods);
  model_->SetRun(run_.get());
  running_ = true;
  UpdateButtons();
  lblSummary_->clear();
  prgStudy_->setRange(0, static_cast<int>(run_->size()));
  prgStudy_->setValue(0);

  {
    BusyScope busy(services_.busy);
    const auto start = StudyRun::Clock::now();
    while (run_->RunUntil(StudyRun::Clock::now() + kSlice)) {
      model_->Grow();
      prgStudy_->setValue(static_cast<int>(run_->done()));
      if (StudyRun::Clock::now() - start >= progress_delay_ && !prgStudy_->isVisible()) {
        prgStudy_->show();
        cmdCancel_->show();
        cmdCancel_->setFocus(Qt::OtherFocusReason);
      }
      emit progressed(run_->done(), run_->size());
      // The only place a click on Cancel, or a request to close, can land during a run.
      QApplication::processEvents(QEventLoop::AllEvents);
    }
  }
  running_ = false;
  model_->Grow();
  emit progressed(run_->done(), run_->size());
  prgStudy_->hide();
  cmdCancel_->hide();
  ShowResults();
  UpdateButtons();
  if (close_after_run_) {
    const int result = *close_after_run_;
    close_after_run_.reset();
    QDialog::done(result);
  }
}

void StudyWindow::Cancel() {
  if (run_ && running_) run_->Cancel();
}

void StudyWindow::ShowResults() {
  plots_->Show(&run_->sweep(), run_->points());
  lstFailed_->clear();
  // The list under the plots: the lines of the exports without their heading.
  const std::vector<std::string> failed = StudyFailedPointLines(*run_, kMostListedFailures);
  for (size_t k = 1; k < failed.size(); ++k) {
    QString line = Text(failed[k]);
    if (k == kMostListedFailures + 1) line += QStringLiteral(" (see the table)");
    lstFailed_->addItem(line);
  }
  lblFailed_->setText(run_->failed() == 0 ? QStringLiteral("Failed points: none")
                                          : QStringLiteral("Failed points:"));
  lstFailed_->setVisible(run_->failed() > 0);
  lblSummary_->setText(Text(StudySummary(*run_)));
  tblPoints_->resizeColumnsToContents();
}

void StudyWindow::UpdateButtons() {
  const bool results = run_ && !running_ && run_->done() > 0;
  cmdRun_->setEnabled(!running_);
  cmdExportCsv_->setEnabled(results);
  cmdExportPicture_->setEnabled(results);
  cboVariable1_->setEnabled(!running_);
  cboVariable2_->setEnabled(!running_);
  from1_.box->setEnabled(!running_);
  to1_.box->setEnabled(!running_);
  spnCount1_->setEnabled(!running_);
  chkMethods_->setEnabled(!running_);
  const bool methods = !running_ && chkMethods_->isChecked();
  gamma_box_.box->setEnabled(methods);
  gamma_box_.source->setEnabled(methods);
  gamma_box_.use_gas->setEnabled(methods && gamma_.CanUseTheGas());
  chkRealGas_->setEnabled(methods);
  const bool second = cboVariable2_->currentIndex() > 0 && !running_;
  from2_.box->setEnabled(second);
  to2_.box->setEnabled(second);
  spnCount2_->setEnabled(second);
}

void StudyWindow::ExportCsv() {
  if (!run_) return;
  FileDialogRequest request;
  request.mode = FileDialogMode::kSave;
  request.title = "Export Study Points";
  request.filter = "CSV File (*.csv)";
  request.file_must_exist = false;
  request.default_suffix = "csv";
  request.initial_name = "study.csv";
  const auto path = services_.files.Choose(request);
  if (!path) return;
  WriteExportFile(
      *path, [this] { return StudyCsv(*run_); }, services_.messages);
}

std::vector<std::string> StudyWindow::ExportHeading() const {
  return StudyExportHeading(StudyCaseOf(context_), *run_);
}

QByteArray StudyWindow::PictureBytes() const {
  // Twice the screen's pixels, for print and for slides: the case above the plots, the failed
  // points under them.
  const QSize plot_size = plots_->size().expandedTo(QSize(800, 600));
  QFont font = this->font();
  font.setPointSizeF(9);
  QImage probe(1, 1, QImage::Format_ARGB32);
  const qreal margin = 8;
  const qreal text_width = plot_size.width() - 2 * margin;
  const std::vector<std::string> heading = ExportHeading();
  const std::vector<std::string> failed = StudyFailedPointLines(*run_, kMostPictureFailures);
  const qreal heading_height = LinesHeight(font, &probe, text_width, heading);
  const qreal failed_height = LinesHeight(font, &probe, text_width, failed);
  const QSize size(plot_size.width(),
                   static_cast<int>(std::ceil(plot_size.height() + heading_height + failed_height +
                                              4 * margin)));
  QImage image(size * 2, QImage::Format_ARGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  DrawLines(painter, QRectF(margin, margin, text_width, heading_height), heading);
  const QRectF plots(0, heading_height + 2 * margin, plot_size.width(), plot_size.height());
  plots_->Render(painter, plots);
  painter.setFont(font);
  painter.setPen(Qt::black);
  DrawLines(painter, QRectF(margin, plots.bottom() + margin, text_width, failed_height), failed);
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
    throw std::runtime_error("the picture could not be made");
  }
  return bytes;
}

QByteArray StudyWindow::PdfBytes() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) throw std::runtime_error("the PDF could not be started");
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(windowTitle());
    writer.setCreator(QString::fromUtf8(kApplicationTitle));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                     QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
    writer.setResolution(300);
    QPainter painter;
    if (!painter.begin(&writer)) throw std::runtime_error("the PDF could not be started");
    const QRectF page = painter.viewport();
    QFont heading_font = font();
    heading_font.setPointSizeF(12);
    heading_font.setBold(true);
    QFont body = font();
    body.setPointSizeF(9);
    painter.setFont(heading_font);
    const qreal title_height = QFontMetricsF(heading_font, &writer).height() * 1.5;
    painter.drawText(QRectF(page.left(), page.top(), page.width(), title_height), windowTitle());

    // The failed points go under the case while they are few, else on pages of their own.
    std::vector<std::string> lines = ExportHeading();
    const std::vector<std::string> failed = StudyFailedPointLines(*run_, kMostListedFailures);
    const bool failed_on_first_page = failed.size() <= kMostFailuresUnderHeading + 1;
    if (failed_on_first_page) lines.insert(lines.end(), failed.begin(), failed.end());
    painter.setFont(body);
    const qreal text_top = page.top() + title_height;
    const qreal text_height = DrawLines(
        painter, QRectF(page.left(), text_top, page.width(), page.height() - title_height), lines);
    const qreal plots_top = text_top + text_height + title_height / 3;
    plots_->Render(painter,
                   QRectF(page.left(), plots_top, page.width(), page.bottom() - plots_top));

    if (!failed_on_first_page) {
      painter.setFont(body);
      painter.setPen(Qt::black);
      const qreal line = QFontMetricsF(body, &writer).height();
      qreal y = page.bottom();
      for (const std::string& text : failed) {
        const qreal height = LinesHeight(body, &writer, page.width(), {text});
        if (y + height > page.bottom()) {
          if (!writer.newPage()) throw std::runtime_error("the PDF could not start a page");
          y = page.top();
        }
        painter.drawText(QRectF(page.left(), y, page.width(), height + line),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, Text(text));
        y += height;
      }
    }
    if (!painter.end()) throw std::runtime_error("the PDF could not be finished");
  }
  return bytes;
}

void StudyWindow::ExportPicture() {
  if (!run_) return;
  FileDialogRequest request;
  request.mode = FileDialogMode::kSave;
  request.title = "Export Study Plots";
  request.filter = "PNG Image (*.png);;PDF File (*.pdf)";
  request.file_must_exist = false;
  request.default_suffix = "png";
  request.initial_name = "study.png";
  const auto path = services_.files.Choose(request);
  if (!path) return;
  const bool pdf =
      QFileInfo(Text(*path)).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
  WriteExportFile(
      *path, [this, pdf] { return Bytes(pdf ? PdfBytes() : PictureBytes()); }, services_.messages);
}

void StudyWindow::done(int result) {
  if (running_) {
    // The run stops at its next look at the events and the window closes then.
    close_after_run_ = result;
    Cancel();
    return;
  }
  QDialog::done(result);
}

}  // namespace torvane
