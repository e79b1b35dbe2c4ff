#include "platform/ui/read_only_box_accessible.h"

#include <QFontMetrics>
#include <QLineEdit>

#include "platform/ui/input_boxes.h"

namespace torvane {

ReadOnlyBoxAccessible::ReadOnlyBoxAccessible(QLineEdit* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

QAccessibleInterface* ReadOnlyBoxAccessible::Factory(const QString&, QObject* object) {
  auto* box = qobject_cast<TextBox*>(object);
  if (box == nullptr || !box->isReadOnly()) return nullptr;
  return new ReadOnlyBoxAccessible(box);
}

QLineEdit* ReadOnlyBoxAccessible::box() const { return static_cast<QLineEdit*>(widget()); }

QString ReadOnlyBoxAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return box()->text();
  return QAccessibleWidget::text(t);
}

QAccessible::State ReadOnlyBoxAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.readOnly = box()->isReadOnly();
  s.editable = !box()->isReadOnly();
  s.selectableText = true;
  return s;
}

void* ReadOnlyBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

void ReadOnlyBoxAccessible::selection(int selection_index, int* start_offset,
                                      int* end_offset) const {
  *start_offset = *end_offset = 0;
  if (selection_index != 0 || !box()->hasSelectedText()) return;
  *start_offset = box()->selectionStart();
  *end_offset = box()->selectionEnd();
}

int ReadOnlyBoxAccessible::selectionCount() const { return box()->hasSelectedText() ? 1 : 0; }

void ReadOnlyBoxAccessible::addSelection(int start_offset, int end_offset) {
  setSelection(0, start_offset, end_offset);
}

void ReadOnlyBoxAccessible::removeSelection(int selection_index) {
  if (selection_index == 0) box()->deselect();
}

void ReadOnlyBoxAccessible::setSelection(int selection_index, int start_offset, int end_offset) {
  if (selection_index != 0) return;
  box()->setSelection(start_offset, end_offset - start_offset);
}

int ReadOnlyBoxAccessible::cursorPosition() const { return box()->cursorPosition(); }

void ReadOnlyBoxAccessible::setCursorPosition(int position) { box()->setCursorPosition(position); }

QString ReadOnlyBoxAccessible::text(int start_offset, int end_offset) const {
  if (start_offset > end_offset) return QString();
  return box()->text().mid(start_offset, end_offset - start_offset);
}

int ReadOnlyBoxAccessible::characterCount() const { return static_cast<int>(box()->text().size()); }

QRect ReadOnlyBoxAccessible::characterRect(int offset) const {
  const QString text = box()->text();
  if (offset < 0 || offset >= text.size()) return QRect();
  // The text starts where the box puts the cursor before its first character.
  const int saved = box()->cursorPosition();
  box()->setCursorPosition(0);
  const QPoint start = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect().topLeft();
  box()->setCursorPosition(saved);
  const QFontMetrics metrics = box()->fontMetrics();
  const int x = start.x() + metrics.horizontalAdvance(text.left(offset));
  const QRect local(x, start.y(), metrics.horizontalAdvance(text.at(offset)), metrics.height());
  return QRect(box()->mapToGlobal(local.topLeft()), local.size());
}

int ReadOnlyBoxAccessible::offsetAtPoint(const QPoint& point) const {
  return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void ReadOnlyBoxAccessible::scrollToSubstring(int start_index, int) {
  box()->setCursorPosition(start_index);
}

QString ReadOnlyBoxAccessible::attributes(int offset, int* start_offset, int* end_offset) const {
  *start_offset = *end_offset = offset;
  return QString();
}

}  // namespace torvane
