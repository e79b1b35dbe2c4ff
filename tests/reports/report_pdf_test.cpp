// The labyrinth report rendered through Qt into real PDF files, read back with poppler's
// pdftotext and pdftoppm; the report bitmaps and their loader. Runs without a display: the
// process's only Qt application is the one HeadlessGui makes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>

#include "engine/gas_engine.h"
#include "methods/method_comparison.h"
#include "platform/message_service.h"
#include "report_image_support.h"
#include "report_test_support.h"
#include "reports/method_comparison_page.h"
#include "reports/qt/headless_gui.h"
#include "reports/qt/qt_picture_loader.h"
#include "reports/qt/qt_printer_surface.h"
#include "reports/qt/report_artwork.h"
#include "reports/qt/report_output.h"

namespace torvane {
namespace {

using testing_support::Ink;
using testing_support::InkOf;
using testing_support::MakeLabyData;
using testing_support::MakeReportCase;
using testing_support::ReportDay;
using testing_support::Units;

bool gui_created_by_test = false;

class HeadlessEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    gui_ = std::make_unique<HeadlessGui>();
    gui_created_by_test = gui_->created();
  }
  void TearDown() override { gui_.reset(); }

 private:
  std::unique_ptr<HeadlessGui> gui_;
};
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new HeadlessEnvironment);

