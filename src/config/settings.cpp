#include "config/settings.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <system_error>

#include "core/trace_log.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;

int SaturateToInt(std::int64_t value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

// A window's keys in the order it writes them: left, top, then its sizes.
struct PositionKeys {
  enum class Correction { kNone, kNegativeToZero, kGraph };
  IntKey top;
  IntKey left;
  Correction correction = Correction::kNone;
  std::optional<IntKey> height;
  std::optional<IntKey> width;
  bool width_first = false;  // the map writes its width before its height
};

PositionKeys KeysOf(WindowId window) {
  using C = PositionKeys::Correction;
  namespace k = ini_keys;
  switch (window) {
    case WindowId::kParam:
      return {k::kPositionsParamTop, k::kPositionsParamLeft, C::kNegativeToZero, {}, {}};
    case WindowId::kGraph:
      return {k::kPositionsGraphTop, k::kPositionsGraphLeft, C::kGraph, k::kPositionsGraphHeight,
              k::kPositionsGraphWidth};
    case WindowId::kTrace:
      return {k::kPositionsTraceTop, k::kPositionsTraceLeft, C::kNone, {}, {}};
    case WindowId::kStatuts:
      return {k::kPositionsStatutsTop, k::kPositionsStatutsLeft, C::kNegativeToZero, {}, {}};
    case WindowId::kChoix:
      return {k::kPositionsChoixTop, k::kPositionsChoixLeft, C::kNone, {}, {}};
    case WindowId::kInter:
      return {k::kPositionsInterTop, k::kPositionsInterLeft, C::kNone, {}, {}};
    case WindowId::kAfr:
      return {k::kPositionsAfrTop, k::kPositionsAfrLeft, C::kNone, {}, {}};
    case WindowId::kErreur:
      return {k::kPositionsErreurTop, k::kPositionsErreurLeft, C::kNone, {}, {}};
    case WindowId::kDtc59:
      return {
          k::kPositionsDtc59Top, k::kPositionsDtc59Left, C::kNone, k::kPositionsDtc59Height, {}};
    case WindowId::kIdent:
      return {k::kPositionsIdentTop, k::kPositionsIdentLeft, C::kNone, {}, {}};
    case WindowId::kTrim15:
      return {k::kPositionsTrim15Top, k::kPositionsTrim15Left, C::kNone, {}, {}};
    case WindowId::kMap:
      return {k::kPositionsMapTop,    k::kPositionsMapLeft,  C::kNone,
              k::kPositionsMapHeight, k::kPositionsMapWidth, true};
  }
  return {k::kPositionsParamTop, k::kPositionsParamLeft, C::kNegativeToZero, {}, {}};
}

}  // namespace

// ---- Value encodings --------------------------------------------------------------------------

std::string FormatFlag(bool value) { return value ? "-1" : "0"; }

std::string FormatFourDigits(int value) {
  const std::int64_t wide = value;
  std::string digits = std::to_string(wide < 0 ? -wide : wide);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return wide < 0 ? "-" + digits : digits;
}

int RealToHundredths(float value) {
  if (std::isnan(value)) return 0;
  if (std::isinf(value)) {
    return value > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
  }
  // The shortest decimal that reads back as this float is the number as it was typed; rounding
  // that decimal avoids the binary error (14.675f is 14.67499923...).
  char text[64];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  if (error != std::errc()) return SaturateToInt(std::llround(static_cast<double>(value) * 100.0));
  const std::string_view decimal(text, static_cast<std::size_t>(end - text));

  std::size_t pos = 0;
  const bool negative = !decimal.empty() && decimal[0] == '-';
  if (negative) ++pos;
  std::int64_t magnitude = 0;
  constexpr std::int64_t kCap = std::int64_t{1} << 40;  // far beyond int, no overflow below
  for (; pos < decimal.size() && decimal[pos] != '.'; ++pos) {
    if (magnitude < kCap) magnitude = magnitude * 10 + (decimal[pos] - '0');
  }
  int fraction_digits = 0;
  int next_digit = 0;
  if (pos < decimal.size()) ++pos;  // the point
  for (; pos < decimal.size() && fraction_digits < 3; ++pos, ++fraction_digits) {
    const int digit = decimal[pos] - '0';
    if (fraction_digits < 2) {
      magnitude = magnitude * 10 + digit;
    } else {
      next_digit = digit;
    }
  }
  for (; fraction_digits < 2; ++fraction_digits) magnitude *= 10;
  if (next_digit >= 5) ++magnitude;  // half away from zero
  return SaturateToInt(negative ? -magnitude : magnitude);
}

