// The QSettings-backed store, redirected to a scratch folder.
#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/unit_settings.h"
#include "document_test_support.h"
#include "platform/errors.h"

namespace torvane {
namespace {

TEST(QtSettingsStoreTest, NothingStoredGivesDefaults) {
  testing::ScratchFolder dir;
  QtSettingsStore store(QString::fromStdString(dir.path()));
  EXPECT_EQ(store.GetSetting("QZ", "Units", "Nam", "English"), "English");
  CaseRecord r;
  LoadUnitSettings(store, r);
  EXPECT_EQ(r.unit_system, 0);
  EXPECT_EQ(r.unit_system_name.view(), "En");
  EXPECT_EQ(r.unit_num, UnitIndices{});
  EXPECT_TRUE(dir.Names().empty());  // reading creates no file
}

TEST(QtSettingsStoreTest, UnitChoiceIsKeptAsTextUnderQzUnits) {
  testing::ScratchFolder dir;
  CaseRecord tech;
  tech.unit_system = 2;
  tech.unit_system_name = FixedText<2>("Te");
  tech.unit_num = PresetIndices(UnitSystem::kTechMetric);
  {
    QtSettingsStore store(QString::fromStdString(dir.path()));
    SaveUnitSettings(store, tech);
    EXPECT_EQ(store.FileName("QZ").toStdString(), dir.path() + "/QZ/QZ.conf");
  }
  std::ifstream in(dir.path() + "/QZ/QZ.conf");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("[Units]"), std::string::npos);
  EXPECT_NE(text.str().find("Un=2"), std::string::npos);
  EXPECT_NE(text.str().find("Nam=Te"), std::string::npos);
  EXPECT_NE(text.str().find("IVNum=3"), std::string::npos);

  QtSettingsStore again(QString::fromStdString(dir.path()));
  CaseRecord loaded;
  LoadUnitSettings(again, loaded);
  EXPECT_EQ(loaded.unit_system, 2);
  EXPECT_EQ(loaded.unit_system_name.view(), "Te");
  EXPECT_EQ(loaded.unit_num, tech.unit_num);
}

TEST(QtSettingsStoreTest, HandEditedValuesAreReadAsText) {
  testing::ScratchFolder dir;
  std::filesystem::create_directory(dir.File("QZ"));
  std::ofstream(dir.File("QZ/QZ.conf")) << "[Units]\nUn=2, 3\nNam=Tech Metric\nPNum=x\n";
  QtSettingsStore store(QString::fromStdString(dir.path()));
  EXPECT_EQ(store.GetSetting("QZ", "Units", "Un", "0"), "2, 3");
  CaseRecord r;
  LoadUnitSettings(store, r);
  EXPECT_EQ(r.unit_system, 0);  // not a number: the default
  EXPECT_EQ(r.unit_system_name.view(), "Te");
  EXPECT_EQ(r.UnitNum(Quantity::kPressure), 0);
}

TEST(QtSettingsStoreTest, UnwritableStoreIsReported) {
  testing::ScratchFolder dir;
  const std::string blocker = dir.File("QZ");
  std::ofstream(blocker) << "a file where the folder should be";
  QtSettingsStore store(QString::fromStdString(dir.path()));
  EXPECT_THROW(store.SaveSetting("QZ", "Units", "Un", "1"), FileError);
}

}  // namespace
}  // namespace torvane
