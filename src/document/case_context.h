// The one shared state of a run: the case record, the labyrinth data, the current unit choice,
// the gas property engine with the current gas, the file paths and the run-time flags. It is
// created at start-up and handed to every window; nothing else holds case data.
#pragma once

#include <string>

#include "document/case_record.h"
#include "document/laby_data.h"
#include "engine/gas_engine.h"
#include "units/unit_choice.h"

namespace torvane {

class MessageService;
class SettingsStore;

struct CaseContext {
  explicit CaseContext(MessageService& messages) : engine(messages) {}
  CaseContext(const CaseContext&) = delete;
  CaseContext& operator=(const CaseContext&) = delete;

  CaseRecord record;
  LabyData laby_data{};
  // The labels and factors of the unit choice in record, selected by ApplyUnitChoice.
  UnitChoice units;
  // One characterised mixture per gas section; its current gas is CurrentGas.
  GasEngine engine;

  std::string gas_file_path;
  std::string gas_file_title;  // the gas file's name without its folder
  std::string settings_file_path;
  std::string version_text;  // "Version 8.0.2"
  std::string laby_title;    // the labyrinth window's title; in no file

  bool gas_calculated = false;
  bool show_stored_gas = false;
  bool gas_defined = false;
  bool warn_answer = false;
  // The labyrinth results are those a settings file brought, not calculated in this run. A file
  // does not record the gas section they were calculated with, so the labyrinth window marks
  // them as stored until the user calculates.
  bool laby_results_stored = false;

  int CurrentGas() const { return engine.current_gas(); }
  void SetCurrentGas(int section) { engine.SetCurrentGas(section); }

  // Selects the labels and factors of the record's unit indices. An index outside its
  // quantity's list is rejected with std::invalid_argument and nothing changes.
  void ApplyUnitChoice() { units.ApplyUnitChoice(record.unit_num); }
};

// "Version " + major + "." + minor + "." + revision.
std::string VersionText(int major, int minor, int revision);

// The start-up steps that need no window: the version text, the reserved integers (R6 = 1,
// R1..R4, R5(0..3) and R7 = 0; R5(4) is left alone), the stored unit choice and its labels and
// factors. The allowable-range table is part of every UnitChoice.
void StartUp(CaseContext& context, const SettingsStore& store);

// Reads a settings file into the case: the record and the labyrinth data are replaced, the
// file's unit choice is applied, SettingsFilePath becomes path, ShowStoredGas is set and the
// labyrinth results are marked as stored. On
// any failure FileError is raised and the context is exactly as it was.
void OpenSettingsFile(CaseContext& context, const std::string& path);

// Writes the record and the labyrinth data to path; SettingsFilePath becomes path only when
// the file has been written.
void SaveSettingsFile(CaseContext& context, const std::string& path);

// Reads a gas file into the record, applies its unit choice (the labyrinth data stay, converted
// into the file's units), sets GasFilePath, GasFileTitle and ShowStoredGas. On failure the
// context is as it was.
void OpenGasFile(CaseContext& context, const std::string& path);

// Writes the record to path; GasFilePath and GasFileTitle change only when it has been
// written.
void SaveGasFile(CaseContext& context, const std::string& path);

// The file-name part of a path.
std::string FileTitle(const std::string& path);

// The name the gas file save dialog proposes: the title without a final ".BNQ" (any case).
std::string ProposedGasFileName(const std::string& gas_file_title);

}  // namespace torvane
