#include "cli/dynamics_options.h"

#include <charconv>
#include <cmath>

#include "cli/json_writer.h"
#include "engine/component_library.h"
#include "study/sweep.h"
#include "study/sweep_csv.h"
#include "units/number_format.h"

namespace torvane::cli {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string::npos ? at : at - start));
    if (at == std::string::npos) break;
    start = at + 1;
  }
  return parts;
}

CliFailure Usage(const std::string& option, const std::string& text, const std::string& what) {
  return CliFailure{kExitUsage, "--" + option + ": '" + text + "' " + what};
}

double PositiveNumber(const Options& o, const char* option, const std::string& what) {
  const double v = *o.Number(option);
  if (!(v > 0)) throw Usage(option, *o.Text(option), what);
  return v;
}

std::array<UserViscosityReference, 2> ReadReferences(const std::string& text) {
  const auto malformed = [&] { return Usage(kViscosityRefOption, text, "is not T1:MU1,T2:MU2"); };
  const std::vector<std::string> states = Split(text, ',');
  if (states.size() != 2) throw malformed();
  std::array<UserViscosityReference, 2> refs{};
  for (size_t k = 0; k < states.size(); ++k) {
    const std::vector<std::string> parts = Split(states[k], ':');
    if (parts.size() != 2) throw malformed();
    const auto t = ParseNumber(parts[0]);
    const auto mu = ParseNumber(parts[1]);
    if (!t || !mu) throw malformed();
    if (!(*mu > 0)) throw Usage(kViscosityRefOption, text, "needs positive viscosities");
    refs[k] = {*t, *mu};
  }
  return refs;
}

}  // namespace

DynamicsOptions ReadDynamicsOptions(const Options& o, const LeakRequest& request) {
  DynamicsOptions d;
  if (!o.Has(kToothHeightOption)) {
    throw CliFailure{kExitUsage, std::string("missing option --") + kToothHeightOption};
  }
  d.tooth_height = PositiveNumber(o, kToothHeightOption, "is not a positive length");
  if (const auto on = o.Text(kTeethOnOption)) {
    if (*on != "stator" && *on != "rotor") {
      throw Usage(kTeethOnOption, *on, "is not stator or rotor");
    }
    if (request.inputs.laby_type != 1) {
      throw CliFailure{kExitUsage, "--teeth-on goes with straight seals, not stepped ones"};
    }
    d.teeth_on = *on == "rotor" ? TeethOn::kRotor : TeethOn::kStator;
  }
  d.preswirl = o.Number(kPreswirlOption).value_or(kDefaultPreswirl);
  d.whirl_ratio = o.Number(kWhirlRatioOption).value_or(kDefaultWhirlRatio);
  d.gamma = GammaOption(o);
  d.real_gas = o.Switch(kRealGasOption);
  // With the classical methods of a sweep, --gamma is theirs beside the real gas's coefficients.
  if (d.real_gas && d.gamma && !o.Switch("methods")) {
    throw CliFailure{kExitUsage, "--gamma goes with the ideal gas, not with --real-gas"};
  }
  if (o.Has(kViscosityOption) && o.Has(kViscosityRefOption)) {
    throw CliFailure{kExitUsage, "give --viscosity or --viscosity-ref, not both"};
  }
  if (o.Has(kViscosityOption)) {
    d.viscosity_law = ViscosityLawKind::kConstant;
    d.viscosity = PositiveNumber(o, kViscosityOption, "is not a positive viscosity");
  } else if (const auto refs = o.Text(kViscosityRefOption)) {
    d.viscosity_law = ViscosityLawKind::kSutherland;
    d.references = ReadReferences(*refs);
  }
  d.jenny_kanki = o.Switch(kJennyKankiOption);
  return d;
}

std::vector<double> ParseSpeeds(const std::string& text, const std::string& option) {
  std::vector<double> speeds;
  const auto not_a_speed = [&](const std::string& part) {
    return Usage(option, part, "is not a speed of 0 rpm or more");
  };
  if (text.find(':') != std::string::npos) {
    const std::vector<std::string> parts = Split(text, ':');
    if (parts.size() != 3) throw Usage(option, text, "is not FROM:TO:COUNT");
    const auto from = ParseNumber(parts[0]);
    const auto to = ParseNumber(parts[1]);
    if (!from || *from < 0) throw not_a_speed(parts[0]);
    if (!to || *to < 0) throw not_a_speed(parts[1]);
    const std::string& count_text = parts[2];
    long long count = 0;
    const auto res =
        std::from_chars(count_text.data(), count_text.data() + count_text.size(), count);
    if (count_text.empty() || res.ec != std::errc() ||
        res.ptr != count_text.data() + count_text.size() || count < 1 || count > kMaxSpeeds) {
      throw Usage(option, count_text, "is not a COUNT from 1 to " + std::to_string(kMaxSpeeds));
    }
    SweepRange range;
    range.from = *from;
    range.to = *to;
    range.count = count;
    for (long long i = 0; i < count; ++i) speeds.push_back(range.Value(i));
    return speeds;
  }
  const std::vector<std::string> parts = Split(text, ',');
  if (static_cast<long long>(parts.size()) > kMaxSpeeds) {
    throw CliFailure{kExitUsage, "--" + option + ": at most " + std::to_string(kMaxSpeeds) +
                                     " speeds, not " + std::to_string(parts.size())};
  }
  for (const std::string& part : parts) {
    const auto v = ParseNumber(part);
    if (!v || *v < 0) throw not_a_speed(part);
    speeds.push_back(*v);
  }
  return speeds;
}

std::optional<SweepDynamics> ReadPointDynamics(const Options& o, const LeakRequest& request) {
  const auto speed = o.Text(kDynamicsSpeedOption);
  if (!speed) {
    for (const std::string& option : kDynamicsOptions) {
      if (o.Has(option)) throw CliFailure{kExitUsage, "--" + option + " goes with --dynamics"};
    }
    if (o.Switch(kJennyKankiOption)) {
      throw CliFailure{kExitUsage, "--" + std::string(kJennyKankiOption) + " goes with --dynamics"};
    }
    return std::nullopt;
  }
  const std::vector<double> speeds = ParseSpeeds(*speed, kDynamicsSpeedOption);
  if (speeds.size() != 1) {
    throw Usage(kDynamicsSpeedOption, *speed, "is not one speed in rpm");
  }
  return SweepDynamics{speeds.front(), ReadDynamicsOptions(o, request)};
}

void DynamicsFiguresFields(JsonWriter& j, const SpeedAnswer& a) {
  j.Key("status").String(a.ok() ? "ok" : "error");
  j.Key("message").String(a.message);
  const auto figures = SweepDynamicsFigures(a);
  for (size_t k = 0; k < figures.size(); ++k) {
    j.Key(kSweepDynamicsColumns[k]);
    if (figures[k]) {
      j.Number(*figures[k]);
    } else {
      j.Null();
    }
  }
}

std::vector<std::string> WithFlowCoefficient(std::vector<std::string> args) {
  for (const std::string& a : args) {
    if (a == "--flow-coef" || a.rfind("--flow-coef=", 0) == 0) return args;
  }
  args.push_back("--flow-coef=1");
  return args;
}

}  // namespace torvane::cli
