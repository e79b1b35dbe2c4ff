#include "gas/ui/gas_input.h"

#include "document/case_context.h"
#include "gas/gas_files.h"
#include "gas/ui/gas_input_window.h"
#include "gas/ui/new_gas_analysis_dialog.h"

namespace torvane {

GasInput::GasInput(CaseContext& context, const UiServices& services, Options options)
    : context_(context), services_(services), options_(std::move(options)) {}

GasInput::~GasInput() = default;

bool GasInput::IsHidden() const { return window_ && window_->hidden_for_new_gases(); }

void GasInput::Close() {
  if (!window_) return;
  window_->hide();
  window_.reset();
}

bool GasInput::NewGasAnalysis() {
  services_.busy.SetBusy(true);
  NewGasAnalysisDialog dialog(services_.messages, options_.parent);
  // The dialog waits for the user.
  services_.busy.SetBusy(false);
  if (RunGasDialog(options_.run_dialog, dialog) == QDialog::Accepted) {
    services_.busy.SetBusy(true);
    Close();
    StartNewGasAnalysis(context_, dialog.num_files(), dialog.num_gases(), dialog.gas_file_title());
    OpenNewWindow();
  }
  return context_.gas_defined;
}

void GasInput::ChangeGases() {
  services_.busy.SetBusy(true);
  context_.show_stored_gas = true;
  if (IsHidden()) {
    // The same window as it was: its opening steps do not run again.
    window_->PrepareToShowAgain();
    services_.busy.SetBusy(false);
    RunWindow();
    return;
  }
  OpenNewWindow();
}

bool GasInput::OpenGasFile(const std::optional<std::string>& path) {
  const OpenOutcome outcome =
      path ? OpenGasFileAt(context_, *path, services_.messages)
           : ChooseAndOpenGasFile(context_, services_.files, services_.messages,
                                  options_.program_folder);
  if (outcome != OpenOutcome::kOpened) return false;
  ShowStoredGas();
  return true;
}

void GasInput::ShowStoredGas() {
  services_.busy.SetBusy(true);
  context_.show_stored_gas = true;
  OpenNewWindow();
}

void GasInput::OpenNewWindow() {
  Close();
  GasInputWindow::Options options{options_.program_folder, options_.set_laby_command_enabled,
                                  options_.run_dialog};
  window_ =
      std::make_unique<GasInputWindow>(context_, services_, std::move(options), options_.parent);
  window_->Open();
  RunWindow();
}

void GasInput::RunWindow() {
  RunGasDialog(options_.run_dialog, *window_);
  // A window closed by its Close command is done with; one hidden by "Enter new gases" (or
  // still shown by a runner that does not wait) stays.
  if (window_ && window_->closed()) window_.reset();
}

}  // namespace torvane
