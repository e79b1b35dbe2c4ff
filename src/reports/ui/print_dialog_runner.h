// The printer dialog before a report: on screen Qt's print dialog, in tests a script.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <deque>
#include <memory>
#include <optional>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace torvane {

class PrintDialogRunner {
 public:
  virtual ~PrintDialogRunner() = default;
  // Lets the user choose and set up the printer; false when the user cancelled.
  virtual bool Run(QPrinter& printer, QWidget* parent) = 0;
};

// Qt's print dialog with no selection, no page range and no print-to-file options (the print
// range group is hidden even where Qt would show it for the printing system's own page choice).
class QtPrintDialogRunner : public PrintDialogRunner {
 public:
  bool Run(QPrinter& printer, QWidget* parent) override;
  // The dialog as it would be shown.
  static std::unique_ptr<QPrintDialog> BuildDialog(QPrinter& printer, QWidget* parent = nullptr);
};

// Answers from a prepared list (an answer not prepared is a cancel). An accepted answer may send
// the printer's output to a PDF file, so that a test can read what was printed, or choose a
// printer by name; either may also choose another paper, as a user can in the dialog. The
// document name and page layout the printer had when the dialog opened are kept.
class ScriptedPrintDialogRunner : public PrintDialogRunner {
 public:
  void PrepareAccept(QString output_pdf = {}, std::optional<QPageSize> page_size = {}) {
    answers_.push_back({true, std::move(output_pdf), {}, std::move(page_size)});
  }
  void PrepareAcceptPrinter(QString printer_name, std::optional<QPageSize> page_size = {}) {
    answers_.push_back({true, {}, std::move(printer_name), std::move(page_size)});
  }
  void PrepareCancel() { answers_.push_back({false, {}, {}, {}}); }
  bool Run(QPrinter& printer, QWidget* parent) override;
  int runs() const { return runs_; }
  const QString& doc_name() const { return doc_name_; }
  const QPageLayout& page_layout() const { return page_layout_; }

 private:
  struct Answer {
    bool accept;
    QString output_pdf;
    QString printer_name;
    std::optional<QPageSize> page_size;
  };
  std::deque<Answer> answers_;
  int runs_ = 0;
  QString doc_name_;
  QPageLayout page_layout_;
};

}  // namespace torvane
