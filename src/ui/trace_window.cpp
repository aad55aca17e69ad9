#include "ui/trace_window.hpp"

#include <QCloseEvent>
#include <QListWidget>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/twips.hpp"
#include "ui/window_placement.hpp"

namespace velkor {

TraceWindow::TraceWindow(QWidget* parent) : TraceWindow(nullptr, parent) {}

TraceWindow::TraceWindow(IniStore* store, QWidget* parent) : QWidget(parent), store_(store) {
  setObjectName(QStringLiteral("frmTrace"));
  setWindowTitle(QStringLiteral("Trace"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ltTrace"));
  list_->setUniformItemSizes(true);
  list_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  resize(400, 220);

  if (store_ != nullptr) {
    const WindowPosition position = ReadWindowPosition(*store_, WindowId::kTrace);
    loaded_twips_ = QPoint(position.left, position.top);
    loaded_pixels_ = TwipsToPixels(loaded_twips_, *this);
    PlaceFrame(*this, loaded_pixels_);
    placed_from_store_ = true;
  }
}

void TraceWindow::AppendTraceLine(const std::string& line) {
  list_->addItem(QString::fromStdString(line));
  while (static_cast<std::size_t>(list_->count()) > kMaxLines) delete list_->takeItem(0);
  const auto count = static_cast<std::size_t>(list_->count());
  if (count > kVisibleLines) top_index_ = count - kVisibleLines;
  ApplyTopIndex();
}

void TraceWindow::ApplyTopIndex() {
  if (list_->count() == 0) return;
  list_->scrollToItem(list_->item(static_cast<int>(top_index_)), QAbstractItemView::PositionAtTop);
}

WindowPosition TraceWindow::PositionInTwips() const {
  const QPoint twips =
      placed_from_store_ && pos() == loaded_pixels_ ? loaded_twips_ : PixelsToTwips(pos(), *this);
  return {.top = twips.y(), .left = twips.x()};
}

bool TraceWindow::SavePosition() {
  if (store_ == nullptr) return false;
  return WriteWindowPosition(*store_, WindowId::kTrace, PositionInTwips());
}

void TraceWindow::closeEvent(QCloseEvent* event) {
  // A failed write leaves the old place in the file; closing goes on regardless.
  SavePosition();
  event->accept();
}

void TraceWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  KeepTitleBarOnScreen(*this);
  // Scrolling a hidden list is lost until it has a size; catch up with the lines added meanwhile.
  list_->doItemsLayout();
  ApplyTopIndex();
}

}  // namespace velkor
