// What assistive technology (screen readers, magnifiers) sees of an option list: a group named
// by its caption with one radio button per item, named by the item's caption, checked when
// selected, unavailable when disabled, with actions that select it.
//
// The group's role is QAccessible::Grouping: Qt has no radio-group role, and Grouping is the
// role of QGroupBox, the frame that holds a set of QRadioButtons in a Qt form, so a screen reader
// treats the control exactly like such a group ("Labyrinth Type, grouping" then "Stepped, radio
// button, checked").
#pragma once

#include <QtCore/QHash>
#include <QtCore/QPointer>
#include <QtGui/QAccessible>
#include <QtWidgets/QAccessibleWidget>

namespace orvell {

class OrvellList;

// Installs the interface factory for OrvellList (once per process).
void InstallAccessibleFactory();

// The text as read aloud: "&x" access-key markers removed, "&&" read as "&".
QString WithoutAccessKeys(const QString& text);

class OrvellListAccessible : public QAccessibleWidget {
 public:
  explicit OrvellListAccessible(OrvellList* list);
  ~OrvellListAccessible() override;

  QAccessible::Role role() const override;
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  OrvellList* list() const;

 private:
  // The items' interfaces by index, made on first use and kept as long as this one.
  mutable QHash<int, QAccessible::Id> children_;
};

// One item: a radio button.
class OrvellItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  OrvellItemAccessible(OrvellList* list, int index);

  int index() const { return index_; }

  bool isValid() const override;
  QObject* object() const override;
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text t, const QString& text) override;
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // Press and toggle both select the item, as a click on it does.
  QStringList actionNames() const override;
  void doAction(const QString& action) override;
  QStringList keyBindingsForAction(const QString& action) const override;

 private:
  bool IsSelectable() const;

  QPointer<OrvellList> list_;
  int index_;
};

}  // namespace orvell
