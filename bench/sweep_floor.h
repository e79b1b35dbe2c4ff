// The floor of a sweep point and of its CSV row: the arithmetic of the labyrinth calculation
// path (the seven field checks, the conversions, the saturation temperature, the flow function,
// the carry-over, the two specific volumes and the results in the user's units) written out as
// one plain inline function for the benchmarks, with every check the program makes and nothing
// else: no messages, no strings, no allocation, the limits and texts looked up once. It must
// give the program's answers bit for bit; the benchmarks check that on their grid before they
// time it.
#pragma once

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/equation_of_state.h"
#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "laby/leakage.h"
#include "platform/errors.h"
#include "platform/message_service.h"
#include "study/sweep.h"
#include "study/sweep_csv.h"
#include "units/csv_text.h"
#include "units/number_format.h"

namespace torvane::bench {

enum class FloorStatus : std::uint8_t { kOk, kRange, kStop, kError };

// What a message of a point was, for the texts of the CSV row.
enum class FloorMessage : std::uint8_t {
  kClearanceRatio,
  kSuggestedClearance,
  kMaxZIterations,
  kBelowSaturation,
  kDownstreamPressure,
  kCalculationError,
  kRangeMaximum,  // of field `range_field`
  kRangeMinimum,
};

struct FloorPoint {
  FloorStatus status = FloorStatus::kOk;
  std::uint8_t range_field = 0;  // index in kFieldCheckOrder
  std::uint8_t shown = 0;        // messages shown, the failure's last
  std::array<FloorMessage, 6> messages{};
  std::array<double, 2> values{};
  double flows[4] = {};   // mass, standard, inlet, exhaust flow in the user's units
  double saturation = 0;  // degR, for the stop below saturation
};

class SweepFloor {
 public:
  explicit SweepFloor(const Sweep& sweep, const GasMixture& gas) : base_(sweep.base()), gas_(gas) {
    const UnitChoice& u = sweep.units();
    for (const SweepRange& r : sweep.ranges()) {
      member_[variables_] = Member(r.variable);
      from_[variables_] = r.from;
      span_[variables_] = r.to - r.from;
      last_[variables_] = static_cast<double>(r.count - 1);
      single_[variables_] = r.count <= 1;
      count_[variables_] = r.count;
      ++variables_;
    }
    // The limits and messages of the seven checks, from the program's own check of each box.
    RecordingMessageService quiet;
    GasEngine engine(quiet);
    LabyrinthCalculation calculation(u, engine, quiet);
    for (size_t k = 0; k < kFieldCheckOrder.size(); ++k) {
      const LabyField f = kFieldCheckOrder[k];
      input_[k] = InputMember(f);
      max_[k] = HUGE_VAL;
      min_[k] = -HUGE_VAL;
      for (const bool upper : {true, false}) {
        // The limit lies where the check starts to fail: found by the check itself.
        const double probe = upper ? 1e300 : -1e300;
        try {
          calculation.CheckField(f, probe);
        } catch (const InputOutOfRange& e) {
          texts_[k][upper ? 0 : 1] = CsvField(e.what());
          (upper ? max_ : min_)[k] = Limit(f, upper, u);
        }
      }
    }
    length_ = u.Factor(Quantity::kLength);
    pressure_ = u.Factor(Quantity::kPressure);
    mass_ = u.Factor(Quantity::kMassFlow);
    volume_ = u.Factor(Quantity::kVolumeFlow);
    kilograms_ = u.Index(Quantity::kMassFlow) >= 2;
    temperature_ = u.Index(Quantity::kTemperature);
    suggested_ = u.InputLimit(LimitRow::kSuggestedClearance, LimitKind::kMaximum);
    units_ = u;
    ratio_text_ = kClearanceRatioWarning;
    suggested_text_ = SuggestedClearanceWarning(suggested_);
    ratio_field_ = CsvField(ratio_text_);
    suggested_field_ = CsvField(suggested_text_);
    both_field_ = CsvField(ratio_text_ + std::string(kWarningSeparator) + suggested_text_);
    downstream_field_ = CsvField(kDownstreamPressureMessage);
    error_field_ = CsvField(kCalculationErrorMessage);
  }

