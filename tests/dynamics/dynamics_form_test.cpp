// The rotordynamics window's rules without a window: entries and their checks, what is enabled,
// units of the boxes, the table, the curves and the texts.
#include "dynamics/dynamics_form.h"

#include <gtest/gtest.h>

#include "engine/gas_engine.h"
#include "platform/message_service.h"
#include "support/dynamics_answers.h"
#include "support/english_case.h"

namespace torvane {
namespace {

DynamicsEntries Typical() {
  DynamicsEntries e;
  e.tooth_height = 0.125;
  return e;
}

using testing::FailedAnswer;
using testing::SampleAnswer;

UnitChoice Units(UnitSystem system) {
  UnitChoice u;
  u.ApplyUnitChoice(PresetIndices(system));
  return u;
}

TEST(DynamicsFormTest, TheOpeningEntriesGiveTheDefaultsAndFortyOneSpeeds) {
  const DynamicsEntryCheck c = CheckDynamicsEntries(Typical(), 0);
  ASSERT_TRUE(c.ok()) << c.problem;
  EXPECT_EQ(c.options.tooth_height, 0.125);
  EXPECT_EQ(c.options.teeth_on, TeethOn::kStator);
  EXPECT_EQ(c.options.preswirl, 0.5);
  EXPECT_EQ(c.options.whirl_ratio, 1);
  EXPECT_FALSE(c.options.gamma.has_value());  // the gas's own
  EXPECT_FALSE(c.options.real_gas);
  EXPECT_EQ(c.options.viscosity_law, ViscosityLawKind::kGas);
  EXPECT_FALSE(c.options.jenny_kanki);
  ASSERT_EQ(c.speeds.size(), 41u);
  EXPECT_EQ(c.speeds[0], 0);
  EXPECT_EQ(c.speeds[1], 500);
  EXPECT_EQ(c.speeds[40], 20000);
}

TEST(DynamicsFormTest, OneSpeedIsTheFromValueAndARangeMayFall) {
  DynamicsEntries e = Typical();
  e.speed_from = 8000;
  e.speed_count = 1;
  EXPECT_EQ(CheckDynamicsEntries(e, 0).speeds, std::vector<double>{8000});
  e.speed_to = 2000;
  e.speed_count = 4;
  EXPECT_EQ(CheckDynamicsEntries(e, 0).speeds, (std::vector<double>{8000, 6000, 4000, 2000}));
}

TEST(DynamicsFormTest, EachBadEntryIsNamedWithItsBox) {
  struct Case {
    void (*spoil)(DynamicsEntries&);
    const char* problem;
    DynamicsBox focus;
  };
  const Case cases[] = {
      {[](DynamicsEntries& e) { e.tooth_height.reset(); }, "Tooth height must be a positive number",
       DynamicsBox::kToothHeight},
      {[](DynamicsEntries& e) { e.tooth_height = 0; }, "Tooth height must be a positive number",
       DynamicsBox::kToothHeight},
      {[](DynamicsEntries& e) { e.preswirl.reset(); }, "Preswirl ratio must be a number",
       DynamicsBox::kPreswirl},
      {[](DynamicsEntries& e) { e.speed_from = -1; },
       "Speed from must be a number of 0 rpm or more", DynamicsBox::kSpeedFrom},
      {[](DynamicsEntries& e) { e.speed_to.reset(); }, "Speed to must be a number of 0 rpm or more",
       DynamicsBox::kSpeedTo},
      {[](DynamicsEntries& e) { e.speed_count = 10001; },
       "Speeds must be from 1 to 10,000; torvane-cli dynamics takes up to 100,000",
       DynamicsBox::kSpeedCount},
      {[](DynamicsEntries& e) { e.whirl_ratio.reset(); }, "Whirl ratio must be a number",
       DynamicsBox::kWhirlRatio},
      {[](DynamicsEntries& e) { e.viscosity_law = 2; }, "Viscosity must be a positive number",
       DynamicsBox::kViscosity},
      {[](DynamicsEntries& e) {
         e.viscosity_law = 1;
         e.temperatures = {50, std::nullopt};
         e.viscosities = {0.01, 0.011};
       },
       "Reference temperature must be a number", DynamicsBox::kTemperature2},
      {[](DynamicsEntries& e) {
         e.viscosity_law = 1;
         e.temperatures = {50, 100};
         e.viscosities = {-0.01, 0.011};
       },
       "Reference viscosity must be a positive number", DynamicsBox::kViscosity1},
  };
  for (const Case& c : cases) {
    DynamicsEntries e = Typical();
    c.spoil(e);
    const DynamicsEntryCheck check = CheckDynamicsEntries(e, 0);
    EXPECT_EQ(check.problem, c.problem);
    EXPECT_EQ(check.focus, c.focus) << c.problem;
    EXPECT_TRUE(check.speeds.empty());
  }
}

TEST(DynamicsFormTest, TheViscosityLawTakesItsOwnBoxes) {
  DynamicsEntries e = Typical();
  e.viscosity = 0.012;
  e.viscosity_law = 2;
  EXPECT_EQ(CheckDynamicsEntries(e, 0).options.viscosity_law, ViscosityLawKind::kConstant);
  EXPECT_EQ(CheckDynamicsEntries(e, 0).options.viscosity, 0.012);
  e.viscosity_law = 1;
  e.temperatures = {50, 100};
  e.viscosities = {0.011, 0.012};
  const DynamicsOptions o = CheckDynamicsEntries(e, 0).options;
  EXPECT_EQ(o.viscosity_law, ViscosityLawKind::kSutherland);
  EXPECT_EQ(o.references[0].temperature, 50);
  EXPECT_EQ(o.references[1].viscosity, 0.012);

  EXPECT_TRUE(ViscosityBoxEnabled(DynamicsBox::kViscosity, 2));
  EXPECT_FALSE(ViscosityBoxEnabled(DynamicsBox::kViscosity, 1));
  EXPECT_TRUE(ViscosityBoxEnabled(DynamicsBox::kTemperature2, 1));
  EXPECT_FALSE(ViscosityBoxEnabled(DynamicsBox::kViscosity1, 0));
  EXPECT_FALSE(ViscosityBoxEnabled(DynamicsBox::kViscosity1, 2));
}

TEST(DynamicsFormTest, TeethOnCountsForStraightLabyrinthsOnly) {
  DynamicsEntries e = Typical();
  e.teeth_on = 1;
  EXPECT_FALSE(TeethOnEnabled(0));
  EXPECT_TRUE(TeethOnEnabled(1));
  EXPECT_EQ(CheckDynamicsEntries(e, 0).options.teeth_on, TeethOn::kStator);
  EXPECT_EQ(CheckDynamicsEntries(e, 1).options.teeth_on, TeethOn::kRotor);
}

TEST(DynamicsFormTest, BoxesAndHeadersCarryTheUsersUnits) {
  const UnitChoice english = Units(UnitSystem::kEnglish), si = Units(UnitSystem::kSI);
  EXPECT_EQ(DynamicsBoxUnit(DynamicsBox::kToothHeight, english), "in");
  EXPECT_EQ(DynamicsBoxUnit(DynamicsBox::kToothHeight, si), "mm");
  EXPECT_EQ(DynamicsBoxUnit(DynamicsBox::kSpeedTo, si), "rpm");
  EXPECT_EQ(DynamicsBoxUnit(DynamicsBox::kTemperature1, english), "deg F");
  EXPECT_EQ(DynamicsBoxUnit(DynamicsBox::kViscosity2, english), "lb/ft-sec");
  EXPECT_EQ(DynamicsBoxUnit(DynamicsBox::kPreswirl, si), "");
  EXPECT_EQ(DynamicsTableHeaders(english),
            (std::vector<std::string>{
                "Speed (rpm)", "Whirl frequency (rpm)", "kxx (lbf/in)", "kxy (lbf/in)",
                "kyx (lbf/in)", "kyy (lbf/in)", "cxx (lbf-s/in)", "cxy (lbf-s/in)",
                "cyx (lbf-s/in)", "cyy (lbf-s/in)", "Effective stiffness (lbf/in)",
                "Effective damping (lbf-s/in)", "Whirl frequency ratio", "Status", "Message"}));
  EXPECT_EQ(DynamicsTableHeaders(si)[2], "kxx (N/m)");
  EXPECT_EQ(DynamicsTableHeaders(si)[11], "Effective damping (N-s/m)");
  EXPECT_EQ(DynamicsTableNumberColumns(), 13);
  EXPECT_EQ(StiffnessAxisTitle(si), "Stiffness (N/m)");
  EXPECT_EQ(DampingAxisTitle(english), "Damping (lbf-s/in)");
  EXPECT_EQ(EffectiveDampingAxisTitle(si), "Effective damping (N-s/m)");
}

TEST(DynamicsFormTest, CellsInSixDigitsAndAFailedSpeedWithItsReason) {
  const SpeedAnswer ok = SampleAnswer(8000);
  const std::vector<std::string> expected = {
      "8000",     "8000",    "-50456.6", "35541.6",  "-35541.6", "-50456.6", "23.8251", "56.2557",
      "-56.2557", "23.8251", "-3327.94", "-18.5996", "1.78067",  "ok",       ""};
  for (int k = 0; k < 15; ++k) EXPECT_EQ(DynamicsTableCell(ok, k), expected[k]) << k;
  const SpeedAnswer bad = FailedAnswer(9000, "No solution");
  EXPECT_EQ(DynamicsTableCell(bad, 0), "9000");
  for (int k = 2; k < 13; ++k) EXPECT_EQ(DynamicsTableCell(bad, k), "") << k;
  EXPECT_EQ(DynamicsTableCell(bad, 13), "failed");
  EXPECT_EQ(DynamicsTableCell(bad, 14), "No solution");
  EXPECT_EQ(DynamicsTableCell(bad, 15), "");
}

TEST(DynamicsFormTest, CopyIsTabSeparatedAndCsvIsTheCalculatorsForm) {
  DynamicsResults r;
  r.units = Units(UnitSystem::kSI);
  r.speeds = {SampleAnswer(8000), FailedAnswer(9000, "No solution, at all")};
  const std::string text = DynamicsTableText(r);
  EXPECT_EQ(text.substr(0, text.find('\n')),
            "Speed (rpm)\tWhirl frequency (rpm)\tkxx (N/m)\tkxy (N/m)\tkyx (N/m)\tkyy (N/m)\t"
            "cxx (N-s/m)\tcxy (N-s/m)\tcyx (N-s/m)\tcyy (N-s/m)\tEffective stiffness (N/m)\t"
            "Effective damping (N-s/m)\tWhirl frequency ratio\tStatus\tMessage");
  EXPECT_NE(text.find("\n9000\t9000\t\t\t\t\t\t\t\t\t\t\t\tfailed\tNo solution, at all\n"),
            std::string::npos);
  EXPECT_EQ(DynamicsCsv(r),
            "speed (rpm),whirl_frequency (rpm),status,message,kxx (N/m),kxy (N/m),kyx (N/m),"
            "kyy (N/m),cxx (N-s/m),cxy (N-s/m),cyx (N-s/m),cyy (N-s/m),effective_stiffness (N/m),"
            "effective_damping (N-s/m),whirl_frequency_ratio\n"
            "8000,8000,ok,,-50456.586597,35541.605312,-35541.605312,-50456.586597,23.825123,"
            "56.255734,-56.255734,23.825123,-3327.9412,-18.59961,1.7806712\n"
            "9000,9000,error,\"No solution, at all\",,,,,,,,,,,\n");
}

TEST(DynamicsFormTest, CurvesBreakWhereAFigureIsMissing) {
  SpeedAnswer rest = SampleAnswer(0);
  rest.effective_damping.reset();
  rest.whirl_frequency_ratio.reset();
  const std::vector<SpeedAnswer> speeds = {rest, SampleAnswer(1000), FailedAnswer(2000, "x"),
                                           SampleAnswer(3000), SampleAnswer(4000)};
  using Runs = std::vector<std::vector<DynamicsPoint>>;
  EXPECT_EQ(FigureCurve(speeds, DynamicsFigure::kDirectStiffness),
            (Runs{{{0, -50456.586597}, {1000, -50456.586597}},
                  {{3000, -50456.586597}, {4000, -50456.586597}}}));
  EXPECT_EQ(FigureCurve(speeds, DynamicsFigure::kWhirlFrequencyRatio),
            (Runs{{{1000, 1.7806712}}, {{3000, 1.7806712}, {4000, 1.7806712}}}));
  EXPECT_EQ(FigureCurve(speeds, DynamicsFigure::kCrossDamping)[0][0],
            (DynamicsPoint{0, 56.255734}));
  EXPECT_EQ(FigureName(DynamicsFigure::kCrossStiffness), "k = kxy");
}

TEST(DynamicsFormTest, SwirlAlongTheCavitiesNoneAtRest) {
  EXPECT_EQ(SwirlProfile(SampleAnswer(8000), 0.98),
            (std::vector<DynamicsPoint>{{0, 0.98}, {1, 0.9}, {2, 0.75}}));
  SpeedAnswer rest = SampleAnswer(0);
  rest.surface_speed = 0;
  for (CavityAnswer& c : rest.cavities) c.swirl_ratio.reset();
  EXPECT_TRUE(SwirlProfile(rest, 0.5).empty());
  EXPECT_TRUE(SwirlProfile(FailedAnswer(1, "x"), 0.5).empty());
  EXPECT_EQ(SpeedText(8000), "8,000 rpm");
  EXPECT_EQ(SpeedText(8000.5), "8000.5 rpm");
}

TEST(DynamicsFormTest, CaseLineAndExportsAfterACalculation) {
  EXPECT_EQ(DynamicsCaseText(testing::EnglishStraightCase(), Units(UnitSystem::kEnglish)),
            "Straight labyrinth, 8 teeth, 500.00 to 100.00 psia, 100.0 deg F");
  DynamicsResults r;
  EXPECT_FALSE(DynamicsExportsEnabled(nullptr));
  EXPECT_FALSE(DynamicsExportsEnabled(&r));
  r.speeds = {FailedAnswer(1, "x")};
  EXPECT_TRUE(DynamicsExportsEnabled(&r));
}

TEST(DynamicsFormTest, SummaryAndBasisInOneLineEach) {
  DynamicsResults r;
  r.units = Units(UnitSystem::kEnglish);
  r.inputs.laby_type = 1;
  r.speeds = {SampleAnswer(0), FailedAnswer(1, "x")};
  r.leakage = {true, "", 12.34567, true};
  r.options.tooth_height = 0.125;
  r.gamma = CaseGamma{1.3, GammaSource::kGiven, ""};
  EXPECT_EQ(DynamicsSummary(r), "2 speeds, 1 failed; leakage 12.3457 lb/min, choked");
  EXPECT_EQ(DynamicsBasisText(r),
            "Tooth height 0.125 in, teeth on the stator, preswirl 0.5, whirl ratio 1, gamma "
            "1.300, viscosity from the gas");
  r.gamma = CaseGamma{1.2971, GammaSource::kGas, ""};
  EXPECT_EQ(DynamicsBasisText(r),
            "Tooth height 0.125 in, teeth on the stator, preswirl 0.5, whirl ratio 1, gamma "
            "1.297 from the gas, viscosity from the gas");
  r.gamma.reset();
  EXPECT_EQ(DynamicsBasisText(r),
            "Tooth height 0.125 in, teeth on the stator, preswirl 0.5, whirl ratio 1, real gas, "
            "viscosity from the gas");
  r.gamma = CaseGamma{1.3, GammaSource::kGiven, ""};
  r.leakage = {false, "The seal passes no leakage", 0, false};
  r.speeds.resize(1);
  r.inputs.laby_type = 0;
  r.options.viscosity_law = ViscosityLawKind::kSutherland;
  r.options.references = {{{50, 0.011}, {100, 0.012}}};
  r.options.jenny_kanki = true;
  EXPECT_EQ(DynamicsSummary(r), "1 speed, 0 failed; leakage: The seal passes no leakage");
  EXPECT_EQ(DynamicsBasisText(r),
            "Tooth height 0.125 in, preswirl 0.5, whirl ratio 1, gamma 1.300, Sutherland's law "
            "through 0.011 lb/ft-sec at 50 deg F and 0.012 lb/ft-sec at 100 deg F, Jenny-Kanki");
}

TEST(DynamicsFormTest, ARunWorksTheLeakageOnceAndEverySpeed) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  const std::vector<GasComponentSlot> slots{{1, 1.0}};
  engine.CharacteriseGas(0, slots);
  const LabyInputs in = testing::EnglishStraightCase();
  DynamicsOptions o;
  o.tooth_height = 0.125;
  const std::vector<double> speeds = {0, 6000, 12000};
  const DynamicsResults r = RunDynamics(in, UnitChoice{}, engine.CurrentMixture(), o, speeds);
  const DynamicsCalculation d(in, UnitChoice{}, engine.CurrentMixture(), o);
  ASSERT_TRUE(r.gamma.has_value());
  EXPECT_EQ(r.gamma->source, GammaSource::kGas);
  EXPECT_EQ(r.gamma->value, d.gamma()->value);
  ASSERT_TRUE(r.leakage.ok);
  EXPECT_EQ(r.leakage.mass_flow, d.leakage().mass_flow);
  ASSERT_EQ(r.speeds.size(), 3u);
  EXPECT_EQ(r.failed(), 0);
  EXPECT_EQ(r.speeds[2].coefficients.kxy, d.AtSpeed(12000).coefficients.kxy);
  EXPECT_EQ(r.speeds[1].speed, 6000);
  EXPECT_EQ(r.speeds[0].coefficients.kxx, 0);
  // The real gas: no gamma, the real gas's coefficients.
  o.real_gas = true;
  const DynamicsResults real = RunDynamics(in, UnitChoice{}, engine.CurrentMixture(), o, speeds);
  EXPECT_FALSE(real.gamma.has_value());
  EXPECT_EQ(real.speeds[2].coefficients.kxy,
            DynamicsCalculation(in, UnitChoice{}, engine.CurrentMixture(), o)
                .AtSpeed(12000)
                .coefficients.kxy);
  EXPECT_NE(real.speeds[2].coefficients.kxy, r.speeds[2].coefficients.kxy);
}

TEST(DynamicsFormTest, TheRealGasTakesNoGamma) {
  DynamicsEntries e = Typical();
  e.gamma = 1.4;
  EXPECT_EQ(CheckDynamicsEntries(e, 0).options.gamma, 1.4);
  e.real_gas = true;
  const DynamicsEntryCheck c = CheckDynamicsEntries(e, 0);
  EXPECT_TRUE(c.options.real_gas);
  EXPECT_FALSE(c.options.gamma.has_value());
}

}  // namespace
}  // namespace torvane
