#include "cli/report_command.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <ostream>
#include <sstream>

#include "cli/cli_output.h"
#include "cli/command_line.h"
#include "cli/json_writer.h"
#include "document/ansi_text.h"
#include "document/case_context.h"
#include "document/case_files.h"
#include "engine/component_library.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "platform/version.h"
#include "reports/printer_surface.h"
#include "reports/qt/headless_gui.h"
#include "reports/qt/qt_report_context.h"
#include "reports/qt/report_output.h"
#include "reports/report_case_builder.h"

namespace torvane::cli {
namespace {

class StderrMessages : public MessageService {
 public:
  explicit StderrMessages(std::ostream& err) : err_(err) {}
  using MessageService::Show;
  void Show(const Message& m) override { PrintError(err_, m.text); }

 private:
  std::ostream& err_;
};

// Characterises every stored gas section, its ids looked up again from the codes, as the gas
// window does when it shows stored data.
void CharacteriseStoredGas(CaseContext& context) {
  const CaseRecord& r = context.record;
  if (r.component_count < 1)
    throw CliFailure{kExitGas, "the case's gas analysis has no components"};
  for (int g = 0; g <= r.last_gas_section; ++g) {
    std::vector<GasComponentSlot> components;
    for (int i = 0; i < r.component_count; ++i) {
      const auto id =
          LookUpComponent(AnsiToUtf8(r.GasCode(i, g).Trimmed()), context.engine.messages());
      if (!id) throw CliFailure{kExitGas, ""};
      components.push_back({*id, r.MolFraction(i, g)});
    }
    context.engine.CharacteriseGas(g, components);
  }
  context.SetCurrentGas(0);
}

// Qt's notes about the desktop session (no runtime folder on a server) are not the user's
// concern here; real warnings still reach standard error.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (text.startsWith("QStandardPaths: ")) return;
  std::ostringstream line;
  PrintError(line, text.toLocal8Bit().toStdString());
  fputs(line.str().c_str(), stderr);
}

// Refuses, before anything is computed, a PDF name that would replace the case file itself or
// something that is not a regular, writable file (a device, a pipe, a folder, a read-only file).
void CheckPdfTarget(const std::string& pdf, const std::string& input) {
  if (IsSameFile(pdf, input)) throw FileError(pdf, "it is the file the report is made from");
  CheckReplaceable(pdf);
}

}  // namespace

int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Options o = Options::Parse(args, {"pdf"}, {"json"});
  if (o.positional().size() != 1) {
    throw CliFailure{kExitUsage, "report takes one settings file: report FILE.trv --pdf OUT.pdf"};
  }
  const auto pdf = o.Text("pdf");
  if (!pdf || pdf->empty()) throw CliFailure{kExitUsage, "missing option --pdf"};
  const std::string& path = o.positional().front();

  StderrMessages messages(err);
  CaseContext context(messages);
  context.version_text = VersionText(kVersionMajor, kVersionMinor, kVersionRevision);
  OpenSettingsFile(context, path);  // FileError: exit 7
  // Nothing prints results that were never calculated.
  if (IsUncalculatedLabyData(context.laby_data)) {
    throw FileError(path,
                    "it holds no labyrinth results to report (a gas file, or a case whose "
                    "labyrinth was never calculated)");
  }
  CheckPdfTarget(*pdf, path);
  CharacteriseStoredGas(context);  // CalculationError: exit 6

  qInstallMessageHandler(QuietQtMessages);
  HeadlessGui gui;
  QtReportContext reports;
  try {
    WriteLabyrinthReportPdf(QString::fromStdString(*pdf), reports.services(),
                            MakeReportCase(context), context.laby_data, context.units, {path});
  } catch (const PrinterError& e) {
    throw CliFailure{kExitFile, e.what()};
  }
  if (o.Switch("json")) {
    JsonWriter j;
    j.BeginObject().Key("settings_file").String(path).Key("pdf").String(*pdf).EndObject();
    out << j.str() << '\n';
  } else {
    out << "Labyrinth report of " << path << " written to " << *pdf << '\n';
  }
  return kExitOk;
}

}  // namespace torvane::cli
