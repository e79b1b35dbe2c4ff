#include "gas/gas_analysis_model.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

#include "document/ansi_text.h"
#include "document/case_context.h"
#include "engine/component_library.h"
#include "gas/gas_text.h"
#include "gas/gas_warnings.h"
#include "gas/gas_window_hooks.h"
#include "platform/errors.h"
#include "units/number_format.h"

namespace torvane {
namespace {

// Totals of the fractions are accepted without the first warning inside these bounds.
constexpr double kLowestTotal = 0.96;
constexpr double kHighestTotal = 1.04;
constexpr double kExactTotalTolerance = 1e-12;

// A number as a box shows it; a value that is not finite (only a file's extreme fractions can
// overflow a sum) shows nothing rather than a false number.
std::string Display(double value, const char* pattern) {
  if (!std::isfinite(value)) return std::string();
  return FormatNumber(value, pattern);
}

std::string CloseCalculatePrompt(int section) {
  return "Calculate section " + std::to_string(section + 1) + " gas data";
}

}  // namespace

GasAnalysisModel::GasAnalysisModel(CaseContext& context, const UiServices& services,
                                   GasWarningPrompter& warnings, GasWindowHooks& hooks,
                                   std::string program_folder)
    : context_(context),
      services_(services),
      warnings_(warnings),
      hooks_(hooks),
      program_folder_(std::move(program_folder)) {}

int GasAnalysisModel::RowCount() const {
  return std::clamp<int>(context_.record.component_count, 0, kGasSlots);
}

int GasAnalysisModel::CurrentGas() const { return context_.CurrentGas(); }

void GasAnalysisModel::Open() {
  section_dirty_.fill(false);
  section_calculated_.fill(false);
  unsaved_changes_ = false;
  ask_calculate_ = false;
  context_.gas_calculated = false;

  // The window as it is built: every row blank with a fraction of 0, Save and Calculate
  // disabled, "Use File" hidden.
  view_ = GasWindowView{};
  for (auto& row : view_.rows) row = GasRowView{" ", FormatNumber(0, kMolFractionFormat)};
  total_fraction_ = SumFractions();
  ShowTotal();
  view_.total_mol_weight = FormatNumber(0, kClearedMolWeightFormat);
  UpdateCaption();
  view_.row_count = RowCount();

  const int last = std::clamp<int>(context_.record.last_gas_section, 0, kGasSections - 1);
  if (context_.show_stored_gas) {
    context_.gas_calculated = true;
    context_.show_stored_gas = false;
    for (int g = 0; g <= last; ++g) {
      section_calculated_[Index(g)] = true;
      context_.SetCurrentGas(g);
      ShowStoredSection(g);
      section_dirty_[Index(g)] = false;
    }
    context_.SetCurrentGas(0);
    view_.save_enabled = true;
    view_.calc_enabled = true;
    hooks_.SetLabyCommandEnabled(true);
  }

  if (last == 0) {
    view_.selector_visible = false;
  } else {
    view_.selector_visible = true;
    PickSection(0);
    view_.selector_enabled[0] = true;
    for (int g = 1; g < kGasSections; ++g) {
      view_.selector_enabled[Index(g)] = section_calculated_[Index(g)];
    }
  }
  services_.busy.SetBusy(false);
}

bool GasAnalysisModel::LeaveCodeBox(int row, const std::string& text, bool modified_by_user) {
  if (row < 0 || row >= RowCount()) return false;
  const int g = CurrentGas();
  const std::string code = TrimBlanks(text);
  entered_codes_[Index(row)] = code;
  context_.record.GasCode(row, g).Assign(Utf8ToAnsi(code));
  view_.rows[Index(row)].code = text;

  bool focus_back = false;
  // A box holding exactly one blank is a row without a component, as the cleared grid shows it.
  if (text != " ") {
    const auto id = LookUpComponent(code, services_.messages);
    context_.record.ComponentId(row, g) = static_cast<std::int16_t>(id.value_or(0));
    focus_back = !id.has_value();
  } else {
    context_.record.ComponentId(row, g) = 0;
  }

  if (context_.record.component_count == 1) {
    view_.rows[0].fraction = "1";
    view_.calc_enabled = true;
    context_.record.MolFraction(0, g) = 1;
    total_fraction_ = SumFractions();
    ShowTotal();
  }
  if (modified_by_user) SetDirty();
  return focus_back;
}

bool GasAnalysisModel::LeaveFractionBox(int row, const std::string& text, bool modified_by_user) {
  if (row < 0 || row >= RowCount()) return false;
  const int g = CurrentGas();
  // A box the user did not edit keeps the stored fraction exactly: its text is only the value
  // rounded for display, and reading it back would change the analysis unasked.
  if (modified_by_user) {
    // A decimal comma ("0,5") is refused like a fraction out of range, never read as 0.
    const std::optional<double> value = LeadingNumber(text);
    if (!value || !(*value >= 0 && *value <= 1)) {
      // The value is refused: the record keeps the fraction it had, the box keeps the text so
      // that the user can correct it.
      view_.rows[Index(row)].fraction = text;
      services_.messages.Show(kMolFractionRangeMessage);
      return true;
    }
    context_.record.MolFraction(row, g) = *value;
  }
  view_.rows[Index(row)].fraction =
      FormatNumber(context_.record.MolFraction(row, g), kMolFractionFormat);
  total_fraction_ = SumFractions();
  ShowTotal();
  if (row == RowCount() - 1) view_.calc_enabled = true;
  if (modified_by_user) SetDirty();
  return false;
}

double GasAnalysisModel::SumFractions() const {
  const int g = CurrentGas();
  double total = 0;
  for (int i = 0; i < kGasSlots; ++i) total += context_.record.MolFraction(i, g);
  return total;
}

void GasAnalysisModel::CheckTotalFraction(double& total) {
  if (!(total >= kLowestTotal && total <= kHighestTotal)) {
    context_.warn_answer = warnings_.AskOutOfLimits();
    if (context_.warn_answer) hooks_.HideGasWindow();
    return;
  }
  // Fractions such as 0.6, 0.3 and 0.1 add up to 0.9999999999999999 in binary: a total that
  // close to 1 is 1.
  if (std::fabs(total - 1) <= kExactTotalTolerance) return;
  context_.warn_answer = warnings_.AskNotOne();
  if (!context_.warn_answer) return;

  // Roundoff: the fractions in use divided by the total.
  const int g = CurrentGas();
  const bool on_display = g == view_.selector_section;
  for (int i = 0; i < RowCount(); ++i) {
    double& fraction = context_.record.MolFraction(i, g);
    fraction = CheckedDiv(fraction, total, "normalising the mole fractions");
    if (on_display) view_.rows[Index(i)].fraction = FormatNumber(fraction, kMolFractionFormat);
  }
  total = SumFractions();
  if (on_display) {
    total_fraction_ = total;
    ShowTotal();
  }
}

void GasAnalysisModel::Calculate() {
  const int j = CurrentGas();
  try {
    CheckTotalFraction(total_fraction_);
    context_.gas_calculated = true;
    {
      BusyScope busy(services_.busy);
      Characterise(j);
    }
    section_dirty_[Index(j)] = false;
    view_.save_enabled = true;
    view_.last_enabled = false;
    context_.gas_defined = true;
    section_calculated_[Index(j)] = true;
    if (j == context_.record.last_gas_section) {
      hooks_.SetLabyCommandEnabled(true);
    } else if (j < context_.record.last_gas_section) {
      view_.selector_enabled[Index(j + 1)] = true;
    }
  } catch (const std::exception&) {
    ReportCalculationError(j);
  }
}

void GasAnalysisModel::PickSection(int section) {
  const int last = std::clamp<int>(context_.record.last_gas_section, 0, kGasSections - 1);
  if (section < 0 || section > last) return;
  context_.SetCurrentGas(section);
  view_.selector_section = section;
  if (section_calculated_[Index(section)]) {
    ShowStoredSection(section);
    view_.calc_enabled = true;
    view_.last_enabled = false;
    section_dirty_[Index(section)] = false;
  } else {
    ClearSectionGrid();
    view_.calc_enabled = false;
    if (section == 0) {
      view_.last_enabled = false;
    } else {
      view_.last_visible = true;
      view_.last_enabled = true;
      view_.last_caption = kUseFileCaptionPrefix + std::to_string(section);
    }
  }
}

void GasAnalysisModel::UseLastFile() {
  const int g = CurrentGas();
  if (g == 0) return;
  CopyPreviousSection();
  view_.calc_enabled = true;
  // The copy changes the section as typing would: it asks to be calculated and saved.
  SetDirty();
}

SaveOutcome GasAnalysisModel::Save() {
  const SaveOutcome outcome =
      ChooseAndSaveGasFile(context_, services_.files, services_.messages, program_folder_);
  if (outcome == SaveOutcome::kSaved) {
    UpdateCaption();
    unsaved_changes_ = false;
  }
  return outcome;
}

CloseOutcome GasAnalysisModel::Close() {
  // Each later match replaces the earlier one: of several changed sections the last is offered.
  std::string prompt;
  ask_calculate_ = false;
  const bool in_use = context_.record.component_count > 0;
  if (section_dirty_[0] && !in_use) {
    prompt = "Calculate gas data";
    ask_calculate_ = true;
  }
  for (int g = 0; g < kGasSections; ++g) {
    if (section_dirty_[Index(g)] && in_use) {
      prompt = CloseCalculatePrompt(g);
      context_.SetCurrentGas(g);
      ask_calculate_ = true;
    }
  }

  // A window that stays open goes on working on the section it shows.
  auto stay_open = [this] {
    context_.SetCurrentGas(view_.selector_section);
    return CloseOutcome::kStaysOpen;
  };

  if (ask_calculate_) {
    const Answer answer = services_.questions.Ask(
        Question{prompt, QuestionButtons::kYesNoCancel, MessageIcon::kQuestion});
    if (answer != Answer::kYes) return CloseOutcome::kClosed;
    const int g = CurrentGas();
    try {
      // The total of the section being calculated, which need not be the one on display.
      double other_total = 0;
      double& total =
          g == view_.selector_section ? total_fraction_ : (other_total = SumFractions());
      CheckTotalFraction(total);
      context_.gas_calculated = true;
      Characterise(g);
    } catch (const std::exception&) {
      ReportCalculationError(g);
      return stay_open();
    }
    hooks_.SetLabyCommandEnabled(true);
    section_calculated_[Index(g)] = true;
    section_dirty_[Index(g)] = false;
    ask_calculate_ = false;
    view_.save_enabled = true;
    view_.last_enabled = false;
  }

  if (unsaved_changes_) {
    const Answer answer = services_.questions.Ask(
        Question{kSaveGasDataPrompt, QuestionButtons::kYesNoCancel, MessageIcon::kQuestion});
    if (answer == Answer::kCancel) return stay_open();
    if (answer == Answer::kYes && Save() == SaveOutcome::kFailed) return stay_open();
  }
  return CloseOutcome::kClosed;
}

void GasAnalysisModel::CloseButtonFocused() { services_.busy.SetBusy(false); }

void GasAnalysisModel::UpdateCaption() {
  view_.caption = kGasWindowCaptionPrefix + context_.gas_file_title;
}

void GasAnalysisModel::ShowTotal() {
  view_.total_mol_fraction = Display(total_fraction_, kTotalMolFractionFormat);
}

void GasAnalysisModel::ShowMolWeight(double mol_weight) {
  view_.total_mol_weight = Display(mol_weight, MolWeightFormat(mol_weight));
}

void GasAnalysisModel::ShowStoredSection(int section) {
  for (int i = 0; i < RowCount(); ++i) {
    view_.rows[Index(i)] =
        GasRowView{AnsiToUtf8(context_.record.GasCode(i, section).Trimmed()),
                   Display(context_.record.MolFraction(i, section), kMolFractionFormat)};
  }
  total_fraction_ = SumFractions();
  ShowTotal();
  LookUpShownCodes(section);
  try {
    Characterise(section);
  } catch (const std::exception&) {
    ReportCalculationError(section);
  }
}

void GasAnalysisModel::CopyPreviousSection() {
  const int g = CurrentGas();
  CaseRecord& r = context_.record;
  for (int i = 0; i < RowCount(); ++i) {
    r.GasCode(i, g) = r.GasCode(i, g - 1);
    r.ComponentId(i, g) = r.ComponentId(i, g - 1);
    r.MolFraction(i, g) = r.MolFraction(i, g - 1);
    view_.rows[Index(i)] = GasRowView{AnsiToUtf8(r.GasCode(i, g).Trimmed()),
                                      Display(r.MolFraction(i, g), kMolFractionFormat)};
  }
  total_fraction_ = SumFractions();
  ShowTotal();
  LookUpShownCodes(g);
}

// Stored codes are upper-cased in place and looked up, so that a code no longer in the library
// is reported; the ids already in the record are kept. A blank slot holds no code to report.
void GasAnalysisModel::LookUpShownCodes(int section) {
  for (int i = 0; i < RowCount(); ++i) {
    FixedText<4>& code = context_.record.GasCode(i, section);
    code.Assign(UpperCaseAnsi(code.view()));
    entered_codes_[Index(i)] = AnsiToUtf8(code.Trimmed());
    if (entered_codes_[Index(i)].empty()) continue;
    LookUpComponent(entered_codes_[Index(i)], services_.messages);
  }
}

void GasAnalysisModel::ClearSectionGrid() {
  const int g = CurrentGas();
  for (int i = 0; i < RowCount(); ++i) {
    view_.rows[Index(i)] = GasRowView{" ", FormatNumber(0, kMolFractionFormat)};
    context_.record.MolFraction(i, g) = 0;
  }
  total_fraction_ = SumFractions();
  ShowTotal();
  view_.total_mol_weight = FormatNumber(0, kClearedMolWeightFormat);
}

void GasAnalysisModel::Characterise(int section) {
  std::vector<GasComponentSlot> slots;
  for (int i = 0; i < RowCount(); ++i) {
    slots.push_back(GasComponentSlot{context_.record.ComponentId(i, section),
                                     context_.record.MolFraction(i, section)});
  }
  try {
    context_.engine.CharacteriseGas(section, slots);
  } catch (...) {
    // No property of an earlier gas may be computed for this section from now on.
    context_.engine.ForgetMixture(section);
    throw;
  }
  ShowMolWeight(context_.engine.Mixture(section).mix_mol_weight);
}

void GasAnalysisModel::SetDirty() {
  section_dirty_[Index(CurrentGas())] = true;
  unsaved_changes_ = true;
}

std::string MissingCodeMessage(int row) {
  return "Row " + std::to_string(row + 1) + " has no valid component code.";
}

void GasAnalysisModel::ReportCalculationError(int section) {
  std::string text = kGasCalculationErrorMessage;
  // The commonest cause, named where it applies: a row whose code is blank or not in the library.
  for (int i = 0; i < RowCount(); ++i) {
    if (ComponentById(context_.record.ComponentId(i, section)) == nullptr) {
      text += "\n" + MissingCodeMessage(i);
      break;
    }
  }
  services_.messages.Show(text, MessageIcon::kCritical);
}

}  // namespace torvane
