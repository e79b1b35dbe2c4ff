#include "reports/ui/print_dialog_runner.h"

#include <QPrintDialog>
#include <QPrinter>

namespace torvane {

std::unique_ptr<QPrintDialog> QtPrintDialogRunner::BuildDialog(QPrinter& printer, QWidget* parent) {
  auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
  dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog->setOption(QAbstractPrintDialog::PrintToFile, false);
  return dialog;
}

bool QtPrintDialogRunner::Run(QPrinter& printer, QWidget* parent) {
  return BuildDialog(printer, parent)->exec() == QDialog::Accepted;
}

bool ScriptedPrintDialogRunner::Run(QPrinter& printer, QWidget*) {
  ++runs_;
  if (answers_.empty()) return false;
  const Answer answer = answers_.front();
  answers_.pop_front();
  if (answer.accept && !answer.output_pdf.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.output_pdf);
  }
  return answer.accept;
}

}  // namespace torvane