float HundredthsToReal(int hundredths) { return static_cast<float>(hundredths) / 100.0f; }

// ---- Typed reads and writes -------------------------------------------------------------------

int ReadSetting(const ProfileReader& ini, const IntKey& key) {
  return ini.GetProfileInt(key.section, key.key, key.default_value);
}

bool ReadSetting(const ProfileReader& ini, const FlagKey& key) {
  return ini.GetProfileInt(key.section, key.key, key.default_value ? -1 : 0) != 0;
}

int ReadSetting(const ProfileReader& ini, const CheckKey& key) {
  return ini.GetProfileInt(key.section, key.key, key.default_value);
}

int ReadSetting(const ProfileReader& ini, const FourDigitKey& key) {
  return ini.GetProfileInt(key.section, key.key, key.default_value);
}

float ReadSetting(const ProfileReader& ini, const HundredthsKey& key) {
  return HundredthsToReal(ini.GetProfileInt(key.section, key.key, key.default_hundredths));
}

std::string ReadSetting(const ProfileReader& ini, const TextKey& key) {
  return ini.GetProfileString(key.section, key.key, key.default_value, key.buffer_size);
}

bool WriteSetting(ProfileWriter& ini, const IntKey& key, int value) {
  return ini.WriteProfileString(key.section, key.key, std::to_string(value));
}

bool WriteSetting(ProfileWriter& ini, const FlagKey& key, bool value) {
  return ini.WriteProfileString(key.section, key.key, FormatFlag(value));
}

bool WriteSetting(ProfileWriter& ini, const CheckKey& key, int state) {
  return ini.WriteProfileString(key.section, key.key, std::to_string(state));
}

bool WriteSetting(ProfileWriter& ini, const FourDigitKey& key, int value) {
  return ini.WriteProfileString(key.section, key.key, FormatFourDigits(value));
}

bool WriteSetting(ProfileWriter& ini, const HundredthsKey& key, float value) {
  return ini.WriteProfileString(key.section, key.key, FormatFourDigits(RealToHundredths(value)));
}

bool WriteSetting(ProfileWriter& ini, const TextKey& key, std::string_view value) {
  return ini.WriteProfileString(key.section, key.key, value);
}

// ---- The preference set -----------------------------------------------------------------------

