#include "dynamics/dynamics_form.h"

#include <cmath>

#include "dynamics/dynamics_csv.h"
#include "methods/comparison_table.h"
#include "units/number_format.h"

namespace torvane {
namespace {

std::string Label(const UnitChoice& units, Quantity q) {
  const std::string& label = units.Label(q);
  const auto end = label.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}

std::string Count(std::int64_t n) { return FormatNumber(static_cast<double>(n), "#,##0"); }

std::string Figure(double v) { return ShortestGeneral(v, 6); }

// The column of each scalar of DynamicsScalars after speed and whirl frequency.
constexpr int kScalarColumns = 11;

}  // namespace

DynamicsEntryCheck CheckDynamicsEntries(const DynamicsEntries& e, int laby_type) {
  DynamicsEntryCheck check;
  const auto problem = [&](std::string text, DynamicsBox box) {
    check.speeds.clear();
    check.problem = std::move(text);
    check.focus = box;
    return check;
  };
  const auto finite = [](const std::optional<double>& v) { return v && std::isfinite(*v); };
  const auto positive = [&](const std::optional<double>& v) { return finite(v) && *v > 0; };

  DynamicsOptions& o = check.options;
  if (!positive(e.tooth_height)) {
    return problem("Tooth height must be a positive number", DynamicsBox::kToothHeight);
  }
  o.tooth_height = *e.tooth_height;
  o.teeth_on = TeethOnEnabled(laby_type) && e.teeth_on == 1 ? TeethOn::kRotor : TeethOn::kStator;
  if (!finite(e.preswirl))
    return problem("Preswirl ratio must be a number", DynamicsBox::kPreswirl);
  o.preswirl = *e.preswirl;
  if (!finite(e.speed_from) || *e.speed_from < 0) {
    return problem("Speed from must be a number of 0 rpm or more", DynamicsBox::kSpeedFrom);
  }
  if (!finite(e.speed_to) || *e.speed_to < 0) {
    return problem("Speed to must be a number of 0 rpm or more", DynamicsBox::kSpeedTo);
  }
  if (e.speed_count < 1 || e.speed_count > kMaxWindowSpeeds) {
    return problem("Speeds must be from 1 to " + Count(kMaxWindowSpeeds) +
                       "; torvane-cli dynamics " + "takes up to 100,000",
                   DynamicsBox::kSpeedCount);
  }
  if (!finite(e.whirl_ratio)) {
    return problem("Whirl ratio must be a number", DynamicsBox::kWhirlRatio);
  }
  o.whirl_ratio = *e.whirl_ratio;
  o.gamma = e.real_gas ? std::nullopt : e.gamma;
  o.real_gas = e.real_gas;
  o.jenny_kanki = e.jenny_kanki;
  switch (e.viscosity_law) {
    case 1:
      o.viscosity_law = ViscosityLawKind::kSutherland;
      for (size_t k = 0; k < 2; ++k) {
        const auto box = [k](DynamicsBox first, DynamicsBox second) { return k ? second : first; };
        if (!finite(e.temperatures[k])) {
          return problem("Reference temperature must be a number",
                         box(DynamicsBox::kTemperature1, DynamicsBox::kTemperature2));
        }
        if (!positive(e.viscosities[k])) {
          return problem("Reference viscosity must be a positive number",
                         box(DynamicsBox::kViscosity1, DynamicsBox::kViscosity2));
        }
        o.references[k] = {*e.temperatures[k], *e.viscosities[k]};
      }
      break;
    case 2:
      o.viscosity_law = ViscosityLawKind::kConstant;
      if (!positive(e.viscosity)) {
        return problem("Viscosity must be a positive number", DynamicsBox::kViscosity);
      }
      o.viscosity = *e.viscosity;
      break;
    default:
      o.viscosity_law = ViscosityLawKind::kGas;
      break;
  }

  // Speed i of the range: from + ((to - from) * i) / (count - 1), the study's range rule.
  const double from = *e.speed_from, to = *e.speed_to;
  const auto n = e.speed_count;
  check.speeds.reserve(static_cast<size_t>(n));
  for (std::int64_t i = 0; i < n; ++i) {
    check.speeds.push_back(
        n == 1 ? from : from + ((to - from) * static_cast<double>(i)) / static_cast<double>(n - 1));
  }
  return check;
}

bool TeethOnEnabled(int laby_type) { return laby_type == 1; }

bool ViscosityBoxEnabled(DynamicsBox box, int viscosity_law) {
  switch (box) {
    case DynamicsBox::kViscosity:
      return viscosity_law == 2;
    case DynamicsBox::kTemperature1:
    case DynamicsBox::kViscosity1:
    case DynamicsBox::kTemperature2:
    case DynamicsBox::kViscosity2:
      return viscosity_law == 1;
    default:
      return true;
  }
}

std::string DynamicsBoxUnit(DynamicsBox box, const UnitChoice& units) {
  switch (box) {
    case DynamicsBox::kToothHeight:
      return Label(units, Quantity::kLength);
    case DynamicsBox::kSpeedFrom:
    case DynamicsBox::kSpeedTo:
      return "rpm";
    case DynamicsBox::kViscosity:
    case DynamicsBox::kViscosity1:
    case DynamicsBox::kViscosity2:
      return Label(units, Quantity::kViscosity);
    case DynamicsBox::kTemperature1:
    case DynamicsBox::kTemperature2:
      return Label(units, Quantity::kTemperature);
    default:
      return std::string();
  }
}

int DynamicsResults::failed() const {
  int n = 0;
  for (const SpeedAnswer& s : speeds) n += s.ok() ? 0 : 1;
  return n;
}

DynamicsResults RunDynamics(const LabyInputs& inputs, const UnitChoice& units,
                            const GasMixture& gas, const DynamicsOptions& options,
                            std::span<const double> speeds) {
  const DynamicsCalculation calculation(inputs, units, gas, options);
  DynamicsResults r;
  r.units = units;
  r.inputs = inputs;
  r.options = options;
  r.gamma = calculation.gamma();
  r.leakage = calculation.leakage();
  r.speeds.reserve(speeds.size());
  for (double rpm : speeds) r.speeds.push_back(calculation.AtSpeed(rpm));
  return r;
}

std::string DynamicsCaseText(const LabyInputs& inputs, const UnitChoice& units) {
  MethodComparison c;
  c.inputs = inputs;
  c.units = units;
  return ComparisonCaseText(c);
}

bool DynamicsExportsEnabled(const DynamicsResults* results) {
  return results && !results->speeds.empty();
}

std::string DynamicsSummary(const DynamicsResults& r) {
  const auto n = static_cast<std::int64_t>(r.speeds.size());
  std::string text =
      Count(n) + (n == 1 ? " speed, " : " speeds, ") + Count(r.failed()) + " failed; ";
  if (!r.leakage.ok) return text + "leakage: " + r.leakage.message;
  return text + "leakage " + Figure(r.leakage.mass_flow) + " " +
         Label(r.units, Quantity::kMassFlow) + (r.leakage.choked ? ", choked" : "");
}

std::string DynamicsBasisText(const DynamicsResults& r) {
  const DynamicsOptions& o = r.options;
  std::string text =
      "Tooth height " + ShortestGeneral(o.tooth_height) + " " + Label(r.units, Quantity::kLength);
  if (TeethOnEnabled(r.inputs.laby_type)) {
    text += o.teeth_on == TeethOn::kRotor ? ", teeth on the rotor" : ", teeth on the stator";
  }
  text += ", preswirl " + ShortestGeneral(o.preswirl) + ", whirl ratio " +
          ShortestGeneral(o.whirl_ratio) + ", ";
  if (!r.gamma) {
    text += "real gas, ";
  } else {
    text += "gamma " + (r.gamma->ok() ? FormatNumber(r.gamma->value, "0.000") : "-") +
            (r.gamma->source == GammaSource::kGas ? " from the gas, " : ", ");
  }
  const std::string mu = " " + Label(r.units, Quantity::kViscosity);
  const std::string t = " " + Label(r.units, Quantity::kTemperature);
  switch (o.viscosity_law) {
    case ViscosityLawKind::kGas:
      text += "viscosity from the gas";
      break;
    case ViscosityLawKind::kConstant:
      text += "viscosity " + ShortestGeneral(o.viscosity) + mu;
      break;
    case ViscosityLawKind::kSutherland:
      text += "Sutherland's law through " + ShortestGeneral(o.references[0].viscosity) + mu +
              " at " + ShortestGeneral(o.references[0].temperature) + t + " and " +
              ShortestGeneral(o.references[1].viscosity) + mu + " at " +
              ShortestGeneral(o.references[1].temperature) + t;
      break;
  }
  if (o.jenny_kanki) text += ", Jenny-Kanki";
  return text;
}

std::vector<std::string> DynamicsTableHeaders(const UnitChoice& units) {
  const std::string stiffness = " (" + StiffnessUnit(units) + ")";
  const std::string damping = " (" + DampingUnit(units) + ")";
  std::vector<std::string> h = {"Speed (rpm)", "Whirl frequency (rpm)"};
  for (const char* k : {"kxx", "kxy", "kyx", "kyy"}) h.push_back(k + stiffness);
  for (const char* c : {"cxx", "cxy", "cyx", "cyy"}) h.push_back(c + damping);
  h.push_back("Effective stiffness" + stiffness);
  h.push_back("Effective damping" + damping);
  h.push_back("Whirl frequency ratio");
  h.push_back("Status");
  h.push_back("Message");
  return h;
}

int DynamicsTableNumberColumns() { return 2 + kScalarColumns; }

std::string DynamicsTableCell(const SpeedAnswer& s, int column) {
  if (column == 0) return Figure(s.speed);
  if (column == 1) return Figure(s.whirl_frequency);
  if (column >= 2 && column < 2 + kScalarColumns) {
    const auto value = DynamicsScalars(s)[static_cast<size_t>(column - 2)].second;
    return value ? Figure(*value) : std::string();
  }
  if (column == 2 + kScalarColumns) return s.ok() ? "ok" : "failed";
  if (column == 3 + kScalarColumns) return s.message;
  return std::string();
}

std::string DynamicsTableText(const DynamicsResults& r) {
  std::string text;
  const std::vector<std::string> headers = DynamicsTableHeaders(r.units);
  for (size_t k = 0; k < headers.size(); ++k) text += (k ? "\t" : "") + headers[k];
  text += '\n';
  for (const SpeedAnswer& s : r.speeds) {
    for (size_t k = 0; k < headers.size(); ++k) {
      text += (k ? "\t" : "") + DynamicsTableCell(s, static_cast<int>(k));
    }
    text += '\n';
  }
  return text;
}

std::string DynamicsCsv(const DynamicsResults& r) {
  std::string csv = DynamicsCsvHeader(r.units);
  for (const SpeedAnswer& s : r.speeds) AppendDynamicsCsvRow(s, csv);
  return csv;
}

std::string FigureName(DynamicsFigure figure) {
  switch (figure) {
    case DynamicsFigure::kDirectStiffness:
      return "K = kxx";
    case DynamicsFigure::kCrossStiffness:
      return "k = kxy";
    case DynamicsFigure::kDirectDamping:
      return "C = cxx";
    case DynamicsFigure::kCrossDamping:
      return "c = cxy";
    case DynamicsFigure::kEffectiveDamping:
      return "Effective damping";
    case DynamicsFigure::kWhirlFrequencyRatio:
      return "Whirl frequency ratio";
  }
  return std::string();
}

std::optional<double> FigureValue(const SpeedAnswer& s, DynamicsFigure figure) {
  if (!s.ok()) return std::nullopt;
  switch (figure) {
    case DynamicsFigure::kDirectStiffness:
      return s.coefficients.kxx;
    case DynamicsFigure::kCrossStiffness:
      return s.coefficients.kxy;
    case DynamicsFigure::kDirectDamping:
      return s.coefficients.cxx;
    case DynamicsFigure::kCrossDamping:
      return s.coefficients.cxy;
    case DynamicsFigure::kEffectiveDamping:
      return s.effective_damping;
    case DynamicsFigure::kWhirlFrequencyRatio:
      return s.whirl_frequency_ratio;
  }
  return std::nullopt;
}

std::string SpeedAxisTitle() { return "Rotor speed (rpm)"; }
std::string StiffnessAxisTitle(const UnitChoice& units) {
  return "Stiffness (" + StiffnessUnit(units) + ")";
}
std::string DampingAxisTitle(const UnitChoice& units) {
  return "Damping (" + DampingUnit(units) + ")";
}
std::string EffectiveDampingAxisTitle(const UnitChoice& units) {
  return "Effective damping (" + DampingUnit(units) + ")";
}
std::string WhirlFrequencyRatioAxisTitle() { return "Whirl frequency ratio"; }
std::string SwirlRatioAxisTitle() { return "Swirl ratio V/U"; }
std::string CavityAxisTitle() { return "Station (0 inlet, 1.. cavities)"; }

std::vector<std::vector<DynamicsPoint>> FigureCurve(std::span<const SpeedAnswer> speeds,
                                                    DynamicsFigure figure) {
  std::vector<std::vector<DynamicsPoint>> runs;
  bool open = false;
  for (const SpeedAnswer& s : speeds) {
    const std::optional<double> v = FigureValue(s, figure);
    if (!v) {
      open = false;
      continue;
    }
    if (!open) runs.emplace_back();
    open = true;
    runs.back().push_back({s.speed, *v});
  }
  return runs;
}

std::vector<DynamicsPoint> SwirlProfile(const SpeedAnswer& s, double preswirl) {
  std::vector<DynamicsPoint> profile;
  if (!s.ok() || !(s.surface_speed > 0)) return profile;
  profile.push_back({0, preswirl});
  for (size_t i = 0; i < s.cavities.size(); ++i) {
    if (!s.cavities[i].swirl_ratio) return {};
    profile.push_back({static_cast<double>(i + 1), *s.cavities[i].swirl_ratio});
  }
  return profile;
}

std::string SpeedText(double rpm) {
  return (std::floor(rpm) == rpm ? FormatNumber(rpm, "#,##0") : ShortestGeneral(rpm, 6)) + " rpm";
}

}  // namespace torvane
