// The labyrinth window driven offscreen through its controls: opening, full cases in three unit
// systems against the calculation core, field checks on leaving and during Calculate, stops and
// warnings, the labyrinth data record, titles and the enabling of Calculate and Print.
#include <QAccessible>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include "laby_ui/laby_window_fixture.h"
#include "orvell/orvell_list.h"
#include "platform/ui/access_key_guard.h"
#include "platform/ui/qt_dialogs.h"
#include "support/screenshot.h"

namespace torvane {
namespace {

using testing::EnglishCase;
using testing::InputsOf;
using testing::Typed;
using Status = LabyOutcome::Status;

// The English case as a stored record: straight labyrinth, results not yet calculated.
constexpr LabyData kEnglishRecord = {0,     1, 6,    0.012, 500, 100, 100, 0.02,
                                     0.125, 8, 0.67, 0,     0,   0,   0};

// A text typed into a box, the message it gives, and a text the box takes.
struct BoxCase {
  LabyField field;
  const char* bad;
  const char* message;
  const char* good;
};

class LabyrinthWindowTest : public testing::LabyWindowFixture {
 protected:
  // The same case through the calculation core, with messages of its own.
  LabyOutcome Reference(const LabyInputs& in) {
    RecordingMessageService reference_messages;
    LabyrinthCalculation reference(context_.units, context_.engine, reference_messages);
    return reference.Calculate(in);
  }

  void ExpectResultsShown(const LabyResults& r) {
    EXPECT_EQ(Text("txtLabyFlow").toStdString(), FormatNumber(r.laby_flow, kResultFormat));
    EXPECT_EQ(Text("txtLabyFlowStd").toStdString(), FormatNumber(r.laby_flow_std, kResultFormat));
    EXPECT_EQ(Text("txtLabySupplyFlow").toStdString(),
              FormatNumber(r.laby_supply_flow, kResultFormat));
    EXPECT_EQ(Text("txtLabyVolumeFlow").toStdString(),
              FormatNumber(r.laby_volume_flow, kResultFormat));
    EXPECT_EQ(Label("untLabyFlowStd").toStdString(), r.std_flow_unit);
  }

