#include "orvell_accessible.h"

#include "option_items.h"
#include "orvell/orvell_list.h"

namespace orvell {

namespace {

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(OrvellList::staticMetaObject.className())) return nullptr;
  if (auto* list = qobject_cast<OrvellList*>(object)) return new OrvellListAccessible(list);
  return nullptr;
}

}  // namespace

void InstallAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  Q_UNUSED(installed);
}

QString WithoutAccessKeys(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    plain.append(text[i]);
  }
  return plain;
}

// ---------------------------------------------------------------------------------------------
// The group

OrvellListAccessible::OrvellListAccessible(OrvellList* list)
    : QAccessibleWidget(list, QAccessible::Grouping) {}

OrvellListAccessible::~OrvellListAccessible() {
  for (const QAccessible::Id id : std::as_const(children_))
    QAccessible::deleteAccessibleInterface(id);
}

OrvellList* OrvellListAccessible::list() const { return static_cast<OrvellList*>(widget()); }

QAccessible::Role OrvellListAccessible::role() const { return QAccessible::Grouping; }

QString OrvellListAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      if (!list()->accessibleName().isEmpty()) return list()->accessibleName();
      return WithoutAccessKeys(list()->Caption());
    case QAccessible::Description:
      if (!list()->accessibleDescription().isEmpty()) return list()->accessibleDescription();
      return list()->ToolTip();
    case QAccessible::Accelerator:
      return list()->AccessKey(1);
    default:
      return QAccessibleWidget::text(t);
  }
}

int OrvellListAccessible::childCount() const { return list()->ListCount(); }

QAccessibleInterface* OrvellListAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (const QAccessible::Id id = children_.value(index))
    return QAccessible::accessibleInterface(id);
  auto* item = new OrvellItemAccessible(list(), index);
  children_.insert(index, QAccessible::registerAccessibleInterface(item));
  return item;
}

int OrvellListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (!child || child->parent() != this || child->role() != QAccessible::RadioButton) return -1;
  const int index = static_cast<const OrvellItemAccessible*>(child)->index();
  return index < childCount() ? index : -1;
}

QAccessibleInterface* OrvellListAccessible::childAt(int x, int y) const {
  const QPoint local = list()->mapFromGlobal(QPoint(x, y));
  for (int i = 0; i < childCount(); ++i) {
    if (list()->ItemRect(i).contains(local)) return child(i);
  }
  return nullptr;
}

QAccessibleInterface* OrvellListAccessible::focusChild() const {
  if (!list()->hasFocus()) return nullptr;
  const int index = list()->ListIndex();
  return (index >= 0 && index < childCount()) ? child(index) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// An item

OrvellItemAccessible::OrvellItemAccessible(OrvellList* list, int index)
    : list_(list), index_(index) {}

bool OrvellItemAccessible::isValid() const { return list_ && index_ < list_->ListCount(); }

QObject* OrvellItemAccessible::object() const { return nullptr; }

QWindow* OrvellItemAccessible::window() const {
  return list_ ? list_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* OrvellItemAccessible::parent() const {
  return list_ ? QAccessible::queryAccessibleInterface(list_.data()) : nullptr;
}

QAccessibleInterface* OrvellItemAccessible::child(int) const { return nullptr; }

int OrvellItemAccessible::childCount() const { return 0; }

int OrvellItemAccessible::indexOfChild(const QAccessibleInterface*) const { return -1; }

QAccessibleInterface* OrvellItemAccessible::childAt(int, int) const { return nullptr; }

QString OrvellItemAccessible::text(QAccessible::Text t) const {
  if (!isValid()) return QString();
  switch (t) {
    case QAccessible::Name:
      return WithoutAccessKeys(list_->ItemCaption(index_));
    case QAccessible::Accelerator:
      return list_->AccessKey(index_ + 2);
    default:
      return QString();
  }
}

void OrvellItemAccessible::setText(QAccessible::Text, const QString&) {}

QRect OrvellItemAccessible::rect() const {
  if (!isValid()) return QRect();
  const QRect local = list_->ItemRect(index_);
  return QRect(list_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role OrvellItemAccessible::role() const { return QAccessible::RadioButton; }

QAccessible::State OrvellItemAccessible::state() const {
  QAccessible::State state;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  state.checkable = true;
  state.checked = list_->ListIndex() == index_;
  state.focusable = true;
  state.focused = state.checked && list_->hasFocus();
  state.disabled = !IsSelectable();
  state.invisible = !list_->isVisible();
  state.offscreen = !list_->rect().intersects(list_->ItemRect(index_));
  return state;
}

void* OrvellItemAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
  return nullptr;
}

bool OrvellItemAccessible::IsSelectable() const {
  return isValid() && list_->isEnabled() && list_->ItemEnabled(index_);
}

QStringList OrvellItemAccessible::actionNames() const {
  if (!IsSelectable()) return {};
  return {pressAction(), toggleAction()};
}

void OrvellItemAccessible::doAction(const QString& action) {
  if (!IsSelectable() || (action != pressAction() && action != toggleAction())) return;
  list_->setListIndex(index_);
}

QStringList OrvellItemAccessible::keyBindingsForAction(const QString& action) const {
  if (!IsSelectable() || (action != pressAction() && action != toggleAction())) return {};
  const QString key = list_->AccessKey(index_ + 2);
  return key.isEmpty() ? QStringList() : QStringList{key};
}

}  // namespace orvell
