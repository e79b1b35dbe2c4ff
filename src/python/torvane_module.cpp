// The compiled part of the Python module `torvane`: the gas, the leakage points, the
// coefficients and the gas properties over flat arrays of equal length. The package's
// __init__.py broadcasts the caller's arrays, names the results and holds the documentation.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/gas_engine.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "platform/version.h"
#include "python/dynamics_points.h"
#include "python/leakage_points.h"
#include "python/module_gas.h"
#include "python/module_units.h"
#include "thermo/gas_properties.h"
#include "thermo/gas_viscosity.h"
#include "thermo/ideal_gas_heat.h"

namespace py = pybind11;

namespace torvane::python {
namespace {

using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A flat array of n doubles; n must be the length every input shares.
const double* Data(const Doubles& a, py::ssize_t n, const char* name) {
  if (a.ndim() != 1 || a.shape(0) != n) {
    throw std::invalid_argument(std::string(name) + ": a flat array of the common length");
  }
  return a.data();
}

template <class T>
py::array_t<T> NewArray(py::ssize_t n) {
  return py::array_t<T>(n);
}

template <class T>
py::array_t<T> NewArray(py::ssize_t n, py::ssize_t m) {
  return py::array_t<T>({n, m});
}

// Texts kept once each, numbered in the order they first came: 0 is the empty text.
class TextTable {
 public:
  TextTable() { Index(""); }
  int Index(const std::string& text) {
    if (text.empty() && !texts_.empty()) return 0;
    const auto [it, added] = index_.try_emplace(text, static_cast<int>(texts_.size()));
    if (added) texts_.push_back(text);
    return it->second;
  }
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  std::unordered_map<std::string, int> index_;
  std::vector<std::string> texts_;
};

// Lists of warnings kept once each: 0 is the empty list.
class WarningTable {
 public:
  WarningTable() { lists_.emplace_back(); }
  int Index(const std::vector<std::string>& warnings) {
    if (warnings.empty()) return 0;
    std::string key;
    for (const std::string& w : warnings) key += w + '\x1f';
    const auto [it, added] = index_.try_emplace(key, static_cast<int>(lists_.size()));
    if (added) lists_.push_back(warnings);
    return it->second;
  }
  py::list Tuples() const {
    py::list out;
    for (const auto& l : lists_) out.append(py::tuple(py::cast(l)));
    return out;
  }

