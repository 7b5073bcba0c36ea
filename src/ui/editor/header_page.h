#pragma once

#include <string_view>
#include <vector>

#include <QWidget>

#include "core/editor/header_commands.h"
#include "core/model/script_model.h"
#include "ui/editor/field_controls.h"
#include "ui/widgets/pending_edits.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace scriptdesk {

class Dialogs;

// The "Header" tab: a scratch form over the script header. Typed values reach the model only
// through "Replace Header".
class HeaderTab : public QWidget {
  Q_OBJECT

 public:
  HeaderTab(ScriptModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

  // The controls' texts, radio selection and check marks.
  HeaderPage page() const;
  void setPage(const HeaderPage& page);

  // Copies the tab into the model's header.
  void StoreHeaderPage();
  // Shows the model's header on the tab (after an import).
  void ShowHeaderPage();

  // The tab holds typed edits that "Replace Header" did not store yet ("Replace Header" then
  // carries a mark).
  bool hasPendingEdits() const { return pending_.pending(); }

 signals:
  // "Replace Header" stored the tab.
  void edited();
  void pendingEditsChanged(bool pending);

 public slots:
  void SpeedButton1Click();  // "..." beside the title level
  void SpeedButton6Click();  // "Replace Header"

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // Each radio button stands exactly as high as the language name beside it.
  void AlignLanguageRows();
  // The controls of the described header setting.
  const FieldControls& Controls(std::string_view section, std::string_view key) const;

  ScriptModel& model_;
  Dialogs& dialogs_;

  // One entry per described header setting, in table order.
  std::vector<FieldControls> fields_;
  QGroupBox* languageGroup_ = nullptr;
  QButtonGroup* languageButtons_ = nullptr;
  QPushButton* replaceButton_ = nullptr;
  PendingEdits<HeaderPage> pending_;
};

}  // namespace scriptdesk
