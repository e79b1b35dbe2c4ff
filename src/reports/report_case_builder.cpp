#include "reports/report_case_builder.h"

#include "document/ansi_text.h"

namespace torvane {

ReportCase MakeReportCase(const CaseContext& context) {
  const CaseRecord& r = context.record;
  ReportCase rc;
  rc.case_title = AnsiToUtf8(r.case_title.view());
  rc.settings_file_path = context.settings_file_path;
  rc.gas_file_title = context.gas_file_title;
  rc.version_text = context.version_text;
  rc.reserved_r2 = r.reserved_int.r2;
  rc.component_count = r.component_count;
  rc.gas_section = context.CurrentGas();
  for (int g = 0; g < kReportGasSections; ++g) {
    for (int i = 0; i < kReportMaxComponents; ++i) {
      rc.gas_code[static_cast<size_t>(g)][static_cast<size_t>(i)] =
          AnsiToUtf8(r.GasCode(i, g).view());
      rc.mol_fraction[static_cast<size_t>(g)][static_cast<size_t>(i)] = r.MolFraction(i, g);
    }
    rc.mix_mol_weight[static_cast<size_t>(g)] = context.engine.Mixture(g).mix_mol_weight;
  }
  return rc;
}

}  // namespace torvane
