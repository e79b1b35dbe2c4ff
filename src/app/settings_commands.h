// The three settings-file commands of the File menu: Open Settings, Save Settings and Save
// Settings As, with their file dialog.
#pragma once

#include <optional>
#include <string>

#include "platform/file_chooser.h"

namespace torvane {

struct CaseContext;
struct UiServices;

inline constexpr const char kSettingsDialogTitle[] = "Torvane File";
inline constexpr const char kSettingsFilter[] = "Torvane \xC2\xAE Files (*.trv);;All Files (*)";

// The main window's caption: the application title, and the settings file Save Settings writes
// to when the case has one ("Torvane ® - case1.trv").
std::string MainWindowCaption(const std::string& settings_file_path);

class SettingsCommands {
 public:
  // program_folder: the folder of the program's executable, where the dialog starts.
  SettingsCommands(CaseContext& context, UiServices& services, std::string program_folder);

  // Chooses a settings file (or takes path, as from the command line) and reads it into the
  // case: record, labyrinth data and unit choice. True when the case was replaced; a cancelled
  // dialog is silent, a failed read says why and leaves the case as it was.
  bool OpenSettings(const std::optional<std::string>& path = std::nullopt);
  // Writes the case to the current settings file. True when written; a failure says why.
  bool SettingsSave();
  // Chooses a file name, then SettingsSave to it. True when written.
  bool SettingsSaveAs();

  // The settings file dialog: title "Torvane File", the filter, default extension ".trv",
  // starting in the program's folder (the home folder when the program's is not writable), or
  // in the current settings file's folder once there is one.
  FileDialogRequest DialogRequest(FileDialogMode mode) const;

 private:
  bool Save(const std::string& path);

  CaseContext& context_;
  UiServices& services_;
  std::string program_folder_;
};

}  // namespace torvane
