#include "core/number_format.hpp"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <string>

namespace velkor {

namespace {

// A separator the environment gives as a single ASCII character is used as it stands. The
// empty text falls back; a multi-byte separator (the no-break spaces of many locales) cannot be
// held in one char: a group separator becomes a blank, a decimal separator falls back.
char SeparatorOf(const char* text, char fallback, char multibyte_replacement) {
  if (text == nullptr || text[0] == '\0') return fallback;
  const auto first = static_cast<unsigned char>(text[0]);
  if (text[1] == '\0' && first < 0x80) return text[0];
  return multibyte_replacement;
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

struct Digits {
  std::string integer;   // without leading zeros: empty for 0
  std::string fraction;  // exactly the requested number of places
};

// |value| as decimal digits rounded half away from zero to `decimals` places. The value is
// first written with 15 significant digits, so 1.005 counts as 1.005 and not as the
// 1.00499999... the double holds. std::to_chars writes a period whatever the C locale says.
Digits RoundedDigits(double magnitude, int decimals) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                     std::chars_format::scientific, 14);  // d.ddd...de[+-]XX
  const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
  const std::size_t e_at = scientific.find('e');
  std::string mantissa;
  for (char c : scientific.substr(0, e_at)) {
    if (c != '.') mantissa += c;
  }
  std::string_view exponent_text = scientific.substr(e_at + 1);
  if (!exponent_text.empty() && exponent_text.front() == '+') exponent_text.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);

  // All digits with the decimal point after `point` of them.
  std::string all;
  int point;
  if (exponent >= 0) {
    all = mantissa;
    point = exponent + 1;
    if (static_cast<int>(all.size()) < point) all.append(point - all.size(), '0');
  } else {
    all = std::string(static_cast<std::size_t>(-exponent), '0') + mantissa;
    point = 1;
  }
  const std::size_t keep = static_cast<std::size_t>(point + decimals);
  if (all.size() < keep) all.append(keep - all.size(), '0');
  const bool round_up = all.size() > keep && all[keep] >= '5';
  all.resize(keep);
  if (round_up) {
    std::size_t i = all.size();
    while (i > 0 && all[i - 1] == '9') all[--i] = '0';
    if (i == 0) {
      all.insert(all.begin(), '1');
      ++point;
    } else {
      ++all[i - 1];
    }
  }
  Digits digits;
  digits.integer = all.substr(0, static_cast<std::size_t>(point));
  digits.fraction = all.substr(static_cast<std::size_t>(point));
  const std::size_t first_significant = digits.integer.find_first_not_of('0');
  digits.integer.erase(
      0, first_significant == std::string::npos ? digits.integer.size() : first_significant);
  return digits;
}

}  // namespace

NumberLocale NumberLocale::User() {
  const std::lconv* conv = std::localeconv();
  NumberLocale locale;
  if (conv != nullptr) {
    locale.decimal = SeparatorOf(conv->decimal_point, '.', '.');
    locale.group = SeparatorOf(conv->thousands_sep, ',', ' ');
  }
  return locale;
}

std::string FormatNumber(double value, std::string_view pattern, const NumberLocale& locale) {
  // Nothing sensible can be written for NaN or an infinity: they are written as 0 is.
  if (!std::isfinite(value)) value = 0.0;

  if (pattern.empty()) {
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, written.ptr);
    for (char& c : text) {
      if (c == '.') c = locale.decimal;
    }
    return text;
  }

  const std::size_t point_at = pattern.find('.');
  const std::string_view integer_part = pattern.substr(0, point_at);
  const std::string_view fraction_part =
      point_at == std::string_view::npos ? std::string_view() : pattern.substr(point_at + 1);

  if (pattern.find('%') != std::string_view::npos) value *= 100.0;
  if (!std::isfinite(value)) value = 0.0;

  // Integer tokens: placeholders and literals; commas only switch grouping on. A pattern
  // without integer placeholders (".00") still writes the integer digits, just before the point.
  std::string integer_tokens;
  bool grouping = false;
  for (char c : integer_part) {
    if (c == ',') {
      grouping = true;
    } else {
      integer_tokens += c;
    }
  }
  int integer_slots = 0;
  int first_zero = -1;  // index among the integer placeholders of the leftmost '0'
  for (char c : integer_tokens) {
    if (!IsPlaceholder(c)) continue;
    if (c == '0' && first_zero < 0) first_zero = integer_slots;
    ++integer_slots;
  }
  if (integer_slots == 0) {
    integer_tokens += '#';
    integer_slots = 1;
  }

  int decimals = 0;
  for (char c : fraction_part) {
    if (IsPlaceholder(c)) ++decimals;
  }

  const Digits digits = RoundedDigits(std::fabs(value), decimals);
  const bool is_zero =
      digits.integer.empty() && digits.fraction.find_first_not_of('0') == std::string::npos;

  // The integer digits to write: the significant ones, padded with zeros up to the leftmost
  // '0' placeholder. Placeholders from the right take one digit each; the leftmost takes any
  // surplus.
  const int min_digits = first_zero < 0 ? 0 : integer_slots - first_zero;
  std::string written = digits.integer;
  if (static_cast<int>(written.size()) < min_digits) {
    written.insert(0, static_cast<std::size_t>(min_digits) - written.size(), '0');
  }
  const int count = static_cast<int>(written.size());

  std::string text;
  if (value < 0 && !is_zero) text += '-';

  int slot = 0;        // placeholder index, from the left
  int next_digit = 0;  // index into `written`
  bool wrote_digit = false;
  // Literals after the last placeholder are always written; those between placeholders only
  // once a digit stands to their left.
  int placeholders_left = integer_slots;
  for (char c : integer_tokens) {
    if (!IsPlaceholder(c)) {
      if (wrote_digit || slot == 0 || placeholders_left == 0) text += c;
      continue;
    }
    // Digits that go to this placeholder: the last (integer_slots - slot) placeholders hold the
    // last digits, one each; the leftmost placeholder also takes the surplus.
    const int from_right = integer_slots - slot;  // this placeholder and those to its right
    int take = 0;
    if (slot == 0) {
      take = count - (from_right - 1);
    } else if (count >= from_right) {
      take = 1;
    }
    for (int i = 0; i < take && next_digit < count; ++i) {
      const int remaining = count - next_digit;
      if (grouping && wrote_digit && remaining % 3 == 0) text += locale.group;
      text += written[static_cast<std::size_t>(next_digit++)];
      wrote_digit = true;
    }
    ++slot;
    --placeholders_left;
  }

  // Fraction: '#' places drop their trailing zeros; the separator is written only before a
  // fraction digit.
  std::string fraction = digits.fraction;
  {
    int place = static_cast<int>(fraction.size());
    for (auto it = fraction_part.rbegin(); it != fraction_part.rend() && place > 0; ++it) {
      if (!IsPlaceholder(*it)) continue;
      if (*it != '#' || fraction[static_cast<std::size_t>(place - 1)] != '0') break;
      fraction.resize(static_cast<std::size_t>(--place));
    }
  }
  bool point_written = false;
  std::size_t next_fraction = 0;
  for (char c : fraction_part) {
    if (!IsPlaceholder(c)) {
      text += c;
      continue;
    }
    if (next_fraction < fraction.size()) {
      if (!point_written) {
        text += locale.decimal;
        point_written = true;
      }
      text += fraction[next_fraction++];
    }
  }
  return text;
}

}  // namespace velkor
