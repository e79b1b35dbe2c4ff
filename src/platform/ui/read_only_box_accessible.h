// What assistive technology is told about a read-only text box (a result, a total): text that
// can be read and selected, read-only and not editable. Qt's own interface of a line edit says
// "editable" even when it is read-only, so a screen reader offered to type into result boxes.
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace torvane {

class ReadOnlyBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit ReadOnlyBoxAccessible(QLineEdit* box);

  // Answers for the read-only TextBox and NumericBox of the forms; nothing for any other object,
  // which keeps Qt's own interface. Installed by the first TextBox.
  static QAccessibleInterface* Factory(const QString& class_name, QObject* object);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  void selection(int selection_index, int* start_offset, int* end_offset) const override;
  int selectionCount() const override;
  void addSelection(int start_offset, int end_offset) override;
  void removeSelection(int selection_index) override;
  void setSelection(int selection_index, int start_offset, int end_offset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int start_offset, int end_offset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int start_index, int end_index) override;
  QString attributes(int offset, int* start_offset, int* end_offset) const override;

 private:
  QLineEdit* box() const;
};

}  // namespace torvane
