#include "ui/widgets/progress_gauge.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include <QEvent>
#include <QImage>

#include "ui/widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

const QColor kNavy(0, 0, 128);

TEST(ProgressGauge, StartsEmptyWithTheDefaultRange) {
  ProgressGauge gauge;
  EXPECT_EQ(gauge.minimum(), 0);
  EXPECT_EQ(gauge.maximum(), 121);
  EXPECT_EQ(gauge.value(), 0);
  EXPECT_EQ(gauge.text(), " ");
}

TEST(ProgressGauge, ClampsValuesIntoTheRange) {
  ProgressGauge gauge;
  const std::pair<int, int> cases[] = {{-5, 0}, {50, 50}, {121, 121}, {500, 121}, {0, 0}};
  for (const auto& [set, expected] : cases) {
    gauge.setValue(set);
    EXPECT_EQ(gauge.value(), expected) << set;
  }
}

TEST(ProgressGauge, AddProgressStopsAtTheEnds) {
  ProgressGauge gauge;
  gauge.setValue(119);
  for (int i = 0; i < 3; ++i) gauge.addProgress();
  EXPECT_EQ(gauge.value(), 121);
  gauge.addProgress(-1000);
  EXPECT_EQ(gauge.value(), 0);
  gauge.addProgress(std::numeric_limits<int>::max());
  EXPECT_EQ(gauge.value(), 121);
}

TEST(ProgressGauge, NarrowingTheRangeClampsTheValue) {
  ProgressGauge gauge;
  gauge.setValue(100);
  gauge.setMaximum(40);
  EXPECT_EQ(gauge.value(), 40);
}

class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST(ProgressGauge, RepaintsAtOnceOnlyWhenSomethingChanged) {
  ProgressGauge gauge;
  gauge.resize(200, 20);
  gauge.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&gauge));
  PaintCounter counter;
  gauge.installEventFilter(&counter);

  // No event loop runs between the calls, as inside a long command.
  gauge.setValue(5);
  EXPECT_EQ(counter.paints, 1);
  gauge.setValue(5);
  gauge.setValue(-3);
  gauge.setValue(0);
  EXPECT_EQ(counter.paints, 2);  // -3 clamps to 0, which changed; then 0 is no change
  gauge.setText("Load");
  EXPECT_EQ(counter.paints, 3);
  gauge.setValue(121);
  gauge.addProgress();
  EXPECT_EQ(counter.paints, 4);
}

QImage Render(int value, const QString& text) {
  ProgressGauge gauge;
  gauge.resize(206, 20);
  gauge.setValue(value);
  gauge.setText(text);
  return gauge.grab().toImage();
}

TEST(ProgressGauge, DrawsAFrameAndAnInsetBarGrowingFromTheLeft) {
  const int middle = 10;
  const QImage empty = Render(0, " ");
  EXPECT_EQ(empty.pixelColor(0, 0), QColor(Qt::black));
  EXPECT_EQ(empty.pixelColor(205, 19), QColor(Qt::black));
  EXPECT_NE(empty.pixelColor(3, middle), kNavy);

  const QImage full = Render(121, " ");
  EXPECT_EQ(full.pixelColor(3, 3), kNavy);
  EXPECT_EQ(full.pixelColor(202, 16), kNavy);
  EXPECT_NE(full.pixelColor(2, middle), kNavy);  // the inset stays clear
  EXPECT_NE(full.pixelColor(203, middle), kNavy);
  EXPECT_NE(full.pixelColor(100, 2), kNavy);

  // Half way: 200 inner pixels * 60 / 121 = 99 pixels of bar.
  const QImage half = Render(60, " ");
  EXPECT_EQ(half.pixelColor(3 + 98, 3), kNavy);
  EXPECT_NE(half.pixelColor(3 + 99, 3), kNavy);
}

bool HasRedPixel(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 100 && c.blue() < 100) return true;
    }
  }
  return false;
}

TEST(ProgressGauge, DrawsTheTextInRed) {
  EXPECT_FALSE(HasRedPixel(Render(60, " ")));
  EXPECT_TRUE(HasRedPixel(Render(60, "Create Editor script")));
}

}  // namespace
}  // namespace scriptdesk
