#pragma once
// The platform layer: one small interface for each service of the desktop that
// the windows use. The program runs on the Qt implementations (qtplatform.cpp);
// the tests run on the scripted ones (scriptedplatform.h), which record what was
// asked and answer as the test tells them, so no modal dialog ever blocks.

#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <stdexcept>

class QWidget;

// ---- Message boxes, questions, the input box --------------------------------

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

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
  virtual MsgAnswer message(QWidget* owner, const QString& text, MsgIcon icon = MsgIcon::None,
                            MsgButtons buttons = MsgButtons::Ok, const QString& title = kTitle) = 0;
  // The input box: nullopt when cancelled.
  virtual std::optional<QString> inputBox(QWidget* owner, const QString& prompt,
                                          const QString& title = kTitle,
                                          const QString& defaultText = {}) = 0;
  // The save-file dialog: the chosen path, or nullopt when cancelled.
  virtual std::optional<QString> saveFile(QWidget* owner, const SaveFileRequest& request) = 0;
  // The folder browser: the chosen folder, or nullopt when cancelled.
  virtual std::optional<QString> browseFolder(QWidget* owner, const QString& title) = 0;
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

// ---- The text printer ----------------------------------------------------------------

// Raised by a printer operation that cannot be carried out (no printer
// installed, the document could not be started or finished).
class PrintFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One item of a printed line. Numbers print the classic way: a blank before a
// non-negative number and one blank after every number; text prints as it is.
struct PrintItem {
  QString text;
  bool number = false;
  static PrintItem txt(const QString& t) { return {t, false}; }
  static PrintItem num(qint64 n) { return {QString::number(n), true}; }
  static PrintItem num(const QString& plainNumber) { return {plainNumber, true}; }
  // The characters this item puts on paper.
  QString printed() const {
    if (!number) return text;
    return (text.startsWith(QLatin1Char('-')) ? QString() : QStringLiteral(" ")) + text +
           QLatin1Char(' ');
  }
};

// The current printer as a text device. Positions are in twips (1/1440 inch)
// from the top-left corner of the page. A document starts with the first output
// and ends with endDoc(). Every operation may throw PrintFailure.
class TextPrinter {
 public:
  virtual ~TextPrinter() = default;
  virtual void setCurrentX(int twips) = 0;
  virtual void setCurrentY(int twips) = 0;
  virtual int currentX() const = 0;
  virtual int currentY() const = 0;
  virtual void setFontSize(double points) = 0;
  virtual void setFontBold(bool bold) = 0;
  // Prints the items one after the other from the current position, then moves
  // to the start of the next line (x = 0). Line breaks inside a text continue
  // at the left edge. A line below the page's end continues on a new page.
  virtual void printLine(const QList<PrintItem>& items) = 0;
  virtual void newPage() = 0;
  virtual void endDoc() = 0;
  // Drops the document in progress after a failure, so that its lines do not
  // end up in the next document. Never throws.
  virtual void abortDoc() = 0;
  // The printer-setup dialog: false when cancelled. The choice is kept for the
  // printouts that follow.
  virtual bool setup(QWidget* owner, const QString& title) = 0;
};

// ---- The platform as a whole ----------------------------------------------------------

struct Platform {
  QString dataFolder;  // the folder of the executables and the data file set
  std::unique_ptr<Dialogs> dialogs;
  std::unique_ptr<Shell> shell;
  std::unique_ptr<SettingsStore> settings;
  std::unique_ptr<Clipboard> clipboard;
  std::unique_ptr<TextPrinter> printer;

  // A file of the data folder, joined with this platform's separator.
  QString dataPath(const QString& fileName) const;

  // The real desktop; the data folder is the executable's folder.
  static std::unique_ptr<Platform> desktop(const QString& dataFolder);
};
