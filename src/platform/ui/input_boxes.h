// The text and numeric boxes of the forms: a text box that reports a user's edit and the user
// leaving it, and a numeric box that also holds a display format and bounds.
#pragma once

#include <QLineEdit>
#include <optional>
#include <string>

class QAbstractSpinBox;

namespace torvane {

class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit TextBox(QWidget* parent = nullptr);

  // True after the user changed the text, until the program sets it again or clears the flag.
  bool modified_by_user() const { return modified_by_user_; }
  void ClearModified() { modified_by_user_ = false; }
  // Sets the text as the program (no edit notification, modified flag cleared).
  void SetProgramText(const QString& text);

 signals:
  // The user changed the text (each keystroke).
  void userEdited();
  // The user moved the focus to another control of the same window.
  void left();

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool modified_by_user_ = false;
};

class NumericBox : public TextBox {
  Q_OBJECT

 public:
  explicit NumericBox(QWidget* parent = nullptr);

  // The display pattern of FormatNumber ("0.00000", "#,##0.00"); empty shows the shortest
  // general form.
  void SetFormat(const std::string& pattern);
  const std::string& format() const { return format_; }
  // The significant digits of the shortest general form (15 unless set).
  void SetSignificantDigits(int digits) { digits_ = digits; }
  void SetBounds(double lower, double upper);
  void ClearBounds() { bounds_ = false; }

  // Shows a value in the display format.
  void SetValue(double value);
  // The number typed or shown (thousands separators allowed), or nothing when the text is not
  // a number.
  std::optional<double> Value() const;
  // The value a user means: the leading numeric part of the text, 0 when there is none, nothing
  // for a decimal comma (ParseLeadingNumber).
  std::optional<double> LeadingValue() const;
  bool InBounds(double value) const;

 signals:
  // The user left the box holding a number outside its bounds.
  void outOfBounds(double value);

 private:
  std::string format_;
  int digits_ = 15;
  bool bounds_ = false;
  double lower_ = 0;
  double upper_ = 0;
};

// Spin boxes read and show numbers as the program's other boxes do, whatever the user's locale: a
// decimal point and a comma between thousands ("1.300", "1,000"), never "1,300" for 1.3.
void UseProgramNumbers(QAbstractSpinBox* box);

}  // namespace torvane
