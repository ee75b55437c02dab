#pragma once
// "Modifica dato": corrects a record whose stored texts do not fit its entry
// dialog (an old record typed with odd content, a column missing). One field
// per column of the archive with its text exactly as stored, several lines for
// the notes and for any text that holds a line break. It checks nothing and
// requires nothing: a field the keeper leaves alone is written back as it was.
// Create it on the stack for each showing.

#include <QLineEdit>
#include <QPushButton>
#include <QVector>

#include "archive/entrydialog.h"

class modificadato : public EntryDialog {
  Q_OBJECT
 public:
  modificadato(AppContext& ctx, ArchiveKind kind, QWidget* owner = nullptr);

  // Builds one field per column of the record at `row`. False when the
  // archive is not open or has no such row.
  bool editRecord(int row) override;

  // The field of each column, in the table's order: a QLineEdit or a NoteEdit
  // named campo_<column>.
  QVector<QWidget*> campo;
  QPushButton* okbutton = nullptr;
  QPushButton* cancelbutton = nullptr;

  void Timer1_Timer() override {}
  void okbutton_Click() override;

 private:
  ArchiveKind kind_;
  QStringList columns_;
};
