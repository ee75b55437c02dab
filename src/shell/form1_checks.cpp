// The main window's checks at the load: each archive before it is opened,
// and the day's safety copy of the data file set.

#include <QDir>

#include "common/appcontext.h"
#include "rules/archivecheck.h"
#include "rules/safetycopy.h"
#include "shell/form1.h"

namespace {

const QString kNl2 = QStringLiteral("\r\n\r\n");
const QString kReadOnly =
    QStringLiteral("l'archivio viene aperto in sola lettura, per consultarlo senza modificarlo.");

QString damagedText(const QString& fileName, const QString& detail) {
  return QStringLiteral("Il file %1 è danneggiato.").arg(fileName) + kNl2 +
         QStringLiteral("Dettaglio: ") + detail;
}

}  // namespace

Form1::Opening Form1::checkArchive(const QString& fileName) {
  auto tell = [this](const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok,
                     const QString& details = {}) {
    return ctx_.dialogs().message(this, text, icon, buttons, kTitle, details);
  };
  archivecheck::Result found;
  // A file another program holds is in use, not damaged: the keeper may
  // close that program and try again, and nothing is restored over it.
  for (;;) {
    found = archivecheck::check(ctx_.dataPath(fileName), archivecheck::expectedColumns(fileName));
    if (found.state != archivecheck::State::Busy) break;
    const QString text =
        QStringLiteral("Il file %1 è in uso da un altro programma, che lo tiene bloccato.")
            .arg(fileName) +
        kNl2 +
        QStringLiteral(
            "Chiudere l'altro programma e premere «Riprova»; con «Annulla» l'archivio "
            "non viene aperto.");
    if (tell(text, MsgIcon::Exclamation, MsgButtons::RetryCancel, found.technical) !=
        MsgAnswer::Retry) {
      unsound_ = true;
      return Opening::Refused;
    }
  }
  switch (found.state) {
    case archivecheck::State::Ok:
    case archivecheck::State::Missing:  // told as always, by the connection
      return Opening::Normal;
    case archivecheck::State::NotArchive:
      unsound_ = true;
      tell(QStringLiteral("Il file %1 non è un archivio di Nubilario: %2.")
               .arg(fileName, found.detail),
           MsgIcon::Critical);
      return Opening::Refused;
    case archivecheck::State::Damaged:
    case archivecheck::State::Busy:
      break;
  }
  // A damaged archive is never written without the keeper's word.
  const std::optional<safetycopy::Copy> copy = safetycopy::newestSound(ctx_.dataFolder(), fileName);
  if (!copy) {
    unsound_ = true;
    tell(damagedText(fileName, found.detail) + kNl2 +
             QStringLiteral("Nessuna copia di sicurezza ne contiene una versione integra: ") +
             kReadOnly,
         MsgIcon::Critical, MsgButtons::Ok, found.technical);
    return Opening::ReadOnly;
  }
  const QString question =
      damagedText(fileName, found.detail) + kNl2 +
      QStringLiteral("Ripristinarlo dalla copia di sicurezza del %1?")
          .arg(safetycopy::describe(*copy)) +
      kNl2 +
      QStringLiteral(
          "Sì: il file danneggiato viene conservato con un altro nome e al suo posto va "
          "l'archivio della copia (ciò che è stato inserito dopo la copia resta solo nel "
          "file danneggiato).\r\nNo: ") +
      kReadOnly;
  if (tell(question, MsgIcon::Exclamation, MsgButtons::YesNo, found.technical) != MsgAnswer::Yes) {
    unsound_ = true;
    return Opening::ReadOnly;
  }
  QString kept, error;
  if (!safetycopy::restoreArchive(ctx_.dataFolder(), fileName, *copy, ctx_.platform().now().date(),
                                  &kept, &error)) {
    unsound_ = true;
    ctx_.dialogs().failure(
        this,
        QStringLiteral("Impossibile ripristinare l'archivio %1 dalla copia di sicurezza.")
            .arg(fileName),
        error, kNl2 + QStringLiteral("Il file danneggiato resta al suo posto: ") + kReadOnly);
    return Opening::ReadOnly;
  }
  tell(
      QStringLiteral("L'archivio %1 è stato ripristinato dalla copia di sicurezza del %2.")
              .arg(fileName, safetycopy::describe(*copy)) +
          kNl2 +
          QStringLiteral("Il file danneggiato è conservato nella cartella dei dati con il nome %1.")
              .arg(kept),
      MsgIcon::Information);
  return Opening::Normal;
}

void Form1::checkHistory() {
  // A missing history is made when first used, as before; one that is not a
  // history, told of here, is refused there.
  if (checkArchive(DailyHistory::kFileName) == Opening::ReadOnly) ctx_.setHistoryReadOnly();
}

void Form1::dailySafetyCopy() {
  // Copies of an archive left damaged would push the sound ones out of the rotation.
  if (unsound_) return;
  const QDateTime now = ctx_.platform().now();
  if (safetycopy::madeOn(ctx_.dataFolder(), now.date())) return;
  QString error;
  if (!safetycopy::make(ctx_.dataFolder(), now, nullptr, &error)) {
    ctx_.dialogs().failure(
        this, QStringLiteral("Impossibile fare la copia di sicurezza giornaliera dei dati."), error,
        kNl2 + QStringLiteral(
                   "Nubilario si avvia comunque; la copia sarà ritentata al prossimo avvio."),
        MsgIcon::Exclamation);
    return;
  }
  tellStrangers();
}

void Form1::tellStrangers() {
  // Told once: what was told stays in the settings store until it changes.
  const QStringList found = safetycopy::strangers(ctx_.dataFolder());
  const QString key = found.join(u'\n');
  const QString section = QStringLiteral("copie di sicurezza");
  const QString told = QStringLiteral("segnalati");
  if (ctx_.settings().value(section, told) == key) return;
  ctx_.settings().setValue(section, told, key);
  if (found.isEmpty()) return;
  constexpr int kShown = 10;
  QStringList shown = found.mid(0, kShown);
  if (found.size() > kShown)
    shown << QStringLiteral("e altri %1 elementi").arg(found.size() - kShown);
  ctx_.dialogs().message(
      this,
      QStringLiteral("Nella cartella delle copie di sicurezza %1 ci sono elementi che non sono "
                     "copie di Nubilario:")
              .arg(QDir::toNativeSeparators(safetycopy::folder(ctx_.dataFolder()))) +
          kNl2 + shown.join(QStringLiteral("\r\n")) + kNl2 +
          QStringLiteral("Nubilario li lascia come sono e non li elimina mai; questo avviso non "
                         "sarà ripetuto."),
      MsgIcon::Information, MsgButtons::Ok, kTitle);
}
