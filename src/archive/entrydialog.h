#pragma once
// What the four archive entry dialogs share: the fixed modal frame with its
// banner, the note fields, the year spinner, the key filters and the one way a
// record is written (all of it or nothing, with a message when it fails),
// added or, in edit mode, corrected in place.

#include <QDialog>
#include <QLineEdit>
#include <QPair>
#include <QPlainTextEdit>
#include <QWidget>
#include <optional>

#include "rules/records.h"

class AppContext;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;
class QVBoxLayout;
class Recordset;

// A multi-line note field. Its text has CR LF line ends, as it is stored, and
// the length limit counts each line end as two characters.
class NoteEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  NoteEdit(int maxLength, QWidget* parent = nullptr);
  QString text() const;
  void setText(const QString& text);
  int maxLength() const { return maxLength_; }
  // The length as stored (CR LF counts two).
  int length() const;

 private:
  void limit(int position, int removed, int added);
  int maxLength_;
  bool limiting_ = false;
};

// The up-down spinner attached to a read-only year field: each click steps the
// number in the field by one and stops at the ends of its range.
class UpDown : public QWidget {
  Q_OBJECT
 public:
  UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  // One click on the up (+1) or down (-1) arrow.
  void step(int delta);
  // Stretches the range to reach `year`, so that a stored year outside it
  // is shown as it is and the arrows step on from there.
  void reach(int year);
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 Q_SIGNALS:
  // After a click has changed (or tried to change) the buddy.
  void clicked(int delta);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* buddy_;
  int min_;
  int max_;
  QToolButton* up_;
  QToolButton* down_;
};

class EntryDialog : public QDialog {
  Q_OBJECT
 public:
  // The message of a record that could not be written.
  static const QString kNotSaved;
  // The message of a correction that could not be written.
  static const QString kChangeNotSaved;
  // The insert button's caption while a record is corrected.
  static const QString kSaveCaption;

  // Edit mode: the dialog corrects the record at `row` of its archive instead
  // of adding one, and shows its stored texts. False when they do not fit the
  // dialog (a text it cannot show, a field its rules would not let be saved);
  // the dialog is then not to be shown.
  virtual bool editRecord(int row) = 0;
  bool isEditing() const { return editKey_ >= 0; }

  // Every 200 or 300 ms: enables the insert button only while the required
  // fields hold text.
  virtual void Timer1_Timer() = 0;
  // Stores the record and closes; on a failed write the dialog stays open.
  virtual void okbutton_Click() = 0;
  // Closes; nothing is stored and nothing is remembered.
  void cancelbutton_Click() { reject(); }

 protected:
  // The dialog is owned by `owner`, else by the main window, and centred on it.
  EntryDialog(AppContext& ctx, QWidget* owner, const QString& title, const QString& objectName);

  // The banner strip at the top: a small picture and `Label4`.
  QWidget* makeBanner();
  // The line under the banner.
  QWidget* makeRule();
  // The body every dialog fills: its fields, then addNote() for each note,
  // then finishBody() with the two buttons.
  QVBoxLayout* makeBody();
  // A note's caption, the note and, when given, the line that tells its limit.
  void addNote(QVBoxLayout* body, QLabel* caption, NoteEdit* note, QLabel* limit = nullptr);
  // The insert and cancel buttons at the foot, wired to okbutton_Click and
  // cancelbutton_Click; then the whole dialog at its fixed size: banner,
  // rule, body.
  void finishBody(QVBoxLayout* body, QPushButton* ok, QPushButton* cancel);
  QLabel* makeLabel(const char* name, const QString& caption, QWidget* buddy = nullptr);
  QLineEdit* makeField(const char* name, const QString& text, int maxLength);
  // A read-only year field, changed only with its spinner.
  QLineEdit* makeYearField(const char* name, const QString& text);
  // The spinner UpDown1 of a year field.
  UpDown* makeSpinner(QLineEdit* year, int minimum, int maximum);
  // The year field with its spinner against it.
  QHBoxLayout* yearBox(QLineEdit* year, UpDown* spinner);
  // "&Mese:" with its list on the left, "Anno:" with the year on the right.
  QHBoxLayout* monthYearRow(QComboBox* month, QLineEdit* year, UpDown* spinner);
  NoteEdit* makeNote(const char* name, const QString& text, int maxLength);
  QComboBox* makeList(const char* name, const QStringList& entries);
  QPushButton* makeButton(const char* name, const QString& caption);

  // A typed "." becomes "," in these fields.
  void filterDecimalPoint(QLineEdit* field);
  // Backspace empties the whole field at once and disables `okButton`; the key
  // then works as usual on the empty field.
  void clearOnBackspace(NoteEdit* field, QPushButton* okButton);

  // The remembered text, or `fallback` when there is none or it is empty.
  QString remembered(const QString& section, const QString& key, const QString& fallback) const;
  void remember(const QString& section, const QString& key, const QString& value);

  // Adds one record to the archive through the main window's shared recordset,
  // or in edit mode corrects the record being edited (which stays where it is
  // and stays current). Every field must be set and the record written in one
  // piece; otherwise nothing is stored, an error message is shown and false is
  // returned, so the dialog stays open with what the user typed. `moveLast`
  // makes a new record current; without it the current record stays where it was.
  bool saveRecord(ArchiveKind kind, const records::Record& fields, bool moveLast);

  // The stored texts of a record, one per column of records::columns(kind);
  // nothing when the archive is not open, the row is not there or the table
  // lacks one of the columns.
  std::optional<QStringList> storedTexts(ArchiveKind kind, int row) const;
  // Enters edit mode for that record.
  void beginEdit(ArchiveKind kind, int row);
  // Shows a stored text in a field. While the keeper leaves the field as it
  // shows it, storedText() gives back exactly the stored text (a note shows
  // line ends its own way; a long text is not cut to the typing limit).
  void fill(QLineEdit* field, const QString& text);
  void fill(NoteEdit* field, const QString& text);
  // A stored year in a year field; its spinner's range reaches it.
  void fillYear(QLineEdit* year, UpDown* spinner, const QString& text);
  // The text a field gives to the record.
  static QString storedText(const QLineEdit* field);
  static QString storedText(const NoteEdit* field);
  // Whether the insert button's rules let the record be saved as it stands.
  bool fitsRules();
  // The reason to mark month and year with when another record of the archive
  // is for the same month and year (in edit mode, the record itself does not
  // count); none otherwise.
  QStringList duplicateMonth(ArchiveKind kind, const QString& monthAndYear) const;

  // Creates the running timer `Timer1` that calls Timer1_Timer().
  QTimer* makeTimer(int interval);

  // Enables `button` when `enabled` differs from its state; a tick that finds
  // nothing changed changes nothing.
  static void setEnabledIfChanged(QPushButton* button, bool enabled);

  AppContext& ctx_;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  Recordset* recordset(ArchiveKind kind) const;
  QPushButton* ok_ = nullptr;
  qint64 editKey_ = -1;  // the rowid of the record being corrected
  QList<QObject*> pointFields_;
  QHash<QObject*, QPushButton*> backspaceFields_;
};
