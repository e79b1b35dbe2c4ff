// The gas analysis window's logic without a window: sums, the total check and its warnings,
// normalisation, Calculate, sections, "Use File n", Close and the opening on stored data.
#include "gas/gas_analysis_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>

#include "document/case_files.h"
#include "document/document_test_support.h"
#include "engine/component_library.h"
#include "gas/gas_test_support.h"
#include "gas/new_gas_analysis.h"
#include "units/number_format.h"

namespace torvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = RecordingGasWindowHooks::Call;
using testing::GasServices;
using testing::kProgramFolder;
using testing::QuestionTexts;

class GasModelTest : public ::testing::Test, protected GasServices {
 protected:
  void TearDown() override { ExpectScriptsUsedUp(); }

  void NewAnalysis(int files, int gases) {
    StartNewGasAnalysis(context, files, gases, "TEST.GAS");
    model.Open();
  }
  // Types a code and a fraction into a row and leaves both boxes, as a user tabbing through.
  void TypeRow(int row, const std::string& code, const std::string& fraction) {
    EXPECT_FALSE(model.LeaveCodeBox(row, code, true)) << code;
    EXPECT_FALSE(model.LeaveFractionBox(row, fraction, true)) << fraction;
  }
  // Fills the section on display with 90 % methane and 10 % ethane (a total of exactly 1).
  void TypeMethaneEthane() {
    TypeRow(0, "CH4", "0.9");
    TypeRow(1, "C2H6", "0.1");
  }

  CaseContext context{messages};
  GasAnalysisModel model{context, services, warnings, hooks, kProgramFolder};
};

// ------------------------------------------------------------------------------------------
// Opening

TEST_F(GasModelTest, NewAnalysisOpensBlankWithFreshBookkeeping) {
  context.gas_calculated = true;
  NewAnalysis(1, 12);
  const GasWindowView& v = model.view();
  EXPECT_EQ(v.caption, "Gas Data - TEST.GAS");
  EXPECT_EQ(v.row_count, 12);
  EXPECT_TRUE(v.GroupShown(0));
  EXPECT_TRUE(v.GroupShown(1));
  EXPECT_FALSE(v.GroupShown(2));
  EXPECT_EQ(v.rows[0].code, " ");
  EXPECT_EQ(v.rows[0].fraction, "0.00000");
  EXPECT_EQ(v.total_mol_fraction, "0.00000");
  EXPECT_FALSE(v.save_enabled);
  EXPECT_FALSE(v.calc_enabled);
  EXPECT_FALSE(v.last_visible);
  EXPECT_FALSE(v.selector_visible);  // one gas file: no section selector
  EXPECT_FALSE(context.gas_calculated);
  EXPECT_TRUE(context.gas_defined);
  EXPECT_FALSE(model.unsaved_changes());
  EXPECT_THAT(hooks.calls(), IsEmpty());
  EXPECT_FALSE(busy.busy());
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasModelTest, GroupHeadingsFollowTheNumberOfGases) {
  GasWindowView v;
  v.row_count = 10;
  EXPECT_FALSE(v.GroupShown(1));
  v.row_count = 11;
  EXPECT_TRUE(v.GroupShown(1));
  EXPECT_FALSE(v.GroupShown(2));
  v.row_count = 20;
  EXPECT_FALSE(v.GroupShown(2));
  v.row_count = 21;
  EXPECT_TRUE(v.GroupShown(2));
}

TEST_F(GasModelTest, SeveralGasFilesShowTheSelectorOnSectionOneOnly) {
  NewAnalysis(3, 4);
  const GasWindowView& v = model.view();
  EXPECT_TRUE(v.selector_visible);
  EXPECT_EQ(v.selector_section, 0);
  EXPECT_THAT(v.selector_enabled, ElementsAre(true, false, false));
  EXPECT_EQ(context.CurrentGas(), 0);
  EXPECT_FALSE(v.calc_enabled);
  EXPECT_FALSE(v.last_enabled);
  EXPECT_EQ(v.total_mol_weight, "0.0");
}

// ------------------------------------------------------------------------------------------
// Code boxes

TEST_F(GasModelTest, LeavingACodeBoxLooksTheCodeUp) {
  NewAnalysis(1, 3);
  EXPECT_FALSE(model.LeaveCodeBox(1, "  C2H6 ", false));
  EXPECT_EQ(context.record.GasCode(1, 0).str(), "C2H6");
  EXPECT_EQ(context.record.ComponentId(1, 0), 2);
  EXPECT_EQ(model.entered_code(1), "C2H6");
  EXPECT_EQ(model.view().rows[1].code, "  C2H6 ");
  EXPECT_FALSE(model.unsaved_changes()) << "the program's own text is no change";
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasModelTest, UnknownCodesAreReportedAndKeepTheFocus) {
  NewAnalysis(1, 3);
  context.record.ComponentId(0, 0) = 7;
  EXPECT_TRUE(model.LeaveCodeBox(0, "ch4", true));  // lower case is not in the library
  EXPECT_EQ(context.record.ComponentId(0, 0), 0);
  EXPECT_EQ(context.record.GasCode(0, 0).str(), "ch4 ");
  // Leaving again repeats the lookup.
  EXPECT_TRUE(model.LeaveCodeBox(0, "ch4", true));
  EXPECT_TRUE(model.LeaveCodeBox(0, "", true));
  EXPECT_TRUE(model.LeaveCodeBox(0, "METHANE", true));
  EXPECT_EQ(context.record.GasCode(0, 0).str(), "METH") << "the record keeps four characters";
  EXPECT_THAT(messages.texts(),
              ElementsAre("Gas ch4 is not in library", "Gas ch4 is not in library",
                          "Gas  is not in library", "Gas METHANE is not in library"));
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::kNone);
  EXPECT_EQ(messages.messages()[0].title, kApplicationTitle);
}

