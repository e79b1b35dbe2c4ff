#include "study/sweep.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "laby/laby_test_support.h"
#include "study/study_form.h"
#include "study/study_plot.h"
#include "study/study_run.h"
#include "study/sweep_csv.h"
#include "thermo/ideal_gas_heat.h"
#include "units/number_format.h"

namespace torvane {
namespace {

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

UnitChoice English() { return UnitChoice(); }

std::vector<SweepPoint> AllPoints(Sweep& sweep) {
  std::vector<SweepPoint> points;
  sweep.Run(0, sweep.size(), [&](const SweepPoint& p) {
    points.push_back(p);
    return true;
  });
  return points;
}

// What the labyrinth window would show for these inputs, calculated on its own with a fresh
// engine for the gas.
struct Single {
  LabyOutcome outcome;
  std::vector<std::string> texts;
};
Single SingleCalculation(const std::vector<GasComponentSlot>& gas, const LabyInputs& in) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  engine.CharacteriseGas(0, gas);
  LabyrinthCalculation calculation(English(), engine, messages);
  Single s;
  s.outcome = calculation.Calculate(in);
  s.texts = messages.texts();
  return s;
}

void ExpectSameAsSingle(const SweepPoint& p, const std::vector<GasComponentSlot>& gas) {
  SCOPED_TRACE("point " + std::to_string(p.index));
  const Single s = SingleCalculation(gas, p.inputs);
  std::vector<std::string> texts = p.warnings;
  if (p.status != PointStatus::kOk) texts.push_back(p.message);
  EXPECT_EQ(texts, s.texts);
  switch (s.outcome.status) {
    case LabyOutcome::Status::kDone:
      ASSERT_EQ(p.status, PointStatus::kOk);
      EXPECT_EQ(Bits(p.results.laby_flow), Bits(s.outcome.results.laby_flow));
      EXPECT_EQ(Bits(p.results.laby_flow_std), Bits(s.outcome.results.laby_flow_std));
      EXPECT_EQ(Bits(p.results.laby_supply_flow), Bits(s.outcome.results.laby_supply_flow));
      EXPECT_EQ(Bits(p.results.laby_volume_flow), Bits(s.outcome.results.laby_volume_flow));
      EXPECT_EQ(p.results.std_flow_unit, s.outcome.results.std_flow_unit);
      break;
    case LabyOutcome::Status::kFieldCheckFailed:
      EXPECT_EQ(p.status, PointStatus::kRange);
      break;
    case LabyOutcome::Status::kStopped:
      EXPECT_EQ(p.status, PointStatus::kStop);
      break;
    case LabyOutcome::Status::kCalculationError:
      EXPECT_EQ(p.status, PointStatus::kError);
      break;
  }
}

class SweepTest : public ::testing::Test, public testing::MethaneEngineFixture {
 protected:
  // Hydrogen sulphide at 165 deg F, stepped, down to 14.7 psia: below saturation at 870 psia,
  // the compressibility iteration gives up at 825 psia, and 780 psia is clean.
  LabyInputs HydrogenSulphideCase() {
    engine_.CharacteriseGas(0, h2s_);
    LabyInputs in = testing::EnglishStraightCase();
    in.laby_type = 0;
    in.temp_up = 165;
    in.press_down = 14.7;
    return in;
  }

