// The engine status of the 59M/5AM: the status and mixture records decoded into the status
// window's texts and lamps, in test mode and against the bench, and the window's loading.
#include "livedata/engine_status.hpp"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "link/frame.hpp"
#include "livedata/frmparam.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace fs = frmStatuts;

constexpr int kNoColour = -1;
constexpr std::string_view kNa = kStatusNotAvailable;

// ---- Language files in memory -------------------------------------------------------------------

using Texts = std::map<int, std::string>;

class MapCatalog : public TextCatalog {
 public:
  explicit MapCatalog(Texts texts) : texts_(std::move(texts)) {}
  std::optional<std::string> GetResourceString(int id) const override {
    const auto it = texts_.find(id);
    return it == texts_.end() ? std::nullopt : std::optional<std::string>(it->second);
  }

 private:
  Texts texts_;
};

class MapLoader : public TextCatalogLoader {
 public:
  CatalogLoadResult Load(std::string_view language) override {
    CatalogLoadResult result;
    if (const auto it = files.find(std::string(language)); it != files.end()) {
      result.status = CatalogLoadResult::Status::kLoaded;
      result.catalog = std::make_unique<MapCatalog>(it->second);
    }
    return result;
  }
  std::vector<std::string> ListLanguageFiles() const override { return {}; }

  std::map<std::string, Texts> files;
};

// ---- Records ------------------------------------------------------------------------------------

// The canned status record's 16 value bytes.
constexpr std::string_view kCannedValues = "03030000040010000001010001000101";

// A status record from reply header F110, with its checksum, with some value bytes replaced
// (byte index -> two or four hex digits).
HexMessage StatusRecord(const std::map<int, std::string>& changes = {}) {
  std::string values(kCannedValues);
  for (const auto& [k, digits] : changes) values.replace(2 * k, digits.size(), digits);
  return FrameKwp("61A6" + values, "F110");
}

// A mixture record carrying `state`, with its checksum.
HexMessage MixtureRecord(std::string_view state, std::string_view reply_header = "F110") {
  return FrameKwp("614B" + std::string(state), reply_header);
}

// Every text and lamp the status record writes.
struct Shown {
  std::string statut_motor, mode_motor, bequille, embrayage, tps, run_stop, demarrage, richesse;
  int sh_bequille, sh_embrayage, sh_neutral, sh_run_stop, sh_demarrage;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "{" << s.statut_motor << " | " << s.mode_motor << " | " << s.bequille << " | "
             << s.embrayage << " | " << s.tps << " | " << s.run_stop << " | " << s.demarrage
             << " | " << s.richesse << " | lamps " << s.sh_bequille << " " << s.sh_embrayage << " "
             << s.sh_neutral << " " << s.sh_run_stop << " " << s.sh_demarrage << "}";
}

Shown ShownIn(const ScreenModel& window) {
  return {window.Text(fs::txStatutMotor),
          window.Text(fs::txModeMotor),
          window.Text(fs::txBequille),
          window.Text(fs::txEmbrayage),
          window.Text(fs::txTPS),
          window.Text(fs::txRunStop),
          window.Text(fs::txDemarrage),
          window.Text(fs::txRichesse),
          window.Get(fs::ShBequille).colour,
          window.Get(fs::shEmbrayage).colour,
          window.Get(fs::shNeutral).colour,
          window.Get(fs::ShRunStop).colour,
          window.Get(fs::ShDemarrage).colour};
}

// What the canned records show.
const Shown kCannedShown{"Engine ON", "Minimo al Crank", "Rentrée", "Released", "Minimum",
                         "Run",       "Ready",           "Pauvre",  kLampGreen, kLampRed,
                         kLampRed,    kLampGreen,        kLampGreen};

// Nothing known: every text "N/A", no lamp coloured (the mixture text is the caller's).
Shown NothingKnown(std::string richesse) {
  return {std::string(kNa), std::string(kNa), std::string(kNa), std::string(kNa),
          std::string(kNa), std::string(kNa), std::string(kNa), std::move(richesse),
          kNoColour,        kNoColour,        kNoColour,        kNoColour,
          kNoColour};
}

