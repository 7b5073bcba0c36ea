#pragma once

#include <vector>

#include "core/model/level_fields.h"
#include "core/model/script_model.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

namespace scriptdesk {

class AudioEdit;
class DecimalSpinEdit;
class Dialogs;

// The controls that edit one described setting, made from its description: the pages place
// them and copy between them and the model record, setting by setting.
struct FieldControls {
  std::vector<QLineEdit*> edits;        // Text, Path, Extension: one; Languages: eight
  QCheckBox* check = nullptr;           // Flag, or a Group's own check box
  std::vector<DecimalSpinEdit*> spins;  // Number, Group, Mirror, and a header Text's edit
  QPushButton* chooser = nullptr;       // Path: "..."
  AudioEdit* audio = nullptr;           // Path
};

FieldControls MakeFieldControls(QWidget* parent, const LevelField& field);
FieldControls MakeFieldControls(QWidget* parent, const HeaderField& field);

// The record's value into the controls, and back as the controls show it.
void ShowField(const FieldControls& controls, const LevelField& field, const LevelSettings& level);
void TakeField(const FieldControls& controls, const LevelField& field, LevelSettings& level);
void ShowField(const FieldControls& controls, const HeaderField& field, const THeader& header);
void TakeField(const FieldControls& controls, const HeaderField& field, THeader& header);

// The "..." chooser's file into a Path's edit: the name without folder and extension. A name the
// script files cannot hold is refused with a warning that says why.
void ShowChosenLevelFile(const FieldControls& controls, const QString& chosen, Dialogs& dialogs);

// Places a group's edits into `grid` from `row` on and returns the next free row: rows of three
// in columns 1 to 3 under their captions, a seventh edit (a room) in column 4 of the first row,
// `title` (if any), the group's check box below it and the rows' own captions in column 0. A row
// whose captions differ from those of the row above gets its own caption row.
int AddCaptionedRows(QGridLayout* grid, int row, QWidget* parent, const QString& title,
                     const FieldControls& controls, const FieldControl& control);

// The controls of every described field, in table order.
template <typename Field>
std::vector<FieldControls> MakeAllControls(QWidget* parent, std::span<const Field> fields) {
  std::vector<FieldControls> all;
  all.reserve(fields.size());
  for (const Field& field : fields) all.push_back(MakeFieldControls(parent, field));
  return all;
}

}  // namespace scriptdesk