  const std::vector<GasComponentSlot> methane_ = {{1, 1.0}};
  const std::vector<GasComponentSlot> h2s_ = {{54, 1.0}};
};

TEST_F(SweepTest, EveryPointIsBitForBitTheSingleCalculationWithFailuresBetween) {
  // Diameter 100 in fails its field check, downstream 0 psia is a calculation error, 600 psia
  // stops: failures lie between calculated points in grid order.
  Sweep sweep(English(), engine_, testing::EnglishStraightCase(),
              {ParseSweepRange("diameter=80:100:3"), ParseSweepRange("pressure-down=0:600:4")});
  const std::vector<SweepPoint> points = AllPoints(sweep);
  ASSERT_EQ(points.size(), 12u);
  std::string statuses;
  for (const SweepPoint& p : points) {
    statuses += std::string(StatusName(p.status)) + " ";
    ExpectSameAsSingle(p, methane_);
  }
  EXPECT_EQ(statuses, "error ok ok stop error ok ok stop range range range range ");
  EXPECT_EQ(points[3].message, "Downstream pressure is too high");
  EXPECT_EQ(points[8].message, "Maximum allowable diameter is 90 in");
  EXPECT_EQ(points[0].message, kCalculationErrorMessage);
  // The sweep's messages are recorded, never shown through the engine it copied the gas from.
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(SweepTest, WarningsAndEngineMessagesStayWithTheirPoint) {
  LabyInputs in = HydrogenSulphideCase();
  in.seal_rad_clear = 0.25;  // both leakage warnings at every calculated point
  Sweep sweep(English(), engine_, in, {ParseSweepRange("pressure-up=870:780:3")});
  const std::vector<SweepPoint> points = AllPoints(sweep);
  ASSERT_EQ(points.size(), 3u);
  for (const SweepPoint& p : points) ExpectSameAsSingle(p, h2s_);
  EXPECT_EQ(points[0].status, PointStatus::kStop);
  EXPECT_EQ(points[0].message, "Temperature is below saturation of 169.4 deg F");
  EXPECT_TRUE(points[0].warnings.empty());
  const std::vector<std::string> leakage = {kClearanceRatioWarning, SuggestedClearanceWarning(0.2)};
  std::vector<std::string> with_z = leakage;
  with_z.push_back(kMaxZIterationsMessage);
  EXPECT_EQ(points[1].warnings, with_z);
  EXPECT_EQ(points[2].warnings, leakage);
}

TEST_F(SweepTest, TheGasIsCopiedWhenTheSweepIsMade) {
  Sweep sweep(English(), engine_, testing::EnglishStraightCase(), {ParseSweepRange("teeth=8:8:1")});
  const double before = sweep.Calculate(0).results.laby_flow;
  engine_.CharacteriseGas(0, std::vector<GasComponentSlot>{{2, 1.0}});
  EXPECT_EQ(Bits(sweep.Calculate(0).results.laby_flow), Bits(before));
}

TEST(SweepRangeTest, ValuesFollowTheFormulaInItsOrderOfOperations) {
  // from + ((to - from) * i) / (count - 1): 433.3333333333333, where from + (to - from) *
  // (i / (count - 1)) would give 433.33333333333337.
  const SweepRange pressures = ParseSweepRange("pressure-up=500:100:7");
  EXPECT_EQ(Bits(pressures.Value(1)), Bits(433.3333333333333));
  EXPECT_EQ(Bits(pressures.Value(2)), Bits(366.66666666666663));
  EXPECT_EQ(Bits(pressures.Value(5)), Bits(166.66666666666669));
  EXPECT_EQ(pressures.Value(6), 100.0);
  const SweepRange clearances = ParseSweepRange("clearance=0.01:0.03:5");
  EXPECT_EQ(Bits(clearances.Value(2)), Bits(0.019999999999999997));
  EXPECT_EQ(clearances.Value(4), 0.03);
  // COUNT 1 gives FROM, whatever TO is.
  const SweepRange one = ParseSweepRange("temperature-up=-40.5:1e3:1");
  EXPECT_EQ(one.Value(0), -40.5);
  EXPECT_EQ(one, (SweepRange{StudyVariable::kTemperatureUp, -40.5, 1000, 1}));
}

TEST_F(SweepTest, TheFirstVariableVariesSlowest) {
  Sweep sweep(English(), engine_, testing::EnglishStraightCase(),
              {ParseSweepRange("teeth=4:8:3"), ParseSweepRange("clearance=0.01:0.02:2")});
  ASSERT_EQ(sweep.size(), 6);
  std::vector<std::pair<double, double>> order;
  for (const SweepPoint& p : AllPoints(sweep)) {
    order.emplace_back(p.values[0], p.values[1]);
    EXPECT_EQ(p.inputs.tooth_no, p.values[0]);
    EXPECT_EQ(p.inputs.seal_rad_clear, p.values[1]);
    EXPECT_EQ(p.inputs.seal_dia, 6);  // the base case elsewhere
  }
  const std::vector<std::pair<double, double>> expected = {{4, 0.01}, {4, 0.02}, {6, 0.01},
                                                           {6, 0.02}, {8, 0.01}, {8, 0.02}};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(sweep.GridPosition(3), (std::array<std::int64_t, 2>{1, 1}));
}

TEST_F(SweepTest, ASinkThatSaysStopEndsTheRun) {
  Sweep sweep(English(), engine_, testing::EnglishStraightCase(),
              {ParseSweepRange("teeth=2:40:1000")});
  std::vector<std::int64_t> seen;
  const std::int64_t done = sweep.Run(5, sweep.size(), [&](const SweepPoint& p) {
    seen.push_back(p.index);
    return seen.size() < 3;
  });
  EXPECT_EQ(done, 3);
  EXPECT_EQ(seen, (std::vector<std::int64_t>{5, 6, 7}));

  StudyRun run(English(), engine_, testing::EnglishStraightCase(),
               {ParseSweepRange("teeth=2:40:1000")});
  EXPECT_TRUE(run.RunUntil(StudyRun::Clock::now()));  // one point at least, then the deadline
  EXPECT_GE(run.done(), 1);
  const std::int64_t before = run.done();
  run.Cancel();
  EXPECT_FALSE(run.RunUntil(StudyRun::Clock::now() + std::chrono::hours(1)));
  EXPECT_TRUE(run.finished());
  EXPECT_TRUE(run.cancelled());
  EXPECT_EQ(run.done(), before);
  EXPECT_LT(run.done(), run.size());
}

TEST(SweepRangeTest, MalformedRangesSayWhatIsWrong) {
  const auto message = [](const char* text) -> std::string {
    try {
      ParseSweepRange(text);
    } catch (const SweepSpecError& e) {
      return e.what();
    }
    return "accepted";
  };
  EXPECT_EQ(message("clearance"), "'clearance' is not NAME=FROM:TO:COUNT");
  EXPECT_EQ(message("clearance=1:2"), "'clearance=1:2' is not NAME=FROM:TO:COUNT");
  EXPECT_EQ(message("clearance=1:2:3:4"), "'clearance=1:2:3:4' is not NAME=FROM:TO:COUNT");
  EXPECT_EQ(message("seal=1:2:3"),
            "'seal' is not an input that can be varied (diameter, clearance, pressure-up, "
            "pressure-down, temperature-up, thickness, spacing, teeth, flow-coef)");
  EXPECT_EQ(message("teeth=four:8:3"), "teeth: FROM 'four' is not a number");
  EXPECT_EQ(message("teeth=4::3"), "teeth: TO '' is not a number");
  EXPECT_EQ(message("teeth=4:8:0"), "teeth: COUNT '0' is not a whole number from 1 to 10000000");
  EXPECT_EQ(message("teeth=4:8:2.5"),
            "teeth: COUNT '2.5' is not a whole number from 1 to 10000000");
  EXPECT_EQ(message("teeth=4:8:-3"), "teeth: COUNT '-3' is not a whole number from 1 to 10000000");
  EXPECT_EQ(message("teeth=4:8:10000001"),
            "teeth: COUNT '10000001' is not a whole number from 1 to 10000000");
  EXPECT_EQ(message("diameter=-1e308:1e308:3"),
            "diameter: the range from -1e+308 to 1e+308 is too wide");
  EXPECT_EQ(message("spacing=1,000:2,000:10000000"), "accepted");

  const auto check = [](std::vector<SweepRange> ranges) -> std::string {
    try {
      CheckSweepRanges(ranges);
    } catch (const SweepSpecError& e) {
      return e.what();
    }
    return "accepted";
  };
  const SweepRange teeth{StudyVariable::kTeeth, 4, 8, 4000};
  EXPECT_EQ(check({teeth, teeth}), "teeth is varied twice");
  EXPECT_EQ(check({teeth, {StudyVariable::kClearance, 0, 1, 2500}}), "accepted");
  EXPECT_EQ(check({teeth, {StudyVariable::kClearance, 0, 1, 2501}}),
            "a sweep has at most 10000000 points, not 10004000");
  EXPECT_EQ(check({}), "a sweep varies one or two inputs, not 0");
}

TEST_F(SweepTest, CsvRowsHoldTheShortestNumbersAndQuotedTexts) {
  LabyInputs in = testing::EnglishStraightCase();
  in.laby_type = 0;
  in.seal_rad_clear = 0.25;
  const std::vector<SweepRange> ranges = {ParseSweepRange("diameter=6:96:2"),
                                          ParseSweepRange("flow-coef=0.1:0.7:6")};
  Sweep sweep(English(), engine_, in, ranges);
  EXPECT_EQ(SweepCsvHeader(ranges, English()),
            "diameter (in),flow-coef,mass_flow (lb/min),std_flow (SCFM),inlet_flow (ft3/min),"
            "exhaust_flow (ft3/min),status,message,warnings\n");
  std::string csv;
  for (const SweepPoint& p : AllPoints(sweep)) AppendSweepCsvRow(p, 2, csv);
  const SweepPoint first = sweep.Calculate(0);
  std::string numbers;
  for (double v : {first.results.laby_flow, first.results.laby_flow_std,
                   first.results.laby_supply_flow, first.results.laby_volume_flow}) {
    numbers += RoundTrip(v) + ",";
  }
  const std::string warnings =
      "\"Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not be "
      "accurate. | Warning: Radial clearance exceeds suggested value of, 0.2. Calculations may "
      "not be accurate\"";
  const std::string rows = csv.substr(0, csv.find("96,"));
  EXPECT_EQ(rows.substr(0, rows.find('\n') + 1), "6,0.1," + numbers + "ok,," + warnings + "\n");
  EXPECT_NE(rows.find("\n6,0.33999999999999997,"), std::string::npos) << rows;
  EXPECT_EQ(csv.substr(csv.find("96,0.58")),
            "96,0.58,,,,,range,Maximum allowable diameter is 90 in,\n"
            "96,0.7,,,,,range,Maximum allowable diameter is 90 in,\n");

  std::string field;
  AppendCsvField("say \"hi\", then\nleave", field);
  EXPECT_EQ(field, "\"say \"\"hi\"\", then\nleave\"");
}

TEST_F(SweepTest, CurvesBreakAtFailedPointsOnePerSecondValue) {
  LabyInputs in = testing::EnglishStraightCase();
  in.press_up = 300;
  // Downstream 350 psia stops at an upstream pressure of 300 psia only.
  Sweep sweep(
      English(), engine_, in,
      {ParseSweepRange("pressure-up=200:500:4"), ParseSweepRange("pressure-down=100:350:2")});
  const std::vector<SweepPoint> points = AllPoints(sweep);
  const std::vector<Curve> curves = StudyCurves(sweep, points, PlotQuantity::kMassFlow);
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].second_value, 100);
  ASSERT_EQ(curves[0].segments.size(), 1u);
  EXPECT_EQ(curves[0].segments[0].size(), 4u);
  EXPECT_EQ(curves[1].second_value, 350);
  ASSERT_EQ(curves[1].segments.size(), 1u);  // 200 and 300 psia stop: one run of 400 and 500
  ASSERT_EQ(curves[1].segments[0].size(), 2u);
  EXPECT_EQ(curves[1].segments[0][0], (PlotPoint{400, points[5].results.laby_flow}));