  // Point i of the sweep.
  FloorPoint Calculate(std::int64_t i) const {
    FloorPoint p;
    LabyInputs in = base_;
    std::int64_t position[2] = {i, 0};
    if (variables_ == 2) position[0] = i / count_[1], position[1] = i % count_[1];
    for (int k = 0; k < variables_; ++k) {
      const double v = single_[k]
                           ? from_[k]
                           : from_[k] + (span_[k] * static_cast<double>(position[k])) / last_[k];
      in.*member_[k] = v;
      p.values[static_cast<size_t>(k)] = v;
    }
    const auto fail = [&p](FloorStatus status, FloorMessage message) {
      p.status = status;
      p.messages[p.shown++] = message;
      return p;
    };
    const auto error = [&] { return fail(FloorStatus::kError, FloorMessage::kCalculationError); };

    for (size_t k = 0; k < 7; ++k) {
      const double v = in.*input_[k];
      if (!(v <= max_[k] && v >= min_[k])) {
        if (!std::isfinite(v)) return error();
        p.range_field = static_cast<std::uint8_t>(k);
        return fail(FloorStatus::kRange,
                    v > max_[k] ? FloorMessage::kRangeMaximum : FloorMessage::kRangeMinimum);
      }
    }

    // Conversions to internal units.
    const double diameter = in.seal_dia / length_;
    const double clearance = in.seal_rad_clear / length_;
    const double p_up = in.press_up / pressure_;
    const double p_down = in.press_down / pressure_;
    double t_up = 0;
    switch (temperature_) {
      case 0:
        t_up = in.temp_up + 459.67;
        break;
      case 1:
        t_up = in.temp_up;
        break;
      case 2:
        t_up = (in.temp_up + 273.15) * 1.8;
        break;
      default:
        t_up = in.temp_up * 1.8;
        break;
    }
    if (!std::isfinite(diameter) || !std::isfinite(clearance) || !std::isfinite(p_up) ||
        !std::isfinite(p_down) || !std::isfinite(t_up)) {
      return error();
    }

    // The saturation temperature (Edmister).
    double t_sat = gas_.pseudo_crit_temp;
    if (!(p_up >= gas_.pseudo_crit_press)) {
      if (gas_.pseudo_crit_press == 0) return error();
      const double ratio = p_up / gas_.pseudo_crit_press;
      if (!std::isfinite(ratio) || !(ratio > 0)) return error();
      const double log10_ratio = std::log(ratio) / std::log(10.0);
      const double d = 7 * (1 + gas_.mix_acentric);
      if (d == 0) return error();
      const double x = 3 * log10_ratio / d;
      if (!std::isfinite(x) || 1 - x == 0) return error();
      t_sat = gas_.pseudo_crit_temp / (1 - x);
      if (!std::isfinite(t_sat)) return error();
    }
    p.saturation = t_sat;
    if (t_up < t_sat) return fail(FloorStatus::kStop, FloorMessage::kBelowSaturation);

    const double beta = p_up == 0 ? NAN : p_down / p_up;
    if (!std::isfinite(beta)) return error();
    if (beta > 1) return fail(FloorStatus::kStop, FloorMessage::kDownstreamPressure);

    const double x = in.seal_rad_clear / in.tooth_spc;
    if (in.tooth_spc == 0 || !std::isfinite(x)) return error();
    if (x > 0.12) p.messages[p.shown++] = FloorMessage::kClearanceRatio;
    if (in.seal_rad_clear > suggested_) p.messages[p.shown++] = FloorMessage::kSuggestedClearance;

    // The flow function.
    const double n = in.tooth_no;
    if (!(n > 0) || (n >= kToothPoleBandLow && n <= kToothPoleBandHigh)) return error();
    const double tooth_term = 2.143 * (std::log(n) - 1.464) / (n - 4.322);
    if (n - 4.322 == 0 || !std::isfinite(tooth_term) || !(tooth_term > 0)) return error();
    const double power = std::pow(1 - beta, 0.375 * beta);
    const double phi = tooth_term * power;
    if (!std::isfinite(power) || !std::isfinite(phi)) return error();

    // The carry-over factor.
    double carry = 1.0;
    if (in.laby_type == 1) {
      if (!(1 + x > 0)) return error();
      const double l = std::log(1 + x);
      if (n <= 12) {
        const double e = std::exp(0.507 * (12 - n));
        if (!std::isfinite(e)) return error();
        const double a = 15.1 - 0.05255 * e;
        const double b = 1.058 + 0.0218 * n;
        const double q = (x - b * l) * a / (1 - b);
        if (1 - b == 0 || !std::isfinite(q)) return error();
        carry = 1 + q;
      } else {
        const double q = (x - 1.32 * l) * (13.15 + 0.1625 * n) / kStraightDivisor;
        if (!std::isfinite(q)) return error();
        carry = 1 + q;
      }
      if (!std::isfinite(carry) || !(carry > 0)) return error();
    }

    // The flows.
    const double mw = gas_.mix_mol_weight;
    const double root_arg = 1.01 * mw / t_up;
    if (t_up == 0 || !std::isfinite(root_arg) || root_arg < 0) return error();
    const double mass =
        diameter * 27.2 * clearance * p_up * phi * carry * in.flo_co * std::sqrt(root_arg);
    if (!std::isfinite(mass) || mass < 0) return error();
    const double per_mw = 1545 / mw;
    if (mw == 0 || !std::isfinite(per_mw)) return error();
    const double standard = mass * per_mw * 520 / 144 / 14.7;
    if (!std::isfinite(standard)) return error();
    double t = t_up;
    double v_up = 0, v_down = 0;
    if (!SpecificVolume(p_up, t, v_up, p) || !SpecificVolume(p_down, t, v_down, p)) return error();
    if (!(v_up > 0) || !(v_down > 0)) return error();
    const double exhaust = v_down * mass;
    const double inlet = mass * v_up;
    if (!std::isfinite(exhaust) || !std::isfinite(inlet)) return error();

    // The results in the user's units.
    p.flows[3] = exhaust * volume_;
    p.flows[2] = inlet * volume_;
    p.flows[0] = mass * mass_;
    p.flows[1] = kilograms_ ? standard * 1.699 : standard;
    for (double v : p.flows) {
      if (!std::isfinite(v)) return error();
    }
    if (!std::isfinite(in.press_down) || !std::isfinite(in.flo_co)) return error();
    return p;
  }

