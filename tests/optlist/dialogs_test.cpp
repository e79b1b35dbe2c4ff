// The property page and the about box, run through a scripted dialog runner; and the tooltip
// timing.
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtGui/QCursor>
#include <QtGui/QEnterEvent>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <functional>

#include "optlist/optlist_test_support.h"
#include "orvell/dialog_runner.h"
#include "orvell/orvell_colors.h"
#include "orvell/orvell_defaults.h"
#include "orvell/orvell_list.h"
#include "orvell/property_page.h"

namespace {

using orvell::OrvellList;
using orvell::OrvellPropertyPage;
using orvell_test::Click;
using orvell_test::Field;
using orvell_test::ResultAfter;
using orvell_test::ScriptedRunner;

TEST(OrvellPropertyPageTest, ThePageShowsTheControlAndOkAppliesItsChanges) {
  OrvellList list;
  list.setContents(QStringLiteral("0;Stepped\r\n1;Straight"));
  list.setListIndex(1);
  list.setCaption(QStringLiteral("Type"));
  list.setItemEnabled(0, false);
  ScriptedRunner runner([](QDialog& dialog) {
    return ResultAfter(dialog, [](QDialog& d) {
      EXPECT_EQ(Field<QLineEdit>(d, "caption")->text(), QStringLiteral("Type"));
      EXPECT_EQ(Field<QPlainTextEdit>(d, "contents")->toPlainText(),
                QStringLiteral("0;Stepped\n1;Straight"));
      EXPECT_EQ(Field<QSpinBox>(d, "listIndex")->value(), 1);
      EXPECT_EQ(Field<QSpinBox>(d, "spacing")->value(), 16);
      EXPECT_EQ(Field<QComboBox>(d, "backColor")->currentText(), QStringLiteral("Button Face"));
      EXPECT_EQ(Field<QComboBox>(d, "borderEffect")->currentIndex(), 4);
      EXPECT_TRUE(Field<QCheckBox>(d, "threeD")->isChecked());
      Field<QLineEdit>(d, "caption")->setText(QStringLiteral("&Labyrinth Type"));
      Field<QSpinBox>(d, "spacing")->setValue(20);
      Field<QComboBox>(d, "alignment")->setCurrentIndex(2);
      Field<QComboBox>(d, "foreColor")->setEditText(QStringLiteral("#0000FF"));
      Field<QComboBox>(d, "mousePointer")->setCurrentIndex(16);
      Field<QDoubleSpinBox>(d, "itemFontSize")->setValue(10);
      Field<QCheckBox>(d, "itemFontBold")->setChecked(true);
      Click(d, "okButton");
    });
  });
  QSignalSpy clicks(&list, &OrvellList::Click);
  EXPECT_TRUE(list.ShowPropertyPage());
  EXPECT_EQ(runner.titles(), QStringList{QStringLiteral("OrvellList Properties")});
  EXPECT_EQ(list.Caption(), QStringLiteral("&Labyrinth Type"));
  EXPECT_EQ(list.Spacing(), 20);
  EXPECT_EQ(list.Alignment(), 2);
  EXPECT_EQ(list.ForeColor(), 0x00FF0000u);
  EXPECT_EQ(list.MousePointer(), 99);
  EXPECT_EQ(list.ItemFont().pointSizeF(), 10.0);
  EXPECT_TRUE(list.ItemFont().bold());
  // What the page did not change stays as it was, the items' enabled flags too, and the
  // unchanged ListIndex fires no Click.
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_FALSE(list.ItemEnabled(0));
  EXPECT_EQ(list.BackColor(), orvell::kButtonFace);
  EXPECT_EQ(clicks.size(), 0);
}

TEST(OrvellPropertyPageTest, OkWithoutAChangeChangesAndMarksNothing) {
  OrvellList list;
  list.setContents(QStringLiteral("0;Stepped\r\n1;Straight"));
  list.setListIndex(1);
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::red);
  list.setMouseIcon(QPixmap::fromImage(icon));
  list.setMousePointer(99);
  QFont font(QStringLiteral("Liberation Serif"));
  font.setPointSizeF(9.75);  // shown as 9.8 on the page
  list.setFont(font);
  list.ClearModified();
  const QImage before = list.RenderToImage();
  ScriptedRunner runner([](QDialog& dialog) {
    return ResultAfter(dialog, [](QDialog& d) { Click(d, "okButton"); });
  });
  QSignalSpy clicks(&list, &OrvellList::Click);
  EXPECT_TRUE(list.ShowPropertyPage());
  EXPECT_FALSE(list.IsModified());
  EXPECT_EQ(clicks.size(), 0);
  EXPECT_EQ(list.RenderToImage(), before);
  EXPECT_EQ(list.Font().pointSizeF(), 9.75);
  // Setting the same picture again is no change either.
  list.setMouseIcon(QPixmap::fromImage(icon));
  EXPECT_FALSE(list.IsModified());
}