  // A point that fails between calculated ones splits the curve; a cancelled study shows what
  // it has.
  Sweep one(English(), engine_, testing::EnglishStraightCase(),
            {ParseSweepRange("pressure-down=0:500:6")});
  const std::vector<SweepPoint> all = AllPoints(one);
  std::vector<SweepPoint> gappy = all;
  gappy[3].status = PointStatus::kError;
  const std::vector<Curve> split = StudyCurves(one, gappy, PlotQuantity::kStdFlow);
  ASSERT_EQ(split.size(), 1u);
  EXPECT_FALSE(split[0].second_value);
  ASSERT_EQ(split[0].segments.size(), 2u);  // 0 psia is an error too
  EXPECT_EQ(split[0].segments[0].size(), 2u);
  EXPECT_EQ(split[0].segments[1].size(), 2u);
  EXPECT_EQ(split[0].segments[1][1].y, all[5].results.laby_flow_std);
  EXPECT_EQ(StudyCurves(one, std::span(all).first(2), PlotQuantity::kMassFlow)[0].segments.size(),
            1u);

  EXPECT_EQ(FailedPointText(sweep, points[1]),
            "Upstream pressure = 200 psia, Downstream pressure = 350 psia: Downstream pressure is "
            "too high");
}

// The classical methods at every point: each point's flows are those of the comparison of its
// inputs, and nothing else of the point changes.
TEST_F(SweepTest, MethodsAtEveryPointAreTheComparisonsAndChangeNothingElse) {
  // 870 psia stops (below saturation) and the correlation warns of the compressibility
  // iteration at 825 psia: neither has a Z for the real-gas methods. 7.5 teeth are not whole
  // for tooth by tooth.
  const LabyInputs in = HydrogenSulphideCase();
  const std::vector<SweepRange> ranges = {ParseSweepRange("pressure-up=870:780:3"),
                                          ParseSweepRange("teeth=7.5:8:2")};
  for (const bool real_gas : {false, true}) {
    SCOPED_TRACE(real_gas ? "real gas" : "ideal gas");
    Sweep plain(English(), engine_, in, ranges);
    Sweep with(English(), engine_, in, ranges, SweepMethods{1.4, real_gas});
    ASSERT_TRUE(with.methods());
    const std::vector<SweepPoint> points = AllPoints(with);
    const std::vector<SweepPoint> alone = AllPoints(plain);
    ASSERT_EQ(points.size(), 6u);
    std::string shape;
    for (size_t i = 0; i < points.size(); ++i) {
      const SweepPoint& p = points[i];
      EXPECT_FALSE(alone[i].methods.has_value());
      EXPECT_EQ(p.status, alone[i].status);
      EXPECT_EQ(p.message, alone[i].message);
      EXPECT_EQ(p.warnings, alone[i].warnings);
      EXPECT_EQ(Bits(p.results.laby_flow), Bits(alone[i].results.laby_flow));
      ASSERT_TRUE(p.methods.has_value());
      const MethodComparison c = CompareMethods(p.inputs, English(), engine_, 1.4, real_gas);
      shape += std::string(StatusName(p.status)) + ":";
      for (size_t k = 0; k < 3; ++k) {
        const std::optional<double>& flow = (*p.methods)[k];
        ASSERT_EQ(flow.has_value(), c.methods[k].result.ok()) << i << " " << k;
        if (flow) {
          EXPECT_EQ(Bits(*flow), Bits(c.methods[k].mass_flow)) << i << " " << k;
        }
        shape += flow ? "+" : "-";
      }
      shape += " ";
    }
    EXPECT_EQ(shape, real_gas ? "stop:--- stop:--+ ok:--- ok:--+ ok:++- ok:+++ "
                              : "stop:++- stop:+++ ok:++- ok:+++ ok:++- ok:+++ ");
  }
  EXPECT_TRUE(messages_.messages().empty());
}

