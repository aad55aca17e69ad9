#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

namespace velkor {

// A horizontal progress bar (the control `ctlBarGraph`; containers give it their own object name,
// e.g. "ProgressBar1"). The bar is a box filled from the left edge and drawn with a not-XOR pen
// over the background and the caption, so that whatever it covers shows inverted:
// over the white background the bar shows in FillColor, over black caption text in its inverse.
class BarGraph : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Percent READ Percent WRITE SetPercent)
  Q_PROPERTY(int Value READ Value WRITE SetValue)
  Q_PROPERTY(int Maxi READ Maxi WRITE SetMaxi)
  Q_PROPERTY(int Mini READ Mini WRITE SetMini)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QColor BackColor READ BackColor WRITE SetBackColor)
  Q_PROPERTY(QColor FillColor READ FillColor WRITE SetFillColor)

 public:
  static constexpr int kDefaultMaxi = 1000;
  static constexpr int kDefaultMini = 0;
  static constexpr QColor kDefaultBackColor{255, 255, 255};
  // What a saved form holds for FillColor when left unchanged; a new control itself starts with
  // the desktop's highlight colour.
  static constexpr QColor kPersistedFillColor{0, 0, 255};

  explicit BarGraph(QWidget* parent = nullptr);

  // Percentage as written through Percent or Value; it may lie outside 0..100.
  float PercentExact() const { return percent_; }
  // Rounded to the nearest whole number (halves to even) and held to the 16-bit range the
  // property has always had.
  int Percent() const;
  void SetPercent(int percent);

  // Percentage = value / Maxi * 100. With Maxi 0 the percentage is 0 rather than a division by
  // zero. Value reads back what was last written.
  int Value() const { return value_; }
  void SetValue(int value);

  int Maxi() const { return maxi_; }
  void SetMaxi(int maxi) { maxi_ = maxi; }
  // Kept for containers that set it; it takes no part in drawing.
  int Mini() const { return mini_; }
  void SetMini(int mini) { mini_ = mini; }

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QColor BackColor() const { return back_color_; }
  void SetBackColor(const QColor& color);
  QColor FillColor() const { return fill_color_; }
  void SetFillColor(const QColor& color);

  // Columns covered by the bar, from x = 0: percentage * floor(width / 100), so a full bar
  // can stop up to 99 pixels short of the right edge.
  int BarWidth() const;
  // The control as painted, at its current size.
  QImage Render() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  float percent_ = 0.0f;
  int value_ = 0;
  int maxi_ = kDefaultMaxi;
  int mini_ = kDefaultMini;
  QString caption_;
  QColor back_color_ = kDefaultBackColor;
  QColor fill_color_;
};

}  // namespace velkor
