#include "study/sweep_csv.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace torvane {

namespace {

std::string Trimmed(const std::string& label) {
  const auto end = label.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}

// "name (unit),".
void AppendColumn(std::string_view name, const std::string& unit, std::string& header) {
  header += name;
  if (!unit.empty()) header += " (" + unit + ")";
  header += ',';
}

}  // namespace

std::string SweepCsvHeader(std::span<const SweepRange> ranges, const UnitChoice& units,
                           bool with_methods, bool with_dynamics) {
  std::string header;
  for (const SweepRange& r : ranges) {
    const auto quantity = VariableQuantity(r.variable);
    AppendColumn(VariableName(r.variable), quantity ? Trimmed(units.Label(*quantity)) : "", header);
  }
  const std::string mass = Trimmed(units.Label(Quantity::kMassFlow));
  const std::string volume = Trimmed(units.Label(Quantity::kVolumeFlow));
  AppendColumn("mass_flow", mass, header);
  AppendColumn("std_flow", StandardFlowUnit(units.Index(Quantity::kMassFlow)), header);
  AppendColumn("inlet_flow", volume, header);
  AppendColumn("exhaust_flow", volume, header);
  if (with_methods || with_dynamics) header += "gamma,gamma_source,";
  if (with_methods) {
    for (const char* method : {"martin", "vermes", "tooth_by_tooth"}) {
      AppendColumn(method, mass, header);
    }
  }
  if (with_dynamics) {
    const std::string stiffness = StiffnessUnit(units);
    const std::string damping = DampingUnit(units);
    const std::string units_of[] = {stiffness, stiffness, damping, damping, damping, ""};
    for (size_t k = 0; k < kSweepDynamicsColumns.size(); ++k) {
      AppendColumn(kSweepDynamicsColumns[k], units_of[k], header);
    }
  }
  header += "status,message,warnings\n";
  return header;
}

std::array<std::optional<double>, 6> SweepDynamicsFigures(const SpeedAnswer& a) {
  if (!a.ok()) return {};
  const RotordynamicCoefficients& k = a.coefficients;
  return {k.kxx, k.kxy, k.cxx, k.cxy, a.effective_damping, a.whirl_frequency_ratio};
}

std::string JoinedWarnings(const SweepPoint& point) {
  std::string joined;
  for (const std::string& w : point.warnings) {
    if (!joined.empty()) joined += kWarningSeparator;
    joined += w;
  }
  return joined;
}

namespace {

// The most characters the shortest text of a double takes ("-2.2250738585072014e-308").
constexpr size_t kNumberRoom = 24;

// Whether text must be quoted as a CSV field (see AppendCsvField). The library's scan runs up to
// the first of those characters or the string's terminating null; only a null inside the text
// stops it short, and the rest is then looked at character by character.
bool NeedsQuotes(const std::string& text) {
  const size_t clean = std::strcspn(text.c_str(), ",\"\r\n");
  if (clean == text.size()) return false;
  for (size_t i = clean; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

// Writes text at w, quotes doubled; w has room for 2 * size characters.
char* PutQuoted(const std::string& text, char* w) {
  for (const char c : text) {
    if (c == '"') *w++ = '"';
    *w++ = c;
  }
  return w;
}

// Writes text at w as AppendCsvField appends it; w has room for 2 * size + 2 characters.
char* PutCsvField(const std::string& text, char* w) {
  if (!NeedsQuotes(text)) return std::copy(text.begin(), text.end(), w);
  *w++ = '"';
  w = PutQuoted(text, w);
  *w++ = '"';
  return w;
}

}  // namespace

void AppendSweepCsvRow(const SweepPoint& point, size_t variable_count, std::string& out) {
  // The row is written into a buffer on the stack and appended at once: its numbers (at most
  // 2 inputs, 4 flows, gamma, 3 methods and 6 coefficients) and short texts always fit; the
  // message and the warnings go in too when they fit, and are appended after it otherwise.
  char row[1024];
  char* w = row;
  const auto number = [&](double v) { w = std::to_chars(w, w + kNumberRoom, v).ptr; };
  const auto text = [&](std::string_view t) { w = std::copy(t.begin(), t.end(), w); };
  for (size_t k = 0; k < variable_count; ++k) {
    number(point.values[k]);
    *w++ = ',';
  }
  if (point.status == PointStatus::kOk) {
    const LabyResults& r = point.results;
    for (double v : {r.laby_flow, r.laby_flow_std, r.laby_supply_flow, r.laby_volume_flow}) {
      number(v);
      *w++ = ',';
    }
  } else {
    text(",,,,");
  }
  if (point.methods || point.dynamics) {
    if (point.gamma && point.gamma->ok()) number(point.gamma->value);
    *w++ = ',';
    if (point.gamma) text(GammaSourceKey(point.gamma->source));
    *w++ = ',';
  }
  if (point.methods) {
    for (const std::optional<double>& flow : *point.methods) {
      if (flow) number(*flow);
      *w++ = ',';
    }
  }
  if (point.dynamics) {
    for (const std::optional<double>& v : SweepDynamicsFigures(*point.dynamics)) {
      if (v) number(*v);
      *w++ = ',';
    }
  }
  text(StatusName(point.status));
  *w++ = ',';

  // Room for the texts at their longest, every character a quote doubled.
  size_t room = 2 * point.message.size() + 2 + 2 + 1;
  for (const std::string& warning : point.warnings) {
    room += 2 * (warning.size() + kWarningSeparator.size());
  }
  if (room > static_cast<size_t>(row + sizeof row - w)) {
    out.append(row, w);
    AppendCsvField(point.message, out);
    out += ',';
    if (point.warnings.size() == 1) {
      AppendCsvField(point.warnings.front(), out);
    } else if (!point.warnings.empty()) {
      AppendCsvField(JoinedWarnings(point), out);
    }
    out += '\n';
    return;
  }
  w = PutCsvField(point.message, w);
  *w++ = ',';
  if (point.warnings.size() == 1) {
    w = PutCsvField(point.warnings.front(), w);
  } else if (!point.warnings.empty()) {
    // The joined warnings are quoted as one field when any of them needs quotes.
    bool quoted = false;
    for (const std::string& warning : point.warnings) quoted = quoted || NeedsQuotes(warning);
    if (quoted) *w++ = '"';
    // As JoinedWarnings: a separator after any text so far.
    bool any = false;
    for (const std::string& warning : point.warnings) {
      if (any) text(kWarningSeparator);
      any = any || !warning.empty();
      w = quoted ? PutQuoted(warning, w) : std::copy(warning.begin(), warning.end(), w);
    }
    if (quoted) *w++ = '"';
  }
  *w++ = '\n';
  out.append(row, w);
}

}  // namespace torvane
