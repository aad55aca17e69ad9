#pragma once

#include <QApplication>

namespace velkor {

// The program's busy pointer, shown on behalf of one window: set and cleared any number of
// times, and never left behind when the window goes away.
class BusyPointer {
 public:
  BusyPointer() = default;
  ~BusyPointer() { Set(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

  void Set(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }

 private:
  bool busy_ = false;
};

}  // namespace velkor
