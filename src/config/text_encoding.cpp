#include "config/text_encoding.hpp"

#include <array>
#include <cstdint>

namespace velkor {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0xA0 to 0xFF are the Latin-1 code points.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Windows1252CodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> Windows1252Byte(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<unsigned char>(code_point);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == code_point) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Length of the valid UTF-8 sequence starting at bytes[pos], 0 when there is none; the code
// point goes to *cp.
std::size_t DecodeAt(std::string_view bytes, std::size_t pos, char32_t* cp) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = at(pos);
  if (lead < 0x80) {
    *cp = lead;
    return 1;
  }
  std::size_t length;
  char32_t value;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = at(pos + i);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *cp = value;
  return length;
}

char32_t Fold(char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
  switch (cp) {
    case 0x0152:  // OE ligature
    case 0x0160:  // S caron
    case 0x017D:  // Z caron
      return cp + 1;
    case 0x0178:  // Y diaeresis
      return 0xFF;
    default:
      return cp;
  }
}

// Next code point of a text that may hold invalid bytes (each taken as itself, offset so it
// cannot equal a real character).
char32_t Next(std::string_view text, std::size_t& pos) {
  char32_t cp = 0;
  const std::size_t length = DecodeAt(text, pos, &cp);
  if (length == 0) {
    cp = 0x110000 + static_cast<unsigned char>(text[pos]);
    ++pos;
  } else {
    pos += length;
  }
  return cp;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = DecodeAt(bytes, pos, &cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = DecodeAt(utf8, pos, &cp);
    if (length == 0) return std::nullopt;
    const auto byte = Windows1252Byte(cp);
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
    pos += length;
  }
  return out;
}

std::string MakeValidUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = DecodeAt(bytes, pos, &cp);
    if (length == 0) {
      AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(bytes[pos])));
      ++pos;
    } else {
      out.append(bytes.substr(pos, length));
      pos += length;
    }
  }
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[j]);
    if (ca < 0x80 && cb < 0x80) {  // the usual case: ASCII names
      if (Fold(ca) != Fold(cb)) return false;
      ++i;
      ++j;
      continue;
    }
    if (Fold(Next(a, i)) != Fold(Next(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

std::string_view TruncateUtf8(std::string_view utf8, std::size_t max_chars) {
  std::size_t pos = 0;
  for (std::size_t count = 0; count < max_chars && pos < utf8.size(); ++count) Next(utf8, pos);
  return utf8.substr(0, pos);
}

}  // namespace velkor
