#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/about_box.h"
#include "app/help_file.h"
#include "app/help_window.h"
#include "document/case_context.h"
#include "platform/busy_pointer.h"
#include "platform/message_service.h"
#include "platform/ui_services.h"
#include "units/ui/units_dialog.h"

namespace torvane {

std::string HelpFilePath(const std::string& program_folder) {
  return program_folder + "/Torvane.HLP";
}

MainWindow::MainWindow(CaseContext& context, UiServices& services, SettingsStore& store,
                       std::string program_folder, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      services_(services),
      store_(store),
      program_folder_(std::move(program_folder)),
      settings_(context, services, program_folder_),
      run_modal_([](QDialog& d) { return d.exec(); }) {
  setObjectName("frmGasMenu");
  setWindowIcon(QIcon(":/torvane/torvane.svg"));

  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("mnuFile");
  AddAction(file, "mnuFileOpenSettings", "&Open Settings...", nullptr);
  AddAction(file, "mnuFileSaveSettings", "&Save Settings", &MainWindow::SaveSettings);
  AddAction(file, "mnuFileSaveSettingsAs", "Save Settings &As...", &MainWindow::SaveSettingsAs);
  AddAction(file, "mnuFileUnits", "&Units", &MainWindow::ShowUnits);
  file->addSeparator();
  AddAction(file, "mnuFileExit", "E&xit", nullptr);
  QMenu* gas = menuBar()->addMenu("&Gas Input");
  gas->setObjectName("mnuGas");
  AddAction(gas, "mnuGasOpenDB", "&Open File", nullptr);
  AddAction(gas, "mnuGasNew", "&New Gas Analysis", &MainWindow::NewGasAnalysis);
  AddAction(gas, "mnuGasChange", "&Change Gases", &MainWindow::ChangeGases);
  QMenu* calc = menuBar()->addMenu("&Calculate");
  calc->setObjectName("mnuCalc");
  AddAction(calc, "mnuCalcLaby", "&Labyrinth Leakage", &MainWindow::LabyrinthLeakage);
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("mnuHelp");
  AddAction(help, "mnuHelpContents", "&Contents" + QString(37, ' ') + "F1",
            &MainWindow::HelpContents);
  AddAction(help, "mnuHelpSearch", "&Search For Help On...", &MainWindow::HelpSearch);
  AddAction(help, "mnuHelpSupport", "&Obtaining Technical Support...", &MainWindow::HelpSupport);
  help->addSeparator();
  AddAction(help, "mnuHelpAbout", "&About Torvane...", &MainWindow::ShowAbout);
  connect(action("mnuFileOpenSettings"), &QAction::triggered, this, [this] { OpenSettings(); });
  connect(action("mnuFileExit"), &QAction::triggered, this, &QWidget::close);
  connect(action("mnuGasOpenDB"), &QAction::triggered, this, [this] { OpenGasFile(); });
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(f1, &QShortcut::activated, this, &MainWindow::HelpContents);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* icon = new QLabel(central);
  icon->setPixmap(QIcon(":/torvane/torvane.svg").pixmap(96, 96));
  icon->setAlignment(Qt::AlignCenter);
  auto* product = new QLabel("Torvane", central);
  product->setObjectName("lblProduct");
  QFont product_font("Times New Roman", 28, QFont::Bold);
  product->setFont(product_font);
  product->setAlignment(Qt::AlignCenter);
  auto* subtitle = new QLabel("Labyrinth seal leakage", central);
  subtitle->setAlignment(Qt::AlignCenter);
  auto* company = new QLabel("Quillon , Inc.", central);
  company->setObjectName("lblTitle");
  company->setFont(QFont("Times New Roman", 16));
  company->setAlignment(Qt::AlignCenter);
  layout->addStretch();
  layout->addWidget(icon);
  layout->addWidget(product);
  layout->addWidget(subtitle);
  layout->addSpacing(24);
  layout->addWidget(company);
  layout->addStretch();
  setCentralWidget(central);
  resize(520, 360);

  // The window loads.
  context_.gas_calculated = false;
  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  context_.laby_data[kFlowCoef] = 0.67;
  context_.laby_data[kToothNumber] = 1;
  context_.gas_defined = false;
  menu_ = MenuState();
  SetLabyCommandEnabled(false);
  UpdateActions();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddAction(QMenu* menu, const char* name, const QString& caption,
                               void (MainWindow::*slot)()) {
  auto* a = menu->addAction(caption);
  a->setObjectName(name);
  if (slot != nullptr) connect(a, &QAction::triggered, this, slot);
  return a;
}

QAction* MainWindow::action(const char* object_name) const {
  return findChild<QAction*>(object_name);
}

void MainWindow::UpdateActions() {
  setWindowTitle(QString::fromStdString(MainWindowCaption(context_.settings_file_path)));
  action("mnuFileSaveSettings")->setEnabled(menu_.save_settings());
  action("mnuFileSaveSettingsAs")->setEnabled(menu_.save_settings_as());
  action("mnuGasChange")->setEnabled(menu_.change_gases());
  action("mnuCalcLaby")->setEnabled(menu_.labyrinth_leakage());
}

void MainWindow::SetLabyCommandEnabled(bool enabled) {
  menu_.SetLabyCommandEnabled(enabled);
  UpdateActions();
}

void MainWindow::Activated() {
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  if (services_.busy.busy()) services_.busy.SetBusy(false);
  menu_.OnActivate(context_.gas_calculated);
  UpdateActions();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Activated();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The program ends at once, without a question about unsaved data.
  event->accept();
  QApplication::exit(0);
}

void MainWindow::OpenSettings(const std::optional<std::string>& path) {
  if (!settings_.OpenSettings(path)) return;
  SetLabyCommandEnabled(true);
  {
    BusyScope busy(services_.busy);
    context_.show_stored_gas = true;
  }
  if (units_) units_->Load();
  if (commands_.show_stored_gas) commands_.show_stored_gas();
  menu_.OnSettingsOpened();
  Activated();
}

void MainWindow::SaveSettings() {
  if (settings_.SettingsSave()) menu_.OnSettingsSavedAs();
  UpdateActions();
}

void MainWindow::SaveSettingsAs() {
  if (settings_.SettingsSaveAs()) menu_.OnSettingsSavedAs();
  UpdateActions();
}

UnitsDialog* MainWindow::units_dialog() {
  if (!units_) units_ = std::make_unique<UnitsDialog>(context_, store_, services_.messages, this);
  return units_.get();
}

void MainWindow::ShowUnits() {
  UnitsDialog* dialog = units_dialog();
  dialog->Load();
  run_modal_(*dialog);
  Activated();
}

void MainWindow::NewGasAnalysis() {
  if (commands_.new_gas_analysis) commands_.new_gas_analysis();
  menu_.OnNewGasAnalysisClosed(context_.gas_defined, !context_.settings_file_path.empty());
  Activated();
}

void MainWindow::ChangeGases() {
  context_.show_stored_gas = true;
  if (commands_.change_gases) commands_.change_gases();
  Activated();
}

void MainWindow::OpenGasFile(const std::optional<std::string>& path) {
  if (commands_.open_gas_file && commands_.open_gas_file(path)) {
    if (units_) units_->Load();
    menu_.OnGasFileOpened();
  }
  Activated();
}

void MainWindow::LabyrinthLeakage() {
  if (commands_.open_labyrinth) commands_.open_labyrinth();
  Activated();
}

void MainWindow::ShowHelp(int context, bool search) {
  if (!help_) help_ = std::make_unique<HelpWindow>(HelpFilePath(program_folder_), this);
  if (search) {
    help_->ShowSearch();
  } else {
    help_->ShowContext(context);
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::HelpContents() { ShowHelp(help_context_, false); }
void MainWindow::HelpSearch() { ShowHelp(help_context_, true); }

void MainWindow::HelpSupport() {
  help_context_ = kHelpSupportContext;
  ShowHelp(kHelpSupportContext, false);
}

void MainWindow::ShowAbout() {
  AboutBox about(context_.version_text, services_.messages, this);
  run_modal_(about);
  Activated();
}

}  // namespace torvane
