// The ideal-gas part: the compiled table against its csv and the component library, the
// mixing of the worked example, and the ideal-gas gamma the methods default to.
#include "thermo/ideal_gas_heat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/component_library.h"
#include "platform/errors.h"
#include "thermo/ideal_gas_cp_table.h"
#include "thermo_test_support.h"

namespace torvane {
namespace {

using testing::SameAsPrinted;

TEST(IdealGasCpTableTest, EveryRowIsTheCsvRowOfALibraryComponent) {
  std::ifstream file(TORVANE_TEST_DATA_DIR "/ideal-gas-cp.csv");
  ASSERT_TRUE(file.good());
  std::string line;
  std::vector<std::vector<std::string>> rows;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#' || line.rfind("code,", 0) == 0) continue;
    rows.push_back(testing::CsvFields(line));
  }
  const auto table = IdealGasCpRows();
  ASSERT_EQ(rows.size(), 98u);
  ASSERT_EQ(table.size(), rows.size());
  const auto library = ComponentLibrary();
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& f = rows[i];
    const IdealGasCpRow& row = table[i];
    EXPECT_EQ(row.code, f[0]);
    EXPECT_EQ(row.id, std::stoi(f[1])) << f[0];
    EXPECT_EQ(library[i].code, row.code);
    EXPECT_EQ(library[i].id, row.id);
    for (size_t k = 0; k < 5; ++k) EXPECT_EQ(row.a[k], std::stod(f[5 + k])) << f[0] << " a" << k;
    EXPECT_EQ(row.t_min, std::stod(f[10])) << f[0];
    EXPECT_EQ(row.t_max, std::stod(f[11])) << f[0];
    // The csv's own value at 300 K, to its three decimals.
    const double cp300 = kMolarGasConstant * IdealGasHeat{row.a, 0}.CpOverR(300);
    EXPECT_NEAR(cp300, std::stod(f[13]), 0.0006) << f[0];
  }
}

TEST(IdealGasCpTableTest, AirAndR500AreTheMixturesOfTheirConstituents) {
  const auto mix = [](const std::vector<std::pair<const char*, double>>& parts) {
    std::vector<GasComponentSlot> slots;
    for (const auto& [code, x] : parts) slots.push_back({FindComponent(code).value(), x});
    return MixIdealGasHeat(slots);
  };
  const IdealGasHeat air = mix({{"AIR", 1}});
  const IdealGasHeat parts = mix({{"N2", 0.7812}, {"O2", 0.2096}, {"A", 0.0092}});
  const IdealGasHeat r500 = mix({{"R500", 1}});
  const IdealGasHeat r500_parts = mix({{"R12", 0.60605}, {"R152", 0.39395}});
  for (double t : {200.0, 300.0, 600.0}) {
    EXPECT_NEAR(air.CpOverR(t), parts.CpOverR(t), 1e-9) << t;
    EXPECT_NEAR(r500.CpOverR(t), r500_parts.CpOverR(t), 1e-8) << t;
  }
  // A pseudo-component carries no mixing entropy of its own.
  EXPECT_EQ(air.mixing_entropy, 0);
}

TEST(IdealGasHeatTest, WorkedExampleMixture) {
  const IdealGasHeat heat = MixIdealGasHeat(testing::WorkedExampleGas());
  const char* printed[] = {"4.50041", "-0.00818789", "3.68628e-05", "-3.57731e-08", "1.17641e-11"};
  for (size_t k = 0; k < 5; ++k) EXPECT_TRUE(SameAsPrinted(heat.a[k], printed[k])) << k;
  EXPECT_TRUE(SameAsPrinted(heat.CpOverR(300), "4.49111"));
  EXPECT_TRUE(SameAsPrinted(kMolarGasConstant * heat.CpOverR(300), "37.3412"));
  EXPECT_TRUE(SameAsPrinted(heat.EnthalpyOverR(300) / 300, "0.0276636"));
  EXPECT_TRUE(SameAsPrinted(heat.EntropyOverR(300), "0.0277493"));
  EXPECT_TRUE(SameAsPrinted(heat.mixing_entropy, "0.447144"));
  // Zero at the reference temperature.
  EXPECT_EQ(heat.EnthalpyOverR(kReferenceTemperature), 0);
  EXPECT_EQ(heat.EntropyOverR(kReferenceTemperature), 0);
}

TEST(IdealGasHeatTest, EnthalpyAndEntropyAreTheIntegralsOfCp) {
  const IdealGasHeat heat = MixIdealGasHeat(testing::WorkedExampleGas());
  for (double t : {150.0, 300.0, 700.0}) {
    const double d = 1e-5 * t;
    const double dh = (heat.EnthalpyOverR(t + d) - heat.EnthalpyOverR(t - d)) / (2 * d);
    const double ds = (heat.EntropyOverR(t + d) - heat.EntropyOverR(t - d)) / (2 * d);
    EXPECT_NEAR(dh / heat.CpOverR(t), 1, 1e-8) << t;
    EXPECT_NEAR(ds * t / heat.CpOverR(t), 1, 1e-8) << t;
  }
}

TEST(IdealGasHeatTest, GammaOfTheGasIsCp0OverCv0WithTheTemperatureFloor) {
  const GasMixture gas = testing::WorkedExampleGas();
  const double cp0 = MixIdealGasHeat(gas).CpOverR(300);
  EXPECT_EQ(IdealGasGamma(gas, 540), cp0 / (cp0 - 1));
  EXPECT_NEAR(IdealGasGamma(gas, 540), 4.49111 / 3.49111, 2e-6);
  EXPECT_EQ(IdealGasGamma(gas, 100), IdealGasGamma(gas, 200));
  EXPECT_DOUBLE_EQ(IdealGasGamma(testing::GasOf({{"A", 1}}), 700), 5.0 / 3.0);
}

TEST(IdealGasHeatTest, NegativeFractionOrUnknownIdIsACalculationError) {
  const GasComponentSlot negative[] = {{1, 1.1}, {2, -0.1}};
  EXPECT_THROW(MixIdealGasHeat(negative), CalculationError);
  const GasComponentSlot unknown[] = {{88, 1}};
  EXPECT_THROW(MixIdealGasHeat(unknown), CalculationError);
}

}  // namespace
}  // namespace torvane
