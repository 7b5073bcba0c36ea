#pragma once

#include <QString>
#include <QWidget>

namespace scriptdesk {

// A horizontal progress bar with a caption: a black frame left unfilled, a navy bar inset
// 3 pixels that grows from the left with the value, and the text centred in red. It repaints
// at once on every change, because it is driven from inside long commands that do not
// return to the event loop.
class ProgressGauge : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressGauge(QWidget* parent = nullptr);

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  // Keeps the value inside the new range.
  void setRange(int minimum, int maximum);
  void setMaximum(int maximum) { setRange(minimum_, maximum); }

  int value() const { return value_; }
  // Clamps into the range; repaints only when the value changed.
  void setValue(int value);
  void addProgress(int step = 1);

  QString text() const { return text_; }
  void setText(const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int minimum_ = 0;
  int maximum_ = 121;
  int value_ = 0;
  QString text_ = QStringLiteral(" ");
};

}  // namespace scriptdesk
