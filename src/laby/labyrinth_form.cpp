#include "laby/labyrinth_form.h"

#include <optional>
#include <stdexcept>

#include "document/ansi_text.h"
#include "document/case_context.h"
#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {
namespace {

struct FieldInfo {
  LabyField field;
  int slot;
  const char* name;  // the caption without its colon
  std::optional<Quantity> quantity;
};

constexpr FieldInfo kFieldInfo[] = {
    {LabyField::kSealDia, kSealClear, "Seal diameter", Quantity::kLength},
    {LabyField::kSealRadClear, kSealRadClear, "Seal radial clearance", Quantity::kLength},
    {LabyField::kPressUp, kPressUp, "Upstream pressure", Quantity::kPressure},
    {LabyField::kPressDown, kPressDown, "Downstream pressure", Quantity::kPressure},
    {LabyField::kTempUp, kTempUp, "Upstream temperature", Quantity::kTemperature},
    {LabyField::kToothThk, kToothThick, "Tooth thickness", Quantity::kLength},
    {LabyField::kToothSpc, kToothSpacing, "Tooth spacing", Quantity::kLength},
    {LabyField::kToothNo, kToothNumber, "Number of teeth", std::nullopt},
    {LabyField::kFloCo, kFlowCoef, "Flow coefficient", std::nullopt},
};

const FieldInfo& Info(LabyField field) {
  for (const FieldInfo& info : kFieldInfo) {
    if (info.field == field) return info;
  }
  throw std::invalid_argument("not an input box of the labyrinth window");
}

}  // namespace

int LabySlot(LabyField field) { return Info(field).slot; }

std::string FieldCaption(LabyField field) { return std::string(Info(field).name) + ":"; }

std::string TrimmedLabel(const std::string& label) {
  const auto first = label.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return label.substr(first, label.find_last_not_of(' ') - first + 1);
}

std::string AccessibleBoxName(const std::string& caption, const std::string& unit_label) {
  std::string name;
  for (char c : caption) {
    if (c != '&') name += c;
  }
  while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.pop_back();
  const std::string unit = TrimmedLabel(unit_label);
  if (unit.empty()) return name;
  return name.empty() ? unit : name + ", " + unit;
}

std::string NotANumberMessage(LabyField field) {
  return std::string(Info(field).name) + " must be a number";
}

LabyrinthForm::LabyrinthForm(CaseContext& context, MessageService& messages)
    : context_(&context),
      messages_(&messages),
      calculation_(context.units, context.engine, messages) {
  const LabyData& d = context.laby_data;
  // One tooth is not enough to calculate with at opening; editing the teeth box enables
  // Calculate anyway.
  calculate_enabled_ = d[kToothNumber] > 1 && d[kSealRadClear] > 0 && d[kSealClear] > 0;
  // The stored title without the blanks that pad it to 40 characters: text typed after them
  // would be cut off unseen.
  SetTitle(context.laby_title.empty() ? AnsiToUtf8(context.record.case_title.Trimmed())
                                      : context.laby_title);
}

std::string LabyrinthForm::WindowCaption() const {
  return kLabyWindowCaptionPrefix + context_->gas_file_title;
}

std::string LabyrinthForm::GasSectionCaption() const {
  return "Gas " + std::to_string(context_->CurrentGas() + 1) + " of " +
         std::to_string(context_->record.last_gas_section + 1);
}

std::string LabyrinthForm::UnitCaption(LabyField field) const {
  const auto& quantity = Info(field).quantity;
  return quantity ? calculation_.units().Label(*quantity) : std::string();
}

std::string LabyrinthForm::MassFlowCaption() const {
  return calculation_.units().Label(Quantity::kMassFlow);
}

std::string LabyrinthForm::StandardFlowCaption() const {
  return StandardFlowUnit(calculation_.units().Index(Quantity::kMassFlow));
}

std::string LabyrinthForm::VolumeFlowCaption() const {
  return calculation_.units().Label(Quantity::kVolumeFlow);
}

std::string LabyrinthForm::InputFormat(LabyField field) const {
  return Info(field).quantity == Quantity::kPressure ? calculation_.units().PressureFormat()
                                                     : std::string();
}

bool LabyrinthForm::results_stored() const { return context_->laby_results_stored; }

const LabyData& LabyrinthForm::record() const { return context_->laby_data; }

int LabyrinthForm::OpeningTypeIndex() const { return context_->laby_data[kLabyType] == 1 ? 1 : 0; }

const std::string& LabyrinthForm::title() const { return context_->laby_title; }

void LabyrinthForm::SetTitle(const std::string& utf8_text) {
  // Copy first: the text may be LabyTitle itself.
  std::string text = utf8_text;
  context_->record.case_title.Assign(Utf8ToAnsi(text));
  context_->laby_title = std::move(text);
}

bool LabyrinthForm::EntryIsNumber(LabyField field, const std::optional<double>& value) {
  if (value) return true;
  messages_->Show(NotANumberMessage(field));
  return false;
}

bool LabyrinthForm::CheckLeaving(LabyField field, std::optional<double> value) {
  if (!EntryIsNumber(field, value)) return false;
  try {
    calculation_.CheckField(field, *value);
  } catch (const InputOutOfRange&) {
    return false;
  }
  return true;
}

LabyOutcome LabyrinthForm::Calculate(const LabyEntries& entries) {
  using Status = LabyOutcome::Status;
  auto failed_at = [](LabyField field) {
    LabyOutcome out;
    out.status = Status::kFieldCheckFailed;
    out.focus = field;
    return out;
  };
  for (const LabyField field : kFieldCheckOrder) {
    if (!CheckLeaving(field, entries[field])) return failed_at(field);
  }
  for (const LabyField field : {LabyField::kPressDown, LabyField::kFloCo}) {
    if (!EntryIsNumber(field, entries[field])) return failed_at(field);
  }

  LabyInputs in;
  // The type list never shows anything but its two items; any other index counts as Stepped.
  in.laby_type = entries.laby_type == 1 ? 1 : 0;
  in.seal_dia = *entries[LabyField::kSealDia];
  in.seal_rad_clear = *entries[LabyField::kSealRadClear];
  in.press_up = *entries[LabyField::kPressUp];
  in.press_down = *entries[LabyField::kPressDown];
  in.temp_up = *entries[LabyField::kTempUp];
  in.tooth_thk = *entries[LabyField::kToothThk];
  in.tooth_spc = *entries[LabyField::kToothSpc];
  in.tooth_no = *entries[LabyField::kToothNo];
  in.flo_co = *entries[LabyField::kFloCo];

  LabyOutcome out = calculation_.Calculate(in);
  if (out.status != Status::kDone) return out;
  for (int slot = kLabyType; slot <= kLabyVolumeFlow; ++slot) {
    context_->laby_data[static_cast<size_t>(slot)] = out.laby_data[static_cast<size_t>(slot)];
  }
  context_->laby_results_stored = false;
  SetTitle(context_->laby_title);
  print_enabled_ = true;
  return out;
}

}  // namespace torvane