TEST_F(GasModelTest, OneBlankIsARowWithoutAComponent) {
  NewAnalysis(1, 3);
  context.record.ComponentId(2, 0) = 5;
  EXPECT_FALSE(model.LeaveCodeBox(2, " ", true));
  EXPECT_EQ(context.record.ComponentId(2, 0), 0);
  EXPECT_EQ(context.record.GasCode(2, 0).str(), "    ");
  EXPECT_THAT(messages.texts(), IsEmpty());
  EXPECT_TRUE(model.section_dirty(0));
}

TEST_F(GasModelTest, OneGasSetsTheFractionToOneAndEnablesCalculate) {
  NewAnalysis(1, 1);
  EXPECT_FALSE(model.LeaveCodeBox(0, "N2", true));
  EXPECT_EQ(model.view().rows[0].fraction, "1");
  EXPECT_TRUE(model.view().calc_enabled);
  EXPECT_EQ(context.record.MolFraction(0, 0), 1.0);
  EXPECT_EQ(model.view().total_mol_fraction, "1.00000");
  model.Calculate();
  EXPECT_EQ(model.view().total_mol_weight, "28.01");  // N2 alone
  EXPECT_THAT(warnings.shown(), IsEmpty());
}

// ------------------------------------------------------------------------------------------
// Fraction boxes

TEST_F(GasModelTest, FractionBoxesTakeTheLeadingNumber) {
  NewAnalysis(1, 4);
  EXPECT_FALSE(model.LeaveFractionBox(0, "0.25x", true));
  EXPECT_EQ(context.record.MolFraction(0, 0), 0.25);
  EXPECT_EQ(model.view().rows[0].fraction, "0.25000");
  EXPECT_FALSE(model.LeaveFractionBox(1, "abc", true));
  EXPECT_EQ(context.record.MolFraction(1, 0), 0.0);
  EXPECT_EQ(model.view().rows[1].fraction, "0.00000");
  EXPECT_FALSE(model.LeaveFractionBox(2, " .125 ", true));
  EXPECT_EQ(model.view().rows[2].fraction, "0.12500");
  EXPECT_EQ(model.view().total_mol_fraction, "0.37500");
  EXPECT_DOUBLE_EQ(model.total_fraction(), 0.375);
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasModelTest, OnlyTheLastRowInUseEnablesCalculate) {
  NewAnalysis(1, 3);
  model.LeaveFractionBox(0, "0.5", true);
  model.LeaveFractionBox(1, "0.5", true);
  EXPECT_FALSE(model.view().calc_enabled);
  model.LeaveFractionBox(2, "0", true);
  EXPECT_TRUE(model.view().calc_enabled);
}

TEST_F(GasModelTest, FractionsOutsideZeroToOneAreRefused) {
  NewAnalysis(1, 2);
  model.LeaveFractionBox(0, "0.4", true);
  EXPECT_TRUE(model.LeaveFractionBox(0, "1.5", true));
  EXPECT_TRUE(model.LeaveFractionBox(0, "-0.1", true));
  EXPECT_TRUE(model.LeaveFractionBox(0, "2e0", true));
  EXPECT_THAT(messages.texts(), ElementsAre("Allowable mol fraction range is 0 to 1'",
                                            "Allowable mol fraction range is 0 to 1'",
                                            "Allowable mol fraction range is 0 to 1'"));
  EXPECT_EQ(context.record.MolFraction(0, 0), 0.4) << "the refused value is not stored";
  EXPECT_EQ(model.view().rows[0].fraction, "2e0") << "the box keeps the text to correct";
  EXPECT_EQ(model.view().total_mol_fraction, "0.40000");
  // The bounds themselves are allowed.
  EXPECT_FALSE(model.LeaveFractionBox(0, "1", true));
  EXPECT_FALSE(model.LeaveFractionBox(1, "0", true));
}

// A decimal comma is refused as a fraction out of range is: never read as 0, nor as 670.
TEST_F(GasModelTest, ADecimalCommaIsRefused) {
  NewAnalysis(1, 2);
  model.LeaveFractionBox(0, "0.4", true);
  for (const char* decimal_comma : {"0,5", "0,670", "00,670", "0,012"}) {
    messages.Clear();
    EXPECT_TRUE(model.LeaveFractionBox(0, decimal_comma, true)) << decimal_comma;
    EXPECT_THAT(messages.texts(), ElementsAre("Allowable mol fraction range is 0 to 1'"));
    EXPECT_EQ(context.record.MolFraction(0, 0), 0.4) << decimal_comma;
    EXPECT_EQ(model.view().rows[0].fraction, decimal_comma);
  }
}

