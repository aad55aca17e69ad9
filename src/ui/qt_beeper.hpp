#pragma once

#include <QApplication>

#include "livedata/cycle_hooks.hpp"

namespace velkor {

class QtBeeper : public Beeper {
 public:
  void Beep() override { QApplication::beep(); }
};

}  // namespace velkor
