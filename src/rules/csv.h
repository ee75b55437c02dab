#pragma once
// Comma-separated values as spreadsheets write and read them: fields quoted
// with '"' when they hold the separator, a quote, a line break or blanks at
// either end (a quote inside doubled), records ended by CR LF. Two dialects:
// ";" with the decimal comma, as Italian spreadsheets use, and "," with the
// decimal point for other programs.
//
// Files are written in UTF-8 with a byte-order mark, so that spreadsheets
// take the accents right; they are read in UTF-8 (with or without the mark)
// or Windows-1252, with CR LF, LF or CR line ends.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace csv {

enum class Dialect { Semicolon, Comma };

QChar separator(Dialect d);
QChar decimalPoint(Dialect d);

// One record's text, without its line end.
QString record(const QStringList& fields, Dialect d);
// The whole file: the mark, then every record followed by CR LF.
QByteArray document(const QVector<QStringList>& records, Dialect d);

// A record read back, with the line it starts on (1 for the first). A record
// that cannot be read has its reason in `error`; its fields are then what
// could be made out and must not be used.
struct Row {
  int line = 0;
  QStringList fields;
  QString error;
};

// The text of a file: UTF-8 when it is valid UTF-8, else Windows-1252; a
// byte-order mark is dropped.
QString decode(const QByteArray& bytes);
// The dialect of a file by its first record: the separator that occurs more
// often outside quotes (";" when neither does, or as often).
Dialect guess(const QString& text);
// Every record of the text. Blank lines are left out. A quote that is never
// closed makes the record it opens unreadable, and with it the rest of the
// file, which it swallowed.
QVector<Row> parse(const QString& text, Dialect d);

}  // namespace csv