QString RunTool(const char* program, const QStringList& args) {
  QProcess p;
  p.start(QString::fromUtf8(program), args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) {
    ADD_FAILURE() << program << " failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

QString PdfText(const QString& pdf) { return RunTool(TORVANE_PDFTOTEXT, {"-layout", pdf, "-"}); }

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

class ReportPdfTest : public ::testing::Test {
 protected:
  ReportServices Services() { return ReportServices{state_, pictures_, clock_}; }
  QString PathOf(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

  QTemporaryDir dir_;
  ReportState state_;
  QtPictureLoader pictures_{QStringLiteral(TORVANE_RESOURCES_DIR)};
  FixedReportClock clock_{ReportDay()};
};

TEST_F(ReportPdfTest, RunsOnTheOffscreenPlatformWithoutADisplay) {
  EXPECT_TRUE(gui_created_by_test);
  EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
  HeadlessGui second;
  EXPECT_FALSE(second.created());
}

TEST_F(ReportPdfTest, PdfReadsBackWithTitlesDateVersionAndValues) {
  ASSERT_TRUE(dir_.isValid());
  const QString pdf = PathOf("report.pdf");
  ReportCase c = MakeReportCase(3);
  c.settings_file_path.clear();
  WriteLabyrinthReportPdf(pdf, Services(), c, MakeLabyData(), Units(UnitSystem::kEnglish));
  ASSERT_TRUE(ReadAll(pdf).startsWith("%PDF-"));
  const QString text = PdfText(pdf);
  for (const char* expected : {"Torvane \xC2\xAE Calculation Summary",
                               "Labyrinth Leakage Results",
                               "6-Dec-2026",
                               "Version 8.0.2",
                               "Page 1",
                               "Title :",
                               "Pump K-101 balance piston",
                               "Settings file name :",
                               "<Unsaved Data>",
                               "Gas file name :",
                               "export gas.gas",
                               "Gas Analysis",
                               "Total Mol Weight 18.04",
                               "K01",
                               "0.00100",
                               "Mol Fr",
                               "Stepped (Interlocking)",
                               "1,234.50",
                               "1,234.6",
                               "deg F",
                               "Number of teeth",
                               "1234.568",
                               "SCFM",
                               "Exhaust vol. flow",
                               "345.600",
                               "ft3/min"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                            << text.toStdString();
  }
  // The date line: the date at the left, the version at the right of the same line.
  const QRegularExpression date_line(QStringLiteral("6-Dec-2026 {10,}Version 8\\.0\\.2"));
  EXPECT_TRUE(text.contains(date_line)) << text.toStdString();
}

// Word boxes in points (pdftotext -bbox), for positions on paper.
struct WordBox {
  double x_min, y_min, x_max, y_max;
};
std::optional<WordBox> FindWord(const QString& bbox_html, const QString& word) {
  const QRegularExpression re(
      QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                     "yMax=\"([0-9.]+)\">%1</word>")
          .arg(QRegularExpression::escape(word)));
  const auto m = re.match(bbox_html);
  if (!m.hasMatch()) return std::nullopt;
  return WordBox{m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                 m.captured(4).toDouble()};
}

TEST_F(ReportPdfTest, InchPositionsLandOnThePaper) {
  const QString pdf = PathOf("positions.pdf");
  WriteLabyrinthReportPdf(pdf, Services(), MakeReportCase(3), MakeLabyData(),
                          Units(UnitSystem::kEnglish));
  const QString html = RunTool(TORVANE_PDFTOTEXT, {"-bbox", pdf, "-"});
  // Letter page, printable area 0.25 in inside the edges; the scale puts x = 0.2 and y = 0.4 on
  // the printable area's left and top edges. x = 1.0 is 1.05 in (75.6 pt) from the paper's edge.
  const auto page = FindWord(html, "Page");
  ASSERT_TRUE(page.has_value()) << html.toStdString();
  EXPECT_NEAR(page->x_min, 75.6, 1.0);
  // Its line starts at y = 2.2: 2.05 in (147.6 pt) from the top; the box of an 8 pt word starts
  // at most a point or two below.
  EXPECT_NEAR(page->y_min, 147.6, 2.5);
  // The version ends at printable width - 0.5 = 7.5: 7.55 in (543.6 pt).
  const auto version = FindWord(html, "8.0.2");
  ASSERT_TRUE(version.has_value());
  EXPECT_NEAR(version->x_max, 543.6, 1.5);
  // Values at x = 3.0 (3.05 in), unit labels at 3.7 (3.75 in).
  const auto value = FindWord(html, "12.000");
  const auto unit = FindWord(html, "psia");
  ASSERT_TRUE(value && unit);
  EXPECT_NEAR(value->x_min, 3.05 * 72, 1.0);
  EXPECT_NEAR(unit->x_min, 3.75 * 72, 1.0);
  // "Flow coefficient", the tenth row, at y = 6.93: 6.78 in from the top.
  const auto row = FindWord(html, "coefficient");
  ASSERT_TRUE(row.has_value());
  EXPECT_NEAR(row->y_min, 6.78 * 72, 2.5);
}

TEST_F(ReportPdfTest, PicturesSpanTheHeaderAndFooterRectangles) {
  const QString pdf = PathOf("pictures.pdf");
  WriteLabyrinthReportPdf(pdf, Services(), MakeReportCase(3), MakeLabyData(),
                          Units(UnitSystem::kEnglish));
  RunTool(TORVANE_PDFTOPPM, {"-png", "-r", "72", "-singlefile", pdf, PathOf("page")});
  QImage page;
  ASSERT_TRUE(page.load(PathOf("page.png")));
  ASSERT_EQ(page.height(), 792);  // 11 in at 72 dpi
  int top = -1;
  int bottom = -1;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) < 200) {
        if (top < 0) top = y;
        bottom = y;
        break;
      }
    }
  }
  // The header rectangle starts at y = 1.0 (0.85 in on paper); its emblem 0.2 in lower.
  EXPECT_GE(top, static_cast<int>(0.85 * 72));
  EXPECT_LE(top, static_cast<int>(1.1 * 72));
  // The footer's bottom edge is at 10.66 (10.51 in on paper); its lowest ink a little above.
  EXPECT_LE(bottom, static_cast<int>(10.51 * 72) + 1);
  EXPECT_GE(bottom, static_cast<int>(10.35 * 72));
}

