// A program that does not link orvell loads forms with the control through QUiLoader, which
// finds the Designer plugin installed in a fresh prefix (the test's fixture) and through it the
// library.
#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtUiTools/QUiLoader>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <memory>

namespace {

QWidget* Load(QUiLoader& loader, QIODevice& device) {
  QWidget* form = loader.load(&device);
  EXPECT_NE(form, nullptr) << loader.errorString().toStdString();
  return form;
}

TEST(OrvellLoaderTest, AFormGivesAnOrvellListWithItsProperties) {
  QUiLoader loader;
  EXPECT_TRUE(loader.availableWidgets().contains(QStringLiteral("orvell::OrvellList")))
      << loader.availableWidgets().join(u' ').toStdString();
  QFile file(QStringLiteral(ORVELL_TEST_FORM));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const std::unique_ptr<QWidget> form(Load(loader, file));
  ASSERT_NE(form, nullptr);
  auto* list = form->findChild<QWidget*>(QStringLiteral("optLabyType"));
  ASSERT_NE(list, nullptr);
  EXPECT_STREQ(list->metaObject()->className(), "orvell::OrvellList");
  EXPECT_EQ(list->property("ListCount").toInt(), 2);
  EXPECT_EQ(list->property("ListIndex").toInt(), 1);
  EXPECT_EQ(list->property("Value").toString(), QStringLiteral("1"));
  EXPECT_EQ(list->property("Caption").toString(), QStringLiteral("&Labyrinth Type"));
  EXPECT_EQ(list->property("Spacing").toInt(), 18);
  EXPECT_EQ(list->geometry(), QRect(10, 10, 180, 80));
}

QStringList& Warnings() {
  static QStringList warnings;
  return warnings;
}

void Record(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg && text.startsWith(QStringLiteral("OrvellList "))) Warnings() << text;
}

TEST(OrvellLoaderTest, ARefusedValueIsLoggedAndTheRestOfTheFormLoads) {
  QByteArray ui =
      "<ui version=\"4.0\"><class>F</class><widget class=\"QWidget\" name=\"F\">"
      "<widget class=\"orvell::OrvellList\" name=\"optType\">"
      "<property name=\"Contents\"><string>a&#13;&#10;b</string></property>"
      "<property name=\"Spacing\"><number>0</number></property>"
      "<property name=\"Alignment\"><number>5</number></property>"
      "<property name=\"Caption\"><string>Type</string></property>"
      "</widget></widget></ui>";
  QBuffer buffer(&ui);
  ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
  QUiLoader loader;
  Warnings().clear();
  const QtMessageHandler previous = qInstallMessageHandler(Record);
  const std::unique_ptr<QWidget> form(Load(loader, buffer));
  qInstallMessageHandler(previous);
  ASSERT_NE(form, nullptr);
  auto* list = form->findChild<QWidget*>(QStringLiteral("optType"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Warnings(),
            QStringList({
                QStringLiteral("OrvellList optType: Spacing cannot be 0 (Spacing out of range.); "
                               "it keeps 16."),
                QStringLiteral("OrvellList optType: Alignment cannot be 5 (Alignment out of "
                               "range.); it keeps 0."),
            }));
  EXPECT_EQ(list->property("Spacing").toInt(), 16);
  EXPECT_EQ(list->property("ListCount").toInt(), 2);
  EXPECT_EQ(list->property("Caption").toString(), QStringLiteral("Type"));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  // Where Qt's plugins are in the fresh prefix, as QT_PLUGIN_PATH would give it.
  QCoreApplication::addLibraryPath(QStringLiteral(ORVELL_INSTALLED_QT_PLUGINS));
  return RUN_ALL_TESTS();
}
