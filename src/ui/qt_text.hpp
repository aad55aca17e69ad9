#pragma once

#include <QString>
#include <string_view>

namespace velkor {

// The program's texts are UTF-8 below the windows; Qt wants QString.
inline QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace velkor
