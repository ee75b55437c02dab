#include "rules/sqlitefile.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <utility>

namespace sqlitefile {

bool create(const QString& path, const QStringList& statements, QString* error) {
  const QString name = QStringLiteral("create-") + QUuid::createUuid().toString(QUuid::Id128);
  bool ok = false;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    if (db.open()) {
      QSqlQuery q(db);
      ok = q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
      for (const QString& s : statements) ok = ok && q.exec(s);
      if (!ok && error) *error = q.lastError().text();
      db.close();
    } else if (error) {
      *error = db.lastError().text();
    }
  }
  QSqlDatabase::removeDatabase(name);
  if (!ok) QFile::remove(path);
  return ok;
}

QString quoted(const QString& identifier) {
  return u'"' + QString(identifier).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

namespace {

// SQLite's messages (and those of its integrity checks) with what they mean
// for the keeper; the first found in a text gives its meaning.
const std::pair<const char*, const char*> kMeanings[] = {
    {"database is locked", "il file è in uso da un altro programma"},
    {"database table is locked", "il file è in uso da un altro programma"},
    {"attempt to write a readonly database", "il file si può solo leggere, non modificare"},
    {"readonly database", "il file si può solo leggere, non modificare"},
    {"database or disk is full", "spazio esaurito sul dispositivo"},
    {"disk I/O error", "errore di lettura o scrittura sul dispositivo"},
    {"unable to open database file", "il file non si può aprire"},
    {"file is not a database", "il file non è un archivio leggibile"},
    {"database disk image is malformed", "il contenuto del file è danneggiato"},
    {"*** in database", "la struttura interna del file è danneggiata"},
    {"missing from index", "gli indici del file non corrispondono ai dati"},
    {"wrong # of entries in index", "gli indici del file non corrispondono ai dati"},
    {"non-unique entry in index", "gli indici del file non corrispondono ai dati"},
    {"btreeInitPage", "la struttura interna del file è danneggiata"},
    {"Fragmentation of", "la struttura interna del file è danneggiata"},
    {"Multiple uses for byte", "la struttura interna del file è danneggiata"},
    {"NULL value in", "un dato del file non è valido"},
    {"no such table", "nel file manca una tabella attesa"},
    {"no such column", "nel file manca una colonna attesa"},
    {"has no column named", "nel file manca una colonna attesa"},
    {"constraint failed", "un vincolo dell'archivio impedisce la scrittura"},
    {"string or blob too big", "un testo è troppo lungo per l'archivio"},
    {"out of memory", "memoria insufficiente"},
    {"access permission denied", "permesso negato"},
    {"database schema has changed", "il file è stato modificato da un altro programma"},
};

// The other lines of SQLite's integrity check, as they begin a line:
// "Page 2: ...", "Tree 3 page 4 cell 0: ...", "row 34 missing from index ...".
const QRegularExpression& reportLine() {
  static const QRegularExpression line(QStringLiteral(
      "(?:^|\\n)((?:Page \\d+|Tree \\d+ page \\d+|On tree page \\d+|row \\d+ missing|Freelist: )"
      ")"));
  return line;
}

// Qt's own words after SQLite's, in English or in its Italian translation.
const char* const kQtWords[] = {
    "Unable to fetch row",
    "Impossibile ottenere la riga",
    "Unable to execute statement",
    "Impossibile eseguire l'istruzione",
    "Error opening database",
    "Errore di apertura del database",
    "Unable to begin transaction",
    "Impossibile avviare la transazione",
    "Unable to commit transaction",
    "Impossibile effettuare la transazione",
    "Unable to rollback transaction",
    "Impossibile annullare la transazione",
    "Parameter count mismatch",
    "Numero di parametri non corrispondente",
    "Unable to bind parameters",
    "Impossibile effettuare il bind dei parametri",
    "Error closing database",
    "Unable to prepare statement",
    "Impossibile preparare l'istruzione",
};

}  // namespace

Explained explain(const QString& error) {
  qsizetype start = -1;
  auto earliest = [&](const char* words) {
    const qsizetype at = error.indexOf(QLatin1String(words));
    if (at >= 0 && (start < 0 || at < start)) start = at;
  };
  for (const auto& [words, meaning] : kMeanings) earliest(words);
  for (const char* words : kQtWords) earliest(words);
  const QRegularExpressionMatch line = reportLine().match(error);
  if (line.hasMatch() && (start < 0 || line.capturedStart(1) < start))
    start = line.capturedStart(1);
  if (start < 0) return {error, {}};
  const QString technical = error.mid(start).trimmed();
  QString meaning = reportLine().match(technical).hasMatch()
                        ? QStringLiteral("la struttura interna del file è danneggiata")
                        : QStringLiteral("errore nell'accesso all'archivio");
  for (const auto& [words, italian] : kMeanings)
    if (technical.contains(QLatin1String(words))) {
      meaning = QString::fromUtf8(italian);
      break;
    }
  return {error.left(start) + meaning, technical};
}

bool isBusy(const QString& error) {
  return error.contains(QLatin1String("database is locked")) ||
         error.contains(QLatin1String("database table is locked"));
}

}  // namespace sqlitefile
