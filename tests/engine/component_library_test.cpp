#include "engine/component_library.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/message_service.h"

namespace torvane {
namespace {

TEST(ComponentLibraryTest, HoldsNinetyEightSubstancesWithIdsOneToNinetyNineWithout88) {
  const auto lib = ComponentLibrary();
  ASSERT_EQ(lib.size(), 98u);
  std::set<int> ids;
  int previous = 0;
  for (const auto& c : lib) {
    EXPECT_GT(c.id, previous) << c.code;
    previous = c.id;
    ids.insert(c.id);
    EXPECT_EQ(ComponentById(c.id), &c);
  }
  EXPECT_EQ(*ids.begin(), 1);
  EXPECT_EQ(*ids.rbegin(), 99);
  EXPECT_EQ(ids.count(88), 0u);
  EXPECT_EQ(ComponentById(88), nullptr);
  EXPECT_EQ(ComponentById(0), nullptr);
  EXPECT_EQ(ComponentById(100), nullptr);
  EXPECT_EQ(ComponentById(-1), nullptr);
}

TEST(ComponentLibraryTest, SpotValuesAreStoredExactlyAsTabulated) {
  const PureComponent* buta = ComponentById(4);
  ASSERT_NE(buta, nullptr);
  EXPECT_EQ(buta->code, "BUTA");
  EXPECT_EQ(buta->bwr[4], 10.263599);  // not a rounded 10.2636
  EXPECT_EQ(buta->mol_weight, 58.124);

  const PureComponent* methane = ComponentById(1);
  EXPECT_EQ(methane->crit_temp, 343.06);
  EXPECT_EQ(methane->crit_press, 667.79);
  EXPECT_EQ(methane->acentric, 0.0104);
  EXPECT_EQ(methane->bwr[2], 275.76);  // C0 stored divided by 1e6
  EXPECT_EQ(methane->bwr[5], 498.11);

  const PureComponent* helium = ComponentById(63);
  EXPECT_EQ(helium->code, "HE");
  EXPECT_EQ(helium->bwr[4], -5.1e-05);
  EXPECT_EQ(helium->acentric, -0.464);

  const PureComponent* no2 = ComponentById(66);
  EXPECT_EQ(no2->bwr[0], -1283821);
  EXPECT_EQ(no2->bwr[1], -110.315994);

  const PureComponent* last = ComponentById(99);
  EXPECT_EQ(last->code, "3M1B");
  EXPECT_EQ(last->bwr[7], 14.325001);
  EXPECT_EQ(ComponentById(89)->code, "R113");
  EXPECT_EQ(ComponentById(87)->code, "ETHX");
}

TEST(ComponentLibraryTest, LookUpFindsExactCodes) {
  RecordingMessageService messages;
  EXPECT_EQ(LookUpComponent("CH4", messages), 1);
  EXPECT_EQ(LookUpComponent("3M1B", messages), 99);
  EXPECT_EQ(LookUpComponent("N2", messages), 60);
  EXPECT_EQ(LookUpComponent("A", messages), 68);
  EXPECT_TRUE(messages.messages().empty());
  for (const auto& c : ComponentLibrary()) EXPECT_EQ(FindComponent(c.code), c.id);
}

TEST(ComponentLibraryTest, LookUpIsCaseSensitiveAndReportsUnknownCodes) {
  RecordingMessageService messages;
  EXPECT_FALSE(LookUpComponent("ch4", messages));
  EXPECT_FALSE(LookUpComponent(" CH4", messages));
  EXPECT_FALSE(LookUpComponent("CH4 ", messages));
  EXPECT_FALSE(LookUpComponent("", messages));
  const std::vector<std::string> expected = {
      "Gas ch4 is not in library", "Gas  CH4 is not in library", "Gas CH4  is not in library",
      "Gas  is not in library"};
  EXPECT_EQ(messages.texts(), expected);
  for (const auto& m : messages.messages()) {
    EXPECT_EQ(m.title, "Torvane \xC2\xAE");
    EXPECT_EQ(m.icon, MessageIcon::kNone);
  }
}

}  // namespace
}  // namespace torvane
