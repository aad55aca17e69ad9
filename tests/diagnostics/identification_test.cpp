// The identification window's logic: the 59M/5AM record and the byte-wise reads of the
// 15M/16M/15RC, in test mode and against a bench ECU in virtual time.
#include "diagnostics/identification.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ecu_family.hpp"
#include "link/frame.hpp"
#include "window_bench.hpp"

namespace velkor {
namespace {

namespace fi = frmIdentification;
using diag_bench::kByteProtocolBaud;
using diag_bench::kKwpBaud;
using diag_bench::WindowBench;
using Lines = std::vector<std::string>;

// What the canned record shows, in display order (the date line comes before the repair shop).
const Lines kCannedLines = {
    "Ducati Number : 28640751A  ", "Marelli Number : IAW59MHW010", "Hard Version : 0",
    "Soft Number : 0130DC27   ",   "Soft Version : 0000",          "Approval number : 59MA3 ",
    "Programming Date : 20030828", "Repair Shop : TLC       ",
};

Lines Unavailable() {
  return {"Ducati Number : non disponible",    "Marelli Number : non disponible",
          "Hard Version : non disponible",     "Soft Number : non disponible",
          "Soft Version : non disponible",     "Approval number : non disponible",
          "Programming Date : non disponible", "Repair Shop : non disponible"};
}

// Only the first line (and for the MM15 and 15RC the second) is used by the byte-wise families.
Lines FirstLines(std::string first, std::string second = {}) {
  Lines lines(fi::kLineCount);
  lines[0] = std::move(first);
  lines[1] = std::move(second);
  return lines;
}

// The record after 5A 80, with some bytes replaced (record offset -> hex digits).
std::string Record(const std::vector<std::pair<std::size_t, std::string>>& changes = {}) {
  const HexMessage canned = CannedIdentificationRecord("F110");
  std::string record = Mid(canned, 11, 2 * kIdentificationRecordBytes);
  for (const auto& [offset, digits] : changes) record.replace(2 * offset, digits.size(), digits);
  return record;
}

HexMessage RecordFrame(const std::string& record) { return FrameKwp("5A80" + record, "F110"); }

Lines ShownIn(const ScreenModel& window) {
  Lines lines;
  for (std::string_view control : fi::kLines) lines.push_back(window.Text(control));
  return lines;
}

// ---- Test mode ----------------------------------------------------------------------------------

TEST(IdentificationTest, TestModeShowsTheCannedAnswersOfEachFamily) {
  const struct {
    const char* name;
    int family;
    Lines lines;
  } cases[] = {
      {"59M/5AM record", Iaw59M5AM, kCannedLines},
      {"MM16: eleven bytes 31", Iaw16M, FirstLines("Ducati number : 11111111111")},
      {"MM15: part number and calibration on their own lines", Iaw15M,
       FirstLines("Part Number : 1111111111", "Calibration   : 11111111")},
      {"15RC as the MM15", Iaw15RC,
       FirstLines("Part Number : 1111111111", "Calibration   : 11111111")},
      {"P8 reads nothing", IawP8, Lines(fi::kLineCount)},
      {"EOBD reads nothing", Eobd, Lines(fi::kLineCount)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WindowBench b(c.family, kKwpBaud);
    b.link_.TestMode = true;
    ScreenModel window;
    Identification identification(window, b.Services());

    EXPECT_EQ(identification.Load(), DiagnosticOutcome::kDone);
    EXPECT_EQ(identification.Lines(), c.lines);
    EXPECT_EQ(ShownIn(window), c.lines);
    EXPECT_TRUE(b.WrittenBytes().empty());  // test mode never touches the cable
  }
}

TEST(IdentificationTest, CaptionsComeFromTheLanguageWithoutMnemonicsInTheTitle) {
  WindowBench built_in(IawP8, kByteProtocolBaud);
  ScreenModel window;
  Identification(window, built_in.Services()).Load();
  EXPECT_EQ(window.Text(fi::kWindow), "Identification de l'ECU");
  EXPECT_EQ(window.Text(fi::cdLOG), "Enregistrement");
  EXPECT_EQ(window.Text(fi::cdquitter), "Quitter");

  // The language files hold the menu entries' texts under the same numbers; the log button has
  // a number of its own (158 is the main window's "Mémorise").
  WindowBench english(IawP8, kByteProtocolBaud);
  english.UseTexts({{168, "ECU &identification"}, {862, "Write to the trace"}, {104, "&Quit"}});
  Identification(window, english.Services()).Load();
  EXPECT_EQ(window.Text(fi::kWindow), "ECU identification");
  EXPECT_EQ(window.Text(fi::cdLOG), "Write to the trace");
  EXPECT_EQ(window.Text(fi::cdquitter), "&Quit");
}

// ---- The 59M/5AM record against the bench
// ---------------------------------------------------------

TEST(IdentificationTest, RecordOfThe59MIsReadAndCheckedBeforeItIsShown) {
  // Bytes that are no printable ASCII (00, AA, 7F, C3 starting a UTF-8 sequence) show as '.'.
  const std::string odd_bytes = Record({{0, "5A00AA7FC3"}, {47, "0A0D"}});
  Lines odd_lines = kCannedLines;
  odd_lines[0] = "Ducati Number : Z....751A  ";
  odd_lines[7] = "Repair Shop : ..C       ";

  const HexMessage whole = RecordFrame(Record());
  // A record cut after 25 bytes: the numbers and the hard version are whole, the rest is not.
  Lines cut = Unavailable();
  for (std::size_t k = 0; k < 3; ++k) cut[k] = kCannedLines[k];
  // The ECU declares a record of 40 bytes: the soft version (34, 35) is in, the approval not.
  Lines declared_short = Unavailable();
  for (std::size_t k = 0; k < 5; ++k) declared_short[k] = kCannedLines[k];

  const struct {
    const char* name;
    HexMessage reply;  // empty: silence
    Lines lines;
    DiagnosticOutcome outcome;
    int refusal_code;
  } cases[] = {
      {"whole record", whole, kCannedLines, DiagnosticOutcome::kDone, 0},
      {"record with 00 and AA bytes", RecordFrame(odd_bytes), odd_lines, DiagnosticOutcome::kDone,
       0},
      // The exchange keeps 67 bytes: the stray byte pushes the checksum out, not the record.
      {"stray byte first", "00" + whole, kCannedLines, DiagnosticOutcome::kDone, 0},
      {"refusal 7F 1A 12", FrameKwp("7F1A12", "F110"), Unavailable(), DiagnosticOutcome::kRefused,
       0x12},
      {"short record", Left(whole, 2 * 30), cut, DiagnosticOutcome::kNoAnswer, 0},
      {"record declared short", RecordFrame(Left(Record(), 2 * 40)), declared_short,
       DiagnosticOutcome::kNoAnswer, 0},
      {"wrong checksum", Left(whole, whole.size() - 2) + "00", Unavailable(),
       DiagnosticOutcome::kNoAnswer, 0},
      {"answer without its header", Mid(whole, 7), Unavailable(), DiagnosticOutcome::kNoAnswer, 0},
      {"silence", "", Unavailable(), DiagnosticOutcome::kNoAnswer, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WindowBench b(Iaw59M5AM, kKwpBaud);
    const HexMessage request = FrameKwp(kIdentificationRequest, "10F1");
    if (c.reply.empty()) {
      b.ecu_.Add(sim::EcuStep::Silence(request));
    } else {
      b.ecu_.Expect(request, c.reply);
    }
    ScreenModel window;
    Identification identification(window, b.Services());

    EXPECT_EQ(identification.Load(), c.outcome);
    EXPECT_EQ(identification.Result().refusal_code, c.refusal_code);
    EXPECT_EQ(identification.Lines(), c.lines);
    EXPECT_EQ(ShownIn(window), c.lines);
    EXPECT_EQ(b.ecu_.StepsLeft(), 0u);
    EXPECT_EQ(b.ecu_.Mismatches(), 0);
  }
}

// ---- The byte-wise reads against the bench
// --------------------------------------------------------

TEST(IdentificationTest, ByteWiseReadsSkipPaddingAndMarkSilentBytes) {
  const std::vector<std::string> mm16_requests = {"17", "18", "19", "1A", "1B", "1C",
                                                  "1D", "1E", "1F", "20", "21"};
  const std::vector<std::string> mm15_requests = {"17", "18", "19", "1A", "1B", "1C",
                                                  "1D", "1E", "1F", "20", "21", "22",
                                                  "23", "24", "25", "26", "27", "28"};
  const struct {
    const char* name;
    int family;
    std::vector<std::string> answers;  // one per request; "" is silence
    Lines lines;
    DiagnosticOutcome outcome;
  } cases[] = {
      {"MM16 with padding and a silent byte",
       Iaw16M,
       {"39", "00", "36", "", "FF", "30", "07", "35", "00", "FF", "41"},
       FirstLines("Ducati number : 96?0.5A"),
       DiagnosticOutcome::kDone},
      {"MM16 all padding", Iaw16M, std::vector<std::string>(11, "FF"),
       FirstLines("Ducati number : "), DiagnosticOutcome::kDone},
      {"MM16 silent", Iaw16M, std::vector<std::string>(11, ""),
       FirstLines("Ducati number : non disponible"), DiagnosticOutcome::kNoAnswer},
      {"MM15 part number and calibration",
       Iaw15M,
       {"35", "31", "00", "", "30", "FF", "39", "00", "00", "00",  // part number
        "43", "41", "4C", "", "31", "FF", "00", "32"},             // calibration
       FirstLines("Part Number : 51?09", "Calibration   : CAL?12"),
       DiagnosticOutcome::kDone},
      {"15RC with a silent calibration",
       Iaw15RC,
       {"35", "31", "00", "00", "00", "00", "00", "00", "00", "00", "", "", "", "", "", "", "", ""},
       FirstLines("Part Number : 51", "Calibration   : non disponible"),
       DiagnosticOutcome::kDone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto& requests = c.family == Iaw16M ? mm16_requests : mm15_requests;
    ASSERT_EQ(c.answers.size(), requests.size());
    WindowBench b(c.family, kByteProtocolBaud);
    for (std::size_t k = 0; k < requests.size(); ++k) {
      if (c.answers[k].empty()) {
        b.ecu_.Add(sim::EcuStep::Silence(requests[k]));
      } else {
        b.ecu_.Expect(requests[k], c.answers[k]);
      }
    }
    ScreenModel window;
    Identification identification(window, b.Services());

    EXPECT_EQ(identification.Load(), c.outcome);
    EXPECT_EQ(identification.Lines(), c.lines);
    EXPECT_EQ(ShownIn(window), c.lines);
    EXPECT_EQ(b.WrittenBytes(), requests);
    EXPECT_EQ(b.ecu_.Mismatches(), 0);
  }
}

TEST(IdentificationTest, LogWritesTheLinesToTheTraceWithTheDateLast) {
  WindowBench b(Iaw59M5AM, kKwpBaud);
  b.link_.TestMode = true;
  ScreenModel window;
  Identification identification(window, b.Services());
  identification.Load();
  identification.Log();

  const Lines expected = {"",
                          "Ducati Number : 28640751A  ",
                          "Marelli Number : IAW59MHW010",
                          "Hard Version : 0",
                          "Soft Number : 0130DC27   ",
                          "Soft Version : 0000",
                          "Approval number : 59MA3 ",
                          "Repair Shop : TLC       ",
                          "Programming Date : 20030828",
                          ""};
  EXPECT_EQ(b.TraceLines(), expected);
}

}  // namespace
}  // namespace velkor