// ---- Decoding the status record -----------------------------------------------------------------

class StatusRecordTest : public ::testing::Test {
 protected:
  void Show(std::string_view answer) { ShowStatusRecord(answer, "F110", language_, window_); }

  MapLoader loader_;
  Language language_{loader_};
  ScreenModel window_;
};

TEST_F(StatusRecordTest, EachKnownValueGivesItsTextAndLamp) {
  struct Case {
    int k;
    std::string digits;
    std::string_view text_box;
    std::string text;
    std::string_view lamp;  // empty: the byte has no lamp
    int colour;
  };
  const Case cases[] = {
      // Ignition and engine phase: one bit each; anything else is unknown.
      {4, "01", fs::txStatutMotor, "Power ON Eng OFF", {}, 0},
      {4, "02", fs::txStatutMotor, "Key ON Eng OFF", {}, 0},
      {4, "04", fs::txStatutMotor, "Engine ON", {}, 0},
      {4, "08", fs::txStatutMotor, "Engine stall / Moteur Calé", {}, 0},
      {4, "10", fs::txStatutMotor, "Process Power-Latch", {}, 0},
      {4, "20", fs::txStatutMotor, "End of power-Latch", {}, 0},
      {4, "00", fs::txStatutMotor, "N/A", {}, 0},
      {4, "03", fs::txStatutMotor, "N/A", {}, 0},
      {4, "40", fs::txStatutMotor, "N/A", {}, 0},
      // Running mode: bytes 5 and 6 as one word of four digits.
      {5, "0001", fs::txModeMotor, "Crank/Démarrage", {}, 0},
      {5, "0002", fs::txModeMotor, "Stabilizzato in Crank", {}, 0},
      {5, "0004", fs::txModeMotor, "Decelerazione in Crank", {}, 0},
      {5, "0008", fs::txModeMotor, "Accelerazione in Crank", {}, 0},
      {5, "0010", fs::txModeMotor, "Minimo al Crank", {}, 0},
      {5, "0020", fs::txModeMotor, "Motore in moto stabilizzato", {}, 0},
      {5, "0040", fs::txModeMotor, "Motore in moto al minimo", {}, 0},
      {5, "0080", fs::txModeMotor, "Motore in moto in accelerazione", {}, 0},
      {5, "0100", fs::txModeMotor, "Motore in moto in decelerazione", {}, 0},
      {5, "0200", fs::txModeMotor, "Entrata in Cut-Off", {}, 0},
      {5, "0400", fs::txModeMotor, "Stato in Cut-Off", {}, 0},
      {5, "0800", fs::txModeMotor, "Uscita di Cut-Off", {}, 0},
      {5, "1000", fs::txModeMotor, "Uscita da Cut-Off in Stabilizzato", {}, 0},
      {5, "2000", fs::txModeMotor, "Uscita da Cut-Off in accelerazione", {}, 0},
      {5, "0011", fs::txModeMotor, "N/A", {}, 0},
      {5, "0000", fs::txModeMotor, "N/A", {}, 0},
      {5, "4000", fs::txModeMotor, "N/A", {}, 0},
      // Chassis switches.
      {8, "00", fs::txBequille, "Rentrée", fs::ShBequille, kLampGreen},
      {8, "01", fs::txBequille, "Sortie", fs::ShBequille, kLampRed},
      {9, "00", fs::txEmbrayage, "Pressed", fs::shEmbrayage, kLampGreen},
      {9, "01", fs::txEmbrayage, "Released", fs::shEmbrayage, kLampRed},
      {10, "01", fs::txTPS, "Minimum", {}, 0},
      {10, "02", fs::txTPS, "Full", {}, 0},
      {10, "04", fs::txTPS, "Partiel", {}, 0},
      {12, "00", fs::txNeutral, "", fs::shNeutral, kLampGreen},
      {12, "01", fs::txNeutral, "", fs::shNeutral, kLampRed},
      {13, "00", fs::txRunStop, "Run", fs::ShRunStop, kLampGreen},
      {13, "01", fs::txRunStop, "Stop", fs::ShRunStop, kLampRed},
      // Start readiness lights the other way round.
      {14, "00", fs::txDemarrage, "Not Ready", fs::ShDemarrage, kLampRed},
      {14, "01", fs::txDemarrage, "Ready", fs::ShDemarrage, kLampGreen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("byte " + std::to_string(c.k) + " = " + c.digits);
    Show(StatusRecord({{c.k, c.digits}}));
    EXPECT_EQ(window_.Text(c.text_box), c.text);
    if (!c.lamp.empty()) {
      EXPECT_EQ(window_.Get(c.lamp).colour, c.colour);
    }
  }
}

// Values the window has no text for: the lamps still follow their rule (0 or not), the texts
// keep what the previous record showed.
TEST_F(StatusRecordTest, UnknownValuesLeaveTheTextsAsTheyWere) {
  Show(StatusRecord({{8, "01"}, {9, "00"}, {10, "02"}, {13, "01"}, {14, "00"}}));
  Show(StatusRecord({{8, "02"}, {9, "80"}, {10, "03"}, {13, "FF"}, {14, "02"}}));

  EXPECT_EQ(window_.Text(fs::txBequille), "Sortie");
  EXPECT_EQ(window_.Text(fs::txEmbrayage), "Pressed");
  EXPECT_EQ(window_.Text(fs::txTPS), "Full");
  EXPECT_EQ(window_.Text(fs::txRunStop), "Stop");
  EXPECT_EQ(window_.Text(fs::txDemarrage), "Not Ready");
  EXPECT_EQ(window_.Get(fs::ShBequille).colour, kLampRed);
  EXPECT_EQ(window_.Get(fs::shEmbrayage).colour, kLampRed);
  EXPECT_EQ(window_.Get(fs::ShRunStop).colour, kLampRed);
  EXPECT_EQ(window_.Get(fs::ShDemarrage).colour, kLampGreen);
}

// The record is found by its header, not by fixed positions: nothing shifts after a stray
// byte, and what the answer does not carry is shown as unknown rather than as a zero that would
// read as "side stand in, clutch pressed, run".
TEST_F(StatusRecordTest, RecordIsLocatedAndMissingValuesAreUnknown) {
  const HexMessage canned = StatusRecord();
  Shown canned_status = kCannedShown;
  canned_status.richesse = "";

  Shown cut_after_mode = NothingKnown("");
  cut_after_mode.statut_motor = "Engine ON";
  cut_after_mode.mode_motor = "Minimo al Crank";

  Shown cut_inside_mode = NothingKnown("");
  cut_inside_mode.statut_motor = "Engine ON";

  Shown cut_before_readiness = canned_status;
  cut_before_readiness.demarrage = std::string(kNa);
  cut_before_readiness.sh_demarrage = kNoColour;

  const struct {
    const char* name;
    HexMessage answer;
    Shown shown;
  } cases[] = {
      {"canned record", canned, canned_status},
      // The exchange keeps 22 bytes, so the stray byte pushes the checksum out.
      {"stray byte first", Left("00" + canned, 44), canned_status},
      {"no answer", "", NothingKnown("")},
      {"negative reply", FrameKwp("7F21A612", "F110"), NothingKnown("")},
      {"another record", FrameKwp("61A0" + std::string(kCannedValues), "F110"), NothingKnown("")},
      {"wrong checksum", Left(canned, 42) + "00", NothingKnown("")},
      // Bytes 09 2F 11 06 1A 60 ..: the record's text from the second digit on is no record.
      {"record text at an odd position", "0" + Left(canned, 43), NothingKnown("")},
      {"cut after the mode word", Left(canned, 24), cut_after_mode},
      {"cut inside the mode word", Left(canned, 22), cut_inside_mode},
      {"cut inside the last byte read", Left(canned, 39), cut_before_readiness},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScreenModel window;
    ShowStatusRecord(c.answer, "F110", language_, window);
    EXPECT_EQ(ShownIn(window), c.shown);
  }
}

TEST(MixtureRecord, StateByteFollowsTheServiceBytes) {
  MapLoader loader;
  Language language(loader);
  const struct {
    HexMessage answer;
    std::string_view reply_header;
    std::string text;
  } cases[] = {
      {MixtureRecord("01"), "F110", "Crank/ralenti"},
      {MixtureRecord("02"), "F110", "Pauvre"},
      {MixtureRecord("04"), "F110", "Transition vers Riche"},
      {MixtureRecord("08"), "F110", "Riche"},
      {MixtureRecord("10"), "F110", "Transition vers Pauvre"},
      {MixtureRecord("20"), "F110", "Anomalie Pauvre"},
      {MixtureRecord("40"), "F110", "Anomalie Riche"},
      {MixtureRecord("00"), "F110", "N/A"},
      {MixtureRecord("03"), "F110", "N/A"},
      // The record at position 5: the state at position 13.
      {"FE" + MixtureRecord("08"), "F110", "Riche"},
      {MixtureRecord("08", "F112"), "F112", "Riche"},
      {MixtureRecord("08", "F112"), "F110", "N/A"},
      {FrameKwp("7F214B12", "F110"), "F110", "N/A"},
      {"83F110614B", "F110", "N/A"},
      // A whole frame must carry its checksum (0x38 here).
      {"83F110614B0840", "F110", "N/A"},
      // Bytes 08 38 F1 10 61 4B 08 ..: the record's text from the second digit on is no record.
      {"0838F110614B0840", "F110", "N/A"},
      {"", "F110", "N/A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    ScreenModel window;
    window.SetText(fs::txRichesse, "earlier");  // never shows through
    ShowMixtureRecord(c.answer, c.reply_header, language, window);
    EXPECT_EQ(window.Text(fs::txRichesse), c.text);
  }
}

// ---- The status read --------------------------------------------------------------------------

// Records the window's life as the status logic drives it.
class FakeHost : public StatusWindowHost {
 public:
  bool Loaded() const override { return loaded; }
  void Load() override {
    loaded = true;
    ++loads;
  }
  void Show() override { ++shows; }

  bool loaded = false;
  int loads = 0;
  int shows = 0;
};

class EngineStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link_.EcuType = Iaw59M5AM;
    uart_.Configure(10400);
    exchange_.SetKLinePort(&uart_);
  }

  void UseLanguage(Texts texts) {
    loader_.files["English"] = std::move(texts);
    language_.SetCurrent("English");
    ASSERT_EQ(language_.LoadLanguage(), LanguageLoad::kLoaded);
  }

  static HexMessage Frame(std::string_view request) { return FrameKwp(request, "10F1"); }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::TesterUart uart_{clock_, bus_};
  sim::ScriptedEcu ecu_{clock_, bus_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  MapLoader loader_;
  Language language_{loader_};
  ScreenModel window_;
  EngineStatus status_{window_, {exchange_, link_, clock_, loop_, language_}};
};

TEST_F(EngineStatusTest, TestModeShowsTheCannedRecordsWhateverTheReplyHeader) {
  link_.TestMode = true;
  for (const char* header : {"F110", "F112"}) {
    SCOPED_TRACE(header);
    link_.ReplyHeader = header;
    ApplyStatusWindowDesign(window_);  // nothing left from the previous read
    status_.ReadStatus();
    EXPECT_EQ(ShownIn(window_), kCannedShown);
  }
  EXPECT_TRUE(uart_.Written().empty());
}

TEST_F(EngineStatusTest, BenchAnswersBothRecords) {
  ecu_.Expect(Frame("21A6"), StatusRecord({{4, "08"}, {5, "0400"}, {14, "00"}}));
  ecu_.Expect(Frame("214B"), MixtureRecord("08"));
  status_.ReadStatus();

  Shown expected = kCannedShown;
  expected.statut_motor = "Engine stall / Moteur Calé";
  expected.mode_motor = "Stato in Cut-Off";
  expected.demarrage = "Not Ready";
  expected.sh_demarrage = kLampRed;
  expected.richesse = "Riche";
  EXPECT_EQ(ShownIn(window_), expected);
  EXPECT_EQ(ecu_.StepsLeft(), 0u);
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

TEST_F(EngineStatusTest, BenchFaults) {
  const struct {
    const char* name;
    std::optional<HexMessage> status_reply;  // nullopt: silence
    std::optional<HexMessage> mixture_reply;
    Shown shown;
  } cases[] = {
      {"stray byte before each record", "00" + StatusRecord(), "FE" + MixtureRecord("02"),
       kCannedShown},
      {"silent ECU", std::nullopt, std::nullopt, NothingKnown("N/A")},
      {"status refused, mixture answered", FrameKwp("7F21A612", "F110"), MixtureRecord("02"),
       NothingKnown("Pauvre")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.status_reply) {
      ecu_.Expect(Frame("21A6"), *c.status_reply);
    } else {
      ecu_.Add(sim::EcuStep::Silence(Frame("21A6")));
    }
    if (c.mixture_reply) {
      ecu_.Expect(Frame("214B"), *c.mixture_reply);
    } else {
      ecu_.Add(sim::EcuStep::Silence(Frame("214B")));
    }
    status_.ReadStatus();
    EXPECT_EQ(ShownIn(window_), c.shown);
    EXPECT_EQ(ecu_.StepsLeft(), 0u);
    clock_.RunFor(std::chrono::milliseconds(50));  // surplus bytes land before the next case
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

TEST_F(EngineStatusTest, TextsAndCaptionsComeFromTheLanguageFile) {
  UseLanguage({{908, "Moteur tournant"},
               {916, "Ralenti au démarrage"},
               {559, "Retracted"},
               {161, "Lean"},
               {175, "Status"},
               {322, "Engine state"},
               {176, "Throttle"},
               {171, ""}});  // an empty text falls back to the design caption
  link_.TestMode = true;
  status_.ReadStatus();

  EXPECT_EQ(window_.Text(fs::txStatutMotor), "Moteur tournant");
  EXPECT_EQ(window_.Text(fs::txModeMotor), "Ralenti au démarrage");
  EXPECT_EQ(window_.Text(fs::txBequille), "Retracted");
  EXPECT_EQ(window_.Text(fs::txRichesse), "Lean");
  EXPECT_EQ(window_.Text(fs::txEmbrayage), "Released");  // never translated
  EXPECT_EQ(window_.Text(fs::kWindow), "Status");
  EXPECT_EQ(window_.Text(fs::lbstatut1), "Engine state");
  EXPECT_EQ(window_.Text(fs::lbstatut6), "Throttle");
  EXPECT_EQ(window_.Text(fs::lbstatut0), "Mode motor");
  EXPECT_EQ(window_.Text(fs::lbstatut5), "Démarrage");
  EXPECT_EQ(window_.Text(fs::lbstatut9), "Clutch handle");
}

TEST_F(EngineStatusTest, ReadingLoadsTheWindowHiddenOnceAndAfterEachUnload) {
  FakeHost host;
  status_.SetHost(&host);
  link_.TestMode = true;

  status_.ReadStatus();
  status_.ReadStatus();
  EXPECT_EQ(host.loads, 1);
  EXPECT_EQ(host.shows, 0);

  // The user closed it: the next read loads it again, with the language now in use.
  host.loaded = false;
  UseLanguage({{175, "Status"}});
  status_.ReadStatus();
  EXPECT_EQ(host.loads, 2);
  EXPECT_EQ(host.shows, 0);
  EXPECT_EQ(window_.Text(fs::kWindow), "Status");

  status_.ShowWindow();
  EXPECT_EQ(host.loads, 2);
  EXPECT_EQ(host.shows, 1);
}

TEST_F(EngineStatusTest, StatusBoxShowsTheWindowAndClearingItEmptiesLpresent) {
  for (const bool checked : {true, false}) {
    SCOPED_TRACE(checked ? "ticked" : "cleared");
    FakeHost host;
    status_.SetHost(&host);
    ScreenModel main_window;
    main_window.SetText(frmparam::lpresent, "ECU présent");
    main_window.SetChecked(frmparam::chStatutSonde, checked);

    status_.ClickStatutSonde(main_window);
    EXPECT_EQ(host.loads, 1);
    EXPECT_EQ(host.shows, 1);
    EXPECT_EQ(main_window.Text(frmparam::lpresent), checked ? "ECU présent" : "");
  }
}

}  // namespace
}  // namespace velkor