// The header names every number's unit in the user's units; the numbers themselves are plain,
// a flow of thousands without a separator.
TEST_F(SweepTest, CsvHeaderHasTheUnitsAndNumbersHaveNoSeparators) {
  UnitChoice metric;
  metric.ApplyUnitChoice(PresetIndices(UnitSystem::kTechMetric));
  const std::vector<SweepRange> ranges = {ParseSweepRange("pressure-up=20:30:2"),
                                          ParseSweepRange("temperature-up=40:50:2")};
  EXPECT_EQ(SweepCsvHeader(ranges, metric, true),
            "pressure-up (kg/cm2 a),temperature-up (deg C),mass_flow (kg/min),std_flow (Sm3/hr),"
            "inlet_flow (m3/hr),exhaust_flow (m3/hr),gamma,gamma_source,martin (kg/min),"
            "vermes (kg/min),tooth_by_tooth (kg/min),status,message,warnings\n");
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  const std::vector<SweepRange> lengths = {ParseSweepRange("clearance=0.2:0.3:2"),
                                           ParseSweepRange("spacing=3:4:2")};
  EXPECT_EQ(SweepCsvHeader(lengths, si).substr(0, 52),
            "clearance (mm),spacing (mm),mass_flow (kg/hr),std_fl");

  SweepPoint point;
  point.values = {1234.5, 8};
  point.results.laby_flow = 4439.92;
  point.results.laby_flow_std = 123456.75;
  point.results.laby_supply_flow = 1000;
  point.results.laby_volume_flow = 0.5;
  std::string row;
  AppendSweepCsvRow(point, 2, row);
  EXPECT_EQ(row, "1234.5,8,4439.92,123456.75,1000,0.5,ok,,\n");

  // Texts are quoted when they hold a comma, a quote or a line break, quotes doubled; warnings
  // are joined into one field; a text too long for the row's buffer is written all the same.
  point.status = PointStatus::kRange;
  point.message = "Too \"big\", 5";
  point.warnings = {"A", "B, \"c\""};
  row.clear();
  AppendSweepCsvRow(point, 2, row);
  EXPECT_EQ(row, "1234.5,8,,,,,range,\"Too \"\"big\"\", 5\",\"A | B, \"\"c\"\"\"\n");
  point.warnings = {"", "A", "B"};
  row.clear();
  AppendSweepCsvRow(point, 2, row);
  EXPECT_EQ(row, "1234.5,8,,,,,range,\"Too \"\"big\"\", 5\",A | B\n");
  point.message = std::string(600, '"');
  point.warnings = {"W"};
  row.clear();
  AppendSweepCsvRow(point, 2, row);
  EXPECT_EQ(row, "1234.5,8,,,,,range,\"" + std::string(1200, '"') + "\",W\n");
}