TEST_F(GasModelTest, OnlyTheUsersChangesMakeTheSectionDirty) {
  NewAnalysis(1, 2);
  model.LeaveCodeBox(0, "CH4", false);
  model.LeaveFractionBox(0, "1", false);
  EXPECT_FALSE(model.section_dirty(0));
  EXPECT_FALSE(model.unsaved_changes());
  model.LeaveFractionBox(1, "0", true);
  EXPECT_TRUE(model.section_dirty(0));
  EXPECT_TRUE(model.unsaved_changes());
}

// ------------------------------------------------------------------------------------------
// Sum and total check

TEST_F(GasModelTest, SumFractionsAddsAllThirtySlotsOfTheCurrentGas) {
  NewAnalysis(2, 2);
  context.record.MolFraction(25, 0) = 0.25;  // a hidden slot, as a file may bring it
  context.record.MolFraction(0, 1) = 0.5;    // another section
  model.LeaveFractionBox(0, "0.5", true);
  model.LeaveFractionBox(1, "0.5", true);
  EXPECT_DOUBLE_EQ(model.SumFractions(), 1.25);
  EXPECT_EQ(model.view().total_mol_fraction, "1.25000");
}

TEST_F(GasModelTest, HiddenSlotsCountInTheTotalCheck) {
  NewAnalysis(1, 2);
  context.record.MolFraction(29, 0) = 0.3;
  TypeMethaneEthane();
  warnings.Prepare(false);
  model.Calculate();
  EXPECT_THAT(warnings.shown(), ElementsAre(GasWarning::kOutOfLimits));
}

struct TotalCase {
  double total;
  std::vector<GasWarning> shown;
};

void PrintTo(const TotalCase& c, std::ostream* os) { *os << "total " << c.total; }

class TotalCheckTest : public GasModelTest, public ::testing::WithParamInterface<TotalCase> {};

