// The Qt Designer plugin, loaded from its file as Designer loads it: its widget-box entry, a
// refused value reported instead of replaced, and "Edit Properties..." handing Designer exactly
// the properties the page changed.
#include <gtest/gtest.h>

#include <QtCore/QPluginLoader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtTest/QSignalSpy>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QSpinBox>
#include <memory>

#include "optlist/optlist_test_support.h"
#include "orvell/orvell_list.h"

namespace {

using orvell::OrvellList;
using orvell_test::Click;
using orvell_test::Field;
using orvell_test::ResultAfter;
using orvell_test::ScriptedRunner;

// The least of Designer a plugin meets: a form editor with an extension manager.
class BareFormEditor : public QDesignerFormEditorInterface {
 public:
  BareFormEditor() { setExtensionManager(new QExtensionManager(this)); }
};

QDesignerCustomWidgetInterface* LoadPlugin() {
  static QPluginLoader loader(QStringLiteral(ORVELL_DESIGNER_PLUGIN_FILE));
  QObject* instance = loader.instance();
  EXPECT_NE(instance, nullptr) << loader.errorString().toStdString();
  return qobject_cast<QDesignerCustomWidgetInterface*>(instance);
}

class OrvellDesignerPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plugin_ = LoadPlugin();
    ASSERT_NE(plugin_, nullptr);
    plugin_->initialize(&core_);
    ASSERT_TRUE(plugin_->isInitialized());
    widget_.reset(plugin_->createWidget(nullptr));
    list_ = qobject_cast<OrvellList*>(widget_.get());
    ASSERT_NE(list_, nullptr);
  }

  // The task menu Designer shows for the control.
  QObject* TaskMenu() {
    return core_.extensionManager()->extension(list_, Q_TYPEID(QDesignerTaskMenuExtension));
  }

  BareFormEditor core_;
  QDesignerCustomWidgetInterface* plugin_ = nullptr;
  std::unique_ptr<QWidget> widget_;
  OrvellList* list_ = nullptr;
};

TEST_F(OrvellDesignerPluginTest, TheWidgetBoxEntryNamesTheClassAndItsHeader) {
  EXPECT_EQ(plugin_->name(), QStringLiteral("orvell::OrvellList"));
  EXPECT_EQ(plugin_->includeFile(), QStringLiteral("orvell/orvell_list.h"));
  EXPECT_EQ(plugin_->group(), QStringLiteral("Orvell"));
  EXPECT_FALSE(plugin_->isContainer());
  EXPECT_FALSE(plugin_->icon().isNull());
  EXPECT_TRUE(plugin_->domXml().contains(QStringLiteral("class=\"orvell::OrvellList\"")));
}

TEST_F(OrvellDesignerPluginTest, ARefusedValueIsReportedAndThePropertyKeepsItsValue) {
  QStringList reports;
  ScriptedRunner runner([&reports](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    EXPECT_NE(box, nullptr);
    if (box) reports << box->text() + u'|' + box->informativeText();
    return static_cast<int>(QMessageBox::Ok);
  });
  list_->setProperty("Spacing", 0);
  list_->setProperty("BorderEffect", 7);
  EXPECT_EQ(list_->Spacing(), 16);
  EXPECT_EQ(list_->BorderEffect(), 4);
  // Reported once the edit is over, not from inside it.
  EXPECT_EQ(runner.runs(), 0);
  QApplication::processEvents();
  EXPECT_EQ(reports, QStringList({
                         QStringLiteral("Spacing out of range.|Spacing cannot be 0; it keeps 16."),
                         QStringLiteral("Border effect out of range.|BorderEffect cannot be 7; "
                                        "it keeps 4."),
                     }));
  EXPECT_EQ(runner.titles(),
            QStringList({QStringLiteral("OrvellList"), QStringLiteral("OrvellList")}));
  // An accepted value is no report.
  list_->setProperty("Spacing", 18);
  QApplication::processEvents();
  EXPECT_EQ(list_->Spacing(), 18);
  EXPECT_EQ(runner.runs(), 2);
}

TEST_F(OrvellDesignerPluginTest, EditPropertiesHandsDesignerOnlyWhatThePageChanged) {
  auto* menu = qobject_cast<QDesignerTaskMenuExtension*>(TaskMenu());
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->taskActions().size(), 2);
  EXPECT_EQ(menu->taskActions()[0]->text(), QStringLiteral("Edit Properties..."));
  EXPECT_EQ(menu->taskActions()[1]->text(), QStringLiteral("About OrvellList..."));
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::blue);
  list_->setMouseIcon(QPixmap::fromImage(icon));
  list_->setMousePointer(99);
  list_->setContents(QStringLiteral("0;Stepped\r\n1;Straight"));
  list_->ClearModified();
  QSignalSpy edited(TaskMenu(), SIGNAL(PropertiesEdited(QStringList)));
  {
    ScriptedRunner runner([](QDialog& dialog) {
      return ResultAfter(dialog, [](QDialog& d) { Click(d, "okButton"); });
    });
    menu->preferredEditAction()->trigger();
  }
  ASSERT_EQ(edited.size(), 1);
  EXPECT_EQ(edited.at(0).at(0).toStringList(), QStringList());
  EXPECT_FALSE(list_->IsModified());
  {
    ScriptedRunner runner([](QDialog& dialog) {
      return ResultAfter(dialog, [](QDialog& d) {
        Field<QSpinBox>(d, "spacing")->setValue(20);
        Field<QLineEdit>(d, "caption")->setText(QStringLiteral("Type"));
        Click(d, "okButton");
      });
    });
    menu->preferredEditAction()->trigger();
  }
  ASSERT_EQ(edited.size(), 2);
  EXPECT_EQ(edited.at(1).at(0).toStringList(),
            QStringList({QStringLiteral("Caption"), QStringLiteral("Spacing")}));
  // Cancel hands over nothing.
  {
    ScriptedRunner runner([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    menu->preferredEditAction()->trigger();
  }
  EXPECT_EQ(edited.size(), 2);
}

}  // namespace
