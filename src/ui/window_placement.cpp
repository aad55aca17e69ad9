#include "ui/window_placement.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace velkor {

namespace {

// How long a window manager may take to draw a new window's frame and say how thick it is.
constexpr int kFrameSettleMs = 400;

std::int64_t Overlap(const QRect& a, const QRect& b) {
  const QRect common = a.intersected(b);
  return common.isEmpty() ? 0 : std::int64_t{common.width()} * common.height();
}

std::int64_t SquaredDistance(const QRect& a, const QRect& b) {
  const std::int64_t dx = std::max(
      {std::int64_t{b.left()} - a.right(), std::int64_t{a.left()} - b.right(), std::int64_t{0}});
  const std::int64_t dy = std::max(
      {std::int64_t{b.top()} - a.bottom(), std::int64_t{a.top()} - b.bottom(), std::int64_t{0}});
  return dx * dx + dy * dy;
}

// The frame's size as it will be: the window's with the frame's margins, once they are known.
QRect FrameAt(const QWidget& window, QPoint frame_position) {
  const QWindow* handle = window.windowHandle();
  const QSize size =
      handle != nullptr ? window.size().grownBy(handle->frameMargins()) : window.size();
  return {frame_position, size};
}

void MoveFrame(QWidget& window, QPoint frame_position) {
  window.move(frame_position);  // before the window exists, this places its frame
  if (QWindow* handle = window.windowHandle()) {
    // A window that exists already takes move() for its inside's corner as long as its frame is
    // not drawn (the title bar would then sit above the place); this says the frame's corner,
    // whatever frame the window manager draws.
    handle->setFramePosition(frame_position);
  }
}

// Watches a window for a moment after it is shown: the window manager draws its frame and moves
// it then, and the window is put back where it was asked to be (or its title bar on a screen).
class FrameKeeper : public QObject {
 public:
  static FrameKeeper& Of(QWidget& window) {
    if (auto* keeper = window.findChild<FrameKeeper*>(kKeeperName, Qt::FindDirectChildrenOnly)) {
      return *keeper;
    }
    return *new FrameKeeper(window);
  }

  void Want(QPoint frame_position) { wanted_ = frame_position; }

  void Start() {
    watching_ = true;
    corrections_ = 0;
    // The settling time counts from the first turn of the message loop after showing: a
    // start-up that keeps the loop busy a while must not use it up.
    QTimer::singleShot(0, this, [this] {
      Check();
      QTimer::singleShot(kFrameSettleMs, this, [this] {
        Check();
        watching_ = false;
        wanted_.reset();
      });
    });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watching_ && watched == &window_ && event->type() == QEvent::Move) {
      QTimer::singleShot(0, this, [this] { Check(); });  // not from inside the move itself
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  explicit FrameKeeper(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(kKeeperName);
    window.installEventFilter(this);
  }

  void Check() {
    if (!watching_ || !window_.isVisible()) return;
    const QRect frame = window_.frameGeometry();
    const QPoint from = wanted_.value_or(frame.topLeft());
    const QPoint place = FramePositionOnScreens(QRect(from, frame.size()), TitleBarHeight(window_),
                                                AvailableScreenAreas());
    if (place == frame.topLeft()) {
      // Where it was asked to be, with the frame drawn: a move from now on is the user's.
      if (window_.windowHandle() != nullptr && window_.windowHandle()->frameMargins().top() > 0) {
        wanted_.reset();
      }
      return;
    }
    if (corrections_ >= kMaxCorrections) return;  // a window manager that insists has its way
    ++corrections_;
    MoveFrame(window_, place);
  }

  static constexpr int kMaxCorrections = 3;
  static constexpr const char* kKeeperName = "velkorFrameKeeper";

  QWidget& window_;
  std::optional<QPoint> wanted_;
  bool watching_ = false;
  int corrections_ = 0;
};

}  // namespace

QPoint FramePositionOnScreens(const QRect& frame, int title_height, const QList<QRect>& screens) {
  if (screens.isEmpty() || frame.isEmpty()) return frame.topLeft();
  const QRect title(frame.left(), frame.top(), frame.width(), std::max(title_height, 1));
  QRegion uncovered(title);
  for (const QRect& area : screens) uncovered -= area;
  if (uncovered.isEmpty()) return frame.topLeft();

  const QRect* best = &screens.front();
  std::int64_t best_overlap = -1;
  std::int64_t best_distance = std::numeric_limits<std::int64_t>::max();
  for (const QRect& area : screens) {
    const std::int64_t overlap = Overlap(title, area);
    const std::int64_t distance = SquaredDistance(title, area);
    if (overlap > best_overlap || (overlap == 0 && best_overlap == 0 && distance < best_distance)) {
      best = &area;
      best_overlap = overlap;
      best_distance = distance;
    }
  }
  const QRect& area = *best;
  const int right_most = area.left() + area.width() - frame.width();
  const int lowest = area.top() + area.height() - title.height();
  return {std::max(std::min(frame.left(), right_most), area.left()),
          std::max(std::min(frame.top(), lowest), area.top())};
}

QList<QRect> AvailableScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens())
    areas.append(screen->availableGeometry());
  return areas;
}

int TitleBarHeight(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  const int drawn = handle != nullptr ? handle->frameMargins().top() : 0;
  return drawn > 0 ? drawn : kAssumedTitleBarHeight;
}

void PlaceFrame(QWidget& window, QPoint frame_position) {
  const QPoint place = FramePositionOnScreens(FrameAt(window, frame_position),
                                              TitleBarHeight(window), AvailableScreenAreas());
  MoveFrame(window, place);
  // A window not shown yet is looked at again once it is (KeepTitleBarOnScreen).
  if (!window.isVisible()) FrameKeeper::Of(window).Want(frame_position);
}

void KeepTitleBarOnScreen(QWidget& window) { FrameKeeper::Of(window).Start(); }

}  // namespace velkor
