#include "ui/widgets/progress_gauge.h"

#include <algorithm>

#include <QPainter>

namespace scriptdesk {
namespace {

constexpr int kInset = 3;

}  // namespace

ProgressGauge::ProgressGauge(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressGauge::setRange(int minimum, int maximum) {
  minimum_ = std::min(minimum, maximum);
  maximum_ = std::max(minimum, maximum);
  value_ = std::clamp(value_, minimum_, maximum_);
  repaint();
}

void ProgressGauge::setValue(int value) {
  const int clamped = std::clamp(value, minimum_, maximum_);
  if (clamped == value_) return;
  value_ = clamped;
  repaint();
}

void ProgressGauge::addProgress(int step) {
  // Widen before adding so a huge step cannot overflow.
  const qint64 sum = qint64{value_} + step;
  setValue(static_cast<int>(std::clamp<qint64>(sum, minimum_, maximum_)));
}

void ProgressGauge::setText(const QString& text) {
  text_ = text;
  repaint();
}

QSize ProgressGauge::sizeHint() const {
  return {200, std::max(20, fontMetrics().height() + 2 * kInset)};
}

QSize ProgressGauge::minimumSizeHint() const {
  return {2 * kInset + 2, sizeHint().height()};
}

void ProgressGauge::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));

  const QRect inner = rect().adjusted(kInset, kInset, -kInset, -kInset);
  const qint64 span = qint64{maximum_} - minimum_;
  if (span > 0 && inner.isValid()) {
    const auto length = static_cast<int>((qint64{value_} - minimum_) * inner.width() / span);
    painter.fillRect(QRect(inner.left(), inner.top(), length, inner.height()), QColor(0, 0, 128));
  }

  painter.setPen(Qt::red);
  painter.drawText(rect(), Qt::AlignCenter, text_);
}

}  // namespace scriptdesk
