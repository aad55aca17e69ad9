#include "config/ini_document.hpp"

#include <cstdint>
#include <limits>

namespace velkor {
namespace {

// The blanks the platform trims around names and values (0x1A is the old end-of-file mark).
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Matching quotes around a whole value are not part of it.
std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string_view CutAtNul(std::string_view text) { return text.substr(0, text.find('\0')); }

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

void IniDocument::Classify(Line& line) {
  const std::string_view text = line.text;
  line.kind = Kind::kOther;
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  if (begin == text.size()) return;
  std::size_t end = text.size();
  while (end > begin && IsBlank(text[end - 1])) --end;

  const auto set_name = [&](std::size_t name_begin, std::size_t name_end) {
    while (name_begin < name_end && IsBlank(text[name_begin])) ++name_begin;
    while (name_end > name_begin && IsBlank(text[name_end - 1])) --name_end;
    line.name_begin = name_begin;
    line.name_end = name_end;
  };
  const char first = text[begin];
  if (first == '[') {
    const std::size_t close = text.rfind(']');
    if (close != std::string_view::npos && close > begin) {
      line.kind = Kind::kSection;
      set_name(begin + 1, close);
    }
    return;  // a '[' without ']' starts no section and is no entry either
  }
  if (first == ';' || first == '#') return;

  const std::size_t equals = text.find('=', begin);
  if (equals == std::string_view::npos) return;
  set_name(begin, equals);
  if (line.name_begin == line.name_end) return;
  line.kind = Kind::kEntry;
  std::size_t value_begin = equals + 1;
  while (value_begin < text.size() && IsBlank(text[value_begin])) ++value_begin;
  line.value_begin = value_begin;
  line.value_end = end > value_begin ? end : value_begin;
}

bool IniDocument::NameIs(const Line& line, std::string_view name) const {
  const std::string_view raw =
      std::string_view(line.text).substr(line.name_begin, line.name_end - line.name_begin);
  if (encoding_ == TextEncoding::kUtf8) return EqualsIgnoreCase(raw, name);
  return EqualsIgnoreCase(Windows1252ToUtf8(raw), name);
}

int ParseProfileInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1;
  std::int64_t magnitude = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    magnitude = magnitude * 10 + (text[pos] - '0');
    if (magnitude > kLimit) magnitude = kLimit;  // saturate instead of wrapping
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument document;
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.substr(0, kBom.size()) == kBom) {
    document.bom_ = std::string(kBom);
    bytes.remove_prefix(kBom.size());
  }
  document.encoding_ = IsValidUtf8(bytes) ? TextEncoding::kUtf8 : TextEncoding::kWindows1252;

  bool any_crlf = false;
  bool any_lf = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t newline = bytes.find('\n', start);
    Line line;
    if (newline == std::string_view::npos) {
      line.text = std::string(bytes.substr(start));
      start = bytes.size();
    } else {
      std::size_t text_end = newline;
      if (text_end > start && bytes[text_end - 1] == '\r') {
        --text_end;
        line.end = "\r\n";
        any_crlf = true;
      } else {
        line.end = "\n";
        any_lf = true;
      }
      line.text = std::string(bytes.substr(start, text_end - start));
      start = newline + 1;
    }
    Classify(line);
    document.lines_.push_back(std::move(line));
  }
  document.new_line_ = (any_lf && !any_crlf) ? "\n" : "\r\n";
  return document;
}

std::string IniDocument::Serialize() const {
  std::size_t size = bom_.size();
  for (const Line& line : lines_) size += line.text.size() + line.end.size();
  std::string out;
  out.reserve(size);
  out += bom_;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.end;
  }
  return out;
}

std::string IniDocument::Decode(std::string_view raw) const {
  return encoding_ == TextEncoding::kUtf8 ? std::string(raw) : Windows1252ToUtf8(raw);
}