TEST_F(SweepTest, MethodsHaveTheirColumnsAndCurves) {
  LabyInputs in = testing::EnglishStraightCase();
  in.laby_type = 0;
  // 100 in fails the correlation's field check; 7.5 teeth fail tooth by tooth.
  const std::vector<SweepRange> ranges = {ParseSweepRange("diameter=6:100:2"),
                                          ParseSweepRange("teeth=7.5:8:2")};
  Sweep sweep(English(), engine_, in, ranges, SweepMethods{});
  const std::vector<SweepPoint> points = AllPoints(sweep);
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(SweepCsvHeader(ranges, English(), true),
            "diameter (in),teeth,mass_flow (lb/min),std_flow (SCFM),inlet_flow (ft3/min),"
            "exhaust_flow (ft3/min),gamma,gamma_source,martin (lb/min),vermes (lb/min),"
            "tooth_by_tooth (lb/min),status,message,warnings\n");
  // The gas's gamma at 100 deg F: methane's cp0/cv0 at 310.93 K.
  for (const SweepPoint& p : points) {
    ASSERT_TRUE(p.gamma.has_value());
    EXPECT_EQ(p.gamma->source, GammaSource::kGas);
    EXPECT_EQ(p.gamma->value, IdealGasGamma(engine_.CurrentMixture(), 559.67));
  }
  const std::string gamma = RoundTrip(points[0].gamma->value) + ",gas,";
  EXPECT_EQ(gamma.substr(0, 8), "1.297125");
  const auto flow = [&](size_t i, size_t k) { return RoundTrip(*(*points[i].methods)[k]); };
  std::string row;
  AppendSweepCsvRow(points[0], 2, row);
  EXPECT_EQ(row.substr(row.find(RoundTrip(points[0].results.laby_volume_flow))),
            RoundTrip(points[0].results.laby_volume_flow) + "," + gamma + flow(0, 0) + "," +
                flow(0, 1) + ",,ok,,\n");
  row.clear();
  AppendSweepCsvRow(points[3], 2, row);
  EXPECT_EQ(row, "100,8,,,,," + gamma + flow(3, 0) + "," + flow(3, 1) + "," + flow(3, 2) +
                     ",range,Maximum allowable diameter is 90 in,\n");

  EXPECT_EQ(
      StudyTableHeaders(sweep),
      (std::vector<std::string>{"Seal diameter (in)", "Number of teeth",
                                "Leakage mass flow (lb/min)", "Standard flow (SCFM)",
                                "Inlet volume flow (ft3/min)", "Exhaust volume flow (ft3/min)",
                                "Gamma (cp/cv)", "Martin (lb/min)", "Martin-Vermes (lb/min)",
                                "Tooth by tooth (lb/min)", "Status", "Message", "Warnings"}));
  EXPECT_EQ(StudyTableNumberColumns(sweep), 10);
  EXPECT_EQ(StudyTableCell(sweep, points[3], 6), "1.2971");
  EXPECT_EQ(StudyTableCell(sweep, points[3], 7), ResultText(*(*points[3].methods)[0]));
  EXPECT_EQ(StudyTableCell(sweep, points[0], 9), "");
  EXPECT_EQ(StudyTableCell(sweep, points[3], 10), "range");
  EXPECT_EQ(StudyTableCell(sweep, points[3], 11), "Maximum allowable diameter is 90 in");
  Sweep plain(English(), engine_, in, ranges);
  EXPECT_EQ(StudyTableHeaders(plain).size(), 9u);
  EXPECT_EQ(StudyTableNumberColumns(plain), 6);
  EXPECT_TRUE(MethodCurves(plain, AllPoints(plain), MethodId::kMartin).empty());

  // A method's curve breaks where the method fails, not where the correlation does.
  const std::vector<Curve> martin = MethodCurves(sweep, points, MethodId::kMartin);
  ASSERT_EQ(martin.size(), 2u);
  ASSERT_EQ(martin[1].segments.size(), 1u);
  EXPECT_EQ(martin[1].segments[0][1], (PlotPoint{100, *(*points[3].methods)[0]}));
  const std::vector<Curve> tooth = MethodCurves(sweep, points, MethodId::kToothByTooth);
  EXPECT_TRUE(tooth[0].segments.empty());
  EXPECT_EQ(tooth[1].segments[0].size(), 2u);
  EXPECT_EQ(StudyCurves(sweep, points, PlotQuantity::kMassFlow)[1].segments[0].size(), 1u);
}

