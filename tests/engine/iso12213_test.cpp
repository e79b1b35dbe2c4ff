// The equation of state against the published compressibility factors of the six natural gases
// of ISO 12213-2 Annex C (tests/data/iso12213-2-annexC.csv), at 60 and 120 bar from -3.15 to
// 56.85 deg C. The limits are those docs/validation.md states: within 0.5 % for gases 1, 2, 5
// and 6 everywhere and for gas 3 but at its coldest 120 bar point; gas 4, with 9.5 % hydrogen,
// within 0.3 % at 60 bar but up to 1.5 % off at 120 bar.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/component_library.h"
#include "engine/equation_of_state.h"
#include "engine/gas_mixture.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, ',')) out.push_back(field);
  return out;
}

struct PublishedZ {
  double bar = 0;
  double celsius = 0;
  std::vector<double> z;  // gases 1..6
};

struct AnnexC {
  std::vector<std::vector<GasComponentSlot>> gases{6};
  std::vector<PublishedZ> points;
};

AnnexC ReadAnnexC() {
  AnnexC data;
  std::ifstream file(TORVANE_TEST_DATA_DIR "/iso12213-2-annexC.csv");
  EXPECT_TRUE(file.good());
  RecordingMessageService messages;
  std::string line;
  int section = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = Fields(line);
    if (f[0] == "component") {
      section = 1;
    } else if (f[0] == "pressure_bar") {
      section = 2;
    } else if (section == 1) {
      const auto id = LookUpComponent(f[0], messages);
      EXPECT_TRUE(id.has_value()) << f[0];
      for (size_t g = 0; g < 6; ++g) {
        const double fraction = std::stod(f[g + 1]);
        if (fraction > 0 && id) data.gases[g].push_back({*id, fraction});
      }
    } else if (section == 2) {
      PublishedZ p{std::stod(f[0]), std::stod(f[1]), {}};
      for (size_t g = 0; g < 6; ++g) p.z.push_back(std::stod(f[g + 2]));
      data.points.push_back(p);
    }
  }
  EXPECT_TRUE(messages.messages().empty());
  return data;
}

// Deviation in percent of the equation of state's Z from the published one, with pressure and
// temperature converted exactly: 1 bar = 1e5 Pa, 1 psi = 6894.757293168361 Pa, T(R) = 1.8 T(K).
double Deviation(const GasMixture& gas, const PublishedZ& point, size_t g) {
  const double psia = point.bar * 1e5 / 6894.757293168361;
  const double rankine = (point.celsius + 273.15) * 1.8;
  const CompressibilitySolution s = SolveCompressibility(gas, psia, rankine);
  EXPECT_FALSE(s.needs_message);
  return 100 * (s.z / point.z[g] - 1);
}

TEST(Iso12213Test, EquationOfStateAgainstThePublishedZOfAnnexC) {
  const AnnexC data = ReadAnnexC();
  ASSERT_EQ(data.points.size(), 10u);
  std::map<std::pair<size_t, double>, double> worst;  // (gas, bar) -> largest |deviation|
  for (size_t g = 0; g < 6; ++g) {
    const GasMixture gas = CharacteriseGas(data.gases[g]);
    for (const PublishedZ& point : data.points) {
      const double d = Deviation(gas, point, g);
      double& w = worst[{g, point.bar}];
      w = std::max(w, std::abs(d));
      double limit = 0.5;
      if (g == 3 && point.bar == 120) limit = 1.5;                       // hydrogen
      if (g == 2 && point.bar == 120 && point.celsius < 0) limit = 0.6;  // 0.54 %
      if (g == 3 && point.bar == 60) limit = 0.3;
      EXPECT_LT(std::abs(d), limit)
          << "gas " << g + 1 << " at " << point.bar << " bar, " << point.celsius << " deg C";
    }
  }
  // Gas 4 at 120 bar is the one case outside 0.5 % by far; it leans to high Z, worst when cold.
  EXPECT_GT((worst[{3, 120.0}]), 1.0);
  EXPECT_LT((worst[{0, 60.0}]), 0.2);
}

}  // namespace
}  // namespace torvane
