// The labyrinth window's rules without a window: what the window shows when it opens, the
// enabling of Calculate and Print, the title and the case title, the check of a box the user
// leaves, and the calculation with the storing of the labyrinth data record. The window binds
// its controls to this and decides nothing itself.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "laby/labyrinth_calculation.h"

namespace torvane {

struct CaseContext;

inline constexpr const char kLabyWindowCaptionPrefix[] = "Labyrinth Leakage - ";
inline constexpr const char kLabyTypeContents[] = "0;Stepped\r\n1;Straight";
inline constexpr const char kLabyTypeCaption[] = "Labyrinth type";
// Beside the gas section label while the results shown are those a settings file brought.
inline constexpr const char kStoredResultsCaption[] = "Results as stored in the file";
// The four result boxes.
inline constexpr const char kResultFormat[] = "#,##0.000";
inline constexpr double kOpeningFlowCoef = 0.67;
// The title box takes no more than the case title holds.
inline constexpr int kTitleLength = 40;

// The nine input boxes, in the slot order of the labyrinth data record.
inline constexpr std::array<LabyField, 9> kInputFields = {
    LabyField::kSealDia,   LabyField::kSealRadClear, LabyField::kPressUp,
    LabyField::kPressDown, LabyField::kTempUp,       LabyField::kToothThk,
    LabyField::kToothSpc,  LabyField::kToothNo,      LabyField::kFloCo,
};

// The record slot an input box is stored in.
int LabySlot(LabyField field);

// The caption beside an input box: "Seal diameter:", "Number of teeth:", ...
std::string FieldCaption(LabyField field);

// What assistive technology reads for a box: its caption without the colon and, when it has a
// unit, the unit label without its padding: "Seal diameter, in", "Number of teeth",
// "Labyrinth flow rate, lb/min".
std::string AccessibleBoxName(const std::string& caption, const std::string& unit_label);
// A fixed-width unit label without the blanks that pad it: "psia    " reads "psia".
std::string TrimmedLabel(const std::string& label);

// The message for a box whose text does not read as a number (empty, letters, NaN, a number
// too large for a double): "Seal diameter must be a number".
std::string NotANumberMessage(LabyField field);

// What the window holds when the user asks for a calculation: the type list's item index and
// each input box's number, nothing where the text is not a number.
struct LabyEntries {
  int laby_type = 0;
  std::array<std::optional<double>, 10> values{};  // indexed by LabyField

  std::optional<double>& operator[](LabyField f) { return values[static_cast<size_t>(f)]; }
  const std::optional<double>& operator[](LabyField f) const {
    return values[static_cast<size_t>(f)];
  }
};

class LabyrinthForm {
 public:
  // Opening the window: the limits are those of the units in force now, and the title box's
  // text (LabyTitle, or CaseTitle without its trailing blanks when LabyTitle is empty) is copied
  // into CaseTitle and LabyTitle as every setting of the title is.
  LabyrinthForm(CaseContext& context, MessageService& messages);

  // "Labyrinth Leakage - " + GasFileTitle.
  std::string WindowCaption() const;
  // The gas section the calculation uses, of those in the case: "Gas 2 of 3".
  std::string GasSectionCaption() const;
  // Whether the results shown are those a settings file brought: a file does not record the
  // gas section they were calculated with, so they may belong to another section than the one
  // the label names. True from opening such a file until a calculation succeeds.
  bool results_stored() const;

  // The current unit label beside an input box (fixed width, as the catalogue gives it);
  // empty for the number of teeth and the flow coefficient.
  std::string UnitCaption(LabyField field) const;
  // The unit labels of the result boxes: mass flow, standard flow ("SCFM" or "Sm3/hr" by the
  // mass-flow unit), volume flow.
  std::string MassFlowCaption() const;
  std::string StandardFlowCaption() const;
  std::string VolumeFlowCaption() const;

  // The display pattern of an input box: the pressure unit's format for the two pressure boxes
  // (2 decimals for psia, 3 for Bar a and kg/cm2 a, 1 for kPa a, 4 for MPa a); empty, the
  // shortest general form, for the others.
  std::string InputFormat(LabyField field) const;

  // What the boxes show at opening: the labyrinth data record exactly as stored, never converted
  // to the units now in force.
  const LabyData& record() const;
  // The type list's item at opening: the stored type when it is 0 or 1, Stepped for any other
  // stored value.
  int OpeningTypeIndex() const;

  // The title box's text: LabyTitle.
  const std::string& title() const;
  // The user edited the title box (or the window set it): the text becomes LabyTitle, and
  // CaseTitle in the file's code page, cut or padded with blanks to 40 characters.
  void SetTitle(const std::string& utf8_text);

  bool calculate_enabled() const { return calculate_enabled_; }
  bool print_enabled() const { return print_enabled_; }
  // The user edited the number-of-teeth box: Calculate is enabled from now on.
  void TeethEdited() { calculate_enabled_ = true; }

  // The check of an input box the user leaves: a text that is not a number, or a failed field
  // check, shows its message and gives false (the window puts the focus back into the box).
  bool CheckLeaving(LabyField field, std::optional<double> value);

  // Calculate: the field checks in their order, each box read as a number at its place in that
  // order (the downstream pressure and the flow coefficient after the seven checks), then the
  // calculation. Every message has been shown when it returns. Only a successful calculation
  // stores slots 1 to 14 of the labyrinth data record (slot 0 is left alone), sets the title
  // again and enables Print; any other outcome leaves the record as it was.
  LabyOutcome Calculate(const LabyEntries& entries);

 private:
  bool EntryIsNumber(LabyField field, const std::optional<double>& value);

  CaseContext* context_;
  MessageService* messages_;
  LabyrinthCalculation calculation_;
  bool calculate_enabled_ = false;
  bool print_enabled_ = false;
};

}  // namespace torvane