// A printer that can print only 0.25 in from the sides and 0.5 in from the top and bottom
// (ImageableArea 18 36 594 756): the whole page is drawn scaled by 10 / 10.5 inside that area;
// on a printer that prints the report's page it is drawn as laid out.
TEST_F(ReportPdfTest, APageIsScaledIntoAPrinterAreaItDoesNotFit) {
  // The printer's layout as a print engine keeps it when it refuses margins below its own.
  const QMarginsF printer_margins(0.25, 0.5, 0.25, 0.5);
  QPageLayout printer_layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, printer_margins,
                             QPageLayout::Inch);
  const PagePlacement placement = PlaceOnDevice(printer_layout, printer_margins);
  // From the corner of that layout's paint area at (0.25, 0.5) in.
  EXPECT_NEAR(placement.left, 4.0 / 21, 1e-9);
  EXPECT_NEAR(placement.top, 0, 1e-9);
  EXPECT_NEAR(placement.scale, 20.0 / 21, 1e-9);
  // The same printer accepting the report's own page: from its corner at (0.25, 0.25) in.
  const PagePlacement on_report_page = PlaceOnDevice(ReportPageLayout(), printer_margins);
  EXPECT_NEAR(on_report_page.left, 4.0 / 21, 1e-9);
  EXPECT_NEAR(on_report_page.top, 0.25, 1e-9);
  // A printer that prints the whole paper: as laid out.
  EXPECT_EQ(PlaceOnDevice(ReportPageLayout(), QMarginsF()), (PagePlacement{0, 0, 1}));

  const auto render = [&](const char* name, const QPageLayout& layout,
                          const std::optional<PagePlacement>& where) {
    const QString pdf = PathOf(name);
    {
      QPdfWriter writer(pdf);
      writer.setPageLayout(layout);
      RenderReport(
          writer,
          [&](PrinterSurface& surface) {
            PrintLabyrinthReport(surface, Services(), MakeReportCase(3), MakeLabyData(),
                                 Units(UnitSystem::kEnglish));
          },
          {}, where);
    }
    RunTool(TORVANE_PDFTOPPM, {"-png", "-r", "72", "-singlefile", pdf, PathOf(name)});
    QImage page;
    EXPECT_TRUE(page.load(PathOf(name) + ".png"));
    return InkOf(page);
  };
  const Ink laid_out = render("laid-out", ReportPageLayout(), std::nullopt);
  const Ink same = render("identity", ReportPageLayout(), PagePlacement{0, 0, 1});
  EXPECT_EQ(same.top, laid_out.top);
  EXPECT_EQ(same.bottom, laid_out.bottom);
  EXPECT_EQ(same.left, laid_out.left);
  EXPECT_EQ(same.right, laid_out.right);

  // Drawn as laid out from that layout's corner, the page would run 0.25 in lower, past 10.5 in.
  const Ink shifted = render("shifted", printer_layout, std::nullopt);
  EXPECT_GT(shifted.bottom, 756);

  const Ink scaled = render("scaled", printer_layout, placement);
  EXPECT_GE(scaled.left, 18);
  EXPECT_LE(scaled.right, 594);
  EXPECT_GE(scaled.top, 36);
  EXPECT_LE(scaled.bottom, 756);
  // The same page, scaled about its corner (0.25 in, 0.25 in) and moved to (0.44, 0.5) in.
  const double s = 20.0 / 21;
  const auto on_paper_x = [&](int x) { return (0.25 + 4.0 / 21) * 72 + (x - 18) * s; };
  const auto on_paper_y = [&](int y) { return 0.5 * 72 + (y - 18) * s; };
  EXPECT_NEAR(scaled.top, on_paper_y(laid_out.top), 1.5);
  EXPECT_NEAR(scaled.bottom, on_paper_y(laid_out.bottom), 1.5);
  EXPECT_NEAR(scaled.left, on_paper_x(laid_out.left), 1.5);
  EXPECT_NEAR(scaled.right, on_paper_x(laid_out.right), 1.5);
}

