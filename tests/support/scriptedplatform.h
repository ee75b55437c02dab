#pragma once
// Scripted implementations of the platform layer for the tests: each records
// what the program asked and answers as the test told it beforehand.

#include <QImage>
#include <QList>
#include <QMap>
#include <QStringList>
#include <functional>

#include "common/platform.h"

class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    QString text;
    MsgIcon icon;
    MsgButtons buttons;
    QString title;
    QString details;
    QString owner;  // the objectName of the window it is shown over
  };

  QList<Message> messages;                  // every message box shown, in order
  QList<MsgAnswer> answers;                 // answers to give, in order; then the first button
  QStringList inputPrompts;                 // every input box's prompt
  QList<std::optional<QString>> inputs;     // answers to input boxes; then cancel
  QList<SaveFileRequest> saveRequests;      // every save dialog opened
  QList<std::optional<QString>> savePaths;  // answers to save dialogs; then cancel
  QStringList openTitles;                   // every open-file dialog's title
  QList<QStringList> openPaths;             // answers to open-file dialogs; then cancel
  QStringList browseTitles;                 // every folder browser's title
  QList<std::optional<QString>> folders;    // answers to folder browsers; then cancel
  QStringList windowsRun;                   // objectName of every modal window run, in order

  // What the user does in the next modal window while it is open. Without a
  // step the window is closed at once, as with its close box; a window the
  // step leaves open is closed the same way when the step returns.
  using WindowStep = std::function<void(QDialog&)>;
  void onNextWindow(WindowStep step) { windowSteps_.append(std::move(step)); }

  MsgAnswer message(QWidget* owner, const QString& text, MsgIcon icon, MsgButtons buttons,
                    const QString& title, const QString& details) override;
  std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                  const QString& defaultText) override;
  std::optional<QString> saveFile(QWidget* owner, const SaveFileRequest& request) override;
  QStringList openFiles(QWidget* owner, const QString& title, const QString& filter) override;
  std::optional<QString> browseFolder(QWidget* owner, const QString& title) override;
  int runModal(QDialog& window) override;

  QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }

 private:
  QList<WindowStep> windowSteps_;
};

class ScriptedShell : public Shell {
 public:
  QStringList pagesOpened;
  QStringList programsStarted;
  bool startSucceeds = true;
  bool openSucceeds = true;      // what openPage answers (a system without a browser: false)
  std::optional<int> endedWith;  // set when the program asked to end at once

  bool openPage(QWidget* owner, const QString& target) override;
  bool startProgram(const QString& path) override;
  void endProgram(int code) override;
};

class ScriptedSettings : public SettingsStore {
 public:
  QMap<QString, QString> values;  // "section/key" -> value
  QString value(const QString& section, const QString& key, const QString& fallback) const override;
  void setValue(const QString& section, const QString& key, const QString& value) override;
};

class ScriptedClipboard : public Clipboard {
 public:
  QString text;
  int clears = 0;
  QStringList history;  // "clear" or the text put, in order
  void clear() override;
  void setText(const QString& t) override;
};

// Records every printed line with its position and font, page by page.
class RecordingPrinter : public TextPrinter {
 public:
  struct Line {
    int page;
    int x;
    int y;
    double size;
    bool bold;
    QString text;
  };
  QList<Line> lines;
  int documents = 0;         // documents ended with endDoc()
  int aborted = 0;           // documents dropped with abortDoc()
  int pages = 0;             // pages of the current or last document
  bool failing = false;      // every output operation throws PrintFailure
  int failAfterLines = -1;   // >= 0: lines beyond this many throw PrintFailure
  QList<bool> setupAnswers;  // answers to the setup dialog; then true
  QStringList setupTitles;

  void setCurrentX(int twips) override { x_ = twips; }
  void setCurrentY(int twips) override { y_ = twips; }
  int currentX() const override { return x_; }
  int currentY() const override { return y_; }
  void setFontSize(double points) override { size_ = points; }
  void setFontBold(bool bold) override { bold_ = bold; }
  void printLine(const QList<PrintItem>& items) override;
  void newPage() override;
  void endDoc() override;
  void abortDoc() override;
  bool setup(QWidget* owner, const QString& title) override;

  // The printed texts only, in order.
  QStringList texts() const;
  // Height of one line in twips for a font size, as the recorder advances.
  static int lineHeight(double points) { return qRound(points * 20 * 1.2); }

 private:
  int x_ = 0;
  int y_ = 0;
  double size_ = 10;
  bool bold_ = false;
  bool open_ = false;
};

// Paints every picture on an A4 landscape image at 96 dpi and keeps it.
class RecordingPicturePrinter : public PicturePrinter {
 public:
  QStringList titles;    // every print dialog's title
  QList<bool> answers;   // answers to the print dialog; then true
  bool failing = false;  // the printer does not start
  QList<QImage> pages;   // every page printed

  bool print(QWidget* owner, const QString& title,
             const std::function<void(QPainter&, const QRect&)>& draw) override;
};

// The scripted platform with typed access to its parts.
struct ScriptedPlatform {
  ScriptedDialogs* dialogs = nullptr;
  ScriptedShell* shell = nullptr;
  ScriptedSettings* settings = nullptr;
  ScriptedClipboard* clipboard = nullptr;
  RecordingPrinter* printer = nullptr;
  RecordingPicturePrinter* picturePrinter = nullptr;

  // Builds a platform over the given data folder; the parts stay owned by it.
  static std::unique_ptr<Platform> make(const QString& dataFolder, ScriptedPlatform* parts);
};