  std::vector<QString> ResultTexts() const {
    return {Text("txtLabyFlow"), Text("txtLabyFlowStd"), Text("txtLabySupplyFlow"),
            Text("txtLabyVolumeFlow")};
  }
};

TEST_F(LabyrinthWindowTest, OpensWithTheCaptionsControlsAndTheStoredRecord) {
  LabyrinthWindow& w = Open();
  EXPECT_EQ(w.objectName(), "frmLaby");
  EXPECT_EQ(w.windowTitle(), "Labyrinth Leakage - methane.gas");

  const std::pair<const char*, const char*> captions[] = {
      {"lblTitle", "Title:"},
      {"lblGasSection", "Gas 1 of 1"},
      {"lblSealDia", "Seal diameter:"},
      {"lblSealRadClear", "Seal radial clearance:"},
      {"lblPressUp", "Upstream pressure:"},
      {"lblPressDown", "Downstream pressure:"},
      {"lblTempUp", "Upstream temperature:"},
      {"lblToothThk", "Tooth thickness:"},
      {"lblToothSpc", "Tooth spacing:"},
      {"lblToothNo", "Number of teeth:"},
      {"lblFloCo", "Flow coefficient:"},
      {"lblLabyFlow", "Labyrinth flow rate:"},
      {"lblLabyFlowStd", ""},
      {"lblLabySupplyFlow", "Inlet volume flow:"},
      {"lblLabyVolumeFlow", "Exhaust volume flow:"},
  };
  for (const auto& [name, caption] : captions) {
    EXPECT_EQ(Label(name).remove('&'), caption) << name;
  }
  const std::pair<const char*, const char*> units[] = {
      {"untSealDia", "in"},
      {"untSealRadClear", "in"},
      {"untToothThk", "in"},
      {"untToothSpc", "in"},
      {"untToothNo", ""},
      {"untPressUp", "psia    "},
      {"untPressDown", "psia    "},
      {"untTempUp", "deg F"},
      {"untFloCo", ""},
      {"untLabyFlow", "lb/min    "},
      {"untLabyFlowStd", "SCFM"},
      {"untLabySupplyFlow", "ft3/min   "},
      {"untLabyVolumeFlow", "ft3/min   "},
  };
  for (const auto& [name, unit] : units) EXPECT_EQ(Label(name), unit) << name;
  const std::pair<const char*, const char*> buttons[] = {{"cmdCalc", "Calculate"},
                                                         {"cmdPrint", "Print"},
                                                         {"cmdExportPdf", "Export PDF..."},
                                                         {"cmdClose", "Close"}};
  for (const auto& [name, text] : buttons) EXPECT_EQ(Button(name)->text().remove('&'), text);

  auto* type = Child<orvell::OrvellList>("optLabyType");
  EXPECT_EQ(type->Contents(), "0;Stepped\r\n1;Straight");
  EXPECT_EQ(type->Caption(), "Labyrinth type");
  EXPECT_EQ(type->ListIndex(), 0);

  // The record as the main window leaves it: zeros, one tooth, 0.67.
  EXPECT_EQ(Text("txtTitle"), "Pump K-101");
  EXPECT_EQ(Text("txtSealDia"), "0");
  EXPECT_EQ(Text("txtPressUp"), "0.00");
  EXPECT_EQ(Text("txtToothNo"), "1");
  EXPECT_EQ(Text("txtFloCo"), "0.67");
  EXPECT_EQ(Text("txtLabyFlow"), "0.000");
  EXPECT_FALSE(Button("cmdCalc")->isEnabled());
  EXPECT_FALSE(Button("cmdPrint")->isEnabled());
  EXPECT_FALSE(Button("cmdExportPdf")->isEnabled());
  EXPECT_TRUE(Child<QLineEdit>("txtLabyFlow")->isReadOnly());
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(LabyrinthWindowTest, InputsAreGroupedByGeometryConditionsAndCoefficients) {
  context_.laby_data = kEnglishRecord;
  Open();
  // The boxes are children of the window; their rows are laid out inside the group boxes.
  auto* geometry = Child<QGroupBox>("grpGeometry");
  auto* conditions = Child<QGroupBox>("grpConditions");
  auto* coefficients = Child<QGroupBox>("grpCoefficients");
  auto* results = Child<QGroupBox>("grpResults");
  EXPECT_EQ(geometry->title(), "Geometry");
  EXPECT_EQ(conditions->title(), "Operating conditions");
  EXPECT_EQ(coefficients->title(), "Coefficients");
  EXPECT_EQ(results->title(), "Results");
  auto inside = [](QWidget* w, QGroupBox* g) {
    const QRect r(w->mapTo(w->window(), QPoint(0, 0)), w->size());
    const QRect gr(g->mapTo(g->window(), QPoint(0, 0)), g->size());
    return gr.contains(r);
  };
  for (LabyField f : {LabyField::kSealDia, LabyField::kSealRadClear, LabyField::kToothThk,
                      LabyField::kToothSpc, LabyField::kToothNo}) {
    EXPECT_TRUE(inside(Box(f), geometry)) << FieldCaption(f);
  }
  for (LabyField f : {LabyField::kPressUp, LabyField::kPressDown, LabyField::kTempUp}) {
    EXPECT_TRUE(inside(Box(f), conditions)) << FieldCaption(f);
  }
  EXPECT_TRUE(inside(Box(LabyField::kFloCo), coefficients));
  EXPECT_TRUE(inside(Child<QLineEdit>("txtLabyVolumeFlow"), results));

  // Tab visits the title, the type list and the boxes group by group.
  Child<QLineEdit>("txtTitle")->setFocus(Qt::OtherFocusReason);
  std::vector<QString> order;
  for (int i = 0; i < 11; ++i) {
    order.push_back(Focus()->objectName());
    QTest::keyClick(Focus(), Qt::Key_Tab);
  }
  EXPECT_EQ(order, (std::vector<QString>{"txtTitle", "optLabyType", "txtSealDia", "txtSealRadClear",
                                         "txtToothThk", "txtToothSpc", "txtToothNo", "txtPressUp",
                                         "txtPressDown", "txtTempUp", "txtFloCo"}));
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(LabyrinthWindowTest, EnglishCaseShowsTheCoreResultsAndStoresTheRecord) {
  Open();
  Child<orvell::OrvellList>("optLabyType")->setListIndex(1);
  EnterAll(EnglishCase());
  EXPECT_TRUE(Button("cmdCalc")->isEnabled());  // the teeth box was edited
  EXPECT_EQ(Text("txtPressUp"), "500.00");      // shown in the decimals of psia once left
  EXPECT_EQ(Text("txtPressDown"), "100.00");
  Calculate();

  const LabyOutcome expected = Reference(InputsOf(1, EnglishCase()));
  ASSERT_EQ(expected.status, Status::kDone);
  EXPECT_TRUE(messages_.messages().empty());
  ExpectResultsShown(expected.results);
  EXPECT_EQ(Text("txtLabyFlow"), "81.616");  // hand-checked in the calculation tests
  EXPECT_EQ(Text("txtLabyFlowStd"), "1,931.179");
  EXPECT_EQ(context_.laby_data, expected.laby_data);
  EXPECT_EQ(context_.laby_data[kLabyType], 1);
  EXPECT_EQ(context_.laby_data[kPressUp], 500);
  EXPECT_TRUE(Button("cmdPrint")->isEnabled());
  EXPECT_TRUE(Button("cmdExportPdf")->isEnabled());
  EXPECT_EQ(busy_.times_busy(), 1);
  EXPECT_FALSE(busy_.busy());
}

TEST_F(LabyrinthWindowTest, SICaseShowsStandardCubicMetresAndBarDecimals) {
  UseUnits(UnitSystem::kSI);
  Open();
  EXPECT_EQ(Label("untSealDia"), "mm");
  EXPECT_EQ(Label("untPressUp"), "Bar a   ");
  EXPECT_EQ(Label("untTempUp"), "deg C");
  EXPECT_EQ(Label("untLabyFlow"), "kg/hr     ");
  EXPECT_EQ(Label("untLabyFlowStd"), "Sm3/hr");
  EXPECT_EQ(Label("untLabyVolumeFlow"), "m3/hr     ");
  EXPECT_EQ(Text("txtPressUp"), "0.000");

  Child<QLineEdit>("txtTitle")->setFocus(Qt::OtherFocusReason);
  Child<QLineEdit>("txtTitle")->selectAll();
  QTest::keyClicks(Child<QLineEdit>("txtTitle"), "K-101 balance piston");
  Child<orvell::OrvellList>("optLabyType")->setListIndex(1);
  const std::vector<Typed> si = {{LabyField::kSealDia, "150"},  {LabyField::kSealRadClear, "0.3"},
                                 {LabyField::kToothThk, "0.5"}, {LabyField::kToothSpc, "3"},
                                 {LabyField::kToothNo, "8"},    {LabyField::kPressUp, "30"},
                                 {LabyField::kPressDown, "5"},  {LabyField::kTempUp, "40"},
                                 {LabyField::kFloCo, "0.67"}};
  EnterAll(si);
  EXPECT_EQ(Text("txtPressUp"), "30.000");
  Calculate();

  const LabyOutcome expected = Reference(InputsOf(1, si));
  ASSERT_EQ(expected.status, Status::kDone);
  EXPECT_TRUE(messages_.messages().empty());
  ExpectResultsShown(expected.results);
  EXPECT_EQ(Label("untLabyFlowStd"), "Sm3/hr");
  // 1655.25 SCFM from an independent reference, times 1.699.
  EXPECT_NEAR(context_.laby_data[kLabyStdFlow], 1655.2516733174466 * 1.699, 1e-7);
  EXPECT_EQ(context_.laby_data, expected.laby_data);
  EXPECT_EQ(Text("txtTitle"), "K-101 balance piston");
  EXPECT_EQ(context_.laby_title, "K-101 balance piston");
  testing::SaveScreenshot(*window_, "labyrinth-window-si");
}

TEST_F(LabyrinthWindowTest, TechMetricCase) {
  UseUnits(UnitSystem::kTechMetric);
  Open();
  EXPECT_EQ(Label("untPressUp"), "kg/cm2 a");
  EXPECT_EQ(Label("untLabyFlow"), "kg/min    ");
  EXPECT_EQ(Label("untLabyFlowStd"), "Sm3/hr");
  const std::vector<Typed> metric = {
      {LabyField::kSealDia, "200"},     {LabyField::kSealRadClear, "0.25"},
      {LabyField::kToothThk, "0.3"},    {LabyField::kToothSpc, "4"},
      {LabyField::kToothNo, "12"},      {LabyField::kPressUp, "25.5"},
      {LabyField::kPressDown, "1.033"}, {LabyField::kTempUp, "35"},
      {LabyField::kFloCo, "0.7"}};
  EnterAll(metric);
  EXPECT_EQ(Text("txtPressDown"), "1.033");
  Calculate();
  const LabyOutcome expected = Reference(InputsOf(0, metric));
  ASSERT_EQ(expected.status, Status::kDone);
  EXPECT_TRUE(messages_.messages().empty());
  ExpectResultsShown(expected.results);
  EXPECT_EQ(context_.laby_data, expected.laby_data);
  EXPECT_EQ(context_.laby_data[kLabyType], 0);
}

TEST_F(LabyrinthWindowTest, EachFieldCheckRunsOnLeavingItsBoxAndKeepsTheFocus) {
  context_.laby_data = kEnglishRecord;
  Open();
  const BoxCase cases[] = {
      {LabyField::kSealDia, "90.01", "Maximum allowable diameter is 90 in", "90"},
      {LabyField::kSealDia, "0.999", "Minimum allowable diameter is 1 in", "1"},
      {LabyField::kSealRadClear, "-0.001", "Minimum allowable radial clearance is 0 in", "0"},
      {LabyField::kToothThk, "0.11", "Maximum allowable tooth thickness is 0.1 in", "0.1"},
      {LabyField::kToothThk, "0.009", "Minimum allowable tooth thickness is 0.01 in", "0.01"},
      {LabyField::kToothSpc, "0.31", "Maximum allowable tooth spacing is 0.3 in", "0.3"},
      {LabyField::kToothSpc, "0.049", "Minimum allowable tooth spacing is 0.05 in", "0.05"},
      {LabyField::kToothNo, "51", "Maximum number of teeth is 50", "50"},
      {LabyField::kToothNo, "0.9", "Minimum number of teeth is 1", "1"},
      {LabyField::kPressUp, "10,000.01", "Maximum allowable pressure is 10000 psia    ", "10000"},
      {LabyField::kPressUp, "0.99", "Minimum allowable pressure is 1 psia    ", "1"},
      {LabyField::kTempUp, "1040.5", "Maximum allowable temperature is 1040 deg F", "1040"},
      {LabyField::kTempUp, "-461", "Minimum allowable temperature is -460 deg F", "-460"},
      {LabyField::kSealDia, "abc", "Seal diameter must be a number", "12"},
      {LabyField::kSealRadClear, "", "Seal radial clearance must be a number", "0.2"},
      {LabyField::kToothNo, "1e999", "Number of teeth must be a number", "4"},
      {LabyField::kPressDown, "nan", "Downstream pressure must be a number", "-5"},
      {LabyField::kFloCo, "0.6x", "Flow coefficient must be a number", "99"},
      {LabyField::kFloCo, "0,670", "Flow coefficient must be a number", "0.67"},
      {LabyField::kSealRadClear, "0,012", "Seal radial clearance must be a number", "0.012"},
  };
  for (const BoxCase& c : cases) {
    messages_.Clear();
    Enter(c.field, c.bad);
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message}) << c.bad;
    EXPECT_EQ(Focus(), Box(c.field)) << c.message;
    EXPECT_EQ(Box(c.field)->selectedText(), Box(c.field)->text());  // ready to be typed over

    messages_.Clear();
    Enter(c.field, c.good);  // the bound itself is allowed
    EXPECT_TRUE(messages_.messages().empty()) << c.good;
    EXPECT_NE(Focus(), Box(c.field)) << c.good;
  }
  for (const Message& m : messages_.messages()) EXPECT_EQ(m.icon, MessageIcon::kNone);
}

// A decimal comma typed into any box is no number: Calculate refuses it with the box's message
// instead of computing with 670 for 0,670; grouped thousands still read.
TEST_F(LabyrinthWindowTest, ADecimalCommaInAnyBoxIsNotANumber) {
  Open();
  EnterAll(EnglishCase());
  Calculate();
  ASSERT_TRUE(messages_.messages().empty());
  const LabyData stored = context_.laby_data;
  const std::vector<QString> shown = ResultTexts();
  const BoxCase cases[] = {
      {LabyField::kFloCo, "0,670", "Flow coefficient must be a number", "0.67"},
      {LabyField::kFloCo, "00,670", "Flow coefficient must be a number", "0.67"},
      {LabyField::kSealRadClear, "0,012", "Seal radial clearance must be a number", "0.012"},
      {LabyField::kSealDia, "0,5", "Seal diameter must be a number", "6"},
      {LabyField::kToothThk, "0,020", "Tooth thickness must be a number", "0.02"},
      {LabyField::kToothSpc, "0,125", "Tooth spacing must be a number", "0.125"},
      {LabyField::kToothNo, "0,8", "Number of teeth must be a number", "8"},
      {LabyField::kPressUp, "0,500", "Upstream pressure must be a number", "500"},
      {LabyField::kPressDown, "0,100", "Downstream pressure must be a number", "100"},
      {LabyField::kTempUp, "0,100", "Upstream temperature must be a number", "100"},
  };
  // Typed without leaving the box: Calculate finds it (leaving it is checked above).
  for (const BoxCase& c : cases) {
    TypeInto(c.field, c.bad);
    Calculate();
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message}) << c.bad;
    EXPECT_EQ(Focus(), Box(c.field)) << c.message;
    EXPECT_EQ(context_.laby_data, stored) << c.bad;
    EXPECT_EQ(ResultTexts(), shown) << c.bad;
    Enter(c.field, c.good);
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message}) << c.good;
    messages_.Clear();
  }
  Enter(LabyField::kPressUp, "1,250.5");
  Calculate();
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(context_.laby_data[kPressUp], 1250.5);
  EXPECT_EQ(Text("txtPressUp"), "1,250.50");
}

