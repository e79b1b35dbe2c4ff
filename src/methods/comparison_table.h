// The comparison as the user reads it: the table of the four methods (as the comparison window
// shows it, the clipboard takes it and the report prints it), the notes on methods that failed
// or warned, the CSV export, and the tooth-by-tooth pressure profile for the plots.
#pragma once

#include <string>
#include <vector>

#include "methods/method_comparison.h"
#include "platform/file_chooser.h"

namespace torvane {

inline constexpr const char kLegacyMethodName[] = "Program correlation";

struct ComparisonTable {
  // "Method", "Leakage (<mass-flow unit>)", "Ratio to correlation", "Choked",
  // "Choking throttle", "Critical ratio".
  std::vector<std::string> header;
  // The correlation, Martin, Martin-Vermes, tooth by tooth, and with the real-gas option tooth
  // by tooth for the real gas. A method without a result shows "-" for its leakage; what does
  // not apply to a method is empty.
  std::vector<std::vector<std::string>> rows;
  // The same rows for the clipboard: the numbers as plain decimals to the same decimals, without
  // thousands separators, so that a spreadsheet reads them as numbers.
  std::vector<std::vector<std::string>> copy_rows;
  // One line per method that failed and per message or warning of the correlation, e.g.
  // "Tooth by tooth: Tooth by tooth needs a whole number of teeth, not 16.5".
  std::vector<std::string> notes;
};

ComparisonTable MakeComparisonTable(const MethodComparison& comparison);

// The table as tab-separated lines (the header with its units first, then copy_rows), for the
// clipboard.
std::string ComparisonTableText(const ComparisonTable& table);

// The comparison as CSV: the case (gamma and where it came from, real gas, Z), one line per method
// with its status, leakage, ratio, choking and message at full precision, then the tooth-by-tooth
// stations with their pressures and temperatures. Lines end with CR LF.
std::string ComparisonCsv(const MethodComparison& comparison);

// The save dialog of the CSV export, made from the report's PDF dialog: the same folder, the
// name's ".pdf" replaced by " - methods.csv".
FileDialogRequest ComparisonCsvRequest(FileDialogRequest pdf_request);

// The tooth-by-tooth pressure profile in the user's units, for plotting.
struct PressureProfile {
  std::vector<double> pressures;  // stations 0..N
  double downstream_pressure = 0;
  int choked_station = 0;     // the station just past the choking throttle; 0 when not choked
  std::string pressure_unit;  // label without trailing blanks, e.g. "Bar a"
  bool empty() const { return pressures.empty(); }
};
PressureProfile ToothByToothProfile(const MethodComparison& comparison);

// The case in one line: "Stepped labyrinth, 8 teeth, 500.00 to 100.00 psia, 100.0 deg F".
std::string ComparisonCaseText(const MethodComparison& comparison);

// "Gamma (cp/cv) 1.287 from the gas" (its ideal-gas cp0/cv0 at the upstream temperature),
// "Gamma (cp/cv) 1.300 as given", or "Gamma (cp/cv) -" where the gas gives none.
std::string GammaText(const CaseGamma& gamma);

// "Gamma (cp/cv) 1.287 from the gas, ideal gas" or "Gamma (cp/cv) 1.300 as given, real gas,
// Z = 0.8735 at the upstream state": the basis of the comparison in one line.
std::string ComparisonBasisText(const MethodComparison& comparison);

}  // namespace torvane
