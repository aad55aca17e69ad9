#include "platform/program_parts.hpp"

#include "config/settings.hpp"
#include "core/number_format.hpp"

namespace velkor {

ProgramParts::ProgramParts(std::filesystem::path home_folder)
    : home(std::move(home_folder)),
      ini(EcuIniPath(home), files),
      stopwatch(clock),
      trace(stopwatch, files),
      catalogs(QmTextCatalogLoader::StandardFolders(home)),
      language(catalogs),
      reply_timer(timers.CreateTimer()),
      keep_alive(timers.CreateTimer()),
      progress(timers.CreateTimer()),
      exchange(link, clock, loop, *reply_timer, trace) {
  trace.SetDecimalSeparator(NumberLocale::User().decimal);
  exchange.SetKeepAliveTimer(keep_alive.get());
}

}  // namespace velkor
