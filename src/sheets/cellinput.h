#pragma once
// A value cell of a working sheet. The sheet file holds one line of values
// separated by "|", so a cell must never hold a "|" or a line break: a typed
// "|" is dropped and pasted or dropped text is cleaned of both. A typed "."
// becomes "," (the decimal comma), while pasted text is kept as it is.

#include <QColor>
#include <QLineEdit>

class CellInput : public QLineEdit {
  Q_OBJECT
 public:
  explicit CellInput(QWidget* parent = nullptr);

  // A cell holding exactly "0" empties when it receives the focus, so the
  // keeper types a value without deleting the zero first.
  void setEmptiesZeroOnFocus(bool on) { emptiesZero_ = on; }

  // The text a cell may hold: s without "|" and line breaks.
  static QString storable(const QString& s);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  bool emptiesZero_ = false;
};

// Sets a field's background only when it changes, so a timer tick that finds
// nothing new does not repaint. An invalid colour restores the normal one.
void setFieldBackground(QWidget* field, const QColor& colour);
// The background a field currently shows.
QColor fieldBackground(const QWidget* field);
