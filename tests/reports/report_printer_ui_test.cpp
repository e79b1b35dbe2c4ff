// The Print and "Export PDF..." flows of the labyrinth window, with scripted dialogs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
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

  // Shown with its options open, as the user sees it after "Options >>": no page range, no
  // page numbers, no page set; the copies stay.
  dialog->show();
  for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
    if (b->text().startsWith("&Options")) b->click();
  }
  QCoreApplication::processEvents();
  for (const char* name : {"gbPrintRange", "printRange", "pagesRadioButton", "pagesLineEdit",
                           "pageSetCombo", "printSelection", "printCurrentPage"}) {
    auto* w = dialog->findChild<QWidget*>(name);
    if (w != nullptr) {
      EXPECT_FALSE(w->isVisible()) << name;
    }
  }
  ASSERT_NE(dialog->findChild<QWidget*>("copies"), nullptr);
  EXPECT_TRUE(dialog->findChild<QWidget*>("copies")->isVisible());
  // Shown again, it stays so.
  dialog->hide();
  dialog->show();
  EXPECT_FALSE(dialog->findChild<QWidget*>("gbPrintRange")->isVisible());
  dialog->hide();
}

TEST_F(ReportPrinterTest, PrintUsesTheReportsPageAndNamesTheJob) {
  // Whatever paper was chosen in the dialog, the report asks for its own Letter page.
  const QString out = dir_.filePath("a4.pdf");
  dialog_.PrepareAccept(out, QPageSize(QPageSize::A4));
  ReportCase unsaved = MakeReportCase(3);
  unsaved.settings_file_path.clear();
  ASSERT_EQ(Printer(pictures_).Print(unsaved, MakeLabyData(), Units(UnitSystem::kEnglish)),
            ReportOutcome::kPrinted);
  EXPECT_EQ(dialog_.doc_name(), "Torvane - Labyrinth Leakage Results");
  EXPECT_EQ(dialog_.page_layout().pageSize().id(), QPageSize::Letter);
  EXPECT_EQ(dialog_.page_layout().orientation(), QPageLayout::Portrait);
  QProcess info;
  info.start("pdfinfo", {out});
  ASSERT_TRUE(info.waitForFinished(30000));
  const QString text = QString::fromUtf8(info.readAllStandardOutput());
  EXPECT_TRUE(text.contains(QRegularExpression("Page size: +612 x 792 pts \\(letter\\)")))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression("Title: +Torvane - Labyrinth Leakage Results")))
      << text.toStdString();

  // A saved case names the job after its file.
  ReportCase saved = MakeReportCase(3);
  saved.settings_file_path = "/data/cases/compressor 4.trv";
  dialog_.PrepareCancel();
  Printer(pictures_).Print(saved, MakeLabyData(), Units(UnitSystem::kEnglish));
  EXPECT_EQ(dialog_.doc_name(), "compressor 4.trv");
}

TEST_F(ReportPrinterTest, ExportPdfOntoTheOpenCaseFileIsRefused) {
  const QString case_file = dir_.filePath("case.trv");
  {
    QFile f(case_file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("the case");
  }
  ReportCase report_case = MakeReportCase(3);
  report_case.settings_file_path = case_file.toStdString();
  files_.Prepare(case_file.toStdString());
  EXPECT_EQ(Printer(pictures_).ExportPdf(report_case, MakeLabyData(), Units(UnitSystem::kEnglish)),
            ReportOutcome::kFailed);
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"Could not save " + case_file.toStdString() +
                                     ": it is a file the export is made from."});
  EXPECT_EQ(ReadAll(case_file), "the case");
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

// A file that cannot be written is no printer error: the message says why.
TEST_F(ReportPrinterTest, ExportPdfIntoAMissingFolderSaysSo) {
  const std::string path = dir_.filePath("no/such/folder/r.pdf").toStdString();
  files_.Prepare(path);
  EXPECT_EQ(
      Printer(pictures_).ExportPdf(MakeReportCase(3), MakeLabyData(), Units(UnitSystem::kEnglish)),
      ReportOutcome::kFailed);
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"Could not save " + path + ": the folder does not exist."});
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
