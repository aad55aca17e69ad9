#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkor {

// A message held as text: two uppercase hex digits per byte, no separators. The empty text
// means "no message". Positions inside a message are character positions counted from 1.
using HexMessage = std::string;

// Two hex digits of value (0..255): 10 -> "0A".
std::string ByteToHex(int value);

// The text read as a hex number: one or two digits, either case; reading stops at the first
// character that is not a hex digit, so "" and "Z1" give 0.
int HexToByte(std::string_view text);

// Sum of the message's bytes modulo 256 as two hex digits; a trailing single digit counts as a
// byte of that one digit.
std::string CheckSum(std::string_view message);

// Every byte written with ByteToHex.
HexMessage BytesToHex(const std::vector<std::uint8_t>& bytes);
// The message's bytes, two characters at a time (a trailing digit as its own byte).
std::vector<std::uint8_t> HexToBytes(std::string_view message);

// Bytes from outside (an identification record, a name) as text that is safe to show and to
// trace: printable ASCII (0x20 to 0x7E) kept, every other byte shown as '.', so a label or a
// trace line never holds a control character or invalid UTF-8.
std::string BytesAsText(const std::vector<std::uint8_t>& bytes);
// The same for a message's bytes.
inline std::string HexAsText(std::string_view message) { return BytesAsText(HexToBytes(message)); }

// Length of a message in bytes (characters / 2).
inline std::size_t ByteLength(std::string_view message) { return message.size() / 2; }

// Plain substring search from character position start (1-based); returns the 1-based position
// of the first match, or 0. Not aligned to bytes: "55" is found in "0550" at position 2.
std::size_t InStr(std::string_view text, std::string_view pattern, std::size_t start = 1);

// Up to length characters from 1-based position start; empty when start lies past the end.
std::string Mid(std::string_view text, std::size_t start,
                std::size_t length = std::string_view::npos);
std::string Left(std::string_view text, std::size_t length);
std::string Right(std::string_view text, std::size_t length);

}  // namespace velkor
