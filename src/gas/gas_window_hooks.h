// What the gas analysis logic asks of the windows around it: the main window's "&Labyrinth
// Leakage" command and the hiding of the gas analysis window after "Enter new gases".
#pragma once

#include <vector>

namespace torvane {

class GasWindowHooks {
 public:
  virtual ~GasWindowHooks() = default;
  // Enables or disables the main window's "&Labyrinth Leakage" command.
  virtual void SetLabyCommandEnabled(bool enabled) = 0;
  // Ends the modal display of the gas analysis window and hides it; the window and its state
  // stay, so that "&Change Gases" can show it again as it was. The command that asked for it
  // still runs to its end.
  virtual void HideGasWindow() = 0;
};

// Keeps every request in order; for tests.
class RecordingGasWindowHooks : public GasWindowHooks {
 public:
  enum class Call { kLabyEnabled, kLabyDisabled, kHide };
  void SetLabyCommandEnabled(bool enabled) override {
    calls_.push_back(enabled ? Call::kLabyEnabled : Call::kLabyDisabled);
  }
  void HideGasWindow() override { calls_.push_back(Call::kHide); }
  const std::vector<Call>& calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  std::vector<Call> calls_;
};

}  // namespace torvane
