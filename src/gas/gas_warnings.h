// The two warnings of the total mole fraction check ("Gas Input Warning"), asked through an
// interface: on screen the windows frmGasWarn1 and frmGasWarn2, in tests a script.
#pragma once

#include <deque>
#include <vector>

namespace torvane {

inline constexpr const char kGasWarningCaption[] = "Gas Input Warning";
// frmGasWarn1, for a total outside 0.96..1.04.
inline constexpr const char kOutOfLimitsText[] = "Mol Fraction is out of limits";
inline constexpr const char kEnterNewGasesButton[] = "Enter new gases";
// frmGasWarn2, for a total inside 0.96..1.04 that is not exactly 1.
inline constexpr const char kNotOneText[] = "Mol Fraction does not equal 1.00";
inline constexpr const char kRoundoffButton[] = "Roundoff";
// The second button of both warnings.
inline constexpr const char kReenterGasButton[] = "Reenter a gas";

enum class GasWarning { kOutOfLimits, kNotOne };

class GasWarningPrompter {
 public:
  virtual ~GasWarningPrompter() = default;
  // frmGasWarn1: true for "Enter new gases", false for "Reenter a gas".
  virtual bool AskOutOfLimits() = 0;
  // frmGasWarn2: true for "Roundoff", false for "Reenter a gas".
  virtual bool AskNotOne() = 0;
};

// Answers from a prepared list, in order, and keeps every warning shown. A warning with no
// prepared answer is answered "Reenter a gas" and counted as unexpected.
class ScriptedGasWarnings : public GasWarningPrompter {
 public:
  void Prepare(bool answer) { answers_.push_back(answer); }
  bool AskOutOfLimits() override { return Answer(GasWarning::kOutOfLimits); }
  bool AskNotOne() override { return Answer(GasWarning::kNotOne); }

  const std::vector<GasWarning>& shown() const { return shown_; }
  int unexpected() const { return unexpected_; }
  bool exhausted() const { return answers_.empty(); }

 private:
  bool Answer(GasWarning warning) {
    shown_.push_back(warning);
    if (answers_.empty()) {
      ++unexpected_;
      return false;
    }
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::deque<bool> answers_;
  std::vector<GasWarning> shown_;
  int unexpected_ = 0;
};

}  // namespace torvane
