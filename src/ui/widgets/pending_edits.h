#pragma once

#include <functional>
#include <utility>

class QPushButton;
class QTabWidget;
class QWidget;

namespace scriptdesk {

// Whether a scratch form holds typed edits that no store command took yet: what the form
// shows now against what it showed when it last showed or stored the model. `Page` is the
// form's snapshot (the texts and check marks its store command takes).
template <typename Page>
class PendingEdits {
 public:
  PendingEdits(std::function<Page()> read, std::function<void(bool)> changed)
      : read_(std::move(read)), changed_(std::move(changed)) {}

  bool pending() const { return pending_; }

  // The form shows the model (or what was just stored): no edit is pending.
  void Shown() {
    shown_ = read_();
    Set(false);
  }
  // Runs `show`, which fills the form from the model, without taking its changes for typing.
  template <typename Show>
  void Showing(Show&& show) {
    quiet_ = true;
    show();
    quiet_ = false;
    Shown();
  }
  // An input of the form changed.
  void Check() {
    if (!quiet_) Set(read_() != shown_);
  }

 private:
  void Set(bool pending) {
    if (pending == pending_) return;
    pending_ = pending;
    changed_(pending);
  }

  std::function<Page()> read_;
  std::function<void(bool)> changed_;
  Page shown_{};
  bool pending_ = false;
  bool quiet_ = false;
};

// Calls `changed` whenever an input below `form` changes: any line edit's text (the spin
// edits' included) or any check box's or radio button's state.
void WatchInputs(QWidget* form, const std::function<void()>& changed);

// The mark of pending edits: a dot on the store button and on the page's tab. No mark when
// `pending` is false.
void ShowPendingMark(QPushButton* store, bool pending);
void ShowPendingMark(QTabWidget* tabs, QWidget* page, bool pending);

}  // namespace scriptdesk
