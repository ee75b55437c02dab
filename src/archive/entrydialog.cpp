#include "archive/entrydialog.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include "common/appcontext.h"
#include "common/widgets.h"
#include "rules/entrychecks.h"
#include "rules/recordset.h"

namespace {

// Stored length of a text typed in a note: a line end is CR LF, two characters.
int storedLength(const QString& plain) {
  return int(plain.size() + plain.count(QLatin1Char('\n')));
}

// A maximum length that limits what the user types or pastes, but not a text
// that a caller sets: a sheet hands over its figure whole (-12,35 in a field
// of five), as the user sees and stores it.
class LengthLimit : public QValidator {
 public:
  LengthLimit(int maxLength, QObject* parent) : QValidator(parent), max_(maxLength) {}
  State validate(QString& input, int&) const override {
    return input.size() <= max_ ? Acceptable : Invalid;
  }
  int maximum() const { return max_; }

 private:
  int max_;
};

// What a field was filled with, and the text it then showed.
const char* const kStored = "testoArchiviato";
const char* const kShown = "testoMostrato";

QString storedOr(const QObject* field, const QString& now) {
  const QVariant shown = field->property(kShown);
  return shown.isValid() && shown.toString() == now ? field->property(kStored).toString() : now;
}

}  // namespace

// ---- NoteEdit ---------------------------------------------------------------------

NoteEdit::NoteEdit(int maxLength, QWidget* parent) : QPlainTextEdit(parent), maxLength_(maxLength) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  connect(document(), &QTextDocument::contentsChange, this, &NoteEdit::limit);
}

QString NoteEdit::text() const {
  QString t = toPlainText();
  t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return t;
}

void NoteEdit::setText(const QString& text) {
  QString plain = text;
  plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  limiting_ = true;
  setPlainText(plain);
  limiting_ = false;
  moveCursor(QTextCursor::End);
}

int NoteEdit::length() const { return storedLength(toPlainText()); }

void NoteEdit::limit(int position, int removed, int added) {
  Q_UNUSED(removed);
  if (limiting_ || added <= 0) return;
  const QString all = toPlainText();
  const int total = storedLength(all);
  if (total <= maxLength_) return;
  // Keep as much of what was just typed or pasted as fits; the rest is refused.
  const QString inserted = all.mid(position, added);
  int room = maxLength_ - (total - storedLength(inserted));
  int keep = 0;
  for (; keep < inserted.size(); ++keep) {
    const int cost = inserted[keep] == QLatin1Char('\n') ? 2 : 1;
    if (cost > room) break;
    room -= cost;
  }
  limiting_ = true;
  QTextCursor c(document());
  c.setPosition(position + keep);
  c.setPosition(position + int(inserted.size()), QTextCursor::KeepAnchor);
  c.removeSelectedText();
  limiting_ = false;
}

// ---- UpDown -----------------------------------------------------------------------

UpDown::UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), min_(minimum), max_(maximum) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  auto arrow = [this, v](Qt::ArrowType type, const char* name, const QString& tip, int delta) {
    auto* b = widgets::named<QToolButton>(this, name);
    b->setArrowType(type);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setFixedSize(17, 12);
    connect(b, &QToolButton::clicked, this, [this, delta] { step(delta); });
    v->addWidget(b);
    return b;
  };
  up_ = arrow(Qt::UpArrow, "su", QStringLiteral("Anno successivo"), +1);
  down_ = arrow(Qt::DownArrow, "giu", QStringLiteral("Anno precedente"), -1);
  // The year field cannot be typed into: its arrow keys work the spinner.
  buddy_->installEventFilter(this);
}

void UpDown::step(int delta) {
  bool ok = false;
  int value = buddy_->text().trimmed().toInt(&ok);
  if (!ok) value = min_ - delta;  // not a year: go to the first year of the range
  const int next = qBound(min_, value + delta, max_);
  const QString text = QString::number(next);
  if (buddy_->text() != text) buddy_->setText(text);
  Q_EMIT clicked(delta);
}