TEST_P(TotalCheckTest, ChoosesTheWarningByTheTotal) {
  NewAnalysis(1, 2);
  for (size_t k = 0; k < GetParam().shown.size(); ++k) warnings.Prepare(false);
  double total = GetParam().total;
  model.CheckTotalFraction(total);
  EXPECT_EQ(warnings.shown(), GetParam().shown);
  EXPECT_EQ(total, GetParam().total) << "Reenter a gas changes nothing";
  EXPECT_FALSE(context.warn_answer);
  EXPECT_THAT(hooks.calls(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Bounds, TotalCheckTest,
                         ::testing::Values(TotalCase{1.0, {}}, TotalCase{1 - 1e-12, {}},
                                           TotalCase{1 + 5e-13, {}},
                                           TotalCase{1 - 2e-12, {GasWarning::kNotOne}},
                                           TotalCase{0.96, {GasWarning::kNotOne}},
                                           TotalCase{1.04, {GasWarning::kNotOne}},
                                           TotalCase{0.999999, {GasWarning::kNotOne}},
                                           TotalCase{1.000001, {GasWarning::kNotOne}},
                                           TotalCase{0.9599, {GasWarning::kOutOfLimits}},
                                           TotalCase{1.0401, {GasWarning::kOutOfLimits}},
                                           TotalCase{0.0, {GasWarning::kOutOfLimits}}),
                         [](const ::testing::TestParamInfo<TotalCase>& info) {
                           std::string name = "Total" + RoundTrip(info.param.total);
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST_F(GasModelTest, FractionsThatAddUpToOneInDecimalPassSilently) {
  NewAnalysis(1, 3);
  TypeRow(0, "CH4", "0.6");
  TypeRow(1, "C2H6", "0.3");
  TypeRow(2, "N2", "0.1");
  EXPECT_NE(model.total_fraction(), 1.0);  // 0.9999999999999999 in binary
  model.Calculate();
  EXPECT_THAT(warnings.shown(), IsEmpty());
  EXPECT_TRUE(model.section_calculated(0));
}

TEST_F(GasModelTest, AlmostOneIsShownAsOneButStillWarned) {
  NewAnalysis(1, 2);
  TypeRow(0, "CH4", "0.5");
  TypeRow(1, "C2H6", "0.499999");
  EXPECT_EQ(model.view().total_mol_fraction, "1.00000");
  warnings.Prepare(false);
  model.Calculate();
  EXPECT_THAT(warnings.shown(), ElementsAre(GasWarning::kNotOne));
}

TEST_F(GasModelTest, RoundoffNormalisesTheFractionsInUse) {
  NewAnalysis(1, 2);
  TypeRow(0, "CH4", "0.5");
  TypeRow(1, "C2H6", "0.49");
  EXPECT_EQ(model.view().total_mol_fraction, "0.99000");
  warnings.Prepare(true);  // Roundoff
  model.Calculate();
  EXPECT_TRUE(context.warn_answer);
  EXPECT_EQ(model.view().rows[0].fraction, "0.50505");
  EXPECT_EQ(model.view().rows[1].fraction, "0.49495");
  EXPECT_DOUBLE_EQ(context.record.MolFraction(0, 0), 0.5 / 0.99);
  EXPECT_DOUBLE_EQ(context.record.MolFraction(1, 0), 0.49 / 0.99);
  EXPECT_EQ(model.view().total_mol_fraction, "1.00000");
  EXPECT_NEAR(model.total_fraction(), 1.0, 1e-15);
  EXPECT_TRUE(model.section_calculated(0));
  // The characterisation used the normalised fractions: 0.50505 * 16.04 + 0.49495 * 30.07.
  EXPECT_NEAR(context.engine.Mixture(0).mix_mol_weight, (0.5 * 16.04 + 0.49 * 30.07) / 0.99, 1e-12);
}

TEST_F(GasModelTest, RoundoffLeavesHiddenSlotsAlone) {
  NewAnalysis(1, 2);
  context.record.MolFraction(10, 0) = 0.02;
  TypeRow(0, "CH4", "0.5");
  TypeRow(1, "C2H6", "0.47");
  warnings.Prepare(true);
  model.Calculate();
  EXPECT_EQ(context.record.MolFraction(10, 0), 0.02);
  // 0.5 / 0.99 + 0.47 / 0.99 + 0.02
  EXPECT_EQ(model.view().total_mol_fraction, "0.99980");
}

// ------------------------------------------------------------------------------------------
// Calculate

TEST_F(GasModelTest, CalculateCharacterisesTheSection) {
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  model.Calculate();
  const GasWindowView& v = model.view();
  EXPECT_EQ(v.total_mol_weight, "17.44");  // 0.9 * 16.04 + 0.1 * 30.07 = 17.443
  EXPECT_DOUBLE_EQ(context.engine.Mixture(0).mix_mol_weight, 0.9 * 16.04 + 0.1 * 30.07);
  EXPECT_TRUE(v.save_enabled);
  EXPECT_FALSE(v.last_enabled);
  EXPECT_TRUE(context.gas_calculated);
  EXPECT_TRUE(context.gas_defined);
  EXPECT_TRUE(model.section_calculated(0));
  EXPECT_FALSE(model.section_dirty(0));
  EXPECT_TRUE(model.unsaved_changes());
  EXPECT_THAT(hooks.calls(), ElementsAre(Call::kLabyEnabled));
  EXPECT_EQ(busy.times_busy(), 1);
  EXPECT_FALSE(busy.busy());
  EXPECT_THAT(warnings.shown(), IsEmpty());
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasModelTest, MolWeightFormatFollowsItsSize) {
  NewAnalysis(1, 1);
  model.LeaveCodeBox(0, "H2", true);
  model.Calculate();
  EXPECT_EQ(model.view().total_mol_weight, "2.016");
  model.LeaveCodeBox(0, "DECA", true);
  model.Calculate();
  EXPECT_EQ(model.view().total_mol_weight, "142.3");
}

TEST_F(GasModelTest, EnterNewGasesHidesTheWindowButStillCalculates) {
  NewAnalysis(1, 2);
  TypeRow(0, "CH4", "0.5");
  TypeRow(1, "C2H6", "0.3");
  warnings.Prepare(true);  // Enter new gases
  model.Calculate();
  EXPECT_TRUE(context.warn_answer);
  EXPECT_THAT(hooks.calls(), ElementsAre(Call::kHide, Call::kLabyEnabled));
  EXPECT_TRUE(model.section_calculated(0));
  EXPECT_TRUE(context.gas_calculated);
  EXPECT_DOUBLE_EQ(context.engine.Mixture(0).mix_mol_weight, 0.5 * 16.04 + 0.3 * 30.07);
}

TEST_F(GasModelTest, ReenterAGasStillCalculatesAndOpensTheNextSection) {
  NewAnalysis(3, 2);
  TypeRow(0, "CH4", "0.5");
  TypeRow(1, "C2H6", "0.3");
  warnings.Prepare(false);  // Reenter a gas, out of limits
  model.Calculate();
  EXPECT_TRUE(model.section_calculated(0));
  EXPECT_THAT(model.view().selector_enabled, ElementsAre(true, true, false));
  EXPECT_THAT(hooks.calls(), IsEmpty()) << "not the last section";

  model.PickSection(1);
  TypeRow(0, "CH4", "0.5");
  TypeRow(1, "C2H6", "0.49");
  warnings.Prepare(false);  // Reenter a gas, not 1
  model.Calculate();
  EXPECT_EQ(context.record.MolFraction(1, 1), 0.49);
  EXPECT_THAT(model.view().selector_enabled, ElementsAre(true, true, true));
  EXPECT_THAT(warnings.shown(), ElementsAre(GasWarning::kOutOfLimits, GasWarning::kNotOne));
}

TEST_F(GasModelTest, AllFractionsZeroIsACalculationErrorWithNothingShown) {
  NewAnalysis(1, 2);
  TypeRow(0, "CH4", "0");
  TypeRow(1, "C2H6", "0");
  warnings.Prepare(false);
  model.Calculate();
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0], (Message{"Calculation error, recheck input and try again",
                                             MessageIcon::kCritical, kApplicationTitle}));
  EXPECT_EQ(model.view().total_mol_weight, "0.0");
  EXPECT_FALSE(model.view().save_enabled);
  EXPECT_FALSE(model.section_calculated(0));
  EXPECT_TRUE(model.section_dirty(0));
  EXPECT_TRUE(context.gas_calculated) << "the steps done before the failure stay done";
  EXPECT_THAT(hooks.calls(), IsEmpty());
  EXPECT_FALSE(busy.busy());
}

TEST_F(GasModelTest, ARowWithoutACodeIsNamedUnderTheCalculationError) {
  NewAnalysis(1, 3);
  TypeRow(0, "CH4", "0.5");
  TypeRow(2, "N2", "0.5");  // row 2 left without a code
  model.Calculate();
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0], (Message{"Calculation error, recheck input and try again\n"
                                             "Row 2 has no valid component code.",
                                             MessageIcon::kCritical, kApplicationTitle}));
}

