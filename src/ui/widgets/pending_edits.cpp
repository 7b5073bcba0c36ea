#include "ui/widgets/pending_edits.h"

#include <QAbstractButton>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

namespace scriptdesk {
namespace {

constexpr int kDot = 10;

// An amber dot, drawn at the screen's pixel ratio so it stays round.
QIcon PendingIcon(const QWidget* widget) {
  const qreal ratio = widget->devicePixelRatioF();
  QPixmap pixmap(QSize(kDot, kDot) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(150, 80, 0), 1));
  painter.setBrush(QColor(240, 150, 0));
  painter.drawEllipse(QRectF(1, 1, kDot - 2, kDot - 2));
  return QIcon(pixmap);
}

const QString kPendingTip = QStringLiteral("Holds edits that are not stored yet");

}  // namespace

void WatchInputs(QWidget* form, const std::function<void()>& changed) {
  for (QLineEdit* edit : form->findChildren<QLineEdit*>()) {
    if (edit->isReadOnly()) continue;
    QObject::connect(edit, &QLineEdit::textChanged, form, [changed] { changed(); });
  }
  for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
    if (!button->isCheckable()) continue;
    QObject::connect(button, &QAbstractButton::toggled, form, [changed] { changed(); });
  }
}

void ShowPendingMark(QPushButton* store, bool pending) {
  store->setIconSize(QSize(kDot, kDot));
  store->setIcon(pending ? PendingIcon(store) : QIcon());
}

void ShowPendingMark(QTabWidget* tabs, QWidget* page, bool pending) {
  const int index = tabs->indexOf(page);
  if (index < 0) return;
  // No taller than the tab's text, so the mark never moves the page.
  tabs->setIconSize(QSize(kDot, kDot));
  tabs->setTabIcon(index, pending ? PendingIcon(tabs) : QIcon());
  tabs->setTabToolTip(index, pending ? kPendingTip : QString());
}

}  // namespace scriptdesk
