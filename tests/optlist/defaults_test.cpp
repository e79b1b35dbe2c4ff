// The defaults file KV4WIN.INI: where it is looked for, what a new control takes from it, what
// it ignores, and writing it back.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QStandardPaths>
#include <csignal>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_colors.h"
#include "orvell/orvell_defaults.h"
#include "orvell/orvell_list.h"
#include "orvell/property_page.h"

namespace {

using orvell::OrvellList;

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

// Two candidate folders of their own for each test; the test main's setting comes back after.
class OrvellDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = orvell::DefaultsFileSearchPaths();
    first_ = QDir(orvell_test::NewScratchFolder()).filePath(QStringLiteral("KV4WIN.INI"));
    second_ = QDir(orvell_test::NewScratchFolder()).filePath(QStringLiteral("KV4WIN.INI"));
    orvell::SetDefaultsFileSearchPaths({first_, second_});
  }
  void TearDown() override { orvell::SetDefaultsFileSearchPaths(saved_); }

  QStringList saved_;
  QString first_;
  QString second_;
};

TEST_F(OrvellDefaultsTest, ANewControlTakesEveryKeyOfTheSection) {
  WriteFile(first_,
            "; defaults of the option lists\r\n"
            "[Other]\r\n"
            "Spacing=99\r\n"
            "\r\n"
            "[Orvell]\r\n"
            "BorderStyle=0\r\n"
            "ThreeD=0\r\n"
            "BorderEffect=2\r\n"
            "LeftMargin=20\r\n"
            "TopMargin = 24\r\n"
            "Spacing=18\r\n"
            "ListIndex=1\r\n"
            "Align=2\r\n"
            "ItemAlign=1\r\n"
            "ItemGap=6\r\n"
            "ShadowColor=255\r\n"
            "ItemForeColor=&H80000008&\r\n"
            "BackColor=-2147483643\r\n"
            "ForeColor=0x80000008\r\n"
            "MousePointer=2\r\n"
            "FontName=Liberation Serif\r\n"
            "FontSize=10\r\n"
            "FontBold=1\r\n"
            "FontItalic=-1\r\n"
            "FontUnderline=0\r\n"
            "FontStrikethru=true\r\n"
            "ItemFontName=\"Liberation Mono\"\r\n"
            "ItemFontSize=huge\r\n"
            "ItemFontBold=0\r\n");
  OrvellList list;
  EXPECT_EQ(list.BorderStyle(), 0);
  EXPECT_FALSE(list.ThreeD());
  EXPECT_EQ(list.BorderEffect(), 2);
  EXPECT_EQ(list.LeftMargin(), 20);
  EXPECT_EQ(list.TopMargin(), 24);
  EXPECT_EQ(list.Spacing(), 18);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Alignment(), 2);
  EXPECT_EQ(list.ItemAlignment(), 1);
  EXPECT_EQ(list.ItemGap(), 6);
  EXPECT_EQ(list.ShadowColor(), 255u);
  EXPECT_EQ(list.ItemForeColor(), orvell::kWindowText);
  EXPECT_EQ(list.BackColor(), orvell::kWindowBackground);
  EXPECT_EQ(list.ForeColor(), orvell::kWindowText);
  EXPECT_EQ(list.MousePointer(), 2);
  EXPECT_EQ(list.Font().family(), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(list.Font().pointSizeF(), 10.0);
  EXPECT_TRUE(list.Font().bold());
  EXPECT_TRUE(list.Font().italic());
  EXPECT_FALSE(list.Font().underline());
  EXPECT_TRUE(list.Font().strikeOut());
  EXPECT_EQ(list.ItemFont().family(), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(list.ItemFont().pointSizeF(), 8.0);
  EXPECT_FALSE(list.IsModified());
  // Keys the file does not give keep the table's values.
  EXPECT_EQ(list.Caption(), QStringLiteral("OrvellList 1"));
  EXPECT_EQ(list.ToolTip(), QString());
  // The index waits for its items.
  EXPECT_INVALID_PROPERTY(list.Value(), "Invalid index.");
  list.setContents(QStringLiteral("0;Stepped\r\n1;Straight"));
  EXPECT_EQ(list.Value(), QStringLiteral("1"));
}

TEST_F(OrvellDefaultsTest, SectionAndKeyNamesIgnoreCaseAndTheFirstKeyWins) {
  WriteFile(first_, "[orvell]\nspacing=22\nSPACING=30\nitemgap=0\n");
  OrvellList list;
  EXPECT_EQ(list.Spacing(), 22);
  EXPECT_EQ(list.ItemGap(), 0);
}

TEST_F(OrvellDefaultsTest, UnreadableValuesKeepTheInitialValues) {
  WriteFile(first_,
            "[Orvell]\n"
            "BorderStyle=7\nThreeD=2\nBorderEffect=-1\nLeftMargin=wide\nTopMargin=1.5\n"
            "Spacing=0\nListIndex=-5\nAlign=abc\nItemAlign=3\nItemGap=-1\n"
            "ShadowColor=purple\nItemForeColor=4294967296\nBackColor=\nForeColor=#12\n"
            "MousePointer=16\nFontName=\nFontSize=-4\nFontBold=maybe\n");
  OrvellList list;
  EXPECT_EQ(list.BorderStyle(), 1);
  EXPECT_TRUE(list.ThreeD());
  EXPECT_EQ(list.BorderEffect(), 4);
  EXPECT_EQ(list.LeftMargin(), 16);
  EXPECT_EQ(list.TopMargin(), 20);
  EXPECT_EQ(list.Spacing(), 16);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Alignment(), 0);
  EXPECT_EQ(list.ItemAlignment(), 0);
  EXPECT_EQ(list.ItemGap(), 4);
  EXPECT_EQ(list.ShadowColor(), 0u);
  EXPECT_EQ(list.ItemForeColor(), orvell::kButtonText);
  EXPECT_EQ(list.BackColor(), orvell::kButtonFace);
  EXPECT_EQ(list.ForeColor(), orvell::kButtonText);
  EXPECT_EQ(list.MousePointer(), 0);
  EXPECT_EQ(list.Font().family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(list.Font().pointSizeF(), 8.0);
  EXPECT_FALSE(list.Font().bold());
}

TEST_F(OrvellDefaultsTest, TheFirstFileFoundWins) {
  WriteFile(second_, "[Orvell]\nSpacing=25\n");
  EXPECT_EQ(OrvellList().Spacing(), 25);
  WriteFile(first_, "[Orvell]\nItemGap=7\n");
  OrvellList list;
  EXPECT_EQ(list.ItemGap(), 7);
  EXPECT_EQ(list.Spacing(), 16);  // the second file is not read at all
}

TEST_F(OrvellDefaultsTest, AFileBeyond64KiBOrAFolderInItsPlaceIsPassedOver) {
  QByteArray big = "[Orvell]\nSpacing=40\n";
  big.append(QByteArray(70 * 1024, ';'));
  WriteFile(first_, big);
  EXPECT_EQ(OrvellList().Spacing(), 16);
  QFile::remove(first_);
  QDir().mkpath(first_);
  WriteFile(second_, "[Orvell]\nSpacing=41\n");
  EXPECT_EQ(OrvellList().Spacing(), 41);
}

TEST_F(OrvellDefaultsTest, SaveAsDefaultsWritesTheKeysToTheFirstCandidate) {
  OrvellList list;
  list.setSpacing(19);
  list.setThreeD(false);
  QString error;
  ASSERT_TRUE(list.SaveAsDefaults(&error)) << error.toStdString();
  EXPECT_EQ(ReadFile(first_),
            "[Orvell]\n"
            "BorderStyle=1\n"
            "ThreeD=0\n"
            "BorderEffect=0\n"
            "LeftMargin=16\n"
            "TopMargin=20\n"
            "Spacing=19\n"
            "ListIndex=-1\n"
            "Align=0\n"
            "ItemAlign=0\n"
            "ItemGap=4\n"
            "ShadowColor=0\n"
            "ItemForeColor=2147483656\n"
            "BackColor=2147483653\n"
            "ForeColor=2147483656\n"
            "MousePointer=0\n"
            "FontName=MS Sans Serif\n"
            "FontSize=8\n"
            "FontBold=0\n"
            "FontItalic=0\n"
            "FontUnderline=0\n"
            "FontStrikethru=0\n"
            "ItemFontName=MS Sans Serif\n"
            "ItemFontSize=8\n"
            "ItemFontBold=0\n"
            "ItemFontItalic=0\n"
            "ItemFontUnderline=0\n"
            "ItemFontStrikethru=0\n");
  OrvellList next;
  EXPECT_EQ(next.Spacing(), 19);
  EXPECT_FALSE(next.ThreeD());
  EXPECT_EQ(next.BackColor(), orvell::kWindowBackground);
}

TEST_F(OrvellDefaultsTest, SaveAsDefaultsKeepsEveryOtherLineAndTheLineEnds) {
  WriteFile(first_,
            "; my settings\r\n"
            "[Other]\r\n"
            "Spacing=99\r\n"
            "\r\n"
            "[ORVELL]\r\n"
            "spacing = 30\r\n"
            "Comment=kept\r\n"
            "\r\n"
            "[Last]\r\n"
            "x=1\r\n");
  OrvellList list;
  EXPECT_EQ(list.Spacing(), 30);
  list.setSpacing(12);
  ASSERT_TRUE(list.SaveAsDefaults());
  const QByteArray text = ReadFile(first_);
  EXPECT_TRUE(
      text.startsWith("; my settings\r\n[Other]\r\nSpacing=99\r\n\r\n[ORVELL]\r\n"
                      "spacing=12\r\nComment=kept\r\nBorderStyle=1\r\n"))
      << text.toStdString();
  EXPECT_TRUE(text.endsWith("ItemFontStrikethru=0\r\n\r\n[Last]\r\nx=1\r\n")) << text.toStdString();
  EXPECT_EQ(text.count("\n"), text.count("\r\n"));
  EXPECT_EQ(text.count("pacing"), 2);
}

TEST_F(OrvellDefaultsTest, AFailedWriteSaysWhyAndChangesNothing) {
  // The folder of the file is a file.
  const QString blocker = QDir(orvell_test::NewScratchFolder()).filePath(QStringLiteral("f"));
  WriteFile(blocker, "x");
  orvell::SetDefaultsFileSearchPaths({blocker + QStringLiteral("/KV4WIN.INI")});
  OrvellList list;
  QString error;
  EXPECT_FALSE(list.SaveAsDefaults(&error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(ReadFile(blocker), "x");
  // An existing file too large to be a defaults file is not overwritten.
  WriteFile(first_, QByteArray(70 * 1024, ';'));
  orvell::SetDefaultsFileSearchPaths({first_});
  EXPECT_FALSE(list.SaveAsDefaults(&error));
  EXPECT_EQ(ReadFile(first_).size(), 70 * 1024);
}

TEST_F(OrvellDefaultsTest, SaveAsDefaultsRewritesOnlyTheKeysThatChangeByteForByte) {
  // Windows-1252 text, all three line ends, a key already holding its value in its own
  // spelling, and a last line without a line end.
  const QByteArray before =
      "; Schriftgr\xF6\xDF"
      "e \x84"
      "Orvell\x93\r\n"
      "[Other]\n"
      "Name=Caf\xE9\r"
      "[Orvell]\r\n"
      "  spacing =  16  \r\n"
      "ItemGap=2\n"
      "FontName=Caf\xE9 Sans\r\n"
      "x=\xA9 1998";
  WriteFile(first_, before);
  OrvellList list;
  // The font name reads as Windows-1252, not as replacement characters.
  EXPECT_EQ(list.Font().family(), QStringLiteral(u"Caf\u00E9 Sans"));
  EXPECT_EQ(list.ItemGap(), 2);
  list.setItemGap(5);
  ASSERT_TRUE(list.SaveAsDefaults());
  const QByteArray after = ReadFile(first_);
  // The same bytes but for the changed value, the last line ended, then the keys not there.
  QByteArray kept = before;
  kept.replace("ItemGap=2\n", "ItemGap=5\n");
  EXPECT_TRUE(after.startsWith(kept + "\r\nBorderStyle=1\r\n")) << after.toStdString();
  EXPECT_TRUE(after.endsWith("ItemFontStrikethru=0\r\n")) << after.toStdString();
  EXPECT_EQ(after.count("pacing"), 1);
  EXPECT_EQ(after.count("FontName="), 2);
}

TEST_F(OrvellDefaultsTest, FontNamesWithBlanksOrQuotesAtTheirEndsReadBack) {
  OrvellList list;
  QFont font = list.Font();
  font.setFamily(QStringLiteral(" Liberation Sans "));
  list.setFont(font);
  QFont item_font = list.ItemFont();
  item_font.setFamily(QStringLiteral("\"Quoted\""));
  list.setItemFont(item_font);
  ASSERT_EQ(list.Font().family(), QStringLiteral(" Liberation Sans "));
  ASSERT_TRUE(list.SaveAsDefaults());
  const QByteArray text = ReadFile(first_);
  EXPECT_TRUE(text.contains("\nFontName=\" Liberation Sans \"\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("\nItemFontName=\"\"Quoted\"\"\n")) << text.toStdString();
  OrvellList next;
  EXPECT_EQ(next.Font().family(), QStringLiteral(" Liberation Sans "));
  EXPECT_EQ(next.ItemFont().family(), QStringLiteral("\"Quoted\""));
  // Saved again unchanged, the file stays as it is.
  ASSERT_TRUE(next.SaveAsDefaults());
  EXPECT_EQ(ReadFile(first_), text);
}

// Lowers the largest file this process may write, as a full disk would stop a write.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit previous_{};
  void (*previous_handler_)(int) = nullptr;
};

TEST_F(OrvellDefaultsTest, AWriteThatFailsMidwayKeepsTheOldFileAndSaysSo) {
  const QByteArray before = "[Orvell]\r\nSpacing=30\r\n; kept\r\n";
  WriteFile(first_, before);
  QFile::setPermissions(first_, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
  OrvellList list;
  list.setSpacing(12);
  QString error;
  {
    const FileSizeLimit limit(64);
    EXPECT_FALSE(list.SaveAsDefaults(&error));
  }
  EXPECT_EQ(error, QStringLiteral("%1 could not be written (File too large); it is left as it "
                                  "was.")
                       .arg(first_));
  EXPECT_EQ(ReadFile(first_), before);
  // The property page's "Save as Defaults" shows it.
  {
    orvell::OrvellPropertyPage page(&list);
    const FileSizeLimit limit(64);
    EXPECT_FALSE(page.SaveDefaults());
    EXPECT_EQ(page.Message(), QStringLiteral("The defaults could not be saved: ") + error);
  }
  EXPECT_EQ(ReadFile(first_), before);
  // No temporary file is left behind.
  EXPECT_EQ(QDir(QFileInfo(first_).absolutePath()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("KV4WIN.INI")});
  // Written once the disk has room again, the file keeps its permissions.
  ASSERT_TRUE(list.SaveAsDefaults(&error)) << error.toStdString();
  EXPECT_TRUE(ReadFile(first_).startsWith("[Orvell]\r\nSpacing=12\r\n; kept\r\nBorderStyle=1\r\n"));
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(first_).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(OrvellDefaultsTest, AFifoInPlaceOfTheFileIsPassedOverNotWaitedFor) {
  ASSERT_EQ(mkfifo(QFile::encodeName(first_).constData(), 0600), 0);
  WriteFile(second_, "[Orvell]\nSpacing=41\n");
  OrvellList list;  // would wait for a writer if the FIFO were opened
  EXPECT_EQ(list.Spacing(), 41);
  QString error;
  EXPECT_FALSE(list.SaveAsDefaults(&error));
  EXPECT_EQ(error, QStringLiteral("%1 cannot be read.").arg(first_));
  EXPECT_FALSE(QFileInfo(first_).isFile());
}

TEST_F(OrvellDefaultsTest, SavingThroughALinkWritesTheFileItNames) {
  const QString real = QDir(orvell_test::NewScratchFolder()).filePath(QStringLiteral("real.ini"));
  WriteFile(real, "[Orvell]\nSpacing=30\n");
  ASSERT_TRUE(QFile::link(real, first_));
  OrvellList list;
  list.setSpacing(12);
  ASSERT_TRUE(list.SaveAsDefaults());
  EXPECT_TRUE(QFileInfo(first_).isSymLink());
  EXPECT_TRUE(ReadFile(real).startsWith("[Orvell]\nSpacing=12\n"));
}

// Everything in a folder, hidden names included, sorted.
QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST_F(OrvellDefaultsTest, AFileWithoutWritePermissionIsRefusedEvenForTheSuperuser) {
  const QByteArray before = "[Orvell]\r\nSpacing=30\r\n";
  const QString other = QDir(orvell_test::NewScratchFolder()).filePath(QStringLiteral("my.ini"));
  for (const QString& path : {first_, other}) {
    SCOPED_TRACE(path.toStdString());
    WriteFile(path, before);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    orvell::SetDefaultsFileSearchPaths({path});
    OrvellList list;
    list.setSpacing(12);
    QString error;
    EXPECT_FALSE(list.SaveAsDefaults(&error));
    EXPECT_EQ(error, QStringLiteral("%1 is read-only; it is left as it was.").arg(path));
    orvell::OrvellPropertyPage page(&list);
    EXPECT_FALSE(page.SaveDefaults());
    EXPECT_EQ(page.Message(), QStringLiteral("The defaults could not be saved: ") + error);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(Entries(QFileInfo(path).absolutePath()), QStringList{QFileInfo(path).fileName()});
  }
}

// A folder of the ordinary user's own under /tmp (the scratch folder is the superuser's alone),
// removed with the object.
class OrdinaryUserFolder {
 public:
  OrdinaryUserFolder() {
    char name[] = "/tmp/orvell-user-XXXXXX";
    if (::mkdtemp(name) == nullptr) return;
    path_ = QString::fromLocal8Bit(name);
    if (::geteuid() == 0) {
      EXPECT_EQ(::chown(name, orvell_test::kOrdinaryUserId, orvell_test::kOrdinaryUserId), 0);
    }
  }
  ~OrdinaryUserFolder() {
    if (!path_.isEmpty()) QDir(path_).removeRecursively();
  }
  const QString& path() const { return path_; }
  QString File(const char* name) const { return QDir(path_).filePath(QString::fromLatin1(name)); }

 private:
  QString path_;
};

// As an ordinary user in a folder of their own, which would let them replace any file in it: a
// defaults file of another owner that they may not write is refused, as is their own read-only
// file, and their own writable file is saved.
TEST_F(OrvellDefaultsTest, AsAUserAFileTheyMayNotWriteIsRefused) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "a file of another owner in the user's folder needs the superuser to make";
  }
  const OrdinaryUserFolder folder;
  ASSERT_FALSE(folder.path().isEmpty());
  const QByteArray before = "[Orvell]\r\nSpacing=30\r\n";
  struct Case {
    const char* name;
    uid_t owner;
    mode_t mode;
  };
  const Case cases[] = {{"KV4WIN.INI", 0, 0644},
                        {"mine-locked.ini", orvell_test::kOrdinaryUserId, 0444},
                        {"mine.ini", orvell_test::kOrdinaryUserId, 0644}};
  for (const Case& c : cases) {
    const QByteArray path = QFile::encodeName(folder.File(c.name));
    WriteFile(folder.File(c.name), before);
    ASSERT_EQ(::chown(path.constData(), c.owner, c.owner), 0);
    ASSERT_EQ(::chmod(path.constData(), c.mode), 0);
  }
  OrvellList list;
  list.setSpacing(12);
  const std::string answers = orvell_test::AsOrdinaryUser([&] {
    std::string text;
    for (const Case& c : cases) {
      orvell::SetDefaultsFileSearchPaths({folder.File(c.name)});
      QString error;
      const bool saved = list.SaveAsDefaults(&error);
      text += std::string(c.name) + (saved ? ": saved" : ": " + error.toStdString()) + "\n";
    }
    return text;
  });
  const std::string shown = folder.path().toStdString();
  EXPECT_EQ(answers, "KV4WIN.INI: " + shown + "/KV4WIN.INI is read-only; it is left as it was.\n" +
                         "mine-locked.ini: " + shown +
                         "/mine-locked.ini is read-only; it is left as it was.\n" +
                         "mine.ini: saved\n");
  EXPECT_EQ(ReadFile(folder.File("KV4WIN.INI")), before);
  EXPECT_EQ(ReadFile(folder.File("mine-locked.ini")), before);
  EXPECT_TRUE(ReadFile(folder.File("mine.ini")).startsWith("[Orvell]\r\nSpacing=12\r\n"));
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(folder.File("KV4WIN.INI")).constData(), &status), 0);
  EXPECT_EQ(status.st_uid, 0u);
  EXPECT_EQ(Entries(folder.path()), (QStringList{"KV4WIN.INI", "mine-locked.ini", "mine.ini"}));
}