// The comparison of the methods on a second page; the first page reads as without it.
TEST_F(ReportPdfTest, ComparisonPageFollowsTheFirstPage) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});
  LabyData laby = MakeLabyData();
  laby[kPressUp] = 500;
  laby[kTempUp] = 100;
  const UnitChoice units = Units(UnitSystem::kEnglish);
  const MethodComparison comparison = CompareMethods(RecordInputs(laby), units, engine);
  const QString one = PathOf("one.pdf");
  const QString two = PathOf("two.pdf");
  WriteLabyrinthReportPdf(one, Services(), MakeReportCase(3), laby, units);
  WriteReportPdf(two, kLabyrinthReportTitle, [&](PrinterSurface& surface) {
    PrintLabyrinthReportWithComparison(surface, Services(), MakeReportCase(3), laby, units,
                                       comparison);
  });
  const QStringList pages = PdfText(two).split(QChar('\f'), Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(pages[0], PdfText(one).split(QChar('\f'), Qt::SkipEmptyParts).value(0));
  for (const char* expected :
       {"Page 2", "Leakage Methods Compared", "Gamma (cp/cv) 1.297 from the gas, ideal gas",
        "Method", "Leakage (lb/min)", "Program correlation", "Martin-Vermes", "Tooth by tooth",
        "Tooth-by-tooth cavity pressures", "Station", "Pressure (psia)", "Choked at throttle 8"}) {
    EXPECT_TRUE(pages[1].contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << pages[1].toStdString();
  }
  // The plot draws in colour: blue for the profile, red for the downstream pressure.
  RunTool(TORVANE_PDFTOPPM,
          {"-png", "-r", "40", "-f", "2", "-l", "2", "-singlefile", two, PathOf("second")});
  QImage page;
  ASSERT_TRUE(page.load(PathOf("second.png")));
  int blue = 0, red = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.blue() > 120 && c.red() < 80) ++blue;
      if (c.red() > 150 && c.green() < 90 && c.blue() < 90) ++red;
    }
  }
  EXPECT_GT(blue, 20);
  EXPECT_GT(red, 20);
}

TEST_F(ReportPdfTest, SecondReportReusesThePictures) {
  WriteLabyrinthReportPdf(PathOf("a.pdf"), Services(), MakeReportCase(3), MakeLabyData(),
                          Units(UnitSystem::kEnglish));
  const auto header = state_.HeaderPicture;
  const auto footer = state_.FooterPicture;
  ASSERT_NE(header, nullptr);
  WriteLabyrinthReportPdf(PathOf("b.pdf"), Services(), MakeReportCase(30), MakeLabyData(),
                          Units(UnitSystem::kSI));
  EXPECT_EQ(state_.HeaderPicture, header);
  EXPECT_EQ(state_.FooterPicture, footer);
  EXPECT_TRUE(PdfText(PathOf("b.pdf")).contains("Sm3/hr"));
}

TEST_F(ReportPdfTest, FailedReportLeavesAnExistingFileAsItWas) {
  const QString pdf = PathOf("kept.pdf");
  {
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("earlier report");
  }
  QTemporaryDir empty;
  QtPictureLoader missing(empty.path());
  EXPECT_THROW(
      WriteLabyrinthReportPdf(pdf, ReportServices{state_, missing, clock_}, MakeReportCase(3),
                              MakeLabyData(), Units(UnitSystem::kEnglish)),
      PrinterError);
  EXPECT_EQ(ReadAll(pdf), "earlier report");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"kept.pdf"});
  EXPECT_EQ(state_.HeaderPicture, nullptr);

  // The pictures are found again by the next report.
  WriteLabyrinthReportPdf(pdf, Services(), MakeReportCase(3), MakeLabyData(),
                          Units(UnitSystem::kEnglish));
  EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF-"));
}

TEST_F(ReportPdfTest, UnwritableFileIsAPrinterError) {
  EXPECT_THROW(
      WriteLabyrinthReportPdf(PathOf("no/such/folder/r.pdf"), Services(), MakeReportCase(3),
                              MakeLabyData(), Units(UnitSystem::kEnglish)),
      PrinterError);
}