TEST_F(GasModelTest, AFailedCalculationForgetsTheSectionsEarlierGas) {
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  model.Calculate();
  ASSERT_GT(context.engine.Mixture(0).mix_mol_weight, 0);
  model.LeaveCodeBox(1, "XX", true);  // reported, id 0
  model.Calculate();
  EXPECT_THAT(messages.texts(), ElementsAre("Gas XX is not in library",
                                            "Calculation error, recheck input and try again\n"
                                            "Row 2 has no valid component code."));
  EXPECT_EQ(context.engine.Mixture(0).mix_mol_weight, 0.0);
  EXPECT_EQ(context.engine.Mixture(0).pseudo_crit_temp, 0.0);
}

// ------------------------------------------------------------------------------------------
// Sections

TEST_F(GasModelTest, SectionsAreEnteredInOrderAndCopiedWithUseFile) {
  NewAnalysis(2, 2);
  TypeMethaneEthane();
  model.Calculate();
  EXPECT_THAT(model.view().selector_enabled, ElementsAre(true, true, false));
  EXPECT_THAT(hooks.calls(), IsEmpty());

  model.PickSection(1);
  const GasWindowView& v = model.view();
  EXPECT_EQ(context.CurrentGas(), 1);
  EXPECT_EQ(v.rows[0].code, " ");
  EXPECT_EQ(v.rows[0].fraction, "0.00000");
  EXPECT_EQ(v.total_mol_weight, "0.0");
  EXPECT_FALSE(v.calc_enabled);
  EXPECT_TRUE(v.last_visible);
  EXPECT_TRUE(v.last_enabled);
  EXPECT_EQ(v.last_caption, "Use File 1");

  model.UseLastFile();
  EXPECT_EQ(v.rows[1].code, "C2H6");
  EXPECT_EQ(v.rows[1].fraction, "0.10000");
  EXPECT_EQ(context.record.ComponentId(1, 1), 2);
  EXPECT_EQ(context.record.MolFraction(0, 1), 0.9);
  EXPECT_EQ(v.total_mol_fraction, "1.00000");
  EXPECT_TRUE(v.calc_enabled);
  EXPECT_TRUE(model.section_dirty(1));
  EXPECT_EQ(v.total_mol_weight, "0.0") << "no characterisation by the copy";

  model.LeaveFractionBox(0, "0.8", true);
  model.LeaveFractionBox(1, "0.2", true);
  model.Calculate();
  EXPECT_THAT(hooks.calls(), ElementsAre(Call::kLabyEnabled));
  EXPECT_FALSE(v.last_enabled);
  EXPECT_DOUBLE_EQ(context.engine.Mixture(1).mix_mol_weight, 0.8 * 16.04 + 0.2 * 30.07);
  EXPECT_DOUBLE_EQ(context.engine.Mixture(0).mix_mol_weight, 0.9 * 16.04 + 0.1 * 30.07);

  // Back to a calculated section: shown from the record and characterised again.
  model.PickSection(0);
  EXPECT_EQ(context.CurrentGas(), 0);
  EXPECT_EQ(v.rows[0].fraction, "0.90000");
  EXPECT_EQ(v.total_mol_weight, "17.44");
  EXPECT_TRUE(v.calc_enabled);
  EXPECT_FALSE(v.last_enabled);
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasModelTest, PickingASectionBeyondTheLastIsIgnored) {
  NewAnalysis(2, 2);
  model.PickSection(2);
  model.PickSection(-1);
  EXPECT_EQ(context.CurrentGas(), 0);
  EXPECT_EQ(model.view().selector_section, 0);
}

// ------------------------------------------------------------------------------------------
// Close

TEST_F(GasModelTest, CloseWithoutChangesClosesSilently) {
  NewAnalysis(1, 2);
  EXPECT_EQ(model.Close(), CloseOutcome::kClosed);
  EXPECT_THAT(questions.asked(), IsEmpty());
}

