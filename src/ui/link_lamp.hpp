#pragma once

#include <QWidget>

namespace velkor {

// The round link lamp: red after an exchange without an answer, green after one with.
class LinkLamp : public QWidget {
  Q_OBJECT

 public:
  explicit LinkLamp(QWidget* parent = nullptr);
  // A platform colour value (0xBBGGRR): 255 red, 65280 green; -1 grey.
  void SetColour(int colour);
  int Colour() const { return colour_; }
  QSize sizeHint() const override { return {28, 28}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int colour_ = -1;
};

}  // namespace velkor
