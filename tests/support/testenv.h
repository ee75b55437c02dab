#pragma once
// A fresh data folder and a scripted platform for one test: every test runs in
// its own temporary folder with the Italian locale pinned.

#include <QTemporaryDir>
#include <memory>

#include "common/appcontext.h"
#include "common/scriptedplatform.h"

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

  // The main window, loaded as at start-up (not shown).
  Form1* loadMainWindow();

  // Writes a file of the data folder with these exact bytes.
  void writeFile(const QString& name, const QByteArray& bytes) const;
  QByteArray readFile(const QString& name) const;

 private:
  QTemporaryDir dir_;
  ScriptedPlatform parts_;
  std::unique_ptr<AppContext> ctx_;
};

// Pins the Italian locale for the whole test run (call in initTestCase).
void pinItalianLocale();