TEST(OrvellPropertyPageTest, ARefusedValueShowsItsMessageAndAppliesNothing) {
  OrvellList list;
  list.setContents(QStringLiteral("a\r\nb"));
  ScriptedRunner runner([](QDialog& dialog) {
    return ResultAfter(dialog, [](QDialog& d) {
      auto& page = static_cast<OrvellPropertyPage&>(d);
      Field<QLineEdit>(d, "caption")->setText(QStringLiteral("Changed"));
      Field<QSpinBox>(d, "spacing")->setValue(0);
      Click(d, "applyButton");
      EXPECT_EQ(page.Message(), QStringLiteral("Spacing out of range."));
      EXPECT_EQ(Field<QLabel>(d, "message")->text(), QStringLiteral("Spacing out of range."));
      Click(d, "okButton");  // refused again: the page stays open
      EXPECT_EQ(d.result(), -1);
      Field<QSpinBox>(d, "spacing")->setValue(12);
      Field<QSpinBox>(d, "itemGap")->setValue(-1);  // below the field's range: stays 0
      EXPECT_EQ(Field<QSpinBox>(d, "itemGap")->value(), 0);
      Field<QSpinBox>(d, "listIndex")->setValue(1);
      Field<QComboBox>(d, "shadowColor")->setEditText(QStringLiteral("greenish"));
      EXPECT_FALSE(page.Apply());
      EXPECT_EQ(page.Message(), QStringLiteral("Colour not recognised."));
      Click(d, "cancelButton");
    });
  });
  EXPECT_FALSE(list.ShowPropertyPage());
  EXPECT_EQ(list.Caption(), QStringLiteral("OrvellList 1"));
  EXPECT_EQ(list.Spacing(), 16);
  EXPECT_EQ(list.ItemGap(), 4);
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST(OrvellPropertyPageTest, ThreeDOnThePageSwitchesLikeTheControl) {
  OrvellList list;
  OrvellPropertyPage page(&list);
  auto* three_d = page.findChild<QCheckBox*>(QStringLiteral("threeD"));
  auto* back = page.findChild<QComboBox*>(QStringLiteral("backColor"));
  auto* effect = page.findChild<QComboBox*>(QStringLiteral("borderEffect"));
  ASSERT_TRUE(three_d && back && effect);
  three_d->setChecked(false);
  EXPECT_EQ(back->currentText(), QStringLiteral("Window Background"));
  EXPECT_EQ(effect->currentIndex(), 0);
  ASSERT_TRUE(page.Apply());
  EXPECT_FALSE(list.ThreeD());
  EXPECT_EQ(list.BackColor(), orvell::kWindowBackground);
  EXPECT_EQ(list.ForeColor(), orvell::kWindowText);
  EXPECT_EQ(list.BorderEffect(), 0);
  // Turning it on and choosing another effect keeps the choice.
  three_d->setChecked(true);
  effect->setCurrentIndex(1);
  ASSERT_TRUE(page.Apply());
  EXPECT_TRUE(list.ThreeD());
  EXPECT_EQ(list.BorderEffect(), 1);
  EXPECT_EQ(list.BackColor(), orvell::kButtonFace);
}

TEST(OrvellPropertyPageTest, NewContentsAndIndexAreAppliedTogether) {
  OrvellList list;
  OrvellPropertyPage page(&list);
  QSignalSpy clicks(&list, &OrvellList::Click);
  page.findChild<QPlainTextEdit*>(QStringLiteral("contents"))
      ->setPlainText(QStringLiteral("0;English\n1;SI\n2;Metric"));
  page.findChild<QSpinBox*>(QStringLiteral("listIndex"))->setValue(2);
  ASSERT_TRUE(page.Apply());
  EXPECT_EQ(list.Contents(), QStringLiteral("0;English\r\n1;SI\r\n2;Metric"));
  EXPECT_EQ(list.Value(), QStringLiteral("2"));
  EXPECT_EQ(clicks.size(), 1);
}

TEST(OrvellPropertyPageTest, SaveAsDefaultsAppliesAndWritesTheDefaultsFile) {
  const QStringList saved = orvell::DefaultsFileSearchPaths();
  const QString path = QDir(orvell_test::NewScratchFolder()).filePath(QStringLiteral("KV4WIN.INI"));
  orvell::SetDefaultsFileSearchPaths({path});
  {
    OrvellList list;
    OrvellPropertyPage page(&list);
    page.findChild<QSpinBox*>(QStringLiteral("itemGap"))->setValue(9);
    page.findChild<QPushButton*>(QStringLiteral("saveDefaultsButton"))->click();
    EXPECT_EQ(page.Message(),
              QStringLiteral("Saved as the defaults of new controls in %1.").arg(path));
    EXPECT_EQ(list.ItemGap(), 9);
    OrvellList next;
    EXPECT_EQ(next.ItemGap(), 9);
  }
  orvell::SetDefaultsFileSearchPaths({path + QStringLiteral("/under/a/file")});
  {
    OrvellList list;
    OrvellPropertyPage page(&list);
    EXPECT_FALSE(page.SaveDefaults());
    EXPECT_TRUE(page.Message().startsWith(QStringLiteral("The defaults could not be saved: ")))
        << page.Message().toStdString();
  }
  orvell::SetDefaultsFileSearchPaths(saved);
}

TEST(OrvellAboutBoxTest, AboutBoxShowsNameAndVersionThroughTheRunner) {
  OrvellList list;
  QString text;
  ScriptedRunner runner([&text](QDialog& dialog) {
    if (auto* label = dialog.findChild<QLabel*>(QStringLiteral("aboutText"))) text = label->text();
    return static_cast<int>(QDialog::Accepted);
  });
  list.AboutBox();
  EXPECT_EQ(runner.runs(), 1);
  EXPECT_EQ(runner.titles(), QStringList{QStringLiteral("About OrvellList")});
  EXPECT_TRUE(text.startsWith(QStringLiteral("OrvellList option-list control\nVersion 4.1.0")))
      << text.toStdString();
}

class OrvellToolTipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shown_ = std::make_unique<orvell_test::ShownList>();
    list().setToolTip(QStringLiteral("Pick one"));
    // The pointer is kept far away, so that only the enter and leave events of the test reach
    // the control.
    QCursor::setPos(QPoint(5000, 5000));
    // Let a tooltip closed by an earlier test age beyond the quick window.
    QTest::qWait(1100);
  }
  OrvellList& list() { return shown_->list(); }
  void Enter() {
    const QPointF local(20, 20);
    QEnterEvent enter(local, local, list().mapToGlobal(local));
    QCoreApplication::sendEvent(&list(), &enter);
  }
  void Leave() {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&list(), &leave);
  }
  // The tooltip window is a top-level label of its own.
  static QLabel* TipWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == QLatin1String(OrvellList::kToolTipWindowName)) {
        return qobject_cast<QLabel*>(w);
      }
    }
    return nullptr;
  }
  static bool Showing() {
    QLabel* tip = TipWindow();
    return tip && tip->isVisible() && tip->text() == QStringLiteral("Pick one");
  }
  // Milliseconds from the pointer entering to the tooltip showing, -1 when it does not come
  // within five seconds. The clock starts before the control's timer, so it never reads short.
  qint64 EnterAndTimeTheToolTip() {
    QElapsedTimer clock;
    clock.start();
    Enter();
    if (!QTest::qWaitFor(Showing, 5000)) return -1;
    return clock.elapsed();
  }

  std::unique_ptr<orvell_test::ShownList> shown_;
};

