// The stored unit choice: defaults, fallbacks and the keys written.
#include "document/unit_settings.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace torvane {
namespace {

const char* const kIndexKeys[14] = {"IVNum", "PNum",  "TNum",   "HNum",  "SNum",  "CpNum", "VeNum",
                                    "SVNum", "MuNum", "VolNum", "WtNum", "HdNum", "HPNum", "LnNum"};

TEST(UnitSettingsTest, NothingStoredGivesEnglishNamedEn) {
  MemorySettingsStore store;
  CaseRecord r;
  r.unit_system = 2;
  r.unit_num.fill(1);
  LoadUnitSettings(store, r);
  EXPECT_EQ(r.unit_system, 0);
  EXPECT_EQ(r.unit_system_name.view(), "En");
  EXPECT_EQ(r.unit_num, UnitIndices{});
  EXPECT_TRUE(store.empty());  // reading writes nothing
}

TEST(UnitSettingsTest, SavedChoiceIsReadBack) {
  MemorySettingsStore store;
  CaseRecord saved;
  saved.unit_system = 3;
  saved.unit_system_name = FixedText<2>("Cu");
  saved.unit_num = {10, 4, 3, 2, 2, 2, 1, 1, 2, 1, 3, 2, 1, 1};
  SaveUnitSettings(store, saved);
  EXPECT_EQ(store.size(), 16u);
  EXPECT_EQ(store.GetSetting("QZ", "Units", "Un", "x"), "3");
  EXPECT_EQ(store.GetSetting("QZ", "Units", "Nam", "x"), "Cu");
  EXPECT_EQ(store.GetSetting("QZ", "Units", "IVNum", "x"), "10");
  EXPECT_EQ(store.GetSetting("QZ", "Units", "LnNum", "x"), "1");
  CaseRecord loaded;
  LoadUnitSettings(store, loaded);
  EXPECT_EQ(loaded.unit_system, 3);
  EXPECT_EQ(loaded.unit_system_name.view(), "Cu");
  EXPECT_EQ(loaded.unit_num, saved.unit_num);
}

TEST(UnitSettingsTest, BadValueFallsBackToThatKeysDefaultOnly) {
  MemorySettingsStore store;
  CaseRecord si;
  si.unit_system = 1;
  si.unit_system_name = FixedText<2>("SI");
  si.unit_num = PresetIndices(UnitSystem::kSI);
  SaveUnitSettings(store, si);
  store.SaveSetting("QZ", "Units", "PNum", "bar");     // not a number
  store.SaveSetting("QZ", "Units", "TNum", "4");       // outside deg F .. deg K
  store.SaveSetting("QZ", "Units", "IVNum", "-1");     // negative
  store.SaveSetting("QZ", "Units", "WtNum", "1.5");    // not whole
  store.SaveSetting("QZ", "Units", "LnNum", "99999");  // beyond 16 bits
  store.SaveSetting("QZ", "Units", "VeNum", " 1 ");    // blanks around are fine
  CaseRecord r;
  LoadUnitSettings(store, r);
  EXPECT_EQ(r.unit_system, 1);
  EXPECT_EQ(r.UnitNum(Quantity::kPressure), 0);
  EXPECT_EQ(r.UnitNum(Quantity::kTemperature), 0);
  EXPECT_EQ(r.UnitNum(Quantity::kInletFlow), 0);
  EXPECT_EQ(r.UnitNum(Quantity::kMassFlow), 0);
  EXPECT_EQ(r.UnitNum(Quantity::kLength), 0);
  EXPECT_EQ(r.UnitNum(Quantity::kVelocity), 1);
  EXPECT_EQ(r.UnitNum(Quantity::kEnthalpy), 1);

  store.SaveSetting("QZ", "Units", "Un", "7");
  LoadUnitSettings(store, r);
  EXPECT_EQ(r.unit_system, 0);
}

TEST(UnitSettingsTest, LongOrAccentedNameIsCutToTwoCharacters) {
  MemorySettingsStore store;
  CaseRecord r;
  store.SaveSetting("QZ", "Units", "Nam", "Tech Metric Units");
  LoadUnitSettings(store, r);
  EXPECT_EQ(r.unit_system_name.view(), "Te");
  store.SaveSetting("QZ", "Units", "Nam", "\u00C9t\u00E9");
  LoadUnitSettings(store, r);
  EXPECT_EQ(r.unit_system_name.view(), "\xC9t");
  SaveUnitSettings(store, r);
  EXPECT_EQ(store.GetSetting("QZ", "Units", "Nam", ""), "\u00C9t");
  store.SaveSetting("QZ", "Units", "Nam", "");
  LoadUnitSettings(store, r);
  EXPECT_EQ(r.unit_system_name.view(), "  ");
}

TEST(UnitSettingsTest, EveryIndexKeyFillsItsOwnField) {
  for (int q = 0; q < 14; ++q) {
    MemorySettingsStore store;
    store.SaveSetting("QZ", "Units", kIndexKeys[q], "1");
    CaseRecord r;
    LoadUnitSettings(store, r);
    for (int p = 0; p < 14; ++p) {
      EXPECT_EQ(r.unit_num[static_cast<size_t>(p)], p == q ? 1 : 0) << kIndexKeys[q];
    }
  }
}

TEST(StoredIntegerTest, OnlyWholeSixteenBitNumbers) {
  EXPECT_EQ(ParseStoredInteger("0"), 0);
  EXPECT_EQ(ParseStoredInteger("+3"), 3);
  EXPECT_EQ(ParseStoredInteger("-32768"), -32768);
  EXPECT_EQ(ParseStoredInteger("  12  "), 12);
  EXPECT_FALSE(ParseStoredInteger(""));
  EXPECT_FALSE(ParseStoredInteger("   "));
  EXPECT_FALSE(ParseStoredInteger("32768"));
  EXPECT_FALSE(ParseStoredInteger("1e2"));
  EXPECT_FALSE(ParseStoredInteger("0x1"));
  EXPECT_FALSE(ParseStoredInteger("1 2"));
  EXPECT_FALSE(ParseStoredInteger("+-1"));
}

// A store whose writes fail, as a full disk would make them.
class FailingStore : public MemorySettingsStore {
 public:
  void SaveSetting(std::string_view, std::string_view, std::string_view,
                   std::string_view) override {
    throw FileError("QZ.conf", "the settings could not be written");
  }
};

TEST(UnitSettingsTest, FailedWriteIsReported) {
  FailingStore store;
  EXPECT_THROW(SaveUnitSettings(store, CaseRecord{}), FileError);
}

}  // namespace
}  // namespace torvane
