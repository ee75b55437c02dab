#pragma once
// Makes a new SQLite file in rollback-journal mode from its statements, all
// of them or none: on any failure the half-made file is removed.

#include <QString>
#include <QStringList>

namespace sqlitefile {

bool create(const QString& path, const QStringList& statements, QString* error = nullptr);

}  // namespace sqlitefile
