// The bundled example files are what the program's own writer makes of the example case.
#include <gtest/gtest.h>

#include "document/case_files.h"
#include "document_test_support.h"
#include "example_case.h"

namespace torvane {
namespace {

const std::string kDir = TORVANE_EXAMPLES_DIR;

TEST(ExamplesTest, FilesMatchTheWriter) {
  const ExampleCase example = BuildExampleCase();
  EXPECT_EQ(testing::ReadBytes(kDir + "/natural-gas.trv"),
            SettingsFileBytes(example.record, example.laby_data))
      << "regenerate with make_examples";
  EXPECT_EQ(testing::ReadBytes(kDir + "/natural-gas.gas"), GasFileBytes(example.record));
}

TEST(ExamplesTest, SettingsFileHoldsANaturalGasAndASteppedCase) {
  const SettingsFileContent c = ReadSettingsFile(kDir + "/natural-gas.trv");
  EXPECT_EQ(c.record.component_count, 5);
  double sum = 0;
  for (int i = 0; i < c.record.component_count; ++i) sum += c.record.MolFraction(i, 0);
  EXPECT_DOUBLE_EQ(sum, 1.0);
  EXPECT_EQ(c.record.GasCode(0, 0).view(), "CH4 ");
  EXPECT_EQ(c.laby_data[kLabyType], 0);
  EXPECT_GT(c.laby_data[kLabyFlow], 0);
  EXPECT_GT(c.laby_data[kLabyStdFlow], c.laby_data[kLabyFlow]);
  EXPECT_GT(c.laby_data[kLabyVolumeFlow], c.laby_data[kLabySuppplyFlow]);
}

}  // namespace
}  // namespace torvane