TEST_F(ReportPdfTest, SurfaceMeasuresInTwipsThenInches) {
  QPdfWriter writer(PathOf("measure.pdf"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                   QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
  QtPrinterSurface surface(writer);
  EXPECT_NEAR(surface.PrintableWidth(), 8.0 * 1440, 2);
  surface.SetScaleInches();
  EXPECT_NEAR(surface.PrintableWidth(), 8.0, 0.002);
  surface.SetFontName("Times New Roman");
  surface.SetFontSize(10);
  const double regular = surface.TextWidth("Labyrinth Leakage Results");
  surface.SetFontBold(true);
  const double bold = surface.TextWidth("Labyrinth Leakage Results");
  EXPECT_GT(regular, 1.2);
  EXPECT_LT(regular, 2.2);
  EXPECT_GT(bold, regular);
  surface.SetFontSize(20);
  EXPECT_NEAR(surface.TextWidth("Labyrinth Leakage Results"), 2 * bold, 0.05);
  EXPECT_EQ(surface.PageNumber(), 1);
  surface.SetPosition(1.0, 2.0);
  surface.PrintText("abc");
  EXPECT_GT(surface.CurrentX(), 1.0);
  EXPECT_DOUBLE_EQ(surface.CurrentY(), 2.0);
  surface.DrawLine(1.0, 3.0, 7.5, 3.0, kBlack);
  EXPECT_DOUBLE_EQ(surface.CurrentX(), 7.5);
  EXPECT_DOUBLE_EQ(surface.CurrentY(), 3.0);
  surface.EndDocument();
  EXPECT_THROW(surface.PrintText("after the end"), PrinterError);
}

TEST(ReportPicturesTest, CommittedBitmapsLoadWithTheirAspect) {
  QtPictureLoader loader{QStringLiteral(TORVANE_RESOURCES_DIR)};
  const auto header = loader.Load("qnheader16.bmp");
  const auto footer = loader.Load("qnfooter3.bmp");
  const auto& h = dynamic_cast<const QtReportPicture&>(*header).image();
  const auto& f = dynamic_cast<const QtReportPicture&>(*footer).image();
  EXPECT_NEAR(double(h.width()) / h.height(), 4.4 / 1.2, 0.02);
  EXPECT_NEAR(double(f.width()) / f.height(), 6.0 / 2.11, 0.02);
  EXPECT_GE(h.width(), 600);
  EXPECT_EQ(header->name(), "qnheader16.bmp");
}

TEST(ReportPicturesTest, BitmapsLieBesideTheProgram) {
  QtPictureLoader loader;
  EXPECT_EQ(loader.folder(), QCoreApplication::applicationDirPath());
  EXPECT_NO_THROW(loader.Load("qnheader16.bmp"));
  EXPECT_NO_THROW(loader.Load("qnfooter3.bmp"));
}

TEST(ReportPicturesTest, MissingOrForeignFileIsAPrinterError) {
  QTemporaryDir dir;
  {
    QFile f(dir.filePath("qnheader16.bmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a bitmap");
  }
  QtPictureLoader loader(dir.path());
  EXPECT_THROW(loader.Load("qnheader16.bmp"), PrinterError);
  try {
    loader.Load("qnfooter3.bmp");
    ADD_FAILURE() << "no error";
  } catch (const PrinterError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("/qnfooter3.bmp"));
  }
}

TEST(ReportArtworkTest, SizesAndPalette) {
  const QImage header = DrawHeaderArtwork(100);
  EXPECT_EQ(header.size(), QSize(440, 120));
  const QImage footer = DrawFooterArtwork(100);
  EXPECT_EQ(footer.size(), QSize(600, 211));
  const QImage indexed = ToArtworkPalette(footer);
  EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
  EXPECT_LE(indexed.colorCount(), 256);
  // Paper stays white.
  EXPECT_EQ(indexed.pixel(1, 1), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace torvane