// A case opened from a file shows its stored results, which may belong to another gas section
// than the label names: they are marked until the user calculates.
TEST_F(LabyrinthWindowTest, StoredResultsAreMarkedUntilTheUserCalculates) {
  context_.laby_data = kEnglishRecord;
  context_.laby_data[kLabyFlow] = 12.5;
  Open();
  EXPECT_TRUE(Child<QLabel>("lblStoredResults")->isHidden());

  context_.laby_results_stored = true;
  Open();
  QLabel* mark = Child<QLabel>("lblStoredResults");
  EXPECT_TRUE(mark->isVisible());
  EXPECT_EQ(mark->text(), "Results as stored in the file");
  EXPECT_EQ(Text("txtLabyFlow"), "12.500");
  // Beside the gas section label.
  const QRect section = Child<QLabel>("lblGasSection")->geometry();
  EXPECT_EQ(mark->geometry().top() < section.bottom() && section.top() < mark->geometry().bottom(),
            true);
  EXPECT_GT(mark->geometry().left(), section.left());
  testing::SaveScreenshot(*window_, "labyrinth-window-stored-results");

  Enter(LabyField::kPressDown, "600");  // a stop leaves the stored results as they are
  Calculate();
  EXPECT_TRUE(mark->isVisible());
  Enter(LabyField::kPressDown, "100");
  messages_.Clear();
  Calculate();
  ASSERT_TRUE(messages_.messages().empty());
  EXPECT_TRUE(mark->isHidden());
  EXPECT_FALSE(context_.laby_results_stored);
  Open();
  EXPECT_TRUE(Child<QLabel>("lblStoredResults")->isHidden());
}

