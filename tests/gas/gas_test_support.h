// The services, warnings and hooks a gas analysis test drives, answered by scripts and
// recorded, and a helper that types a row as a user would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/case_context.h"
#include "gas/gas_analysis_model.h"
#include "gas/gas_warnings.h"
#include "gas/gas_window_hooks.h"
#include "platform/ui_services.h"

namespace torvane::testing {

inline constexpr char kProgramFolder[] = "/opt/torvane/bin";

struct GasServices {
  RecordingMessageService messages;
  ScriptedQuestionService questions;
  ScriptedFileChooser files;
  RecordingBusyPointer busy;
  UiServices services{messages, questions, files, busy};
  ScriptedGasWarnings warnings;
  RecordingGasWindowHooks hooks;

  // Every prepared answer was used and nothing unprepared was asked.
  void ExpectScriptsUsedUp() const {
    EXPECT_EQ(questions.unexpected(), 0) << "a question nobody expected";
    EXPECT_TRUE(questions.exhausted()) << "a prepared answer was not asked for";
    EXPECT_EQ(warnings.unexpected(), 0) << "a warning nobody expected";
    EXPECT_TRUE(warnings.exhausted()) << "a prepared warning answer was not used";
  }
};

inline std::vector<std::string> QuestionTexts(const ScriptedQuestionService& questions) {
  std::vector<std::string> texts;
  for (const auto& q : questions.asked()) texts.push_back(q.text);
  return texts;
}

}  // namespace torvane::testing
