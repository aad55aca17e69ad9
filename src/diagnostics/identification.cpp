#include "diagnostics/identification.hpp"

#include <charconv>
#include <cstdint>
#include <span>

#include "core/ecu_family.hpp"
#include "link/frame.hpp"
#include "link/kwp_reply.hpp"

namespace velkor {

namespace fi = frmIdentification;

namespace {

constexpr std::size_t LineOf(std::string_view control) {
  for (std::size_t k = 0; k < fi::kLines.size(); ++k) {
    if (fi::kLines[k] == control) return k;
  }
  return fi::kLines.size();
}

// ---- The record ----

// The record test mode answers, after 5A 80: part numbers, versions, approval, five unused
// bytes (AA), the repair shop and the programming date 2003-08-28.
constexpr std::string_view kCannedRecord =
    "323836343037353141202049415735394D4857303130003031333044433237202020000035394D413320"
    "AAAAAAAAAA544C432020202020202020030828";

enum class Shown { kCharacters, kDecimal, kHexDigits };

struct RecordField {
  std::string_view control;
  std::string_view prefix;
  std::size_t offset;  // record bytes after 5A 80
  std::size_t length;
  Shown shown;
};

// Bytes 42 to 46 are not shown.
constexpr RecordField kRecordFields[] = {
    {fi::lbDucati, "Ducati Number : ", 0, 11, Shown::kCharacters},
    {fi::lbMarelli, "Marelli Number : ", 11, 11, Shown::kCharacters},
    {fi::lbRevHard, "Hard Version : ", 22, 1, Shown::kDecimal},
    {fi::lbProgramme, "Soft Number : ", 23, 11, Shown::kCharacters},
    {fi::lbRevSoft, "Soft Version : ", 34, 2, Shown::kHexDigits},
    {fi::lbApproval, "Approval number : ", 36, 6, Shown::kCharacters},
    {fi::lbRepairShop, "Repair Shop : ", 47, 10, Shown::kCharacters},
    // Year in four digits, month, day: 20 03 08 28.
    {fi::lbDate, "Programming Date : ", 57, 4, Shown::kHexDigits},
};

constexpr int kIdentificationService = 0x1A;
constexpr int kIdentificationOption = 0x80;

std::string Decimal(int value) {
  char digits[8];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}

std::string FieldValue(const KwpReply& reply, const RecordField& field) {
  const std::string bytes = Mid(reply.data, 2 * field.offset + 1, 2 * field.length);
  switch (field.shown) {
    case Shown::kCharacters:
      return HexAsText(bytes);
    case Shown::kDecimal:
      return Decimal(reply.Byte(field.offset));
    case Shown::kHexDigits:
      // Written afresh so that the line holds nothing but hex digits.
      return BytesToHex(HexToBytes(bytes));
  }
  return {};
}

// ---- The byte-wise read ----

struct ByteGroup {
  std::string_view control;
  std::string_view prefix;
  int first;
  int last;
};

constexpr ByteGroup kMm16Groups[] = {{fi::lbDucati, "Ducati number : ", 0x17, 0x21}};
constexpr ByteGroup kMm15Groups[] = {{fi::lbDucati, "Part Number : ", 0x17, 0x20},
                                     {fi::lbMarelli, "Calibration   : ", 0x21, 0x28}};

std::span<const ByteGroup> GroupsOf(int ecu_type) {
  switch (ecu_type) {
    case Iaw16M:
      return kMm16Groups;
    case Iaw15M:
    case Iaw15RC:
      return kMm15Groups;
    default:
      return {};
  }
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsOneByte(std::string_view answer) {
  return answer.size() == 2 && IsHexDigit(answer[0]) && IsHexDigit(answer[1]);
}

// A caption from the language files without the mnemonic marks that the menu entry sharing its
// number carries ("&Identification de l'ECU"): a window title shows them as they stand.
std::string WithoutMnemonics(std::string_view text) {
  std::string plain;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '&' && k + 1 < text.size()) ++k;
    plain += text[k];
  }
  return plain;
}

}  // namespace

HexMessage CannedIdentificationRecord(std::string_view reply_header) {
  return FrameKwp("5A80" + std::string(kCannedRecord), reply_header);
}

