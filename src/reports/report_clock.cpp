#include "reports/report_clock.h"

#include <ctime>

#include "reports/printer_surface.h"

namespace torvane {

std::chrono::year_month_day SystemReportClock::Today() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) throw PrinterError("the date is not available");
  return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                     std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                     std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string FormatReportDate(std::chrono::year_month_day day) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (!day.ok()) throw PrinterError("the date is not valid");
  const int year = static_cast<int>(day.year());
  std::string year_text = std::to_string(year < 0 ? -year : year);
  if (year_text.size() < 4) year_text.insert(0, 4 - year_text.size(), '0');
  if (year < 0) year_text.insert(0, 1, '-');
  return std::to_string(static_cast<unsigned>(day.day())) + "-" +
         kMonths[static_cast<unsigned>(day.month()) - 1] + "-" + year_text;
}

}  // namespace torvane
