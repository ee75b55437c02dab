#pragma once
// The platform layer: one small interface for each service of the desktop that
// the windows use. The program runs on the Qt implementations (qtplatform.cpp);
// the tests run on the scripted ones (tests/support/scriptedplatform.h), which record what was
// asked and answer as the test tells them, so no modal dialog ever blocks.

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include "rules/textprinter.h"

class QDialog;
class QWidget;

// ---- Message boxes, questions, the input box --------------------------------

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

inline const QString kTitle = QStringLiteral("Nubilario");

// VB-style filter text: "Descr|pattern|Descr|pattern".
inline const QString kSaveFilter = QStringLiteral("All Files|*.*|Text Files (*.txt)|*.txt");

struct SaveFileRequest {
  QString title;
  QString filter = kSaveFilter;
  int filterIndex = 2;    // 1-based entry preselected
  int flags = 2054;       // overwrite prompt, read-only box hidden, folder must exist
  QString initialName;    // file name offered
  QString initialFolder;  // empty: the dialog's own choice
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message box. The answer is the button the user chose (Ok for an
  // Ok-only box, Cancel or No when closed with Esc or the close box).
  // `details`: SQLite's or the system's own words, behind the box's details
  // button, so that the text itself stays Italian.
  virtual MsgAnswer message(QWidget* owner, const QString& text, MsgIcon icon = MsgIcon::None,
                            MsgButtons buttons = MsgButtons::Ok, const QString& title = kTitle,
                            const QString& details = {}) = 0;
  // A failure told with its reason: `what` failed, then "Dettaglio: " and the
  // reason in Italian (sqlitefile::explain), then `after`; the technical
  // words of `error` go to the details.
  MsgAnswer failure(QWidget* owner, const QString& what, const QString& error,
                    const QString& after = {}, MsgIcon icon = MsgIcon::Critical,
                    MsgButtons buttons = MsgButtons::Ok, const QString& title = kTitle);
  // The input box: nullopt when cancelled.
  virtual std::optional<QString> inputBox(QWidget* owner, const QString& prompt,
                                          const QString& title = kTitle,
                                          const QString& defaultText = {}) = 0;
  // The save-file dialog: the chosen path, or nullopt when cancelled.
  virtual std::optional<QString> saveFile(QWidget* owner, const SaveFileRequest& request) = 0;
  // The open-file dialog for one or more existing files: the chosen paths,
  // none when cancelled. `filter` as for the save dialog.
  virtual QStringList openFiles(QWidget* owner, const QString& title, const QString& filter) = 0;
  // The folder browser: the chosen folder, or nullopt when cancelled.
  virtual std::optional<QString> browseFolder(QWidget* owner, const QString& title) = 0;
  // Runs one of the program's own modal windows (the print dialog, an entry
  // dialog, ...) until it closes; its result, QDialog::Accepted or Rejected.
  // The window may be deleted while it runs: the caller holds a QPointer.
  virtual int runModal(QDialog& window) = 0;
};

// ---- The shell ----------------------------------------------------------------

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens an address, a local file or a mailto: link with the desktop's default
  // program. False when nothing could be opened; callers usually ignore it.
  virtual bool openPage(QWidget* owner, const QString& target) = 0;
  // Starts another program, detached, with no arguments. False when it could not start.
  virtual bool startProgram(const QString& path) = 0;
  // Ends the whole program at once, without closing windows or files ("&Esci").
  virtual void endProgram(int code) = 0;
};

// ---- The settings store ------------------------------------------------------------

// Per-user remembered texts of the application "Nubilario 2.0", by section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual QString value(const QString& section, const QString& key,
                        const QString& fallback = {}) const = 0;
  virtual void setValue(const QString& section, const QString& key, const QString& value) = 0;
};

// ---- The clipboard -------------------------------------------------------------------

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;
  virtual void setText(const QString& text) = 0;
};

// ---- Pictures on paper ----------------------------------------------------------------

class QPainter;
class QRect;

// One page drawn rather than written (a chart): the print dialog first, then
// `draw` paints into the page's printable rectangle, in the device's pixels.
// False when the keeper cancelled the dialog; PrintFailure when the printer
// cannot start.
class PicturePrinter {
 public:
  virtual ~PicturePrinter() = default;
  virtual bool print(QWidget* owner, const QString& title,
                     const std::function<void(QPainter&, const QRect&)>& draw) = 0;
};

// ---- The platform as a whole ----------------------------------------------------------

struct Platform {
  QString dataFolder;  // the folder of the data file set
  // The folder of the backup program: the data folder itself, unless the
  // program was installed with its companions in a folder of their own.
  QString programFolder;
  std::unique_ptr<Dialogs> dialogs;
  std::unique_ptr<Shell> shell;
  std::unique_ptr<SettingsStore> settings;
  std::unique_ptr<Clipboard> clipboard;
  std::unique_ptr<TextPrinter> printer;
  std::unique_ptr<PicturePrinter> picturePrinter;
  // The time of day, which names the safety copies; tests set their own.
  std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

  // A file of the data folder, joined with this platform's separator.
  QString dataPath(const QString& fileName) const;

  // A program that lies beside this one (the backup program).
  QString programPath(const QString& fileName) const;

  // The real desktop on this data folder.
  static std::unique_ptr<Platform> desktop(const QString& dataFolder,
                                           const QString& programFolder = QString());
};
