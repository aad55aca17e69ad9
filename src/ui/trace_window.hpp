#pragma once

#include <QPoint>
#include <QWidget>
#include <cstddef>
#include <string>

#include "config/ini_store.hpp"
#include "config/settings.hpp"
#include "core/trace_log.hpp"

class QListWidget;

namespace velkor {

// The trace window `frmTrace`: the plain trace lines in the list `ltTrace`. Whoever writes the
// trace creates it hidden and appends to it; it is shown only on request. Its place is kept in
// [POSITIONS] TraceTop / TraceLeft, in twips.
class TraceWindow : public QWidget, public TraceSink {
  Q_OBJECT

 public:
  // Lines the list keeps; older ones are dropped (the trace file keeps everything), so that a
  // session left running for days does not grow the list without bound.
  static constexpr std::size_t kMaxLines = 5000;
  // Once the list holds more lines than this, its first visible line is the tenth from the end.
  static constexpr std::size_t kVisibleLines = TraceList::kVisibleLines;

  // Without a store the window keeps its default place and saves nothing.
  explicit TraceWindow(QWidget* parent = nullptr);
  // Places the window from the store, which must outlive it.
  explicit TraceWindow(IniStore* store, QWidget* parent = nullptr);

  void AppendTraceLine(const std::string& line) override;

  // Row the list is scrolled to show first.
  std::size_t TopIndex() const { return top_index_; }
  QListWidget* List() const { return list_; }

  // Where the window stands now, in twips (top and left only), for SavePosition and for a caller
  // that writes several windows' places at once.
  WindowPosition PositionInTwips() const;

  // Writes TraceTop and TraceLeft (whole twips). False without a store or when the file could
  // not be written.
  bool SavePosition();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyTopIndex();

  IniStore* store_ = nullptr;
  QListWidget* list_ = nullptr;
  std::size_t top_index_ = 0;
  // The place as read, in twips and pixels: a window that was not moved writes back exactly what
  // it read instead of a value rounded through pixels.
  QPoint loaded_twips_;
  QPoint loaded_pixels_;
  bool placed_from_store_ = false;
};

}  // namespace velkor
