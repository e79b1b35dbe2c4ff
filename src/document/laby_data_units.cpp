#include "document/laby_data_units.h"

#include <functional>

#include "platform/errors.h"

namespace torvane {
namespace {

// Sm3/hr per SCFM, as the labyrinth window shows the standard flow under kg/min and kg/hr.
constexpr double kNormalCubicMetresPerScfm = 1.699;

bool ShowsNormalCubicMetres(const UnitChoice& units) {
  return units.Index(Quantity::kMassFlow) >= 2;
}

}  // namespace

LabyData ConvertLabyData(const LabyData& data, const UnitChoice& from, const UnitChoice& to) {
  LabyData out = data;
  const auto convert = [&](int slot, const std::function<double(double)>& step) {
    double& value = out[static_cast<size_t>(slot)];
    try {
      value = Checked(step(value), "labyrinth data");
    } catch (const CalculationError&) {
      value = data[static_cast<size_t>(slot)];
    }
  };
  const auto changed = [&](Quantity q) { return from.Index(q) != to.Index(q); };

  if (changed(Quantity::kLength)) {
    for (int slot : {kSealClear, kSealRadClear, kToothThick, kToothSpacing}) {
      convert(slot, [&](double v) { return to.ConvertLength(from.ConvertLength(v, "AE"), "EA"); });
    }
  }
  if (changed(Quantity::kPressure)) {
    for (int slot : {kPressUp, kPressDown}) {
      convert(slot,
              [&](double v) { return to.ConvertPressure(from.ConvertPressure(v, "AE"), "EA"); });
    }
  }
  if (changed(Quantity::kTemperature)) {
    convert(kTempUp, [&](double v) {
      return to.ConvertTemperature(from.ConvertTemperature(v, "AR"), "RA");
    });
  }
  if (changed(Quantity::kMassFlow)) {
    convert(kLabyFlow,
            [&](double v) { return to.ConvertMassFlow(from.ConvertMassFlow(v, "AE"), "EA"); });
  }
  if (ShowsNormalCubicMetres(from) != ShowsNormalCubicMetres(to)) {
    convert(kLabyStdFlow, [&](double v) {
      return ShowsNormalCubicMetres(to) ? v * kNormalCubicMetresPerScfm
                                        : v / kNormalCubicMetresPerScfm;
    });
  }
  if (changed(Quantity::kVolumeFlow)) {
    for (int slot : {kLabySuppplyFlow, kLabyVolumeFlow}) {
      convert(slot, [&](double v) {
        return to.ConvertVolumeFlow(from.ConvertVolumeFlow(v, "AE"), "EA");
      });
    }
  }
  return out;
}

}  // namespace torvane
