// The caloric properties against the GERG-2008 values of seven gases at 300 and 350 K from 1 to
// 200 bar (tests/data/gerg2008-reference.csv): cp, the isentropic exponent and the speed of
// sound within the limits docs/validation.md states, and the Joule-Thomson coefficient within
// its wider ones.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/component_library.h"
#include "thermo/gas_properties.h"
#include "thermo_test_support.h"

namespace torvane {
namespace {

struct Reference {
  std::string gas;
  std::vector<GasComponentSlot> slots;
  double kelvin = 0, bar = 0, cp = 0, kappa = 0, w = 0, jt = 0;
};

std::vector<Reference> ReadReferences() {
  std::ifstream file(TORVANE_TEST_DATA_DIR "/gerg2008-reference.csv");
  EXPECT_TRUE(file.good());
  std::vector<Reference> out;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#' || line.rfind("gas,", 0) == 0) continue;
    const std::vector<std::string> f = testing::CsvFields(line);
    Reference r;
    r.gas = f[0];
    std::stringstream parts(f[1]);
    std::string part;
    while (std::getline(parts, part, ',')) {
      const size_t colon = part.find(':');
      r.slots.push_back(
          {FindComponent(part.substr(0, colon)).value(), std::stod(part.substr(colon + 1))});
    }
    r.kelvin = std::stod(f[2]);
    r.bar = std::stod(f[3]);
    r.cp = std::stod(f[5]);
    r.kappa = std::stod(f[8]);
    r.w = std::stod(f[9]);
    r.jt = std::stod(f[10]);
    out.push_back(r);
  }
  return out;
}

double Deviation(double mine, double reference) { return 100 * (mine / reference - 1); }

// The limit the validation states for cp, kappa and w of a gas at a pressure.
double Limit(const Reference& r, const char* property) {
  const bool lean = r.gas == "methane" || r.gas == "pipeline";
  if (r.bar <= 1) return 0.3;
  if (lean) return r.bar <= 60 ? 1.0 : 1.1;
  if (r.gas == "h2rich" && r.bar <= 120) return 1.0;
  if ((r.gas == "nitrogen" || r.gas == "air") && r.bar <= 20) return 1.0;
  if (r.bar <= 20) return 1.1;
  // The two points outside 3 %.
  if (r.gas == "co2rich" && r.kelvin == 300 && r.bar == 120 && property[0] == 'c') return 4;
  if (r.gas == "rich" && r.kelvin == 300 && r.bar == 200 && property[0] == 'k') return 4;
  return 3.0;
}

TEST(Gerg2008Test, HeatCapacityIsentropicExponentAndSpeedOfSoundWithinTheStatedLimits) {
  const std::vector<Reference> references = ReadReferences();
  ASSERT_EQ(references.size(), 70u);
  double worst_w = 0;
  int outside_three = 0;
  for (const Reference& r : references) {
    const GasProperties p =
        PropertiesAtSi(CaloricGas(CharacteriseGas(r.slots)), r.bar * 1e5, r.kelvin);
    ASSERT_FALSE(p.ideal_fallback);
    const std::string at =
        r.gas + " at " + std::to_string(r.kelvin) + " K, " + std::to_string(r.bar) + " bar";
    const double cp = Deviation(p.cp, r.cp);
    const double kappa = Deviation(p.kappa, r.kappa);
    const double w = Deviation(p.speed_of_sound, r.w);
    EXPECT_LT(std::fabs(cp), Limit(r, "cp")) << at;
    EXPECT_LT(std::fabs(kappa), Limit(r, "kappa")) << at;
    EXPECT_LT(std::fabs(w), Limit(r, "w")) << at;
    worst_w = std::max(worst_w, std::fabs(w));
    outside_three += std::fabs(cp) > 3 || std::fabs(kappa) > 3 || std::fabs(w) > 3;
  }
  EXPECT_LT(worst_w, 1.5);
  EXPECT_EQ(outside_three, 2);
}

TEST(Gerg2008Test, JouleThomsonIsGoodToFivePercentForNaturalGasesOnly) {
  for (const Reference& r : ReadReferences()) {
    const GasProperties p =
        PropertiesAtSi(CaloricGas(CharacteriseGas(r.slots)), r.bar * 1e5, r.kelvin);
    const double jt = Deviation(p.joule_thomson * 1e5, r.jt);
    const bool natural = r.gas == "methane" || r.gas == "pipeline" || r.gas == "rich";
    const double limit = natural ? 4.5 : r.gas == "co2rich" ? 6 : 25;
    EXPECT_LT(std::fabs(jt), limit) << r.gas << " " << r.kelvin << " K " << r.bar << " bar";
    if (r.gas == "nitrogen" || r.gas == "air" || r.gas == "h2rich") {
      EXPECT_LT(jt, -3) << r.gas << " " << r.kelvin << " K " << r.bar << " bar";
    }
  }
}

}  // namespace
}  // namespace torvane
