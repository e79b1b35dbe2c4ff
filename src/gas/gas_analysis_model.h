// The gas analysis window without a window: the codes and fractions of the sections as the
// boxes show them, the sums, the check of the total mole fraction and its normalisation, the
// Calculate, section, "Use File n", Save and Close commands, and the section bookkeeping
// (SectionDirty, SectionCalculated, UnsavedChanges, AskCalculate). Everything typed goes
// straight into the gas tables of the shared case record; the window binds its controls to
// view() and hands each of the user's actions to one operation here.
//
// The sections are entered in order: section k + 1 becomes selectable once section k has been
// calculated, except when the window opens on stored data, where every stored section is.
#pragma once

#include <array>
#include <string>

#include "document/case_record.h"
#include "engine/gas_mixture.h"
#include "gas/gas_files.h"
#include "platform/ui_services.h"

namespace torvane {

struct CaseContext;
class GasWarningPrompter;
class GasWindowHooks;

inline constexpr const char kGasWindowCaptionPrefix[] = "Gas Data - ";
inline constexpr const char kMolFractionRangeMessage[] = "Allowable mol fraction range is 0 to 1'";
inline constexpr const char kGasCalculationErrorMessage[] =
    "Calculation error, recheck input and try again";
inline constexpr const char kSaveGasDataPrompt[] = "Save gas data";
// The second line of the calculation error when a row in use has no valid component code:
// "Row 3 has no valid component code." (rows counted from 1).
std::string MissingCodeMessage(int row);
inline constexpr const char kUseFileCaptionPrefix[] = "Use File ";
inline constexpr const char kMolFractionFormat[] = "0.00000";
inline constexpr const char kTotalMolFractionFormat[] = "#0.00000";
inline constexpr const char kClearedMolWeightFormat[] = "###0.0";
// Rows of the grid per group; each group has its own headings.
inline constexpr int kRowsPerGroup = 10;

// What the boxes of one row show.
struct GasRowView {
  std::string code;      // txtGasName(i)
  std::string fraction;  // txtMolFract(i)
};

// What the window shows. Texts are UTF-8.
struct GasWindowView {
  std::string caption;
  int row_count = 0;  // rows 0..row_count-1 are shown: ComponentCount
  std::array<GasRowView, kGasSlots> rows;
  std::string total_mol_fraction;  // txtTotalMF
  std::string total_mol_weight;    // txtTotalMW
  bool save_enabled = false;       // cmdSave
  bool calc_enabled = false;       // cmdCalc
  bool last_visible = false;       // cmdLast
  bool last_enabled = false;
  std::string last_caption = kUseFileCaptionPrefix;
  bool selector_visible = false;  // optNumFile
  int selector_section = 0;       // the item selected: the section on display
  std::array<bool, kGasSections> selector_enabled{};

  // The headings of group 0 always, of group 1 with more than 10 rows, of group 2 with more
  // than 20.
  bool GroupShown(int group) const { return group == 0 || row_count > group * kRowsPerGroup; }
};

enum class CloseOutcome { kClosed, kStaysOpen };

class GasAnalysisModel {
 public:
  // program_folder is where the gas file dialogs start.
  GasAnalysisModel(CaseContext& context, const UiServices& services, GasWarningPrompter& warnings,
                   GasWindowHooks& hooks, std::string program_folder);

  // The window opens: fresh bookkeeping, the rows in use, and with ShowStoredGas every stored
  // section shown and calculated; a window of several sections then shows section 0.
  void Open();

  // The user left the code box of a row. Returns true when the focus must go back to it (a
  // code not in the library, reported by the library's message).
  bool LeaveCodeBox(int row, const std::string& text, bool modified_by_user);
  // The user left the fraction box of a row. Returns true when the focus must go back to it
  // (a value outside 0..1, reported by kMolFractionRangeMessage; nothing is stored then).
  bool LeaveFractionBox(int row, const std::string& text, bool modified_by_user);

  // Calculate (cmdCalc) on the section on display.
  void Calculate();
  // A section picked in optNumFile.
  void PickSection(int section);
  // "Use File n" (cmdLast): the previous section copied into the one on display.
  void UseLastFile();
  // Save (cmdSave): the gas file save dialog and the write.
  SaveOutcome Save();
  // Close (cmdClose), also the window's close box and Escape: the prompts, then whether the
  // window closes.
  CloseOutcome Close();
  // The Close button received the focus.
  void CloseButtonFocused();

  // Sum of the fractions of all 30 slots of the current gas, hidden slots included.
  double SumFractions() const;
  // The check of a total with its warnings; may normalise the fractions of the current gas
  // and replace total. Raises CalculationError only for an arithmetic fault.
  void CheckTotalFraction(double& total);

  const GasWindowView& view() const { return view_; }
  bool section_dirty(int section) const { return section_dirty_.at(Index(section)); }
  bool section_calculated(int section) const { return section_calculated_.at(Index(section)); }
  bool unsaved_changes() const { return unsaved_changes_; }
  bool ask_calculate() const { return ask_calculate_; }
  double total_fraction() const { return total_fraction_; }
  // The code last taken from a code box or from the stored analysis, blanks trimmed.
  const std::string& entered_code(int slot) const { return entered_codes_.at(Index(slot)); }

 private:
  static size_t Index(int i) { return static_cast<size_t>(i); }
  int RowCount() const;
  int CurrentGas() const;
  void UpdateCaption();
  void ShowTotal();
  void ShowMolWeight(double mol_weight);
  void ShowStoredSection(int section);
  void CopyPreviousSection();
  void ClearSectionGrid();
  void LookUpShownCodes(int section);
  void Characterise(int section);
  void SetDirty();
  // The calculation error of a section, naming its first row without a valid code.
  void ReportCalculationError(int section);

  CaseContext& context_;
  UiServices services_;
  GasWarningPrompter& warnings_;
  GasWindowHooks& hooks_;
  std::string program_folder_;

  std::array<bool, kGasSections> section_dirty_{};
  std::array<bool, kGasSections> section_calculated_{};
  bool unsaved_changes_ = false;
  bool ask_calculate_ = false;
  double total_fraction_ = 0;
  std::array<std::string, kGasSlots> entered_codes_;
  GasWindowView view_;
};

}  // namespace torvane
