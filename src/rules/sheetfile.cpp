#include "rules/sheetfile.h"

#include "rules/textfile.h"

namespace sheetfile {

namespace {
// Blanks only: other white space is the keeper's text.
QString trimBlanks(const QString& s) {
  qsizetype begin = 0;
  qsizetype end = s.size();
  while (begin < end && s.at(begin) == QLatin1Char(' ')) ++begin;
  while (end > begin && s.at(end - 1) == QLatin1Char(' ')) --end;
  return s.mid(begin, end - begin);
}
}  // namespace

QString composeLine(const QStringList& fields) {
  QString line;
  for (const QString& f : fields) line += trimBlanks(f) + QLatin1Char('|');
  return line;
}

void read(const QString& path, QStringList& fields) {
  // One line is all a sheet file holds: a huge file is not read beyond it.
  const auto lines = textfile::readLines(path, 1, kMaxBytes);
  // An empty line splits into no pieces at all: every field keeps its text.
  if (!lines || lines->isEmpty() || lines->first().isEmpty()) return;
  const QStringList pieces = lines->first().split(QLatin1Char('|'));
  for (int i = 0; i < fields.size() && i < pieces.size(); ++i) fields[i] = pieces[i];
}

bool write(const QString& path, const QStringList& fields, QString* error) {
  return textfile::write(path, composeLine(fields) + QStringLiteral("\r\n"), error);
}

bool writeInitial(const QString& path, const Sheet& sheet, QString* error) {
  return write(path, QStringList(sheet.cells, QLatin1String(sheet.initialCell)), error);
}

}  // namespace sheetfile