 private:
  std::unordered_map<std::string, int> index_;
  std::vector<std::vector<std::string>> lists_;
};

ModuleGas GasFromDict(const py::dict& components) {
  std::vector<std::pair<std::string, double>> list;
  for (const auto& [key, value] : components) {
    if (!py::isinstance<py::str>(key)) throw GasError("bad gas list: a code is not text");
    const std::string code = key.cast<std::string>();
    double fraction = kNaN;
    if (!py::isinstance<py::str>(value) && !py::isinstance<py::bool_>(value)) {
      try {
        fraction = value.cast<double>();
      } catch (const py::cast_error&) {
      }
    }
    if (!std::isfinite(fraction)) {
      throw GasError("bad gas list: the fraction of '" + code + "' is not a number");
    }
    list.emplace_back(code, fraction);
  }
  return ModuleGas::FromComponents(std::move(list));
}

py::dict Leakage(const ModuleGas& gas, const ModuleSeal& seal, const Doubles& p_up,
                 const Doubles& p_down, const Doubles& t_up, const Doubles& clearance,
                 const std::string& method, std::optional<double> gamma, bool real_gas) {
  const auto id = LeakageMethodNamed(method);
  if (!id) {
    throw std::invalid_argument("method: '" + method +
                                "' is not correlation, martin, vermes or tooth-by-tooth");
  }
  const py::ssize_t n = p_up.ndim() == 1 ? p_up.shape(0) : 0;
  const double* pu = Data(p_up, n, "p_up");
  const double* pd = Data(p_down, n, "p_down");
  const double* tu = Data(t_up, n, "T_up");
  const double* cl = Data(clearance, n, "clearance");
  auto mass = NewArray<double>(n), std_flow = NewArray<double>(n), inlet = NewArray<double>(n),
       exhaust = NewArray<double>(n);
  auto choked = NewArray<bool>(n);
  auto status = NewArray<signed char>(n);
  auto message = NewArray<int>(n), warning = NewArray<int>(n);
  double *m = mass.mutable_data(), *s = std_flow.mutable_data(), *i = inlet.mutable_data(),
         *e = exhaust.mutable_data();
  bool* c = choked.mutable_data();
  signed char* st = status.mutable_data();
  int *mi = message.mutable_data(), *wi = warning.mutable_data();
  TextTable messages;
  WarningTable warnings;
  {
    py::gil_scoped_release release;
    LeakagePoints points(gas, seal, *id, gamma, real_gas);
    for (py::ssize_t k = 0; k < n; ++k) {
      const LeakagePoint p = points.At({pu[k], pd[k], tu[k], cl[k]});
      const bool ok = p.status == LegacyStatus::kOk;
      st[k] = static_cast<signed char>(p.status);
      m[k] = ok ? p.mass_flow : kNaN;
      s[k] = ok ? p.std_flow : kNaN;
      i[k] = ok ? p.inlet_flow : kNaN;
      e[k] = ok ? p.exhaust_flow : kNaN;
      c[k] = ok && p.choked;
      mi[k] = messages.Index(p.message);
      wi[k] = warnings.Index(p.warnings);
    }
  }
  py::dict out;
  out["mass_flow"] = mass;
  out["standard_flow"] = std_flow;
  out["inlet_flow"] = inlet;
  out["exhaust_flow"] = exhaust;
  out["choked"] = choked;
  out["status"] = status;
  out["message_index"] = message;
  out["messages"] = messages.texts();
  out["warning_index"] = warning;
  out["warning_lists"] = warnings.Tuples();
  return out;
}

ModuleViscosity ViscosityOf(const py::object& viscosity) {
  ModuleViscosity v;
  if (viscosity.is_none()) return v;
  if (py::isinstance<py::float_>(viscosity) || py::isinstance<py::int_>(viscosity) ||
      py::hasattr(viscosity, "__float__")) {
    v.kind = ViscosityLawKind::kConstant;
    v.constant = viscosity.cast<double>();
    if (!(v.constant > 0) || !std::isfinite(v.constant)) {
      throw std::invalid_argument("viscosity: " + py::str(viscosity).cast<std::string>() +
                                  " is not a positive viscosity");
    }
    return v;
  }
  const auto malformed = [] {
    return std::invalid_argument(
        "viscosity: give a constant in Pa s or two states ((T1, mu1), (T2, mu2)) in K and Pa s");
  };
  py::sequence states;
  try {
    states = viscosity.cast<py::sequence>();
  } catch (const py::cast_error&) {
    throw malformed();
  }
  if (states.size() != 2) throw malformed();
  v.kind = ViscosityLawKind::kSutherland;
  for (size_t k = 0; k < 2; ++k) {
    std::vector<double> state;
    try {
      state = states[k].cast<std::vector<double>>();
    } catch (const py::cast_error&) {
      throw malformed();
    }
    if (state.size() != 2) throw malformed();
    if (!(state[1] > 0) || !std::isfinite(state[1]) || !std::isfinite(state[0])) {
      throw std::invalid_argument(
          "viscosity: the states need finite temperatures and positive "
          "viscosities");
    }
    v.references[k] = {state[0], state[1]};
  }
  return v;
}

py::dict Dynamics(const ModuleGas& gas, const ModuleSeal& seal, const Doubles& p_up,
                  const Doubles& p_down, const Doubles& t_up, const Doubles& clearance,
                  const Doubles& speeds, double preswirl, double whirl_ratio,
                  const py::object& viscosity, std::optional<double> gamma, bool real_gas,
                  bool jenny_kanki) {
  DynamicsSettings settings;
  settings.preswirl = preswirl;
  settings.whirl_ratio = whirl_ratio;
  settings.viscosity = ViscosityOf(viscosity);
  settings.gamma = gamma;
  settings.real_gas = real_gas;
  settings.jenny_kanki = jenny_kanki;
  const py::ssize_t n = p_up.ndim() == 1 ? p_up.shape(0) : 0;
  const double* pu = Data(p_up, n, "p_up");
  const double* pd = Data(p_down, n, "p_down");
  const double* tu = Data(t_up, n, "T_up");
  const double* cl = Data(clearance, n, "clearance");
  const double* sp = Data(speeds, n, "speeds");
  const double teeth = seal.teeth;
  const py::ssize_t cavities = std::isfinite(teeth) && teeth >= 2 &&
                                       teeth <= kMaxToothByToothTeeth && teeth == std::floor(teeth)
                                   ? static_cast<py::ssize_t>(teeth) - 1
                                   : 0;

  static constexpr const char* kScalars[] = {"kxx",
                                             "kxy",
                                             "kyx",
                                             "kyy",
                                             "cxx",
                                             "cxy",
                                             "cyx",
                                             "cyy",
                                             "effective_stiffness",
                                             "effective_damping",
                                             "whirl_frequency_ratio",
                                             "whirl_frequency",
                                             "surface_speed",
                                             "leakage_mass_flow"};
  static constexpr const char* kCavityArrays[] = {
      "cavity_pressure", "cavity_temperature", "swirl",           "swirl_ratio",
      "shear_rotor",     "shear_stator",       "cavity_viscosity"};
  constexpr size_t kScalarCount = std::size(kScalars);
  constexpr size_t kCavityCount = std::size(kCavityArrays);
  std::vector<py::array_t<double>> scalars;
  std::vector<double*> sd;
  for (size_t k = 0; k < kScalarCount; ++k) {
    scalars.push_back(NewArray<double>(n));
    sd.push_back(scalars.back().mutable_data());
  }
  std::vector<py::array_t<double>> table;
  std::vector<double*> td;
  for (size_t k = 0; k < kCavityCount; ++k) {
    table.push_back(NewArray<double>(n, cavities));
    td.push_back(table.back().mutable_data());
  }
  auto status = NewArray<bool>(n), leakage_ok = NewArray<bool>(n), choked = NewArray<bool>(n);
  auto message = NewArray<int>(n), leakage_message = NewArray<int>(n);
  bool *ok = status.mutable_data(), *lok = leakage_ok.mutable_data(), *ch = choked.mutable_data();
  int *mi = message.mutable_data(), *lmi = leakage_message.mutable_data();
  TextTable messages;
  {
    py::gil_scoped_release release;
    DynamicsPoints points(gas, seal, settings);
    for (py::ssize_t k = 0; k < n; ++k) {
      const SealDynamics& model = points.CaseAt({pu[k], pd[k], tu[k], cl[k]});
      const MethodResult& leakage = model.leakage();
      lok[k] = leakage.ok();
      lmi[k] = messages.Index(leakage.message);
      ch[k] = leakage.ok() && leakage.choked;
      const SpeedDynamics r = points.AtSpeed(sp[k]);
      ok[k] = r.ok();
      mi[k] = messages.Index(r.message);
      const RotordynamicCoefficients& q = r.coefficients;
      const double values[kScalarCount] = {q.kxx,
                                           q.kxy,
                                           q.kyx,
                                           q.kyy,
                                           q.cxx,
                                           q.cxy,
                                           q.cyx,
                                           q.cyy,
                                           r.effective_stiffness,
                                           r.effective_damping.value_or(kNaN),
                                           r.whirl_frequency_ratio.value_or(kNaN),
                                           r.whirl_frequency,
                                           r.surface_speed,
                                           leakage.mass_flow};
      for (size_t j = 0; j < kScalarCount; ++j) {
        const bool known = j == kScalarCount - 1 ? leakage.ok() : r.ok() || j == 11;
        sd[j][k] = known ? values[j] : kNaN;
      }
      for (py::ssize_t i = 0; i < cavities; ++i) {
        const bool known = r.ok() && static_cast<size_t>(i) < r.cavities.size();
        const CavityDynamics* cd = known ? &r.cavities[static_cast<size_t>(i)] : nullptr;
        const double row[kCavityCount] = {
            cd ? cd->pressure : kNaN,
            cd ? cd->temperature : kNaN,
            cd ? cd->swirl : kNaN,
            cd && r.surface_speed > 0 ? cd->swirl / r.surface_speed : kNaN,
            cd ? cd->shear_rotor : kNaN,
            cd ? cd->shear_stator : kNaN,
            cd ? cd->viscosity : kNaN};
        for (size_t j = 0; j < kCavityCount; ++j) td[j][k * cavities + i] = row[j];
      }
    }
  }
  py::dict out;
  for (size_t k = 0; k < kScalarCount; ++k) out[kScalars[k]] = scalars[k];
  for (size_t k = 0; k < kCavityCount; ++k) out[kCavityArrays[k]] = table[k];
  out["ok"] = status;
  out["message_index"] = message;
  out["leakage_ok"] = leakage_ok;
  out["leakage_message_index"] = leakage_message;
  out["choked"] = choked;
  out["messages"] = messages.texts();
  return out;
}

// Z at each state; and whether the engine asked for its iteration-limit message at any.
py::tuple Compressibility(const ModuleGas& gas, const Doubles& p, const Doubles& t) {
  const py::ssize_t n = p.ndim() == 1 ? p.shape(0) : 0;
  const double* pp = Data(p, n, "p");
  const double* tt = Data(t, n, "T");
  auto z = NewArray<double>(n);
  double* zd = z.mutable_data();
  bool unreliable = false;
  {
    py::gil_scoped_release release;
    RecordingMessageService messages;
    GasEngine engine(messages);
    gas.LoadInto(engine);
    for (py::ssize_t k = 0; k < n; ++k) {
      try {
        double rankine = Checked(RankineOf(tt[k]), "temperature");
        zd[k] = engine.SpecificVolume(Checked(PsiaOf(pp[k]), "pressure"), rankine).z;
      } catch (const CalculationError&) {
        zd[k] = kNaN;
      }
    }
    unreliable = !messages.messages().empty();
  }
  return py::make_tuple(z, unreliable);
}

py::array_t<double> SaturationTemperature(const ModuleGas& gas, const Doubles& p) {
  const py::ssize_t n = p.ndim() == 1 ? p.shape(0) : 0;
  const double* pp = Data(p, n, "p");
  auto t = NewArray<double>(n);
  double* td = t.mutable_data();
  py::gil_scoped_release release;
  for (py::ssize_t k = 0; k < n; ++k) {
    try {
      td[k] = KelvinOf(
          Checked(SaturationTemp(gas.mixture(), Checked(PsiaOf(pp[k]), "pressure")), "tsat"));
    } catch (const CalculationError&) {
      td[k] = kNaN;
    }
  }
  return t;
}

py::dict Properties(const ModuleGas& gas, const Doubles& p, const Doubles& t) {
  const py::ssize_t n = p.ndim() == 1 ? p.shape(0) : 0;
  const double* pp = Data(p, n, "p");
  const double* tt = Data(t, n, "T");
  static constexpr const char* kNames[] = {
      "z",        "z_solver", "molar_mass", "density",    "specific_volume", "cp",
      "cv",       "cp_molar", "gamma",      "kappa",      "speed_of_sound",  "joule_thomson",
      "enthalpy", "entropy",  "viscosity",  "temperature"};
  constexpr size_t kCount = std::size(kNames);
  std::vector<py::array_t<double>> arrays;
  std::vector<double*> data;
  for (size_t k = 0; k < kCount; ++k) {
    arrays.push_back(NewArray<double>(n));
    data.push_back(arrays.back().mutable_data());
  }
  auto fallback = NewArray<bool>(n), raised = NewArray<bool>(n), unreliable = NewArray<bool>(n);
  bool *fb = fallback.mutable_data(), *rs = raised.mutable_data(), *ur = unreliable.mutable_data();
  {
    py::gil_scoped_release release;
    const CaloricGas caloric(gas.mixture());
    const ViscosityGas viscous = ViscosityGasOf(gas.mixture());
    for (py::ssize_t k = 0; k < n; ++k) {
      double values[kCount];
      fb[k] = rs[k] = ur[k] = false;
      try {
        const GasProperties g = PropertiesAtSi(caloric, pp[k], tt[k]);
        double viscosity = kNaN;
        try {
          viscosity = GasViscosity(viscous, g.temperature, g.density);
        } catch (const CalculationError&) {
        }
        const double row[kCount] = {g.z,
                                    g.z_solver,
                                    g.molar_mass,
                                    g.density,
                                    g.specific_volume(),
                                    g.cp_mass(),
                                    g.cv_mass(),
                                    g.cp,
                                    g.gamma,
                                    g.kappa,
                                    g.speed_of_sound,
                                    g.joule_thomson,
                                    g.enthalpy_mass(),
                                    g.entropy_mass(),
                                    viscosity,
                                    g.temperature};
        for (size_t j = 0; j < kCount; ++j) values[j] = row[j];
        fb[k] = g.ideal_fallback;
        rs[k] = g.temperature_raised;
        ur[k] = g.needs_message;
      } catch (const CalculationError&) {
        for (double& v : values) v = kNaN;
      }
      for (size_t j = 0; j < kCount; ++j) data[j][k] = values[j];
    }
  }
  py::dict out;
  for (size_t k = 0; k < kCount; ++k) out[kNames[k]] = arrays[k];
  out["ideal_fallback"] = fallback;
  out["temperature_raised"] = raised;
  out["unreliable"] = unreliable;
  return out;
}

}  // namespace
}  // namespace torvane::python