TEST_F(LabyrinthWindowTest, LeavingChecksUseTheLimitsOfTheUserUnits) {
  UseUnits(UnitSystem::kSI);
  context_.laby_data = LabyData{0, 1, 150, 0.3, 30, 5, 40, 0.5, 3, 8, 0.67, 0, 0, 0, 0};
  Open();
  struct Case {
    LabyField field;
    const char* bad;
    const char* good;
  };
  const Case cases[] = {{LabyField::kSealDia, "2300.5", "2300"},
                        {LabyField::kToothSpc, "1.2", "7.5"},
                        {LabyField::kToothThk, "2.51", "0.25"},
                        {LabyField::kPressUp, "690.001", "0.1"},
                        {LabyField::kTempUp, "-273.5", "750"}};
  for (const Case& c : cases) {
    Enter(c.field, c.bad);
    Enter(c.field, "x");
    Enter(c.field, c.good);
  }
  EXPECT_EQ(
      Texts(),
      (std::vector<std::string>{
          "Maximum allowable diameter is 2300 mm", "Seal diameter must be a number",
          "Minimum allowable tooth spacing is 1.25 mm", "Tooth spacing must be a number",
          "Maximum allowable tooth thickness is 2.5 mm", "Tooth thickness must be a number",
          "Maximum allowable pressure is 690 Bar a   ", "Upstream pressure must be a number",
          "Minimum allowable temperature is -273 deg C", "Upstream temperature must be a number"}));
  EXPECT_EQ(Text("txtPressUp"), "0.100");
}

