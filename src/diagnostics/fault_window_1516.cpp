#include "diagnostics/fault_window_1516.hpp"

#include <span>

#include "core/ecu_family.hpp"

namespace velkor {

namespace fe = frmerreur;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// ---- The three fault tables ----

struct KindLines {
  LanguageText set;    // the fault's bit of B is set
  LanguageText clear;  // it is clear
};

struct FaultBit {
  int bit;
  LanguageText fault;
  bool has_kinds;
  KindLines kinds;
};

constexpr LanguageText kShortToGround{366, "   en C.C GND"};
constexpr LanguageText kOpenOrBattery{367, "   Open or V.Bat."};
constexpr LanguageText kShortToBattery{368, "   en C.C V.Bat."};
constexpr LanguageText kOpenOrGround{369, "   Open or GND"};
constexpr LanguageText kVoltageHigh{370, "   Tension trop élevée"};
constexpr LanguageText kVoltageLow{371, "   Tension trop faible"};
constexpr LanguageText kOpen{372, "   Open"};
constexpr LanguageText kOpenOrShortToGround{373, "   Open or C.C.GND"};
constexpr LanguageText kAtMaximum{374, "   Au Max"};
constexpr LanguageText kAtMinimum{375, "   Au Min"};

// Rows 0 and 4.
constexpr FaultBit kSensorFaults[] = {
    {0, {355, "Défaut Capteur Papillon"}, true, {kShortToGround, kOpenOrBattery}},
    {1, {356, "Défaut Capteur de Pression"}, true, {kShortToBattery, kOpenOrGround}},
    {3, {357, "Défaut Capteur Température Moteur"}, true, {kShortToGround, kOpenOrBattery}},
    {4, {358, "Défaut Capteur Température Air"}, true, {kShortToGround, kOpenOrBattery}},
    {5, {359, "Défaut Tension Batterie"}, true, {kVoltageHigh, kVoltageLow}},
};

// Rows 1 and 5.
constexpr FaultBit kActuatorFaults[] = {
    {0, {360, "Défaut Injecteur"}, true, {kShortToGround, kOpen}},
    {1, {361, "Défaut Bobine 1"}, true, {kShortToBattery, kOpenOrShortToGround}},
    {2, {362, "Défaut Bobine 2"}, true, {kShortToBattery, kOpenOrShortToGround}},
    {6, {363, "Défaut Pompe Essence"}, true, {kShortToBattery, kOpenOrShortToGround}},
    {7, {364, "Défaut Relais Général"}, true, {kShortToBattery, kOpenOrShortToGround}},
};

// Rows 2 and 6: only the trimmer has kinds.
constexpr FaultBit kEcuFaults[] = {
    {0, {365, "Défaut Paramètre Trimmer"}, true, {kAtMaximum, kAtMinimum}},
    {1, {376, "Erreur Mémoire RAM"}, false, {}},
    {2, {377, "Erreur Mémoire ROM"}, false, {}},
    {3, {378, "Erreur Mémoire EEPROM"}, false, {}},
    {4, {379, "Erreur Microprocesseur"}, false, {}},
    {5, {380, "Défaut Capteur Tours"}, false, {}},
};

std::span<const FaultBit> FaultsOfRow(int i) {
  switch (i) {
    case 0:
    case 4:
      return kSensorFaults;
    case 1:
    case 5:
      return kActuatorFaults;
    case 2:
    case 6:
      return kEcuFaults;
    default:
      return {};
  }
}

// ---- Captions ----

// The row names, ids 319 to 325.
constexpr std::string_view kRowNames[fe::kRows] = {
    "Capteurs", "Commandes", "Défaut", "Statut Moteur", "Capteurs", "Commandes", "Défaut"};
constexpr int kFirstRowNameId = 319;

struct Caption {
  std::string_view control;
  LanguageText text;
};

constexpr Caption kCaptions[] = {
    {fe::Frdiag1, {302, "Erreurs"}},
    {fe::frpresent, {303, "Erreur(s) présente(s) / Failure(s) now"}},
    {fe::frmem, {304, "Erreur(s) mémorisée(s) / Failure(s) in RAM"}},
    {fe::cderreur, {305, "Lecture / Read"}},
    {fe::cdarret, {306, "Fermer / Close"}},
    {fe::Frdiag2, {308, "Test"}},
    {fe::frcde, {309, "Commandes"}},
    {fe::cddiag[0], {310, "Effacement mémoire"}},
    {fe::cddiag[1], {311, "Test Compte Tour"}},
    {fe::cddiag[2], {312, "Test Pompe Essence"}},
    {fe::cddiag[3], {313, "Test Bobine 1"}},
    {fe::cddiag[4], {314, "Test Bobine 2"}},
    {fe::cddiag[5], {315, "Test Injecteur 1"}},
    {fe::cddiag[6], {316, "Test Injecteur 2"}},
    {fe::frdialogue, {317, "Dialogue"}},
};
constexpr LanguageText kTitle{318, "Diagnostic"};

// Blank labels keep their height in the window.
constexpr std::string_view kBlank = " ";

// ---- Answers ----

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The one byte of an answer; nothing for silence or for anything that is not one byte.
std::optional<int> AnswerByte(std::string_view answer) {
  if (answer.size() != 2 || !IsHexDigit(answer[0]) || !IsHexDigit(answer[1])) return std::nullopt;
  return HexToByte(answer);
}

bool BitSet(int value, int bit) { return ((value >> bit) & 1) != 0; }

}  // namespace

