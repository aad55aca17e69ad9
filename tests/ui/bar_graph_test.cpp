#include "ui/bar_graph.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPalette>
#include <functional>
#include <string>
#include <vector>

#include "ui/screenshot.hpp"

namespace velkor {
namespace {

constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kWhite = 0xffffffff;

// The pen NOT(source XOR destination), as the bar applies it to every pixel it covers.
QRgb NotXor(QRgb source, QRgb destination) { return 0xff000000 | ~(source ^ destination); }

struct BarCase {
  std::string name;
  int width;
  std::function<void(BarGraph&)> set;
  int expected_percent;
  int expected_bar_width;
};

class BarGraphDrawing : public ::testing::TestWithParam<BarCase> {};

// Without a caption the image is the bar alone: every column left of the bar's end is FillColor
// from top to bottom, everything else is BackColor.
TEST_P(BarGraphDrawing, FillsExactlyTheColumnsOfThePercentage) {
  const BarCase& c = GetParam();
  BarGraph bar;
  bar.resize(c.width, 20);
  bar.SetFillColor(QColor::fromRgb(kBlue));
  c.set(bar);

  EXPECT_EQ(bar.Percent(), c.expected_percent);
  EXPECT_EQ(bar.BarWidth(), c.expected_bar_width);
  const QImage image = bar.Render();
  ASSERT_EQ(image.size(), QSize(c.width, 20));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb expected = x < c.expected_bar_width ? kBlue : kWhite;
      ASSERT_EQ(image.pixel(x, y), expected) << "at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BarGraphDrawing,
    ::testing::Values(
        BarCase{"PercentZeroDrawsNoBar", 250, [](BarGraph& b) { b.SetPercent(0); }, 0, 0},
        // A full bar covers 100 * floor(250 / 100) = 200 of the 250 columns.
        BarCase{"FullBarStopsShortOfTheEdge", 250, [](BarGraph& b) { b.SetPercent(100); }, 100,
                200},
        BarCase{"PercentOnExactHundreds", 300, [](BarGraph& b) { b.SetPercent(35); }, 35, 105},
        BarCase{"NarrowerThanHundredDrawsNothing", 99, [](BarGraph& b) { b.SetPercent(100); }, 100,
                0},
        BarCase{"ValueOverMaxi", 300,
                [](BarGraph& b) {
                  b.SetMaxi(7000);
                  b.SetValue(700);
                },
                10, 30},
        BarCase{"ThirdReadsBackRounded", 300,
                [](BarGraph& b) {
                  b.SetMaxi(3);
                  b.SetValue(1);
                },
                33, 100},
        BarCase{"TwoThirdsRoundsUp", 300,
                [](BarGraph& b) {
                  b.SetMaxi(3);
                  b.SetValue(2);
                },
                67, 200},
        BarCase{"HalfRoundsToEven", 800,
                [](BarGraph& b) {
                  b.SetMaxi(8);
                  b.SetValue(1);
                },
                12, 100},
        BarCase{"ValueUsesDefaultMaxiOfThousand", 200, [](BarGraph& b) { b.SetValue(250); }, 25,
                50},
        BarCase{"MaxiZeroGivesEmptyBar", 200,
                [](BarGraph& b) {
                  b.SetPercent(50);
                  b.SetMaxi(0);
                  b.SetValue(5);
                },
                0, 0},
        BarCase{"OverHundredIsClippedAtTheEdge", 250, [](BarGraph& b) { b.SetPercent(150); }, 150,
                250},
        BarCase{"NegativeDrawsNoBar", 250, [](BarGraph& b) { b.SetPercent(-20); }, -20, 0},
        BarCase{"HugePercentReadsWithinSixteenBits", 250,
                [](BarGraph& b) {
                  b.SetMaxi(1);
                  b.SetValue(32000);
                },
                32767, 250}),
    [](const ::testing::TestParamInfo<BarCase>& param_info) { return param_info.param.name; });

TEST(BarGraph, StartsWithTheControlDefaults) {
  BarGraph bar;
  EXPECT_EQ(bar.Maxi(), 1000);
  EXPECT_EQ(bar.Mini(), 0);
  EXPECT_EQ(bar.BackColor(), QColor(255, 255, 255));
  EXPECT_EQ(bar.FillColor(), bar.palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(bar.Caption(), QString());
  EXPECT_EQ(bar.Percent(), 0);
}

TEST(BarGraph, PropertiesAreReachableByName) {
  BarGraph bar;
  ASSERT_TRUE(bar.setProperty("Maxi", 40));
  ASSERT_TRUE(bar.setProperty("Value", 10));
  ASSERT_TRUE(bar.setProperty("Caption", QStringLiteral("x")));
  EXPECT_EQ(bar.property("Percent").toInt(), 25);
  EXPECT_EQ(bar.property("Caption").toString(), QStringLiteral("x"));
}

// The caption is printed first and the bar is laid over it with the not-XOR pen: under the bar
// every pixel, caption or background, becomes NOT(fill XOR pixel); beyond it the caption stays
// as printed. A white fill leaves the picture unchanged, which gives the caption alone.
TEST(BarGraph, BarInvertsTheCaptionItCovers) {
  BarGraph bar;
  bar.resize(300, 24);
  bar.SetCaption(QStringLiteral("MMMMMMMMMMMMMMMMMMMM"));
  bar.SetPercent(50);
  bar.SetFillColor(QColor::fromRgb(kWhite));
  const QImage caption_only = bar.Render();
  bar.SetFillColor(QColor::fromRgb(kBlue));
  const QImage with_bar = bar.Render();

  const int bar_end = 150;
  int caption_pixels_under_bar = 0;
  int caption_pixels_beyond_bar = 0;
  for (int y = 0; y < with_bar.height(); ++y) {
    for (int x = 0; x < with_bar.width(); ++x) {
      const QRgb printed = caption_only.pixel(x, y);
      if (x < bar_end) {
        ASSERT_EQ(with_bar.pixel(x, y), NotXor(kBlue, printed)) << "at " << x << "," << y;
        if (printed != kWhite) ++caption_pixels_under_bar;
      } else {
        ASSERT_EQ(with_bar.pixel(x, y), printed) << "at " << x << "," << y;
        if (printed != kWhite) ++caption_pixels_beyond_bar;
      }
    }
  }
  // The caption starts left of the bar's end and runs past it, so both sides were exercised.
  EXPECT_GT(caption_pixels_under_bar, 0);
  EXPECT_GT(caption_pixels_beyond_bar, 0);
}

// The caption's place is worked out from the width of the percentage text, so a caption that
// is that text stands centred at the top.
TEST(BarGraph, PercentCaptionIsCentredAtTheTop) {
  BarGraph bar;
  bar.resize(300, 40);
  bar.SetPercent(0);
  bar.SetCaption(QStringLiteral("0%"));
  const QImage image = bar.Render();

  int left = image.width(), right = -1, top = image.height();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kWhite) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
    }
  }
  ASSERT_GE(right, 0) << "no caption drawn";
  const int blank_left = left;
  const int blank_right = image.width() - 1 - right;
  EXPECT_LE(std::abs(blank_left - blank_right), 4);
  EXPECT_LT(top, 8);
}

TEST(BarGraph, ScreenshotOfABarWithCaption) {
  BarGraph bar;
  bar.setObjectName(QStringLiteral("ProgressBar1"));
  bar.resize(300, 28);
  bar.SetFillColor(BarGraph::kPersistedFillColor);
  bar.SetPercent(35);
  bar.SetCaption(QStringLiteral("35%"));
  const QString path =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots/bar_graph.png");
  ASSERT_TRUE(SaveScreenshot(bar, path));
  const QImage saved(path);
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.pixel(0, 14), kBlue);
  EXPECT_EQ(saved.pixel(299, 14), kWhite);
}

}  // namespace
}  // namespace velkor
