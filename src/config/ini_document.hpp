#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/text_encoding.hpp"

namespace velkor {

// The three private-profile operations every settings reader and writer goes through. Texts
// in and out are UTF-8; names are matched without regard to case and surrounding blanks.
class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  // The value's leading decimal digits (after an optional sign), 0 when there are none, or
  // `default_value` when the key, its section or the file is absent or the value is empty.
  virtual int GetProfileInt(std::string_view section, std::string_view key,
                            int default_value) const = 0;
  // The value (or the default) as a caller with a buffer of `buffer_size` characters would see
  // it: at most buffer_size - 1 characters, cut at the first NUL. A value in matching single or
  // double quotes loses them.
  virtual std::string GetProfileString(std::string_view section, std::string_view key,
                                       std::string_view default_value,
                                       std::size_t buffer_size) const = 0;
};

class ProfileWriter {
 public:
  virtual ~ProfileWriter() = default;
  // Creates or replaces the key (the section is created at the end when missing). False when
  // the change could not be stored; callers of the settings layer ignore it and keep the values
  // they hold in memory.
  virtual bool WriteProfileString(std::string_view section, std::string_view key,
                                  std::string_view value) = 0;
};

// One INI file held in memory as its lines, so that everything the program does not change —
// comments, blank lines, unknown keys and sections, spelling, spacing, line ends, bytes in a
// foreign encoding — is written back exactly as it was read.
//
// Line grammar (blanks are space, tab, CR, VT, FF and 0x1A, as the platform trims them):
//   [ name ]          section header; the name runs to the last ']' of the line
//   name = value      entry of the section above it
//   ; text  or # text comment
//   anything else     kept, never matched (a line without '=', a '[' without ']')
// Reads and writes use the first section of a name and the first entry of a name within it.
class IniDocument : public ProfileReader, public ProfileWriter {
 public:
  // An empty file: UTF-8, CR LF line ends.
  IniDocument() = default;
  // Never fails: any bytes make a document whose Serialize() gives the same bytes back.
  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;

  TextEncoding Encoding() const { return encoding_; }
  // The line end new lines get: CR LF unless the file uses LF alone throughout.
  std::string_view NewLine() const { return new_line_; }

  // The value with its surrounding blanks removed (quotes kept, not cut), or empty when absent.
  std::optional<std::string> FindValue(std::string_view section, std::string_view key) const;

  int GetProfileInt(std::string_view section, std::string_view key,
                    int default_value) const override;
  std::string GetProfileString(std::string_view section, std::string_view key,
                               std::string_view default_value,
                               std::size_t buffer_size) const override;

  // An existing entry keeps its line up to the start of its value ("Air = " stays as spelled)
  // and gets the new value; a new entry is written "key=value" after the last entry of its
  // section. A value stops at its first CR, LF or NUL so it can never make lines of its own.
  // In a Windows-1252 file the new text is written in Windows-1252; when it has a character
  // Windows-1252 lacks, the whole file is converted to UTF-8 (the only way to keep both the
  // old and the new text readable). False, with nothing changed, for a name that cannot be
  // stored: empty, holding a line break or NUL, a section with ']' or a key with '=' or
  // starting with '[', ';' or '#'.
  bool WriteProfileString(std::string_view section, std::string_view key,
                          std::string_view value) override;

 private:
  enum class Kind { kOther, kSection, kEntry };
  struct Line {
    std::string text;  // raw bytes, without the line end
    std::string end;   // "\r\n", "\n", or "" for a last line without one
    // What Classify() found in `text`: byte offsets of the name (section or key, blanks
    // trimmed) and of the value of an entry.
    Kind kind = Kind::kOther;
    std::size_t name_begin = 0;
    std::size_t name_end = 0;
    std::size_t value_begin = 0;
    std::size_t value_end = 0;
  };
  struct SectionRange {
    std::size_t header;
    std::size_t end;  // one past the last line of the section
  };

  static void Classify(Line& line);
  bool NameIs(const Line& line, std::string_view name) const;
  Line MakeLine(std::string text) const;
  std::optional<SectionRange> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindEntry(const SectionRange& range, std::string_view key) const;
  std::string Decode(std::string_view raw) const;
  std::optional<std::string> Encode(std::string_view utf8) const;
  void ConvertToUtf8();
  void EnsureLastLineEnded();

  std::string bom_;
  std::vector<Line> lines_;
  TextEncoding encoding_ = TextEncoding::kUtf8;
  std::string new_line_ = "\r\n";
};

// The platform's integer reading of a profile text: optional blanks, an optional sign, then
// decimal digits up to the first other character; 0 without digits; saturated to the int range.
int ParseProfileInt(std::string_view text);

}  // namespace velkor
