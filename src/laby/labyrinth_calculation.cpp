#include "laby/labyrinth_calculation.h"

#include <cmath>

#include "engine/gas_engine.h"
#include "engine/range_checks.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "units/number_format.h"

namespace torvane {
namespace {

void Fail(MessageService& messages, const std::string& text) {
  messages.Show(text);
  throw InputOutOfRange(text);
}

}  // namespace

double InputValue(const LabyInputs& in, LabyField field) {
  switch (field) {
    case LabyField::kSealDia:
      return in.seal_dia;
    case LabyField::kSealRadClear:
      return in.seal_rad_clear;
    case LabyField::kPressUp:
      return in.press_up;
    case LabyField::kPressDown:
      return in.press_down;
    case LabyField::kTempUp:
      return in.temp_up;
    case LabyField::kToothThk:
      return in.tooth_thk;
    case LabyField::kToothSpc:
      return in.tooth_spc;
    case LabyField::kToothNo:
      return in.tooth_no;
    case LabyField::kFloCo:
      return in.flo_co;
    case LabyField::kNone:
      break;
  }
  return 0;
}

LabyInputs RecordInputs(const LabyData& d) {
  LabyInputs in;
  in.laby_type = d[kLabyType] == 1 ? 1 : 0;
  in.seal_dia = d[kSealClear];
  in.seal_rad_clear = d[kSealRadClear];
  in.press_up = d[kPressUp];
  in.press_down = d[kPressDown];
  in.temp_up = d[kTempUp];
  in.tooth_thk = d[kToothThick];
  in.tooth_spc = d[kToothSpacing];
  in.tooth_no = d[kToothNumber];
  in.flo_co = d[kFlowCoef];
  return in;
}

std::string SuggestedClearanceWarning(double suggested) {
  return "Warning: Radial clearance exceeds suggested value of, " + ShortestGeneral(suggested) +
         ". Calculations may not be accurate";
}

std::string StandardFlowUnit(int mass_flow_index) {
  return mass_flow_index >= 2 ? "Sm3/hr" : "SCFM";
}

LabyrinthCalculation::LabyrinthCalculation(const UnitChoice& units, GasEngine& engine,
                                           MessageService& messages)
    : units_(units), engine_(&engine), messages_(&messages) {}

void LabyrinthCalculation::CheckField(LabyField field, double value) const {
  if (!std::isfinite(value)) throw CalculationError("an input is not a number");
  const std::string& length = units_.Label(Quantity::kLength);
  auto length_range = [&](LimitRow row, const std::string& what) {
    CheckAllowableRange(value, units_.InputLimit(row, LimitKind::kMaximum),
                        units_.InputLimit(row, LimitKind::kMinimum), what, length, *messages_);
  };
  switch (field) {
    case LabyField::kSealDia:
      length_range(LimitRow::kSealDiameter, "diameter");
      break;
    case LabyField::kPressUp:
      CheckPressureRange(value, units_.InputLimit(LimitRow::kPressure, LimitKind::kMaximum),
                         units_.InputLimit(LimitRow::kPressure, LimitKind::kMinimum),
                         units_.Label(Quantity::kPressure), *messages_);
      break;
    case LabyField::kSealRadClear:
      if (value < 0) Fail(*messages_, "Minimum allowable radial clearance is 0 " + length);
      break;
    case LabyField::kTempUp:
      CheckTemperatureRange(value, units_.InputLimit(LimitRow::kTemperature, LimitKind::kMaximum),
                            units_.InputLimit(LimitRow::kTemperature, LimitKind::kMinimum),
                            units_.Label(Quantity::kTemperature), *messages_);
      break;
    case LabyField::kToothNo:
      if (value > 50) Fail(*messages_, "Maximum number of teeth is 50");
      if (value < 1) Fail(*messages_, "Minimum number of teeth is 1");
      break;
    case LabyField::kToothSpc:
      length_range(LimitRow::kToothSpacing, "tooth spacing");
      break;
    case LabyField::kToothThk:
      length_range(LimitRow::kToothThickness, "tooth thickness");
      break;
    default:
      break;
  }
}

LabyOutcome LabyrinthCalculation::Calculate(const LabyInputs& in) {
  LabyOutcome out;
  using Status = LabyOutcome::Status;

  // 1. The seven field checks, in order; the first failure ends the calculation silently.
  try {
    for (const LabyField field : kFieldCheckOrder) {
      out.focus = field;
      CheckField(field, InputValue(in, field));
    }
  } catch (const InputOutOfRange&) {
    out.status = Status::kFieldCheckFailed;
    return out;
  } catch (const CalculationError&) {
    messages_->Show(kCalculationErrorMessage, MessageIcon::kCritical);
    out.status = Status::kCalculationError;
    return out;
  }
  out.focus = LabyField::kNone;

  try {
    // 2. Conversions to internal units.
    LeakageInput li;
    li.type = in.laby_type == 1 ? LabyrinthType::kStraight : LabyrinthType::kStepped;
    li.seal_diameter = units_.ConvertLength(in.seal_dia, "AE");
    li.clearance = units_.ConvertLength(in.seal_rad_clear, "AE");
    li.pressure_up = units_.ConvertPressure(in.press_up, "AE");
    li.pressure_down = units_.ConvertPressure(in.press_down, "AE");
    li.temperature_up = units_.ConvertTemperature(in.temp_up, "AR");
    li.teeth = in.tooth_no;
    li.flow_coef = in.flo_co;
    li.clearance_user = in.seal_rad_clear;
    li.spacing_user = in.tooth_spc;
    li.suggested_clearance_user =
        units_.InputLimit(LimitRow::kSuggestedClearance, LimitKind::kMaximum);

    // 3. and 5. The calculation, warnings shown as they are raised.
    const LeakageResult r = LabyrinthLeakage(li, *engine_, [&](LeakageWarning w) {
      out.warnings.push_back(w);
      messages_->Show(w == LeakageWarning::kClearanceRatio
                          ? std::string(kClearanceRatioWarning)
                          : SuggestedClearanceWarning(li.suggested_clearance_user));
    });

    // 4. Stops.
    if (r.stop == LeakageStop::kBelowSaturation) {
      const double tsat = units_.ConvertTemperature(r.saturation_temp, "RA");
      const auto rounded = ParseNumber(FormatNumber(tsat, "#,###.0"));
      messages_->Show("Temperature is below saturation of " + ShortestGeneral(rounded.value_or(0)) +
                      " " + units_.Label(Quantity::kTemperature));
      out.status = Status::kStopped;
      out.stop = r.stop;
      out.focus = LabyField::kTempUp;
      return out;
    }
    if (r.stop == LeakageStop::kDownstreamPressureTooHigh) {
      messages_->Show(kDownstreamPressureMessage);
      out.status = Status::kStopped;
      out.stop = r.stop;
      out.focus = LabyField::kPressDown;
      return out;
    }

    // 6. and 7. Results in the user's units.
    LabyResults& res = out.results;
    res.laby_volume_flow = units_.ConvertVolumeFlow(r.exhaust_flow, "EA");
    res.laby_supply_flow = units_.ConvertVolumeFlow(r.inlet_flow, "EA");
    res.laby_flow = units_.ConvertMassFlow(r.mass_flow, "EA");
    const int wt = units_.Index(Quantity::kMassFlow);
    res.std_flow_unit = StandardFlowUnit(wt);
    res.laby_flow_std = wt >= 2 ? Checked(r.std_flow * 1.699, "standard flow") : r.std_flow;

    // 8. The record as the boxes now hold it.
    LabyData& d = out.laby_data;
    d[kLabyType] = in.laby_type;
    d[kSealClear] = in.seal_dia;
    d[kSealRadClear] = in.seal_rad_clear;
    d[kPressUp] = in.press_up;
    d[kPressDown] = in.press_down;
    d[kTempUp] = in.temp_up;
    d[kToothThick] = in.tooth_thk;
    d[kToothSpacing] = in.tooth_spc;
    d[kToothNumber] = in.tooth_no;
    d[kFlowCoef] = in.flo_co;
    d[kLabyFlow] = res.laby_flow;
    d[kLabyStdFlow] = res.laby_flow_std;
    d[kLabySuppplyFlow] = res.laby_supply_flow;
    d[kLabyVolumeFlow] = res.laby_volume_flow;
    for (double v : d) Checked(v, "labyrinth data");
    out.status = Status::kDone;
    return out;
  } catch (const CalculationError&) {
    messages_->Show(kCalculationErrorMessage, MessageIcon::kCritical);
    LabyOutcome failed;
    failed.status = Status::kCalculationError;
    failed.warnings = out.warnings;
    return failed;
  }
}

}  // namespace torvane
