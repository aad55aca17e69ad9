// The fault window of the 59M/5AM and EOBD: the read, the display of each code, the navigation
// and the clear, against a scripted ECU on the bench K-line (and an adapter model for EOBD over
// an ELM327), in virtual time.
#include "diagnostics/fault_window_59.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "link/frame.hpp"
#include "sim/elm327_model.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace w = FrmDTC59;

constexpr int kRed = 255;
constexpr int kWhite = 16777215;
constexpr int kNoColour = -1;

// A request frame from the tester.
HexMessage Req(std::string_view data) { return FrameKwp(data, "10F1"); }

// A reply frame from F110; beyond 63 data bytes format byte 80 and a length byte.
HexMessage Rep(const std::string& data) {
  if (ByteLength(data) <= 63) return FrameKwp(data, "F110");
  const HexMessage frame = "80F110" + ByteToHex(static_cast<int>(ByteLength(data))) + data;
  return frame + CheckSum(frame);
}

// The answer to 17 hh ll.
HexMessage Status57(const std::string& code, const std::string& status,
                    const std::string& counter) {
  return Rep("5702" + code + status + "000000000000" + counter);
}

class NullBeeper : public Beeper {
 public:
  void Beep() override {}
};

class Bench : public ::testing::Test {
 protected:
  void SetUp() override {
    trace_path_ = std::filesystem::path(::testing::TempDir()) /
                  (std::string("faults59_") +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log");
    watch_.Start();
    ASSERT_TRUE(trace_.Open(trace_path_));
    trace_.SetSink(&trace_lines_);
    link_.EcuType = Iaw59M5AM;
    uart_.Configure(10400);
    exchange_.SetKLinePort(&uart_);
  }
  void TearDown() override {
    trace_.Close();
    std::filesystem::remove(trace_path_);
  }

  std::string TraceFile() const {
    std::ifstream in(trace_path_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // The requests the ECU heard, in order.
  std::vector<HexMessage> Heard() const {
    std::vector<HexMessage> heard;
    for (const auto& request : ecu_.Requests()) heard.push_back(request.bytes);
    return heard;
  }

  std::vector<std::string> Checked() const {
    std::vector<std::string> checked;
    for (const auto control : w::kCause) {
      if (window_.Checked(control)) checked.emplace_back(control);
    }
    for (const auto control : w::kMemo) {
      if (window_.Checked(control)) checked.emplace_back(control);
    }
    return checked;
  }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::TesterUart uart_{clock_, bus_};
  sim::ScriptedEcu ecu_{clock_, bus_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  TraceList trace_lines_;
  std::filesystem::path trace_path_;
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  sim::NoLanguageFiles loader_;
  Language language_{loader_};
  sim::ScriptedDialogs dialogs_;
  NullBeeper beeper_;
  ScreenModel window_;
  FaultWindow59 faults_{
      window_, {exchange_, link_, clock_, loop_, trace_, language_, dialogs_, beeper_}, " - 1.0.0"};
};

// ---- 59M / 5AM ----------------------------------------------------------------------------------

class M59Test : public Bench {
 protected:
  // Three codes: 01 22 status 24 counter 40; D6 00 status 80 counter 01; 41 23 status 03
  // counter 28.
  void ScriptThreeCodes() {
    ecu_.Expect(Req("1800FF00"), Rep("5803"
                                     "012224"
                                     "D60080"
                                     "412303"));
    ecu_.Expect(Req("170122"), Status57("0122", "24", "40"));
    ecu_.Expect(Req("17D600"), Status57("D600", "80", "01"));
    ecu_.Expect(Req("174123"), Status57("4123", "03", "28"));
  }
};

struct Shown {
  std::string nb_err;
  std::string first_line;  // of LabelTextError
  std::vector<std::string> checked;
  int lamp;
  std::string cycles;
  bool previous, next;
  bool operator==(const Shown&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Shown& s) {
  out << "{" << s.nb_err << " | " << s.first_line << " | [";
  for (const auto& c : s.checked) out << c << " ";
  return out << "] lamp " << s.lamp << " | '" << s.cycles << "' | prev " << s.previous << " next "
             << s.next << "}";
}

TEST_F(M59Test, ThreeCodesShownOneByOne) {
  ScriptThreeCodes();
  EXPECT_EQ(faults_.Load(), DiagnosticOutcome::kDone);

  auto shown = [&] {
    const std::string& text = window_.Text(w::LabelTextError);
    return Shown{window_.Text(w::LabelNbErr),
                 text.substr(0, text.find('\r')),
                 Checked(),
                 window_.Get(w::Shape1).colour,
                 window_.Text(w::LabelNbCycle),
                 window_.Enabled(w::ButtonPrevious),
                 window_.Enabled(w::ButtonNext)};
  };
  EXPECT_EQ(
      shown(),
      (Shown{"Erreur numéro 1 sur 3", "P0122", {"Cause2", "Memo1"}, kWhite, "0", false, true}));
  EXPECT_EQ(window_.Get(w::HScrollError).minimum, 1);
  EXPECT_EQ(window_.Get(w::HScrollError).maximum, 3);
  EXPECT_EQ(window_.Value(w::HScrollError), 1);
  faults_.ButtonNext();
  EXPECT_EQ(shown(), (Shown{"Erreur numéro 2 sur 3", "U1600", {"Memo0"}, kRed, "63", true, true}));
  faults_.ButtonNext();
  EXPECT_EQ(shown(),
            (Shown{"Erreur numéro 3 sur 3", "C0123", {"Memo0"}, kWhite, "24", true, false}));
  EXPECT_EQ(window_.Value(w::HScrollError), 3);
  faults_.ButtonNext();  // at the end: nothing moves
  EXPECT_EQ(faults_.IndexDefaut(), 3);
  faults_.ButtonPrevious();
  EXPECT_EQ(shown().nb_err, "Erreur numéro 2 sur 3");
  faults_.ScrollChanged(1);
  EXPECT_EQ(shown().first_line, "P0122");
  EXPECT_FALSE(window_.Enabled(w::ButtonPrevious));

  // Exactly these requests, each after at least 100 ms of idle line.
  EXPECT_EQ(Heard(), (std::vector<HexMessage>{Req("1800FF00"), Req("170122"), Req("17D600"),
                                              Req("174123")}));
  const auto& requests = ecu_.Requests();
  for (std::size_t i = 1; i < requests.size(); ++i) {
    EXPECT_GE(requests[i].start - requests[i - 1].end, std::chrono::milliseconds(100)) << i;
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

TEST_F(M59Test, StoredFaultsCarryWhatTheWindowShows) {
  ScriptThreeCodes();
  faults_.Load();
  const auto& f = faults_.Faults();
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[0].code, "P0122");
  EXPECT_EQ(f[0].cause, "Court Circuit à la masse");
  EXPECT_EQ(f[0].memorisation, "Intermitent");
  EXPECT_EQ(f[0].lamp, false);
  EXPECT_EQ(f[0].cycles, "0");
  EXPECT_EQ(f[1].code, "U1600");
  EXPECT_EQ(f[1].cause, "");
  EXPECT_EQ(f[1].memorisation, "Présent");
  EXPECT_EQ(f[1].lamp, true);
  EXPECT_EQ(f[2].code, "C0123");
  EXPECT_EQ(f[2].cycles, "24");
  // Each code shown is traced with its short text (blank when the language has none).
  EXPECT_EQ(trace_lines_.Lines().back(), "Erreur n°:1 P0122: ");
}

TEST_F(M59Test, ReadWithoutCodesShowsWhy) {
  const struct {
    const char* name;
    std::optional<HexMessage> reply;  // none: silence
    DiagnosticOutcome outcome;
    std::string label;
  } cases[] = {
      {"no code stored", Rep("5800"), DiagnosticOutcome::kDone, "Pas d'erreur détectée"},
      {"silence", std::nullopt, DiagnosticOutcome::kNoAnswer, "Pas de réponse de l'ECU"},
      {"garbled", HexMessage("58F11058"), DiagnosticOutcome::kNoAnswer, "Pas de réponse de l'ECU"},
      {"wrong checksum", Rep("5801012224").substr(0, 16) + "00", DiagnosticOutcome::kNoAnswer,
       "Pas de réponse de l'ECU"},
      {"refused", Rep("7F1811"), DiagnosticOutcome::kRefused,
       "Lecture refusée par l'ECU : Service not supported"},
      // A count without a single whole record.
      {"count only", Rep("580201"), DiagnosticOutcome::kNoAnswer,
       "Codes annoncés par l'ECU mais non reçus"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = ecu_.Requests().size();
    if (c.reply) {
      ecu_.Expect(Req("1800FF00"), *c.reply);
    } else {
      ecu_.Add(sim::EcuStep::Silence(Req("1800FF00")));
    }
    EXPECT_EQ(faults_.Load(), c.outcome);
    EXPECT_EQ(window_.Text(w::LabelNbErr), c.label);
    EXPECT_EQ(faults_.NbDefauts(), 0);
    EXPECT_FALSE(window_.Enabled(w::HScrollError));
    EXPECT_FALSE(window_.Visible(w::Shape1));
    EXPECT_FALSE(window_.Enabled(w::FrameCause));
    EXPECT_FALSE(window_.Enabled(w::ButtonNext));
    EXPECT_TRUE(Checked().empty());
    EXPECT_EQ(ecu_.Requests().size(), before + 1);  // no status request
    clock_.Pause(1.5);
  }
}

TEST_F(M59Test, ListedCodesAreTheWholeRecordsUpToTheCount) {
  auto records = [](int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "01" + ByteToHex(i) + "24";
    return text;
  };
  const struct {
    const char* name;
    int count_byte;
    int records;
    int listed;
  } cases[] = {
      {"25 codes in a length-byte frame", 25, 25, 25},
      {"count above the records", 40, 25, 25},
      {"count above the records, short frame", 5, 2, 2},
      {"count below the records", 2, 3, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ecu_.Expect(Req("1800FF00"), Rep("58" + ByteToHex(c.count_byte) + records(c.records)));
    for (int i = 0; i < c.listed; ++i) {
      const std::string code = "01" + ByteToHex(i);
      ecu_.Expect(Req("17" + code), Status57(code, "24", "40"));
    }
    const std::size_t before = ecu_.Requests().size();
    EXPECT_EQ(faults_.Load(), DiagnosticOutcome::kDone);
    ASSERT_EQ(faults_.NbDefauts(), c.listed);
    EXPECT_EQ(ecu_.Requests().size(), before + 1 + c.listed);
    EXPECT_EQ(window_.Get(w::HScrollError).maximum, c.listed);
    for (int i = 1; i < c.listed; ++i) faults_.ButtonNext();
    EXPECT_EQ(window_.Text(w::LabelNbErr),
              "Erreur numéro " + std::to_string(c.listed) + " sur " + std::to_string(c.listed));
    EXPECT_EQ(faults_.Faults().back().code, "P01" + ByteToHex(c.listed - 1));
    EXPECT_FALSE(window_.Enabled(w::ButtonNext));
    EXPECT_EQ(ecu_.Mismatches(), 0);
  }
}

// A code whose status answer is missing, foreign or a refusal: nothing about it looks healthy.
TEST_F(M59Test, CodeWithoutItsStatusShowsThatItIsNotKnown) {
  const struct {
    const char* name;
    std::optional<HexMessage> reply;  // to 17 D6 00; none: silence
    bool third_asked;                 // after silence the ECU is not asked again
    DiagnosticOutcome outcome;
  } cases[] = {
      {"silence", std::nullopt, false, DiagnosticOutcome::kNoAnswer},
      {"status of another code", Status57("0335", "24", "40"), true, DiagnosticOutcome::kDone},
      {"refusal", Rep("7F1731"), true, DiagnosticOutcome::kDone},
      {"cut short", Status57("D600", "80", "01").substr(0, 20), true, DiagnosticOutcome::kDone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ecu_.Expect(Req("1800FF00"), Rep("5803"
                                     "012224"
                                     "D60080"
                                     "412303"));
    ecu_.Expect(Req("170122"), Status57("0122", "24", "40"));
    if (c.reply) {
      ecu_.Expect(Req("17D600"), *c.reply);
    } else {
      ecu_.Add(sim::EcuStep::Silence(Req("17D600")));
    }
    if (c.third_asked) ecu_.Expect(Req("174123"), Status57("4123", "03", "28"));
    const std::size_t before = ecu_.Requests().size();
    EXPECT_EQ(faults_.Load(), c.outcome);
    EXPECT_EQ(ecu_.Requests().size(), before + (c.third_asked ? 4u : 3u));
    ASSERT_EQ(faults_.NbDefauts(), 3);  // every code of the list stays listed

    faults_.ButtonNext();
    EXPECT_EQ(window_.Text(w::LabelNbErr), "Erreur numéro 2 sur 3");
    EXPECT_TRUE(Checked().empty());
    EXPECT_EQ(window_.Get(w::Shape1).colour, kNoColour);
    EXPECT_FALSE(window_.Enabled(w::FrameMemorisation));
    EXPECT_EQ(window_.Text(w::LabelNbCycle), " - ");
    EXPECT_EQ(window_.Text(w::LabelTextError), "U1600\r\n  \r\n - \r\nPas de réponse de l'ECU");
    const StoredFault& fault = faults_.Faults()[1];
    EXPECT_EQ(fault.memorisation, "Pas de réponse de l'ECU");
    EXPECT_FALSE(fault.lamp.has_value());

    faults_.ButtonNext();
    if (c.third_asked) {
      EXPECT_EQ(Checked(), std::vector<std::string>{"Memo0"});
    } else {
      EXPECT_TRUE(Checked().empty());
    }
    clock_.Pause(1.0);
  }
}

TEST_F(M59Test, CyclesFromTheCounter) {
  for (const auto& [counter, cycles] : std::map<std::string, std::string>{
           {"00", " - "}, {"01", "63"}, {"28", "24"}, {"40", "0"}, {"41", " - "}, {"FF", " - "}}) {
    SCOPED_TRACE(counter);
    ecu_.Expect(Req("1800FF00"), Rep("5801"
                                     "012224"));
    ecu_.Expect(Req("170122"), Status57("0122", "24", counter));
    faults_.Load();
    EXPECT_EQ(window_.Text(w::LabelNbCycle), cycles);
  }
}

TEST_F(M59Test, StatusByteSelectsCauseMemorisationAndLamp) {
  const struct {
    const char* status;
    std::vector<std::string> checked;
    int lamp;
  } cases[] = {
      {"01", {"Cause0", "Memo0"}, kWhite}, {"22", {"Cause1", "Memo1"}, kWhite},
      {"44", {"Cause2", "Memo2"}, kWhite}, {"E8", {"Cause3", "Memo3"}, kRed},
      {"03", {"Memo0"}, kWhite},           {"80", {"Memo0"}, kRed},
      {"10", {"Memo0"}, kWhite},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    ecu_.Expect(Req("1800FF00"), Rep(std::string("5801"
                                                 "0122") +
                                     c.status));
    ecu_.Expect(Req("170122"), Status57("0122", c.status, "40"));
    faults_.Load();
    EXPECT_EQ(Checked(), c.checked);
    EXPECT_EQ(window_.Get(w::Shape1).colour, c.lamp);
  }
}

TEST_F(M59Test, ClearThenReadShowsNoFaultAndAsksNoStatus) {
  ecu_.Expect(Req("1800FF00"), Rep("5801"
                                   "012224"));
  ecu_.Expect(Req("170122"), Status57("0122", "24", "40"));
  faults_.Load();
  ecu_.Expect(Req("14FF00"), Rep("54FF00"));
  ecu_.Expect(Req("1800FF00"), Rep("5800"));

  EXPECT_EQ(faults_.CleanError(), DiagnosticOutcome::kDone);
  EXPECT_EQ(dialogs_.questions,
            std::vector<std::string>{"Effacer toutes les erreurs mémorisées ?"});
  EXPECT_EQ(window_.Text(w::LabelNbErr), "Pas d'erreur détectée");
  EXPECT_EQ(faults_.NbDefauts(), 0);
  EXPECT_EQ(faults_.IndexDefaut(), 0);
  EXPECT_EQ(window_.Text(w::LabelTextError), "");
  EXPECT_FALSE(window_.Enabled(w::HScrollError));
  EXPECT_TRUE(window_.Enabled(w::CleanError));
  EXPECT_EQ(Heard(), (std::vector<HexMessage>{Req("1800FF00"), Req("170122"), Req("14FF00"),
                                              Req("1800FF00")}));
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(M59Test, ClearThatDoesNotHappenKeepsTheCodes) {
  const struct {
    const char* name;
    bool ok;                          // the user's answer
    std::optional<HexMessage> reply;  // none: silence
    DiagnosticOutcome outcome;
    std::string message;  // "" for none
  } cases[] = {
      {"cancelled", false, std::nullopt, DiagnosticOutcome::kCancelled, ""},
      {"refused", true, Rep("7F1422"), DiagnosticOutcome::kRefused,
       "Effacement refusé par l'ECU : condition not correct"},
      {"silence", true, std::nullopt, DiagnosticOutcome::kNoAnswer, "Pas de réponse de l'ECU"},
      {"another answer", true, Rep("7E00"), DiagnosticOutcome::kNoAnswer,
       "Pas de réponse de l'ECU"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ecu_.Expect(Req("1800FF00"), Rep("5801"
                                     "012224"));
    ecu_.Expect(Req("170122"), Status57("0122", "24", "40"));
    faults_.Load();
    dialogs_.messages.clear();
    dialogs_.answer = c.ok;
    const std::size_t before = ecu_.Requests().size();
    if (c.ok) {
      if (c.reply) {
        ecu_.Expect(Req("14FF00"), *c.reply);
      } else {
        ecu_.Add(sim::EcuStep::Silence(Req("14FF00")));
      }
    }
    EXPECT_EQ(faults_.CleanError(), c.outcome);
    EXPECT_EQ(ecu_.Requests().size(), before + (c.ok ? 1u : 0u));  // and no read again
    if (c.message.empty()) {
      EXPECT_TRUE(dialogs_.messages.empty());
    } else {
      ASSERT_EQ(dialogs_.messages.size(), 1u);
      EXPECT_EQ(dialogs_.messages[0].text, c.message);
    }
    EXPECT_EQ(window_.Text(w::LabelNbErr), "Erreur numéro 1 sur 1");
    EXPECT_EQ(Checked(), (std::vector<std::string>{"Cause2", "Memo1"}));
    EXPECT_TRUE(window_.Enabled(w::CleanError));
    clock_.Pause(1.5);
  }
}

TEST_F(M59Test, TestModeGivesTheCannedCodes) {
  link_.TestMode = true;
  EXPECT_EQ(faults_.Load(), DiagnosticOutcome::kDone);
  ASSERT_EQ(faults_.NbDefauts(), 2);
  for (int k = 0; k < 2; ++k) {
    const StoredFault& f = faults_.Faults()[static_cast<std::size_t>(k)];
    EXPECT_EQ(f.code, k == 0 ? "P0201" : "U1600");
    EXPECT_EQ(f.cause, "Court Circuit à la masse");
    EXPECT_EQ(f.memorisation, "Intermitent");
    EXPECT_EQ(f.lamp, false);
    EXPECT_EQ(f.cycles, "0");
  }
  EXPECT_EQ(window_.Text(w::LabelNbErr), "Erreur numéro 1 sur 2");
  EXPECT_EQ(window_.Get(w::Shape1).colour, kWhite);
  EXPECT_EQ(faults_.CleanError(), DiagnosticOutcome::kDone);  // the canned clear, then again
  EXPECT_EQ(faults_.NbDefauts(), 2);
  EXPECT_TRUE(uart_.Written().empty());
}

TEST_F(M59Test, CaptionsComeFromTheLanguageWithTheirBuiltInTexts) {
  link_.TestMode = true;
  faults_.Load();
  EXPECT_EQ(window_.Text(w::kWindow), "Velkor - 1.0.0");
  EXPECT_EQ(window_.Text(w::FrameCause), "Cause");
  EXPECT_EQ(window_.Text(w::Memo3), "Non mémorisé");
  EXPECT_EQ(window_.Get(w::CleanError).tooltip, "Efface TOUTES les erreurs");
  // The test area of the window is there, greyed.
  EXPECT_FALSE(window_.Enabled(w::FrameTestActif));
  EXPECT_FALSE(window_.Enabled(w::CdeStartTest));
  EXPECT_FALSE(window_.Visible(w::frConfirm));
}

// ---- EOBD ---------------------------------------------------------------------------------------

class EobdTest : public Bench {
 protected:
  void SetUp() override {
    Bench::SetUp();
    link_.EcuType = Eobd;
  }
};

TEST_F(EobdTest, CountAndLampFromMode01CodesFromEveryMode03Frame) {
  const struct {
    const char* name;
    std::string byte_a;
    std::vector<HexMessage> frames;  // data of each 43 frame
    std::vector<std::string> codes;
    int lamp;
  } cases[] = {
      {"one code, lamp on", "81", {"43012300000000"}, {"P0123"}, kRed},
      {"four codes, lamp off",
       "04",
       {"43012303240244", "43030000000000"},
       {"P0123", "P0324", "P0244", "P0300"},
       kWhite},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ecu_.Expect(Req("0101"), Rep("4101" + c.byte_a + "076504"));
    sim::EcuStep codes = sim::EcuStep::Reply(Req("03"), Rep(c.frames[0]));
    for (std::size_t i = 1; i < c.frames.size(); ++i) codes.Then(Rep(c.frames[i]), 0.01);
    ecu_.Add(codes);

    EXPECT_EQ(faults_.Load(), DiagnosticOutcome::kDone);
    std::vector<std::string> listed;
    for (const auto& f : faults_.Faults()) listed.push_back(f.code);
    EXPECT_EQ(listed, c.codes);
    EXPECT_EQ(window_.Text(w::LabelNbErr), "Erreur numéro 1 sur " + std::to_string(c.codes.size()));
    EXPECT_EQ(window_.Get(w::Shape1).colour, c.lamp);
    EXPECT_TRUE(window_.Visible(w::Shape1));
    EXPECT_FALSE(window_.Enabled(w::FrameCause));
    EXPECT_FALSE(window_.Enabled(w::FrameMemorisation));
    EXPECT_EQ(window_.Text(w::FrameCause), "Cause : non disponible en EOBD");
    EXPECT_TRUE(Checked().empty());
    EXPECT_EQ(faults_.Faults()[0].memorisation, "Non disponible en EOBD");
    EXPECT_EQ(ecu_.Mismatches(), 0);
  }
  const std::string trace = TraceFile();
  EXPECT_NE(trace.find(": 0101 DTC: " + Rep("410181076504")), std::string::npos);
  EXPECT_NE(trace.find(": 03 DTC: " + Rep("43012300000000")), std::string::npos);
  EXPECT_EQ(trace.find("17FF00"), std::string::npos);
}

TEST_F(EobdTest, ReadWithoutCodes) {
  const struct {
    const char* name;
    std::optional<HexMessage> mil;    // none: silence
    std::optional<HexMessage> codes;  // answer to 03; none: not asked or silence
    bool codes_asked;
    DiagnosticOutcome outcome;
    std::string label;
  } cases[] = {
      {"count 0", Rep("410100076504"), std::nullopt, false, DiagnosticOutcome::kDone,
       "Pas d'erreur détectée"},
      {"lamp on, count 0", Rep("410180076504"), std::nullopt, false, DiagnosticOutcome::kDone,
       "Pas d'erreur détectée"},
      {"mode 01 silent", std::nullopt, std::nullopt, false, DiagnosticOutcome::kNoAnswer,
       "Pas de réponse de l'ECU"},
      {"mode 01 refused", Rep("7F0112"), std::nullopt, false, DiagnosticOutcome::kRefused,
       "Lecture refusée par l'ECU : subfunction not supported"},
      {"mode 03 silent", Rep("410182076504"), std::nullopt, true, DiagnosticOutcome::kNoAnswer,
       "Pas de réponse de l'ECU"},
      {"mode 03 only padding", Rep("410101076504"), Rep("43000000000000"), true,
       DiagnosticOutcome::kNoAnswer, "Codes annoncés par l'ECU mais non reçus"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.mil) {
      ecu_.Expect(Req("0101"), *c.mil);
    } else {
      ecu_.Add(sim::EcuStep::Silence(Req("0101")));
    }
    if (c.codes_asked) {
      if (c.codes) {
        ecu_.Expect(Req("03"), *c.codes);
      } else {
        ecu_.Add(sim::EcuStep::Silence(Req("03")));
      }
    }
    const std::size_t before = ecu_.Requests().size();
    EXPECT_EQ(faults_.Load(), c.outcome);
    EXPECT_EQ(window_.Text(w::LabelNbErr), c.label);
    EXPECT_EQ(faults_.NbDefauts(), 0);
    EXPECT_FALSE(window_.Visible(w::Shape1));
    EXPECT_EQ(ecu_.Requests().size(), before + (c.codes_asked ? 2u : 1u));
    clock_.Pause(1.5);
  }
}

TEST_F(EobdTest, ClearByMode04ThenReadAgain) {
  ecu_.Expect(Req("0101"), Rep("410181076504"));
  ecu_.Expect(Req("03"), Rep("43012300000000"));
  faults_.Load();
  ecu_.Expect(Req("04"), Rep("44"));
  ecu_.Expect(Req("0101"), Rep("410100076504"));
  EXPECT_EQ(faults_.CleanError(), DiagnosticOutcome::kDone);
  EXPECT_EQ(window_.Text(w::LabelNbErr), "Pas d'erreur détectée");
  EXPECT_EQ(ecu_.StepsLeft(), 0u);
  EXPECT_EQ(ecu_.Mismatches(), 0);

  // Refused: the reason, and the list read before stays.
  ecu_.Expect(Req("0101"), Rep("410181076504"));
  ecu_.Expect(Req("03"), Rep("43012300000000"));
  faults_.Load();
  ecu_.Expect(Req("04"), Rep("7F0422"));
  EXPECT_EQ(faults_.CleanError(), DiagnosticOutcome::kRefused);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, "Effacement refusé par l'ECU : condition not correct");
  EXPECT_EQ(faults_.NbDefauts(), 1);
}

TEST_F(EobdTest, TestModeGivesTheCannedCodes) {
  link_.TestMode = true;
  EXPECT_EQ(faults_.Load(), DiagnosticOutcome::kDone);
  std::vector<std::string> listed;
  for (const auto& f : faults_.Faults()) listed.push_back(f.code);
  EXPECT_EQ(listed, (std::vector<std::string>{"P0123", "P0324", "P0244"}));
  EXPECT_EQ(window_.Get(w::Shape1).colour, kWhite);
}

// EOBD through an ELM327 model (K-line protocol, headers on, no spaces).
class ElmEobdTest : public Bench {
 protected:
  void SetUp() override {
    Bench::SetUp();
    link_.EcuType = Eobd;
    link_.interface_kind = InterfaceKind::kElm327;
    adapter_ = std::make_unique<sim::Elm327Model>(
        clock_, [this](const sim::ElmRequest& request) -> std::vector<HexMessage> {
          const auto it = answers_.find(request.payload);
          return it == answers_.end() ? std::vector<HexMessage>{} : it->second;
        });
    ASSERT_TRUE(adapter_->Open("/dev/ttyUSB0", "38400,n,8,1"));
    exchange_.SetElmPort(adapter_.get());
    for (const char* command : {"ATZ", "ATE0", "ATS0", "ATL0", "ATH1", "ATSP5", "0100"}) {
      exchange_.SendReceive(command, "", 0, 3000);
    }
  }

  // The start communication of the adapter's fast init, and the supported PIDs.
  std::map<HexMessage, std::vector<HexMessage>> answers_{{"81", {"C1EF8F"}},
                                                         {"0100", {"4100BE3EB811"}}};
  std::unique_ptr<sim::Elm327Model> adapter_;
};

TEST_F(ElmEobdTest, ReadsAndClearsThroughTheAdapter) {
  answers_["0101"] = {"410184076504"};
  answers_["03"] = {"43012303240244", "43030000000000"};
  EXPECT_EQ(faults_.Load(), DiagnosticOutcome::kDone);
  EXPECT_EQ(faults_.LastObdLink(), ObdLink::kElmKLine);
  std::vector<std::string> listed;
  for (const auto& f : faults_.Faults()) listed.push_back(f.code);
  EXPECT_EQ(listed, (std::vector<std::string>{"P0123", "P0324", "P0244", "P0300"}));
  EXPECT_EQ(window_.Get(w::Shape1).colour, kRed);

  answers_["04"] = {"44"};
  answers_["0101"] = {"410100076504"};
  EXPECT_EQ(faults_.CleanError(), DiagnosticOutcome::kDone);
  EXPECT_EQ(window_.Text(w::LabelNbErr), "Pas d'erreur détectée");
  const auto& commands = adapter_->Commands();
  EXPECT_NE(std::find(commands.begin(), commands.end(), "04"), commands.end());
  // The adapter's text reaches the trace through the safe helper: no CR, no prompt mangling.
  const std::string trace = TraceFile();
  EXPECT_NE(trace.find("03 DTC: "), std::string::npos);
}

TEST_F(ElmEobdTest, The59MThroughTheAdapter) {
  link_.EcuType = Iaw59M5AM;
  answers_["1800FF00"] = {
      "5802"
      "012224"
      "D60080"};
  answers_["170122"] = {
      "57020122"
      "24"
      "000000000000"
      "40"};
  // D6 00 gets NO DATA: its status is not known, and the ECU is not asked again.
  EXPECT_EQ(faults_.Load(), DiagnosticOutcome::kNoAnswer);
  ASSERT_EQ(faults_.NbDefauts(), 2);
  EXPECT_EQ(faults_.Faults()[0].cause, "Court Circuit à la masse");
  EXPECT_EQ(faults_.Faults()[0].cycles, "0");
  EXPECT_EQ(faults_.Faults()[1].code, "U1600");
  EXPECT_EQ(faults_.Faults()[1].memorisation, "Pas de réponse de l'ECU");
}

TEST_F(ElmEobdTest, NoDataIsNoAnswer) {
  // 0101 unanswered: the adapter says NO DATA.
  EXPECT_EQ(faults_.Load(), DiagnosticOutcome::kNoAnswer);
  EXPECT_EQ(window_.Text(w::LabelNbErr), "Pas de réponse de l'ECU");
}

}  // namespace
}  // namespace velkor
