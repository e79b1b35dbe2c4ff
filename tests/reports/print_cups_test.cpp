// Print through a real CUPS queue: a CUPS scheduler of the test's own (its configuration, spool,
// logs and socket in a scratch folder) with a CUPS-PDF queue added by lpadmin, whose backend
// writes each job as a PDF into the scratch folder. The backend reads its settings from a fixed
// path, /etc/cups/cups-pdf.conf, so the scheduler runs in a mount namespace of its own where the
// test's settings are mounted over that file; nothing outside the scratch folder is touched.
//
// Needs the superuser (the scheduler runs CUPS-PDF as root), unshare, and the packages cups and
// printer-driver-cups-pdf (scripts/setup installs them). Where any is missing, or the scheduler
// does not start, the tests are skipped with the reason.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "report_image_support.h"
#include "report_test_support.h"
#include "reports/qt/qt_picture_loader.h"
#include "reports/qt/report_output.h"
#include "reports/ui/labyrinth_report_printer.h"

namespace torvane {
namespace {

using testing_support::Ink;
using testing_support::InkOf;
using testing_support::MakeLabyData;
using testing_support::MakeReportCase;
using testing_support::MeanGreyDifference;
using testing_support::ReportDay;
using testing_support::Units;

constexpr char kQueue[] = "TorvanePDF";
constexpr char kPpd[] = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

QString RunProgram(const QString& program, const QStringList& args, int* exit_code = nullptr) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  p.waitForFinished(60000);
  if (exit_code) *exit_code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return QString::fromUtf8(p.readAll());
}

// The page as CUPS-PDF wrote it, for a person to look at (with TORVANE_SCREENSHOT_DIR).
void SavePageForAPerson(const std::string& pdf, const QString& name) {
  const QString shots = qEnvironmentVariable("TORVANE_SCREENSHOT_DIR");
  if (shots.isEmpty()) return;
  QDir().mkpath(shots);
  RunProgram(TORVANE_PDFTOPPM,
             {"-png", "-r", "80", "-singlefile", QString::fromStdString(pdf), shots + "/" + name});
}

class CupsQueue {
 public:
  // Starts the scheduler and adds the queue with the printer description ppd (by default
  // CUPS-PDF's own); on failure, reason() says why.
  explicit CupsQueue(std::string ppd = kPpd) {
    if (::geteuid() != 0) {
      Fail("the scheduler runs CUPS-PDF only for the superuser");
      return;
    }
    for (const std::string& needed :
         {std::string("/usr/sbin/cupsd"), std::string("/usr/sbin/lpadmin"),
          std::string("/usr/bin/unshare"), std::string("/usr/lib/cups/backend/cups-pdf"),
          std::string("/etc/cups/cups-pdf.conf"), ppd}) {
      if (::access(needed.c_str(), F_OK) != 0) {
        Fail(needed + " is not installed");
        return;
      }
    }
    if (!scratch_.isValid()) {
      Fail("no scratch folder");
      return;
    }
    const std::string s = scratch_.path().toStdString();
    for (const char* sub : {"etc", "spool/tmp", "cache", "state", "log", "out", "pdf-spool"}) {
      std::filesystem::create_directories(s + "/" + sub);
    }
    std::filesystem::permissions(s, std::filesystem::perms(0755));
    socket_ = s + "/cups.sock";
    WriteText(s + "/etc/cupsd.conf",
              "LogLevel info\nListen " + socket_ +
                  "\nBrowsing Off\nWebInterface No\nDefaultAuthType None\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n"
                  "  </Limit>\n</Policy>\n");
    WriteText(s + "/etc/cups-files.conf",
              "ServerRoot " + s + "/etc\nRequestRoot " + s + "/spool\nTempDir " + s +
                  "/spool/tmp\nCacheDir " + s + "/cache\nStateDir " + s + "/state\nErrorLog " + s +
                  "/log/error_log\nAccessLog " + s + "/log/access_log\nPageLog " + s +
                  "/log/page_log\nSystemGroup root\nUser lp\nGroup lp\nSandboxing Relaxed\n");
    WriteText(s + "/etc/cups-pdf.conf", "Out " + s + "/out\nAnonDirName " + s + "/out\nSpool " + s +
                                            "/pdf-spool\nLog " + s +
                                            "/log\nUserUMask 0022\nGrp root\nTitlePref 1\n");
    out_ = s + "/out";
    page_log_ = s + "/log/page_log";

    pid_ = ::fork();
    if (pid_ == 0) {
      const std::string script = "mount --bind " + s +
                                 "/etc/cups-pdf.conf /etc/cups/cups-pdf.conf" +
                                 " && exec /usr/sbin/cupsd -f -c " + s + "/etc/cupsd.conf -s " + s +
                                 "/etc/cups-files.conf";
      const std::string log = s + "/log/cupsd.out";
      freopen(log.c_str(), "w", stdout);
      freopen(log.c_str(), "a", stderr);
      ::execl("/usr/bin/unshare", "unshare", "--mount", "--propagation", "private", "sh", "-c",
              script.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    if (pid_ < 0) {
      Fail("fork failed");
      return;
    }
    for (int k = 0; k < 100 && !std::filesystem::exists(socket_); ++k) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        {
          Fail("the scheduler stopped: " + Log("cupsd.out"));
          return;
        }
      }
      QThread::msleep(100);
    }
    if (!std::filesystem::exists(socket_)) {
      Fail("the scheduler did not start");
      return;
    }
    // Qt's printing and lpadmin reach the scheduler through its socket.
    qputenv("CUPS_SERVER", QByteArray::fromStdString(socket_));
    int code = 0;
    const QString added = RunProgram(
        "/usr/sbin/lpadmin",
        {"-p", kQueue, "-E", "-v", "cups-pdf:/", "-P", QString::fromStdString(ppd)}, &code);
    if (code != 0) {
      Fail("lpadmin: " + added.toStdString());
      return;
    }
    RunProgram("/usr/sbin/lpadmin", {"-d", kQueue}, &code);
  }
  ~CupsQueue() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  bool ready() const { return reason_.empty(); }
  const std::string& reason() const { return reason_; }

