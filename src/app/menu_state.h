// Which commands of the main window are enabled over a run of the program. "&Save Settings" is
// enabled only while the case has a settings file: it never writes a case over a file that was
// opened for another one.
#pragma once

namespace torvane {

class MenuState {
 public:
  // The window loads: the save commands and "&Labyrinth Leakage" are disabled.
  MenuState() = default;

  // The main window becomes active again: "&Change Gases" follows whether the gas data have
  // been calculated.
  void OnActivate(bool gas_calculated) { change_gases_ = gas_calculated; }
  // "&New Gas Analysis" has closed its dialog; a defined analysis makes it worth saving. A new
  // analysis is a new case without a file: "&Save Settings" waits until "Save Settings &As..."
  // names one.
  void OnNewGasAnalysisClosed(bool gas_defined, bool has_settings_file) {
    if (gas_defined) save_settings_as_ = true;
    if (!has_settings_file) save_settings_ = false;
  }
  // A gas file was opened and its window has closed.
  void OnGasFileOpened() { save_settings_as_ = true; }
  void OnSettingsSavedAs() { save_settings_ = save_settings_as_ = true; }
  void OnSettingsOpened() { save_settings_ = save_settings_as_ = true; }
  void SetLabyCommandEnabled(bool enabled) { laby_ = enabled; }

  bool save_settings() const { return save_settings_; }
  bool save_settings_as() const { return save_settings_as_; }
  bool change_gases() const { return change_gases_; }
  bool labyrinth_leakage() const { return laby_; }

 private:
  bool save_settings_ = false;
  bool save_settings_as_ = false;
  bool change_gases_ = false;
  bool laby_ = false;
};

}  // namespace torvane