void UpDown::reach(int year) {
  min_ = std::min(min_, year);
  max_ = std::max(max_, year);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buddy_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      step(key == Qt::Key_Up ? +1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---- EntryDialog ------------------------------------------------------------------

const QString EntryDialog::kNotSaved = QStringLiteral(
    "Impossibile scrivere nell'archivio: il nuovo dato non è stato salvato. Verificare che "
    "l'archivio non sia protetto da scrittura o in uso da un altro programma, quindi riprovare.");
const QString EntryDialog::kChangeNotSaved = QStringLiteral(
    "Impossibile scrivere nell'archivio: la modifica non è stata salvata. Verificare che "
    "l'archivio non sia protetto da scrittura o in uso da un altro programma, quindi riprovare.");
const QString EntryDialog::kSaveCaption = QStringLiteral("&Salva modifiche");

EntryDialog::EntryDialog(AppContext& ctx, QWidget* owner, const QString& title,
                         const QString& objectName)
    : QDialog(owner ? owner : static_cast<QWidget*>(ctx.existingMainWindow())), ctx_(ctx) {
  setObjectName(objectName);
  setWindowTitle(title);
  // A fixed dialog frame: title and close box only; as a child of its owner it
  // is centred on it and has no taskbar entry of its own.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setSizeGripEnabled(false);
}

QVBoxLayout* EntryDialog::makeBody() {
  auto* body = new QVBoxLayout;
  body->setContentsMargins(12, 10, 12, 12);
  body->setSpacing(6);
  return body;
}

void EntryDialog::addNote(QVBoxLayout* body, QLabel* caption, NoteEdit* note, QLabel* limit) {
  body->addWidget(caption);
  body->addWidget(note);
  if (limit) body->addWidget(limit);
}

void EntryDialog::finishBody(QVBoxLayout* body, QPushButton* ok, QPushButton* cancel) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  body->addSpacing(6);
  body->addLayout(buttons);
  ok_ = ok;
  connect(ok, &QPushButton::clicked, this, &EntryDialog::okbutton_Click);
  connect(cancel, &QPushButton::clicked, this, &EntryDialog::cancelbutton_Click);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  v->addWidget(makeBanner());
  v->addWidget(makeRule());
  v->addLayout(body);
  v->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* EntryDialog::makeBanner() {
  auto* strip = widgets::named<QFrame>(this, "banner");
  strip->setAutoFillBackground(true);
  QPalette p = strip->palette();
  p.setColor(QPalette::Window, Qt::white);
  p.setColor(QPalette::WindowText, Qt::black);
  strip->setPalette(p);
  strip->setFrameShape(QFrame::NoFrame);
  auto* h = new QHBoxLayout(strip);
  h->setContentsMargins(10, 8, 10, 8);
  auto* picture = widgets::named<QLabel>(strip, "Image1");
  picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(24, 24));
  h->addWidget(picture);
  auto* text = widgets::named<QLabel>(
      strip, "Label4", QStringLiteral("Inserire nei box sottostanti i dati richiesti."));
  h->addWidget(text, 1);
  return strip;
}

QWidget* EntryDialog::makeRule() {
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QLabel* EntryDialog::makeLabel(const char* name, const QString& caption, QWidget* buddy) {
  auto* l = widgets::label(this, name, caption);
  if (buddy) l->setBuddy(buddy);
  return l;
}

QLineEdit* EntryDialog::makeField(const char* name, const QString& text, int maxLength) {
  auto* f = widgets::named<QLineEdit>(this, name);
  f->setValidator(new LengthLimit(maxLength, f));
  f->setText(text);
  return f;
}

QLineEdit* EntryDialog::makeYearField(const char* name, const QString& text) {
  QLineEdit* f = makeField(name, text, 4);
  f->setReadOnly(true);
  f->setFixedWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  f->setToolTip(QStringLiteral("Usare le frecce per cambiare l'anno"));
  return f;
}

UpDown* EntryDialog::makeSpinner(QLineEdit* year, int minimum, int maximum) {
  auto* u = widgets::named<UpDown>(this, "UpDown1", year, minimum, maximum);
  return u;
}

QHBoxLayout* EntryDialog::yearBox(QLineEdit* year, UpDown* spinner) {
  auto* box = new QHBoxLayout;
  box->setSpacing(0);
  box->addWidget(year);
  box->addWidget(spinner);
  return box;
}

QHBoxLayout* EntryDialog::monthYearRow(QComboBox* month, QLineEdit* year, UpDown* spinner) {
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  row->addWidget(makeLabel("Label1", QStringLiteral("&Mese:"), month));
  row->addWidget(month);
  row->addStretch(1);
  row->addWidget(makeLabel("Label2", QStringLiteral("Anno:"), year));
  row->addLayout(yearBox(year, spinner));
  return row;
}

NoteEdit* EntryDialog::makeNote(const char* name, const QString& text, int maxLength) {
  auto* n = widgets::named<NoteEdit>(this, name, maxLength);
  n->setText(text);
  n->setFixedHeight(n->fontMetrics().lineSpacing() * 3 + 12);
  return n;
}

QComboBox* EntryDialog::makeList(const char* name, const QStringList& entries) {
  auto* c = widgets::named<QComboBox>(this, name);
  c->addItems(entries);
  c->setMaxVisibleItems(12);
  return c;
}

QPushButton* EntryDialog::makeButton(const char* name, const QString& caption) {
  auto* b = widgets::button(this, name, caption);
  b->setAutoDefault(false);
  return b;
}

void EntryDialog::filterDecimalPoint(QLineEdit* field) {
  pointFields_ << field;
  field->installEventFilter(this);
}

void EntryDialog::clearOnBackspace(NoteEdit* field, QPushButton* okButton) {
  backspaceFields_.insert(field, okButton);
  field->installEventFilter(this);
}

bool EntryDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->text() == QLatin1String(".") && pointFields_.contains(watched)) {
      // The decimal comma, whichever key the user reached for.
      QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers(), QStringLiteral(","),
                      key->isAutoRepeat(), ushort(key->count()));
      QApplication::sendEvent(watched, &comma);
      return true;
    }
    if (key->key() == Qt::Key_Backspace && backspaceFields_.contains(watched)) {
      static_cast<NoteEdit*>(watched)->clear();
      backspaceFields_.value(watched)->setEnabled(false);
      return false;
    }
  }
  return QDialog::eventFilter(watched, event);
}

