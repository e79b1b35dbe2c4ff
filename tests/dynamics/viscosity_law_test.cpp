// The three viscosity laws of the cavities: Sutherland through two states, a constant, and
// their keys.
#include "dynamics/viscosity_law.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(ViscosityLawTest, SutherlandThroughTwoStates) {
  const std::array<ViscosityReference, 2> refs = {
      {{283.15, 1.7746561138374613e-5}, {282.60903080958565, 1.7687886306966975e-5}}};
  const SutherlandFit fit = FitSutherland(refs);
  EXPECT_NEAR(fit.b / -4.54541e-6, 1, 1e-5);
  EXPECT_NEAR(fit.s / -1503.50, 1, 1e-5);
  ViscosityLaw law;
  law.kind = ViscosityLawKind::kSutherland;
  law.references = refs;
  EXPECT_FALSE(ViscosityLawProblem(law).has_value());
  for (const ViscosityReference& r : refs) {
    EXPECT_NEAR(*LawViscosity(law, r.temperature, 1) / r.viscosity, 1, 1e-13);
  }
  // Positive below T = -S only: above it the fit is no viscosity.
  EXPECT_TRUE(LawViscosity(law, 1000, 1).has_value());
  EXPECT_FALSE(LawViscosity(law, 1600, 1).has_value());
  EXPECT_FALSE(LawViscosity(law, -fit.s, 1).has_value());
}

TEST(ViscosityLawTest, ConstantAndKeys) {
  ViscosityLaw law;
  law.kind = ViscosityLawKind::kConstant;
  law.constant = 2e-5;
  EXPECT_EQ(LawViscosity(law, 250, 3), 2e-5);
  law.constant = 0;
  EXPECT_EQ(ViscosityLawProblem(law), "The constant viscosity must be positive");
  EXPECT_FALSE(LawViscosity(law, 250, 3).has_value());
  EXPECT_STREQ(ViscosityLawKey(ViscosityLawKind::kGas), "gas");
  EXPECT_STREQ(ViscosityLawKey(ViscosityLawKind::kSutherland), "sutherland");
  EXPECT_STREQ(ViscosityLawKey(ViscosityLawKind::kConstant), "constant");
}

}  // namespace
}  // namespace torvane
