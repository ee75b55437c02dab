#include "rules/csv.h"

#include "rules/textfile.h"

namespace csv {

QChar separator(Dialect d) { return d == Dialect::Semicolon ? u';' : u','; }
QChar decimalPoint(Dialect d) { return d == Dialect::Semicolon ? u',' : u'.'; }

namespace {

bool needsQuotes(const QString& field, QChar sep) {
  if (field.isEmpty()) return false;
  if (field.front().isSpace() || field.back().isSpace()) return true;
  for (QChar c : field)
    if (c == sep || c == u'"' || c == u'\n' || c == u'\r') return true;
  return false;
}

}  // namespace

QString record(const QStringList& fields, Dialect d) {
  const QChar sep = separator(d);
  QString out;
  for (int i = 0; i < fields.size(); ++i) {
    if (i > 0) out += sep;
    const QString& f = fields[i];
    if (needsQuotes(f, sep)) {
      out += u'"';
      out += QString(f).replace(QStringLiteral("\""), QStringLiteral("\"\""));
      out += u'"';
    } else {
      out += f;
    }
  }
  return out;
}

QByteArray document(const QVector<QStringList>& records, Dialect d) {
  QString text;
  for (const QStringList& r : records) {
    text += record(r, d);
    text += QStringLiteral("\r\n");
  }
  return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString decode(const QByteArray& bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
  return textfile::decode(bytes);
}

Dialect guess(const QString& text) {
  int semicolons = 0, commas = 0;
  bool quoted = false;
  for (QChar c : text) {
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted) {
      if (c == u'\n' || c == u'\r') break;
      if (c == u';') ++semicolons;
      if (c == u',') ++commas;
    }
  }
  return commas > semicolons ? Dialect::Comma : Dialect::Semicolon;
}

QVector<Row> parse(const QString& text, Dialect d) {
  const QChar sep = separator(d);
  QVector<Row> rows;
  const qsizetype n = text.size();
  qsizetype i = 0;
  int line = 1;
  while (i < n) {
    // A line end right away: a blank line.
    if (text[i] == u'\n' || text[i] == u'\r') {
      i += (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
      ++line;
      continue;
    }
    Row row;
    row.line = line;
    QString field;
    bool ended = false;
    while (!ended) {
      field.clear();
      if (i < n && text[i] == u'"') {
        // A quoted field: up to the quote that is not doubled.
        const int opened = line;
        ++i;
        bool closed = false;
        while (i < n) {
          const QChar c = text[i];
          if (c == u'"') {
            if (i + 1 < n && text[i + 1] == u'"') {
              field += u'"';
              i += 2;
              continue;
            }
            ++i;
            closed = true;
            break;
          }
          if (c == u'\n' || (c == u'\r' && !(i + 1 < n && text[i + 1] == u'\n'))) ++line;
          field += c;
          ++i;
        }
        if (!closed) {
          row.error = QStringLiteral(
                          "le virgolette aperte alla riga %1 non sono mai chiuse: il "
                          "resto del file non si può leggere")
                          .arg(opened);
          row.fields << field;
          rows << row;
          return rows;
        }
        // Only the separator or the line end may follow the closing quote.
        if (i < n && text[i] != sep && text[i] != u'\n' && text[i] != u'\r') {
          if (row.error.isEmpty())
            row.error = QStringLiteral("testo dopo le virgolette di chiusura");
          while (i < n && text[i] != sep && text[i] != u'\n' && text[i] != u'\r')
            field += text[i++];
        }
      } else {
        while (i < n && text[i] != sep && text[i] != u'\n' && text[i] != u'\r') {
          if (text[i] == u'"' && row.error.isEmpty())
            row.error = QStringLiteral("virgolette dentro un campo che non comincia con esse");
          field += text[i++];
        }
      }
      row.fields << field;
      if (i < n && text[i] == sep) {
        ++i;
        continue;
      }
      // The line end or the end of the text ends the record.
      if (i < n) {
        i += (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
        ++line;
      }
      ended = true;
    }
    rows << row;
  }
  return rows;
}

}  // namespace csv