TEST_F(LabyrinthWindowTest, CalculateRunsTheChecksInOrderAndStopsAtTheFirst) {
  Open();
  EnterAll(EnglishCase());
  Calculate();
  ASSERT_TRUE(messages_.messages().empty());
  const LabyData stored = context_.laby_data;
  const std::vector<QString> shown = ResultTexts();

  // Values typed without leaving their boxes: only Calculate checks them. Each round breaks one
  // more box, later in the order than the one before; the first in the order is reported.
  struct Case {
    LabyField field;
    const char* text;
    LabyField focus;
    const char* message;
  };
  const Case cases[] = {
      {LabyField::kToothThk, "0.2", LabyField::kToothThk,
       "Maximum allowable tooth thickness is 0.1 in"},
      {LabyField::kToothSpc, "0.01", LabyField::kToothSpc,
       "Minimum allowable tooth spacing is 0.05 in"},
      {LabyField::kToothNo, "60", LabyField::kToothNo, "Maximum number of teeth is 50"},
      {LabyField::kTempUp, "2000", LabyField::kTempUp,
       "Maximum allowable temperature is 1040 deg F"},
      {LabyField::kSealRadClear, "-1", LabyField::kSealRadClear,
       "Minimum allowable radial clearance is 0 in"},
      {LabyField::kPressUp, "0", LabyField::kPressUp, "Minimum allowable pressure is 1 psia    "},
      {LabyField::kSealDia, "100", LabyField::kSealDia, "Maximum allowable diameter is 90 in"},
  };
  for (const Case& c : cases) {
    // Put the focus into the box by code, so that leaving the previous one runs no check.
    Box(c.field)->setFocus(Qt::ActiveWindowFocusReason);
    Box(c.field)->selectAll();
    QTest::keyClicks(Box(c.field), c.text);
    messages_.Clear();
    Calculate();
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(Focus(), Box(c.focus)) << c.message;
    EXPECT_EQ(context_.laby_data, stored);
    EXPECT_EQ(ResultTexts(), shown);
  }
}

TEST_F(LabyrinthWindowTest, TextThatIsNoNumberStopsCalculateAtItsBox) {
  Open();
  EnterAll(EnglishCase());
  const LabyData before = context_.laby_data;
  // Typed but not left: Calculate reads it at its place in the order of the checks.
  Box(LabyField::kPressDown)->setFocus(Qt::ActiveWindowFocusReason);
  Box(LabyField::kPressDown)->selectAll();
  QTest::keyClicks(Box(LabyField::kPressDown), "1O0");
  Calculate();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Downstream pressure must be a number"});
  EXPECT_EQ(Focus(), Box(LabyField::kPressDown));
  EXPECT_EQ(context_.laby_data, before);
  EXPECT_FALSE(Button("cmdPrint")->isEnabled());
}

TEST_F(LabyrinthWindowTest, StopsShowTheirMessageAndMoveTheFocus) {
  Open();
  EnterAll(EnglishCase());
  Enter(LabyField::kPressDown, "500.01");
  const LabyData before = context_.laby_data;
  Calculate();
  EXPECT_EQ(messages_.messages(), std::vector<Message>{Message{"Downstream pressure is too high"}});
  EXPECT_EQ(Focus(), Box(LabyField::kPressDown));

  messages_.Clear();
  Enter(LabyField::kPressUp, "14.696");
  Enter(LabyField::kPressDown, "14");
  Enter(LabyField::kTempUp, "-300");
  EXPECT_EQ(Text("txtPressUp"), "14.70");
  Calculate();
  // Saturation of methane at 14.696 psia: 201.44 degR = -258.23 deg F.
  EXPECT_EQ(messages_.messages(),
            std::vector<Message>{Message{"Temperature is below saturation of -258.2 deg F"}});
  EXPECT_EQ(Focus(), Box(LabyField::kTempUp));
  EXPECT_EQ(context_.laby_data, before);
  EXPECT_EQ(Text("txtLabyFlow"), "0.000");
  EXPECT_FALSE(Button("cmdPrint")->isEnabled());
}

TEST_F(LabyrinthWindowTest, WarningsComeInOrderAndTheCalculationGoesOn) {
  Open();
  EnterAll(EnglishCase());
  Enter(LabyField::kSealRadClear, "0.25");  // ratio 2 and above the suggested 0.2 in
  Calculate();
  const std::vector<Message> expected = {
      Message{"Warning: Ratio of radial clearance to tooth spacing exceeds 0.12, results may not "
              "be accurate."},
      Message{"Warning: Radial clearance exceeds suggested value of, 0.2. Calculations may not be "
              "accurate"}};
  EXPECT_EQ(messages_.messages(), expected);
  LabyInputs in = InputsOf(0, EnglishCase());
  in.seal_rad_clear = 0.25;
  const LabyOutcome reference = Reference(in);
  ExpectResultsShown(reference.results);
  EXPECT_EQ(context_.laby_data, reference.laby_data);
  EXPECT_TRUE(Button("cmdPrint")->isEnabled());

  // Equal to the suggested clearance: no second warning.
  messages_.Clear();
  Enter(LabyField::kSealRadClear, "0.2");
  Calculate();
  EXPECT_EQ(messages_.messages(), std::vector<Message>{expected[0]});
}

