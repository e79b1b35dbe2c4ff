#include "orvell_designer_plugin.h"

#include <QtCore/QMetaProperty>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>
#include <QtGui/QAction>
#include <QtGui/QGuiApplication>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QMessageBox>
#include <utility>
#include <vector>

#include "orvell/dialog_runner.h"
#include "orvell/orvell_error.h"
#include "orvell/orvell_list.h"

namespace orvell {

namespace {

// One refused property value, for the report.
struct Refusal {
  QString object_name;
  QString property;
  QString refused;
  QString kept;
  QString message;
};

// The control as Designer creates it: a value it refuses is shown to the person editing the
// form (the control itself only logs it).
class DesignerOrvellList : public OrvellList {
 public:
  DesignerOrvellList(QWidget* parent, QPointer<QDesignerFormEditorInterface> core)
      : OrvellList(parent), core_(std::move(core)) {}

 protected:
  void PropertyRefused(const char* property, const QVariant& refused, const QVariant& kept,
                       const QString& message) override;

 private:
  QPointer<QDesignerFormEditorInterface> core_;
};

// Room beside a window title for the title bar's own buttons.
constexpr int kTitleBarButtonsWidth = 120;

// In Designer: a message box over Designer's window, once the edit that caused it is over.
void ShowRefusal(QWidget* list, QPointer<QWidget> top_level, const Refusal& refusal) {
  QTimer::singleShot(0, list, [list, top_level, refusal] {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("OrvellList"), refusal.message,
                    QMessageBox::Ok, top_level ? top_level.data() : list->window());
    box.setInformativeText(QStringLiteral("%1 cannot be %2; it keeps %3.")
                               .arg(refusal.property, refusal.refused, refusal.kept));
    // Wide enough for its whole title, which the window system adds the program's name to.
    const QString title =
        box.windowTitle() + QStringLiteral(" \u2014 ") + QGuiApplication::applicationDisplayName();
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
      const int width = box.fontMetrics().horizontalAdvance(title) + kTitleBarButtonsWidth;
      grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                    grid->rowCount(), 0, 1, grid->columnCount());
    }
    RunDialog(box);
  });
}

// Property values as Designer should compare them: a QVariant never finds two pictures equal.
bool SameValue(const QVariant& a, const QVariant& b) {
  if (a.metaType().id() == QMetaType::QPixmap && b.metaType().id() == QMetaType::QPixmap) {
    const auto pa = a.value<QPixmap>();
    const auto pb = b.value<QPixmap>();
    if (pa.isNull() || pb.isNull()) return pa.isNull() == pb.isNull();
    return pa.cacheKey() == pb.cacheKey() || pa.toImage() == pb.toImage();
  }
  return a == b;
}

void DesignerOrvellList::PropertyRefused(const char* property, const QVariant& refused,
                                         const QVariant& kept, const QString& message) {
  ShowRefusal(
      this, core_ ? core_->topLevel() : nullptr,
      {objectName(), QString::fromLatin1(property), refused.toString(), kept.toString(), message});
}

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
  // Only Designer initialises its plugins; a form loader (QUiLoader) does not, and its controls
  // log what they refuse as any other does.
  if (!core_) return new OrvellList(parent);
  return new DesignerOrvellList(parent, core_);
}

bool OrvellListDesignerPlugin::isInitialized() const { return core_ != nullptr; }

void OrvellListDesignerPlugin::initialize(QDesignerFormEditorInterface* core) {
  if (core_ || !core) return;
  if (QExtensionManager* manager = core->extensionManager()) {
    manager->registerExtensions(new OrvellListTaskMenuFactory(manager),
                                Q_TYPEID(QDesignerTaskMenuExtension));
  }
  core_ = core;
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
  // The page changes the control itself; the properties it changed are then set again through
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
  QStringList names;
  std::vector<QVariant> values;
  for (const auto& [property, value] : before) {
    QVariant after = property.read(list_);
    if (SameValue(after, value)) continue;
    names.append(QString::fromLatin1(property.name()));
    values.push_back(std::move(after));
  }
  emit PropertiesEdited(names);
  QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(list_);
  if (!form) return;
  for (qsizetype i = 0; i < names.size(); ++i) {
    form->cursor()->setWidgetProperty(list_, names[i], values[static_cast<size_t>(i)]);
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
