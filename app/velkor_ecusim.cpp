// velkor-ecusim: a simulated ECU on a pseudo-terminal, for running the program's real serial
// path without a motorcycle. Bench infrastructure, never part of the product.

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "sim/pty_ecu.hpp"

namespace {

std::atomic<velkor::sim::PtyEcu*> running_ecu{nullptr};

void OnSignal(int) {
  if (velkor::sim::PtyEcu* ecu = running_ecu.load()) ecu->Stop();
}

}  // namespace

int main(int argc, char** argv) {
  using velkor::sim::PtyEcu;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const velkor::sim::PtyEcuArgs parsed = velkor::sim::ParsePtyEcuArgs(args);
  if (parsed.help) {
    std::fputs(velkor::sim::kPtyEcuUsage, stdout);
    return 0;
  }
  if (!parsed.options) {
    std::fprintf(stderr, "velkor-ecusim: %s\n%s", parsed.error.c_str(), velkor::sim::kPtyEcuUsage);
    return 2;
  }

  PtyEcu ecu(*parsed.options);
  if (!ecu.Open()) {
    std::fprintf(stderr, "velkor-ecusim: %s\n", ecu.Error().c_str());
    return 1;
  }
  running_ecu.store(&ecu);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  // The one line a script reads to know what to open.
  std::printf("%s\n", ecu.SlavePath().c_str());
  std::fflush(stdout);

  const PtyEcu::Exit exit = ecu.Run();
  running_ecu.store(nullptr);
  // What the ECU was made to drive, for a script to check after the run.
  for (const velkor::sim::ActuatorActivation& activation : ecu.ActuatorLog()) {
    std::printf("%s\n", velkor::sim::FormatActuatorLine(activation).c_str());
  }
  std::fflush(stdout);
  if (exit == PtyEcu::Exit::kError) {
    std::fprintf(stderr, "velkor-ecusim: %s\n", ecu.Error().c_str());
    return 1;
  }
  return 0;
}
