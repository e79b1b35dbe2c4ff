// The Print and "Export PDF..." flows of the labyrinth window, with scripted dialogs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "report_test_support.h"
#include "reports/qt/qt_picture_loader.h"
#include "reports/ui/labyrinth_report_printer.h"

namespace torvane {
namespace {

using testing_support::MakeLabyData;
using testing_support::MakeReportCase;
using testing_support::ReportDay;
using testing_support::Units;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

class ReportPrinterTest : public ::testing::Test {
 protected:
  LabyrinthReportPrinter Printer(PictureLoader& pictures) {
    return LabyrinthReportPrinter(ReportServices{state_, pictures, clock_}, messages_, dialog_,
                                  files_);
  }
  const Message kPrinterError{"Printer Error", MessageIcon::kNone, "Torvane \xC2\xAE"};

  QTemporaryDir dir_;
  ReportState state_;
  QtPictureLoader pictures_{QStringLiteral(TORVANE_RESOURCES_DIR)};
  QTemporaryDir empty_dir_;
  QtPictureLoader missing_pictures_{empty_dir_.path()};
  FixedReportClock clock_{ReportDay()};
  RecordingMessageService messages_;
  ScriptedPrintDialogRunner dialog_;
  ScriptedFileChooser files_;
};

TEST(PrintDialogTest, NoSelectionNoPageRangeNoPrintToFile) {
  QPrinter printer;
  auto dialog = QtPrintDialogRunner::BuildDialog(printer);
  EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
  EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
  EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
}

TEST_F(ReportPrinterTest, CancelInThePrintDialogEndsSilently) {
  dialog_.PrepareCancel();
  EXPECT_EQ(
      Printer(pictures_).Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)),
      ReportOutcome::kCancelled);
  EXPECT_EQ(dialog_.runs(), 1);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(state_.HeaderPicture, nullptr);
}

TEST_F(ReportPrinterTest, PrintsOnTheChosenPrinter) {
  const QString out = dir_.filePath("printed.pdf");
  dialog_.PrepareAccept(out);
  EXPECT_EQ(
      Printer(pictures_).Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)),
      ReportOutcome::kPrinted);
  EXPECT_TRUE(messages_.messages().empty());
  ASSERT_TRUE(ReadAll(out).startsWith("%PDF-"));
  QProcess p;
  p.start(TORVANE_PDFTOTEXT, {"-layout", out, "-"});
  ASSERT_TRUE(p.waitForFinished(30000));
  const QString text = QString::fromUtf8(p.readAllStandardOutput());
  EXPECT_TRUE(text.contains("Labyrinth Leakage Results")) << text.toStdString();
  EXPECT_TRUE(text.contains("1,234.6"));
}

TEST_F(ReportPrinterTest, MissingBitmapShowsPrinterErrorOnce) {
  dialog_.PrepareAccept(dir_.filePath("never.pdf"));
  EXPECT_EQ(Printer(missing_pictures_)
                .Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)),
            ReportOutcome::kFailed);
  EXPECT_THAT(messages_.messages(), ::testing::ElementsAre(kPrinterError));
  EXPECT_EQ(dialog_.runs(), 1);  // nothing retried

  // The next report loads the pictures again, now from a folder that has them.
  dialog_.PrepareAccept(dir_.filePath("second.pdf"));
  EXPECT_EQ(
      Printer(pictures_).Print(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)),
      ReportOutcome::kPrinted);
  EXPECT_EQ(messages_.messages().size(), 1u);
}

TEST_F(ReportPrinterTest, BadDataShowsPrinterError) {
  dialog_.PrepareAccept(dir_.filePath("bad.pdf"));
  LabyData d = MakeLabyData();
  d[kTempUp] = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Printer(pictures_).Print(MakeReportCase(3), d, Units(UnitSystem::kEnglish)),
            ReportOutcome::kFailed);
  EXPECT_THAT(messages_.messages(), ::testing::ElementsAre(kPrinterError));
}

TEST_F(ReportPrinterTest, ExportPdfWritesTheChosenFile) {
  const std::string out = dir_.filePath("export.pdf").toStdString();
  files_.Prepare(out);
  EXPECT_EQ(
      Printer(pictures_).ExportPdf(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)),
      ReportOutcome::kPrinted);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_TRUE(ReadAll(QString::fromStdString(out)).startsWith("%PDF-"));
  ASSERT_EQ(files_.requests().size(), 1u);
  EXPECT_EQ(files_.requests()[0], LabyrinthReportPrinter::PdfRequest(MakeReportCase(3)));
}

TEST_F(ReportPrinterTest, ExportPdfCancelEndsSilently) {
  files_.Prepare(std::nullopt);
  EXPECT_EQ(
      Printer(pictures_).ExportPdf(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)),
      ReportOutcome::kCancelled);
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(ReportPrinterTest, ExportPdfIntoAMissingFolderShowsPrinterError) {
  files_.Prepare(dir_.filePath("no/such/folder/r.pdf").toStdString());
  EXPECT_EQ(
      Printer(pictures_).ExportPdf(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)),
      ReportOutcome::kFailed);
  EXPECT_THAT(messages_.messages(), ::testing::ElementsAre(kPrinterError));
}

TEST(PdfRequestTest, NamedAfterTheSettingsFile) {
  FileDialogRequest r = LabyrinthReportPrinter::PdfRequest(MakeReportCase(3));
  EXPECT_EQ(r.mode, FileDialogMode::kSave);
  EXPECT_EQ(r.title, "Export PDF");
  EXPECT_EQ(r.filter, "PDF File (*.pdf)");
  EXPECT_EQ(r.default_suffix, "pdf");
  EXPECT_TRUE(r.confirm_overwrite);
  EXPECT_EQ(r.initial_folder, "/home/user/cases");
  EXPECT_EQ(r.initial_name, "pump k101.pdf");

  ReportCase unsaved = MakeReportCase(3);
  unsaved.settings_file_path.clear();
  r = LabyrinthReportPrinter::PdfRequest(unsaved);
  EXPECT_EQ(r.initial_folder, "");
  EXPECT_EQ(r.initial_name, "Labyrinth Leakage Results.pdf");

  unsaved.settings_file_path = "/top.trv";
  r = LabyrinthReportPrinter::PdfRequest(unsaved);
  EXPECT_EQ(r.initial_folder, "/");
  EXPECT_EQ(r.initial_name, "top.pdf");
  EXPECT_EQ(std::string(kExportPdfCaption), "Export PDF...");
}

}  // namespace
}  // namespace torvane
