#pragma once
// The station configuration: five values kept in config.cfg, one per line
// (Windows-1252, CR LF), meaning by position. Read once at start-up, edited
// in the Options dialog, asked of the application context by every window
// that needs it.

#include <QString>
#include <QStringList>
#include <iterator>

struct StationConfig {
  static const QString kFileName;     // "config.cfg"
  static const QString kStandard;     // "(a norma)"
  static const QString kNotStandard;  // "(non a norma)"
  // Read at most this much of the file: its few long lines, not a runaway
  // file that would keep the start waiting.
  static constexpr qint64 kMaxBytes = 128 * 1024;

  // Each value starts as the main window shows it before any file is read.
  QString nome = QStringLiteral("nome della stazione");    // line 1: station name
  QString mostraInfo = QStringLiteral("si");               // line 2: "no" hides the station frame
  QString anorma = kStandard;                              // line 3: shown as it stands
  QString percorsoAppunti = QStringLiteral("app.path");    // line 4: folder of the notes
  QString riepiloghiMensili = QStringLiteral("app.path");  // line 5: folder of the summaries

  // Only an exact "no" hides the station information.
  bool infoShown() const { return mostraInfo != QLatin1String("no"); }
  // Only an exact "(a norma)" ticks the Options dialog's box.
  bool aNorma() const { return anorma == kStandard; }

  // The values in the order of the file's lines.
  static constexpr QString StationConfig::*kLines[] = {
      &StationConfig::nome, &StationConfig::mostraInfo, &StationConfig::anorma,
      &StationConfig::percorsoAppunti, &StationConfig::riepiloghiMensili};
  static constexpr int kLineCount = int(std::size(kLines));

  // The file's lines.
  QStringList lines() const;

  struct Reading;
  // Reads the file line by line over the starting values: a missing file
  // changes nothing, a short one only the lines it has; lines after the
  // last value are ignored.
  static Reading read(const QString& path);

  // Replaces the file with its lines, atomically: on failure the old
  // file stays as it was; in a read-only folder a writable file is rewritten
  // in place. False (with a reason) on failure.
  bool write(const QString& path, QString* error = nullptr) const;

  // The Options dialog's rule: an empty folder means the data folder.
  void fillEmptyFolders(const QString& dataFolder);

  // The configuration a new data folder starts with; it names no folder.
  static StationConfig initial();

  bool operator==(const StationConfig&) const = default;
};

struct StationConfig::Reading {
  StationConfig config;  // the lines read over the starting values
  bool found = false;    // the file could be read at all
  int lines = 0;         // how many of the values' lines it held
  bool complete() const { return found && lines >= kLineCount; }
};
