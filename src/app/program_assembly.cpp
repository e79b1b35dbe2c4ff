#include "app/program_assembly.h"

#include <QTimer>

#include "app/main_window.h"
#include "document/case_context.h"
#include "document/case_files.h"
#include "platform/ui_services.h"

namespace torvane {

Program::Program(CaseContext& context, UiServices& services, SettingsStore& store,
                 std::string program_folder)
    : context_(context), services_(services) {
  main_ = std::make_unique<MainWindow>(context, services, store, std::move(program_folder));
}

Program::~Program() = default;

void Program::OpenFileAtStart(const std::string& path) {
  QTimer::singleShot(0, main_.get(), [this, path] { OpenFile(path); });
}

void Program::OpenFile(const std::string& path) {
  if (IsSettingsFileName(path)) {
    main_->OpenSettings(path);
  } else {
    main_->OpenGasFile();
  }
}

}  // namespace torvane