Settings LoadSettings(const ProfileReader& ini) {
  namespace k = ini_keys;
  Settings s;
  s.measures.air = ReadSetting(ini, k::kMesuresAir);
  s.measures.eau = ReadSetting(ini, k::kMesuresEau);
  s.measures.avance = ReadSetting(ini, k::kMesuresAvance);
  s.measures.pression = ReadSetting(ini, k::kMesuresPression);
  s.measures.lambda = ReadSetting(ini, k::kMesuresLambda);
  s.measures.injection = ReadSetting(ini, k::kMesuresInjection);
  s.measures.tension = ReadSetting(ini, k::kMesuresTension);
  s.measures.potar = ReadSetting(ini, k::kMesuresPotar);
  s.measures.trimmer = ReadSetting(ini, k::kMesuresTrimmer);
  s.measures.moteur_pp = ReadSetting(ini, k::kMesuresMoteurPP);
  s.temp_celsius = ReadSetting(ini, k::kUniteTemp);
  s.pressure_hpa = ReadSetting(ini, k::kUnitePression);
  s.afr_port = ReadSetting(ini, k::kComPort);
  s.auto_start = ReadSetting(ini, k::kMenuAuto);
  s.averaging_depth = ReadSetting(ini, k::kAffichageTempo);
  s.graph_points = ReadSetting(ini, k::kGrapheNbPoint);
  s.graph_max = ReadSetting(ini, k::kGrapheZMax);
  s.graph_min = ReadSetting(ini, k::kGrapheZMin);
  s.language = ReadSetting(ini, k::kAffichageLangue);
  s.ecu_type = ReadSetting(ini, k::kEcuType);
  s.moto = ReadSetting(ini, k::kEcuMoto);
  s.dlp.v1l = ReadSetting(ini, k::kDlpV1L);
  s.dlp.v1h = ReadSetting(ini, k::kDlpV1H);
  s.dlp.v2l = ReadSetting(ini, k::kDlpV2L);
  s.dlp.v2h = ReadSetting(ini, k::kDlpV2H);
  s.dlp.fr1l = ReadSetting(ini, k::kDlpFR1L);
  s.dlp.fr1h = ReadSetting(ini, k::kDlpFR1H);
  s.dlp.fr2l = ReadSetting(ini, k::kDlpFR2L);
  s.dlp.fr2h = ReadSetting(ini, k::kDlpFR2H);
  return s;
}

Settings LoadSettings(const IniStore& ini) { return LoadSettings(ini.Load()); }

void WriteSettings(ProfileWriter& ini, const Settings& s) {
  namespace k = ini_keys;
  WriteSetting(ini, k::kMesuresAir, s.measures.air);
  WriteSetting(ini, k::kMesuresAvance, s.measures.avance);
  WriteSetting(ini, k::kMesuresEau, s.measures.eau);
  WriteSetting(ini, k::kMesuresPotar, s.measures.potar);
  WriteSetting(ini, k::kMesuresInjection, s.measures.injection);
  WriteSetting(ini, k::kMesuresPression, s.measures.pression);
  WriteSetting(ini, k::kMesuresLambda, s.measures.lambda);
  WriteSetting(ini, k::kMesuresTension, s.measures.tension);
  WriteSetting(ini, k::kMesuresTrimmer, s.measures.trimmer);
  WriteSetting(ini, k::kMesuresMoteurPP, s.measures.moteur_pp);
  WriteSetting(ini, k::kUniteTemp, s.temp_celsius);
  WriteSetting(ini, k::kUnitePression, s.pressure_hpa);
  WriteSetting(ini, k::kComPort, s.afr_port);
  WriteSetting(ini, k::kMenuAuto, s.auto_start);
  WriteSetting(ini, k::kAffichageTempo, s.averaging_depth);
  WriteSetting(ini, k::kGrapheNbPoint, s.graph_points);
  WriteSetting(ini, k::kGrapheZMax, s.graph_max);
  WriteSetting(ini, k::kGrapheZMin, s.graph_min);
  WriteSetting(ini, k::kAffichageLangue, s.language);
  WriteSetting(ini, k::kEcuType, s.ecu_type);
  WriteSetting(ini, k::kEcuMoto, s.moto);
  WriteSetting(ini, k::kDlpV1L, s.dlp.v1l);
  WriteSetting(ini, k::kDlpV2L, s.dlp.v2l);
  WriteSetting(ini, k::kDlpV1H, s.dlp.v1h);
  WriteSetting(ini, k::kDlpV2H, s.dlp.v2h);
  WriteSetting(ini, k::kDlpFR1L, s.dlp.fr1l);
  WriteSetting(ini, k::kDlpFR1H, s.dlp.fr1h);
  WriteSetting(ini, k::kDlpFR2L, s.dlp.fr2l);
  WriteSetting(ini, k::kDlpFR2H, s.dlp.fr2h);
}

