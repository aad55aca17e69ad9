#include "config/home_access.hpp"

namespace velkor {

namespace {

constexpr std::string_view kAlreadyRunning = "Velkor est déjà lancé";

std::string Process(long long pid, std::string_view word) {
  if (pid <= 0) return {};
  return " (" + std::string(word) + " " + std::to_string(pid) + ")";
}

}  // namespace

HomeHolder HolderOfProgram(std::string_view program_name) {
  if (program_name == "velkor") return HomeHolder::kDesktop;
  if (program_name == "velkor-cli") return HomeHolder::kTerminal;
  return HomeHolder::kOther;
}

std::string HomeAccessWindowText(const HomeAccess& access) {
  const std::string folder = access.home.string();
  const std::string way_out =
      "\n\nPour utiliser un autre dossier, lancer Velkor avec --home DOSSIER ou la variable "
      "d'environnement VELKOR_HOME.";
  switch (access.status) {
    case HomeAccess::Status::kReady:
      return {};
    case HomeAccess::Status::kNotAFolder:
      return "Le dossier de Velkor n'est pas un dossier :\n" + folder +
             "\nC'est un fichier. Velkor y garde ecu.ini et Mesures." + way_out;
    case HomeAccess::Status::kNotWritable:
      return "Impossible d'écrire dans le dossier de Velkor :\n" + folder +
             (access.reason.empty() ? std::string() : "\n(" + access.reason + ")") +
             "\nVelkor y garde ecu.ini et Mesures." + way_out;
    case HomeAccess::Status::kInUse:
      if (access.holder == HomeHolder::kTerminal) {
        return "velkor-cli est déjà lancé" + Process(access.holder_pid, "processus") +
               " avec le dossier :\n" + folder +
               "\nAttendre la fin de ses mesures (Ctrl+C l'arrête)." + way_out;
      }
      return std::string(kAlreadyRunning);
  }
  return {};
}

std::string HomeAccessTerminalText(const HomeAccess& access) {
  const std::string folder = access.home.string();
  const std::string way_out = "; give another folder with --home DIR or VELKOR_HOME";
  switch (access.status) {
    case HomeAccess::Status::kReady:
      return {};
    case HomeAccess::Status::kNotAFolder:
      return "the home folder " + folder + " is a file, not a folder" + way_out;
    case HomeAccess::Status::kNotWritable:
      return "the home folder " + folder + " cannot be written" +
             (access.reason.empty() ? std::string() : " (" + access.reason + ")") + way_out;
    case HomeAccess::Status::kInUse:
      switch (access.holder) {
        case HomeHolder::kDesktop:
          return "Velkor is already running" + Process(access.holder_pid, "process") +
                 " with the home folder " + folder + "; close it first, or" + way_out.substr(1);
        case HomeHolder::kTerminal:
          return "velkor-cli is already running" + Process(access.holder_pid, "process") +
                 " with the home folder " + folder + "; wait for it to end, or" + way_out.substr(1);
        case HomeHolder::kOther:
          break;
      }
      return "another program" + Process(access.holder_pid, "process") + " holds the home folder " +
             folder + " (its lock file velkor.lock)" + way_out;
  }
  return {};
}

}  // namespace velkor