TEST_F(GasModelTest, CloseOffersOnlyTheLaterOfTwoChangedSections) {
  NewAnalysis(2, 2);
  TypeMethaneEthane();
  model.Calculate();
  model.PickSection(1);
  TypeRow(0, "CH4", "0.7");
  TypeRow(1, "C2H6", "0.3");
  model.PickSection(0);
  model.LeaveFractionBox(0, "0.95", true);
  model.LeaveFractionBox(1, "0.05", true);
  ASSERT_TRUE(model.section_dirty(0));
  ASSERT_TRUE(model.section_dirty(1));
  hooks.Clear();

  questions.Prepare(Answer::kYes);  // calculate section 2
  questions.Prepare(Answer::kNo);   // save gas data
  EXPECT_EQ(model.Close(), CloseOutcome::kClosed);
  ASSERT_EQ(questions.asked().size(), 2u);
  EXPECT_EQ(questions.asked()[0],
            (Question{"Calculate section 2 gas data", QuestionButtons::kYesNoCancel,
                      MessageIcon::kQuestion, kApplicationTitle}));
  EXPECT_EQ(questions.asked()[1], (Question{"Save gas data", QuestionButtons::kYesNoCancel,
                                            MessageIcon::kQuestion, kApplicationTitle}));
  EXPECT_EQ(context.CurrentGas(), 1);
  EXPECT_TRUE(model.section_calculated(1));
  EXPECT_FALSE(model.ask_calculate());
  EXPECT_DOUBLE_EQ(context.engine.Mixture(1).mix_mol_weight, 0.7 * 16.04 + 0.3 * 30.07);
  EXPECT_THAT(hooks.calls(), ElementsAre(Call::kLabyEnabled));
}

TEST_F(GasModelTest, CloseChecksTheTotalOfTheSectionItCalculates) {
  NewAnalysis(2, 2);
  TypeMethaneEthane();
  model.Calculate();
  model.PickSection(1);
  TypeRow(0, "CH4", "0.5");
  TypeRow(1, "C2H6", "0.49");
  model.PickSection(0);  // the display shows section 1 again, total exactly 1

  questions.Prepare(Answer::kYes);
  warnings.Prepare(true);  // Roundoff of section 2's own total 0.99
  questions.Prepare(Answer::kNo);
  EXPECT_EQ(model.Close(), CloseOutcome::kClosed);
  EXPECT_THAT(warnings.shown(), ElementsAre(GasWarning::kNotOne));
  EXPECT_DOUBLE_EQ(context.record.MolFraction(0, 1), 0.5 / 0.99);
  EXPECT_EQ(context.record.MolFraction(0, 0), 0.9) << "the section on display is untouched";
  EXPECT_EQ(model.view().rows[0].fraction, "0.90000");
}

TEST_F(GasModelTest, CancelInTheFirstPromptClosesWithoutCalculating) {
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  questions.Prepare(Answer::kCancel);
  EXPECT_EQ(model.Close(), CloseOutcome::kClosed);
  EXPECT_THAT(QuestionTexts(questions), ElementsAre("Calculate section 1 gas data"));
  EXPECT_FALSE(model.section_calculated(0));
  EXPECT_FALSE(context.gas_calculated);
  EXPECT_THAT(hooks.calls(), IsEmpty());
}

TEST_F(GasModelTest, NoInTheFirstPromptClosesWithoutAskingToSave) {
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  questions.Prepare(Answer::kNo);
  EXPECT_EQ(model.Close(), CloseOutcome::kClosed);
  EXPECT_EQ(questions.asked().size(), 1u);
}

TEST_F(GasModelTest, CancelInTheSavePromptKeepsTheWindowOpen) {
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  model.Calculate();
  questions.Prepare(Answer::kCancel);
  EXPECT_EQ(model.Close(), CloseOutcome::kStaysOpen);
  EXPECT_THAT(QuestionTexts(questions), ElementsAre("Save gas data"));
  EXPECT_TRUE(model.unsaved_changes());
}

TEST_F(GasModelTest, NoGasInUseCannotBeCalculated) {
  StartNewGasAnalysis(context, 1, 1, "EMPTY.GAS");
  context.record.component_count = 0;  // as a file may hold it
  model.Open();
  EXPECT_EQ(model.view().row_count, 0);
  warnings.Prepare(false);
  model.Calculate();
  EXPECT_THAT(warnings.shown(), ElementsAre(GasWarning::kOutOfLimits));
  EXPECT_THAT(messages.texts(), ElementsAre(kGasCalculationErrorMessage));
  EXPECT_FALSE(model.section_calculated(0));
}

TEST_F(GasModelTest, CloseAfterAFailedCalculationKeepsTheWindowOpen) {
  NewAnalysis(2, 2);
  TypeMethaneEthane();
  model.Calculate();
  model.PickSection(1);
  TypeRow(0, "CH4", "0");
  TypeRow(1, "C2H6", "0");
  questions.Prepare(Answer::kYes);
  warnings.Prepare(false);
  EXPECT_EQ(model.Close(), CloseOutcome::kStaysOpen);
  EXPECT_THAT(messages.texts(), ElementsAre(kGasCalculationErrorMessage));
  EXPECT_EQ(context.CurrentGas(), 1);
  EXPECT_FALSE(model.section_calculated(1));
}

// ------------------------------------------------------------------------------------------
// Stored data