std::vector<std::string> gestion_erreur1516(int i, int a, std::optional<int> b,
                                            const Language& language) {
  std::vector<std::string> lines;
  for (const FaultBit& fault : FaultsOfRow(i)) {
    if (!BitSet(a, fault.bit)) continue;
    lines.push_back(language.LookupText(fault.fault));
    if (!fault.has_kinds) continue;
    if (!b) {
      lines.emplace_back(kKindUnknown);
    } else {
      lines.push_back(
          language.LookupText(BitSet(*b, fault.bit) ? fault.kinds.set : fault.kinds.clear));
    }
  }
  return lines;
}

std::vector<std::string> StatusLines1516(int s, const Language* language) {
  const auto text = [language](const LanguageText& t) {
    return language != nullptr ? language->LookupText(t) : std::string(t.built_in);
  };
  std::vector<std::string> lines;
  if (BitSet(s, 0)) lines.push_back(text(kStepperEnabled));
  lines.push_back(text(BitSet(s, 1) ? kEngineRunning : kEngineStopped));
  lines.push_back(text(BitSet(s, 3) ? kThrottleAtStop : kThrottleBetween));
  if (BitSet(s, 7)) lines.push_back(text(kStepperTest));
  return lines;
}

std::string StatusValue1516(int s) {
  const std::string digits = ByteToHex(s & 0xFF);
  return digits[0] == '0' && digits[1] != '0' ? digits.substr(1) : digits;
}

FaultWindow1516::FaultWindow1516(ScreenModel& window, DiagnosticsServices services)
    : window_(window), services_(services) {}

void FaultWindow1516::Load(std::string_view version_suffix) {
  const Language& language = services_.language;
  closed_ = false;
  for (std::size_t k = 0; k < fe::kRows; ++k) {
    window_.SetText(fe::ldef[k], std::string(kBlank));
    window_.SetText(fe::rdef[k], std::string(kBlank));
  }
  for (std::size_t k = 0; k < fe::kRows; ++k) {
    window_.SetText(fe::ldef[k],
                    language.LookupText(kFirstRowNameId + static_cast<int>(k), kRowNames[k]));
  }
  window_.SetText(fe::kWindow, language.LookupText(kTitle) + std::string(version_suffix));
  for (const Caption& caption : kCaptions) {
    window_.SetText(caption.control, language.LookupText(caption.text));
  }
  text_.clear();
  window_.SetText(fe::Text1, "");
  window_.SetEnabled(fe::cderreur, true);
  window_.SetEnabled(fe::cdarret, true);

  // The clearing and the tests: the 16M, 15M and 15RC have them; the P8 none (its frames stay
  // greyed; not Frdiag2, which also holds cdarret).
  const int type = services_.link.EcuType;
  const bool commands = type == Iaw16M || type == Iaw15M || type == Iaw15RC;
  window_.SetEnabled(fe::frcde, commands);
  for (std::string_view command : fe::cddiag) window_.SetEnabled(command, commands);
  window_.SetEnabled(fe::frdialogue, commands);
  for (std::size_t k = 0; k < fe::kDialogueSteps; ++k) {
    window_.SetText(fe::lenvoie[k], std::string(kBlank));
    window_.SetText(fe::lrecu[k], std::string(kBlank));
  }
}

