#pragma once
// Text files of the program: configuration, sheet files, reports, summary and
// notes. They are written in Windows-1252 with CR LF line ends and always
// replaced whole and atomically: a write that fails leaves the previous file as
// it was. Reading is tolerant: CR LF, LF or CR line ends, and valid UTF-8 as
// well as Windows-1252.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace textfile {

// Windows-1252 bytes of a text; a character the code page cannot hold becomes "?".
QByteArray encode(const QString& text);
// The characters of a text that Windows-1252 cannot hold, each once, in the
// order they first appear (a character beyond the 16-bit range counts as one).
QStringList unencodable(const QString& text);
// Valid UTF-8 is taken as UTF-8 (a file written by hand in a modern editor);
// anything else as Windows-1252.
QString decode(const QByteArray& bytes);

// The whole file decoded, or nullopt when it cannot be read.
std::optional<QString> read(const QString& path);
// The file's lines with their line ends removed (CR LF, LF or CR). A final
// line end does not start an extra empty line. nullopt when it cannot be read.
std::optional<QStringList> readLines(const QString& path);
// Only what a file of the program can hold: at most `maxLines` lines from
// its first `maxBytes` bytes (the last line cut there), however large the
// file is.
std::optional<QStringList> readLines(const QString& path, int maxLines, qint64 maxBytes);

// Replaces the file with exactly this text (no line end added). False when the
// file could not be written, or when the text holds a character the code page
// cannot hold (it is never changed silently); the old file is then untouched.
bool write(const QString& path, const QString& text, QString* error = nullptr);
// Replaces the file with these lines, each followed by CR LF.
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);
// Replaces the file with these bytes, atomically.
bool writeBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Whether a file whose folder takes no new file (a read-only folder holding a
// writable file) may be rewritten in place, where the atomic replace cannot
// work. Only for a small file that is worth more written than kept unchanged.
enum class InPlace { Never, WhenFolderIsReadOnly };
bool writeLines(const QString& path, const QStringList& lines, InPlace inPlace,
                QString* error = nullptr);

// A text of a file quoted in a message: whole when short, else its start and
// its length, so that one huge value never makes a huge message:
// "«12,5»", "«aaaaaaaa…» (500.000 caratteri)".
inline constexpr int kQuotedChars = 40;
QString quote(const QString& text, QChar open = u'«', QChar close = u'»');
// The same bound without quotes: "aaaaaaaa… (500.000 caratteri)".
QString excerpt(const QString& text);

}  // namespace textfile
