// Design studies: one or two inputs of the labyrinth window swept over a range of values, every
// point run through the window's whole calculation path (field checks, conversions, stops,
// warnings, results in the user's units) as a calculation of its own. Messages are recorded per
// point, never shown.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "dynamics/dynamics_calculation.h"
#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "methods/method_comparison.h"
#include "platform/message_service.h"
#include "units/unit_choice.h"

namespace torvane {

// The inputs a study can vary.
enum class StudyVariable {
  kDiameter,
  kClearance,
  kPressureUp,
  kPressureDown,
  kTemperatureUp,
  kThickness,
  kSpacing,
  kTeeth,
  kFlowCoef,
};

inline constexpr std::array<StudyVariable, 9> kStudyVariables = {
    StudyVariable::kDiameter,     StudyVariable::kClearance,     StudyVariable::kPressureUp,
    StudyVariable::kPressureDown, StudyVariable::kTemperatureUp, StudyVariable::kThickness,
    StudyVariable::kSpacing,      StudyVariable::kTeeth,         StudyVariable::kFlowCoef,
};

// The name of a variable as the calculator's option without its dashes: "diameter",
// "clearance", "pressure-up", "pressure-down", "temperature-up", "thickness", "spacing",
// "teeth", "flow-coef".
std::string_view VariableName(StudyVariable variable);
std::optional<StudyVariable> VariableNamed(std::string_view name);
// The input box of the labyrinth window the variable stands for.
LabyField VariableField(StudyVariable variable);
// The quantity whose unit the variable is entered in; nothing for the number of teeth and the
// flow coefficient.
std::optional<Quantity> VariableQuantity(StudyVariable variable);

// The entry of a variable in a set of inputs, and the inputs with it replaced.
double VariableValue(const LabyInputs& inputs, StudyVariable variable);
void SetVariableValue(LabyInputs& inputs, StudyVariable variable, double value);

inline constexpr std::int64_t kMaxSweepPoints = 10'000'000;

// FROM:TO:COUNT of one variable.
struct SweepRange {
  StudyVariable variable = StudyVariable::kClearance;
  double from = 0;
  double to = 0;
  std::int64_t count = 1;

  // Value i (0 <= i < count): from + ((to - from) * i) / (count - 1), computed in doubles in
  // that order, so that a point can be given again as a single case; from when count is 1.
  double Value(std::int64_t i) const;

  bool operator==(const SweepRange&) const = default;
};

// A sweep that cannot be run as given; the message says why, for the person who gave it.
class SweepSpecError : public std::invalid_argument {
 public:
  explicit SweepSpecError(const std::string& message) : std::invalid_argument(message) {}
};

// Reads "NAME=FROM:TO:COUNT" (FROM and TO numbers as a user types them, COUNT a whole number
// from 1 to kMaxSweepPoints). Throws SweepSpecError.
SweepRange ParseSweepRange(std::string_view text);

// One or two ranges of different variables with finite values and kMaxSweepPoints points at
// most in all. Throws SweepSpecError.
void CheckSweepRanges(std::span<const SweepRange> ranges);

// The outcome of a point: calculated, a field check failed, the calculation stopped (below
// saturation, downstream pressure too high), or a calculation error.
enum class PointStatus { kOk, kRange, kStop, kError };
// "ok", "range", "stop", "error".
std::string_view StatusName(PointStatus status);

struct SweepPoint {
  std::int64_t index = 0;          // in grid order: the first variable varies slowest
  std::array<double, 2> values{};  // the varied inputs, in the order of the ranges
  LabyInputs inputs;               // every input of the point, in the user's units
  PointStatus status = PointStatus::kOk;
  LabyResults results;                // for kOk only
  std::string message;                // the message a failed point would have shown
  std::vector<std::string> warnings;  // every other message, in the order shown
  // With the classical methods or the ideal gas's coefficients: the gamma they were worked with
  // (the given one, or the gas's at the point's upstream temperature).
  std::optional<CaseGamma> gamma;
  // With the classical methods: their mass flows, worked whatever the correlation's status.
  std::optional<MethodFlows> methods;
  // With the rotordynamic coefficients: those of the point's case at the sweep's one speed
  // (without the cavity table), worked whatever the correlation's status.
  std::optional<SpeedAnswer> dynamics;
};

// The classical methods at every point of a sweep, beside the correlation.
struct SweepMethods {
  std::optional<double> gamma;  // nothing: the gas's own at each point's upstream temperature
  bool real_gas = false;
};

// The rotordynamic coefficients at one rotor speed at every point of a sweep.
struct SweepDynamics {
  double speed = 0;  // rpm
  DynamicsOptions options;
};

// The points of a sweep around a base case. The gas is the current mixture of the engine it is
// given, copied when the sweep is made; the units are those in force. A point carries nothing
// from the points before it: the calculation path keeps no state of its own between
// calculations, and the messages of each point are recorded afresh. With methods, every point
// also carries the classical methods' mass flows (MethodMassFlows, on the sweep's one copy of
// the gas); their failures leave the point's status and messages as they are. With dynamics,
// every point also carries the rotordynamic coefficients of its case at the one speed.
class Sweep {
 public:
  // The ranges are checked with CheckSweepRanges.
  Sweep(const UnitChoice& units, const GasEngine& gas, const LabyInputs& base,
        std::vector<SweepRange> ranges, std::optional<SweepMethods> methods = std::nullopt,
        std::optional<SweepDynamics> dynamics = std::nullopt);
  Sweep(const Sweep&) = delete;
  Sweep& operator=(const Sweep&) = delete;

