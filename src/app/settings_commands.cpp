#include "app/settings_commands.h"

#include <unistd.h>

#include <cstdlib>

#include "document/case_context.h"
#include "document/case_files.h"
#include "platform/busy_pointer.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "platform/ui_services.h"

namespace torvane {

std::string MainWindowCaption(const std::string& settings_file_path) {
  if (settings_file_path.empty()) return kApplicationTitle;
  return std::string(kApplicationTitle) + " - " + FileTitle(settings_file_path);
}

SettingsCommands::SettingsCommands(CaseContext& context, UiServices& services,
                                   std::string program_folder)
    : context_(context), services_(services), program_folder_(std::move(program_folder)) {}

FileDialogRequest SettingsCommands::DialogRequest(FileDialogMode mode) const {
  FileDialogRequest r;
  r.mode = mode;
  r.title = kSettingsDialogTitle;
  r.filter = kSettingsFilter;
  r.default_suffix = "trv";
  // The program's folder, where the cases beside the program are; a folder the user may not
  // write (an installed program's) would make every first save fail, so then the home folder.
  r.initial_folder = program_folder_;
  if (access(program_folder_.c_str(), W_OK) != 0) {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') r.initial_folder = home;
  }
  const std::string& current = context_.settings_file_path;
  if (!current.empty()) {
    const auto slash = current.find_last_of('/');
    if (slash != std::string::npos) r.initial_folder = current.substr(0, slash);
    if (mode == FileDialogMode::kSave) r.initial_name = FileTitle(current);
  }
  r.hide_read_only = true;
  r.file_must_exist = true;
  // Replacing another file is asked first: a case is never overwritten by a slip of the mouse.
  r.confirm_overwrite = true;
  return r;
}

bool SettingsCommands::OpenSettings(const std::optional<std::string>& path) {
  std::optional<std::string> chosen = path;
  if (!chosen) chosen = services_.files.Choose(DialogRequest(FileDialogMode::kOpen));
  if (!chosen) return false;
  try {
    BusyScope busy(services_.busy);
    OpenSettingsFile(context_, *chosen);
  } catch (const FileError& e) {
    services_.messages.Show(OpenFailureMessage(e));
    return false;
  }
  return true;
}

bool SettingsCommands::Save(const std::string& path) {
  try {
    BusyScope busy(services_.busy);
    SaveSettingsFile(context_, path);
  } catch (const FileError& e) {
    services_.messages.Show(SaveFailureMessage(e));
    return false;
  }
  return true;
}

bool SettingsCommands::SettingsSave() {
  if (context_.settings_file_path.empty()) return SettingsSaveAs();
  return Save(context_.settings_file_path);
}

bool SettingsCommands::SettingsSaveAs() {
  const auto chosen = services_.files.Choose(DialogRequest(FileDialogMode::kSave));
  if (!chosen) return false;
  return Save(*chosen);
}

}  // namespace torvane
