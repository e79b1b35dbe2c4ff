// The deep path of a case file, as the program walks it: the bytes are opened as a settings
// file, every stored gas section is characterised, Z and the saturation temperature are computed
// at the stored conditions, the labyrinth calculation runs with the stored inputs, and the
// labyrinth report is printed, from the calculated and from the stored record, on a recording
// surface. Any failure must be one of the program's own (a refused file, a calculation error, a
// printer error), and no value that is not a finite number may reach a result or the page.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/ansi_text.h"
#include "document/case_context.h"
#include "engine/component_library.h"
#include "laby/labyrinth_calculation.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "reports/labyrinth_report.h"
#include "reports/printer_surface.h"
#include "reports/recording_printer_surface.h"
#include "reports/report_case_builder.h"

namespace {

[[noreturn]] void Fail() { std::abort(); }

std::string& CasePath() {
  static std::string path;
  return path;
}

void RemoveScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(CasePath()).parent_path(), ignored);
}

void RequireFinite(double v) {
  if (!std::isfinite(v)) Fail();
}

// The gas window's recalculation of a stored section; false when a code is not in the library
// or the characterisation fails (the window shows its message and stops there).
bool CharacteriseSection(torvane::CaseContext& context, int g) {
  const torvane::CaseRecord& r = context.record;
  std::vector<torvane::GasComponentSlot> slots;
  for (int i = 0; i < r.component_count; ++i) {
    const auto id = torvane::LookUpComponent(torvane::AnsiToUtf8(r.GasCode(i, g).Trimmed()),
                                             context.engine.messages());
    if (!id) return false;
    slots.push_back({*id, r.MolFraction(i, g)});
  }
  try {
    context.engine.CharacteriseGas(g, slots);
  } catch (const torvane::CalculationError&) {
    context.engine.ForgetMixture(g);
    return false;
  }
  const torvane::GasMixture& m = context.engine.Mixture(g);
  RequireFinite(m.mix_mol_weight);
  RequireFinite(m.mix_acentric);
  RequireFinite(m.pseudo_crit_temp);
  RequireFinite(m.pseudo_crit_press);
  for (double v : m.mix_bwr) RequireFinite(v);
  return true;
}

// Z and the saturation temperature of the current gas at the stored upstream conditions.
void Properties(torvane::CaseContext& context) {
  const torvane::LabyData& d = context.laby_data;
  const double p = context.units.ConvertPressure(d[torvane::kPressUp], "AE");
  double t = context.units.ConvertTemperature(d[torvane::kTempUp], "AR");
  if (!std::isfinite(p) || !std::isfinite(t)) return;
  try {
    RequireFinite(context.engine.SaturationTemp(p));
  } catch (const torvane::CalculationError&) {
  }
  try {
    const torvane::SpecificVolumeResult v = context.engine.SpecificVolume(p, t);
    RequireFinite(v.z);
    RequireFinite(v.specific_volume);
  } catch (const torvane::CalculationError&) {
  }
}

void PrintReport(const torvane::CaseContext& context, const torvane::LabyData& laby_data) {
  torvane::ReportState state;
  torvane::RecordingPictureLoader pictures;
  const torvane::FixedReportClock clock(std::chrono::year_month_day(
      std::chrono::year(2026), std::chrono::month(12), std::chrono::day(6)));
  torvane::RecordingPrinterSurface surface;
  try {
    torvane::PrintLabyrinthReport(surface, {state, pictures, clock},
                                  torvane::MakeReportCase(context), laby_data, context.units);
  } catch (const torvane::PrinterError&) {
    return;
  }
  if (!surface.ended()) Fail();
  for (const auto& call : surface.calls()) {
    for (double v : call.args) RequireFinite(v);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/torvane-case-fuzz-XXXXXX";
  if (::mkdtemp(folder) == nullptr) Fail();
  CasePath() = std::string(folder) + "/case.trv";
  std::atexit(RemoveScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  {
    std::ofstream file(CasePath(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file) Fail();
  }
  torvane::RecordingMessageService messages;
  torvane::CaseContext context(messages);
  context.version_text = torvane::VersionText(8, 0, 2);
  try {
    torvane::OpenSettingsFile(context, CasePath());
  } catch (const torvane::FileError&) {
    return 0;  // refused: the program says so and keeps the open case
  }

  bool any = false;
  for (int g = 0; g <= context.record.last_gas_section; ++g) {
    if (CharacteriseSection(context, g)) {
      context.SetCurrentGas(g);
      Properties(context);
      any = true;
    }
  }
  // The stored record as torvane-cli report prints it.
  PrintReport(context, context.laby_data);
  if (!any) return 0;

  const torvane::LabyData& d = context.laby_data;
  torvane::LabyInputs in;
  in.laby_type = d[torvane::kLabyType] == 1 ? 1 : 0;
  in.seal_dia = d[torvane::kSealClear];
  in.seal_rad_clear = d[torvane::kSealRadClear];
  in.press_up = d[torvane::kPressUp];
  in.press_down = d[torvane::kPressDown];
  in.temp_up = d[torvane::kTempUp];
  in.tooth_thk = d[torvane::kToothThick];
  in.tooth_spc = d[torvane::kToothSpacing];
  in.tooth_no = d[torvane::kToothNumber];
  in.flo_co = d[torvane::kFlowCoef];
  torvane::LabyrinthCalculation calc(context.units, context.engine, messages);
  const torvane::LabyOutcome outcome = calc.Calculate(in);
  if (outcome.status != torvane::LabyOutcome::Status::kDone) return 0;
  for (double v : {outcome.results.laby_flow, outcome.results.laby_flow_std,
                   outcome.results.laby_supply_flow, outcome.results.laby_volume_flow}) {
    RequireFinite(v);
  }
  for (size_t k = 1; k < outcome.laby_data.size(); ++k) RequireFinite(outcome.laby_data[k]);
  PrintReport(context, outcome.laby_data);
  return 0;
}
