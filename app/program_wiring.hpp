#pragma once

#include "platform/program_parts.hpp"
#include "session/program_logic.hpp"

namespace velkor {

// The program's logic on the real parts, for every executable: only the front end differs.
inline ProgramServices WireProgram(ProgramParts& parts, FrontEnd front) {
  return ProgramServices{
      .front = std::move(front),
      .ini = parts.ini,
      .files = parts.files,
      .clock = parts.clock,
      .loop = parts.loop,
      .trace = parts.trace,
      .stopwatch = parts.stopwatch,
      .language = parts.language,
      .link = parts.link,
      .exchange = parts.exchange,
      .keep_alive = *parts.keep_alive,
      .progress = *parts.progress,
      .timers = parts.timers,
      .devices = &parts.devices,
      .home = parts.home,
  };
}

}  // namespace velkor
