#pragma once
// Makes a new SQLite file in rollback-journal mode from its statements, all
// of them or none: on any failure the half-made file is removed. Also the two
// things every piece of SQL of the program shares: identifiers quoted by us,
// and SQLite's own words about a failure turned into Italian for the keeper.

#include <QString>
#include <QStringList>

namespace sqlitefile {

bool create(const QString& path, const QStringList& statements, QString* error = nullptr);

// An identifier (table or column name) as SQL reads it: always between double
// quotes, every double quote inside doubled. A name that comes from a file
// (a column of someone's archive) never becomes SQL of its own.
QString quoted(const QString& identifier);

// A failure's text split for the keeper: `text` says it in Italian, keeping
// what the program itself wrote before SQLite's or Qt's own words ("neve.mdb:
// il file è in uso da un altro programma"); `technical` holds those words
// ("database is locked Impossibile ottenere la riga"), empty when there are
// none. A text with no such words comes back whole as `text`.
struct Explained {
  QString text;
  QString technical;
};
Explained explain(const QString& error);

// Whether SQLite's words say that another connection holds the file (busy or
// locked): never a sign of damage.
bool isBusy(const QString& error);

}  // namespace sqlitefile
