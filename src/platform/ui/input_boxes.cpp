#include "platform/ui/input_boxes.h"

#include <QAccessible>
#include <QFocusEvent>
#include <cctype>
#include <cstdlib>

#include "platform/ui/read_only_box_accessible.h"
#include "units/number_format.h"

namespace torvane {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
  // A read-only box is told to assistive technology as read-only and not editable.
  [[maybe_unused]] static const bool installed = [] {
    QAccessible::installFactory(ReadOnlyBoxAccessible::Factory);
    return true;
  }();
  connect(this, &QLineEdit::textEdited, this, [this] {
    modified_by_user_ = true;
    emit userEdited();
  });
}

void TextBox::SetProgramText(const QString& text) {
  setText(text);
  modified_by_user_ = false;
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
      emit left();
      break;
    default:
      break;  // the window lost the focus, or a menu opened: the user has not left the box
  }
}

NumericBox::NumericBox(QWidget* parent) : TextBox(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(this, &TextBox::left, this, [this] {
    const auto v = Value();
    if (v && !InBounds(*v)) emit outOfBounds(*v);
  });
}

void NumericBox::SetFormat(const std::string& pattern) { format_ = pattern; }

void NumericBox::SetBounds(double lower, double upper) {
  bounds_ = true;
  lower_ = lower;
  upper_ = upper;
}

bool NumericBox::InBounds(double value) const {
  return !bounds_ || (value >= lower_ && value <= upper_);
}

void NumericBox::SetValue(double value) {
  SetProgramText(QString::fromStdString(format_.empty() ? ShortestGeneral(value, digits_)
                                                        : FormatNumber(value, format_)));
}

std::optional<double> NumericBox::Value() const { return ParseNumber(text().toStdString()); }

std::optional<double> NumericBox::LeadingValue() const {
  return ParseLeadingNumber(text().toStdString());
}

}  // namespace torvane