IdentificationResult DecodeIdentificationRecord(std::string_view answer,
                                                std::string_view reply_header) {
  // Needing no bytes lets a record cut short still show the fields it holds whole.
  const KwpReply reply = ReadKwpReply(
      answer, reply_header, {.service = kIdentificationService, .local_id = kIdentificationOption});
  IdentificationResult result;
  for (const RecordField& field : kRecordFields) {
    std::string line(field.prefix);
    if (reply.Positive() && field.offset + field.length <= reply.DataBytes()) {
      line += FieldValue(reply, field);
    } else {
      line += kIdNotAvailable;
    }
    result.lines[LineOf(field.control)] = std::move(line);
  }
  if (reply.Negative()) {
    result.outcome = DiagnosticOutcome::kRefused;
    result.refusal_code = reply.code;
  } else if (!reply.Positive() || reply.DataBytes() < kIdentificationRecordBytes) {
    result.outcome = DiagnosticOutcome::kNoAnswer;
  }
  return result;
}

std::vector<int> ByteWiseRequests(int ecu_type) {
  std::vector<int> requests;
  for (const ByteGroup& group : GroupsOf(ecu_type)) {
    for (int byte = group.first; byte <= group.last; ++byte) requests.push_back(byte);
  }
  return requests;
}

IdentificationResult DecodeByteWiseIdentification(int ecu_type,
                                                  const std::vector<HexMessage>& answers) {
  IdentificationResult result;
  const std::span<const ByteGroup> groups = GroupsOf(ecu_type);
  std::size_t k = 0;
  std::size_t answered_in_all = 0;
  for (const ByteGroup& group : groups) {
    std::string value;
    std::size_t answered = 0;
    for (int byte = group.first; byte <= group.last; ++byte, ++k) {
      const std::string_view answer =
          k < answers.size() ? std::string_view(answers[k]) : std::string_view();
      if (!IsOneByte(answer)) {
        value += kIdByteMissing;
        continue;
      }
      ++answered;
      const int received = HexToByte(answer);
      if (received != 0x00 && received != 0xFF) value += HexAsText(answer);
    }
    answered_in_all += answered;
    result.lines[LineOf(group.control)] =
        std::string(group.prefix) + (answered > 0 ? value : std::string(kIdNotAvailable));
  }
  if (!groups.empty() && answered_in_all == 0) result.outcome = DiagnosticOutcome::kNoAnswer;
  return result;
}

Identification::Identification(ScreenModel& window, DiagnosticsServices services)
    : window_(window), services_(services) {
  ShowLines();
}

DiagnosticOutcome Identification::Load() {
  services_.clock.Pause(kIdentificationSettle);
  const Language& language = services_.language;
  window_.SetText(fi::kWindow,
                  WithoutMnemonics(language.LookupText(168, "Identification de l'ECU")));
  window_.SetText(fi::cdLOG, language.LookupText(texts::kIdentificationLog));
  window_.SetText(fi::cdquitter, language.LookupText(104, "Quitter"));

  result_ = IdentificationResult{};
  ShowLines();
  const int family = services_.link.EcuType;
  if (family == Iaw59M5AM) {
    ReadRecord();
  } else if (!ByteWiseRequests(family).empty()) {
    ReadBytes();
  }
  ShowLines();
  return result_.outcome;
}

void Identification::ReadRecord() {
  const std::string& header = services_.link.ReplyHeader;
  const HexMessage answer = services_.exchange.SendReceive(
      std::string(kIdentificationRequest), CannedIdentificationRecord(header),
      kIdentificationReplyLength, kIdentificationTimeoutMs);
  result_ = DecodeIdentificationRecord(answer, header);
}

void Identification::ReadBytes() {
  const int family = services_.link.EcuType;
  std::vector<HexMessage> answers;
  for (int byte : ByteWiseRequests(family)) {
    // A program closing sends nothing more: the bytes left read as unanswered.
    if (services_.link.Closing) break;
    answers.push_back(services_.exchange.SendReceive(ByteToHex(byte), std::string(kByteIdCanned), 1,
                                                     kByteIdTimeoutMs));
  }
  result_ = DecodeByteWiseIdentification(family, answers);
}

void Identification::ShowLines() {
  for (std::size_t k = 0; k < fi::kLines.size(); ++k)
    window_.SetText(fi::kLines[k], result_.lines[k]);
}

void Identification::Log() {
  constexpr std::string_view kTraceOrder[] = {fi::lbDucati,     fi::lbMarelli, fi::lbRevHard,
                                              fi::lbProgramme,  fi::lbRevSoft, fi::lbApproval,
                                              fi::lbRepairShop, fi::lbDate};
  TraceLog& trace = services_.trace;
  trace.WriteTrace("");
  for (std::string_view control : kTraceOrder) trace.WriteTrace(result_.lines[LineOf(control)]);
  trace.WriteTrace("");
}

}  // namespace velkor
