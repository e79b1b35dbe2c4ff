// Qt Designer plugin of the option-list control. The same plugin serves programs that load
// .ui files through QUiLoader without linking the library.
#pragma once

#include <QtCore/QPointer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class QDesignerFormEditorInterface;

namespace orvell {

class OrvellList;

// OrvellList in Designer's widget box.
//
// A value the control refuses (Spacing 0, say) never ends Designer or a loading program: the
// property keeps its value and the refusal is reported, in Designer in a message box (run
// through the library's dialog runner, after the edit that caused it has finished), elsewhere
// as a warning on the Qt message log.
class OrvellListDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  explicit OrvellListDesignerPlugin(QObject* parent = nullptr);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override;
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override;
  void initialize(QDesignerFormEditorInterface* core) override;
  QString domXml() const override;

 private:
  // The form editor that initialised the plugin, while it lives.
  QPointer<QDesignerFormEditorInterface> core_;
};

// "Edit Properties..." and "About OrvellList..." in the control's context menu.
class OrvellListTaskMenu : public QObject, public QDesignerTaskMenuExtension {
  Q_OBJECT
  Q_INTERFACES(QDesignerTaskMenuExtension)

 public:
  OrvellListTaskMenu(OrvellList* list, QObject* parent);

  QAction* preferredEditAction() const override;
  QList<QAction*> taskActions() const override;

 signals:
  // After the property page was accepted: the names of the properties it changed, in the
  // order they are handed to the form (none when OK was pressed without a change).
  void PropertiesEdited(const QStringList& names);

 private:
  void EditProperties();

  OrvellList* list_;
  QAction* edit_action_;
  QAction* about_action_;
};

class OrvellListTaskMenuFactory : public QExtensionFactory {
  Q_OBJECT

 public:
  explicit OrvellListTaskMenuFactory(QExtensionManager* parent = nullptr);

 protected:
  QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

}  // namespace orvell
