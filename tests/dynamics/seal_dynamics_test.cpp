// The rotordynamic coefficients against the worked example (values to six figures), against
// the published test values of the open-source package ROSS where its model is sound, and
// against the relations and limits the model must keep.
#include "dynamics/seal_dynamics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "support/worked_dynamics.h"

namespace torvane {
namespace {

using testing::kWorkedSpeed;
using testing::WorkedExampleDynamics;

// |a / b - 1|, the relative difference.
double Relative(double a, double b) { return std::abs(a / b - 1); }

#define EXPECT_REL(a, b, tolerance) \
  EXPECT_LT(Relative((a), (b)), (tolerance)) << (a) << " vs " << (b)

constexpr double kSix = 1e-5;  // six significant figures

bool AllFinite(const SpeedDynamics& r) {
  const RotordynamicCoefficients& k = r.coefficients;
  for (double v : {k.kxx, k.kxy, k.kyx, k.kyy, k.cxx, k.cxy, k.cyx, k.cyy, r.effective_stiffness,
                   r.effective_damping.value_or(0), r.whirl_frequency_ratio.value_or(0),
                   r.forward_impedance.real(), r.forward_impedance.imag(),
                   r.backward_impedance.real(), r.backward_impedance.imag()}) {
    if (!std::isfinite(v)) return false;
  }
  for (const CavityDynamics& c : r.cavities) {
    for (double v : {c.swirl, c.shear_rotor, c.shear_stator, c.viscosity}) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

TEST(SealDynamicsTest, WorkedExampleGeometryAndLeakage) {
  const SealDynamics d(WorkedExampleDynamics());
  ASSERT_EQ(d.status(), DynamicsStatus::kOk) << d.message();
  const CavityGeometry& g = d.geometry();
  EXPECT_REL(g.height, 0.003475, 1e-12);
  EXPECT_REL(g.area, 1.10331e-5, kSix);
  EXPECT_REL(g.hydraulic_diameter, 0.00331823, kSix);
  EXPECT_EQ(g.wet_rotor, 2);
  EXPECT_EQ(g.wet_stator, 2);
  EXPECT_EQ(g.momentum_factor, 1);
  EXPECT_REL(d.leakage().discharge_coefficient, 0.653821, kSix);
  EXPECT_EQ(d.leakage().carry_over, 0);
  EXPECT_REL(d.flow().flux, 0.0519617, kSix);
  EXPECT_REL(d.leakage().mass_flow, 0.0237191, kSix);
  EXPECT_FALSE(d.leakage().choked);
  EXPECT_EQ(d.flow().choked_throttle, 0);
  EXPECT_EQ(d.cavity_count(), 15);
  EXPECT_REL(d.AtSpeed(kWorkedSpeed).surface_speed, 60.7375, kSix);
}

TEST(SealDynamicsTest, WorkedExampleCavityTable) {
  const SpeedDynamics r = SealDynamics(WorkedExampleDynamics()).AtSpeed(kWorkedSpeed);
  ASSERT_TRUE(r.ok()) << r.message;
  ASSERT_EQ(r.cavities.size(), 15u);
  EXPECT_REL(r.cavities[0].swirl_in, 59.5227, kSix);  // station 0: the preswirl
  struct Row {
    int cavity;
    double p, t, rho, v, tau_r, tau_s;
  };
  const Row rows[] = {
      {1, 298425, 280.562, 3.70609, 55.6453, 0.490551, 32.2189},
      {8, 223265, 257.861, 3.01679, 40.4059, 4.57240, 15.2097},
      {15, 117517, 213.963, 1.91369, 35.2985, 4.44693, 7.88876},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.cavity);
    const CavityDynamics& c = r.cavities[static_cast<size_t>(row.cavity) - 1];
    EXPECT_REL(c.pressure, row.p, kSix);
    EXPECT_REL(c.temperature, row.t, kSix);
    EXPECT_REL(c.density, row.rho, kSix);
    EXPECT_REL(c.swirl, row.v, kSix);
    EXPECT_REL(c.shear_rotor, row.tau_r, kSix);
    EXPECT_REL(c.shear_stator, row.tau_s, kSix);
  }
}

TEST(SealDynamicsTest, WorkedExampleFirstCavityEquations) {
  const auto t = SealDynamics(WorkedExampleDynamics()).TermsAt(kWorkedSpeed, 1);
  ASSERT_TRUE(t.has_value());
  EXPECT_REL(t->c3, 5.36288e-6, kSix);
  EXPECT_REL(t->c4, -2.60382e-6, kSix);
  EXPECT_REL(t->c7, -2.75624e-6, kSix);
  EXPECT_REL(t->x3, 0.0594664, kSix);
  EXPECT_REL(t->x6, 1.10299e-5, kSix);
  EXPECT_REL(t->x7, 678.504, kSix);
  EXPECT_EQ(t->x4, 0);  // no swirl perturbation upstream of the first cavity
}

TEST(SealDynamicsTest, WorkedExampleCoefficientsAndStability) {
  const SpeedDynamics r = SealDynamics(WorkedExampleDynamics()).AtSpeed(kWorkedSpeed);
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_REL(r.forward_impedance.real(), -3327.94, kSix);
  EXPECT_REL(r.forward_impedance.imag(), -15581.9, kSix);
  EXPECT_REL(r.backward_impedance.real(), -97585.2, kSix);
  EXPECT_REL(r.backward_impedance.imag(), -55501.3, kSix);
  // ROSS's published values for this seal.
  const RotordynamicCoefficients& k = r.coefficients;
  EXPECT_REL(k.kxx, -50456.586597, kSix);
  EXPECT_REL(k.kyy, -50456.586597, kSix);
  EXPECT_REL(k.kxy, 35541.605312, kSix);
  EXPECT_REL(k.kyx, -35541.605312, kSix);
  EXPECT_REL(k.cxx, 23.825111, kSix);
  EXPECT_REL(k.cyy, 23.825111, kSix);
  EXPECT_REL(k.cxy, 56.255682, kSix);
  EXPECT_REL(k.cyx, -56.255682, kSix);
  EXPECT_REL(r.effective_stiffness, -3327.94, kSix);
  ASSERT_TRUE(r.effective_damping && r.whirl_frequency_ratio);
  EXPECT_REL(*r.effective_damping, -18.5996, kSix);
  EXPECT_REL(*r.whirl_frequency_ratio, 1.78067, kSix);
  EXPECT_EQ(r.speed, kWorkedSpeed);
  EXPECT_EQ(r.whirl_frequency, kWorkedSpeed);
  EXPECT_TRUE(AllFinite(r));
}

TEST(SealDynamicsTest, MeetsRossWhereItsModelIsSound) {
  // ROSS's golden values: the interlocking seal at two more speeds, a see-through seal with the
  // teeth on the rotor, and one with the teeth on the stator and Jenny and Kanki's factor.
  struct Case {
    const char* name;
    SealKind kind;
    TeethOn on;
    double preswirl, clearance, rpm;
    bool jenny_kanki;
    double kxx, kxy, cxx, cxy, leakage;
  };
  const Case cases[] = {
      {"inter 5000", SealKind::kInterlocking, TeethOn::kStator, 0.98, 0.0003, 5000, false,
       -19535.608570078308, 16613.068744097018, 14.763208740481344, 35.587360960390164,
       0.023719116584285112},
      {"inter 11000", SealKind::kInterlocking, TeethOn::kStator, 0.98, 0.0003, 11000, false,
       -101548.74314284595, 66479.6676142866, 38.91367369973616, 81.40331531729788,
       0.023719116584285112},
      {"rotor 6000", SealKind::kSeeThrough, TeethOn::kRotor, 0.3, 0.00025, 6000, false,
       -23274.5485731597, -6737.397545478432, 15.684330466310694, 29.66092719104746,
       0.024915519366403998},
      {"rotor 9000", SealKind::kSeeThrough, TeethOn::kRotor, 0.3, 0.00025, 9000, false,
       -57642.48275896407, -6679.615754244509, 22.830785405800086, 51.642849975290474,
       0.024915519366403998},
      {"stator JK", SealKind::kSeeThrough, TeethOn::kStator, 0.98, 0.0003, 8000, true,
       -61999.534892068565, 32343.057825915872, 31.58692263281013, 73.20169505356793,
       0.03101387761855259},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DynamicsCase dc = WorkedExampleDynamics();
    dc.seal.kind = c.kind;
    dc.seal.clearance = c.clearance;
    dc.teeth_on = c.on;
    dc.preswirl = c.preswirl;
    dc.jenny_kanki = c.jenny_kanki;
    const SealDynamics d(dc);
    const SpeedDynamics r = d.AtSpeed(c.rpm);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_REL(r.coefficients.kxx, c.kxx, kSix);
    EXPECT_REL(r.coefficients.kxy, c.kxy, kSix);
    EXPECT_REL(r.coefficients.cxx, c.cxx, kSix);
    EXPECT_REL(r.coefficients.cxy, c.cxy, kSix);
    EXPECT_REL(d.leakage().mass_flow, c.leakage, kSix);
  }
}

TEST(SealDynamicsTest, AxisymmetryIdentities) {
  DynamicsCase dc = WorkedExampleDynamics();
  for (const double ratio : {1.0, 0.45, 2.0, -0.7}) {
    dc.whirl_ratio = ratio;
    const SealDynamics d(dc);
    for (const double rpm : {1000.0, 8000.0, 20000.0}) {
      SCOPED_TRACE(std::to_string(ratio) + " " + std::to_string(rpm));
      const SpeedDynamics r = d.AtSpeed(rpm);
      ASSERT_TRUE(r.ok()) << r.message;
      const RotordynamicCoefficients& k = r.coefficients;
      EXPECT_EQ(k.kyy, k.kxx);
      EXPECT_EQ(k.kyx, -k.kxy);
      EXPECT_EQ(k.cyy, k.cxx);
      EXPECT_EQ(k.cyx, -k.cxy);
      // H(lambda) = (K - i k) + i lambda (C - i c) at both whirl directions.
      const double omega = ratio * rpm * std::numbers::pi / 30;
      const std::complex<double> i1(0, 1);
      const auto h = [&](double lambda) {
        return std::complex<double>(k.kxx, -k.kxy) +
               i1 * lambda * std::complex<double>(k.cxx, -k.cxy);
      };
      EXPECT_LT(std::abs(h(omega) - r.forward_impedance), 1e-9 * std::abs(r.forward_impedance));
      EXPECT_LT(std::abs(h(-omega) - r.backward_impedance), 1e-9 * std::abs(r.backward_impedance));
      EXPECT_REL(r.effective_stiffness, k.kxx + k.cxy * omega, 1e-9);
      EXPECT_REL(*r.effective_damping, k.cxx - k.kxy / omega, 1e-9);
      EXPECT_REL(*r.whirl_frequency_ratio, k.kxy / (k.cxx * omega), 1e-12);
      EXPECT_REL(r.whirl_frequency, ratio * rpm, 1e-15);
    }
  }
}

TEST(SealDynamicsTest, AtRestTheDampingIsTheLimitOfZeroSpeed) {
  const SealDynamics d(WorkedExampleDynamics());
  const SpeedDynamics r = d.AtSpeed(0);
  ASSERT_TRUE(r.ok()) << r.message;
  const RotordynamicCoefficients& k = r.coefficients;
  EXPECT_EQ(k.kxx, 0);
  EXPECT_EQ(k.kxy, 0);
  EXPECT_EQ(k.cxy, 0);
  EXPECT_FALSE(std::signbit(k.kyx));
  EXPECT_FALSE(std::signbit(k.cyx));
  EXPECT_NEAR(k.cxx, 5.159, 5e-4);
  EXPECT_EQ(k.cyy, k.cxx);
  EXPECT_EQ(r.effective_stiffness, 0);
  EXPECT_FALSE(r.effective_damping.has_value());
  EXPECT_FALSE(r.whirl_frequency_ratio.has_value());
  for (const CavityDynamics& c : r.cavities) {
    EXPECT_EQ(c.swirl, 0);
    EXPECT_EQ(c.shear_rotor, 0);
    EXPECT_EQ(c.shear_stator, 0);
  }
  // The limit: the damping of a slow rotor tends to it (as the speed to the power 0.75).
  EXPECT_LT(Relative(d.AtSpeed(1e-3).coefficients.cxx, k.cxx), 2e-5);
  EXPECT_LT(Relative(d.AtSpeed(1e-4).coefficients.cxx, k.cxx), 4e-6);
  // Jenny and Kanki's factor changes nothing at rest.
  DynamicsCase jk = WorkedExampleDynamics();
  jk.jenny_kanki = true;
  EXPECT_EQ(SealDynamics(jk).AtSpeed(0).coefficients.cxx, k.cxx);
}

TEST(SealDynamicsTest, ZeroWhirlRatioTakesTheDampingAsTheSlope) {
  DynamicsCase dc = WorkedExampleDynamics();
  dc.whirl_ratio = 0;
  const SpeedDynamics r = SealDynamics(dc).AtSpeed(kWorkedSpeed);
  ASSERT_TRUE(r.ok()) << r.message;
  dc.whirl_ratio = 1e-7;
  const SpeedDynamics near = SealDynamics(dc).AtSpeed(kWorkedSpeed);
  ASSERT_TRUE(near.ok()) << near.message;
  EXPECT_LT(Relative(r.coefficients.kxx, near.coefficients.kxx), 1e-6);
  EXPECT_LT(Relative(r.coefficients.kxy, near.coefficients.kxy), 1e-6);
  EXPECT_LT(Relative(r.coefficients.cxx, near.coefficients.cxx), 1e-5);
  EXPECT_LT(Relative(r.coefficients.cxy, near.coefficients.cxy), 1e-5);
  EXPECT_EQ(r.whirl_frequency, 0);
  EXPECT_EQ(r.effective_stiffness, r.coefficients.kxx);
  EXPECT_FALSE(r.effective_damping.has_value());  // C - k / omega has no finite value
  EXPECT_FALSE(r.whirl_frequency_ratio.has_value());
}

TEST(SealDynamicsTest, ChokedLastToothIsLinearisedAsChoked) {
  DynamicsCase dc = WorkedExampleDynamics();  // ROSS's choked case: 1 MPa over 3 teeth
  dc.seal.pressure_up = 1e6;
  dc.seal.teeth = 3;
  const SealDynamics choked(dc);
  ASSERT_EQ(choked.status(), DynamicsStatus::kOk) << choked.message();
  ASSERT_TRUE(choked.leakage().choked);
  EXPECT_EQ(choked.flow().choked_throttle, 3);
  const std::vector<StationState>& st = choked.flow().stations;
  EXPECT_GT(st[3].pressure, dc.seal.pressure_down);

  // The last cavity's continuity: the choked tooth passes G(p_2) whatever lies downstream.
  const double g = choked.flow().flux;
  const auto t = choked.TermsAt(kWorkedSpeed, 2);
  ASSERT_TRUE(t.has_value());
  const double d_up = st[1].pressure * st[1].pressure - st[2].pressure * st[2].pressure;
  EXPECT_REL(t->c3, g / st[2].pressure + g * st[2].pressure / d_up, 1e-14);
  EXPECT_EQ(t->c4, 0);

  // Linearised as if it were not choked, the seal gives ROSS's values, which rest on a slightly
  // different choked pressure (ROSS stops its leakage iteration at 0.5 % of the choke ratio).
  SealFlow as_unchoked = choked.flow();
  as_unchoked.choked_throttle = 0;
  const SealDynamics ross(dc, choked.leakage(), as_unchoked);
  const RotordynamicCoefficients a = choked.AtSpeed(kWorkedSpeed).coefficients;
  const RotordynamicCoefficients b = ross.AtSpeed(kWorkedSpeed).coefficients;
  EXPECT_LT(Relative(b.kxx, -1940.384353368348), 2e-3);
  EXPECT_LT(Relative(b.kxy, 31647.53685554276), 2e-3);
  EXPECT_LT(Relative(b.cxx, 29.53499364398237), 2e-3);
  EXPECT_LT(Relative(b.cxy, 2.135961640465666), 2e-3);
  // The choked linearisation moves kxx by -22 %, kxy by +8 %, cxx by +8 %, cxy by +23 %.
  EXPECT_NEAR(a.kxx / b.kxx - 1, 0.222, 0.005);
  EXPECT_NEAR(a.kxy / b.kxy - 1, 0.082, 0.005);
  EXPECT_NEAR(a.cxx / b.cxx - 1, 0.083, 0.005);
  EXPECT_NEAR(a.cxy / b.cxy - 1, 0.233, 0.005);
}

TEST(SealDynamicsTest, SwirlExactlyAtRestOrAtTheRotorSurfaceSpeedGivesFiniteResults) {
  const SealDynamics d(WorkedExampleDynamics());
  const SpeedDynamics marched = d.AtSpeed(kWorkedSpeed);
  ASSERT_TRUE(marched.ok());
  // The swirl given as marched gives the same answer.
  std::vector<double> swirl;
  for (const CavityDynamics& c : marched.cavities) swirl.push_back(c.swirl);
  const SpeedDynamics again = d.AtSpeed(kWorkedSpeed, swirl);
  ASSERT_TRUE(again.ok());
  EXPECT_EQ(again.coefficients.kxy, marched.coefficients.kxy);
  EXPECT_EQ(again.coefficients.cxx, marched.coefficients.cxx);

  const double u = marched.surface_speed;
  for (const double v : {0.0, u}) {
    SCOPED_TRACE(v);
    std::vector<double> given(swirl.size(), v);
    given[3] = 0;  // one cavity at rest whatever the others do
    given[4] = u;  // and one moving with the rotor
    const SpeedDynamics r = d.AtSpeed(kWorkedSpeed, given);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(AllFinite(r));
    EXPECT_EQ(r.cavities[3].shear_stator, 0);
    EXPECT_EQ(r.cavities[4].shear_rotor, 0);
    EXPECT_GT(r.coefficients.cxx, 0);
  }
}

TEST(SealDynamicsTest, JennyKankiCavityWithoutSwirlThatPassesSwirlOnIsAnError) {
  DynamicsCase dc = WorkedExampleDynamics();
  dc.jenny_kanki = true;
  const SealDynamics d(dc);
  std::vector<double> given(15, 30.0);
  given[0] = 0;  // it receives 0.98 U and passes 0.1 of it on
  const SpeedDynamics r = d.AtSpeed(kWorkedSpeed, given);
  EXPECT_EQ(r.status, DynamicsStatus::kCalculationError);
  EXPECT_EQ(r.message, "Calculation error: a cavity without swirl passes swirl on (Jenny-Kanki)");
  EXPECT_TRUE(d.AtSpeed(kWorkedSpeed).ok());
}

TEST(SealDynamicsTest, TwoTeethMakeOneCavity) {
  DynamicsCase dc = WorkedExampleDynamics();
  dc.seal.teeth = 2;
  dc.seal.pressure_down = 250000;
  const SealDynamics d(dc);
  ASSERT_EQ(d.status(), DynamicsStatus::kOk) << d.message();
  EXPECT_EQ(d.cavity_count(), 1);
  const SpeedDynamics r = d.AtSpeed(kWorkedSpeed);
  ASSERT_TRUE(r.ok()) << r.message;
  ASSERT_EQ(r.cavities.size(), 1u);
  EXPECT_TRUE(AllFinite(r));
  EXPECT_GT(r.coefficients.kxy, 0);
}

TEST(SealDynamicsTest, ViscosityLawsGiveTheirOwnViscosity) {
  DynamicsCase dc = WorkedExampleDynamics();
  dc.viscosity = ViscosityLaw{};
  dc.viscosity.kind = ViscosityLawKind::kConstant;
  dc.viscosity.constant = 1.8e-5;
  const SpeedDynamics r = SealDynamics(dc).AtSpeed(kWorkedSpeed);
  ASSERT_TRUE(r.ok()) << r.message;
  for (const CavityDynamics& c : r.cavities) EXPECT_EQ(c.viscosity, 1.8e-5);
  // From the gas: air's viscosity falls with its temperature along the seal.
  dc.viscosity.kind = ViscosityLawKind::kGas;
  dc.viscosity.gas = {testing::kAirMolarMass, 132.4, 3771360, 0.03, {}};
  const SpeedDynamics gas = SealDynamics(dc).AtSpeed(kWorkedSpeed);
  ASSERT_TRUE(gas.ok()) << gas.message;
  EXPECT_NEAR(gas.cavities[0].viscosity, 1.75e-5, 0.05e-5);
  EXPECT_GT(gas.cavities[0].viscosity, gas.cavities[14].viscosity);
}

TEST(SealDynamicsTest, SutherlandFitWithoutAViscosityNamesTheTemperature) {
  // b = 1e-6, S = -250 K: no viscosity below 250 K, the first cavity there being the tenth.
  DynamicsCase dc = WorkedExampleDynamics();
  const auto mu = [](double t) { return 1e-6 * std::pow(t, 1.5) / (t - 250); };
  dc.viscosity.references = {{{283.15, mu(283.15)}, {300, mu(300)}}};
  const SealDynamics d(dc);
  EXPECT_TRUE(d.leakage().ok());  // the leakage stands
  EXPECT_EQ(d.status(), DynamicsStatus::kNoViscosity);
  const SpeedDynamics r = d.AtSpeed(kWorkedSpeed);
  EXPECT_EQ(r.status, DynamicsStatus::kNoViscosity);
  EXPECT_EQ(r.message,
            "Sutherland's law through the two reference states gives no viscosity at 248.993 K, "
            "the temperature of cavity 10");
  EXPECT_TRUE(r.cavities.empty());
}

TEST(SealDynamicsTest, EveryBadInputHasItsMessage) {
  struct Bad {
    const char* name;
    void (*change)(DynamicsCase&);
    DynamicsStatus status;
    const char* message;
    bool leakage_ok;
  };
  const Bad cases[] = {
      {"one tooth", [](DynamicsCase& c) { c.seal.teeth = 1; }, DynamicsStatus::kInvalidInput,
       "The rotordynamic coefficients need a whole number of teeth, 2 or more, not 1", true},
      {"part of a tooth", [](DynamicsCase& c) { c.seal.teeth = 2.5; },
       DynamicsStatus::kInvalidInput,
       "The rotordynamic coefficients need a whole number of teeth, 2 or more, not 2.5", false},
      {"no tooth height", [](DynamicsCase& c) { c.tooth_height = 0; },
       DynamicsStatus::kInvalidInput, "The tooth height must be positive", true},
      {"NaN tooth height", [](DynamicsCase& c) { c.tooth_height = NAN; },
       DynamicsStatus::kInvalidInput, "The tooth height must be positive", true},
      {"preswirl", [](DynamicsCase& c) { c.preswirl = INFINITY; }, DynamicsStatus::kInvalidInput,
       "The preswirl ratio must be a finite number", true},
      {"whirl ratio", [](DynamicsCase& c) { c.whirl_ratio = NAN; }, DynamicsStatus::kInvalidInput,
       "The whirl ratio must be a finite number", true},
      {"no clearance", [](DynamicsCase& c) { c.seal.clearance = 0; }, DynamicsStatus::kNoLeakage,
       "The radial clearance must be positive", false},
      {"equal pressures", [](DynamicsCase& c) { c.seal.pressure_down = c.seal.pressure_up; },
       DynamicsStatus::kNoLeakage,
       "The seal passes no leakage: the coefficients need a flow through it", true},
      {"constant viscosity",
       [](DynamicsCase& c) {
         c.viscosity.kind = ViscosityLawKind::kConstant;
         c.viscosity.constant = -1e-5;
       },
       DynamicsStatus::kNoViscosity, "The constant viscosity must be positive", true},
      {"one reference temperature",
       [](DynamicsCase& c) { c.viscosity.references[1].temperature = 283.15; },
       DynamicsStatus::kNoViscosity,
       "The two reference states of Sutherland's law must be at different temperatures", true},
      {"no reference viscosity", [](DynamicsCase& c) { c.viscosity.references[0].viscosity = 0; },
       DynamicsStatus::kNoViscosity,
       "The reference states of Sutherland's law need temperatures above 0 K and positive "
       "viscosities",
       true},
      {"gas without constants", [](DynamicsCase& c) { c.viscosity = ViscosityLaw{}; },
       DynamicsStatus::kNoViscosity, "The gas has no critical constants to give its viscosity",
       true},
  };
  for (const Bad& bad : cases) {
    SCOPED_TRACE(bad.name);
    DynamicsCase dc = WorkedExampleDynamics();
    bad.change(dc);
    const SealDynamics d(dc);
    EXPECT_EQ(d.leakage().ok(), bad.leakage_ok) << d.leakage().message;
    const SpeedDynamics r = d.AtSpeed(kWorkedSpeed);
    EXPECT_EQ(r.status, bad.status);
    EXPECT_EQ(r.message, bad.message);
    EXPECT_EQ(r.coefficients.kxx, 0);
    EXPECT_TRUE(r.cavities.empty());
  }
  const SealDynamics d(WorkedExampleDynamics());
  for (const double rpm : {-1.0, static_cast<double>(NAN), static_cast<double>(INFINITY)}) {
    const SpeedDynamics r = d.AtSpeed(rpm);
    EXPECT_EQ(r.status, DynamicsStatus::kInvalidInput);
    EXPECT_EQ(r.message, "The rotor speed must be a finite number of 0 rpm or more");
    EXPECT_TRUE(std::isfinite(r.speed));
  }
  const std::vector<double> short_swirl(3, 1.0);
  EXPECT_EQ(d.AtSpeed(kWorkedSpeed, short_swirl).message,
            "The swirl needs a finite velocity for each of the 15 cavities");
}

TEST(SealDynamicsTest, GivenStatesAreTheIdealGasOnesOfToothByTooth) {
  const DynamicsCase dc = WorkedExampleDynamics();
  const SealDynamics own(dc);
  const MethodResult leakage = ToothByTooth(dc.seal);
  const SealFlow flow = IdealGasFlow(leakage, dc.seal.molar_mass);
  ASSERT_EQ(flow.stations.size(), 17u);
  EXPECT_REL(flow.stations[0].density, 3.79004, kSix);
  EXPECT_REL(flow.stations[1].storage, 1 / (8314 / testing::kAirMolarMass * 280.562), kSix);
  const SealDynamics given(dc, leakage, flow);
  EXPECT_EQ(given.AtSpeed(kWorkedSpeed).coefficients.kxy,
            own.AtSpeed(kWorkedSpeed).coefficients.kxy);
  // A denser gas at the same pressures stores more: a real-gas caller's states count.
  SealFlow denser = flow;
  for (StationState& s : denser.stations) s.storage *= 1.2;
  const SealDynamics real(dc, leakage, denser);
  EXPECT_NE(real.AtSpeed(kWorkedSpeed).coefficients.cxx,
            own.AtSpeed(kWorkedSpeed).coefficients.cxx);
}

}  // namespace
}  // namespace torvane
