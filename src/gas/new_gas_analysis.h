// The new gas analysis dialog (frmFileInput, "Gas File") without a window: the number of gas
// files (sections) and of gases, the gas file name, and what OK does to the case.
#pragma once

#include <optional>
#include <string>

namespace torvane {

struct CaseContext;
class MessageService;

inline constexpr const char kNewGasAnalysisCaption[] = "Gas File";
inline constexpr const char kNumFilesRangeMessage[] = "Allowable range is 1 to 3 files";
inline constexpr const char kGasNumRangeMessage[] = "Allowable range is 1 to 30 gases";
inline constexpr int kMaxGasFiles = 3;
inline constexpr int kMaxGases = 30;

// The name a new analysis gives its gas file: the typed name upper-cased, trailing blanks
// removed, followed by ".GAS".
std::string NewGasFileTitle(const std::string& typed_name);

class NewGasAnalysisForm {
 public:
  enum class Field { kNone, kNumFiles, kGasNum };

  explicit NewGasAnalysisForm(MessageService& messages) : messages_(messages) {}

  // The user left txtNumFiles / txtGasNum: a value outside its range is reported and the box
  // keeps the focus (the function returns true).
  bool LeaveNumFiles(const std::string& text);
  bool LeaveGasNum(const std::string& text);
  // The user left txtGasFile: the gas file title is taken and OK is enabled.
  void LeaveGasFile(const std::string& text);

  // OK: both counts are checked again, files first; a failed check is reported and names the
  // box that takes the focus, and the dialog stays open.
  Field Accept(const std::string& num_files_text, const std::string& gas_num_text);

  bool ok_enabled() const { return ok_enabled_; }
  const std::string& gas_file_title() const { return gas_file_title_; }
  // Valid after Accept returned kNone.
  int num_files() const { return num_files_; }
  int num_gases() const { return num_gases_; }

 private:
  std::optional<int> CheckCount(const std::string& text, int highest, const char* message);

  MessageService& messages_;
  bool ok_enabled_ = false;
  std::string gas_file_title_;
  int num_files_ = 0;
  int num_gases_ = 0;
};

// OK of the dialog, before the gas analysis window opens: LastGasSection, ComponentCount,
// CurrentGas 0, the gas tables cleared, GasDefined set, the new gas file title taken and the
// settings file path cleared (a new case has no file until Save Settings As... names one). The
// gas file path stays as it is until the file is saved.
void StartNewGasAnalysis(CaseContext& context, int num_files, int num_gases,
                         const std::string& gas_file_title);

}  // namespace torvane
