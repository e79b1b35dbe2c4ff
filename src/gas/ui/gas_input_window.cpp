#include "gas/ui/gas_input_window.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "gas/ui/gas_warning_dialog.h"
#include "orvell/orvell_list.h"
#include "platform/ui/input_boxes.h"

namespace torvane {
namespace {

constexpr char kSectionItems[] = "0;One\r\n1;Two\r\n2;Three";
constexpr char kSectionCaption[] = "File Number";
constexpr int kGroups = 3;
// Columns of a group in the grid: number, code, fraction, and a gap before the next group.
constexpr int kColumnsPerGroup = 4;

void SetTextIfChanged(TextBox* box, const std::string& text) {
  const QString q = QString::fromStdString(text);
  if (box->text() != q) box->SetProgramText(q);
}

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  // Enter in a box must not press a button.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

// "Use File 2" with its access key.
QString WithAccessKey(const std::string& caption) { return "&" + QString::fromStdString(caption); }

}  // namespace

GasInputWindow::GasInputWindow(CaseContext& context, const UiServices& services, Options options,
                               QWidget* parent)
    : QDialog(parent), options_(std::move(options)) {
  GasWarningPrompter& warnings = *this;
  GasWindowHooks& hooks = *this;
  model_ = std::make_unique<GasAnalysisModel>(context, services, warnings, hooks,
                                              options_.program_folder);
  setObjectName("frmGasInput");
  setModal(true);
  BuildControls();
}

GasInputWindow::~GasInputWindow() = default;

void GasInputWindow::BuildControls() {
  const QFontMetrics metrics = fontMetrics();
  const int code_width = metrics.horizontalAdvance("MMMMM") + 12;
  const int fraction_width = metrics.horizontalAdvance("0.000000") + 14;

  auto* components = new QGroupBox(tr("Gas Analysis"), this);
  components->setObjectName("fraComponents");
  auto* grid = new QGridLayout(components);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  for (int group = 0; group < kGroups; ++group) {
    const int column = group * kColumnsPerGroup;
    auto heading = [&](const QString& text, const QString& name, Qt::Alignment alignment) {
      auto* label = new QLabel(text, components);
      label->setObjectName(name + "_" + QString::number(group));
      label->setAlignment(alignment | Qt::AlignBottom);
      QFont bold = label->font();
      bold.setBold(true);
      label->setFont(bold);
      return label;
    };
    headings_[Index(group)] = {heading(tr("No."), "lblHeadNo", Qt::AlignRight),
                               heading(tr("Gas Name"), "lblHeadName", Qt::AlignLeft),
                               heading(tr("Mol Fraction"), "lblHeadFract", Qt::AlignRight)};
    for (int k = 0; k < 3; ++k) grid->addWidget(headings_[Index(group)][Index(k)], 0, column + k);
    if (group > 0) grid->setColumnMinimumWidth(column - 1, 18);
  }
  for (int i = 0; i < kGasSlots; ++i) {
    Row& row = rows_[Index(i)];
    const int column = (i / kRowsPerGroup) * kColumnsPerGroup;
    const int line = 1 + i % kRowsPerGroup;
    row.number = new QLabel(QString::number(i + 1), components);
    row.number->setObjectName("lblNo_" + QString::number(i));
    row.number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.code = new TextBox(components);
    row.code->setObjectName("txtGasName_" + QString::number(i));
    row.code->setFixedWidth(code_width);
    row.fraction = new NumericBox(components);
    row.fraction->setObjectName("txtMolFract_" + QString::number(i));
    row.fraction->SetFormat(kMolFractionFormat);
    row.fraction->SetBounds(0, 1);
    row.fraction->setFixedWidth(fraction_width);
    // A screen reader names each box by its row and column, not by the group around them.
    row.code->setAccessibleName(tr("Gas %1 code").arg(i + 1));
    row.fraction->setAccessibleName(tr("Gas %1 mol fraction").arg(i + 1));
    grid->addWidget(row.number, line, column);
    grid->addWidget(row.code, line, column + 1);
    grid->addWidget(row.fraction, line, column + 2);
    connect(row.code, &TextBox::left, this, [this, i] { LeaveCode(i); });
    connect(row.fraction, &TextBox::left, this, [this, i] { LeaveFraction(i); });
  }
  // The rows keep to the left when the totals make the window wider than the groups shown.
  grid->setColumnStretch(kGroups * kColumnsPerGroup, 1);
  grid->setRowStretch(kRowsPerGroup + 1, 1);

  // Totals.
  auto make_total = [&](const char* name, int width) {
    auto* box = new TextBox(this);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFixedWidth(width);
    return box;
  };
  txt_total_mf_ = make_total("txtTotalMF", fraction_width + 8);
  txt_total_mw_ = make_total("txtTotalMW", fraction_width + 8);
  auto* lbl_total_mf = new QLabel(tr("Total Mol Fraction :"), this);
  lbl_total_mf->setObjectName("lblTotalMF");
  auto* lbl_total_mw = new QLabel(tr("Total Mol Weight :"), this);
  lbl_total_mw->setObjectName("lblTotalMW");
  lbl_total_mf->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lbl_total_mw->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lbl_total_mf->setBuddy(txt_total_mf_);
  lbl_total_mw->setBuddy(txt_total_mw_);
  for (auto [label, box] :
       {std::pair{lbl_total_mf, txt_total_mf_}, {lbl_total_mw, txt_total_mw_}}) {
    // Without the " :", for the box and for the label a screen reader reads it by.
    const QString name = label->text().chopped(2);
    label->setAccessibleName(name);
    box->setAccessibleName(name);
  }
  auto* totals = new QGridLayout;
  totals->setColumnStretch(0, 1);
  totals->addWidget(lbl_total_mf, 0, 1);
  totals->addWidget(txt_total_mf_, 0, 2);
  totals->addWidget(lbl_total_mw, 1, 1);
  totals->addWidget(txt_total_mw_, 1, 2);

  // Section selector and commands.
  opt_num_file_ = new orvell::OrvellList(this);
  opt_num_file_->setObjectName("optNumFile");
  opt_num_file_->setContents(kSectionItems);
  opt_num_file_->setCaption(kSectionCaption);
  opt_num_file_->setFixedSize(opt_num_file_->sizeHint().expandedTo(QSize(120, 0)));
  connect(opt_num_file_, &orvell::OrvellList::Click, this, &GasInputWindow::SectionClicked);
  connect(opt_num_file_, &orvell::OrvellList::KeyUp, this, &GasInputWindow::SectionKeyUp);

  cmd_calc_ = MakeButton(tr("&Calculate"), "cmdCalc", this);
  cmd_last_ = MakeButton(WithAccessKey(kUseFileCaptionPrefix), "cmdLast", this);
  cmd_save_ = MakeButton(tr("&Save"), "cmdSave", this);
  cmd_close_ = MakeButton(tr("C&lose"), "cmdClose", this);
  cmd_close_->installEventFilter(this);
  connect(cmd_calc_, &QPushButton::clicked, this, [this] {
    if (!CommitPendingEdit()) return;
    model_->Calculate();
    Refresh();
  });
  connect(cmd_last_, &QPushButton::clicked, this, [this] {
    if (!CommitPendingEdit()) return;
    model_->UseLastFile();
    Refresh();
  });
  connect(cmd_save_, &QPushButton::clicked, this, [this] {
    if (!CommitPendingEdit()) return;
    model_->Save();
    Refresh();
  });
  connect(cmd_close_, &QPushButton::clicked, this, &GasInputWindow::CloseCommand);

  auto* side = new QVBoxLayout;
  side->addWidget(opt_num_file_);
  side->addStretch(1);
  for (QPushButton* button : {cmd_calc_, cmd_last_, cmd_save_, cmd_close_}) {
    button->setMinimumWidth(opt_num_file_->width());
    side->addWidget(button);
  }

  auto* left = new QVBoxLayout;
  left->addWidget(components);
  left->addLayout(totals);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addSpacing(8);
  layout->addLayout(side);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Down the rows, code then fraction, then the commands and the selector.
  QWidget* previous = nullptr;
  auto chain = [&](QWidget* next) {
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  };
  for (const Row& row : rows_) {
    chain(row.code);
    chain(row.fraction);
  }
  for (QWidget* w : {static_cast<QWidget*>(cmd_calc_), static_cast<QWidget*>(cmd_last_),
                     static_cast<QWidget*>(cmd_save_), static_cast<QWidget*>(cmd_close_),
                     static_cast<QWidget*>(opt_num_file_)}) {
    chain(w);
  }
}

void GasInputWindow::Open() {
  model_->Open();
  Refresh();
  adjustSize();
  if (model_->view().row_count > 0) rows_[0].code->setFocus();
}

void GasInputWindow::Refresh() {
  const GasWindowView& v = model_->view();
  setWindowTitle(QString::fromStdString(v.caption));
  for (int i = 0; i < kGasSlots; ++i) {
    const Row& row = rows_[Index(i)];
    const bool shown = i < v.row_count;
    row.number->setVisible(shown);
    row.code->setVisible(shown);
    row.fraction->setVisible(shown);
    SetTextIfChanged(row.code, v.rows[Index(i)].code);
    SetTextIfChanged(row.fraction, v.rows[Index(i)].fraction);
  }
  for (int group = 0; group < kGroups; ++group) {
    for (QLabel* label : headings_[Index(group)]) label->setVisible(v.GroupShown(group));
  }
  SetTextIfChanged(txt_total_mf_, v.total_mol_fraction);
  SetTextIfChanged(txt_total_mw_, v.total_mol_weight);
  cmd_save_->setEnabled(v.save_enabled);
  cmd_calc_->setEnabled(v.calc_enabled);
  cmd_last_->setVisible(v.last_visible);
  cmd_last_->setEnabled(v.last_enabled);
  cmd_last_->setText(WithAccessKey(v.last_caption));

  opt_num_file_->setVisible(v.selector_visible);
  {
    // The program's own selection is no pick by the user.
    const QSignalBlocker blocker(opt_num_file_);
    if (opt_num_file_->ListIndex() != v.selector_section) {
      opt_num_file_->setListIndex(v.selector_section);
    }
    for (int g = 0; g < kGasSections; ++g) {
      opt_num_file_->setItemEnabled(g, static_cast<bool>(v.selector_enabled[Index(g)]));
    }
  }
}

bool GasInputWindow::LeaveCode(int row) {
  if (focus_return_.returning()) return true;
  TextBox* box = rows_[Index(row)].code;
  const bool back = model_->LeaveCodeBox(row, box->text().toStdString(), box->modified_by_user());
  // A refused entry stays the user's: a command given before the box is left again checks it
  // again, as leaving would.
  if (!back) box->ClearModified();
  Refresh();
  if (back) focus_return_.Later(box);
  return !back;
}

bool GasInputWindow::LeaveFraction(int row) {
  if (focus_return_.returning()) return true;
  NumericBox* box = rows_[Index(row)].fraction;
  const bool back =
      model_->LeaveFractionBox(row, box->text().toStdString(), box->modified_by_user());
  if (!back) box->ClearModified();
  Refresh();
  if (back) focus_return_.Later(box);
  return !back;
}

bool GasInputWindow::CommitPendingEdit() {
  QWidget* focus = focusWidget();
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    const Row& r = rows_[static_cast<size_t>(row)];
    if (focus == r.code && r.code->modified_by_user()) return LeaveCode(row);
    if (focus == r.fraction && r.fraction->modified_by_user()) return LeaveFraction(row);
  }
  return true;
}

