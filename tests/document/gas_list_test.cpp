// The gas list of --gas and of the Python module: entries read in order, and every list that
// cannot be read refused with its reason.
#include "document/gas_list.h"

#include <gtest/gtest.h>

#include <string>

namespace torvane {
namespace {

TEST(GasListTest, EntriesAreReadInOrderWithFractionsAsTyped) {
  const std::vector<GasListEntry> e = ReadGasList("CH4:0.9,C2H6:1e-1,N2:0");
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].code, "CH4");
  EXPECT_EQ(e[0].fraction, 0.9);
  EXPECT_EQ(e[1].code, "C2H6");
  EXPECT_EQ(e[1].fraction, 0.1);
  EXPECT_EQ(e[2].fraction, 0.0);
}

TEST(GasListTest, ListsThatCannotBeReadSayWhy) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "bad gas list: it is empty"},
      {"CH4", "bad gas list: 'CH4' is not CODE:FRACTION"},
      {":0.5", "bad gas list: ':0.5' has no code"},
      {"CH4:0,5", "bad gas list: '5' is not CODE:FRACTION"},
      {"CH4:x", "bad gas list: the fraction of 'CH4:x' is not a number"},
      {"CH4:1,", "bad gas list: '' is not CODE:FRACTION"},
  };
  for (const auto& [list, message] : cases) {
    try {
      ReadGasList(list);
      ADD_FAILURE() << list;
    } catch (const GasListError& e) {
      EXPECT_EQ(e.what(), message) << list;
    }
  }
  std::string many = "CH4:0.03";
  for (int k = 0; k < 30; ++k) many += ",CH4:0.03";
  EXPECT_THROW(ReadGasList(many), GasListError);
}

}  // namespace
}  // namespace torvane
