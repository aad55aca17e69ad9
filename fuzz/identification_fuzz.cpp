// Feeds arbitrary bytes to the identification decoders, as the answer to the 59M/5AM record
// request (raw, and wrapped in a well-formed frame so that the fields are reached) and as the
// answers of a byte-wise read, and checks that every line is printable ASCII, that there are
// always eight lines, and that only a whole record or an answered byte reads as done. The
// 15M/16M fault decoding gets the same bytes as rows and fault bytes: its lines are valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/language.hpp"
#include "core/hex_message.hpp"
#include "diagnostics/fault_window_1516.hpp"
#include "diagnostics/identification.hpp"
#include "link/frame.hpp"

using namespace velkor;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckPrintable(const std::string& line) {
  for (char c : line) Check(c >= 0x20 && c <= 0x7E);
}

void CheckLines(const IdentificationResult& result) {
  Check(result.lines.size() == frmIdentification::kLineCount);
  for (const std::string& line : result.lines) CheckPrintable(line);
}

bool ValidUtf8(std::string_view text) {
  std::size_t k = 0;
  while (k < text.size()) {
    const auto lead = static_cast<unsigned char>(text[k]);
    std::size_t follow = 0;
    if (lead < 0x80) {
      follow = 0;
    } else if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) {
      follow = 1;
    } else if ((lead & 0xF0) == 0xE0) {
      follow = 2;
    } else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) {
      follow = 3;
    } else {
      return false;
    }
    if (k + follow >= text.size()) return false;
    for (std::size_t f = 1; f <= follow; ++f) {
      if ((static_cast<unsigned char>(text[k + f]) & 0xC0) != 0x80) return false;
    }
    k += follow + 1;
  }
  return true;
}

class NoFiles : public TextCatalogLoader {
 public:
  CatalogLoadResult Load(std::string_view) override { return {}; }
  std::vector<std::string> ListLanguageFiles() const override { return {}; }
};

}  // namespace

// Input: a mode byte (bits 0 to 2: the family of a byte-wise read), then the bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::vector<std::uint8_t> bytes(data + 1, data + size);

  // The bytes as the whole answer.
  const HexMessage raw = BytesToHex(bytes);
  const IdentificationResult from_raw = DecodeIdentificationRecord(raw, "F110");
  CheckLines(from_raw);

  // The bytes as the record of a well-formed frame (at most 61 bytes after 5A 80).
  const HexMessage record = Left(raw, 2 * kIdentificationRecordBytes);
  const IdentificationResult framed =
      DecodeIdentificationRecord(FrameKwp("5A80" + record, "F110"), "F110");
  CheckLines(framed);
  const bool whole = record.size() == 2 * kIdentificationRecordBytes;
  Check((framed.outcome == DiagnosticOutcome::kDone) == whole);
  if (!whole) Check(framed.outcome == DiagnosticOutcome::kNoAnswer);

  // The bytes as the answers of a byte-wise read: each byte's low bits say whether it is
  // silence (0), one byte (1: the next input byte), or text that is no single byte (2: one
  // digit, 3: a non-digit and the byte itself as a character).
  const int family = data[0] & 0x07;
  std::vector<HexMessage> answers;
  bool answered = false;
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    switch (bytes[k] & 0x03) {
      case 0:
        answers.emplace_back();
        break;
      case 1:
        if (k + 1 < bytes.size()) {
          answers.push_back(ByteToHex(bytes[++k]));
          if (answers.size() <= ByteWiseRequests(family).size()) answered = true;
        }
        break;
      case 2:
        answers.emplace_back("0");
        break;
      default:
        answers.push_back(std::string("G") + static_cast<char>(bytes[k]));
        break;
    }
  }
  const IdentificationResult byte_wise = DecodeByteWiseIdentification(family, answers);
  CheckLines(byte_wise);
  if (!ByteWiseRequests(family).empty()) {
    Check((byte_wise.outcome == DiagnosticOutcome::kDone) == answered);
  }

  // The 15M/16M fault decoding: any row, any fault and kind bytes.
  static NoFiles loader;
  static const Language language(loader);
  if (bytes.size() >= 3) {
    const std::optional<int> kinds =
        (bytes[0] & 0x80) != 0 ? std::nullopt : std::optional<int>(bytes[2]);
    for (const std::string& line : gestion_erreur1516(bytes[0] & 0x0F, bytes[1], kinds, language)) {
      Check(ValidUtf8(line));
    }
    for (const std::string& line : StatusLines1516(bytes[1])) Check(ValidUtf8(line));
    CheckPrintable(StatusValue1516(bytes[1]));
  }
  return 0;
}