// The study window's run: teeth of 0.084 to 0.087 in over 0.012 in (t/c 7 to 7.25) cross the
// end of Vermes' discharge coefficient at t/c = 7.1, and its curves end there.
TEST_F(SweepTest, AStudyEndsTheVermesCurvesAtTheEndOfTheirFit) {
  LabyInputs in = testing::EnglishStraightCase();
  in.laby_type = 0;
  StudyRun run(English(), engine_, in, {ParseSweepRange("thickness=0.084:0.087:4")},
               SweepMethods{});
  while (run.RunUntil(StudyRun::Clock::time_point::max())) {
  }
  const std::vector<SweepPoint>& points = run.points();
  ASSERT_EQ(points.size(), 4u);
  std::string shape;
  for (const SweepPoint& p : points) {
    shape += std::string(StatusName(p.status)) + ":";
    for (const std::optional<double>& flow : *p.methods) shape += flow ? "+" : "-";
    shape += " ";
  }
  EXPECT_EQ(shape, "ok:+++ ok:+++ ok:+-- ok:+-- ");
  EXPECT_EQ(run.failed(), 0);
  for (MethodId id : {MethodId::kVermes, MethodId::kToothByTooth}) {
    const std::vector<Curve> curves = MethodCurves(run.sweep(), points, id);
    ASSERT_EQ(curves.size(), 1u);
    ASSERT_EQ(curves[0].segments.size(), 1u);
    EXPECT_EQ(curves[0].segments[0].size(), 2u);
    EXPECT_EQ(curves[0].segments[0].back().x, 0.085);
  }
  EXPECT_EQ(MethodCurves(run.sweep(), points, MethodId::kMartin)[0].segments[0].size(), 4u);
}

