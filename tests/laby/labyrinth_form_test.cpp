// The labyrinth window's rules without the window: opening, titles, enabling, leaving a box and
// the calculation with its record.
#include "laby/labyrinth_form.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document/case_context.h"
#include "laby/laby_test_support.h"

namespace torvane {
namespace {

using Status = LabyOutcome::Status;

class LabyrinthFormTest : public ::testing::Test {
 protected:
  LabyrinthFormTest() {
    context_.engine.CharacteriseGas(0, std::vector<GasComponentSlot>{{1, 1.0}});
    context_.laby_data[kToothNumber] = 1;
    context_.laby_data[kFlowCoef] = 0.67;
  }

  void UseUnits(UnitSystem system) {
    context_.record.unit_num = PresetIndices(system);
    context_.ApplyUnitChoice();
  }

  static LabyEntries Entries(const LabyInputs& in) {
    LabyEntries e;
    e.laby_type = in.laby_type;
    for (LabyField f : kInputFields) e[f] = InputValue(in, f);
    return e;
  }

  RecordingMessageService messages_;
  CaseContext context_{messages_};
};

TEST_F(LabyrinthFormTest, CaptionsFormatsAndUnitLabels) {
  context_.gas_file_title = "export gas.gas";
  LabyrinthForm english(context_, messages_);
  EXPECT_EQ(english.WindowCaption(), "Labyrinth Leakage - export gas.gas");
  EXPECT_EQ(english.UnitCaption(LabyField::kSealDia), "in");
  EXPECT_EQ(english.UnitCaption(LabyField::kToothSpc), "in");
  EXPECT_EQ(english.UnitCaption(LabyField::kPressDown), "psia    ");
  EXPECT_EQ(english.UnitCaption(LabyField::kTempUp), "deg F");
  EXPECT_EQ(english.UnitCaption(LabyField::kToothNo), "");
  EXPECT_EQ(english.UnitCaption(LabyField::kFloCo), "");
  EXPECT_EQ(english.MassFlowCaption(), "lb/min    ");
  EXPECT_EQ(english.StandardFlowCaption(), "SCFM");
  EXPECT_EQ(english.VolumeFlowCaption(), "ft3/min   ");
  EXPECT_EQ(english.InputFormat(LabyField::kPressUp), "#,##0.00");
  EXPECT_EQ(english.InputFormat(LabyField::kPressDown), "#,##0.00");
  EXPECT_EQ(english.InputFormat(LabyField::kSealDia), "");
  EXPECT_EQ(english.InputFormat(LabyField::kTempUp), "");

  context_.gas_file_title.clear();
  UseUnits(UnitSystem::kSI);
  LabyrinthForm si(context_, messages_);
  EXPECT_EQ(si.WindowCaption(), "Labyrinth Leakage - ");
  EXPECT_EQ(si.UnitCaption(LabyField::kSealRadClear), "mm");
  EXPECT_EQ(si.UnitCaption(LabyField::kPressUp), "Bar a   ");
  EXPECT_EQ(si.UnitCaption(LabyField::kTempUp), "deg C");
  EXPECT_EQ(si.MassFlowCaption(), "kg/hr     ");
  EXPECT_EQ(si.StandardFlowCaption(), "Sm3/hr");
  EXPECT_EQ(si.VolumeFlowCaption(), "m3/hr     ");
  EXPECT_EQ(si.InputFormat(LabyField::kPressUp), "#,##0.000");

  const std::pair<int, const char*> pressure_formats[] = {
      {0, "#,##0.00"}, {1, "#,##0.000"}, {2, "#,##0.000"}, {3, "#,##0.0"}, {4, "#,##0.0000"}};
  for (const auto& [index, format] : pressure_formats) {
    context_.record.UnitNum(Quantity::kPressure) = static_cast<std::int16_t>(index);
    context_.ApplyUnitChoice();
    EXPECT_EQ(LabyrinthForm(context_, messages_).InputFormat(LabyField::kPressDown), format);
  }
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(LabyrinthFormTest, FieldCaptionsAndNotANumberMessages) {
  const std::pair<LabyField, const char*> captions[] = {
      {LabyField::kSealDia, "Seal diameter:"},
      {LabyField::kSealRadClear, "Seal radial clearance:"},
      {LabyField::kPressUp, "Upstream pressure:"},
      {LabyField::kPressDown, "Downstream pressure:"},
      {LabyField::kTempUp, "Upstream temperature:"},
      {LabyField::kToothThk, "Tooth thickness:"},
      {LabyField::kToothSpc, "Tooth spacing:"},
      {LabyField::kToothNo, "Number of teeth:"},
      {LabyField::kFloCo, "Flow coefficient:"},
  };
  for (const auto& [field, caption] : captions) EXPECT_EQ(FieldCaption(field), caption);
  EXPECT_EQ(NotANumberMessage(LabyField::kSealDia), "Seal diameter must be a number");
  EXPECT_EQ(NotANumberMessage(LabyField::kFloCo), "Flow coefficient must be a number");
  EXPECT_EQ(LabySlot(LabyField::kSealDia), 2);
  EXPECT_EQ(LabySlot(LabyField::kToothThk), 7);
  EXPECT_EQ(LabySlot(LabyField::kToothSpc), 8);
  EXPECT_EQ(LabySlot(LabyField::kFloCo), 10);
  EXPECT_THROW(FieldCaption(LabyField::kNone), std::invalid_argument);
}

TEST_F(LabyrinthFormTest, SaysWhichGasSectionItCalculatesWith) {
  EXPECT_EQ(LabyrinthForm(context_, messages_).GasSectionCaption(), "Gas 1 of 1");
  context_.record.last_gas_section = 2;
  context_.SetCurrentGas(1);
  EXPECT_EQ(LabyrinthForm(context_, messages_).GasSectionCaption(), "Gas 2 of 3");
}

// A settings file does not record the gas section of its results: they are marked as stored
// until a calculation succeeds, whatever stopped or failed before it.
TEST_F(LabyrinthFormTest, ResultsFromAFileAreStoredUntilACalculationSucceeds) {
  EXPECT_FALSE(LabyrinthForm(context_, messages_).results_stored());
  EXPECT_STREQ(kStoredResultsCaption, "Results as stored in the file");
  context_.laby_results_stored = true;
  LabyrinthForm form(context_, messages_);
  EXPECT_TRUE(form.results_stored());
  LabyInputs stopped = testing::EnglishStraightCase();
  stopped.press_down = 600;
  ASSERT_EQ(form.Calculate(Entries(stopped)).status, Status::kStopped);
  LabyInputs pole = testing::EnglishStraightCase();
  pole.tooth_no = 4.322;
  ASSERT_EQ(form.Calculate(Entries(pole)).status, Status::kCalculationError);
  LabyEntries not_a_number = Entries(testing::EnglishStraightCase());
  not_a_number[LabyField::kFloCo].reset();
  ASSERT_EQ(form.Calculate(not_a_number).status, Status::kFieldCheckFailed);
  EXPECT_TRUE(form.results_stored());
  EXPECT_TRUE(context_.laby_results_stored);

  ASSERT_EQ(form.Calculate(Entries(testing::EnglishStraightCase())).status, Status::kDone);
  EXPECT_FALSE(form.results_stored());
  EXPECT_FALSE(context_.laby_results_stored);
  EXPECT_FALSE(LabyrinthForm(context_, messages_).results_stored());
}

TEST_F(LabyrinthFormTest, OpeningTitleIsLabyTitleOrTheCaseTitleWithoutItsPadding) {
  context_.record.case_title.Assign("  Pump K-101");
  LabyrinthForm form(context_, messages_);
  // The case title without its trailing blanks, copied into LabyTitle; stored padded.
  EXPECT_EQ(form.title(), "  Pump K-101");
  EXPECT_EQ(context_.laby_title, "  Pump K-101");
  EXPECT_EQ(context_.record.case_title.str(), "  Pump K-101                            ");

  context_.laby_title = "Balance piston seal, second stage, drive end";  // 44 characters
  LabyrinthForm second(context_, messages_);
  EXPECT_EQ(second.title(), "Balance piston seal, second stage, drive end");
  EXPECT_EQ(context_.record.case_title.str(), "Balance piston seal, second stage, drive");
}

TEST_F(LabyrinthFormTest, TitleEditsGoIntoCaseTitleInTheFileCodePage) {
  LabyrinthForm form(context_, messages_);
  form.SetTitle(
      "Pr\xC3\xBC"
      "fstand \xE2\x82\xAC 5 \xCE\xA9");  // "Prüfstand € 5 Ω"
  EXPECT_EQ(context_.laby_title,
            "Pr\xC3\xBC"
            "fstand \xE2\x82\xAC 5 \xCE\xA9");
  EXPECT_EQ(context_.record.case_title.str(), std::string("Pr\xFC"
                                                          "fstand \x80 5 ?") +
                                                  std::string(25, ' '));
  form.SetTitle("");
  EXPECT_EQ(context_.laby_title, "");
  EXPECT_EQ(context_.record.case_title.str(), std::string(40, ' '));
}

TEST_F(LabyrinthFormTest, CalculateEnabledAtOpeningOnlyForAWholeSeal) {
  struct Case {
    double teeth, clearance, diameter;
    bool enabled;
  };
  const Case cases[] = {
      {1, 0.012, 6, false},  // one tooth is not enough
      {1.01, 0.012, 6, true}, {8, 0, 6, false}, {8, 0.012, 0, false},
      {8, -0.01, 6, false},   {0, 0, 0, false}, {8, 0.012, 6, true},
  };
  for (const Case& c : cases) {
    context_.laby_data[kToothNumber] = c.teeth;
    context_.laby_data[kSealRadClear] = c.clearance;
    context_.laby_data[kSealClear] = c.diameter;
    LabyrinthForm form(context_, messages_);
    EXPECT_EQ(form.calculate_enabled(), c.enabled) << c.teeth << " " << c.clearance;
    EXPECT_FALSE(form.print_enabled());
    form.TeethEdited();
    EXPECT_TRUE(form.calculate_enabled());
  }
}

TEST_F(LabyrinthFormTest, StoredTypeOtherThanStraightOpensAsStepped) {
  const std::pair<double, int> cases[] = {{0, 0}, {1, 1}, {2, 0}, {-1, 0}, {0.5, 0}};
  for (const auto& [stored, index] : cases) {
    context_.laby_data[kLabyType] = stored;
    EXPECT_EQ(LabyrinthForm(context_, messages_).OpeningTypeIndex(), index) << stored;
  }
}

TEST_F(LabyrinthFormTest, LeavingABoxChecksItsNumber) {
  LabyrinthForm form(context_, messages_);
  EXPECT_TRUE(form.CheckLeaving(LabyField::kSealDia, 90));
  EXPECT_FALSE(form.CheckLeaving(LabyField::kSealDia, 90.001));
  EXPECT_FALSE(form.CheckLeaving(LabyField::kToothNo, std::nullopt));
  EXPECT_TRUE(form.CheckLeaving(LabyField::kPressDown, -5));  // no field check
  EXPECT_FALSE(form.CheckLeaving(LabyField::kPressDown, std::nullopt));
  EXPECT_TRUE(form.CheckLeaving(LabyField::kFloCo, 1e6));
  EXPECT_EQ(messages_.texts(), (std::vector<std::string>{"Maximum allowable diameter is 90 in",
                                                         "Number of teeth must be a number",
                                                         "Downstream pressure must be a number"}));
}

TEST_F(LabyrinthFormTest, NumbersAreReadInTheOrderOfTheFieldChecks) {
  LabyrinthForm form(context_, messages_);
  struct Case {
    void (*change)(LabyEntries&);
    LabyField focus;
    const char* message;
  };
  const Case cases[] = {
      // A failed check of an earlier box comes before a later box that holds no number.
      {[](LabyEntries& e) {
         e[LabyField::kSealDia] = 0.5;
         e[LabyField::kPressUp] = std::nullopt;
       },
       LabyField::kSealDia, "Minimum allowable diameter is 1 in"},
      {[](LabyEntries& e) {
         e[LabyField::kPressUp] = std::nullopt;
         e[LabyField::kToothNo] = 60;
       },
       LabyField::kPressUp, "Upstream pressure must be a number"},
      // The downstream pressure and the flow coefficient are read after the seven checks.
      {[](LabyEntries& e) {
         e[LabyField::kPressDown] = std::nullopt;
         e[LabyField::kToothThk] = 0.2;
       },
       LabyField::kToothThk, "Maximum allowable tooth thickness is 0.1 in"},
      {[](LabyEntries& e) {
         e[LabyField::kPressDown] = std::nullopt;
         e[LabyField::kFloCo] = std::nullopt;
       },
       LabyField::kPressDown, "Downstream pressure must be a number"},
      {[](LabyEntries& e) { e[LabyField::kFloCo] = std::nullopt; }, LabyField::kFloCo,
       "Flow coefficient must be a number"},
  };
  const LabyData before = context_.laby_data;
  for (const Case& c : cases) {
    messages_.Clear();
    LabyEntries e = Entries(testing::EnglishStraightCase());
    c.change(e);
    const LabyOutcome out = form.Calculate(e);
    EXPECT_EQ(out.status, Status::kFieldCheckFailed);
    EXPECT_EQ(out.focus, c.focus);
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(context_.laby_data, before);
    EXPECT_FALSE(form.print_enabled());
  }
}

TEST_F(LabyrinthFormTest, SuccessStoresSlotsOneToFourteenAndEnablesPrint) {
  context_.laby_data[0] = 42;  // never used, never touched
  context_.laby_title = "K-101";
  LabyrinthForm form(context_, messages_);
  const LabyInputs in = testing::EnglishStraightCase();

  RecordingMessageService reference_messages;
  LabyrinthCalculation reference(context_.units, context_.engine, reference_messages);
  const LabyOutcome expected = reference.Calculate(in);
  ASSERT_EQ(expected.status, Status::kDone);

  const LabyOutcome out = form.Calculate(Entries(in));
  ASSERT_EQ(out.status, Status::kDone);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_TRUE(form.print_enabled());
  LabyData stored = expected.laby_data;
  stored[0] = 42;
  EXPECT_EQ(context_.laby_data, stored);
  EXPECT_EQ(context_.laby_title, "K-101");
  EXPECT_EQ(context_.record.case_title.str(), "K-101" + std::string(35, ' '));
}

TEST_F(LabyrinthFormTest, StopsAndCalculationErrorsLeaveTheRecord) {
  LabyrinthForm form(context_, messages_);
  const LabyData before = context_.laby_data;

  LabyInputs high = testing::EnglishStraightCase();
  high.press_down = 600;
  LabyOutcome out = form.Calculate(Entries(high));
  EXPECT_EQ(out.status, Status::kStopped);
  EXPECT_EQ(out.focus, LabyField::kPressDown);

  LabyInputs pole = testing::EnglishStraightCase();
  pole.tooth_no = 4.322;
  out = form.Calculate(Entries(pole));
  EXPECT_EQ(out.status, Status::kCalculationError);

  LabyInputs vacuum = testing::EnglishStraightCase();
  vacuum.press_down = 0;
  out = form.Calculate(Entries(vacuum));
  EXPECT_EQ(out.status, Status::kCalculationError);

  EXPECT_EQ(messages_.texts(),
            (std::vector<std::string>{"Downstream pressure is too high",
                                      "Calculation error, recheck input and try again",
                                      "Calculation error, recheck input and try again"}));
  EXPECT_EQ(context_.laby_data, before);
  EXPECT_FALSE(form.print_enabled());
}

TEST_F(LabyrinthFormTest, TypeIndexOtherThanStraightIsStoredAsStepped) {
  LabyrinthForm form(context_, messages_);
  LabyEntries e = Entries(testing::EnglishStraightCase());
  e.laby_type = -1;
  ASSERT_EQ(form.Calculate(e).status, Status::kDone);
  EXPECT_EQ(context_.laby_data[kLabyType], 0);
}

TEST_F(LabyrinthFormTest, LimitsAreThoseOfTheUnitsAtOpening) {
  LabyrinthForm form(context_, messages_);
  UseUnits(UnitSystem::kSI);  // changed behind the open window: the form keeps its limits
  EXPECT_TRUE(form.CheckLeaving(LabyField::kSealDia, 6));
  EXPECT_TRUE(messages_.messages().empty());
  LabyrinthForm si(context_, messages_);
  EXPECT_FALSE(si.CheckLeaving(LabyField::kSealDia, 6));
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Minimum allowable diameter is 25 mm"});
}

}  // namespace
}  // namespace torvane
