// The main window's checks at the load: each archive before it is opened,
// and the day's safety copy of the data file set.

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
  const archivecheck::Result found =
      archivecheck::check(ctx_.dataPath(fileName), archivecheck::expectedColumns(fileName));
  auto tell = [this](const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok) {
    return ctx_.dialogs().message(this, text, icon, buttons, kTitle);
  };
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
      break;
  }
  // A damaged archive is never written without the keeper's word.
  const std::optional<safetycopy::Copy> copy = safetycopy::newestSound(ctx_.dataFolder(), fileName);
  if (!copy) {
    unsound_ = true;
    tell(damagedText(fileName, found.detail) + kNl2 +
             QStringLiteral("Nessuna copia di sicurezza ne contiene una versione integra: ") +
             kReadOnly,
         MsgIcon::Critical);
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
  if (tell(question, MsgIcon::Exclamation, MsgButtons::YesNo) != MsgAnswer::Yes) {
    unsound_ = true;
    return Opening::ReadOnly;
  }
  QString kept, error;
  if (!safetycopy::restoreArchive(ctx_.dataFolder(), fileName, *copy, ctx_.platform().now().date(),
                                  &kept, &error)) {
    unsound_ = true;
    tell(QStringLiteral("Impossibile ripristinare l'archivio %1 dalla copia di sicurezza.")
                 .arg(fileName) +
             kNl2 + QStringLiteral("Dettaglio: ") + error + kNl2 +
             QStringLiteral("Il file danneggiato resta al suo posto: ") + kReadOnly,
         MsgIcon::Critical);
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
  if (safetycopy::make(ctx_.dataFolder(), now, nullptr, &error)) return;
  ctx_.dialogs().message(
      this,
      QStringLiteral("Impossibile fare la copia di sicurezza giornaliera dei dati.") + kNl2 +
          QStringLiteral("Dettaglio: ") + error + kNl2 +
          QStringLiteral("Nubilario si avvia comunque; la copia sarà ritentata al prossimo avvio."),
      MsgIcon::Exclamation, MsgButtons::Ok, kTitle);
}
