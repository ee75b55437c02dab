#include "tools/dialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/savable.h"
#include "common/widgets.h"
#include "rules/textfile.h"

Dialog::Dialog(AppContext& ctx)
    : ToolWindow(ctx, ctx.mainWindow(), "Dialog", QStringLiteral("Appunti"),
                 Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                     Qt::WindowCloseButtonHint) {
  Text1 = widgets::named<QPlainTextEdit>(this, "Text1");
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setAccessibleName(QStringLiteral("Appunti"));

  const auto makeButton = [this](const char* name, const QString& caption, const QString& tip) {
    return widgets::button(this, name, caption, tip);
  };
  okbutton = makeButton("okbutton", QStringLiteral("&Salva..."),
                        QStringLiteral("Salva gli Appunti con nome"));
  okbutton->setDefault(true);
  Command1 = makeButton("Command1", QStringLiteral("C&opia contenuto"),
                        QStringLiteral("Copia gli Appunti"));
  Command2 =
      makeButton("Command2", QStringLiteral("S&tampa..."), QStringLiteral("Stampa gli Appunti"));
  cancelbutton = makeButton("cancelbutton", QStringLiteral("&Chiudi"), {});

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {okbutton, Command1, Command2}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(cancelbutton);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(Text1, 1);
  layout->addLayout(buttons);
  setFixedSize(520, 300);

  connect(okbutton, &QPushButton::clicked, this, &Dialog::okbutton_Click);
  connect(Command1, &QPushButton::clicked, this, &Dialog::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Dialog::Command2_Click);
  connect(cancelbutton, &QPushButton::clicked, this, &Dialog::cancelbutton_Click);

  // Loading the window presses the notes button and checks the menu entry.
  segnaAperta(true);
  Text1->setFocus();
}

QString Dialog::nomeNonValido(const QString& name) {
  if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
    return QStringLiteral("Il nome del file non può contenere i caratteri \"/\" e \"\\\".");
  for (QChar c : name)
    if (c.unicode() < 0x20 || c.unicode() == 0x7f)
      return QStringLiteral("Il nome del file non può contenere caratteri di controllo.");
  if (name == QLatin1String(".") || name == QLatin1String(".."))
    return QStringLiteral("Il nome del file non può essere \".\" o \"..\".");
  if (name.trimmed().isEmpty())
    return QStringLiteral("Il nome del file non può essere composto solo da spazi.");
  if ((name + QStringLiteral(".txt")).toUtf8().size() > 255)
    return QStringLiteral("Il nome del file è troppo lungo.");
  return {};
}

void Dialog::okbutton_Click() { saveChanges(); }

bool Dialog::saveChanges() {
  // Notes the file cannot hold are said before a name is asked for.
  if (!savable(ctx_, this, Text1->toPlainText())) return false;
  // An empty notes folder means the data folder, wherever that lies now; the
  // question names the folder the notes will really go to.
  QString folder = ctx_.config().percorsoAppunti;
  if (folder.isEmpty()) folder = ctx_.dataFolder();
  const std::optional<QString> answer = ctx_.dialogs().inputBox(
      this, QStringLiteral("Specificare il nome del file che sarà salvato in: ") + folder,
      QStringLiteral("Nome file"), QString());
  if (!answer || answer->isEmpty()) return false;

  // The name stays a plain file name inside the notes folder: nothing typed
  // here may lead the file anywhere else.
  const QString why = nomeNonValido(*answer);
  if (!why.isEmpty()) {
    ctx_.dialogs().message(this, why + QStringLiteral(" Gli appunti non sono stati salvati."),
                           MsgIcon::Exclamation);
    return false;
  }
  const QString path = QDir(folder).filePath(*answer + QStringLiteral(".txt"));

  // The text with CR LF line ends, followed by CR LF; an existing file of the
  // same name is replaced.
  if (!textfile::writeLines(path, Text1->toPlainText().split(QLatin1Char('\n')))) {
    ctx_.dialogs().message(this,
                           QStringLiteral("Impossibile scrivere il file ") +
                               QDir::toNativeSeparators(path) +
                               QStringLiteral(". Gli appunti non sono stati salvati."),
                           MsgIcon::Critical);
    return false;
  }
  salvato_ = Text1->toPlainText();
  ctx_.dialogs().message(this, QStringLiteral("Gli appunti sono  stati salvati correttamente"),
                         MsgIcon::Information);
  return true;
}

void Dialog::Command1_Click() {
  ctx_.clipboard().clear();
  ctx_.clipboard().setText(Text1->toPlainText());
}

void Dialog::Command2_Click() {
  // Printing the notes unloads this window: nothing of it may be used afterwards.
  ctx_.mainWindow()->apriStampa(this);
}

void Dialog::cancelbutton_Click() { close(); }

bool Dialog::mayClose() { return unsaved::confirm(ctx_, this, *this); }

void Dialog::closing() { segnaAperta(false); }

void Dialog::reject() {
  // Esc would throw the unsaved notes away with one key: it does nothing here.
}

void Dialog::segnaAperta(bool open) { ctx_.mainWindow()->markNotesOpen(open); }
