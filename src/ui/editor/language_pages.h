#pragma once

#include <array>

#include <QWidget>

#include "core/pipeline/language_writer.h"

class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTabWidget;

namespace scriptdesk {

class ScriptProject;

// The "<language>" tab of the main window. When the builder's own file of the selected language
// was loaded with the script, the tab shows that whole file, editable. Otherwise it shows the
// seven fixed blocks of the language file, each editable on its own sub-page with a "Load old"
// button that puts back the stock text. Both edit the project's texts as they are typed.
class LanguagePages : public QWidget {
  Q_OBJECT

 public:
  explicit LanguagePages(ScriptProject& project, QWidget* parent = nullptr);

  // Each page's lines as the user left them, in LanguagePage order.
  LanguageTexts texts() const;
  // What texts() gives before any edit: the stock texts as the pages show them.
  static LanguageTexts StockTexts();
  // The language whose file the tab shows, -1 while it shows the seven pages.
  int shownLanguageFile() const { return shownFile_; }

 signals:
  // A text changed, typed or put back by "Load old".
  void edited();

 public slots:
  // Shows the builder's file of the selected language, or the seven pages when there is none
  // (after a load, a save, or another language selected).
  void ShowProject();

  void SpeedButton16Click();  // "Weapons@Items"
  void SpeedButton17Click();  // "Game"
  void SpeedButton19Click();  // "Examine"
  void SpeedButton20Click();  // "PlayStation"
  void SpeedButton21Click();  // "Credit"
  void SpeedButton22Click();  // "PCStrings"
  void SpeedButton23Click();  // "Setup Dialog"

 private:
  void LoadOld(LanguagePage page);
  QWidget* MakeFilePage();
  void FileEdited();

  ScriptProject& project_;
  QStackedWidget* stack_ = nullptr;
  QTabWidget* pages_ = nullptr;
  std::array<QPlainTextEdit*, kLanguagePageCount> memos_{};
  QWidget* filePage_ = nullptr;
  QLabel* fileLabel_ = nullptr;
  QPlainTextEdit* filePane_ = nullptr;
  int shownFile_ = -1;
  bool showingFile_ = false;  // the pane is being filled, not typed in
};

}  // namespace scriptdesk