  std::int64_t size() const { return size_; }
  const std::vector<SweepRange>& ranges() const { return ranges_; }
  const UnitChoice& units() const { return calculation_.units(); }
  const LabyInputs& base() const { return base_; }
  const std::optional<SweepMethods>& methods() const { return methods_; }
  const std::optional<SweepDynamics>& dynamics() const { return dynamics_; }

  // The index of each range's value at point i, and the point's inputs.
  std::array<std::int64_t, 2> GridPosition(std::int64_t i) const;
  LabyInputs InputsAt(std::int64_t i) const;

  // Calculates point i (0 <= i < size()).
  SweepPoint Calculate(std::int64_t i);
  // The same into point, whose storage is reused: once under way, a run of points allocates
  // nothing.
  void Calculate(std::int64_t i, SweepPoint& point);

  // Calculates the points first .. last-1 in order, handing each to sink as it is done; a sink
  // that returns false stops the run after that point (a cancelled study). Returns the number
  // of points handed on. The point handed on lives until the next one is calculated.
  std::int64_t Run(std::int64_t first, std::int64_t last,
                   const std::function<bool(const SweepPoint&)>& sink);

 private:
  std::vector<SweepRange> ranges_;
  std::int64_t size_ = 0;
  LabyInputs base_;
  std::optional<SweepMethods> methods_;
  std::optional<SweepDynamics> dynamics_;
  // The texts a point's calculation shows, in order, kept in storage reused from point to
  // point.
  class PointMessages final : public MessageService {
   public:
    using MessageService::Show;
    void Show(const Message& message) override;
    void Clear() { count_ = 0; }
    size_t size() const { return count_; }
    const std::string& Text(size_t k) const { return texts_[k]; }

   private:
    std::vector<std::string> texts_;
    size_t count_ = 0;
  };

  // The inputs of point i.
  void SetInputs(std::int64_t i, LabyInputs& in) const;

  // Where each range's value goes, and the terms of its values.
  struct RangeTerms {
    double LabyInputs::*member = nullptr;
    double from = 0;
    double span = 0;  // to - from
    double last = 0;  // count - 1
    bool single = true;
  };

  std::array<RangeTerms, 2> terms_{};
  PointMessages messages_;
  GasEngine engine_;
  LabyrinthCalculation calculation_;
  // The classical methods work on a copy of the gas of their own, whose messages they watch.
  RecordingMessageService method_messages_;
  GasEngine method_engine_;
  // Reused from point to point: the calculation's outcome, the point a run hands on, and the
  // texts of warnings a point had no room for, kept with their storage.
  LabyOutcome outcome_;
  SweepPoint point_;
  std::vector<std::string> spare_texts_;
};

}  // namespace torvane
