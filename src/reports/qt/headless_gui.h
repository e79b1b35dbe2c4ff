// A Qt GUI application for programs without windows (torvane-cli writing a PDF report): text
// measuring and PDF writing need one, but no display.
#pragma once

#include <memory>

class QGuiApplication;

namespace torvane {

// Creates a QGuiApplication on the offscreen platform when the process has no Qt application
// yet, and destroys it again with the scope. With an application already running it does
// nothing.
class HeadlessGui {
 public:
  HeadlessGui();
  ~HeadlessGui();
  HeadlessGui(const HeadlessGui&) = delete;
  HeadlessGui& operator=(const HeadlessGui&) = delete;

  bool created() const { return app_ != nullptr; }

 private:
  int argc_ = 3;
  char* argv_[4] = {};
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace torvane