  // Appends the CSV row of a point, as the program's sweep writes it.
  void AppendCsvRow(const FloorPoint& p, std::string& out) const {
    char row[1024];
    char* w = row;
    const auto number = [&](double v) { w = std::to_chars(w, row + sizeof row, v).ptr; };
    const auto text = [&](const std::string& s) {
      s.copy(w, s.size());
      w += s.size();
    };
    for (int k = 0; k < variables_; ++k) {
      number(p.values[static_cast<size_t>(k)]);
      *w++ = ',';
    }
    if (p.status == FloorStatus::kOk) {
      for (double v : p.flows) {
        number(v);
        *w++ = ',';
      }
    } else {
      for (int k = 0; k < 4; ++k) *w++ = ',';
    }
    static constexpr const char* kStatus[] = {"ok,", "range,", "stop,", "error,"};
    for (const char* s = kStatus[static_cast<int>(p.status)]; *s; ++s) *w++ = *s;
    const int warnings = p.status == FloorStatus::kOk ? p.shown : p.shown - 1;
    if (p.status != FloorStatus::kOk) {
      if (p.messages[p.shown - 1] == FloorMessage::kBelowSaturation) {
        text(SaturationText(p));
      } else {
        text(MessageField(p, p.messages[p.shown - 1]));
      }
    }
    *w++ = ',';
    if (warnings == 1 && p.messages[0] != FloorMessage::kMaxZIterations) {
      text(p.messages[0] == FloorMessage::kClearanceRatio ? ratio_field_ : suggested_field_);
    } else if (warnings == 2 && p.messages[0] == FloorMessage::kClearanceRatio &&
               p.messages[1] == FloorMessage::kSuggestedClearance) {
      text(both_field_);
    } else if (warnings > 0) {
      std::string joined;
      for (int k = 0; k < warnings; ++k) {
        if (k > 0) joined += kWarningSeparator;
        joined += PlainText(p.messages[static_cast<size_t>(k)]);
      }
      text(CsvField(joined));
    }
    *w++ = '\n';
    out.append(row, w);
  }

 private:
  // The straight labyrinth's divisor for more than 12 teeth, as the program keeps it.
  inline static const double kStraightDivisor = std::nextafter(-0.32, -1.0);