PYBIND11_MODULE(_torvane, m) {
  using namespace torvane;
  using namespace torvane::python;
  m.doc() = "The compiled part of torvane: use the package's own functions.";
  m.attr("__version__") = kVersionString;

  static py::exception<GasError> gas_error(m, "GasError", PyExc_ValueError);
  static py::exception<FileError> file_error(m, "FileError", PyExc_OSError);
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const GasError& e) {
      gas_error(e.what());
    } catch (const FileError& e) {
      file_error(e.what());
    }
  });

  py::class_<ModuleGas>(m, "_Gas")
      .def(py::init(&ModuleGas::FromList), py::arg("gas_list"))
      .def(py::init(&GasFromDict), py::arg("components"))
      .def_static("from_file", &ModuleGas::FromFile, py::arg("path"), py::arg("section"))
      .def_property_readonly("molar_mass",
                             [](const ModuleGas& g) { return g.mixture().mix_mol_weight / 1000; })
      .def_property_readonly(
          "pseudo_critical_temperature",
          [](const ModuleGas& g) { return KelvinOf(g.mixture().pseudo_crit_temp); })
      .def_property_readonly(
          "pseudo_critical_pressure",
          [](const ModuleGas& g) { return g.mixture().pseudo_crit_press * kPascalPerPsi; })
      .def_property_readonly("components", &ModuleGas::components);

  py::class_<ModuleSeal>(m, "_Seal")
      .def(py::init([](bool straight, double diameter, double spacing, double thickness,
                       double teeth, double flow_coefficient, std::optional<double> tooth_height,
                       bool teeth_on_rotor) {
             ModuleSeal s;
             s.straight = straight;
             s.diameter = diameter;
             s.spacing = spacing;
             s.thickness = thickness;
             s.teeth = teeth;
             s.flow_coefficient = flow_coefficient;
             s.tooth_height = tooth_height;
             s.teeth_on = teeth_on_rotor ? TeethOn::kRotor : TeethOn::kStator;
             return s;
           }),
           py::arg("straight"), py::arg("diameter"), py::arg("spacing"), py::arg("thickness"),
           py::arg("teeth"), py::arg("flow_coefficient"), py::arg("tooth_height"),
           py::arg("teeth_on_rotor"));

  m.def("_leakage", &Leakage);
  m.def("_dynamics", &Dynamics);
  m.def("_z", &Compressibility);
  m.def("_saturation_temperature", &SaturationTemperature);
  m.def("_properties", &Properties);
  m.def("_ideal_gas_gamma", [](const ModuleGas& gas, double kelvin) {
    return Checked(IdealGasGamma(gas.mixture(), RankineOf(kelvin)), "gamma");
  });
}
