#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/hex_message.hpp"
#include "core/screen_model.hpp"
#include "diagnostics/diagnostics_services.hpp"

namespace velkor {

// Control names of the identification window (the widgets' objectName). The window title is the
// control named after the window.
namespace frmIdentification {
inline constexpr std::string_view kWindow = "frmIdentification";
// The display lines, top to bottom.
inline constexpr std::string_view lbDucati = "lbDucati", lbMarelli = "lbMarelli",
                                  lbRevHard = "lbRevHard", lbProgramme = "lbProgramme",
                                  lbRevSoft = "lbRevSoft", lbApproval = "lbApproval",
                                  lbDate = "lbDate", lbRepairShop = "lbRepairShop";
inline constexpr std::string_view cdLOG = "cdLOG", cdquitter = "cdquitter";

inline constexpr std::size_t kLineCount = 8;
// The display lines in display order: the index of a line in IdentificationResult::lines.
inline constexpr std::array<std::string_view, kLineCount> kLines = {
    lbDucati, lbMarelli, lbRevHard, lbProgramme, lbRevSoft, lbApproval, lbDate, lbRepairShop};
}  // namespace frmIdentification

// ---- The 59M/5AM record
// ---------------------------------------------------------------------------

// Read ECU identification, option 80: 5A 80 and a record of 61 bytes.
inline constexpr std::string_view kIdentificationRequest = "1A80";
inline constexpr int kIdentificationReplyLength = 67;
inline constexpr int kIdentificationTimeoutMs = 2000;
inline constexpr std::size_t kIdentificationRecordBytes = 61;

// ---- The byte-wise read of the 15M/16M/15RC
// -------------------------------------------------------

// Each identification byte is one request byte answered by one byte; 00 and FF are padding.
inline constexpr int kByteIdTimeoutMs = 500;
inline constexpr std::string_view kByteIdCanned = "31";

// The quiet time before the read, seconds.
inline constexpr double kIdentificationSettle = 0.1;

// After a line's prefix when the ECU gave nothing for it (no record, a refusal, a record cut
// before the field, not one identification byte answered).
inline constexpr std::string_view kIdNotAvailable = "non disponible";
// In place of an identification byte the ECU did not answer.
inline constexpr std::string_view kIdByteMissing = "?";

// What an identification read found.
struct IdentificationResult {
  // kLineCount lines in display order (frmIdentification::kLines): the prefix and the value,
  // or empty for a line the family does not have. Only printable ASCII.
  std::vector<std::string> lines = std::vector<std::string>(frmIdentification::kLineCount);
  // kDone: the whole record, or at least one byte of a byte-wise read answered (a byte-wise
  // read with gaps shows them as kIdByteMissing); kNoAnswer: no record, a record cut short, or
  // not one byte answered; kRefused: the ECU refused the request (refusal_code says why).
  DiagnosticOutcome outcome = DiagnosticOutcome::kDone;
  int refusal_code = 0;
};

// What test mode answers to kIdentificationRequest: a whole frame from `reply_header`.
HexMessage CannedIdentificationRecord(std::string_view reply_header);

// The lines of an answer to kIdentificationRequest. The record is found by the reply reader
// (reply header, 5A 80, checksum of a whole frame); each field the answer holds whole is shown,
// every other one reads kIdNotAvailable after its prefix.
IdentificationResult DecodeIdentificationRecord(std::string_view answer,
                                                std::string_view reply_header);

// The request bytes of the byte-wise families in the order they are sent (MM16: 17 to 21;
// MM15 and 15RC: 17 to 20 for the part number, then 21 to 28 for the calibration); empty for
// the other families.
std::vector<int> ByteWiseRequests(int ecu_type);

// The lines of a byte-wise read: answers[k] answers ByteWiseRequests(ecu_type)[k] (missing
// entries count as unanswered). The MM16's number goes to lbDucati; the MM15's and 15RC's part
// number to lbDucati and their calibration to lbMarelli. An answer that is not one byte counts
// as unanswered.
IdentificationResult DecodeByteWiseIdentification(int ecu_type,
                                                  const std::vector<HexMessage>& answers);

// ---- The window's behaviour ---------------------------------------------------------------------

// The identification window: reads what the ECU of the family in use says about itself and
// shows it as eight lines. The session lends it the link for Load.
class Identification {
 public:
  // `window` must outlive this object. The lines start empty.
  Identification(ScreenModel& window, DiagnosticsServices services);

  // Sets the captions, reads the identification of link.EcuType and shows the lines. P8, EOBD
  // and the empty slots read nothing and show empty lines.
  DiagnosticOutcome Load();

  // cdLOG: the lines go to the trace as plain lines, between two empty lines, in the order
  // Ducati, Marelli, hard version, programme, soft version, approval, repair shop, date.
  void Log();

  const IdentificationResult& Result() const { return result_; }
  // In display order (frmIdentification::kLines), for velkor-cli.
  const std::vector<std::string>& Lines() const { return result_.lines; }

 private:
  void ReadRecord();
  void ReadBytes();
  void ShowLines();

  ScreenModel& window_;
  DiagnosticsServices services_;
  IdentificationResult result_;
};

}  // namespace velkor