TEST_F(LabyrinthWindowTest, CalculationErrorsKeepTheResultsAndTheRecord) {
  Open();
  EnterAll(EnglishCase());
  Calculate();
  const LabyData stored = context_.laby_data;
  const std::vector<QString> shown = ResultTexts();
  const Message error{"Calculation error, recheck input and try again", MessageIcon::kCritical};

  Enter(LabyField::kToothNo, "4.322");  // the flow function's pole
  Calculate();
  EXPECT_EQ(messages_.messages(), std::vector<Message>{error});
  EXPECT_EQ(Focus(), Box(LabyField::kPressUp));  // no focus change: Tab had moved it on

  messages_.Clear();
  Enter(LabyField::kToothNo, "8");
  Enter(LabyField::kPressDown, "0");  // no exhaust specific volume
  Calculate();
  EXPECT_EQ(messages_.messages(), std::vector<Message>{error});

  messages_.Clear();
  Enter(LabyField::kPressDown, "100");
  Enter(LabyField::kFloCo, "1e308");  // the mass flow overflows
  Calculate();
  EXPECT_EQ(messages_.messages(), std::vector<Message>{error});

  EXPECT_EQ(context_.laby_data, stored);
  EXPECT_EQ(ResultTexts(), shown);
}

TEST_F(LabyrinthWindowTest, EqualPressuresGiveZeroFlowsWithoutAMessage) {
  Open();
  EnterAll(EnglishCase());
  Enter(LabyField::kPressDown, "500");
  Calculate();
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(Text("txtLabyFlow"), "0.000");
  EXPECT_EQ(context_.laby_data[kLabyFlow], 0);
  EXPECT_TRUE(Button("cmdPrint")->isEnabled());
}

TEST_F(LabyrinthWindowTest, CalculateIsEnabledAtOpeningOnlyForMoreThanOneTooth) {
  context_.laby_data = LabyData{0, 0, 6, 0.012, 500, 100, 100, 0.02, 0.125, 1, 0.67, 0, 0, 0, 0};
  Open();
  EXPECT_FALSE(Button("cmdCalc")->isEnabled());
  // Editing another box does not enable it.
  TypeInto(LabyField::kSealDia, "7");
  EXPECT_FALSE(Button("cmdCalc")->isEnabled());
  // Editing the teeth box does, even to the same one tooth.
  TypeInto(LabyField::kToothNo, "1");
  EXPECT_TRUE(Button("cmdCalc")->isEnabled());
  Calculate();
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(context_.laby_data[kToothNumber], 1);
  EXPECT_EQ(context_.laby_data[kSealClear], 7);

  window_.reset();
  context_.laby_data[kToothNumber] = 2;
  Open();
  EXPECT_TRUE(Button("cmdCalc")->isEnabled());
  window_.reset();
  context_.laby_data[kSealRadClear] = 0;
  Open();
  EXPECT_FALSE(Button("cmdCalc")->isEnabled());
  window_.reset();
  context_.laby_data[kSealRadClear] = 0.01;
  context_.laby_data[kSealClear] = 0;
  Open();
  EXPECT_FALSE(Button("cmdCalc")->isEnabled());
}

