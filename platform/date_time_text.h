// A time as the program shows it: "YYYY-MM-DD HH:MM".
#pragma once

#include <string>

namespace tovak {

inline std::string DateTimeText(int year, int month, int day, int hour, int minute) {
  auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
  return std::to_string(year) + "-" + two(month) + "-" + two(day) + " " + two(hour) + ":" +
         two(minute);
}

}  // namespace tovak
