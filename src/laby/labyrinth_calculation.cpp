#include "laby/labyrinth_calculation.h"

#include <cfloat>
#include <cmath>

#include "engine/gas_engine.h"
#include "engine/range_checks.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "units/number_format.h"

namespace torvane {
namespace {

// The fixed limits of the checks that no unit moves.
constexpr double kMinClearance = 0;
constexpr double kMinTeeth = 1;
constexpr double kMaxTeeth = 50;

// The entries of the checked boxes, in the order of kFieldCheckOrder.
constexpr auto kCheckedInputs = [] {
  std::array<double LabyInputs::*, kFieldCheckOrder.size()> members{};
  for (size_t k = 0; k < members.size(); ++k) members[k] = InputMember(kFieldCheckOrder[k]);
  return members;
}();

void Fail(MessageService& messages, const std::string& text) {
  messages.Show(text);
  throw InputOutOfRange(text);
}

}  // namespace

double InputValue(const LabyInputs& in, LabyField field) {
  const auto member = InputMember(field);
  return member ? in.*member : 0;
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
    : units_(units),
      engine_(&engine),
      messages_(&messages),
      suggested_clearance_(units_.InputLimit(LimitRow::kSuggestedClearance, LimitKind::kMaximum)),
      standard_cubic_metres_(units_.Index(Quantity::kMassFlow) >= 2),
      std_flow_unit_(StandardFlowUnit(units_.Index(Quantity::kMassFlow))) {
  for (size_t k = 0; k < kFieldCheckOrder.size(); ++k) ranges_[k] = RangeOf(kFieldCheckOrder[k]);
}

void LabyrinthCalculation::ShowWarning(LeakageWarning warning) {
  if (warning == LeakageWarning::kClearanceRatio) {
    static const Message kRatio{kClearanceRatioWarning};
    messages_->Show(kRatio);
    return;
  }
  if (!suggested_clearance_warning_) {
    suggested_clearance_warning_ = Message{SuggestedClearanceWarning(suggested_clearance_)};
  }
  messages_->Show(*suggested_clearance_warning_);
}

LabyrinthCalculation::FieldRange LabyrinthCalculation::RangeOf(LabyField field) const {
  const auto row = [&](LimitRow r) {
    return FieldRange{units_.InputLimit(r, LimitKind::kMinimum),
                      units_.InputLimit(r, LimitKind::kMaximum)};
  };
  switch (field) {
    case LabyField::kSealDia:
      return row(LimitRow::kSealDiameter);
    case LabyField::kPressUp:
      return row(LimitRow::kPressure);
    case LabyField::kSealRadClear:
      return {kMinClearance, DBL_MAX};
    case LabyField::kTempUp:
      return row(LimitRow::kTemperature);
    case LabyField::kToothNo:
      return {kMinTeeth, kMaxTeeth};
    case LabyField::kToothSpc:
      return row(LimitRow::kToothSpacing);
    case LabyField::kToothThk:
      return row(LimitRow::kToothThickness);
    default:
      return {-DBL_MAX, DBL_MAX};
  }
}

void LabyrinthCalculation::CheckField(LabyField field, double value) const {
  if (!std::isfinite(value)) throw CalculationError("an input is not a number");
  const FieldRange range = RangeOf(field);
  const std::string& length = units_.Label(Quantity::kLength);
  auto length_range = [&](const std::string& what) {
    CheckAllowableRange(value, range.maximum, range.minimum, what, length, *messages_);
  };
  switch (field) {
    case LabyField::kSealDia:
      length_range("diameter");
      break;
    case LabyField::kPressUp:
      CheckPressureRange(value, range.maximum, range.minimum, units_.Label(Quantity::kPressure),
                         *messages_);
      break;
    case LabyField::kSealRadClear:
      if (value < kMinClearance) {
        Fail(*messages_, "Minimum allowable radial clearance is 0 " + length);
      }
      break;
    case LabyField::kTempUp:
      CheckTemperatureRange(value, range.maximum, range.minimum,
                            units_.Label(Quantity::kTemperature), *messages_);
      break;
    case LabyField::kToothNo:
      if (value > kMaxTeeth) Fail(*messages_, "Maximum number of teeth is 50");
      if (value < kMinTeeth) Fail(*messages_, "Minimum number of teeth is 1");
      break;
    case LabyField::kToothSpc:
      length_range("tooth spacing");
      break;
    case LabyField::kToothThk:
      length_range("tooth thickness");
      break;
    default:
      break;
  }
}

LabyOutcome LabyrinthCalculation::Calculate(const LabyInputs& in) {
  LabyOutcome out;
  Calculate(in, out);
  return out;
}

void LabyrinthCalculation::Calculate(const LabyInputs& in, LabyOutcome& out) {
  using Status = LabyOutcome::Status;
  static const Message kCalculationError{kCalculationErrorMessage, MessageIcon::kCritical};
  out.status = Status::kDone;
  out.focus = LabyField::kNone;
  out.stop = LeakageStop::kNone;
  out.warnings.clear();
  // A failed calculation has no results: every path that fails forgets those of the outcome's
  // last use; a successful one writes them all.
  const auto forget_results = [&out] {
    LabyResults& res = out.results;
    res.laby_flow = res.laby_flow_std = res.laby_supply_flow = res.laby_volume_flow = 0;
    res.std_flow_unit.clear();
    out.laby_data.fill(0);
  };

  // 1. The seven field checks, in order; the first failure ends the calculation silently. A
  // value inside its box's range passes without more; any other is checked as on leaving the
  // box, which shows the message.
  for (size_t k = 0; k < kFieldCheckOrder.size(); ++k) {
    const LabyField field = kFieldCheckOrder[k];
    const double value = in.*kCheckedInputs[k];
    if (value >= ranges_[k].minimum && value <= ranges_[k].maximum) [[likely]] {
      continue;
    }
    out.focus = field;
    try {
      CheckField(field, value);
    } catch (const InputOutOfRange&) {
      out.status = Status::kFieldCheckFailed;
      forget_results();
      return;
    } catch (const CalculationError&) {
      messages_->Show(kCalculationError);
      out.status = Status::kCalculationError;
      forget_results();
      return;
    }
    out.focus = LabyField::kNone;
  }

  try {
    // 2. Conversions to internal units.
    // Every member given, in order: nothing is zeroed first on this path.
    const LeakageInput li{
        .type = in.laby_type == 1 ? LabyrinthType::kStraight : LabyrinthType::kStepped,
        .seal_diameter = units_.ToInternal(Quantity::kLength, in.seal_dia),
        .clearance = units_.ToInternal(Quantity::kLength, in.seal_rad_clear),
        .pressure_up = units_.ToInternal(Quantity::kPressure, in.press_up),
        .pressure_down = units_.ToInternal(Quantity::kPressure, in.press_down),
        .temperature_up = units_.ToRankine(in.temp_up),
        .teeth = in.tooth_no,
        .flow_coef = in.flo_co,
        .clearance_user = in.seal_rad_clear,
        .spacing_user = in.tooth_spc,
        .suggested_clearance_user = suggested_clearance_,
    };

    // 3. and 5. The calculation, warnings shown as they are raised.
    struct Warnings final : LeakageWarningSink {
      LabyrinthCalculation* calculation;
      LabyOutcome* out;
      void Warn(LeakageWarning w) override {
        out->warnings.push_back(w);
        calculation->ShowWarning(w);
      }
    } warnings;
    warnings.calculation = this;
    warnings.out = &out;
    const LeakageResult r = LabyrinthLeakage(li, *engine_, warnings);
    if (r.flow_function_refused) {
      // As the calculation error the flow function would have raised.
      messages_->Show(kCalculationError);
      out.status = Status::kCalculationError;
      forget_results();
      return;
    }

    // 4. Stops.
    if (r.stop == LeakageStop::kBelowSaturation) {
      const double tsat = units_.FromRankine(r.saturation_temp);
      const auto rounded = ParseNumber(FormatNumber(tsat, "#,###.0"));
      messages_->Show("Temperature is below saturation of " + ShortestGeneral(rounded.value_or(0)) +
                      " " + units_.Label(Quantity::kTemperature));
      out.status = Status::kStopped;
      out.stop = r.stop;
      out.focus = LabyField::kTempUp;
      forget_results();
      return;
    }
    if (r.stop == LeakageStop::kDownstreamPressureTooHigh) {
      static const Message kDownstream{kDownstreamPressureMessage};
      messages_->Show(kDownstream);
      out.status = Status::kStopped;
      out.stop = r.stop;
      out.focus = LabyField::kPressDown;
      forget_results();
      return;
    }

    // 6. and 7. Results in the user's units.
    LabyResults& res = out.results;
    res.laby_volume_flow = units_.ToUser(Quantity::kVolumeFlow, r.exhaust_flow);
    res.laby_supply_flow = units_.ToUser(Quantity::kVolumeFlow, r.inlet_flow);
    res.laby_flow = units_.ToUser(Quantity::kMassFlow, r.mass_flow);
    res.std_flow_unit = std_flow_unit_;
    res.laby_flow_std =
        standard_cubic_metres_ ? Checked(r.std_flow * 1.699, "standard flow") : r.std_flow;

    // 8. The record as the boxes now hold it.
    Conclude(in, out);
  } catch (const CalculationError&) {
    messages_->Show(kCalculationError);
    out.status = Status::kCalculationError;
    out.focus = LabyField::kNone;
    out.stop = LeakageStop::kNone;
    forget_results();
  }
}

void LabyrinthCalculation::Conclude(const LabyInputs& in, LabyOutcome& out) {
  const LabyResults& res = out.results;
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
  out.status = LabyOutcome::Status::kDone;
}

}  // namespace torvane
