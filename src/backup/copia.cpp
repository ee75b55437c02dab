#include "copia.h"

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

#include <vector>

namespace {

QString giornale(const QString& archivio) { return archivio + QStringLiteral("-journal"); }

// Makes the rename of a file that replaced another survive a power cut.
void sincronizzaCartella(const QString& file) {
  const int fd =
      ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool sistemaGiornale(const QString& archivio) {
  if (!QFileInfo::exists(giornale(archivio))) return true;
  const QString nome = QStringLiteral("giornale-") + QUuid::createUuid().toString(QUuid::Id128);
  bool ok = false;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    // mode=rw opens an existing file only: nothing is ever created here.
    const QUrl uri = QUrl::fromLocalFile(QFileInfo(archivio).absoluteFilePath());
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (db.open()) {
      // The first read rolls a hot journal back into the archive.
      QSqlQuery q(db);
      ok = q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && q.next();
      q.finish();
      db.close();
    }
  }
  QSqlDatabase::removeDatabase(nome);
  return ok;
}

bool copiaFile(const QString& sorgente, const QString& destinazione) {
  const bool archivio = sorgente.endsWith(QStringLiteral(".mdb"));
  // An archive whose write was cut short is copied only once SQLite has
  // rolled it back; the old archive at the destination is settled too, so
  // that it stays whole should the copy fail.
  if (archivio) {
    if (!sistemaGiornale(sorgente)) return false;
    if (destinazione != sorgente) sistemaGiornale(destinazione);
  }

  QFile da(sorgente);
  if (!da.open(QIODevice::ReadOnly)) return false;

  // QSaveFile writes beside the target and renames over it on commit; it
  // discards its temporary file when it is destroyed without a commit.
  QSaveFile a(destinazione);
  if (!a.open(QIODevice::WriteOnly)) return false;

  std::vector<char> buffer(256 * 1024);
  for (;;) {
    const qint64 letti = da.read(buffer.data(), qint64(buffer.size()));
    if (letti < 0) return false;
    if (letti == 0) break;
    if (a.write(buffer.data(), letti) != letti) return false;
  }

  // Keep the source's modification time, as a copy made by the system does;
  // written after the last byte is flushed so that the commit cannot move it.
  if (!a.flush()) return false;
  a.setFileTime(QFileInfo(da).lastModified(), QFileDevice::FileModificationTime);
  // A journal left at the destination belongs to the file being replaced:
  // beside the new one SQLite would play it back into it.
  if (archivio && QFileInfo::exists(giornale(destinazione)) &&
      !QFile::remove(giornale(destinazione)))
    return false;
  if (!a.commit()) return false;
  sincronizzaCartella(destinazione);
  return true;
}

QStringList rimuoviCopieInterrotte(const QString& cartella) {
  QStringList nomi;
  for (const Passo& passo : kPassi)
    nomi << QRegularExpression::escape(QString::fromLatin1(passo.nome).mid(1));
  // What QSaveFile leaves when it is killed: the file's name and six letters or digits.
  const QRegularExpression copia(QStringLiteral("^(%1)\\.[A-Za-z0-9]{6}$").arg(nomi.join(u'|')));
  QStringList rimossi;
  const QDir dir(cartella);
  for (const QString& nome : dir.entryList(QDir::Files | QDir::Hidden)) {
    if (copia.match(nome).hasMatch() && QFile::remove(dir.filePath(nome))) rimossi << nome;
  }
  return rimossi;
}

bool copiaPasso(const Passo& passo, const QString& origine, const QString& destinazione) {
  const QString nome = QString::fromLatin1(passo.nome);
  if (passo.facoltativo && !QFileInfo::exists(origine + nome)) return true;
  return copiaFile(origine + nome, destinazione + nome);
}
