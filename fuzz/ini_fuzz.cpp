// Feeds arbitrary bytes to the settings-file parser, reads keys of every kind, writes into
// memory and checks that the lines the write did not touch come out exactly as they went in.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_document.hpp"
#include "config/settings.hpp"

namespace {

using velkor::IniDocument;

struct Line {
  std::string_view text;
  std::string_view end;
};

std::vector<Line> SplitLines(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::vector<Line> lines;
  while (!bytes.empty()) {
    const std::size_t newline = bytes.find('\n');
    if (newline == std::string_view::npos) {
      lines.push_back({bytes, {}});
      break;
    }
    std::size_t text_end = newline;
    if (text_end > 0 && bytes[text_end - 1] == '\r') --text_end;
    lines.push_back({bytes.substr(0, text_end), bytes.substr(text_end, newline + 1 - text_end)});
    bytes.remove_prefix(newline + 1);
  }
  return lines;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

// One write either replaces the text of one line, or inserts one entry line, or appends a
// section header and an entry; the only other change allowed is a line end added to a last
// line that had none.
void CheckUntouchedLinesSurvive(std::string_view before, std::string_view after) {
  const std::vector<Line> old_lines = SplitLines(before);
  const std::vector<Line> new_lines = SplitLines(after);
  Check(new_lines.size() >= old_lines.size() && new_lines.size() <= old_lines.size() + 2);
  const std::size_t inserted = new_lines.size() - old_lines.size();
  std::size_t replaced = 0;
  std::size_t skipped = 0;
  std::size_t j = 0;
  // A last line without a line end may end in CR; once it gets its line end that CR belongs to
  // the CR LF.
  const auto same = [&](std::size_t i, std::size_t k) {
    if (i + 1 == old_lines.size() && old_lines[i].end.empty()) {
      return (std::string(new_lines[k].text) + std::string(new_lines[k].end))
          .starts_with(old_lines[i].text);
    }
    return old_lines[i].text == new_lines[k].text;
  };
  for (std::size_t i = 0; i < old_lines.size(); ++i, ++j) {
    if (!same(i, j)) {
      if (inserted == 0) {
        ++replaced;
      } else {
        // Inserted lines stand together; the old line must follow them.
        Check(skipped == 0);
        skipped = inserted;
        j += inserted;
        Check(j < new_lines.size() && same(i, j));
      }
    }
    Check(old_lines[i].end == new_lines[j].end ||
          (i + 1 == old_lines.size() && old_lines[i].end.empty()));
  }
  Check(replaced <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const IniDocument document = IniDocument::Parse(bytes);
  Check(document.Serialize() == bytes);

  // Reads of every kind.
  (void)document.GetProfileInt("Menu", "log", 0);
  (void)document.GetProfileInt(" mesures ", "AIR", -1);
  for (const std::size_t buffer : {0u, 1u, 10u, 16u, 255u}) {
    (void)document.GetProfileString("Interface", "Description", "Mode Demo", buffer);
  }
  (void)velkor::LoadSettings(document);
  (void)velkor::ReadWindowPosition(document, velkor::WindowId::kGraph);

  // One write, read back through a fresh parse as the next run would.
  IniDocument edited = document;
  Check(edited.WriteProfileString("Menu", "log", "12345"));
  const std::string written = edited.Serialize();
  CheckUntouchedLinesSurvive(bytes, written);
  Check(IniDocument::Parse(written).GetProfileString("MENU", "LOG", "", 255) == "12345");

  // The whole preference set, then every value read back.
  velkor::Settings settings;
  settings.measures.air = false;
  settings.measures.trimmer = true;
  settings.auto_start = 0;
  settings.graph_min = 900;
  settings.language = "English";
  settings.dlp.fr1l = 14.675f;
  IniDocument saved = document;
  velkor::WriteSettings(saved, settings);
  velkor::Settings expected = settings;
  expected.dlp.fr1l = 14.68f;
  Check(velkor::LoadSettings(IniDocument::Parse(saved.Serialize())) == expected);
  return 0;
}
