// One labyrinth case worked by the program's own correlation and by the three classical methods
// side by side, in the user's units: the comparison behind `torvane-cli compare`, the comparison
// window and the comparison page of the report.
//
// The correlation runs its field checks, stops and warnings exactly as the labyrinth window's
// calculation does, but its messages are collected, never shown, and its failure does not stop
// the other methods. Nothing of the case is changed: the gas engine is read through a copy.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/gas_mixture.h"
#include "laby/labyrinth_calculation.h"
#include "methods/leakage_methods.h"
#include "methods/real_gas_tooth_by_tooth.h"
#include "units/unit_choice.h"

namespace torvane {

class GasEngine;
class RecordingMessageService;

// The gamma a gamma box holds where the gas gives none.
inline constexpr double kDefaultGamma = 1.3;

// Where the ratio of specific heats of the ideal-gas methods comes from: the gas (its ideal-gas
// cp0/cv0 at the upstream temperature, the ideal-gas model's own consistent value) or the user.
enum class GammaSource { kGas, kGiven };
// "gas", "given".
const char* GammaSourceKey(GammaSource source);

// The gamma a case is worked with.
struct CaseGamma {
  double value = 0;  // cp/cv, above 1; only when ok
  GammaSource source = GammaSource::kGas;
  std::string failure;  // why the gas gives no gamma at the upstream temperature
  bool ok() const { return failure.empty(); }
};

// The given gamma, or without one the gas's ideal-gas cp0/cv0 (IdealGasGamma) at the upstream
// temperature of inputs (in units). A gamma not above 1 or not finite, given or not, is a
// failure with its message. Never throws.
CaseGamma GammaOfCase(std::optional<double> given, const LabyInputs& inputs,
                      const UnitChoice& units, const GasMixture& gas);

// How the correlation's calculation ended.
enum class LegacyStatus { kOk, kRange, kStop, kError };

struct LegacyResult {
  LegacyStatus status = LegacyStatus::kError;
  std::vector<std::string> messages;  // every message it would have shown, in order
  std::vector<std::string> warnings;  // its warnings, as the labyrinth window words them
  LabyResults results;                // only for kOk
};

// kRealGasToothByTooth is tooth by tooth along the real gas's isentrope: the comparison has it
// beside the three with the real-gas option.
enum class MethodId { kMartin, kVermes, kToothByTooth, kRealGasToothByTooth };
// The three methods in the order every list of them keeps.
inline constexpr std::array<MethodId, 3> kMethodIds = {MethodId::kMartin, MethodId::kVermes,
                                                       MethodId::kToothByTooth};

struct ComparedMethod {
  MethodId id = MethodId::kMartin;
  MethodResult result;  // in SI units
  // In the user's units, when the method succeeded.
  double mass_flow = 0;
  std::vector<double> cavity_pressures;
  std::vector<double> cavity_temperatures;
  // The method's leakage over the correlation's; nothing when the correlation did not succeed
  // or gave no leakage.
  std::optional<double> ratio_to_legacy;
};

struct MethodComparison {
  UnitChoice units;
  LabyInputs inputs;
  CaseGamma gamma;  // tooth by tooth's
  bool real_gas = false;
  // Z at the upstream pressure and temperature, used by Martin and Martin-Vermes with the
  // real-gas option (1 without it).
  double z_up = 1;
  LegacyResult legacy;
  std::array<ComparedMethod, 3> methods;  // Martin, Martin-Vermes, tooth by tooth
  // With the real-gas option: tooth by tooth along the isentrope of the equation of state.
  std::optional<ComparedMethod> real_gas_tooth_by_tooth;
};

// "martin", "vermes", "tooth-by-tooth", "tooth-by-tooth-real-gas": the method's key in the
// calculator's answer.
const char* MethodKey(MethodId id);
// "Martin", "Martin-Vermes", "Tooth by tooth", "Tooth by tooth (real gas)".
const char* MethodName(MethodId id);
// "ok", "range", "stop", "error".
const char* LegacyStatusKey(LegacyStatus status);
// How a calculation of the labyrinth window ended, as the correlation's status.
LegacyStatus LegacyStatusOf(LabyOutcome::Status status);

// The seal of the window's inputs in SI units, with the gas's molar mass. Raises
// CalculationError when an input cannot be converted.
SealCase SealCaseOf(const LabyInputs& inputs, const UnitChoice& units, double molar_mass,
                    double gamma);

// Works the case of inputs (in units) for the engine's current gas, with the given gamma or
// else the gas's (GammaOfCase); with real_gas also tooth by tooth along the gas's isentrope.
MethodComparison CompareMethods(const LabyInputs& inputs, const UnitChoice& units,
                                const GasEngine& engine, std::optional<double> gamma = std::nullopt,
                                bool real_gas = false);

// The leakage mass flows of Martin, Martin-Vermes and tooth by tooth (the order of kMethodIds)
// in the user's mass-flow unit; nothing for a method that failed.
using MethodFlows = std::array<std::optional<double>, 3>;

// The three methods alone, for many cases of one gas (the points of a sweep): no correlation,
// no cavity stations, nothing copied per case. Each flow is bit for bit the one CompareMethods
// gives for the same inputs. engine is the caller's own copy of the gas, whose messages go to
// messages; it is read only for Z at the upstream state with real_gas, and a message it shows
// then makes Martin and Martin-Vermes fail as they do in the comparison.
MethodFlows MethodMassFlows(const LabyInputs& inputs, const UnitChoice& units, GasEngine& engine,
                            const RecordingMessageService& messages,
                            std::optional<double> gamma = std::nullopt, bool real_gas = false);

// Z at the upstream state of a case from the equation of state, or why it is not reliable
// there: a message the engine showed during the call (only what it shows then counts), or a
// temperature below 200 deg R.
struct UpstreamZ {
  double z = 1;
  std::string failure;  // empty when Z is reliable
};
UpstreamZ ZOfUpstream(const LabyInputs& inputs, const UnitChoice& units, GasEngine& engine,
                      const RecordingMessageService& messages);

// One method for one case, worked exactly as the comparison works it: the seal in SI units,
// Martin and Martin-Vermes with Z at the upstream state with real_gas, kRealGasToothByTooth
// along the gas's isentrope (with or without real_gas), gamma the given one or else the gas's
// (GammaOfCase). Its result in SI units; engine and messages as for MethodMassFlows.
MethodResult WorkMethod(MethodId id, const LabyInputs& inputs, const UnitChoice& units,
                        GasEngine& engine, const RecordingMessageService& messages,
                        std::optional<double> gamma, bool real_gas);

// The real gas's tooth by tooth of WorkMethod with the SI state of every station.
RealGasToothByToothResult WorkRealGasToothByTooth(const LabyInputs& inputs, const UnitChoice& units,
                                                  GasEngine& engine,
                                                  const RecordingMessageService& messages,
                                                  std::optional<double> gamma);

}  // namespace torvane
