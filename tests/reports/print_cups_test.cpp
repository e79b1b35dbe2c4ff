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
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "report_test_support.h"
#include "reports/qt/qt_picture_loader.h"
#include "reports/qt/report_output.h"
#include "reports/ui/labyrinth_report_printer.h"

namespace torvane {
namespace {

using testing_support::MakeLabyData;
using testing_support::MakeReportCase;
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

class CupsQueue {
 public:
  // Starts the scheduler and adds the queue; on failure, reason() says why.
  CupsQueue() {
    if (::geteuid() != 0) {
      Fail("the scheduler runs CUPS-PDF only for the superuser");
      return;
    }
    for (const char* needed : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/unshare",
                               "/usr/lib/cups/backend/cups-pdf", "/etc/cups/cups-pdf.conf", kPpd}) {
      if (::access(needed, F_OK) != 0) {
        Fail(std::string(needed) + " is not installed");
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
    const QString added = RunProgram("/usr/sbin/lpadmin",
                                     {"-p", kQueue, "-E", "-v", "cups-pdf:/", "-P", kPpd}, &code);
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

TEST(CupsPrintTest, TheReportPrintsOnItsLetterPageAsANamedJob) {
  CupsQueue cups;
  if (!cups.ready()) GTEST_SKIP() << "no CUPS queue of the test's own: " << cups.reason();

  ReportState state;
  QtPictureLoader pictures{QStringLiteral(TORVANE_RESOURCES_DIR)};
  FixedReportClock clock{ReportDay()};
  RecordingMessageService messages;
  ScriptedPrintDialogRunner dialog;
  ScriptedFileChooser files;
  LabyrinthReportPrinter printer(ReportServices{state, pictures, clock}, messages, dialog, files);
  ReportCase report_case = MakeReportCase(6);
  report_case.settings_file_path.clear();
  // The user picks the queue and, as on most systems, A4 paper.
  dialog.PrepareAcceptPrinter(kQueue, QPageSize(QPageSize::A4));
  ASSERT_EQ(printer.Print(report_case, MakeLabyData(), Units(UnitSystem::kEnglish)),
            ReportOutcome::kPrinted);
  EXPECT_TRUE(messages.messages().empty());

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
  WriteLabyrinthReportPdf(exported, ReportServices{state, pictures, clock}, report_case,
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
  double difference = 0;
  for (int y = 0; y < printed.height(); ++y) {
    for (int x = 0; x < printed.width(); ++x) {
      difference += std::abs(qGray(printed.pixel(x, y)) - qGray(expected.pixel(x, y)));
    }
  }
  difference /= printed.width() * printed.height();
  EXPECT_LT(difference, 4.0) << "mean grey difference per pixel";
  // The page as CUPS-PDF wrote it, for a person to look at.
  const QString shots = qEnvironmentVariable("TORVANE_SCREENSHOT_DIR");
  if (!shots.isEmpty()) {
    QDir().mkpath(shots);
    RunProgram(TORVANE_PDFTOPPM, {"-png", "-r", "80", "-singlefile", QString::fromStdString(pdf),
                                  shots + "/cups-pdf-page"});
  }
}

}  // namespace
}  // namespace torvane
