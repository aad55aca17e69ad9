#pragma once

#include <QString>

namespace velkor {

// Opens a file with the desktop's default program for its type. False when the desktop has no
// program for it (on a freedesktop system: xdg-mime names none), or when none could be started;
// the caller then says where the file is, since nothing appeared on screen.
bool OpenWithDesktop(const QString& path);

}  // namespace velkor
