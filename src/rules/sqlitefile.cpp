#include "rules/sqlitefile.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

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

}  // namespace sqlitefile
