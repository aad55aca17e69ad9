#pragma once

#include <string>
#include <string_view>

namespace velkor {

// Separators used when a number is written for the user.
struct NumberLocale {
  char decimal = '.';
  char group = ',';

  // A period and a comma whatever the user's settings (files that must read the same anywhere).
  static NumberLocale Period() { return {'.', ','}; }
  // The separators of the user's environment (LC_NUMERIC after setlocale), period and comma when
  // the environment gives none.
  static NumberLocale User();
};

// Writes value with a picture pattern as the program's texts use them:
//   "0" a digit always written, "#" a digit written only when significant, "." the decimal
//   separator, "," anywhere in the integer part turns on digit grouping, "%" multiplies by 100,
//   any other character is copied as it stands ("# ##0", "0 000", "0.0 Hz", "### tr/mn").
// Rounds half away from zero at the last decimal place of the pattern. A literal standing
// between integer placeholders is written only once a digit stands to its left, so 950 with
// "# ##0" is "950" and with "0 000" is "0 950"; digits beyond the pattern's width go in front.
std::string FormatNumber(double value, std::string_view pattern,
                         const NumberLocale& locale = NumberLocale::Period());

}  // namespace velkor
