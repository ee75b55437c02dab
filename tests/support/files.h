#pragma once
// Helpers every test may use, the backup program's included (QtCore only):
// the bytes of a file, the Italian locale, and a file-size limit that stands
// in for a full disk.

#include <sys/resource.h>
#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>
#include <csignal>

// The bytes of a file; "<unreadable>" when it cannot be read, so that a
// missing file never passes for an empty one.
inline QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Pins the Italian locale for the whole test run (call in initTestCase).
inline void pinItalianLocale() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

// While alive, no file of this process may grow past `bytes`: writes beyond
// fail as on a full disk. It works for root too, unlike read-only folders.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    getrlimit(RLIMIT_FSIZE, &before_);
    rlimit limit{bytes, before_.rlim_max};
    ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before_); }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool ok() const { return ok_; }

 private:
  rlimit before_{};
  bool ok_ = false;
};