TEST_F(LabyrinthWindowTest, EnterKeyCalculatesOnlyWhenCalculateIsEnabled) {
  Open();
  TypeInto(LabyField::kSealDia, "6");
  QTest::keyClick(Box(LabyField::kSealDia), Qt::Key_Return);
  EXPECT_EQ(busy_.times_busy(), 0);
  EnterAll(EnglishCase());
  QTest::keyClick(Box(LabyField::kPressUp), Qt::Key_Return);
  EXPECT_EQ(busy_.times_busy(), 1);
  ExpectResultsShown(Reference(InputsOf(0, EnglishCase())).results);
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(LabyrinthWindowTest, TheRecordIsShownUnconvertedAfterAUnitSwitch) {
  Open();
  EnterAll(EnglishCase());
  Calculate();
  const LabyData stored = context_.laby_data;
  window_.reset();

  UseUnits(UnitSystem::kSI);
  Open();
  EXPECT_EQ(Label("untSealDia"), "mm");
  EXPECT_EQ(Text("txtSealDia"), "6");
  EXPECT_EQ(Text("txtSealRadClear"), "0.012");
  EXPECT_EQ(Text("txtPressUp"), "500.000");  // psia figures, now read as Bar a
  EXPECT_EQ(Text("txtTempUp"), "100");
  EXPECT_EQ(Text("txtLabyFlow").toStdString(), FormatNumber(stored[kLabyFlow], kResultFormat));
  EXPECT_EQ(Label("untLabyFlowStd"), "Sm3/hr");
  EXPECT_TRUE(Button("cmdCalc")->isEnabled());
  EXPECT_FALSE(Button("cmdPrint")->isEnabled());
  EXPECT_EQ(context_.laby_data, stored);

  // The next calculation checks the figures against the millimetre limits.
  Calculate();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Minimum allowable diameter is 25 mm"});
  EXPECT_EQ(Focus(), Box(LabyField::kSealDia));
  EXPECT_EQ(context_.laby_data, stored);
}

TEST_F(LabyrinthWindowTest, StoredInputsAreNotRoundedByTheirDisplay) {
  context_.laby_data =
      LabyData{0, 1, 6, 0.012, 514.696, 14.6959, 100, 0.02, 0.125, 8, 0.67, 0, 0, 0, 0};
  Open();
  EXPECT_EQ(Child<orvell::OrvellList>("optLabyType")->ListIndex(), 1);
  EXPECT_EQ(Text("txtPressUp"), "514.70");
  EXPECT_EQ(Text("txtPressDown"), "14.70");
  Calculate();
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(context_.laby_data[kPressUp], 514.696);
  EXPECT_EQ(context_.laby_data[kPressDown], 14.6959);
  // A typed pressure is stored as typed, though shown rounded.
  Enter(LabyField::kPressDown, "14.6951");
  EXPECT_EQ(Text("txtPressDown"), "14.70");
  Calculate();
  EXPECT_EQ(context_.laby_data[kPressDown], 14.6951);
}

TEST_F(LabyrinthWindowTest, StoredTypeThatIsNeitherStepOrStraightOpensAsStepped) {
  context_.laby_data[kLabyType] = 7;
  Open();
  EXPECT_EQ(Child<orvell::OrvellList>("optLabyType")->ListIndex(), 0);
}

TEST_F(LabyrinthWindowTest, TitleEditsReachCaseTitleAndLabyTitle) {
  context_.record.case_title.Assign("Pump K-101");
  Open();
  // The stored title without its padding: text typed at its end follows it directly.
  EXPECT_EQ(Text("txtTitle"), "Pump K-101");
  EXPECT_EQ(context_.laby_title, "Pump K-101");
  EXPECT_EQ(context_.record.case_title.str(), "Pump K-101                              ");
  auto* title = Child<QLineEdit>("txtTitle");
  title->setFocus(Qt::OtherFocusReason);
  title->end(false);
  QTest::keyClicks(title, ", stage 2");
  EXPECT_EQ(context_.laby_title, "Pump K-101, stage 2");
  EXPECT_EQ(context_.record.case_title.str(), "Pump K-101, stage 2                     ");

  title->selectAll();
  QTest::keyClicks(title, "Gr");
  QKeyEvent u_umlaut(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                     QString::fromUtf8("\xC3\xBC"));
  QApplication::sendEvent(title, &u_umlaut);
  // 45 characters typed: the box takes the 40 the case title holds, nothing is lost unseen.
  QTest::keyClicks(title, "nfeld compressor, balance piston labyrinth");
  EXPECT_EQ(title->text(), QString::fromUtf8("Gr\xC3\xBCnfeld compressor, balance piston laby"));
  EXPECT_EQ(context_.laby_title,
            "Gr\xC3\xBC"
            "nfeld compressor, balance piston laby");
  EXPECT_EQ(context_.record.case_title.str(), "Gr\xFCnfeld compressor, balance piston laby");

  window_.reset();
  Open();  // LabyTitle is kept for the next opening
  EXPECT_EQ(Text("txtTitle"), QString::fromUtf8("Gr\xC3\xBC"
                                                "nfeld compressor, balance piston laby"));
}

TEST_F(LabyrinthWindowTest, PrintIsEnabledOnlyAfterASuccessInThisOpening) {
  context_.laby_data = LabyData{0, 1, 6, 0.012, 500, 100, 100, 0.02, 0.125, 8, 0.67, 1, 2, 3, 4};
  Open();
  EXPECT_TRUE(Button("cmdCalc")->isEnabled());
  EXPECT_FALSE(Button("cmdPrint")->isEnabled());
  Enter(LabyField::kPressDown, "600");
  Calculate();
  EXPECT_FALSE(Button("cmdPrint")->isEnabled());
  Enter(LabyField::kPressDown, "100");
  Calculate();
  EXPECT_TRUE(Button("cmdPrint")->isEnabled());
  EXPECT_TRUE(Button("cmdExportPdf")->isEnabled());
  // A later failure does not take it back: the record still holds the success.
  Enter(LabyField::kPressDown, "600");
  Calculate();
  EXPECT_TRUE(Button("cmdPrint")->isEnabled());

  window_.reset();
  Open();
  EXPECT_FALSE(Button("cmdPrint")->isEnabled());
  EXPECT_FALSE(Button("cmdExportPdf")->isEnabled());
}

TEST_F(LabyrinthWindowTest, ActivationResetsTheBusyPointer) {
  busy_.SetBusy(true);  // the main window's menu command
  Open();
  EXPECT_FALSE(busy_.busy());
  EnterAll(EnglishCase());
  Calculate();
  EXPECT_EQ(busy_.times_busy(), 2);
  EXPECT_FALSE(busy_.busy());
}

TEST_F(LabyrinthWindowTest, CloseDiscardsUncalculatedInputsWithoutChecks) {
  Open();
  EnterAll(EnglishCase());
  Calculate();
  const LabyData stored = context_.laby_data;
  TypeInto(LabyField::kSealDia, "abc");  // typed, not left
  QTest::mouseClick(Button("cmdClose"), Qt::LeftButton);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->result(), QDialog::Rejected);
  EXPECT_TRUE(messages_.messages().empty());
  EXPECT_EQ(context_.laby_data, stored);
  window_.reset();  // destroying the window runs no check either
  EXPECT_TRUE(messages_.messages().empty());
}

// The window with real message boxes: a box left with a bad value shows one modal message, and
// when it is closed the focus is back in the box, with no check of the box the focus had gone to.
class LabyrinthWindowMessageBoxTest : public testing::LabyWindowFixture {
 protected:
  QtMessageService real_messages_;
  UiServices real_services_{real_messages_, questions_, files_, busy_};
};

