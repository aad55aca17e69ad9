#include "platform/qt_event_loop.hpp"

#include <QCoreApplication>
#include <QThread>

namespace velkor {

namespace {
// Short enough that a reply byte is noticed well within the ECU's inter-byte time.
constexpr unsigned long kIdleMicroseconds = 200;
}  // namespace

void QtEventLoop::GiveTurn() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QThread::usleep(kIdleMicroseconds);
}

QtTimer::QtTimer() {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
}

void QtTimer::SetInterval(int milliseconds) {
  // A message-loop timer with no interval never ticks; QTimer would tick at every turn.
  const bool running = timer_.isActive();
  timer_.setInterval(milliseconds > 0 ? milliseconds : 1);
  if (running) timer_.start();
}

}  // namespace velkor