std::optional<std::string> IniDocument::Encode(std::string_view utf8) const {
  if (encoding_ == TextEncoding::kUtf8) return std::string(utf8);
  return Utf8ToWindows1252(utf8);
}

std::optional<IniDocument::SectionRange> IniDocument::FindSection(std::string_view section) const {
  section = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Kind::kSection || !NameIs(lines_[i], section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && lines_[end].kind != Kind::kSection) ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindEntry(const SectionRange& range,
                                                  std::string_view key) const {
  key = Trim(key);
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (lines_[i].kind == Kind::kEntry && NameIs(lines_[i], key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::FindValue(std::string_view section,
                                                  std::string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto entry = FindEntry(*range, key);
  if (!entry) return std::nullopt;
  const Line& line = lines_[*entry];
  return Decode(
      std::string_view(line.text).substr(line.value_begin, line.value_end - line.value_begin));
}

int IniDocument::GetProfileInt(std::string_view section, std::string_view key,
                               int default_value) const {
  const auto value = FindValue(section, key);
  if (!value) return default_value;
  const std::string_view text = CutAtNul(StripQuotes(*value));
  // The platform reads the text first and falls back to the default when it got no characters.
  if (text.empty()) return default_value;
  return ParseProfileInt(text);
}

std::string IniDocument::GetProfileString(std::string_view section, std::string_view key,
                                          std::string_view default_value,
                                          std::size_t buffer_size) const {
  if (buffer_size == 0) return {};
  const auto value = FindValue(section, key);
  const std::string_view text = value ? StripQuotes(*value) : default_value;
  return std::string(CutAtNul(TruncateUtf8(text, buffer_size - 1)));
}

void IniDocument::ConvertToUtf8() {
  if (encoding_ == TextEncoding::kUtf8) return;
  for (Line& line : lines_) {
    line.text = Windows1252ToUtf8(line.text);
    Classify(line);
  }
  encoding_ = TextEncoding::kUtf8;
}

IniDocument::Line IniDocument::MakeLine(std::string text) const {
  Line line{std::move(text), new_line_};
  Classify(line);
  return line;
}

void IniDocument::EnsureLastLineEnded() {
  if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = new_line_;
}

bool IniDocument::WriteProfileString(std::string_view section, std::string_view key,
                                     std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty() || HasLineBreakOrNul(section) || HasLineBreakOrNul(key) ||
      key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
      key.front() == '#') {
    return false;
  }
  const std::string clean_section = MakeValidUtf8(section);
  const std::string clean_key = MakeValidUtf8(key);
  const std::string clean_value =
      MakeValidUtf8(value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3))));

  auto encoded_section = Encode(clean_section);
  auto encoded_key = Encode(clean_key);
  auto encoded_value = Encode(clean_value);
  if (!encoded_section || !encoded_key || !encoded_value) {
    ConvertToUtf8();
    encoded_section = clean_section;
    encoded_key = clean_key;
    encoded_value = clean_value;
  }

  const auto range = FindSection(clean_section);
  if (!range) {
    EnsureLastLineEnded();
    lines_.push_back(MakeLine("[" + *encoded_section + "]"));
    lines_.push_back(MakeLine(*encoded_key + "=" + *encoded_value));
    return true;
  }
  if (const auto entry = FindEntry(*range, clean_key)) {
    Line& line = lines_[*entry];
    line.text = line.text.substr(0, line.value_begin) + *encoded_value;
    Classify(line);
    return true;
  }
  // New keys go after the last entry of the section, so that comments and blank lines that
  // lead into the next section stay with it.
  std::size_t insert_at = range->header + 1;
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    if (lines_[i].kind == Kind::kEntry) insert_at = i + 1;
  }
  if (lines_[insert_at - 1].end.empty()) lines_[insert_at - 1].end = new_line_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at),
                MakeLine(*encoded_key + "=" + *encoded_value));
  return true;
}

}  // namespace velkor
