// Today's date for the summary page, from the system clock or, in tests, a fixed one.
#pragma once

#include <chrono>
#include <string>

namespace torvane {

class ReportClock {
 public:
  virtual ~ReportClock() = default;
  virtual std::chrono::year_month_day Today() const = 0;
};

// The local date of the machine.
class SystemReportClock : public ReportClock {
 public:
  std::chrono::year_month_day Today() const override;
};

class FixedReportClock : public ReportClock {
 public:
  explicit FixedReportClock(std::chrono::year_month_day day) : day_(day) {}
  std::chrono::year_month_day Today() const override { return day_; }

 private:
  std::chrono::year_month_day day_;
};

// "d-mmm-yyyy": the day without a leading zero, the English month abbreviation and four year
// digits, e.g. "6-Dec-2026". Throws PrinterError for a date that is not valid.
std::string FormatReportDate(std::chrono::year_month_day day);

}  // namespace torvane
