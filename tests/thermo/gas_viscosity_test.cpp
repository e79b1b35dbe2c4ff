// The gas viscosity against published values.
#include "thermo/gas_viscosity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/component_library.h"
#include "engine/gas_engine.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

constexpr double kMicro = 1e-6;  // Pa s per micro-Pa s

std::vector<GasComponentSlot> Slots(std::initializer_list<std::pair<const char*, double>> gas) {
  std::vector<GasComponentSlot> slots;
  for (const auto& [code, fraction] : gas) slots.push_back({*FindComponent(code), fraction});
  return slots;
}

ViscosityGas GasOf(std::initializer_list<std::pair<const char*, double>> gas) {
  return ViscosityGasOf(CharacteriseGas(Slots(gas)));
}

TEST(GasViscosityTest, DiluteGasesMeetPublishedValuesAt300K) {
  struct Published {
    const char* code;
    double micro_pa_s;
  };
  const Published values[] = {{"N2", 17.9},  {"CH4", 11.2}, {"CO2", 15.0},
                              {"AIR", 18.5}, {"H2", 8.96},  {"HE", 19.9}};
  for (const Published& p : values) {
    const double mu = DiluteGasViscosity(GasOf({{p.code, 1}}), 300) / kMicro;
    EXPECT_NEAR(mu / p.micro_pa_s, 1, 0.02) << p.code << ' ' << mu;
  }
}

TEST(GasViscosityTest, MethaneDenseGasCorrection) {
  const ViscosityGas methane = GasOf({{"CH4", 1}});
  const double r = 8314 / methane.molar_mass;
  EXPECT_NEAR(GasViscosity(methane, 300, 1e5 / (r * 300)) / kMicro, 11.1, 0.05);
  // At 100 bar with the density of the program's equation of state: about 13.6.
  RecordingMessageService messages;
  GasEngine engine(messages);
  const auto slots = Slots({{"CH4", 1}});
  engine.CharacteriseGas(0, slots);
  double rankine = 540;
  const double z = engine.SpecificVolume(1e7 / 6894.757293168361, rankine).z;
  const double rho = 1e7 / (z * r * 300);
  EXPECT_NEAR(GasViscosity(methane, 300, rho) / kMicro / 13.6, 1, 0.02);
  // No spurious viscosity at zero density.
  EXPECT_EQ(GasViscosity(methane, 300, 0), DiluteGasViscosity(methane, 300));
}

TEST(GasViscosityTest, QuantumCorrectionOfHydrogenAndHelium) {
  const ViscosityGas hydrogen = GasOf({{"H2", 1}});
  ASSERT_EQ(hydrogen.quantum.size(), 1u);
  EXPECT_EQ(hydrogen.quantum[0].q, 0.76);
  const double tr = 300 / (59.87 / 1.8);
  const double own =
      1.22 * std::pow(0.76, 0.15) * (1 - 0.00385 * std::pow((tr - 12) * (tr - 12), 1 / 2.016));
  EXPECT_NEAR(QuantumFactor(hydrogen, 300), own, 1e-15);
  EXPECT_NEAR(own, 1.1575, 1e-4);
  // A quarter of hydrogen (fractions taken relative to their sum) and no helium.
  const ViscosityGas mix = GasOf({{"CH4", 1.5}, {"H2", 0.5}});
  ASSERT_EQ(mix.quantum.size(), 1u);
  EXPECT_DOUBLE_EQ(mix.quantum[0].fraction, 0.25);
  EXPECT_NEAR(QuantumFactor(mix, 300), 0.75 + 0.25 * own, 1e-15);
  EXPECT_EQ(QuantumFactor(GasOf({{"N2", 1}}), 300), 1);
  // Helium above Tr = 12: the correction's sign turns.
  const ViscosityGas helium = GasOf({{"HE", 1}});
  EXPECT_GT(QuantumFactor(helium, 300), 1.22 * std::pow(1.38, 0.15));
}

TEST(GasViscosityTest, NoConstantsOrNoTemperatureIsAnError) {
  EXPECT_THROW(DiluteGasViscosity(ViscosityGas{}, 300), CalculationError);
  EXPECT_THROW(DiluteGasViscosity(GasOf({{"N2", 1}}), 0), CalculationError);
  EXPECT_THROW(GasViscosity(GasOf({{"N2", 1}}), 300, -1), CalculationError);
}

}  // namespace
}  // namespace torvane
