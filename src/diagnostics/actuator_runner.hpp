#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/language_texts.hpp"
#include "diagnostics/diagnostics_services.hpp"
#include "diagnostics/engine_state.hpp"

namespace velkor {

// How a command that runs across many turns of the message loop (an actuator test, a service
// routine, the byte protocol's diagnostic mode) holds the link. The session implements it with a
// link lease: while held, the measurements, the keep-alive's re-enabling and the main window's
// session commands stay out of the way.
class LinkHold {
 public:
  virtual ~LinkHold() = default;
  // Takes the link; false when it cannot be had now (measurements still stopping, another
  // command or a start holds it, the program closing).
  virtual bool Take() = 0;
  // Keeps the session alive while held (tester present when the line is idle). on_lost: the
  // ECU stopped answering it; idle: called after each tester present that was answered.
  virtual void KeepAlive(std::function<void()> on_lost, std::function<void()> idle) = 0;
  // Gives the link back; session_lost: the main window shows the no-session state.
  virtual void Release(bool session_lost) = 0;
  virtual bool Held() const = 0;
};

// Texts of the tests and routines that the older windows did not number.
namespace texts_test {
// Every command that moves something refuses unless the ECU says the engine is stopped.
inline constexpr LanguageText kEngineMustBeStopped{878, "Le moteur doit être arrêté"};
inline constexpr LanguageText kEngineUnknown{
    879, "État du moteur inconnu : l'ECU n'a pas confirmé que le moteur est arrêté"};
inline constexpr LanguageText kResetTpsQuestion{
    880, "Reset TPS : moteur arrêté, contact mis, poignée des gaz relâchée. Lancer le reset ?"};
inline constexpr LanguageText kResetServiceQuestion{
    881, "Reset Service : moteur arrêté, contact mis. Lancer le reset ?"};
// The ECU did not confirm the end of a test after a retry.
inline constexpr LanguageText kStopNotConfirmed{
    882,
    "L'ECU n'a pas confirmé l'arrêt du test : coupez le contact maintenant ! / The ECU did not "
    "confirm the end of the test: switch the ignition off now!"};
inline constexpr LanguageText kStopNotConfirmedTitle{883, "Arrêt du test / Test stop"};
// After "Test Echoué: " when the ECU said nothing.
inline constexpr LanguageText kNoAnswer{884, "Pas de réponse de l'ECU"};
inline constexpr LanguageText kTpsResetDone{885, "Reset TPS confirmé par l'ECU"};
inline constexpr LanguageText kTpsResultMissing{886, "Résultat du reset TPS non reçu"};
// frmerreur's dialogue.
inline constexpr LanguageText kTestEnded{887, "Test terminé"};
inline constexpr LanguageText kEndByteMissing{888, "Pas de fin de test de l'ECU"};
inline constexpr LanguageText kEndByteUnexpected{889, "Fin de test inattendue : "};
inline constexpr LanguageText kTestInterrupted{890, "Test interrompu"};
inline constexpr LanguageText kLeaveNotConfirmed{891, "Sortie du mode diag non confirmée"};
inline constexpr LanguageText kCommandNotEchoed{892, "Commande non acceptée par l'ECU"};
}  // namespace texts_test

inline constexpr LanguageText kTestOk{529, "Test OK"};
inline constexpr LanguageText kTestFailed{530, "Test Echoué: "};

// The reason shown after "Test Echoué: " for the answer to a request of `service`: the ECU's
// negative response code (10, 12, 22; any other code "Cause inconnue"), or "Cause inconnue"
// when the answer holds no refusal.
std::string RefusalReason(std::string_view answer, std::string_view reply_header, int service,
                          const Language& language);

// What refuses a command that moves something when the engine check did not find the engine
// stopped: `running_text` for a running engine, texts_test::kEngineUnknown otherwise.
std::string EngineRefusalText(EngineRun run, const LanguageText& running_text,
                              const Language& language);

// Input/output control of a 59M/5AM actuator (service 30, local id = the actuator):
// "30 id 07" starts it, "30 id 00" gives control back to the ECU.
struct ActuatorStart {
  enum class Kind { kStarted, kRefused, kNoAnswer };
  Kind kind = Kind::kNoAnswer;
  std::string reason;  // kRefused / kNoAnswer: the text after "Test Echoué: "
  std::string answer;  // as received
};
inline constexpr int kActuatorService = 0x30;
inline constexpr int kActuatorTimeoutMs = 1000;
inline constexpr double kActuatorPause = 0.06;

// Sends "30 id 07"; only a positive "70 id" counts as started.
ActuatorStart StartActuator(const DiagnosticsServices& services, int id);
// Sends "30 id 00" and checks for "70 id"; no answer or a refusal: once more. True when the ECU
// confirmed; false after the second miss, once the warning to switch the ignition off has been
// shown and traced. Sent even while the program is closing (LinkState::Closing lowered around).
bool StopActuator(const DiagnosticsServices& services, int id);

}  // namespace velkor
