#pragma once

#include <string_view>

#include "core/hex_message.hpp"
#include "diagnostics/diagnostics_services.hpp"

namespace velkor {

// Whether the engine turns, as the guard of every command that moves something on the bike
// sees it. kUnknown (a silent ECU, a refusal, a state byte this program does not know) refuses
// exactly as kRunning does: the guard fails closed.
enum class EngineRun { kStopped, kRunning, kUnknown };

// The 59M/5AM's engine phase (local identifier 57, the byte the status record shows as its
// phase): 01 "Power ON Eng OFF" and 02 "Key ON Eng OFF" are stopped, 04 "Engine ON" runs;
// a stall (08), the power latch (10, 20) or any other value is not known to be stopped.
inline constexpr int kKwpEngineStateLocalId = 0x57;
inline constexpr int kKwpEngineStateTimeoutMs = 500;
// The byte protocol's engine status (request 13): bit 1 or bit 2 set while the engine runs.
inline constexpr int kByteEngineStatusRequest = 0x13;
inline constexpr int kByteEngineStatusTimeoutMs = 400;

// Reads the answer to "2157" (hex text as the exchange returns it, an adapter's lines already
// turned into frames).
EngineRun KwpEngineRun(std::string_view answer, std::string_view reply_header);
// Reads the answer to the byte 13: one byte, or kUnknown.
EngineRun ByteEngineRun(std::string_view answer);

// Asks the ECU of the session (families 4 and 0 to 2) and traces the outcome
// ("Etat moteur : arrêté / tourne / inconnu"). Test mode answers "stopped".
EngineRun ReadEngineRun(const DiagnosticsServices& services);

}  // namespace velkor