bool SaveSettings(IniStore& ini, const Settings& settings) {
  return ini.Update([&](IniDocument& document) {
    WriteSettings(document, settings);
    return true;
  });
}

// ---- Window positions -------------------------------------------------------------------------

WindowPosition ReadWindowPosition(const ProfileReader& ini, WindowId window) {
  const PositionKeys keys = KeysOf(window);
  WindowPosition position;
  position.top = ReadSetting(ini, keys.top);
  position.left = ReadSetting(ini, keys.left);
  if (keys.correction != PositionKeys::Correction::kNone) {
    if (position.top < 0) position.top = 0;
    if (position.left < 0) position.left = 0;
  }
  if (keys.correction == PositionKeys::Correction::kGraph) {
    position.height = ReadSetting(ini, ini_keys::kPositionsGraphHeight);
    position.width = ReadSetting(ini, ini_keys::kPositionsGraphWidth);
    if (position.height < 500) position.height = 6825;
    if (position.width < 2500) position.width = 7600;
  }
  return position;
}

bool WriteWindowPosition(ProfileWriter& ini, WindowId window, const WindowPosition& position) {
  const PositionKeys keys = KeysOf(window);
  bool ok = WriteSetting(ini, keys.left, position.left);
  ok = WriteSetting(ini, keys.top, position.top) && ok;
  const auto write_height = [&] {
    if (keys.height) ok = WriteSetting(ini, *keys.height, position.height) && ok;
  };
  const auto write_width = [&] {
    if (keys.width) ok = WriteSetting(ini, *keys.width, position.width) && ok;
  };
  if (keys.width_first) {
    write_width();
    write_height();
  } else {
    write_height();
    write_width();
  }
  return ok;
}

bool WriteWindowPositions(IniStore& ini,
                          std::initializer_list<std::pair<WindowId, WindowPosition>> positions) {
  return ini.Update([&](IniDocument& document) {
    for (const auto& [window, position] : positions) {
      WriteWindowPosition(document, window, position);
    }
    return true;
  });
}

// ---- Files of the home folder -----------------------------------------------------------------

fs::path EcuIniPath(const fs::path& home) { return home / kEcuIniName; }
fs::path ListesIniPath(const fs::path& home) { return home / kListesIniName; }
fs::path MeasuresFolder(const fs::path& home) { return home / kMeasuresFolderName; }

// ---- Trace-file rotation ----------------------------------------------------------------------

TraceRotation OpenNextTraceFile(IniStore& ini, const fs::path& home, TraceLog& trace) {
  const std::int64_t previous = ReadSetting(ini, ini_keys::kMenuLog);
  // The stored number may have been edited to anything; the remainder is kept in 0..9.
  const int number = static_cast<int>(((previous + 1) % 10 + 10) % 10);

  TraceRotation rotation;
  rotation.number = number;
  const fs::path folder = MeasuresFolder(home);
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  rotation.path = folder / ("velkor" + std::to_string(number) + ".log");
  rotation.opened = trace.Open(rotation.path);
  WriteSetting(ini, ini_keys::kMenuLog, number);
  return rotation;
}

// ---- General-purpose text read and write ------------------------------------------------------

std::string ReadProfileText(std::string_view section, std::string_view key, const fs::path& file,
                            std::string_view default_value, FileSystem& file_system) {
  return IniStore(file, file_system)
      .GetProfileString(section, key, default_value, kGeneralTextBuffer);
}

bool WriteProfileText(std::string_view section, std::string_view key, std::string_view value,
                      const fs::path& file, FileSystem& file_system) {
  return IniStore(file, file_system).WriteProfileString(section, key, value);
}

std::string ListesLanguageFileKey(int n) { return std::to_string(n) + "dll"; }

}  // namespace velkor
