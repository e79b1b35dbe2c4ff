#include "reports/qt/headless_gui.h"

#include <QGuiApplication>

namespace torvane {
namespace {

char kProgram[] = "torvane";
char kPlatformOption[] = "-platform";
char kOffscreen[] = "offscreen";

}  // namespace

HeadlessGui::HeadlessGui() {
  if (QCoreApplication::instance() != nullptr) return;
  // The command-line option wins over QT_QPA_PLATFORM, so a display setting of the user's
  // environment cannot make the program wait for a screen.
  argv_[0] = kProgram;
  argv_[1] = kPlatformOption;
  argv_[2] = kOffscreen;
  argv_[3] = nullptr;
  app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

HeadlessGui::~HeadlessGui() = default;

}  // namespace torvane