  // Z and the specific volume at p (psia) and t (degR, raised to 200), as the engine gives
  // them; false for an arithmetic fault. A search that does not settle by substitution is left
  // to the engine's solver (it never happens on the benchmarks' grid).
  bool SpecificVolume(double p, double& t, double& v, FloorPoint& point) const {
    if (t < kLowestTemperature) t = kLowestTemperature;
    const auto& k = gas_.mix_bwr;
    const double rt = kGasConstantEos * t;
    const double rt_t2 = rt * t * t;
    if (!std::isfinite(rt) || !std::isfinite(rt_t2) || rt == 0 || rt_t2 == 0) return false;
    const double d1 = k[1] - k[0] / rt - k[2] / rt_t2;
    const double d2 = k[4] - k[3] / rt;
    const double d5 = k[3] * k[6] / rt;
    const double d6 = k[5] / rt_t2;
    if (!std::isfinite(d1) || !std::isfinite(d2) || !std::isfinite(d5) || !std::isfinite(d6)) {
      return false;
    }
    double z = 1.0;
    bool settled = false;
    for (int i = 1; i <= kIterationLimit; ++i) {
      const double rt_z = rt * z;
      const double rho = p / rt_z;
      if (rt_z == 0 || !std::isfinite(rho)) return false;
      const double rho2 = rho * rho;
      const double g = k[7] * rho2;
      const double z_new =
          1 + d1 * rho + d2 * rho2 + d5 * rho2 * rho2 * rho + d6 * rho2 * (1 + g) * std::exp(-g);
      if (!std::isfinite(z_new)) return false;
      if (std::fabs(z_new - z) < kZTolerance) {
        z = z_new;
        settled = true;
        break;
      }
      z = z_new;
    }
    if (!settled) {
      try {
        const CompressibilitySolution s = SolveCompressibility(gas_, p, t);
        z = s.z;
        if (s.needs_message) point.messages[point.shown++] = FloorMessage::kMaxZIterations;
      } catch (const CalculationError&) {
        return false;
      }
    }
    v = z * kGasConstantVolume * t;
    if (!std::isfinite(v) || gas_.mix_mol_weight == 0) return false;
    v = v / gas_.mix_mol_weight / 144 / p;
    return p != 0 && std::isfinite(v);
  }

  static double LabyInputs::*Member(StudyVariable v) { return InputMember(VariableField(v)); }
  static double Limit(LabyField f, bool upper, const UnitChoice& u) {
    const LimitKind kind = upper ? LimitKind::kMaximum : LimitKind::kMinimum;
    switch (f) {
      case LabyField::kSealDia:
        return u.InputLimit(LimitRow::kSealDiameter, kind);
      case LabyField::kPressUp:
        return u.InputLimit(LimitRow::kPressure, kind);
      case LabyField::kTempUp:
        return u.InputLimit(LimitRow::kTemperature, kind);
      case LabyField::kToothSpc:
        return u.InputLimit(LimitRow::kToothSpacing, kind);
      case LabyField::kToothThk:
        return u.InputLimit(LimitRow::kToothThickness, kind);
      case LabyField::kToothNo:
        return upper ? 50 : 1;
      default:
        return upper ? HUGE_VAL : 0;
    }
  }
  static std::string CsvField(const std::string& s) {
    std::string out;
    AppendCsvField(s, out);
    return out;
  }
  std::string PlainText(FloorMessage m) const {
    switch (m) {
      case FloorMessage::kClearanceRatio:
        return ratio_text_;
      case FloorMessage::kSuggestedClearance:
        return suggested_text_;
      default:
        return kMaxZIterationsMessage;
    }
  }
  // The failure's message as a CSV field.
  const std::string& MessageField(const FloorPoint& p, FloorMessage m) const {
    switch (m) {
      case FloorMessage::kRangeMaximum:
        return texts_[p.range_field][0];
      case FloorMessage::kRangeMinimum:
        return texts_[p.range_field][1];
      case FloorMessage::kDownstreamPressure:
        return downstream_field_;
      default:
        return error_field_;
    }
  }
  // The stop below saturation names the saturation temperature in the user's unit.
  std::string SaturationText(const FloorPoint& p) const {
    const double shown = units_.ConvertTemperature(p.saturation, "RA");
    return CsvField("Temperature is below saturation of " +
                    ShortestGeneral(ParseNumber(FormatNumber(shown, "#,###.0")).value_or(0)) + " " +
                    units_.Label(Quantity::kTemperature));
  }

  LabyInputs base_;
  GasMixture gas_;
  UnitChoice units_;
  int variables_ = 0;
  double LabyInputs::*member_[2] = {};
  double from_[2] = {}, span_[2] = {}, last_[2] = {};
  bool single_[2] = {};
  std::int64_t count_[2] = {1, 1};
  double LabyInputs::*input_[7] = {};
  double max_[7] = {}, min_[7] = {};
  std::string texts_[7][2];
  double length_ = 1, pressure_ = 1, mass_ = 1, volume_ = 1;
  bool kilograms_ = false;
  int temperature_ = 0;
  double suggested_ = 0;
  std::string ratio_text_, suggested_text_;
  std::string ratio_field_, suggested_field_, both_field_, downstream_field_, error_field_;
};

}  // namespace torvane::bench
