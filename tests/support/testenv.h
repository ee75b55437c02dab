#pragma once
// A fresh data folder and a scripted platform for one test: every test runs in
// its own temporary folder with the Italian locale pinned.

#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <functional>
#include <memory>

#include "common/appcontext.h"
#include "files.h"
#include "scriptedplatform.h"
#include "shell/form1.h"

// What a tooltip shows: Qt takes a text that looks like markup for HTML.
inline QString shownTooltip(const QString& tip) {
  if (!Qt::mightBeRichText(tip)) return tip;
  QTextDocument document;
  document.setHtml(tip);
  return document.toPlainText();
}

class TestEnv {
 public:
  // Lays out a complete data folder (empty archives, default configuration,
  // initial sheet files) unless `layOut` is false.
  explicit TestEnv(bool layOut = true);
  ~TestEnv();

  QString folder() const { return dir_.path(); }
  QString path(const QString& name) const;
  AppContext& ctx() { return *ctx_; }
  ScriptedPlatform& scripted() { return parts_; }
  ScriptedDialogs& dialogs() { return *parts_.dialogs; }

  // The main window, created on first use (not loaded).
  Form1* mainWindow() { return static_cast<Form1*>(ctx_->mainWindow()); }
  // The main window, loaded as at start-up (not shown).
  Form1* loadMainWindow();
  // The station name and the notes folder, as if config.cfg had held them.
  void setStation(const QString& name);
  void setNotesFolder(const QString& folder);

  // What the keeper does in the next modal window of the program, which
  // must be a W; the window closes when the step is done.
  template <class W>
  void onNextWindow(std::function<void(W&)> step) {
    dialogs().onNextWindow([step](QDialog& window) {
      if (auto* w = qobject_cast<W*>(&window))
        step(*w);
      else
        QTest::qFail(qPrintable(QStringLiteral("unexpected window ") + window.objectName()),
                     __FILE__, __LINE__);
    });
  }

  // Writes a file of the data folder with these exact bytes.
  void writeFile(const QString& name, const QByteArray& bytes) const;
  QByteArray readFile(const QString& name) const;

 private:
  QTemporaryDir dir_;
  ScriptedPlatform parts_;
  std::unique_ptr<AppContext> ctx_;
};
