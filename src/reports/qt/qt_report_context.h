// The report services of the running program: one report state for the whole process, the
// bitmaps from the program's folder and the system clock.
#pragma once

#include <QString>

#include "reports/qt/qt_picture_loader.h"
#include "reports/report_frame.h"

namespace torvane {

class QtReportContext {
 public:
  QtReportContext() = default;
  // Bitmaps from folder instead of the program's folder.
  explicit QtReportContext(QString picture_folder) : pictures_(std::move(picture_folder)) {}

  ReportServices services() { return ReportServices{state_, pictures_, clock_}; }
  ReportState& state() { return state_; }

 private:
  ReportState state_;
  QtPictureLoader pictures_;
  SystemReportClock clock_;
};

}  // namespace torvane
