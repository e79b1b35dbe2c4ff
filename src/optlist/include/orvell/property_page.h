// The property page of the option-list control: a dialog that edits an OrvellList's
// properties, applies them, and can write them to the defaults file as the initial values of
// new controls.
//
// Apply checks every value with the control's own setters on a scratch control first, so a
// refused value (for example Spacing 0) changes nothing: its message appears in the page's
// message line (object name "message") and the focus goes to the field. Field object names:
// caption, contents, listIndex, toolTip, mousePointer, alignment, itemAlignment, borderStyle,
// borderEffect, threeD, leftMargin, topMargin, spacing, itemGap, backColor, foreColor,
// itemForeColor, shadowColor, fontFamily, fontSize, fontBold, fontItalic, fontUnderline,
// fontStrikeOut and the itemFont... twins; buttons okButton, cancelButton, applyButton and
// saveDefaultsButton.
#pragma once

#include <QtWidgets/QDialog>
#include <memory>

#include "orvell/orvell_export.h"

namespace orvell {

class OrvellList;

class ORVELL_EXPORT OrvellPropertyPage : public QDialog {
  Q_OBJECT

 public:
  explicit OrvellPropertyPage(OrvellList* control, QWidget* parent = nullptr);
  ~OrvellPropertyPage() override;

  // Applies the page to the control; false, with the message shown, when a value is refused.
  bool Apply();
  // Applies, then writes the defaults file; false when either fails.
  bool SaveDefaults();
  // The text of the message line.
  QString Message() const;

  void accept() override;

 private:
  struct Private;
  std::unique_ptr<Private> d_;
};

}  // namespace orvell
