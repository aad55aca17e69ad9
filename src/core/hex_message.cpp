#include "core/hex_message.hpp"

namespace velkor {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string ByteToHex(int value) {
  const int byte = value & 0xFF;
  return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

int HexToByte(std::string_view text) {
  int value = 0;
  for (std::size_t i = 0; i < text.size() && i < 2; ++i) {
    const int digit = DigitValue(text[i]);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

std::string CheckSum(std::string_view message) {
  int sum = 0;
  for (std::size_t p = 0; p < message.size(); p += 2) {
    sum = (sum + HexToByte(message.substr(p, 2))) % 256;
  }
  return ByteToHex(sum);
}

HexMessage BytesToHex(const std::vector<std::uint8_t>& bytes) {
  HexMessage text;
  text.reserve(bytes.size() * 2);
  for (std::uint8_t byte : bytes) text += ByteToHex(byte);
  return text;
}

std::vector<std::uint8_t> HexToBytes(std::string_view message) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve((message.size() + 1) / 2);
  for (std::size_t p = 0; p < message.size(); p += 2) {
    bytes.push_back(static_cast<std::uint8_t>(HexToByte(message.substr(p, 2))));
  }
  return bytes;
}

std::size_t InStr(std::string_view text, std::string_view pattern, std::size_t start) {
  if (start == 0) start = 1;
  if (start > text.size() + 1) return 0;
  const std::size_t found = text.find(pattern, start - 1);
  return found == std::string_view::npos ? 0 : found + 1;
}

std::string Mid(std::string_view text, std::size_t start, std::size_t length) {
  if (start == 0 || start > text.size()) return {};
  return std::string(text.substr(start - 1, length));
}

std::string Left(std::string_view text, std::size_t length) {
  return std::string(text.substr(0, length));
}

std::string Right(std::string_view text, std::size_t length) {
  if (length >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - length));
}

std::string BytesAsText(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const std::uint8_t byte : bytes) {
    text += byte >= 0x20 && byte <= 0x7E ? static_cast<char>(byte) : '.';
  }
  return text;
}

}  // namespace velkor
