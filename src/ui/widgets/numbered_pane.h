#pragma once

#include <QPlainTextEdit>

namespace scriptdesk {

// A text pane with the number of each line in a margin on its left, so a message that names a
// line can be found; ShowLine goes there.
class NumberedPane : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit NumberedPane(QWidget* parent = nullptr);

  // Puts the cursor at the start of `line` (from 1), selects that line and scrolls it into view.
  void ShowLine(int line);
  int MarginWidth() const;
  void PaintMargin(QPaintEvent* event);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateMarginWidth();
  void UpdateMargin(const QRect& rect, int dy);

  QWidget* margin_ = nullptr;
};

}  // namespace scriptdesk
