#include "orvell_designer_plugin.h"

#include <QtCore/QMetaProperty>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>
#include <QtGui/QAction>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <vector>

#include "orvell/orvell_error.h"
#include "orvell/orvell_list.h"

namespace orvell {

namespace {

// The control as Designer holds it. Designer writes properties through the meta-object; a value
// the control refuses must not end Designer, so the refusal is caught here and the property
// keeps its value.
class DesignerOrvellList : public OrvellList {
 public:
  using OrvellList::OrvellList;

  int qt_metacall(QMetaObject::Call call, int id, void** arguments) override {
    try {
      return OrvellList::qt_metacall(call, id, arguments);
    } catch (const InvalidPropertyValue&) {
      return -1;
    }
  }
};

}  // namespace

OrvellListDesignerPlugin::OrvellListDesignerPlugin(QObject* parent) : QObject(parent) {}

QString OrvellListDesignerPlugin::name() const { return QStringLiteral("orvell::OrvellList"); }

QString OrvellListDesignerPlugin::group() const { return QStringLiteral("Orvell"); }

QString OrvellListDesignerPlugin::toolTip() const {
  return QStringLiteral("Option list: a framed list of option buttons");
}

QString OrvellListDesignerPlugin::whatsThis() const {
  return QStringLiteral(
      "A framed list of option buttons with a caption on the frame. Items are set in Contents "
      "as \"value;caption\" lines; ListIndex or Value selects one.");
}

QString OrvellListDesignerPlugin::includeFile() const {
  return QStringLiteral("orvell/orvell_list.h");
}

QIcon OrvellListDesignerPlugin::icon() const {
  OrvellList sample;
  sample.setContents(QStringLiteral("a\r\nb"));
  sample.setListIndex(0);
  sample.setCaption(QString());
  sample.setBorderStyle(0);
  sample.setTopMargin(2);
  sample.setLeftMargin(2);
  sample.resize(22, 34);
  return QIcon(QPixmap::fromImage(sample.RenderToImage()));
}

bool OrvellListDesignerPlugin::isContainer() const { return false; }

QWidget* OrvellListDesignerPlugin::createWidget(QWidget* parent) {
  return new DesignerOrvellList(parent);
}

bool OrvellListDesignerPlugin::isInitialized() const { return initialized_; }

void OrvellListDesignerPlugin::initialize(QDesignerFormEditorInterface* core) {
  if (initialized_) return;
  if (QExtensionManager* manager = core->extensionManager()) {
    manager->registerExtensions(new OrvellListTaskMenuFactory(manager),
                                Q_TYPEID(QDesignerTaskMenuExtension));
  }
  initialized_ = true;
}

QString OrvellListDesignerPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\">\n"
      " <widget class=\"orvell::OrvellList\" name=\"optList\">\n"
      "  <property name=\"geometry\">\n"
      "   <rect><x>0</x><y>0</y><width>160</width><height>90</height></rect>\n"
      "  </property>\n"
      "  <property name=\"Contents\">\n"
      "   <string>0;First&#13;&#10;1;Second</string>\n"
      "  </property>\n"
      " </widget>\n"
      "</ui>\n");
}

OrvellListTaskMenu::OrvellListTaskMenu(OrvellList* list, QObject* parent)
    : QObject(parent),
      list_(list),
      edit_action_(new QAction(QStringLiteral("Edit Properties..."), this)),
      about_action_(new QAction(QStringLiteral("About OrvellList..."), this)) {
  connect(edit_action_, &QAction::triggered, this, &OrvellListTaskMenu::EditProperties);
  connect(about_action_, &QAction::triggered, this, [this] { list_->AboutBox(); });
}

QAction* OrvellListTaskMenu::preferredEditAction() const { return edit_action_; }

QList<QAction*> OrvellListTaskMenu::taskActions() const { return {edit_action_, about_action_}; }

void OrvellListTaskMenu::EditProperties() {
  // The page changes the control itself; the changed properties are then set again through
  // the form window's cursor so that Designer records them (undo, saving the form).
  const QMetaObject* meta = list_->metaObject();
  std::vector<std::pair<QMetaProperty, QVariant>> before;
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    if (property.isDesignable() && property.isWritable()) {
      before.emplace_back(property, property.read(list_));
    }
  }
  if (!list_->ShowPropertyPage()) return;
  QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(list_);
  if (!form) return;
  for (const auto& [property, value] : before) {
    const QVariant after = property.read(list_);
    if (after != value) form->cursor()->setProperty(QString::fromLatin1(property.name()), after);
  }
}

OrvellListTaskMenuFactory::OrvellListTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent) {}

QObject* OrvellListTaskMenuFactory::createExtension(QObject* object, const QString& iid,
                                                    QObject* parent) const {
  if (iid != Q_TYPEID(QDesignerTaskMenuExtension)) return nullptr;
  if (auto* list = qobject_cast<OrvellList*>(object)) return new OrvellListTaskMenu(list, parent);
  return nullptr;
}

}  // namespace orvell
