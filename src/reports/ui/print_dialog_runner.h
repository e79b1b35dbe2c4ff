// The printer dialog before a report: on screen Qt's print dialog, in tests a script.
#pragma once

#include <QString>
#include <deque>
#include <memory>

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

// Qt's print dialog with no selection, no page range and no print-to-file options.
class QtPrintDialogRunner : public PrintDialogRunner {
 public:
  bool Run(QPrinter& printer, QWidget* parent) override;
  // The dialog as it would be shown.
  static std::unique_ptr<QPrintDialog> BuildDialog(QPrinter& printer, QWidget* parent = nullptr);
};

// Answers from a prepared list (an answer not prepared is a cancel). An accepted answer may send
// the printer's output to a PDF file, so that a test can read what was printed.
class ScriptedPrintDialogRunner : public PrintDialogRunner {
 public:
  void PrepareAccept(QString output_pdf = {}) { answers_.push_back({true, std::move(output_pdf)}); }
  void PrepareCancel() { answers_.push_back({false, {}}); }
  bool Run(QPrinter& printer, QWidget* parent) override;
  int runs() const { return runs_; }

 private:
  struct Answer {
    bool accept;
    QString output_pdf;
  };
  std::deque<Answer> answers_;
  int runs_ = 0;
};

}  // namespace torvane