void GasInputWindow::SectionClicked() {
  const int index = opt_num_file_->ListIndex();
  // A click on the section on display changes nothing: picking an uncalculated section again
  // would clear what has been typed into it.
  if (index >= 0 && index != model_->view().selector_section && opt_num_file_->ItemEnabled(index)) {
    model_->PickSection(opt_num_file_->Value().toInt());
  }
  Refresh();
}

// The arrow keys move the selection without a click; the window follows them to sections that
// may be picked and puts the selection back from the others.
void GasInputWindow::SectionKeyUp() {
  if (opt_num_file_->ListIndex() != model_->view().selector_section) SectionClicked();
}

void GasInputWindow::CloseCommand() {
  if (!CommitPendingEdit()) return;
  if (model_->Close() == CloseOutcome::kClosed) {
    closed_ = true;
    Refresh();
    done(QDialog::Accepted);
    return;
  }
  Refresh();
}

void GasInputWindow::reject() { CloseCommand(); }

bool GasInputWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cmd_close_ && event->type() == QEvent::FocusIn) model_->CloseButtonFocused();
  return QDialog::eventFilter(watched, event);
}

bool GasInputWindow::AskOutOfLimits() { return Ask(GasWarning::kOutOfLimits); }
bool GasInputWindow::AskNotOne() { return Ask(GasWarning::kNotOne); }

bool GasInputWindow::Ask(GasWarning warning) {
  GasWarningDialog dialog(warning, this);
  RunGasDialog(options_.run_dialog, dialog);
  return dialog.answer();
}

void GasInputWindow::SetLabyCommandEnabled(bool enabled) {
  if (options_.set_laby_command_enabled) options_.set_laby_command_enabled(enabled);
}

void GasInputWindow::HideGasWindow() {
  hidden_for_new_gases_ = true;
  hide();
}

}  // namespace torvane
