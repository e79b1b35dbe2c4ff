// The program's windows put together: the main window and the windows its commands open, all
// working on the one case context.
#pragma once

#include <memory>
#include <string>

namespace torvane {

struct CaseContext;
struct UiServices;
class SettingsStore;
class MainWindow;

class Program {
 public:
  Program(CaseContext& context, UiServices& services, SettingsStore& store,
          std::string program_folder);
  ~Program();

  MainWindow& main_window() { return *main_; }

  // A file named on the command line, opened once the main window is up, as if through the
  // menu: a settings file (.trv) by Open Settings, any other by Open File of the gas input.
  void OpenFileAtStart(const std::string& path);
  // The same, at once.
  void OpenFile(const std::string& path);

 private:
  CaseContext& context_;
  UiServices& services_;
  std::unique_ptr<MainWindow> main_;
};

}  // namespace torvane
