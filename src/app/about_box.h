// The about box: title, version, maker and legal lines, and the system-information program.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QPushButton;

namespace torvane {

class MessageService;

inline constexpr const char kMakerLine[] =
    "Quillon , Inc. \xE2\x80\x94 engineering software for turbomachinery seals";
inline constexpr const char kLegalLine[] =
    "Copyright \xC2\xA9 2026 Quillon , Inc. All rights reserved.";
inline constexpr const char kDisclaimer[] =
    "Warning: Torvane gives engineering estimates. Its results depend on the correlations it uses "
    "and on the data entered; check them against test data and sound engineering judgement "
    "before relying on them for design or operation. This program is protected by copyright "
    "law; unauthorised copying or distribution of it, or of any part of it, is prohibited.";
inline constexpr const char kSystemInfoUnavailable[] =
    "System Information Is Unavailable At This Time";

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // find_program gives the system-information program to start, if any; start runs it.
  using FindProgram = std::function<std::optional<std::string>()>;
  using StartProgram = std::function<bool(const std::string&)>;

  AboutBox(const std::string& version_text, MessageService& messages, QWidget* parent = nullptr,
           FindProgram find_program = {}, StartProgram start_program = {});

  // "&System Info...": starts the system-information program, or says that there is none.
  void StartSystemInfo();

  QPushButton* ok_button() const { return ok_; }
  QPushButton* sys_info_button() const { return sys_info_; }

 private:
  MessageService& messages_;
  FindProgram find_program_;
  StartProgram start_program_;
  QPushButton* ok_;
  QPushButton* sys_info_;
};

}  // namespace torvane
