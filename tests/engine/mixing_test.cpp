#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "engine/component_library.h"
#include "engine/engine_test_support.h"
#include "engine/gas_engine.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

using Slots = std::vector<GasComponentSlot>;

void ExpectRelative(double actual, double expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance) << "expected " << expected;
}

TEST(MixingTest, PureMethaneGivesBackItsOwnConstants) {
  const GasMixture m = testing::Methane();
  EXPECT_EQ(m.mix_mol_weight, 16.04);
  EXPECT_EQ(m.mix_acentric, 0.0104);
  ExpectRelative(m.pseudo_crit_temp, 343.06);
  ExpectRelative(m.pseudo_crit_press, 667.79);
  const double expected[8] = {6995.3,   0.682401, 275.76e6, 2984.1,
                              0.867325, 498.11e6, 0.511172, 1.53961};
  for (int k = 0; k < 8; ++k) ExpectRelative(m.mix_bwr[static_cast<size_t>(k)], expected[k]);
}

TEST(MixingTest, EveryPureComponentGivesBackItsCriticalConstantsAndSignedBwr) {
  for (const auto& c : ComponentLibrary()) {
    const GasMixture m = CharacteriseGas(Slots{{c.id, 1.0}});
    ExpectRelative(m.pseudo_crit_temp, c.crit_temp, 1e-12);
    ExpectRelative(m.pseudo_crit_press, c.crit_press, 1e-12);
    for (size_t k = 0; k < 8; ++k) {
      const double scale = (k == 2 || k == 5) ? 1e6 : 1.0;
      EXPECT_NEAR(m.mix_bwr[k], c.bwr[k] * scale, std::fabs(c.bwr[k] * scale) * 1e-12)
          << c.code << " constant " << k;
    }
  }
}

TEST(MixingTest, HydrogenMethaneMixesSignedRoots) {
  const GasMixture m = CharacteriseGas(Slots{{58, 0.5}, {1, 0.5}});
  ExpectRelative(m.mix_mol_weight, 0.5 * 2.016 + 0.5 * 16.04);
  const double a = 0.5 * -std::cbrt(98.6) + 0.5 * std::cbrt(2984.1);
  ExpectRelative(m.mix_bwr[3], a * a * a);
  const double alpha = 0.5 * -std::cbrt(0.479116) + 0.5 * std::cbrt(0.511172);
  ExpectRelative(m.mix_bwr[6], alpha * alpha * alpha);
  const double a0 = 0.5 * std::sqrt(585.1) + 0.5 * std::sqrt(6995.3);
  ExpectRelative(m.mix_bwr[0], a0 * a0);
  ExpectRelative(m.mix_bwr[1], 0.5 * 0.333937 + 0.5 * 0.682401);
  const double c0 = 0.5 * std::sqrt(4.83e6) + 0.5 * std::sqrt(275.76e6);
  ExpectRelative(m.mix_bwr[2], c0 * c0);
  // Hand-checked Redlich-Kwong pseudo-criticals.
  const double sa = 0.5 * std::sqrt(0.4278 * std::pow(59.87, 2.5) / 188.11) +
                    0.5 * std::sqrt(0.4278 * std::pow(343.06, 2.5) / 667.79);
  const double sb = 0.5 * 0.0867 * 59.87 / 188.11 + 0.5 * 0.0867 * 343.06 / 667.79;
  const double ap = sa * sa / 0.4278, bp = sb / 0.0867;
  ExpectRelative(m.pseudo_crit_temp, std::pow(ap / bp, 2.0 / 3.0), 1e-12);
  ExpectRelative(m.pseudo_crit_press, std::cbrt(ap * ap / std::pow(bp, 5)), 1e-12);
}

TEST(MixingTest, SquareRuleKeepsTheSignOfTheSum) {
  // NO2 has a negative A0 and B0: the mixture keeps the sign of the summed roots.
  const GasMixture m = CharacteriseGas(Slots{{66, 1.0}});
  ExpectRelative(m.mix_bwr[0], -1283821);
  ExpectRelative(m.mix_bwr[1], -110.315994);
  const GasMixture he = CharacteriseGas(Slots{{63, 1.0}});
  ExpectRelative(he.mix_bwr[4], -5.1e-05);
  EXPECT_EQ(he.mix_bwr[2], 0.0);
}

TEST(MixingTest, FractionsAreUsedAsGiven) {
  const GasMixture m = CharacteriseGas(Slots{{1, 0.5}});
  EXPECT_EQ(m.mix_mol_weight, 8.02);
  ExpectRelative(m.mix_bwr[1], 0.5 * 0.682401);
}

TEST(MixingTest, FaultsAndOutOfModelInputsAreRejected) {
  EXPECT_THROW(CharacteriseGas(Slots{{1, 0.0}, {2, 0.0}}), CalculationError);
  EXPECT_THROW(CharacteriseGas(Slots{}), CalculationError);
  EXPECT_THROW(CharacteriseGas(Slots{{88, 1.0}}), CalculationError);
  EXPECT_THROW(CharacteriseGas(Slots{{1, -1.0}}), CalculationError);  // root of a negative base
  EXPECT_THROW(CharacteriseGas(Slots(31, {1, 1.0 / 31})), CalculationError);

  RecordingMessageService messages;
  GasEngine engine(messages);
  EXPECT_THROW(engine.CharacteriseGas(3, Slots{{1, 1.0}}), std::out_of_range);
  EXPECT_THROW(engine.CharacteriseGas(-1, Slots{{1, 1.0}}), std::out_of_range);
  EXPECT_THROW(engine.CharacteriseGas(0, Slots(31, {1, 1.0 / 31})), std::out_of_range);
  EXPECT_THROW(engine.SetCurrentGas(3), std::out_of_range);
}

TEST(MixingTest, EachSectionIsReplacedAloneAndCurrentGasSelectsOne) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  engine.CharacteriseGas(0, Slots{{1, 1.0}});
  engine.CharacteriseGas(2, Slots{{2, 1.0}});
  EXPECT_EQ(engine.Mixture(0).mix_mol_weight, 16.04);
  EXPECT_EQ(engine.Mixture(1).mix_mol_weight, 0.0);
  EXPECT_EQ(engine.Mixture(2).mix_mol_weight, 30.07);
  EXPECT_EQ(engine.CurrentMixture().mix_mol_weight, 16.04);
  engine.SetCurrentGas(2);
  EXPECT_EQ(engine.CurrentMixture().mix_mol_weight, 30.07);
  // A failed characterisation leaves the section as it was.
  EXPECT_THROW(engine.CharacteriseGas(2, Slots{{2, 0.0}}), CalculationError);
  EXPECT_EQ(engine.Mixture(2).mix_mol_weight, 30.07);
}

TEST(MixingTest, MolWeightFormatByMagnitude) {
  EXPECT_STREQ(MolWeightFormat(100), "###0.0");
  EXPECT_STREQ(MolWeightFormat(99.991), "###0.0");
  EXPECT_STREQ(MolWeightFormat(99.99), "##0.00");
  EXPECT_STREQ(MolWeightFormat(10), "##0.00");
  EXPECT_STREQ(MolWeightFormat(9.991), "##0.00");
  EXPECT_STREQ(MolWeightFormat(9.99), "#0.000");
  EXPECT_STREQ(MolWeightFormat(2.016), "#0.000");
}

}  // namespace
}  // namespace torvane
