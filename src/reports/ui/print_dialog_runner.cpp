#include "reports/ui/print_dialog_runner.h"

#include <QEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace torvane {
namespace {

// Where the printing system can pick pages itself (CUPS), Qt's dialog shows its print range
// group, "Pages from" and "Pages" included, although the page-range option is off. The report
// is one page: the group is hidden each time the dialog is shown, after Qt has set it up.
class PageRangeHider : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* group = watched->findChild<QWidget*>(QStringLiteral("gbPrintRange"))) {
        group->hide();
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

std::unique_ptr<QPrintDialog> QtPrintDialogRunner::BuildDialog(QPrinter& printer, QWidget* parent) {
  auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
  dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog->setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog->installEventFilter(new PageRangeHider(dialog.get()));
  return dialog;
}

bool QtPrintDialogRunner::Run(QPrinter& printer, QWidget* parent) {
  return BuildDialog(printer, parent)->exec() == QDialog::Accepted;
}

bool ScriptedPrintDialogRunner::Run(QPrinter& printer, QWidget*) {
  ++runs_;
  doc_name_ = printer.docName();
  page_layout_ = printer.pageLayout();
  if (answers_.empty()) return false;
  const Answer answer = answers_.front();
  answers_.pop_front();
  if (answer.accept && !answer.printer_name.isEmpty()) {
    printer.setPrinterName(answer.printer_name);
    if (answer.page_size) printer.setPageSize(*answer.page_size);
  }
  if (answer.accept && !answer.output_pdf.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.output_pdf);
    if (answer.page_size) printer.setPageSize(*answer.page_size);
  }
  return answer.accept;
}

}  // namespace torvane
