#include "sheets/cellinput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QValidator>

namespace {

// Runs on every change of the text, typed, pasted, dropped or set: whatever
// arrives is stored without the characters the sheet file cannot hold.
class StorableValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    const QString clean = CellInput::storable(input);
    if (clean != input) {
      pos = int(CellInput::storable(input.left(pos)).size());
      input = clean;
    }
    return Acceptable;
  }
};

}  // namespace

CellInput::CellInput(QWidget* parent) : QLineEdit(parent) {
  setValidator(new StorableValidator(this));
}

QString CellInput::storable(const QString& s) {
  QString out;
  out.reserve(s.size());
  for (QChar c : s) {
    if (c == u'|' || c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029)) continue;
    out.append(c);
  }
  return out;
}

void CellInput::keyPressEvent(QKeyEvent* event) {
  if (event->text() == QStringLiteral("|")) {
    event->accept();
    return;
  }
  if (event->text() == QStringLiteral(".")) {
    QKeyEvent comma(event->type(), Qt::Key_Comma, event->modifiers(), QStringLiteral(","),
                    event->isAutoRepeat(), ushort(event->count()));
    QLineEdit::keyPressEvent(&comma);
    event->setAccepted(comma.isAccepted());
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CellInput::focusInEvent(QFocusEvent* event) {
  // Only when the keeper moves into the cell: a window that opens or comes
  // back to the front must not empty the cell that holds its focus, or a
  // total asked for at once would stop on a cell nobody touched. The zero is
  // selected instead, so typing still replaces it.
  const Qt::FocusReason reason = event->reason();
  const bool zero = emptiesZero_ && text() == QStringLiteral("0");
  const bool byWindow = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
  if (zero && !byWindow) clear();
  QLineEdit::focusInEvent(event);
  if (zero && byWindow) selectAll();
}

QColor fieldBackground(const QWidget* field) { return field->palette().color(QPalette::Base); }

void setFieldBackground(QWidget* field, const QColor& colour) {
  const QColor wanted =
      colour.isValid() ? colour : QApplication::palette(field).color(QPalette::Base);
  if (fieldBackground(field) == wanted) return;
  QPalette p = field->palette();
  p.setColor(QPalette::Base, wanted);
  field->setPalette(p);
}
