#include "ui/editor/field_controls.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include <QGridLayout>

#include "ui/widgets/ansi_text.h"
#include "ui/widgets/audio_edit.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/dialogs.h"

namespace scriptdesk {

namespace {

// The compiler reads a value after "$" as hexadecimal and keeps 32 bits of it: eight digits.
constexpr qint64 kMaxAfterDollar = 99999999;

// Every text edit of a page feeds a script file.
QLineEdit* MakeTextEdit(QWidget* parent, const char* name, const char* hint) {
  QLineEdit* edit = MakeEdit(parent, name, hint);
  RefuseNonAnsi(edit);
  return edit;
}

std::vector<DecimalSpinEdit*> MakeSpins(QWidget* parent, std::span<const SpinControl> spins) {
  std::vector<DecimalSpinEdit*> made;
  for (const SpinControl& spin : spins) {
    made.push_back(MakeSpin(parent, spin.name, spin.minimum, spin.maximum, spin.hint));
  }
  return made;
}

void WrittenAfterDollar(DecimalSpinEdit* spin) {
  spin->setRange(0, spin->hasRange() ? std::min(spin->maximum(), kMaxAfterDollar) : kMaxAfterDollar);
}

void MakePathControls(QWidget* parent, const PathControls& path, FieldControls& controls) {
  controls.edits.push_back(MakeTextEdit(parent, path.edit, path.editHint));
  controls.chooser = MakeButton(parent, path.chooser, "...", path.chooserHint);
  FitToText(controls.chooser);
  controls.chooser->setFixedWidth(controls.chooser->minimumWidth());
  controls.audio = new AudioEdit(parent);
  controls.audio->setObjectName(path.audio);
  controls.audio->setToolTip(path.audioHint);
}

void TakeTexts(const FieldControls& controls, std::span<std::string> texts) {
  for (std::size_t i = 0; i < texts.size() && i < controls.spins.size(); ++i) {
    texts[i] = TextOf(controls.spins[i]);
  }
}

void ShowSpins(const FieldControls& controls, std::span<const std::string> texts) {
  for (std::size_t i = 0; i < texts.size() && i < controls.spins.size(); ++i) {
    Show(controls.spins[i], texts[i]);
  }
}

}  // namespace

int AddCaptionedRows(QGridLayout* grid, int row, QWidget* parent, const QString& title,
                     const FieldControls& controls, const FieldControl& control) {
  constexpr std::size_t kPerRow = 3;
  const auto& spins = controls.spins;
  const std::size_t inRows = std::min<std::size_t>(spins.size(), 2 * kPerRow);
  const auto captionOf = [&](std::size_t i) -> QString {
    return i < control.spins.size() && control.spins[i].caption != nullptr
               ? QString::fromLatin1(control.spins[i].caption)
               : QString();
  };
  const auto place = [&](QWidget* widget, int at, int column, Qt::Alignment align = {}) {
    widget->setParent(parent);
    grid->addWidget(widget, at, column, align);
  };
  QStringList shown;
  for (std::size_t line = 0; line * kPerRow < inRows; ++line) {
    QStringList captions;
    for (std::size_t k = 0; k < kPerRow; ++k) captions << captionOf(line * kPerRow + k);
    if (captions != shown) {
      if (line == 0 && !title.isEmpty()) place(new QLabel(title), row, 0, Qt::AlignBottom);
      for (std::size_t k = 0; k < kPerRow; ++k) {
        if (captions[static_cast<int>(k)].isEmpty()) continue;
        place(MakeLabel(parent, captions[static_cast<int>(k)], spins[line * kPerRow + k]), row,
              1 + static_cast<int>(k), Qt::AlignBottom);
      }
      if (line == 0 && spins.size() > inRows && !captionOf(inRows).isEmpty()) {
        place(MakeLabel(parent, captionOf(inRows), spins[inRows]), row, 4, Qt::AlignBottom);
      }
      shown = captions;
      ++row;
    }
    if (line < control.rows.size()) {
      place(new QLabel(QString::fromLatin1(control.rows[line])), row, 0);
    }
    for (std::size_t k = 0; k < kPerRow && line * kPerRow + k < inRows; ++k) {
      place(spins[line * kPerRow + k], row, 1 + static_cast<int>(k));
    }
    if (line == 0 && spins.size() > inRows) place(spins[inRows], row, 4);
    // Below the title, where the group's name is read first.
    if (line == 0 && controls.check != nullptr) place(controls.check, row, 0);
    ++row;
  }
  return row;
}

FieldControls MakeFieldControls(QWidget* parent, const LevelField& field) {
  FieldControls controls;
  const FieldControl& control = field.control;
  switch (field.kind) {
    case LevelFieldKind::Text:
      controls.edits.push_back(MakeTextEdit(parent, control.name, control.hint));
      break;
    case LevelFieldKind::Path:
      MakePathControls(parent, *control.path, controls);
      break;
    case LevelFieldKind::Flag:
      controls.check = MakeCheck(parent, control.name, control.caption, control.hint);
      break;
    case LevelFieldKind::Group:
      if (control.name != nullptr) controls.check = MakeCheck(parent, control.name, "Enabled");
      [[fallthrough]];
    case LevelFieldKind::Number:
      controls.spins = MakeSpins(parent, control.spins);
      break;
    case LevelFieldKind::Mirror:
      controls.spins = MakeSpins(parent, control.spins);
      WrittenAfterDollar(controls.spins.back());
      break;
    case LevelFieldKind::Items:
      break;
  }
  return controls;
}

FieldControls MakeFieldControls(QWidget* parent, const HeaderField& field) {
  FieldControls controls;
  const FieldControl& control = field.control;
  switch (field.kind) {
    case HeaderFieldKind::Extension:
      controls.edits.push_back(MakeTextEdit(parent, control.name, control.hint));
      break;
    case HeaderFieldKind::Languages:
      for (int i = 0; i < kLanguageCount; ++i) {
        controls.edits.push_back(
            MakeTextEdit(parent, (control.name + std::to_string(i)).c_str(), control.hint));
      }
      break;
    case HeaderFieldKind::Flag:
      controls.check = MakeCheck(parent, control.name, control.caption, control.hint);
      break;
    case HeaderFieldKind::Text:
    case HeaderFieldKind::Group:
      controls.spins = MakeSpins(parent, control.spins);
      break;
    case HeaderFieldKind::Dollar:
      controls.spins = MakeSpins(parent, control.spins);
      WrittenAfterDollar(controls.spins.front());
      break;
    case HeaderFieldKind::Path:
      MakePathControls(parent, *control.path, controls);
      break;
  }
  return controls;
}

void ShowChosenLevelFile(const FieldControls& controls, const QString& chosen, Dialogs& dialogs) {
  QLineEdit* edit = controls.edits.front();
  const QString name = LevelNameOfFile(chosen);
  if (!EncodeAnsi(name)) {
    dialogs.Warning(edit->window(), AnsiRefusalText(name));
    return;
  }
  edit->setText(name);
}

void ShowField(const FieldControls& controls, const LevelField& field, const LevelSettings& level) {
  switch (field.kind) {
    case LevelFieldKind::Text:
      Show(controls.edits.front(), level.*field.text);
      break;
    case LevelFieldKind::Path:
      Show(controls.edits.front(), level.*field.text);
      Show(controls.audio, level.*field.second);
      break;
    case LevelFieldKind::Flag:
      controls.check->setChecked(level.*field.flag);
      break;
    case LevelFieldKind::Number:
      controls.spins.front()->setValue(level.*field.number);
      break;
    case LevelFieldKind::Group:
      if (controls.check != nullptr) controls.check->setChecked(level.*field.flag);
      ShowSpins(controls, GroupTexts(field, level));
      break;
    case LevelFieldKind::Mirror:
      Show(controls.spins[0], level.*field.text);
      Show(controls.spins[1], level.*field.second);
      break;
    case LevelFieldKind::Items:
      break;
  }
}

void TakeField(const FieldControls& controls, const LevelField& field, LevelSettings& level) {
  switch (field.kind) {
    case LevelFieldKind::Text:
      level.*field.text = TextOf(controls.edits.front());
      break;
    case LevelFieldKind::Path:
      level.*field.text = TextOf(controls.edits.front());
      level.*field.second = TextOf(controls.audio);
      break;
    case LevelFieldKind::Flag:
      level.*field.flag = controls.check->isChecked();
      break;
    case LevelFieldKind::Number:
      level.*field.number = static_cast<std::int32_t>(controls.spins.front()->value());
      break;
    case LevelFieldKind::Group:
      if (controls.check != nullptr) level.*field.flag = controls.check->isChecked();
      TakeTexts(controls, field.texts(level));
      break;
    case LevelFieldKind::Mirror:
      level.*field.text = TextOf(controls.spins[0]);
      level.*field.second = TextOf(controls.spins[1]);
      break;
    case LevelFieldKind::Items:
      break;
  }
}

void ShowField(const FieldControls& controls, const HeaderField& field, const THeader& header) {
  switch (field.kind) {
    case HeaderFieldKind::Extension:
      Show(controls.edits.front(), header.*field.text);
      break;
    case HeaderFieldKind::Languages:
      for (std::size_t i = 0; i < controls.edits.size(); ++i) {
        Show(controls.edits[i], header.Languages[i]);
      }
      break;
    case HeaderFieldKind::Flag:
      controls.check->setChecked(header.*field.flag);
      break;
    case HeaderFieldKind::Text:
    case HeaderFieldKind::Dollar:
      Show(controls.spins.front(), header.*field.text);
      break;
    case HeaderFieldKind::Group:
      ShowSpins(controls, GroupTexts(field, header));
      break;
    case HeaderFieldKind::Path:
      Show(controls.edits.front(), header.*field.text);
      Show(controls.audio, header.*field.second);
      break;
  }
}

void TakeField(const FieldControls& controls, const HeaderField& field, THeader& header) {
  switch (field.kind) {
    case HeaderFieldKind::Extension:
      header.*field.text = TextOf(controls.edits.front());
      break;
    case HeaderFieldKind::Languages:
      for (std::size_t i = 0; i < controls.edits.size(); ++i) {
        header.Languages[i] = TextOf(controls.edits[i]);
      }
      break;
    case HeaderFieldKind::Flag:
      header.*field.flag = controls.check->isChecked();
      break;
    case HeaderFieldKind::Text:
    case HeaderFieldKind::Dollar:
      header.*field.text = TextOf(controls.spins.front());
      break;
    case HeaderFieldKind::Group:
      TakeTexts(controls, field.texts(header));
      break;
    case HeaderFieldKind::Path:
      header.*field.text = TextOf(controls.edits.front());
      header.*field.second = TextOf(controls.audio);
      break;
  }
}

}  // namespace scriptdesk
