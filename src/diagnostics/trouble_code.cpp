#include "diagnostics/trouble_code.hpp"

#include <cctype>

#include "core/hex_message.hpp"

namespace velkor {

std::string TroubleCodeText(int high, int low) {
  static constexpr char kLetters[] = {'P', 'C', 'B', 'U'};
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const int value = ((high & 0xFF) << 8) | (low & 0xFF);
  std::string text;
  text += kLetters[(value >> 14) & 3];
  text += static_cast<char>('0' + ((value >> 12) & 3));
  text += kDigits[(value >> 8) & 0xF];
  text += kDigits[(value >> 4) & 0xF];
  text += kDigits[value & 0xF];
  return text;
}

std::string TroubleCodeText(std::string_view hex) {
  if (hex.size() != 4) return {};
  for (const char c : hex) {
    if (std::isxdigit(static_cast<unsigned char>(c)) == 0) return {};
  }
  return TroubleCodeText(HexToByte(hex.substr(0, 2)), HexToByte(hex.substr(2, 2)));
}

}  // namespace velkor