QString AccessibleName(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// A screen reader reads every box with its unit, the unit captions without their padding, and
// the result boxes as read-only text, the standard flow by its own caption.
TEST_F(LabyrinthWindowTest, BoxesAreNamedWithTheirUnitsForAScreenReader) {
  UseUnits(UnitSystem::kSI);
  Open();
  const std::pair<LabyField, const char*> inputs[] = {
      {LabyField::kSealDia, "Seal diameter, mm"},
      {LabyField::kSealRadClear, "Seal radial clearance, mm"},
      {LabyField::kPressUp, "Upstream pressure, Bar a"},
      {LabyField::kPressDown, "Downstream pressure, Bar a"},
      {LabyField::kTempUp, "Upstream temperature, deg C"},
      {LabyField::kToothThk, "Tooth thickness, mm"},
      {LabyField::kToothSpc, "Tooth spacing, mm"},
      {LabyField::kToothNo, "Number of teeth"},
      {LabyField::kFloCo, "Flow coefficient"},
  };
  for (const auto& [field, name] : inputs) {
    EXPECT_EQ(AccessibleName(Box(field)), QString::fromUtf8(name));
    const QAccessible::State state = QAccessible::queryAccessibleInterface(Box(field))->state();
    EXPECT_TRUE(state.editable) << name;
    EXPECT_FALSE(state.readOnly) << name;
  }
  // The captions the boxes belong to read the same, for screen readers that read the label.
  EXPECT_EQ(AccessibleName(Child<QLabel>("lblSealDia")), "Seal diameter, mm");
  EXPECT_EQ(AccessibleName(Child<QLabel>("lblToothNo")), "Number of teeth");
  // The captions the boxes belong to read the same, for screen readers that read the label.
  EXPECT_EQ(AccessibleName(Child<QLabel>("lblSealDia")), "Seal diameter, mm");
  EXPECT_EQ(AccessibleName(Child<QLabel>("lblToothNo")), "Number of teeth");
  EXPECT_EQ(Label("untPressUp"), "Bar a   ");
  EXPECT_EQ(AccessibleName(Child<QLabel>("untPressUp")), "Bar a");
  EXPECT_EQ(AccessibleName(Child<QLabel>("untLabyFlow")), "kg/hr");

  EnterAll({{LabyField::kSealDia, "150"},
            {LabyField::kSealRadClear, "0.3"},
            {LabyField::kToothThk, "0.5"},
            {LabyField::kToothSpc, "3"},
            {LabyField::kToothNo, "8"},
            {LabyField::kPressUp, "30"},
            {LabyField::kPressDown, "5"},
            {LabyField::kTempUp, "40"},
            {LabyField::kFloCo, "0.67"}});
  Calculate();
  ASSERT_TRUE(messages_.messages().empty()) << messages_.texts().front();
  EXPECT_EQ(AccessibleName(Child<QLineEdit>("txtLabyFlow")), "Labyrinth flow rate, kg/hr");
  EXPECT_EQ(AccessibleName(Child<QLabel>("lblLabyFlow")), "Labyrinth flow rate, kg/hr");
  EXPECT_EQ(AccessibleName(Child<QLineEdit>("txtLabySupplyFlow")), "Inlet volume flow, m3/hr");
  EXPECT_EQ(AccessibleName(Child<QLineEdit>("txtLabyVolumeFlow")), "Exhaust volume flow, m3/hr");
  // The standard-flow box has no caption but its unit's, which names it.
  EXPECT_EQ(AccessibleName(Child<QLineEdit>("txtLabyFlowStd")), Label("untLabyFlowStd").trimmed());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Child<QLineEdit>("txtLabyFlowStd"))
                ->text(QAccessible::Description),
            "Standard volume flow of the leakage");
  for (const char* name :
       {"txtLabyFlow", "txtLabyFlowStd", "txtLabySupplyFlow", "txtLabyVolumeFlow"}) {
    const QAccessible::State state =
        QAccessible::queryAccessibleInterface(Child<QLineEdit>(name))->state();
    EXPECT_TRUE(state.readOnly) << name;
    EXPECT_FALSE(state.editable) << name;
  }
}

// Alt+P before a calculation (Print disabled) leaves "8" in the number-of-teeth box as it was.
TEST_F(LabyrinthWindowTest, AnAccessKeyOfADisabledButtonTypesNothing) {
  Open();
  AccessKeyGuard guard(window_.get());
  TypeInto(LabyField::kToothNo, "8");
  ASSERT_FALSE(Button("cmdPrint")->isEnabled());
  QTest::keyClick(Box(LabyField::kToothNo), Qt::Key_P, Qt::AltModifier);
  QTest::keyClick(Box(LabyField::kToothNo), Qt::Key_Z, Qt::AltModifier);
  QTest::qWait(150);
  EXPECT_EQ(Box(LabyField::kToothNo)->text(), "8");
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(LabyrinthWindowMessageBoxTest, FailedCheckWithAModalBoxPutsTheFocusBack) {
  context_.laby_data = kEnglishRecord;
  LabyrinthWindow window(context_, real_services_, printer_, hooks_);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  std::vector<QString> shown;
  QTimer closer;
  closer.setInterval(20);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown.push_back(box->text());
      box->accept();
    }
  });
  closer.start();

  NumericBox* dia = window.InputBox(LabyField::kSealDia);
  NumericBox* clearance = window.InputBox(LabyField::kSealRadClear);
  QTest::mouseClick(dia, Qt::LeftButton);
  dia->selectAll();
  QTest::keyClicks(dia, "95");
  QTest::keyClick(dia, Qt::Key_Tab);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.empty(); }, 5000));
  // The window manager activates the window again once the box is gone; the focus is in the box.
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::qWait(50);
  EXPECT_EQ(shown, std::vector<QString>{"Maximum allowable diameter is 90 in"});
  EXPECT_EQ(window.focusWidget(), dia);
  EXPECT_EQ(QApplication::focusWidget(), dia);

  // Fixed, the box is left for good.
  dia->selectAll();
  QTest::keyClicks(dia, "9");
  QTest::keyClick(dia, Qt::Key_Tab);
  QTest::qWait(100);
  EXPECT_EQ(QApplication::focusWidget(), clearance);
  EXPECT_EQ(shown.size(), 1u);
}

}  // namespace
}  // namespace torvane