TEST_F(OrvellDefaultsTest, TemporariesOfKilledSavesGoWithTheNextSave) {
  const QString folder = QFileInfo(first_).absolutePath();
  WriteFile(first_, "[Orvell]\nSpacing=30\n");
  const auto file = [&](const char* name) {
    return QDir(folder).filePath(QString::fromLatin1(name));
  };
  // Left by killed saves of the file (a random 32-bit number in base 36), and files of other
  // names, a folder and a link of the file's naming.
  for (const char* name :
       {"KV4WIN.INI.1z141z3.tmp", "KV4WIN.INI.0.tmp", "KV4WIN.INI.k3x.tmp", "KV4WIN.INI.K3X.tmp",
        "KV4WIN.INI.12345678.tmp", "KV4WIN.INI..tmp", "KV4WIN.INI.k3x.tmp.x", "KV4WIN.INI.k3x",
        "OTHER.INI.k3x.tmp", ".KV4WIN.INI.k3x.tmp"}) {
    WriteFile(file(name), "x");
  }
  ASSERT_TRUE(QDir().mkpath(file("KV4WIN.INI.dir.tmp")));
  ASSERT_TRUE(QFile::link(file("KV4WIN.INI.k3x"), file("KV4WIN.INI.lnk.tmp")));
  // A save of the file in progress holds a lock on its temporary file.
  WriteFile(file("KV4WIN.INI.busy.tmp"), "x");
  const int busy = ::open(QFile::encodeName(file("KV4WIN.INI.busy.tmp")).constData(), O_RDONLY);
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);

  OrvellList list;
  list.setSpacing(12);
  QString error;
  ASSERT_TRUE(list.SaveAsDefaults(&error)) << error.toStdString();
  ::close(busy);
  EXPECT_EQ(Entries(folder),
            (QStringList{".KV4WIN.INI.k3x.tmp", "KV4WIN.INI", "KV4WIN.INI..tmp",
                         "KV4WIN.INI.12345678.tmp", "KV4WIN.INI.K3X.tmp", "KV4WIN.INI.busy.tmp",
                         "KV4WIN.INI.dir.tmp", "KV4WIN.INI.k3x", "KV4WIN.INI.k3x.tmp.x",
                         "KV4WIN.INI.lnk.tmp", "OTHER.INI.k3x.tmp"}));
  EXPECT_EQ(ReadFile(file("KV4WIN.INI.k3x")), "x");

  // A failed save removes nothing.
  WriteFile(file("KV4WIN.INI.q1w2.tmp"), "x");
  ASSERT_EQ(::chmod(QFile::encodeName(first_).constData(), 0444), 0);
  EXPECT_FALSE(list.SaveAsDefaults());
  EXPECT_TRUE(QFileInfo::exists(file("KV4WIN.INI.q1w2.tmp")));
}

TEST(OrvellDefaultsLocationTest, TheUserConfigurationFolderComesFirstThenTheLibraryAndProgram) {
  const QStringList saved = orvell::DefaultsFileSearchPaths();
  orvell::SetDefaultsFileSearchPaths({});
  const QStringList paths = orvell::DefaultsFileSearchPaths();
  orvell::SetDefaultsFileSearchPaths(saved);
  ASSERT_GE(paths.size(), 2);
  EXPECT_EQ(paths.first(),
            QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                .absoluteFilePath(QStringLiteral("KV4WIN.INI")));
  for (const QString& path : paths) EXPECT_TRUE(path.endsWith(QStringLiteral("/KV4WIN.INI")));
  EXPECT_TRUE(paths.contains(
      QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("KV4WIN.INI"))));
  EXPECT_EQ(orvell::DefaultsFileWritePath(), saved.first());
}

}  // namespace