class StoredGasTest : public GasModelTest {
 protected:
  // Two stored sections: CH4/C2H6 0.9/0.1 and lower-case "c3h8"/CO2 0.6/0.4.
  void StoreTwoSections() {
    CaseRecord& r = context.record;
    r.component_count = 2;
    r.last_gas_section = 1;
    r.GasCode(0, 0).Assign("CH4");
    r.ComponentId(0, 0) = 1;
    r.MolFraction(0, 0) = 0.9;
    r.GasCode(1, 0).Assign("C2H6");
    r.ComponentId(1, 0) = 2;
    r.MolFraction(1, 0) = 0.1;
    r.GasCode(0, 1).Assign("c3h8");
    r.ComponentId(0, 1) = 3;
    r.MolFraction(0, 1) = 0.6;
    r.GasCode(1, 1).Assign("CO2");
    r.ComponentId(1, 1) = *FindComponent("CO2");
    r.MolFraction(1, 1) = 0.4;
    context.gas_file_title = "STORED.GAS";
    context.show_stored_gas = true;
  }
};

TEST_F(StoredGasTest, OpeningOnStoredDataShowsAndCalculatesEverySection) {
  StoreTwoSections();
  model.Open();
  const GasWindowView& v = model.view();
  EXPECT_TRUE(context.gas_calculated);
  EXPECT_FALSE(context.show_stored_gas);
  EXPECT_TRUE(model.section_calculated(0));
  EXPECT_TRUE(model.section_calculated(1));
  EXPECT_FALSE(model.section_dirty(1));
  EXPECT_TRUE(v.save_enabled);
  EXPECT_TRUE(v.calc_enabled);
  EXPECT_THAT(v.selector_enabled, ElementsAre(true, true, false));
  EXPECT_EQ(v.selector_section, 0);
  EXPECT_EQ(context.CurrentGas(), 0);
  EXPECT_EQ(v.rows[0].code, "CH4");
  EXPECT_EQ(v.rows[1].fraction, "0.10000");
  EXPECT_EQ(v.total_mol_weight, "17.44");
  EXPECT_EQ(context.record.GasCode(0, 1).str(), "C3H8") << "upper-cased in place";
  EXPECT_DOUBLE_EQ(context.engine.Mixture(1).mix_mol_weight, 0.6 * 44.083 + 0.4 * 44.01);
  EXPECT_THAT(hooks.calls(), ElementsAre(Call::kLabyEnabled));
  EXPECT_FALSE(model.unsaved_changes());
  EXPECT_THAT(messages.texts(), IsEmpty());

  model.PickSection(1);
  EXPECT_EQ(v.rows[0].code, "C3H8");
  EXPECT_FALSE(v.last_enabled);
}

TEST_F(StoredGasTest, StoredCodesNoLongerValidAreReportedButKeepTheirIds) {
  StoreTwoSections();
  context.record.GasCode(1, 0).Assign("XYZ");  // id 2 (C2H6) stays in the record
  model.Open();
  // Section 1 is shown once for the calculation of every section and once more when the
  // selector is set to it.
  EXPECT_THAT(messages.texts(),
              ElementsAre("Gas XYZ is not in library", "Gas XYZ is not in library"));
  EXPECT_EQ(context.record.ComponentId(1, 0), 2);
  EXPECT_DOUBLE_EQ(context.engine.Mixture(0).mix_mol_weight, 0.9 * 16.04 + 0.1 * 30.07);
}

TEST_F(StoredGasTest, AStoredSectionThatCannotBeCalculatedIsReported) {
  StoreTwoSections();
  context.record.last_gas_section = 2;  // section 3 was never filled: all zero
  model.Open();
  EXPECT_THAT(messages.texts(), ElementsAre(std::string(kGasCalculationErrorMessage) +
                                            "\nRow 1 has no valid component code."));
  EXPECT_EQ(messages.messages()[0].icon, MessageIcon::kCritical);
  EXPECT_EQ(context.engine.Mixture(2).mix_mol_weight, 0.0);
  EXPECT_THAT(model.view().selector_enabled, ElementsAre(true, true, true));
  // Its data stay: picking it shows it again instead of clearing it.
  messages.Clear();
  context.record.MolFraction(5, 2) = 0.5;
  model.PickSection(2);
  EXPECT_EQ(context.record.MolFraction(5, 2), 0.5);
  EXPECT_THAT(messages.texts(), ElementsAre(std::string(kGasCalculationErrorMessage) +
                                            "\nRow 1 has no valid component code."));
}

TEST_F(StoredGasTest, WithoutShowStoredGasTheWindowStartsEmptyAndUncalculated) {
  StoreTwoSections();
  context.show_stored_gas = false;
  context.gas_calculated = true;
  model.Open();
  EXPECT_FALSE(context.gas_calculated);
  EXPECT_FALSE(model.section_calculated(0));
  EXPECT_EQ(model.view().rows[0].code, " ");
  EXPECT_THAT(hooks.calls(), IsEmpty());
}

// ------------------------------------------------------------------------------------------
// Save