TEST_F(OrvellToolTipTest, TheFirstTooltipComesAfterOneSecondAndLeavingClosesIt) {
  const qint64 delay = EnterAndTimeTheToolTip();
  EXPECT_GE(delay, 1000);
  EXPECT_LT(delay, 2500);
  EXPECT_TRUE(list().IsToolTipShown());
  Leave();
  EXPECT_FALSE(Showing());
  EXPECT_FALSE(list().IsToolTipShown());
}

TEST_F(OrvellToolTipTest, WithinASecondOfClosingTheNextComesAfter250Milliseconds) {
  ASSERT_GE(EnterAndTimeTheToolTip(), 1000);
  Leave();
  const qint64 quick = EnterAndTimeTheToolTip();
  EXPECT_GE(quick, 250);
  EXPECT_LT(quick, 1000);
  Leave();
  // After more than a second, the full delay again.
  QTest::qWait(1100);
  EXPECT_GE(EnterAndTimeTheToolTip(), 1000);
  Leave();
}

TEST_F(OrvellToolTipTest, NoToolTipTextShowsNothingAndLeavingEarlyCancels) {
  Enter();
  QTest::qWait(300);
  Leave();
  QTest::qWait(1000);
  EXPECT_FALSE(Showing());
  list().setToolTip(QString());
  Enter();
  QTest::qWait(1200);
  EXPECT_FALSE(list().IsToolTipShown());
  Leave();
  // A press closes an open tooltip.
  list().setToolTip(QStringLiteral("Pick one"));
  Enter();
  ASSERT_TRUE(QTest::qWaitFor(Showing, 1500));
  QTest::mousePress(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_FALSE(Showing());
  QTest::mouseRelease(&list(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

}  // namespace