TEST(StudyPlotTest, CaptionsAndStartingRangesFollowTheUnits) {
  UnitChoice si;
  si.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
  EXPECT_EQ(VariableCaption(StudyVariable::kClearance, si), "Seal radial clearance (mm)");
  EXPECT_EQ(VariableCaption(StudyVariable::kTeeth, si), "Number of teeth");
  EXPECT_EQ(VariableSetting(StudyVariable::kPressureUp, 34.5, si),
            "Upstream pressure = 34.5 Bar a");
  EXPECT_EQ(PlotAxisTitle(PlotQuantity::kMassFlow, si), "Leakage mass flow (kg/hr)");
  EXPECT_EQ(PlotAxisTitle(PlotQuantity::kStdFlow, si), "Standard flow (Sm3/hr)");
  EXPECT_EQ(PlotAxisTitle(PlotQuantity::kStdFlow, English()), "Standard flow (SCFM)");

  const LabyInputs in = testing::EnglishStraightCase();
  EXPECT_EQ(StartingRange(StudyVariable::kClearance, in, false),
            (SweepRange{StudyVariable::kClearance, 0.012, 0.024, 21}));
  LabyInputs zero = in;
  zero.temp_up = 0;
  EXPECT_EQ(StartingRange(StudyVariable::kTemperatureUp, zero, true),
            (SweepRange{StudyVariable::kTemperatureUp, 0, 1, 3}));
}