  // The first PDF the backend writes, within 60 seconds.
  std::string WaitForPdf() const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end) {
      for (const auto& e : std::filesystem::directory_iterator(out_)) {
        if (e.path().extension() == ".pdf" && e.file_size() > 0) {
          QThread::msleep(500);  // the backend may still be writing
          return e.path().string();
        }
      }
      QThread::msleep(200);
    }
    return {};
  }
  std::string PageLog() const {
    std::ifstream in(page_log_);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Log(const std::string& name) const {
    std::ifstream in(scratch_.path().toStdString() + "/log/" + name);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  void Fail(std::string reason) { reason_ = std::move(reason); }

  QTemporaryDir scratch_;
  std::string socket_;
  std::string out_;
  std::string page_log_;
  std::string reason_;
  pid_t pid_ = -1;
};

// The report printer with its pictures, a fixed day and scripted dialogs.
struct Printing {
  ReportState state;
  QtPictureLoader pictures{QStringLiteral(TORVANE_RESOURCES_DIR)};
  FixedReportClock clock{ReportDay()};
  RecordingMessageService messages;
  ScriptedPrintDialogRunner dialog;
  ScriptedFileChooser files;
  LabyrinthReportPrinter printer{ReportServices{state, pictures, clock}, messages, dialog, files};
};

TEST(CupsPrintTest, TheReportPrintsOnItsLetterPageAsANamedJob) {
  CupsQueue cups;
  if (!cups.ready()) GTEST_SKIP() << "no CUPS queue of the test's own: " << cups.reason();

  Printing p;
  ReportCase report_case = MakeReportCase(6);
  report_case.settings_file_path.clear();
  // The user picks the queue and, as on most systems, A4 paper.
  p.dialog.PrepareAcceptPrinter(kQueue, QPageSize(QPageSize::A4));
  ASSERT_EQ(p.printer.Print(report_case, MakeLabyData(), Units(UnitSystem::kEnglish)),
            ReportOutcome::kPrinted);
  EXPECT_TRUE(p.messages.messages().empty());

  const std::string pdf = cups.WaitForPdf();
  ASSERT_FALSE(pdf.empty()) << cups.Log("error_log");
  EXPECT_NE(pdf.find("Torvane_-_Labyrinth_Leakage_Results"), std::string::npos) << pdf;
  EXPECT_NE(cups.PageLog().find(" Torvane - Labyrinth Leakage Results "), std::string::npos)
      << cups.PageLog();
  const QString info = RunProgram("pdfinfo", {QString::fromStdString(pdf)});
  EXPECT_TRUE(info.contains(QRegularExpression("Page size: +612 x 792 pts \\(letter\\)")))
      << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Pages: +1\n")));
  EXPECT_TRUE(info.contains(QRegularExpression("Title: +\\(?Torvane - Labyrinth Leakage Results")))
      << info.toStdString();
  // CUPS-PDF's fonts carry no text, so the page is compared with the same report exported as a
  // PDF: rendered small, the two pictures agree but for the smoothing of edges. A page scaled
  // or moved to fit other paper would not.
  QTemporaryDir work;
  const QString exported = work.filePath("exported.pdf");
  WriteLabyrinthReportPdf(exported, ReportServices{p.state, p.pictures, p.clock}, report_case,
                          MakeLabyData(), Units(UnitSystem::kEnglish));
  const auto render = [&](const QString& from, const QString& name) {
    RunProgram(TORVANE_PDFTOPPM,
               {"-png", "-gray", "-r", "30", "-singlefile", from, work.filePath(name)});
    return QImage(work.filePath(name + ".png")).convertToFormat(QImage::Format_Grayscale8);
  };
  const QImage printed = render(QString::fromStdString(pdf), "printed");
  const QImage expected = render(exported, "expected");
  ASSERT_FALSE(printed.isNull());
  ASSERT_EQ(printed.size(), expected.size());
  EXPECT_LT(MeanGreyDifference(printed, expected), 4.0) << "mean grey difference per pixel";
  SavePageForAPerson(pdf, "cups-pdf-page");
}

// CUPS-PDF's description with a printable area of 18 36 594 756 points on Letter paper (0.25 in
// at the sides, 0.5 in at top and bottom; also for its twin ANSI A, which Qt may take for
// Letter), written into folder.
std::string WideMarginsPpd(const QString& folder) {
  std::ifstream in(kPpd);
  std::string ppd((std::istreambuf_iterator<char>(in)), {});
  int changed = 0;
  for (const std::string size : {"Letter/US Letter", "AnsiA/ANSI A"}) {
    const std::string area = "*ImageableArea " + size + ": \"0 0 612 792\"";
    const auto at = ppd.find(area);
    if (at == std::string::npos) continue;
    ppd.replace(at, area.size(), "*ImageableArea " + size + ": \"18 36 594 756\"");
    ++changed;
  }
  if (changed == 0) return {};
  const std::string hw = "*HWMargins: 0 0 0 0";
  if (const auto h = ppd.find(hw); h != std::string::npos) {
    ppd.replace(h, hw.size(), "*HWMargins: 18 36 18 36");
  }
  const std::string path = folder.toStdString() + "/wide-margins.ppd";
  WriteText(path, ppd);
  return path;
}

// A queue that prints only inside 18 36 594 756: the report comes out whole, the page scaled
// by 10 / 10.5 into that area, the same as the report drawn so on a PDF of its own.
TEST(CupsPrintTest, TheReportKeepsInsideThePrintableAreaOfTheQueue) {
  QTemporaryDir ppd_folder;
  const std::string ppd = WideMarginsPpd(ppd_folder.path());
  if (ppd.empty()) GTEST_SKIP() << kPpd << " has no Letter imageable area to change";
  CupsQueue cups(ppd);
  if (!cups.ready()) GTEST_SKIP() << "no CUPS queue of the test's own: " << cups.reason();

  Printing p;
  const ReportCase report_case = MakeReportCase(6);
  p.dialog.PrepareAcceptPrinter(kQueue);
  ASSERT_EQ(p.printer.Print(report_case, MakeLabyData(), Units(UnitSystem::kEnglish)),
            ReportOutcome::kPrinted);
  EXPECT_TRUE(p.messages.messages().empty());
  const std::string pdf = cups.WaitForPdf();
  ASSERT_FALSE(pdf.empty()) << cups.Log("error_log");

  QTemporaryDir work;
  const auto render = [&](const QString& from, const QString& name, const char* dpi) {
    RunProgram(TORVANE_PDFTOPPM,
               {"-png", "-gray", "-r", dpi, "-singlefile", from, work.filePath(name)});
    return QImage(work.filePath(name + ".png")).convertToFormat(QImage::Format_Grayscale8);
  };
  const QImage printed = render(QString::fromStdString(pdf), "printed", "72");
  ASSERT_EQ(printed.size(), QSize(612, 792));
  const Ink ink = InkOf(printed);
  EXPECT_GE(ink.left, 18);
  EXPECT_LE(ink.right, 594);
  EXPECT_GE(ink.top, 36);
  EXPECT_LE(ink.bottom, 756);

  // The same page drawn scaled into that area on a PDF of our own agrees with the printed one.
  const QString expected_pdf = work.filePath("expected.pdf");
  {
    QPdfWriter writer(expected_pdf);
    writer.setPageLayout(ReportPageLayout());
    ReportState expected_state;
    RenderReport(
        writer,
        [&](PrinterSurface& surface) {
          PrintLabyrinthReport(surface, ReportServices{expected_state, p.pictures, p.clock},
                               report_case, MakeLabyData(), Units(UnitSystem::kEnglish));
        },
        {}, PagePlacement{4.0 / 21, 0.25, 20.0 / 21});
  }
  const QImage expected = render(expected_pdf, "expected", "72");
  const Ink expected_ink = InkOf(expected);
  EXPECT_NEAR(ink.top, expected_ink.top, 2);
  EXPECT_NEAR(ink.bottom, expected_ink.bottom, 2);
  EXPECT_NEAR(ink.left, expected_ink.left, 2);
  EXPECT_NEAR(ink.right, expected_ink.right, 2);
  const QImage small_printed = render(QString::fromStdString(pdf), "printed-small", "30");
  const QImage small_expected = render(expected_pdf, "expected-small", "30");
  ASSERT_EQ(small_printed.size(), small_expected.size());
  EXPECT_LT(MeanGreyDifference(small_printed, small_expected), 4.0)
      << "mean grey difference per pixel";
  SavePageForAPerson(pdf, "cups-pdf-wide-margins-page");
}

}  // namespace
}  // namespace torvane
