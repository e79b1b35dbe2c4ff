// The three classical methods against values worked by hand (or by an independent script) and
// against the relations they must satisfy.
#include "methods/leakage_methods.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/worked_seal.h"

namespace torvane {
namespace {

constexpr double kAir = testing::kAirMolarMass;

SealCase WorkedExample() { return testing::WorkedExampleSeal(); }

double Relative(double a, double b) { return std::abs(a / b - 1); }

TEST(VermesCoefficientsTest, DischargeCoefficientAndCarryOver) {
  // sigma = 1: 0.67675 - 0.08519 + 0.0878 - 0.01819 + 0.00111.
  EXPECT_NEAR(VermesDischargeCoefficient(1), 0.66228, 1e-15);
  EXPECT_NEAR(VermesDischargeCoefficient(0.0001524 / 0.0003), 0.6538207763479065, 1e-15);
  // (s - t)/c = 3.0226/0.3 = 10.0753; nu = 8.52 / 17.3053.
  EXPECT_NEAR(VermesCarryOver(SealKind::kSeeThrough, 0.003175, 0.0001524, 0.0003),
              0.4923337699360505, 1e-15);
  EXPECT_EQ(VermesCarryOver(SealKind::kInterlocking, 0.003175, 0.0001524, 0.0003), 0);
}

TEST(VermesCoefficientsTest, TheFitEndsWhereItTurnsAwayFromAThickTooth) {
  // The quartic's local minimum lies at t/c = 7.1025 (alpha 0.8082); beyond it alpha rises and
  // passes 1 at t/c = 8.8490.
  EXPECT_NEAR(VermesDischargeCoefficient(7.1), 0.8081945, 1e-7);
  EXPECT_GT(VermesDischargeCoefficient(7.0), VermesDischargeCoefficient(7.1));
  EXPECT_GT(VermesDischargeCoefficient(7.3), VermesDischargeCoefficient(7.1));
  EXPECT_LT(VermesDischargeCoefficient(8.849), 1);
  EXPECT_GT(VermesDischargeCoefficient(8.85), 1);
  EXPECT_NEAR(VermesDischargeCoefficient(15), 13.9564, 1e-12);
}

TEST(VermesCoefficientsTest, MethodsRefuseAToothRatioBeyondTheFit) {
  struct Row {
    double thickness;  // m, over a clearance of 0.1 mm
    bool applies;
    const char* ratio;
  };
  for (const Row& row :
       {Row{0.000709, true, "7.09"}, Row{0.00071, true, "7.1"},
        Row{0.0007100001, false, "7.100001"}, Row{0.000711, false, "7.11"},
        Row{0.00083333, false, "8.333"}, Row{0.000885, false, "8.85"}, Row{0.0015, false, "15"}}) {
    SCOPED_TRACE(row.ratio);
    for (SealKind kind : {SealKind::kInterlocking, SealKind::kSeeThrough}) {
      SealCase s = WorkedExample();
      s.kind = kind;
      s.clearance = 0.0001;
      s.tooth_thickness = row.thickness;
      const MethodResult a = MartinVermes(s);
      const MethodResult b = ToothByTooth(s);
      EXPECT_TRUE(Martin(s).ok());
      if (row.applies) {
        ASSERT_TRUE(a.ok()) << a.message;
        ASSERT_TRUE(b.ok()) << b.message;
        EXPECT_EQ(a.discharge_coefficient, VermesDischargeCoefficient(row.thickness / 0.0001));
        EXPECT_LT(a.discharge_coefficient, 0.81);
        if (kind == SealKind::kInterlocking) {
          EXPECT_LT(a.mass_flow, Martin(s).mass_flow);
        }
      } else {
        const std::string message =
            std::string("Vermes' discharge coefficient is used for t/c up to 7.1, not for t/c = ") +
            row.ratio + ": the method does not apply";
        EXPECT_EQ(a.message, message);
        EXPECT_EQ(b.message, message);
        EXPECT_EQ(a.mass_flow, 0);
        EXPECT_EQ(b.mass_flow, 0);
        EXPECT_TRUE(b.cavity_pressures.empty());
      }
    }
  }
  // A tooth ratio too large for a double.
  SealCase s = WorkedExample();
  s.clearance = 1e-320;
  EXPECT_EQ(MartinVermes(s).message,
            "Vermes' discharge coefficient is used for t/c up to 7.1, not for a t/c beyond every "
            "number: the method does not apply");
}

TEST(MartinFunctionTest, FlowFunctionPeaksAtTheZimmermannWolffRatio) {
  // sqrt(0.75 / (4 + ln 2)).
  EXPECT_NEAR(MartinFlowFunction(0.5, 4), 0.39975927111793275, 1e-15);
  EXPECT_EQ(MartinFlowFunction(1, 4), 0);
  EXPECT_NEAR(ZimmermannWolffRatio(1), 0.47113021985759845, 1e-15);
  EXPECT_NEAR(ZimmermannWolffRatio(16), 0.1652947892340532, 1e-15);
  for (double n : {1.0, 2.5, 16.0, 50.0}) {
    const double r = ZimmermannWolffRatio(n);
    EXPECT_NEAR(r, 1 / std::sqrt(1 + 2 * n - 2 * std::log(r)), 1e-16);
    EXPECT_LT(MartinFlowFunction(r * 0.999, n), MartinFlowFunction(r, n));
    EXPECT_LT(MartinFlowFunction(r * 1.001, n), MartinFlowFunction(r, n));
  }
}

TEST(OneShotMethodsTest, WorkedExampleAgainstAnIndependentScript) {
  const SealCase s = WorkedExample();
  const MethodResult a = MartinVermes(s);
  ASSERT_TRUE(a.ok()) << a.message;
  EXPECT_LT(Relative(a.mass_flow, 0.022215797664991568), 1e-13);
  EXPECT_FALSE(a.choked);
  EXPECT_NEAR(a.critical_ratio, 0.1652947892340532, 1e-15);
  EXPECT_EQ(a.carry_over, 0);
  EXPECT_NEAR(a.flux * std::numbers::pi * (0.145 + 0.0003), a.mass_flow, 1e-17);

  const MethodResult c = Martin(s);
  ASSERT_TRUE(c.ok()) << c.message;
  EXPECT_LT(Relative(c.mass_flow, 0.0339784211035384), 1e-13);
  EXPECT_EQ(c.discharge_coefficient, 1);

  SealCase straight = s;
  straight.kind = SealKind::kSeeThrough;
  const MethodResult sa = MartinVermes(straight);
  EXPECT_LT(Relative(sa.mass_flow, 0.03161627706259245), 1e-13);
  EXPECT_NEAR(sa.carry_over, 0.4923337699360505, 1e-15);
}

TEST(OneShotMethodsTest, MartinVermesIsKappaAlphaMuTimesMartin) {
  SealCase s = WorkedExample();
  s.kind = SealKind::kSeeThrough;
  s.z_up = 0.9;
  for (double p2 : {94300.0, 20000.0, 308000.0}) {  // unchoked, choked, no flow
    s.pressure_down = p2;
    const MethodResult a = MartinVermes(s);
    const MethodResult c = Martin(s);
    ASSERT_TRUE(a.ok() && c.ok());
    const double kappa_alpha_mu = 1.014 * a.discharge_coefficient / std::sqrt(1 - a.carry_over);
    EXPECT_DOUBLE_EQ(a.mass_flow, kappa_alpha_mu * c.mass_flow) << p2;
    EXPECT_EQ(a.choked, c.choked);
  }
  EXPECT_TRUE(Martin(s).ok());
  s.pressure_down = 20000;
  EXPECT_TRUE(Martin(s).choked);
  // Real gas: the upstream density term grows by 1/sqrt(Z).
  SealCase ideal = s;
  ideal.z_up = 1;
  EXPECT_NEAR(Martin(s).mass_flow, Martin(ideal).mass_flow / std::sqrt(0.9), 1e-15);
}

TEST(OneShotMethodsTest, ChokedFlowStopsRisingBelowTheChokeRatio) {
  SealCase s = WorkedExample();
  s.teeth = 3;
  const double r = ZimmermannWolffRatio(3);
  s.pressure_down = r * s.pressure_up * 0.5;
  const MethodResult low = MartinVermes(s);
  s.pressure_down = r * s.pressure_up * 0.9;
  const MethodResult lower = MartinVermes(s);
  EXPECT_TRUE(low.choked && lower.choked);
  EXPECT_EQ(low.mass_flow, lower.mass_flow);
  EXPECT_EQ(Martin(s).critical_ratio, r);
}

TEST(ToothByToothTest, WorkedExample) {
  const SealCase s = WorkedExample();
  const MethodResult b = ToothByTooth(s);
  ASSERT_TRUE(b.ok()) << b.message;
  EXPECT_NEAR(b.mass_flow, 0.0237191, 5e-8);
  EXPECT_FALSE(b.choked);
  EXPECT_EQ(b.choked_throttle, 0);
  ASSERT_EQ(b.cavity_pressures.size(), 17u);
  ASSERT_EQ(b.cavity_temperatures.size(), 17u);
  EXPECT_EQ(b.cavity_pressures[0], 308000);
  EXPECT_NEAR(b.cavity_pressures[1], 298425, 0.5);
  EXPECT_LT(Relative(b.cavity_pressures[16], 94300), 1e-12);
  EXPECT_NEAR(b.cavity_temperatures[0], 283.15, 1e-12);
  EXPECT_NEAR(b.cavity_temperatures[16], 200.70, 0.005);
  // The chain is isentropic: T_i / T_0 = (p_i / p_0)^((gamma - 1)/gamma) at every station.
  for (size_t i = 0; i < 17; ++i) {
    EXPECT_NEAR(b.cavity_temperatures[i] / 283.15,
                std::pow(b.cavity_pressures[i] / 308000, 0.41 / 1.41), 1e-13);
    if (i > 0) {
      EXPECT_LT(b.cavity_pressures[i], b.cavity_pressures[i - 1]);
    }
  }
  // It chokes only below this ratio, well under the 0.306 of the case.
  EXPECT_GT(b.critical_ratio, 0.1);
  EXPECT_LT(b.critical_ratio, 0.306);
}

// One throttle is one nozzle: with p_1 = P2 its flux is alpha c rho0 x^(1/g)
// sqrt(2 g/(g-1) R T1 (1 - x^((g-1)/g))), and below x* it passes the choked flux at x*.
TEST(ToothByToothTest, OneThrottleIsTheNozzleFormula) {
  SealCase s = WorkedExample();
  s.teeth = 1;
  s.tooth_thickness = s.clearance;  // alpha = 0.66228
  s.gamma = 1.4;
  s.pressure_up = 200000;
  s.pressure_down = 150000;
  s.temperature_up = 300;
  const double r = 8314 / kAir;
  const double rho0 = 200000 / (r * 300);
  const auto nozzle = [&](double x) {
    return 0.66228 * 0.0003 * rho0 * std::pow(x, 1 / 1.4) *
           std::sqrt(2 * 1.4 / 0.4 * r * 300 * (1 - std::pow(x, 0.4 / 1.4)));
  };
  MethodResult b = ToothByTooth(s);
  ASSERT_TRUE(b.ok()) << b.message;
  EXPECT_LT(Relative(b.flux, nozzle(0.75)), 1e-12);
  EXPECT_FALSE(b.choked);

  const double x_star = std::pow(2 / 2.4, 1.4 / 0.4);  // 0.528282
  EXPECT_LT(Relative(b.critical_ratio, x_star), 1e-13);
  s.pressure_down = 80000;
  b = ToothByTooth(s);
  EXPECT_TRUE(b.choked);
  EXPECT_EQ(b.choked_throttle, 1);
  EXPECT_LT(Relative(b.flux, nozzle(x_star)), 1e-12);
  EXPECT_LT(Relative(b.cavity_pressures[1], x_star * 200000), 1e-13);
}

// A choked seal: the last throttle sits exactly at its critical ratio, p_N above P2, and a
// lower P2 changes nothing.
TEST(ToothByToothTest, ChokedSealHasItsLastThrottleAtTheCriticalRatio) {
  SealCase s = WorkedExample();
  s.teeth = 4;
  s.gamma = 1.4;
  s.pressure_up = 1.0e6;
  s.pressure_down = 1.0e5;
  const MethodResult b = ToothByTooth(s);
  ASSERT_TRUE(b.ok()) << b.message;
  EXPECT_TRUE(b.choked);
  EXPECT_EQ(b.choked_throttle, 4);
  const auto& p = b.cavity_pressures;
  EXPECT_GT(p[4], 1.0e5);
  // Interlocking: no carry-over, x* = (2/(g+1))^(g/(g-1)).
  EXPECT_NEAR(p[4] / p[3], std::pow(2 / 2.4, 1.4 / 0.4), 1e-14);
  EXPECT_NEAR(b.critical_ratio, p[4] / 1.0e6, 1e-15);

  s.pressure_down = 1.0e3;
  const MethodResult lower = ToothByTooth(s);
  EXPECT_EQ(lower.mass_flow, b.mass_flow);
  EXPECT_EQ(lower.cavity_pressures, b.cavity_pressures);

  // Just above the critical ratio the seal is not choked and leaks a hair less.
  s.pressure_down = b.critical_ratio * 1.0e6 * (1 + 1e-6);
  const MethodResult above = ToothByTooth(s);
  EXPECT_FALSE(above.choked);
  EXPECT_LT(above.mass_flow, b.mass_flow);
  EXPECT_LT(Relative(above.mass_flow, b.mass_flow), 1e-4);
}

// See-through: the critical ratio of the last throttle rises with the jet carried over from the
// throttle before it, x* = [(2/(g+1)) (1 + nu w^2/(K T))]^(g/(g-1)).
TEST(ToothByToothTest, ChokedSeeThroughSealCarriesTheJetIntoTheCriticalRatio) {
  SealCase s = WorkedExample();
  s.kind = SealKind::kSeeThrough;
  s.teeth = 5;
  s.pressure_up = 1.0e6;
  s.pressure_down = 1.0e5;
  const MethodResult b = ToothByTooth(s);
  ASSERT_TRUE(b.ok()) << b.message;
  ASSERT_TRUE(b.choked);
  EXPECT_EQ(b.choked_throttle, 5);
  const double g = 1.41, r = 8314 / kAir, k = 2 * g * r / (g - 1);
  const double t4 = b.cavity_temperatures[4];
  const double rho4 = b.cavity_pressures[4] / (r * t4);
  const double w4 = b.flux / (b.discharge_coefficient * s.clearance * rho4);
  const double x_star =
      std::pow(2 / (g + 1) * (1 + b.carry_over * w4 * w4 / (k * t4)), g / (g - 1));
  EXPECT_NEAR(b.cavity_pressures[5] / b.cavity_pressures[4], x_star, 1e-12);
  EXPECT_GT(x_star, std::pow(2 / (g + 1), g / (g - 1)));
}

TEST(ToothByToothTest, TheAnswerDoesNotDependOnWhereTheBisectionStarts) {
  for (const double p2 : {94300.0, 20000.0}) {  // unchoked and choked
    SealCase s = WorkedExample();
    s.kind = SealKind::kSeeThrough;
    s.pressure_down = p2;
    const MethodResult base = ToothByTooth(s);
    ASSERT_TRUE(base.ok()) << base.message;
    const double g = base.flux;
    const FluxBracket starts[] = {
        {1e-9, 1e3}, {0.5 * g, 0.6 * g}, {1.5 * g, 2 * g}, {g * 0.999, g * 1.001}, {0, 10 * g}};
    for (const FluxBracket& start : starts) {
      const MethodResult other = ToothByTooth(s, start);
      ASSERT_TRUE(other.ok()) << other.message;
      EXPECT_LT(Relative(other.flux, g), 1e-14) << start.low << " " << start.high;
      EXPECT_EQ(other.choked, base.choked);
      for (size_t i = 0; i < base.cavity_pressures.size(); ++i) {
        EXPECT_LT(Relative(other.cavity_pressures[i], base.cavity_pressures[i]), 1e-12);
      }
    }
  }
}

TEST(ToothByToothTest, EqualPressuresGiveNoFlow) {
  SealCase s = WorkedExample();
  s.pressure_down = s.pressure_up;
  const MethodResult b = ToothByTooth(s);
  ASSERT_TRUE(b.ok()) << b.message;
  EXPECT_EQ(b.mass_flow, 0);
  EXPECT_FALSE(b.choked);
  EXPECT_EQ(b.cavity_pressures, std::vector<double>(17, 308000));
  EXPECT_EQ(Martin(s).mass_flow, 0);
}

TEST(MethodFailureTest, EachMethodSaysWhyItDoesNotApply) {
  SealCase s = WorkedExample();
  s.teeth = 16.5;
  MethodResult b = ToothByTooth(s);
  EXPECT_FALSE(b.ok());
  EXPECT_EQ(b.message, "Tooth by tooth needs a whole number of teeth, not 16.5");
  EXPECT_EQ(b.mass_flow, 0);
  EXPECT_TRUE(b.cavity_pressures.empty());
  EXPECT_TRUE(MartinVermes(s).ok());
  EXPECT_TRUE(Martin(s).ok());

  // A see-through seal whose cavities are too short: (s - t)/c = 1, nu = 8.52/8.23 > 1.
  s = WorkedExample();
  s.kind = SealKind::kSeeThrough;
  s.pitch = 0.0005;
  s.tooth_thickness = 0.0002;
  const std::string nu_message =
      "The carry-over factor nu = 8.52 / ((s - t)/c + 7.23) is not below 1 for (s - t)/c = 1: "
      "the method does not apply";
  EXPECT_EQ(MartinVermes(s).message, nu_message);
  EXPECT_EQ(ToothByTooth(s).message, nu_message);
  EXPECT_TRUE(Martin(s).ok());
  s.tooth_thickness = 0.0006;  // thicker than the pitch
  EXPECT_FALSE(MartinVermes(s).ok());
  s.kind = SealKind::kInterlocking;  // no carry-over: the cavities do not matter
  EXPECT_TRUE(MartinVermes(s).ok());

  s = WorkedExample();
  s.pressure_down = 400000;
  EXPECT_EQ(Martin(s).message, "The downstream pressure is above the upstream pressure");
  s = WorkedExample();
  s.gamma = 1;
  EXPECT_EQ(ToothByTooth(s).message, "Gamma (cp/cv) must be above 1");
  EXPECT_TRUE(MartinVermes(s).ok());
  s = WorkedExample();
  s.teeth = 0.5;
  EXPECT_EQ(MartinVermes(s).message, "The number of teeth must be 1 or more");
  s = WorkedExample();
  s.clearance = std::nan("");
  EXPECT_EQ(Martin(s).message, "The radial clearance must be positive");
  s = WorkedExample();
  s.temperature_up = 0;
  EXPECT_EQ(ToothByTooth(s).message, "The upstream temperature must be above 0 K");
  s = WorkedExample();
  s.z_up = 0;
  EXPECT_EQ(Martin(s).message, "The compressibility factor Z must be positive");
  s = WorkedExample();
  s.teeth = 1001;
  EXPECT_EQ(ToothByTooth(s).message, "Tooth by tooth takes at most 1000 teeth");
}

}  // namespace
}  // namespace torvane
