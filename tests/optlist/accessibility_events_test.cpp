// The accessibility events of the control, as a screen reader receives them. They reach the
// platform only while an assistive technology listens, so the test switches the platform's
// accessibility on (through Qt's platform interface, as Qt's own accessibility tests do).
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <gtest/gtest.h>

#include <QtGui/QAccessible>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <memory>
#include <string>
#include <vector>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_list.h"

namespace {

using orvell::OrvellList;
using orvell_test::FillLabyrinthTypes;
using orvell_test::ShownList;

// Records the events of one control.
class OrvellAccessibilityEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (!platform) GTEST_SKIP() << "no accessibility on this platform";
    platform->setActive(true);
    Log().clear();
    previous_ = QAccessible::installUpdateHandler(Record);
    shown_ = std::make_unique<ShownList>(180, 100);
    other_ = new QLineEdit(&shown_->window());
    other_->show();
    other_->setFocus();
    FillLabyrinthTypes(list());
    QApplication::processEvents();
    Watched() = &list();
    Log().clear();
  }
  void TearDown() override {
    if (!shown_) return;
    Watched() = nullptr;
    shown_.reset();
    QAccessible::installUpdateHandler(previous_);
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
  }
  OrvellList& list() { return shown_->list(); }

  static QObject*& Watched() {
    static QObject* watched = nullptr;
    return watched;
  }
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }
  // "Focus 1", "StateChanged 0 checked", "NameChanged -1": the event, the item (-1 for the
  // control) and what changed.
  static void Record(QAccessibleEvent* event) {
    if (!Watched() || event->object() != Watched()) return;
    std::string entry;
    switch (event->type()) {
      case QAccessible::Focus:
        entry = "Focus";
        break;
      case QAccessible::StateChanged:
        entry = "StateChanged";
        break;
      case QAccessible::NameChanged:
        entry = "NameChanged";
        break;
      case QAccessible::ObjectReorder:
        entry = "ObjectReorder";
        break;
      default:
        return;
    }
    entry += ' ' + std::to_string(event->child());
    if (event->type() == QAccessible::StateChanged) {
      const QAccessible::State changed =
          static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
      if (changed.checked) entry += " checked";
      if (changed.disabled) entry += " disabled";
    }
    Log().push_back(entry);
  }

  QAccessible::UpdateHandler previous_ = nullptr;
  std::unique_ptr<ShownList> shown_;
  QLineEdit* other_ = nullptr;
};

TEST_F(OrvellAccessibilityEventsTest, SelectionAndFocusChangesAreAnnounced) {
  list().setListIndex(0);
  EXPECT_EQ(Log(), (std::vector<std::string>{"StateChanged 1 checked", "StateChanged 0 checked"}));
  // Gaining the focus: the control's own focus event, then the selected item's.
  Log().clear();
  list().setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(Log(), (std::vector<std::string>{"Focus -1", "Focus 0"}));
  // An arrow key moves selection and focus together.
  Log().clear();
  QTest::keyClick(&list(), Qt::Key_Down);
  EXPECT_EQ(Log(), (std::vector<std::string>{"StateChanged 0 checked", "StateChanged 1 checked",
                                             "Focus 1"}));
  // The caption's access key leaves nothing checked.
  Log().clear();
  QTest::keyClick(&shown_->window(), Qt::Key_L, Qt::AltModifier);
  EXPECT_EQ(Log(), (std::vector<std::string>{"StateChanged 1 checked"}));
}

TEST_F(OrvellAccessibilityEventsTest, NamesStatesAndItemsChangesAreAnnounced) {
  list().setCaption(QStringLiteral("Type"));
  list().setItemEnabled(0, false);
  list().setItemEnabled(0, false);  // no change, no event
  list().AddItem(QStringLiteral("x"));
  EXPECT_EQ(Log(), (std::vector<std::string>{"NameChanged -1", "StateChanged 0 disabled",
                                             "ObjectReorder -1"}));
}

}  // namespace
