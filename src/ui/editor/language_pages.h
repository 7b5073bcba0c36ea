#pragma once

#include <array>

#include <QWidget>

#include "core/pipeline/language_writer.h"

class QPlainTextEdit;
class QTabWidget;

namespace scriptdesk {

// The "<language>" tab of the main window: the seven fixed blocks of the language file, each
// editable on its own sub-page with a "Load old" button that puts back the stock text.
class LanguagePages : public QWidget {
  Q_OBJECT

 public:
  explicit LanguagePages(QWidget* parent = nullptr);

  // Each page's lines as the user left them, in LanguagePage order.
  LanguageTexts texts() const;
  // What texts() gives before any edit: the stock texts as the pages show them.
  static LanguageTexts StockTexts();

 signals:
  // A memo's text changed, typed or put back by "Load old".
  void edited();

 public slots:
  void SpeedButton16Click();  // "Weapons@Items"
  void SpeedButton17Click();  // "Game"
  void SpeedButton19Click();  // "Examine"
  void SpeedButton20Click();  // "PlayStation"
  void SpeedButton21Click();  // "Credit"
  void SpeedButton22Click();  // "PCStrings"
  void SpeedButton23Click();  // "Setup Dialog"

 private:
  void LoadOld(LanguagePage page);

  QTabWidget* pages_ = nullptr;
  std::array<QPlainTextEdit*, kLanguagePageCount> memos_{};
};

}  // namespace scriptdesk
