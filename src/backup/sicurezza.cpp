#include "sicurezza.h"

#include "copia.h"

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kIncompleta = QStringLiteral(".incompleta");
const QString kFormato = QStringLiteral("yyyy-MM-dd HH.mm.ss");

QString cartellaCopie(const QString& cartellaDati) {
  return QDir(cartellaDati).filePath(QString::fromUtf8(kCartellaCopie));
}

void sincronizza(const QString& cartella) {
  const int fd = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Every copy with its own name, complete or not.
QList<CopiaSicurezza> copieConNome(const QString& cartellaDati) {
  static const QRegularExpression nome(
      QStringLiteral("^(\\d{4}-\\d{2}-\\d{2} \\d{2}\\.\\d{2}\\.\\d{2})(?: \\((\\d+)\\))?$"));
  QList<CopiaSicurezza> copie;
  const QDir radice(cartellaCopie(cartellaDati));
  for (const QString& voce : radice.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QRegularExpressionMatch m = nome.match(voce);
    const QDateTime quando = QDateTime::fromString(m.captured(1), kFormato);
    if (!m.hasMatch() || !quando.isValid()) continue;
    copie.append(
        {radice.filePath(voce), quando, m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()});
  }
  std::sort(copie.begin(), copie.end(), [](const CopiaSicurezza& a, const CopiaSicurezza& b) {
    return a.quando != b.quando ? a.quando > b.quando : a.progressivo > b.progressivo;
  });
  return copie;
}

bool stessaCartella(const QString& a, const QString& b) {
  const QString ca = QFileInfo(a).canonicalFilePath();
  return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

}  // namespace

QList<CopiaSicurezza> copieSicurezza(const QString& cartellaDati) {
  QList<CopiaSicurezza> utili;
  for (const CopiaSicurezza& c : copieConNome(cartellaDati)) {
    const bool intera = std::all_of(kPassi.cbegin(), kPassi.cend(), [&c](const Passo& p) {
      return p.facoltativo || QFileInfo::exists(c.percorso + QString::fromLatin1(p.nome));
    });
    if (intera) utili.append(c);
  }
  return utili;
}

bool faiCopiaSicurezza(const QString& cartellaDati, const QDateTime& ora, const QString& daTenere,
                       QString* errore) {
  auto fallita = [errore](const QString& perche) {
    if (errore) *errore = perche;
    return false;
  };
  QList<Passo> presenti;
  for (const Passo& p : kPassi)
    if (QFileInfo::exists(cartellaDati + QString::fromLatin1(p.nome))) presenti.append(p);
  if (presenti.isEmpty()) return true;

  const QString radice = cartellaCopie(cartellaDati);
  // What a copy cut short left behind goes first.
  for (const QString& voce : QDir(radice).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    if (voce.endsWith(kIncompleta)) QDir(QDir(radice).filePath(voce)).removeRecursively();
  if (!QDir().mkpath(radice)) return fallita(QStringLiteral("impossibile creare ") + radice);

  const QString base = ora.toString(kFormato);
  QString nome = base;
  for (int n = 2; QFileInfo::exists(QDir(radice).filePath(nome)) ||
                  QFileInfo::exists(QDir(radice).filePath(nome + kIncompleta));
       ++n)
    nome = QStringLiteral("%1 (%2)").arg(base).arg(n);
  const QString parziale = QDir(radice).filePath(nome + kIncompleta);
  if (!QDir().mkdir(parziale)) return fallita(QStringLiteral("impossibile creare ") + parziale);
  for (const Passo& p : presenti) {
    const QString file = QString::fromLatin1(p.nome);
    if (!copiaFile(cartellaDati + file, parziale + file)) {
      QDir(parziale).removeRecursively();
      return fallita(QStringLiteral("impossibile copiare il file ") + file.mid(1));
    }
  }
  sincronizza(parziale);
  if (!QDir(radice).rename(nome + kIncompleta, nome)) {
    QDir(parziale).removeRecursively();
    return fallita(QStringLiteral("impossibile completare ") + QDir(radice).filePath(nome));
  }
  sincronizza(radice);

  // Renamed before removal: a removal cut short leaves a leftover, never a
  // copy with files missing.
  const QList<CopiaSicurezza> copie = copieConNome(cartellaDati);
  int tenute = 0;
  for (const CopiaSicurezza& c : copie) {
    if (stessaCartella(c.percorso, daTenere) || ++tenute <= kCopieTenute) continue;
    if (QDir().rename(c.percorso, c.percorso + kIncompleta))
      QDir(c.percorso + kIncompleta).removeRecursively();
  }
  return true;
}

QString descriviCopia(const CopiaSicurezza& copia) {
  return QLocale(QLocale::Italian, QLocale::Italy)
      .toString(copia.quando, QStringLiteral("d MMMM yyyy 'alle' HH:mm:ss"));
}