QString EntryDialog::remembered(const QString& section, const QString& key,
                                const QString& fallback) const {
  const QString v = ctx_.settings().value(section, key);
  return v.isEmpty() ? fallback : v;
}

void EntryDialog::remember(const QString& section, const QString& key, const QString& value) {
  ctx_.settings().setValue(section, key, value);
}

Recordset* EntryDialog::recordset(ArchiveKind kind) const {
  MainWindow* main = ctx_.existingMainWindow();
  Recordset* rs = main ? &main->recordset(kind) : nullptr;
  return rs && rs->isOpen() ? rs : nullptr;
}

bool EntryDialog::saveRecord(ArchiveKind kind, const records::Record& fields, bool moveLast) {
  Recordset* rs = recordset(kind);
  bool ok = rs != nullptr;
  if (ok && isEditing()) {
    // The record is found by its key, and only the fields it names change.
    const int row = rs->rowOf(editKey_);
    QStringList values = rs->values(row);
    ok = row >= 0;
    for (const auto& [name, value] : fields) {
      const int column = rs->fieldIndex(name);
      if (column < 0) {
        ok = false;
        break;
      }
      values[column] = value;
    }
    ok = ok && rs->updateRecord(row, values);
    if (!ok) ctx_.dialogs().message(this, kChangeNotSaved, MsgIcon::Critical, MsgButtons::Ok);
    return ok;
  }
  if (ok) {
    const int before = rs->position();
    rs->addNew();
    for (const auto& [name, value] : fields) {
      // A field missing from the table would leave a record without it.
      if (!rs->setField(name, value)) {
        ok = false;
        break;
      }
    }
    if (ok) {
      ok = rs->update();
    } else {
      rs->cancelUpdate();
    }
    if (ok) {
      if (moveLast) {
        rs->moveLast();
      } else {
        rs->setPosition(before);
      }
    }
  }
  if (!ok) ctx_.dialogs().message(this, kNotSaved, MsgIcon::Critical, MsgButtons::Ok);
  return ok;
}

std::optional<QStringList> EntryDialog::storedTexts(ArchiveKind kind, int row) const {
  Recordset* rs = recordset(kind);
  if (!rs || row < 0 || row >= rs->recordCount()) return std::nullopt;
  QStringList texts;
  for (const QString& name : records::columns(kind)) {
    const int column = rs->fieldIndex(name);
    if (column < 0) return std::nullopt;
    texts << rs->value(row, column);
  }
  return texts;
}

void EntryDialog::beginEdit(ArchiveKind kind, int row) {
  Recordset* rs = recordset(kind);
  editKey_ = rs ? rs->key(row) : -1;
  if (ok_) ok_->setText(kSaveCaption);
}

void EntryDialog::fill(QLineEdit* field, const QString& text) {
  auto* limit = dynamic_cast<const LengthLimit*>(field->validator());
  if (limit && text.size() > limit->maximum())
    field->setValidator(new LengthLimit(int(text.size()), field));
  field->setText(text);
  field->setProperty(kStored, text);
  field->setProperty(kShown, field->text());
}

void EntryDialog::fill(NoteEdit* field, const QString& text) {
  field->setText(text);
  field->setProperty(kStored, text);
  field->setProperty(kShown, field->text());
}

void EntryDialog::fillYear(QLineEdit* year, UpDown* spinner, const QString& text) {
  spinner->reach(text.toInt());
  fill(year, text);
}

QString EntryDialog::storedText(const QLineEdit* field) { return storedOr(field, field->text()); }

QString EntryDialog::storedText(const NoteEdit* field) { return storedOr(field, field->text()); }

bool EntryDialog::fitsRules() {
  Timer1_Timer();
  return ok_ && ok_->isEnabledTo(this);
}

QStringList EntryDialog::duplicateMonth(ArchiveKind kind, const QString& monthAndYear) const {
  Recordset* rs = recordset(kind);
  if (!rs) return {};
  const int self = isEditing() ? rs->rowOf(editKey_) : -1;
  if (rs->findRow(records::columns(kind).first(), monthAndYear, self) < 0) return {};
  return {entrychecks::duplicateMonth(monthAndYear)};
}

QTimer* EntryDialog::makeTimer(int interval) {
  auto* t = widgets::named<QTimer>(this, "Timer1");
  t->setInterval(interval);
  connect(t, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  t->start();
  return t;
}

void EntryDialog::setEnabledIfChanged(QPushButton* button, bool enabled) {
  if (button->isEnabledTo(button->window()) != enabled) button->setEnabled(enabled);
}
