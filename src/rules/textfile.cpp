#include "rules/textfile.h"

#include <QLocale>

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace textfile {

QByteArray encode(const QString& text) {
  QStringEncoder encoder("windows-1252");
  QByteArray out;
  out.reserve(text.size());
  // Encode character by character so that one character outside the code page
  // becomes "?" instead of spoiling the rest of the text.
  QByteArray whole = encoder.encode(text);
  if (!encoder.hasError()) return whole;
  for (int i = 0; i < text.size(); ++i) {
    int len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    QStringEncoder one("windows-1252");
    QByteArray b = one.encode(QStringView(text).mid(i, len));
    out += one.hasError() ? QByteArray("?") : b;
    i += len - 1;
  }
  return out;
}

QStringList unencodable(const QString& text) {
  QStringList found;
  // encode() only works when its result is taken as bytes.
  QStringEncoder whole("windows-1252");
  const QByteArray all = whole.encode(text);
  if (!whole.hasError()) return found;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    const QString c = text.mid(i, len);
    QStringEncoder one("windows-1252");
    const QByteArray bytes = one.encode(c);
    if (one.hasError() && !found.contains(c)) found << c;
    i += len - 1;
  }
  return found;
}

QString decode(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) {
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
  }
  QStringDecoder ansi("windows-1252");
  return ansi.decode(bytes);
}

std::optional<QString> read(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return decode(bytes);
}

namespace {

QStringList splitLines(const QString& t, int maxLines) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < t.size() && (maxLines < 0 || lines.size() < maxLines); ++i) {
    const QChar c = t.at(i);
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
    lines << t.mid(start, i - start);
    if (c == QLatin1Char('\r') && i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  const QString current = start < t.size() ? t.mid(start) : QString();
  if (!current.isEmpty() && (maxLines < 0 || lines.size() < maxLines)) lines << current;
  return lines;
}

}  // namespace

std::optional<QStringList> readLines(const QString& path) {
  const auto text = read(path);
  if (!text) return std::nullopt;
  return splitLines(*text, -1);
}

std::optional<QStringList> readLines(const QString& path, int maxLines, qint64 maxBytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.read(maxBytes);
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  // Line ends are the same bytes in both encodings: cut after the last line wanted.
  int ends = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes.at(i) != '\r' && bytes.at(i) != '\n') continue;
    if (bytes.at(i) == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') ++i;
    if (++ends == maxLines) {
      bytes.truncate(i + 1);
      break;
    }
  }
  return splitLines(decode(bytes), maxLines);
}

namespace {

bool save(const QString& path, const QByteArray& bytes, InPlace inPlace, QString* error) {
  QSaveFile file(path);
  // Unless asked, never fall back to writing in place: a failure must leave
  // the old file whole.
  file.setDirectWriteFallback(inPlace == InPlace::WhenFolderIsReadOnly);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  if (file.write(bytes) != bytes.size()) {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  // QSaveFile::commit() does not notice a short write of its buffered tail (a
  // full disk): flushing first does, and then the old file is kept.
  if (!file.flush()) {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  // The rename is in the folder: sync it too, or a power cut could undo a
  // save reported done.
  const int dir =
      ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace

bool writeBytes(const QString& path, const QByteArray& bytes, QString* error) {
  return save(path, bytes, InPlace::Never, error);
}

namespace {

// The text written whole, or nothing: a character the code page cannot hold
// would become "?".
bool saveText(const QString& path, const QString& text, InPlace inPlace, QString* error) {
  const QStringList lost = unencodable(text);
  if (!lost.isEmpty()) {
    if (error) *error = QStringLiteral("characters outside Windows-1252: ") + lost.join(u' ');
    return false;
  }
  return save(path, encode(text), inPlace, error);
}

QString joinLines(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return text;
}

}  // namespace

bool write(const QString& path, const QString& text, QString* error) {
  return saveText(path, text, InPlace::Never, error);
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
  return saveText(path, joinLines(lines), InPlace::Never, error);
}

bool writeLines(const QString& path, const QStringList& lines, InPlace inPlace, QString* error) {
  return saveText(path, joinLines(lines), inPlace, error);
}

namespace {
QString bounded(const QString& text, const QString& open, const QString& close) {
  if (text.size() <= kQuotedChars + kQuotedChars / 2) return open + text + close;
  return open + text.left(kQuotedChars) + QStringLiteral("…") + close +
         QStringLiteral(" (%1 caratteri)")
             .arg(QLocale(QLocale::Italian, QLocale::Italy).toString(qlonglong(text.size())));
}
}  // namespace

QString quote(const QString& text, QChar open, QChar close) {
  return bounded(text, QString(open), QString(close));
}

QString excerpt(const QString& text) { return bounded(text, {}, {}); }

}  // namespace textfile
