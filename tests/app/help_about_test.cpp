#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "app/about_box.h"
#include "app/help_window.h"
#include "platform/message_service.h"
#include "support/screenshot.h"

namespace torvane {
namespace {

TEST(HelpWindowTest, ContextsOpenTheirPages) {
  HelpWindow help(TORVANE_HELP_FILE);
  ASSERT_TRUE(help.help_file_found());
  help.ShowContext(kHelpContentsContext);
  EXPECT_TRUE(help.browser()->source().toString().endsWith("contents.html"));
  EXPECT_TRUE(help.browser()->toPlainText().contains("Torvane Help"));
  help.ShowContext(kHelpSupportContext);
  EXPECT_TRUE(help.browser()->toPlainText().contains("Obtaining technical support"));
}

TEST(HelpWindowTest, SearchFiltersKeywordsAsTheUserTypes) {
  HelpWindow help(TORVANE_HELP_FILE);
  help.show();
  help.ShowSearch();
  EXPECT_TRUE(help.index_panel()->isVisible());
  const int all = help.keyword_list()->count();
  EXPECT_GT(all, 40);
  QTest::keyClicks(help.search_box(), "satu");
  ASSERT_EQ(help.keyword_list()->count(), 1);
  EXPECT_EQ(help.keyword_list()->item(0)->text(), "Saturation temperature");
  QTest::keyClick(help.search_box(), Qt::Key_Return);
  EXPECT_TRUE(help.browser()->source().toString().endsWith("labyrinth.html"));
  testing::SaveScreenshot(help, "help-search");
  help.search_box()->clear();
  EXPECT_EQ(help.keyword_list()->count(), all);
}

TEST(HelpWindowTest, LeakageMethodsPageFromTheIndex) {
  HelpWindow help(TORVANE_HELP_FILE);
  help.resize(760, 700);
  help.show();
  help.ShowSearch();
  QTest::keyClicks(help.search_box(), "zimm");
  ASSERT_EQ(help.keyword_list()->count(), 1);
  EXPECT_EQ(help.keyword_list()->item(0)->text(), "Zimmermann-Wolff ratio");
  QTest::keyClick(help.search_box(), Qt::Key_Return);
  EXPECT_TRUE(help.browser()->source().toString().endsWith("methods.html"));
  const QString text = help.browser()->toPlainText();
  for (const char* expected :
       {"Leakage methods", "Compare Methods...", "Program correlation", "Martin-Vermes",
        "Tooth by tooth", "Zimmermann-Wolff ratio", "Validity", "Sources"}) {
    EXPECT_TRUE(text.contains(expected)) << expected;
  }
  testing::SaveScreenshot(help, "help-methods");
}

TEST(HelpWindowTest, MissingHelpFileIsReportedInTheWindow) {
  HelpWindow help("/nonexistent/Torvane.HLP");
  EXPECT_FALSE(help.help_file_found());
  help.ShowContext(kHelpContentsContext);
  EXPECT_TRUE(help.browser()->toPlainText().contains(
      "The help file /nonexistent/Torvane.HLP cannot be found."));
  help.ShowSearch();
  EXPECT_EQ(help.keyword_list()->count(), 0);
}

TEST(AboutBoxTest, ShowsTitleVersionAndTexts) {
  RecordingMessageService messages;
  AboutBox about("Version 8.0.2", messages);
  EXPECT_EQ(about.windowTitle(), QString::fromUtf8("About Torvane \xC2\xAE"));
  EXPECT_EQ(about.findChild<QLabel*>("lblTitle")->text(), QString::fromUtf8("Torvane \xC2\xAE"));
  EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Version 8.0.2");
  EXPECT_TRUE(about.findChild<QLabel*>("lblDescription")->text().startsWith("Quillon , Inc."));
  EXPECT_TRUE(about.findChild<QLabel*>("lblDescription")->text().contains('\n'));
  EXPECT_FALSE(about.findChild<QLabel*>("lblDisclaimer")->text().isEmpty());
  EXPECT_EQ(about.sys_info_button()->text(), "&System Info...");
  about.show();
  testing::SaveScreenshot(about, "about-box");
}

TEST(AboutBoxTest, SystemInfoUnavailableIsSaidOnce) {
  RecordingMessageService messages;
  AboutBox about("Version 8.0.2", messages, nullptr, [] { return std::optional<std::string>(); });
  QTest::mouseClick(about.sys_info_button(), Qt::LeftButton);
  EXPECT_EQ(messages.texts(),
            std::vector<std::string>{"System Information Is Unavailable At This Time"});

  RecordingMessageService quiet;
  std::string started;
  AboutBox found(
      "Version 8.0.2", quiet, nullptr,
      [] { return std::optional<std::string>("/usr/bin/hardinfo"); },
      [&](const std::string& p) {
        started = p;
        return true;
      });
  found.StartSystemInfo();
  EXPECT_EQ(started, "/usr/bin/hardinfo");
  EXPECT_TRUE(quiet.messages().empty());
}

}  // namespace
}  // namespace torvane
