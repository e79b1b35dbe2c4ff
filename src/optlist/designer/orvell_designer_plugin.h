// Qt Designer plugin of the option-list control.
#pragma once

#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace orvell {

class OrvellList;

// OrvellList in Designer's widget box.
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
  bool initialized_ = false;
};

// "Edit Properties..." and "About OrvellList..." in the control's context menu.
class OrvellListTaskMenu : public QObject, public QDesignerTaskMenuExtension {
  Q_OBJECT
  Q_INTERFACES(QDesignerTaskMenuExtension)

 public:
  OrvellListTaskMenu(OrvellList* list, QObject* parent);

  QAction* preferredEditAction() const override;
  QList<QAction*> taskActions() const override;

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
