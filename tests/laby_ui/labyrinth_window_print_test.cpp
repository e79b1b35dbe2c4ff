// Print and "Export PDF..." of the labyrinth window, through the scripted printer dialog and
// file chooser, with the report read back from the PDF.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "laby_ui/laby_window_fixture.h"

namespace torvane {
namespace {

using testing::EnglishCase;

using testing::PdfText;

class LabyrinthWindowPrintTest : public testing::LabyWindowFixture {
 protected:
  void CalculateEnglishCase() {
    Open();
    EnterAll(EnglishCase());
    Calculate();
    ASSERT_TRUE(messages_.messages().empty());
    ASSERT_TRUE(Button("cmdPrint")->isEnabled());
  }
  QTemporaryDir dir_;
};

TEST_F(LabyrinthWindowPrintTest, PrintRunsTheDialogThenTheReportOfTheRecord) {
  context_.settings_file_path = "/cases/k101.trv";
  CalculateEnglishCase();
  const QString out = dir_.filePath("printed.pdf");
  print_dialog_.PrepareAccept(out);
  QTest::mouseClick(Button("cmdPrint"), Qt::LeftButton);
  EXPECT_EQ(print_dialog_.runs(), 1);
  EXPECT_TRUE(messages_.messages().empty());
  const QString text = PdfText(out);
  EXPECT_TRUE(text.contains("Labyrinth Leakage Results")) << text.toStdString();
  EXPECT_TRUE(text.contains("k101.trv"));
  EXPECT_TRUE(text.contains("Pump K-101"));
  EXPECT_TRUE(text.contains("CH4"));
  EXPECT_TRUE(text.contains("Stepped (Interlocking)"));
  EXPECT_TRUE(text.contains("6.000"));   // seal diameter
  EXPECT_TRUE(text.contains("500.00"));  // upstream pressure in the psia format
  EXPECT_TRUE(text.contains("0.125"));   // tooth spacing
  EXPECT_TRUE(
      text.contains(QString::fromStdString(FormatNumber(context_.laby_data[kLabyFlow], "0.000"))));
  EXPECT_TRUE(text.contains("SCFM"));
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(LabyrinthWindowPrintTest, CancelledPrintDialogEndsSilently) {
  CalculateEnglishCase();
  print_dialog_.PrepareCancel();
  QTest::mouseClick(Button("cmdPrint"), Qt::LeftButton);
  EXPECT_EQ(print_dialog_.runs(), 1);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(LabyrinthWindowPrintTest, ExportPdfWritesTheReportToTheChosenFile) {
  UseUnits(UnitSystem::kSI);
  Open();
  const std::vector<testing::Typed> si = {
      {LabyField::kSealDia, "150"},  {LabyField::kSealRadClear, "0.3"},
      {LabyField::kToothThk, "0.5"}, {LabyField::kToothSpc, "3"},
      {LabyField::kToothNo, "8"},    {LabyField::kPressUp, "30"},
      {LabyField::kPressDown, "5"},  {LabyField::kTempUp, "40"},
      {LabyField::kFloCo, "0.67"}};
  EnterAll(si);
  Calculate();
  ASSERT_TRUE(messages_.messages().empty());

  const std::string out = dir_.filePath("export.pdf").toStdString();
  files_.Prepare(out);
  QTest::mouseClick(Button("cmdExportPdf"), Qt::LeftButton);
  EXPECT_TRUE(messages_.messages().empty());
  ASSERT_EQ(files_.requests().size(), 1u);
  EXPECT_EQ(files_.requests()[0].mode, FileDialogMode::kSave);
  EXPECT_EQ(files_.requests()[0].initial_name, "Labyrinth Leakage Results.pdf");
  EXPECT_EQ(print_dialog_.runs(), 0);
  const QString text = PdfText(QString::fromStdString(out));
  EXPECT_TRUE(text.contains("Labyrinth Leakage Results")) << text.toStdString();
  EXPECT_TRUE(text.contains("Sm3/hr"));
  EXPECT_TRUE(text.contains("30.000"));  // Bar a with three decimals
  EXPECT_TRUE(text.contains("150.000"));

  files_.Prepare(std::nullopt);  // cancelled: nothing written, nothing said
  QTest::mouseClick(Button("cmdExportPdf"), Qt::LeftButton);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(LabyrinthWindowPrintTest, AnExportThatFailsSaysWhyAndTheWindowStays) {
  CalculateEnglishCase();
  const std::string path = dir_.filePath("no/such/folder/r.pdf").toStdString();
  files_.Prepare(path);
  QTest::mouseClick(Button("cmdExportPdf"), Qt::LeftButton);
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"Could not save " + path + ": the folder does not exist."});
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(Button("cmdPrint")->isEnabled());
}

TEST_F(LabyrinthWindowPrintTest, PrintButtonsDoNotTakeTheFocusFromABox) {
  CalculateEnglishCase();
  // A value typed but not left is not checked by a click on Print; the report prints the record.
  TypeInto(LabyField::kSealDia, "abc");
  print_dialog_.PrepareAccept(dir_.filePath("p.pdf"));
  QTest::mouseClick(Button("cmdPrint"), Qt::LeftButton);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(Focus(), Box(LabyField::kSealDia));
  EXPECT_TRUE(QFile::exists(dir_.filePath("p.pdf")));
}

}  // namespace
}  // namespace torvane