TEST_F(GasModelTest, SaveWritesTheRecordAndUpdatesTheCaption) {
  testing::ScratchFolder folder;
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  model.Calculate();
  files.Prepare(folder.File("north.gas"));
  EXPECT_EQ(model.Save(), SaveOutcome::kSaved);
  ASSERT_EQ(files.requests().size(), 1u);
  const FileDialogRequest& request = files.requests()[0];
  EXPECT_EQ(request.mode, FileDialogMode::kSave);
  EXPECT_EQ(request.filter, "Brantel \xC2\xAE Files (*.gas)");
  EXPECT_EQ(request.initial_name, "TEST.GAS");
  EXPECT_EQ(request.initial_folder, kProgramFolder);
  EXPECT_TRUE(request.confirm_overwrite);
  EXPECT_EQ(request.default_suffix, "");
  EXPECT_EQ(request.title, "");
  EXPECT_EQ(model.view().caption, "Gas Data - north.gas");
  EXPECT_EQ(context.gas_file_path, folder.File("north.gas"));
  EXPECT_FALSE(model.unsaved_changes());
  EXPECT_EQ(testing::ReadBytes(folder.File("north.gas")), GasFileBytes(context.record));
  EXPECT_EQ(model.Close(), CloseOutcome::kClosed) << "nothing left to save";
}

TEST_F(GasModelTest, CancelledSaveChangesNothing) {
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  context.gas_file_path = "/old/OLD.GAS";
  files.Prepare(std::nullopt);
  EXPECT_EQ(model.Save(), SaveOutcome::kCancelled);
  EXPECT_EQ(model.view().caption, "Gas Data - TEST.GAS");
  EXPECT_EQ(context.gas_file_title, "TEST.GAS");
  EXPECT_EQ(context.gas_file_path, "/old/OLD.GAS");
  EXPECT_TRUE(model.unsaved_changes());
  EXPECT_THAT(messages.texts(), IsEmpty());
}

TEST_F(GasModelTest, YesToSaveThenCancelledDialogStillCloses) {
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  model.Calculate();
  questions.Prepare(Answer::kYes);
  files.Prepare(std::nullopt);
  EXPECT_EQ(model.Close(), CloseOutcome::kClosed);
  EXPECT_TRUE(model.unsaved_changes());
}

TEST_F(GasModelTest, AFailedSaveIsReportedAndKeepsTheWindowOpen) {
  testing::ScratchFolder folder;
  NewAnalysis(1, 2);
  TypeMethaneEthane();
  model.Calculate();
  const std::string path = folder.File("missing/x.gas");
  questions.Prepare(Answer::kYes);
  files.Prepare(path);
  EXPECT_EQ(model.Close(), CloseOutcome::kStaysOpen);
  EXPECT_THAT(messages.texts(),
              ElementsAre("Could not save " + path + ": the folder does not exist."));
  EXPECT_EQ(context.gas_file_title, "TEST.GAS");
  EXPECT_EQ(model.view().caption, "Gas Data - TEST.GAS");
  EXPECT_TRUE(model.unsaved_changes());
}

TEST_F(GasModelTest, TheCloseButtonResetsTheBusyPointer) {
  busy.SetBusy(true);
  model.CloseButtonFocused();
  EXPECT_FALSE(busy.busy());
}

}  // namespace
}  // namespace torvane

namespace torvane {
namespace {

TEST_F(StoredGasTest, TabbingThroughAStoredFractionKeepsItExactly) {
  StoreTwoSections();
  context.record.MolFraction(0, 0) = 0.123456789;
  context.record.MolFraction(1, 0) = 1 - 0.123456789;
  model.Open();
  EXPECT_EQ(model.view().rows[0].fraction, "0.12346");
  EXPECT_FALSE(model.LeaveFractionBox(0, "0.12346", false));
  EXPECT_EQ(context.record.MolFraction(0, 0), 0.123456789);
  EXPECT_EQ(model.SumFractions(), 1.0);
  EXPECT_FALSE(model.unsaved_changes());
  // A typed value is taken as typed.
  EXPECT_FALSE(model.LeaveFractionBox(0, "0.12346", true));
  EXPECT_EQ(context.record.MolFraction(0, 0), 0.12346);
  EXPECT_TRUE(model.unsaved_changes());
}

TEST_F(StoredGasTest, ANewAnalysisIsNeverTakenForStoredData) {
  StoreTwoSections();
  model.Open();
  ASSERT_GT(context.engine.Mixture(0).mix_mol_weight, 0);
  // "Enter new gases" and a re-show leave ShowStoredGas set; the next new analysis clears it
  // and drops the mixtures of the analysis it replaces.
  context.show_stored_gas = true;
  const size_t hook_calls = hooks.calls().size();
  const size_t shown = messages.texts().size();
  GasAnalysisModel fresh(context, services, warnings, hooks, kProgramFolder);
  StartNewGasAnalysis(context, 1, 3, "NEW.GAS");
  fresh.Open();
  EXPECT_FALSE(context.show_stored_gas);
  EXPECT_FALSE(context.gas_calculated);
  EXPECT_FALSE(fresh.view().calc_enabled);
  EXPECT_EQ(context.engine.Mixture(0).mix_mol_weight, 0);
  EXPECT_EQ(context.engine.Mixture(1).mix_mol_weight, 0);
  EXPECT_EQ(hooks.calls().size(), hook_calls);
  EXPECT_EQ(messages.texts().size(), shown);
}

}  // namespace
}  // namespace torvane