void FaultWindow1516::ShowWaitingForMeasurements() {
  for (std::size_t k = 0; k < fe::kRows; ++k) {
    window_.SetText(fe::ldef[k], std::string(kBlank));
    window_.SetText(fe::rdef[k], std::string(kBlank));
  }
  window_.SetText(fe::rdef[0], services_.language.LookupText(kWaitingForMeasurements));
  window_.SetText(fe::rdef[1], services_.language.LookupText(kClickAgain));
}

std::optional<int> FaultWindow1516::Ask(int request, std::string_view canned) {
  return AnswerByte(services_.exchange.SendReceive(ByteToHex(request), std::string(canned), 1,
                                                   kFaultReadTimeoutMs));
}

void FaultWindow1516::Append(std::string_view text) {
  text_ += text;
  window_.SetText(fe::Text1, text_);
}

void FaultWindow1516::Trace(std::string_view line) { services_.trace.WriteTrace(line); }

DiagnosticOutcome FaultWindow1516::Read() {
  if (reading_) return DiagnosticOutcome::kCancelled;
  reading_ = true;
  // The two buttons come back on every way out, the window closing included.
  struct Restore {
    FaultWindow1516& self;
    ~Restore() {
      self.window_.SetEnabled(fe::cderreur, true);
      self.window_.SetEnabled(fe::cdarret, true);
      self.reading_ = false;
    }
  } restore{*this};
  window_.SetEnabled(fe::cderreur, false);
  window_.SetEnabled(fe::cdarret, false);

  result_ = FaultRead1516{};
  text_.clear();
  window_.SetText(fe::Text1, "");
  bool missed = false;

  for (int i : kFaultRows) {
    if (i == 0) {
      Append(services_.language.LookupText(kPresentHeading));
      Append(kLineEnd);
      Trace(" ");
      Trace(kPresentHeading.built_in);
    } else if (i == 4) {
      Append(services_.language.LookupText(kMemorisedHeading));
      Append(kLineEnd);
      Trace(" ");
      Trace("Défauts en RAM :");
    }

    FaultRow1516 row;
    row.row = i;
    row.fault_bits = Ask(kFaultBitsRequest + i, kFaultCanned);
    if (!row.fault_bits) {
      // Nothing to decode: the kinds are not asked for.
      row.shown = services_.language.LookupText(kRowNoAnswer);
      missed = true;
    } else if (*row.fault_bits == 0x00 || *row.fault_bits == 0xFF) {
      row.shown = services_.language.LookupText(kNoFault);
    } else {
      row.shown = ByteToHex(*row.fault_bits);
      row.fault_kinds = Ask(kFaultKindsRequest + i, kFaultCanned);
      if (!row.fault_kinds) missed = true;
      row.lines = gestion_erreur1516(i, *row.fault_bits, row.fault_kinds, services_.language);
      std::string block;
      for (const std::string& line : row.lines) {
        block += line;
        block += kLineEnd;
        Trace(line);
      }
      Append(block);
    }
    window_.SetText(fe::rdef[static_cast<std::size_t>(i)], row.shown);
    result_.rows.push_back(std::move(row));

    services_.loop.GiveTurn();
    if (Interrupted()) {
      result_.outcome = DiagnosticOutcome::kCancelled;
      return result_.outcome;
    }
  }

  std::string block(kLineEnd);
  block += services_.language.LookupText(kStatusHeading);
  block += kLineEnd;
  result_.status = Ask(kStatusRequest1516, kStatusCanned);
  if (result_.status) {
    result_.status_shown = StatusValue1516(*result_.status);
    result_.status_lines = StatusLines1516(*result_.status, &services_.language);
  } else {
    // Status bits read as 0 would say "engine stopped, throttle in between".
    result_.status_shown = kStatusValueUnknown;
    result_.status_lines = {services_.language.LookupText(kStatusUnknown)};
    missed = true;
  }
  window_.SetText(fe::rdef[fe::kStatusRow], result_.status_shown);
  for (const std::string& line : result_.status_lines) {
    block += line;
    block += kLineEnd;
  }
  Append(block);

  if (missed) {
    Append(services_.language.LookupText(kIncompleteRead));
    Append(kLineEnd);
    Trace(kIncompleteRead.built_in);
    result_.outcome = DiagnosticOutcome::kNoAnswer;
  } else {
    services_.beeper.Beep();
    result_.outcome = DiagnosticOutcome::kDone;
  }
  return result_.outcome;
}

}  // namespace velkor
