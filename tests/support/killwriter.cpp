// Writes the data files round after round with the program's own code until
// it is killed (tst_killedwrite does that): the sheet file, the
// configuration, one archive record, a month of the daily history, the
// backup's copies of the sheet and the archive, and a safety copy of the data
// folder with its rotation. Round v writes version v.
//
// usage: killwriter FOLDER FIRST [LAST]   (without LAST it never stops)

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "backup/copia.h"
#include "killwrite.h"
#include "rules/datafolder.h"
#include "rules/recordset.h"
#include "rules/safetycopy.h"
#include "rules/sheetfile.h"

namespace {

// Unbuffered, so that what is reported done was done before a kill.
void report(const QString& line) {
  const QByteArray bytes = (line + u'\n').toUtf8();
  if (::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size())) != bytes.size()) ::_exit(3);
}

int fail(const QString& what, const QString& why) {
  std::fprintf(stderr, "killwriter: %s: %s\n", qPrintable(what), qPrintable(why));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 3) return fail("usage", "killwriter FOLDER FIRST [LAST]");
  const QDir folder(args[1]);
  const qint64 first = args[2].toLongLong();
  const qint64 last = args.size() > 3 ? args[3].toLongLong() : -1;
  QString error;
  if (!datafolder::layOut(folder.path(), &error)) return fail("layout", error);
  if (!folder.mkpath(killwrite::kCopies)) return fail("layout", killwrite::kCopies);

  Recordset archive;
  if (!archive.connect(folder.filePath(killwrite::kArchive), &error) || !archive.open(&error))
    return fail("archive", error);
  DailyHistory history;
  if (!history.open(folder.filePath(DailyHistory::kFileName), &error))
    return fail("history", error);

  const QString sheet = folder.filePath(killwrite::kSheet);
  const QString copies = folder.filePath(killwrite::kCopies) + u'/';
  report(QStringLiteral("start"));
  for (qint64 v = first; last < 0 || v <= last; ++v) {
    for (const QString& what : killwrite::kWrites) {
      bool ok = false;
      if (what == QLatin1String("sheet")) {
        ok = sheetfile::write(sheet, killwrite::sheet(v), &error);
      } else if (what == QLatin1String("config")) {
        ok = killwrite::config(v).write(folder.filePath(StationConfig::kFileName), &error);
      } else if (what == QLatin1String("archive")) {
        archive.addNew();
        for (const QString& field : archive.fieldNames())
          archive.setField(field, killwrite::recordField(v));
        ok = archive.update(&error);
      } else if (what == QLatin1String("history")) {
        ok = history.write(killwrite::month(v), QStringLiteral("prova"), &error);
      } else if (what == QLatin1String("copy")) {
        ok = copiaFile(sheet, copies + killwrite::kSheet);
      } else if (what == QLatin1String("copydb")) {
        ok = copiaFile(folder.filePath(killwrite::kArchive), copies + killwrite::kArchive);
      } else {
        safetycopy::Failure failure;
        ok = safetycopy::make(
            folder.path(), killwrite::kFirstCopy.addSecs(v),
            killwrite::beforeRestore(v) ? folder.filePath(killwrite::kCopies) : QString(), nullptr,
            &failure);
        if (!ok) error = safetycopy::describe(failure);
      }
      if (!ok) return fail(what, error);
      report(what + u' ' + QString::number(v));
    }
  }
  return 0;
}
