// The labyrinth window's calculation as an operation without a window: the seven field checks,
// the conversions, the leakage calculation, its stops and warnings as messages, and the results
// in the user's units. The window binds its controls to this.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "document/laby_data.h"
#include "laby/leakage.h"
#include "platform/message_service.h"
#include "units/unit_choice.h"

namespace torvane {

class GasEngine;

// The input boxes of the window.
enum class LabyField {
  kNone,
  kSealDia,
  kSealRadClear,
  kPressUp,
  kPressDown,
  kTempUp,
  kToothThk,
  kToothSpc,
  kToothNo,
  kFloCo,
};

// The boxes with a field check, in the order a calculation runs their checks.
inline constexpr std::array<LabyField, 7> kFieldCheckOrder = {
    LabyField::kSealDia, LabyField::kPressUp,  LabyField::kSealRadClear, LabyField::kTempUp,
    LabyField::kToothNo, LabyField::kToothSpc, LabyField::kToothThk,
};

// The window's inputs as entered, in the user's units.
struct LabyInputs {
  int laby_type = 0;  // item index of the type list: 0 stepped, 1 straight
  double seal_dia = 0;
  double seal_rad_clear = 0;
  double press_up = 0;
  double press_down = 0;
  double temp_up = 0;
  double tooth_thk = 0;
  double tooth_spc = 0;
  double tooth_no = 0;
  double flo_co = 0;
};

// The entry of one input box; 0 for kNone.
double InputValue(const LabyInputs& in, LabyField field);

// The entry of a box in the inputs; none for kNone.
constexpr double LabyInputs::*InputMember(LabyField field) {
  switch (field) {
    case LabyField::kSealDia:
      return &LabyInputs::seal_dia;
    case LabyField::kSealRadClear:
      return &LabyInputs::seal_rad_clear;
    case LabyField::kPressUp:
      return &LabyInputs::press_up;
    case LabyField::kPressDown:
      return &LabyInputs::press_down;
    case LabyField::kTempUp:
      return &LabyInputs::temp_up;
    case LabyField::kToothThk:
      return &LabyInputs::tooth_thk;
    case LabyField::kToothSpc:
      return &LabyInputs::tooth_spc;
    case LabyField::kToothNo:
      return &LabyInputs::tooth_no;
    case LabyField::kFloCo:
      return &LabyInputs::flo_co;
    case LabyField::kNone:
      break;
  }
  return nullptr;
}

// The inputs a labyrinth data record holds (slots 1 to 10), in the record's units; a type other
// than 1 counts as stepped.
LabyInputs RecordInputs(const LabyData& record);

// The results in the user's units.
struct LabyResults {
  double laby_flow = 0;         // mass-flow unit
  double laby_flow_std = 0;     // SCFM or Sm3/hr
  std::string std_flow_unit;    // "SCFM" or "Sm3/hr"
  double laby_supply_flow = 0;  // inlet volume flow, volume-flow unit
  double laby_volume_flow = 0;  // exhaust volume flow, volume-flow unit
};

struct LabyOutcome {
  enum class Status { kDone, kFieldCheckFailed, kStopped, kCalculationError };
  Status status = Status::kDone;
  LabyField focus = LabyField::kNone;  // the box that takes the focus after a failure
  LeakageStop stop = LeakageStop::kNone;
  std::vector<LeakageWarning> warnings;
  LabyResults results;   // only for kDone
  LabyData laby_data{};  // slots 1..14 as stored after success; only for kDone
};

inline constexpr const char kCalculationErrorMessage[] =
    "Calculation error, recheck input and try again";
inline constexpr const char kDownstreamPressureMessage[] = "Downstream pressure is too high";
inline constexpr const char kClearanceRatioWarning[] =
    "Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not be "
    "accurate.";

// "Warning: Radial clearance exceeds suggested value of, " + value + ". Calculations may not be
// accurate".
std::string SuggestedClearanceWarning(double suggested);

// The caption of the standard flow for a mass-flow unit index: "SCFM" below 2, else "Sm3/hr".
// Sm3/hr is SCFM x 1.699, cubic metres per hour at the same standard conditions (60 deg F, that
// is 520 deg R, and 14.7 psia), not normal cubic metres at 0 deg C and 1.01325 bar.
std::string StandardFlowUnit(int mass_flow_index);

class LabyrinthCalculation {
 public:
  // The limits are those of the units in force now (when the window opens).
  LabyrinthCalculation(const UnitChoice& units, GasEngine& engine, MessageService& messages);

  // The check of one box, as run when the user leaves it. On failure shows its message and
  // throws InputOutOfRange (error 4443). Boxes without a check pass.
  void CheckField(LabyField field, double value) const;

  // The whole calculation. Every message (range, stop, warning, calculation error) has been
  // shown through the message service when it returns.
  LabyOutcome Calculate(const LabyInputs& in);
  // The same into out, whose storage is reused: a study calculates many cases in a row.
  void Calculate(const LabyInputs& in, LabyOutcome& out);

  const UnitChoice& units() const { return units_; }

 private:
  // The values a box's check lets pass, in the units in force.
  struct FieldRange {
    double minimum;
    double maximum;
  };
  FieldRange RangeOf(LabyField field) const;
  void ShowWarning(LeakageWarning warning);
  void Conclude(const LabyInputs& in, LabyOutcome& out);

  UnitChoice units_;
  GasEngine* engine_;
  MessageService* messages_;
  // Looked up once for the units in force: the ranges of the checked boxes in the order of
  // kFieldCheckOrder (a value inside passes its check at the cost of two comparisons), the
  // suggested clearance, the standard flow's unit, and its warning once it has been shown.
  std::array<FieldRange, kFieldCheckOrder.size()> ranges_{};
  double suggested_clearance_ = 0;
  bool standard_cubic_metres_ = false;
  std::string std_flow_unit_;
  std::optional<Message> suggested_clearance_warning_;
};

}  // namespace torvane