TEST_F(SweepTest, DynamicsAddTheCoefficientsOfEachPoint) {
  LabyInputs in = testing::EnglishStraightCase();
  const std::vector<SweepRange> ranges = {ParseSweepRange("teeth=1:3:3")};
  DynamicsOptions options;
  options.tooth_height = 0.125;
  Sweep sweep(English(), engine_, in, ranges, std::nullopt, SweepDynamics{12000, options});
  const std::vector<SweepPoint> points = AllPoints(sweep);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(SweepCsvHeader(ranges, English(), false, true),
            "teeth,mass_flow (lb/min),std_flow (SCFM),inlet_flow (ft3/min),exhaust_flow (ft3/min),"
            "gamma,gamma_source,kxx (lbf/in),kxy (lbf/in),cxx (lbf-s/in),cxy (lbf-s/in),"
            "effective_damping (lbf-s/in),whirl_frequency_ratio,status,message,warnings\n");
  for (const SweepPoint& p : points) {
    ASSERT_TRUE(p.dynamics.has_value());
    EXPECT_TRUE(p.dynamics->cavities.empty());
    const SpeedAnswer alone =
        DynamicsCalculation(p.inputs, English(), engine_.CurrentMixture(), options).AtSpeed(12000);
    EXPECT_EQ(p.dynamics->status, alone.status);
    EXPECT_EQ(Bits(p.dynamics->coefficients.kxy), Bits(alone.coefficients.kxy));
  }
  // One tooth has no cavity: its columns stay empty while its leakage is given.
  std::string row;
  AppendSweepCsvRow(points[0], 1, row);
  EXPECT_EQ(row.substr(row.find(RoundTrip(points[0].results.laby_volume_flow))),
            RoundTrip(points[0].results.laby_volume_flow) + "," +
                RoundTrip(points[0].gamma->value) + ",gas,,,,,,,ok,,\n");
  // With the real gas the coefficients use no gamma: its fields stay empty.
  options.real_gas = true;
  Sweep real(English(), engine_, in, ranges, std::nullopt, SweepDynamics{12000, options});
  const SweepPoint three = real.Calculate(2);
  EXPECT_FALSE(three.gamma.has_value());
  ASSERT_TRUE(three.dynamics->ok()) << three.dynamics->message;
  const SpeedAnswer real_alone =
      DynamicsCalculation(three.inputs, English(), engine_.CurrentMixture(), options)
          .AtSpeed(12000);
  EXPECT_EQ(Bits(three.dynamics->coefficients.kxy), Bits(real_alone.coefficients.kxy));
  row.clear();
  AppendSweepCsvRow(three, 1, row);
  EXPECT_NE(row.find(RoundTrip(three.results.laby_volume_flow) + ",,," +
                     RoundTrip(three.dynamics->coefficients.kxx) + ","),
            std::string::npos)
      << row;
  row.clear();
  AppendSweepCsvRow(points[2], 1, row);
  const SpeedAnswer& a = *points[2].dynamics;
  EXPECT_NE(row.find("," + RoundTrip(a.coefficients.kxx) + "," + RoundTrip(a.coefficients.kxy) +
                     "," + RoundTrip(a.coefficients.cxx) + "," + RoundTrip(a.coefficients.cxy) +
                     "," + RoundTrip(*a.effective_damping) + "," +
                     RoundTrip(*a.whirl_frequency_ratio) + ",ok,"),
            std::string::npos)
      << row;
  // Without them a point carries none.
  Sweep plain(English(), engine_, in, ranges);
  EXPECT_FALSE(plain.Calculate(0).dynamics.has_value());
}

}  // namespace
}  // namespace torvane
