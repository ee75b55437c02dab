#include "archive/modificadato.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "rules/recordset.h"

namespace {

// Nothing here is cut short: the texts came from the archive as they are.
constexpr int kNoLimit = 1 << 20;

// The columns the entry dialogs type as notes, several lines each.
bool isNote(const QString& column) {
  return column.compare(QStringLiteral("Osservazioni"), Qt::CaseInsensitive) == 0 ||
         column.compare(QStringLiteral("Caratteristiche/eventuali dati"), Qt::CaseInsensitive) == 0;
}

}  // namespace

modificadato::modificadato(AppContext& ctx, ArchiveKind kind, QWidget* owner)
    : EntryDialog(ctx, owner, QStringLiteral("Modifica dato"), QStringLiteral("modificadato")),
      kind_(kind) {}

bool modificadato::editRecord(int row) {
  MainWindow* main = ctx_.existingMainWindow();
  Recordset* rs = main ? &main->recordset(kind_) : nullptr;
  if (!rs || !rs->isOpen() || row < 0 || row >= rs->recordCount() || !campo.isEmpty()) return false;
  columns_ = rs->fieldNames();
  const QStringList texts = rs->values(row);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  for (int c = 0; c < columns_.size(); ++c) {
    const QByteArray name = "campo_" + QByteArray::number(c);
    const QString& text = texts[c];
    QWidget* field = nullptr;
    if (isNote(columns_[c]) || text.contains(QLatin1Char('\n')) ||
        text.contains(QLatin1Char('\r'))) {
      NoteEdit* note = makeNote(name.constData(), QString(), kNoLimit);
      note->setMinimumWidth(380);
      fill(note, text);
      field = note;
    } else {
      QLineEdit* line = makeField(name.constData(), QString(), kNoLimit);
      line->setMinimumWidth(380);
      fill(line, text);
      field = line;
    }
    // A column name is shown as it is: an "&" in it is no shortcut.
    QString caption = columns_[c];
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    grid->addWidget(makeLabel(("Label_" + QByteArray::number(c)).constData(),
                              caption + QLatin1Char(':'), field),
                    c, 0, Qt::AlignTop);
    grid->addWidget(field, c, 1);
    campo << field;
  }
  okbutton = makeButton("okbutton", kSaveCaption);
  okbutton->setDefault(true);
  cancelbutton = makeButton("cancelbutton", QStringLiteral("Ann&ulla"));

  QVBoxLayout* body = makeBody();
  body->addLayout(grid);
  finishBody(body, okbutton, cancelbutton);
  beginEdit(kind_, row);
  return true;
}

void modificadato::okbutton_Click() {
  records::Record fields;
  for (int c = 0; c < campo.size(); ++c) {
    QWidget* field = campo[c];
    const QString text = qobject_cast<NoteEdit*>(field)
                             ? storedText(static_cast<NoteEdit*>(field))
                             : storedText(static_cast<QLineEdit*>(field));
    fields.append({columns_[c], text});
  }
  if (saveRecord(kind_, fields, false)) accept();
}
