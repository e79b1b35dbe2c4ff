#include "study/sweep.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "units/number_format.h"

namespace torvane {
namespace {

struct VariableInfo {
  StudyVariable variable;
  std::string_view name;
  LabyField field;
  double LabyInputs::*member;
  std::optional<Quantity> quantity;
};

constexpr VariableInfo kVariableInfo[] = {
    {StudyVariable::kDiameter, "diameter", LabyField::kSealDia, &LabyInputs::seal_dia,
     Quantity::kLength},
    {StudyVariable::kClearance, "clearance", LabyField::kSealRadClear, &LabyInputs::seal_rad_clear,
     Quantity::kLength},
    {StudyVariable::kPressureUp, "pressure-up", LabyField::kPressUp, &LabyInputs::press_up,
     Quantity::kPressure},
    {StudyVariable::kPressureDown, "pressure-down", LabyField::kPressDown, &LabyInputs::press_down,
     Quantity::kPressure},
    {StudyVariable::kTemperatureUp, "temperature-up", LabyField::kTempUp, &LabyInputs::temp_up,
     Quantity::kTemperature},
    {StudyVariable::kThickness, "thickness", LabyField::kToothThk, &LabyInputs::tooth_thk,
     Quantity::kLength},
    {StudyVariable::kSpacing, "spacing", LabyField::kToothSpc, &LabyInputs::tooth_spc,
     Quantity::kLength},
    {StudyVariable::kTeeth, "teeth", LabyField::kToothNo, &LabyInputs::tooth_no, std::nullopt},
    {StudyVariable::kFlowCoef, "flow-coef", LabyField::kFloCo, &LabyInputs::flo_co, std::nullopt},
};

const VariableInfo& InfoOf(StudyVariable variable) {
  return kVariableInfo[static_cast<size_t>(variable)];
}

std::string VariableList() {
  std::string list;
  for (const VariableInfo& info : kVariableInfo) {
    if (!list.empty()) list += ", ";
    list += info.name;
  }
  return list;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace

std::string_view VariableName(StudyVariable variable) { return InfoOf(variable).name; }

std::optional<StudyVariable> VariableNamed(std::string_view name) {
  for (const VariableInfo& info : kVariableInfo) {
    if (info.name == name) return info.variable;
  }
  return std::nullopt;
}

LabyField VariableField(StudyVariable variable) { return InfoOf(variable).field; }

std::optional<Quantity> VariableQuantity(StudyVariable variable) {
  return InfoOf(variable).quantity;
}

double VariableValue(const LabyInputs& inputs, StudyVariable variable) {
  return inputs.*(InfoOf(variable).member);
}

void SetVariableValue(LabyInputs& inputs, StudyVariable variable, double value) {
  inputs.*(InfoOf(variable).member) = value;
}

double SweepRange::Value(std::int64_t i) const {
  if (count <= 1) return from;
  return from + ((to - from) * static_cast<double>(i)) / static_cast<double>(count - 1);
}

SweepRange ParseSweepRange(std::string_view text) {
  const auto malformed = [&] {
    return SweepSpecError(Quoted(text) + " is not NAME=FROM:TO:COUNT");
  };
  const size_t eq = text.find('=');
  if (eq == std::string_view::npos) throw malformed();
  const std::string_view name = text.substr(0, eq);
  const auto variable = VariableNamed(name);
  if (!variable) {
    throw SweepSpecError(Quoted(name) + " is not an input that can be varied (" + VariableList() +
                         ")");
  }
  std::string_view rest = text.substr(eq + 1);
  std::array<std::string_view, 3> parts;
  for (size_t k = 0; k < parts.size(); ++k) {
    const size_t colon = rest.find(':');
    if ((colon == std::string_view::npos) != (k == parts.size() - 1)) throw malformed();
    parts[k] = rest.substr(0, colon);
    if (colon != std::string_view::npos) rest.remove_prefix(colon + 1);
  }

  SweepRange range;
  range.variable = *variable;
  const std::string prefix = std::string(name) + ": ";
  const auto number = [&](std::string_view part, const char* what) {
    const auto value = ParseNumber(part);
    if (!value) throw SweepSpecError(prefix + what + " " + Quoted(part) + " is not a number");
    return *value;
  };
  range.from = number(parts[0], "FROM");
  range.to = number(parts[1], "TO");
  const std::string_view count = parts[2];
  std::int64_t n = 0;
  const auto res = std::from_chars(count.data(), count.data() + count.size(), n);
  if (count.empty() || count.front() == '-' || res.ec != std::errc() ||
      res.ptr != count.data() + count.size() || n < 1 || n > kMaxSweepPoints) {
    throw SweepSpecError(prefix + "COUNT " + Quoted(count) + " is not a whole number from 1 to " +
                         std::to_string(kMaxSweepPoints));
  }
  range.count = n;
  CheckSweepRanges(std::span<const SweepRange>(&range, 1));
  return range;
}

void CheckSweepRanges(std::span<const SweepRange> ranges) {
  if (ranges.empty() || ranges.size() > 2) {
    throw SweepSpecError("a sweep varies one or two inputs, not " + std::to_string(ranges.size()));
  }
  std::int64_t total = 1;
  for (const SweepRange& r : ranges) {
    const std::string name(VariableName(r.variable));
    if (!std::isfinite(r.from) || !std::isfinite(r.to)) {
      throw SweepSpecError(name + ": FROM and TO must be finite numbers");
    }
    if (r.count < 1 || r.count > kMaxSweepPoints) {
      throw SweepSpecError(name + ": COUNT must be a whole number from 1 to " +
                           std::to_string(kMaxSweepPoints));
    }
    // Every value of the range is formed without overflow.
    if (!std::isfinite((r.to - r.from) * static_cast<double>(r.count - 1))) {
      throw SweepSpecError(name + ": the range from " + RoundTrip(r.from) + " to " +
                           RoundTrip(r.to) + " is too wide");
    }
    total *= r.count;
  }
  if (ranges.size() == 2 && ranges[0].variable == ranges[1].variable) {
    throw SweepSpecError(std::string(VariableName(ranges[0].variable)) + " is varied twice");
  }
  if (total > kMaxSweepPoints) {
    throw SweepSpecError("a sweep has at most " + std::to_string(kMaxSweepPoints) +
                         " points, not " + std::to_string(total));
  }
}

std::string_view StatusName(PointStatus status) {
  switch (status) {
    case PointStatus::kOk:
      return "ok";
    case PointStatus::kRange:
      return "range";
    case PointStatus::kStop:
      return "stop";
    case PointStatus::kError:
      return "error";
  }
  return "error";
}

Sweep::Sweep(const UnitChoice& units, const GasEngine& gas, const LabyInputs& base,
             std::vector<SweepRange> ranges, std::optional<SweepMethods> methods,
             std::optional<SweepDynamics> dynamics)
    : ranges_((CheckSweepRanges(ranges), std::move(ranges))),
      base_(base),
      methods_(methods),
      dynamics_(std::move(dynamics)),
      engine_(gas, messages_),
      calculation_(units, engine_, messages_),
      method_engine_(gas, method_messages_) {
  size_ = 1;
  for (const SweepRange& r : ranges_) size_ *= r.count;
  for (size_t k = 0; k < ranges_.size(); ++k) {
    const SweepRange& r = ranges_[k];
    terms_[k] = {InfoOf(r.variable).member, r.from, r.to - r.from, static_cast<double>(r.count - 1),
                 r.count <= 1};
  }
}

void Sweep::PointMessages::Show(const Message& message) {
  if (count_ == texts_.size()) texts_.emplace_back();
  // A study's points mostly show the texts of the point before: compared, not copied again.
  std::string& text = texts_[count_++];
  if (text != message.text) text = message.text;
}

std::array<std::int64_t, 2> Sweep::GridPosition(std::int64_t i) const {
  if (ranges_.size() == 1) return {i, 0};
  const std::int64_t inner = ranges_[1].count;
  return {i / inner, i % inner};
}

LabyInputs Sweep::InputsAt(std::int64_t i) const {
  LabyInputs in;
  SetInputs(i, in);
  return in;
}

void Sweep::SetInputs(std::int64_t i, LabyInputs& in) const {
  in = base_;
  const auto position = GridPosition(i);
  for (size_t k = 0; k < ranges_.size(); ++k) {
    // SweepRange::Value with the terms worked out once.
    const RangeTerms& t = terms_[k];
    in.*t.member =
        t.single ? t.from : t.from + (t.span * static_cast<double>(position[k])) / t.last;
  }
}

SweepPoint Sweep::Calculate(std::int64_t i) {
  SweepPoint p;
  Calculate(i, p);
  return p;
}

void Sweep::Calculate(std::int64_t i, SweepPoint& p) {
  p.index = i;
  SetInputs(i, p.inputs);
  for (size_t k = 0; k < ranges_.size(); ++k) p.values[k] = p.inputs.*terms_[k].member;

  messages_.Clear();
  calculation_.Calculate(p.inputs, outcome_);
  const size_t shown = messages_.size();
  size_t warning_count = shown;
  switch (outcome_.status) {
    case LabyOutcome::Status::kDone:
      p.status = PointStatus::kOk;
      break;
    case LabyOutcome::Status::kFieldCheckFailed:
      p.status = PointStatus::kRange;
      break;
    case LabyOutcome::Status::kStopped:
      p.status = PointStatus::kStop;
      break;
    case LabyOutcome::Status::kCalculationError:
      p.status = PointStatus::kError;
      break;
  }
  // A failed calculation's results are all zero, as a new point's. Copied one by one, the unit
  // only when it changes.
  const LabyResults& r = outcome_.results;
  p.results.laby_flow = r.laby_flow;
  p.results.laby_flow_std = r.laby_flow_std;
  p.results.laby_supply_flow = r.laby_supply_flow;
  p.results.laby_volume_flow = r.laby_volume_flow;
  if (p.results.std_flow_unit != r.std_flow_unit) p.results.std_flow_unit = r.std_flow_unit;
  // A failure's own message is the last one shown; every message before it is a warning.
  if (p.status != PointStatus::kOk && shown > 0) {
    --warning_count;
    const std::string& failure = messages_.Text(shown - 1);
    if (p.message != failure) p.message = failure;
  } else {
    p.message.clear();
  }
  while (p.warnings.size() > warning_count) {
    spare_texts_.push_back(std::move(p.warnings.back()));
    p.warnings.pop_back();
  }
  while (p.warnings.size() < warning_count) {
    if (spare_texts_.empty()) {
      p.warnings.emplace_back();
    } else {
      p.warnings.push_back(std::move(spare_texts_.back()));
      spare_texts_.pop_back();
    }
  }
  for (size_t k = 0; k < warning_count; ++k) {
    const std::string& warning = messages_.Text(k);
    if (p.warnings[k] != warning) p.warnings[k] = warning;
  }
  p.gamma.reset();
  p.methods.reset();
  p.dynamics.reset();
  if (methods_ || (dynamics_ && !dynamics_->options.real_gas)) {
    p.gamma = GammaOfCase(methods_ ? methods_->gamma : dynamics_->options.gamma, p.inputs, units(),
                          engine_.CurrentMixture());
  }
  if (methods_) {
    method_messages_.Clear();
    p.methods = MethodMassFlows(p.inputs, units(), method_engine_, method_messages_,
                                methods_->gamma, methods_->real_gas);
  }
  if (dynamics_) {
    const DynamicsCalculation d(p.inputs, units(), engine_.CurrentMixture(), dynamics_->options);
    p.dynamics = d.AtSpeed(dynamics_->speed);
    p.dynamics->cavities = {};
  }
}

std::int64_t Sweep::Run(std::int64_t first, std::int64_t last,
                        const std::function<bool(const SweepPoint&)>& sink) {
  if (first < 0) first = 0;
  if (last > size_) last = size_;
  std::int64_t done = 0;
  for (std::int64_t i = first; i < last; ++i) {
    Calculate(i, point_);
    ++done;
    if (!sink(point_)) break;
  }
  return done;
}

}  // namespace torvane
