#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velkor {

// Settings files written by earlier versions of the program are ANSI (Windows-1252); files we
// write are UTF-8. A file is taken as UTF-8 when it is valid UTF-8, as Windows-1252 otherwise.
enum class TextEncoding { kUtf8, kWindows1252 };

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Every byte has a meaning: the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same number, as the platform converter does, so the
// conversion never fails and converting back gives the same bytes.
std::string Windows1252ToUtf8(std::string_view bytes);

// Empty when a character has no Windows-1252 byte. Invalid UTF-8 input gives empty too.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// Valid UTF-8 stays as it is; each byte that is not part of a valid sequence is taken as a
// Windows-1252 character, so the result is always valid UTF-8.
std::string MakeValidUtf8(std::string_view bytes);

// Compares two UTF-8 texts without regard to case, as the platform compares profile names:
// ASCII letters and the Latin letters of Windows-1252 fold to lower case.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The first `max_chars` characters (code points) of a UTF-8 text.
std::string_view TruncateUtf8(std::string_view utf8, std::size_t max_chars);

}  // namespace velkor
