#include "ui/widgets/numbered_pane.h"

#include <QPainter>
#include <QTextBlock>

namespace scriptdesk {

namespace {

class Margin : public QWidget {
 public:
  explicit Margin(NumberedPane* pane) : QWidget(pane), pane_(pane) {}
  QSize sizeHint() const override { return {pane_->MarginWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { pane_->PaintMargin(event); }

 private:
  NumberedPane* pane_;
};

}  // namespace

NumberedPane::NumberedPane(QWidget* parent) : QPlainTextEdit(parent), margin_(new Margin(this)) {
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { UpdateMarginWidth(); });
  connect(this, &QPlainTextEdit::updateRequest, this, &NumberedPane::UpdateMargin);
  UpdateMarginWidth();
}

int NumberedPane::MarginWidth() const {
  int digits = 1;
  for (int count = std::max(1, blockCount()); count >= 10; count /= 10) ++digits;
  return 6 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 2);
}

void NumberedPane::UpdateMarginWidth() {
  setViewportMargins(MarginWidth(), 0, 0, 0);
}

void NumberedPane::UpdateMargin(const QRect& rect, int dy) {
  if (dy != 0) {
    margin_->scroll(0, dy);
  } else {
    margin_->update(0, rect.y(), margin_->width(), rect.height());
  }
  if (rect.contains(viewport()->rect())) UpdateMarginWidth();
}

void NumberedPane::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect area = contentsRect();
  margin_->setGeometry(QRect(area.left(), area.top(), MarginWidth(), area.height()));
}

void NumberedPane::PaintMargin(QPaintEvent* event) {
  QPainter painter(margin_);
  painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
  painter.setPen(palette().color(QPalette::PlaceholderText));
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    const int bottom = top + qRound(blockBoundingRect(block).height());
    if (block.isVisible() && bottom >= event->rect().top()) {
      painter.drawText(0, top, margin_->width() - 3, fontMetrics().height(), Qt::AlignRight,
                       QString::number(block.blockNumber() + 1));
    }
    block = block.next();
    top = bottom;
  }
}

void NumberedPane::ShowLine(int line) {
  const QTextBlock block = document()->findBlockByNumber(std::max(0, line - 1));
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  centerCursor();
  setFocus();
}

}  // namespace scriptdesk
